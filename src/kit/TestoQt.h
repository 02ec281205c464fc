#pragma once
// The model's Windows-1252 texts at the edge of the Qt user interface.

#include <QFile>
#include <QString>
#include <optional>
#include <string>

#include "kit/Risorse.h"
#include "model/Testo.h"

namespace tarno {

inline QString DaCp1252(const std::string& s) { return QString::fromStdString(Cp1252InUtf8(s)); }

// nullopt when the text holds a character that Windows-1252 cannot hold; rsErrore then gets
// the message that refuses it ("Testo non accettato: ..." naming the character, then what is
// allowed).
inline std::optional<std::string> InCp1252(const QString& s, QString* rsErrore = nullptr) {
    std::string errore;
    auto r = Utf8InCp1252(s.toStdString(), &errore);
    if (!r && rsErrore)
        *rsErrore =
            TestoRisorsa(30006, "Testo non accettato: %1.").arg(QString::fromStdString(errore)) +
            TestoRisorsa(30007,
                         " Sono ammessi solo i caratteri della codifica Windows-1252: "
                         "lettere, cifre e segni dell'alfabeto latino occidentale.");
    return r;
}

// The text as the model holds it; empty when Windows-1252 cannot hold it.
inline std::string Cp1252(const QString& s) { return InCp1252(s).value_or(std::string()); }

// File names are the file system's bytes (UTF-8 on Linux) everywhere in memory: never
// Windows-1252, which only the texts stored inside files are.
inline std::string NomeFile(const QString& sPercorso) {
    return QFile::encodeName(sPercorso).toStdString();
}
inline QString DaNomeFile(const std::string& sNome) {
    return QFile::decodeName(QByteArray::fromStdString(sNome));
}

}  // namespace tarno

#pragma once
// The model's Windows-1252 texts at the edge of the Qt user interface.

#include <QString>
#include <optional>
#include <string>

#include "Testo.h"

namespace tarno {

inline QString DaCp1252(const std::string& s) { return QString::fromStdString(Cp1252InUtf8(s)); }

// nullopt when the text holds a character that Windows-1252 cannot hold; rsErrore says which.
inline std::optional<std::string> InCp1252(const QString& s, QString* rsErrore = nullptr) {
    std::string errore;
    auto r = Utf8InCp1252(s.toStdString(), &errore);
    if (!r && rsErrore) *rsErrore = QString::fromStdString(errore);
    return r;
}

}  // namespace tarno

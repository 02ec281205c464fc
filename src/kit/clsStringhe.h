#pragma once
// The editor's numbered string table: every caption and message of the user interface is
// taken from it by number. The table is built into the program from resources/strings.it.tsv
// (number, TAB, text; UTF-8), so the editor needs no file beside it at run time.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarno {

class clsStringhe {
  public:
    clsStringhe() = default;

    // Reads a table text: one "number TAB text" per line, lines starting with "#" and empty
    // lines skipped, a UTF-8 byte order mark at the start ignored, CR LF or LF line ends. In a
    // text, \n stands for a line break, \t for a TAB and \\ for one backslash. Every line that
    // is not understood (no TAB, a number that is not a positive 32-bit decimal, an unknown
    // escape, a number already given, bytes that are not UTF-8) is left out and described in
    // Errori(); the other lines are kept. Replaces what was loaded before. True when every
    // line was understood.
    bool Carica(const QByteArray& dati);

    // The text of string numero; empty and *trovato false when the table has no such number.
    QString Testo(int numero, bool* trovato = nullptr) const;
    bool Esiste(int numero) const { return mhashTesti.contains(numero); }
    int Quanti() const { return static_cast<int>(mhashTesti.size()); }
    // The numbers of the table, ascending.
    QList<int> Numeri() const;
    // One message per line left out by the last Carica, each naming its line number.
    const QStringList& Errori() const { return mlstErrori; }

    // The table built into the program, read once on first use. A line of it that could not
    // be read is reported once through qWarning and is simply missing from the table.
    static const clsStringhe& Tabella();

  private:
    QHash<int, QString> mhashTesti;
    QStringList mlstErrori;
};

// The language of the interface: "it" (the default) or "en".
QString LinguaInterfaccia();

}  // namespace tarno

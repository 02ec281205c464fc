#pragma once
// The editor's numbered string table: every caption and message of the user interface is
// taken from it by number. The tables are built into the program from resources/strings.it.tsv
// (Italian) and resources/strings.en.tsv (English), each number, TAB, text in UTF-8, so the
// editor needs no file beside it at run time.

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
    // The language of a built-in table ("it" or "en"); empty for a table read with Carica.
    const QString& Lingua() const { return msLingua; }

    // The table built into the program for language sLingua ("it" or "en"): the texts of that
    // language, and the Italian text of every number it does not give (any other language is
    // Italian). A line that could not be read is reported through qWarning and is simply
    // missing from its table.
    static clsStringhe TabellaIncorporata(const QString& sLingua);
    // TabellaIncorporata(LinguaInterfaccia()), read once on first use.
    static const clsStringhe& Tabella();

  private:
    QHash<int, QString> mhashTesti;
    QStringList mlstErrori;
    QString msLingua;
};

// The language of the interface: "it" (the default) or "en". The first of these that names one
// of the two decides: the language given by ImpostaLinguaInterfaccia (the start-up option
// --lingua), the setting "Interfaccia/Lingua" of the per-user settings of TarnoDriver, the
// first language of the system's user interface (English gives "en"); otherwise "it". Blanks
// and letter case do not count. The table is read in the language of its first use.
QString LinguaInterfaccia();
// The language this run uses whatever the settings hold, when it is "it" or "en"; anything
// else (an empty text too) leaves the choice to the settings and the system. Returns whether
// the text named one of the two languages.
bool ImpostaLinguaInterfaccia(const QString& sLingua);
// The start-up option "--lingua it|en" (or "--lingua=en"): takes it out of a program's
// arguments, hands its value to ImpostaLinguaInterfaccia (a value that names neither language
// is reported through qWarning and ignored) and returns the other arguments in their order.
QStringList OpzioneLingua(const QStringList& lstArgomenti);

}  // namespace tarno

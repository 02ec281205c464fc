#pragma once
// The suite's catalogue database: PBX brands and models with their driver files, and the lists
// of date and time formats. Access-kind catalogues are SQLite files here; the other kinds go
// through ODBC. Every statement is sent as text, values between single quotes with every
// single quote doubled. Texts in and out are Windows-1252, like the rest of the model.
//
// Errors never throw: an operation that fails returns false (or 0) and leaves its kind in
// TipoUltimoErrore() with a detail (the server's own words, a file or a table name), and a
// description in UltimoErrore(). A caller with a string table builds its own text from the
// kind and the detail; the others show UltimoErrore().
//
// Brands and models are compared without regard to letter case (Windows-1252 letters, the
// same rule on every engine). When a brand and model have several rows, the first is the one
// whose file name comes first (no name before any name, then byte order); rows equal in all
// three columns keep the server's order.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogo/Configurazione.h"
#include "model/TabellaValori.h"

class QSqlQuery;

namespace tarno {

inline constexpr const char* TESTO_NESSUNO = "Nessuno";

// What went wrong in the catalogue's last failed operation.
enum class ErroreCatalogo {
    Nessuno = 0,
    DriverSQLite,    // Qt's SQLite driver is not installed
    FileMancante,    // the SQLite file does not exist; detail: its name
    DriverODBC,      // Qt's ODBC driver is not installed
    Connessione,     // the connection did not open; detail: the server's words, if any
    NonAperto,       // no open connection
    Database,        // a statement failed; detail: the server's words, if any
    ColonneFormati,  // a format table lacks sCodice or sFormato; detail: the table
};
// The description of a kind of error, "%1" standing for the detail (UTF-8). For Connessione
// and Database a non-empty detail is the whole description.
const char* TestoErroreCatalogo(ErroreCatalogo enTipo);

class clsCatalogo {
  public:
    clsCatalogo();
    ~clsCatalogo();
    clsCatalogo(const clsCatalogo&) = delete;
    clsCatalogo& operator=(const clsCatalogo&) = delete;

    // Opens the connection of the configuration's kind (not read-only, no prompt).
    bool Apri(const Configurazione& cfg);
    void Chiudi();
    bool Aperto() const;

    // "SELECT DISTINCT sMarca FROM Pabx ORDER BY sMarca ASC"
    bool ElencoMarche(std::vector<std::string>& rvMarche);
    // "SELECT DISTINCT sModello FROM Pabx WHERE sMarca='{brand}' ORDER BY sModello ASC"
    bool ElencoModelli(const std::string& sMarca, std::vector<std::string>& rvModelli);
    // The format list of FormatiData (bData) or FormatiOra: row 0 empty, then one row per
    // format in sCodice order with column 0 sFormato and column 1 sCodice; an empty table
    // gives the single cell "Nessuno".
    bool CaricaFormati(bool bData, TabellaValori& rTabella);
    // The single cell "Nessuno".
    static TabellaValori FormatiNessuno();
    // The driver file name of a brand and model; rsNome stays empty when there is no row.
    bool CercaNomeDriver(const std::string& sMarca, const std::string& sModello,
                         std::optional<std::string>& rsNome);
    // Registers a saved driver under its file name (the part after the last folder separator):
    // when a row of the brand and model already holds that name nothing changes; otherwise
    // the first row of the pair, and only that row, gets it; without a row one is added.
    bool AggiornaPabx(const std::string& sMarca, const std::string& sModello,
                      const std::string& sFileName);
    // The catalogue code of a format text already cleaned for the lookup, 0 when there is none
    // or anything fails (no message).
    int16_t CodiceFormato(const std::string& sFormatoPulito, bool bData);

    // Adds a date (bData) or time format with the code after the last one of either table
    // (dates and times are numbered in one series); no code already given changes. A format
    // the table already holds, text for text, is not added again: riCodice gets the code it
    // has. False (riCodice 0) when the catalogue cannot be read or written, or no code is left.
    bool AggiungiFormato(bool bData, const std::string& sFormato, int16_t& riCodice);

    // The lookup the legacy reader takes, over this catalogue.
    std::function<int16_t(const std::string&, bool)> FunzioneCercaFormato();

    const std::string& UltimoErrore() const { return msUltimoErrore; }
    ErroreCatalogo TipoUltimoErrore() const { return menUltimoErrore; }
    // The detail of the last error (Windows-1252): a file or table name, or the server's words.
    const std::string& DettaglioErrore() const { return msDettaglioErrore; }
    // The text of the last statement sent.
    const std::string& UltimaIstruzione() const { return msUltimaIstruzione; }

  private:
    // One row of Pabx as stored: what tells it from its twins (rowid, ctid; null when the
    // engine has none), its brand, model and file name (null when unset).
    struct RigaPabx {
        QVariant id, marca, modello, nome;
    };
    bool Esegui(QSqlQuery& q, const std::string& sIstruzione);
    bool Errore(ErroreCatalogo enTipo, const QString& sDettaglio = QString());
    bool ErroreIstruzione(const QSqlQuery& q);
    // The rows of a brand and model, first first.
    bool RigheCoppia(const std::string& sMarca, const std::string& sModello,
                     std::vector<RigaPabx>& rRighe);
    // The column that tells rows apart on this engine ("" when there is none).
    std::string ColonnaRiga() const;

    QString msConnessione;
    std::string msUltimoErrore;
    ErroreCatalogo menUltimoErrore = ErroreCatalogo::Nessuno;
    std::string msDettaglioErrore;
    std::string msUltimaIstruzione;
};

// The date and time formats of the catalogue named by a Tarnosuite.ini, by code, as the import
// engine reads them. Returns "" or why there are none (Windows-1252, to be shown as a warning:
// without formats the engine still runs, and dates and times fail).
std::string FormatiDelCatalogo(const std::string& sFileIni,
                               std::map<int16_t, std::string>& rFormati);
// Adds the formats of a table filled by CaricaFormati (row 0 reserved; format, code) by code.
void FormatiDaTabella(const TabellaValori& tabella, std::map<int16_t, std::string>& rFormati);

}  // namespace tarno

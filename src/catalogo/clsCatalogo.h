#pragma once
// The suite's catalogue database: PBX brands and models with their driver files, and the lists
// of date and time formats. Access-kind catalogues are SQLite files here; the other kinds go
// through ODBC. Every statement is sent as text, values between single quotes with every
// single quote doubled. Texts in and out are Windows-1252, like the rest of the model.
//
// Errors never throw: an operation that fails returns false (or 0) and leaves a description
// in UltimoErrore(), which the caller can show.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Configurazione.h"
#include "TabellaValori.h"

class QSqlQuery;

namespace tarno {

inline constexpr const char* TESTO_NESSUNO = "Nessuno";

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
    // Registers a saved driver: the first row of the brand and model gets the file name (the
    // part after the last folder separator), or a new row is added.
    bool AggiornaPabx(const std::string& sMarca, const std::string& sModello,
                      const std::string& sFileName);
    // The catalogue code of a format text already cleaned for the lookup, 0 when there is none
    // or anything fails (no message).
    int16_t CodiceFormato(const std::string& sFormatoPulito, bool bData);

    // The lookup the legacy reader takes, over this catalogue.
    std::function<int16_t(const std::string&, bool)> FunzioneCercaFormato();

    const std::string& UltimoErrore() const { return msUltimoErrore; }
    // The text of the last statement sent.
    const std::string& UltimaIstruzione() const { return msUltimaIstruzione; }

  private:
    bool Esegui(QSqlQuery& q, const std::string& sIstruzione);
    bool Errore(const QString& sTesto);

    QString msConnessione;
    std::string msUltimoErrore;
    std::string msUltimaIstruzione;
};

}  // namespace tarno

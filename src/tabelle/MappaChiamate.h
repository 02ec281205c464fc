#pragma once
// The one mapping between the field tables the pages edit and the call records of a driver,
// both ways, with the checks a save makes on a field table. The call kind is always given:
// the incoming and outgoing tables differ in their rows (Durata squillo is incoming only).
// No Qt here: the faults are data (row, column, message number and what the message names),
// and the caller words them.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/TabellaValori.h"
#include "model/clsChiamata.h"
#include "model/clsDriver.h"
#include "tabelle/LayoutTabelle.h"

namespace tarno {

enum class TipoChiamata { Entranti, Uscenti };

// The conversions of the transformations table that travel with the fields: a duration not
// in seconds goes to the "Durata" field, a cost printed instead of pulses to "Scatti".
struct ConversioniCampi {
    bool bDurata = false;
    bool bScatti = false;
    int16_t iFrazioneDurata = -1;
    int16_t iUnitaDurata = -1;
    int32_t lConversioneDurata = 0;
    int32_t lDividereScatti = 1;
    // The date stands on a line of its own: the "Data" row shows that line's condition and is
    // no field of the call unless the call had one.
    bool bDataIsolata = false;
};

// A fault of a field table that a save refuses. iStringa is the number of the message's first
// text: 10605 (line, position or length missing), 10606 (a line beyond the call's lines),
// 10610 (no format), 10611 (two fields overlap).
struct ProblemaCampo {
    ProblemaCampo(int r, int c, int stringa, int altra = -1, std::string riga = {}, double n = 0)
        : iRiga(r),
          iColonna(c),
          iStringa(stringa),
          iAltraRiga(altra),
          sRiga(std::move(riga)),
          dNumRighe(n) {}
    int iRiga = 0;
    int iColonna = 0;
    int iStringa = 0;
    int iAltraRiga = -1;   // 10611: the row of the other field
    std::string sRiga;     // 10606: the line as the table holds it
    double dNumRighe = 0;  // 10606: the lines the call is printed on
    bool operator==(const ProblemaCampo&) const = default;
};

// The value of row r of the identification table; "" when the table has no such cell.
std::string CellaIdent(const TabellaValori& rgxIdent, int r);
// Both call-record kinds of a driver (made when missing), with their kind and the line counts
// the identification table gives them.
std::pair<clsChiamata*, clsChiamata*> ChiamateConRighe(clsDriver& d, const TabellaValori& rgxIdent);
// What the identification table gives a driver: the offset, both call kinds with their lines
// (a kind printed on no line has no conditions) and the character after which the last line
// is cut ("" is 0). False when that cell holds no whole number: the driver keeps its own.
bool IdentificazioneInDriver(clsDriver& d, const TabellaValori& rgxIdent);
// The lines a call kind is printed on, from the identification table (0 without the row).
double NumeroRighe(const TabellaValori& rgxIdent, TipoChiamata tipo);
// Rows whose field is read with a format: Data, Ora inizio, Ora fine, Durata and, for
// incoming calls, Durata squillo.
bool RigaConFormato(int r, TipoChiamata tipo);
// A row holds a field: some cell set (alignment and format only when not 0).
bool RigaInUso(const TabellaValori& rgx, int r);

// The faults a save refuses in a field table, the first of each row, in row order. A call kind
// printed on no line (dNumRighe < 1) is not used: its fields are kept unchecked. With the date
// on a line of its own the "Data" row is on none of the call's lines. With pSeparati (a
// printout of separated fields) the position is a field's number and the length the characters
// taken in it from the start pSeparati's field of the same row keeps (0: the whole field): two
// parts of one field overlap when they share characters; a field read whole may also be read
// into another call field.
std::vector<ProblemaCampo> ProblemiCampi(const TabellaValori& rgx, TipoChiamata tipo,
                                         double dNumRighe, bool bDataIsolata,
                                         const clsChiamata* pSeparati = nullptr);

// The fields of a call record from a field table (the call's other parts stay as they are).
// What the table does not show of a field is kept from the call's field of the same row: the
// order of the fields, and the place a field's conversion has in the file.
void TabellaInChiamata(clsChiamata& chiamata, const TabellaValori& rgx, TipoChiamata tipo,
                       const ConversioniCampi& conv);
// Drops the fields of the rows that have a fault.
void TogliCampiConProblemi(clsChiamata& chiamata, const std::vector<ProblemaCampo>& problemi);

// A field table from a call record (none: every row empty). A conversion the fields carry
// is set in rConv (bDurata, bScatti and their values); what they do not carry stays.
void ChiamataInTabella(TabellaValori& rgx, const clsChiamata* chiamata, TipoChiamata tipo,
                       ConversioniCampi& rConv);

}  // namespace tarno

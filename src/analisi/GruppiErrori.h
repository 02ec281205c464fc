#pragma once
// The failures of a reading of the sample grouped by call kind, field and reason, each group
// with the fixes that apply to it; a fix changes the driver so that the group's values read.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tarno {

class clsDriver;
class clsLetturaCampione;

enum class MotivoGruppo {
    Vuoto,         // a required field left blank
    NonLetto,      // a value the field's format or kind does not read
    ConLettere,    // a number read with other characters than its digits
    SenzaFormato,  // a date or time field left out of the reading for want of a format
};

struct Correzione {
    enum Tipo {
        OPZIONALE,       // the field becomes optional
        DURATA_ZERO,     // a blank duration reads as 0 (the duration becomes optional)
        FORMATO,         // the field takes iFormato, which reads every non-blank value (0:
                         // sTesto, a common format the catalogue lacks, is added to it first)
        SOLO_CIFRE,      // only the digits (and a leading '+') are kept
        TOGLI_TESTO,     // sTesto, printed before or after the value, is dropped
        SPOSTA_COLONNE,  // the field moves to iInizio, iLunghezza
    };
    Tipo tipo = OPZIONALE;
    int16_t iFormato = 0;
    std::string sTesto;  // TOGLI_TESTO: the text dropped; FORMATO: the format's text
    int16_t iInizio = 0, iLunghezza = 0;
};

struct GruppoErrori {
    bool bEntranti = true;
    std::string sCampo;
    MotivoGruppo motivo = MotivoGruppo::Vuoto;
    size_t iChiamate = 0;              // calls whose field fails for this reason
    std::vector<std::string> vValori;  // their non-blank texts, each once, as cut out
    std::vector<Correzione> vCorrezioni;
};

// The formats of the catalogue as (code, text): dates and times apart, so that a time or a
// duration is never offered a date format.
struct FormatiCatalogo {
    std::vector<std::pair<int16_t, std::string>> vData, vOra;
};

// The groups of failures in the complete calls of the reading of the sample with driver, in
// the order of the pages' fields, incoming first.
std::vector<GruppoErrori> GruppiErrori(const clsLetturaCampione& lettura, const clsDriver& driver,
                                       const FormatiCatalogo& formati);

// The group of a date or time field (sCampo, of the incoming calls or not) that a reading left
// out for want of a format, from a reading of the same sample with a driver that holds the
// field with any format: the complete calls of its kind, the field's non-blank texts and, as
// its fix, the catalogue's first format of the field's kind that reads them all, else the
// strictest common format that does (code 0); no fix when every text is blank.
GruppoErrori GruppoSenzaFormato(const clsLetturaCampione& conCampo, bool bEntranti,
                                const std::string& sCampo, const FormatiCatalogo& formati);

// Applies a fix of a group to the driver; false when the driver has no such field (a field
// left out for want of a format is not in it: its format goes to the field's table row).
bool ApplicaCorrezione(clsDriver& driver, const GruppoErrori& gruppo, const Correzione& c);

}  // namespace tarno

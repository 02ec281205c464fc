#pragma once
// Legacy drivers: recognising a file of the legacy line-numbered format ("* DRVTARNO 03.00"),
// reading its fixed 78-line layout into a driver document, and adding what the legacy
// transformation program chosen by the user stood for.
//
// Text is Windows-1252 bytes, as everywhere in the core. Messages go through the caller's sink.
//
// Lines of a legacy file end at CR LF. A CR alone and an LF alone also end a line (each is
// one terminator; CR LF counts once); a terminator at the very end of the file does not start
// a further, empty line.
//
// Run-time errors of the reader take its error path: the message
//   "Impossibile effettuare l'importazione del driver." CR "Errore n° " number ":" description
// with the critical-stop icon, then the document is emptied (clsDriver::Delete) and the reader
// returns false. The numbers:
//   5    ERR_ARGOMENTO      a character code outside 0-255 on a transfer line
//   6    ERR_OVERFLOW       a number that does not fit a 16-bit integer (as read, or after the
//                           +1 / sign change the conversion applies)
//   53   ERR_FILE           the file cannot be opened or read
//   62   ERR_FINE_FILE      the notes block runs past the end of the file (no "VARIE" line)
//   457  ERR_CHIAVE        a field whose key is already taken in its record type
// The description names the line concerned where there is one.
//
// The conversion programs report their errors the same way with the text
//   "Impossibile completare il programma di trasformazione " name "." CR "Errore n° " ...
// and these numbers (besides 6 for a column that would overflow):
//   5    ERR_ARGOMENTO      a field the program works on is not declared, or a negative length
//   9    ERR_INDICE         the last condition of an empty list cannot be marked with OR
//   91   ERR_OGGETTO        the document has no record type of the direction needed

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "legacy/ErroreConversione.h"
#include "model/clsCampo.h"
#include "model/clsCondizione.h"
#include "model/clsDriver.h"
#include "model/clsTrasformazione.h"

namespace tarno {

class IMessaggi;

// Looks a format code up in the catalogue: sFormatoPulito is the text after PulisciFormato,
// bData true for the date formats ("FormatiData"), false for the time formats ("FormatiOra").
// 0 when there is none. An empty function stands for "no catalogue": every code is 0.
using CercaFormato = std::function<int16_t(const std::string& sFormatoPulito, bool bData)>;

// The first line of every legacy driver.
inline constexpr const char* MAGIC_VECCHIO_DRIVER = "* DRVTARNO 03.00";

// Error numbers of the reader and of the conversion programs.
inline constexpr int32_t ERR_ARGOMENTO = 5;
inline constexpr int32_t ERR_OVERFLOW = 6;
inline constexpr int32_t ERR_INDICE = 9;
inline constexpr int32_t ERR_FILE = 53;
inline constexpr int32_t ERR_FINE_FILE = 62;
inline constexpr int32_t ERR_OGGETTO = 91;
inline constexpr int32_t ERR_CHIAVE = 457;

// Code of the legacy transformation program chosen by the user (0 "Standard" until one is
// confirmed); the conversion dialog sets it, ApplicaTrasformazione without a code reads it.
extern int32_t glProgrammaTrasf;

// The programs the user can choose from, in the order the conversion dialog lists them.
struct ProgrammaTrasf {
    const char* sNome;
    int32_t lCodice;
};
const std::vector<ProgrammaTrasf>& ProgrammiTrasf();
// The name of a program code, "" for a code no entry carries.
std::string NomeProgrammaTrasf(int32_t lCodice);

// True when the first line of the file is exactly the magic line. A file that cannot be
// opened, or that is empty, shows "Impossibile aprire il Driver " + path and gives false.
bool ControllaVecchioDriver(const std::string& vsFileName, IMessaggi& msg);

// Gives the document its two record types: each is created when missing (with miNumRighe 1),
// gets empty field, condition and transfer-condition collections where it has none, and its
// direction (incoming 1, outgoing 2). Existing collections keep their contents.
void PreparaDriver(clsDriver& doc);

// Reads a legacy driver file into the document. True when the end of the file was reached;
// false after a run-time error, reported through msg (the document is then emptied).
// Format texts are cleaned with PulisciFormato and looked up with cerca.
bool LeggiVecchioDriver(const std::string& vsFileName, clsDriver& doc, IMessaggi& msg,
                        const CercaFormato& cerca = {});

// Prepares a legacy format text for the catalogue lookup: leading and trailing blanks
// removed; a text holding "(" keeps only what stands before the first "(", trimmed
// ("hh:mm (24 ore)" gives "hh:mm").
std::string PulisciFormato(const std::string& sFormato);

// The format code of a legacy format text: cerca of the cleaned text, 0 without a function
// or when the function fails.
int16_t CodiceFormato(const CercaFormato& cerca, const std::string& sFormato, bool bData);

// Applies the conversion program glProgrammaTrasf (or the code given) to a freshly converted
// document. An error stops the adjustments where they are (those made stay) and is reported
// through msg; the result is then false. Unknown codes do nothing.
bool ApplicaTrasformazione(clsDriver& doc, IMessaggi& msg, const CercaFormato& cerca = {});
bool ApplicaTrasformazione(clsDriver& doc, int32_t vlProgramma, IMessaggi& msg,
                           const CercaFormato& cerca = {});

// The helpers of the programs. Those that can fail throw ErroreConversione;
// ApplicaTrasformazione catches it.

// A condition with exactly these seven members set.
clsCondizione NuovaCondizione(int16_t viRiga, int16_t viInizio, int16_t viLunghezza,
                              int32_t venOperatore, const std::string& vsValore, int16_t viFormato,
                              const std::string& vsCongiunzione);
// A transformation INIZIALE / ELIMINA on the given text, with the given source.
clsTrasformazione NuovaEliminaIniziale(int16_t viRiga, int16_t viInizio, int16_t viLunghezza,
                                       const std::string& vsSorgente);
// Appends to the document's general transformations an ENTRANTI (bEntrante) or USCENTI one,
// operation ELIMINA on row 1, with the value given and the start and length of the named field
// of that record type (0 and 0 when there is no such field). Never fails.
void AggiungiEliminaSuCampo(clsDriver& doc, const std::string& vsCampo, bool bEntrante,
                            const std::string& vsValore);
// Reads a one-line record type as two lines split at column viColonna: every general
// transformation, and every field and condition of the chosen record type, whose start is at
// or after the column moves to row 2, start − column + 1; the record type gets two lines.
// Never fails.
void SpostaSuRiga2(clsDriver& doc, int16_t viColonna, bool bEntrante);
// Month codes "jan" to "dec".
void ImpostaMesiInglesi(clsDriver& doc);
// The date field of a date printed on its own line: "dData", row 1, column 76, 8 long, format
// of "gg/mm/aa".
clsCampo NuovoCampoDataIsolata(const CercaFormato& cerca = {});
// Durations in tenths of a minute: each duration field gets a CAMPO transformation MOLTIPLICA
// "1,8" by "6". A record type without a duration field is left as it is.
void DurataDecimiMinuto(clsDriver& doc);
void ConvertiBrondi2448(clsDriver& doc);
void ConvertiTieOnix(clsDriver& doc);

}  // namespace tarno

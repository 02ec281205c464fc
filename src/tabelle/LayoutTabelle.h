#pragma once
// The layout of the tables the pages edit: which row and column of each table holds what.
// The pages show these tables in their grids; the mapping between the field tables and the
// call records (MappaChiamate) reads and fills them by the same numbers.

namespace tarno {

// The field tables (incoming and outgoing): one row per call field, the row being the field's
// index in its direction.
namespace Campi {
// COL_CIFRE: only the digits of a text field's value are kept (OPZ_SI); unset otherwise.
enum Colonna {
    COL_RIGA,
    COL_POSIZ,
    COL_LUNG,
    COL_ALLIN,
    COL_FORMATO,
    COL_OPZ,
    COL_CIFRE,
    NUM_COLONNE
};
// Rows with a special meaning.
constexpr int RIGA_DATA = 0;
constexpr int RIGA_ORA_INIZIO = 1;
constexpr int RIGA_ORA_FINE = 2;
constexpr int RIGA_DURATA = 3;
constexpr int RIGA_SCATTI = 4;
constexpr int RIGA_DERIVATO = 5;
constexpr int RIGA_DURATA_SQUILLO = 9;  // incoming calls only
// Rows read as text (the others are dates, times, durations and pulses).
constexpr bool RigaDiTesto(int r, bool bEntranti) {
    return r >= RIGA_DERIVATO && !(bEntranti && r == RIGA_DURATA_SQUILLO);
}
// Stored values of the Opz. column ("" = unset) and of the Allin. column.
constexpr const char* OPZ_SI = "True";
constexpr const char* OPZ_NO = "False";
constexpr const char* ALLIN_NESSUNO = "0";
constexpr const char* ALLIN_DESTRA = "1";
constexpr const char* ALLIN_SINISTRA = "2";
}  // namespace Campi

// The identification table: one row per setting, its value in column 1.
namespace Ident {
enum Riga : int {
    RIGA_ENTRANTI = 0,
    RIGA_USCENTI = 1,
    RIGA_TRASF_ENTRANTI = 2,
    RIGA_TRASF_USCENTI = 3,
    RIGA_OFFSET = 4,
    RIGA_ULTIMA_RIGA = 5,
    NUM_RIGHE = 6,
};
}  // namespace Ident

// The transformations table: one row per option, "Sì" or "No" in column 1.
namespace Trasf {
enum Riga {
    DATA_ISOLATA = 0,
    MESI_IN_LETTERE = 1,
    DURATA = 2,
    SCATTI = 3,
    IGNORA_VUOTE = 4,
    PRESCANNING = 5,
    NUM_RIGHE = 6,
};
}  // namespace Trasf

}  // namespace tarno

#pragma once
// Date and time format texts of the catalogue ("gg/mm/aa", "gg mmm aaaa", "hh:mm:ss", "ss" ...),
// read by their letters: runs of g (day), m (month, or minutes after an hour or in a format
// without day and year), mmm (a month code of the driver), a (year: aa or aaaa), h (hours) and
// s (seconds); "AM/PM" (any case) takes "AM" or "PM" and "A/P" takes "A" or "P", making the
// hours a 12-hour clock (12 AM is midnight, 12 PM noon). Every other character is a literal that
// the value must hold at that place.
//
// A run of two or more letters takes exactly that many digits; a single letter takes one or
// more digits (up to two for day and month); a format that is one run alone ("ss") takes a
// count of any number of digits. Blanks around the value are ignored. Two-digit years are
// years 2000 to 2099.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// A year printed with two digits is of this century up to the current year and of the last one
// after it (a printout holds no call of the future): 26 is 2026 in 2026, 99 is 1999. The
// editor's date box follows the same rule.
int AnnoDaDueCifre(int iAnno, int iAnnoOggi);
// The current year of the system's calendar (UTC).
int AnnoCorrente();

// What a value gave: each part is -1 when the format has no run for it.
struct ValoreDataOra {
    int32_t iGiorno = -1;
    int32_t iMese = -1;
    int32_t iAnno = -1;
    int64_t iOre = -1;
    int64_t iMinuti = -1;
    int64_t iSecondi = -1;

    bool HaData() const { return iGiorno >= 0 || iMese >= 0 || iAnno >= 0; }
    bool HaTempo() const { return iOre >= 0 || iMinuti >= 0 || iSecondi >= 0; }
    // The seconds of the hours, minutes and seconds read (parts missing count 0).
    int64_t TotaleSecondi() const;
    // "2026-12-01"; without a year "--12-01"; without a day "2026-12".
    std::string TestoData() const;
    // "08:05:00".
    std::string TestoOra() const;
};

using CodiciMesi = std::array<std::string, 12>;

class clsFormatoDataOra {
  public:
    clsFormatoDataOra() = default;
    explicit clsFormatoDataOra(std::string_view sTesto);

    const std::string& Testo() const { return msTesto; }
    // The format has a day, a month or a year.
    bool EData() const { return mbData; }
    // The format has hours, minutes or seconds.
    bool ETempo() const { return mbTempo; }
    // The format uses the driver's month codes.
    bool UsaMesi() const { return mbMesi; }

    // Reads a value; nullopt when it does not match or a part is out of range, with the
    // reason in rsErrore (Windows-1252 text). Hours are not limited here (durations).
    std::optional<ValoreDataOra> Leggi(std::string_view sValore, const CodiciMesi& mesi,
                                       std::string* rsErrore = nullptr) const;

  private:
    enum class Parte : char {
        Letterale,
        Giorno,
        Mese,
        MeseCodice,
        Anno,
        Ore,
        Minuti,
        Secondi,
        Meridiano
    };
    struct Elemento {
        Parte parte;
        int iLarghezza;          // letters of the run
        std::string sLetterale;  // for Letterale
    };

    std::string msTesto;
    std::vector<Elemento> mvElementi;
    bool mbData = false;
    bool mbTempo = false;
    bool mbMesi = false;
    bool mbSolo = false;  // one run alone: any number of digits
};

}  // namespace tarno

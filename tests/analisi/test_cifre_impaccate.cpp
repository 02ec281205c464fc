// Fields glued into runs of digits: which reading of the runs comes first, and where a field
// glued to a short code begins.

#include <gtest/gtest.h>

#include "analisi/CifreImpaccate.h"

namespace {

using namespace tarno;

const std::vector<std::string> kFormati = {"hhmm",   "hhmmss", "mmgg",  "ggmm",
                                           "ggmmaa", "mmggaa", "aammgg"};

// The best reading of the first run: "format@column" for each field, "=" before a duration,
// "decimi" for hours, minutes and tenths; "" when no run or no reading.
std::string Prima(const std::vector<std::string>& righe) {
    const auto corse = DividiCifre(righe, kFormati);
    if (corse.empty() || corse.front().vLetture.empty()) return "";
    std::string s;
    for (const auto& p : corse.front().vLetture.front().vPezzi) {
        if (!s.empty()) s += ' ';
        s += p.bDecimi ? "decimi" : (p.bDurata ? "=" : "") + kFormati[p.iFormato];
        s += "@" + std::to_string(p.a);
    }
    return s;
}

TEST(CifreImpaccate, OgniCorsaHaLaSuaLettura) {
    struct Caso {
        const char* cosa;
        std::vector<std::string> righe;
        const char* attesa;
    };
    const Caso casi[] = {
        {"month-day and time, start and end, after a record's kind glued to its codes",
         {"0!KA0100010012101  12220801141222080530  0555120340",
          "0!KA0100020012105  122208300012220845124455  00390555776611",
          "0!KA0110010012110  12220915591222091602  0555998877"},
         "mmgg@19 hhmmss@23 mmgg@29 hhmmss@33"},
        {"day-month and hours and minutes, shifted, the day changing",
         {"X 31     0703080107030805", "X 201    0703091207030940", "X 201    0803075508030800",
          "X 4410   0803235009030005", "X 22     0903140209031409"},
         "ggmm@9 hhmm@13 ggmm@17 hhmm@21"},
        {"a time, then hours, minutes and tenths, then a code",
         {"   0814002579  1010555123456", "   083101109   10234010", "   09450004H   10234000",
          "   10200050A   1035550147", "   11000081C   10234001", "   133700020      34007"},
         "hhmm@3 decimi@7"},
        {"a date with its year, a time and a duration of hours, minutes, seconds",
         {"071226081400000230  201", "071226090511001204  201", "071226101520000045  202",
          "071226113000010503  201", "071226140203000317  201"},
         "ggmmaa@0 hhmmss@6 =hhmmss@12"},
        {"a zero-filled id after a one-letter type, then date, time and duration",
         {"R01D000310T00047110091455000312", "R02T000522D00031210091602001045",
          "R03D000318T00044410101230000059", "R04D000307T00047110120807000210"},
         "mmgg@17 hhmm@21 =hhmmss@25"},
        {"an extension glued to others: the same hour on every line is no time",
         {"  1000004200:00:42", "  1010018700:03:07", "  1050123400:20:34", "  1000000500:00:05",
          "  1030036000:06:00"},
         ""},
        {"numbers dialled: nothing reads as times",
         {"  0555123456", "  0555778899", "  0049305550123", "  0555112233"},
         ""},
    };
    for (const auto& c : casi) EXPECT_EQ(Prima(c.righe), c.attesa) << c.cosa;
}

TEST(CifreImpaccate, UnCodiceAttaccatoSiStaccaDoveAltreRigheLoStampanoDaSolo) {
    struct Caso {
        const char* cosa;
        std::vector<std::string> righe;
        std::vector<int> confini;
    };
    const Caso casi[] = {
        {"access codes 101-103 glued to the number, an internal number alone",
         {"  1010555123456 X", "  10234010      X", "  1035550147    X", "     34007      X",
          "  1010555667788 X", "  10234001      X", "  1010555909090 X", "  1035550188    X"},
         {5}},
        {"one code on every line is the number's own prefix",
         {"  0555123456", "  0555778899", "     3100", "  0555112233"},
         {}},
        {"right-aligned numbers start where their length puts them",
         {"   5550147", "0555123456", "   5550188", "0555101010", "0555909090"},
         {}},
    };
    for (const auto& c : casi) {
        std::vector<size_t> tutte(c.righe.size());
        for (size_t i = 0; i < tutte.size(); ++i) tutte[i] = i;
        EXPECT_EQ(ConfiniNelleCifre(c.righe, tutte), c.confini) << c.cosa;
    }
}

}  // namespace

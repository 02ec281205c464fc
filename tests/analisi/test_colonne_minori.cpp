// Small columns that blanks do not set apart: a code glued after a count, a label before every
// value.

#include <gtest/gtest.h>

#include "analisi/ColonneMinori.h"

namespace {

using namespace tarno;

TEST(ColonneMinori, CodiceDopoConteggioSoloDoveUnCodiceNonHaMaiAddebito) {
    struct Caso {
        std::vector<std::string_view> righe;
        int colonna, conteggio;  // -1: none
        char senza;
        std::pair<int, int> presa{-1, -1};
    };
    const Caso casi[] = {
        // Units then the kind, an account code glued on some lines: "1" never charged.
        {{"A  12", "A  01", "A 3724711", "A  01", "A  62"}, 4, 2, '1'},
        // Three codes, the count wider on some lines.
        {{"x   45", "x   03", "x  127", "x   03", "x   35", "x   17"}, 5, 3, '3'},
        // Digits after the column on every line: one value (0201, 109), not a count and a code.
        {{" 0201 5", " 109 5", " 0203 5", " 104 5", " 0201 5"}, -1, -1, 0},
        // Both codes charged, or a count that is no count of its own (glued to a time).
        {{"  10", "  15", "  20", "  25", "  30"}, -1, -1, 0},
        {{"08:12", "08:21", "09:32", "09:41", "10:02"}, -1, -1, 0},
        // The column taken by another field.
        {{"A  12", "A  01", "A  32", "A  01"}, -1, -1, 0, {3, 5}},
        // Too few lines to tell.
        {{"A  12", "A  01", "A  32"}, -1, -1, 0},
    };
    for (const auto& c : casi) {
        std::vector<std::pair<int, int>> prese;
        if (c.presa.first >= 0) prese.push_back(c.presa);
        const auto t = TrovaCodiceDopoConteggio(c.righe, prese);
        SCOPED_TRACE(std::string(c.righe.front()));
        ASSERT_EQ(t.has_value(), c.colonna >= 0);
        if (!t) continue;
        EXPECT_EQ(t->iColonna, c.colonna);
        EXPECT_EQ(t->cSenzaAddebito, c.senza);
        EXPECT_EQ(t->iConteggio, c.conteggio);
    }
}

TEST(ColonneMinori, EtichettaSoloSeUgualeSuOgniValore) {
    const std::pair<std::set<std::string>, std::string> casi[] = {
        {{"DN2001", "DN2003", "DN35"}, "DN"},
        {{"X201", "X202"}, "X"},
        {{"E201", "T9001"}, ""},     // the letter says the kind of party
        {{"201", "202"}, ""},        // no letters
        {{"DN2001"}, ""},            // one value says nothing
        {{"DN20A1", "DN2003"}, ""},  // not digits after the letters
        {{"ABCD201", "ABCD202"}, ""},
    };
    for (const auto& [valori, etichetta] : casi)
        EXPECT_EQ(EtichettaCostante(valori), etichetta) << *valori.begin();
    // A field taken from the other kind keeps its label only where every value carries it.
    EXPECT_EQ(StessaEtichetta("S", {"S20"}), "S");
    EXPECT_EQ(StessaEtichetta("S", {"S20", "L01"}), "");
    EXPECT_EQ(StessaEtichetta("", {"S20", "S21"}), "");
}

TEST(ColonneMinori, NomiRariELetteraInCoda) {
    const std::pair<std::set<std::string>, std::set<std::string>> nomi[] = {
        {{"TN221", "TN222", "TN223", "TN224", "Door 1"}, {"TN221", "TN222", "TN223", "TN224"}},
        {{"TN221", "TN222", "Door 1"}, {"TN221", "TN222", "Door 1"}},  // too many names
        {{"TN221", "Office", "TN223", "TN224", "TN225"}, {"TN221", "TN223", "TN224", "TN225"}},
        {{"201", "202"}, {"201", "202"}},
    };
    for (const auto& [valori, resto] : nomi) EXPECT_EQ(SenzaNomiRari(valori), resto);
    const std::pair<std::set<std::string>, char> code[] = {
        {{"00004e", "00000e", "00049e"}, 'e'},
        {{"12U", "3U"}, 'U'},
        {{"00004e", "00003f"}, 0},  // not the same letter
        {{"00004e", "00003"}, 0},   // not on every value
        {{"A1e", "03e"}, 0},        // not digits before it
        {{"e"}, 0},
    };
    for (const auto& [valori, lettera] : code)
        EXPECT_EQ(LetteraInCoda(valori), lettera) << *valori.begin();
}

}  // namespace

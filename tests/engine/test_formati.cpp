// Date and time format texts read by their letters, with the demo catalogue's formats.

#include <gtest/gtest.h>

#include "FormatoDataOra.h"

namespace {

using namespace tarno;

const CodiciMesi kMesi = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                          "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
const CodiciMesi kSenzaMesi{};

std::string Data(const char* formato, const char* valore, const CodiciMesi& mesi = kMesi) {
    std::string errore;
    const auto v = clsFormatoDataOra(formato).Leggi(valore, mesi, &errore);
    return v ? v->TestoData() : "errore: " + errore;
}

std::string Ora(const char* formato, const char* valore) {
    std::string errore;
    const auto v = clsFormatoDataOra(formato).Leggi(valore, kMesi, &errore);
    return v ? v->TestoOra() + " = " + std::to_string(v->TotaleSecondi()) : "errore: " + errore;
}

TEST(Formati, LeDateDelCatalogoDemo) {
    EXPECT_EQ(Data("gg/mm/aa", "01/12/26"), "2026-12-01");
    EXPECT_EQ(Data("gg/mm/aaaa", "31/01/2025"), "2025-01-31");
    EXPECT_EQ(Data("aa/mm/gg", "26/12/01"), "2026-12-01");
    EXPECT_EQ(Data("gg.mm.aa", "29.02.24"), "2024-02-29");
    EXPECT_EQ(Data("mm/gg/aa", "12/31/26"), "2026-12-31");
    EXPECT_EQ(Data("ggmmaa", "010226"), "2026-02-01");
    EXPECT_EQ(Data("gg mmm aaaa", "01 DIC 2026"), "2026-12-01");
    EXPECT_EQ(Data("gg mmm aaaa", "15 gen 2027"), "2027-01-15");  // codes without case
    EXPECT_EQ(Data("gg/mm", "29/02"), "--02-29");                 // no year: a leap day is allowed
    // Blanks around the value do not count.
    EXPECT_EQ(Data("gg/mm/aa", "  01/12/26 "), "2026-12-01");
}

TEST(Formati, DateNonValide) {
    EXPECT_EQ(Data("gg/mm/aa", "29/02/25"), "errore: giorno 29 non valido per il mese 2");
    EXPECT_EQ(Data("gg/mm/aa", "01/13/26"), "errore: mese 13 non valido");
    EXPECT_EQ(Data("gg/mm/aa", "00/12/26"), "errore: giorno 0 non valido per il mese 12");
    EXPECT_EQ(Data("gg/mm", "30/02"), "errore: giorno 30 non valido per il mese 2");
    EXPECT_EQ(Data("gg/mm/aa", "1/12/26"),
              "errore: \"1/12/26\" non corrisponde al formato \"gg/mm/aa\"");
    EXPECT_EQ(Data("gg/mm/aa", "01-12-26"),
              "errore: \"01-12-26\" non corrisponde al formato \"gg/mm/aa\"");
    EXPECT_EQ(Data("gg/mm/aa", "01/12/26x"),
              "errore: \"01/12/26x\" non corrisponde al formato \"gg/mm/aa\"");
    EXPECT_EQ(Data("gg/mm/aa", "   "), "errore: valore vuoto");
    EXPECT_EQ(Data("gg mmm aaaa", "01 DEC 2026"),
              "errore: \"01 DEC 2026\" non corrisponde al formato \"gg mmm aaaa\"");
    EXPECT_EQ(Data("gg mmm aaaa", "01 DIC 2026", kSenzaMesi),
              "errore: codici dei mesi non impostati nel driver");
}

TEST(Formati, LeOreDelCatalogoDemo) {
    EXPECT_EQ(Ora("hh:mm", "08:05"), "08:05:00 = 29100");
    EXPECT_EQ(Ora("hh:mm:ss", "00:11:08"), "00:11:08 = 668");
    EXPECT_EQ(Ora("hhmm", "2359"), "23:59:00 = 86340");
    EXPECT_EQ(Ora("mm:ss", "75:30"), "00:75:30 = 4530");  // minutes without hours are a count
    EXPECT_EQ(Ora("hh.mm", "12.30"), "12:30:00 = 45000");
    EXPECT_EQ(Ora("hhmmss", "010203"), "01:02:03 = 3723");
    EXPECT_EQ(Ora("h:mm:ss", "1:02:03"), "01:02:03 = 3723");
    EXPECT_EQ(Ora("h:mm:ss", "125:00:00"), "125:00:00 = 450000");  // a duration past a day
    EXPECT_EQ(Ora("mmss", "0013"), "00:00:13 = 13");
    // "ss": a plain count of seconds of any number of digits.
    EXPECT_EQ(Ora("ss", "16052"), "00:00:16052 = 16052");
    EXPECT_EQ(Ora("ss", "7"), "00:00:07 = 7");
}

TEST(Formati, OreNonValide) {
    EXPECT_EQ(Ora("hh:mm", "08:60"), "errore: minuti 60 non validi");
    EXPECT_EQ(Ora("hh:mm:ss", "00:11:61"), "errore: secondi 61 non validi");
    EXPECT_EQ(Ora("mmss", "0075"), "errore: secondi 75 non validi");
    EXPECT_EQ(Ora("hh:mm", "8:05"), "errore: \"8:05\" non corrisponde al formato \"hh:mm\"");
    EXPECT_EQ(Ora("hh:mm:ss", "00'11'08"),
              "errore: \"00'11'08\" non corrisponde al formato \"hh:mm:ss\"");
    EXPECT_EQ(Ora("ss", "12a"), "errore: \"12a\" non corrisponde al formato \"ss\"");
}

TEST(Formati, GenereDelFormato) {
    EXPECT_TRUE(clsFormatoDataOra("gg/mm").EData());
    EXPECT_FALSE(clsFormatoDataOra("gg/mm").ETempo());
    EXPECT_TRUE(clsFormatoDataOra("mm/gg/aa").EData());
    EXPECT_TRUE(clsFormatoDataOra("gg mmm aaaa").UsaMesi());
    EXPECT_FALSE(clsFormatoDataOra("mmss").EData());  // minutes before seconds
    EXPECT_TRUE(clsFormatoDataOra("mmss").ETempo());
    EXPECT_FALSE(clsFormatoDataOra("hhmm").EData());
    // A date and a time in one format: "mm" after the hours is the minutes.
    const auto v = clsFormatoDataOra("gg/mm/aa hh:mm").Leggi("01/12/26 08:05", kMesi);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->TestoData(), "2026-12-01");
    EXPECT_EQ(v->TestoOra(), "08:05:00");
}

}  // namespace

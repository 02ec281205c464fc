// Date and time format texts read by their letters: the demo catalogue's formats and the values
// they accept or refuse, as date ("2026-12-01"), time ("08:05:00 = seconds") or both.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "engine/FormatoDataOra.h"

namespace {

using namespace tarno;

struct Caso {
    const char* formato;
    const char* valore;
    std::string atteso;
    bool bMesi = true;  // the driver has month codes
};

std::string Letto(const Caso& c) {
    static const CodiciMesi mesi = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                    "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
    const clsFormatoDataOra f(c.formato);
    std::string errore;
    const auto v = f.Leggi(c.valore, c.bMesi ? mesi : CodiciMesi{}, &errore);
    if (!v) return "errore: " + errore;
    std::string s = f.EData() ? v->TestoData() : "";
    if (f.ETempo())
        s += (s.empty() ? "" : " ") + v->TestoOra() + " = " + std::to_string(v->TotaleSecondi());
    return s;
}

TEST(Formati, UnAnnoDiDueCifreNonEMaiNelFuturo) {
    EXPECT_EQ(AnnoDaDueCifre(26, 2026), 2026);
    EXPECT_EQ(AnnoDaDueCifre(27, 2026), 1927);
    EXPECT_EQ(AnnoDaDueCifre(0, 2100), 2100);
    EXPECT_EQ(AnnoDaDueCifre(99, 2100), 2099);
}

TEST(Formati, ValoriLettiERifiutati) {
    const std::vector<Caso> casi = {
        {"gg/mm/aa", "01/12/26", "2026-12-01"},
        {"gg/mm/aa", "  01/12/26 ", "2026-12-01"},  // blanks around the value do not count
        {"gg/mm/aaaa", "31/01/2025", "2025-01-31"},
        {"aa/mm/gg", "26/12/01", "2026-12-01"},
        {"gg.mm.aa", "29.02.24", "2024-02-29"},
        {"gg/mm/aa", "31/12/99", "1999-12-31"},  // a year after this one is of the last century
        {"mm/gg/aa", "12/31/26", "2026-12-31"},
        {"ggmmaa", "010226", "2026-02-01"},
        {"mm-gg-aaaa", "12-31-2026", "2026-12-31"},  // month first: "mm" before the day
        {"mm/gg/aa", "02/29/25", "errore: giorno 29 non valido per il mese 2"},
        {"aaaammgg", "20261201", "2026-12-01"},  // year first, no separators
        {"aaaammgg", "20261301", "errore: mese 13 non valido"},
        {"gg.mm.aaaa", "29.02.2024", "2024-02-29"},
        {"gg mmm aaaa", "01 DIC 2026", "2026-12-01"},
        {"gg mmm aaaa", "15 gen 2027", "2027-01-15"},  // month codes without case
        {"gg/mm", "29/02", "--02-29"},                 // no year: a leap day is allowed
        {"gg/mm/aa", "29/02/25", "errore: giorno 29 non valido per il mese 2"},
        {"gg/mm/aa", "01/13/26", "errore: mese 13 non valido"},
        {"gg/mm/aa", "00/12/26", "errore: giorno 0 non valido per il mese 12"},
        {"gg/mm", "30/02", "errore: giorno 30 non valido per il mese 2"},
        {"gg/mm/aa", "1/12/26", "errore: \"1/12/26\" non corrisponde al formato \"gg/mm/aa\""},
        {"gg/mm/aa", "01-12-26", "errore: \"01-12-26\" non corrisponde al formato \"gg/mm/aa\""},
        {"gg/mm/aa", "01/12/26x", "errore: \"01/12/26x\" non corrisponde al formato \"gg/mm/aa\""},
        {"gg/mm/aa", "   ", "errore: valore vuoto"},
        {"gg mmm aaaa", "01 DEC 2026",
         "errore: \"01 DEC 2026\" non corrisponde al formato \"gg mmm aaaa\""},
        {"gg mmm aaaa", "01 DIC 2026", "errore: codici dei mesi non impostati nel driver", false},
        {"hh:mm", "08:05", "08:05:00 = 29100"},
        {"hh:mm:ss", "00:11:08", "00:11:08 = 668"},
        {"hhmm", "2359", "23:59:00 = 86340"},
        {"mm:ss", "75:30", "00:75:30 = 4530"},  // minutes without hours are a count
        {"hh.mm", "12.30", "12:30:00 = 45000"},
        {"hhmmss", "010203", "01:02:03 = 3723"},
        {"h:mm:ss", "1:02:03", "01:02:03 = 3723"},
        {"h:mm:ss", "125:00:00", "125:00:00 = 450000"},  // a duration past a day
        {"mmss", "0013", "00:00:13 = 13"},               // minutes before seconds: a time
        {"ss", "16052", "00:00:16052 = 16052"},  // a run alone: a count of any number of digits
        {"ss", "7", "00:00:07 = 7"},
        {"hh:mm", "08:60", "errore: minuti 60 non validi"},
        {"hh:mm:ss", "00:11:61", "errore: secondi 61 non validi"},
        {"mmss", "0075", "errore: secondi 75 non validi"},
        {"hh:mm", "8:05", "errore: \"8:05\" non corrisponde al formato \"hh:mm\""},
        {"hh:mm:ss", "00'11'08", "errore: \"00'11'08\" non corrisponde al formato \"hh:mm:ss\""},
        {"ss", "12a", "errore: \"12a\" non corrisponde al formato \"ss\""},
        // A 12-hour clock: 12 AM is midnight, 12 PM noon.
        {"hh:mm AM/PM", "02:15 PM", "14:15:00 = 51300"},
        {"h:mm am/pm", "12:05 am", "00:05:00 = 300"},
        {"h:mmA/P", "12:30p", "12:30:00 = 45000"},
        {"hh:mm AM/PM", "13:15 PM", "errore: ore 13 non valide con AM/PM"},
        {"hh:mm AM/PM", "02:15 XM",
         "errore: \"02:15 XM\" non corrisponde al formato \"hh:mm AM/PM\""},
        {"gg/mm/aa hh:mm AM/PM", "01/12/26 11:59 PM", "2026-12-01 23:59:00 = 86340"},
        // A date and a time in one format: "mm" after the hours is the minutes.
        {"gg/mm/aa hh:mm", "01/12/26 08:05", "2026-12-01 08:05:00 = 29100"},
    };
    for (const auto& c : casi) EXPECT_EQ(Letto(c), c.atteso) << c.formato << " " << c.valore;
}

// Drivers refer to the catalogue's formats by code: every code the demo catalogue has shipped
// keeps its table and its text, and each table holds formats of its kind.
TEST(Formati, ICodiciDelCatalogoDemoNonCambiano) {
    std::set<std::string> catalogo;
    const std::regex insert(
        R"(INSERT INTO Formati(Data|Ora) \(sCodice, sFormato\) VALUES \('(\d+)', '([^']*)'\);)");
    std::ifstream sql(TARNO_DEMO_DIR "/catalogo.sql");
    for (std::string s; std::getline(sql, s);) {
        std::smatch m;
        if (!std::regex_search(s, m, insert)) continue;
        catalogo.insert(m[1].str() + "\t" + m[2].str() + "\t" + m[3].str());
        const clsFormatoDataOra f(m[3].str());
        EXPECT_TRUE(m[1] == "Data" ? f.EData() : f.ETempo()) << s;
    }
    std::ifstream attesi(TARNO_ATTESI_DIR "/formati-demo.txt");
    int n = 0;
    for (std::string s; std::getline(attesi, s);) {
        if (s.empty() || s[0] == '#') continue;
        EXPECT_TRUE(catalogo.count(s)) << s << " changed";
        ++n;
    }
    EXPECT_GT(n, 20);
}

}  // namespace

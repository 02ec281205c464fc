// Calls on several lines opened by a line of one shape: which mark opens them and how many lines
// each takes, and the proposal that reads them as calls of that many lines.

#include <gtest/gtest.h>

#include "AiutiEngine.h"
#include "analisi/RigheInBlocchi.h"
#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"
#include "model/CallFieldName.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

TEST(RigheInBlocchi, IlSegnoCheApreOgniChiamataELeSueRighe) {
    struct Caso {
        std::vector<std::string> righe;
        const char* apre;  // "" when none
        int colonna;
        std::vector<size_t> lunghezze;
    } const casi[] = {
        {{"#0001 LD", "21/10/26 08:12", "#0002", "21/10/26 08:40", "#0003 IC", "21/10/26 09:05"},
         "#",
         0,
         {2, 2, 2}},
        // Varying lines; the last call takes no more than the longest, lines before the first
        // opener belong to none.
        {{"TITLE", "  CALL 1 08:00", "00:00 OUT", "DIGITS 555", "00:04 END", "  CALL 2 08:10",
          "00:02 END", "  CALL 3 08:20", "00:00 OUT", "00:01 END", "x", "y", "z"},
         "CALL",
         2,
         {4, 2, 4}},
        {{"--------", "08:00 a", "--------", "09:00 b", "--------", "10:00 c"}, "", 0, {}},
        {{"* 08:00 a", "* 09:00 b", "* 10:00 c"}, "", 0, {}},
        {{"# REPORT 2026", "08:00 a", "# REPORT 2026", "09:00 b", "# REPORT 2026", "10:00 c"},
         "",
         0,
         {}},
        {{"* 08:00 a", "x", "* 09:00 b", "y"}, "", 0, {}},
        {{"* 1", "a", "b", "c", "d", "e", "f", "g", "h", "* 2", "a", "* 3", "b"}, "", 0, {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.righe.front());
        const auto b = TrovaBlocchi(c.righe);
        ASSERT_EQ(b.has_value(), *c.apre != 0);
        if (!b) continue;
        EXPECT_EQ(b->sApre, c.apre);
        EXPECT_EQ(b->iColonna, c.colonna);
        EXPECT_EQ(b->vRighe, c.lunghezze);
    }
}

TEST(RigheInBlocchi, LaPropostaLeggeLeChiamateSuTreRighe) {
    std::string byte;
    const char* tipi[] = {"OUT", "IN", "OUT", "IN", "OUT"};
    for (int i = 0; i < 5; ++i)
        byte += "REC 000" + std::to_string(i + 1) + " " + tipi[i] + "\r\n   2026-10-2" +
                std::to_string(i + 1) + "  0" + std::to_string(i + 1) + ".12.30  0" +
                std::to_string(i + 1) + ".16.05   03:35   E10" + std::to_string(i) +
                "\r\n   NR 0555" + std::to_string(100000 + i * 7919) + "\r\n";
    const Proposta p = ProponiDriver(byte, FormatiDemo());
    ASSERT_TRUE(p.driver.moUscenti && p.driver.moEntranti);
    EXPECT_EQ(p.driver.moUscenti->miNumRighe, 3);
    const clsCampo* numero =
        p.driver.moUscenti->mcolCampi->Trova(std::to_string(IndiceCampo("sNumero", false)));
    ASSERT_TRUE(numero);
    EXPECT_EQ(numero->miRiga, 3);
    MappaFormati formati = FormatiDemo();
    for (const auto& n : p.vFormatiNuovi) formati[n.iCodice] = n.sTesto;
    const auto conti = clsLetturaCampione(p.driver, formati, byte).Conteggi();
    EXPECT_EQ(conti.iEntranti, 2u);
    EXPECT_EQ(conti.iUscenti, 3u);
    EXPECT_EQ(conti.iNonRiconosciute, 0u);
    EXPECT_EQ(conti.iValoriNonValidi, 0u);
    // A date line or a page title (with column titles) above a varying number of calls of one
    // line each opens no call.
    const char* gruppi[] = {
        "DATE 12/07/26\r\n08:14:05 221 5550142  00:04:12\r\n08:30:51 224 6135550187 00:01:58\r\n"
        "DATE 12/08/26\r\n09:02:10 226 5550199  00:02:47\r\n10:11:40 222 5550133  00:12:59\r\n"
        "11:45:00 221 6135550164 00:00:22\r\nDATE 12/09/26\r\n08:02:33 224 5550198  00:00:41\r\n",
        "** PAGE 1 **\r\nTIME     EXT NUMBER     DUR\r\n08:14:05 221 5550142    00:04:12\r\n"
        "** PAGE 2 **\r\nTIME     EXT NUMBER     DUR\r\n09:02:10 226 5550199    00:02:47\r\n"
        "10:11:40 222 5550133    00:12:59\r\n** PAGE 3 **\r\nTIME     EXT NUMBER     DUR\r\n"
        "11:45:00 221 6135550164 00:00:22\r\n12:02:33 224 5550198    00:00:41\r\n",
    };
    for (const char* g : gruppi) {
        const Proposta una = ProponiDriver(g, FormatiDemo());
        ASSERT_TRUE(una.driver.moUscenti);
        EXPECT_EQ(una.driver.moUscenti->miNumRighe, 1) << g;
    }
    // A kind's code before the time, other kinds' calls between, opens no call; with no mark,
    // a call always followed by one line of one shape (its number; the third call's account
    // code empty) is a call of that many lines, blank lines counted.
    const std::string coppie =
        "IN  09:11:00 16052 2011\r\n021657788\r\n\r\nOUT 10:16:13 21926 2012\r\n0920951719\r\n"
        "44\r\nIN  11:21:26 18317 2013\r\n026263809\r\n\r\nIN  13:31:52 16305 2015\r\n"
        "028653855\r\n\r\nOUT 14:36:05 2283  2016\r\n0389845088\r\n\r\n";
    const Proposta tre = ProponiDriver(coppie, FormatiDemo());
    ASSERT_TRUE(tre.driver.moUscenti && tre.driver.moEntranti);
    EXPECT_EQ(tre.driver.moUscenti->miNumRighe, 3);
    EXPECT_FALSE(tre.driver.mbIngnoraRigheVuote);
    const auto letti = clsLetturaCampione(tre.driver, FormatiDemo(), coppie).Conteggi();
    EXPECT_EQ(letti.iEntranti, 3u);
    EXPECT_EQ(letti.iUscenti, 2u);
    EXPECT_EQ(letti.iValoriNonValidi, 0u);
}

}  // namespace

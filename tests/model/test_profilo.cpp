// The profile lookup through which every key of a driver is read.

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "clsProfiloINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

TEST(ProfiloINI, FirstSectionAndFirstKeyIgnoringCase) {
    const auto p = clsProfiloINI::DaTesto(
        "[centralino]\r\nAutore=primo\r\nAUTORE=secondo\r\n[Altro]\r\nk=1\r\n"
        "[CENTRALINO]\r\nAutore=terzo\r\nMarca=solo nella seconda\r\n");
    EXPECT_EQ(p.Leggi("Centralino", "autore"), "primo");
    EXPECT_EQ(p.Leggi("CENTRALINO", "AUTORE"), "primo");
    // Only the first section of a name is searched.
    EXPECT_EQ(p.Leggi("Centralino", "Marca"), "");
    EXPECT_EQ(p.Leggi("altro", "K"), "1");
}

TEST(ProfiloINI, BlanksAndOnePairOfQuotesRemoved) {
    const auto p = clsProfiloINI::DaTesto(
        "[S]\r\n"
        "   a   =   uno due   \r\n"
        "b=\"tra virgolette\"\r\n"
        "c='semplici'\r\n"
        "d=\"\"due paia\"\"\r\n"
        "e=\"non appaiate'\r\n"
        "f=\"\r\n"
        "g=  \"  dentro  \"  \r\n"
        "h=\"\"\r\n"
        "i=a=b\r\n");
    EXPECT_EQ(p.Leggi("S", "a"), "uno due");
    EXPECT_EQ(p.Leggi("S", "b"), "tra virgolette");
    EXPECT_EQ(p.Leggi("S", "c"), "semplici");
    EXPECT_EQ(p.Leggi("S", "d"), "\"due paia\"");
    EXPECT_EQ(p.Leggi("S", "e"), "\"non appaiate'");
    EXPECT_EQ(p.Leggi("S", "f"), "\"");
    EXPECT_EQ(p.Leggi("S", "g"), "  dentro  ");
    EXPECT_EQ(p.Leggi("S", "h"), "");
    EXPECT_EQ(p.Leggi("S", "i"), "a=b");
}

TEST(ProfiloINI, ValueIsCutAt499Characters) {
    std::string lungo;
    for (int i = 0; i < 700; ++i) lungo += static_cast<char>('a' + i % 26);
    const auto p =
        clsProfiloINI::DaTesto("[S]\r\nk=" + lungo + "\r\nj=" + lungo.substr(0, 499) + "\r\n");
    EXPECT_EQ(p.Leggi("S", "k"), lungo.substr(0, 499));
    EXPECT_EQ(p.Leggi("S", "j"), lungo.substr(0, 499));
}

TEST(ProfiloINI, MissingFileSectionKeyOrEmptyValueReadEmpty) {
    CartellaTemp c;
    EXPECT_EQ(LeggiChiaveINI(c.File("manca.drv"), "S", "k"), "");
    const std::string f = c.File("x.drv");
    ScriviFile(f, "chiave=sopra\r\n[S]\r\nk=1\r\nvuota=\r\nspazi=    \r\n");
    EXPECT_EQ(LeggiChiaveINI(f, "S", "k"), "1");
    EXPECT_EQ(LeggiChiaveINI(f, "T", "k"), "");
    EXPECT_EQ(LeggiChiaveINI(f, "S", "j"), "");
    EXPECT_EQ(LeggiChiaveINI(f, "S", "vuota"), "");
    EXPECT_EQ(LeggiChiaveINI(f, "S", "spazi"), "");
    // A key above the first header belongs to no section.
    EXPECT_EQ(LeggiChiaveINI(f, "", "chiave"), "");
    // A folder reads as a missing file.
    EXPECT_EQ(LeggiChiaveINI(c.Percorso().string(), "S", "k"), "");
}

TEST(ProfiloINI, LineEndsCrCrLfAndLf) {
    const auto cr = clsProfiloINI::DaTesto("[S]\ra=1\rb=2\r[T]\rc=3");
    EXPECT_EQ(cr.Leggi("S", "b"), "2");
    EXPECT_EQ(cr.Leggi("T", "c"), "3");
    const auto lf = clsProfiloINI::DaTesto("[S]\na=1\r\nb=2\n");
    EXPECT_EQ(lf.Leggi("S", "a"), "1");
    EXPECT_EQ(lf.Leggi("S", "b"), "2");
}

TEST(ProfiloINI, KeyListInFileOrderEachFollowedByNul) {
    const auto p = clsProfiloINI::DaTesto(
        "[Prescanning]\r\nUno=1\r\ndue=\r\nsenza uguale\r\nTre = 3\r\nuno=4\r\n[Altro]\r\nx=1\r\n");
    EXPECT_EQ(p.ElencoChiavi("prescanning"), std::string("Uno\0due\0Tre\0uno\0", 16));
    EXPECT_EQ(p.ElencoChiavi("Manca"), "");
    EXPECT_EQ(clsProfiloINI::DaTesto("[Vuota]\r\n").ElencoChiavi("Vuota"), "");
}

TEST(ProfiloINI, KeyListIsCutToTheBuffer) {
    // 60 names of 9 characters: with their NULs 600 characters, more than the 500 of the buffer.
    std::string testo = "[P]\r\n";
    std::string tutti;
    for (int i = 0; i < 60; ++i) {
        const std::string nome = "Chiave_" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        testo += nome + "=v\r\n";
        tutti += nome + '\0';
    }
    const std::string elenco = clsProfiloINI::DaTesto(testo).ElencoChiavi("P");
    // 49 whole names, then the 50th cut so that the list ends two characters short.
    ASSERT_EQ(elenco.size(), 498u);
    EXPECT_EQ(elenco, tutti.substr(0, 498));
    EXPECT_EQ(elenco.substr(490), "Chiave_4");

    // Names that fit with their NULs and the final terminator are all there.
    std::string breve = "[P]\r\n";
    std::string attesi;
    for (int i = 0; i < 49; ++i) {
        const std::string nome = "Chiave_" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        breve += nome + "=v\r\n";
        attesi += nome + '\0';
    }
    EXPECT_EQ(clsProfiloINI::DaTesto(breve).ElencoChiavi("P"), attesi);
}

TEST(ProfiloINI, OneLongNameIsCut) {
    const std::string nome(600, 'n');
    const std::string elenco =
        clsProfiloINI::DaTesto("[P]\r\n" + nome + "=1\r\n").ElencoChiavi("P");
    EXPECT_EQ(elenco, std::string(498, 'n'));
}

}  // namespace

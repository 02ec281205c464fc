// Identification conditions: their value syntax, reading, writing and condition lists.

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "Messaggi.h"
#include "Scrittori.h"
#include "clsCondizione.h"
#include "clsProfiloINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

clsCondizione Letta(const std::string& sValore, int16_t iAtteso = 1) {
    clsCondizione c;
    EXPECT_EQ(c.Interpreta(W(sValore)), iAtteso) << sValore;
    return c;
}

TEST(Condizione, ReadsEqualityAndDateTests) {
    auto c = Letta("UGUALE_A·1,1,1·\"E\"·");
    EXPECT_EQ(c.menOperatore, clsCondizione::UGUALE_A);
    EXPECT_EQ(c.miInizio, 1);
    EXPECT_EQ(c.miLunghezza, 1);
    EXPECT_EQ(c.miRiga, 1);
    EXPECT_EQ(c.msValore, "E");
    EXPECT_EQ(c.miFormato, 0);

    c = Letta("DATA_VALIDA·1,8,2·\"\"·3");
    EXPECT_EQ(c.menOperatore, clsCondizione::DATA_VALIDA);
    EXPECT_EQ(c.miLunghezza, 8);
    EXPECT_EQ(c.miRiga, 2);
    EXPECT_EQ(c.msValore, "");
    EXPECT_EQ(c.miFormato, 3);
}

TEST(Condizione, KeywordsInAnyCase) {
    const char* parole[] = {"uguale_a",    "Diverso_Da",   "solo_numeri",
                            "data_valida", "TEMPO_valido", "data_isolata"};
    for (int32_t k = 0; k < 6; ++k) {
        auto c = Letta(std::string(parole[k]) + "·1,2,3·\"x\"·");
        EXPECT_EQ(c.menOperatore, k + 1) << parole[k];
    }
}

TEST(Condizione, MissingOrUnknownKeywordAndMissingSeparatorsAreSyntaxErrors) {
    Letta("·1,1,1·\"E\"·", -1);
    Letta("UGUALE·1,1,1·\"E\"·", -1);
    Letta("UGUALE_A 1,1,1 \"E\"", -1);
    Letta("UGUALE_A·1·\"E\"·", -1);
    Letta("UGUALE_A·1,1·\"E\"·", -1);
    Letta("UGUALE_A·1,1,1\"E\"", -1);
    Letta("UGUALE_A·1,1,1·\"E\"", -1);
    Letta("", -1);
}

TEST(Condizione, EmptyRowAndFormatReadAsZero) {
    auto c = Letta("SOLO_NUMERI·3,4,·\"\"·");
    EXPECT_EQ(c.miRiga, 0);
    EXPECT_EQ(c.miFormato, 0);
    EXPECT_EQ(c.miInizio, 3);
    EXPECT_EQ(c.miLunghezza, 4);
}

TEST(Condizione, NumbersAreReadFromTheirStartAndRoundedHalfToEven) {
    auto c = Letta("SOLO_NUMERI· 1 2 ,2.5,3.5·\"\"·7abc");
    EXPECT_EQ(c.miInizio, 12);
    EXPECT_EQ(c.miLunghezza, 2);
    EXPECT_EQ(c.miRiga, 4);
    EXPECT_EQ(c.miFormato, 7);
    c = Letta("SOLO_NUMERI·abc,-3,+4·\"\"·x");
    EXPECT_EQ(c.miInizio, 0);
    EXPECT_EQ(c.miLunghezza, -3);
    EXPECT_EQ(c.miRiga, 4);
    EXPECT_EQ(c.miFormato, 0);
    c = Letta("SOLO_NUMERI·32767,-32768,0.5·\"\"·1.5");
    EXPECT_EQ(c.miInizio, 32767);
    EXPECT_EQ(c.miLunghezza, -32768);
    EXPECT_EQ(c.miRiga, 0);
    EXPECT_EQ(c.miFormato, 2);
}

TEST(Condizione, NumbersOutOfSixteenBitsAreSyntaxErrors) {
    Letta("UGUALE_A·32768,1,1·\"E\"·", -1);
    Letta("UGUALE_A·1,-32769,1·\"E\"·", -1);
    Letta("UGUALE_A·1,1,32767.5·\"E\"·", -1);
    Letta("UGUALE_A·1,1,1·\"E\"·99999999999999999999999999", -1);
    Letta("UGUALE_A·1,1,1·\"E\"·" + std::string(400, '9'), -1);
    Letta("UGUALE_A·1,1,1·\"E\"·-1" + std::string(30, '0'), -1);
}

TEST(Condizione, SeparatorInsideTheValueBreaksIt) {
    // The value ends before the inner "·", one character shorter still, and the format is
    // read from what follows.
    auto c = Letta("UGUALE_A·1,1,1·\"ab·12\"·5");
    EXPECT_EQ(c.msValore, "a");
    EXPECT_EQ(c.miFormato, 12);
}

TEST(Condizione, QuotesInsideTheValueComeBackWhole) {
    clsCondizione c;
    c.menOperatore = clsCondizione::DIVERSO_DA;
    c.msValore = "a\"b\"\"c";
    clsCondizione l;
    ASSERT_EQ(l.Interpreta(c.Valore()), 1);
    EXPECT_EQ(l.msValore, "a\"b\"\"c");
}

TEST(Condizione, ValueTextAsWritten) {
    clsCondizione c;
    c.menOperatore = clsCondizione::TEMPO_VALIDO;
    c.miInizio = 5;
    c.miLunghezza = 8;
    c.msValore = "x";
    EXPECT_EQ(c.Valore(), W("TEMPO_VALIDO·5,8,·\"x\"·"));
    c.miRiga = -2;
    c.miFormato = 40;
    EXPECT_EQ(c.Valore(), W("TEMPO_VALIDO·5,8,-2·\"x\"·40"));
    c.menOperatore = clsCondizione::NESSUNO;
    EXPECT_EQ(c.Valore(), W("·5,8,-2·\"x\"·40"));
    // A condition without a test does not read back.
    clsCondizione l;
    EXPECT_EQ(l.Interpreta(c.Valore()), -1);
}

TEST(Condizione, CloneCopiesEveryMember) {
    auto c = Letta("DATA_ISOLATA·1,2,3·\"v\"·4");
    c.msNome = "Condizione_9";
    c.msCongiunzione = "Or";
    const clsCondizione k = c.Clone();
    EXPECT_EQ(k.msNome, "Condizione_9");
    EXPECT_EQ(k.menOperatore, clsCondizione::DATA_ISOLATA);
    EXPECT_EQ(k.miInizio, 1);
    EXPECT_EQ(k.miLunghezza, 2);
    EXPECT_EQ(k.miRiga, 3);
    EXPECT_EQ(k.miFormato, 4);
    EXPECT_EQ(k.msValore, "v");
    EXPECT_EQ(k.msCongiunzione, "Or");
}

TEST(Condizione, LeggiAndSalvaThroughTheFile) {
    CartellaTemp cartella;
    const std::string f = cartella.File("c.drv");
    clsCondizione c;
    c.menOperatore = clsCondizione::UGUALE_A;
    c.miInizio = 1;
    c.miLunghezza = 1;
    c.miRiga = 1;
    c.msValore = "E";
    ScrittoreChiavePerChiave ini(f);
    EXPECT_EQ(c.Salva(ini, 100), 1);
    EXPECT_EQ(c.msNome, "Condizione_100");
    EXPECT_EQ(LeggiTutto(f), W("[Condizioni]\r\nCondizione_100=UGUALE_A·1,1,1·\"E\"·\r\n\r\n"));

    const auto profilo = clsProfiloINI::DaFile(f);
    clsCondizione l;
    EXPECT_EQ(l.Leggi(profilo, "100"), 1);
    EXPECT_EQ(l.msNome, "Condizione_100");
    EXPECT_EQ(l.msValore, "E");
    EXPECT_EQ(l.Leggi(profilo, "10"), 0);
    EXPECT_EQ(
        clsCondizione().Leggi(clsProfiloINI::DaTesto("[Condizioni]\r\nCondizione_1=\r\n"), "1"), 0);
}

TEST(Condizione, SalvaReportsAnUnwritableKey) {
    CartellaTemp cartella;
    ScrittoreChiavePerChiave ini(cartella.Percorso().string());  // a folder
    clsCondizione c;
    c.menOperatore = clsCondizione::SOLO_NUMERI;
    EXPECT_EQ(c.Salva(ini, 3), -3);
    EXPECT_EQ(c.msNome, "Condizione_3");
}

class ElencoCondizioniTest : public ::testing::Test {
  protected:
    clsProfiloINI profilo =
        clsProfiloINI::DaTesto(W("[Condizioni]\r\n"
                                 "Condizione_3=UGUALE_A·1,1,1·\"E\"·\r\n"
                                 "Condizione_4=DIVERSO_DA·2,1,1·\"U\"·\r\n"
                                 "Condizione_100=SOLO_NUMERI·5,3,2·\"\"·\r\n"
                                 "Condizione_7=rotta\r\n"));
    ColCondizioni col;
};

TEST_F(ElencoCondizioniTest, ReadsNamesAndConjunctions) {
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_3 And Condizione_4", 500, col), 1);
    ASSERT_EQ(col.Count(), 2);
    EXPECT_EQ(col.Item(1).msNome, "Condizione_3");
    EXPECT_EQ(col.Item(1).msCongiunzione, "And");
    EXPECT_EQ(col.Item(2).msValore, "U");
    EXPECT_EQ(col.Item(2).msCongiunzione, "");
    EXPECT_EQ(*col.Chiave(1), "3");
    EXPECT_EQ(*col.Chiave(2), "4");
}

TEST_F(ElencoCondizioniTest, WholeRunOfFinalDigitsCounts) {
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Cond100 Or X3", 500, col), 1);
    ASSERT_EQ(col.Count(), 2);
    EXPECT_EQ(col.Item(1).menOperatore, clsCondizione::SOLO_NUMERI);
    EXPECT_EQ(col.Item(1).msCongiunzione, "Or");
    EXPECT_EQ(col.Item(2).msNome, "Condizione_3");
}

TEST_F(ElencoCondizioniTest, EndingInAConjunctionIsASyntaxErrorKeepingWhatWasRead) {
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_3 And Condizione_4 Or ", 500, col), -1);
    EXPECT_EQ(col.Count(), 2);
}

TEST_F(ElencoCondizioniTest, MissingBrokenOrRepeatedConditionIsASyntaxError) {
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_3 And Condizione_5", 500, col), -1);
    EXPECT_EQ(col.Count(), 1);
    col.Clear();
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_7", 500, col), -1);
    EXPECT_EQ(col.Count(), 0);
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_3 And Condizione_3", 500, col), -1);
    EXPECT_EQ(col.Count(), 1);
    col.Clear();
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione", 500, col), -1);
}

TEST_F(ElencoCondizioniTest, EmptyListAndDoubleBlank) {
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "", 500, col), 1);
    EXPECT_EQ(col.Count(), 0);
    // Two blanks after a name: an empty conjunction ends the list.
    EXPECT_EQ(LeggiElencoCondizioni(profilo, "Condizione_3  And Condizione_4", 500, col), 1);
    EXPECT_EQ(col.Count(), 1);
    EXPECT_EQ(col.Item(1).msCongiunzione, "");
}

TEST_F(ElencoCondizioniTest, TextBeyondTheBufferIsNotRead) {
    // The buffer of 40 ends right after the blank that follows "Condizione_4".
    const std::string elenco = "Condizione_3 Ooooooooooooooo Condizione_4 And Condizione_100";
    ASSERT_EQ(elenco.substr(0, 42).back(), ' ');
    ASSERT_EQ(elenco[42], 'A');
    EXPECT_EQ(LeggiElencoCondizioni(profilo, elenco, 42, col), 1);
    ASSERT_EQ(col.Count(), 2);
    EXPECT_EQ(col.Item(2).msCongiunzione, "");
}

TEST(SalvaElencoCondizioni, NumbersFromTheCounterAndReportsFailures) {
    CartellaTemp cartella;
    const std::string f = cartella.File("l.drv");
    ColCondizioni col;
    for (int i = 0; i < 3; ++i) {
        clsCondizione c;
        c.menOperatore = clsCondizione::UGUALE_A;
        c.miRiga = static_cast<int16_t>(i * 3);
        c.msCongiunzione = i == 0 ? "And" : "";
        col.Add(c);
    }
    ScrittoreGuasto ini(
        f, [](const std::string&, const std::string& k) { return k == "Condizione_6"; });
    MessaggiRaccolti msg;
    int32_t cont = 5;
    int16_t maxRiga = 0;
    EXPECT_EQ(SalvaElencoCondizioni(ini, col, cont, msg, &maxRiga, " (data isolata)"),
              "Condizione_5 And Condizione_6  Condizione_7  ");
    EXPECT_EQ(cont, 8);
    EXPECT_EQ(maxRiga, 6);
    EXPECT_EQ(msg.mvTesti, std::vector<std::string>{
                               "Errore durante la scrittura della condizione 6 (data isolata)"});
    EXPECT_EQ(msg.mvMessaggi[0].sTitolo, "Attenzione");
    EXPECT_EQ(msg.mvMessaggi[0].icona, Icona::Esclamazione);
    const auto p = clsProfiloINI::DaFile(f);
    EXPECT_NE(p.Leggi("Condizioni", "Condizione_5"), "");
    EXPECT_EQ(p.Leggi("Condizioni", "Condizione_6"), "");
    EXPECT_NE(p.Leggi("Condizioni", "Condizione_7"), "");
}

}  // namespace

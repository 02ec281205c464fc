// Transformations: value syntax, levels, their condition part, writing.

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "Messaggi.h"
#include "Scrittori.h"
#include "clsProfiloINI.h"
#include "clsTrasformazione.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const std::string kCondizioni =
    W("[Condizioni]\r\n"
      "Condizione_0=UGUALE_A·1,1,1·\"E\"·\r\n"
      "Condizione_1=DIVERSO_DA·2,1,1·\"U\"·\r\n"
      "Condizione_12=SOLO_NUMERI·3,1,1·\"\"·\r\n");

struct Esito {
    int16_t r;
    clsTrasformazione t;
};

Esito Leggi(const std::string& sValore, const std::string& sAltro = kCondizioni) {
    const auto profilo = clsProfiloINI::DaTesto(sAltro);
    Esito e;
    e.r = e.t.Interpreta(W(sValore), profilo);
    return e;
}

TEST(Trasformazione, ReadsAnIgnoreWithCondition) {
    auto e = Leggi("ENTRANTI·IGNORA·1,10,1·\"0\"·\"SX\"·Condizione_0");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.t.menTipo, clsTrasformazione::ENTRANTI);
    EXPECT_EQ(e.t.menOperazione, clsTrasformazione::IGNORA);
    EXPECT_EQ(e.t.miInizio, 1);
    EXPECT_EQ(e.t.miLunghezza, 10);
    EXPECT_EQ(e.t.miRiga, 1);
    EXPECT_EQ(e.t.msSorgente, "0");
    EXPECT_EQ(e.t.msValore, "SX");
    ASSERT_TRUE(e.t.mcolCondizioni);
    ASSERT_EQ(e.t.mcolCondizioni->Count(), 1);
    EXPECT_EQ(e.t.mcolCondizioni->Item(1).msValore, "E");
}

TEST(Trasformazione, LevelsAndOperationsByKeyword) {
    const char* livelli[] = {"INIZIALE", "entranti", "Uscenti", "campo"};
    for (int32_t k = 0; k < 4; ++k) {
        auto e = Leggi(std::string(livelli[k]) + "·SOMMA·1,2,3·\"a\"·\"b\"·");
        EXPECT_EQ(e.t.menTipo, k + 1) << livelli[k];
        EXPECT_EQ(e.r, k == 3 ? 2 : 1) << livelli[k];
    }
    const char* operazioni[] = {
        "SOSTITUISCI", "MOLTIPLICA",    "DIVIDI", "SOMMA",  "SOTTRAI", "INSERISCI", "ELIMINA",
        "ALLINEA",     "ESTRAI_NUMERO", "IGNORA", "SPOSTA", "copia",   "Espandi",   "utc"};
    for (int32_t k = 0; k < 14; ++k) {
        auto e = Leggi(std::string("INIZIALE·") + operazioni[k] + "·1,2,3·\"a\"·\"b\"·");
        EXPECT_EQ(e.t.menOperazione, k + 1) << operazioni[k];
    }
    EXPECT_EQ(clsTrasformazione::ParolaOperazione(12), std::string("COPIA"));
    EXPECT_EQ(clsTrasformazione::ParolaOperazione(13), std::string("ESPANDI"));
}

TEST(Trasformazione, UnknownKeywordsGiveZeroWithoutSyntaxError) {
    auto e = Leggi("PRIMA·RUOTA·1,2,·\"a\"·\"b\"·");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.t.menTipo, 0);
    EXPECT_EQ(e.t.menOperazione, 0);
    EXPECT_EQ(e.t.miRiga, 0);
}

TEST(Trasformazione, StopsAfterTheValueOperandWithoutConditions) {
    auto e = Leggi("USCENTI·ELIMINA·4,2,1·\"x\"·\"\"·");
    EXPECT_EQ(e.r, 1);
    EXPECT_FALSE(e.t.mcolCondizioni.has_value());
    e = Leggi("CAMPO·DIVIDI·1,6,1·\"\"·\"60\"·");
    EXPECT_EQ(e.r, 2);
    EXPECT_FALSE(e.t.mcolCondizioni.has_value());
    EXPECT_EQ(e.t.msValore, "60");
}

TEST(Trasformazione, MissingSeparatorsAndBadNumbersAreSyntaxErrors) {
    EXPECT_EQ(Leggi("INIZIALE").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·1,2·\"a\"·\"b\"·").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·1,2,3\"a\"\"b\"").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·1,2,3·\"a\"").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·1,2,3·\"a\"·\"b\"").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·40000,2,3·\"a\"·\"b\"·").r, -1);
    EXPECT_EQ(Leggi("INIZIALE·SOMMA·1,-40000,3·\"a\"·\"b\"·").r, -1);
    EXPECT_EQ(Leggi("CAMPO·SOMMA·1,2," + std::string(320, '9') + "·\"a\"·\"b\"·").r, -1);
}

TEST(Trasformazione, BadConditionListIsASyntaxErrorAlsoForCampo) {
    EXPECT_EQ(Leggi("CAMPO·SOMMA·1,2,3·\"a\"·\"b\"·Condizione_5").r, -1);
    auto e = Leggi("INIZIALE·SOMMA·1,2,3·\"a\"·\"b\"·Condizione_0 And");
    EXPECT_EQ(e.r, -1);
    ASSERT_TRUE(e.t.mcolCondizioni);
    EXPECT_EQ(e.t.mcolCondizioni->Count(), 1);
    e = Leggi("INIZIALE·SOMMA·1,2,3·\"a\"·\"b\"·Condizione_0 And Condizione_12");
    EXPECT_EQ(e.r, 1);
    ASSERT_EQ(e.t.mcolCondizioni->Count(), 2);
    EXPECT_EQ(e.t.mcolCondizioni->Item(2).menOperatore, clsCondizione::SOLO_NUMERI);
}

TEST(Trasformazione, ConditionPartIsCutAt450Characters) {
    // A long first conjunction puts the blank after "Condizione_1" at position 450 of the
    // condition part; "Or Condizione_12" beyond it is not read.
    const std::string prima = "Condizione_0 ";
    const std::string dopo = " Condizione_1 Or Condizione_12";
    const size_t lungConj = 450 - 1 - prima.size() - std::string(" Condizione_1").size();
    const std::string parte = prima + std::string(lungConj, 'E') + dopo;
    ASSERT_EQ(parte[449], ' ');
    ASSERT_EQ(parte.substr(437, 12), "Condizione_1");
    auto e = Leggi("INIZIALE·SOMMA·1,2,3·\"a\"·\"b\"·" + parte);
    EXPECT_EQ(e.r, 1);
    ASSERT_EQ(e.t.mcolCondizioni->Count(), 2);
    EXPECT_EQ(e.t.mcolCondizioni->Item(2).msNome, "Condizione_1");
    EXPECT_EQ(e.t.mcolCondizioni->Item(2).msCongiunzione, "");
}

TEST(Trasformazione, LeggiFindsTheKeyByNumber) {
    const auto p = clsProfiloINI::DaTesto(
        kCondizioni + W("[Trasformazioni]\r\nAzione_3=CAMPO·SOMMA·1,2,3·\"a\"·\"b\"·\r\n"));
    clsTrasformazione t;
    EXPECT_EQ(t.Leggi(p, "3"), 2);
    EXPECT_EQ(t.Leggi(p, "4"), 0);
    EXPECT_EQ(t.msNome, "");  // the name is given by saving, not by reading
}

TEST(Trasformazione, SalvaWritesConditionsFirstAndAdvancesTheCounter) {
    CartellaTemp cartella;
    const std::string f = cartella.File("t.drv");
    auto e = Leggi("USCENTI·SOSTITUISCI·1,10,·\"a\"\"b\"·\"è\"·Condizione_0 Or Condizione_12");
    ASSERT_EQ(e.r, 1);
    ScrittoreGuasto ini(f, [](const std::string&, const std::string&) { return false; });
    MessaggiRaccolti msg;
    int32_t cond = 7;
    EXPECT_EQ(e.t.Salva(ini, 4, cond, msg), 1);
    EXPECT_EQ(cond, 9);
    EXPECT_EQ(e.t.msNome, "Azione_4");
    EXPECT_TRUE(msg.mvTesti.empty());
    EXPECT_EQ(ini.mvChiavi,
              (std::vector<std::string>{"Condizioni/Condizione_7", "Condizioni/Condizione_8",
                                        "Trasformazioni/Azione_4"}));
    const auto p = clsProfiloINI::DaFile(f);
    EXPECT_EQ(p.Leggi("Trasformazioni", "Azione_4"),
              W("USCENTI·SOSTITUISCI·1,10,·\"a\"\"b\"·\"è\"·Condizione_7 Or Condizione_8"));
    EXPECT_EQ(p.Leggi("Condizioni", "Condizione_8"), W("SOLO_NUMERI·3,1,1·\"\"·"));
}

TEST(Trasformazione, SalvaReportsEachFailedConditionAndItsOwnKey) {
    CartellaTemp cartella;
    auto e = Leggi("INIZIALE·SOMMA·1,2,3·\"a\"·\"b\"·Condizione_0 And Condizione_1");
    ASSERT_EQ(e.r, 1);
    ScrittoreGuasto ini(cartella.File("t.drv"),
                        [](const std::string&, const std::string&) { return true; });
    MessaggiRaccolti msg;
    int32_t cond = 0;
    EXPECT_EQ(e.t.Salva(ini, 0, cond, msg), -3);
    EXPECT_EQ(cond, 2);
    EXPECT_EQ(msg.mvTesti,
              (std::vector<std::string>{"Errore durante la scrittura della condizione 0",
                                        "Errore durante la scrittura della condizione 1"}));
}

TEST(Trasformazione, SavedFormReadsBack) {
    clsTrasformazione t;
    t.menTipo = clsTrasformazione::CAMPO;
    t.menOperazione = clsTrasformazione::ESPANDI;
    t.miInizio = -5;
    t.miLunghezza = 32767;
    t.msSorgente = "\"x\"";
    t.msValore = " y ";
    CartellaTemp cartella;
    const std::string f = cartella.File("t.drv");
    ScrittoreChiavePerChiave ini(f);
    MessaggiRaccolti msg;
    int32_t cond = 0;
    ASSERT_EQ(t.Salva(ini, 0, cond, msg), 1);
    EXPECT_EQ(LeggiTutto(f),
              W("[Trasformazioni]\r\nAzione_0=CAMPO·ESPANDI·-5,32767,·\"\"x\"\"·\" y \"·\r\n\r\n"));
    clsTrasformazione l;
    EXPECT_EQ(l.Leggi(clsProfiloINI::DaFile(f), "0"), 2);
    EXPECT_EQ(l.menOperazione, clsTrasformazione::ESPANDI);
    EXPECT_EQ(l.miInizio, -5);
    EXPECT_EQ(l.msSorgente, "\"x\"");
    EXPECT_EQ(l.msValore, " y ");
}

}  // namespace

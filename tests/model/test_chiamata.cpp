// Call-record types: the sections "Entranti" and "Uscenti".

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "Messaggi.h"
#include "Scrittori.h"
#include "clsChiamata.h"
#include "clsProfiloINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const std::string kCondizioni =
    W("[Condizioni]\r\n"
      "Condizione_0=UGUALE_A·1,1,1·\"E\"·\r\n"
      "Condizione_1=UGUALE_A·1,1,1·\"T\"·\r\n"
      "Condizione_2=SOLO_NUMERI·2,3,1·\"\"·\r\n");

struct Esito {
    int16_t r;
    clsChiamata c;
    MessaggiRaccolti msg;
};

std::unique_ptr<Esito> Leggi(const std::string& sSezione, int32_t enTipo = clsChiamata::ENTRANTI) {
    auto e = std::make_unique<Esito>();
    e->c.menTipo = enTipo;
    e->r = e->c.Leggi(clsProfiloINI::DaTesto(kCondizioni + W(sSezione)), e->msg);
    return e;
}

TEST(Chiamata, ReadsItsSection) {
    auto e = Leggi(
        "[Entranti]\r\n"
        "Numero_Righe=2\r\n"
        "Condizioni=Condizione_0 And Condizione_2\r\n"
        "Trasferita=Condizione_1\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N·1·DATA·\r\n"
        "Campo_1=\"dRisposta\"·10,4,2·DX·S··\r\n");
    EXPECT_EQ(e->r, 1);
    EXPECT_TRUE(e->msg.mvTesti.empty());
    EXPECT_EQ(e->c.miNumRighe, 2);
    ASSERT_EQ(e->c.mcolCondizioni->Count(), 2);
    EXPECT_EQ(e->c.mcolCondizioni->Item(1).msCongiunzione, "And");
    ASSERT_EQ(e->c.mcolCondTrasferita->Count(), 1);
    EXPECT_EQ(e->c.mcolCondTrasferita->Item(1).msValore, "T");
    ASSERT_EQ(e->c.mcolCampi->Count(), 2);
    EXPECT_EQ(*e->c.mcolCampi->Chiave(2), "9");
    EXPECT_NE(e->c.mcolCampi->Trova("0"), nullptr);
}

TEST(Chiamata, WithoutDirectionNothingIsRead) {
    auto e = Leggi("[Entranti]\r\nNumero_Righe=2\r\n", clsChiamata::TIPO_NESSUNO);
    EXPECT_EQ(e->r, -2);
    EXPECT_EQ(e->c.miNumRighe, 0);
    EXPECT_FALSE(e->c.mcolCampi);
}

TEST(Chiamata, MissingSectionReadsEmpty) {
    auto e = Leggi("[Entranti]\r\nNumero_Righe=2\r\n", clsChiamata::USCENTI);
    EXPECT_EQ(e->r, 1);
    EXPECT_EQ(e->c.miNumRighe, 0);
    EXPECT_FALSE(e->c.mcolCondizioni);
    EXPECT_FALSE(e->c.mcolCondTrasferita);
    ASSERT_TRUE(e->c.mcolCampi);
    EXPECT_EQ(e->c.mcolCampi->Count(), 0);
}

TEST(Chiamata, ListEndingInAConjunctionKeepsWhatWasRead) {
    auto e = Leggi("[Entranti]\r\nCondizioni=Condizione_0 And    \r\nTrasferita=Condizione_1\r\n");
    EXPECT_EQ(e->r, -1);
    EXPECT_EQ(e->c.mcolCondizioni->Count(), 1);
    EXPECT_EQ(e->c.mcolCondTrasferita->Count(), 1);
    EXPECT_TRUE(e->msg.mvTesti.empty());
}

TEST(Chiamata, SecondFieldOfTheSameNameIsDroppedSilently) {
    auto e = Leggi(
        "[Entranti]\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N·1·DATA·\r\n"
        "Campo_1=\"dData\"·9,8,1·SX·N·1·DATA·\r\n"
        "Campo_2=\"dOra\"·20,5,1·SX·N·2·\r\n"
        "Campo_3=\"dOraInizio\"·30,5,1·SX·N·2·\r\n");
    EXPECT_EQ(e->r, 1);
    EXPECT_TRUE(e->msg.mvTesti.empty());
    ASSERT_EQ(e->c.mcolCampi->Count(), 2);
    EXPECT_EQ(e->c.mcolCampi->Item(1).miInizio, 1);
    EXPECT_EQ(e->c.mcolCampi->Item(2).msNome, "dOra");
}

TEST(Chiamata, NameNotValidForTheDirection) {
    auto e = Leggi(
        "[Uscenti]\r\n"
        "Campo_0=\"dRisposta\"·1,8,1·SX·N··\r\n"
        "Campo_1=\"sCampo4\"·1,8,1·SX·N··\r\n",
        clsChiamata::USCENTI);
    EXPECT_EQ(e->r, -1);
    EXPECT_EQ(e->msg.mvTesti,
              std::vector<std::string>{W("Il nome del campo 0 non è un nome valido")});
    EXPECT_EQ(e->msg.mvMessaggi[0].sTitolo, "Attenzione");
    ASSERT_EQ(e->c.mcolCampi->Count(), 1);
    EXPECT_EQ(*e->c.mcolCampi->Chiave(1), "12");
}

TEST(Chiamata, GapInFieldNumbersStopsReading) {
    auto e = Leggi(
        "[Entranti]\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N··\r\n"
        "Campo_2=\"sLinea\"·1,8,1·SX·N··\r\n");
    EXPECT_EQ(e->r, 1);
    EXPECT_EQ(e->c.mcolCampi->Count(), 1);
}

TEST(Chiamata, SyntaxErrorInAFieldIsReportedAndReadingGoesOn) {
    auto e = Leggi(
        "[Entranti]\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N··\r\n"
        "Campo_1=rotto\r\n"
        "Campo_2=\"sNumero\"·1,8,1·SX·N··TRASFORMAZIONE·Azione_0\r\n"
        "Campo_3=\"sLinea\"·1,8,1·SX·N··\r\n"
        "Campo_4=\"sBoh\"·1,8,1·SX·N··\r\n");
    EXPECT_EQ(e->r, -1);
    EXPECT_EQ(e->msg.mvTesti,
              (std::vector<std::string>{"Errore nella sintassi del campo 1",
                                        "Errore nella sintassi del campo 2",
                                        W("Il nome del campo 4 non è un nome valido")}));
    EXPECT_EQ(e->c.mcolCampi->Count(), 2);
}

TEST(Chiamata, NumberOfLinesThatIsNotANumberIsASyntaxError) {
    EXPECT_EQ(Leggi("[Entranti]\r\nNumero_Righe=due\r\n")->r, -1);
    EXPECT_EQ(Leggi("[Entranti]\r\nNumero_Righe=70000\r\n")->r, -1);
    EXPECT_EQ(Leggi("[Entranti]\r\nNumero_Righe=-32769\r\n")->r, -1);
    auto e = Leggi("[Entranti]\r\nNumero_Righe= 2.5 \r\n");
    EXPECT_EQ(e->r, 1);
    EXPECT_EQ(e->c.miNumRighe, 2);
}

TEST(Chiamata, SalvaWithoutDirectionWritesNothing) {
    CartellaTemp cartella;
    ScrittoreGuasto ini(cartella.File("c.drv"),
                        [](const std::string&, const std::string&) { return false; });
    MessaggiRaccolti msg;
    clsChiamata c;
    int32_t cond = 0, trasf = 0;
    EXPECT_EQ(c.Salva(ini, cond, trasf, msg), -2);
    EXPECT_TRUE(ini.mvChiavi.empty());
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
}

TEST(Chiamata, SalvaWritesInOrderAndAdvancesCounters) {
    auto e = Leggi(
        "[Entranti]\r\n"
        "Numero_Righe=2\r\n"
        "Condizioni=Condizione_0 And Condizione_2\r\n"
        "Trasferita=Condizione_1\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N·1·DATA·\r\n"
        "Campo_1=\"sLinea\"·10,4,2·DX·S··\r\n");
    ASSERT_EQ(e->r, 1);
    CartellaTemp cartella;
    const std::string f = cartella.File("c.drv");
    ScrittoreGuasto ini(f, [](const std::string&, const std::string&) { return false; });
    MessaggiRaccolti msg;
    int32_t cond = 4, trasf = 2;
    EXPECT_EQ(e->c.Salva(ini, cond, trasf, msg), 1);
    EXPECT_EQ(cond, 7);
    EXPECT_EQ(trasf, 2);
    EXPECT_TRUE(msg.mvTesti.empty());
    EXPECT_EQ(LeggiTutto(f), W("[Entranti]\r\n"
                               "Numero_Righe=2\r\n"
                               "Condizioni=Condizione_4 And Condizione_5\r\n"
                               "Trasferita=Condizione_6\r\n"
                               "Campo_0=\"dData\"·1,8,1·SX·N·1·DATA·\r\n"
                               "Campo_1=\"sLinea\"·10,4,2·DX·S··\r\n"
                               "\r\n"
                               "[Condizioni]\r\n"
                               "Condizione_4=UGUALE_A·1,1,1·\"E\"·\r\n"
                               "Condizione_5=SOLO_NUMERI·2,3,1·\"\"·\r\n"
                               "Condizione_6=UGUALE_A·1,1,1·\"T\"·\r\n"
                               "\r\n"));
}

TEST(Chiamata, SalvaReportsEveryFailedWrite) {
    auto e = Leggi(
        "[Uscenti]\r\n"
        "Numero_Righe=1\r\n"
        "Condizioni=Condizione_0 Or Condizione_2\r\n"
        "Trasferita=Condizione_1\r\n"
        "Campo_0=\"dData\"·1,8,1·SX·N·1·DATA·\r\n"
        "Campo_1=\"sLinea\"·10,4,2·DX·S··\r\n",
        clsChiamata::USCENTI);
    ASSERT_EQ(e->r, 1);
    CartellaTemp cartella;
    ScrittoreGuasto ini(cartella.File("c.drv"),
                        [](const std::string&, const std::string&) { return true; });
    MessaggiRaccolti msg;
    int32_t cond = 0, trasf = 0;
    EXPECT_EQ(e->c.Salva(ini, cond, trasf, msg), 1);
    EXPECT_EQ(msg.mvTesti,
              (std::vector<std::string>{
                  "Errore durante la scrittura del numero di righe Uscenti",
                  "Errore durante la scrittura della condizione 0",
                  "Errore durante la scrittura della condizione 1",
                  "Errore durante la scrittura dell'elenco delle condizioni",
                  "Errore durante la scrittura della condizione 2",
                  "Errore durante la scrittura dell'elenco delle condizioni di trasferita",
                  "Errore nella sintassi del campo 1", "Errore nella sintassi del campo 2"}));
    for (const auto& m : msg.mvMessaggi) {
        EXPECT_EQ(m.sTitolo, "Attenzione");
        EXPECT_EQ(m.icona, Icona::Esclamazione);
    }
}

}  // namespace

// Field definitions and the call-record field names.

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "CallFieldName.h"
#include "Messaggi.h"
#include "Scrittori.h"
#include "clsCampo.h"
#include "clsProfiloINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const std::string kAltro =
    W("[Condizioni]\r\n"
      "Condizione_0=UGUALE_A·1,1,1·\"E\"·\r\n"
      "[Trasformazioni]\r\n"
      "Azione_2=CAMPO·DIVIDI·1,6,1·\"\"·\"60\"·Condizione_0\r\n"
      "Azione_3=INIZIALE·DIVIDI·1,6,1·\"\"·\"60\"·\r\n"
      "Azione_12=CAMPO·MOLTIPLICA·1,6,1·\"\"·\"2\"·\r\n");

struct Esito {
    int16_t r;
    clsCampo c;
};

Esito Leggi(const std::string& sValore) {
    Esito e;
    e.r = e.c.Interpreta(W(sValore), clsProfiloINI::DaTesto(kAltro));
    return e;
}

TEST(CallFieldName, IndexesPerDirection) {
    EXPECT_EQ(IndiceCampo("dData", true), 0);
    EXPECT_EQ(IndiceCampo("dRisposta", true), 9);
    EXPECT_EQ(IndiceCampo("dRisposta", false), -1);
    EXPECT_EQ(IndiceCampo("sCampo1", true), 10);
    EXPECT_EQ(IndiceCampo("sCampo1", false), 9);
    EXPECT_EQ(IndiceCampo("sCampo4", false), 12);
    EXPECT_EQ(IndiceCampo("dOra", true), 1);
    EXPECT_EQ(IndiceCampo("dOra", false), 1);
    EXPECT_EQ(IndiceCampo("ddata", true), -1);
    EXPECT_EQ(IndiceCampo("", true), -1);
    for (int i = 0; i < NUM_CAMPI_ENTRANTI; ++i)
        EXPECT_EQ(IndiceCampo(NomeCampo(i, true), true), i);
    for (int i = 0; i < NUM_CAMPI_USCENTI; ++i)
        EXPECT_EQ(IndiceCampo(NomeCampo(i, false), false), i);
    EXPECT_EQ(NomeCampo(9, false), "sCampo1");
    EXPECT_EQ(NomeCampo(13, false), "");
    EXPECT_EQ(NomeCampo(14, true), "");
    EXPECT_EQ(NomeCampo(-1, true), "");
}

TEST(Campo, ReadsADateFieldWithoutLine) {
    auto e = Leggi("\"dData\"·1,8,·SX·S·3·DATA·");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.c.msNome, "dData");
    EXPECT_EQ(e.c.miInizio, 1);
    EXPECT_EQ(e.c.miLunghezza, 8);
    EXPECT_EQ(e.c.miRiga, 0);
    EXPECT_EQ(e.c.menAllineamento, clsCampo::SX);
    EXPECT_TRUE(e.c.mbOpzionale);
    EXPECT_EQ(e.c.miFormato, 3);
    EXPECT_EQ(e.c.menEccezione, clsCampo::DATA);
}

TEST(Campo, EndsAfterTheFormatWithoutSpecialHandling) {
    auto e = Leggi("\"sNumero\"·20,15,2·DX·N··");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.c.menEccezione, clsCampo::ECC_NESSUNA);
    EXPECT_EQ(e.c.miFormato, 0);
    EXPECT_FALSE(e.c.mbOpzionale);
}

TEST(Campo, LowerCaseAlignmentAndOption) {
    auto e = Leggi("\"sLinea\"·1,2,1·dx·s·0·data·");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.c.menAllineamento, clsCampo::DX);
    EXPECT_FALSE(e.c.mbOpzionale);  // only a capital "S" means optional
    EXPECT_EQ(e.c.menEccezione, clsCampo::DATA);
    e = Leggi("\"sLinea\"·1,2,1·centro·SI·0·");
    EXPECT_EQ(e.c.menAllineamento, clsCampo::ALL_NESSUNO);
    EXPECT_FALSE(e.c.mbOpzionale);
}

TEST(Campo, TransformationOfDurationAndPulses) {
    auto e = Leggi("\"dDurata\"·40,6,1·DX·N··TRASFORMAZIONE·Azione_2");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.c.menEccezione, clsCampo::DURATA_TRASF);
    ASSERT_TRUE(e.c.moTrasf);
    EXPECT_EQ(e.c.moTrasf->menTipo, clsTrasformazione::CAMPO);
    EXPECT_EQ(e.c.moTrasf->msValore, "60");
    ASSERT_TRUE(e.c.moTrasf->mcolCondizioni);
    EXPECT_EQ(e.c.moTrasf->mcolCondizioni->Count(), 1);

    e = Leggi("\"lScatti\"·1,3,1·DX·N··trasformazione·X12");
    EXPECT_EQ(e.r, 1);
    EXPECT_EQ(e.c.menEccezione, clsCampo::SCATTI_TRASF);
    ASSERT_TRUE(e.c.moTrasf);
    EXPECT_EQ(e.c.moTrasf->msValore, "2");
}

TEST(Campo, TransformationErrors) {
    // On a field other than duration and pulses.
    auto e = Leggi("\"sNumero\"·1,3,1·DX·N··TRASFORMAZIONE·Azione_2");
    EXPECT_EQ(e.r, -1);
    EXPECT_EQ(e.c.menEccezione, clsCampo::ECC_NESSUNA);
    // Not of level CAMPO, missing, or without a number.
    for (const char* v : {"\"dDurata\"·1,3,1·DX·N··TRASFORMAZIONE·Azione_3",
                          "\"dDurata\"·1,3,1·DX·N··TRASFORMAZIONE·Azione_9",
                          "\"dDurata\"·1,3,1·DX·N··TRASFORMAZIONE·"}) {
        e = Leggi(v);
        EXPECT_EQ(e.r, -1) << v;
        EXPECT_FALSE(e.c.moTrasf) << v;
    }
    EXPECT_EQ(Leggi("\"dData\"·1,3,1·DX·N··ALTRO·").r, -1);
}

TEST(Campo, MissingSeparatorsAndBadNumbersAreSyntaxErrors) {
    for (const char* v :
         {"\"dData\"", "\"dData\"·1", "\"dData\"·1,2", "\"dData\"·1,2,3", "\"dData\"·1,2,3·DX",
          "\"dData\"·1,2,3·DX·N", "\"dData\"·1,2,3·DX·N·4", "\"dData\"·40000,2,3·DX·N·4·",
          "\"dData\"·1,2,3·DX·N·-40000·", "\"dData\"·1,2,99999999999999999999999·DX·N··"}) {
        EXPECT_EQ(Leggi(v).r, -1) << v;
    }
}

TEST(Campo, LeggiReadsTheNumberedKey) {
    const auto p =
        clsProfiloINI::DaTesto(W("[Uscenti]\r\nCampo_1=\"sDerivato\"·1,4,1·SX·N··\r\n"
                                 "Campo_2=\r\n"));
    clsCampo c;
    EXPECT_EQ(c.Leggi(p, "Uscenti", 0), 0);
    EXPECT_EQ(c.Leggi(p, "Uscenti", 2), 0);
    EXPECT_EQ(c.Leggi(p, "uscenti", 1), 1);
    EXPECT_EQ(c.msNome, "sDerivato");
}

TEST(Campo, SalvaWritesItsTransformationFirstUnderTheCounter) {
    CartellaTemp cartella;
    const std::string f = cartella.File("c.drv");
    auto e = Leggi("\"dDurata\"·40,6,1·DX·N··TRASFORMAZIONE·Azione_2");
    ASSERT_EQ(e.r, 1);
    ScrittoreGuasto ini(f, [](const std::string&, const std::string&) { return false; });
    MessaggiRaccolti msg;
    int32_t cond = 3, trasf = 5;
    EXPECT_EQ(e.c.Salva(ini, "Entranti", 0, cond, trasf, msg), 1);
    EXPECT_EQ(cond, 4);
    EXPECT_EQ(trasf, 6);
    EXPECT_EQ(ini.mvChiavi,
              (std::vector<std::string>{"Condizioni/Condizione_3", "Trasformazioni/Azione_5",
                                        "Entranti/Campo_0"}));
    EXPECT_EQ(LeggiTutto(f), W("[Condizioni]\r\n"
                               "Condizione_3=UGUALE_A·1,1,1·\"E\"·\r\n"
                               "\r\n"
                               "[Trasformazioni]\r\n"
                               "Azione_5=CAMPO·DIVIDI·1,6,1·\"\"·\"60\"·Condizione_3\r\n"
                               "\r\n"
                               "[Entranti]\r\n"
                               "Campo_0=\"dDurata\"·40,6,1·DX·N··TRASFORMAZIONE·Azione_5\r\n"
                               "\r\n"));
    EXPECT_TRUE(msg.mvTesti.empty());
}

TEST(Campo, SavedFormOfEveryPart) {
    clsCampo c;
    c.msNome = "sCampo4";
    c.miInizio = 7;
    c.miLunghezza = 2;
    c.mbOpzionale = true;
    CartellaTemp cartella;
    const std::string f = cartella.File("c.drv");
    ScrittoreChiavePerChiave ini(f);
    MessaggiRaccolti msg;
    int32_t cond = 0, trasf = 0;
    ASSERT_EQ(c.Salva(ini, "Uscenti", 4, cond, trasf, msg), 1);
    c.menAllineamento = clsCampo::SX;
    c.miRiga = 3;
    c.miFormato = 12;
    c.menEccezione = clsCampo::DATA;
    ASSERT_EQ(c.Salva(ini, "Uscenti", 5, cond, trasf, msg), 1);
    EXPECT_EQ(LeggiTutto(f), W("[Uscenti]\r\n"
                               "Campo_4=\"sCampo4\"·7,2,··S··\r\n"
                               "Campo_5=\"sCampo4\"·7,2,3·SX·S·12·DATA·\r\n"
                               "\r\n"));
    EXPECT_EQ(trasf, 0);
}

TEST(Campo, SalvaReportsAnUnwritableKey) {
    CartellaTemp cartella;
    ScrittoreGuasto ini(cartella.File("c.drv"),
                        [](const std::string& s, const std::string&) { return s == "Entranti"; });
    MessaggiRaccolti msg;
    clsCampo c;
    c.msNome = "dData";
    int32_t cond = 0, trasf = 0;
    EXPECT_EQ(c.Salva(ini, "Entranti", 0, cond, trasf, msg), -3);
}

TEST(Campo, CopyDuplicatesTheTransformation) {
    auto e = Leggi("\"dDurata\"·40,6,1·DX·N··TRASFORMAZIONE·Azione_2");
    ASSERT_TRUE(e.c.moTrasf);
    clsCampo copia = e.c;
    ASSERT_TRUE(copia.moTrasf);
    EXPECT_NE(copia.moTrasf.get(), e.c.moTrasf.get());
    copia.moTrasf->msValore = "3600";
    EXPECT_EQ(e.c.moTrasf->msValore, "60");
    e.c.LiberaTrasf();
    EXPECT_FALSE(e.c.moTrasf);
    EXPECT_TRUE(copia.moTrasf);
}

}  // namespace

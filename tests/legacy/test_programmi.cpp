// The legacy transformation programs, alone and as part of a whole conversion.

#include <gtest/gtest.h>

#include <filesystem>

#include "AiutiLegacy.h"
#include "CallFieldName.h"
#include "RigheVecchioDriver.h"

namespace tarno::test {
namespace {

const std::string kErrore = "Impossibile completare il programma di trasformazione ";

class ProgrammiLegacy : public ::testing::Test {
  protected:
    // Converts a legacy driver into mDoc (no program applied).
    void Converti(const VecchioDriver& d) {
        const std::string f = mCartella.Scrivi("vecchio.drv", d.Testo());
        mDoc.Delete();
        ASSERT_TRUE(LeggiVecchioDriver(f, mDoc, mMsg, mCatalogo.Funzione()));
    }
    bool Applica(int32_t lProgramma) {
        return ApplicaTrasformazione(mDoc, lProgramma, mMsg, mCatalogo.Funzione());
    }
    clsCampo& Campo(bool bEntrante, const char* sNome) {
        auto& c = bEntrante ? mDoc.moEntranti : mDoc.moUscenti;
        clsCampo* campo = c->mcolCampi->Trova(std::to_string(IndiceCampo(sNome, bEntrante)));
        if (!campo) throw std::runtime_error(std::string("campo mancante ") + sNome);
        return *campo;
    }
    ColCondizioni& Condizioni(bool bEntrante) {
        return *(bEntrante ? mDoc.moEntranti : mDoc.moUscenti)->mcolCondizioni;
    }

    CartellaTemporanea mCartella;
    clsDriver mDoc;
    MessaggiRaccolti mMsg;
    CatalogoFinto mCatalogo;
};

void AttendiCondizione(const clsCondizione& c, int16_t riga, int16_t inizio, int16_t lunghezza,
                       int32_t operatore, const std::string& valore, int16_t formato,
                       const std::string& congiunzione) {
    EXPECT_EQ(c.miRiga, riga);
    EXPECT_EQ(c.miInizio, inizio);
    EXPECT_EQ(c.miLunghezza, lunghezza);
    EXPECT_EQ(c.menOperatore, operatore);
    EXPECT_EQ(c.msValore, valore);
    EXPECT_EQ(c.miFormato, formato);
    EXPECT_EQ(c.msCongiunzione, congiunzione);
}

constexpr int32_t UGUALE = clsCondizione::UGUALE_A;

// ---------------------------------------------------------------- the helpers

TEST(AiutiProgrammi, NuoviOggetti) {
    const clsCondizione c = NuovaCondizione(2, 5, 3, clsCondizione::DATA_ISOLATA, "x", 7, "AND");
    AttendiCondizione(c, 2, 5, 3, clsCondizione::DATA_ISOLATA, "x", 7, "AND");
    EXPECT_EQ(c.msNome, "");

    const clsTrasformazione t = NuovaEliminaIniziale(1, 4, 2, "\\24 ");
    EXPECT_EQ(t.menTipo, clsTrasformazione::INIZIALE);
    EXPECT_EQ(t.menOperazione, clsTrasformazione::ELIMINA);
    EXPECT_EQ(t.miRiga, 1);
    EXPECT_EQ(t.miInizio, 4);
    EXPECT_EQ(t.miLunghezza, 2);
    EXPECT_EQ(t.msSorgente, "\\24 ");
    EXPECT_EQ(t.msValore, "");
    EXPECT_FALSE(t.mcolCondizioni);

    CatalogoFinto cat;
    const clsCampo d = NuovoCampoDataIsolata(cat.Funzione());
    EXPECT_EQ(d.msNome, "dData");
    EXPECT_EQ(d.miRiga, 1);
    EXPECT_EQ(d.miInizio, 76);
    EXPECT_EQ(d.miLunghezza, 8);
    EXPECT_EQ(d.miFormato, 3);
    EXPECT_FALSE(d.mbOpzionale);
    EXPECT_EQ(d.menEccezione, clsCampo::ECC_NESSUNA);
    EXPECT_EQ(d.menAllineamento, clsCampo::ALL_NESSUNO);
    EXPECT_EQ(NuovoCampoDataIsolata().miFormato, 0);

    clsDriver doc;
    ImpostaMesiInglesi(doc);
    EXPECT_EQ(doc.Mesi(0), "jan");
    EXPECT_EQ(doc.Mesi(4), "may");
    EXPECT_EQ(doc.Mesi(11), "dec");
}

TEST(AiutiProgrammi, ElencoDeiProgrammi) {
    const auto& p = ProgrammiTrasf();
    ASSERT_EQ(p.size(), 17u);
    EXPECT_STREQ(p.front().sNome, "Brondi 24/48");
    EXPECT_EQ(NomeProgrammaTrasf(15), "Tie Onix");
    EXPECT_EQ(NomeProgrammaTrasf(1), "Entrante\\Uscente");
    EXPECT_EQ(NomeProgrammaTrasf(0), "Standard");
    EXPECT_EQ(NomeProgrammaTrasf(7), "");
}

TEST_F(ProgrammiLegacy, AggiungiEliminaSuCampo) {
    Converti(VecchioDriver::Base());
    AggiungiEliminaSuCampo(mDoc, "sNumero", false, "#");
    AggiungiEliminaSuCampo(mDoc, "sCommessa", true, "*");   // not declared: start and length 0
    AggiungiEliminaSuCampo(mDoc, "dRisposta", false, "~");  // no such name for outgoing calls
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 3);
    const clsTrasformazione& t = mDoc.mcolTrasf->Item(1);
    EXPECT_EQ(t.menTipo, clsTrasformazione::USCENTI);
    EXPECT_EQ(t.menOperazione, clsTrasformazione::ELIMINA);
    EXPECT_EQ(t.miRiga, 1);
    EXPECT_EQ(t.miInizio, 40);
    EXPECT_EQ(t.miLunghezza, 20);
    EXPECT_EQ(t.msValore, "#");
    EXPECT_EQ(t.msSorgente, "");
    EXPECT_EQ(mDoc.mcolTrasf->Item(2).menTipo, clsTrasformazione::ENTRANTI);
    EXPECT_EQ(mDoc.mcolTrasf->Item(2).miInizio, 0);
    EXPECT_EQ(mDoc.mcolTrasf->Item(3).miLunghezza, 0);

    clsDriver vuoto;  // no record types at all: still appended
    AggiungiEliminaSuCampo(vuoto, "sNumero", false, "#");
    EXPECT_EQ(vuoto.mcolTrasf->Count(), 1);
}

TEST_F(ProgrammiLegacy, SpostaSuRiga2GuardaSoloLaColonna) {
    Converti(VecchioDriver::Base().Riga(76, "F&0&89&5&D").Riga(78, "F&0&80&6&S"));
    mDoc.mcolTrasf.emplace();
    mDoc.mcolTrasf->Add(NuovaEliminaIniziale(1, 82, 2, " "));
    mDoc.mcolTrasf->Add(NuovaEliminaIniziale(2, 100, 2, " "));
    mDoc.mcolTrasf->Add(NuovaEliminaIniziale(1, 81, 2, " "));
    Condizioni(false).Add(NuovaCondizione(2, 90, 1, UGUALE, "x", 0, ""));
    mDoc.moUscenti->mcolCondTrasferita->Add(NuovaCondizione(1, 85, 1, UGUALE, "y", 0, ""));

    SpostaSuRiga2(mDoc, 82, false);
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).miRiga, 2);
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).miInizio, 1);
    EXPECT_EQ(mDoc.mcolTrasf->Item(2).miRiga, 2);  // already on row 2, moved again
    EXPECT_EQ(mDoc.mcolTrasf->Item(2).miInizio, 19);
    EXPECT_EQ(mDoc.mcolTrasf->Item(3).miRiga, 1);
    EXPECT_EQ(Campo(false, "lScatti").miRiga, 2);
    EXPECT_EQ(Campo(false, "lScatti").miInizio, 9);
    EXPECT_EQ(Campo(false, "sCommessa").miRiga, 1);
    EXPECT_EQ(Campo(false, "sCommessa").miInizio, 81);
    EXPECT_EQ(Condizioni(false).Item(2).miInizio, 9);
    EXPECT_EQ(mDoc.moUscenti->mcolCondTrasferita->Item(2).miRiga, 2);
    EXPECT_EQ(mDoc.moUscenti->mcolCondTrasferita->Item(2).miInizio, 4);
    EXPECT_EQ(mDoc.moUscenti->miNumRighe, 2);
    EXPECT_EQ(mDoc.moEntranti->miNumRighe, 1);

    // Empty or missing collections are skipped; a missing record type changes nothing.
    mDoc.moEntranti->mcolCondizioni.reset();
    SpostaSuRiga2(mDoc, 82, true);
    EXPECT_EQ(mDoc.moEntranti->miNumRighe, 2);
    clsDriver vuoto;
    SpostaSuRiga2(vuoto, 82, true);
    EXPECT_FALSE(vuoto.moEntranti);
}

// ---------------------------------------------------------------- each program

TEST_F(ProgrammiLegacy, StandardEBrondi820NonCambianoNulla) {
    for (int32_t codice : {0, 13, 7, 17, 99, -1}) {
        SCOPED_TRACE(codice);
        Converti(VecchioDriver::Base());
        const clsDriver prima = mDoc;
        EXPECT_TRUE(Applica(codice));
        ConfrontaDriver(prima, mDoc, false);
        EXPECT_FALSE(mDoc.mcolTrasf);
        EXPECT_TRUE(mDoc.Mesi(0).empty());
    }
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

TEST_F(ProgrammiLegacy, EntranteUscente) {
    Converti(VecchioDriver::Base().Riga(73, "S&0&39&16&S").Riga(53, "N").Riga(77, "N"));
    ASSERT_TRUE(Applica(1));
    ASSERT_EQ(Condizioni(false).Count(), 1);
    AttendiCondizione(Condizioni(false).Item(1), 1, 40, 16, clsCondizione::SOLO_NUMERI, "", 0, "");
    ASSERT_EQ(Condizioni(true).Count(), 1);
    AttendiCondizione(Condizioni(true).Item(1), 1, 40, 16, UGUALE, std::string(16, ' '), 0, "");
}

TEST_F(ProgrammiLegacy, SestiMinuto) {
    Converti(VecchioDriver::Base().Riga(43, "{hh:mm}{4}{29}").Riga(69, "{hh:mm}{4}{29}"));
    ASSERT_TRUE(Applica(2));
    for (bool entrante : {true, false}) {
        SCOPED_TRACE(entrante);
        const clsCampo& d = Campo(entrante, "dDurata");
        EXPECT_EQ(d.menEccezione, clsCampo::DURATA_TRASF);
        ASSERT_TRUE(d.moTrasf);
        EXPECT_EQ(d.moTrasf->menTipo, clsTrasformazione::CAMPO);
        EXPECT_EQ(d.moTrasf->menOperazione, clsTrasformazione::MOLTIPLICA);
        EXPECT_EQ(d.moTrasf->miRiga, 1);
        EXPECT_EQ(d.moTrasf->miInizio, 30);
        EXPECT_EQ(d.moTrasf->miLunghezza, 4);
        EXPECT_EQ(d.moTrasf->msSorgente, "1,4");
        EXPECT_EQ(d.moTrasf->msValore, "10");
    }
    EXPECT_FALSE(mDoc.mcolTrasf);

    // Without an outgoing duration the incoming one is converted and the error is reported.
    Converti(VecchioDriver::Base().Riga(69, "{}{}{}"));
    EXPECT_FALSE(Applica(2));
    EXPECT_EQ(Campo(true, "dDurata").menEccezione, clsCampo::DURATA_TRASF);
    ASSERT_EQ(mMsg.mvMessaggi.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0], kErrore +
                                   "Sesti minuto.\rErrore n\xB0 5:Il campo dDurata delle chiamate "
                                   "uscenti non \xE8 definito");
    EXPECT_EQ(mMsg.mvMessaggi[0].icona, Icona::Critico);
    EXPECT_EQ(mMsg.mvMessaggi[0].sTitolo, "Attenzione");
}

TEST_F(ProgrammiLegacy, DecimiMinutoEMd110) {
    for (int32_t codice : {3, 16}) {
        SCOPED_TRACE(codice);
        Converti(VecchioDriver::Base());
        ASSERT_TRUE(Applica(codice));
        for (bool entrante : {true, false}) {
            const clsCampo& d = Campo(entrante, "dDurata");
            EXPECT_EQ(d.menEccezione, clsCampo::DURATA_TRASF);
            EXPECT_EQ(d.moTrasf->msSorgente, "1,8");
            EXPECT_EQ(d.moTrasf->msValore, "6");
            EXPECT_EQ(d.moTrasf->miInizio, 16);
            EXPECT_EQ(d.moTrasf->miLunghezza, 8);
        }
    }
    // A record type without a duration field is left alone and nothing fails.
    Converti(VecchioDriver::Base().Riga(43, "{}{}{}"));
    mDoc.moUscenti->mcolCampi.reset();
    ASSERT_TRUE(Applica(3));
    EXPECT_EQ(mDoc.moEntranti->mcolCampi->Trova("3"), nullptr);
    EXPECT_EQ(mDoc.moEntranti->mcolCampi->Count(), 5);
    ASSERT_TRUE(mDoc.moUscenti->mcolCampi);
    EXPECT_TRUE(mDoc.moUscenti->mcolCampi->Vuota());
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

TEST_F(ProgrammiLegacy, Integral3) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(4));
    ASSERT_TRUE(mDoc.mcolDataIsolata);
    ASSERT_EQ(mDoc.mcolDataIsolata->Count(), 2);
    AttendiCondizione(mDoc.mcolDataIsolata->Item(1), 1, 70, 6, UGUALE, "DATA:", 0, "AND");
    AttendiCondizione(mDoc.mcolDataIsolata->Item(2), 1, 76, 8, clsCondizione::DATA_ISOLATA, "", 3,
                      "");
    const auto& campi = *mDoc.moUscenti->mcolCampi;
    EXPECT_EQ(campi.Count(), 8);
    EXPECT_EQ(*campi.Chiave(campi.Count()), "0");  // the new date field comes last
    const clsCampo& data = Campo(false, "dData");
    EXPECT_EQ(data.miInizio, 76);
    EXPECT_EQ(data.miLunghezza, 8);
    EXPECT_EQ(data.miFormato, 3);
    EXPECT_EQ(Campo(true, "dData").miInizio, 1);  // the incoming date is kept

    // Without an outgoing date field the isolated-date conditions stay and the error is told.
    Converti(VecchioDriver::Base().Riga(57, "{}{}{}"));
    EXPECT_FALSE(Applica(4));
    EXPECT_EQ(mDoc.mcolDataIsolata->Count(), 2);
    EXPECT_EQ(mMsg.mvTesti.size(), 1u);
}

TEST_F(ProgrammiLegacy, Opus) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(5));
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 3);
    const char* valori[] = {"#", "*", "~"};
    for (int i = 1; i <= 3; ++i) {
        const clsTrasformazione& t = mDoc.mcolTrasf->Item(i);
        EXPECT_EQ(t.menTipo, clsTrasformazione::USCENTI);
        EXPECT_EQ(t.menOperazione, clsTrasformazione::ELIMINA);
        EXPECT_EQ(t.miInizio, 40);
        EXPECT_EQ(t.miLunghezza, 20);
        EXPECT_EQ(t.msValore, valori[i - 1]);
    }
}

TEST_F(ProgrammiLegacy, Matra6501) {
    Converti(
        VecchioDriver::Base().Riga(76, "F&0&89&5&D").Riga(78, "F&0&80&6&S").Riga(54, "S&0&85&4&S"));
    ASSERT_TRUE(Applica(6));
    EXPECT_EQ(Campo(false, "lScatti").miRiga, 2);
    EXPECT_EQ(Campo(false, "lScatti").miInizio, 9);
    EXPECT_EQ(Campo(false, "sCommessa").miRiga, 1);
    EXPECT_EQ(Campo(false, "sCommessa").miInizio, 81);
    EXPECT_EQ(Campo(true, "sCommessa").miRiga, 2);
    EXPECT_EQ(Campo(true, "sCommessa").miInizio, 5);
    EXPECT_EQ(mDoc.moEntranti->miNumRighe, 2);
    EXPECT_EQ(mDoc.moUscenti->miNumRighe, 2);
}

TEST_F(ProgrammiLegacy, SeltaSae80) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(8));
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 3);
    const char* sorgenti[] = {"\\24 ", " ", "  "};
    for (int i = 1; i <= 3; ++i) {
        const clsTrasformazione& t = mDoc.mcolTrasf->Item(i);
        EXPECT_EQ(t.menTipo, clsTrasformazione::INIZIALE);
        EXPECT_EQ(t.menOperazione, clsTrasformazione::ELIMINA);
        EXPECT_EQ(t.miRiga, 1);
        EXPECT_EQ(t.miInizio, 1);
        EXPECT_EQ(t.miLunghezza, 2);
        EXPECT_EQ(t.msSorgente, sorgenti[i - 1]);
    }
    ASSERT_EQ(Condizioni(false).Count(), 3);
    EXPECT_EQ(Condizioni(false).Item(1).msCongiunzione, "OR");
    AttendiCondizione(Condizioni(false).Item(2), 1, 1, 1, UGUALE, "A", 0, "");
    AttendiCondizione(Condizioni(false).Item(3), 1, 2, 1, UGUALE, "#", 0, "");
    EXPECT_EQ(Condizioni(true).Count(), 1);
}

TEST_F(ProgrammiLegacy, Opus2Righe) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(9));
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 1);
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).msSorgente, " ");
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).miLunghezza, 1);
    ASSERT_EQ(Condizioni(false).Count(), 7);
    EXPECT_EQ(Condizioni(false).Item(1).msCongiunzione, "OR");
    AttendiCondizione(Condizioni(false).Item(2), 1, 8, 1, clsCondizione::SOLO_NUMERI, "|", 0,
                      "AND");
    AttendiCondizione(Condizioni(false).Item(5), 2, 9, 1, UGUALE, "|", 0, "AND");
    AttendiCondizione(Condizioni(false).Item(7), 2, 37, 1, UGUALE, "|", 0, "");
    ASSERT_EQ(mDoc.mcolDataIsolata->Count(), 2);
    AttendiCondizione(mDoc.mcolDataIsolata->Item(1), 1, 70, 1, UGUALE, "\\f", 0, "AND");
    AttendiCondizione(mDoc.mcolDataIsolata->Item(2), 1, 76, 8, clsCondizione::DATA_ISOLATA, "", 3,
                      "");
    EXPECT_EQ(Campo(false, "dData").miInizio, 76);
}

TEST_F(ProgrammiLegacy, Office1000) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(10));
    EXPECT_EQ(mDoc.Mesi(0), "jan");
    EXPECT_EQ(mDoc.Mesi(11), "dec");
    ASSERT_EQ(mDoc.mcolDataIsolata->Count(), 2);
    AttendiCondizione(mDoc.mcolDataIsolata->Item(1), 1, 5, 4, UGUALE, "DATE", 0, "AND");
    AttendiCondizione(mDoc.mcolDataIsolata->Item(2), 1, 12, 8, clsCondizione::DATA_ISOLATA, "", 3,
                      "");
    EXPECT_EQ(Campo(false, "dData").miInizio, 1);
}

TEST_F(ProgrammiLegacy, Hicom150E) {
    Converti(VecchioDriver::Base().Riga(76, "F&0&89&5&D"));
    ASSERT_TRUE(Applica(11));
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 2);
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).msSorgente, "\\12");
    EXPECT_EQ(mDoc.mcolTrasf->Item(2).msSorgente, " ");
    for (bool entrante : {false, true}) {
        SCOPED_TRACE(entrante);
        const ColCondizioni& c = Condizioni(entrante);
        ASSERT_EQ(c.Count(), 5);
        EXPECT_EQ(c.Item(1).msCongiunzione, "OR");
        AttendiCondizione(c.Item(2), 1, 1, 1, UGUALE, "S", 0, "OR");
        AttendiCondizione(c.Item(3), 1, 1, 1, UGUALE, "D", 0, "OR");
        AttendiCondizione(c.Item(4), 1, 1, 1, UGUALE, "$", 0, "AND");
        AttendiCondizione(c.Item(5), 2, 73, 1, clsCondizione::SOLO_NUMERI, " ", 0, "");
        EXPECT_EQ((entrante ? mDoc.moEntranti : mDoc.moUscenti)->miNumRighe, 2);
    }
    EXPECT_EQ(mDoc.Mesi(1), "feb");
    EXPECT_EQ(Campo(false, "lScatti").miRiga, 2);
    EXPECT_EQ(Campo(false, "lScatti").miInizio, 11);

    // Without outgoing identification: the first transformation stays, the error is told.
    Converti(VecchioDriver::Base().Riga(77, "N"));
    EXPECT_FALSE(Applica(11));
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 1);
    EXPECT_EQ(mDoc.mcolTrasf->Item(1).msSorgente, "\\12");
    ASSERT_EQ(mMsg.mvTesti.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0], kErrore +
                                   "Hicom 150E.\rErrore n\xB0 9:Le chiamate uscenti non hanno "
                                   "condizioni di identificazione da unire con OR");
}

TEST_F(ProgrammiLegacy, Brondi2448) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(12));
    EXPECT_EQ(mDoc.Mesi(6), "jul");
    ASSERT_EQ(Condizioni(false).Count(), 3);
    EXPECT_EQ(Condizioni(false).Item(1).msCongiunzione, "OR");
    AttendiCondizione(Condizioni(false).Item(2), 1, 1, 1, UGUALE, ">", 0, "AND");
    AttendiCondizione(Condizioni(false).Item(3), 1, 32, 3, UGUALE, "INT", 0, "");
    ASSERT_EQ(mDoc.mcolTrasf->Count(), 2);
    const clsTrasformazione& dividi = mDoc.mcolTrasf->Item(1);
    EXPECT_EQ(dividi.menTipo, clsTrasformazione::TIPO_NESSUNO);
    EXPECT_EQ(dividi.menOperazione, clsTrasformazione::DIVIDI);
    EXPECT_EQ(dividi.miRiga, 1);
    EXPECT_EQ(dividi.miInizio, 50);
    EXPECT_EQ(dividi.miLunghezza, 8);
    EXPECT_EQ(dividi.msSorgente, "127");
    EXPECT_FALSE(dividi.mcolCondizioni);
    const clsTrasformazione& inserisci = mDoc.mcolTrasf->Item(2);
    EXPECT_EQ(inserisci.menTipo, clsTrasformazione::TIPO_NESSUNO);
    EXPECT_EQ(inserisci.menOperazione, clsTrasformazione::INSERISCI);
    EXPECT_EQ(inserisci.miInizio, 75);
    EXPECT_EQ(inserisci.miLunghezza, 20);
    EXPECT_EQ(inserisci.msValore, "00");
    EXPECT_EQ(inserisci.msSorgente, "");
    ASSERT_EQ(inserisci.mcolCondizioni->Count(), 1);
    AttendiCondizione(inserisci.mcolCondizioni->Item(1), 1, 64, 3, UGUALE, "INT", 0, "");
}

TEST_F(ProgrammiLegacy, TieCorex) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(14));
    for (bool entrante : {false, true}) {
        SCOPED_TRACE(entrante);
        const ColCondizioni& c = Condizioni(entrante);
        ASSERT_EQ(c.Count(), 5);
        EXPECT_EQ(c.Item(1).msCongiunzione, "OR");
        AttendiCondizione(c.Item(2), 1, 3, 1, UGUALE, ".", 0, "AND");
        AttendiCondizione(c.Item(3), 1, 9, 1, UGUALE, ":", 0, "AND");
        AttendiCondizione(c.Item(4), 2, 23, 1, UGUALE, "-", 0, "AND");
        AttendiCondizione(c.Item(5), 2, 56, 1, UGUALE, "-", 0, "");  // before 58: stays
        EXPECT_EQ((entrante ? mDoc.moEntranti : mDoc.moUscenti)->miNumRighe, 2);
    }
    EXPECT_EQ(Campo(false, "lScatti").miRiga, 2);
    EXPECT_EQ(Campo(false, "lScatti").miInizio, 4);
    EXPECT_EQ(Campo(false, "sCommessa").miInizio, 10);
    EXPECT_EQ(Campo(false, "sNumero").miRiga, 1);
}

TEST_F(ProgrammiLegacy, TieOnix) {
    Converti(VecchioDriver::Base());
    ASSERT_EQ(mDoc.moEntranti->mcolCondTrasferita->Count(), 1);
    ASSERT_TRUE(Applica(15));
    for (bool entrante : {true, false}) {
        SCOPED_TRACE(entrante);
        const clsChiamata& c = *(entrante ? mDoc.moEntranti : mDoc.moUscenti);
        const int32_t op = entrante ? UGUALE : clsCondizione::SOLO_NUMERI;
        const std::string valore = entrante ? "-" : "";
        ASSERT_EQ(c.mcolCondTrasferita->Count(), 2);
        AttendiCondizione(c.mcolCondTrasferita->Item(1), 1, 1, 3, UGUALE, "TRF", 0, "AND");
        AttendiCondizione(c.mcolCondTrasferita->Item(2), 1, 62, 1, op, valore, 0, "");
        ASSERT_EQ(c.mcolCondizioni->Count(), 3);
        EXPECT_EQ(c.mcolCondizioni->Item(1).msCongiunzione, "OR");
        AttendiCondizione(c.mcolCondizioni->Item(2), 1, 1, 3, UGUALE, "TRF", 0, "AND");
        AttendiCondizione(c.mcolCondizioni->Item(3), 1, 62, 1, op, valore, 0, "");
    }
    EXPECT_EQ(Campo(true, "dRisposta").miInizio, 26);

    // Without the ringing time the conditions are set and the error is told.
    Converti(VecchioDriver::Base().Riga(47, "{}{}{}"));
    EXPECT_FALSE(Applica(15));
    EXPECT_EQ(mDoc.moUscenti->mcolCondTrasferita->Count(), 2);
    ASSERT_EQ(mMsg.mvTesti.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0], kErrore +
                                   "Tie Onix.\rErrore n\xB0 5:Il campo dRisposta delle chiamate "
                                   "entranti non \xE8 definito");
}

TEST_F(ProgrammiLegacy, EricssonMd81) {
    Converti(VecchioDriver::Base());
    ASSERT_TRUE(Applica(18));
    ASSERT_EQ(Condizioni(false).Count(), 3);
    EXPECT_EQ(Condizioni(false).Item(1).msCongiunzione, "OR");
    AttendiCondizione(Condizioni(false).Item(2), 1, 1, 1, UGUALE, "N", 0, "AND");
    AttendiCondizione(Condizioni(false).Item(3), 1, 1, 1, UGUALE, std::string(25, ' '), 0, "");
    EXPECT_EQ(Condizioni(true).Count(), 1);
}

TEST_F(ProgrammiLegacy, ErroriRiportatiSenzaInterrompere) {
    // Marking the last condition with OR in an empty list.
    Converti(VecchioDriver::Base().Riga(77, "N"));
    EXPECT_FALSE(Applica(18));
    ASSERT_EQ(mMsg.mvTesti.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0], kErrore +
                                   "Ericsson Md81.\rErrore n\xB0 9:Le chiamate uscenti non hanno "
                                   "condizioni di identificazione da unire con OR");
    EXPECT_TRUE(Condizioni(false).Vuota());

    // A document without record types.
    for (int32_t codice : {1, 2, 4, 8, 9, 11, 12, 14, 15, 18}) {
        SCOPED_TRACE(codice);
        clsDriver vuoto;
        MessaggiRaccolti msg;
        EXPECT_FALSE(ApplicaTrasformazione(vuoto, codice, msg));
        ASSERT_EQ(msg.mvTesti.size(), 1u);
        EXPECT_NE(msg.mvTesti[0].find(kErrore + NomeProgrammaTrasf(codice) + ".\rErrore n\xB0 "),
                  std::string::npos);
    }
    // Programs that cannot fail leave even an empty document consistent.
    for (int32_t codice : {0, 3, 5, 6, 10, 13, 16}) {
        SCOPED_TRACE(codice);
        clsDriver vuoto;
        MessaggiRaccolti msg;
        EXPECT_TRUE(ApplicaTrasformazione(vuoto, codice, msg));
        EXPECT_TRUE(msg.mvTesti.empty());
    }
}

TEST_F(ProgrammiLegacy, SenzaCodiceUsaIlProgrammaScelto) {
    Converti(VecchioDriver::Base());
    const int32_t prima = glProgrammaTrasf;
    glProgrammaTrasf = 5;
    EXPECT_TRUE(ApplicaTrasformazione(mDoc, mMsg));
    glProgrammaTrasf = prima;
    EXPECT_EQ(mDoc.mcolTrasf->Count(), 3);
}

// ---------------------------------------------------------------- whole conversions

struct CasoCompleto {
    int32_t lProgramma;
    std::map<int, std::string> mRighe;
};

class ConversioneCompleta : public ::testing::TestWithParam<CasoCompleto> {};

TEST_P(ConversioneCompleta, SalvaERileggeSenzaMessaggi) {
    const CasoCompleto& caso = GetParam();
    CartellaTemporanea cartella;
    VecchioDriver d = VecchioDriver::Base();
    for (const auto& [n, s] : caso.mRighe) d.Riga(n, s);
    const std::string vecchio = cartella.Scrivi("VECCHIO.DRV", d.Testo());
    CatalogoFinto catalogo;
    Conversione r;
    ConvertiSalvaRileggi(vecchio, cartella.Percorso("nuovo.drv"), caso.lProgramma,
                         catalogo.Funzione(), r);
    if (HasFatalFailure()) return;
    ConfrontaDriver(r.mConvertito, r.mRiletto, true);
    // The legacy file is never written.
    EXPECT_EQ(LeggiTutto(vecchio), d.Testo());
}

const std::map<int, std::string> kDueRighe = {{76, "F&0&89&5&D"}, {54, "S&0&85&4&S"}};

INSTANTIATE_TEST_SUITE_P(
    OgniProgramma, ConversioneCompleta,
    ::testing::Values(CasoCompleto{0, {}}, CasoCompleto{1, {}}, CasoCompleto{1, {{53, "N"}}},
                      CasoCompleto{2, {}}, CasoCompleto{3, {}}, CasoCompleto{4, {}},
                      CasoCompleto{5, {}}, CasoCompleto{6, kDueRighe}, CasoCompleto{8, {}},
                      CasoCompleto{9, {}}, CasoCompleto{10, {}}, CasoCompleto{11, kDueRighe},
                      CasoCompleto{12, {}}, CasoCompleto{13, {}}, CasoCompleto{14, {}},
                      CasoCompleto{15, {}}, CasoCompleto{16, {}}, CasoCompleto{18, {}}),
    [](const ::testing::TestParamInfo<CasoCompleto>& info) {
        return "Programma" + std::to_string(info.param.lProgramma) + "_" +
               std::to_string(info.index);
    });

TEST(ConversioneCompletaDettagli, ListeConCongiunzioneVuotaSiFermanoAllaRilettura) {
    // "Entrante\Uscente" appends its outgoing condition after the legacy one without a
    // conjunction: the saved list ends after the first condition.
    CartellaTemporanea cartella;
    const std::string vecchio = cartella.Scrivi("v.drv", VecchioDriver::Base().Testo());
    Conversione r;
    ConvertiSalvaRileggi(vecchio, cartella.Percorso("n.drv"), 1, {}, r);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    EXPECT_EQ(r.mConvertito.moUscenti->mcolCondizioni->Count(), 2);
    EXPECT_EQ(r.mRiletto.moUscenti->mcolCondizioni->Count(), 1);
}

TEST(ConversioneCompletaDettagli, NoteSuPiuRigheEOffsetNegato) {
    CartellaTemporanea cartella;
    VecchioDriver d = VecchioDriver::Base().Riga(28, "S&-12");
    d.mvNote = {"* Prima riga", "Seconda riga", "VARIE"};
    const std::string vecchio = cartella.Scrivi("v.drv", d.Testo());
    Conversione r;
    ConvertiSalvaRileggi(vecchio, cartella.Percorso("n.drv"), 0, {}, r);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    EXPECT_EQ(r.mConvertito.msNote, "Prima riga\r\nSeconda riga");
    EXPECT_EQ(r.mConvertito.mlOffset, " 12");
    EXPECT_EQ(r.mRiletto.mlOffset, "12");
    ConfrontaDriver(r.mConvertito, r.mRiletto, true);
}

// ---------------------------------------------------------------- the demo suite's driver

TEST(DriverDemo, SiConverteConStandardEConTieOnix) {
    const std::filesystem::path cartellaDemo = TARNO_DEMO_LEGACY;
    std::vector<std::string> file;
    for (const auto& e : std::filesystem::directory_iterator(cartellaDemo))
        if (e.is_regular_file()) file.push_back(e.path().string());
    ASSERT_FALSE(file.empty());
    for (const auto& f : file) {
        SCOPED_TRACE(f);
        const std::string testo = LeggiTutto(f);
        EXPECT_EQ(DividiRighe(testo).size(), 78u);
        EXPECT_NE(testo.find("\r\n"), std::string::npos);
        for (int32_t programma : {0, 15}) {
            SCOPED_TRACE(programma);
            CartellaTemporanea cartella;
            CatalogoFinto catalogo;
            Conversione r;
            ConvertiSalvaRileggi(f, cartella.Percorso("demo.drv"), programma, catalogo.Funzione(),
                                 r);
            if (::testing::Test::HasFatalFailure()) return;
            ConfrontaDriver(r.mConvertito, r.mRiletto, true);
            EXPECT_FALSE(r.mRiletto.msModello.empty());
            EXPECT_GE(r.mRiletto.moEntranti->mcolCampi->Count(), 5);
            EXPECT_GE(r.mRiletto.moUscenti->mcolCampi->Count(), 5);
        }
    }
}

}  // namespace
}  // namespace tarno::test

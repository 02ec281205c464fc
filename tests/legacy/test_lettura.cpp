// Recognising and reading legacy drivers.

#include <gtest/gtest.h>

#include "AiutiLegacy.h"
#include "CallFieldName.h"
#include "RigheVecchioDriver.h"

namespace tarno::test {
namespace {

const std::string kErroreImport =
    "Impossibile effettuare l'importazione del driver.\rErrore n\xB0 ";

class LetturaLegacy : public ::testing::Test {
  protected:
    // Reads a legacy text into mDoc; the result of the reader.
    bool Leggi(const std::string& sTesto) {
        mFile = mCartella.Scrivi("vecchio.drv", sTesto);
        return LeggiVecchioDriver(mFile, mDoc, mMsg, mCatalogo.Funzione());
    }
    bool Leggi(const VecchioDriver& d) { return Leggi(d.Testo()); }
    const clsCampo* Campo(bool bEntrante, const char* sNome) {
        const auto& c = bEntrante ? mDoc.moEntranti : mDoc.moUscenti;
        return c->mcolCampi->Trova(std::to_string(IndiceCampo(sNome, bEntrante)));
    }

    CartellaTemporanea mCartella;
    std::string mFile;
    clsDriver mDoc;
    MessaggiRaccolti mMsg;
    CatalogoFinto mCatalogo;
};

// ---------------------------------------------------------------- detection

TEST_F(LetturaLegacy, RiconosceSoloLaRigaMagicaEsatta) {
    const auto prova = [&](const std::string& sTesto) {
        return ControllaVecchioDriver(mCartella.Scrivi("f.drv", sTesto), mMsg);
    };
    EXPECT_TRUE(prova("* DRVTARNO 03.00\r\nModello: x\r\n"));
    EXPECT_TRUE(prova("* DRVTARNO 03.00"));
    EXPECT_TRUE(prova("* DRVTARNO 03.00\nModello: x\n"));
    EXPECT_TRUE(prova("* DRVTARNO 03.00\rModello: x\r"));
    EXPECT_FALSE(prova("* DRVTARNO 03.00 \r\n"));
    EXPECT_FALSE(prova("* drvtarno 03.00\r\n"));
    EXPECT_FALSE(prova(" * DRVTARNO 03.00\r\n"));
    EXPECT_FALSE(prova("[Centralino]\r\nAutore=x\r\n"));
    EXPECT_FALSE(prova("\r\n* DRVTARNO 03.00\r\n"));
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

TEST_F(LetturaLegacy, FileVuotoOMancanteNonELegacyEDaUnMessaggio) {
    const std::string vuoto = mCartella.Scrivi("vuoto.drv", "");
    EXPECT_FALSE(ControllaVecchioDriver(vuoto, mMsg));
    const std::string mancante = mCartella.Percorso("mancante.drv");
    EXPECT_FALSE(ControllaVecchioDriver(mancante, mMsg));
    EXPECT_FALSE(ControllaVecchioDriver(mCartella.Percorso(""), mMsg));  // a folder
    ASSERT_EQ(mMsg.mvMessaggi.size(), 3u);
    EXPECT_EQ(mMsg.mvTesti[0], "Impossibile aprire il Driver " + vuoto);
    EXPECT_EQ(mMsg.mvTesti[1], "Impossibile aprire il Driver " + mancante);
    EXPECT_EQ(mMsg.mvMessaggi[0].sTitolo, "Attenzione");
    EXPECT_EQ(mMsg.mvMessaggi[0].icona, Icona::Esclamazione);
}

// ---------------------------------------------------------------- line splitting

TEST(RigheLegacy, OgniTerminatoreChiudeUnaRiga) {
    using V = std::vector<std::string>;
    EXPECT_EQ(DividiRighe("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(DividiRighe("a\rb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(DividiRighe("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(DividiRighe("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(DividiRighe(""), V{});
    EXPECT_EQ(DividiRighe("\r\n"), V{""});
}

TEST_F(LetturaLegacy, FineRigaCrOLfLeggeComeCrLf) {
    clsDriver conCrLf;
    ASSERT_TRUE(Leggi(VecchioDriver::Base()));
    conCrLf = mDoc;
    for (const char* fine : {"\n", "\r"}) {
        SCOPED_TRACE(fine[0] == '\n' ? "LF" : "CR");
        mDoc.Delete();
        ASSERT_TRUE(Leggi(VecchioDriver::Base().Testo(fine)));
        ConfrontaDriver(conCrLf, mDoc, false);
    }
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

// ---------------------------------------------------------------- a whole driver

TEST_F(LetturaLegacy, DriverCompletoDiSettantottoRighe) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base()));
    EXPECT_TRUE(mMsg.mvTesti.empty());
    EXPECT_EQ(mDoc.msModello, "Onix 32");
    EXPECT_EQ(mDoc.msVersione, "2.10");
    EXPECT_EQ(mDoc.msData, "14/05/1998");
    EXPECT_EQ(mDoc.msAutore, "Assistenza tecnica");
    EXPECT_EQ(mDoc.msNote, "Stampa a 80 colonne,una riga per chiamata.");
    EXPECT_EQ(mDoc.mlOffset, "0");
    EXPECT_EQ(mDoc.msMarca, "");

    const clsChiamata& in = *mDoc.moEntranti;
    EXPECT_EQ(in.menTipo, clsChiamata::ENTRANTI);
    EXPECT_EQ(in.miNumRighe, 1);
    ASSERT_EQ(in.mcolCampi->Count(), 6);  // no end time, no job code
    const clsCampo* data = Campo(true, "dData");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->miInizio, 1);
    EXPECT_EQ(data->miLunghezza, 8);
    EXPECT_EQ(data->miRiga, 1);
    EXPECT_EQ(data->miFormato, 3);
    EXPECT_FALSE(data->mbOpzionale);
    EXPECT_EQ(data->menAllineamento, clsCampo::ALL_NESSUNO);
    EXPECT_EQ(Campo(true, "dOraInizio")->miFormato, 1);
    EXPECT_EQ(Campo(true, "dOraInizio")->miInizio, 10);
    EXPECT_EQ(Campo(true, "dDurata")->miFormato, 2);
    EXPECT_EQ(Campo(true, "dRisposta")->miFormato, 4);
    EXPECT_EQ(Campo(true, "dRisposta")->miInizio, 25);
    EXPECT_EQ(Campo(true, "dOraFine"), nullptr);
    EXPECT_EQ(Campo(true, "sCommessa"), nullptr);
    const clsCampo* derivato = Campo(true, "sDerivato");
    EXPECT_EQ(derivato->miInizio, 31);
    EXPECT_EQ(derivato->miLunghezza, 4);
    EXPECT_EQ(derivato->menAllineamento, clsCampo::DX);
    EXPECT_FALSE(derivato->mbOpzionale);
    EXPECT_EQ(derivato->miFormato, 0);
    const clsCampo* linea = Campo(true, "sLinea");
    EXPECT_TRUE(linea->mbOpzionale);
    EXPECT_EQ(linea->menAllineamento, clsCampo::SX);

    ASSERT_EQ(in.mcolCondizioni->Count(), 1);
    const clsCondizione& id = in.mcolCondizioni->Item(1);
    EXPECT_EQ(id.menOperatore, clsCondizione::UGUALE_A);
    EXPECT_EQ(id.miInizio, 1);
    EXPECT_EQ(id.miLunghezza, 1);
    EXPECT_EQ(id.miRiga, 1);
    EXPECT_EQ(id.msValore, "E");
    EXPECT_EQ(id.msNome, "");
    EXPECT_EQ(id.msCongiunzione, "");
    ASSERT_EQ(in.mcolCondTrasferita->Count(), 1);
    const clsCondizione& trasf = in.mcolCondTrasferita->Item(1);
    EXPECT_EQ(trasf.miLunghezza, 3);
    EXPECT_EQ(trasf.miInizio, 14);
    EXPECT_EQ(trasf.msValore, "#");
    EXPECT_EQ(trasf.menOperatore, clsCondizione::UGUALE_A);

    const clsChiamata& out = *mDoc.moUscenti;
    EXPECT_EQ(out.menTipo, clsChiamata::USCENTI);
    EXPECT_EQ(out.miNumRighe, 1);
    ASSERT_EQ(out.mcolCampi->Count(), 8);  // no end time
    // Fields are filed in line order under the index of their name.
    const std::vector<std::string> chiavi = {"0", "1", "3", "8", "5", "6", "4", "7"};
    for (size_t i = 0; i < chiavi.size(); ++i)
        EXPECT_EQ(*out.mcolCampi->Chiave(static_cast<int>(i) + 1), chiavi[i]);
    EXPECT_EQ(Campo(false, "lScatti")->menAllineamento, clsCampo::DX);
    EXPECT_EQ(Campo(false, "lScatti")->miInizio, 61);
    EXPECT_EQ(Campo(false, "sNumero")->miLunghezza, 20);
    EXPECT_EQ(out.mcolCondizioni->Item(1).msValore, "U");
    EXPECT_EQ(out.mcolCondTrasferita->Item(1).msValore, "T");

    // The catalogue was asked for each declared brace field, with the right table.
    const std::vector<std::pair<std::string, bool>> domande = {
        {"gg/mm/aa", true}, {"hh:mm", false}, {"hh:mm:ss", false}, {"mm:ss", false},
        {"gg/mm/aa", true}, {"hh:mm", false}, {"hh:mm:ss", false}};
    EXPECT_EQ(mCatalogo.mvDomande, domande);
    EXPECT_FALSE(mDoc.mcolTrasf);
}

TEST_F(LetturaLegacy, SenzaCatalogoOgniFormatoEZero) {
    mFile = mCartella.Scrivi("vecchio.drv", VecchioDriver::Base().Testo());
    ASSERT_TRUE(LeggiVecchioDriver(mFile, mDoc, mMsg));
    for (const auto& c : {mDoc.moEntranti.get(), mDoc.moUscenti.get()})
        for (const auto& voce : *c->mcolCampi) EXPECT_EQ(voce.valore.miFormato, 0);
    // A lookup that fails is no error either.
    clsDriver doc2;
    const CercaFormato guasto = [](const std::string&, bool) -> int16_t {
        throw std::runtime_error("catalogo non raggiungibile");
    };
    ASSERT_TRUE(LeggiVecchioDriver(mFile, doc2, mMsg, guasto));
    EXPECT_EQ(doc2.moEntranti->mcolCampi->Trova("0")->miFormato, 0);
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

// ---------------------------------------------------------------- labels and notes

TEST_F(LetturaLegacy, ValoriDelleEtichette) {
    EXPECT_EQ(ValoreEtichetta("Modello: MD110"), "MD110");
    EXPECT_EQ(ValoreEtichetta("Modello:"), "");
    EXPECT_EQ(ValoreEtichetta("Modello: "), "");
    EXPECT_EQ(ValoreEtichetta("Modello:MD110"), "D110");
    // Leading blanks cost the value as many characters; trailing blanks stay.
    EXPECT_EQ(ValoreEtichetta("  Modello: MD110"), "110");
    EXPECT_EQ(ValoreEtichetta("Modello: MD110  "), "110  ");
    EXPECT_EQ(ValoreEtichetta("Senza due punti"), "enza due punti");
    EXPECT_EQ(ValoreEtichetta(""), "");

    ASSERT_TRUE(Leggi(VecchioDriver::Base()
                          .Riga(4, "Modello: Centralino \xE8 bello")
                          .Riga(5, "Versione:")
                          .Riga(7, "Autore: ")));
    EXPECT_EQ(mDoc.msModello, "Centralino \xE8 bello");
    EXPECT_EQ(mDoc.msVersione, "");
    EXPECT_EQ(mDoc.msAutore, "");
}

TEST_F(LetturaLegacy, BloccoNoteDiLunghezzaQualsiasi) {
    VecchioDriver d = VecchioDriver::Base();
    d.mvNote = {"* ab", "cd", "*", "* ", "*x", "VARIE"};
    ASSERT_TRUE(Leggi(d));
    EXPECT_EQ(mDoc.msNote, "ab\r\ncd");
    // The numbering starts again at 24 after "VARIE": line 25 is still the transfer line.
    EXPECT_EQ(mDoc.moEntranti->mcolCondTrasferita->Item(1).msValore, "#");
    EXPECT_EQ(mDoc.moUscenti->mcolCampi->Count(), 8);

    d.mvNote = {"VARIE e altro"};
    mDoc.Delete();
    ASSERT_TRUE(Leggi(d));
    EXPECT_EQ(mDoc.msNote, "");
    EXPECT_EQ(mDoc.moEntranti->mcolCondTrasferita->Count(), 1);

    // "VARIE" must begin the line and is case-sensitive.
    d.mvNote = {" VARIE", "Varie", "VARIE"};
    mDoc.Delete();
    ASSERT_TRUE(Leggi(d));
    EXPECT_EQ(mDoc.msNote, "\r\n VARIE\r\nVarie");
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

// ---------------------------------------------------------------- field lines

TEST_F(LetturaLegacy, RigheConLeGraffe) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base()
                          .Riga(31, "{}{8}{0}")
                          .Riga(35, "{Formato sconosciuto}{6}{10}")
                          .Riga(39, "Ora fine {hh:mm (24 ore)}{ 5 }{ 20 }")
                          .Riga(43, "{hh:mm:ss}")
                          .Riga(57, "")
                          .Riga(61, "{ gg/mm/aa }{}{}")));
    EXPECT_EQ(Campo(true, "dData"), nullptr);
    const clsCampo* inizio = Campo(true, "dOraInizio");
    ASSERT_NE(inizio, nullptr);
    EXPECT_EQ(inizio->miInizio, 11);
    EXPECT_EQ(inizio->miLunghezza, 6);
    EXPECT_EQ(inizio->miFormato, 0);
    const clsCampo* fine = Campo(true, "dOraFine");
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(fine->miInizio, 21);
    EXPECT_EQ(fine->miLunghezza, 5);
    EXPECT_EQ(fine->miFormato, 1);                    // "hh:mm (24 ore)" is looked up as "hh:mm"
    const clsCampo* durata = Campo(true, "dDurata");  // missing groups read as 0
    ASSERT_NE(durata, nullptr);
    EXPECT_EQ(durata->miInizio, 1);
    EXPECT_EQ(durata->miLunghezza, 0);
    EXPECT_EQ(Campo(false, "dData"), nullptr);
    const clsCampo* oraUscenti = Campo(false, "dOraInizio");
    ASSERT_NE(oraUscenti, nullptr);
    EXPECT_EQ(oraUscenti->miFormato, 0);  // a date format asked in the time table
    EXPECT_EQ(mCatalogo.mvDomande[0], std::make_pair(std::string("Formato sconosciuto"), false));
    EXPECT_EQ(mCatalogo.mvDomande[1], std::make_pair(std::string("hh:mm"), false));
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

TEST_F(LetturaLegacy, RigheConIFlag) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base()
                          .Riga(52, "F&0&10&5&D")
                          .Riga(54, "S&0&10&5&S")
                          .Riga(73, "N&0&10&5&D")
                          .Riga(51, "F&0&30&4&D")
                          .Riga(74, "s&0&30&4&D")
                          .Riga(75, "F&x&12&7&D   ")
                          .Riga(76, "F")));
    const clsCampo* linea = Campo(true, "sLinea");
    EXPECT_TRUE(linea->mbOpzionale);
    EXPECT_EQ(linea->menAllineamento, clsCampo::DX);
    EXPECT_EQ(linea->miInizio, 11);
    EXPECT_EQ(linea->miLunghezza, 5);
    EXPECT_EQ(linea->miRiga, 1);
    const clsCampo* commessa = Campo(true, "sCommessa");
    EXPECT_FALSE(commessa->mbOpzionale);
    EXPECT_EQ(commessa->menAllineamento, clsCampo::SX);
    EXPECT_EQ(Campo(false, "sNumero"), nullptr);
    // Lines 51 and 74 declare a field only with "S".
    EXPECT_EQ(Campo(true, "sDerivato"), nullptr);
    EXPECT_EQ(Campo(false, "sDerivato"), nullptr);
    // The alignment is the last non-blank character.
    EXPECT_EQ(Campo(false, "sLinea")->menAllineamento, clsCampo::DX);
    EXPECT_EQ(Campo(false, "sLinea")->miInizio, 13);
    // Missing items read as 0.
    EXPECT_EQ(Campo(false, "lScatti")->miInizio, 1);
    EXPECT_EQ(Campo(false, "lScatti")->miLunghezza, 0);
}

TEST_F(LetturaLegacy, IdentificazioneETrasferite) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base()
                          .Riga(25, "S&2&14&35")
                          .Riga(27, "N&2&14&35")
                          .Riga(53, "S&4&2&X  ")
                          .Riga(77, "s&0&1&U")));
    const clsCondizione& t = mDoc.moEntranti->mcolCondTrasferita->Item(1);
    EXPECT_EQ(t.msValore, "#");
    EXPECT_EQ(t.miLunghezza, 3);
    EXPECT_EQ(t.miInizio, 14);
    EXPECT_EQ(t.miRiga, 1);
    EXPECT_EQ(t.miFormato, 0);
    EXPECT_TRUE(mDoc.moUscenti->mcolCondTrasferita->Vuota());
    const clsCondizione& id = mDoc.moEntranti->mcolCondizioni->Item(1);
    EXPECT_EQ(id.miInizio, 5);
    EXPECT_EQ(id.miLunghezza, 2);
    EXPECT_EQ(id.msValore, "X");
    EXPECT_TRUE(mDoc.moUscenti->mcolCondizioni->Vuota());

    mDoc.Delete();
    ASSERT_TRUE(Leggi(VecchioDriver::Base().Riga(25, "S&0&1&0").Riga(27, "S&0&1&255")));
    EXPECT_EQ(mDoc.moEntranti->mcolCondTrasferita->Item(1).msValore, std::string(1, '\0'));
    EXPECT_EQ(mDoc.moUscenti->mcolCondTrasferita->Item(1).msValore, "\xFF");
}

TEST_F(LetturaLegacy, Offset) {
    const auto offset = [&](const std::string& sRiga) {
        mDoc.Delete();
        EXPECT_TRUE(Leggi(VecchioDriver::Base().Riga(28, sRiga)));
        return mDoc.mlOffset;
    };
    EXPECT_EQ(offset("S&12"), "12");
    EXPECT_EQ(offset("S& 7"), "7");
    EXPECT_EQ(offset("S&-5"), " 5");
    EXPECT_EQ(offset("S&5-"), "-5");
    EXPECT_EQ(offset("S&0-"), " 0");
    EXPECT_EQ(offset("S&2.5"), "2");  // halves to even
    EXPECT_EQ(offset("N&12"), "0");
    EXPECT_EQ(offset("S"), "0");
    // The reader leaves the offset alone when the line does not use it.
    mDoc.Delete();
    mDoc.mlOffset = "9";
    EXPECT_TRUE(Leggi(VecchioDriver::Base().Riga(28, "N&12")));
    EXPECT_EQ(mDoc.mlOffset, "9");
}

TEST_F(LetturaLegacy, EntrantiNonPresenti) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base().Riga(11, "Presenti: No")));
    const clsChiamata& in = *mDoc.moEntranti;
    EXPECT_EQ(in.miNumRighe, 0);
    EXPECT_EQ(in.menTipo, clsChiamata::TIPO_NESSUNO);
    // The incoming fields are keyed in the outgoing numbering: "dRisposta" has no index there.
    ASSERT_NE(in.mcolCampi->Trova("-1"), nullptr);
    EXPECT_EQ(in.mcolCampi->Trova("-1")->msNome, "dRisposta");
    EXPECT_EQ(in.mcolCampi->Trova("5")->msNome, "sDerivato");
    EXPECT_EQ(mDoc.moUscenti->menTipo, clsChiamata::USCENTI);

    mDoc.Delete();
    ASSERT_TRUE(Leggi(VecchioDriver::Base().Riga(11, "Presenti: si")));
    EXPECT_EQ(mDoc.moEntranti->menTipo, clsChiamata::TIPO_NESSUNO);
}

TEST_F(LetturaLegacy, FileCortoOSenzaRigaMagica) {
    VecchioDriver d = VecchioDriver::Base();
    d.iUltima = 40;
    ASSERT_TRUE(Leggi(d));
    EXPECT_EQ(mDoc.moEntranti->mcolCampi->Count(), 2);  // date and start time
    EXPECT_TRUE(mDoc.moUscenti->mcolCampi->Vuota());
    EXPECT_TRUE(mDoc.moEntranti->mcolCondizioni->Vuota());
    EXPECT_EQ(mDoc.moUscenti->miNumRighe, 1);

    // A first line that is not the magic line ends the reading at once.
    mDoc.Delete();
    ASSERT_TRUE(Leggi(VecchioDriver::Base().Riga(1, "* DRVTARNO 02.00")));
    EXPECT_EQ(mDoc.msModello, "");
    EXPECT_TRUE(mDoc.moEntranti->mcolCampi->Vuota());

    // Lines after line 78 are not read.
    mDoc.Delete();
    ASSERT_TRUE(Leggi(VecchioDriver::Base().Testo() + "S&0&99&9&D\r\n{gg/mm/aa}{8}{0}\r\n"));
    EXPECT_EQ(mDoc.moUscenti->mcolCampi->Count(), 8);

    mDoc.Delete();
    ASSERT_TRUE(Leggi(""));
    EXPECT_TRUE(mDoc.moEntranti->mcolCampi->Vuota());
    EXPECT_TRUE(mMsg.mvTesti.empty());
}

TEST_F(LetturaLegacy, PreparaDriverConservaLeCollezioniEsistenti) {
    clsDriver doc;
    PreparaDriver(doc);
    ASSERT_TRUE(doc.moEntranti && doc.moUscenti);
    EXPECT_EQ(doc.moEntranti->miNumRighe, 1);
    EXPECT_EQ(doc.moEntranti->menTipo, 1);
    EXPECT_EQ(doc.moUscenti->menTipo, 2);
    EXPECT_TRUE(doc.moUscenti->mcolCampi && doc.moUscenti->mcolCondizioni &&
                doc.moUscenti->mcolCondTrasferita);

    doc.moUscenti->miNumRighe = 3;
    doc.moUscenti->menTipo = 0;
    doc.moUscenti->mcolCondizioni->Add(NuovaCondizione(1, 1, 1, 1, "A", 0, ""));
    doc.moUscenti->mcolCampi.reset();
    PreparaDriver(doc);
    EXPECT_EQ(doc.moUscenti->miNumRighe, 3);
    EXPECT_EQ(doc.moUscenti->menTipo, 2);
    EXPECT_EQ(doc.moUscenti->mcolCondizioni->Count(), 1);
    EXPECT_TRUE(doc.moUscenti->mcolCampi);
}

TEST(PulisciFormato, TogliSpaziETagliaAllaParentesi) {
    EXPECT_EQ(PulisciFormato("  gg/mm/aa "), "gg/mm/aa");
    EXPECT_EQ(PulisciFormato("hh:mm (24 ore)"), "hh:mm");
    EXPECT_EQ(PulisciFormato("(solo)"), "");
    EXPECT_EQ(PulisciFormato("\tgg\t"), "\tgg\t");  // only blanks are removed
    EXPECT_EQ(PulisciFormato(""), "");
}

// ---------------------------------------------------------------- the error path

TEST_F(LetturaLegacy, NoteSenzaVarieSvuotaIlDocumento) {
    VecchioDriver d = VecchioDriver::Base();
    d.mvNote = {"* note"};
    d.iUltima = 20;  // the file ends inside the notes block
    mDoc.msMarca = "Tie";
    EXPECT_FALSE(Leggi(d));
    ASSERT_EQ(mMsg.mvMessaggi.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0],
              kErroreImport +
                  "62:Input oltre la fine del file (il blocco delle note non termina "
                  "con una riga VARIE)");
    EXPECT_EQ(mMsg.mvMessaggi[0].icona, Icona::Critico);
    EXPECT_EQ(mMsg.mvMessaggi[0].sTitolo, "Attenzione");
    EXPECT_FALSE(mDoc.moEntranti);
    EXPECT_FALSE(mDoc.moUscenti);
    EXPECT_EQ(mDoc.msModello, "");
    EXPECT_EQ(mDoc.msMarca, "");
    // The file is not held: it can be read again and replaced.
    EXPECT_TRUE(ControllaVecchioDriver(mFile, mMsg));
    EXPECT_TRUE(Leggi(VecchioDriver::Base()));
}

TEST_F(LetturaLegacy, ErroriDiEsecuzioneDelLettore) {
    struct Caso {
        int iRiga;
        std::string sRiga;
        std::string sAtteso;
    };
    const std::vector<Caso> casi = {
        {35, "{hh:mm}{40000}{0}", "6:Numero fuori dall'intervallo consentito (riga 35)"},
        {52, "F&0&32767&5&D", "6:Numero fuori dall'intervallo consentito (riga 52)"},
        {53, "S&-40000&1&E", "6:Numero fuori dall'intervallo consentito (riga 53)"},
        {28, "S&-32768", "6:Numero fuori dall'intervallo consentito (riga 28)"},
        {25, "S&32767&1&35", "6:Numero fuori dall'intervallo consentito (riga 25)"},
        {73, "F&0&1&99999999999999999999&D", "6:Numero fuori dall'intervallo consentito (riga 73)"},
        {25, "S&2&14&300", "5:Codice di carattere 300 fuori dall'intervallo 0-255 (riga 25)"},
        {27, "S&2&14&-1", "5:Codice di carattere -1 fuori dall'intervallo 0-255 (riga 27)"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.sRiga);
        mMsg.mvTesti.clear();
        clsDriver doc;
        const std::string f =
            mCartella.Scrivi("err.drv", VecchioDriver::Base().Riga(c.iRiga, c.sRiga).Testo());
        EXPECT_FALSE(LeggiVecchioDriver(f, doc, mMsg));
        ASSERT_EQ(mMsg.mvTesti.size(), 1u);
        EXPECT_EQ(mMsg.mvTesti[0], kErroreImport + c.sAtteso);
        EXPECT_FALSE(doc.moEntranti);
    }
}

TEST_F(LetturaLegacy, ChiaveDuplicataEFileMancante) {
    ASSERT_TRUE(Leggi(VecchioDriver::Base()));
    // Reading into a document that already holds the fields finds their keys taken.
    EXPECT_FALSE(LeggiVecchioDriver(mFile, mDoc, mMsg));
    ASSERT_EQ(mMsg.mvTesti.size(), 1u);
    EXPECT_EQ(mMsg.mvTesti[0], kErroreImport +
                                   "457:Questa chiave \xE8 gi\xE0 associata ad un elemento della "
                                   "collezione: campo dData (riga 31)");
    EXPECT_FALSE(mDoc.moEntranti);

    const std::string mancante = mCartella.Percorso("non_esiste.drv");
    EXPECT_FALSE(LeggiVecchioDriver(mancante, mDoc, mMsg));
    EXPECT_EQ(mMsg.mvTesti[1], kErroreImport + "53:Impossibile aprire il file " + mancante);
}

}  // namespace
}  // namespace tarno::test

// The verification run of the engine library on the demo suite's drivers and printouts, with
// the expected logs; the log's folder, its replacement and the reading of the sample.

#include <gtest/gtest.h>

#include <algorithm>

#include "../model/Aiuti.h"
#include "AiutiEngine.h"
#include "VerificaDriver.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

const std::string kDemo = TARNO_DEMO_DIR;
const std::string kAttesi = TARNO_ATTESI_DIR;

RichiestaVerifica Richiesta(const std::string& driver, const std::string& dati,
                            const std::string& log) {
    RichiestaVerifica r;
    r.sDriver = driver;
    r.sCampione = dati;
    r.sLog = log;
    r.formati = FormatiDemo();
    return r;
}

TEST(Demo, IlCatalogoDemoHaIFormatiAttesi) {
    const auto f = FormatiDemo();
    ASSERT_EQ(f.size(), 17u);
    EXPECT_EQ(f.at(1), "gg/mm/aa");
    EXPECT_EQ(f.at(7), "gg mmm aaaa");
    EXPECT_EQ(f.at(10), "hh:mm");
    EXPECT_EQ(f.at(18), "ss");
}

TEST(Demo, EntrambiIDriverDemoSuiLoroDati) {
    for (const std::string nome : {"PanasonicTDA", "SiemensHiPath"}) {
        SCOPED_TRACE(nome);
        CartellaTemp t;
        const std::string driver = kDemo + "/Driver/" + nome + ".drv";
        const std::string dati = kDemo + "/Dati/" + nome + ".txt";
        const std::string log = t.File(NOME_LOG_VERIFICA);
        const EsitoVerifica e = VerificaDriver(Richiesta(driver, dati, log));
        ASSERT_TRUE(e.bRiuscita) << e.sErrore;
        EXPECT_EQ(e.sErrore, "");
        ConfrontaLog(log, kAttesi + "/" + nome + ".log", driver, dati);
        // Nothing but the log is left in its folder.
        EXPECT_EQ(NomiIn(t.Percorso()), std::vector<std::string>{NOME_LOG_VERIFICA});
    }
}

TEST(Demo, DatiELogInUnaCartellaConSpaziEIlVecchioLogSostituito) {
    CartellaTemp t;
    const fs::path cartella = t.Percorso() / "cartella con spazi";
    fs::create_directories(cartella);
    const std::string driver = (cartella / "driver demo.drv").string();
    const std::string dati = (cartella / "stampa di prova.txt").string();
    fs::copy_file(kDemo + "/Driver/PanasonicTDA.drv", driver);
    fs::copy_file(kDemo + "/Dati/PanasonicTDA.txt", dati);
    const std::string log = (cartella / NOME_LOG_VERIFICA).string();
    ScriviFile(log, std::string(200000, 'x'));
    const EsitoVerifica e = VerificaDriver(Richiesta(driver, dati, log));
    ASSERT_TRUE(e.bRiuscita) << e.sErrore;
    EXPECT_EQ(e.conteggi.Chiamate(), 40u);
    ConfrontaLog(log, kAttesi + "/PanasonicTDA.log", driver, dati);
    EXPECT_EQ(NomiIn(cartella), (std::vector<std::string>{NOME_LOG_VERIFICA, "driver demo.drv",
                                                          "stampa di prova.txt"}));
}

TEST(Demo, UnaChiamataTagliataDallaFineDeiDatiNonSiPerde) {
    // The Siemens printout up to the first line of a two-line call.
    CartellaTemp t;
    const std::string intero = LeggiTutto(kDemo + "/Dati/SiemensHiPath.txt");
    const size_t fine = intero.find("IN  11:21:26");
    ASSERT_NE(fine, std::string::npos);
    const std::string dati = t.File("tagliato.txt");
    ScriviFile(dati, intero.substr(0, intero.find("\r\n", fine) + 2));
    const std::string log = t.File(NOME_LOG_VERIFICA);
    const EsitoVerifica e =
        VerificaDriver(Richiesta(kDemo + "/Driver/SiemensHiPath.drv", dati, log));
    ASSERT_TRUE(e.bRiuscita) << e.sErrore;
    EXPECT_EQ(e.conteggi.iRighe, 9u);
    EXPECT_EQ(e.conteggi.Chiamate(), 2u);
    EXPECT_EQ(e.conteggi.iIncomplete, 1u);
    const auto righe = RigheLog(LeggiTutto(log));
    const auto it = std::find(righe.begin(), righe.end(),
                              "Chiamata entrante INCOMPLETA, riga 9: il campione finisce dopo 1 "
                              "delle 2 righe");
    ASSERT_NE(it, righe.end());
    ASSERT_NE(it + 1, righe.end());
    EXPECT_EQ(*(it + 1), "    riga 9: IN  11:21:26  18317 2013 003 037");
    EXPECT_EQ(righe[10], "Chiamate incomplete (fine dati):                1");
}

TEST(Demo, DriverODatiMancantiLascianoUnLogConLErrore) {
    CartellaTemp t;
    const std::string log = t.File(NOME_LOG_VERIFICA);
    const std::string dati = kDemo + "/Dati/PanasonicTDA.txt";
    EsitoVerifica e = VerificaDriver(Richiesta(t.File("manca.drv"), dati, log));
    EXPECT_FALSE(e.bRiuscita);
    EXPECT_EQ(e.sErrore, "file del driver non trovato: " + t.File("manca.drv"));
    auto righe = RigheLog(LeggiTutto(log));
    ASSERT_EQ(righe.size(), 8u);
    EXPECT_EQ(righe[0], "VERIFICA DEL DRIVER");
    EXPECT_EQ(righe[1], "Driver:                           " + t.File("manca.drv"));
    EXPECT_EQ(righe[5], "ERRORE: file del driver non trovato: " + t.File("manca.drv"));
    EXPECT_EQ(righe[7], "VERIFICA NON ESEGUITA");

    e = VerificaDriver(Richiesta(kDemo + "/Driver/PanasonicTDA.drv", t.Percorso().string(), log));
    EXPECT_FALSE(e.bRiuscita);
    EXPECT_EQ(e.sErrore, "file dei dati non " + W("è") + " un file: " + t.Percorso().string());
    righe = RigheLog(LeggiTutto(log));
    ASSERT_EQ(righe.size(), 8u);
    EXPECT_EQ(righe[5], "ERRORE: " + e.sErrore);

    // A log that cannot be written: the error says so, nothing crashes.
    e = VerificaDriver(
        Richiesta(kDemo + "/Driver/PanasonicTDA.drv", dati, t.File("non/esiste/VerificaDrv.log")));
    EXPECT_FALSE(e.bRiuscita);
    EXPECT_NE(e.sErrore.find("impossibile scrivere nella cartella"), std::string::npos)
        << e.sErrore;
}

// The demo printout's call lines again and again, so that lines cross the reading blocks.
std::string MoltiDati(const std::string& finale, size_t& rChiamate) {
    const std::string demo = LeggiTutto(kDemo + "/Dati/PanasonicTDA.txt");
    std::vector<std::string> chiamate;
    std::istringstream in(demo);
    for (std::string s; std::getline(in, s);)
        if (s.size() > 20 && s[2] == '/') chiamate.push_back(s.substr(0, s.size() - 1));
    std::string testo;
    rChiamate = 0;
    while (testo.size() < 3'000'000) {
        testo += chiamate[rChiamate % chiamate.size()] + finale;
        ++rChiamate;
    }
    return testo;
}

TEST(Demo, FineRigaLFOCRLFEUltimaRigaSenzaFine) {
    CartellaTemp t;
    const std::string driver = kDemo + "/Driver/PanasonicTDA.drv";
    for (const std::string finale : {"\r\n", "\n"}) {
        size_t n = 0;
        std::string testo = MoltiDati(finale, n);
        testo.resize(testo.size() - finale.size());  // the last line without its end
        ScriviFile(t.File("dati.txt"), testo);
        const EsitoVerifica e =
            VerificaDriver(Richiesta(driver, t.File("dati.txt"), t.File("v.log")));
        ASSERT_TRUE(e.bRiuscita) << e.sErrore;
        EXPECT_EQ(e.conteggi.iRighe, n);
        EXPECT_EQ(e.conteggi.Chiamate(), n);
        EXPECT_EQ(e.conteggi.iValoriNonValidi, 0u);
        EXPECT_EQ(e.conteggi.iNonRiconosciute, 0u);
    }
}

TEST(Demo, RigaLunghissimaAttraversoIBlocchiDiLettura) {
    CartellaTemp t;
    size_t n = 0;
    std::string testo = MoltiDati("\r\n", n);
    // A line of 3 MB inside a call line (which becomes two lines that are no call), and one at
    // the end without its line end.
    const size_t p = testo.find("\r\n", testo.size() / 2) + 2 + 10;
    testo.insert(p, "\r\n" + std::string(3'000'000, 'z') + "\r\n");
    testo += std::string(2'000'000, 'y');
    ScriviFile(t.File("dati.txt"), testo);
    const EsitoVerifica e = VerificaDriver(
        Richiesta(kDemo + "/Driver/PanasonicTDA.drv", t.File("dati.txt"), t.File("v.log")));
    ASSERT_TRUE(e.bRiuscita) << e.sErrore;
    EXPECT_EQ(e.conteggi.iRigheTroncate, 2u);
    EXPECT_EQ(e.conteggi.iRighe, n + 3);
    EXPECT_EQ(e.conteggi.Chiamate(), n - 1);  // the line split in two is no call
    EXPECT_EQ(e.conteggi.iNonRiconosciute, 4u);
}

}  // namespace

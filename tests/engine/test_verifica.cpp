// The verification run of the engine library: every case folder under casi/ (a driver, a
// printout and the expected log) and the demo suite's drivers and printouts, each run from a
// folder whose name has accents and blanks; the logs of a run that cannot start; and printouts
// whose lines cross the reading blocks.

#include <gtest/gtest.h>

#include "AiutiEngine.h"
#include "engine/VerificaDriver.h"
#include "engine/clsEsitiJson.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

const std::string kDemo = TARNO_DEMO_PROVA;
const std::string kDataOra = "(data e ora della verifica)";

EsitoVerifica Verifica(const std::string& driver, const std::string& dati, const std::string& log) {
    RichiestaVerifica r;
    r.sDriver = driver;
    r.sCampione = dati;
    r.sLog = log;
    r.formati = FormatiDemo();
    r.sDataOra = kDataOra;
    return VerificaDriver(r);
}

// A case: a driver, a printout and the log expected of them.
struct Caso {
    std::string nome;
    fs::path driver, dati, atteso;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

std::vector<Caso> Casi() {
    std::vector<Caso> casi;
    for (const std::string nome : {"PanasonicTDA", "SiemensHiPath"})
        casi.push_back({"demo_" + nome, kDemo + "/Driver/" + nome + ".drv",
                        kDemo + "/Dati/" + nome + ".txt", TARNO_ATTESI_DIR "/" + nome + ".log"});
    for (const auto& d : fs::directory_iterator(TARNO_CASI_DIR))
        casi.push_back({d.path().filename().string(), d.path() / "driver.drv",
                        d.path() / "stampa.txt", d.path() / "atteso.log"});
    return casi;
}

class LogDelCaso : public ::testing::TestWithParam<Caso> {};

TEST_P(LogDelCaso, ComeAtteso) {
    const Caso& c = GetParam();
    CartellaTemp t;
    const std::string driver = t.File("il driver.drv"), dati = t.File("la stampa.txt");
    fs::copy_file(c.driver, driver);
    fs::copy_file(c.dati, dati);
    const std::string log = t.File(NOME_LOG_VERIFICA);
    ScriviFile(log, std::string(200000, 'x'));  // an old, longer log is replaced whole
    const EsitoVerifica e = Verifica(driver, dati, log);
    ASSERT_TRUE(e.bRiuscita) << e.sErrore;
    EXPECT_EQ(e.sErrore, "");
    if (std::getenv("TARNO_RIGENERA")) {  // the log becomes the expected one
        std::string s = LeggiTutto(log);
        for (const auto& [da, a] : {std::pair{W(driver), "@DRIVER@"},
                                    {W(dati), "@DATI@"},
                                    {"  " TARNO_VERSIONE "\r\n", "  @VERSIONE@\r\n"}})
            for (size_t p = s.find(da); p != std::string::npos; p = s.find(da, p))
                s.replace(p, da.size(), a);
        ScriviFile(c.atteso.string(), s);
    }
    EXPECT_EQ(LeggiTutto(log), LogAtteso(c.atteso, driver, dati));
    // No temporary file is left beside the log.
    EXPECT_EQ(NomiIn(t.Percorso()),
              (std::vector<std::string>{NOME_LOG_VERIFICA, "il driver.drv", "la stampa.txt"}));
}

// One test per case folder, named after it.
INSTANTIATE_TEST_SUITE_P(Verifica, LogDelCaso, ::testing::ValuesIn(Casi()),
                         [](const ::testing::TestParamInfo<Caso>& i) {
                             std::string n = i.param.nome;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

// The demo's golden cases hold the shipped demo drivers and printouts byte for byte, so their
// logs are the ones the shipped demo gives.
TEST(Verifica, ICasiDellaDemoSonoLaDemoSpedita) {
    for (const auto& [caso, nome] : {std::pair{"demo-panasonic-tda", "PanasonicTDA"},
                                     std::pair{"demo-siemens-hipath", "SiemensHiPath"}}) {
        const std::string c = TARNO_CASI_DIR "/" + std::string(caso), n = nome;
        EXPECT_EQ(LeggiTutto(c + "/driver.drv"), LeggiTutto(TARNO_DEMO_DIR "/Driver/" + n + ".drv"))
            << caso;
        EXPECT_EQ(LeggiTutto(c + "/stampa.txt"), LeggiTutto(TARNO_DEMO_DIR "/Dati/" + n + ".txt"))
            << caso;
    }
}

// The same reading as JSON: every call, field, date line and skipped line, the notes on the
// settings and the counts, texts in UTF-8 (the sample and driver are Windows-1252).
TEST(Verifica, IRisultatiInJson) {
    CartellaTemp t;
    const std::string driver = t.File("il driver.drv"), dati = t.File("la stampa.txt");
    fs::copy_file(TARNO_CASI_DIR "/siemens-tagliato/driver.drv", driver);
    fs::copy_file(TARNO_CASI_DIR "/siemens-tagliato/stampa.txt", dati);
    EsitoAnalisi e;
    auto json = AnalisiInJson(driver, dati, FormatiDemo(), "", e);
    EXPECT_EQ(e.stato, EsitoAnalisi::Riuscita);
    EXPECT_EQ(json["driver"], driver);
    json["driver"] = "@DRIVER@";
    json["campione"] = "@DATI@";
    if (std::getenv("TARNO_RIGENERA"))
        ScriviFile(TARNO_ATTESI_DIR "/siemens-tagliato.json", json.dump(2) + "\n");
    EXPECT_EQ(json.dump(2) + "\n", LeggiTutto(TARNO_ATTESI_DIR "/siemens-tagliato.json"));
}

TEST(Verifica, DriverODatiMancantiLascianoUnLogConLErrore) {
    CartellaTemp t;
    const std::string log = t.File(NOME_LOG_VERIFICA), driver = kDemo + "/Driver/PanasonicTDA.drv",
                      dati = kDemo + "/Dati/PanasonicTDA.txt";
    const std::string manca = t.File("manca.drv"), cartella = t.Percorso().string();
    const std::vector<std::array<std::string, 3>> casi = {
        {manca, dati, "file del driver non trovato: " + W(manca)},
        {driver, cartella, "file dei dati non " + W("è") + " un file: " + W(cartella)},
    };
    for (const auto& [drv, campione, errore] : casi) {
        const EsitoVerifica e = Verifica(drv, campione, log);
        EXPECT_FALSE(e.bRiuscita);
        EXPECT_EQ(e.sErrore, errore);
        auto riga = [](std::string e, const std::string& v) {
            e.resize(34, ' ');
            return e + v + "\r\n";
        };
        EXPECT_EQ(LeggiTutto(log), "VERIFICA DEL DRIVER\r\n" + riga("Driver:", W(drv)) +
                                       riga("Dati:", W(campione)) + riga("Data e ora:", kDataOra) +
                                       riga("Versione:", TARNO_VERSIONE) + "\r\nERRORE: " + errore +
                                       "\r\n\r\nVERIFICA NON ESEGUITA\r\n");
    }
    // A log that cannot be written: the error says so, nothing crashes.
    const EsitoVerifica e = Verifica(driver, dati, t.File("non/esiste/VerificaDrv.log"));
    EXPECT_FALSE(e.bRiuscita);
    EXPECT_NE(e.sErrore.find("impossibile scrivere nella cartella"), std::string::npos)
        << e.sErrore;
}

// The demo printout's call lines again and again (3 MB), so that lines cross the reading blocks.
std::string MoltiDati(const std::string& finale, size_t& rChiamate) {
    std::vector<std::string> chiamate;
    std::istringstream in(LeggiTutto(kDemo + "/Dati/PanasonicTDA.txt"));
    for (std::string s; std::getline(in, s);)
        if (s.size() > 20 && s[2] == '/') chiamate.push_back(s.substr(0, s.size() - 1));
    std::string testo;
    for (rChiamate = 0; testo.size() < 3'000'000; ++rChiamate)
        testo += chiamate[rChiamate % chiamate.size()] + finale;
    return testo;
}

TEST(Verifica, StampeGrandiFineRigaERigheLunghissime) {
    CartellaTemp t;
    const std::string driver = kDemo + "/Driver/PanasonicTDA.drv", dati = t.File("dati.txt");
    for (const std::string finale : {"\r\n", "\n"}) {
        size_t n = 0;
        std::string testo = MoltiDati(finale, n);
        testo.resize(testo.size() - finale.size());  // the last line without its end
        ScriviFile(dati, testo);
        const EsitoVerifica e = Verifica(driver, dati, t.File("v.log"));
        ASSERT_TRUE(e.bRiuscita) << e.sErrore;
        EXPECT_EQ(e.conteggi.iRighe, n);
        EXPECT_EQ(e.conteggi.Chiamate(), n);
        EXPECT_EQ(e.conteggi.iValoriNonValidi + e.conteggi.iNonRiconosciute, 0u);
    }
    // Its log, longer than a view holds, shown in brief: the header with the counts and the
    // settings, a line saying what is left out, the end from a line's start.
    const std::string log = LeggiTutto(t.File("v.log"));
    const size_t calls = log.find("\r\nCHIAMATE\r\n") + 2;
    const std::string breve =
        LogInBreve(std::string_view(log).substr(0, 20000),
                   std::string_view(log).substr(log.size() - 50000), log.size(), 50000);
    EXPECT_LE(breve.size(), 50000u);
    EXPECT_EQ(breve.substr(0, calls), log.substr(0, calls));
    const size_t dopo = breve.find("\r\n\r\n", calls) + 4;
    EXPECT_EQ(breve.substr(calls, dopo - calls),
              "\r\n... " + std::to_string(log.size() - calls - (breve.size() - dopo)) +
                  " byte del log non mostrati (le chiamate e le righe fin qui): segue la fine "
                  "del log ...\r\n\r\n");
    EXPECT_EQ(log.substr(log.size() - (breve.size() - dopo)), breve.substr(dopo));
    EXPECT_EQ(log[log.size() - (breve.size() - dopo) - 1], '\n');
    EXPECT_EQ(LogInBreve("abc", "abc", 3, 10), "abc");
    // A line of 3 MB inside a call line (which becomes two lines that are no call), and one of
    // 2 MB at the end without its line end: both cut, the rest read as before.
    size_t n = 0;
    std::string testo = MoltiDati("\r\n", n);
    testo.insert(testo.find("\r\n", testo.size() / 2) + 2 + 10,
                 "\r\n" + std::string(3'000'000, 'z') + "\r\n");
    ScriviFile(dati, testo + std::string(2'000'000, 'y'));
    const EsitoVerifica e = Verifica(driver, dati, t.File("v.log"));
    ASSERT_TRUE(e.bRiuscita) << e.sErrore;
    EXPECT_EQ(e.conteggi.iRigheTroncate, 2u);
    EXPECT_EQ(e.conteggi.iRighe, n + 3);
    EXPECT_EQ(e.conteggi.Chiamate(), n - 1);
    EXPECT_EQ(e.conteggi.iNonRiconosciute, 4u);
}

}  // namespace

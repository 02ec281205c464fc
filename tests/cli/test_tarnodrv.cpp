// tarnodrv run as a real program: what it prints on stdout (exact bytes), the messages on
// stderr (one a line, in order), the files it writes and its exit codes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

// "·" as the files hold it (Windows-1252) and as tarnodrv prints it (UTF-8).
const std::string kPunto = "\xB7";
const std::string kPuntoUtf8 = "\xC2\xB7";

// The usage starts with this and names every command on a line of its own.
const std::string kUsoInizio = "uso:\n";
const std::vector<std::string> kUsoComandi{
    "  tarnodrv ini-get FILE SEZIONE [CHIAVE]\n",
    "  tarnodrv ini-set FILE SEZIONE CHIAVE VALORE\n",
    "  tarnodrv dump FILE\n",
    "  tarnodrv resave ORIGINE DESTINAZIONE\n",
};

struct Esito {
    int iCodice = -1;
    std::string sOut;
    std::string sErr;

    std::vector<std::string> RigheErr() const {
        std::vector<std::string> righe;
        std::istringstream in(sErr);
        for (std::string r; std::getline(in, r);) righe.push_back(r);
        return righe;
    }
};

std::string Leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

void Scrivi(const fs::path& p, const std::string& sContenuto) {
    std::ofstream out(p, std::ios::binary);
    out << sContenuto;
}

// Lines joined with CR LF, each line ended by one.
std::string Righe(const std::vector<std::string>& righe) {
    std::string s;
    for (const auto& r : righe) s += r + "\r\n";
    return s;
}

// The saved-file example of the driver format: one incoming field and its condition.
const std::string kEsempio = Righe({
    "[Centralino]",
    "Autore=Esempio",
    "Marca=Esempio",
    "Offset=0",
    "Ignora_vuote=1",
    "Caratteri_ultima_riga=0",
    "",
    "[Entranti]",
    "Numero_Righe=1",
    "Condizioni=Condizione_0",
    "Campo_0=\"dData\"" + kPunto + "3,8,1" + kPunto + "SX" + kPunto + "N" + kPunto + "1" + kPunto +
        "DATA" + kPunto,
    "",
    "[Condizioni]",
    "Condizione_0=UGUALE_A" + kPunto + "1,1,1" + kPunto + "\"E\"" + kPunto,
    "",
});

class Tarnodrv : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        const auto nome =
            "tarno-cli-" + std::to_string(::getpid()) + "-" + std::to_string(rd()) + "-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        mCartella = fs::temp_directory_path() / nome;
        fs::create_directories(mCartella);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(mCartella, ec);
    }

    fs::path File(const std::string& sNome) const { return mCartella / sNome; }

    // Runs tarnodrv with the arguments; stdout and stderr are collected in files.
    Esito Esegui(const std::vector<std::string>& argomenti) const {
        const fs::path out = File(".stdout");
        const fs::path err = File(".stderr");
        std::vector<char*> argv;
        std::string programma = TARNODRV;
        argv.push_back(programma.data());
        std::vector<std::string> copie = argomenti;
        for (auto& a : copie) argv.push_back(a.data());
        argv.push_back(nullptr);

        const pid_t pid = ::fork();
        if (pid == 0) {
            const int fdOut = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int fdErr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fdOut < 0 || fdErr < 0) ::_exit(126);
            ::dup2(fdOut, 1);
            ::dup2(fdErr, 2);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        Esito e;
        int stato = 0;
        if (pid > 0 && ::waitpid(pid, &stato, 0) == pid && WIFEXITED(stato))
            e.iCodice = WEXITSTATUS(stato);
        e.sOut = Leggi(out);
        e.sErr = Leggi(err);
        fs::remove(out);
        fs::remove(err);
        return e;
    }

    fs::path mCartella;
};

// --- ini-get -------------------------------------------------------------------------------

TEST_F(Tarnodrv, IniGetPrintsTheValueAsTheLookupReturnsIt) {
    const fs::path f = File("prova.ini");
    Scrivi(f, Righe({"[Centralino]", "Autore =  \"Mario Rossi\"  ", "Note=a" + kPunto + "b\xE8",
                     "[centralino]", "Marca=seconda", "[Vuota]"}));

    Esito e = Esegui({"ini-get", f, "CENTRALINO", "autore"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "Mario Rossi");  // blanks and one pair of quotes removed, no newline
    EXPECT_EQ(e.sErr, "");

    // Windows-1252 bytes come out as UTF-8.
    e = Esegui({"ini-get", f, "Centralino", "Note"});
    EXPECT_EQ(e.sOut, "a" + kPuntoUtf8 + "b\xC3\xA8");

    // Only the first section of a name counts; a missing key or file prints nothing.
    e = Esegui({"ini-get", f, "Centralino", "Marca"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "");
    e = Esegui({"ini-get", File("manca.ini"), "Centralino", "Autore"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "");
}

TEST_F(Tarnodrv, IniGetCutsLongValuesAt499Characters) {
    const fs::path f = File("lungo.ini");
    Scrivi(f, Righe({"[S]", "K=" + std::string(700, 'x')}));
    const Esito e = Esegui({"ini-get", f, "S", "K"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, std::string(499, 'x'));
}

TEST_F(Tarnodrv, IniGetWithoutKeyPrintsTheKeyNamesEachFollowedByNul) {
    const fs::path f = File("elenco.ini");
    Scrivi(f, Righe({"[Prescanning]", "Primo=1", "secondo = 2", "Terzo=", "[Altro]", "X=1"}));
    const Esito e = Esegui({"ini-get", f, "prescanning"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, std::string("Primo\0secondo\0Terzo\0", 20));
    EXPECT_EQ(e.sErr, "");
}

TEST_F(Tarnodrv, IniGetKeyListStaysWithinTheBuffer) {
    std::vector<std::string> righe{"[P]"};
    for (int i = 0; i < 100; ++i) righe.push_back("Parametro" + std::to_string(100 + i) + "=v");
    const fs::path f = File("tanti.ini");
    Scrivi(f, Righe(righe));
    const Esito e = Esegui({"ini-get", f, "P"});
    EXPECT_EQ(e.iCodice, 0);
    ASSERT_LE(e.sOut.size(), 500u);
    // Each name takes 13 characters with its NUL: 38 whole names fit before the cut one.
    EXPECT_EQ(e.sOut.substr(0, 13), std::string("Parametro100\0", 13));
    EXPECT_EQ(e.sOut.substr(37 * 13, 13), std::string("Parametro137\0", 13));
}

// --- ini-set -------------------------------------------------------------------------------

TEST_F(Tarnodrv, IniSetWritesTheNormalisedFileAndExitsZero) {
    const fs::path f = File("nuovo.ini");
    Esito e = Esegui({"ini-set", f, "Centralino", "Autore", "Perf\xC3\xA8tto"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "");
    EXPECT_EQ(e.sErr, "");
    EXPECT_EQ(Leggi(f), "[Centralino]\r\nAutore=Perf\xE8tto\r\n\r\n");

    // A later key goes to the end of its section; comments and keys without a value go.
    Scrivi(f, Righe({"; commento", "[Centralino]", "Autore = A ", "Vuota=", "[Altro]", "X=1"}));
    e = Esegui({"ini-set", f, "centralino", "Marca", "M"});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(Leggi(f), Righe({"[Centralino]", "Autore=A", "Marca=M", "", "[Altro]", "X=1", ""}));

    // An empty value inserts nothing but still rewrites the file.
    Scrivi(f, Righe({"[S]", "k = v", "senza uguale"}));
    e = Esegui({"ini-set", f, "S", "k", ""});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(Leggi(f), Righe({"[S]", "k=v", ""}));
}

TEST_F(Tarnodrv, IniSetExitsOneWhenTheFileCannotBeWritten) {
    const fs::path cartella = File("cartella");
    fs::create_directory(cartella);
    Esito e = Esegui({"ini-set", cartella, "S", "K", "V"});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_EQ(e.sOut, "");
    EXPECT_TRUE(fs::is_directory(cartella));
    EXPECT_TRUE(fs::is_empty(cartella));

    e = Esegui({"ini-set", File("manca/x.ini"), "S", "K", "V"});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_FALSE(fs::exists(File("manca")));
}

TEST_F(Tarnodrv, IniSetRefusesTextsThatWindows1252CannotHold) {
    const fs::path f = File("x.ini");
    Scrivi(f, Righe({"[S]", "K=prima"}));
    const Esito e = Esegui({"ini-set", f, "S", "K", "telefono \xE2\x98\x8E"});
    EXPECT_EQ(e.iCodice, 2);
    EXPECT_EQ(e.sOut, "");
    EXPECT_NE(e.sErr.find("\xE2\x98\x8E"), std::string::npos);
    EXPECT_EQ(Leggi(f), Righe({"[S]", "K=prima"}));  // untouched
}

// --- dump ----------------------------------------------------------------------------------

TEST_F(Tarnodrv, DumpPrintsTheDocumentAsJson) {
    const fs::path f = File("esempio.drv");
    Scrivi(f, kEsempio);
    const Esito e = Esegui({"dump", f});
    ASSERT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "");
    json j = json::parse(e.sOut);

    const std::vector<std::string> membri{"msAutore",
                                          "msData",
                                          "msVersione",
                                          "msMarca",
                                          "msModello",
                                          "msNote",
                                          "mlOffset",
                                          "mbIngnoraRigheVuote",
                                          "mlTroncaUltimaRigaDopoCaratteri",
                                          "mbConPrescanning",
                                          "Mesi",
                                          "mcolTrasf",
                                          "moEntranti",
                                          "moUscenti",
                                          "mcolDataIsolata",
                                          "mcolPrescanning"};
    for (const auto& m : membri) EXPECT_TRUE(j.contains(m)) << m;
    EXPECT_EQ(j["msAutore"], "Esempio");
    EXPECT_EQ(j["msData"], "");
    EXPECT_EQ(j["mlOffset"], "0");  // a string
    EXPECT_EQ(j["mbIngnoraRigheVuote"], true);
    EXPECT_EQ(j["mlTroncaUltimaRigaDopoCaratteri"], 0);
    EXPECT_EQ(j["mbConPrescanning"], false);
    ASSERT_TRUE(j["Mesi"].is_array());
    EXPECT_EQ(j["Mesi"].size(), 12u);
    EXPECT_EQ(j["mcolTrasf"], json::array());
    EXPECT_TRUE(j["mcolDataIsolata"].is_null());  // never created by this file
    EXPECT_EQ(j["mcolPrescanning"], json::array());

    json& ent = j["moEntranti"];
    EXPECT_EQ(ent["menTipo"], 1);
    EXPECT_EQ(ent["miNumRighe"], 1);
    EXPECT_TRUE(ent["mcolCondTrasferita"].is_null());
    ASSERT_EQ(ent["mcolCondizioni"].size(), 1u);
    json& cond = ent["mcolCondizioni"][0];
    EXPECT_EQ(cond["key"], "0");
    EXPECT_EQ(cond["msNome"], "Condizione_0");
    EXPECT_EQ(cond["menOperatore"], 1);
    EXPECT_EQ(cond["miInizio"], 1);
    EXPECT_EQ(cond["miLunghezza"], 1);
    EXPECT_EQ(cond["miRiga"], 1);
    EXPECT_EQ(cond["miFormato"], 0);
    EXPECT_EQ(cond["msValore"], "E");
    EXPECT_EQ(cond["msCongiunzione"], "");

    ASSERT_EQ(ent["mcolCampi"].size(), 1u);
    json& campo = ent["mcolCampi"][0];
    EXPECT_EQ(campo["key"], "0");
    EXPECT_EQ(campo["msNome"], "dData");
    EXPECT_EQ(campo["miInizio"], 3);
    EXPECT_EQ(campo["miLunghezza"], 8);
    EXPECT_EQ(campo["miRiga"], 1);
    EXPECT_EQ(campo["menAllineamento"], 2);
    EXPECT_EQ(campo["mbOpzionale"], false);
    EXPECT_EQ(campo["miFormato"], 1);
    EXPECT_EQ(campo["menEccezione"], 1);
    EXPECT_TRUE(campo["moTrasf"].is_null());

    // The outgoing type always exists after a load, empty here.
    json& usc = j["moUscenti"];
    EXPECT_EQ(usc["menTipo"], 2);
    EXPECT_EQ(usc["miNumRighe"], 0);
    EXPECT_EQ(usc["mcolCampi"], json::array());
}

TEST_F(Tarnodrv, DumpShowsTransformationsMonthsAndPrescanningInUtf8) {
    const fs::path f = File("completo.drv");
    Scrivi(f, Righe({
                  "[Centralino]",
                  "Note=Citt\xE0 " + kPunto,
                  "[Trasformazioni]",
                  "Azione_0=ENTRANTI" + kPunto + "IGNORA" + kPunto + "1,10,1" + kPunto + "\"0\"" +
                      kPunto + "\"SX\"" + kPunto + "Condizione_0",
                  "Azione_1=CAMPO" + kPunto + "DIVIDI" + kPunto + "1,6," + kPunto + "\"\"" +
                      kPunto + "\"10\"" + kPunto,
                  "[Condizioni]",
                  "Condizione_0=SOLO_NUMERI" + kPunto + "1,10,1" + kPunto + "\"\"" + kPunto,
                  "[Uscenti]",
                  "Numero_Righe=2",
                  "Campo_0=\"dDurata\"" + kPunto + "40,6,1" + kPunto + "DX" + kPunto + "N" +
                      kPunto + kPunto + "TRASFORMAZIONE" + kPunto + "Azione_1",
                  "[OPZIONI_DATA]",
                  "Mesi_In_Lettere=S" + kPunto + "GEN" + kPunto + "FEB" + kPunto + "MAR" + kPunto +
                      "APR" + kPunto + "MAG" + kPunto + "GIU" + kPunto + "LUG" + kPunto + "AGO" +
                      kPunto + "SET" + kPunto + "OTT" + kPunto + "NOV" + kPunto + "DIC",
                  "[Prescanning]",
                  "Righe=3",
                  "Fine=*** FINE ***",
              }));
    const Esito e = Esegui({"dump", f});
    ASSERT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "");
    json j = json::parse(e.sOut);

    EXPECT_EQ(j["msNote"], "Citt\xC3\xA0 " + kPuntoUtf8);
    EXPECT_EQ(j["Mesi"][0], "GEN");
    EXPECT_EQ(j["Mesi"][11], "DIC");

    // The CAMPO transformation is read only through its field.
    ASSERT_EQ(j["mcolTrasf"].size(), 1u);
    json& t = j["mcolTrasf"][0];
    EXPECT_EQ(t["key"], "0");
    EXPECT_EQ(t["menTipo"], 2);
    EXPECT_EQ(t["menOperazione"], 10);
    EXPECT_EQ(t["msSorgente"], "0");
    EXPECT_EQ(t["msValore"], "SX");
    ASSERT_EQ(t["mcolCondizioni"].size(), 1u);
    EXPECT_EQ(t["mcolCondizioni"][0]["menOperatore"], 3);

    json& campo = j["moUscenti"]["mcolCampi"][0];
    EXPECT_EQ(campo["key"], "3");  // the index of "dDurata"
    EXPECT_EQ(campo["menEccezione"], 2);
    ASSERT_TRUE(campo["moTrasf"].is_object());
    EXPECT_EQ(campo["moTrasf"]["menTipo"], 4);
    EXPECT_EQ(campo["moTrasf"]["msValore"], "10");
    EXPECT_TRUE(campo["moTrasf"]["mcolCondizioni"].is_null());

    EXPECT_EQ(j["mbConPrescanning"], true);
    ASSERT_EQ(j["mcolPrescanning"].size(), 2u);
    EXPECT_EQ(j["mcolPrescanning"][1]["sEntry"], "Fine");
    EXPECT_EQ(j["mcolPrescanning"][1]["sValue"], "*** FINE ***");
    EXPECT_TRUE(j["mcolPrescanning"][1]["key"].is_null());
}

TEST_F(Tarnodrv, DumpOfAMissingFileIsAnEmptyDocumentWithoutMessages) {
    const Esito e = Esegui({"dump", File("manca.drv")});
    ASSERT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "");
    json j = json::parse(e.sOut);
    EXPECT_EQ(j["msAutore"], "");
    EXPECT_EQ(j["mlOffset"], "0");
    EXPECT_EQ(j["moEntranti"]["miNumRighe"], 0);
    EXPECT_EQ(j["moUscenti"]["menTipo"], 2);
}

TEST_F(Tarnodrv, DumpOfTheDemoDriverLoadsWithoutMessages) {
    const Esito e = Esegui({"dump", TARNO_DEMO_DRIVER});
    ASSERT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "");
    json j = json::parse(e.sOut);
    EXPECT_FALSE(j["moEntranti"]["mcolCampi"].empty());
    EXPECT_FALSE(j["moUscenti"]["mcolCampi"].empty());
}

// --- messages --------------------------------------------------------------------------------

TEST_F(Tarnodrv, MessagesGoToStderrOneALineInOrder) {
    const fs::path f = File("errori.drv");
    Scrivi(f, Righe({
                  "[Trasformazioni]",
                  "Azione_0=INIZIALE" + kPunto + "SOSTITUISCI" + kPunto + "1,2,1" + kPunto +
                      "\"a\"" + kPunto + "\"b\"" + kPunto + "Condizione_9",
                  "Azione_1=CAMPO" + kPunto + "DIVIDI" + kPunto + "1,2," + kPunto + "\"\"" +
                      kPunto + "\"10\"" + kPunto,
                  "Azione_2=senza separatori",
                  "[Entranti]",
                  "Campo_0=\"dData\"" + kPunto + "1,8",
                  "Campo_1=\"sPippo\"" + kPunto + "1,8,1" + kPunto + "SX" + kPunto + "N" + kPunto +
                      kPunto,
                  "[Uscenti]",
                  "Campo_0=\"dRisposta\"" + kPunto + "1,2,1" + kPunto + "SX" + kPunto + "N" +
                      kPunto + kPunto,
                  "[OPZIONI_DATA]",
                  "Data_Isolata=S" + kPunto + "1",
                  "Condizioni=Condizione_5 And",
                  "Mesi_In_Lettere=S",
              }));
    const std::vector<std::string> attesi{
        "Errore nella sintassi della trasformazione 0",
        "Errore nella sintassi della trasformazione 2",
        "Errore nella sintassi del campo 0",
        "Il nome del campo 1 non \xC3\xA8 un nome valido",
        "In una o pi\xC3\xB9 entry nella sezione delle chiamate entranti sono stati incontrati "
        "degli errori di sintassi",
        "Il nome del campo 0 non \xC3\xA8 un nome valido",
        "In una o pi\xC3\xB9 entry nella sezione delle chiamate uscenti sono stati incontrati "
        "degli errori di sintassi",
        "Errore nella lettura delle condizioni per identificare la data isolata",
        "Errore durante la lettura dei mesi",
    };

    Esito e = Esegui({"dump", f});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.RigheErr(), attesi);
    EXPECT_TRUE(json::accept(e.sOut));  // stdout holds the JSON alone

    // resave shows the same messages while loading and prints nothing on stdout.
    e = Esegui({"resave", f, File("uscita.drv")});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "");
    EXPECT_EQ(e.RigheErr(), attesi);
}

// --- resave ----------------------------------------------------------------------------------

TEST_F(Tarnodrv, ResaveOfTheExampleGivesItBackWithTheOutgoingSection) {
    const fs::path in = File("esempio.drv");
    const fs::path out = File("normale.drv");
    Scrivi(in, kEsempio);
    const Esito e = Esegui({"resave", in, out});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sOut, "");
    EXPECT_EQ(e.sErr, "");
    EXPECT_EQ(Leggi(out), kEsempio + "[Uscenti]\r\nNumero_Righe=0\r\n\r\n");
    EXPECT_EQ(Leggi(in), kEsempio);  // the source is only read
    EXPECT_FALSE(fs::exists(File("normale.drv.bak")));
}

TEST_F(Tarnodrv, ResaveKeepsThePreviousTargetAsBak) {
    const fs::path in = File("esempio.drv");
    const fs::path out = File("destinazione.drv");
    Scrivi(in, kEsempio);
    Scrivi(out, "contenuto precedente\r\n");
    Scrivi(File("destinazione.drv.bak"), "backup vecchio\r\n");

    const Esito e = Esegui({"resave", in, out});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(Leggi(File("destinazione.drv.bak")), "contenuto precedente\r\n");
    EXPECT_EQ(Leggi(out), kEsempio + "[Uscenti]\r\nNumero_Righe=0\r\n\r\n");

    // Saving over itself normalises in place and keeps what was there as ".bak".
    Scrivi(in, "[centralino]\r\nAutore = Io \r\n");
    EXPECT_EQ(Esegui({"resave", in, in}).iCodice, 0);
    EXPECT_EQ(Leggi(File("esempio.drv.bak")), "[centralino]\r\nAutore = Io \r\n");
    EXPECT_EQ(Leggi(in), Righe({"[Centralino]", "Autore=Io", "Offset=0", "Ignora_vuote=0",
                                "Caratteri_ultima_riga=0", "", "[Entranti]", "Numero_Righe=0", "",
                                "[Uscenti]", "Numero_Righe=0", ""}));
}

TEST_F(Tarnodrv, ResaveIntoAMissingFolderReportsTheFailedWritesAndWritesNothing) {
    const fs::path in = File("esempio.drv");
    Scrivi(in, kEsempio);
    const Esito e = Esegui({"resave", in, File("manca/uscita.drv")});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_EQ(e.sOut, "");
    const auto righe = e.RigheErr();
    ASSERT_FALSE(righe.empty());
    EXPECT_EQ(righe.front(), "Errore durante la scrittura del numero di righe Entranti");
    EXPECT_FALSE(fs::exists(File("manca")));
}

// --- usage -------------------------------------------------------------------------------------

TEST_F(Tarnodrv, UsageErrorsExitTwoWithTheUsageOnStderr) {
    const std::string f = File("x.ini");
    const std::vector<std::vector<std::string>> sbagliati{
        {},
        {"aiuto"},
        {"ini-get", f},
        {"ini-get", f, "S", "K", "in più"},
        {"ini-set", f, "S", "K"},
        {"dump"},
        {"dump", f, f},
        {"resave", f},
        {"DUMP", f},
    };
    for (const auto& argomenti : sbagliati) {
        const Esito e = Esegui(argomenti);
        std::string descr;
        for (const auto& a : argomenti) descr += " " + a;
        EXPECT_EQ(e.iCodice, 2) << descr;
        EXPECT_EQ(e.sOut, "") << descr;
        EXPECT_EQ(e.sErr.substr(0, kUsoInizio.size()), kUsoInizio) << descr;
        for (const auto& riga : kUsoComandi)
            EXPECT_NE(e.sErr.find(riga), std::string::npos) << descr << ": " << riga;
    }
    EXPECT_FALSE(fs::exists(f));
}

}  // namespace

// The demo legacy driver converts with the standard program and with program 15, and the
// drivers written load again without a message; a file that is not legacy is not written.
TEST_F(Tarnodrv, ConvertLegacyWritesDriversThatLoadCleanly) {
    for (const char* programma : {"0", "15"}) {
        const std::string uscita = File(std::string("onix") + programma + ".drv").string();
        Esito e = Esegui({"convert-legacy", TARNO_DEMO_LEGACY, uscita, "--program", programma});
        EXPECT_EQ(e.iCodice, 0) << e.sErr;
        EXPECT_NE(e.sOut.find("convertito"), std::string::npos) << e.sOut;
        ASSERT_TRUE(fs::exists(uscita));
        e = Esegui({"dump", uscita});
        EXPECT_EQ(e.iCodice, 0);
        EXPECT_EQ(e.sErr, "");
        const auto j = nlohmann::json::parse(e.sOut);
        EXPECT_EQ(j["msModello"], "Onix 64");
        EXPECT_FALSE(j["moEntranti"]["mcolCampi"].empty());
    }
    const std::string nonLegacy = File("non.drv").string();
    const Esito e = Esegui({"convert-legacy", TARNO_DEMO_DRIVER, nonLegacy, "--program", "0"});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_FALSE(fs::exists(nonLegacy));
    EXPECT_EQ(Esegui({"convert-legacy", TARNO_DEMO_LEGACY, nonLegacy}).iCodice, 2);
}

// tarnodrv run as a real program, one case per row: its arguments, exit code, exact stdout and
// stderr, and the files it leaves. Each case runs in its own folder (its name has accents and a
// blank) holding the inputs of casi/, two copies of the demo legacy driver, an empty folder
// "uscita" and a Tarnosuite.ini naming an SQLite catalogue built from the demo SQL. "@/" in a
// row stands for that folder; expected outputs kept as files are under attesi/.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Supporto.h"

namespace {

using namespace tarno::prova;
using namespace std::string_literals;

std::string A(const std::string& nome) { return LeggiTutto(TARNO_CLI_DIR "/attesi/" + nome); }

struct Caso {
    std::vector<std::string> args;
    int iCodice;
    std::string sOut, sErr;  // exact bytes; a stderr ending in "..." is compared up to there
    std::vector<std::pair<std::string, std::string>> file{};  // afterwards: name, bytes
};

TEST(Tarnodrv, Comandi) {
    const std::string uso = A("uso.txt"), legacy = TARNO_DEMO_DIR "/Driver/legacy/onix64.drv";
    const std::string ok = ": convertito\n", ini = "@/prova.ini";
    // clang-format off
    std::vector<Caso> casi = {
        // ini-get prints the lookup's value in UTF-8 without a newline; the key names end in NUL.
        {{"ini-get", ini, "CENTRALINO", "autore"}, 0, "Mario Rossi", ""},
        {{"ini-get", ini, "Centralino", "Note"}, 0, "a·bè", ""},
        {{"ini-get", ini, "prescanning"}, 0, "Primo\0secondo\0Terzo\0"s, ""},
        {{"ini-get", "@/manca.ini", "Centralino", "Autore"}, 0, "", ""},
        // ini-set writes Windows-1252; 1 when it cannot write, 2 for a text it cannot hold.
        {{"ini-set", "@/nuovo.ini", "Centralino", "Autore", "Perfètto"}, 0, "", "",
         {{"nuovo.ini", "[Centralino]\r\nAutore=Perf\xE8tto\r\n\r\n"}}},
        {{"ini-set", "@/manca/x.ini", "S", "K", "V"}, 1, "", "", {{"manca", "<assente>"}}},
        {{"ini-set", "@/uscita", "S", "K", "V"}, 1, "", ""},
        {{"ini-set", ini, "S", "K", "telefono ☎"}, 2, "", "tarnodrv: argomento \"telefono ☎\" non "
         "valido: il carattere \"☎\" non è rappresentabile in Windows-1252\n" + uso,
         {{"prova.ini", LeggiTutto(TARNO_CLI_DIR "/casi/prova.ini")}}},
        // dump: the JSON alone on stdout, the model's messages on stderr, and still 0.
        {{"dump", "@/esempio.drv"}, 0, A("esempio.json"), ""},
        {{"dump", "@/completo.drv"}, 0, A("completo.json"), ""},
        {{"dump", "@/manca.drv"}, 0, A("vuoto.json"), ""},
        {{"dump", "@/manca ☎.drv"}, 0, A("vuoto.json"), ""},  // a name as the file system has it
        {{"dump", "@/errori.drv"}, 0, A("errori.json"), A("errori.txt")},
        // resave: OUT written, the previous OUT kept as OUT.bak, the source only read.
        {{"resave", "@/esempio.drv", "@/normale.drv"}, 0, "", "", {{"normale.drv", A("esempio-salvato.drv")},
         {"normale.drv.bak", "<assente>"}, {"esempio.drv", LeggiTutto(TARNO_CLI_DIR "/casi/esempio.drv")}}},
        {{"resave", "@/esempio.drv", "@/destinazione.drv"}, 0, "", "", {{"destinazione.drv",
         A("esempio-salvato.drv")}, {"destinazione.drv.bak", "contenuto precedente\r\n"}}},
        {{"resave", "@/vecchio.drv", "@/vecchio.drv"}, 0, "", "", {{"vecchio.drv", A("vecchio-salvato.drv")},
         {"vecchio.drv.bak", "[centralino]\r\nAutore = Io \r\n"}}},
        {{"resave", "@/errori.drv", "@/uscita/e.drv"}, 0, "", A("errori.txt")},
        {{"resave", "@/esempio.drv", "@/manca/e.drv"}, 1, "",
         "Errore durante la scrittura del numero di righe Entranti\n...", {{"manca", "<assente>"}}},
        // convert-legacy: one line per file on stdout; several files go into a folder.
        {{"convert-legacy", "onix64.drv", "o.drv", "--program", "0"}, 0, "onix64.drv -> o.drv" + ok, "",
         {{"o.drv", A("onix-0.drv")}}},
        {{"convert-legacy", "esempio.drv", "onix64.drv", "uscita", "--program", "0"}, 1,
         "esempio.drv: non e' un driver legacy, non convertito\nonix64.drv -> uscita/onix64.drv" + ok, "",
         {{"uscita/esempio.drv", "<assente>"}, {"uscita/onix64.drv", A("onix-0.drv")}}},
        // A program that stops with an error, a file not there: nothing written, 1, and why.
        {{"convert-legacy", "legacy-corto.drv", "o.drv", "--program", "18"}, 1, "legacy-corto.drv: il "
         "programma di trasformazione si e' interrotto, non convertito\n", "Impossibile completare il "
         "programma di trasformazione Ericsson Md81.\\nErrore n° 9:Le chiamate uscenti non hanno "
         "condizioni di identificazione da unire con OR\n", {{"o.drv", "<assente>"}}},
        {{"convert-legacy", "@/manca è.drv", "o.drv", "--program", "0"}, 1,
         "@/manca è.drv: file non leggibile, non convertito\n",
         "Impossibile aprire il Driver @/manca è.drv\n", {{"o.drv", "<assente>"}}},
        {{"convert-legacy", "onix64.drv", "sede è.drv", "o.drv", "--program", "0"}, 2, "",
         "tarnodrv: con piu' file legacy la destinazione deve essere una cartella\n"},
#ifdef TARNO_SQLITE3  // a build with the catalogue: the formats found by name in it
        {{"convert-legacy", "@/onix64.drv", "@/sede è.drv", "@/uscita", "--program", "15", "--config",
          "@/Tarnosuite.ini"}, 0, "@/onix64.drv -> @/uscita/onix64.drv" + ok +
         "@/sede è.drv -> @/uscita/sede è.drv" + ok, "",
         {{"uscita/onix64.drv", A("onix-15.drv")}, {"uscita/sede è.drv", A("onix-15.drv")}}},
        {{"convert-legacy", "onix64.drv", "o.drv", "--program", "0", "--config", "@/manca.ini"}, 1, "",
         "tarnodrv: catalogo di @/manca.ini non disponibile: configurazione incompleta\n",
         {{"o.drv", "<assente>"}}},
        // verify: the counts, or every result as JSON (also when the run fails); 1 when the
        // driver or the printout cannot be read; a configuration without a catalogue warns.
        {{"verify", TARNO_DEMO_PROVA "/Driver/PanasonicTDA.drv", TARNO_DEMO_PROVA "/Dati/PanasonicTDA.txt",
          "--config", "@/Tarnosuite.ini"}, 0, A("verify-conteggi.txt"), ""},
        {{"verify", "esempio.drv", "uscita", "--config", "@/Tarnosuite.ini"}, 1, "",
         "tarnodrv: file dei dati non è un file: uscita\n"},
        {{"verify", "@/manca.drv", "esempio.drv", "--json", "--config", "@/manca.ini"}, 1,
         A("verify-errore.json"), "tarnodrv: avviso: configurazione @/manca.ini non trovata: date e "
         "ore non possono essere lette\ntarnodrv: file del driver non trovato: @/manca.drv\n"},
#endif
    };
    // Usage errors: 2, the usage on stderr, nothing on stdout.
    for (const auto& a : std::vector<std::vector<std::string>>{{}, {"aiuto"}, {"ini-get", ini},
             {"ini-get", ini, "S", "K", "in più"}, {"ini-set", ini, "S", "K"}, {"dump"}, {"dump", ini, ini},
             {"DUMP", ini}, {"resave", ini}, {"convert-legacy", "onix64.drv", "o.drv"},
             {"verify", "esempio.drv"}, {"verify", "esempio.drv", ini, "--jsn"},
             {"verify", "esempio.drv", ini, "--config"}, {"proponi"}, {"proponi", ini, ini},
             {"proponi", ini, "-o"}, {"proponi", ini, "--csv"}})
        casi.push_back({a, 2, "", uso});
    // clang-format on
    // The demo catalogue and a Tarnosuite.ini naming it, copied into every case's folder.
    CartellaTemp catalogo;
    ScriviFile(
        catalogo.File("Tarnosuite.ini"),
        Crlf("[Configurazione]\nVersioneDB=Access\nDatabase=" + catalogo.File("catalogo.db")));
#ifdef TARNO_SQLITE3
    const auto sql = "BEGIN;\n" + LeggiTutto(TARNO_DEMO_DIR "/catalogo.sql") + "\nCOMMIT;\n";
    ASSERT_EQ(Esegui({TARNO_SQLITE3, "-bail", catalogo.File("catalogo.db")}, sql).iCodice, 0);
#endif
    for (const auto& c : casi) {
        CartellaTemp t;
        const fs::path& p = t.Percorso();
        auto espandi = [&](std::string s) {
            for (size_t i = s.find("@/"); i != std::string::npos; i = s.find("@/", i))
                s.replace(i, 1, p.string());
            return s;
        };
        std::vector<std::string> args{TARNODRV};
        for (const auto& a : c.args) args.push_back(espandi(a));
        SCOPED_TRACE(::testing::PrintToString(args));
        fs::copy(TARNO_CLI_DIR "/casi", p);
        fs::copy_file(legacy, p / "onix64.drv");
        fs::copy_file(legacy, p / "sede è.drv");
        fs::create_directory(p / "uscita");
        fs::copy(catalogo.Percorso(), p);
        const Esito e = Esegui(args, "", p);
        EXPECT_EQ(e.iCodice, c.iCodice);
        EXPECT_EQ(e.sOut, espandi(c.sOut));
        const std::string err = espandi(c.sErr);
        const size_t n = err.ends_with("...") ? err.size() - 3 : std::string::npos;
        EXPECT_EQ(e.sErr.substr(0, n), err.substr(0, n));
        for (const auto& [nome, byte] : c.file) EXPECT_EQ(LeggiTutto(p / nome), byte) << nome;
    }
}

// proponi, whatever the proposer finds: the evidence and the reading as text, -o saves a driver
// that dump loads, --json is one document with every part; a printout that is not there or is
// empty fails with a message, and nothing is written.
TEST(Tarnodrv, Proponi) {
    CartellaTemp t;
    const std::string stampa = TARNO_DEMO_PROVA "/Dati/PanasonicTDA.txt", drv = t.File("p.drv");
    Esito e = Esegui({TARNODRV, "proponi", stampa, "-o", drv});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_NE(e.sOut.find("\nLettura della stampa con il driver proposto\n  Righe dei dati:"
                          "                   46\n"),
              std::string::npos);
    EXPECT_NE(e.sOut.find("\ndriver salvato in " + drv + "\n"), std::string::npos);
    const Esito dump = Esegui({TARNODRV, "dump", drv});
    EXPECT_EQ(dump.iCodice, 0);
    EXPECT_EQ(dump.sErr, "");

    e = Esegui({TARNODRV, "proponi", stampa, "--json"});
    EXPECT_EQ(e.iCodice, 0);
    const auto j = nlohmann::json::parse(e.sOut);
    for (const char* k : {"driver", "nessunaChiamata", "voci", "formatiNuovi", "lettura"})
        EXPECT_TRUE(j.contains(k)) << k;
    EXPECT_EQ(j["lettura"]["conteggi"]["righe"], 46);
    EXPECT_EQ(j["lettura"]["chiamate"].size(), j["lettura"]["conteggi"]["chiamate"]);

    ScriviFile(t.File("vuota.txt"), "");
    for (const auto& [file, errore] : std::vector<std::pair<std::string, std::string>>{
             {t.File("manca.txt"), "file dei dati non trovato: "},
             {t.File("vuota.txt"), "file dei dati vuoto, niente da proporre: "}}) {
        e = Esegui({TARNODRV, "proponi", file, "-o", t.File("n.drv")});
        EXPECT_EQ(e.iCodice, 1);
        EXPECT_EQ(e.sOut, "");
        EXPECT_EQ(e.sErr, "tarnodrv: " + errore + file + "\n");
        EXPECT_FALSE(fs::exists(t.File("n.drv")));
    }
}

}  // namespace

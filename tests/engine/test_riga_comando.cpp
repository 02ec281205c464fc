// The engine's command line: separate arguments or one Windows-style string, paths with blanks,
// quotes, switches in any case and order, paths that hold a switch, and the lines refused.

#include <gtest/gtest.h>

#include <set>

#include "engine/RigaComando.h"

namespace {

using namespace tarno;

struct Caso {
    std::vector<std::string> args;
    std::string atteso;                 // "/i<mode> [driver] [sample]" or the error
    std::set<std::string> esistenti{};  // the files that exist
};

std::string Letta(const Caso& c) {
    ParametriMiner par;
    std::string errore;
    if (!LeggiRigaComando(c.args, par, errore,
                          [&](const std::string& s) { return c.esistenti.count(s) > 0; }))
        return errore.empty() ? "<errore senza testo>" : errore;
    return "/i" + std::to_string(par.iModo) + " [" + par.sDriver + "] [" + par.sCampione + "]";
}

TEST(RigaComando, ArgomentiLetti) {
    const std::string ok = "/i3 [/tmp/a b/driver x.drv] [/tmp/my sample.txt]";
    const std::vector<Caso> casi = {
        {{"/i3", "/D/tmp/a b/driver x.drv", "/F/tmp/my sample.txt"}, ok},
        {{"/i3 /D/tmp/a b/driver x.drv /F/tmp/my sample.txt"}, ok},
        // Unquoted through a shell: the blanks split the paths into more arguments.
        {{"/i3", "/D/tmp/a", "b/driver", "x.drv", "/F/tmp/my", "sample.txt"}, ok},
        {{"/i3 /DC:\\x y\\a.drv /F/tmp/my sample.txt"},
         "/i3 [C:\\x y\\a.drv] [/tmp/my sample.txt]"},
        {{"/I3 /d\"/dati/driver.drv\"  /f\"/dati/stampa 1.txt\" "},
         "/i3 [/dati/driver.drv] [/dati/stampa 1.txt]"},
        // Any order, and /i may be left out.
        {{"/F/dati/s.txt /D/dati/d.drv"}, "/i3 [/dati/d.drv] [/dati/s.txt]"},
        // A path that holds a switch is cut where the file exists.
        {{"/i3 /D/tmp/a /Fb.drv /F/tmp/s.txt"},
         "/i3 [/tmp/a /Fb.drv] [/tmp/s.txt]",
         {"/tmp/a /Fb.drv", "/tmp/s.txt"}},
        {{"/D/tmp/d.drv", "/F/tmp/x /Dati/s.txt"},
         "/i3 [/tmp/d.drv] [/tmp/x /Dati/s.txt]",
         {"/tmp/x /Dati/s.txt"}},
        {{}, "riga di comando vuota"},
        {{"  "}, "riga di comando vuota"},
        {{"/i3 /F/tmp/s.txt"}, "manca il file del driver (/D<percorso>)"},
        {{"/i3", "/D/tmp/d.drv"}, "manca il file dei dati (/F<percorso>)"},
        {{"/i3", "/D", "/F/tmp/s.txt"}, "manca il file del driver (/D<percorso>)"},
        {{"/i4 /D/tmp/d.drv /F/tmp/s.txt"},
         "modalit\xE0 /i4 non gestita (solo /i3, verifica del driver)"},
        {{"driver.drv", "sample.txt"},
         "riga di comando senza le opzioni /D e /F: \"driver.drv sample.txt\""},
        // Messages are Windows-1252: a name is converted, "?" for what it cannot hold.
        {{"città ☎.drv"}, "riga di comando senza le opzioni /D e /F: \"citt\xE0 ?.drv\""},
        {{"TARNOMINER.EXE /i3 /D/tmp/d.drv /F/tmp/s.txt"},
         "testo non riconosciuto nella riga di comando: \"TARNOMINER.EXE\""},
        {{"/D/a.drv /D/b.drv /F/s.txt"}, "opzione /D ripetuta nella riga di comando"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.args.empty() ? "(nessun argomento)" : c.args[0]);
        EXPECT_EQ(Letta(c), c.atteso);
    }
    // Refused, whatever the message.
    for (const std::string s : {"/i", "/x", "/i3 /D/d.drv /F", "/"})
        EXPECT_EQ(Letta({{s}, ""}).rfind("/i", 0), std::string::npos) << s;
}

}  // namespace

// The engine's command line: separate arguments or one Windows-style string, paths with blanks.

#include <gtest/gtest.h>

#include <set>

#include "RigaComando.h"

namespace {

using namespace tarno;

struct Letta {
    bool bOk;
    ParametriMiner par;
    std::string sErrore;
};

Letta Leggi(const std::vector<std::string>& args, const std::set<std::string>& esistenti = {}) {
    Letta l;
    l.bOk = LeggiRigaComando(args, l.par, l.sErrore,
                             [&](const std::string& s) { return esistenti.count(s) > 0; });
    return l;
}

TEST(RigaComando, ArgomentiSeparatiEStringaUnicaDannoLoStessoRisultato) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"/i3", "/D/tmp/a b/driver x.drv", "/F/tmp/my sample.txt"},
             {"/i3 /D/tmp/a b/driver x.drv /F/tmp/my sample.txt"},
             // Unquoted through a shell: the blanks split the paths into more arguments.
             {"/i3", "/D/tmp/a", "b/driver", "x.drv", "/F/tmp/my", "sample.txt"}}) {
        const Letta l = Leggi(args);
        ASSERT_TRUE(l.bOk) << l.sErrore;
        EXPECT_EQ(l.par.iModo, 3);
        EXPECT_EQ(l.par.sDriver, "/tmp/a b/driver x.drv");
        EXPECT_EQ(l.par.sCampione, "/tmp/my sample.txt");
    }
}

TEST(RigaComando, PercorsiWindowsVirgoletteEMaiuscole) {
    Letta l = Leggi({"/i3 /DC:\\x y\\a.drv /F/tmp/my sample.txt"});
    ASSERT_TRUE(l.bOk) << l.sErrore;
    EXPECT_EQ(l.par.sDriver, "C:\\x y\\a.drv");
    EXPECT_EQ(l.par.sCampione, "/tmp/my sample.txt");

    l = Leggi({"/I3 /d\"/dati/driver.drv\"  /f\"/dati/stampa 1.txt\" "});
    ASSERT_TRUE(l.bOk) << l.sErrore;
    EXPECT_EQ(l.par.sDriver, "/dati/driver.drv");
    EXPECT_EQ(l.par.sCampione, "/dati/stampa 1.txt");

    // The order of the switches does not matter, and /i may be left out.
    l = Leggi({"/F/dati/s.txt /D/dati/d.drv"});
    ASSERT_TRUE(l.bOk) << l.sErrore;
    EXPECT_EQ(l.par.sDriver, "/dati/d.drv");
    EXPECT_EQ(l.par.sCampione, "/dati/s.txt");
}

TEST(RigaComando, UnPercorsoCheContieneUnOpzioneSiRisolveConIlFileCheEsiste) {
    // "/tmp/a /Fb.drv" is a driver whose folder name looks like a switch.
    const Letta l = Leggi({"/i3 /D/tmp/a /Fb.drv /F/tmp/s.txt"}, {"/tmp/a /Fb.drv", "/tmp/s.txt"});
    ASSERT_TRUE(l.bOk) << l.sErrore;
    EXPECT_EQ(l.par.sDriver, "/tmp/a /Fb.drv");
    EXPECT_EQ(l.par.sCampione, "/tmp/s.txt");
    // A sample path with " /D" in it.
    const Letta m = Leggi({"/D/tmp/d.drv", "/F/tmp/x /Dati/s.txt"}, {"/tmp/x /Dati/s.txt"});
    ASSERT_TRUE(m.bOk) << m.sErrore;
    EXPECT_EQ(m.par.sCampione, "/tmp/x /Dati/s.txt");
}

TEST(RigaComando, RigheNonValide) {
    EXPECT_EQ(Leggi({}).sErrore, "riga di comando vuota");
    EXPECT_EQ(Leggi({"  "}).sErrore, "riga di comando vuota");
    EXPECT_EQ(Leggi({"/i3 /F/tmp/s.txt"}).sErrore, "manca il file del driver (/D<percorso>)");
    EXPECT_EQ(Leggi({"/i3", "/D/tmp/d.drv"}).sErrore, "manca il file dei dati (/F<percorso>)");
    EXPECT_EQ(Leggi({"/i3", "/D", "/F/tmp/s.txt"}).sErrore,
              "manca il file del driver (/D<percorso>)");
    EXPECT_EQ(Leggi({"/i4 /D/tmp/d.drv /F/tmp/s.txt"}).sErrore,
              "modalit\xE0 /i4 non gestita (solo /i3, verifica del driver)");
    EXPECT_EQ(Leggi({"driver.drv", "sample.txt"}).sErrore,
              "riga di comando senza le opzioni /D e /F: \"driver.drv sample.txt\"");
    EXPECT_EQ(Leggi({"TARNOMINER.EXE /i3 /D/tmp/d.drv /F/tmp/s.txt"}).sErrore,
              "testo non riconosciuto nella riga di comando: \"TARNOMINER.EXE\"");
    EXPECT_EQ(Leggi({"/D/a.drv /D/b.drv /F/s.txt"}).sErrore,
              "opzione /D ripetuta nella riga di comando");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"/i"}, {"/x"}, {"/i3 /D/d.drv /F"}, {"/"}}) {
        EXPECT_FALSE(Leggi(args).bOk) << args[0];
    }
}

}  // namespace

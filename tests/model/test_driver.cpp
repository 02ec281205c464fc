// The driver file: loading and saving (golden files in casi/), the ".bak" copy, and saves
// that fail.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "ScrittoreRiferimento.h"
#include "Supporto.h"
#include "model/DriverJson.h"
#include "model/Messaggi.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const fs::path kCasi = TARNO_CASI;

// Messages one a line, as in the .msg files.
std::string Unite(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& r : v) s += r + "\r\n";
    return s;
}

// A golden case casi/NAME.drv is copied, loaded and saved over itself: the file must then
// hold casi/NAME.salvato.drv byte for byte, the ".bak" copy the original, and the messages
// shown must be those of casi/NAME.msg (none when it is missing). TARNO_RIGENERA=1 writes
// the expected files from what the product does.
TEST(DriverFile, GoldenCases) {
    const bool rigenera = std::getenv("TARNO_RIGENERA") != nullptr;
    int casi = 0;
    for (const auto& e : fs::directory_iterator(kCasi)) {
        const std::string nome = e.path().stem();
        if (e.path().extension() != ".drv" || nome.find('.') != std::string::npos) continue;
        SCOPED_TRACE(nome);
        ++casi;
        CartellaTemp cartella;
        const std::string f = cartella.File("d.drv"), originale = LeggiTutto(e.path());
        ScriviFile(f, originale);
        clsDriver driver;
        MessaggiRaccolti msg;
        ASSERT_EQ(driver.LoadDriver(f, msg), 1);
        EXPECT_TRUE(driver.SaveDriver(f, msg));
        const fs::path salvato = kCasi / (nome + ".salvato.drv"),
                       messaggi = kCasi / (nome + ".msg");
        if (rigenera) {
            ScriviFile(salvato, LeggiTutto(f));
            if (!msg.mvTesti.empty()) ScriviFile(messaggi, Unite(msg.mvTesti));
        }
        EXPECT_EQ(LeggiTutto(f), LeggiTutto(salvato));
        EXPECT_EQ(LeggiTutto(f + ".bak"), originale);
        EXPECT_EQ(NomiIn(cartella.Percorso()), (std::vector<std::string>{"d.drv", "d.drv.bak"}));
        EXPECT_EQ(Unite(msg.mvTesti), fs::exists(messaggi) ? LeggiTutto(messaggi) : "");
        for (const auto& m : msg.mvMessaggi) EXPECT_EQ(m.sTitolo, "Attenzione");
        // Loaded and saved again, the saved file stays as it is.
        clsDriver riletto;
        MessaggiRaccolti altri;
        riletto.LoadDriver(f, altri);
        EXPECT_TRUE(riletto.SaveDriver(cartella.File("di nuovo.drv"), altri));
        EXPECT_EQ(LeggiTutto(cartella.File("di nuovo.drv")), LeggiTutto(f));
    }
    EXPECT_GE(casi, 28);
}

TEST(DriverFile, WhatTheDocumentHoldsIsSaved) {
    CartellaTemp cartella;
    const std::string f = cartella.File("d.drv");
    clsDriver d;
    MessaggiRaccolti msg;
    // Notes of several lines: no line becomes a key or a section, blanks and empty lines stay.
    d.msNote = "nota\r\n Autore=x \n[x]\r\n";
    d.mlOffset = "";  // empty texts are not written
    d.mcolPrescanning.emplace();
    d.mcolPrescanning->Add(clsPrescanning{"P", "1"});
    const std::string centralino =
        "[Centralino]\r\nNote=nota\r\nNote_Righe=4\r\nNote_2=\" Autore=x \"\r\nNote_3=\"[x]\"\r\n"
        "Note_4=\"\"\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n";
    EXPECT_TRUE(d.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f), centralino);  // prescanning only when switched on
    clsDriver letto;
    letto.LoadDriver(f, msg);
    EXPECT_EQ(letto.msNote, "nota\r\n Autore=x \r\n[x]\r\n");
    EXPECT_EQ(letto.msAutore, "");
    // Values are cut to 500 characters and trimmed; a repeated name keeps the last value;
    // a pair without a name is not written.
    d.mbConPrescanning = true;
    for (const auto& [k, v] :
         std::vector<std::pair<std::string, std::string>>{{"", "senza nome"},
                                                          {"Tre", "primo"},
                                                          {"Quattro", "  spazi  "},
                                                          {"Tre", "ultimo"},
                                                          {"Lungo", std::string(600, 'L')}})
        d.mcolPrescanning->Add(clsPrescanning{k, v});
    EXPECT_TRUE(d.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f), centralino +
                                 "[Prescanning]\r\nP=1\r\nTre=ultimo\r\nQuattro=spazi\r\n" +
                                 "Lungo=" + std::string(500, 'L') + "\r\n\r\n");
    EXPECT_TRUE(msg.mvTesti.empty());
    EXPECT_EQ(d.msFileName, f);
}

TEST(DriverFile, AMissingFileReadsAsAnEmptyDriverAndCopiesAreDeep) {
    CartellaTemp cartella;
    clsDriver d;
    MessaggiRaccolti msg;
    d.LoadDriver((kCasi / "completo.drv").string(), msg);
    const auto json = DriverInJson(d).dump();
    clsDriver copia = d;
    copia.moEntranti->mcolCampi->Item(1).moTrasf->msValore = "1";
    copia.mcolTrasf->Item(1).mcolCondizioni->Item(1).msValore = "Z";
    copia.mcolDataIsolata->Item(1).msValore = "Q";
    copia.Mesi(0, "JAN");
    EXPECT_EQ(DriverInJson(d).dump(), json);

    EXPECT_EQ(d.LoadDriver(cartella.File("manca.drv"), msg), 1);
    EXPECT_TRUE(msg.mvTesti.empty());
    EXPECT_EQ(d.msFileName, cartella.File("manca.drv"));
    EXPECT_TRUE(d.SaveDriver(cartella.File("vuoto.drv"), msg));
    EXPECT_EQ(LeggiTutto(cartella.File("vuoto.drv")),
              "[Centralino]\r\nOffset=0\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n"
              "[Entranti]\r\nNumero_Righe=0\r\n\r\n[Uscenti]\r\nNumero_Righe=0\r\n\r\n");
}

TEST(Backup, ThePreviousFileBecomesTheBakCopy) {
    CartellaTemp cartella;
    const std::string f = cartella.File("d.drv");
    ScriviFile(f + ".bak", "vecchissimo");
    ScriviFile(f, "precedente");
    clsDriver driver;
    MessaggiRaccolti msg;
    driver.msAutore = "A";
    EXPECT_TRUE(driver.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f + ".bak"), "precedente");
    const std::string primo = LeggiTutto(f);
    EXPECT_EQ(primo,
              "[Centralino]\r\nAutore=A\r\nOffset=0\r\nIgnora_vuote=0\r\n"
              "Caratteri_ultima_riga=0\r\n\r\n");
    driver.msAutore = "B";
    EXPECT_TRUE(driver.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f + ".bak"), primo);
    EXPECT_EQ(NomiIn(cartella.Percorso()), (std::vector<std::string>{"d.drv", "d.drv.bak"}));

    // A ".bak" that cannot be made (a folder holds its name): the keys are merged into the
    // previous file.
    const std::string g = cartella.File("g.drv");
    ScriviFile(g, "[Extra]\r\nk=v\r\n[Centralino]\r\nAutore=vecchio\r\nNote=resta\r\n");
    fs::create_directory(g + ".bak");
    EXPECT_TRUE(driver.SaveDriver(g, msg));
    EXPECT_EQ(LeggiTutto(g),
              "[Extra]\r\nk=v\r\n\r\n[Centralino]\r\nAutore=B\r\nNote=resta\r\n"
              "Offset=0\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n");
    EXPECT_TRUE(fs::is_directory(g + ".bak"));
    EXPECT_TRUE(msg.mvTesti.empty());
}

// A write that fails half-way, as on a full disk (a file-size limit of 100 bytes), puts the
// previous file back, and an older ".bak" with it.
TEST(Backup, AWriteThatFailsHalfWayPutsThePreviousFileBack) {
    for (const bool conBak : {false, true}) {
        SCOPED_TRACE(conBak ? "with an older .bak" : "without a .bak");
        CartellaTemp cartella;
        const std::string f = cartella.File("d.drv");
        ScriviFile(f, "precedente");
        if (conBak) ScriviFile(f + ".bak", "vecchissimo");
        clsDriver driver;
        driver.msAutore = std::string(4096, 'A');
        MessaggiRaccolti msg;
        const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
        rlimit prima{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &prima), 0);
        rlimit piccolo = prima;
        piccolo.rlim_cur = 100;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &piccolo), 0);
        const bool scritto = driver.SaveDriver(f, msg);
        ::setrlimit(RLIMIT_FSIZE, &prima);
        std::signal(SIGXFSZ, segnale);
        EXPECT_FALSE(scritto);
        EXPECT_EQ(LeggiTutto(f), "precedente");
        EXPECT_EQ(LeggiTutto(f + ".bak"), conBak ? "vecchissimo" : "<assente>");
        EXPECT_EQ(NomiIn(cartella.Percorso()).size(), conBak ? 2u : 1u);
        EXPECT_TRUE(msg.mvTesti.empty());
    }
}

// Saves in which no key can be written, with both writers: the same messages, and nothing
// changed but what is said below.
TEST(Backup, SavesThatCannotWriteAnything) {
    const auto attesi = LeggiTutto(kCasi / "completo.fallito.msg");
    clsDriver driver;
    MessaggiRaccolti msg;
    driver.LoadDriver((kCasi / "completo.drv").string(), msg);
    ASSERT_TRUE(msg.mvTesti.empty());
    // No file name: nothing written anywhere, nothing said.
    const auto primaQui = NomiIn(fs::current_path());
    EXPECT_FALSE(clsDriver(driver).SaveDriver("", msg));
    clsDriver copia = driver;
    SalvaChiavePerChiave(copia, "", msg);
    EXPECT_TRUE(msg.mvTesti.empty());
    EXPECT_EQ(NomiIn(fs::current_path()), primaQui);

    bool immutabile = true;
    for (int scena = 0; scena < 4; ++scena) {
        SCOPED_TRACE(scena);
        CartellaTemp c;
        const std::string d = c.File("d"), x = c.File("d/x.drv");
        fs::create_directory(d);
        ScriviFile(x, "vecchio");
        ScriviFile(x + ".bak", "vecchissimo");
        // The target is a folder, is in a missing folder, is in a folder that cannot be
        // changed, or is a file that cannot be changed.
        const std::string f = scena == 0 ? d : scena == 1 ? c.File("manca/x.drv") : x;
        if (scena >= 2 && !c.RendiImmutabile(scena == 2 ? d : x)) {
            immutabile = false;
            continue;
        }
        clsDriver a = driver, b = driver;
        MessaggiRaccolti ma, mb;
        EXPECT_FALSE(a.SaveDriver(f, ma));
        SalvaChiavePerChiave(b, f, mb);
        EXPECT_EQ(Unite(ma.mvTesti), attesi);
        EXPECT_EQ(Unite(mb.mvTesti), attesi);
        for (const auto& m : ma.mvMessaggi) EXPECT_EQ(m.icona, Icona::Esclamazione);
        EXPECT_EQ(NomiIn(c.Percorso()), std::vector<std::string>{"d"});
        EXPECT_EQ(LeggiTutto(x), "vecchio");
        EXPECT_EQ(LeggiTutto(x + ".bak"), "vecchissimo");
    }
    TARNO_SALTA_SE(!immutabile, "the immutable attribute needs root and a file system with it");
}

}  // namespace

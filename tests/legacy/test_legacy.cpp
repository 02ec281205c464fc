// Legacy drivers: recognising them, reading their fixed 78-line layout, the conversion
// programs, and the reader's error path. Whole conversions are compared byte for byte with
// the driver files in attesi/ (TARNO_RIGENERA=1 writes them from what the product does).

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "Supporto.h"
#include "legacy/RigheVecchioDriver.h"
#include "legacy/modOldDriver.h"
#include "model/Messaggi.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const fs::path kQui = TARNO_LEGACY_TESTS;
const std::string kErroreImport =
    W("Impossibile effettuare l'importazione del driver.\rErrore n° ");
const std::string kErroreProgramma = "Impossibile completare il programma di trasformazione ";

// vecchio.drv with some lines changed. Lines are numbered as the reader numbers them: 1 to 17,
// then 24 to 78 (the notes block starts at line 18 and, whatever its length, stands for lines
// 18 to 23; in vecchio.drv it has three lines).
struct Vecchio {
    std::map<int, std::string> righe = {};
    std::vector<std::string> note = {};  // empty: those of vecchio.drv
    int ultima = 78;                     // the last numbered line written
    std::string fine = "\r\n";
    fs::path file = kQui / "vecchio.drv";  // another legacy driver, as it is

    std::string Testo() const {
        if (file != kQui / "vecchio.drv") return LeggiTutto(file);
        std::vector<std::string> base;
        std::istringstream in(LeggiTutto(file));
        for (std::string r; std::getline(in, r);) base.push_back(r.substr(0, r.size() - 1));
        std::string t;
        for (int n = 1; n <= ultima; ++n) {
            if (n >= 18 && n <= 23) {
                if (n == 18)
                    for (size_t i = 0; i < (note.empty() ? 3 : note.size()); ++i)
                        t += (note.empty() ? base[17 + i] : note[i]) + fine;
                continue;
            }
            const auto it = righe.find(n);
            t += (it != righe.end() ? W(it->second)
                                    : base[static_cast<size_t>(n < 18 ? n - 1 : n - 4)]) +
                 fine;
        }
        return t;
    }
};

// A small format catalogue: "gg/mm/aa" 3 (date); "hh:mm" 1, "hh:mm:ss" 2, "mm:ss" 4 (time).
// Every question is recorded.
struct Catalogo {
    std::vector<std::string> domande;
    CercaFormato Funzione() {
        return [this](const std::string& s, bool bData) -> int16_t {
            domande.push_back(s + (bData ? " (data)" : " (ora)"));
            if (bData) return s == "gg/mm/aa" ? 3 : 0;
            return s == "hh:mm" ? 1 : s == "hh:mm:ss" ? 2 : s == "mm:ss" ? 4 : 0;
        };
    }
};

std::string Unite(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& r : v) s += r + "\n";
    return s;
}

struct Conversione {
    int32_t programma;
    std::string atteso;  // attesi/NAME.drv, and attesi/NAME.msg for the messages
    Vecchio vecchio;
};

const std::map<int, std::string> kRiga2 = {
    {76, "F&0&89&5&D"}, {78, "F&0&80&6&S"}, {54, "S&0&85&4&S"}};

// clang-format off
const std::vector<Conversione> kConversioni = {
    // Each program once.
    {0, "standard", {}},
    {1, "entrante-uscente", {{{73, "S&0&39&16&S"}, {53, "N"}, {77, "N"}}}},
    {2, "sesti-minuto", {{{43, "{hh:mm}{4}{29}"}, {69, "{hh:mm}{4}{29}"}}}},
    {3, "decimi-minuto", {}},
    {4, "integral-3", {}},
    {5, "opus", {}},
    {6, "matra-6501", {kRiga2}},
    {8, "selta-sae-80", {}},
    {9, "opus-2-righe", {}},
    {10, "office-1000", {}},
    {11, "hicom-150e", {kRiga2}},
    {12, "brondi-24-48", {}},
    {13, "brondi-820", {}},
    {14, "tie-corex", {}},
    {15, "tie-onix", {}},
    {16, "md110", {}},
    {18, "ericsson-md81", {}},
    // Codes of no program change nothing.
    {7, "standard", {}},
    {17, "standard", {}},
    {-1, "standard", {}},
    // Programs that fail half-way: told (attesi/NAME.msg), they leave what they did.
    {2, "sesti-minuto-errore", {{{69, "{}{}{}"}}}},
    {4, "integral-3-errore", {{{57, "{}{}{}"}}}},
    {11, "hicom-150e-errore", {{{77, "N"}}}},
    {15, "tie-onix-errore", {{{47, "{}{}{}"}}}},
    {18, "ericsson-md81-errore", {{{77, "N"}}}},
    // The reader: CR or LF alone end lines as CR LF does.
    {0, "standard", {.fine = "\n"}},
    {0, "standard", {.fine = "\r"}},
    // Labels (the value starts two characters after the ":"), the notes block of any length
    // ("VARIE" must begin its line, in capitals), a short file.
    {0, "lettura-etichette", {{{4, "Modello: Centralino è bello"}, {5, "Versione:"}, {7, "Autore: "}}}},
    {0, "lettura-note", {.note = {"* ab", "cd", "*", "* ", "*x", "VARIE"}}},
    {0, "lettura-corto", {.ultima = 40}},
    // Brace lines: an unknown format, a format with a remark, missing groups, no line at all.
    {0, "lettura-graffe", {{{31, "{}{8}{0}"}, {35, "{Formato sconosciuto}{6}{10}"},
                            {39, "Ora fine {hh:mm (24 ore)}{ 5 }{ 20 }"}, {43, "{hh:mm:ss}"}, {57, ""},
                            {61, "{ gg/mm/aa }{}{}"}}}},
    // Flag lines: "F" optional, "S" not, "N" or a lower case letter no field; lines 51 and 74
    // declare a field only with "S"; the alignment is the last character that is not blank.
    {0, "lettura-flag", {{{51, "F&0&30&4&D"}, {52, "F&0&10&5&D"}, {54, "S&0&10&5&S"}, {73, "N&0&10&5&D"},
                          {74, "s&0&30&4&D"}, {75, "F&x&12&7&D   "}, {76, "F"}}}},
    // Identification and transfer lines, character codes 0 and 255, the offset given negated.
    {0, "lettura-identificazione",
     {{{25, "S&0&1&0"}, {27, "S&0&1&255"}, {28, "S&-12"}, {53, "S&4&2&X  "}, {77, "s&0&1&U"}}}},
    // No incoming calls: their fields are read in the outgoing numbering, the section is not
    // saved.
    {0, "lettura-senza-entranti", {{{11, "Presenti: No"}}}},
    // A first line that is not the magic line ends the reading; lines after 78 are not read.
    {0, "lettura-senza-magia", {{{1, "* DRVTARNO 02.00"}}}},
    {0, "lettura-oltre-78", {{{79, "S&0&99&9&D"}, {80, "{gg/mm/aa}{8}{0}"}}, {}, 80}},
    // The demo suite's legacy driver, read as it is and with its own program.
    {0, "demo-standard", {.file = fs::path(TARNO_DEMO_LEGACY) / "onix64.drv"}},
    {15, "demo-tie-onix", {.file = fs::path(TARNO_DEMO_LEGACY) / "onix64.drv"}},
};
// clang-format on

TEST(Legacy, ConversionsAndTheirGoldenFiles) {
    const bool rigenera = std::getenv("TARNO_RIGENERA") != nullptr;
    for (const auto& c : kConversioni) {
        SCOPED_TRACE(std::to_string(c.programma) + " " + c.atteso);
        CartellaTemp cartella;
        const std::string vecchio = cartella.File("VECCHIO.DRV"),
                          nuovo = cartella.File("nuovo.drv");
        const std::string testo = c.vecchio.Testo();
        ScriviFile(vecchio, testo);
        Catalogo catalogo;
        clsDriver doc;
        MessaggiRaccolti msg;
        EXPECT_EQ(ControllaVecchioDriver(vecchio, msg), c.vecchio.righe.count(1) == 0);
        ASSERT_TRUE(LeggiVecchioDriver(vecchio, doc, msg, catalogo.Funzione()));
        const bool riuscita = ApplicaTrasformazione(doc, c.programma, msg, catalogo.Funzione());
        EXPECT_EQ(riuscita, msg.mvTesti.empty());
        for (const auto& m : msg.mvMessaggi) EXPECT_EQ(m.icona, Icona::Critico);
        EXPECT_TRUE(doc.SaveDriver(nuovo, msg));
        const fs::path atteso = kQui / "attesi" / (c.atteso + ".drv"),
                       messaggi = kQui / "attesi" / (c.atteso + ".msg");
        if (rigenera) ScriviFile(atteso, LeggiTutto(nuovo));
        if (rigenera && !riuscita) ScriviFile(messaggi, Unite(msg.mvTesti));
        EXPECT_EQ(LeggiTutto(nuovo), LeggiTutto(atteso));
        EXPECT_EQ(Unite(msg.mvTesti), riuscita ? "" : LeggiTutto(messaggi));
        EXPECT_EQ(LeggiTutto(vecchio), testo);  // the legacy file is never written
        // The converted driver loads without a message.
        MessaggiRaccolti caricamento;
        doc.LoadDriver(nuovo, caricamento);
        EXPECT_EQ(Unite(caricamento.mvTesti), "");
    }
}

TEST(Legacy, TheCatalogueIsAskedForEveryBraceField) {
    CartellaTemp cartella;
    const std::string f = cartella.File("v.drv");
    ScriviFile(f, Vecchio{}.Testo());
    Catalogo catalogo;
    clsDriver doc, senza, guasto;
    MessaggiRaccolti msg;
    ASSERT_TRUE(LeggiVecchioDriver(f, doc, msg, catalogo.Funzione()));
    EXPECT_EQ(
        catalogo.domande,
        (std::vector<std::string>{"gg/mm/aa (data)", "hh:mm (ora)", "hh:mm:ss (ora)", "mm:ss (ora)",
                                  "gg/mm/aa (data)", "hh:mm (ora)", "hh:mm:ss (ora)"}));
    // Without a catalogue, or with one that fails, every format is 0 and nothing is said.
    ASSERT_TRUE(LeggiVecchioDriver(f, senza, msg));
    ASSERT_TRUE(LeggiVecchioDriver(f, guasto, msg, [](const std::string&, bool) -> int16_t {
        throw std::runtime_error("catalogo non raggiungibile");
    }));
    for (const auto* d : {&senza, &guasto})
        for (const auto* c : {d->moEntranti.get(), d->moUscenti.get()})
            for (const auto& voce : *c->mcolCampi) EXPECT_EQ(voce.valore.miFormato, 0);
    EXPECT_EQ(Unite(msg.mvTesti), "");
}

// The notes block: its lines without their leading "* " or "*", joined by CR LF, up to the
// first line that begins with "VARIE".
TEST(Legacy, NotesBlock) {
    const std::pair<std::vector<std::string>, std::string> casi[] = {
        {{"* ab", "cd", "*", "* ", "*x", "VARIE"}, "ab\r\ncd"},
        {{"VARIE e altro"}, ""},
        {{" VARIE", "Varie", "VARIE"}, "\r\n VARIE\r\nVarie"}};
    CartellaTemp cartella;
    for (const auto& [note, atteso] : casi) {
        ScriviFile(cartella.File("v.drv"), Vecchio{.note = note}.Testo());
        clsDriver doc;
        MessaggiRaccolti msg;
        EXPECT_TRUE(LeggiVecchioDriver(cartella.File("v.drv"), doc, msg));
        EXPECT_EQ(doc.msNote, atteso);
        EXPECT_EQ(doc.moEntranti->mcolCondTrasferita->Count(), 1);  // line 25 is still line 25
    }
}

TEST(Legacy, LineRules) {
    const auto prova = [](const std::string& s) {
        CartellaTemp c;
        MessaggiRaccolti msg;
        ScriviFile(c.File("f.drv"), s);
        return ControllaVecchioDriver(c.File("f.drv"), msg);
    };
    // Only the exact magic line, as the whole first line, makes a legacy driver.
    for (const char* s : {"* DRVTARNO 03.00\r\nModello: x\r\n", "* DRVTARNO 03.00",
                          "* DRVTARNO 03.00\nx", "* DRVTARNO 03.00\rx"})
        EXPECT_TRUE(prova(s)) << s;
    for (const char* s : {"* DRVTARNO 03.00 \r\n", "* drvtarno 03.00\r\n", " * DRVTARNO 03.00\r\n",
                          "[Centralino]\r\nAutore=x\r\n", "\r\n* DRVTARNO 03.00\r\n"})
        EXPECT_FALSE(prova(s)) << s;
    // CR LF, CR and LF each end one line; the last terminator starts no further line.
    EXPECT_EQ(Unite(DividiRighe("a\r\nb\r\nc\rd\ne\n\rf\r\n\r\ng")), "a\nb\nc\nd\ne\n\nf\n\ng\n");
    EXPECT_EQ(DividiRighe("").size() + DividiRighe("\r\n").size(), 1u);
    // A label's value starts two characters after the ":" (leading blanks cost as many).
    // clang-format off
    const std::pair<const char*, const char*> etichette[] = {
        {"Modello: MD110", "MD110"}, {"Modello:", ""}, {"Modello: ", ""}, {"Modello:MD110", "D110"},
        {"  Modello: MD110", "110"}, {"Modello: MD110  ", "110  "}, {"Senza due punti", "enza due punti"}, {"", ""}};
    // clang-format on
    for (const auto& [riga, valore] : etichette) EXPECT_EQ(ValoreEtichetta(riga), valore) << riga;
    // Formats are looked up trimmed of blanks (only), up to the first "(".
    // clang-format off
    const std::pair<const char*, const char*> formati[] = {
        {"  gg/mm/aa ", "gg/mm/aa"}, {"hh:mm (24 ore)", "hh:mm"}, {"(solo)", ""}, {"\tgg\t", "\tgg\t"}, {"", ""}};
    // clang-format on
    for (const auto& [testo, pulito] : formati) EXPECT_EQ(PulisciFormato(testo), pulito) << testo;
}

TEST(Legacy, Offset) {
    // Given as "S&" and a number, its sign after it; rounded half to even; "N" leaves it alone.
    const std::pair<const char*, const char*> casi[] = {
        {"S&12", "12"}, {"S& 7", "7"},  {"S&-5", " 5"}, {"S&5-", "-5"},
        {"S&0-", " 0"}, {"S&2.5", "2"}, {"N&12", "9"},  {"S", "0"}};
    CartellaTemp cartella;
    for (const auto& [riga, offset] : casi) {
        ScriviFile(cartella.File("v.drv"), Vecchio{{{28, riga}}}.Testo());
        clsDriver doc;
        doc.mlOffset = "9";
        MessaggiRaccolti msg;
        EXPECT_TRUE(LeggiVecchioDriver(cartella.File("v.drv"), doc, msg));
        EXPECT_EQ(doc.mlOffset, offset) << riga;
    }
}

// Run-time errors of the reader: one critical message, and the document emptied.
TEST(Legacy, ReaderErrors) {
    const std::vector<std::pair<Vecchio, std::string>> casi = {
        {{{{35, "{hh:mm}{40000}{0}"}}}, "6:Numero fuori dall'intervallo consentito (riga 35)"},
        {{{{52, "F&0&32767&5&D"}}}, "6:Numero fuori dall'intervallo consentito (riga 52)"},
        {{{{53, "S&-40000&1&E"}}}, "6:Numero fuori dall'intervallo consentito (riga 53)"},
        {{{{28, "S&-32768"}}}, "6:Numero fuori dall'intervallo consentito (riga 28)"},
        {{{{25, "S&32767&1&35"}}}, "6:Numero fuori dall'intervallo consentito (riga 25)"},
        {{{{73, "F&0&1&99999999999999999999&D"}}},
         "6:Numero fuori dall'intervallo consentito (riga 73)"},
        {{{{25, "S&2&14&300"}}}, "5:Codice di carattere 300 fuori dall'intervallo 0-255 (riga 25)"},
        {{{{27, "S&2&14&-1"}}}, "5:Codice di carattere -1 fuori dall'intervallo 0-255 (riga 27)"},
        {{{}, {"* note"}, 20},
         "62:Input oltre la fine del file (il blocco delle note non termina con una riga VARIE)"},
    };
    CartellaTemp cartella;
    const std::string f = cartella.File("v.drv");
    for (const auto& [vecchio, atteso] : casi) {
        SCOPED_TRACE(atteso);
        ScriviFile(f, vecchio.Testo());
        clsDriver doc;
        doc.msMarca = "Tie";
        MessaggiRaccolti msg;
        EXPECT_FALSE(LeggiVecchioDriver(f, doc, msg));
        EXPECT_EQ(Unite(msg.mvTesti), kErroreImport + atteso + "\n");
        for (const auto& m : msg.mvMessaggi) EXPECT_EQ(m.icona, Icona::Critico);
        EXPECT_FALSE(doc.moEntranti || doc.moUscenti);
        EXPECT_EQ(doc.msMarca + doc.msModello, "");
    }
    // The file is not held: it can be replaced and read again.
    ScriviFile(f, Vecchio{}.Testo());
    clsDriver doc;
    MessaggiRaccolti msg;
    EXPECT_TRUE(LeggiVecchioDriver(f, doc, msg));
    // Reading into a document that already holds the fields finds their keys taken.
    EXPECT_FALSE(LeggiVecchioDriver(f, doc, msg));
    EXPECT_FALSE(doc.moEntranti);
    const std::string manca = cartella.File("manca.drv");
    EXPECT_FALSE(LeggiVecchioDriver(manca, doc, msg));
    EXPECT_EQ(Unite(msg.mvTesti), kErroreImport +
                                      W("457:Questa chiave è già associata ad un elemento della "
                                        "collezione: campo dData (riga 31)\n") +
                                      kErroreImport + "53:Impossibile aprire il file " + W(manca) +
                                      "\n");
    // A file that cannot be opened, or is empty, is not a legacy driver, and is told so (the
    // messages are Windows-1252: the accented folder's name converted).
    msg = MessaggiRaccolti();
    ScriviFile(cartella.File("vuoto.drv"), "");
    std::string attesi;
    for (const auto& g : {cartella.File("vuoto.drv"), manca, cartella.Percorso().string()}) {
        EXPECT_FALSE(ControllaVecchioDriver(g, msg)) << g;
        attesi += "Impossibile aprire il Driver " + W(g) + "\n";
    }
    EXPECT_EQ(Unite(msg.mvTesti), attesi);
    EXPECT_EQ(msg.mvMessaggi[0].icona, Icona::Esclamazione);
}

// A program that needs a record type the document lacks fails with a message; the others
// leave even an empty document consistent. Without a code, the program last chosen applies.
TEST(Legacy, ProgramsOnAnEmptyDocument) {
    for (int32_t codice = 0; codice <= 18; ++codice) {
        SCOPED_TRACE(codice);
        clsDriver vuoto;
        MessaggiRaccolti msg;
        const bool puoFallire = std::set<int32_t>{1, 2, 4, 8, 9, 11, 12, 14, 15, 18}.count(codice);
        EXPECT_EQ(ApplicaTrasformazione(vuoto, codice, msg), !puoFallire);
        EXPECT_EQ(
            Unite(msg.mvTesti).rfind(kErroreProgramma + NomeProgrammaTrasf(codice) + ".\r", 0) == 0,
            puoFallire);
        EXPECT_LE(msg.mvTesti.size(), 1u);
    }
    CartellaTemp cartella;
    ScriviFile(cartella.File("v.drv"), Vecchio{}.Testo());
    clsDriver doc;
    MessaggiRaccolti msg;
    ASSERT_TRUE(LeggiVecchioDriver(cartella.File("v.drv"), doc, msg));
    const int32_t prima = glProgrammaTrasf;
    glProgrammaTrasf = 5;  // Opus: three transformations
    EXPECT_TRUE(ApplicaTrasformazione(doc, msg));
    glProgrammaTrasf = prima;
    EXPECT_EQ(doc.mcolTrasf->Count(), 3);
}

}  // namespace

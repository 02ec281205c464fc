// The INI store: writing keys (ScriviChiaveINI, which rewrites the whole file in normalised
// form at every call, and the buffered clsScritturaINI, which must leave the same bytes) and
// the profile lookup through which every key is read.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "Supporto.h"
#include "model/clsFileINI.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

struct Scrittura {
    std::string prima;  // the file before ("" : no file)
    std::vector<std::array<std::string, 3>> chiavi;
    std::string dopo;
};

const std::vector<Scrittura> kScritture = {
    {"", {{"Centralino", "Autore", "X"}}, "[Centralino]\r\nAutore=X\r\n\r\n"},
    // Comments, lines without "=", empty values and names are dropped by every rewrite; an
    // empty value, section or key name inserts nothing.
    {"; c\r\n[S]\r\n\r\nk = v\r\nsenza uguale\r\nvuota=\r\n=x\r\n",
     {{"S", "nuova", ""}},
     "[S]\r\nk=v\r\n\r\n"},
    {"[S]\r\nk=v\r\n", {{"", "k", "1"}, {"S", "", "1"}, {"T", "k", ""}}, "[S]\r\nk=v\r\n\r\n"},
    // A section repeated in other case loses its keys; a key above the first header too.
    {"[centralino]\r\na=1\r\n[x]\r\ny=2\r\n[CENTRALINO]\r\nb=2\r\n",
     {{"CENTRALINO", "c", "3"}},
     "[centralino]\r\na=1\r\nc=3\r\n\r\n[x]\r\ny=2\r\n\r\n"},
    {"orfana=1\r\n[S]\r\na=2\r\n", {{"S", "b", "3"}}, "[S]\r\na=2\r\nb=3\r\n\r\n"},
    // An indented header is no header (and "[]" names none): the keys stay above.
    {"[S]\r\na=1\r\n  [T]\r\nb=2\r\n",
     {{"T", "c", "3"}},
     "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n\r\n"},
    {"[S]\r\n[]\r\nb=2\r\n", {{"S", "c", "3"}}, "[S]\r\nb=2\r\nc=3\r\n\r\n"},
    // Blanks around "=" and the value go, tabs stay; the first "=" splits.
    {"[S]\r\n   chiave   =   un valore   \r\n\tt\t=\tv\t\r\na = b = c\r\n",
     {{"S", "z", "1"}},
     "[S]\r\nchiave=un valore\r\n\tt\t=\tv\t\r\na=b = c\r\nz=1\r\n\r\n"},
    // Names differing in case are two keys; an exact name is updated in place; a new name
    // goes to the end of its section, found without regard to case.
    {"[S]\r\nKey=1\r\nkey=2\r\n", {{"S", "key", "3"}}, "[S]\r\nKey=1\r\nkey=3\r\n\r\n"},
    {"[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n",
     {{"S", "a", "9"}, {"s", "d", "4"}},
     "[S]\r\na=9\r\nb=2\r\nd=4\r\n\r\n[T]\r\nc=3\r\n\r\n"},
    // CR alone and CR LF end lines; LF alone does not.
    {"[S]\ra=1\rb=2\r\nc=3\r\r\n", {{"S", "d", "4"}}, "[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n"},
    {"[S]\nk=v\r\n", {{"A", "b", "c"}}, "[A]\r\nb=c\r\n\r\n"},
    {"[S]\r\nk=a\nb\r\nx\ny=1\r\n", {{"S", "z", "2"}}, "[S]\r\nk=a\nb\r\nx\ny=1\r\nz=2\r\n\r\n"},
    {"[S\nT]\r\nk=1\r\n", {{"S\nT", "z", "2"}}, "[S\nT]\r\nk=1\r\nz=2\r\n\r\n"},
    {"", {{"Condizioni", "C", W("UGUALE_A·\"è\"")}}, W("[Condizioni]\r\nC=UGUALE_A·\"è\"\r\n\r\n")},
    {"[b]\r\nx=1\r\n[A]\r\ny=2\r\n",
     {{"a", "z", "3"}, {"C", "z", "3"}},
     "[b]\r\nx=1\r\n\r\n[A]\r\ny=2\r\nz=3\r\n\r\n[C]\r\nz=3\r\n\r\n"},
    // A value is written as given and trimmed by the next write.
    {"", {{"S", "k", "  v  "}}, "[S]\r\nk=  v  \r\n\r\n"},
    {"", {{"S", "k", "  v  "}, {"S", "j", "w"}}, "[S]\r\nk=v\r\nj=w\r\n\r\n"},
    // A key that trimmed reads as a header becomes a section at the next rewrite.
    {"",
     {{"S", " [a", "b]"}, {"S", "k", "1"}, {"S", "j", "2"}},
     "[S]\r\nj=2\r\n\r\n[a=b]\r\nk=1\r\n\r\n"},
    {"[S]\r\n [a=b]\r\nx=0\r\n",
     {{"S", "k", "1"}, {"S", "j", "2"}},
     "[S]\r\nj=2\r\n\r\n[a=b]\r\nx=0\r\nk=1\r\n\r\n"},
    {"[S]\r\n[a = b] \r\n", {{"S", "k", "1"}}, "[S]\r\n[a=b]\r\nk=1\r\n\r\n"},
    {"",
     {{"S", "k", "v\r\n [a=b]"}, {"S", "", "x"}, {"S", "j", "2"}},
     "[S]\r\nk=v\r\nj=2\r\n\r\n[a=b]\r\n\r\n"},
};

TEST(ScritturaINI, BothWritersNormaliseTheFileAlike) {
    for (const auto& c : kScritture) {
        SCOPED_TRACE(c.prima + " -> " + c.dopo);
        CartellaTemp cartella;
        const std::string a = cartella.File("a.ini"), b = cartella.File("b.ini");
        if (!c.prima.empty()) ScriviFile(a, c.prima), ScriviFile(b, c.prima);
        clsScritturaINI bufferizzato(a);
        for (const auto& [s, k, v] : c.chiavi) {
            EXPECT_EQ(ScriviChiaveINI(s, k, v, b), 1);
            EXPECT_EQ(bufferizzato.ScriviChiave(s, k, v), 1);
        }
        EXPECT_TRUE(bufferizzato.Chiudi());
        EXPECT_EQ(LeggiTutto(b), c.dopo);
        EXPECT_EQ(LeggiTutto(a), c.dopo);
        EXPECT_EQ(NomiIn(cartella.Percorso()), (std::vector<std::string>{"a.ini", "b.ini"}));
    }
}

// (Targets that cannot be written are in test_driver.cpp, through both writers.)
TEST(ScritturaINI, NoFileWithoutAKeyOrWithoutAName) {
    CartellaTemp cartella;
    const auto primaQui = NomiIn(fs::current_path());
    EXPECT_TRUE(clsScritturaINI(cartella.File("x.ini")).Chiudi());
    clsScritturaINI guasto(cartella.File("x.ini"), true);  // made to fail: refuses every key
    EXPECT_EQ(guasto.ScriviChiave("S", "k", "v"), 0);
    EXPECT_TRUE(guasto.Chiudi());
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
    // An empty file name accepts every key and touches nothing.
    EXPECT_EQ(ScriviChiaveINI("S", "k", "v", ""), 1);
    clsScritturaINI senzaNome("");
    EXPECT_EQ(senzaNome.ScriviChiave("S", "k", "v"), 1);
    EXPECT_TRUE(senzaNome.Chiudi());
    EXPECT_EQ(NomiIn(fs::current_path()), primaQui);
}

// A configuration that one group may read (it holds a password) keeps its group and mode when
// a key is rewritten. Root may pick any group; others one they belong to, if they have two.
TEST(ScritturaINI, TheRewrittenFileKeepsItsGroupAndMode) {
    CartellaTemp cartella;
    const std::string file = cartella.File("Tarnosuite.ini");
    ScriviFile(file, "[Configurazione]\r\nPwdID=a\r\n");
    gid_t gruppi[64];
    const int n = ::getgroups(64, gruppi);
    gid_t gruppo = ::geteuid() == 0 ? 4242 : ::getegid();
    for (int i = 0; i < n; ++i)
        if (gruppi[i] != ::getegid()) gruppo = gruppi[i];
    ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), gruppo), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(ScriviChiaveINI("Configurazione", "PwdID", "b", file), 1);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, gruppo);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(LeggiTutto(file), "[Configurazione]\r\nPwdID=b\r\n\r\n");
}

TEST(ProfiloINI, MissingFilesAndLineEnds) {
    CartellaTemp c;
    // A missing file and a folder read empty (the lookups themselves are in valori.txt).
    EXPECT_EQ(LeggiChiaveINI(c.File("manca.ini"), "S", "k"), "");
    EXPECT_EQ(LeggiChiaveINI(c.Percorso().string(), "S", "k"), "");
    // CR and CR LF end lines, and so does LF for the lookup.
    const auto righe = clsProfiloINI::DaTesto("[S]\ra=1\nb=2\r\n[T]\rc=3");
    EXPECT_EQ(righe.Leggi("S", "a") + righe.Leggi("S", "b") + righe.Leggi("T", "c"), "123");
}

// The reading buffer holds 500 characters with the terminator: values are cut at 499, and a
// key list (each name followed by a NUL) that does not fit ends two characters short.
TEST(ProfiloINI, ValuesAndKeyListsAreCutToTheBuffer) {
    std::string lungo, testo = "[P]\r\n", breve = testo, tutti;
    for (int i = 0; i < 700; ++i) lungo += static_cast<char>('a' + i % 26);
    for (int i = 0; i < 60; ++i) {
        const std::string nome = "Chiave_" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        testo += nome + "=v\r\n";
        if (i < 49) breve += nome + "=v\r\n";
        tutti += nome + '\0';
    }
    EXPECT_EQ(clsProfiloINI::DaTesto("[L]\r\nk=" + lungo).Leggi("L", "k"), lungo.substr(0, 499));
    // 60 names of 9 characters: 49 whole, then the 50th cut; 49 names fit whole.
    EXPECT_EQ(clsProfiloINI::DaTesto(testo).ElencoChiavi("p"), tutti.substr(0, 498));
    EXPECT_EQ(clsProfiloINI::DaTesto(breve).ElencoChiavi("P"), tutti.substr(0, 49 * 10));
    EXPECT_EQ(clsProfiloINI::DaTesto("[P]\r\n" + std::string(600, 'n') + "=1").ElencoChiavi("P"),
              std::string(498, 'n'));
    // Names in file order, also those that differ only in case or have no value.
    EXPECT_EQ(clsProfiloINI::DaTesto("[P]\r\nUno=1\r\ndue=\r\nsenza\r\nTre = 3\r\nuno=4\r\n")
                  .ElencoChiavi("P"),
              std::string("Uno\0due\0Tre\0uno\0", 16));
    EXPECT_EQ(clsProfiloINI::DaTesto(testo).ElencoChiavi("Manca"), "");
}

}  // namespace

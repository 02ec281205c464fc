// The INI store: ScriviChiaveINI rewrites the whole file in normalised form at every call.

#include <gtest/gtest.h>

#include "Aiuti.h"
#include "clsFileINI.h"
#include "clsINISezione.h"
#include "clsProfiloINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

class ScriviChiaveINITest : public ::testing::Test {
  protected:
    // Writes one key into a file that starts with sPrima and returns what the file holds then.
    std::string Dopo(const std::string& sPrima, const std::string& sSezione,
                     const std::string& sChiave, const std::string& sValore) {
        const std::string f = cartella.File("prova.ini");
        ScriviFile(f, sPrima);
        EXPECT_EQ(ScriviChiaveINI(sSezione, sChiave, sValore, f), 1);
        return LeggiTutto(f);
    }
    CartellaTemp cartella;
};

TEST_F(ScriviChiaveINITest, NewFileHoldsHeaderKeyAndEmptyLine) {
    const std::string f = cartella.File("nuovo.drv");
    EXPECT_EQ(ScriviChiaveINI("Centralino", "Autore", "X", f), 1);
    EXPECT_EQ(LeggiTutto(f), "[Centralino]\r\nAutore=X\r\n\r\n");
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"nuovo.drv"});
}

TEST_F(ScriviChiaveINITest, EmptyValueAddsNothingButNormalisesTheFile) {
    const std::string prima = "; commento\r\n[S]\r\n\r\nk = v\r\nsenza uguale\r\nvuota=\r\n=x\r\n";
    EXPECT_EQ(Dopo(prima, "S", "k", ""), "[S]\r\nk=v\r\n\r\n");
    EXPECT_EQ(Dopo(prima, "S", "nuova", ""), "[S]\r\nk=v\r\n\r\n");
    // An empty section or key name inserts nothing either.
    EXPECT_EQ(Dopo(prima, "", "k", "1"), "[S]\r\nk=v\r\n\r\n");
    EXPECT_EQ(Dopo(prima, "S", "", "1"), "[S]\r\nk=v\r\n\r\n");
    EXPECT_EQ(Dopo(prima, "T", "k", ""), "[S]\r\nk=v\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, RepeatedSectionInOtherCaseLosesItsKeys) {
    const std::string prima = "[centralino]\r\na=1\r\n[x]\r\ny=2\r\n[CENTRALINO]\r\nb=2\r\n";
    EXPECT_EQ(Dopo(prima, "CENTRALINO", "c", "3"),
              "[centralino]\r\na=1\r\nc=3\r\n\r\n[x]\r\ny=2\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, KeyAboveFirstHeaderDisappears) {
    EXPECT_EQ(Dopo("orfana=1\r\n[S]\r\na=2\r\n", "S", "b", "3"), "[S]\r\na=2\r\nb=3\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, IndentedHeaderIsNotAHeaderAndIsDropped) {
    // The keys after it stay in the section above.
    EXPECT_EQ(Dopo("[S]\r\na=1\r\n  [T]\r\nb=2\r\n", "T", "c", "3"),
              "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n\r\n");
    // "[]" names no section: the keys after it stay in the current one.
    EXPECT_EQ(Dopo("[S]\r\n[]\r\nb=2\r\n", "S", "c", "3"), "[S]\r\nb=2\r\nc=3\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, BlanksAroundEqualsAndValueAreRemovedTabsStay) {
    EXPECT_EQ(Dopo("[S]\r\n   chiave   =   un valore   \r\n\tt\t=\tv\t\r\n", "S", "z", "1"),
              "[S]\r\nchiave=un valore\r\n\tt\t=\tv\t\r\nz=1\r\n\r\n");
    // The first "=" splits: the value keeps the others.
    EXPECT_EQ(Dopo("[S]\r\na = b = c\r\n", "S", "z", "1"), "[S]\r\na=b = c\r\nz=1\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, KeysDifferingInCaseStayTwoEntries) {
    const std::string dopo = Dopo("[S]\r\nKey=1\r\nkey=2\r\n", "S", "key", "3");
    EXPECT_EQ(dopo, "[S]\r\nKey=1\r\nkey=3\r\n\r\n");
    EXPECT_EQ(clsProfiloINI::DaTesto(dopo).Leggi("s", "KEY"), "1");
    // An exact name is updated in place; a new name goes to the end of its section.
    EXPECT_EQ(Dopo("[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n", "S", "a", "9"),
              "[S]\r\na=9\r\nb=2\r\n\r\n[T]\r\nc=3\r\n\r\n");
    EXPECT_EQ(Dopo("[S]\r\na=1\r\n[T]\r\nc=3\r\n", "s", "d", "4"),
              "[S]\r\na=1\r\nd=4\r\n\r\n[T]\r\nc=3\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, EmptyFileNameReturnsOneAndTouchesNothing) {
    const auto primaQui = NomiIn(fs::current_path());
    EXPECT_EQ(ScriviChiaveINI("S", "k", "v", ""), 1);
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
    EXPECT_EQ(NomiIn(fs::current_path()), primaQui);
}

TEST_F(ScriviChiaveINITest, CrAloneAndCrLfEndLines) {
    EXPECT_EQ(Dopo("[S]\ra=1\rb=2\r\nc=3", "S", "d", "4"),
              "[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n");
    // An empty line between CR and CR LF ends is kept as nothing.
    EXPECT_EQ(Dopo("[S]\r\r\na=1\r\r", "S", "d", "4"), "[S]\r\na=1\r\nd=4\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, LfAloneDoesNotEndALine) {
    // "[S]\nk=v" is one line: not a header (it ends in "v"), a key line above every header.
    EXPECT_EQ(Dopo("[S]\nk=v\r\n", "A", "b", "c"), "[A]\r\nb=c\r\n\r\n");
    // An LF inside a value or a name travels with it.
    const std::string conLf = "[S]\r\nk=a\nb\r\nx\ny=1\r\n";
    EXPECT_EQ(Dopo(conLf, "S", "z", "2"), "[S]\r\nk=a\nb\r\nx\ny=1\r\nz=2\r\n\r\n");
    // A header holding an LF is still one header.
    EXPECT_EQ(Dopo("[S\nT]\r\nk=1\r\n", "S\nT", "z", "2"), "[S\nT]\r\nk=1\r\nz=2\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, BytesAboveAsciiArePreserved) {
    const std::string v = W("UGUALE_A·1,1,1·\"è\"·");
    EXPECT_EQ(Dopo("", "Condizioni", "Condizione_0", v),
              "[Condizioni]\r\nCondizione_0=" + v + "\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, SectionsKeepOrderAndFirstSpelling) {
    const std::string prima = "[b]\r\nx=1\r\n[A]\r\ny=2\r\n";
    EXPECT_EQ(Dopo(prima, "a", "z", "3"), "[b]\r\nx=1\r\n\r\n[A]\r\ny=2\r\nz=3\r\n\r\n");
    EXPECT_EQ(Dopo(prima, "C", "z", "3"), "[b]\r\nx=1\r\n\r\n[A]\r\ny=2\r\n\r\n[C]\r\nz=3\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, ValueIsWrittenAsGivenAndTrimmedByTheNextWrite) {
    const std::string f = cartella.File("p.ini");
    ASSERT_EQ(ScriviChiaveINI("S", "k", "  v  ", f), 1);
    EXPECT_EQ(LeggiTutto(f), "[S]\r\nk=  v  \r\n\r\n");
    ASSERT_EQ(ScriviChiaveINI("S", "j", "w", f), 1);
    EXPECT_EQ(LeggiTutto(f), "[S]\r\nk=v\r\nj=w\r\n\r\n");
}

TEST_F(ScriviChiaveINITest, TargetThatIsAFolderIsNotWritten) {
    const std::string f = cartella.File("cartella.drv");
    fs::create_directory(f);
    ScriviFile(f + "/dentro", "x");
    EXPECT_EQ(ScriviChiaveINI("S", "k", "v", f), 0);
    EXPECT_TRUE(fs::is_directory(f));
    EXPECT_EQ(LeggiTutto(f + "/dentro"), "x");
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"cartella.drv"});
}

TEST_F(ScriviChiaveINITest, TargetInMissingFolderIsNotCreated) {
    const std::string f = cartella.File("manca/x.drv");
    EXPECT_EQ(ScriviChiaveINI("S", "k", "v", f), 0);
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
}

TEST_F(ScriviChiaveINITest, FileInImmutableFolderStaysAsItWasWithoutLeftovers) {
    const std::string f = cartella.File("d/x.drv");
    fs::create_directory(cartella.File("d"));
    ScriviFile(f, "[S]\r\nk=1\r\n");
    if (!cartella.RendiImmutabile(cartella.File("d")))
        GTEST_SKIP() << "immutable attribute not available here";
    EXPECT_EQ(ScriviChiaveINI("S", "k", "2", f), 0);
    EXPECT_EQ(LeggiTutto(f), "[S]\r\nk=1\r\n");
    EXPECT_EQ(NomiIn(cartella.File("d")), std::vector<std::string>{"x.drv"});
}

TEST_F(ScriviChiaveINITest, SuccessfulWritesLeaveNoTemporaryFiles) {
    const std::string f = cartella.File("x.drv");
    for (int i = 0; i < 5; ++i) ScriviChiaveINI("S", "k" + std::to_string(i), "v", f);
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"x.drv"});
}

TEST(AnalizzaRigaINI, SplitsHeadersAndKeyLines) {
    auto r = AnalizzaRigaINI("[Centralino]");
    EXPECT_EQ(r.sSezione, "Centralino");
    EXPECT_EQ(r.sChiave, "");
    r = AnalizzaRigaINI("[ a b ]");
    EXPECT_EQ(r.sSezione, " a b ");
    r = AnalizzaRigaINI(" [a]");
    EXPECT_EQ(r.sSezione, "");
    EXPECT_EQ(r.sChiave, "");
    r = AnalizzaRigaINI("[a=b]");
    EXPECT_EQ(r.sSezione, "a=b");
    r = AnalizzaRigaINI("  k  =  v = w  ");
    EXPECT_EQ(r.sChiave, "k");
    EXPECT_EQ(r.sValore, "v = w");
    r = AnalizzaRigaINI("[]");
    EXPECT_EQ(r.sSezione, "");
    EXPECT_EQ(r.sChiave, "");
    EXPECT_EQ(r.sValore, "");
}

TEST(clsINISezione, KeysByExactNameInOrder) {
    clsINISezione s("Sez");
    s.InserisciChiave("a", "1");
    s.InserisciChiave("B", "2");
    s.InserisciChiave("b", "3");
    s.InserisciChiave("a", "4");
    std::string t;
    s.ScriviSezione(t);
    EXPECT_EQ(t, "[Sez]\r\na=4\r\nB=2\r\nb=3\r\n\r\n");
    s.RimuoviChiave("b");
    s.RimuoviChiave("manca");
    t.clear();
    s.ScriviSezione(t);
    EXPECT_EQ(t, "[Sez]\r\na=4\r\nB=2\r\n\r\n");
    s.InserisciChiave("b", "5");  // after removal the name can come back at the end
    t.clear();
    s.ScriviSezione(t);
    EXPECT_EQ(t, "[Sez]\r\na=4\r\nB=2\r\nb=5\r\n\r\n");
    s.SvuotaSezione();
    t.clear();
    s.ScriviSezione(t);
    EXPECT_EQ(t, "[Sez]\r\n\r\n");
}

}  // namespace

// Records of name=value pairs and lines that look like a heading but are records.

#include <gtest/gtest.h>

#include "analisi/ChiaviValori.h"

namespace {

using namespace tarno::proposta;
using Righe = std::vector<std::vector<std::string>>;

TEST(ChiaviValori, UnaRigaComeQuelleSottoNonEIntestazione) {
    struct Caso {
        Righe righe;
        bool record;
    };
    const Caso casi[] = {
        // A clock's month and name= pairs come back on every line.
        {{{"Dec  9 08:14:03 host: a", "method=INVITE", "code=200"},
          {"Dec  9 08:17:45 host: b", "method=BYE", "code=200"},
          {"Dec 10 09:00:00 host: c", "method=INVITE", "code=487"}},
         true},
        // Names over values: a heading.
        {{{"Call Date", "Call Time", "Ext", "Number"},
          {"02.03.2026", "08:00:01", "201", "0555123456"},
          {"02.03.2026", "08:10:11", "202", "0555987654"}},
         false},
        // One shared label is not enough.
        {{{"Line 1", "Date", "Ext"}, {"Line 3", "02.03.26", "201"}, {"Line 2", "02.03.26", "202"}},
         false},
    };
    for (const auto& c : casi) EXPECT_EQ(ComeIRecordSotto(c.righe, 0, 300), c.record);
}

TEST(ChiaviValori, UnaRigaDiCifreNonEIntestazione) {
    const std::pair<std::vector<std::string>, bool> casi[] = {
        {{"Outbound", "301", "TR/1", "1700001000", "", "60"}, true},  // counts and numbers
        {{"Start Time", "End Time", "Trunk", "Hold Time"}, false},    // names
        {{"Dir", "Ext 1", "Ext 2", "Note"}, false},                   // digits within names
        {{"IN", "A02", "0698765432", "TR/2", "y", "x"}, false},       // one number only
    };
    for (const auto& [pezzi, record] : casi) EXPECT_EQ(RigaDiCifre(pezzi), record);
}

TEST(ChiaviValori, IlNomeDelCampoSoloSeTuttiIRecordLoHanno) {
    const Righe righe = {{"Dec  9", "dir=out", "num=0555", "dur=65"},
                         {},  // a record of another layout
                         {"Dec  9", "dir=in", "nr=0556", "dur=120"}};
    EXPECT_EQ(ChiaviDeiCampi(righe, 0, 4), (std::vector<std::string>{"", "dir=", "", "dur="}));
    EXPECT_EQ(Etichetta("src_user=201"), "src_user=");
    EXPECT_EQ(Etichetta("201"), "");
}

TEST(ChiaviValori, IdentificativoDiLettereECifre) {
    EXPECT_TRUE(Identificativo({"4f1c9a7e2b3d@10.20.0.21", "3c2f8e01a9b4-77d1@10.20.0.1"}));
    EXPECT_FALSE(Identificativo({"4f1c9a7e2b3d@10.20.0.21", "1386105012.6"}));  // digits only
    EXPECT_FALSE(Identificativo({"pbx.example.lan", "pbx.example.lan"}));       // no digit
    EXPECT_FALSE(Identificativo({"a1 b2 c3 d4"}));                              // blanks
    // Events of calls that overlap: a code only on records whose identifier came before.
    using R = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(CodiciRipetuti(R{{"a1", "INVITE"}, {"b2", "INVITE"}, {"a1", "BYE"}, {"b2", "BYE"}}),
              (std::set<std::string>{"BYE"}));
    // A code on a first record too is no event's.
    EXPECT_TRUE(CodiciRipetuti(R{{"a1", "INVITE"}, {"a1", "BYE"}, {"b2", "BYE"}}).empty());
}

}  // namespace

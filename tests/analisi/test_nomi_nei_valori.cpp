#include <gtest/gtest.h>

#include "analisi/NomiNeiValori.h"

using namespace tarno::proposta;

TEST(NomiNeiValori, InternoTraParentesi) {
    const struct {
        const char* sValore;
        const char* sAtteso;
    } casi[] = {
        {"\"Anna Berger\" <221>", "221"},
        {"Anna Berger <221>", "221"},
        {"\"pn01\" <5300>", "5300"},
        {"Luca <37> ", "37"},
        {"<221>", ""},
        {"<I>05551234", ""},
        {"Anna <2>", ""},
        {"Anna <1234567>", ""},
        {"Anna <22a>", ""},
        {"05551234567", ""},
    };
    for (const auto& c : casi) EXPECT_EQ(InternoTraParentesi(c.sValore), c.sAtteso) << c.sValore;
}

TEST(NomiNeiValori, DirezioneDiSiNo) {
    const struct {
        const char* sNome;
        const char* sValore;
        char cAtteso;
    } casi[] = {
        {"INCOMING", "true", 'E'},  {"INCOMING", "false", 'U'}, {"INBOUND", "no", 'U'},
        {"EINGEHEND", "nein", 'U'}, {"EINGEHEND", "ja", 'E'},   {"OUTGOING", "Y", 'U'},
        {"ANSWERED", "true", '?'},  {"INCOMING", "maybe", '?'}, {"IN OUT", "true", '?'},
    };
    for (const auto& c : casi)
        EXPECT_EQ(DirezioneDiSiNo(c.sNome, c.sValore), c.cAtteso) << c.sNome << " " << c.sValore;
}

TEST(NomiNeiValori, ComposteDivise) {
    EXPECT_EQ(ComposteDivise("callbacknumber"), "callback number");
    EXPECT_EQ(ComposteDivise("CALLEDNUMBER;x"), "CALLED NUMBER;x");
    EXPECT_EQ(ComposteDivise("Rufnummer"), "Rufnummer");
    EXPECT_EQ(ComposteDivise("number"), "number");
    EXPECT_EQ(ComposteDivise("called party"), "called party");
}

// The cut of a record into separated fields: quotes, doubled quotes, separators inside quotes,
// empty fields, text after a closing quote, UTF-8 fields, and fields counted from the end.

#include <gtest/gtest.h>

#include "engine/CampiSeparati.h"

namespace {

using namespace tarno;

TEST(CampiSeparati, UnaRigaDivisaNeiSuoiCampi) {
    struct Caso {
        std::string riga;
        char separatore, virgolette;
        std::vector<std::string> campi;
    };
    const std::vector<Caso> casi = {
        {"a,b,c", ',', '"', {"a", "b", "c"}},
        {"", ',', '"', {""}},
        {",,", ',', '"', {"", "", ""}},
        {R"("a,b","c""d",e)", ',', '"', {"a,b", "c\"d", "e"}},
        {R"("""x""",)", ',', '"', {"\"x\"", ""}},
        {R"("pn01" <5300>,2)", ',', '"', {"pn01 <5300>", "2"}},
        {R"(a"b,"c)", ',', '"', {"a\"b", "c"}},
        {R"("aperto,fino in fondo)", ',', '"', {"aperto,fino in fondo"}},
        {R"("a,b",c)", ',', 0, {"\"a", "b\"", "c"}},
        {"x\t 'y\tz' \t", '\t', '\'', {"x", " 'y", "z' ", ""}},
        // UTF-8 fields in Windows-1252, "?" where it has no such character; other bytes stay.
        {"Niccol\xC3\xB2;\xC5\x81ukasz;Zo\xEB", ';', '"', {"Niccol\xF2", "?ukasz", "Zo\xEB"}},
    };
    CampiRiga r;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.riga);
        DividiCampi(c.riga, c.separatore, c.virgolette, r);
        EXPECT_EQ(std::vector<std::string>(r.vCampi.begin(), r.vCampi.begin() + r.iCampi), c.campi);
    }
    // Counted from 1 or, when negative, from the end; none past either end.
    DividiCampi("a,b,c", ',', '"', r);
    EXPECT_EQ(*r.Campo(1), "a");
    EXPECT_EQ(*r.Campo(-1), "c");
    EXPECT_EQ(*r.Campo(-3), "a");
    for (int n : {0, 4, -4}) EXPECT_EQ(r.Campo(n), nullptr) << n;
}

}  // namespace

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

// A piece of a line marked in the sample view as a field, and back: the characters a field's
// position takes on a line.
TEST(CampiSeparati, UnTrattoDellaRigaEIlSuoCampo) {
    const std::string riga = R"(12,"a,""b""",xyz)";  // fields at [0,2) [3,12) [13,16)
    struct Caso {
        size_t da, a;
        PosizioneCampo campo;
        std::pair<size_t, size_t> tratto;  // what the position takes back
    };
    const std::vector<Caso> casi = {
        {0, 0, {1, 0, 0}, {0, 2}},      // a click: the whole field
        {1, 1, {1, 0, 0}, {0, 2}},      // a click inside it
        {2, 2, {1, 0, 0}, {0, 2}},      // on its separator
        {0, 2, {1, 0, 0}, {0, 2}},      // all of its text
        {1, 2, {1, 2, 1}, {1, 2}},      // a part of it
        {1, 5, {1, 0, 0}, {0, 2}},      // past its separator
        {3, 12, {2, 0, 0}, {3, 12}},    // with its quotes
        {4, 11, {2, 0, 0}, {3, 12}},    // its text without the quotes
        {4, 6, {2, 1, 2}, {4, 6}},      // "a,"
        {6, 9, {2, 3, 2}, {6, 9}},      // the doubled quote and b
        {14, 16, {3, 2, 2}, {14, 16}},  // "yz", up to the line's end
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::to_string(c.da) + "-" + std::to_string(c.a));
        EXPECT_EQ(CampoDelTratto(riga, ',', '"', c.da, c.a), c.campo);
        EXPECT_EQ(
            TrattoDelCampo(riga, ',', '"', c.campo.iCampo, c.campo.iNelCampo, c.campo.iLunghezza),
            c.tratto);
    }
    EXPECT_EQ(CampoDelTratto(riga, ',', '"', 17, 17), std::nullopt);
    using Tratto = std::pair<size_t, size_t>;
    EXPECT_EQ(TrattoDelCampo(riga, ',', '"', -1, 0, 0), Tratto(13, 16));
    EXPECT_EQ(TrattoDelCampo(riga, ',', '"', 4, 0, 0), std::nullopt);
    EXPECT_EQ(TrattoDelCampo(riga, ',', '"', 1, 3, 0), std::nullopt);
}

}  // namespace

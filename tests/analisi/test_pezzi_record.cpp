// Records of separated fields whose pieces are not their fields one to one.

#include <gtest/gtest.h>

#include "analisi/PezziRecord.h"

namespace {

using namespace tarno;
using Pezzi = std::vector<std::string>;

bool DataOra(std::string_view v) { return v.find(':') != std::string_view::npos; }

TEST(PezziRecord, IlCampoConISeparatoriSiTrovaDaiDueCapi) {
    // A field in the middle joins the extra pieces; the fields after it count from the end;
    // a record short of its last fields gets them empty.
    EXPECT_EQ(CampiDaPezzi({"1", "a", "b", "c", "09:00"}, 3, 1, ','),
              (Pezzi{"1", "a,b,c", "09:00"}));
    EXPECT_EQ(CampiDaPezzi({"1", "a"}, 3, -1, '\t'), (Pezzi{"1", "a", ""}));
    struct Caso {
        std::vector<Pezzi> record;
        size_t campi;
        int variabile;
    };
    const Caso casi[] = {
        // A note with commas before the end time: the others stay alike.
        {{{"1", "08:00", "201", "ok", "08:01", "OUT"},
          {"2", "08:05", "0555", "call back", " soon", "08:06", "IN"},
          {"3", "09:00", "202", "x", "09:02", "OUT"}},
         6,
         3},
        // A name with a comma before the last field (a code): the code stays a field.
        {{{"08:00", "201", "Rossi", "O"},
          {"08:10", "202", "Doe", " Jane", "I"},
          {"08:20", "203", "Acme Spa", "O"}},
         4,
         2},
        // Every record as long as its fields: none.
        {{{"08:00", "201", "O"}, {"08:10", "202", "I"}}, 3, -1},
    };
    for (const auto& c : casi) {
        bool pari = false;
        EXPECT_EQ(CampoVariabile(c.record, c.campi, DataOra, {}, pari), c.variabile);
    }
}

TEST(PezziRecord, CodiciDiEventiCheRipetonoLIdentificativo) {
    using R = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(CodiciDiSeguito(R{{"7", "I"}, {"7", "T"}, {"8", "O"}, {"8", "X"}, {"9", "I"}}),
              (std::set<std::string>{"T", "X"}));
    // A code on first records too (a transfer as two records of one kind) is no event.
    EXPECT_TRUE(CodiciDiSeguito(R{{"7", "I"}, {"7", "I"}, {"8", "O"}}).empty());
}

}  // namespace

// Values holding more than their field: a clock to a fraction of the second, a number inside an
// address, a log writer's prefix before a heading.

#include <gtest/gtest.h>

#include "analisi/PezziDiValore.h"

namespace {

using namespace tarno;

TEST(PezziDiValore, OrologioENumeroNellIndirizzo) {
    const std::pair<const char*, size_t> orologi[] = {
        {"08:14:03.412", 8},
        {"8:14:03,5", 7},
        {"23:59:59.123456", 8},
        // No fraction, too long a fraction, something after it, no seconds.
        {"08:14:03", 0},
        {"08:14:03.1234567", 0},
        {"08:14:03.412Z", 0},
        {"08:14.412", 0},
        {"108:14:03.4", 0}};
    for (const auto& [t, n] : orologi) EXPECT_EQ(OrologioConFrazione(t), n) << t;
    const std::pair<const char*, const char*> indirizzi[] = {
        {"5550223@10.0.2.11", "5550223"},
        {" sip:+390612345678@carrier ", "+390612345678"},
        {"<sip:221@pbx>", "221"},
        {"tel:0555123@x", "0555123"},
        // Letters in the user, no host, no "@", no user.
        {"anna@pbx", ""},
        {"221@", ""},
        {"221", ""},
        {"@pbx", ""},
        {"+@pbx", ""}};
    for (const auto& [t, u] : indirizzi) EXPECT_EQ(NumeroNellIndirizzo(t), u) << t;
}

TEST(PezziDiValore, PrefissoDelloScrittore) {
    const auto ora = [](std::string_view v) {
        return !v.empty() && v.front() >= '0' && v.front() <= '9';
    };
    using Righe = std::vector<std::vector<std::string>>;
    const Righe registro = {{"08:00:00.004 h1 local1.info ", "Type", "Start", "Number"},
                            {"08:17:45.007 h1 local1.info ", "END", "08:14:03", "0555"},
                            {"08:18:00.001 h1 local1.info ", "END", "08:15:03", "0556"}};
    EXPECT_TRUE(PrefissoDelloScrittore(registro, ora));
    // The clock alone (a field of its own), a date first, or a first line that is a record.
    Righe soloOra = registro;
    for (auto& r : soloOra) r[0] = r[0].substr(0, 12);
    EXPECT_FALSE(PrefissoDelloScrittore(soloOra, ora));
    Righe conData = registro;
    for (auto& r : conData) r[0] = "2026-12-07 " + r[0];
    EXPECT_FALSE(PrefissoDelloScrittore(conData, ora));
    Righe senzaNomi = registro;
    senzaNomi[0][2] = "08:10:00";
    EXPECT_FALSE(PrefissoDelloScrittore(senzaNomi, ora));
}

}  // namespace

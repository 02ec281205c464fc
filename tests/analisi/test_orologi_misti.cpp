// Clocks with a mark of their own before the seconds: the formats proposed for their shape,
// and what the engine reads with them.

#include <gtest/gtest.h>

#include "analisi/OrologiMisti.h"
#include "engine/FormatoDataOra.h"

namespace {

using namespace tarno;

TEST(OrologiMisti, FormatiDellaFormaVistaDueVolte) {
    struct Caso {
        std::vector<std::string> righe;
        std::vector<std::string> formati;
    };
    const Caso casi[] = {
        {{"01 15 08:14 00:02;22", "02 10 08:20 00:05;34 00;08"}, {"hh:mm;ss", "mm;ss"}},
        // A one-digit hour, points between hours and minutes, another mark.
        {{"x 8.15,30", "y 10.02,07"}, {"h.mm,ss", "mm,ss"}},
        // One such clock alone, the same mark twice, a clock glued to other text, a date.
        {{"a 00:02;22", "b 00:02:22"}, {}},
        {{"00:02:22", "00:05:34"}, {}},
        {{"T00:02;22", "08:00-09:30"}, {}},
        {{"15/10-26", "16/10-26"}, {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.righe.front());
        EXPECT_EQ(FormatiOrologiMisti(c.righe), c.formati);
    }
    const CodiciMesi mesi{};
    const auto v = clsFormatoDataOra("hh:mm;ss").Leggi("00:02;22", mesi);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->TotaleSecondi(), 142);
    EXPECT_FALSE(clsFormatoDataOra("mm;ss").Leggi("00:08", mesi));
}

}  // namespace

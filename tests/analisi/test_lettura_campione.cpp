// The reading of a sample asked what it holds: the texts at a column with their counts, the
// conditions' counts on lines and calls, the formats that read a field, and the way back from a
// byte of the printout to the character the engine read from it.

#include <gtest/gtest.h>

#include "AiutiEngine.h"
#include "analisi/FormatiComuni.h"
#include "analisi/clsLetturaCampione.h"
#include "model/Messaggi.h"
#include "model/clsCondizione.h"
#include "model/clsDriver.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

clsLetturaCampione Leggi(const std::string& sDriver, const std::string& sDati) {
    clsDriver driver;
    MessaggiRaccolti msg;
    driver.LoadDriver(sDriver, msg);
    return clsLetturaCampione(driver, FormatiDemo(), LeggiTutto(sDati));
}

clsCondizione Condizione(int32_t op, int16_t inizio, int16_t lunghezza, std::string valore = "") {
    clsCondizione c;
    c.menOperatore = op;
    c.miRiga = 1, c.miInizio = inizio, c.miLunghezza = lunghezza, c.msValore = std::move(valore);
    return c;
}

TEST(LetturaCampione, ColonneCondizioniEFormatiDelCampioneDemo) {
    const auto l = Leggi(TARNO_DEMO_PROVA "/Driver/PanasonicTDA.drv",
                         TARNO_DEMO_PROVA "/Dati/PanasonicTDA.txt");
    const ConteggiAnalisi& c = l.Conteggi();
    ASSERT_GT(c.iEntranti, 0u);
    ASSERT_GT(c.iUscenti, 0u);
    const size_t righe = l.Righe().size();
    // The reasons say what a condition tests, never the name the file gave it.
    std::string perche;
    for (const VoceCampione& v : l.Voci())
        if (!v.bChiamata) perche += v.sPerche + "\n";
    EXPECT_NE(perche.find("Condizione ("), std::string::npos) << perche;
    EXPECT_EQ(perche.find("Condizione_"), std::string::npos) << perche;

    // Where "<I>" marks the incoming calls: on every incoming call and on no outgoing one, the
    // most frequent text first; every line long enough counts once.
    const auto testi = l.Colonna(24, 3);
    size_t contate = 0;
    for (size_t i = 0; i < testi.size(); ++i) {
        contate += testi[i].iRighe;
        EXPECT_TRUE(i == 0 || testi[i - 1].iRighe >= testi[i].iRighe);
    }
    size_t lunghe = 0;
    for (const RigaCampione& r : l.Righe()) lunghe += r.sTesto.size() >= 24;
    EXPECT_EQ(contate, lunghe);
    const auto i =
        std::find_if(testi.begin(), testi.end(), [](const auto& t) { return t.sTesto == "<I>"; });
    ASSERT_NE(i, testi.end());
    EXPECT_EQ(std::tuple(i->iRighe, i->iEntranti, i->iUscenti),
              std::tuple(c.iEntranti, c.iEntranti, 0ul));

    // Conditions on the lines as the engine reads them: after the INIZIALE transformation.
    EXPECT_EQ(l.RigheConCondizione(Condizione(clsCondizione::UGUALE_A, 24, 3, "<I>")),
              std::pair(size_t(c.iEntranti), righe));
    EXPECT_GT(l.RigheConCondizione(Condizione(clsCondizione::UGUALE_A, 55, 8, "00:22:18")).first,
              0u);
    EXPECT_EQ(l.RigheConCondizione(Condizione(clsCondizione::UGUALE_A, 55, 8, "00'22'18")).first,
              0u);
    // ... and on the calls.
    const size_t chiamate = c.Chiamate();
    EXPECT_EQ(l.ChiamateConCondizione(Condizione(clsCondizione::SOLO_NUMERI, 17, 3)),
              std::pair(chiamate, chiamate));
    EXPECT_EQ(l.ChiamateConCondizione(Condizione(clsCondizione::SOLO_NUMERI, 24, 3)).first,
              size_t(c.iUscenti));

    // The formats that read a field on every call of its kind, as cut out and transformed.
    std::vector<std::pair<int16_t, std::string>> ore, date;
    for (const auto& [codice, testo] : FormatiDemo())
        (codice < 13 ? date : ore).emplace_back(codice, testo);
    EXPECT_EQ(l.FormatiCheLeggono(false, "dDurata", false, ore), (std::vector<int16_t>{14, 19}));
    EXPECT_EQ(l.FormatiCheLeggono(true, "dOraInizio", false, ore),
              (std::vector<int16_t>{13, 16, 24}));
    EXPECT_EQ(l.FormatiCheLeggono(true, "dData", true, date), (std::vector<int16_t>{1, 3, 5}));
    EXPECT_EQ(l.FormatiCheLeggono(true, "sNessuno", true, date), std::vector<int16_t>{});
}

// The common format offered when no catalogue format reads a field: the strictest that reads
// every value not blank, never a date format for a time or a duration.
TEST(LetturaCampione, FormatoComuneCheLegge) {
    const struct {
        std::vector<std::string> valori;
        bool bData;
        const char* atteso;
    } casi[] = {
        {{"00:00'12", "00:10'20", "        "}, false, "hh:mm'ss"},
        {{"0'12", "10'05"}, false, "m'ss"},
        {{"8:02A", "12:15P"}, false, "h:mmA/P"},
        {{"01/12/26", "31/01/27"}, true, "gg/mm/aa"},
        {{"01/12/26", "31/01/27"}, false, ""},
        {{"17/3/26", "2/4/26", "11/04/26"}, true, "g/m/aa"},
        {{"3/17/2026", "12/2/2026"}, true, "m/g/aaaa"},
        {{"28-10-2026"}, true, "gg-mm-aaaa"},
        {{"12/05"}, false, ""},
        {{"00:00'12", "abc"}, false, ""},
        {{"", "  "}, false, ""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(FormatoComuneCheLegge(c.valori, c.bData), c.atteso) << c.valori.front();
}

// A printout of separated fields: its calls, and conditions counted by field number.
TEST(LetturaCampione, CampiSeparati) {
    const auto l = Leggi(TARNO_CASI_DIR "/separati-esi-virgolette/driver.drv",
                         TARNO_CASI_DIR "/separati-esi-virgolette/stampa.txt");
    EXPECT_EQ(l.Conteggi().Chiamate(), 10u);
    EXPECT_EQ(l.RigheConCondizione(Condizione(clsCondizione::UGUALE_A, 1, 0, "T")),
              std::pair(size_t(2), size_t(10)));
    EXPECT_EQ(l.ChiamateConCondizione(Condizione(clsCondizione::SOLO_NUMERI, 2, 8)),
              std::pair(size_t(10), size_t(10)));
    // The texts of a field, of a part of one counted from the end, of a field no line has.
    const auto tipi = l.ColonnaCampo(1, 0, 0);
    ASSERT_EQ(tipi.size(), 3u);
    EXPECT_EQ(tipi[0].sTesto, "O");
    EXPECT_EQ(tipi[0].iRighe, 5u);
    EXPECT_EQ(tipi[0].iUscenti, 5u);
    EXPECT_EQ(l.ColonnaCampo(-1, 2, 1).size(), 4u);
    EXPECT_TRUE(l.ColonnaCampo(9, 0, 0).empty());
}

// From a byte of a printout framed by STX/ETX with control prefixes back to the character read
// from it; the bytes no line read (separators, dropped control characters) give none.
TEST(LetturaCampione, DalByteAlCarattereLetto) {
    const std::string dati = TARNO_CASI_DIR "/record-stx-etx/stampa.txt";
    const auto l = Leggi(TARNO_CASI_DIR "/record-stx-etx/driver.drv", dati);
    const std::string byte = LeggiTutto(dati);
    std::vector<bool> letto(byte.size());
    for (size_t k = 0; k < l.Righe().size(); ++k)
        for (size_t i = 0; i < l.Righe()[k].iLetta; ++i) {
            const uint64_t b = l.Righe()[k].Origine(i);
            letto[b] = true;
            EXPECT_EQ(l.DalByte(b), std::pair(k, i));
        }
    size_t nessuno = 0;
    for (size_t b = 0; b < byte.size(); ++b)
        if (!letto[b]) {
            EXPECT_EQ(l.DalByte(b), std::nullopt) << b;
            nessuno += byte[b] == '\x02' || byte[b] == '\x03';
        }
    EXPECT_GT(nessuno, 2u);
}

}  // namespace

// The mapping between the field tables and the call records: the faults a save refuses, in
// the order it tells them, and the way from a table to a call record and back.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "model/clsCampo.h"
#include "model/clsTrasformazione.h"
#include "tabelle/MappaChiamate.h"

using namespace tarno;

namespace {

using Riga = std::vector<std::string>;
constexpr auto ENT = TipoChiamata::Entranti;
constexpr auto USC = TipoChiamata::Uscenti;

// A field table of a call kind (14 rows incoming, 13 outgoing) with the rows given.
TabellaValori Tabella(TipoChiamata tipo, const std::map<int, Riga>& righe) {
    TabellaValori t(tipo == ENT ? 14 : 13, Campi::NUM_COLONNE);
    for (const auto& [r, v] : righe)
        for (size_t c = 0; c < v.size(); ++c) t.Cella(r, int(c)) = v[c];
    return t;
}

TEST(MappaChiamate, TheFaultsASaveRefusesComeFirstPerRowInRowOrder) {
    const Riga data = {"1", "1", "8", "0", "3", ""};
    struct Caso {
        const char* nome;
        TipoChiamata tipo;
        std::map<int, Riga> righe;
        double numRighe;
        bool isolata;
        std::vector<ProblemaCampo> attesi;
    };
    const std::vector<Caso> casi = {
        {"a whole field", ENT, {{0, data}, {6, {"1", "20", "4", "", "", ""}}}, 1, false, {}},
        {"line, position and length are needed",
         ENT,
         {{10, {"", "", "", "2", "0", ""}}, {11, {"1", "", "3", "", "", ""}}},
         1,
         false,
         {{10, Campi::COL_RIGA, 10605}, {11, Campi::COL_POSIZ, 10605}}},
        {"a line beyond the call's lines",
         USC,
         {{6, {"2", "1", "3", "2", "", ""}}},
         1,
         false,
         {{6, Campi::COL_RIGA, 10606, -1, "2", 1}}},
        {"a date on a line of its own is on none of the call's lines",
         ENT,
         {{0, {"3", "1", "8", "0", "3", ""}}, {6, {"1", "1", "4", "", "", ""}}},
         1,
         true,
         {}},
        {"dates, times and durations need a format",
         ENT,
         {{3, {"1", "30", "5", "", "0", ""}}, {9, {"1", "40", "3", "", "", ""}}},
         1,
         false,
         {{3, Campi::COL_FORMATO, 10610}, {9, Campi::COL_FORMATO, 10610}}},
        // Row 9 is Durata squillo on the incoming page and Campo 1 on the outgoing one.
        {"the call kind is given, not guessed",
         USC,
         {{9, {"1", "40", "3", "", "", ""}}},
         1,
         false,
         {}},
        {"a field starting on another's last column overlaps it",
         ENT,
         {{0, data}, {10, {"1", "8", "2", "", "", ""}}},
         1,
         false,
         {{0, Campi::COL_POSIZ, 10611, 10}}},
        {"a field starting after another's last column does not",
         ENT,
         {{0, data}, {10, {"1", "9", "2", "", "", ""}}},
         1,
         false,
         {}},
        {"line 0 is the first line",
         ENT,
         {{3, {"1", "60", "5", "", "7", ""}}, {10, {"0", "60", "5", "", "", ""}}},
         1,
         false,
         {{3, Campi::COL_POSIZ, 10611, 10}, {10, Campi::COL_POSIZ, 10611, 3}}},
        {"fields on different lines never overlap",
         ENT,
         {{0, data}, {10, {"2", "1", "2", "", "", ""}}},
         2,
         false,
         {}},
        {"a call kind printed on no line goes unchecked",
         USC,
         {{6, {"", "1", "3", "", "", ""}}},
         0,
         false,
         {}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(ProblemiCampi(Tabella(c.tipo, c.righe), c.tipo, c.numRighe, c.isolata), c.attesi);
    }
}

// On separated fields the position is a field's number: a long field never covers the next
// numbers, and two parts of one field overlap only where their characters do.
TEST(MappaChiamate, SeparatedFieldsOverlapOnlyInsideTheSameField) {
    clsChiamata chiamata;
    chiamata.mcolCampi.emplace();
    clsCampo numero;
    numero.miNelCampo = 5;
    chiamata.mcolCampi->Add(std::move(numero), "6");  // row 6 takes field 2 from character 5
    const auto problemi = [&](const std::map<int, Riga>& righe) {
        return ProblemiCampi(Tabella(USC, righe), USC, 1, false, &chiamata);
    };
    const Riga prefisso = {"1", "2", "4", "", "", ""};
    EXPECT_EQ(problemi({{5, {"1", "2", "20", "", "", ""}}, {6, {"1", "3", "4", "", "", ""}}}),
              std::vector<ProblemaCampo>{});
    EXPECT_EQ(problemi({{5, prefisso}, {6, {"1", "2", "6", "", "", ""}}}),
              std::vector<ProblemaCampo>{});
    EXPECT_EQ(problemi({{5, {"1", "2", "5", "", "", ""}}, {6, {"1", "2", "6", "", "", ""}}}),
              (std::vector<ProblemaCampo>{{5, Campi::COL_POSIZ, 10611, 6}}));
}

TEST(MappaChiamate, TheIdentificationTableGivesLinesOffsetAndTheLastLinesCut) {
    TabellaValori ident(Ident::NUM_RIGHE, 2);
    ident.Cella(Ident::RIGA_ENTRANTI, 1) = "2";
    ident.Cella(Ident::RIGA_USCENTI, 1) = "0";
    ident.Cella(Ident::RIGA_OFFSET, 1) = "3";
    EXPECT_EQ(NumeroRighe(ident, ENT), 2);
    EXPECT_EQ(NumeroRighe(TabellaValori(), ENT), 0);
    clsDriver d;
    d.moUscenti = std::make_unique<clsChiamata>();
    d.moUscenti->mcolCondizioni.emplace();
    d.mlTroncaUltimaRigaDopoCaratteri = 7;
    // "" is no cut; a cell that is no whole number leaves the driver's own.
    for (const auto& [cella, atteso, intero] :
         {std::tuple("", 0, true), std::tuple(" 80 ", 80, true),
          std::tuple("ottanta", 80, false)}) {
        ident.Cella(Ident::RIGA_ULTIMA_RIGA, 1) = cella;
        EXPECT_EQ(IdentificazioneInDriver(d, ident), intero) << cella;
        EXPECT_EQ(d.mlTroncaUltimaRigaDopoCaratteri, atteso) << cella;
    }
    EXPECT_EQ(d.mlOffset, "3");
    ASSERT_TRUE(d.moEntranti && d.moUscenti);
    EXPECT_EQ(d.moEntranti->miNumRighe, 2);
    EXPECT_EQ(d.moEntranti->menTipo, clsChiamata::ENTRANTI);
    EXPECT_FALSE(d.moUscenti->mcolCondizioni);  // printed on no line: no conditions
}

TEST(MappaChiamate, ATableBecomesACallRecordAndBackWithItsConversions) {
    const TabellaValori entranti =
        Tabella(ENT, {{Campi::RIGA_DATA, {"1", "1", "8", "0", "3", ""}},
                      {Campi::RIGA_DURATA, {"1", "20", "5", "1", "7", "True"}},
                      {Campi::RIGA_SCATTI, {"1", "30", "4", "2", "5", "False"}},
                      {9, {"0", "40", "3", "0", "8", ""}},
                      {13, {"2", "1", "6", "0", "", ""}},
                      {12, {"-1", "1", "6", "0", "", ""}}});
    ConversioniCampi conv;
    conv.bDurata = conv.bScatti = true;
    conv.iFrazioneDurata = 2;
    conv.iUnitaDurata = 1;
    conv.lConversioneDurata = 60;
    conv.lDividereScatti = 100;
    clsChiamata chiamata;
    TabellaInChiamata(chiamata, entranti, ENT, conv);
    ASSERT_TRUE(chiamata.mcolCampi);
    // A negative line is no field.
    EXPECT_EQ(chiamata.mcolCampi->Count(), 5);
    const clsCampo* data = chiamata.mcolCampi->Trova("0");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->msNome, "dData");
    EXPECT_EQ(data->menEccezione, clsCampo::DATA);
    const clsCampo* durata = chiamata.mcolCampi->Trova("3");
    ASSERT_TRUE(durata && durata->moTrasf);
    EXPECT_EQ(durata->menEccezione, clsCampo::DURATA_TRASF);
    EXPECT_EQ(durata->moTrasf->menOperazione, clsTrasformazione::MOLTIPLICA);
    EXPECT_EQ(durata->moTrasf->msSorgente, "2,1");
    EXPECT_TRUE(durata->mbOpzionale);
    const clsCampo* scatti = chiamata.mcolCampi->Trova("4");
    ASSERT_TRUE(scatti && scatti->moTrasf);
    EXPECT_EQ(scatti->moTrasf->menOperazione, clsTrasformazione::DIVIDI);
    EXPECT_EQ(scatti->moTrasf->msValore, "100");
    EXPECT_EQ(chiamata.mcolCampi->Trova("9")->msNome, "dRisposta");
    EXPECT_EQ(chiamata.mcolCampi->Trova("13")->msNome, "sCampo4");

    // Back: the same cells (numbers as the record holds them, Opz. always set) and the
    // conversions the fields carry.
    TabellaValori ritorno = Tabella(ENT, {{7, {"1", "1", "1", "", "", ""}}});
    ConversioniCampi letto;
    ChiamataInTabella(ritorno, &chiamata, ENT, letto);
    EXPECT_TRUE(letto.bDurata && letto.bScatti);
    EXPECT_EQ(letto.iFrazioneDurata, 2);
    EXPECT_EQ(letto.iUnitaDurata, 1);
    EXPECT_EQ(letto.lConversioneDurata, 60);
    EXPECT_EQ(letto.lDividereScatti, 100);
    const TabellaValori attesa =
        Tabella(ENT, {{Campi::RIGA_DATA, {"1", "1", "8", "0", "3", "False"}},
                      {Campi::RIGA_DURATA, {"1", "20", "5", "1", "7", "True"}},
                      {Campi::RIGA_SCATTI, {"1", "30", "4", "2", "", "False"}},
                      {9, {"0", "40", "3", "0", "8", "False"}},
                      {13, {"2", "1", "6", "0", "", "False"}}});
    EXPECT_EQ(ritorno, attesa);

    // The start inside a separated field, which the table lacks, stays with its field number.
    for (const char* posizione : {"1", "2"}) {
        chiamata.mcolCampi->Trova("13")->miNelCampo = 12;
        TabellaValori t = entranti;
        t.Cella(13, Campi::COL_POSIZ) = posizione;
        TabellaInChiamata(chiamata, t, ENT, conv);
        EXPECT_EQ(chiamata.mcolCampi->Trova("13")->miNelCampo, posizione[0] == '1' ? 12 : 0);
    }
    // An outgoing table keeps no format outside the date and time rows, and a record without
    // fields empties it.
    TabellaInChiamata(chiamata, Tabella(USC, {{9, {"1", "40", "3", "0", "8", ""}}}), USC, {});
    EXPECT_EQ(chiamata.mcolCampi->Trova("9")->msNome, "sCampo1");
    EXPECT_EQ(chiamata.mcolCampi->Trova("9")->miFormato, 0);
    ChiamataInTabella(ritorno, nullptr, ENT, letto);
    EXPECT_EQ(ritorno, Tabella(ENT, {}));
}

TEST(MappaChiamate, TheFieldsOfTheRowsWithAFaultAreLeftOut) {
    const TabellaValori t = Tabella(ENT, {{0, {"1", "1", "8", "0", "3", ""}},
                                          {10, {"1", "8", "2", "", "", ""}},
                                          {11, {"1", "20", "2", "", "", ""}}});
    clsChiamata chiamata;
    TabellaInChiamata(chiamata, t, ENT, {});
    TogliCampiConProblemi(chiamata, ProblemiCampi(t, ENT, 1, false));
    EXPECT_EQ(chiamata.mcolCampi->Count(), 2);
    EXPECT_FALSE(chiamata.mcolCampi->Trova("0"));
}

}  // namespace

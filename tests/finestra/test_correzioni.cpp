// The preview's failure groups fixed from the window: each fix is one step of the document,
// the field pages show it (an optional duration, only the digits of a number, the format of a
// time left out for want of one), the preview reads the sample again without the group, and
// Undo puts the group back.

#include <QCheckBox>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QUndoStack>

#include "SupportoGui.h"
#include "analisi/GruppiErrori.h"
#include "anteprima/ModelloAnteprima.h"
#include "anteprima/PannelloAnteprima.h"
#include "documento/DocumentoDriver.h"
#include "kit/Globali.h"
#include "model/clsChiamata.h"
#include "model/clsDriver.h"
#include "tabelle/LayoutTabelle.h"

using namespace tarno;
using namespace tarno::test;
using tarno::prova::ScriviFile;

namespace {

using CorrezioniTest = FinestraDemo;

TEST_F(CorrezioniTest, EachFailureGroupIsFixedInOneUndoableStep) {
    const QString drv = Driver(QStringLiteral("gruppi.drv")),
                  dati = Driver(QStringLiteral("g.txt"));
    // The start time without a format: left out, with its own group.
    ScriviFile(drv.toStdString(), prova::DriverEntrantiE(prova::CampiGruppi("0")));
    ScriviFile(dati.toStdString(), std::string("TESTATA\r\n") + prova::kStampaGruppi);
    mF->FileApri(drv);
    mF->LeggiDati(dati);
    mF->AggiornaAnteprima();
    PannelloAnteprima& p = *mF->Anteprima();
    ASSERT_EQ(p.Gruppi().size(), 5u);
    EXPECT_EQ(p.TabellaGruppi()->rowCount(), 5);
    // Only the calls with failures and the field left out for want of a format: the heading
    // line goes.
    const auto visibili = [&] {
        int n = 0;
        for (int r = 0; r < p.Modello()->rowCount(); ++r) n += !p.Tabella()->isRowHidden(r);
        return n;
    };
    EXPECT_EQ(visibili(), 5);
    p.SoloErrori()->setChecked(true);
    EXPECT_EQ(visibili(), 4);

    // Field, reason, the fix's place in the group's menu; the cell of the incoming page the fix
    // sets. The first is applied with the row's button.
    const std::tuple<const char*, MotivoGruppo, size_t, int, int, const char*> casi[] = {
        {"dOraInizio", MotivoGruppo::SenzaFormato, 0, Campi::RIGA_ORA_INIZIO, Campi::COL_FORMATO,
         "13"},
        {"dDurata", MotivoGruppo::Vuoto, 0, Campi::RIGA_DURATA, Campi::COL_OPZ, "True"},
        {"dDurata", MotivoGruppo::NonLetto, 0, Campi::RIGA_DURATA, Campi::COL_FORMATO, "14"},
        {"sDerivato", MotivoGruppo::Vuoto, 0, Campi::RIGA_DERIVATO, Campi::COL_OPZ, "True"},
        {"sNumero", MotivoGruppo::ConLettere, 0, 8, Campi::COL_CIFRE, "True"},
    };
    QUndoStack& storia = *mF->Documento().Storia();
    for (const auto& [campo, motivo, scelta, riga, colonna, valore] : casi) {
        SCOPED_TRACE(campo);
        const auto& g = p.Gruppi();
        const auto i = std::find_if(g.begin(), g.end(), [&](const GruppoErrori& x) {
            return x.sCampo == campo && x.motivo == motivo;
        });
        ASSERT_NE(i, g.end());
        const int passi = storia.count();
        if (i == g.begin())
            p.TabellaGruppi()->findChild<QToolButton*>(QStringLiteral("cmdCorreggi_0"))->click();
        else
            p.RichiediCorrezione(static_cast<size_t>(i - g.begin()), scelta);
        EXPECT_EQ(storia.count(), passi + 1);
        EXPECT_EQ(mF->Documento().mrgxEntranti.Cella(riga, colonna), valore);
        mF->AggiornaAnteprima();
    }
    EXPECT_TRUE(p.Gruppi().empty());
    EXPECT_FALSE(p.TabellaGruppi()->isVisible());
    // The number keeps its digits; the blank extension says it is blank.
    const ModelloAnteprima& m = *p.Modello();
    QStringList testi;
    for (int c = ModelloAnteprima::NUM_COLONNE_FISSE; c < m.columnCount(); ++c)
        testi << m.data(m.index(2, c)).toString();
    EXPECT_EQ(testi.join(QLatin1Char('|')),
              QStringLiteral("10:20:00|10:20:00|0 s (vuoto)|(vuoto)|6125551212"));
    // The driver holds them: the blank duration optional, the number's digits only.
    const clsDriver d = mF->Documento().DriverDalleTabelle(ValoreSi());
    const auto& campi = *d.moEntranti->mcolCampi;
    EXPECT_TRUE(campi.Trova("3")->mbOpzionale);
    EXPECT_TRUE(campi.Trova("8")->mbSoloCifre);
    // One Undo takes back the last fix alone.
    storia.undo();
    mF->AggiornaAnteprima();
    ASSERT_EQ(p.Gruppi().size(), 1u);
    EXPECT_EQ(p.Gruppi().front().sCampo, "sNumero");
}

}  // namespace

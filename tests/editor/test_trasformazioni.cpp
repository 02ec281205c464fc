// The "Trasformazioni" page: options, their settings dialogs and the isolated-date rule.

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "SupportoGui.h"
#include "PaginaCampi.h"
#include "PaginaTrasformazioni.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "frmImpostazioniScatti.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class TrasformazioniTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        mSuite.Demo();
        mFinestra = std::make_unique<frmDriver>(mSuite.Cartella());
        mFinestra->Form_Load();
        ASSERT_TRUE(mFinestra->Avviabile());
        gbAvviato = true;
        mPagina = mFinestra->mpPagTrasf;
    }
    void TearDown() override {
        mFinestra.reset();
        ConServiziScriptati::TearDown();
    }
    QCheckBox* Data(bool entranti) {
        return mFinestra->findChild<QCheckBox*>(entranti ? QStringLiteral("chkCampoEnt_0")
                                                         : QStringLiteral("chkCampoUsc_0"));
    }
    Suite mSuite;
    std::unique_ptr<frmDriver> mFinestra;
    PaginaTrasformazioni* mPagina = nullptr;
};

TEST_F(TrasformazioniTest, StartsWithEveryOptionOffAndNoSettingsForEmptyLines) {
    for (int r = 0; r < 6; ++r) EXPECT_FALSE(mPagina->Presente(r));
    EXPECT_EQ(mFinestra->mrgxTrasf.Cella(4, 0), "Ignora righe vuote");
    mPagina->grdTrasf->ImpostaCellaCorrente(4, 1);
    EXPECT_FALSE(mPagina->cmdImpTrasfGrd->isEnabled());
    mPagina->grdTrasf->ImpostaCellaCorrente(3, 1);
    EXPECT_TRUE(mPagina->cmdImpTrasfGrd->isEnabled());
}

TEST_F(TrasformazioniTest, IsolatedDateWithoutConditionsOnlyDisablesTheDateBoxes) {
    mFinestra->mrgxEntranti.Cella(0, 1) = "5";
    mFinestra->mrgxTrasf.Cella(0, 1) = "S\xEC";
    mPagina->RegolaDataIsolata();
    ASSERT_TRUE(Data(true) && Data(false));
    EXPECT_FALSE(Data(true)->isEnabled());
    EXPECT_FALSE(Data(false)->isEnabled());
    EXPECT_EQ(mFinestra->mrgxEntranti.Cella(0, 1), "5");
    mFinestra->mrgxTrasf.Cella(0, 1) = "No";
    mPagina->RegolaDataIsolata();
    EXPECT_TRUE(Data(true)->isEnabled());
}

TEST_F(TrasformazioniTest, TheDateLineConditionFillsTheDateRowOfBothPages) {
    mFinestra->moDriver = std::make_unique<clsDriver>();
    clsCondizione c;
    c.menOperatore = clsCondizione::DATA_ISOLATA;
    c.miRiga = 1;
    c.miInizio = 3;
    c.miLunghezza = 8;
    c.miFormato = 2;
    mFinestra->moDriver->mcolDataIsolata.emplace();
    mFinestra->moDriver->mcolDataIsolata->Add(c, "0");
    mFinestra->mrgxTrasf.Cella(0, 1) = "S\xEC";
    mPagina->RegolaDataIsolata();
    for (const TabellaValori* t : {&mFinestra->mrgxEntranti, &mFinestra->mrgxUscenti}) {
        EXPECT_EQ(t->Cella(0, 0), "1");
        EXPECT_EQ(t->Cella(0, 1), "3");
        EXPECT_EQ(t->Cella(0, 2), "8");
        EXPECT_EQ(t->Cella(0, 4), "2");
    }
}

TEST_F(TrasformazioniTest, PulseSettingsAreTakenOnlyWhenConfirmed) {
    mFinestra->show();
    mPagina->grdTrasf->ImpostaCellaCorrente(PaginaTrasformazioni::SCATTI, 1);
    mFinestra->mlDividereScatti = 7;
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<frmImpostazioniScatti*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        visto = true;
        dlg->reject();
    });
    mPagina->cmdImpTrasfGrd->click();
    EXPECT_TRUE(visto);
    EXPECT_EQ(mFinestra->mlDividereScatti, 7);
    EXPECT_FALSE(mPagina->Presente(PaginaTrasformazioni::SCATTI));
    EXPECT_FALSE(mFinestra->mbChanged);
}

TEST_F(TrasformazioniTest, PrescanningCellFollowsTheDriverFlag) {
    mFinestra->mrgxTrasf.Cella(5, 1) = "S\xEC";
    emit mPagina->grdTrasf->CellaCambiata(5, 1);
    ASSERT_TRUE(mFinestra->moDriver);
    EXPECT_TRUE(mFinestra->moDriver->mbConPrescanning);
    EXPECT_TRUE(mFinestra->mbChanged);
    mFinestra->mrgxTrasf.Cella(5, 1) = "No";
    emit mPagina->grdTrasf->CellaCambiata(5, 1);
    EXPECT_FALSE(mFinestra->moDriver->mbConPrescanning);
}

}  // namespace

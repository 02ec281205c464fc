// The "Identificazione" page ("&Dettagli..." on each call kind) and the checks of the conditions
// editor, each with its message and focus.

#include <QLabel>
#include <QPushButton>

#include "AiutiPagine.h"
#include "anteprima/ModelloAnteprima.h"
#include "anteprima/PannelloAnteprima.h"
#include "kit/Risorse.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/frmIdentificazione.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmIdentificazione.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using enum frmIdentificazione::Colonna;
QString Testo(int n) { return TestoRisorsa(n); }

// A condition as "line,position,length,operator,format,value,conjunction".
std::string Firma(const clsCondizione& c) {
    std::string s;
    for (int v : {int(c.miRiga), int(c.miInizio), int(c.miLunghezza), int(c.menOperatore),
                  int(c.miFormato)})
        s += std::to_string(v) + ",";
    return s + c.msValore + "," + c.msCongiunzione;
}
void ScriviRiga(clsGriglia& g, int r, const QStringList& celle) {
    for (int c = 0; c < celle.size(); ++c) {
        if (!celle[c].isEmpty()) {
            EXPECT_TRUE(Scegli(g, r, c, celle[c])) << r << "," << c;
        }
    }
}

class IdentificazioneTest : public FinestraDemo {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(FinestraDemo::SetUp());
        mF->ui()->tabDriver->setCurrentIndex(1);
        mGrd = PagIdent()->grdIdent;
    }
    void Dettagli(int r) {
        mGrd->ImpostaCellaCorrente(r, 1);
        PagIdent()->cmdIdent->click();
    }
    // The conditions editor of the main window, shown without blocking.
    void Apri(int16_t righe, bool isolata = false, std::optional<ColCondizioni> col = {}) {
        mD = std::make_unique<frmIdentificazione>();
        mD->miNumRighe = righe, mD->mbDataIsolata = isolata, mD->mcolCondizioni = std::move(col);
        Mostra(*mD);
        mC = mD->ui()->grdCondizioni;
    }
    clsGriglia* mGrd = nullptr;
    std::unique_ptr<frmIdentificazione> mD;
    clsGriglia* mC = nullptr;
};

TEST_F(IdentificazioneTest, DettagliEditsTheConditionsOfEachCallKindOnceItHasLines) {
    {  // Without lines the transferred kinds say what is missing; no dialog opens.
        QObject guardia;
        auto aperto = AlModale<QDialog>([](QDialog&) {}, &guardia);
        for (int r = 0; r < 4; ++r) Dettagli(r);
        EXPECT_EQ(Testi(), (QStringList{Testo(10652), Testo(10654)}));
        EXPECT_EQ(QApplication::focusWidget(), mGrd);
        EXPECT_FALSE(*aperto);
    }
    ASSERT_TRUE(Scegli(*mGrd, 0, 1, "2"));
    ASSERT_TRUE(Scegli(*mGrd, 1, 1, "3"));
    const int prompt[] = {10649, 10650, 10651, 10653}, linee[] = {2, 3, 2, 3};
    for (int r = 0; r < 4; ++r) {
        QString visto;
        mF->Documento().SegnaSalvato();
        auto aperto = AlModale<frmIdentificazione>([&](frmIdentificazione& d) {
            visto = d.ui()->lblPrompt->text();
            clsGriglia& g = *d.ui()->grdCondizioni;
            EXPECT_FALSE(Scegli(g, 0, 0, QString::number(linee[r] + 1)));  // the call's lines only
            const QString n = QString::number(linee[r]);
            ScriviRiga(g, 0, {n, "1", "2", Testo(11610), "", "X" + QString::number(r)});
            d.ui()->cmOK->click();
        });
        Dettagli(r);
        ASSERT_TRUE(*aperto) << r;
        EXPECT_EQ(visto, Testo(prompt[r]));
        EXPECT_TRUE(mF->Documento().NonSalvato());
    }
    const clsDriver& d = *mF->Documento().moDriver;
    EXPECT_EQ(Firma(d.moEntranti->mcolCondizioni->Item(1)), "2,1,2,1,0,X0,");
    EXPECT_EQ(Firma(d.moUscenti->mcolCondizioni->Item(1)), "3,1,2,1,0,X1,");
    EXPECT_EQ(Firma(d.moEntranti->mcolCondTrasferita->Item(1)), "2,1,2,1,0,X2,");
    EXPECT_EQ(Firma(d.moUscenti->mcolCondTrasferita->Item(1)), "3,1,2,1,0,X3,");
    EXPECT_EQ(mF->Documento().mrgxIdent.Cella(3, 1), "S\xEC");
}

TEST_F(IdentificazioneTest, EveryRuleStopsOkWithItsMessageOnTheFaultyCell) {
    const QString numeri = Testo(11611);
    // isolated-date mode, the rows, the message, its row (-1: none) and column.
    const std::tuple<bool, std::vector<QStringList>, int, int, int> casi[] = {
        {false, {{"1", "", "1", numeri}}, 11601, 0, COL_POSIZIONE},
        {false, {{"1", "1", "", numeri}}, 11601, 0, COL_LUNGHEZZA},
        {false, {{"1", "1", "1", "", "", "E"}}, 11601, 0, COL_OPERATORE},
        {false, {{"1", "1", "8", Testo(11608)}}, 11604, 0, COL_FORMATO},
        {false, {{"1", "1", "5", Testo(11612)}}, 11604, 0, COL_FORMATO},
        {false, {{"1", "1", "1", Testo(11610)}}, 11603, 0, COL_VALORE},
        {false, {{"1", "1", "1", Testo(11609)}}, 11603, 0, COL_VALORE},
        {true, {{"1", "1", "8", Testo(11613)}}, 11602, 0, COL_FORMATO},
        {false, {{"1", "1", "1", numeri}, {"1", "2", "1", numeri}}, 11605, 0, COL_CONGIUNZIONE},
        {false,
         {{"1", "1", "1", numeri, "", "", "Or"}, {"1", "2", "", numeri}},
         11601,
         1,
         COL_LUNGHEZZA},
        {true, {{"1", "1", "1", numeri}}, 11606, -1, COL_OPERATORE},
    };
    for (const auto& [isolata, righe, messaggio, riga, col] : casi) {
        SCOPED_TRACE(messaggio);
        Apri(10, isolata);
        for (size_t r = 0; r < righe.size(); ++r) ScriviRiga(*mC, int(r), righe[r]);
        mD->ui()->cmOK->click();
        EXPECT_EQ(Testi(),
                  QStringList{Testo(messaggio) + (riga < 0 ? "" : QString::number(riga + 1))});
        mUI.Reimposta();
        EXPECT_TRUE(mD->isVisible() && mD->mbCancel);
        EXPECT_EQ(std::pair(mC->RigaCorrente(), mC->ColonnaCorrente()),
                  std::pair(std::max(riga, 0), col));
        EXPECT_EQ(QApplication::focusWidget(), mC);
    }
    Apri(2);
    EXPECT_FALSE(Scegli(*mC, 0, COL_OPERATORE, Testo(11613)));  // only in its own mode
    mUI.Reimposta();
    // A condition read without a line (line 0) passes as it came.
    clsCondizione senzaRiga;
    senzaRiga.menOperatore = clsCondizione::SOLO_NUMERI, senzaRiga.miInizio = 4;
    senzaRiga.miLunghezza = 2, senzaRiga.miNelCampo = 3;  // its start inside a field is kept
    ColCondizioni col;
    col.Add(senzaRiga);
    Apri(2, false, std::move(col));
    mD->ui()->cmOK->click();
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
    ASSERT_FALSE(mD->mbCancel);
    EXPECT_EQ(Firma(mD->mcolCondizioni->Item(1)), "0,4,2,3,0,,");
    EXPECT_EQ(mD->mcolCondizioni->Item(1).miNelCampo, 3);
    // A value longer than its length is told, not refused.
    Apri(2);
    ScriviRiga(*mC, 0, {"1", "1", "2", Testo(11610), "", "OUT"});
    mD->ui()->cmOK->click();
    EXPECT_EQ(Testi(), QStringList{Testo(30600).arg(1).arg("OUT").arg(3).arg(2)});
    EXPECT_FALSE(mD->mbCancel);
    EXPECT_EQ(Firma(mD->mcolCondizioni->Item(1)), "1,1,2,1,0,OUT,");
}

// A new row starts on line 1 and its "..." picker on the sample's selection; line, operator
// and format take typed text; the last row may not end with And/Or.
TEST_F(IdentificazioneTest, NewRowsStartOnLineOneFromTheSampleAndAnOpenEndIsRefused) {
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    Seleziona(Servizi().VistaCampione(), 2, 6);
    mD = std::make_unique<frmIdentificazione>();
    mD->miNumRighe = 3, mD->mpContesto = mF.get();
    ASSERT_NO_FATAL_FAILURE(Mostra(*mD));
    mC = mD->ui()->grdCondizioni;
    std::pair<int, int> scelta;
    auto aperto = AlModale<frmSeleziona>([&](frmSeleziona& s) {
        const QTextCursor c = s.ui()->rtfTesto->textCursor();
        scelta = {c.selectionStart(), c.selectionEnd()};
        s.cmOK_Click();
    });
    mD->grdCondizioni_ButtonClick(0, COL_POSIZIONE);
    ASSERT_TRUE(*aperto);
    EXPECT_EQ(scelta, std::pair(2, 6));
    EXPECT_EQ(Mostrato(*mC, 0, COL_RIGA), "1");
    EXPECT_EQ(Mostrato(*mC, 0, COL_LUNGHEZZA), "4");
    ASSERT_TRUE(Scegli(*mC, 1, COL_POSIZIONE, "9"));  // typed on the entry row
    EXPECT_EQ(Mostrato(*mC, 1, COL_RIGA), "1");
    for (int c : {COL_RIGA, COL_OPERATORE, COL_FORMATO}) {
        mC->ImpostaCellaCorrente(0, c);
        mC->setFocus();
        QTest::keyClick(mC, Qt::Key_F2);
        auto* combo = mC->findChild<QComboBox*>(QStringLiteral("cboCellaGriglia"));
        ASSERT_TRUE(combo) << c;
        EXPECT_TRUE(combo->isEditable()) << c;
        mC->AnnullaModifica();
    }
    EXPECT_TRUE(Scegli(*mC, 0, COL_RIGA, "3"));
    EXPECT_FALSE(Scegli(*mC, 0, COL_RIGA, "4"));  // the call has 3 lines
    // A time format the catalogue lacks, typed for a time test, joins the catalogue.
    ASSERT_TRUE(Scegli(*mC, 0, COL_OPERATORE, Testo(11612)));
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};
    ASSERT_TRUE(Scegli(*mC, 0, COL_FORMATO, "hh:mm'ss"));
    EXPECT_EQ(Mostrato(*mC, 0, COL_FORMATO), "hh:mm'ss");
    const TabellaValori& ore = mF->mrgxFormatiOra;
    EXPECT_EQ(ore.Cella(ore.Righe() - 1, 0), "hh:mm'ss");
    mUI.Reimposta();
    ScriviRiga(*mC, 0, {"", "", "", Testo(11611), "", "", "And"});
    ScriviRiga(*mC, 1, {"", "", "2", Testo(11611), "", "", "Or"});
    mD->ui()->cmOK->click();
    EXPECT_EQ(Testi(), QStringList{Testo(32210).arg(2).arg("Or")});
    EXPECT_EQ(std::pair(mC->RigaCorrente(), mC->ColonnaCorrente()),
              std::pair(1, int(COL_CONGIUNZIONE)));
    EXPECT_TRUE(mD->mbCancel);
    // An emptied line is still required.
    mUI.Reimposta();
    ASSERT_TRUE(Scegli(*mC, 1, COL_CONGIUNZIONE, ""));
    ASSERT_TRUE(Scegli(*mC, 1, COL_RIGA, ""));
    mD->ui()->cmOK->click();
    EXPECT_EQ(Testi(), QStringList{Testo(11601) + "2"});
    mD.reset();
    // A driver whose conditions end so is not saved, and the preview says why.
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->Documento().moDriver->moEntranti->mcolCondizioni->Item(2).msCongiunzione = "Or";
    mUI.Reimposta();
    EXPECT_FALSE(mF->FileSalva(false));
    const QString motivo = Testo(32211).arg("Or").arg(2);
    EXPECT_EQ(Testi(), QStringList{motivo});
    mF->AggiornaAnteprima();
    const auto& righe = mF->Anteprima()->Modello()->Righe();
    EXPECT_TRUE(std::any_of(righe.begin(), righe.end(),
                            [&](const RigaAnteprima& r) { return r.sPerche == motivo; }));
}

TEST_F(IdentificazioneTest, TheArrowsOnALineCountGoFromRowToRowLeavingTheValue) {
    // From the incoming line count down, then back up from the outgoing one.
    for (const auto& [da, tasto, a] :
         {std::tuple(0, Qt::Key_Down, 1), std::tuple(1, Qt::Key_Up, 0)}) {
        const TabellaValori prima = mF->Documento().mrgxIdent;
        mGrd->setFocus();
        mGrd->ImpostaCellaCorrente(da, 1);
        Tasto(*mGrd, Qt::Key_F2);
        ASSERT_NE(EditorCella(*mGrd), nullptr);
        Tasto(*mGrd, tasto);
        EXPECT_EQ(mGrd->RigaCorrente(), a);
        EXPECT_EQ(mF->Documento().mrgxIdent, prima);
    }
}

}  // namespace

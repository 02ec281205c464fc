// The "Identificazione" page (rows, defaults, value lists, "&Dettagli..." on each call kind)
// and the conditions editor (its lists, the checks of OK, the isolated-date mode, insertion,
// the format drop-downs, the selection from the sample text, the keyboard).

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "PaginaIdentificazione.h"
#include "Risorse.h"
#include "SupportoGui.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "frmIdentificazione.h"
#include "frmSeleziona.h"
#include "ui_frmDriver.h"
#include "ui_frmIdentificazione.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using Col = frmIdentificazione::Colonna;

QString Testo(int n) { return TestoRisorsa(n); }

clsCondizione Condizione(int16_t riga, int16_t inizio, int16_t lunghezza, int32_t operatore,
                         int16_t formato, const std::string& valore,
                         const std::string& congiunzione) {
    clsCondizione c;
    c.miRiga = riga;
    c.miInizio = inizio;
    c.miLunghezza = lunghezza;
    c.menOperatore = operatore;
    c.miFormato = formato;
    c.msValore = valore;
    c.msCongiunzione = congiunzione;
    return c;
}

void AttesoUguale(const clsCondizione& a, const clsCondizione& b) {
    EXPECT_EQ(a.miRiga, b.miRiga);
    EXPECT_EQ(a.miInizio, b.miInizio);
    EXPECT_EQ(a.miLunghezza, b.miLunghezza);
    EXPECT_EQ(a.menOperatore, b.menOperatore);
    EXPECT_EQ(a.miFormato, b.miFormato);
    EXPECT_EQ(a.msValore, b.msValore);
    EXPECT_EQ(a.msCongiunzione, b.msCongiunzione);
}

class IdentificazioneTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        mSuite.Demo();
        mF = std::make_unique<frmDriver>(mSuite.Cartella());
        mF->Form_Load();
        ASSERT_TRUE(mF->Avviabile()) << Testi().join('|').toStdString();
        gbAvviato = true;
        mF->ui()->tabDriver->setCurrentIndex(1);
        mPag = mF->mpPagIdent;
        mGrd = mPag->grdIdent;
        mUI.mMessaggi.clear();
    }
    void TearDown() override {
        mTimer.stop();
        mF.reset();
        ConServiziScriptati::TearDown();
    }

    // Types a value into a cell as the user does: the cell becomes current first, so that the
    // page's per-row lists apply. False when the grid refused it.
    static bool Scrivi(clsGriglia* grd, int r, int c, const QString& testo) {
        grd->ImpostaCellaCorrente(r, c);
        return grd->Modello()->setData(grd->Modello()->index(r, c), testo, Qt::EditRole);
    }
    static QString Mostrato(clsGriglia* grd, int r, int c) {
        return grd->Modello()->index(r, c).data(Qt::DisplayRole).toString();
    }
    // One condition row typed into the dialog's grid (the entry row when r is the row count).
    static void ScriviRiga(frmIdentificazione* d, int r, const QStringList& celle) {
        auto* grd = d->ui()->grdCondizioni;
        for (int c = 0; c < celle.size(); ++c)
            if (!celle[c].isEmpty()) {
                EXPECT_TRUE(Scrivi(grd, r, c, celle[c])) << r << "," << c;
            }
    }

    // Runs azione on the first modal dialog of type T that opens within two seconds; *pFatto
    // tells whether it ran.
    template <class T>
    void AlModale(std::function<void(T*)> azione, bool* pFatto) {
        *pFatto = false;
        mTimer.disconnect();
        mTentativi = 0;
        mTimer.setInterval(10);
        QObject::connect(&mTimer, &QTimer::timeout, [this, azione, pFatto] {
            if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
                mTimer.stop();
                *pFatto = true;
                azione(d);
            } else if (++mTentativi > 200) {
                mTimer.stop();
            }
        });
        mTimer.start();
    }

    // "&Dettagli..." on row r.
    void Dettagli(int r) {
        mGrd->ImpostaCellaCorrente(r, 1);
        mPag->cmdIdent->click();
    }

    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
    PaginaIdentificazione* mPag = nullptr;
    clsGriglia* mGrd = nullptr;
    QTimer mTimer;
    int mTentativi = 0;
};

// ---- the page

TEST_F(IdentificazioneTest, PageShowsSixRowsWithTheirDefaults) {
    const QStringList opzioni = {Testo(10616), Testo(10617), Testo(10618),
                                 Testo(10619), Testo(10620), Testo(10663)};
    const QStringList valori = {"0", "0", "No", "No", "0", "0"};
    ASSERT_EQ(mF->mrgxIdent.Righe(), 6);
    ASSERT_EQ(mF->mrgxIdent.Colonne(), 2);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(Mostrato(mGrd, r, 0), opzioni[r]);
        EXPECT_EQ(Mostrato(mGrd, r, 1), valori[r]);
        EXPECT_FALSE(mGrd->Modello()->flags(mGrd->Modello()->index(r, 0)) & Qt::ItemIsEditable);
        EXPECT_TRUE(mGrd->Modello()->flags(mGrd->Modello()->index(r, 1)) & Qt::ItemIsEditable);
    }
    EXPECT_EQ(opzioni[5], QStringLiteral("Manda ultima riga accapo al carattere"));
    EXPECT_EQ(mGrd->Modello()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Opzione"));
    EXPECT_EQ(mGrd->Modello()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("N\u00B0 Righe"));
    // All six rows show without scrolling.
    QApplication::processEvents();
    EXPECT_LE(mGrd->rowViewportPosition(5) + mGrd->rowHeight(5), mGrd->viewport()->height());
    EXPECT_NEAR(mGrd->columnWidth(0), 0.815 * mGrd->viewport()->width(), 1.0);
    EXPECT_EQ(mPag->cmdIdent->text(), QStringLiteral("&Dettagli..."));
    EXPECT_FALSE(mF->mbChanged);
}

TEST_F(IdentificazioneTest, EachRowOffersItsOwnValuesAndEveryChangeMarksTheDocument) {
    // Line counts 0 to 10.
    EXPECT_FALSE(Scrivi(mGrd, 0, 1, "11"));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.contains("11"));
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_TRUE(Scrivi(mGrd, 0, 1, "10"));
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(mGrd->Colonna(1)->moLista.Combo());
    EXPECT_EQ(mGrd->Colonna(1)->moLista.Conta(), 11);
    EXPECT_FALSE(Scrivi(mGrd, 1, 1, "-1"));
    EXPECT_TRUE(Scrivi(mGrd, 1, 1, "3"));
    // Transferred calls: Sì or No.
    mF->Cambiato(false);
    EXPECT_FALSE(Scrivi(mGrd, 2, 1, "3"));
    EXPECT_TRUE(Scrivi(mGrd, 2, 1, QStringLiteral("S\u00EC")));
    EXPECT_EQ(mF->mrgxIdent.Cella(2, 1), "S\xEC");
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_FALSE(Scrivi(mGrd, 3, 1, "Forse"));
    // Offset -10 to 100.
    EXPECT_TRUE(Scrivi(mGrd, 4, 1, "-10"));
    EXPECT_FALSE(Scrivi(mGrd, 4, 1, "-11"));
    EXPECT_TRUE(Scrivi(mGrd, 4, 1, "100"));
    EXPECT_FALSE(Scrivi(mGrd, 4, 1, "101"));
    // The last-line cut: free input, but only Windows-1252 text.
    EXPECT_TRUE(Scrivi(mGrd, 5, 1, "250"));
    EXPECT_TRUE(mGrd->Colonna(1)->moLista.Vuota());
    EXPECT_FALSE(Scrivi(mGrd, 5, 1, QStringLiteral("\u4E2D")));
    EXPECT_EQ(mF->mrgxIdent.Cella(5, 1), "250");
    // "&Dettagli..." only on the four call kinds.
    for (int r = 0; r < 6; ++r) {
        mGrd->ImpostaCellaCorrente(r, 1);
        EXPECT_EQ(mPag->cmdIdent->isEnabled(), r <= 3) << r;
    }
    // Column 0 cannot be typed into.
    EXPECT_FALSE(Scrivi(mGrd, 0, 0, "x"));
    EXPECT_EQ(mF->mrgxIdent.Cella(0, 0), "Chiamate entranti");
}

TEST_F(IdentificazioneTest, DettagliOnIncomingCallsWithoutLinesDoesNothing) {
    bool aperto = false;
    AlModale<QDialog>([](QDialog* d) { d->reject(); }, &aperto);
    Dettagli(0);
    Dettagli(1);
    EXPECT_FALSE(aperto);
    EXPECT_TRUE(mUI.mMessaggi.empty());
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_TRUE(!mF->moDriver || !mF->moDriver->moEntranti ||
                !mF->moDriver->moEntranti->mcolCondizioni);
}

TEST_F(IdentificazioneTest, TransferredCallsNeedTheLinesOfTheirCallFirst) {
    bool aperto = false;
    AlModale<QDialog>([](QDialog* d) { d->reject(); }, &aperto);
    Dettagli(2);
    Dettagli(3);
    EXPECT_FALSE(aperto);
    ASSERT_EQ(Testi().size(), 2);
    EXPECT_EQ(Testi()[0], QStringLiteral("Inserire prima il numero di righe su cui \u00E8 "
                                         "identificata una chiamata entrante"));
    EXPECT_EQ(Testi()[1], QStringLiteral("Inserire prima il numero di righe su cui \u00E8 "
                                         "identificata una chiamata uscente"));
    EXPECT_EQ(mUI.mMessaggi[1].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mF->mrgxIdent.Cella(2, 1), "No");
    EXPECT_EQ(mF->mrgxIdent.Cella(3, 1), "No");
}

// Rows 0 to 3 with a line count: the dialog for the right collection, with its prompt and its
// lines; on OK the collection replaces the driver's.
TEST_F(IdentificazioneTest, DettagliOnEachCallKindEditsItsOwnConditions) {
    struct Caso {
        int riga;
        int linee;
        int prompt;
    };
    const Caso casi[] = {{0, 2, 10649}, {1, 3, 10650}, {2, 2, 10651}, {3, 3, 10653}};
    ASSERT_TRUE(Scrivi(mGrd, 0, 1, "2"));
    ASSERT_TRUE(Scrivi(mGrd, 1, 1, "3"));
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.riga);
        mF->Cambiato(false);
        bool aperto = false;
        QString titolo, prompt;
        int voci = 0;
        bool conDataIsolata = true;
        AlModale<frmIdentificazione>(
            [&](frmIdentificazione* d) {
                titolo = d->windowTitle();
                prompt = d->ui()->lblPrompt->text();
                auto* grd = d->ui()->grdCondizioni;
                voci = grd->Colonna(Col::COL_RIGA)->moLista.Conta();
                conDataIsolata =
                    grd->Colonna(Col::COL_OPERATORE)->moLista.CercaValore("6") != nullptr;
                ScriviRiga(d, 0,
                           {QString::number(caso.linee), QString::number(caso.riga + 1), "2",
                            Testo(11610), "", "X" + QString::number(caso.riga)});
                d->ui()->cmOK->click();
            },
            &aperto);
        Dettagli(caso.riga);
        ASSERT_TRUE(aperto);
        EXPECT_EQ(titolo, QStringLiteral("Dettagli"));
        EXPECT_EQ(prompt, Testo(caso.prompt));
        EXPECT_EQ(voci, caso.linee + 1);  // the empty choice and 1 .. lines
        EXPECT_FALSE(conDataIsolata);
        EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
        EXPECT_TRUE(mF->mbChanged);

        ASSERT_TRUE(mF->moDriver);
        const bool entranti = caso.riga == 0 || caso.riga == 2;
        const auto& chiamata = entranti ? mF->moDriver->moEntranti : mF->moDriver->moUscenti;
        ASSERT_TRUE(chiamata);
        EXPECT_EQ(chiamata->menTipo, entranti ? 1 : 2);
        const auto& col = caso.riga >= 2 ? chiamata->mcolCondTrasferita : chiamata->mcolCondizioni;
        ASSERT_TRUE(col);
        ASSERT_EQ(col->Count(), 1);
        AttesoUguale(col->Item(1), Condizione(static_cast<int16_t>(caso.linee),
                                              static_cast<int16_t>(caso.riga + 1), 2, 1, 0,
                                              "X" + std::to_string(caso.riga), ""));
        if (caso.riga >= 2) {
            EXPECT_EQ(mF->mrgxIdent.Cella(caso.riga, 1), "S\xEC");
            EXPECT_EQ(Mostrato(mGrd, caso.riga, 1), QStringLiteral("S\u00EC"));
        }
    }
    // Each kind kept its own conditions.
    EXPECT_EQ(mF->moDriver->moEntranti->mcolCondizioni->Item(1).msValore, "X0");
    EXPECT_EQ(mF->moDriver->moUscenti->mcolCondizioni->Item(1).msValore, "X1");
    EXPECT_EQ(mF->moDriver->moEntranti->mcolCondTrasferita->Item(1).msValore, "X2");
    EXPECT_EQ(mF->moDriver->moUscenti->mcolCondTrasferita->Item(1).msValore, "X3");
}

TEST_F(IdentificazioneTest, CancellingTheDialogLeavesTheDriverAsItWas) {
    ASSERT_TRUE(Scrivi(mGrd, 0, 1, "2"));
    mF->moDriver = std::make_unique<clsDriver>();
    mF->moDriver->moEntranti = std::make_unique<clsChiamata>();
    mF->moDriver->moEntranti->menTipo = clsChiamata::ENTRANTI;
    auto& col = mF->moDriver->moEntranti->mcolCondizioni.emplace();
    col.Add(Condizione(1, 1, 1, 1, 0, "E", "And"), "3");
    col.Add(Condizione(2, 5, 8, 4, 2, "", ""), "4");
    mF->Cambiato(false);

    for (int modo = 0; modo < 3; ++modo) {
        SCOPED_TRACE(modo);
        bool aperto = false;
        QStringList mostrati;
        AlModale<frmIdentificazione>(
            [&](frmIdentificazione* d) {
                auto* grd = d->ui()->grdCondizioni;
                for (int c = 0; c < frmIdentificazione::NUM_COLONNE; ++c)
                    mostrati << Mostrato(grd, 1, c);
                // Edits that must not reach the driver.
                Scrivi(grd, 0, Col::COL_VALORE, "Z");
                grd->EliminaRiga(1);
                if (modo == 0)
                    d->ui()->cmdAnnulla->click();
                else if (modo == 1)
                    QTest::keyClick(grd, Qt::Key_Escape);
                else
                    d->close();
            },
            &aperto);
        Dettagli(0);
        ASSERT_TRUE(aperto);
        EXPECT_EQ(mostrati, (QStringList{"2", "5", "8", Testo(11608), "gg/mm/aaaa", "", ""}));
        ASSERT_EQ(col.Count(), 2);
        AttesoUguale(col.Item(1), Condizione(1, 1, 1, 1, 0, "E", "And"));
        AttesoUguale(col.Item(2), Condizione(2, 5, 8, 4, 2, "", ""));
        EXPECT_FALSE(mF->mbChanged);
    }
    // A cancelled transferred-call dialog leaves its row at "No".
    bool aperto = false;
    AlModale<frmIdentificazione>([](frmIdentificazione* d) { d->ui()->cmdAnnulla->click(); },
                                 &aperto);
    Dettagli(2);
    ASSERT_TRUE(aperto);
    EXPECT_EQ(mF->mrgxIdent.Cella(2, 1), "No");
    EXPECT_FALSE(mF->moDriver->moEntranti->mcolCondTrasferita);
    EXPECT_FALSE(mF->mbChanged);
}

TEST_F(IdentificazioneTest, AltDOpensTheDialogFromTheKeyboard) {
    ASSERT_TRUE(Scrivi(mGrd, 1, 1, "1"));
    mF->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mF.get()));
    mGrd->setFocus();
    bool aperto = false;
    QString prompt;
    AlModale<frmIdentificazione>(
        [&](frmIdentificazione* d) {
            prompt = d->ui()->lblPrompt->text();
            QTest::keyClick(d, Qt::Key_Escape);
        },
        &aperto);
    QTest::keyClick(mGrd, Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return aperto; }, 2000));
    EXPECT_EQ(prompt, Testo(10650));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }));
}

// ---- the dialog

class IdentDialogoTest : public IdentificazioneTest {
  protected:
    // The dialog shown without blocking, on a copy of condizioni.
    frmIdentificazione* Apri(const std::optional<ColCondizioni>& condizioni, int16_t righe,
                             bool dataIsolata = false) {
        mD = std::make_unique<frmIdentificazione>(mF.get());
        mD->mpContesto = mF.get();
        mD->mcolCondizioni = condizioni;
        mD->miNumRighe = righe;
        mD->mbDataIsolata = dataIsolata;
        mD->msPrompt = QStringLiteral("Prova");
        mD->show();
        mGrdC = mD->ui()->grdCondizioni;
        return mD.get();
    }
    void TearDown() override {
        mD.reset();
        IdentificazioneTest::TearDown();
    }
    // OK; the messages shown.
    QStringList Ok() {
        mUI.mMessaggi.clear();
        mD->ui()->cmOK->click();
        return Testi();
    }
    std::unique_ptr<frmIdentificazione> mD;
    clsGriglia* mGrdC = nullptr;
};

TEST_F(IdentDialogoTest, AnEqualityRowWithoutValueIsRefused) {
    Apri(std::nullopt, 2);
    ScriviRiga(mD.get(), 0, {"1", "1", "1", Testo(11610)});
    EXPECT_EQ(Ok(),
              QStringList{QStringLiteral("Insieme all'operatore di confronto si deve "
                                         "specificare anche il valore di confronto: riga 1")});
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);
    EXPECT_TRUE(mD->isVisible());
    EXPECT_TRUE(mD->mbCancel);
    EXPECT_FALSE(mD->mcolCondizioni);
    EXPECT_EQ(mGrdC->RigaCorrente(), 0);
    EXPECT_EQ(mGrdC->ColonnaCorrente(), Col::COL_VALORE);
    // With its value the row passes.
    ASSERT_TRUE(Scrivi(mGrdC, 0, Col::COL_VALORE, "E"));
    EXPECT_TRUE(Ok().isEmpty());
    EXPECT_FALSE(mD->mbCancel);
    EXPECT_FALSE(mD->isVisible());
    ASSERT_TRUE(mD->mcolCondizioni);
    ASSERT_EQ(mD->mcolCondizioni->Count(), 1);
    AttesoUguale(mD->mcolCondizioni->Item(1), Condizione(1, 1, 1, 1, 0, "E", ""));
}

TEST_F(IdentDialogoTest, EveryRuleStopsOkWithItsMessage) {
    struct Caso {
        const char* nome;
        bool dataIsolata;
        std::vector<QStringList> righe;
        int messaggio;
        int riga;  // 0: no row number
    };
    const QString uguale = Testo(11610), diverso = Testo(11609), numeri = Testo(11611),
                  dataValida = Testo(11608), tempo = Testo(11612), isolata = Testo(11613);
    const std::vector<Caso> casi = {
        {"no line", false, {{"", "1", "1", numeri}}, 11601, 1},
        {"no position", false, {{"1", "", "1", numeri}}, 11601, 1},
        {"no length", false, {{"1", "1", "", numeri}}, 11601, 1},
        {"no operator", false, {{"1", "1", "1", "", "", "E"}}, 11601, 1},
        {"date without format", false, {{"1", "1", "8", dataValida}}, 11604, 1},
        {"time without format", false, {{"1", "1", "5", tempo, "", "x"}}, 11604, 1},
        {"difference without value", false, {{"1", "1", "1", diverso}}, 11603, 1},
        {"isolated date without format", true, {{"1", "1", "8", isolata}}, 11602, 1},
        {"no conjunction", false, {{"1", "1", "1", numeri}, {"1", "2", "1", numeri}}, 11605, 1},
        {"second row incomplete",
         false,
         {{"1", "1", "1", numeri, "", "", "Or"}, {"1", "2", "", numeri}},
         11601,
         2},
        {"isolated mode without isolated date", true, {{"1", "1", "1", numeri}}, 11606, 0},
        {"isolated mode with no row", true, {}, 11606, 0},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        Apri(std::nullopt, 10, caso.dataIsolata);
        for (size_t r = 0; r < caso.righe.size(); ++r)
            ScriviRiga(mD.get(), static_cast<int>(r), caso.righe[r]);
        QString atteso = Testo(caso.messaggio);
        if (caso.riga) atteso += QString::number(caso.riga);
        EXPECT_EQ(Ok(), QStringList{atteso});
        EXPECT_TRUE(mD->isVisible());
        EXPECT_TRUE(mD->mbCancel);
    }
    EXPECT_EQ(Testo(11606),
              QStringLiteral("Occorre inserire una riga in cui si specifica l'operatore "
                             "\"Data isolata\""));
}

TEST_F(IdentDialogoTest, RowsThatNeedNothingMoreAreAccepted) {
    Apri(std::nullopt, 3);
    // "Solo numeri" needs neither format nor value; a format given to an operator that takes
    // none is not kept; the last row needs no And/Or.
    ScriviRiga(mD.get(), 0, {"1", "4", "3", Testo(11611), "", "", "And"});
    ScriviRiga(mD.get(), 1, {"2", "1", "1", Testo(11609), "", "-", "Or"});
    mGrdC->ImpostaCellaCorrente(1, 0);
    ASSERT_TRUE(Scrivi(mGrdC, 1, Col::COL_FORMATO, "gg/mm/aa"));
    ScriviRiga(mD.get(), 2, {"3", "10", "8", Testo(11608), "gg/mm/aaaa"});
    EXPECT_TRUE(Ok().isEmpty()) << Testi().join('|').toStdString();
    ASSERT_TRUE(mD->mcolCondizioni);
    const ColCondizioni& col = *mD->mcolCondizioni;
    ASSERT_EQ(col.Count(), 3);
    AttesoUguale(col.Item(1), Condizione(1, 4, 3, 3, 0, "", "And"));
    AttesoUguale(col.Item(2), Condizione(2, 1, 1, 2, 0, "-", "Or"));
    AttesoUguale(col.Item(3), Condizione(3, 10, 8, 4, 2, "", ""));
    EXPECT_TRUE(col.Item(1).msNome.empty());
}

TEST_F(IdentDialogoTest, ConditionsComeBackAsTheyWentIn) {
    ColCondizioni col;
    col.Add(Condizione(1, 1, 1, 1, 0, "\"E\" \xB0", "And"), "3");
    col.Add(Condizione(2, 12, 5, 5, 11, "", "Or"), "4");
    col.Add(Condizione(2, 1, 8, 6, 3, "", ""), "7");
    Apri(col, 10, true);
    EXPECT_EQ(mD->windowTitle(), QStringLiteral("Dettagli"));
    EXPECT_EQ(mD->ui()->lblPrompt->text(), QStringLiteral("Prova"));
    EXPECT_EQ(mGrdC->Modello()->rowCount(), 4);  // three rows and the entry row
    EXPECT_EQ(Mostrato(mGrdC, 0, Col::COL_VALORE), QStringLiteral("\"E\" \u00B0"));
    EXPECT_EQ(Mostrato(mGrdC, 1, Col::COL_OPERATORE), Testo(11612));
    EXPECT_EQ(Mostrato(mGrdC, 2, Col::COL_OPERATORE), Testo(11613));
    EXPECT_EQ(Mostrato(mGrdC, 2, Col::COL_FORMATO), QStringLiteral("aa/mm/gg"));
    EXPECT_EQ(Mostrato(mGrdC, 2, Col::COL_CONGIUNZIONE), QString());
    // The load leaves the cursor in Posiz.
    EXPECT_EQ(mGrdC->ColonnaCorrente(), Col::COL_POSIZIONE);
    EXPECT_TRUE(Ok().isEmpty()) << Testi().join('|').toStdString();
    ASSERT_EQ(mD->mcolCondizioni->Count(), 3);
    for (int i = 1; i <= 3; ++i) AttesoUguale(mD->mcolCondizioni->Item(i), col.Item(i));
}

TEST_F(IdentDialogoTest, TheIsolatedDateIsOfferedOnlyInItsOwnMode) {
    Apri(std::nullopt, 2);
    EXPECT_FALSE(Scrivi(mGrdC, 0, Col::COL_OPERATORE, Testo(11613)));
    ASSERT_EQ(Testi().size(), 1);
    EXPECT_EQ(mGrdC->Colonna(Col::COL_OPERATORE)->moLista.Conta(), 6);
    mUI.mMessaggi.clear();
    Apri(std::nullopt, 10, true);
    EXPECT_EQ(mGrdC->Colonna(Col::COL_OPERATORE)->moLista.Conta(), 7);
    // "Riga" offers 1 to 10 in this mode.
    EXPECT_TRUE(Scrivi(mGrdC, 0, Col::COL_RIGA, "10"));
    EXPECT_FALSE(Scrivi(mGrdC, 0, Col::COL_RIGA, "11"));
    ScriviRiga(mD.get(), 0, {"", "3", "8", Testo(11613), "gg/mm/aa"});
    mUI.mMessaggi.clear();
    EXPECT_TRUE(Ok().isEmpty()) << Testi().join('|').toStdString();
    AttesoUguale(mD->mcolCondizioni->Item(1), Condizione(10, 3, 8, 6, 1, "", ""));
}

TEST_F(IdentDialogoTest, TheFormatColumnFollowsTheOperatorOfTheRow) {
    Apri(std::nullopt, 2);
    ScriviRiga(mD.get(), 0, {"1", "1", "5", Testo(11612)});
    ScriviRiga(mD.get(), 1, {"1", "1", "8", Testo(11608)});
    ScriviRiga(mD.get(), 2, {"1", "1", "1", Testo(11610)});
    ScriviRiga(mD.get(), 3, {"1", "1", "1"});
    const auto drp = [this] { return mGrdC->Colonna(Col::COL_FORMATO)->mpDropDown.data(); };
    mGrdC->ImpostaCellaCorrente(0, 1);
    EXPECT_EQ(drp(), mD->drpFormatiOra);
    mGrdC->ImpostaCellaCorrente(1, 1);
    EXPECT_EQ(drp(), mD->drpFormatiData);
    mGrdC->ImpostaCellaCorrente(2, 1);
    EXPECT_EQ(drp(), mD->drpFormatiNessuno);
    mGrdC->ImpostaCellaCorrente(3, 1);
    EXPECT_EQ(drp(), mD->drpFormatiNessuno);
    // A changed operator changes the list at once.
    ASSERT_TRUE(Scrivi(mGrdC, 3, Col::COL_OPERATORE, Testo(11612)));
    EXPECT_EQ(drp(), mD->drpFormatiOra);
    // The drop-downs show the main window's format lists.
    EXPECT_EQ(mD->drpFormatiData->Tabella(), &mF->mrgxFormatiData);
    EXPECT_EQ(mD->drpFormatiOra->Tabella(), &mF->mrgxFormatiOra);
    EXPECT_EQ(mD->drpFormatiNessuno->Tabella(), &mF->mrgxFormatiNessuno);

    // Choosing from the drop-down of a "Tempo valido" row stores the time format's code.
    mGrdC->ImpostaCellaCorrente(0, Col::COL_FORMATO);
    QTest::keyClick(mGrdC, Qt::Key_F2);
    auto* combo = mGrdC->findChild<QComboBox*>(QStringLiteral("cboCellaGriglia"));
    ASSERT_TRUE(combo);
    const int i = combo->findText(QStringLiteral("hh:mm:ss"));
    ASSERT_GE(i, 0);
    EXPECT_EQ(combo->findText(QStringLiteral("gg/mm/aa")), -1);
    combo->setCurrentIndex(i);
    ASSERT_TRUE(mGrdC->ConfermaModifica());
    EXPECT_EQ(mGrdC->Tabella()->Cella(0, Col::COL_FORMATO), "11");
    // "Nessuno" is offered to the other operators and stored as the list's code.
    ASSERT_TRUE(Scrivi(mGrdC, 2, Col::COL_FORMATO, Testo(10634)));
    EXPECT_EQ(mGrdC->Tabella()->Cella(2, Col::COL_FORMATO),
              std::to_string(mF->mrgxFormatiData.Righe()));
}

TEST_F(IdentDialogoTest, InsertPutsAnEmptyRowAtTheCurrentRow) {
    ColCondizioni col;
    col.Add(Condizione(1, 1, 1, 3, 0, "", "And"));
    col.Add(Condizione(1, 2, 1, 3, 0, "", ""));
    Apri(col, 1);
    mGrdC->ImpostaCellaCorrente(1, Col::COL_LUNGHEZZA);
    mD->ui()->mcdInsert->click();
    ASSERT_EQ(mGrdC->Modello()->RigheDati(), 3);
    EXPECT_EQ(mGrdC->RigaCorrente(), 1);
    EXPECT_EQ(mGrdC->ColonnaCorrente(), Col::COL_LUNGHEZZA);
    for (int c = 0; c < frmIdentificazione::NUM_COLONNE; ++c)
        EXPECT_EQ(mGrdC->Tabella()->Cella(1, c), "");
    EXPECT_EQ(mGrdC->Tabella()->Cella(2, Col::COL_POSIZIONE), "2");
    // The empty row is a row like any other: OK wants it filled.
    EXPECT_EQ(Ok(), QStringList{Testo(11601) + "2"});
    ScriviRiga(mD.get(), 1, {"1", "9", "1", Testo(11611), "", "", "Or"});
    EXPECT_TRUE(Ok().isEmpty());
    ASSERT_EQ(mD->mcolCondizioni->Count(), 3);
    EXPECT_EQ(mD->mcolCondizioni->Item(2).miInizio, 9);
    EXPECT_EQ(mD->mcolCondizioni->Item(3).miInizio, 2);
}

TEST_F(IdentDialogoTest, RowsCanBeDeletedAndAllConditionsRemoved) {
    ColCondizioni col;
    col.Add(Condizione(1, 1, 1, 3, 0, "", ""));
    Apri(col, 1);
    mGrdC->ImpostaCellaCorrente(0, 0);
    QTest::keyClick(mGrdC, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(mGrdC->Modello()->RigheDati(), 0);
    EXPECT_TRUE(Ok().isEmpty());
    ASSERT_TRUE(mD->mcolCondizioni);
    EXPECT_EQ(mD->mcolCondizioni->Count(), 0);
}

TEST_F(IdentDialogoTest, CellButtonTakesPositionLengthAndValueFromTheSample) {
    mF->ui()->rtfTesto->setPlainText(QStringLiteral("prima riga\nE 12345 fine\n"));
    Apri(std::nullopt, 2);
    ScriviRiga(mD.get(), 0, {"", "", "", Testo(11610)});
    bool aperto = false;
    QPoint posizione;
    AlModale<frmSeleziona>(
        [&](frmSeleziona* s) {
            posizione = s->pos();
            auto* rtf = s->ui()->rtfTesto;
            QTextCursor c(rtf->document());
            c.setPosition(13);  // "1" of the second line, column 3
            c.setPosition(18, QTextCursor::KeepAnchor);
            rtf->setTextCursor(c);
            s->ui()->cmOK->click();
        },
        &aperto);
    mD->grdCondizioni_ButtonClick(0, Col::COL_POSIZIONE);
    ASSERT_TRUE(aperto);
    EXPECT_EQ(posizione, QCursor::pos());
    const auto* t = mGrdC->Tabella();
    EXPECT_EQ(t->Cella(0, Col::COL_RIGA), "1");
    EXPECT_EQ(t->Cella(0, Col::COL_POSIZIONE), "3");
    EXPECT_EQ(t->Cella(0, Col::COL_LUNGHEZZA), "5");
    EXPECT_EQ(t->Cella(0, Col::COL_VALORE), "12345");
    EXPECT_EQ(mGrdC->ColonnaCorrente(), Col::COL_OPERATORE);
    EXPECT_TRUE(Testi().isEmpty());

    // Nothing chosen: nothing changes; a line that is already there stays.
    ASSERT_TRUE(Scrivi(mGrdC, 0, Col::COL_RIGA, "2"));
    AlModale<frmSeleziona>([](frmSeleziona* s) { s->ui()->cmOK->click(); }, &aperto);
    mD->grdCondizioni_ButtonClick(0, Col::COL_LUNGHEZZA);
    ASSERT_TRUE(aperto);
    EXPECT_EQ(t->Cella(0, Col::COL_RIGA), "2");
    EXPECT_EQ(t->Cella(0, Col::COL_POSIZIONE), "3");

    // A selection across two lines is refused with a message.
    AlModale<frmSeleziona>(
        [](frmSeleziona* s) {
            QTextCursor c(s->ui()->rtfTesto->document());
            c.setPosition(2);
            c.setPosition(14, QTextCursor::KeepAnchor);
            s->ui()->rtfTesto->setTextCursor(c);
            s->ui()->cmOK->click();
        },
        &aperto);
    mD->grdCondizioni_ButtonClick(0, Col::COL_POSIZIONE);
    ASSERT_TRUE(aperto);
    EXPECT_EQ(Testi().size(), 1);
    EXPECT_EQ(t->Cella(0, Col::COL_POSIZIONE), "3");
}

TEST_F(IdentDialogoTest, TheDialogIsUsableFromTheKeyboard) {
    Apri(std::nullopt, 2);
    mD->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] {
        return QGuiApplication::focusWindow() == mD->windowHandle() &&
               QApplication::activeWindow() == mD.get();
    }));
    // Typing starts editing in the entry row; Tab moves on, Enter commits.
    mGrdC->setFocus();
    mGrdC->ImpostaCellaCorrente(0, Col::COL_RIGA);
    const auto tasto = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    // Each key to whatever has the focus then, as typing does (the first one opens the editor).
    const auto scrivi = [](const char* s) {
        for (; *s; ++s) QTest::keyClicks(QApplication::focusWidget(), QString(QLatin1Char(*s)));
    };
    scrivi("2");
    tasto(Qt::Key_Tab);
    scrivi("7");
    tasto(Qt::Key_Tab);
    scrivi("3");
    tasto(Qt::Key_Tab);
    scrivi("D");  // "Diverso da" from the list, which Tab does not pop open
    tasto(Qt::Key_Tab);
    ASSERT_TRUE(mGrdC->InModifica());
    tasto(Qt::Key_Escape);  // Formato: its editor closes, nothing chosen
    EXPECT_FALSE(mGrdC->InModifica());
    EXPECT_TRUE(mD->isVisible());
    tasto(Qt::Key_Tab);
    scrivi("abc");
    tasto(Qt::Key_Return);
    EXPECT_FALSE(mGrdC->InModifica());
    const auto* t = mGrdC->Tabella();
    ASSERT_EQ(t->Righe(), 1);
    EXPECT_EQ(t->Cella(0, Col::COL_RIGA), "2");
    EXPECT_EQ(t->Cella(0, Col::COL_POSIZIONE), "7");
    EXPECT_EQ(t->Cella(0, Col::COL_LUNGHEZZA), "3");
    EXPECT_EQ(t->Cella(0, Col::COL_OPERATORE), "2");
    EXPECT_EQ(t->Cella(0, Col::COL_VALORE), "abc");
    // Ins inserts a row above (the button's shortcut clicks it after a moment); Ctrl+Delete
    // removes it again.
    mGrdC->ImpostaCellaCorrente(0, Col::COL_RIGA);
    QTest::keyClick(mGrdC, Qt::Key_Insert);
    EXPECT_TRUE(QTest::qWaitFor([t] { return t->Righe() == 2; }));
    EXPECT_EQ(mGrdC->RigaCorrente(), 0);
    QTest::keyClick(mGrdC, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(t->Righe(), 1);
    // Enter outside an edit is OK.
    QTest::keyClick(mGrdC, Qt::Key_Return);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
    EXPECT_FALSE(mD->isVisible());
    EXPECT_FALSE(mD->mbCancel);
    ASSERT_TRUE(mD->mcolCondizioni);
    AttesoUguale(mD->mcolCondizioni->Item(1), Condizione(2, 7, 3, 2, 0, "abc", ""));
    EXPECT_TRUE(mD->ui()->cmOK->isDefault());
    // The buttons follow the grid in the tab order.
    const auto dopo = [this](QWidget* w) {
        QWidget* p = w->nextInFocusChain();
        while (p != w && (w->isAncestorOf(p) || !(p->focusPolicy() & Qt::TabFocus)))
            p = p->nextInFocusChain();
        return p;
    };
    EXPECT_EQ(dopo(mGrdC), mD->ui()->cmOK);
    EXPECT_EQ(dopo(mD->ui()->cmOK), mD->ui()->cmdAnnulla);
    EXPECT_EQ(dopo(mD->ui()->cmdAnnulla), mD->ui()->mcdInsert);
}

TEST_F(IdentDialogoTest, EscapeAndAltACancel) {
    for (bool escape : {true, false}) {
        Apri(std::nullopt, 2);
        mD->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] {
            return QGuiApplication::focusWindow() == mD->windowHandle() &&
                   QApplication::activeWindow() == mD.get();
        }));
        mGrdC->setFocus();
        ScriviRiga(mD.get(), 0, {"1", "1", "1", Testo(11611)});
        if (escape)
            QTest::keyClick(mGrdC, Qt::Key_Escape);
        else
            QTest::keyClick(mGrdC, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !mD->isVisible(); })) << escape;
        EXPECT_TRUE(mD->mbCancel);
        EXPECT_FALSE(mD->mcolCondizioni);
    }
}

TEST_F(IdentDialogoTest, ModificaHandsBackOnlyConfirmedConditions) {
    std::optional<ColCondizioni> col;
    bool aperto = false;
    AlModale<frmIdentificazione>(
        [](frmIdentificazione* d) {
            ScriviRiga(d, 0, {"1", "1", "1", Testo(11611)});
            d->ui()->cmdAnnulla->click();
        },
        &aperto);
    EXPECT_FALSE(frmIdentificazione::Modifica(mF.get(), mF.get(), col, 1, false, "P", "Titolo"));
    ASSERT_TRUE(aperto);
    EXPECT_FALSE(col);
    QString titolo;
    AlModale<frmIdentificazione>(
        [&](frmIdentificazione* d) {
            titolo = d->windowTitle();
            ScriviRiga(d, 0, {"1", "1", "1", Testo(11611)});
            d->ui()->cmOK->click();
        },
        &aperto);
    EXPECT_TRUE(frmIdentificazione::Modifica(mF.get(), mF.get(), col, 1, false, "P", "Titolo"));
    EXPECT_EQ(titolo, QStringLiteral("Titolo"));
    ASSERT_TRUE(col);
    EXPECT_EQ(col->Count(), 1);
    EXPECT_EQ(mUI.miCursore, 0);
}

// Pictures of the page and the dialog with data, when TARNO_SCREENSHOTS names a folder.
TEST_F(IdentDialogoTest, Screenshots) {
    const QByteArray cartella = qgetenv("TARNO_SCREENSHOTS");
    if (cartella.isEmpty()) GTEST_SKIP() << "TARNO_SCREENSHOTS not set";
    QDir().mkpath(QString::fromLocal8Bit(cartella));
    ASSERT_TRUE(Scrivi(mGrd, 0, 1, "2"));
    ASSERT_TRUE(Scrivi(mGrd, 1, 1, "1"));
    ASSERT_TRUE(Scrivi(mGrd, 2, 1, QStringLiteral("S\u00EC")));
    ASSERT_TRUE(Scrivi(mGrd, 4, 1, "1"));
    mF->resize(900, 700);
    QApplication::processEvents();
    EXPECT_TRUE(mF->grab().save(QString::fromLocal8Bit(cartella) + "/identificazione.png"));
    ColCondizioni col;
    col.Add(Condizione(1, 1, 1, 1, 0, "E", "And"));
    col.Add(Condizione(2, 1, 8, 4, 2, "", "Or"));
    col.Add(Condizione(2, 10, 5, 5, 11, "", ""));
    Apri(col, 2);
    mD->ui()->lblPrompt->setText(Testo(10649));
    mD->resize(680, 300);
    QApplication::processEvents();
    EXPECT_TRUE(mD->grab().save(QString::fromLocal8Bit(cartella) + "/frmIdentificazione.png"));
}

}  // namespace

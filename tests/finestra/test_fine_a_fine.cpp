// A driver edited end to end through the window's tools, as a user does it, in a suite whose
// folder has accents and a blank: open the demo driver, read its printout, mark a field on the
// sample, save, read the file back with tarnodrv, verify with the real engine and look at its
// log (where nothing can be marked or typed). Then the sample view's rules and the data commands
// that cannot go on, and the live preview following edits that are not saved.

#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>
#include <QUndoStack>
#include <nlohmann/json.hpp>

#include "AiutiPagine.h"
#include "SupportoGui.h"
#include "anteprima/ModelloAnteprima.h"
#include "anteprima/PannelloAnteprima.h"
#include "engine/clsImpostazioniMotore.h"
#include "kit/Risorse.h"
#include "model/CallFieldName.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmIdentificazione.h"
#include "pagine/frmImpostazioniGenerali.h"
#include "pagine/frmPrescanning.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmImpostazioniGenerali.h"
#include "ui_frmPrescanning.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class FineAFineTest : public FinestraDemo {
  protected:
    void InstallaMotore() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARNO_TARNOMINER),
                                mSuite.Percorso(QStringLiteral("tarnominer"))));
    }
    QString Panasonic() const { return Driver(QStringLiteral("PanasonicTDA.drv")); }
    QString Campione() const { return Driver(QStringLiteral("PanasonicTDA.txt")); }
    QString Vista() const { return U()->rtfTesto->toPlainText(); }
    // The refresh that an edit or a load asked for (its pause running), made now.
    void Rinfresca() {
        auto* attesa = mF->findChild<QTimer*>(QStringLiteral("tmrAnteprima"));
        ASSERT_NE(attesa, nullptr);
        ASSERT_TRUE(attesa->isActive()) << "no refresh was asked for";
        mF->AggiornaAnteprima();
    }
    // Selects characters of one line of the sample view (line and column from 1) and clicks
    // the box of a field on the outgoing page.
    void MarcaUscente(int riga, int colonna, int lunghezza, int campo) {
        U()->tabDriver->setCurrentIndex(4);
        QApplication::processEvents();
        const QTextBlock blocco = U()->rtfTesto->document()->findBlockByNumber(riga - 1);
        ASSERT_TRUE(blocco.isValid());
        QTextCursor c = U()->rtfTesto->textCursor();
        c.setPosition(blocco.position() + colonna - 1);
        c.setPosition(blocco.position() + colonna - 1 + lunghezza, QTextCursor::KeepAnchor);
        U()->rtfTesto->setTextCursor(c);
        QCheckBox* chk = PagUscenti()->chkCampo(campo);
        ASSERT_NE(chk, nullptr);
        QTest::mouseClick(chk, Qt::LeftButton, Qt::NoModifier, QPoint(12, chk->height() / 2));
    }
};

TEST_F(FineAFineTest, LivePreviewFollowsMarkingAndConditionsWithoutSaving) {
    mF->FileApri(Panasonic());
    mF->LeggiDati(Campione());
    Rinfresca();
    const ModelloAnteprima& m = *mF->Anteprima()->Modello();
    const uint64_t uscenti = m.Conteggi().iUscenti;
    ASSERT_GT(uscenti, 0u);
    ASSERT_GT(m.Conteggi().iEntranti, 0u);
    EXPECT_EQ(m.Conteggi().iNonRiconosciute, 3u);  // the heading lines
    const QColor colore = PagUscenti()->chkCampo(9)->palette().color(QPalette::Window);
    const auto colorati = [&] {
        int n = 0;
        for (const auto& s : U()->rtfTesto->extraSelections())
            n += s.format.background().color() == colore;
        return n;
    };
    const auto colonna = [&](const QString& nome) {
        for (int c = 0; c < m.columnCount(); ++c)
            if (m.headerData(c, Qt::Horizontal).toString() == nome) return c;
        return -1;
    };
    EXPECT_EQ(colorati(), 0);
    EXPECT_EQ(colonna(QStringLiteral("Campo 1")), -1);

    // A condition row where "<I>" marks the incoming calls tells in its dialog the lines it
    // holds on, of those the engine reads.
    const QString entranti = QString::number(m.Conteggi().iEntranti);
    {
        frmIdentificazione dlg(mF.get());
        dlg.mpContesto = mF.get();
        clsCondizione c;
        c.miRiga = 1, c.miInizio = 24, c.miLunghezza = 3, c.msValore = "<I>";
        c.menOperatore = clsCondizione::UGUALE_A;
        dlg.mcolCondizioni.emplace().Add(c);
        dlg.miNumRighe = 1;
        dlg.Carica();
        EXPECT_EQ(dlg.lblRigheCondizione()->text(),
                  QStringLiteral(
                      "La condizione della riga 1 vale su %1 delle %2 righe che il motore legge")
                      .arg(entranti)
                      .arg(m.Conteggi().iRighe - m.Conteggi().iVuote - m.Conteggi().iPrescanning));
    }

    // The switch to the lines as the engine reads them reloads the view, and off the sample
    // as loaded is back.
    QCheckBox* motore = mF->Anteprima()->RigheMotore();
    motore->setChecked(true);
    EXPECT_FALSE(Vista().contains(QStringLiteral("00'22'18")));
    motore->setChecked(false);
    EXPECT_TRUE(Vista().contains(QStringLiteral("00'22'18")));

    // "Campo 1" of the outgoing calls marked on the sample, and "Campo 2" on top of "Linea"
    // (a save refuses it): the preview reads the first on every outgoing call and in its box's
    // colour, and lists the second as left out, the driver unsaved.
    const std::string file = Byte(Panasonic());
    MarcaUscente(5, 50, 4, 9);
    MarcaUscente(5, 21, 2, 10);
    // The duration and the start marked again without a format get the first of the
    // catalogue's time formats that reads them on every outgoing call.
    TabellaValori& campi = PagUscenti()->Tabella();
    for (const int r : {Campi::RIGA_ORA_INIZIO, Campi::RIGA_DURATA})
        campi.Cella(r, Campi::COL_FORMATO).clear();
    MarcaUscente(5, 55, 8, Campi::RIGA_DURATA);
    EXPECT_TRUE(mF->statusBar()->currentMessage().contains(QStringLiteral(": hh:mm:ss")))
        << mF->statusBar()->currentMessage().toStdString();
    MarcaUscente(5, 10, 5, Campi::RIGA_ORA_INIZIO);
    EXPECT_EQ(campi.Cella(Campi::RIGA_DURATA, Campi::COL_FORMATO), "14");
    EXPECT_EQ(campi.Cella(Campi::RIGA_ORA_INIZIO, Campi::COL_FORMATO), "13");
    // Digits on every call's first line at the extension, not where "<I>" marks the incoming.
    clsCondizione cifre;
    cifre.miRiga = 1, cifre.miInizio = 17, cifre.miLunghezza = 3;
    cifre.menOperatore = clsCondizione::SOLO_NUMERI;
    const uint64_t chiamate = m.Conteggi().Chiamate();
    EXPECT_EQ(Servizi().ChiamateConCondizione(cifre), std::make_pair(chiamate, chiamate));
    cifre.miInizio = 24;
    EXPECT_EQ(Servizi().ChiamateConCondizione(cifre).first, uscenti);
    Rinfresca();
    ASSERT_TRUE(mF->Documento().NonSalvato());
    EXPECT_EQ(Byte(Panasonic()), file);
    EXPECT_EQ(colorati(), static_cast<int>(uscenti));
    const int campo1 = colonna(QStringLiteral("Campo 1"));
    ASSERT_GE(campo1, 0);
    EXPECT_EQ(colonna(QStringLiteral("Campo 2")), -1);
    ASSERT_EQ(m.Righe().front().tipo, RigaAnteprima::CAMPO_ESCLUSO);
    // The save's message on one line, with the fields it names.
    const QString perche = m.Righe().front().sPerche;
    EXPECT_TRUE(perche.contains(QStringLiteral("sovrapposti Campi sovrapposti: \"")))
        << perche.toStdString();
    EXPECT_FALSE(perche.contains('\n'));
    // By keys: F6 goes sample view -> page -> preview -> sample view, Shift+F6 back; the arrows
    // in the preview select each row's lines, and the position labels follow.
    const auto premi = [](Qt::Key k, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(QApplication::focusWidget(), k, mod);
    };
    QTableView* tabella = mF->Anteprima()->Tabella();
    U()->rtfTesto->setFocus();
    premi(Qt::Key_F6);
    EXPECT_TRUE(U()->tabDriver->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    premi(Qt::Key_F6);
    ASSERT_EQ(QApplication::focusWidget(), tabella);
    premi(Qt::Key_Home, Qt::ControlModifier);
    for (int r = 0; r < m.rowCount() && m.Righe()[size_t(r)].tipo != RigaAnteprima::CHIAMATA; ++r)
        premi(Qt::Key_Down);
    const RigaAnteprima& chiamata = m.Righe()[size_t(tabella->currentIndex().row())];
    ASSERT_EQ(chiamata.tipo, RigaAnteprima::CHIAMATA);
    const QString righe = U()->rtfTesto->textCursor().selectedText();
    EXPECT_EQ(righe,
              U()->rtfTesto->document()->findBlockByNumber(chiamata.vRighe.front() - 1).text());
    EXPECT_EQ(U()->lblY->text(), QString::number(righe.size()));
    premi(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(U()->tabDriver->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    premi(Qt::Key_F6);
    premi(Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), U()->rtfTesto);

    // A condition broken as its dialog would leave it: the date of the outgoing calls read two
    // characters on. They become lines no call takes, each with the reason.
    for (int i = 1; i <= mF->Documento().moDriver->moUscenti->mcolCondizioni->Count(); ++i) {
        clsCondizione& c = mF->Documento().moDriver->moUscenti->mcolCondizioni->Item(i);
        if (c.miInizio == 1) c.miInizio = 3;
    }
    mF->Documento().Modificato();
    Rinfresca();
    EXPECT_EQ(m.Conteggi().iUscenti, 0u);
    EXPECT_EQ(m.Conteggi().iNonRiconosciute, 3 + uscenti);
    int motivi = 0;
    for (const RigaAnteprima& r : m.Righe())
        motivi += r.tipo == RigaAnteprima::NON_RICONOSCIUTA && !r.sPerche.isEmpty();
    EXPECT_EQ(motivi, static_cast<int>(3 + uscenti)) << m.Sommario().toStdString();
    EXPECT_EQ(colorati(), 0);

    // Hidden from the Strumenti menu, for the next windows too.
    Strumento("mnuAnteprima")->trigger();
    EXPECT_TRUE(mF->findChild<QDockWidget*>(QStringLiteral("dockAnteprima"))->isHidden());
    EXPECT_FALSE(QSettings(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver"))
                     .value(QStringLiteral("Finestra/Anteprima"))
                     .toBool());
}

// A printout of separated fields: the fields of each line in two tints by turns, a click on a
// field selects all of it and its box takes its number, and the preview reads it by number.
TEST_F(FineAFineTest, ASeparatedFieldIsMarkedByClickingItAndReadByItsNumber) {
    const QString caso = QStringLiteral(TARNO_CASI_DIR "/separati-esi-virgolette/");
    ASSERT_TRUE(QFile::copy(caso + "driver.drv", Driver(QStringLiteral("esi.drv"))));
    mF->FileApri(Driver(QStringLiteral("esi.drv")));
    mF->LeggiDati(caso + "stampa.txt");
    Rinfresca();
    const ModelloAnteprima& m = *mF->Anteprima()->Modello();
    EXPECT_EQ(m.Conteggi().Chiamate(), 10u);
    int tinte = 0;
    for (const auto& s : U()->rtfTesto->extraSelections())
        tinte += s.format.background().color() == QColor(224, 236, 255);
    EXPECT_EQ(tinte, 10 * 4);  // fields 1, 3, 5 and 7 of 8 on each line

    // A click inside "9725550178" (field 6 of line 2) takes the field with its quotes; the
    // column of values then lists field 6 of every line.
    U()->tabDriver->setCurrentIndex(3);
    QTextCursor c(U()->rtfTesto->document()->findBlockByNumber(1));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 45);
    QTest::mouseClick(U()->rtfTesto->viewport(), Qt::LeftButton, Qt::NoModifier,
                      U()->rtfTesto->cursorRect(c).center());
    EXPECT_EQ(U()->rtfTesto->textCursor().selectedText(), QStringLiteral("\"9725550178\""));
    EXPECT_EQ(mF->findChild<QLabel*>(QStringLiteral("lblColonnaAnteprima"))->text(),
              QStringLiteral("Campo 6: 8 testi diversi sulle righe del campione"));

    // Its box on the incoming page ("Campo 1"): field 6, all of it, in the column "Campo".
    PaginaCampi* pagina = PagEntranti();
    QCheckBox* chk = pagina->chkCampo(10);
    QTest::mouseClick(chk, Qt::LeftButton, Qt::NoModifier, QPoint(12, chk->height() / 2));
    EXPECT_EQ(pagina->Tabella().Cella(10, Campi::COL_POSIZ), "6");
    EXPECT_EQ(pagina->Tabella().Cella(10, Campi::COL_LUNG), "0");
    EXPECT_EQ(pagina->mvIntestazioni[2]->text(), QStringLiteral("Campo"));
    Rinfresca();
    EXPECT_EQ(m.Conteggi().Chiamate(), 10u);
    const std::string nome = NomeCampo(10, true);
    std::vector<std::string> letti;
    for (const RigaAnteprima& r : m.Righe())
        for (const CampoLetto& campo : r.vCampi)
            if (campo.sNome == nome && r.vRighe == std::vector<uint64_t>{2})
                letti.push_back(campo.sTaglio);
    EXPECT_EQ(letti, std::vector<std::string>{"9725550178"});

    // A general transformation picked from part of that field: its number and the start in it.
    frmImpostazioniGenerali generali(mF.get());
    generali.mpContesto = mF.get();
    ASSERT_NO_FATAL_FAILURE(Mostra(generali));
    auto aperto = AlModale<frmSeleziona>([&](frmSeleziona& s) {
        QTextCursor parte(s.ui()->rtfTesto->document()->findBlockByNumber(1));
        parte.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 45);
        parte.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
        s.ui()->rtfTesto->setTextCursor(parte);
        s.cmOK_Click();
    });
    generali.grdTrasformazioni_ButtonClick(0, frmImpostazioniGenerali::COL_POSIZIONE);
    ASSERT_TRUE(*aperto);
    ASSERT_TRUE(Scegli(*generali.ui()->grdTrasformazioni, 0,
                       frmImpostazioniGenerali::COL_OPERAZIONE, TestoRisorsa(30026)));
    generali.ui()->cmdOK->click();
    ASSERT_FALSE(generali.mbCancel);
    const clsTrasformazione& t = generali.mcolTrasf->Item(1);
    EXPECT_EQ(std::tuple(t.miInizio, t.miNelCampo, t.miLunghezza), std::tuple(6, 6, 3));  // "550"
}

TEST_F(FineAFineTest, OpenMarkSaveDumpVerifyAndReadTheLog) {
    ASSERT_TRUE(mSuite.Cartella().contains(QStringLiteral("Citt\u00E0 \u00E8 societ\u00E0")));
    ASSERT_NO_FATAL_FAILURE(InstallaMotore());
    const std::string originale = Byte(Panasonic());

    // Open and Leggi dati through their tools and file dialogs.
    mUI.mNomiFile = {Panasonic(), Campione()};
    Strumento("mnuApri")->trigger();
    Strumento("mnuLeggiDati")->trigger();
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    ASSERT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver - ") + Panasonic());
    ASSERT_FALSE(mF->Documento().NonSalvato());
    EXPECT_EQ(Strumento("mnuRecenti1f")->text(), QStringLiteral("&1 ") + Panasonic());

    // "Campo 1" of the outgoing calls: the four characters under "Squi" on line 5 of the sample.
    MarcaUscente(5, 50, 4, 9);
    ASSERT_TRUE(mF->Documento().NonSalvato());
    EXPECT_EQ(mF->Documento().mrgxUscenti.Cella(9, Campi::COL_POSIZ), "50");
    EXPECT_EQ(mF->Documento().mrgxUscenti.Cella(9, Campi::COL_LUNG), "4");

    Strumento("mnuSalva")->trigger();
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_FALSE(mF->Documento().NonSalvato());
    EXPECT_EQ(Byte(Panasonic() + ".bak"), originale);
    const std::string primo = Byte(Panasonic());

    // The saved file loads again without a message and holds the new field.
    const prova::Esito dump = prova::Esegui({TARNO_TARNODRV, "dump", Panasonic().toStdString()});
    EXPECT_EQ(dump.iCodice, 0);
    EXPECT_EQ(dump.sErr, "");
    EXPECT_NE(nlohmann::json::parse(dump.sOut).dump().find("sCampo1"), std::string::npos);

    // The engine verifies the saved driver; Trasforma shows its log with the new field.
    Strumento("mnuVerifica")->trigger();
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_EQ(mF->statusBar()->currentMessage(),
              QStringLiteral("Verifica: 40 chiamate riconosciute, 3 righe non riconosciute - "
                             "Trasforma mostra il log"));
    Strumento("mnuTrasforma")->trigger();
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("VERIFICA DEL DRIVER")))
        << Vista().left(200).toStdString();
    EXPECT_TRUE(Vista().contains(QStringLiteral("Chiamata uscente, riga 5")));
    EXPECT_TRUE(Vista().contains(QStringLiteral("sCampo1")));
    // The log (Windows-1252) names the files in the accented folder as they are.
    EXPECT_TRUE(Vista().contains(QStringLiteral("Driver:").leftJustified(34) + Panasonic() + '\n'));
    EXPECT_TRUE(Vista().contains(QStringLiteral("Dati:").leftJustified(34) + Campione() + '\n'));
    EXPECT_TRUE(Strumento("mnuTrasforma")->isChecked());
    // The dialogs that pick a piece of the sample are given the sample, not the log.
    EXPECT_TRUE(Servizi().DocumentoCampione()->toPlainText().startsWith(
        QStringLiteral("Panasonic KX-TDA200")));
    // Fields are marked on the sample only; no key changes the text the columns come from.
    const TabellaValori uscenti = mF->Documento().mrgxUscenti;
    MarcaUscente(2, 1, 7, 10);
    EXPECT_TRUE(mF->Documento().mrgxUscenti == uscenti);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Per marcare un campo si deve mostrare il "
                                                  "campione: il riquadro mostra il log della "
                                                  "verifica (Trasforma).")});
    mUI.Reimposta();
    const QString log = Vista();
    U()->rtfTesto->setFocus();
    QTest::keyClicks(U()->rtfTesto, QStringLiteral("x "));
    QTest::keyClick(U()->rtfTesto, Qt::Key_Delete);
    EXPECT_EQ(Vista(), log);
    // The log is no printout of the user's: the recent printouts stay as they were.
    EXPECT_EQ(frmDriver::LeggiRecente(QStringLiteral("sFile1")), Campione());
    EXPECT_EQ(frmDriver::LeggiRecente(QStringLiteral("sFile2")), QString());
    // And back to the sample.
    Strumento("mnuTrasforma")->trigger();
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("Panasonic KX-TDA200")));
    EXPECT_FALSE(Strumento("mnuTrasforma")->isChecked());
    EXPECT_EQ(frmDriver::LeggiRecente(QStringLiteral("sFile1")), Campione());
    // The next save keeps the first saved version in the ".bak".
    Modifica();
    Strumento("mnuSalva")->trigger();
    EXPECT_EQ(Byte(Panasonic() + ".bak"), primo);
}

TEST_F(FineAFineTest, ASampleIsWindows1252TextShownWholeUpTo50000BytesAndOnlyItsTailBeyond) {
    const QString piccolo = mSuite.Percorso(QStringLiteral("piccolo.txt"));
    prova::ScriviFile(piccolo.toStdString(), "Citt\xE0 \x80 10\n" + std::string(49987, 'a') + "F");
    mF->LeggiDati(piccolo);
    EXPECT_EQ(Vista().size(), 49999);
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("Citt\u00E0 \u20AC 10\n")));
    EXPECT_TRUE(Vista().endsWith('F'));
    // 120,000 bytes: bytes 70,000 to 119,999, even from the middle of a line.
    std::string grande;
    for (int i = 0; i < 120000; ++i) grande += static_cast<char>('0' + (i / 10000));
    grande[70000] = 'X';
    const QString pGrande = mSuite.Percorso(QStringLiteral("grande.txt"));
    prova::ScriviFile(pGrande.toStdString(), grande);
    mF->LeggiDati(pGrande);
    EXPECT_EQ(Vista().size(), 50000);
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("X7")));
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_EQ(mF->FileDati(), pGrande);
    EXPECT_EQ(frmDriver::LeggiRecente(QStringLiteral("sFile2")), piccolo);
}

TEST_F(FineAFineTest, DataCommandsThatCannotGoOnSaySoAndLeaveTheViewAlone) {
    const QString errore = QStringLiteral("Errore durante la lettura del file");
    ASSERT_NO_FATAL_FAILURE(InstallaMotore());
    mF->LeggiDati(Campione());
    const QString campione = Vista();
    const std::vector<std::pair<std::function<void()>, QStringList>> casi = {
        {[&] { mF->LeggiDati(mSuite.Percorso(QStringLiteral("non esiste.txt"))); }, {errore}},
        // The engine reads the driver file: a document never written has none.
        {[&] { Strumento("mnuVerifica")->trigger(); },
         {QStringLiteral("Si deve salvare almeno una volta il driver\n"
                         "Salvarlo ora con un nome, per verificarlo?")}},
        // No log yet: the switch says so and keeps the sample in view, and markable.
        {[&] { Strumento("mnuTrasforma")->trigger(); },
         {QStringLiteral("Non c'è ancora un log da mostrare: il log della verifica si ottiene "
                         "con Verifica.\n") +
          mF->FileLogVerifica()}},
    };
    for (const auto& [azione, attesi] : casi) {
        mUI.Reimposta();
        azione();
        EXPECT_EQ(Testi(), attesi);
        EXPECT_EQ(Vista(), campione);
        EXPECT_EQ(mF->FileDati(), Campione());
        EXPECT_TRUE(mF->isEnabled());
        EXPECT_EQ(mUI.miCursore, 0);
    }
    EXPECT_FALSE(QFile::exists(mF->FileLogVerifica()));
    EXPECT_FALSE(Strumento("mnuTrasforma")->isChecked());
    EXPECT_TRUE(Servizi().MarcaturaPossibile());
}

TEST_F(FineAFineTest, UnsavedChangesAreSavedBeforeAVerificationOrTheLastSavedFileIsVerified) {
    ASSERT_NO_FATAL_FAILURE(InstallaMotore());
    mF->FileApri(Panasonic());
    mF->LeggiDati(Campione());
    const std::string salvato = Byte(Panasonic());
    const QString esito = QStringLiteral(
        "Verifica: 40 chiamate riconosciute, 3 righe non riconosciute - Trasforma mostra il log");
    for (RispostaUI risposta : {RispostaUI::No, RispostaUI::Si}) {
        Modifica();
        QFile::remove(mF->FileLogVerifica());
        mUI.Reimposta();
        mUI.mRisposte = {risposta};
        Strumento("mnuVerifica")->trigger();
        ASSERT_EQ(mUI.mMessaggi.size(), 1u);
        EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
        EXPECT_TRUE(QFile::exists(mF->FileLogVerifica()));
        EXPECT_EQ(mF->Documento().NonSalvato(), risposta == RispostaUI::No);
        EXPECT_EQ(Byte(Panasonic()) == salvato, risposta == RispostaUI::No);
        // "No" verified the file as saved, and the status bar says so.
        EXPECT_EQ(mF->statusBar()->currentMessage(),
                  risposta == RispostaUI::No
                      ? esito + QStringLiteral(" - verificato il file salvato, senza le modifiche")
                      : esito);
    }
    // The counts belong to the driver verified: an edit, New or Open takes them away.
    const std::pair<const char*, std::function<void()>> azioni[] = {
        {"edit", [&] { Modifica(); }},
        {"New", [&] { Strumento("mnuNuovo")->trigger(); }},
        {"Open", [&] { mF->FileApri(Panasonic()); }},
    };
    for (const auto& [nome, azione] : azioni) {
        SCOPED_TRACE(nome);
        mF->FileApri(Panasonic());
        Strumento("mnuVerifica")->trigger();
        EXPECT_EQ(mF->statusBar()->currentMessage(), esito);
        mUI.Reimposta();
        mUI.mRisposte = {RispostaUI::No};
        azione();
        EXPECT_EQ(mF->statusBar()->currentMessage(), QString());
    }
    // A new document, never saved, is offered Save As (whose checks want a brand).
    Strumento("mnuNuovo")->trigger();
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};
    Strumento("mnuVerifica")->trigger();
    EXPECT_EQ(Testi(), (QStringList{QStringLiteral("Si deve salvare almeno una volta il driver\n"
                                                   "Salvarlo ora con un nome, per verificarlo?"),
                                    QStringLiteral("Inserire la marca del centralino.")}));
}

TEST_F(FineAFineTest, ThePreviewProposesPrescanningEntriesAndTheDialogOffersThoseTheEngineKnows) {
    // Records closed by ETX and no line end, a BEL in each: one line far too long.
    std::string stampa;
    for (int i = 0; i < 20; ++i)
        stampa +=
            "01/02/24 10:15 201 \x07"
            "0123456789          \x03";
    const QString file = mSuite.Percorso(QStringLiteral("etx.txt"));
    prova::ScriviFile(file.toStdString(), stampa);
    mF->LeggiDati(file);
    mF->AggiornaAnteprima();
    QWidget* proposte = mF->Anteprima()->Proposte();
    const auto proposta = [&](const char* voce) {
        return proposte->findChild<QPushButton*>(QStringLiteral("cmdProponi") +
                                                 QString::fromLatin1(voce));
    };
    const auto voci = [&] {
        std::string s;
        const auto& p = mF->Documento().Driver().mcolPrescanning;
        for (int i = 1; p && i <= p->Count(); ++i)
            s += p->Item(i).sEntry + "=" + p->Item(i).sValue + ";";
        return s + mF->Documento().mrgxTrasf.Cella(Trasf::PRESCANNING, 1);
    };
    const std::string no = voci();
    ASSERT_NE(proposta("SeparatoreRecord"), nullptr);
    ASSERT_NE(proposta("TogliControlli"), nullptr);
    // Each proposal taken is one step, and goes from the proposals once the driver holds it.
    const int passi = mF->Documento().Storia()->count();
    proposta("SeparatoreRecord")->click();
    Rinfresca();
    EXPECT_EQ(proposta("SeparatoreRecord"), nullptr);
    ASSERT_NE(proposta("TogliControlli"), nullptr);
    proposta("TogliControlli")->click();
    Rinfresca();
    EXPECT_FALSE(proposte->isVisibleTo(mF->Anteprima()));
    EXPECT_EQ(mF->Documento().Storia()->count(), passi + 2);
    EXPECT_EQ(voci(), "SeparatoreRecord=<ETX>;TogliControlli=S;S\xEC");
    EXPECT_EQ(mF->Anteprima()->Modello()->Lettura().Conteggi().iRighe, 20u);
    Strumento("mnuAnnulla")->trigger();
    EXPECT_EQ(voci(), "SeparatoreRecord=<ETX>;S\xEC");
    Strumento("mnuAnnulla")->trigger();
    EXPECT_EQ(voci(), no);
    Strumento("mnuRipristina")->trigger();

    // The dialog: known entries added from its list (one already there is gone to, not
    // doubled), what the current one does under the grid, an unknown entry kept.
    U()->tabDriver->setCurrentIndex(2);
    PagTrasf()->grdTrasf->ImpostaCellaCorrente(Trasf::PRESCANNING, 1);
    auto visto = AlModale<frmPrescanning>([](frmPrescanning& d) {
        auto& u = *d.ui();
        EXPECT_EQ(u.lstVociNote->count(), static_cast<int>(VOCI_PRESCANNING.size()));
        EXPECT_TRUE(u.lblDescrizioneVoce->text().contains(QStringLiteral("<ETX>")));
        u.lstVociNote->setCurrentRow(0);  // RigheIntestazione
        u.cmdAggiungiVoce->click();
        EXPECT_EQ(u.grdPrescanning->RigaCorrente(), 1);
        EXPECT_EQ(u.grdPrescanning->ColonnaCorrente(), 1);
        Digita(*u.grdPrescanning, QStringLiteral("2"));
        Tasto(*u.grdPrescanning, Qt::Key_Return);
        Immetti(*u.grdPrescanning, 2, 0, QStringLiteral("Filtro"));
        EXPECT_TRUE(u.lblDescrizioneVoce->text().contains(QStringLiteral("non conosce")));
        u.lstVociNote->setCurrentRow(3);  // SeparatoreRecord, on row 0
        u.cmdAggiungiVoce->click();
        EXPECT_EQ(u.grdPrescanning->RigaCorrente(), 0);
        EXPECT_EQ(d.mrgxPrescanning.Righe(), 3);
        u.cmOK->click();
    });
    PagTrasf()->cmdImpTrasfGrd->click();
    EXPECT_TRUE(*visto);
    EXPECT_EQ(voci(), "SeparatoreRecord=<ETX>;RigheIntestazione=2;Filtro=;S\xEC");
}

}  // namespace

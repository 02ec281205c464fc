// New from the sample: the proposal becomes the document as one step, the preview reads it at
// once, and the pane of the proposal leads to where each item is edited.

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTreeWidget>

#include "AiutiPagine.h"
#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"
#include "anteprima/ModelloAnteprima.h"
#include "anteprima/PannelloAnteprima.h"
#include "catalogo/clsCatalogo.h"
#include "grid/clsGriglia.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"

namespace tarno::test {
namespace {

class PropostaTest : public FinestraDemo {};

TEST_F(PropostaTest, TheProposalIsOneUndoableStepThatThePreviewReadsAndThePaneLeadsTo) {
    QAction* comando = Strumento("mnuNuovoDalCampione");
    const QList<QAction*> file = U()->mnupopFile->actions();
    EXPECT_EQ(file.indexOf(comando), file.indexOf(U()->mnuNuovo) + 1);
    // Without a sample the command offers to read one; No leaves the window as it was.
    comando->trigger();
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
    EXPECT_FALSE(mF->RiquadroProposta()->isVisible());

    const QString stampa = Driver(QStringLiteral("PanasonicTDA.txt"));
    mF->LeggiDati(stampa);
    Strumento("mnuNuovo")->trigger();
    const DocumentoDriver::Stato vuoto = mF->Documento().Fotografa();
    mUI.Reimposta();
    mUI.mRisposte.push_back(RispostaUI::Si);  // new formats, if any, go to the catalogue
    comando->trigger();
    EXPECT_GT(mUI.miMaxCursore, 0);

    // The preview reads at once what the proposed driver reads on the same bytes.
    std::map<int16_t, std::string> formati;
    ASSERT_EQ(
        FormatiDelCatalogo(NomeFile(mSuite.Percorso(QStringLiteral("Tarnosuite.ini"))), formati),
        "");
    const std::string byte = Byte(stampa);
    const Proposta p = ProponiDriver(byte, formati);
    const uint64_t attese = clsLetturaCampione(p.driver, formati, byte).Conteggi().Chiamate();
    EXPECT_EQ(mF->Anteprima()->Modello()->Conteggi().Chiamate(), attese);
    EXPECT_GT(attese, 0u) << "the proposer found no call";

    // The pane lists the items; Enter on a field's leads to its row on its page.
    QTreeWidget* albero = mF->AlberoProposta();
    EXPECT_TRUE(mF->RiquadroProposta()->isVisible());
    EXPECT_GT(albero->topLevelItemCount(), 0);
    // "Solo quelle incerte" leaves the uncertain items alone in the list, and the count says how many.
    const auto incerte = std::count_if(p.vVoci.begin(), p.vVoci.end(),
                                       [](const VoceProposta& v) { return v.bIncerto; });
    EXPECT_TRUE(mF->SintesiProposta()->text().startsWith(QString::number(p.vVoci.size())));
    EXPECT_EQ(mF->SoloIncerte()->isEnabled(), incerte > 0);
    const auto visibili = [albero] {
        int n = 0;
        for (QTreeWidgetItemIterator it(albero, QTreeWidgetItemIterator::NotHidden); *it; ++it)
            n += (*it)->parent() && !(*it)->parent()->parent();
        return n;
    };
    mF->SoloIncerte()->setChecked(true);
    EXPECT_EQ(visibili(), incerte);
    mF->SoloIncerte()->setChecked(false);
    EXPECT_EQ(visibili(), static_cast<int>(p.vVoci.size()));
    const auto campo = std::find_if(p.vVoci.begin(), p.vVoci.end(), [](const VoceProposta& v) {
        return v.ambito == VoceProposta::Ambito::Campo;
    });
    if (campo == p.vVoci.end()) {
        ADD_FAILURE() << "the proposal has no field";
    } else {
        const auto trovati =
            albero->findItems(DaCp1252(campo->sTitolo), Qt::MatchStartsWith | Qt::MatchRecursive);
        ASSERT_FALSE(trovati.isEmpty());
        albero->setFocus();
        albero->setCurrentItem(trovati[0]);
        QTest::keyClick(albero, Qt::Key_Return);
        PaginaCampi* pagina = campo->bEntranti ? PagEntranti() : PagUscenti();
        EXPECT_EQ(U()->tabDriver->currentIndex(),
                  campo->bEntranti ? frmDriver::PAGINA_ENTRANTI : frmDriver::PAGINA_USCENTI);
        EXPECT_EQ(pagina->mpGriglia->currentIndex().row(),
                  IndiceCampo(campo->sCampo, campo->bEntranti));
    }

    // One undo, and the document is the empty one again.
    EXPECT_TRUE(mF->Documento().NonSalvato());
    Strumento("mnuAnnulla")->trigger();
    EXPECT_TRUE(mF->Documento().Fotografa() == vuoto);
}

// A format typed in a Formato cell that the catalogue lacks goes to it after a question, with
// the code after the last, and every list offers it at once; a text that is no format of the
// field's kind is refused without a question, and so is one the catalogue will not take.
class FormatoDigitatoTest : public FinestraDemo {};
TEST_F(FormatoDigitatoTest, ATypedFormatTheCatalogueLacksIsAddedAfterAQuestion) {
    const auto ultimo = [this] {
        int codice = 0;
        for (const TabellaValori* t : {&mF->mrgxFormatiData, &mF->mrgxFormatiOra})
            for (int r = 1; r < t->Righe(); ++r)
                codice = std::max(codice, std::stoi(t->Cella(r, 1)));
        return codice;
    };
    clsGriglia* g = PagEntranti()->mpGriglia;
    constexpr int DATA = 0, DURATA = 3, FORMATO = 4;
    // Row, text, answer, the message that follows (none when it is added).
    const std::tuple<int, const char*, RispostaUI, int> casi[] = {
        {DURATA, "gg-mm-aa", RispostaUI::Si, 32202},
        {DATA, "hh-mm", RispostaUI::Si, 32201},
        {DURATA, "hh:mm'ss", RispostaUI::No, 32206},
        {DURATA, "hh:mm'ss", RispostaUI::Si, 0},
        {DATA, "aammgg", RispostaUI::Si, 0},
        {DATA, "mm-gg-aa hh:mm", RispostaUI::Si, 32207},
    };
    for (const auto& [riga, testo, risposta, messaggio] : casi) {
        SCOPED_TRACE(testo);
        if (messaggio == 32207) {  // a catalogue that refuses to be written
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "blocco");
                db.setDatabaseName(mSuite.Percorso(QStringLiteral("catalogo.db")));
                ASSERT_TRUE(db.open());
                ASSERT_TRUE(QSqlQuery(db).exec(
                    "CREATE TRIGGER blocco BEFORE INSERT ON FormatiData BEGIN SELECT "
                    "RAISE(ABORT, 'sola lettura'); END"));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("blocco"));
        }
        mUI.Reimposta();
        mUI.mRisposte = {risposta};
        const int prima = ultimo();
        const std::string cella = mF->Documento().mrgxEntranti.Cella(riga, FORMATO);
        const int scritte = g->ScriviCelle({{riga, FORMATO, QString::fromLatin1(testo)}});
        const bool domanda = messaggio == 0 || messaggio >= 32206;
        ASSERT_EQ(mUI.mMessaggi.size(), (domanda ? 1u : 0u) + (messaggio ? 1u : 0u));
        if (domanda) {
            EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
        }
        if (messaggio) {
            EXPECT_TRUE(mUI.mMessaggi.back().testo.startsWith(
                TestoRisorsa(messaggio).arg(QString::fromLatin1(testo)).left(20)))
                << mUI.mMessaggi.back().testo.toStdString();
            EXPECT_EQ(scritte, 0);
            EXPECT_EQ(mF->Documento().mrgxEntranti.Cella(riga, FORMATO), cella);
            EXPECT_EQ(ultimo(), prima);
            continue;
        }
        EXPECT_EQ(ultimo(), prima + 1);
        EXPECT_EQ(mF->Documento().mrgxEntranti.Cella(riga, FORMATO), std::to_string(prima + 1));
        // The other page offers it too, under its text.
        EXPECT_EQ(PagUscenti()->mpGriglia->Modello()->TestoDi(FORMATO, std::to_string(prima + 1)),
                  QString::fromLatin1(testo));
    }
    EXPECT_TRUE(mUI.mMessaggi.back().testo.contains(QStringLiteral("sola lettura")));
}

// The texts of a column marked with their call kind become that kind's conditions, one
// "uguale a" per text, as one step; the kind's conditions on other columns stay.
TEST_F(PropostaTest, TheKindsMarkedOnAColumnsTextsBecomeItsConditions) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    mF->AggiornaAnteprima();
    const DocumentoDriver::Stato prima = mF->Documento().Fotografa();
    QTextCursor sel(U()->rtfTesto->document()->findBlockByNumber(3));
    sel.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 23);
    sel.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
    U()->rtfTesto->setTextCursor(sel);
    PannelloAnteprima* p = mF->Anteprima();
    const auto& testi = p->TestiColonna();
    const auto conI =
        std::find_if(testi.begin(), testi.end(), [](const auto& t) { return t.sTesto == "<I>"; });
    ASSERT_NE(conI, testi.end());
    const int r = static_cast<int>(conI - testi.begin());
    // Beside the text: a line that holds it and the fields its calls fill.
    EXPECT_EQ(p->TabellaColonna()->item(r, PannelloAnteprima::COL_ESEMPIO)->text().left(27),
              QStringLiteral("01/12/26 08:00  201 01 <I>0"));
    EXPECT_EQ(p->TabellaColonna()->item(r, PannelloAnteprima::COL_CAMPI)->text(),
              TestoRisorsa(32230) + ", " + TestoRisorsa(32232));
    auto* tipo =
        qobject_cast<QComboBox*>(p->TabellaColonna()->cellWidget(r, PannelloAnteprima::COL_TIPO));
    ASSERT_TRUE(tipo);
    tipo->setCurrentIndex(PannelloAnteprima::VALORE_ENTRANTE);
    emit tipo->activated(PannelloAnteprima::VALORE_ENTRANTE);
    // A field a save leaves out comes first: the conditions written would drop it.
    std::string& formato = PagUscenti()->Tabella().Cella(Campi::RIGA_DURATA, Campi::COL_FORMATO);
    const std::string tenuto = std::exchange(formato, std::string());
    p->PulsanteCondizioni()->click();
    formato = tenuto;
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.startsWith(TestoRisorsa(32034).arg(QString())));
    EXPECT_TRUE(mF->Documento().Fotografa() == prima);
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};  // the incoming calls have conditions already
    p->PulsanteCondizioni()->click();
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
    const ColCondizioni& col = *mF->Documento().moDriver->moEntranti->mcolCondizioni;
    std::vector<std::string> viste;
    for (int i = 1; i <= col.Count(); ++i)
        viste.push_back(col.Item(i).Valore() + col.Item(i).msCongiunzione);
    clsCondizione attesa;
    attesa.menOperatore = clsCondizione::SOLO_NUMERI, attesa.miRiga = 1;
    attesa.miInizio = 17, attesa.miLunghezza = 3;
    clsCondizione uguale = attesa;
    uguale.menOperatore = clsCondizione::UGUALE_A, uguale.miInizio = 24, uguale.msValore = "<I>";
    EXPECT_EQ(viste, (std::vector<std::string>{uguale.Valore() + "And", attesa.Valore()}));
    Strumento("mnuAnnulla")->trigger();
    EXPECT_TRUE(mF->Documento().Fotografa() == prima);
}

}  // namespace
}  // namespace tarno::test

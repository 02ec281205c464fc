// The general transformations dialog: grid, entry row, cell buttons, conditions that follow
// their rows, the check of every row, and the caller's copy on OK and on Annulla.

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "SupportoGui.h"
#include "Risorse.h"
#include "clsDriver.h"
#include "clsGriglia.h"
#include "frmIdentificazione.h"
#include "frmImpostazioniGenerali.h"
#include "frmSeleziona.h"
#include "ui_frmIdentificazione.h"
#include "ui_frmImpostazioniGenerali.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using G = frmImpostazioniGenerali;
using T = clsTrasformazione;

T Trasf(int32_t tipo, int32_t op, int16_t riga, int16_t inizio, int16_t lunghezza,
        std::string sorgente = "", std::string valore = "") {
    T t;
    t.menTipo = tipo;
    t.menOperazione = op;
    t.miRiga = riga;
    t.miInizio = inizio;
    t.miLunghezza = lunghezza;
    t.msSorgente = std::move(sorgente);
    t.msValore = std::move(valore);
    return t;
}

ColCondizioni Condizioni(std::initializer_list<std::string> valori) {
    ColCondizioni col;
    int n = 0;
    for (const auto& v : valori) {
        clsCondizione c;
        c.menOperatore = clsCondizione::UGUALE_A;
        c.miRiga = 1;
        c.miInizio = static_cast<int16_t>(++n);
        c.miLunghezza = static_cast<int16_t>(v.size());
        c.msValore = v;
        c.msCongiunzione = n < static_cast<int>(valori.size()) ? "And" : "";
        col.Add(c, std::to_string(n));
    }
    return col;
}

Collezione<T> Elenco(std::vector<T> v) {
    Collezione<T> col;
    int k = 0;
    for (auto& t : v) col.Add(std::move(t), std::to_string(k++));
    return col;
}

// The conditions' values in order, "" for none: enough to tell whose they are.
std::string Firma(const std::optional<ColCondizioni>& col) {
    std::string s;
    if (col)
        for (const auto& v : *col) s += v.valore.msValore + v.valore.msCongiunzione + ";";
    return s;
}

bool Uguali(const T& a, const T& b) {
    return a.menTipo == b.menTipo && a.menOperazione == b.menOperazione && a.miRiga == b.miRiga &&
           a.miInizio == b.miInizio && a.miLunghezza == b.miLunghezza &&
           a.msSorgente == b.msSorgente && a.msValore == b.msValore &&
           a.mcolCondizioni.has_value() == b.mcolCondizioni.has_value() &&
           Firma(a.mcolCondizioni) == Firma(b.mcolCondizioni);
}

class GeneraliTest : public ConServiziScriptati {
  protected:
    // A dialog on a list, shown (not modal) and loaded.
    std::unique_ptr<G> Apri(std::optional<Collezione<T>> col, int16_t ent = 2, int16_t usc = 1) {
        auto d = std::make_unique<G>();
        d->mcolTrasf = std::move(col);
        d->miNumRigheEnt = ent;
        d->miNumRigheUsc = usc;
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
    static clsGriglia* Griglia(G& d) { return d.ui()->grdTrasformazioni; }
    static std::string Cella(G& d, int r, int c) { return Griglia(d)->Tabella()->Cella(r, c); }
    static QString Mostrato(G& d, int r, int c) {
        auto* m = Griglia(d)->model();
        return m->data(m->index(r, c)).toString();
    }
    static int RigheTabella(G& d) { return Griglia(d)->Tabella()->Righe(); }
    static void Tasto(G& d, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* w = QApplication::focusWidget();
        QTest::keyClick(w ? w : Griglia(d), k, m);
    }
    // Types into whatever has the focus, key by key (the first key may open a cell editor).
    static void Scrivi(const QString& testo) {
        for (const QChar ch : testo) {
            QWidget* w = QApplication::focusWidget();
            ASSERT_NE(w, nullptr);
            if (ch.unicode() < 0x80) {
                QTest::keyClicks(w, QString(ch));
            } else {
                QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), Qt::Key_unknown,
                                    QString(ch), Qt::NoModifier);
            }
        }
    }
    // The message of ControllaDati for the dialog's rows ("" when it passes).
    QString Controllo(std::vector<T> righe, int16_t ent = 2, int16_t usc = 1) {
        auto d = Apri(Elenco(std::move(righe)), ent, usc);
        mUI.mMessaggi.clear();
        const bool esito = d->ControllaDati();
        if (esito) {
            EXPECT_TRUE(mUI.mMessaggi.empty());
            return QString();
        }
        EXPECT_EQ(mUI.mMessaggi.size(), 1u);
        if (mUI.mMessaggi.empty()) return QStringLiteral("?");
        EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
        EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);
        EXPECT_EQ(QApplication::focusWidget(), Griglia(*d));
        return mUI.mMessaggi[0].testo;
    }
};

// ---- load and fill

TEST_F(GeneraliTest, FillsOneRowPerTransformationAndAnEntryRow) {
    auto col = Elenco({Trasf(T::INIZIALE, T::SOSTITUISCI, 1, 55, 8, "'", ":"),
                       Trasf(T::ENTRANTI, T::ELIMINA, 0, 24, 3, "<I>"),
                       Trasf(T::USCENTI, T::IGNORA, 1, 1, 10, "0", "SX")});
    col.Item(2).mcolCondizioni = Condizioni({"E"});
    col.Item(3).mcolCondizioni = ColCondizioni();  // present but empty: no conditions
    auto d = Apri(col);

    EXPECT_EQ(d->windowTitle(), QStringLiteral("Impostazioni"));
    EXPECT_EQ(d->ui()->Label1->text(), QStringLiteral("&Trasformazioni generali:"));
    EXPECT_EQ(d->ui()->cmdCondizioni->text(), QStringLiteral("&Condizioni"));
    EXPECT_EQ(d->ui()->mcdInsert->text(), QStringLiteral("Insert"));
    EXPECT_EQ(d->ui()->cmdAnnulla->text(), QStringLiteral("&Annulla"));
    EXPECT_TRUE(d->ui()->cmdOK->isDefault());

    auto* g = Griglia(*d);
    const QStringList titoli{"Riga",       "Posiz.",   "Lung.",  "Chiamate",
                             "Operazione", "Sorgente", "Valore", "Condiz."};
    const int twip[] = {560, 570, 560, 885, 1085, 1215, 1200, 700};
    ASSERT_EQ(g->Colonne(), 8);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(g->model()->headerData(c, Qt::Horizontal).toString(), titoli[c]);
        EXPECT_EQ(g->columnWidth(c), clsGriglia::PixelDaTwip(twip[c])) << c;
    }
    EXPECT_TRUE(g->Colonna(1)->mbPulsante);
    EXPECT_TRUE(g->Colonna(2)->mbPulsante);
    EXPECT_FALSE(g->Colonna(0)->mbPulsante);

    EXPECT_EQ(RigheTabella(*d), 3);
    EXPECT_EQ(g->model()->rowCount(), 4);  // the entry row
    EXPECT_EQ(g->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("*"));
    EXPECT_EQ(Mostrato(*d, 0, 3), QStringLiteral("Tutte"));
    EXPECT_EQ(Mostrato(*d, 1, 3), QStringLiteral("Entranti"));
    EXPECT_EQ(Mostrato(*d, 2, 3), QStringLiteral("Uscenti"));
    EXPECT_EQ(Mostrato(*d, 0, 4), QStringLiteral("Sostituisci"));
    EXPECT_EQ(Mostrato(*d, 2, 4), QStringLiteral("Ignora carattere"));
    EXPECT_EQ(Cella(*d, 0, 4), "1");
    EXPECT_EQ(Cella(*d, 2, 4), "10");
    EXPECT_EQ(Cella(*d, 1, 0), "");  // line 0 is "not given"
    EXPECT_EQ(Cella(*d, 0, 5), "'");
    EXPECT_EQ(Mostrato(*d, 1, 7), QStringLiteral("Presenti"));
    EXPECT_EQ(Mostrato(*d, 0, 7), QString());
    EXPECT_EQ(Mostrato(*d, 2, 7), QString());
    ASSERT_NE(d->CondizioniRiga(1), nullptr);
    EXPECT_EQ(d->CondizioniRiga(1)->Item(1).msValore, "E");
    EXPECT_EQ(d->CondizioniRiga(2), nullptr);
    // Current cell: first row, Posiz.
    EXPECT_EQ(g->RigaCorrente(), 0);
    EXPECT_EQ(g->ColonnaCorrente(), 1);
}

TEST_F(GeneraliTest, ListsOfferTheirValuesInOrder) {
    auto d = Apri(std::nullopt, 3, 5);
    auto* g = Griglia(*d);
    EXPECT_EQ(RigheTabella(*d), 0);
    EXPECT_EQ(g->model()->rowCount(), 1);

    QStringList righe;
    for (const auto& v : g->Colonna(0)->moLista.Voci()) righe << v.msTesto;
    EXPECT_EQ(righe, (QStringList{"", "1", "2", "3", "4", "5"}));  // the larger line count

    QStringList operazioni;
    std::vector<std::string> codici;
    for (const auto& v : g->Colonna(4)->moLista.Voci()) {
        operazioni << v.msTesto;
        codici.push_back(v.msValore);
    }
    EXPECT_EQ(operazioni,
              (QStringList{"", "Allinea", "Copia", "Dividi", "Elimina", "Espandi", "Estrai numero",
                           "Inserisci", "Moltiplica", "Somma", "Sostituisci", "UTC", "Sposta",
                           "Ignora carattere", "Sottrai"}));
    EXPECT_EQ(codici, (std::vector<std::string>{"", "8", "12", "3", "7", "13", "9", "6", "2", "4",
                                                "1", "14", "11", "10", "5"}));
    for (int c : {0, 1, 2, 3, 4}) EXPECT_TRUE(g->Colonna(c)->moLista.Limita()) << c;
    EXPECT_FALSE(g->Colonna(5)->moLista.Limita());
    EXPECT_FALSE(g->Colonna(6)->moLista.Limita());
}

// ---- check

TEST_F(GeneraliTest, EveryRuleOfTheCheckHasItsMessage) {
    const QString e = QStringLiteral("Errore alla riga ");
    // Rule 1.
    EXPECT_EQ(Controllo({Trasf(T::TIPO_NESSUNO, T::ELIMINA, 1, 1, 1)}),
              e + "1. Inserire su quali chiamate la trasformazione deve essere effettuata");
    // Rule 2: "Tutte" needs position, length and operation but no line.
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 2)}), QString());
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 2),
                         Trasf(T::INIZIALE, T::ELIMINA, 0, 0, 2)}),
              e + "2. I campi posizione, lunghezza e operazione sono obbligatori");
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 0)}),
              e + "1. I campi posizione, lunghezza e operazione sono obbligatori");
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::OP_NESSUNA, 1, 1, 2)}),
              e + "1. I campi posizione, lunghezza e operazione sono obbligatori");
    // Rule 3: incoming and outgoing rows need a line as well.
    EXPECT_EQ(Controllo({Trasf(T::ENTRANTI, T::ELIMINA, 0, 1, 2)}),
              e + "1. I campi numero di riga, posizione, lunghezza e operazione sono obbligatori");
    EXPECT_EQ(Controllo({Trasf(T::USCENTI, T::OP_NESSUNA, 1, 1, 2)}),
              e + "1. I campi numero di riga, posizione, lunghezza e operazione sono obbligatori");
    // Rule 4: the line within the call kind's line count.
    EXPECT_EQ(Controllo({Trasf(T::ENTRANTI, T::ELIMINA, 2, 1, 2),
                         Trasf(T::ENTRANTI, T::ELIMINA, 3, 1, 2)}),
              e + QString::fromUtf8("2. Il numero di riga \xC3\xA8 troppo grande (max 2)"));
    EXPECT_EQ(Controllo({Trasf(T::USCENTI, T::ELIMINA, 2, 1, 2)}, 4, 1),
              e + QString::fromUtf8("1. Il numero di riga \xC3\xA8 troppo grande (max 1)"));
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::ELIMINA, 3, 1, 2)}), QString());  // "Tutte": free
    // Rule 5.
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::SOSTITUISCI, 0, 1, 2, "", "x")}),
              e + "1. Insieme all'operarazione si deve specificare anche la sorgente");
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::SOSTITUISCI, 0, 1, 2, "a", "")}), QString());
    // Rule 6, for each operation that needs a value.
    for (int32_t op : {T::ALLINEA, T::DIVIDI, T::INSERISCI, T::MOLTIPLICA, T::SOMMA, T::SOTTRAI,
                       T::COPIA, T::SPOSTA}) {
        EXPECT_EQ(Controllo({Trasf(T::INIZIALE, op, 0, 1, 2, "s", "")}),
                  e + "1. Insieme all'operazione si deve specificare anche il valore")
            << op;
        EXPECT_EQ(Controllo({Trasf(T::INIZIALE, op, 0, 1, 2, "", "v")}), QString()) << op;
    }
    // Rule 7.
    const QString ignora =
        e +
        "1. Inserire nella sorgente il carattere (o il suo codice) da ignorare e nel valore "
        "DX o SX per specificare di ignorare a destra o a sinistra";
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::IGNORA, 0, 1, 2, "0", "")}), ignora);
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::IGNORA, 0, 1, 2, "", "SX")}), ignora);
    EXPECT_EQ(Controllo({Trasf(T::INIZIALE, T::IGNORA, 0, 1, 2, "0", "SX")}), QString());
    // Operations that need neither source nor value.
    for (int32_t op : {T::ELIMINA, T::ESTRAI_NUMERO, T::ESPANDI, T::UTC})
        EXPECT_EQ(Controllo({Trasf(T::USCENTI, op, 1, 1, 2)}), QString()) << op;
    // Rules 5 to 7 only after rules 1 to 4 passed for the row.
    EXPECT_EQ(Controllo({Trasf(T::ENTRANTI, T::SOSTITUISCI, 0, 1, 2)}),
              e + "1. I campi numero di riga, posizione, lunghezza e operazione sono obbligatori");
}

TEST_F(GeneraliTest, AFailingCheckKeepsTheDialogOpenOnTheFaultyRow) {
    // An "Entranti" row with a line above the incoming call's line count.
    auto d = Apri(
        Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 2), Trasf(T::ENTRANTI, T::ELIMINA, 3, 1, 2)}),
        2, 5);
    d->ui()->cmdOK->click();
    EXPECT_EQ(Testi(),
              QStringList{QString::fromUtf8(
                  "Errore alla riga 2. Il numero di riga \xC3\xA8 troppo grande (max 2)")});
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->mbCancel);
    EXPECT_EQ(Griglia(*d)->RigaCorrente(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Griglia(*d));
    // An outgoing row with the same line passes: the outgoing call has 5 lines.
    d->ui()->grdTrasformazioni->Tabella()->Cella(1, 3) = "3";
    mUI.mMessaggi.clear();
    d->ui()->cmdOK->click();
    EXPECT_TRUE(mUI.mMessaggi.empty());
    EXPECT_FALSE(d->mbCancel);
    ASSERT_TRUE(d->mcolTrasf);
    EXPECT_EQ(d->mcolTrasf->Item(2).menTipo, T::USCENTI);
    EXPECT_EQ(d->mcolTrasf->Item(2).miRiga, 3);
}

// ---- conditions follow their rows

TEST_F(GeneraliTest, ConditionsStayWithTheirRowsOnInsertAndDelete) {
    auto col = Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 1, "", "A"),
                       Trasf(T::INIZIALE, T::ELIMINA, 0, 2, 1, "", "B"),
                       Trasf(T::INIZIALE, T::ELIMINA, 0, 3, 1, "", "C")});
    col.Item(2).mcolCondizioni = Condizioni({"b1", "b2"});
    col.Item(3).mcolCondizioni = Condizioni({"c1"});
    auto d = Apri(col);
    auto* g = Griglia(*d);

    // Insert above B, with the button.
    g->ImpostaCellaCorrente(1, 2);
    d->ui()->mcdInsert->click();
    EXPECT_EQ(RigheTabella(*d), 4);
    EXPECT_EQ(g->RigaCorrente(), 1);
    EXPECT_EQ(Cella(*d, 1, 6), "");
    EXPECT_EQ(Cella(*d, 2, 6), "B");
    EXPECT_EQ(d->CondizioniRiga(1), nullptr);
    ASSERT_NE(d->CondizioniRiga(2), nullptr);
    EXPECT_EQ(d->CondizioniRiga(2)->Count(), 2);
    EXPECT_EQ(d->CondizioniRiga(3)->Item(1).msValore, "c1");
    EXPECT_EQ(Mostrato(*d, 1, 7), QString());
    EXPECT_EQ(Mostrato(*d, 2, 7), QStringLiteral("Presenti"));
    EXPECT_EQ(Mostrato(*d, 3, 7), QStringLiteral("Presenti"));

    // Insert above A, with the Insert key from the grid.
    g->ImpostaCellaCorrente(0, 1);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Insert);
    EXPECT_EQ(RigheTabella(*d), 5);
    EXPECT_EQ(Cella(*d, 1, 6), "A");
    EXPECT_EQ(d->CondizioniRiga(3)->Item(2).msValore, "b2");
    EXPECT_EQ(d->CondizioniRiga(4)->Item(1).msValore, "c1");

    // Delete the two empty rows (Ctrl+Delete) and A (Delete on a row chosen by its header).
    g->ImpostaCellaCorrente(2, 3);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(RigheTabella(*d), 4);
    EXPECT_EQ(d->CondizioniRiga(2)->Item(1).msValore, "b1");
    EXPECT_EQ(d->CondizioniRiga(3)->Item(1).msValore, "c1");
    g->ImpostaCellaCorrente(0, 3);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Cella(*d, 0, 6), "A");
    const QRect selettore(0, g->verticalHeader()->sectionViewportPosition(0),
                          g->verticalHeader()->width(), g->verticalHeader()->sectionSize(0));
    QTest::mouseClick(g->verticalHeader()->viewport(), Qt::LeftButton, {}, selettore.center());
    QTest::keyClick(g, Qt::Key_Delete);
    ASSERT_EQ(RigheTabella(*d), 2);
    EXPECT_EQ(Cella(*d, 0, 6), "B");
    EXPECT_EQ(d->CondizioniRiga(0)->Item(2).msValore, "b2");
    EXPECT_EQ(d->CondizioniRiga(1)->Item(1).msValore, "c1");
    EXPECT_EQ(d->CondizioniRiga(2), nullptr);

    d->ui()->cmdOK->click();
    ASSERT_FALSE(d->mbCancel) << Testi().join('|').toStdString();
    ASSERT_EQ(d->mcolTrasf->Count(), 2);
    EXPECT_EQ(d->mcolTrasf->Item(1).msValore, "B");
    EXPECT_EQ(Firma(d->mcolTrasf->Item(1).mcolCondizioni), "b1And;b2;");
    EXPECT_EQ(d->mcolTrasf->Item(2).msValore, "C");
    EXPECT_EQ(Firma(d->mcolTrasf->Item(2).mcolCondizioni), "c1;");
    EXPECT_EQ(*d->mcolTrasf->Chiave(1), "0");
    EXPECT_EQ(*d->mcolTrasf->Chiave(2), "1");
}

TEST_F(GeneraliTest, EmptyingTheConditionsCellDropsTheConditions) {
    auto col = Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 1, "", "A"),
                       Trasf(T::INIZIALE, T::ELIMINA, 0, 2, 1, "", "B")});
    col.Item(1).mcolCondizioni = Condizioni({"a"});
    col.Item(2).mcolCondizioni = Condizioni({"b"});
    auto d = Apri(col);
    auto* g = Griglia(*d);
    g->setFocus();

    // Typing is not taken in the column: it only shows whether there are conditions.
    g->ImpostaCellaCorrente(1, 7);
    QTest::keyClicks(g, QStringLiteral("x"));
    EXPECT_FALSE(g->InModifica());
    EXPECT_EQ(Mostrato(*d, 1, 7), QStringLiteral("Presenti"));
    ASSERT_NE(d->CondizioniRiga(1), nullptr);

    QTest::keyClick(g, Qt::Key_Delete);
    EXPECT_EQ(Mostrato(*d, 1, 7), QString());
    EXPECT_EQ(d->CondizioniRiga(1), nullptr);
    g->ImpostaCellaCorrente(0, 7);
    QTest::keyClick(g, Qt::Key_Backspace);
    EXPECT_EQ(d->CondizioniRiga(0), nullptr);
    EXPECT_TRUE(mUI.mMessaggi.empty());

    d->ui()->cmdOK->click();
    ASSERT_FALSE(d->mbCancel);
    EXPECT_FALSE(d->mcolTrasf->Item(1).mcolCondizioni.has_value());
    EXPECT_FALSE(d->mcolTrasf->Item(2).mcolCondizioni.has_value());
}

// ---- the conditions editor

class CondizioniTest : public GeneraliTest {
  protected:
    // Presses "Condizioni" (Alt+C) on row r; fnAgisci acts on the conditions editor, which
    // the test then leaves with OK (bOK) or Annulla.
    void ApriCondizioni(G& d, int r, const std::function<void(frmIdentificazione&)>& fnAgisci,
                        bool bOK) {
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        Griglia(d)->ImpostaCellaCorrente(r, 1);
        Griglia(d)->setFocus();
        bool fatto = false;
        // The access key clicks the button a moment later: the editor is awaited.
        QTimer attesa;
        attesa.setInterval(5);
        QObject::connect(&attesa, &QTimer::timeout, [&] {
            auto* f = qobject_cast<frmIdentificazione*>(QApplication::activeModalWidget());
            if (!f || fatto) return;
            attesa.stop();
            fatto = true;
            fnAgisci(*f);
            (bOK ? f->ui()->cmOK : f->ui()->cmdAnnulla)->click();
        });
        attesa.start();
        QTest::keyClick(&d, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return fatto &&
                       !qobject_cast<frmIdentificazione*>(QApplication::activeModalWidget());
            },
            2000));
        EXPECT_EQ(d.focusWidget(), Griglia(d));
    }
    static void Scrivi(frmIdentificazione& f, int r, int c, const QString& testo) {
        auto* m = f.ui()->grdCondizioni->model();
        ASSERT_TRUE(m->setData(m->index(r, c), testo)) << r << "," << c;
    }
};

TEST_F(CondizioniTest, TheEditorGetsTheRowsConditionsAndItsTexts) {
    auto col = Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 1, "", "A"),
                       Trasf(T::ENTRANTI, T::ELIMINA, 1, 2, 1, "", "B")});
    col.Item(2).mcolCondizioni = Condizioni({"b1"});
    auto d = Apri(col, 2, 4);

    // Row B: its condition, lines of an incoming call; a second condition is added.
    ApriCondizioni(
        *d, 1,
        [&](frmIdentificazione& f) {
            EXPECT_EQ(f.windowTitle(),
                      QStringLiteral("Condizioni sotto le quali applicare la trasformazione"));
            EXPECT_EQ(f.ui()->lblPrompt->text(), QStringLiteral("Condizioni"));
            auto* g = f.ui()->grdCondizioni;
            ASSERT_EQ(g->Tabella()->Righe(), 1);
            EXPECT_EQ(g->Tabella()->Cella(0, 5), "b1");
            EXPECT_EQ(g->Colonna(0)->moLista.Conta(), 3);  // "", 1, 2
            Scrivi(f, 0, 6, QStringLiteral("Or"));
            Scrivi(f, 1, 0, QStringLiteral("2"));
            Scrivi(f, 1, 1, QStringLiteral("4"));
            Scrivi(f, 1, 2, QStringLiteral("3"));
            Scrivi(f, 1, 3, QStringLiteral("Solo numeri"));
        },
        true);
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    ASSERT_NE(d->CondizioniRiga(1), nullptr);
    ASSERT_EQ(d->CondizioniRiga(1)->Count(), 2);
    EXPECT_EQ(d->CondizioniRiga(1)->Item(1).msCongiunzione, "Or");
    EXPECT_EQ(d->CondizioniRiga(1)->Item(2).menOperatore, clsCondizione::SOLO_NUMERI);
    EXPECT_EQ(d->CondizioniRiga(1)->Item(2).miRiga, 2);
    EXPECT_EQ(Mostrato(*d, 1, 7), QStringLiteral("Presenti"));

    // Row A ("Tutte"): none yet, lines of the longer call; cancelled, nothing changes.
    ApriCondizioni(
        *d, 0,
        [&](frmIdentificazione& f) {
            EXPECT_EQ(f.ui()->grdCondizioni->Tabella()->Righe(), 0);
            EXPECT_EQ(f.ui()->grdCondizioni->Colonna(0)->moLista.Conta(), 5);
            Scrivi(f, 0, 0, QStringLiteral("1"));
        },
        false);
    EXPECT_EQ(d->CondizioniRiga(0), nullptr);
    EXPECT_EQ(Mostrato(*d, 0, 7), QString());

    // Row B confirmed without rows: its conditions go.
    ApriCondizioni(
        *d, 1,
        [&](frmIdentificazione& f) {
            auto* g = f.ui()->grdCondizioni;
            g->ImpostaCellaCorrente(0, 0);
            QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
            QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
            EXPECT_EQ(g->Tabella()->Righe(), 0);
        },
        true);
    EXPECT_EQ(d->CondizioniRiga(1), nullptr);
    EXPECT_EQ(Mostrato(*d, 1, 7), QString());

    d->ui()->cmdOK->click();
    ASSERT_FALSE(d->mbCancel) << Testi().join('|').toStdString();
    EXPECT_FALSE(d->mcolTrasf->Item(1).mcolCondizioni.has_value());
    EXPECT_FALSE(d->mcolTrasf->Item(2).mcolCondizioni.has_value());
}

TEST_F(CondizioniTest, ConditionsGivenOnTheEntryRowMakeARow) {
    auto d = Apri(std::nullopt, 1, 1);
    ApriCondizioni(
        *d, 0,
        [&](frmIdentificazione& f) {
            Scrivi(f, 0, 0, QStringLiteral("1"));
            Scrivi(f, 0, 1, QStringLiteral("1"));
            Scrivi(f, 0, 2, QStringLiteral("1"));
            Scrivi(f, 0, 3, QStringLiteral("Uguale a"));
            Scrivi(f, 0, 5, QStringLiteral("E"));
        },
        true);
    ASSERT_EQ(RigheTabella(*d), 1);
    EXPECT_EQ(Mostrato(*d, 0, 7), QStringLiteral("Presenti"));
    ASSERT_NE(d->CondizioniRiga(0), nullptr);
    EXPECT_EQ(d->CondizioniRiga(0)->Item(1).msValore, "E");
    // The row still needs its own values.
    mUI.mMessaggi.clear();
    d->ui()->cmdOK->click();
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Errore alla riga 1. Inserire su quali chiamate "
                                                  "la trasformazione deve essere effettuata")});
}

// ---- the caller's copy

TEST_F(GeneraliTest, AnnullaLeavesTheDriverAsItWas) {
    clsDriver driver;
    driver.mcolTrasf = Elenco({Trasf(T::ENTRANTI, T::SOSTITUISCI, 1, 55, 8, "'", ":")});
    driver.mcolTrasf->Item(1).mcolCondizioni = Condizioni({"x"});
    const clsTrasformazione prima = driver.mcolTrasf->Item(1);

    for (bool conEsc : {false, true}) {
        G dlg;
        dlg.mcolTrasf = driver.mcolTrasf;
        dlg.miNumRigheEnt = 1;
        dlg.miNumRigheUsc = 1;
        dlg.setWindowTitle(TestoRisorsa(10657));
        bool fatto = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<G*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(d));
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Avanzate"));
            auto* g = d->ui()->grdTrasformazioni;
            g->setFocus();
            g->ImpostaCellaCorrente(0, 6);
            Scrivi(QStringLiteral("nuovo"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(g->Tabella()->Cella(0, 6), "nuovo");
            g->ImpostaCellaCorrente(0, 7);
            QTest::keyClick(g, Qt::Key_Delete);
            d->mcdInsert_Click();
            if (conEsc)
                QTest::keyClick(g, Qt::Key_Escape);
            else
                d->ui()->cmdAnnulla->click();
            fatto = true;
        });
        dlg.exec();
        EXPECT_TRUE(fatto);
        EXPECT_TRUE(dlg.mbCancel);
        if (!dlg.mbCancel) driver.mcolTrasf = std::move(dlg.mcolTrasf);
        ASSERT_EQ(driver.mcolTrasf->Count(), 1);
        EXPECT_TRUE(Uguali(driver.mcolTrasf->Item(1), prima));
        EXPECT_EQ(Firma(driver.mcolTrasf->Item(1).mcolCondizioni), "x;");
    }
}

TEST_F(GeneraliTest, OkWritesTheTransformationsBack) {
    clsDriver driver;
    driver.mcolTrasf = Elenco({Trasf(T::ENTRANTI, T::IGNORA, 1, 1, 10, "0", "SX"),
                               Trasf(T::INIZIALE, T::MOLTIPLICA, 0, 5, 3, "", "60")});
    driver.mcolTrasf->Item(2).mcolCondizioni = Condizioni({"k1", "k2"});

    G dlg;
    dlg.mcolTrasf = driver.mcolTrasf;
    dlg.miNumRigheEnt = 2;
    dlg.miNumRigheUsc = 2;
    bool fatto = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<G*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        // The first row gets "Sottrai" with a value; then Enter confirms the dialog.
        auto* g = d->ui()->grdTrasformazioni;
        auto* m = g->model();
        ASSERT_TRUE(m->setData(m->index(0, 4), QStringLiteral("Sottrai")));
        ASSERT_TRUE(m->setData(m->index(0, 6), QStringLiteral("7")));
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        fatto = true;
    });
    dlg.exec();
    ASSERT_TRUE(fatto);
    ASSERT_FALSE(dlg.mbCancel) << Testi().join('|').toStdString();
    driver.mcolTrasf = std::move(dlg.mcolTrasf);

    ASSERT_EQ(driver.mcolTrasf->Count(), 2);
    const T& a = driver.mcolTrasf->Item(1);
    EXPECT_TRUE(Uguali(a, Trasf(T::ENTRANTI, T::SOTTRAI, 1, 1, 10, "0", "7")));
    EXPECT_FALSE(a.mcolCondizioni.has_value());
    const T& b = *driver.mcolTrasf->Trova("1");
    EXPECT_EQ(b.menOperazione, T::MOLTIPLICA);
    EXPECT_EQ(b.miRiga, 0);
    EXPECT_EQ(b.msValore, "60");
    EXPECT_EQ(Firma(b.mcolCondizioni), "k1And;k2;");
    EXPECT_EQ(b.mcolCondizioni->Item(1).miInizio, 1);
}

TEST_F(GeneraliTest, OkWithoutRowsGivesAnEmptyList) {
    auto d = Apri(std::nullopt);
    d->ui()->cmdOK->click();
    EXPECT_FALSE(d->mbCancel);
    ASSERT_TRUE(d->mcolTrasf.has_value());
    EXPECT_EQ(d->mcolTrasf->Count(), 0);
    EXPECT_FALSE(d->isVisible());
}

// ---- keyboard

TEST_F(GeneraliTest, ARowEnteredWithTheKeyboardOnly) {
    auto d = Apri(std::nullopt, 2, 1);
    auto* g = Griglia(*d);
    // Alt+T (the label's access key) reaches the grid.
    d->ui()->cmdAnnulla->setFocus();
    QTest::keyClick(d.get(), Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), g);
    EXPECT_EQ(g->ColonnaCorrente(), 1);

    // Position and length typed into the entry row, which becomes a row of its own.
    Scrivi(QStringLiteral("5"));
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(RigheTabella(*d), 1);
    Tasto(*d, Qt::Key_Right);
    Scrivi(QStringLiteral("3"));
    Tasto(*d, Qt::Key_Return);
    // A length out of 1 ... 2000 is refused with a message and the editor stays open.
    Scrivi(QStringLiteral("0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Scrivi(QStringLiteral("2001"));
    Tasto(*d, Qt::Key_Return);
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.contains(QStringLiteral("2001")));
    Tasto(*d, Qt::Key_Escape);
    EXPECT_FALSE(g->InModifica());
    EXPECT_TRUE(d->isVisible());  // Escape in the cell cancels the edit, not the dialog
    EXPECT_EQ(Cella(*d, 0, 2), "3");

    // Chiamate and Operazione from their lists by their first letters.
    Tasto(*d, Qt::Key_Right);
    Tasto(*d, Qt::Key_F2);
    ASSERT_TRUE(g->InModifica());
    Scrivi(QStringLiteral("E"));
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Cella(*d, 0, 3), "2");
    Tasto(*d, Qt::Key_Right);
    Tasto(*d, Qt::Key_F2);
    Scrivi(QStringLiteral("Sos"));
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Cella(*d, 0, 4), "1");
    EXPECT_EQ(Mostrato(*d, 0, 4), QStringLiteral("Sostituisci"));

    // Enter on the grid is OK: the line is missing.
    mUI.mMessaggi.clear();
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral(
                           "Errore alla riga 1. I campi numero di riga, posizione, lunghezza e "
                           "operazione sono obbligatori")});
    // Line 3 is not offered (2 lines at most), line 2 is.
    g->ImpostaColonnaCorrente(0);
    Tasto(*d, Qt::Key_F2);
    Scrivi(QStringLiteral("2"));
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Cella(*d, 0, 0), "2");
    mUI.mMessaggi.clear();
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Testi(),
              QStringList{QStringLiteral("Errore alla riga 1. Insieme all'operarazione si deve "
                                         "specificare anche la sorgente")});
    g->ImpostaColonnaCorrente(5);
    Scrivi(QStringLiteral("\u00E8"));  // Windows-1252 holds it
    Tasto(*d, Qt::Key_Return);
    EXPECT_EQ(Cella(*d, 0, 5), "\xE8");
    Tasto(*d, Qt::Key_Return);
    ASSERT_FALSE(d->mbCancel) << Testi().join('|').toStdString();
    EXPECT_TRUE(Uguali(d->mcolTrasf->Item(1), Trasf(T::ENTRANTI, T::SOSTITUISCI, 2, 5, 3, "\xE8")));
}

TEST_F(GeneraliTest, TextOutsideWindows1252IsRefused) {
    auto d = Apri(Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 1)}));
    auto* g = Griglia(*d);
    g->setFocus();
    g->ImpostaCellaCorrente(0, 6);
    Scrivi(QStringLiteral("\u4E2D"));
    Tasto(*d, Qt::Key_Return);
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    Tasto(*d, Qt::Key_Escape);
    EXPECT_EQ(Cella(*d, 0, 6), "");
    // OK with a refused edit still open stays in the dialog.
    g->ImpostaCellaCorrente(0, 5);
    Scrivi(QStringLiteral("\u4E2D"));
    mUI.mMessaggi.clear();
    d->ui()->cmdOK->click();
    EXPECT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(d->mbCancel);
    EXPECT_TRUE(d->isVisible());
}

// ---- cell buttons

class PulsantiTest : public GeneraliTest {
  protected:
    void SetUp() override {
        GeneraliTest::SetUp();
        mCampione.setPlainText(QStringLiteral("riga uno\nriga due\n0123456789ABCDEF"));
    }
    // Presses the cell button of (r, c) with F4 and, in the selection dialog, selects
    // [da, a) and confirms (da == a: confirms with nothing selected).
    void Seleziona(G& d, int r, int c, int da, int a) {
        auto* g = Griglia(d);
        g->setFocus();
        g->ImpostaCellaCorrente(r, c);
        bool fatto = false;
        QTimer::singleShot(0, [&] {
            auto* s = qobject_cast<frmSeleziona*>(QApplication::activeModalWidget());
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->ui()->rtfTesto->toPlainText(), mCampione.toPlainText());
            QTextCursor cur = s->ui()->rtfTesto->textCursor();
            cur.setPosition(da);
            cur.setPosition(a, QTextCursor::KeepAnchor);
            s->ui()->rtfTesto->setTextCursor(cur);
            s->ui()->cmOK->click();
            fatto = true;
        });
        QTest::keyClick(g, Qt::Key_F4);
        EXPECT_TRUE(fatto);
    }
    QTextDocument mCampione;
};

TEST_F(PulsantiTest, ASelectionFillsLinePositionLengthCallsAndValue) {
    auto d = Apri(Elenco({Trasf(T::TIPO_NESSUNO, T::OP_NESSUNA, 0, 0, 0)}), 1, 0);
    d->mpTestoCampione = &mCampione;
    Seleziona(*d, 0, 2, 18, 22);  // "0123" at the start of the third line
    EXPECT_EQ(Cella(*d, 0, 0), "1");
    EXPECT_EQ(Cella(*d, 0, 1), "1");
    EXPECT_EQ(Cella(*d, 0, 2), "4");
    EXPECT_EQ(Cella(*d, 0, 3), "1");
    EXPECT_EQ(Mostrato(*d, 0, 3), QStringLiteral("Tutte"));
    EXPECT_EQ(Cella(*d, 0, 6), "0123");
    EXPECT_EQ(Griglia(*d)->ColonnaCorrente(), 4);
    EXPECT_EQ(d->focusWidget(), Griglia(*d));
    EXPECT_EQ(mUI.miCursore, 0);

    // Nothing chosen: nothing changes, and the current column is still Operazione.
    Seleziona(*d, 0, 1, 5, 5);
    EXPECT_EQ(Cella(*d, 0, 1), "1");
    EXPECT_EQ(Cella(*d, 0, 6), "0123");
    EXPECT_EQ(Griglia(*d)->ColonnaCorrente(), 4);
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(PulsantiTest, WithoutLinesTheLineIsLeftAlone) {
    auto d = Apri(Elenco({Trasf(T::USCENTI, T::ELIMINA, 0, 9, 9)}), 0, 0);
    d->mpTestoCampione = &mCampione;
    Seleziona(*d, 0, 1, 14, 17);  // "due"
    EXPECT_EQ(Cella(*d, 0, 0), "");
    EXPECT_EQ(Cella(*d, 0, 1), "6");
    EXPECT_EQ(Cella(*d, 0, 2), "3");
    EXPECT_EQ(Cella(*d, 0, 3), "1");
    EXPECT_EQ(Cella(*d, 0, 4), "7");
    EXPECT_EQ(Cella(*d, 0, 6), "due");
}

TEST_F(PulsantiTest, ASelectionOverTwoLinesIsRefused) {
    auto d = Apri(Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 9, 9)}), 1, 1);
    d->mpTestoCampione = &mCampione;
    Seleziona(*d, 0, 1, 5, 12);
    EXPECT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(Cella(*d, 0, 1), "9");
    EXPECT_EQ(Cella(*d, 0, 6), "");
}

TEST_F(PulsantiTest, ButtonsOfOtherColumnsAreIgnored) {
    auto d = Apri(Elenco({Trasf(T::INIZIALE, T::ELIMINA, 0, 9, 9)}), 1, 1);
    d->mpTestoCampione = &mCampione;
    d->grdTrasformazioni_ButtonClick(0, 0);
    d->grdTrasformazioni_ButtonClick(0, 5);
    EXPECT_EQ(QApplication::activeModalWidget(), d.get());  // no selection dialog
    EXPECT_EQ(Cella(*d, 0, 1), "9");
}

// A picture of the dialog with data, when a folder for it is given.
TEST_F(GeneraliTest, Screenshot) {
    const QString cartella = qEnvironmentVariable("TARNO_SCREENSHOTS");
    if (cartella.isEmpty()) GTEST_SKIP() << "TARNO_SCREENSHOTS not set";
    auto col = Elenco({Trasf(T::INIZIALE, T::SOSTITUISCI, 1, 55, 8, "'", ":"),
                       Trasf(T::ENTRANTI, T::ELIMINA, 1, 24, 3, "<I>"),
                       Trasf(T::USCENTI, T::IGNORA, 2, 1, 10, "0", "SX")});
    col.Item(1).mcolCondizioni = Condizioni({"E"});
    auto d = Apri(col);
    d->setWindowTitle(TestoRisorsa(10657));
    QDir().mkpath(cartella);
    EXPECT_TRUE(
        d->grab().save(QDir(cartella).filePath(QStringLiteral("frmImpostazioniGenerali.png"))));
}

}  // namespace

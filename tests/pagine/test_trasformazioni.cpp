// The "Trasformazioni" page and its settings dialogs: what each dialog takes or refuses (with
// its message and focus), what a cancelled one leaves, what confirmed ones put in the saved
// driver; the general transformations dialog's checks and its conditions that follow their
// rows; and the refusal of text that Windows-1252 cannot hold in every grid.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "AiutiPagine.h"
#include "Supporto.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmIdentificazione.h"
#include "pagine/frmImpostazioniData.h"
#include "pagine/frmImpostazioniDurata.h"
#include "pagine/frmImpostazioniGenerali.h"
#include "pagine/frmImpostazioniScatti.h"
#include "pagine/frmPrescanning.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmIdentificazione.h"
#include "ui_frmImpostazioniData.h"
#include "ui_frmImpostazioniDurata.h"
#include "ui_frmImpostazioniGenerali.h"
#include "ui_frmImpostazioniScatti.h"
#include "ui_frmPrescanning.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using PT = PaginaTrasformazioni;
using T = clsTrasformazione;

T Trasf(int32_t tipo, int32_t op, int16_t riga, int16_t inizio, int16_t lung, std::string sorg = "",
        std::string valore = "", std::vector<std::string> condizioni = {}) {
    T t;
    t.menTipo = tipo, t.menOperazione = op, t.miRiga = riga, t.miInizio = inizio,
    t.miLunghezza = lung;
    t.msSorgente = std::move(sorg), t.msValore = std::move(valore);
    if (!condizioni.empty()) t.mcolCondizioni.emplace();
    for (const auto& v : condizioni) {
        clsCondizione c;
        c.menOperatore = clsCondizione::UGUALE_A, c.miRiga = 1, c.miInizio = 1, c.miLunghezza = 1,
        c.msValore = v;
        t.mcolCondizioni->Add(c);
    }
    return t;
}
// The values of a row's conditions: enough to tell whose they are.
std::string Firma(const ColCondizioni* col) {
    std::string s;
    for (const auto& v : col ? *col : ColCondizioni()) s += v.valore.msValore + ";";
    return s;
}

class TrasformazioniTest : public FinestraDemo {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(FinestraDemo::SetUp());
        mT = PagTrasf();
    }
    // "&Impostazioni..." on a row, the dialog handled by fn.
    template <class D>
    void Imposta(int riga, std::function<void(D&)> fn) {
        mT->grdTrasf->ImpostaCellaCorrente(riga, 1);
        auto aperto = AlModale<D>(fn);
        mT->cmdImpTrasfGrd->click();
        EXPECT_TRUE(*aperto) << riga;
    }
    // The message and the focus after a refused OK.
    void Rifiutato(const char* messaggio, QWidget* fuoco) {
        EXPECT_EQ(Testi(), QStringList{QString::fromLatin1(messaggio)});
        EXPECT_EQ(QApplication::focusWidget(), fuoco);
        mUI.Reimposta();
    }
    void Apri(std::vector<T> righe, int16_t ent = 2, int16_t usc = 1) {
        mD = std::make_unique<frmImpostazioniGenerali>();
        mD->mcolTrasf.emplace();
        for (auto& t : righe) mD->mcolTrasf->Add(std::move(t));
        mD->miNumRigheEnt = ent, mD->miNumRigheUsc = usc;
        Mostra(*mD);
        mG = mD->ui()->grdTrasformazioni;
    }
    PT* mT = nullptr;
    std::unique_ptr<frmImpostazioniGenerali> mD;
    clsGriglia* mG = nullptr;
};

TEST_F(TrasformazioniTest, TextThatWindows1252CannotHoldIsRefusedInEveryGrid) {
    frmImpostazioniGenerali generali(mF.get());
    generali.mcolTrasf.emplace().Add(clsTrasformazione{});
    frmIdentificazione condizioni(mF.get());
    condizioni.miNumRighe = 1;
    frmImpostazioniData mesi;
    std::unique_ptr<clsDriver> driver;
    frmPrescanning prescanning(driver);
    mF->ui()->tabDriver->setCurrentIndex(1);
    const std::tuple<QWidget*, clsGriglia*, int, int> casi[] = {
        {mF.get(), PagIdent()->grdIdent, 5, 1},  // the last-line cut
        {&generali, generali.ui()->grdTrasformazioni, 0, 6},
        {&condizioni, condizioni.ui()->grdCondizioni, 0, 5},
        {&mesi, mesi.ui()->grdMesi, 0, 1},
        {&prescanning, prescanning.ui()->grdPrescanning, 0, 0}};
    for (const auto& [finestra, g, r, c] : casi) {
        SCOPED_TRACE(g->objectName().toStdString());
        Mostra(*finestra);
        const QString prima = Mostrato(*g, r, c);
        Immetti(*g, r, c, QStringLiteral("a\u03A9"));
        ASSERT_EQ(Testi().size(), 1);
        EXPECT_TRUE(Testi()[0].contains("Windows-1252") &&
                    Testi()[0].contains(QStringLiteral("\u03A9")));
        EXPECT_NE(EditorCella(*g), nullptr);  // the editor stays open on the refused text
        Tasto(*g, Qt::Key_Escape);
        EXPECT_EQ(Mostrato(*g, r, c), prima);
        mUI.Reimposta();
    }
}

TEST_F(TrasformazioniTest, EachSettingsDialogRefusesWhatItCannotTakeOnItsWidget) {
    const char* diverse = "Le lunghezze dei codici dei mesi devono essere tutti uguali";
    // Month codes, row and code typed (OK commits an open edit): the row of the message.
    for (auto [riga, codice, errore] : {std::tuple{6, "LU", 6}, {0, "GENN", 1}, {0, "", 0}}) {
        frmImpostazioniData d;
        for (int i = 0; i < 12; ++i) d.Mesi(i, *codice ? "ABC" : "");
        Mostra(d);
        d.ui()->grdMesi->ImpostaCellaCorrente(riga, 1);
        Digita(*d.ui()->grdMesi, codice);
        d.ui()->cmOK->click();
        Rifiutato(*codice ? diverse : "Inserire i codici dei mesi", d.ui()->grdMesi);
        EXPECT_EQ(d.ui()->grdMesi->RigaCorrente(), errore);
        EXPECT_TRUE(d.isVisible() && d.mbCancel);
        EXPECT_EQ(d.Mesi(riga), *codice ? "ABC" : "");
    }
    // Duration: fraction and unit chosen; the factor (0: refused).
    const std::tuple<const char*, const char*, int32_t> durate[] = {
        {"1/10", "Secondo", 10}, {"1/2", "Minuto", 30},    {"1/8", "Minuto", 8},  // 7.5: to even
        {"1/3", "Ora", 1200},    {"1/7", "Giorno", 12343}, {"1/16", "Minuto", 4}, {"", "Ora", 0},
        {"1/2", "", 0}};
    for (const auto& [frazione, unita, fattore] : durate) {
        frmImpostazioniDurata d;
        Mostra(d);
        d.ui()->cboFrazioni->setCurrentIndex(d.ui()->cboFrazioni->findText(frazione));
        d.ui()->cboUnita->setCurrentIndex(d.ui()->cboUnita->findText(unita));
        d.ui()->cmOK->click();
        EXPECT_EQ(d.mlConversioneDurata, fattore) << frazione << unita;
        if (!fattore)
            Rifiutato("Selezionare un'elemento in entrambe le liste",
                      *unita ? d.ui()->cboFrazioni : d.ui()->cboUnita);
    }
    // Pulses: the text typed over the selected old one; the divisor (0: refused).
    const std::pair<const char*, int32_t> scatti[] = {
        {"1,5", 0}, {"1.5", 0},         {"100.", 0},    {"cento", 0},  {"  ", 0},
        {"12a", 0}, {"99999999999", 0}, {" 250 ", 250}, {"1e3", 1000}, {"2147483647", 2147483647}};
    for (const auto& [testo, divisore] : scatti) {
        frmImpostazioniScatti d;
        d.mlDividereScatti = 5;
        Mostra(d);
        QTest::keyClicks(d.ui()->txtDividere, testo);
        QTest::keyClick(d.ui()->txtDividere, Qt::Key_Return);
        EXPECT_EQ(d.mlDividereScatti, divisore ? divisore : 5) << testo;
        if (!divisore) Rifiutato("Inserire un numero intero", d.ui()->txtDividere);
    }
}

TEST_F(TrasformazioniTest, SettingsReachTheSavedDriverOnlyWhenConfirmed) {
    for (int r : {Trasf::DATA_ISOLATA, Trasf::MESI_IN_LETTERE, Trasf::DURATA, Trasf::SCATTI,
                  Trasf::PRESCANNING}) {
        Imposta<QDialog>(r, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
        EXPECT_FALSE(mT->Presente(r) || mF->Documento().NonSalvato())
            << r;  // cancelled: nothing changes
    }
    auto annullato = AlModale<frmImpostazioniGenerali>([](frmImpostazioniGenerali& d) {
        Immetti(*d.ui()->grdTrasformazioni, 0, 1, "5");
        d.ui()->cmdAnnulla->click();
    });
    mT->cmdImpTrafGenerali->click();
    EXPECT_TRUE(*annullato && !mF->Documento().moDriver->mcolTrasf &&
                !mF->Documento().NonSalvato());

    const QString aperto = Driver(QStringLiteral("PanasonicTDA.drv")),
                  salvato = Driver(QStringLiteral("Salvato.drv"));
    mF->FileApri(aperto);
    ASSERT_EQ(mF->FileDriver(), aperto) << Testi().join('|').toStdString();
    mF->ui()->rtfTesto->setPlainText(QString(80, QLatin1Char('x')));
    Seleziona(mF->ui()->rtfTesto, 63, 66);
    PagEntranti()->chkCampo(4)->click();  // a pulse field at column 64
    mF->ui()->tabDriver->setCurrentIndex(2);
    const QStringList mesi = {"JA", "FE", "MR", "AP", "MY", "JN",
                              "JL", "AU", "SE", "OC", "NO", "DE"};
    Imposta<frmImpostazioniData>(Trasf::MESI_IN_LETTERE, [&](frmImpostazioniData& d) {
        for (int i = 0; i < 11; ++i) Immetti(*d.ui()->grdMesi, i, 1, mesi[i]);
        d.ui()->grdMesi->ImpostaCellaCorrente(11, 1);
        Digita(*d.ui()->grdMesi, mesi[11]);  // OK commits the open edit
        d.ui()->cmOK->click();
    });
    Imposta<frmImpostazioniDurata>(Trasf::DURATA, [](frmImpostazioniDurata& d) {
        d.ui()->cboFrazioni->setCurrentIndex(d.ui()->cboFrazioni->findText("1/10"));
        d.ui()->cboUnita->setCurrentIndex(d.ui()->cboUnita->findText("Secondo"));
        d.ui()->cmOK->click();
    });
    Imposta<frmImpostazioniScatti>(Trasf::SCATTI, [](frmImpostazioniScatti& d) {
        QTest::keyClicks(d.ui()->txtDividere, "100");
        QTest::keyClick(d.ui()->txtDividere, Qt::Key_Return);
    });
    Imposta<frmPrescanning>(Trasf::PRESCANNING, [](frmPrescanning& d) {
        for (auto [r, c, v] :
             {std::tuple{0, 0, "Filtro"}, {0, 1, "1"}, {1, 0, "  "}})  // blanks: dropped
            Immetti(*d.ui()->grdPrescanning, r, c, v);
        d.ui()->cmOK->click();
    });
    auto avanzate = AlModale<frmImpostazioniGenerali>([](frmImpostazioniGenerali& d) {
        clsGriglia& g = *d.ui()->grdTrasformazioni;
        const int r = g.Tabella()->Righe();  // a third transformation typed into the entry row
        for (auto [c, v] : {std::pair{1, "5"}, {2, "3"}, {3, "Tutte"}, {4, "Elimina"}})
            Immetti(g, r, c, v);
        d.ui()->cmdOK->click();
    });
    mT->cmdImpTrafGenerali->click();
    ASSERT_TRUE(*avanzate);
    for (int r : {Trasf::MESI_IN_LETTERE, Trasf::DURATA, Trasf::SCATTI, Trasf::PRESCANNING})
        EXPECT_TRUE(mT->Presente(r)) << r;
    ASSERT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();

    mUI.mNomiFile = {salvato};
    ASSERT_TRUE(mF->FileSalva(true)) << Testi().join('|').toStdString();
    const std::string testo = prova::LeggiTutto(QFile::encodeName(salvato).toStdString());
    EXPECT_NE(testo.find("[Prescanning]\r\nFiltro=1\r\n\r\n"), std::string::npos) << testo;
    clsDriver d;
    MessaggiRaccolti msg;
    d.LoadDriver(QFile::encodeName(salvato).toStdString(), msg);
    EXPECT_TRUE(msg.mvTesti.empty());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(d.Mesi(i), mesi[i].toStdString()) << i;
    ASSERT_TRUE(d.mcolTrasf && d.mcolTrasf->Count() == 3);
    const clsTrasformazione& t = d.mcolTrasf->Item(3);
    EXPECT_EQ(std::tuple(int(t.menTipo), int(t.menOperazione), int(t.miInizio), int(t.miLunghezza)),
              std::tuple(int(clsTrasformazione::INIZIALE), int(clsTrasformazione::ELIMINA), 5, 3));
    std::string eccezioni;  // kind:source/value@position of the fields' own transformations
    for (const auto& v : *d.moEntranti->mcolCampi)
        if (const clsCampo& c = v.valore; c.moTrasf)
            eccezioni += std::to_string(c.menEccezione) + ":" + c.moTrasf->msSorgente + "/" +
                         c.moTrasf->msValore + "@" + std::to_string(c.miInizio) + ";";
    EXPECT_EQ(eccezioni, "2:8,0/10@55;3:/100@64;");
}

TEST_F(TrasformazioniTest, EveryRuleOfTheCheckHasItsMessageOnTheFaultyRow) {
    constexpr int32_t TUT = T::INIZIALE, ENT = T::ENTRANTI, USC = T::USCENTI, NES = T::OP_NESSUNA;
    const std::string campi = "I campi posizione, lunghezza e operazione sono obbligatori",
                      tutti =
                          "I campi numero di riga, posizione, lunghezza e operazione sono "
                          "obbligatori",
                      ignora =
                          "Inserire nella sorgente il carattere (o il suo codice) da "
                          "ignorare e nel valore DX o SX per specificare di ignorare a "
                          "destra o a sinistra";
    const T buona = Trasf(TUT, T::ELIMINA, 0, 1, 2);
    // The rows, the lines of an incoming and of an outgoing call, and the message about the
    // last row ("" when the rows pass).
    std::vector<std::tuple<std::vector<T>, int16_t, int16_t, std::string>> casi = {
        {{Trasf(T::TIPO_NESSUNO, T::ELIMINA, 1, 1, 1)},
         2,
         1,
         "Inserire su quali chiamate la trasformazione deve essere effettuata"},
        {{buona, Trasf(TUT, T::ELIMINA, 0, 0, 2)}, 2, 1, campi},
        {{Trasf(TUT, NES, 1, 1, 2)}, 2, 1, campi},
        {{Trasf(USC, NES, 1, 1, 2)}, 2, 1, tutti},
        {{buona, Trasf(ENT, T::ELIMINA, 3, 1, 2)},
         2,
         5,
         "Il numero di riga \xE8 troppo grande (max 2)"},
        {{Trasf(USC, T::ELIMINA, 2, 1, 2)}, 4, 1, "Il numero di riga \xE8 troppo grande (max 1)"},
        {{Trasf(TUT, T::ELIMINA, 3, 1, 2)}, 2, 1, ""},  // "Tutte": any line
        {{Trasf(TUT, T::SOSTITUISCI, 0, 1, 2, "", "x")},
         2,
         1,
         "Insieme all'operarazione si deve specificare anche la sorgente"},
        {{Trasf(TUT, T::SOSTITUISCI, 0, 1, 2, "a")}, 2, 1, ""},
        {{Trasf(TUT, T::IGNORA, 0, 1, 2, "0")}, 2, 1, ignora},
        {{Trasf(TUT, T::IGNORA, 0, 1, 2, "", "SX")}, 2, 1, ignora},
        {{Trasf(TUT, T::IGNORA, 0, 1, 2, "0", "SX")}, 2, 1, ""},
        {{Trasf(ENT, T::SOSTITUISCI, 0, 1, 2)}, 2, 1, tutti},  // rules 5 to 7 come after
    };
    for (int32_t op : {T::ALLINEA, T::DIVIDI, T::INSERISCI, T::MOLTIPLICA, T::SOMMA, T::SOTTRAI,
                       T::COPIA, T::SPOSTA}) {
        casi.push_back({{Trasf(TUT, op, 0, 1, 2, "s")},
                        2,
                        1,
                        "Insieme all'operazione si deve specificare anche il valore"});
        casi.push_back({{Trasf(TUT, op, 0, 1, 2, "", "v")}, 2, 1, ""});
    }
    for (const auto& [righe, ent, usc, messaggio] : casi) {
        SCOPED_TRACE(messaggio + " " + std::to_string(righe.back().menOperazione));
        Apri(righe, ent, usc);
        mD->ui()->cmdOK->click();
        EXPECT_EQ(mD->mbCancel, !messaggio.empty());
        if (messaggio.empty()) continue;
        const int n = int(righe.size());
        EXPECT_EQ(Testi(), QStringList{QStringLiteral("Errore alla riga %1. ").arg(n) +
                                       QString::fromLatin1(messaggio)});
        EXPECT_TRUE(mD->isVisible());
        EXPECT_EQ(mG->RigaCorrente(), n - 1);
        EXPECT_EQ(QApplication::focusWidget(), mG);
        mUI.Reimposta();
    }
}

TEST_F(TrasformazioniTest, ConditionsStayWithTheirRowsOnInsertAndDelete) {
    // B starts inside its field (separated fields), which no column shows: it keeps that too.
    auto b = Trasf(T::INIZIALE, T::ELIMINA, 0, 2, 1, "", "B", {"b1", "b2"});
    b.miNelCampo = 5;
    Apri({Trasf(T::INIZIALE, T::ELIMINA, 0, 1, 1, "", "A"), std::move(b),
          Trasf(T::INIZIALE, T::ELIMINA, 0, 3, 1, "", "C", {"c1"})});
    EXPECT_EQ(Mostrato(*mG, 1, 7), QStringLiteral("Presenti"));
    mG->ImpostaCellaCorrente(1, 2);
    mD->ui()->mcdInsert->click();  // an empty row above B
    EXPECT_EQ(Firma(mD->CondizioniRiga(2)) + Firma(mD->CondizioniRiga(3)), "b1;b2;c1;");
    mG->setFocus();
    for (int r : {1, 0}) {  // the empty row, then A
        mG->ImpostaCellaCorrente(r, 3);
        QTest::keyClick(mG, Qt::Key_Delete, Qt::ControlModifier);
    }
    mG->ImpostaCellaCorrente(1, 7);
    QTest::keyClick(mG, Qt::Key_Delete);  // emptying the conditions cell drops C's conditions
    mD->ui()->cmdOK->click();
    ASSERT_FALSE(mD->mbCancel) << Testi().join('|').toStdString();
    ASSERT_EQ(mD->mcolTrasf->Count(), 2);
    EXPECT_EQ(mD->mcolTrasf->Item(1).msValore + mD->mcolTrasf->Item(2).msValore, "BC");
    EXPECT_EQ(Firma(&mD->mcolTrasf->Item(1).mcolCondizioni.value()), "b1;b2;");
    EXPECT_EQ(mD->mcolTrasf->Item(1).miNelCampo + mD->mcolTrasf->Item(2).miNelCampo, 5);
    EXPECT_FALSE(mD->mcolTrasf->Item(2).mcolCondizioni.has_value());
    EXPECT_EQ(*mD->mcolTrasf->Chiave(2), "1");
}

TEST_F(TrasformazioniTest, TheEntryRowsCellButtonStartsATransformationFromTheSample) {
    mF->ui()->rtfTesto->setPlainText(QStringLiteral("RIGA UNO\nCHIAMATA 0123\n"));
    Apri({});
    mD->mpContesto = mF.get();
    auto scelto = AlModale<frmSeleziona>([](frmSeleziona& s) {
        Seleziona(s.ui()->rtfTesto, 18, 22);
        s.cmOK_Click();
    });
    mG->setFocus();
    mG->ImpostaCellaCorrente(0, 1);  // the entry row of a new driver's empty list
    QTest::keyClick(mG, Qt::Key_F4);
    ASSERT_TRUE(*scelto);
    EXPECT_EQ(mG->Tabella()->Righe(), 1);
    EXPECT_EQ(QStringList({Mostrato(*mG, 0, 0), Mostrato(*mG, 0, 1), Mostrato(*mG, 0, 2),
                           Mostrato(*mG, 0, 3), Mostrato(*mG, 0, 6)}),
              QStringList({"1", "10", "4", "Tutte", "0123"}));
    EXPECT_EQ(mG->ColonnaCorrente(), 4);
}

}  // namespace

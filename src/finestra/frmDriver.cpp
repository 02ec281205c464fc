#include "finestra/frmDriver.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTabBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>
#include <optional>

#include "catalogo/Suite.h"
#include "documento/DocumentoDriver.h"
#include "finestra/MessaggioCatalogo.h"
#include "grid/clsDropDown.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/Testo.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmAbout.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmDriver.h"

namespace tarno {

frmDriver::frmDriver(const QString& sCartellaProgramma, QWidget* parent)
    : QMainWindow(parent),
      mpDoc(new DocumentoDriver(this)),
      mpUi(std::make_unique<Ui::frmDriver>()),
      msCartellaProgramma(sCartellaProgramma) {
    mpUi->setupUi(this);
    // The sample view and the pages share the height, divided where the user drags the
    // splitter; a window too small for the pages scrolls them (at any scaling of the screen).
    // A taller window gives the room to the sample view.
    setMinimumSize(480, 360);
    mpUi->splDriver->setStretchFactor(0, 1);
    mpUi->splDriver->setStretchFactor(1, 0);
    setAcceptDrops(true);

    frmSeleziona::PreparaVistaCampione(mpUi->rtfTesto, this);
    for (QWidget* casella :
         {static_cast<QWidget*>(mpUi->txtAutore), static_cast<QWidget*>(mpUi->txtData),
          static_cast<QWidget*>(mpUi->txtVersione), static_cast<QWidget*>(mpUi->txtNote),
          static_cast<QWidget*>(mpUi->cboMarca), static_cast<QWidget*>(mpUi->cboModello)})
        SoloCp1252(casella);
    connect(mpUi->rtfTesto, &QTextEdit::textChanged, this, &frmDriver::rtfTesto_Change);

    for (QAction* a : findChildren<QAction*>()) {
        if (a->property("toolId").isValid())
            connect(a, &QAction::triggered, this, [this, a] { MainMenu_ToolClick(a); });
    }
    const auto icona = [this](QAction* a, QStyle::StandardPixmap p) {
        a->setIcon(style()->standardIcon(p));
    };
    icona(mpUi->mnuNuovo, QStyle::SP_FileIcon);
    icona(mpUi->mnuNuovoDalCampione, QStyle::SP_FileDialogDetailedView);
    icona(mpUi->mnuApri, QStyle::SP_DialogOpenButton);
    icona(mpUi->mnuSalva, QStyle::SP_DialogSaveButton);
    icona(mpUi->mnuLeggiDati, QStyle::SP_FileDialogContentsView);
    icona(mpUi->mnuVerifica, QStyle::SP_MediaPlay);
    icona(mpUi->mnuTrasforma, QStyle::SP_BrowserReload);

    // Save has two tools of one name: the File menu's follows the dirty flag (Cambiato), the
    // tool bar's and Ctrl+S stay enabled, so that a clean document can reach Save As from there
    // (Save on a clean saved document does nothing).
    auto* salvaBarra = mpSalvaBarra =
        new QAction(mpUi->mnuSalva->icon(), mpUi->mnuSalva->text(), this);
    salvaBarra->setObjectName(mpUi->mnuSalva->objectName());
    salvaBarra->setToolTip(mpUi->mnuSalva->toolTip());
    salvaBarra->setProperty("toolId", mpUi->mnuSalva->property("toolId"));
    salvaBarra->setShortcut(mpUi->mnuSalva->shortcut());
    mpUi->mnuSalva->setShortcut(QKeySequence());
    mpUi->toolStandard->insertAction(mpUi->mnuSalva, salvaBarra);
    mpUi->toolStandard->removeAction(mpUi->mnuSalva);
    connect(salvaBarra, &QAction::triggered, this,
            [this, salvaBarra] { MainMenu_ToolClick(salvaBarra); });
    // An empty recent submenu cannot be opened: a menu popped up with no entry gets no size, and
    // Qt then never shows it again, not even once it has entries.
    for (QMenu* m : {mpUi->mnupopDriverRecenti, mpUi->mnupopDatiRecenti})
        m->menuAction()->setEnabled(false);

    // The pages and the format drop-downs.
    mpPagIdent = new PaginaIdentificazione(*mpDoc, *this, mpUi->Picture2);
    mpUi->layPagina2->addWidget(mpPagIdent);
    mpPagTrasf = new PaginaTrasformazioni(*mpDoc, *this, mpUi->Picture3);
    mpUi->layPagina3->addWidget(mpPagTrasf);
    mpPagEntranti = new PaginaCampi(*mpDoc, *this, true, mpUi->Picture4);
    mpUi->layPagina4->addWidget(mpPagEntranti);
    mpPagUscenti = new PaginaCampi(*mpDoc, *this, false, mpUi->Picture5);
    mpUi->layPagina5->addWidget(mpPagUscenti);
    // Each page scrolls when the window leaves it less than its height (a small or much scaled
    // screen), so the sample view keeps its lines and no control is squeezed.
    for (int i = 0; i < mpUi->tabDriver->count(); ++i) {
        QWidget* pagina = mpUi->tabDriver->widget(i);
        const QString titolo = mpUi->tabDriver->tabText(i);
        auto* scorrimento = new QScrollArea;
        scorrimento->setObjectName(pagina->objectName() + QStringLiteral("Scorrimento"));
        scorrimento->setFrameShape(QFrame::NoFrame);
        scorrimento->setFocusPolicy(Qt::NoFocus);
        scorrimento->setWidgetResizable(true);
        mpUi->tabDriver->removeTab(i);
        scorrimento->setWidget(pagina);
        mpUi->tabDriver->insertTab(i, scorrimento, titolo);
    }
    mpUi->tabDriver->setCurrentIndex(0);
    drpFormatiData = new clsDropDown(this);
    drpFormatiData->setObjectName(QStringLiteral("drpFormatiData"));
    drpFormatiData->ImpostaTitolo(TestoRisorsa(30201, "Formati data"));
    drpFormatiOra = new clsDropDown(this);
    drpFormatiOra->setObjectName(QStringLiteral("drpFormatiOra"));
    drpFormatiOra->ImpostaTitolo(TestoRisorsa(30202, "Formati ora"));
    drpFormatiNessuno = new clsDropDown(this);
    drpFormatiNessuno->setObjectName(QStringLiteral("drpFormatiNessuno"));
    drpFormatiNessuno->ImpostaTitolo(TestoRisorsa(30203, "Formati nessuno"));

    connect(mpUi->tabDriver, &QTabWidget::currentChanged, this, &frmDriver::tabDriver_Click);
    connect(mpUi->cboMarca, &QComboBox::currentTextChanged, this, [this] {
        mpDoc->ImpostaTestoGenerale(DocumentoDriver::MARCA, mpUi->cboMarca->currentText());
        cboMarca_Change();
    });
    connect(mpUi->cboModello, &QComboBox::currentTextChanged, this, [this] {
        mpDoc->ImpostaTestoGenerale(DocumentoDriver::MODELLO, mpUi->cboModello->currentText());
        if (!mbRiempimento) mpDoc->Modificato(mpUi->cboModello);
    });
    // The document holds the general page's texts as the boxes show them; what the user types
    // is an edit.
    const std::pair<QLineEdit*, DocumentoDriver::Testo> caselle[] = {
        {mpUi->txtAutore, DocumentoDriver::AUTORE},
        {mpUi->txtData, DocumentoDriver::DATA},
        {mpUi->txtVersione, DocumentoDriver::VERSIONE}};
    for (const auto& [t, testo] : caselle) {
        // The box's own text, not the signal's: a refused character is taken back before.
        connect(t, &QLineEdit::textChanged, this,
                [this, t, testo] { mpDoc->ImpostaTestoGenerale(testo, t->text()); });
        connect(t, &QLineEdit::textEdited, this, [this, t] { mpDoc->Modificato(t); });
    }
    connect(mpUi->txtNote, &QPlainTextEdit::textChanged, this, [this] {
        mpDoc->ImpostaTestoGenerale(DocumentoDriver::NOTE, mpUi->txtNote->toPlainText());
        if (!mbRiempimento) mpDoc->Modificato(mpUi->txtNote);
    });

    mfnComandi[QStringLiteral("mnuInformazioni")] = [this](QAction*) {
        // One About box at a time: another click brings the open one to the front.
        if (!mpAbout) mpAbout = new frmAbout(this);
        mpAbout->show();
        mpAbout->raise();
        mpAbout->activateWindow();
    };
    RegistraComandiDocumento();
    PreparaAnteprima();
    PreparaProposta();
    PreparaStoria();
    PreparaCampiStampa();
    PreparaTastiera();

    // The window sees keys before its controls.
    qApp->installEventFilter(this);
}

frmDriver::~frmDriver() {
    qApp->removeEventFilter(this);
    // The document and its history outlive the window's members by a little: their last
    // signals (the history emptied as it goes) are not heard.
    mpDoc->disconnect(this);
    mpDoc->Storia()->disconnect(this);
    Form_Unload();
}

bool frmDriver::FalliscePartenza(const QString& sErrore) {
    Avviso(this, sErrore);
    msDatabaseFile.clear();
    msDSNName.clear();
    return false;
}

bool frmDriver::Form_Load(const QString& sRigaComando) {
    // Texts.
    mbChiusura = false;
    CentraForm(this);
    RipristinaDisposizione();
    mbTransformMode = false;
    CaricaTestiRisorse(this);
    CaricaTestiMenu(this, 1000, 1300);
    mpUi->mnuNuovoDalCampione->setText(TestoRisorsa(31050, "Nuovo dal ca&mpione..."));
    mpUi->mnuNuovoDalCampione->setToolTip(
        TestoRisorsa(31051, "Nuovo dal campione: propone il driver dalla stampa letta"));
    // The menu's Save shows the shortcut that the tool bar's Save carries.
    mpUi->mnuSalva->setText(mpUi->mnuSalva->text() + QLatin1Char('\t') +
                            mpSalvaBarra->shortcut().toString(QKeySequence::NativeText));
    // Yes and no of the grids.
    gsTestoSi = TestoRisorsa(6, "S\u00EC");
    gsTestoNo = TestoRisorsa(7, "No");
    // The window shows while the rest loads, busy and with the pages inactive.
    mpUi->tabDriver->setCurrentIndex(0);
    std::optional<CursoreOccupato> occupato;
    occupato.emplace();
    mpUi->tabDriver->setEnabled(false);
    show();
    QApplication::processEvents();
    // Nothing of a previous start-up survives.
    msDatabaseFile.clear();
    msDSNName.clear();
    msWorkDir.clear();
    msFileDati.clear();
    // The suite's configuration: beside the program, or where the installed editor keeps it.
    LuoghiSuite luoghi;
    luoghi.sCartellaProgramma = msCartellaProgramma;
    if (msCartellaProgramma.isEmpty())
        luoghi = LuoghiDelProgramma(QCoreApplication::applicationDirPath());
    const SuiteTrovata suite = TrovaSuite(luoghi, true);
    msCartellaLog = suite.sCartellaLog;
    if (!suite.sNonCreato.isEmpty()) {
        occupato.reset();
        FalliscePartenza(TestoRisorsa(30951, "Impossibile creare la suite dell'utente: ") +
                         suite.sNonCreato);
        return Avviabile();
    }
    // A system-wide file for another group than the user's: say so, not "no database".
    if (suite.origine != OrigineSuite::Nessuna && !QFileInfo(suite.sFileIni).isReadable()) {
        occupato.reset();
        FalliscePartenza(TestoRisorsa(30952, "Impossibile leggere il file ") + suite.sFileIni);
        return Avviabile();
    }
    const EsitoConfigurazione esito = LeggiConfigurazione(NomeFile(suite.sFileIni), mCfg);
    if (esito != EsitoConfigurazione::FileMancante && PasswordLeggibileDaTutti(suite.sFileIni)) {
        occupato.reset();
        Avviso(this, TestoRisorsa(30950,
                                  "Il file %1 contiene la password del database ed \u00E8 "
                                  "leggibile da tutti gli utenti di questo computer: rendetelo "
                                  "leggibile solo dal proprietario o da un gruppo scelto.")
                         .arg(suite.sFileIni));
        occupato.emplace();
    }
    if (esito == EsitoConfigurazione::FileMancante) {
        occupato.reset();
        Avviso(this, TestoRisorsa(10659, "File ") + QString::fromLatin1(NOME_FILE_INI) +
                         TestoRisorsa(10660, " non trovato"));
        msDatabaseFile.clear();
        msDSNName.clear();
        return Avviabile();
    }
    if (esito == EsitoConfigurazione::DatabaseMancante) {
        occupato.reset();
        Avviso(this, TestoRisorsa(10658,
                                  "Non \u00E8 stato impostato nessun database da "
                                  "aprire nel file") +
                         QLatin1Char(' ') + QString::fromLatin1(NOME_FILE_INI));
        msDatabaseFile.clear();
        msDSNName.clear();
        return Avviabile();
    }
    // The catalogue; from here on every error ends the start-up.
    if (!mconDatabase.Apri(mCfg)) {
        occupato.reset();
        FalliscePartenza(MessaggioCatalogo(mconDatabase));
        return Avviabile();
    }
    // Brand and model start empty.
    mbRiempimento = true;
    mpUi->cboMarca->clearEditText();
    mpUi->cboModello->clearEditText();
    mbRiempimento = false;
    // The views: identification and transformation grids, format lists, field grids, brand
    // list.
    mpPagIdent->Inizializza();
    mpPagTrasf->Inizializza();
    if (!mconDatabase.CaricaFormati(true, mrgxFormatiData) ||
        !mconDatabase.CaricaFormati(false, mrgxFormatiOra)) {
        occupato.reset();
        FalliscePartenza(MessaggioCatalogo(mconDatabase));
        return Avviabile();
    }
    mrgxFormatiNessuno = clsCatalogo::FormatiNessuno();
    drpFormatiData->Associa(&mrgxFormatiData, 0, 1);
    drpFormatiOra->Associa(&mrgxFormatiOra, 0, 1);
    drpFormatiNessuno->Associa(&mrgxFormatiNessuno, 0);
    mpDoc->mrgxEntranti.Dimensiona(NUM_CAMPI_ENTRANTI, Campi::NUM_COLONNE);
    mpDoc->mrgxUscenti.Dimensiona(NUM_CAMPI_USCENTI, Campi::NUM_COLONNE);
    mpPagEntranti->Inizializza();
    mpPagUscenti->Inizializza();
    std::vector<std::string> marche;
    if (!mconDatabase.ElencoMarche(marche)) {
        occupato.reset();
        FalliscePartenza(MessaggioCatalogo(mconDatabase));
        return Avviabile();
    }
    InitMarcaCentralino();
    mpDoc->SegnaSalvato();
    occupato.reset();
    mpUi->tabDriver->setEnabled(true);
    // The recent lists, then the driver named on the command line.
    CaricaRecenti(QStringLiteral("mnupopDriverRecenti"));
    CaricaRecenti(QStringLiteral("mnupopDatiRecenti"));
    std::string marca, modello;
    const auto riga = InCp1252(sRigaComando);
    if (riga && DividiRigaComando(*riga, marca, modello)) {
        std::optional<std::string> nome;
        if (!mconDatabase.CercaNomeDriver(marca, modello, nome)) {
            FalliscePartenza(MessaggioCatalogo(mconDatabase));
            return Avviabile();
        }
        if (nome && mfnApriDriver)
            mfnApriDriver(DaCp1252(msWorkDir) + QStringLiteral("/Driver/") + DaCp1252(*nome));
    }
    // The dialogs open where the last file of their kind was, at first the driver folder and
    // the printouts' folder.
    const QString lavoro = DaCp1252(msWorkDir);
    RipristinaCartelle(lavoro + QStringLiteral("/Driver"), lavoro + QStringLiteral("/Dati"));
    // A user's first start (no driver opened yet, none named) shows the demo driver with its
    // printout, when the working folder holds them.
    const QString demo = lavoro + QStringLiteral("/Driver/PanasonicTDA.drv");
    const QString stampa = lavoro + QStringLiteral("/Dati/PanasonicTDA.txt");
    if (sRigaComando.isEmpty() && LeggiRecente(QStringLiteral("fFile1")).isEmpty() &&
        QFileInfo(demo).isFile() && QFileInfo(stampa).isFile() && mfnApriDriver) {
        mfnApriDriver(demo);
        LeggiDati(stampa);
    }
    return Avviabile();
}

void frmDriver::InitMarcaCentralino() {
    mbRiempimento = true;
    mpUi->cboMarca->clear();
    std::vector<std::string> marche;
    if (!mconDatabase.ElencoMarche(marche)) Avviso(this, MessaggioCatalogo(mconDatabase));
    for (const auto& m : marche) mpUi->cboMarca->addItem(DaCp1252(m));
    mpUi->cboMarca->setCurrentIndex(-1);
    mpUi->cboMarca->clearEditText();
    mbRiempimento = false;
    if (mpUi->cboMarca->count() > 0 && mpDoc->moDriver) {
        const int i =
            mpUi->cboMarca->findText(DaCp1252(mpDoc->moDriver->msMarca), Qt::MatchFixedString);
        if (i >= 0) {
            // Selecting the brand fills the model list and marks the document changed.
            mpUi->cboMarca->setCurrentIndex(i);
            cboMarca_Change();
        }
    }
}

void frmDriver::cboMarca_Change() {
    if (mbRiempimento) return;
    CercaModello();
    mpDoc->Modificato(mpUi->cboMarca);
}

void frmDriver::CercaModello() {
    mbRiempimento = true;
    mpUi->cboModello->clear();
    std::vector<std::string> modelli;
    const auto marca = InCp1252(mpUi->cboMarca->currentText());
    if (marca && !mconDatabase.ElencoModelli(*marca, modelli))
        Avviso(this, MessaggioCatalogo(mconDatabase));
    for (const auto& m : modelli) mpUi->cboModello->addItem(DaCp1252(m));
    // Only the driver's own model (of that brand, or of none) is shown: a model of the list
    // shown in its place would be kept unnoticed, or have the model the user types appended.
    const clsDriver* d = mpDoc->moDriver.get();
    const int i = d ? mpUi->cboModello->findText(DaCp1252(d->msModello), Qt::MatchFixedString) : -1;
    mpUi->cboModello->setCurrentIndex(i);
    if (i < 0) {
        const bool suo = d && marca && (d->msMarca.empty() || UgualeNoCase(d->msMarca, *marca));
        mpUi->cboModello->setEditText(suo ? DaCp1252(d->msModello) : QString());
    }
    mbRiempimento = false;
}

QTextEdit* frmDriver::VistaCampione() const { return mpUi->rtfTesto; }

bool frmDriver::MarcaturaPossibile() {
    // Columns come from the printout, never from the engine's log.
    if (!mbTransformMode) return true;
    Avviso(this, TestoRisorsa(30212,
                              "Per marcare un campo si deve mostrare il campione: il "
                              "riquadro mostra il log della verifica (Trasforma)."));
    return false;
}

void frmDriver::AggiornaPosizione() {
    const QTextCursor c = mpUi->rtfTesto->textCursor();
    const int inizio = c.selectionStart();
    mpUi->lblX->setText(QString::number(
        frmSeleziona::ColonnaSelezione(mpUi->rtfTesto->document()->toPlainText(), inizio)));
    mpUi->lblY->setText(QString::number(c.selectionEnd() - inizio));
}

void frmDriver::rtfTesto_KeyDown(QKeyEvent* ev) {
    if (ev->key() == Qt::Key_Escape && ev->modifiers() == Qt::NoModifier) {
        // The selected characters lose their marking colour.
        QTextCursor c = mpUi->rtfTesto->textCursor();
        QTextCharFormat f;
        f.setForeground(Qt::black);
        c.mergeCharFormat(f);
        mpUi->rtfTesto->setTextColor(Qt::black);
    }
}

void frmDriver::rtfTesto_Change() {
    if (mpUi->rtfTesto->document()->isEmpty()) mpUi->rtfTesto->setTextColor(Qt::black);
}

void frmDriver::MainMenu_ToolClick(QAction* tool) {
    if (!gbAvviato || !tool) return;
    const QString nome = tool->objectName();
    if (nome.contains(QStringLiteral("Recenti"))) {
        if (mfnComandi.count(QStringLiteral("Recenti")))
            mfnComandi[QStringLiteral("Recenti")](tool);
        return;
    }
    auto it = mfnComandi.find(nome);
    if (it != mfnComandi.end()) {
        it->second(tool);
        return;
    }
    Avviso(this, TestoRisorsa(30204, "Funzione non implementata"));
}

void frmDriver::tabDriver_Click(int iTab) {
    QApplication::processEvents();
    static const char* principali[] = {"txtAutore", "grdIdent", "grdTrasf", "grdEntranti",
                                       "grdUscenti"};
    if (iTab < 0 || iTab >= 5) return;
    // Arrow keys on the focused tab bar leave the focus there.
    if (mpUi->tabDriver->tabBar()->hasFocus()) return;
    auto* w = findChild<QWidget*>(QString::fromLatin1(principali[iTab]));
    if (w && w->isEnabled()) w->setFocus();
}

bool frmDriver::Form_KeyDown(QKeyEvent* ev) {
    const bool ctrl = ev->modifiers() & Qt::ControlModifier;
    const bool avanti = ev->key() == Qt::Key_Tab && ctrl && !(ev->modifiers() & Qt::ShiftModifier);
    const bool indietro = (ev->key() == Qt::Key_Backtab ||
                           (ev->key() == Qt::Key_Tab && (ev->modifiers() & Qt::ShiftModifier))) &&
                          ctrl;
    if (!avanti && !indietro) return false;
    // Only from a control that sits in one of the pages.
    QWidget* fuoco = QApplication::focusWidget();
    bool inPagina = false;
    for (int i = 0; i < mpUi->tabDriver->count(); ++i)
        if (fuoco && mpUi->tabDriver->widget(i)->isAncestorOf(fuoco)) inPagina = true;
    if (!inPagina && fuoco != mpUi->tabDriver) return false;
    const int n = mpUi->tabDriver->count();
    const int i = mpUi->tabDriver->currentIndex();
    mpUi->tabDriver->setCurrentIndex(avanti ? (i + 1) % n : (i + n - 1) % n);
    mpUi->tabDriver->setFocus();
    return true;
}

bool frmDriver::eventFilter(QObject* obj, QEvent* ev) {
    auto* w = qobject_cast<QWidget*>(obj);
    const bool mio = w && w->window() == this;
    if (mio && ev->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(ev);
        if (gbAvviato && (Form_KeyDown(k) || TabFinestra(k))) return true;
        if (obj == mpUi->rtfTesto) rtfTesto_KeyDown(k);
    } else if (ev->type() == QEvent::ShortcutOverride && mio && gbAvviato) {
        // Ctrl+Tab belongs to the window, not to the control that has the focus.
        auto* k = static_cast<QKeyEvent*>(ev);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            (k->modifiers() & Qt::ControlModifier))
            ev->accept();
    }
    if (mio && Trascinamento(obj, ev)) return true;
    if (obj == mpUi->rtfTesto->viewport() && ev->type() == QEvent::MouseButtonPress) {
        // The view is read-only: a press inside the selection starts a new one there, where
        // a text view would start dragging the selected text.
        const auto* m = static_cast<QMouseEvent*>(ev);
        QTextCursor c = mpUi->rtfTesto->textCursor();
        const int dove = mpUi->rtfTesto->cursorForPosition(m->position().toPoint()).position();
        if (m->button() == Qt::LeftButton && !(m->modifiers() & Qt::ShiftModifier) &&
            c.hasSelection() && dove >= c.selectionStart() && dove <= c.selectionEnd()) {
            c.setPosition(dove);
            mpUi->rtfTesto->setTextCursor(c);
        }
    }
    if ((obj == mpUi->rtfTesto || obj == mpUi->rtfTesto->viewport()) &&
        (ev->type() == QEvent::KeyRelease || ev->type() == QEvent::MouseButtonRelease)) {
        if (ev->type() == QEvent::MouseButtonRelease) SelezionaCampo();
        AggiornaPosizione();
    }
    return QMainWindow::eventFilter(obj, ev);
}

void frmDriver::closeEvent(QCloseEvent* ev) {
    if (mfnPuoChiudere && !mfnPuoChiudere()) {
        ev->ignore();
        return;
    }
    Form_Unload();
    ev->accept();
}

void frmDriver::Form_Unload() {
    mbChiusura = true;
    if (gbAvviato && isVisible()) SalvaDisposizione();
    mpDoc->moDriver.reset();
    mconDatabase.Chiudi();
}

}  // namespace tarno

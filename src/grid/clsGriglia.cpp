#include "grid/clsGriglia.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "kit/Risorse.h"

namespace tarno {

clsGriglia::clsGriglia(QWidget* pGenitore)
    : QTableView(pGenitore),
      mpModello(std::make_unique<clsModelloGriglia>()),
      mpDelegato(std::make_unique<clsDelegatoGriglia>(this)) {
    setModel(mpModello.get());
    setItemDelegate(mpDelegato.get());
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->hide();

    connect(mpModello.get(), &clsModelloGriglia::CellaModificata, this, &clsGriglia::CellaCambiata);
    connect(mpModello.get(), &clsModelloGriglia::RigaAggiunta, this, &clsGriglia::RigaAggiunta);
    connect(mpModello.get(), &clsModelloGriglia::TestoRifiutato, this, &clsGriglia::TestoRifiutato);
    // Connected after the view's own reset handling, so these run once the view is reset.
    connect(mpModello.get(), &QAbstractItemModel::modelAboutToBeReset, this,
            &clsGriglia::PrimaDelReset);
    connect(mpModello.get(), &QAbstractItemModel::modelReset, this, &clsGriglia::DopoIlReset);
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, &clsGriglia::SelettorePremuto);
}

clsGriglia::~clsGriglia() {
    // The view lets go of the model and the delegate before they are destroyed; the owner hears
    // nothing of it.
    blockSignals(true);
    setModel(nullptr);
    setItemDelegate(nullptr);
}

int clsGriglia::PixelDaTwip(int viTwip) {
    return static_cast<int>(std::lround(static_cast<double>(viTwip) / 15.0));
}

// ---- binding

void clsGriglia::Associa(TabellaValori* prgx) { mpModello->Associa(prgx); }
TabellaValori* clsGriglia::Tabella() const { return mpModello->Tabella(); }
void clsGriglia::RiAssocia() { mpModello->RiAssocia(); }
void clsGriglia::Aggiorna() {
    mpModello->Aggiorna();
    viewport()->update();
}

void clsGriglia::PrimaDelReset() {
    miRigaPrimaDelReset = RigaCorrente();
    miColonnaPrimaDelReset = ColonnaCorrente();
}

void clsGriglia::DopoIlReset() {
    ApplicaColonne();
    const int righe = mpModello->rowCount();
    const int colonne = mpModello->columnCount();
    if (miRigaPrimaDelReset >= 0 && righe > 0 && colonne > 0) {
        const int r = std::min(miRigaPrimaDelReset, righe - 1);
        const int c = std::clamp(miColonnaPrimaDelReset, 0, colonne - 1);
        setCurrentIndex(mpModello->index(r, c));
    }
    SegnalaCellaCorrente();
}

// ---- columns

void clsGriglia::EliminaColonne() { mpModello->EliminaColonne(); }

int clsGriglia::AggiungiColonna(const QString& vsTitolo) {
    return mpModello->AggiungiColonna(vsTitolo);
}

int clsGriglia::Colonne() const { return mpModello->columnCount(); }

const clsColonnaGriglia* clsGriglia::Colonna(int c) const { return mpModello->Colonna(c); }

bool clsGriglia::ImpostaTitolo(int c, const QString& vsTitolo) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->msTitolo = vsTitolo;
    mpModello->ColonnaCambiata(c);
    return true;
}

bool clsGriglia::ImpostaLarghezza(int c, int viPixel) {
    auto* col = mpModello->Colonna(c);
    if (!col || viPixel < 0) return false;
    col->miLarghezza = viPixel;
    col->mdFrazione = 0.0;
    ApplicaLarghezze();
    return true;
}

bool clsGriglia::ImpostaLarghezzaFrazione(int c, double vdFrazione) {
    auto* col = mpModello->Colonna(c);
    if (!col || !(vdFrazione > 0.0) || vdFrazione > 1.0) return false;
    col->mdFrazione = vdFrazione;
    ApplicaLarghezze();
    return true;
}

bool clsGriglia::ImpostaVisibile(int c, bool vb) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->mbVisibile = vb;
    setColumnHidden(c, !vb);
    return true;
}

bool clsGriglia::ImpostaSolaLettura(int c, bool vb) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->mbSolaLettura = vb;
    mpModello->ColonnaCambiata(c);
    return true;
}

bool clsGriglia::ImpostaListaValori(int c, const clsListaValori& voLista) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->moLista = voLista;
    mpModello->ColonnaCambiata(c);
    return true;
}

bool clsGriglia::ImpostaDropDown(int c, clsDropDown* pDropDown) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    if (col->mpDropDown == pDropDown) return true;
    col->mpDropDown = pDropDown;
    mpModello->ColonnaCambiata(c);
    return true;
}

bool clsGriglia::ImpostaValoreNuovo(
    int c, std::function<std::optional<std::string>(const QString&, QString*)> fn) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->mfnValoreNuovo = std::move(fn);
    return true;
}

bool clsGriglia::ImpostaPulsante(int c, bool vb) {
    auto* col = mpModello->Colonna(c);
    if (!col) return false;
    col->mbPulsante = vb;
    viewport()->update();
    return true;
}

void clsGriglia::ApplicaColonne() {
    for (int c = 0; c < mpModello->columnCount(); ++c) {
        const auto* col = mpModello->Colonna(c);
        setColumnHidden(c, col && !col->mbVisibile);
    }
    ApplicaLarghezze();
}

void clsGriglia::ApplicaLarghezze() {
    const int larghezza = viewport()->width();
    QHeaderView* intestazione = horizontalHeader();
    const int margini =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, intestazione) + 6;
    // Each column's width as set (-1: left as it is) and the least it may have: its caption
    // (a larger font, a scaled screen) and the longest text of its list ("Ignora carattere").
    const int colonne = mpModello->columnCount();
    std::vector<int> vVoluta(colonne, -1), vMinima(colonne, 0);
    for (int c = 0; c < colonne; ++c) {
        const auto* col = mpModello->Colonna(c);
        if (!col) continue;
        int minima = intestazione->isHidden()
                         ? 1
                         : intestazione->fontMetrics().horizontalAdvance(
                               mpModello->headerData(c, Qt::Horizontal).toString()) +
                               margini;
        if (col->moLista.Traduci())
            for (const auto& voce : col->moLista.Voci())
                minima = std::max(minima, fontMetrics().horizontalAdvance(voce.msTesto) + margini);
        if (col->mdFrazione > 0.0)
            vVoluta[c] = static_cast<int>(std::lround(col->mdFrazione * larghezza));
        else if (col->miLarghezza >= 0)
            vVoluta[c] = col->miLarghezza;
        vMinima[c] = vVoluta[c] > 0 ? minima : 0;
    }
    // What the minimums add beyond the grid's width is taken from the columns wider than their
    // least, in proportion to their room, so that the grid keeps its width where it can.
    int eccesso = -larghezza, margine = 0;
    for (int c = 0; c < colonne; ++c) {
        if (vVoluta[c] < 0 || isColumnHidden(c)) continue;
        eccesso += std::max(vVoluta[c], vMinima[c]);
        margine += std::max(0, vVoluta[c] - vMinima[c]);
    }
    for (int c = 0; c < colonne; ++c) {
        if (vVoluta[c] < 0) continue;
        int l = std::max(vVoluta[c], vMinima[c]);
        const int spazio = std::max(0, vVoluta[c] - vMinima[c]);
        if (eccesso > 0 && margine > 0 && !isColumnHidden(c))
            l -= static_cast<int>(
                std::lround(static_cast<double>(std::min(eccesso, margine)) * spazio / margine));
        setColumnWidth(c, l);
    }
}

bool clsGriglia::viewportEvent(QEvent* event) {
    const bool esito = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize) ApplicaLarghezze();
    return esito;
}

// ---- rows

void clsGriglia::ImpostaAltezzaRiga(int viPixel) {
    if (viPixel <= 0) return;
    auto* intestazione = verticalHeader();
    intestazione->setMinimumSectionSize(std::min(viPixel, intestazione->minimumSectionSize()));
    intestazione->setDefaultSectionSize(viPixel);
}

int clsGriglia::AltezzaRiga() const { return verticalHeader()->defaultSectionSize(); }

void clsGriglia::ImpostaRigaInserimento(bool vb) { mpModello->ImpostaRigaInserimento(vb); }
bool clsGriglia::RigaInserimento() const { return mpModello->RigaInserimento(); }
void clsGriglia::ImpostaEliminazioneRighe(bool vb) { mbEliminaRighe = vb; }
void clsGriglia::ImpostaSelettoriRiga(bool vb) { verticalHeader()->setVisible(vb); }

bool clsGriglia::InserisciRiga(int r) { return mpModello->InserisciRiga(r); }

bool clsGriglia::EliminaRiga(int r) {
    if (InModifica()) AnnullaModifica();
    if (!mpModello->EliminaRiga(r)) return false;
    emit RigaEliminata(r);
    return true;
}

void clsGriglia::SelettorePremuto(int r) {
    if (r < 0 || r >= mpModello->rowCount() || mpModello->columnCount() == 0) return;
    const int c = std::max(ColonnaCorrente(), 0);
    setCurrentIndex(mpModello->index(r, c));
    selectionModel()->select(mpModello->index(r, 0),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// ---- current cell

int clsGriglia::RigaCorrente() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

int clsGriglia::ColonnaCorrente() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

void clsGriglia::ImpostaCellaCorrente(int r, int c) {
    // The cell alone is selected, whatever keys are held, and Shift+arrows extend from it.
    const QModelIndex i = mpModello->index(r, c);
    if (!i.isValid()) return;
    mbCellaDalProgramma = true;
    setCurrentIndex(i);
    mbCellaDalProgramma = false;
}

QItemSelectionModel::SelectionFlags clsGriglia::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
    if (mbCellaDalProgramma) return QItemSelectionModel::ClearAndSelect;
    return QTableView::selectionCommand(index, event);
}

void clsGriglia::ImpostaRigaCorrente(int r) {
    ImpostaCellaCorrente(r, std::max(ColonnaCorrente(), 0));
}

void clsGriglia::ImpostaColonnaCorrente(int c) {
    ImpostaCellaCorrente(std::max(RigaCorrente(), 0), c);
}

void clsGriglia::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    SegnalaCellaCorrente();
}

void clsGriglia::SegnalaCellaCorrente() {
    const int r = RigaCorrente();
    const int c = ColonnaCorrente();
    if (r != miRigaSegnalata) {
        const int precedente = miRigaSegnalata;
        miRigaSegnalata = r;
        emit RigaCorrenteCambiata(r, precedente);
    }
    if (c != miColonnaSegnalata) {
        const int precedente = miColonnaSegnalata;
        miColonnaSegnalata = c;
        emit ColonnaCorrenteCambiata(c, precedente);
    }
}

// ---- editing

bool clsGriglia::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool giaAperto = InModifica();
    if (!QTableView::edit(index, trigger, event)) return false;
    // A click on the current cell starts editing through a timer, as AllEditTriggers.
    const bool mouse = trigger == DoubleClicked || trigger == SelectedClicked ||
                       (trigger == AllEditTriggers && !event && !mbSpostamentoDaTastiera);
    if (mouse && !giaAperto)
        if (auto* combo = qobject_cast<QComboBox*>(mpDelegato->EditorAperto())) combo->showPopup();
    return true;
}

void clsGriglia::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    mbSpostamentoDaTastiera = hint == QAbstractItemDelegate::EditNextItem ||
                              hint == QAbstractItemDelegate::EditPreviousItem;
    // Tab out of the last cell (Shift+Tab out of the first) leaves the grid.
    const bool avanti = hint == QAbstractItemDelegate::EditNextItem;
    if (mbSpostamentoDaTastiera && AlBordo(avanti)) {
        mbSpostamentoDaTastiera = false;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        QWidget::focusNextPrevChild(avanti);
        return;
    }
    QTableView::closeEditor(editor, hint);
    mbSpostamentoDaTastiera = false;
}

bool clsGriglia::InModifica() const { return mpDelegato->EditorAperto() != nullptr; }

bool clsGriglia::ConfermaModifica(QString* psErrore) {
    QWidget* editor = mpDelegato->EditorAperto();
    if (!editor) return true;
    QString errore;
    if (!mpDelegato->Verifica(&errore)) {
        if (psErrore) *psErrore = errore;
        return false;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void clsGriglia::AnnullaModifica() {
    if (QWidget* editor = mpDelegato->EditorAperto())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool clsGriglia::AlBordo(bool bAvanti) {
    const QModelIndex i = currentIndex();
    if (!i.isValid()) return true;
    const QModelIndex j = moveCursor(bAvanti ? MoveNext : MovePrevious, Qt::NoModifier);
    if (!j.isValid() || j == i) return true;
    // Past the last cell the move starts again from the first one, and the other way round.
    const auto posizione = [this](const QModelIndex& x) {
        return std::pair(x.row(), horizontalHeader()->visualIndex(x.column()));
    };
    return bAvanti ? posizione(j) < posizione(i) : posizione(i) < posizione(j);
}

bool clsGriglia::focusNextPrevChild(bool next) {
    if (tabKeyNavigation() && currentIndex().isValid() && !AlBordo(next))
        return QTableView::focusNextPrevChild(next);
    return QWidget::focusNextPrevChild(next);
}

// ---- blocks of cells

QModelIndexList clsGriglia::CelleSelezionate() const {
    QModelIndexList celle;
    for (const QModelIndex& x : selectionModel()->selectedIndexes())
        if (!isColumnHidden(x.column())) celle << x;
    if (celle.isEmpty() && currentIndex().isValid()) celle << currentIndex();
    std::sort(celle.begin(), celle.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return std::pair(a.row(), a.column()) < std::pair(b.row(), b.column());
    });
    return celle;
}

QString clsGriglia::TestoSelezione() const {
    const QModelIndexList celle = CelleSelezionate();
    if (celle.isEmpty()) return {};
    int primaColonna = celle.front().column(), ultimaColonna = primaColonna;
    for (const QModelIndex& x : celle) {
        primaColonna = std::min(primaColonna, x.column());
        ultimaColonna = std::max(ultimaColonna, x.column());
    }
    // The block that holds the selection; a cell inside it that is not selected stays empty.
    QStringList righe;
    for (int r = celle.front().row(); r <= celle.back().row(); ++r) {
        QStringList riga;
        for (int c = primaColonna; c <= ultimaColonna; ++c) {
            if (isColumnHidden(c)) continue;
            const QModelIndex x = mpModello->index(r, c);
            riga << (celle.contains(x) ? x.data(Qt::DisplayRole).toString() : QString());
        }
        righe << riga.join(QLatin1Char('\t'));
    }
    return righe.join(QLatin1Char('\n'));
}

bool clsGriglia::Copia() {
    if (InModifica() || CelleSelezionate().isEmpty()) return false;
    QApplication::clipboard()->setText(TestoSelezione());
    return true;
}

bool clsGriglia::Taglia() {
    if (!Copia()) return false;
    SvuotaSelezione();
    return true;
}

bool clsGriglia::Incolla() {
    const QModelIndexList celle = CelleSelezionate();
    if (InModifica() || celle.isEmpty()) return false;
    QString testo = QApplication::clipboard()->text();
    testo.remove(QLatin1Char('\r'));
    if (testo.endsWith(QLatin1Char('\n'))) testo.chop(1);
    std::vector<TestoCella> scritte;
    if (!testo.contains(QLatin1Char('\n')) && !testo.contains(QLatin1Char('\t'))) {
        // One value: into every selected cell.
        for (const QModelIndex& x : celle) scritte.push_back({x.row(), x.column(), testo});
    } else {
        int primaColonna = celle.front().column();
        for (const QModelIndex& x : celle) primaColonna = std::min(primaColonna, x.column());
        const QStringList righe = testo.split(QLatin1Char('\n'));
        for (int i = 0; i < righe.size(); ++i) {
            int c = primaColonna;
            for (const QString& valore : righe[i].split(QLatin1Char('\t'))) {
                while (c < Colonne() && isColumnHidden(c)) ++c;
                if (c >= Colonne()) break;
                scritte.push_back({celle.front().row() + i, c++, valore});
            }
        }
    }
    ScriviCelle(scritte);
    return true;
}

void clsGriglia::SvuotaSelezione() {
    std::vector<TestoCella> celle;
    for (const QModelIndex& x : CelleSelezionate()) celle.push_back({x.row(), x.column(), {}});
    ScriviCelle(celle);
}

void clsGriglia::SvuotaRiga(int r) {
    std::vector<TestoCella> celle;
    for (int c = 0; c < Colonne(); ++c)
        if (!isColumnHidden(c)) celle.push_back({r, c, {}});
    ScriviCelle(celle);
}

int clsGriglia::ScriviCelle(const std::vector<TestoCella>& vCelle) {
    if (InModifica() || mbScrittura) return 0;
    const QPersistentModelIndex corrente = currentIndex();
    int cambiate = 0;
    const auto conteggio = connect(mpModello.get(), &clsModelloGriglia::CellaModificata, this,
                                   [&cambiate] { ++cambiate; });
    QString rifiuto;
    mbScrittura = true;
    for (const auto& [r, c, testo] : vCelle) {
        // Rows appended through the entry row move it down: the checks run on the cell as it
        // is now.
        if (!mpModello->Modificabile(r, c)) continue;
        // The owner sees the cell current and the key that would type the text.
        selectionModel()->setCurrentIndex(mpModello->index(r, c), QItemSelectionModel::NoUpdate);
        QKeyEvent tasto(QEvent::KeyPress, testo.isEmpty() ? Qt::Key_Delete : Qt::Key_unknown,
                        Qt::NoModifier, testo);
        if (SegnalaTasto(&tasto)) continue;
        QString errore;
        const auto valore = mpModello->ValoreDaTesto(c, testo, &errore);
        if (!valore) {
            if (rifiuto.isEmpty()) rifiuto = errore;
            continue;
        }
        mpModello->ScriviValore(r, c, *valore);
    }
    if (corrente.isValid())
        selectionModel()->setCurrentIndex(corrente, QItemSelectionModel::NoUpdate);
    mbScrittura = false;
    disconnect(conteggio);
    if (cambiate > 0) emit CelleCambiate();
    if (!rifiuto.isEmpty()) emit TestoRifiutato(rifiuto);
    return cambiate;
}

QMenu* clsGriglia::MenuCella() {
    auto* menu = new QMenu(this);
    const bool libera = currentIndex().isValid() && !InModifica();
    const auto voce = [&](const char* nome, int numero, const char* testo, QKeySequence tasti,
                          auto fn) {
        QAction* a = menu->addAction(TestoRisorsa(numero, testo), this, fn);
        a->setObjectName(QString::fromLatin1(nome));
        a->setShortcut(tasti);
        a->setEnabled(libera);
    };
    voce("mnuGrigliaTaglia", 1012, "Taglia", QKeySequence::Cut, [this] { Taglia(); });
    voce("mnuGrigliaCopia", 1013, "&Copia", QKeySequence::Copy, [this] { Copia(); });
    voce("mnuGrigliaIncolla", 1014, "Incolla", QKeySequence::Paste, [this] { Incolla(); });
    menu->addSeparator();
    voce("mnuGrigliaSvuota", 30855, "Svuota celle", QKeySequence(Qt::Key_Delete),
         [this] { SvuotaSelezione(); });
    voce("mnuGrigliaSvuotaRiga", 30856, "Svuota riga",
         mbEliminaRighe ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_Delete),
         [this] { SvuotaRiga(RigaCorrente()); });
    return menu;
}

void clsGriglia::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex i = indexAt(event->pos());
    if (i.isValid() && !selectionModel()->isSelected(i)) ImpostaCellaCorrente(i.row(), i.column());
    std::unique_ptr<QMenu> menu(MenuCella());
    menu->exec(event->globalPos());
    event->accept();
}

// ---- cell buttons

QRect clsGriglia::PulsanteInCella(const QRect& vCella) {
    const int larghezza = std::min(vCella.height(), std::max(vCella.width() / 2, 1));
    return QRect(vCella.right() - larghezza + 1, vCella.top(), larghezza, vCella.height());
}

bool clsGriglia::HaPulsante(const QModelIndex& index) const {
    // The entry row has its buttons too: what they fill in starts a new row.
    if (!index.isValid()) return false;
    const auto* col = mpModello->Colonna(index.column());
    return col && col->mbPulsante;
}

QRect clsGriglia::RettangoloPulsante(int r, int c) const {
    const QModelIndex i = mpModello->index(r, c);
    if (!HaPulsante(i)) return {};
    return PulsanteInCella(visualRect(i));
}

bool clsGriglia::PremiPulsante(const QModelIndex& index) {
    QString errore;
    if (!ConfermaModifica(&errore)) {
        emit TestoRifiutato(errore);
        return false;
    }
    if (currentIndex() != index) setCurrentIndex(index);
    emit PulsantePremuto(index.row(), index.column());
    return true;
}

// ---- input

bool clsGriglia::SegnalaTasto(QKeyEvent* pEvento) {
    if (mbTastoSegnalato) return false;
    bool scarta = false;
    emit TastoPremuto(pEvento, &scarta);
    return scarta;
}

void clsGriglia::keyPressEvent(QKeyEvent* event) {
    const QModelIndex i = currentIndex();
    const bool libera = i.isValid() && !InModifica();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // Delete empties cells through ScriviCelle, which lets the owner judge every cell.
    const bool eliminaRiga = mbEliminaRighe && i.row() < mpModello->RigheDati() &&
                             (ctrl || selectionModel()->isRowSelected(i.row(), QModelIndex()));
    if (libera && event->key() == Qt::Key_Delete && !eliminaRiga) {
        if (ctrl)
            SvuotaRiga(i.row());
        else
            SvuotaSelezione();
        event->accept();
        return;
    }
    if (SegnalaTasto(event)) {
        event->accept();
        return;
    }
    if (libera) {
        const bool alt = event->modifiers() & Qt::AltModifier;
        if (HaPulsante(i) &&
            (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && alt))) {
            PremiPulsante(i);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            EliminaRiga(i.row());
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier) {
            selectionModel()->select(
                i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            event->accept();
            return;
        }
        const bool copia = event->matches(QKeySequence::Copy);
        const bool taglia = event->matches(QKeySequence::Cut);
        const bool incolla = event->matches(QKeySequence::Paste);
        if (copia || taglia || incolla) {
            if (copia) Copia();
            if (taglia) Taglia();
            if (incolla) Incolla();
            event->accept();
            return;
        }
    }
    // A key that starts editing reaches the new editor through the delegate: it has been
    // reported already.
    mbTastoSegnalato = true;
    QTableView::keyPressEvent(event);
    mbTastoSegnalato = false;
}

void clsGriglia::mousePressEvent(QMouseEvent* event) {
    const QPoint punto = event->position().toPoint();
    const QModelIndex i = indexAt(punto);
    if (event->button() == Qt::LeftButton && HaPulsante(i) &&
        RettangoloPulsante(i.row(), i.column()).contains(punto)) {
        PremiPulsante(i);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void clsGriglia::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint punto = event->position().toPoint();
    const QModelIndex i = indexAt(punto);
    if (HaPulsante(i) && RettangoloPulsante(i.row(), i.column()).contains(punto)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

}  // namespace tarno

#include "clsGriglia.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace tarno {

clsGriglia::clsGriglia(QWidget* pGenitore)
    : QTableView(pGenitore),
      mpModello(std::make_unique<clsModelloGriglia>()),
      mpDelegato(std::make_unique<clsDelegatoGriglia>(this)) {
    setModel(mpModello.get());
    setItemDelegate(mpDelegato.get());
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    // A column is never narrower than its caption (a larger font, a scaled screen).
    const int margini =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, intestazione) + 6;
    for (int c = 0; c < mpModello->columnCount(); ++c) {
        const auto* col = mpModello->Colonna(c);
        if (!col) continue;
        const int minima = intestazione->isHidden()
                               ? 1
                               : intestazione->fontMetrics().horizontalAdvance(
                                     mpModello->headerData(c, Qt::Horizontal).toString()) +
                                     margini;
        if (col->mdFrazione > 0.0)
            setColumnWidth(
                c, std::max(minima, static_cast<int>(std::lround(col->mdFrazione * larghezza))));
        else if (col->miLarghezza >= 0)
            setColumnWidth(c, col->miLarghezza > 0 ? std::max(minima, col->miLarghezza) : 0);
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
    const QModelIndex i = mpModello->index(r, c);
    if (i.isValid()) setCurrentIndex(i);
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
    if (SegnalaTasto(event)) {
        event->accept();
        return;
    }
    const QModelIndex i = currentIndex();
    if (i.isValid() && !InModifica()) {
        const bool alt = event->modifiers() & Qt::AltModifier;
        if (HaPulsante(i) &&
            (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && alt))) {
            PremiPulsante(i);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            const bool ctrl = event->modifiers() & Qt::ControlModifier;
            if (mbEliminaRighe && i.row() < mpModello->RigheDati() &&
                (ctrl || selectionModel()->isRowSelected(i.row(), QModelIndex()))) {
                EliminaRiga(i.row());
            } else if (!ctrl && mpModello->Modificabile(i.row(), i.column())) {
                mpModello->setData(i, QString(), Qt::EditRole);
            }
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

#include "pagine/PaginaCampi.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <set>

#include "analisi/FormatiComuni.h"
#include "documento/DocumentoDriver.h"
#include "grid/clsDropDown.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/Messaggi.h"
#include "model/TabellaValori.h"
#include "model/Testo.h"
#include "pagine/ContestoPagine.h"
#include "pagine/frmSeleziona.h"
#include "tabelle/MappaChiamate.h"

namespace tarno {

using namespace Campi;

namespace {

// Marking colour and caption colour of each field, by its incoming index.
struct AspettoCampo {
    int iRosso, iVerde, iBlu;
    bool bTestoBianco;
};
constexpr AspettoCampo kAspetto[NUM_CAMPI_ENTRANTI] = {
    {255, 0, 0, false},      // Data
    {255, 128, 0, false},    // Ora inizio
    {255, 255, 0, false},    // Ora fine
    {0, 255, 0, false},      // Durata
    {0, 128, 0, false},      // Scatti
    {0, 255, 255, false},    // Derivato
    {0, 0, 255, true},       // Linea
    {0, 0, 128, true},       // Commessa
    {255, 0, 255, false},    // Numero
    {128, 0, 128, true},     // Durata squillo
    {128, 128, 128, false},  // Campo 1
    {128, 128, 128, false},  // Campo 2
    {128, 128, 128, false},  // Campo 3
    {128, 128, 128, false},  // Campo 4
};
// Captions of the boxes: string 621 + the field's incoming index.
constexpr int STRINGA_PRIMO_CAMPO = 621;

// Header buttons ("Campi", "Riga", ..., "Opz."): string, object name.
struct Intestazione {
    int iStringa;
    const char* sNome;
    const char* sPredefinito;
};
constexpr Intestazione kIntestazioni[] = {
    {614, "cmdCampi", "Campi"}, {615, "cmdRiga", "Riga"},          {616, "cmdPosiz", "Posiz."},
    {617, "cmdLung", "Lung."},  {618, "cmdAllineam", "Allineam."}, {619, "cmdFormato", "Formato"},
    {620, "cmdOpz", "Opz."},    {32000, "cmdCifre", "Cifre"},
};

// Grid columns: caption string, default caption, width in twips.
struct ColonnaCampi {
    int iStringa;
    const char* sPredefinito;
    int iTwip;
};
constexpr ColonnaCampi kColonne[Campi::NUM_COLONNE] = {
    {10627, "Riga", 600},    {10628, "Posiz.", 750},   {10629, "Lung.", 750},
    {10630, "Allin.", 1050}, {10633, "Formato", 1650}, {10635, "Opz.", 750},
    {32001, "Cifre", 750},
};
// The boxes' column is at least this wide.
constexpr int LARGHEZZA_CAMPI_TWIP = 1500;

// Largest accepted values of Riga, Posiz. and Lung.
constexpr int MAX_RIGA = 10;
constexpr int MAX_POSIZ = 2000;
constexpr int MAX_LUNG = 500;

// Row of "Campo 1" on each page: the copy maps the free fields through it.
constexpr int RIGA_PRIMO_CAMPO_LIBERO_ENTRANTI = 10;
constexpr int RIGA_PRIMO_CAMPO_LIBERO_USCENTI = 9;

// The incoming index of the field on row r of a page.
int IndiceEntrante(int r, bool bEntranti) {
    if (bEntranti) return r;
    const CallFieldName* nomi = NomiCampi();
    for (int i = 0; i < NUM_NOMI_CAMPI; ++i)
        if (nomi[i].iUscente == r) return nomi[i].iEntrante;
    return -1;
}

// The numeric value of a cell, as a leading number; 0 when there is none.
double ValoreNumerico(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

// A key that would put or take away a character in a cell (a paste comes as the key that types
// its text).
bool TastoDigitato(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return true;
    const QString t = e->text();
    return std::any_of(t.begin(), t.end(), [](QChar ch) { return ch.isPrint(); });
}

// Target row of source row r when copying from the incoming (bDaEntranti) or outgoing page;
// -1 for a row that is not copied.
int RigaCopia(int r, bool bDaEntranti) {
    if (r < Campi::RIGA_DURATA_SQUILLO) return r;
    if (bDaEntranti)
        return r >= RIGA_PRIMO_CAMPO_LIBERO_ENTRANTI
                   ? r - RIGA_PRIMO_CAMPO_LIBERO_ENTRANTI + RIGA_PRIMO_CAMPO_LIBERO_USCENTI
                   : -1;
    return r - RIGA_PRIMO_CAMPO_LIBERO_USCENTI + RIGA_PRIMO_CAMPO_LIBERO_ENTRANTI;
}

}  // namespace

PaginaCampi::PaginaCampi(DocumentoDriver& doc, ContestoPagine& contesto, bool bEntranti,
                         QWidget* parent)
    : QWidget(parent), mDoc(doc), mContesto(contesto), mbEntranti(bEntranti) {
    setObjectName(bEntranti ? QStringLiteral("pagEntranti") : QStringLiteral("pagUscenti"));
    const int righe = bEntranti ? NUM_CAMPI_ENTRANTI : NUM_CAMPI_USCENTI;
    miAltezzaRiga = clsGriglia::PixelDaTwip(ALTEZZA_RIGA_TWIP);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    mpViewPort = new QScrollArea(this);
    mpViewPort->setObjectName(bEntranti ? QStringLiteral("vprtEntranti")
                                        : QStringLiteral("vprtUscenti"));
    mpViewPort->setWidgetResizable(false);
    mpViewPort->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mpViewPort->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(mpViewPort, 1);
    mpContenuto = new QWidget;
    mpContenuto->setObjectName(QStringLiteral("picCampi"));

    // The boxes: a column as wide as the longest caption.
    const CallFieldName* nomi = NomiCampi();
    int larghezzaCampi = clsGriglia::PixelDaTwip(LARGHEZZA_CAMPI_TWIP);
    for (int r = 0; r < righe; ++r) {
        const int e = IndiceEntrante(r, bEntranti);
        auto* chk = new QCheckBox(mpContenuto);
        chk->setObjectName(
            QStringLiteral("%1_%2")
                .arg(bEntranti ? QStringLiteral("chkCampoEnt") : QStringLiteral("chkCampoUsc"))
                .arg(r));
        chk->setProperty("tag", QStringLiteral("%1;").arg(STRINGA_PRIMO_CAMPO + e));
        chk->setText(TestoRisorsa(STRINGA_PRIMO_CAMPO + e, nomi[e].sDidascalia));
        const AspettoCampo& a = kAspetto[e];
        QPalette p = chk->palette();
        const QColor testo = a.bTestoBianco ? QColor(Qt::white) : QColor(Qt::black);
        p.setColor(QPalette::Window, QColor(a.iRosso, a.iVerde, a.iBlu));
        p.setColor(QPalette::WindowText, testo);
        p.setColor(QPalette::ButtonText, testo);
        p.setColor(QPalette::Text, testo);
        // A disabled box keeps its colour and shows a dimmed caption.
        const QColor spento = a.bTestoBianco ? QColor(192, 192, 192) : QColor(96, 96, 96);
        for (auto ruolo : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(QPalette::Disabled, ruolo, spento);
        chk->setPalette(p);
        chk->setBackgroundRole(QPalette::Window);
        chk->setAutoFillBackground(true);
        chk->installEventFilter(this);
        connect(chk, &QCheckBox::clicked, this, [this, r] { chkCampo_Click(r); });
        larghezzaCampi = std::max(larghezzaCampi, chk->sizeHint().width() + 4);
        mvchkCampo.push_back(chk);
    }

    // The grid: no header and no scroll bars of its own, the view port scrolls it.
    mpGriglia = new clsGriglia(mpContenuto);
    mpGriglia->setObjectName(bEntranti ? QStringLiteral("grdEntranti")
                                       : QStringLiteral("grdUscenti"));
    mpGriglia->horizontalHeader()->hide();
    mpGriglia->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mpGriglia->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mpGriglia->ImpostaAltezzaRiga(miAltezzaRiga);
    const int cornice = mpGriglia->frameWidth();

    // The header buttons: "Campi" above the boxes, one per column above the grid. The column
    // widths are the distances between them.
    mpIntestazione = new QWidget(mpContenuto);
    mpIntestazione->setObjectName(QStringLiteral("picIntestazione"));
    mpIntestazione->setAutoFillBackground(true);
    int x = 0;
    int larghezzaGriglia = 2 * cornice;
    for (int i = 0; i < static_cast<int>(std::size(kIntestazioni)); ++i) {
        const Intestazione& h = kIntestazioni[i];
        auto* cmd = new QPushButton(mpIntestazione);
        cmd->setObjectName(QString::fromLatin1(h.sNome));
        cmd->setProperty("tag", QStringLiteral("%1;").arg(h.iStringa));
        cmd->setText(TestoRisorsa(h.iStringa, h.sPredefinito));
        cmd->setFocusPolicy(Qt::NoFocus);
        int larghezza = larghezzaCampi;
        if (i > 0) {
            larghezza = std::max(clsGriglia::PixelDaTwip(kColonne[i - 1].iTwip),
                                 cmd->fontMetrics().horizontalAdvance(cmd->text()) + 10);
            larghezzaGriglia += larghezza;
        }
        if (i == 1) x += cornice;
        cmd->setGeometry(x, 0, larghezza, miAltezzaRiga);
        x += larghezza;
        mvIntestazioni.push_back(cmd);
    }
    mpIntestazione->setGeometry(0, 0, x + cornice, miAltezzaRiga);

    for (int r = 0; r < righe; ++r)
        mvchkCampo[static_cast<size_t>(r)]->setGeometry(
            0, miAltezzaRiga + cornice + r * miAltezzaRiga, larghezzaCampi, miAltezzaRiga);
    mpGriglia->setGeometry(larghezzaCampi, miAltezzaRiga, larghezzaGriglia,
                           2 * cornice + righe * miAltezzaRiga);
    mpContenuto->resize(larghezzaCampi + larghezzaGriglia, miAltezzaRiga + mpGriglia->height());
    mpIntestazione->raise();
    mpViewPort->setWidget(mpContenuto);
    mpViewPort->viewport()->installEventFilter(this);
    mpViewPort->verticalScrollBar()->setSingleStep(miAltezzaRiga);
    mpViewPort->verticalScrollBar()->setPageStep(miAltezzaRiga);
    connect(mpViewPort->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &PaginaCampi::vprtCampi_Scroll);

    // The copy button under the view port.
    auto* riga = new QHBoxLayout;
    mpCmdCopia = new QPushButton(this);
    mpCmdCopia->setObjectName(bEntranti ? QStringLiteral("cmdCopyOutgoing")
                                        : QStringLiteral("cmdCopyFromIncoming"));
    mpCmdCopia->setText(bEntranti ? TestoRisorsa(30010, "Copy &outgoing")
                                  : TestoRisorsa(30011, "Copy &incoming"));
    mpCmdCopia->setAutoDefault(false);
    // The caption is short: the tip says which way the fields go.
    mpCmdCopia->setToolTip(
        bEntranti ? TestoRisorsa(32420,
                                 "Copia in questa pagina (Entranti) i campi della pagina "
                                 "Uscenti")
                  : TestoRisorsa(32421,
                                 "Copia in questa pagina (Uscenti) i campi della pagina "
                                 "Entranti"));
    mpCmdCopia->setStatusTip(mpCmdCopia->toolTip());
    connect(mpCmdCopia, &QPushButton::clicked, this, [this] {
        if (mbEntranti)
            cmdCopyOutgoing_Click();
        else
            cmdCopyFromIncoming_Click();
    });
    riga->addWidget(mpCmdCopia);
    riga->addStretch(1);
    layout->addLayout(riga);

    // Keyboard: the boxes from the first, then the grid, then the button.
    QWidget* precedente = nullptr;
    for (QCheckBox* chk : mvchkCampo) {
        if (precedente) setTabOrder(precedente, chk);
        precedente = chk;
    }
    setTabOrder(precedente, mpGriglia);
    setTabOrder(mpGriglia, mpCmdCopia);

    connect(mpGriglia, &clsGriglia::CellaCambiata, this, &PaginaCampi::grdCampi_Change);
    connect(mpGriglia, &clsGriglia::CelleCambiate, this, [this] { mDoc.Modificato(); });
    // The page follows the document: the transformations' isolated date, its own table when
    // another page changed it, and a whole state put back (an edit left open belongs to the
    // state being left).
    connect(&mDoc, &DocumentoDriver::ParteCambiata, this, [this](int parti) {
        if (parti & DocumentoDriver::TRASFORMAZIONI)
            ImpostaDataIsolata(mDoc.Presente(Trasf::DATA_ISOLATA, ValoreSi()));
        if (parti & (mbEntranti ? DocumentoDriver::ENTRANTI : DocumentoDriver::USCENTI))
            mpGriglia->Aggiorna();
    });
    connect(&mDoc, &DocumentoDriver::PrimaDelRipristino, mpGriglia, &clsGriglia::AnnullaModifica);
    connect(&mDoc, &DocumentoDriver::Ripristinato, this, [this] {
        mpGriglia->RiAssocia();
        ImpostaDataIsolata(mDoc.Presente(Trasf::DATA_ISOLATA, ValoreSi()));
        ControllaCampiOra();
    });
    connect(mpGriglia, &clsGriglia::RigaCorrenteCambiata, this,
            [this](int riga, int) { grdCampi_RowColChange(riga); });
    connect(mpGriglia, &clsGriglia::ColonnaCorrenteCambiata, this, [this] { SpiegaCella(); });
    connect(mpGriglia, &clsGriglia::DropDownApertura, this,
            &PaginaCampi::grdCampi_DropDownApertura);
    connect(mpGriglia, &clsGriglia::TastoPremuto, this, &PaginaCampi::grdCampi_KeyPress);
    connect(mpGriglia, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
}

QCheckBox* PaginaCampi::chkCampo(int i) const {
    if (i < 0 || i >= Righe()) return nullptr;
    return mvchkCampo[static_cast<size_t>(i)];
}

TabellaValori& PaginaCampi::Tabella() const {
    return mbEntranti ? mDoc.mrgxEntranti : mDoc.mrgxUscenti;
}

// ---- grid initialisation

int PaginaCampi::CodiceNessuno(const TabellaValori& vrgxData, const TabellaValori& vrgxOra) {
    // "Nessuno" stands after the date formats: their row count, unless a format added to the
    // catalogue later took that code; then the first code after it that no format holds.
    std::set<std::string> usati;
    for (const TabellaValori* t : {&vrgxData, &vrgxOra})
        if (t->Colonne() >= 2)
            for (int r = 1; r < t->Righe(); ++r) usati.insert(t->Cella(r, 1));
    int codice = vrgxData.Righe();
    while (usati.count(std::to_string(codice))) ++codice;
    return codice;
}

clsListaValori PaginaCampi::ListaFormati(const TabellaValori& vrgxData,
                                         const TabellaValori& vrgxOra) {
    clsListaValori lista;
    lista.Aggiungi("0", QString());
    const auto aggiungi = [&lista](const TabellaValori& t) {
        if (t.Colonne() < 2) return;
        for (int r = 1; r < t.Righe(); ++r)
            if (!t.Cella(r, 1).empty()) lista.Aggiungi(t.Cella(r, 1), DaCp1252(t.Cella(r, 0)));
    };
    aggiungi(vrgxData);
    lista.Aggiungi(std::to_string(CodiceNessuno(vrgxData, vrgxOra)),
                   TestoRisorsa(10634, "Nessuno"));
    aggiungi(vrgxOra);
    lista.ImpostaLimita(true);
    return lista;
}

void PaginaCampi::AggiornaListaFormati() {
    mpGriglia->ImpostaListaValori(
        COL_FORMATO, ListaFormati(mContesto.mrgxFormatiData, mContesto.mrgxFormatiOra));
}

void PaginaCampi::Inizializza() {
    const int righe = Righe();
    mpGriglia->ImpostaAltezzaRiga(miAltezzaRiga);

    mpGriglia->EliminaColonne();
    for (int c = 0; c < NUM_COLONNE; ++c) {
        mpGriglia->AggiungiColonna(TestoRisorsa(kColonne[c].iStringa, kColonne[c].sPredefinito));
        mpGriglia->ImpostaVisibile(c, true);
        // The width is the distance between this column's header button and the next one.
        mpGriglia->ImpostaLarghezza(c, mvIntestazioni[static_cast<size_t>(c) + 1]->width());
    }
    const std::pair<int, int> intervalli[] = {{1, MAX_RIGA}, {1, MAX_POSIZ}, {1, MAX_LUNG}};
    for (int c = COL_RIGA; c <= COL_LUNG; ++c) {
        clsListaValori lista;
        lista.AggiungiIntervallo(intervalli[c].first, intervalli[c].second);
        lista.ImpostaLimita(true);
        mpGriglia->ImpostaListaValori(c, lista);
    }
    moListaAllin = clsListaValori();
    moListaAllin.Aggiungi(ALLIN_NESSUNO, QString());
    moListaAllin.Aggiungi(ALLIN_SINISTRA, TestoRisorsa(10631, "Sinistra"));
    moListaAllin.Aggiungi(ALLIN_DESTRA, TestoRisorsa(10632, "Destra"));
    moListaAllin.ImpostaLimita(true);
    moListaAllin.ImpostaCombo(true);
    mpGriglia->ImpostaListaValori(COL_ALLIN, moListaAllin);
    mpGriglia->ImpostaListaValori(
        COL_FORMATO, ListaFormati(mContesto.mrgxFormatiData, mContesto.mrgxFormatiOra));
    mpGriglia->ImpostaDropDown(COL_FORMATO, mContesto.drpFormatiData);
    // A format the catalogue lacks, typed on the date or a time field, is added to it.
    mpGriglia->ImpostaValoreNuovo(
        COL_FORMATO,
        [this](const QString& sTesto, QString* psErrore) -> std::optional<std::string> {
            const int r = mpGriglia->RigaCorrente();
            if (r < 0 || r >= Righe() || !chkCampo(r)->isEnabled()) return std::nullopt;
            const bool ora = (r >= RIGA_ORA_INIZIO && r <= RIGA_DURATA) ||
                             (mbEntranti && r == RIGA_DURATA_SQUILLO);
            if (r != RIGA_DATA && !ora) return std::nullopt;
            return mContesto.AggiungiFormato(this, r == RIGA_DATA, sTesto, psErrore);
        });
    moListaOpz = clsListaValori();
    moListaOpz.Aggiungi("", QString());
    moListaOpz.Aggiungi(OPZ_SI, gsTestoSi);
    moListaOpz.Aggiungi(OPZ_NO, gsTestoNo);
    moListaOpz.ImpostaLimita(true);
    moListaOpz.ImpostaCombo(true);
    mpGriglia->ImpostaListaValori(COL_OPZ, moListaOpz);
    mpGriglia->ImpostaListaValori(COL_CIFRE, moListaOpz);

    TabellaValori& tabella = Tabella();
    if (tabella.Righe() != righe || tabella.Colonne() != NUM_COLONNE)
        tabella.Dimensiona(righe, NUM_COLONNE);
    else
        for (int r = 0; r < righe; ++r)
            for (int c = 0; c < NUM_COLONNE; ++c) tabella.Cella(r, c).clear();
    mpGriglia->Associa(&tabella);
    mpGriglia->RiAssocia();
    ControllaCampiOra();
}

// ---- marking

void PaginaCampi::chkCampo_Click(int i) {
    QCheckBox* chk = chkCampo(i);
    if (!chk) return;
    if (chk->isChecked() && mContesto.MarcaturaPossibile()) {
        QTextEdit* rtf = mContesto.VistaCampione();
        const QTextCursor selezione = rtf->textCursor();
        const int inizio = selezione.selectionStart();
        const int lunghezza = selezione.selectionEnd() - inizio;
        TabellaValori& t = Tabella();
        if (lunghezza >= 1 && i < t.Righe() && t.Colonne() >= NUM_COLONNE) {
            QString errore;
            int colonna = frmSeleziona::ColonnaSelezione(rtf->document()->toPlainText(), inizio);
            int caratteri = lunghezza;
            // In a driver of separated fields the selection gives the field's number, and the
            // start and length inside it only when it is a part of the field.
            std::optional<PosizioneCampo> campo;
            if (const auto separa = mContesto.SeparazioneCampi())
                campo = frmSeleziona::CampoSelezione(selezione, *separa);
            if (campo) {
                colonna = campo->iCampo;
                caratteri = campo->iLunghezza;
            }
            if (!mpGriglia->ConfermaModifica(&errore)) {
                Avviso(this, errore);
            } else if (colonna > MAX_POSIZ || caratteri > MAX_LUNG) {
                Avviso(this, TestoRisorsa(30012,
                                          "La selezione non pu\u00F2 diventare un campo: la "
                                          "posizione arriva fino a %1 e la lunghezza fino a %2.")
                                 .arg(MAX_POSIZ)
                                 .arg(MAX_LUNG));
            } else {
                std::optional<CursoreOccupato> occupato;
                occupato.emplace();
                QTextCursor colora = selezione;
                QTextCharFormat formato;
                // The box's colour behind the text, with the box's own text colour over it.
                formato.setBackground(chk->palette().color(QPalette::Window));
                formato.setForeground(chk->palette().color(QPalette::WindowText));
                colora.mergeCharFormat(formato);

                const bool data = i == RIGA_DATA;
                const bool tempo = (i >= RIGA_ORA_INIZIO && i <= RIGA_DURATA) ||
                                   (mbEntranti && i == RIGA_DURATA_SQUILLO);
                const std::string formatoPrima = t.Cella(i, COL_FORMATO);
                t.Cella(i, COL_POSIZ) = std::to_string(colonna);
                t.Cella(i, COL_LUNG) = std::to_string(caratteri);
                if (campo) PosizioneNelCampo(i, *campo);
                // On the line of the call the selection lies on, when the sample holds one.
                t.Cella(i, COL_RIGA) =
                    std::to_string(std::max(1, mContesto.RigaNellaChiamata(mbEntranti)));
                t.Cella(i, COL_OPZ) = OPZ_NO;
                int colonnaCorrente = COL_ALLIN;
                if (i == RIGA_DATA || (mbEntranti && i == RIGA_DURATA_SQUILLO)) {
                    t.Cella(i, COL_FORMATO) = "1";
                    colonnaCorrente = COL_FORMATO;
                } else if (i >= RIGA_ORA_INIZIO && i <= RIGA_DURATA) {
                    // The catalogue's first time format.
                    const TabellaValori& ore = mContesto.mrgxFormatiOra;
                    t.Cella(i, COL_FORMATO) =
                        ore.Righe() > 1 && ore.Colonne() > 1 ? ore.Cella(1, 1) : std::string("0");
                    colonnaCorrente = COL_FORMATO;
                } else {
                    t.Cella(i, COL_ALLIN) = ALLIN_SINISTRA;
                }
                mpGriglia->Aggiorna();
                // The field (marked anew too) gets the first of the catalogue's formats that
                // read it on every call of this kind the sample holds, as the engine cuts it
                // out; a format it had that is one of them stays.
                if (data || tempo) {
                    const auto proposti = mContesto.FormatiCheLeggono(mbEntranti, i, data);
                    if (!proposti.empty()) {
                        const bool resta = std::any_of(
                            proposti.begin(), proposti.end(),
                            [&](int16_t f) { return std::to_string(f) == formatoPrima; });
                        t.Cella(i, COL_FORMATO) =
                            resta ? formatoPrima : std::to_string(proposti.front());
                        mpGriglia->Aggiorna();
                        // All of them are named: the user may pick another in the cell's list.
                        const TabellaValori& f =
                            data ? mContesto.mrgxFormatiData : mContesto.mrgxFormatiOra;
                        QStringList nomi;
                        for (const int16_t codice : proposti)
                            for (int r = 1; r < f.Righe() && f.Colonne() >= 2; ++r)
                                if (f.Cella(r, 1) == std::to_string(codice))
                                    nomi << DaCp1252(f.Cella(r, 0));
                        mContesto.Segnala(
                            TestoRisorsa(30725, "Formati che leggono il campo in ogni chiamata: %1")
                                .arg(nomi.join(QStringLiteral(", "))));
                    } else if (const std::string comune = FormatoComuneCheLegge(
                                   mContesto.TagliDelCampo(mbEntranti, i), data);
                               !comune.empty()) {
                        // None of them does: a common format that does is offered to the
                        // catalogue, with one question; on a no the cell stays as set above.
                        // One the catalogue holds already (blank values fail its reading
                        // above) is taken as it is.
                        const TabellaValori& f =
                            data ? mContesto.mrgxFormatiData : mContesto.mrgxFormatiOra;
                        std::optional<std::string> codice;
                        for (int r = 1; r < f.Righe() && f.Colonne() >= 2 && !codice; ++r)
                            if (UgualeNoCase(f.Cella(r, 0), comune)) codice = f.Cella(r, 1);
                        occupato.reset();
                        QString motivo;
                        if (!codice)
                            codice =
                                mContesto.AggiungiFormato(this, data, DaCp1252(comune), &motivo);
                        if (codice) {
                            t.Cella(i, COL_FORMATO) = *codice;
                            mpGriglia->Aggiorna();
                        } else if (!motivo.isEmpty()) {
                            mContesto.Segnala(motivo);
                        }
                    }
                }
                ControllaCampiOra();
                mDoc.Modificato();
                occupato.reset();
                mpGriglia->ImpostaCellaCorrente(i, colonnaCorrente);
                mpGriglia->setFocus();
            }
        }
    }
    // The boxes act as push buttons.
    chk->setChecked(false);
}

void PaginaCampi::PosizioneNelCampo(int i, const PosizioneCampo& campo) {
    // The table has no column for the start inside a field: the driver's field keeps it, and
    // the table's field number with it.
    clsDriver& d = mDoc.Driver();
    clsChiamata* chiamata = (mbEntranti ? d.moEntranti : d.moUscenti).get();
    if (!chiamata) return;
    if (!chiamata->mcolCampi) chiamata->mcolCampi.emplace();
    const std::string chiave = std::to_string(i);
    clsCampo* c = chiamata->mcolCampi->Trova(chiave);
    if (!c && campo.iNelCampo > 0) {
        clsCampo nuovo;
        nuovo.msNome = NomeCampo(i, mbEntranti);
        chiamata->mcolCampi->Add(std::move(nuovo), chiave);
        c = chiamata->mcolCampi->Trova(chiave);
    }
    if (!c) return;
    c->miInizio = static_cast<int16_t>(campo.iCampo);
    c->miNelCampo = static_cast<int16_t>(campo.iNelCampo);
}

void PaginaCampi::ImpostaCampiSeparati(bool bSeparati) {
    // Where a position is a field's number, the column says so.
    const QString titolo =
        bSeparati ? TestoRisorsa(32602, "Campo")
                  : TestoRisorsa(kColonne[COL_POSIZ].iStringa, kColonne[COL_POSIZ].sPredefinito);
    if (mpGriglia->Colonne() > COL_LUNG) {
        mpGriglia->ImpostaTitolo(COL_POSIZ, titolo);
        // A field's number counts from the end when negative, and length 0 takes all of it.
        clsListaValori posiz, lung;
        if (bSeparati) posiz.AggiungiIntervallo(-MAX_POSIZ, -1);
        posiz.AggiungiIntervallo(1, MAX_POSIZ);
        lung.AggiungiIntervallo(bSeparati ? 0 : 1, MAX_LUNG);
        for (clsListaValori* l : {&posiz, &lung}) l->ImpostaLimita(true);
        mpGriglia->ImpostaListaValori(COL_POSIZ, posiz);
        mpGriglia->ImpostaListaValori(COL_LUNG, lung);
    }
    if (mvIntestazioni.size() > static_cast<size_t>(COL_POSIZ) + 1)
        mvIntestazioni[static_cast<size_t>(COL_POSIZ) + 1]->setText(
            bSeparati ? titolo
                      : TestoRisorsa(kIntestazioni[COL_POSIZ + 1].iStringa,
                                     kIntestazioni[COL_POSIZ + 1].sPredefinito));
}

// ---- rules

bool PaginaCampi::RigaDefinita(int r) const {
    const TabellaValori& t = Tabella();
    for (int c = COL_RIGA; c <= COL_FORMATO; ++c) {
        const std::string& v = t.Cella(r, c);
        if (v.empty()) continue;
        if (c <= COL_LUNG || ValoreNumerico(v) > 0) return true;
    }
    return false;
}

void PaginaCampi::ControllaCampiOra() {
    TabellaValori& t = Tabella();
    if (t.Righe() <= RIGA_DURATA || t.Colonne() < NUM_COLONNE || Righe() <= RIGA_DURATA) return;
    bool definita[RIGA_DURATA + 1] = {};
    int definite = 0;
    for (int r = RIGA_ORA_INIZIO; r <= RIGA_DURATA; ++r) {
        definita[r] = RigaDefinita(r);
        if (definita[r])
            ++definite;
        else
            t.Cella(r, COL_OPZ).clear();
    }
    mpGriglia->Aggiorna();
    for (int r = RIGA_ORA_INIZIO; r <= RIGA_DURATA; ++r)
        chkCampo(r)->setEnabled(definite != 2 || definita[r]);
    ImpostaEditoriRiga(mpGriglia->RigaCorrente());
}

void PaginaCampi::ImpostaDataIsolata(bool bIsolata) {
    if (Righe() == 0) return;
    chkCampo(RIGA_DATA)->setEnabled(!bIsolata);
    if (mpGriglia->Colonne() < NUM_COLONNE) return;
    if (bIsolata) {
        clsListaValori allin = moListaAllin;
        allin.ImpostaCombo(false);
        mpGriglia->ImpostaListaValori(COL_ALLIN, allin);
        mpGriglia->ImpostaDropDown(COL_FORMATO, nullptr);
        clsListaValori opz = moListaOpz;
        opz.ImpostaCombo(false);
        mpGriglia->ImpostaListaValori(COL_OPZ, opz);
        return;
    }
    mpGriglia->ImpostaListaValori(COL_ALLIN, moListaAllin);
    mpGriglia->ImpostaDropDown(COL_FORMATO, mContesto.drpFormatiData);
    mpGriglia->ImpostaListaValori(COL_OPZ, moListaOpz);
    ImpostaEditoriRiga(mpGriglia->RigaCorrente());
}

void PaginaCampi::ImpostaEditoriRiga(int r) {
    if (r < 0 || r >= Righe() || mpGriglia->Colonne() < NUM_COLONNE) return;
    const bool bloccata = !chkCampo(r)->isEnabled();
    clsListaValori allin = moListaAllin;
    allin.ImpostaCombo(!bloccata);
    mpGriglia->ImpostaListaValori(COL_ALLIN, allin);
    grdCampi_DropDownApertura(COL_FORMATO);
    clsListaValori opz = moListaOpz;
    opz.ImpostaCombo(!bloccata);
    mpGriglia->ImpostaListaValori(COL_OPZ, opz);
    opz.ImpostaCombo(!bloccata && RigaDiTesto(r, mbEntranti));
    mpGriglia->ImpostaListaValori(COL_CIFRE, opz);
}

QString PaginaCampi::PercheNonDisponibile(int r, int c) const {
    if (r < 0 || r >= Righe() || c < 0) return {};
    if (!chkCampo(r)->isEnabled())
        return r == RIGA_DATA
                   ? TestoRisorsa(32003,
                                  "La data sta su una riga a parte (pagina Trasformazioni): "
                                  "il campo Data non si modifica qui")
                   : TestoRisorsa(32002,
                                  "Di Ora inizio, Ora fine e Durata due bastano: il terzo "
                                  "\u00E8 ricavato e non si definisce");
    if (c == COL_CIFRE && !RigaDiTesto(r, mbEntranti))
        return TestoRisorsa(32004, "Solo cifre vale per i campi di testo (numero, derivato, ...)");
    return {};
}

void PaginaCampi::SpiegaCella() {
    const QString perche =
        PercheNonDisponibile(mpGriglia->RigaCorrente(), mpGriglia->ColonnaCorrente());
    mpGriglia->setToolTip(perche);
    if (!perche.isEmpty()) mContesto.Segnala(perche);
}

// ---- grid events

void PaginaCampi::grdCampi_RowColChange(int riga) {
    // The view has committed the pending edit when the row changes.
    ImpostaEditoriRiga(riga);
    MostraRiga(riga);
    SpiegaCella();
}

void PaginaCampi::grdCampi_DropDownApertura(int colonna) {
    const int r = mpGriglia->RigaCorrente();
    if (colonna != COL_FORMATO || r < 0 || r >= Righe()) return;
    clsDropDown* drp = nullptr;
    if (chkCampo(r)->isEnabled()) {
        if (r == RIGA_DATA)
            drp = mContesto.drpFormatiData;
        else if ((r >= RIGA_ORA_INIZIO && r <= RIGA_DURATA) ||
                 (mbEntranti && r == RIGA_DURATA_SQUILLO))
            drp = mContesto.drpFormatiOra;
        else
            drp = mContesto.drpFormatiNessuno;
    }
    mpGriglia->ImpostaDropDown(COL_FORMATO, drp);
}

void PaginaCampi::grdCampi_KeyPress(QKeyEvent* pEvento, bool* pbScarta) {
    const int r = mpGriglia->RigaCorrente();
    const int c = mpGriglia->ColonnaCorrente();
    if (r < 0 || r >= Righe()) return;
    // Ctrl+M places the sample view's selection on this row's field, as its box does.
    if (pEvento->key() == Qt::Key_M && pEvento->modifiers() == Qt::ControlModifier) {
        *pbScarta = true;
        chkCampo(r)->click();
        return;
    }
    const bool digitato = TastoDigitato(pEvento);
    // A row whose box is disabled takes no input, nor does a choice the field does not have;
    // the user is told why.
    if ((digitato || pEvento->key() == Qt::Key_Delete) && !PercheNonDisponibile(r, c).isEmpty()) {
        *pbScarta = true;
        SpiegaCella();
    }
}

void PaginaCampi::grdCampi_Change(int, int) {
    // A paste or a clear of several cells is one change, told by CelleCambiate; the time
    // fields' rule holds after every cell.
    if (!mpGriglia->InScrittura()) mDoc.Modificato();
    ControllaCampiOra();
}

// ---- copy between the pages

void PaginaCampi::cmdCopyOutgoing_Click() {
    if (mbEntranti) CopiaDallAltraPagina();
}

void PaginaCampi::cmdCopyFromIncoming_Click() {
    if (!mbEntranti) CopiaDallAltraPagina();
}

void PaginaCampi::CopiaDallAltraPagina() {
    // The other page's grid committed its edit when the focus left it.
    QString errore;
    if (!mpGriglia->ConfermaModifica(&errore)) {
        Avviso(this, errore);
        return;
    }
    const TabellaValori& sorgente = mbEntranti ? mDoc.mrgxUscenti : mDoc.mrgxEntranti;
    TabellaValori& destinazione = Tabella();
    const int colonne = std::min({sorgente.Colonne(), destinazione.Colonne(), int{NUM_COLONNE}});
    // Fields this page holds already are replaced only when the user says so.
    bool pieni = false;
    for (int r = 0; r < sorgente.Righe() && !pieni; ++r) {
        const int d = RigaCopia(r, !mbEntranti);
        pieni = d >= 0 && d < destinazione.Righe() && RigaInUso(sorgente, r) &&
                RigaInUso(destinazione, d);
    }
    if (pieni &&
        ServiziUI().Messaggio(
            this,
            TestoRisorsa(30931,
                         "Alcuni campi di questa pagina hanno gi\u00E0 dei dati: copiando, "
                         "prendono quelli dell'altra pagina. Copiare?"),
            IconaUI::Domanda, PulsantiUI::SiNo,
            QString::fromLatin1(TITOLO_ATTENZIONE)) != RispostaUI::Si)
        return;
    for (int r = 0; r < sorgente.Righe(); ++r) {
        const int d = RigaCopia(r, !mbEntranti);
        if (d < 0 || d >= destinazione.Righe()) continue;
        for (int c = 0; c < colonne; ++c)
            if (!sorgente.Cella(r, c).empty()) destinazione.Cella(d, c) = sorgente.Cella(r, c);
    }
    mpGriglia->Aggiorna();
    ControllaCampiOra();
    mDoc.Modificato();
}

// ---- view port

void PaginaCampi::vprtCampi_Scroll(int valore) {
    // Snapped down to whole rows, so that boxes and rows start right under the header, which
    // stays on top of the visible part.
    QScrollBar* barra = mpViewPort->verticalScrollBar();
    const int agganciato = valore - valore % miAltezzaRiga;
    if (agganciato != valore) {
        barra->setValue(agganciato);
        return;
    }
    mpIntestazione->move(0, valore);
}

void PaginaCampi::AdattaAltezzaContenuto() {
    // The scrolled height leaves a whole number of rows to scroll, so that the snapped
    // offsets reach the last row.
    const int altezza = miAltezzaRiga + mpGriglia->height();
    const int visibile = mpViewPort->viewport()->height();
    int totale = altezza;
    if (visibile > 0 && altezza > visibile)
        totale =
            visibile + (altezza - visibile + miAltezzaRiga - 1) / miAltezzaRiga * miAltezzaRiga;
    if (mpContenuto->height() != totale) mpContenuto->resize(mpContenuto->width(), totale);
}

void PaginaCampi::MostraRiga(int r) {
    if (r < 0 || r >= Righe()) return;
    QScrollBar* barra = mpViewPort->verticalScrollBar();
    const int visibile = mpViewPort->viewport()->height();
    const int alto = r * miAltezzaRiga;  // offset that shows row r right under the header
    const int basso = miAltezzaRiga + mpGriglia->frameWidth() + (r + 1) * miAltezzaRiga;
    int valore = barra->value();
    if (alto < valore)
        valore = alto;
    else if (basso > valore + visibile)
        valore = (basso - visibile + miAltezzaRiga - 1) / miAltezzaRiga * miAltezzaRiga;
    barra->setValue(valore);
}

bool PaginaCampi::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == mpViewPort->viewport() && ev->type() == QEvent::Resize) {
        AdattaAltezzaContenuto();
    } else if (ev->type() == QEvent::FocusIn) {
        for (int r = 0; r < Righe(); ++r)
            if (obj == chkCampo(r)) MostraRiga(r);
    }
    return QWidget::eventFilter(obj, ev);
}

}  // namespace tarno

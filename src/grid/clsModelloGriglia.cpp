#include "grid/clsModelloGriglia.h"

#include "kit/Risorse.h"
#include "kit/TestoQt.h"

namespace tarno {

namespace {

QString InUtf16(const std::string& s) { return QString::fromStdString(Cp1252InUtf8(s)); }

}  // namespace

clsModelloGriglia::clsModelloGriglia(QObject* pGenitore) : QAbstractTableModel(pGenitore) {}

void clsModelloGriglia::Associa(TabellaValori* prgx) {
    beginResetModel();
    mpTabella = prgx;
    LeggiForma();
    endResetModel();
}

void clsModelloGriglia::RiAssocia() {
    beginResetModel();
    LeggiForma();
    endResetModel();
}

void clsModelloGriglia::LeggiForma() {
    miRighe = mpTabella ? mpTabella->Righe() : 0;
    miColonne = mpTabella ? mpTabella->Colonne() : 0;
}

bool clsModelloGriglia::FormaCoerente() const {
    return mpTabella && mpTabella->Righe() == miRighe && mpTabella->Colonne() == miColonne;
}

void clsModelloGriglia::Aggiorna() {
    if (mpTabella && !FormaCoerente()) {
        RiAssocia();
        return;
    }
    const int righe = rowCount();
    const int colonne = columnCount();
    if (righe > 0 && colonne > 0) emit dataChanged(index(0, 0), index(righe - 1, colonne - 1));
    if (colonne > 0) emit headerDataChanged(Qt::Horizontal, 0, colonne - 1);
}

void clsModelloGriglia::ImpostaRigaInserimento(bool vb) {
    if (vb == mbRigaInserimento) return;
    beginResetModel();
    mbRigaInserimento = vb;
    endResetModel();
}

void clsModelloGriglia::EliminaColonne() {
    beginResetModel();
    mvColonne.clear();
    endResetModel();
}

int clsModelloGriglia::AggiungiColonna(const QString& vsTitolo) {
    beginResetModel();
    mvColonne.emplace_back();
    mvColonne.back().msTitolo = vsTitolo;
    endResetModel();
    return static_cast<int>(mvColonne.size()) - 1;
}

clsColonnaGriglia* clsModelloGriglia::Colonna(int c) {
    if (c < 0 || c >= static_cast<int>(mvColonne.size())) return nullptr;
    return &mvColonne[static_cast<size_t>(c)];
}

const clsColonnaGriglia* clsModelloGriglia::Colonna(int c) const {
    if (c < 0 || c >= static_cast<int>(mvColonne.size())) return nullptr;
    return &mvColonne[static_cast<size_t>(c)];
}

void clsModelloGriglia::ColonnaCambiata(int c) {
    if (c < 0 || c >= columnCount()) return;
    emit headerDataChanged(Qt::Horizontal, c, c);
    if (rowCount() > 0) emit dataChanged(index(0, c), index(rowCount() - 1, c));
}

QString clsModelloGriglia::TestoDi(int c, const std::string& sValore) const {
    if (const auto* col = Colonna(c)) {
        if (col->moLista.Traduci())
            if (const auto* voce = col->moLista.CercaValore(sValore)) return voce->msTesto;
        if (col->mpDropDown)
            if (auto testo = col->mpDropDown->TestoDi(sValore)) return *testo;
    }
    return InUtf16(sValore);
}

QString clsModelloGriglia::TitoloPerMessaggio(int c) const {
    const auto* col = Colonna(c);
    return col ? col->msTitolo : QString();
}

namespace {

// Texts of the refusals.
constexpr int TESTO_NON_AMMESSO = 30000;
constexpr int TESTO_NON_AMMESSO_COLONNA = 30001;
constexpr int TESTO_AMMESSI = 30002;
constexpr int TESTO_INTERVALLO = 30003;
constexpr int TESTO_ELENCO = 30004;
constexpr int TESTO_SOLO_VUOTO = 30005;
// Longer lists are not spelled out in a message.
constexpr int MAX_VOCI_MESSAGGIO = 12;

// The texts a column offers, in list order, runs of consecutive numbers told as ranges.
QString DescriviVoci(const QStringList& vTesti) {
    QStringList parti;
    int voci = 0;
    for (qsizetype i = 0; i < vTesti.size();) {
        bool numero = false;
        const int da = vTesti[i].toInt(&numero);
        qsizetype j = i + 1;
        if (numero) {
            int a = da;
            bool segue = false;
            while (j < vTesti.size() && vTesti[j].toInt(&segue) == a + 1 && segue) ++a, ++j;
            if (a > da) {
                parti << TestoRisorsa(TESTO_INTERVALLO, "da %1 a %2").arg(da).arg(a);
                ++voci;
                i = j;
                continue;
            }
        }
        parti << vTesti[i];
        ++voci;
        i = j;
    }
    if (voci > MAX_VOCI_MESSAGGIO) return TestoRisorsa(TESTO_ELENCO, "uno dei valori dell'elenco");
    return parti.join(QStringLiteral(", "));
}

}  // namespace

QString clsModelloGriglia::MessaggioNonAmmesso(int c, const QString& vsTesto) const {
    const QString titolo = TitoloPerMessaggio(c);
    QString messaggio =
        titolo.isEmpty()
            ? TestoRisorsa(TESTO_NON_AMMESSO, "Valore non ammesso: \"%1\".").arg(vsTesto)
            : TestoRisorsa(TESTO_NON_AMMESSO_COLONNA,
                           "Valore non ammesso nella colonna \"%1\": \"%2\".")
                  .arg(titolo, vsTesto);
    // What the column takes: the texts of its list and of its drop-down.
    QStringList testi;
    if (const auto* col = Colonna(c)) {
        for (const auto& voce : col->moLista.Voci())
            if (!voce.msTesto.isEmpty() && !testi.contains(voce.msTesto)) testi << voce.msTesto;
        if (col->mpDropDown)
            for (const auto& voce : col->mpDropDown->Voci())
                if (voce.moValore && !voce.msTesto.isEmpty() && !testi.contains(voce.msTesto))
                    testi << voce.msTesto;
    }
    if (testi.isEmpty())
        return messaggio + TestoRisorsa(TESTO_SOLO_VUOTO, " La cella pu\u00F2 solo restare vuota.");
    return messaggio + TestoRisorsa(TESTO_AMMESSI, " Valori ammessi: %1, oppure la cella vuota.")
                           .arg(DescriviVoci(testi));
}

std::optional<std::string> clsModelloGriglia::ValoreDaTesto(int c, const QString& vsTesto,
                                                            QString* psErrore) const {
    auto valore = InCp1252(vsTesto, psErrore);
    if (!valore) return std::nullopt;
    const auto* col = Colonna(c);
    if (!col) return valore;
    const auto& lista = col->moLista;
    if (lista.Traduci())
        if (const auto* voce = lista.CercaTesto(vsTesto)) return voce->msValore;
    if (lista.CercaValore(*valore)) return valore;
    if (col->mpDropDown) {
        for (const auto& voce : col->mpDropDown->Voci())
            if (voce.moValore && voce.msTesto.compare(vsTesto, Qt::CaseInsensitive) == 0)
                return voce.moValore;
    }
    if (valore->empty() || !lista.Limita()) return valore;
    // Once at a time: the question it may ask must not ask again.
    if (col->mfnValoreNuovo && !mbNuovoInCorso) {
        QString motivo;
        mbNuovoInCorso = true;
        auto nuovo = col->mfnValoreNuovo(vsTesto, &motivo);
        mbNuovoInCorso = false;
        if (nuovo) return nuovo;
        if (!motivo.isEmpty()) {
            if (psErrore) *psErrore = motivo;
            return std::nullopt;
        }
    }
    if (psErrore) *psErrore = MessaggioNonAmmesso(c, vsTesto);
    return std::nullopt;
}

std::optional<std::string> clsModelloGriglia::ValoreDaScelta(int c, const QString& vsValore,
                                                             QString* psErrore) const {
    auto valore = InCp1252(vsValore, psErrore);
    if (!valore) return std::nullopt;
    const auto* col = Colonna(c);
    if (!col || valore->empty() || !col->moLista.Limita() || col->moLista.CercaValore(*valore))
        return valore;
    if (col->mpDropDown) {
        for (const auto& voce : col->mpDropDown->Voci())
            if (voce.moValore == valore) return valore;
    }
    if (psErrore) *psErrore = MessaggioNonAmmesso(c, TestoDi(c, *valore));
    return std::nullopt;
}

bool clsModelloGriglia::Modificabile(int r, int c) const {
    if (!FormaCoerente() || c < 0 || c >= columnCount() || c >= miColonne) return false;
    if (r < 0 || (r >= miRighe && !EInserimento(r))) return false;
    const auto* col = Colonna(c);
    return !(col && col->mbSolaLettura);
}

bool clsModelloGriglia::ScriviValore(int r, int c, const std::string& vsValore) {
    if (!Modificabile(r, c)) return false;
    if (EInserimento(r)) {
        if (vsValore.empty()) return true;
        // The entry row becomes table row r and a new entry row follows it.
        beginInsertRows(QModelIndex(), r + 1, r + 1);
        mpTabella->InserisciRiga(r);
        ++miRighe;
        endInsertRows();
        mpTabella->Cella(r, c) = vsValore;
        emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, r, r + 1);
        emit RigaAggiunta(r);
        emit CellaModificata(r, c);
        return true;
    }
    std::string& cella = mpTabella->Cella(r, c);
    if (cella == vsValore) return true;
    cella = vsValore;
    emit dataChanged(index(r, c), index(r, c));
    emit CellaModificata(r, c);
    return true;
}

bool clsModelloGriglia::InserisciRiga(int r) {
    if (!FormaCoerente() || r < 0 || r > miRighe) return false;
    beginInsertRows(QModelIndex(), r, r);
    mpTabella->InserisciRiga(r);
    ++miRighe;
    endInsertRows();
    emit headerDataChanged(Qt::Vertical, r, rowCount() - 1);
    return true;
}

bool clsModelloGriglia::EliminaRiga(int r) {
    if (!FormaCoerente() || r < 0 || r >= miRighe) return false;
    beginRemoveRows(QModelIndex(), r, r);
    mpTabella->EliminaRiga(r);
    --miRighe;
    endRemoveRows();
    if (r < rowCount()) emit headerDataChanged(Qt::Vertical, r, rowCount() - 1);
    return true;
}

const std::string* clsModelloGriglia::CellaTabella(int r, int c) const {
    if (!mpTabella || r < 0 || c < 0 || r >= miRighe || r >= mpTabella->Righe() ||
        c >= mpTabella->Colonne())
        return nullptr;
    return &mpTabella->Cella(r, c);
}

int clsModelloGriglia::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return miRighe + (mbRigaInserimento && mpTabella ? 1 : 0);
}

int clsModelloGriglia::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return mvColonne.empty() ? miColonne : static_cast<int>(mvColonne.size());
}

QVariant clsModelloGriglia::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (const auto* cella = CellaTabella(r, c)) return TestoDi(c, *cella);
            return QString();
        case RuoloValore:
            if (const auto* cella = CellaTabella(r, c)) return InUtf16(*cella);
            return QString();
        default:
            return {};
    }
}

bool clsModelloGriglia::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !Modificabile(index.row(), index.column())) return false;
    if (role != Qt::EditRole && role != RuoloValore) return false;
    QString errore;
    const auto valore = role == Qt::EditRole
                            ? ValoreDaTesto(index.column(), value.toString(), &errore)
                            : ValoreDaScelta(index.column(), value.toString(), &errore);
    if (!valore) {
        emit TestoRifiutato(errore);
        return false;
    }
    return ScriviValore(index.row(), index.column(), *valore);
}

Qt::ItemFlags clsModelloGriglia::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Modificabile(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
}

QVariant clsModelloGriglia::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        if (section >= columnCount()) return {};
        if (const auto* col = Colonna(section)) return col->msTitolo;
        return QString::number(section + 1);
    }
    if (section >= rowCount()) return {};
    if (EInserimento(section)) return QStringLiteral("*");
    return QString::number(section + 1);
}

}  // namespace tarno

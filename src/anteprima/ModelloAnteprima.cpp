#include "anteprima/ModelloAnteprima.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "kit/Risorse.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/clsDriver.h"

namespace tarno {

namespace {

QString TestoRighe(const std::vector<uint64_t>& v) {
    if (v.empty()) return {};
    if (v.size() == 1 || v.back() == v.front()) return QString::number(v.front());
    return QString::number(v.front()) + QLatin1Char('-') + QString::number(v.back());
}

}  // namespace

ModelloAnteprima::ModelloAnteprima(QObject* parent)
    : QAbstractTableModel(parent),
      mpLettura(std::make_unique<clsLetturaCampione>(clsDriver(), MappaFormati(), "")) {}

void ModelloAnteprima::Analizza(const clsDriver& driver, const MappaFormati& formati,
                                std::string_view sByte, const std::vector<QString>& vEsclusi) {
    beginResetModel();
    mvRighe.clear();
    for (const QString& e : vEsclusi) {
        RigaAnteprima r;
        r.tipo = RigaAnteprima::CAMPO_ESCLUSO;
        r.sPerche = e;
        mvRighe.push_back(std::move(r));
    }
    mpLettura = std::make_unique<clsLetturaCampione>(driver, formati, sByte);
    for (const VoceCampione& v : mpLettura->Voci()) {
        RigaAnteprima r;
        if (v.bChiamata) {
            r.bEntrante = v.chiamata.bEntrante;
            r.bTrasferita = v.chiamata.bTrasferita;
            r.bIncompleta = v.chiamata.bIncompleta;
            r.vRighe = v.chiamata.vRighe;
            r.vCampi = v.chiamata.vCampi;  // no copy: the reading stays with the rows
            r.iErrori = v.chiamata.iErrori;
        } else {
            r.tipo = RigaAnteprima::NON_RICONOSCIUTA;
            r.vRighe.push_back(v.iRiga);
            r.sTesto = v.sTesto;
            r.sPerche = DaCp1252(v.sPerche);
        }
        mvRighe.push_back(std::move(r));
    }
    // The field columns: the names read, in the pages' order (any other name after them).
    std::vector<std::string> nomi;
    for (const RigaAnteprima& r : mvRighe)
        for (const CampoLetto& c : r.vCampi)
            if (std::find(nomi.begin(), nomi.end(), c.sNome) == nomi.end()) nomi.push_back(c.sNome);
    mvNomiCampi.clear();
    for (int i = 0; i < NUM_NOMI_CAMPI; ++i) {
        const auto it = std::find(nomi.begin(), nomi.end(), NomiCampi()[i].sNome);
        if (it == nomi.end()) continue;
        mvNomiCampi.push_back(*it);
        nomi.erase(it);
    }
    mvNomiCampi.insert(mvNomiCampi.end(), nomi.begin(), nomi.end());
    endResetModel();
}

QString ModelloAnteprima::Suggerimento(const QString& sTesto) {
    if (sTesto.isEmpty()) return {};
    return QStringLiteral("<p style='white-space:pre'>") + sTesto.toHtmlEscaped() +
           QStringLiteral("</p>");
}

QString ModelloAnteprima::Sommario() const {
    const ConteggiAnalisi& c = Conteggi();
    return TestoRisorsa(30651,
                        "Chiamate riconosciute: %1 (entranti %2, uscenti %3, trasferite %4); "
                        "incomplete: %5; righe data: %6; righe non riconosciute: %7; campi non "
                        "validi: %8")
               .arg(c.Chiamate())
               .arg(c.iEntranti)
               .arg(c.iUscenti)
               .arg(c.iEntrantiTrasferite + c.iUscentiTrasferite)
               .arg(c.iIncomplete)
               .arg(c.iRigheData)
               .arg(c.iNonRiconosciute)
               .arg(c.iValoriNonValidi) +
           Avvisi();
}

QString ModelloAnteprima::Avvisi() const {
    QString s;
    for (const std::string& a : mpLettura->Avvisi())
        s += QLatin1Char('\n') + TestoRisorsa(30924, "AVVISO: %1").arg(DaCp1252(a));
    return s;
}

int ModelloAnteprima::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mvRighe.size());
}

int ModelloAnteprima::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NUM_COLONNE_FISSE + static_cast<int>(mvNomiCampi.size());
}

QVariant ModelloAnteprima::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid() || indice.row() >= rowCount()) return {};
    const RigaAnteprima& r = mvRighe[static_cast<size_t>(indice.row())];
    const int col = indice.column();
    if (col < NUM_COLONNE_FISSE) {
        if (ruolo == Qt::ForegroundRole && r.tipo != RigaAnteprima::CHIAMATA)
            return QBrush(r.tipo == RigaAnteprima::CAMPO_ESCLUSO ? QColor(Qt::red)
                                                                 : QColor(Qt::gray));
        if (ruolo == Qt::ToolTipRole) {
            // The row tells why: the line and its reason, or each field that failed.
            if (r.tipo == RigaAnteprima::NON_RICONOSCIUTA)
                return Suggerimento(DaCp1252(TestoVisibile(r.sTesto)) + QLatin1Char('\n') +
                                    r.sPerche);
            if (r.tipo == RigaAnteprima::CAMPO_ESCLUSO) return Suggerimento(r.sPerche);
            QStringList errori;
            for (const CampoLetto& c : r.vCampi)
                if (!c.sErrore.empty())
                    errori << DaCp1252(c.sNome + ": " + TestoVisibile(c.sTaglio) + " - " +
                                       c.sErrore);
            return Suggerimento(errori.join(QLatin1Char('\n')));
        }
        if (ruolo != Qt::DisplayRole) return {};
        switch (col) {
            case COL_RIGHE:
                return TestoRighe(r.vRighe);
            case COL_TIPO:
                if (r.tipo == RigaAnteprima::NON_RICONOSCIUTA)
                    return TestoRisorsa(30656, "Non riconosciuta");
                if (r.tipo == RigaAnteprima::CAMPO_ESCLUSO)
                    return TestoRisorsa(30657, "Campo escluso");
                {
                    QString tipo = r.bEntrante ? TestoRisorsa(30652, "Entrante")
                                               : TestoRisorsa(30653, "Uscente");
                    if (r.bTrasferita) tipo += QLatin1Char(' ') + TestoRisorsa(30654, "trasferita");
                    if (r.bIncompleta)
                        tipo += QStringLiteral(" (") + TestoRisorsa(30655, "incompleta") +
                                QLatin1Char(')');
                    return tipo;
                }
            case COL_ESITO:
                if (r.tipo != RigaAnteprima::CHIAMATA) return r.sPerche;
                if (r.iErrori == 0) return {};
                return TestoRisorsa(30658, "Campi non validi: %1").arg(r.iErrori);
            default:
                return {};
        }
    }
    const std::string& nome = mvNomiCampi[static_cast<size_t>(col - NUM_COLONNE_FISSE)];
    const auto it = std::find_if(r.vCampi.begin(), r.vCampi.end(),
                                 [&nome](const CampoLetto& c) { return c.sNome == nome; });
    if (it == r.vCampi.end()) return {};
    const bool errore = !it->sErrore.empty();
    switch (ruolo) {
        case Qt::DisplayRole:
            // An optional field left blank says so (a duration is stored as 0).
            if (it->bVuoto)
                return it->sInterpretato.empty() ? TestoRisorsa(32005, "(vuoto)")
                                                 : DaCp1252(it->sInterpretato) + QLatin1Char(' ') +
                                                       TestoRisorsa(32005, "(vuoto)");
            return DaCp1252(TestoVisibile(errore ? it->sTaglio : it->sInterpretato));
        case Qt::ForegroundRole:
            if (errore) return QBrush(QColor(Qt::red));
            if (it->bVuoto) return QBrush(QColor(Qt::gray));
            if (it->bDerivato) return QBrush(QColor(Qt::darkGray));
            return {};
        case Qt::ToolTipRole:
            if (errore)
                return Suggerimento(DaCp1252(TestoVisibile(it->sTaglio) + "\n" + it->sErrore));
            if (it->bDerivato)
                return Suggerimento(
                    TestoRisorsa(30659, "Non stampato: ricavato dagli altri campi"));
            if (!it->sNota.empty())
                return Suggerimento(DaCp1252(TestoVisibile(it->sTaglio) + "\n" + it->sNota));
            return Suggerimento(DaCp1252(TestoVisibile(it->sTaglio)));
        default:
            return {};
    }
}

QVariant ModelloAnteprima::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole) return {};
    switch (sezione) {
        case COL_RIGHE:
            return TestoRisorsa(30660, "Righe");
        case COL_TIPO:
            return TestoRisorsa(30661, "Tipo");
        case COL_ESITO:
            return TestoRisorsa(30662, "Esito");
        default:
            break;
    }
    const size_t i = static_cast<size_t>(sezione - NUM_COLONNE_FISSE);
    if (i >= mvNomiCampi.size()) return {};
    // The caption of the field's box on the pages: string 621 + its incoming index.
    for (int k = 0; k < NUM_NOMI_CAMPI; ++k)
        if (mvNomiCampi[i] == NomiCampi()[k].sNome)
            return TestoRisorsa(621 + NomiCampi()[k].iEntrante, NomiCampi()[k].sDidascalia);
    return QString::fromStdString(mvNomiCampi[i]);
}

}  // namespace tarno

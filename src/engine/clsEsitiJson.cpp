#include "engine/clsEsitiJson.h"

#include "model/Testo.h"

namespace tarno {

namespace {

using json = nlohmann::ordered_json;

json Txt(std::string_view s) { return Cp1252InUtf8(s); }
// A text that may be missing: null when empty.
json TxtONull(std::string_view s) { return s.empty() ? json(nullptr) : Txt(s); }

const char* Stato(NotaImpostazione::Stato s) {
    switch (s) {
        case NotaImpostazione::Applicata:
            return "Applicata";
        case NotaImpostazione::NonApplicata:
            return "NonApplicata";
        default:
            return "Avviso";
    }
}

const char* Motivo(MotivoRiga m) {
    switch (m) {
        case MotivoRiga::NonRiconosciuta:
            return "NonRiconosciuta";
        case MotivoRiga::Vuota:
            return "Vuota";
        case MotivoRiga::Intestazione:
            return "Intestazione";
        case MotivoRiga::Saltata:
            return "Saltata";
        case MotivoRiga::FineStampa:
            return "FineStampa";
        default:
            return "DopoFine";
    }
}

const char* Esito(EsitoAnalisi::Stato s) {
    switch (s) {
        case EsitoAnalisi::Riuscita:
            return "Riuscita";
        case EsitoAnalisi::Fermata:
            return "Fermata";
        case EsitoAnalisi::Interrotta:
            return "Interrotta";
        default:
            return "NonAvviata";
    }
}

}  // namespace

bool clsEsitiJson::Inizio(const std::vector<std::string>& vMessaggi,
                          const std::vector<NotaImpostazione>& vImpostazioni) {
    for (const auto& m : vMessaggi) mMessaggi.push_back(Txt(m));
    for (const auto& n : vImpostazioni)
        mImpostazioni.push_back(json{{"stato", Stato(n.stato)}, {"testo", Txt(n.sTesto)}});
    return true;
}

void clsEsitiJson::Chiamata(const ChiamataLetta& c) {
    json campi = json::array();
    for (size_t i = 0; i < c.iCampi && i < c.vCampi.size(); ++i) {
        const CampoLetto& f = c.vCampi[i];
        // A blank optional duration is stored as 0.
        const bool valido = f.sErrore.empty() && (!f.bVuoto || !f.sInterpretato.empty());
        campi.push_back(json{{"nome", Txt(f.sNome)},
                             {"riga", f.iRiga ? json(f.iRiga) : json(nullptr)},
                             {"pezzo", f.iPezzo},
                             {"taglio", Txt(f.sTaglio)},
                             {"valore", valido ? Txt(f.sInterpretato) : json(nullptr)},
                             {"errore", TxtONull(f.sErrore)},
                             {"vuoto", f.bVuoto},
                             {"derivato", f.bDerivato}});
        if (!f.sNota.empty()) campi.back()["nota"] = Txt(f.sNota);
    }
    json testi = json::array();
    for (const auto& t : c.vTesti) testi.push_back(Txt(t));
    mChiamate.push_back(json{{"tipo", c.bEntrante ? "entrante" : "uscente"},
                             {"trasferita", c.bTrasferita},
                             {"incompleta", c.bIncompleta},
                             {"righeAttese", c.iRigheAttese},
                             {"righe", c.vRighe},
                             {"pezzi", c.vPezzi},
                             {"testi", std::move(testi)},
                             {"campi", std::move(campi)},
                             {"errori", c.iErrori}});
}

void clsEsitiJson::RigaData(const RigaDataLetta& d) {
    mRigheData.push_back(
        json{{"riga", d.iRiga}, {"taglio", Txt(d.sTaglio)}, {"data", TxtONull(d.sData)}});
}

void clsEsitiJson::RigaSenzaChiamata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo,
                                     std::string_view sTrasformata, std::string_view sPerche) {
    mSenzaChiamata.push_back(json{{"riga", iRiga},
                                  {"pezzo", 0},
                                  {"testo", Txt(sTesto)},
                                  {"motivo", Motivo(motivo)},
                                  {"trasformata", TxtONull(sTrasformata)},
                                  {"perche", TxtONull(sPerche)}});
}

void clsEsitiJson::PezzoSenzaChiamata(uint64_t iRiga, int iPezzo, std::string_view sTesto,
                                      std::string_view sTrasformata, std::string_view sPerche) {
    RigaSenzaChiamata(iRiga, sTesto, MotivoRiga::NonRiconosciuta, sTrasformata, sPerche);
    mSenzaChiamata.back()["pezzo"] = iPezzo;
}

void clsEsitiJson::AvvisoRiga(uint64_t iRiga, std::string_view sAvviso) {
    mAvvisiRighe.push_back(json{{"riga", iRiga}, {"testo", Txt(sAvviso)}});
}

json clsEsitiJson::Json(const std::string& sDriver, const std::string& sCampione,
                        const EsitoAnalisi& esito, const std::vector<std::string>& vAvvisi) const {
    json avvisi = json::array();
    for (const auto& a : vAvvisi) avvisi.push_back(Txt(a));
    json conteggi = json::object();
    for (const VoceConteggio& v : VociConteggi()) conteggi[v.sChiave] = v.valore(esito.conteggi);
    return json{{"versione", VERSIONE_JSON_ANALISI},
                {"driver", sDriver},
                {"campione", sCampione},
                {"esito", Esito(esito.stato)},
                {"errore", TxtONull(esito.sErrore)},
                {"avvisi", std::move(avvisi)},
                {"messaggi", mMessaggi},
                {"impostazioni", mImpostazioni},
                {"conteggi", std::move(conteggi)},
                {"chiamate", mChiamate},
                {"righeData", mRigheData},
                {"righeSenzaChiamata", mSenzaChiamata},
                {"avvisiRighe", mAvvisiRighe}};
}

json AnalisiInJson(const std::string& sDriver, const std::string& sCampione,
                   const MappaFormati& formati, const std::string& sAvvisoFormati,
                   EsitoAnalisi& rEsito) {
    clsEsitiJson esiti;
    rEsito = AnalizzaCampione(sDriver, sCampione, formati, esiti);
    std::vector<std::string> avvisi;
    if (!sAvvisoFormati.empty()) avvisi.push_back(sAvvisoFormati);
    return esiti.Json(sDriver, sCampione, rEsito, avvisi);
}

}  // namespace tarno

#include "engine/clsLetturaCampi.h"

#include <cmath>

#include "engine/TestoMotore.h"
#include "engine/Trasformazioni.h"
#include "engine/clsImpostazioniMotore.h"
#include "model/Numeri.h"

namespace tarno {

using namespace motore;

clsLetturaCampi::Tempi clsLetturaCampi::Leggi(const Tipo& t,
                                              std::span<const RigaFinestra* const> righe,
                                              const DataCorrente* pData, ChiamataLetta& c) const {
    auto prossimo = [&c]() -> CampoLetto& {
        if (c.iCampi == c.vCampi.size()) c.vCampi.emplace_back();
        CampoLetto& cl = c.vCampi[c.iCampi++];
        cl.sInterpretato.clear();
        cl.sErrore.clear();
        cl.bVuoto = false;
        cl.bDerivato = false;
        cl.iPezzo = 0;
        cl.sNota.clear();
        return cl;
    };
    // The lines of the window from 1, as conditions ask for them.
    auto riga = [&righe](int r) -> const RigaFinestra* {
        return r >= 1 && static_cast<size_t>(r) <= righe.size() ? righe[static_cast<size_t>(r) - 1]
                                                                : nullptr;
    };
    std::optional<double> tempi[3];  // start, end and duration in seconds, when read
    if (pData) {
        const RigaDataLetta& data = pData->data;
        CampoLetto& cl = prossimo();
        cl.sNome = "dData";
        cl.iRiga = data.iRiga;
        cl.iPezzo = data.iPezzo;
        cl.sTaglio = data.sTaglio;
        if (pData->bValida)
            cl.sInterpretato = data.sData;
        else
            cl.sErrore = data.iRiga ? "riga di data non valida: " + pData->sErrore
                                    : "nessuna riga di data prima della chiamata";
    }
    for (const Campo& f : t.campi) {
        if (f.genere == Genere::Data && pData) continue;
        CampoLetto& cl = prossimo();
        cl.sNome = f.sNome;
        std::string_view taglio;
        if (f.iRiga <= t.iRighe) {
            const RigaFinestra& r = *righe[static_cast<size_t>(f.iRiga - 1)];
            cl.iRiga = r.iNumero;
            cl.iPezzo = r.iPezzo;
            taglio = TaglioRiga(r, f.iCampo, f.iInizio, f.iLunghezza).value_or(std::string_view{});
        } else {
            cl.iRiga = 0;
        }
        cl.sTaglio.assign(taglio);
        const bool converti = f.iConversione && (f.condConversione.empty() ||
                                                 mImp.Valuta(f.condConversione, riga, false));
        const auto secondi = Interpreta(f, taglio, cl, converti);
        if (f.iTempo >= 0) tempi[f.iTempo] = secondi;
    }
    const int k = t.iDaRicavare;
    if (k >= 0 && tempi[(k + 1) % 3] && tempi[(k + 2) % 3]) {
        const double inizio = tempi[INIZIO].value_or(0), fine = tempi[FINE].value_or(0),
                     durata = tempi[DURATA].value_or(0);
        CampoLetto& cl = prossimo();
        static const char* const kNomi[] = {"dOraInizio", "dOraFine", "dDurata"};
        cl.sNome = kNomi[k];
        cl.iRiga = 0;
        cl.sTaglio.clear();
        cl.bDerivato = true;
        if (k == DURATA) {
            const double d = fine - inizio;
            cl.sInterpretato = Numero(d < 0 ? d + 86400 : d) + " s";
        } else {
            const long long ora = std::llround(k == INIZIO ? fine - durata : inizio + durata);
            ValoreDataOra v;
            const long long sec = (ora % 86400 + 86400) % 86400;
            v.iOre = sec / 3600;
            v.iMinuti = sec / 60 % 60;
            v.iSecondi = sec % 60;
            cl.sInterpretato = v.TestoOra();
        }
    }
    for (size_t i = 0; i < c.iCampi; ++i)
        if (!c.vCampi[i].sErrore.empty()) ++c.iErrori;
    Tempi r{tempi[INIZIO], tempi[FINE]};
    if (!r.inizio && r.fine && tempi[DURATA]) r.inizio = *r.fine - *tempi[DURATA];
    if (!r.fine && r.inizio && tempi[DURATA]) r.fine = *r.inizio + *tempi[DURATA];
    return r;
}

std::optional<double> clsLetturaCampi::Interpreta(const Campo& f, std::string_view taglio,
                                                  CampoLetto& cl, bool bConverti) const {
    std::string_view v = SenzaBianchi(taglio);
    // Only the digits, and a '+' before them: a value of no digit is a blank one.
    std::string cifre;
    if (f.bSoloCifre) {
        const size_t prima = v.find_first_of("0123456789");
        for (size_t i = 0; i < v.size(); ++i)
            if (Cifra(v[i]) || (v[i] == '+' && cifre.empty() && i < prima)) cifre += v[i];
        if (cifre != v) cl.sNota = "solo cifre";
        if (cifre.find_first_of("0123456789") == std::string::npos) cifre.clear();
        v = cifre;
    }
    if (v.empty()) {
        if (!f.bOpzionale) {
            cl.sErrore = "campo obbligatorio vuoto";
            return std::nullopt;
        }
        // An optional field left blank is stored empty; a duration as 0.
        cl.bVuoto = true;
        if (f.genere != Genere::Durata) return std::nullopt;
        cl.sInterpretato = "0 s";
        return 0.0;
    }
    auto conFormato = [&](bool bData) -> std::optional<ValoreDataOra> {
        if (!f.pFormato) {
            cl.sErrore = f.iFormato == 0 ? "formato non indicato"
                                         : "formato " + std::to_string(f.iFormato) +
                                               " non presente nel catalogo";
            return std::nullopt;
        }
        auto r = f.pFormato->Leggi(v, mImp.mesi, &cl.sErrore);
        if (r && (bData ? !r->HaData() : !r->HaTempo())) {
            cl.sErrore = "il formato " + Virgolette(f.pFormato->Testo()) + " non \xE8 " +
                         (bData ? "una data" : "un'ora o una durata");
            return std::nullopt;
        }
        return r;
    };
    switch (f.genere) {
        case Genere::Testo:
            cl.sInterpretato.assign(v);
            return std::nullopt;
        case Genere::Data:
            if (auto r = conFormato(true)) cl.sInterpretato = r->TestoData();
            return std::nullopt;
        case Genere::Ora:
            if (auto r = conFormato(false)) {
                if (r->iOre > 23) {
                    cl.sErrore = "ora " + std::to_string(r->iOre) + " non valida";
                } else {
                    cl.sInterpretato = r->TestoOra();
                    return static_cast<double>(r->TotaleSecondi());
                }
            }
            return std::nullopt;
        case Genere::Durata:
        case Genere::Scatti: {
            double valore = 0;
            if (f.genere == Genere::Durata && f.pFormato) {
                const auto r = conFormato(false);
                if (!r) return std::nullopt;
                valore = static_cast<double>(r->TotaleSecondi());
            } else if (f.iFormato != 0 && !f.pFormato) {
                conFormato(false);
                return std::nullopt;
            } else {
                for (char ch : v)
                    if (!Cifra(ch)) {
                        cl.sErrore = Virgolette(v) + " non \xE8 un numero";
                        return std::nullopt;
                    }
                const auto n = ValoreNumerico(v);
                valore = n ? *n : 0;
            }
            if (bConverti) valore = Calcola(f.iConversione, valore, f.dOperando);
            cl.sInterpretato = Numero(valore);
            if (f.genere == Genere::Durata) cl.sInterpretato += " s";
            return valore;
        }
    }
    return std::nullopt;
}

}  // namespace tarno

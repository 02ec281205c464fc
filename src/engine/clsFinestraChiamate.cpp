#include "engine/clsFinestraChiamate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "engine/TestoMotore.h"
#include "engine/Trasformazioni.h"
#include "model/clsCondizione.h"

namespace tarno {

using namespace motore;

clsFinestraChiamate::clsFinestraChiamate(const clsImpostazioniMotore& imp, IEsitiAnalisi& esiti,
                                         ConteggiAnalisi& rConteggi)
    : mImp(imp), mEsiti(esiti), mConteggi(rConteggi), mCampi(imp) {
    mvFinestra.resize(static_cast<size_t>(imp.iFinestra));
    mvRighe.reserve(mvFinestra.size());
    mChiamata.vCampi.reserve(16);
}

void clsFinestraChiamate::Aggiungi(const RigaMotore& riga) {
    RigaFinestra& r = Voce(miConta);
    ++miConta;
    r.iNumero = riga.iNumero;
    r.iPezzo = riga.iPezzo;
    r.sTesto.assign(riga.sTesto);
    if (!mImp.iniziali.empty()) r.sLetta.assign(riga.sLetta);
    if (mImp.bSeparati) DividiCampi(r.sTesto, mImp.cSeparatoreCampi, mImp.cVirgolette, r.campi);
    if (miConta == mvFinestra.size()) Elabora(false);
}

template <class F>
std::string clsFinestraChiamate::Causa(const Catena& cat, F riga, bool bParziale) const {
    bool r = false, primo = true, conOr = false;
    const Cond* causa = nullptr;
    for (const auto& c : cat) {
        const RigaFinestra* t = riga(c.iRiga);
        if (!t && bParziale) continue;
        const bool prova = primo || (conOr ? !r : r);
        if (prova) {
            r = mImp.Prova(c, t);
            if (!r) causa = &c;
        }
        primo = false;
        conOr = c.bOr;
    }
    if (primo) return "nessuna delle sue righe nel campione";
    if (r || !causa) return "le condizioni valgono";
    const Cond& c = *causa;
    std::string s = c.sNome + " (riga " + std::to_string(c.iRiga);
    if (c.iCampo) {
        s += ", campo " + std::to_string(c.iCampo);
        if (c.iInizio > 1) s += " dal carattere " + std::to_string(c.iInizio);
        s += c.iLunghezza ? ", lunghezza " + std::to_string(c.iLunghezza) : ", tutto";
    } else {
        s += ", posizione " + std::to_string(c.iInizio) + ", lunghezza " +
             std::to_string(c.iLunghezza);
    }
    s += ") trova ";
    const RigaFinestra* t = riga(c.iRiga);
    const auto taglio = t ? TaglioRiga(*t, c.iCampo, c.iInizio, c.iLunghezza) : std::nullopt;
    if (!t)
        s += "la fine del campione";
    else if (!taglio)
        s += "una riga di " + std::to_string(t->campi.iCampi) + " campi, senza il campo " +
             std::to_string(c.iCampo);
    else
        s += Virgolette(*taglio);
    s += ", vuole ";
    switch (c.iOp) {
        case clsCondizione::UGUALE_A:
        case clsCondizione::DIVERSO_DA:
            s += std::string(clsCondizione::ParolaChiave(c.iOp)) + " " + Virgolette(c.sValore);
            if (c.iLunghezza > 0 && c.sValore.size() > static_cast<size_t>(c.iLunghezza))
                s += " (pi\xF9 lungo della lunghezza)";
            break;
        case clsCondizione::SOLO_NUMERI:
            s += "SOLO_NUMERI (solo cifre)";
            break;
        case clsCondizione::DATA_VALIDA:
        case clsCondizione::TEMPO_VALIDO:
        case clsCondizione::DATA_ISOLATA:
            s += clsCondizione::ParolaChiave(c.iOp);
            if (!c.pFormato) {
                s += " col formato " + std::to_string(c.iFormato) + ", che il catalogo non ha";
            } else {
                s += " col formato " + Virgolette(c.pFormato->Testo());
                std::string errore;
                if (taglio) c.pFormato->Leggi(*taglio, mImp.mesi, &errore);
                if (!errore.empty()) s += ": " + errore;
            }
            break;
        default:
            s += "un operatore";
            break;
    }
    return s;
}

std::string clsFinestraChiamate::Perche(bool bFine) const {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    std::string s;
    auto aggiungi = [&s](std::string_view chi, const std::string& causa) {
        if (!s.empty()) s += "; ";
        s += chi;
        s += ": ";
        s += causa;
    };
    if (mImp.pCondData) aggiungi("data isolata", Causa(mImp.dataIsolata, riga, false));
    for (const Tipo& t : mImp.tipi) {
        if (!t.bAttivo) continue;
        const bool parziale = miConta < static_cast<size_t>(t.iRighe);
        if (parziale && !bFine) continue;
        const char* nome = t.bEntrante ? "entranti" : "uscenti";
        // Conditions that hold on a record that lacks a field the kind reads.
        std::string mancante;
        int r = 0;
        if (const auto* manca = mImp.bSeparati ? mImp.CampoMancante(t, riga, r) : nullptr)
            mancante = "le condizioni valgono, ma la riga " + std::to_string(r) + " ha " +
                       std::to_string(RigaDellaFinestra(r)->campi.iCampi) +
                       " campi e manca il campo " + std::to_string(manca->iCampo) + ", che " +
                       manca->sChi + " legge";
        const auto causa = [&](const Catena& cat) {
            std::string c = Causa(cat, riga, parziale);
            return mancante.empty() || c != "le condizioni valgono" ? c : mancante;
        };
        if (!t.trasferita.empty()) aggiungi(std::string(nome) + " trasferite", causa(t.trasferita));
        if (!t.base.empty()) aggiungi(nome, causa(t.base));
    }
    return s;
}

bool clsFinestraChiamate::CampiBastano(const Tipo& t) const {
    int r = 0;
    return !mImp.CampoMancante(
        t, [this](int k) { return RigaDellaFinestra(k); }, r);
}

void clsFinestraChiamate::Svuota() {
    while (miConta > 0) Elabora(true);
}

void clsFinestraChiamate::Elabora(bool bFine) {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    if (mImp.pCondData && mImp.Valuta(mImp.dataIsolata, riga, false)) {
        const RigaFinestra* t = RigaDellaFinestra(mImp.pCondData->iRiga);
        const std::string_view taglio =
            t ? TaglioRiga(*t, mImp.pCondData->iCampo, mImp.pCondData->iInizio,
                           mImp.pCondData->iLunghezza)
                    .value_or(std::string_view{})
              : std::string_view{};
        mData.data.iRiga = t ? Voce(static_cast<size_t>(mImp.pCondData->iRiga - 1)).iNumero : 0;
        mData.data.iPezzo = t ? Voce(static_cast<size_t>(mImp.pCondData->iRiga - 1)).iPezzo : 0;
        mData.data.sTaglio.assign(taglio);
        std::string errore;
        const auto v = mImp.pCondData->pFormato
                           ? mImp.pCondData->pFormato->Leggi(taglio, mImp.mesi, &errore)
                           : std::nullopt;
        mData.bValida = v && v->HaData();
        mData.data.sData = mData.bValida ? v->TestoData() : std::string();
        mData.sErrore =
            mData.bValida ? std::string() : (errore.empty() ? "data non leggibile" : errore);
        ++mConteggi.iRigheData;
        mOraPrecedente.reset();
        miGiorniDopo = 0;
        mEsiti.RigaData(mData.data);
        Togli(std::min(miConta, static_cast<size_t>(mImp.iRigheData)));
        return;
    }
    for (const Tipo& t : mImp.tipi) {
        if (!t.bAttivo) continue;
        const bool intera = miConta >= static_cast<size_t>(t.iRighe);
        if (!intera && !bFine) continue;
        const bool parziale = !intera;
        if (mImp.bSeparati && !CampiBastano(t)) continue;
        if (!t.trasferita.empty() && mImp.Valuta(t.trasferita, riga, parziale)) {
            parziale ? Incompleta(t, true) : Chiamata(t, true);
            return;
        }
        if (!t.base.empty() && mImp.Valuta(t.base, riga, parziale)) {
            parziale ? Incompleta(t, false) : Chiamata(t, false);
            return;
        }
    }
    ++mConteggi.iNonRiconosciute;
    const RigaFinestra& r = Voce(0);
    const std::string perche = Perche(bFine);
    const bool trasformata = !mImp.iniziali.empty() && r.sLetta != r.sTesto;
    const std::string_view letta = trasformata ? r.sLetta : r.sTesto;
    const std::string_view dopo = trasformata ? std::string_view(r.sTesto) : std::string_view();
    if (r.iPezzo)
        mEsiti.PezzoSenzaChiamata(r.iNumero, r.iPezzo, letta, dopo, perche);
    else
        mEsiti.RigaSenzaChiamata(r.iNumero, letta, MotivoRiga::NonRiconosciuta, dopo, perche);
    Togli(1);
}

void clsFinestraChiamate::ApplicaAllaChiamata(const Tipo& t) {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    // On the line's columns, or on the text of one field.
    const auto applica = [](const Trasf& tr, RigaFinestra& r) {
        if (tr.iCampo == 0) return ApplicaTrasformazione(tr, r.sTesto);
        std::string* campo = r.campi.Campo(tr.iCampo);
        if (!campo) return;
        if (tr.iLunghezza > 0 || tr.iOp == clsTrasformazione::INSERISCI)
            return ApplicaTrasformazione(tr, *campo);
        // Length 0: the field from its start character to its end.
        if (campo->size() < static_cast<size_t>(tr.iInizio)) return;
        Trasf tutto = tr;
        tutto.iLunghezza = static_cast<int>(campo->size()) - tr.iInizio + 1;
        ApplicaTrasformazione(tutto, *campo);
    };
    for (const Trasf* tr : t.trasformazioni) {
        if (!tr->condizioni.empty() && !mImp.Valuta(tr->condizioni, riga, false)) continue;
        if (tr->iRiga == 0) {
            for (int r = 0; r < t.iRighe; ++r) applica(*tr, Voce(static_cast<size_t>(r)));
        } else if (tr->iRiga <= t.iRighe) {
            applica(*tr, Voce(static_cast<size_t>(tr->iRiga - 1)));
        }
    }
}

void clsFinestraChiamate::Chiamata(const Tipo& t, bool bTrasferita) {
    ApplicaAllaChiamata(t);
    ChiamataLetta& c = NuovaChiamata(t, bTrasferita, false);
    for (int r = 0; r < t.iRighe; ++r) {
        c.vRighe.push_back(Voce(static_cast<size_t>(r)).iNumero);
        c.vPezzi.push_back(Voce(static_cast<size_t>(r)).iPezzo);
    }
    mvRighe.clear();
    for (size_t r = 0; r < miConta; ++r) mvRighe.push_back(&Voce(r));
    const auto tempi = mCampi.Leggi(t, mvRighe, mImp.pCondData ? &mData : nullptr, c);
    if (mImp.pCondData && mData.bValida && (tempi.inizio || tempi.fine))
        GiornoDellaChiamata(tempi.inizio, tempi.fine, c.vCampi.front());
    mConteggi.iValoriNonValidi += c.iErrori;
    if (t.bEntrante)
        ++(bTrasferita ? mConteggi.iEntrantiTrasferite : mConteggi.iEntranti);
    else
        ++(bTrasferita ? mConteggi.iUscentiTrasferite : mConteggi.iUscenti);
    mEsiti.Chiamata(c);
    Togli(static_cast<size_t>(t.iRighe));
}

void clsFinestraChiamate::GiornoDellaChiamata(std::optional<double> dInizio,
                                              std::optional<double> dFine, CampoLetto& rData) {
    constexpr double kGiorno = 86400;
    const auto ora = [kGiorno](double t) {
        return std::fmod(std::fmod(t, kGiorno) + kGiorno, kGiorno);
    };
    // Calls are printed as they end: an end more than an hour before the one of the call
    // before means that midnight has passed. A start may come before the last end by as long
    // as its call lasted: where only the start is known, it takes six hours back from the
    // latest start since the last midnight, and a start up to six hours before that midnight
    // (a long call printed after shorter ones that began after it) keeps the day before.
    const double adesso = ora(dFine ? *dFine : *dInizio);
    const double tolleranza = dFine ? 3600 : 6 * 3600;
    int prima = 0;
    if (!mOraPrecedente || dFine) {
        if (mOraPrecedente && adesso < *mOraPrecedente - tolleranza) ++miGiorniDopo;
        mOraPrecedente = adesso;
    } else if (adesso < *mOraPrecedente - tolleranza) {
        ++miGiorniDopo;
        mOraPrecedente = adesso;
    } else if (adesso > *mOraPrecedente + kGiorno - tolleranza) {
        prima = 1;
    } else {
        mOraPrecedente = std::max(*mOraPrecedente, adesso);
    }
    // A call that ends after midnight began the day before its end.
    const int giorno = miGiorniDopo - prima - (dFine && dInizio && ora(*dInizio) > adesso ? 1 : 0);
    if (giorno == 0) return;
    // Only a whole date moves (a date line without year or day stays as read).
    int a = 0;
    unsigned m = 0, g = 0;
    if (std::sscanf(rData.sInterpretato.c_str(), "%4d-%2u-%2u", &a, &m, &g) != 3) return;
    namespace c = std::chrono;
    const c::year_month_day data{c::sys_days{c::year{a} / c::month{m} / c::day{g}} +
                                 c::days{giorno}};
    char testo[16];
    std::snprintf(testo, sizeof testo, "%04d-%02u-%02u", static_cast<int>(data.year()),
                  static_cast<unsigned>(data.month()), static_cast<unsigned>(data.day()));
    rData.sInterpretato = testo;
    const int n = std::abs(giorno);
    rData.sNota = "riga di data " + std::string(giorno > 0 ? "+ " : "- ") + std::to_string(n) +
                  (n == 1 ? " giorno" : " giorni") +
                  (giorno > 0 ? ": mezzanotte passata, le ore delle chiamate sono tornate indietro "
                                "dopo la riga di data"
                              : ": la chiamata finisce dopo la mezzanotte, \xE8 iniziata il giorno "
                                "prima");
}

ChiamataLetta& clsFinestraChiamate::NuovaChiamata(const Tipo& t, bool bTrasferita,
                                                  bool bIncompleta) {
    ChiamataLetta& c = mChiamata;
    c.bEntrante = t.bEntrante;
    c.bTrasferita = bTrasferita;
    c.bIncompleta = bIncompleta;
    c.iRigheAttese = t.iRighe;
    c.vRighe.clear();
    c.vPezzi.clear();
    c.vTesti.clear();
    c.iCampi = 0;
    c.iErrori = 0;
    return c;
}

void clsFinestraChiamate::Incompleta(const Tipo& t, bool bTrasferita) {
    ChiamataLetta& c = NuovaChiamata(t, bTrasferita, true);
    for (size_t r = 0; r < miConta; ++r) {
        c.vRighe.push_back(Voce(r).iNumero);
        c.vPezzi.push_back(Voce(r).iPezzo);
        c.vTesti.push_back(Voce(r).sTesto);
    }
    ++mConteggi.iIncomplete;
    mEsiti.Chiamata(c);
    Togli(miConta);
}

}  // namespace tarno

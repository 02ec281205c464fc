#include "analisi/GruppiErrori.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "analisi/FormatiComuni.h"
#include "analisi/clsLetturaCampione.h"
#include "engine/FormatoDataOra.h"
#include "model/CallFieldName.h"
#include "model/clsChiamata.h"
#include "model/clsDriver.h"

namespace tarno {

namespace {

bool Bianco(char c) { return c == ' ' || c == '\t'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

std::string_view SenzaBianchiAiLati(std::string_view s) {
    while (!s.empty() && Bianco(s.front())) s.remove_prefix(1);
    while (!s.empty() && Bianco(s.back())) s.remove_suffix(1);
    return s;
}

bool CampoData(const std::string& n) { return n == "dData"; }
bool CampoTempo(const std::string& n) {
    return n == "dOraInizio" || n == "dOraFine" || n == "dDurata" || n == "dRisposta";
}

// A number read with something else than digits, blanks and a leading '+'.
bool ConLettere(std::string_view v) {
    v = SenzaBianchiAiLati(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    return std::any_of(v.begin(), v.end(), [](char c) { return !Cifra(c); });
}

// The text that every value starts (bInizio) or ends with before its first digit (after its
// last one), without blanks at its ends; "" when they share none.
std::string TestoComune(const std::vector<std::string>& valori, bool bInizio) {
    std::string comune;
    bool primo = true;
    for (const std::string& s : valori) {
        const std::string_view v = SenzaBianchiAiLati(s);
        const auto cifra = std::find_if(v.begin(), v.end(), Cifra);
        if (cifra == v.end()) return {};
        std::string parte;
        if (bInizio) {
            parte.assign(v.begin(), cifra);
        } else {
            const auto ultima = std::find_if(v.rbegin(), v.rend(), Cifra).base();
            parte.assign(ultima, v.end());
        }
        if (primo) {
            comune = parte;
            primo = false;
            continue;
        }
        if (bInizio) {
            size_t n = 0;
            while (n < comune.size() && n < parte.size() && comune[n] == parte[n]) ++n;
            comune.resize(n);
        } else {
            size_t n = 0;
            while (n < comune.size() && n < parte.size() &&
                   comune[comune.size() - 1 - n] == parte[parte.size() - 1 - n])
                ++n;
            comune.erase(0, comune.size() - n);
        }
    }
    const std::string_view t = SenzaBianchiAiLati(comune);
    // A sign or a bracket alone is part of a number; a word or a mark is not.
    if (t.size() < 2 && (t.empty() || t == "+" || t == "(" || t == ")")) return {};
    return std::string(t);
}

// The first format of the catalogue of the kind (never a date format for a time) that reads
// every text; with bComune, when none does, the strictest common format that does (code 0).
std::optional<Correzione> FormatoCheLegge(const std::vector<std::string>& testi, bool bData,
                                          const FormatiCatalogo& formati, const CodiciMesi& mesi,
                                          bool bComune) {
    Correzione c;
    c.tipo = Correzione::FORMATO;
    for (const auto& [codice, testo] : bData ? formati.vData : formati.vOra) {
        const clsFormatoDataOra f(testo);
        if (codice == 0 || (!bData && f.EData())) continue;
        const bool legge = std::all_of(testi.begin(), testi.end(), [&](const std::string& s) {
            const auto r = f.Leggi(SenzaBianchiAiLati(s), mesi);
            return r && (bData ? r->HaData() : r->HaTempo());
        });
        if (!legge) continue;
        c.iFormato = codice;
        c.sTesto = testo;
        return c;
    }
    if (!bComune) return std::nullopt;
    c.sTesto = FormatoComuneCheLegge(testi, bData);
    if (c.sTesto.empty()) return std::nullopt;
    return c;
}

}  // namespace

std::vector<GruppoErrori> GruppiErrori(const clsLetturaCampione& lettura, const clsDriver& driver,
                                       const FormatiCatalogo& formati) {
    // The lines as the engine reads them, by number (the first piece of a cut line).
    std::map<uint64_t, const std::string*> righe;
    for (const RigaCampione& r : lettura.Righe()) righe.emplace(r.iNumero, &r.sTesto);
    // (incoming first, field order, reason) -> group; every non-blank value of each field.
    std::map<std::tuple<bool, int, int>, GruppoErrori> gruppi;
    std::map<std::pair<bool, std::string>, std::vector<std::pair<uint64_t, std::string>>> pieni;
    for (const VoceCampione& v : lettura.Voci()) {
        const ChiamataLetta& k = v.chiamata;
        if (!v.bChiamata || k.bIncompleta) continue;
        for (const CampoLetto& c : k.vCampi) {
            if (c.bDerivato || c.iRiga == 0) continue;
            const bool bianco = SenzaBianchiAiLati(c.sTaglio).empty();
            if (!bianco) pieni[{k.bEntrante, c.sNome}].emplace_back(c.iRiga, c.sTaglio);
            MotivoGruppo motivo;
            if (!c.sErrore.empty())
                motivo = bianco ? MotivoGruppo::Vuoto : MotivoGruppo::NonLetto;
            else if (c.sNome == "sNumero" && !c.bVuoto && ConLettere(c.sInterpretato))
                motivo = MotivoGruppo::ConLettere;
            else
                continue;
            const int ordine = IndiceCampo(c.sNome, true);
            GruppoErrori& g = gruppi[{!k.bEntrante, ordine, static_cast<int>(motivo)}];
            g.bEntranti = k.bEntrante;
            g.sCampo = c.sNome;
            g.motivo = motivo;
            ++g.iChiamate;
            if (!bianco &&
                std::find(g.vValori.begin(), g.vValori.end(), c.sTaglio) == g.vValori.end())
                g.vValori.push_back(c.sTaglio);
        }
    }
    std::vector<GruppoErrori> esito;
    for (auto& [chiave, g] : gruppi) {
        using C = Correzione;
        const auto fix = [](C::Tipo t) {
            C c;
            c.tipo = t;
            return c;
        };
        const auto& valori = pieni[{g.bEntranti, g.sCampo}];
        if (g.motivo == MotivoGruppo::Vuoto)
            g.vCorrezioni.push_back(fix(g.sCampo == "dDurata" ? C::DURATA_ZERO : C::OPZIONALE));
        if (g.motivo == MotivoGruppo::NonLetto && (CampoData(g.sCampo) || CampoTempo(g.sCampo))) {
            std::vector<std::string> testi;
            for (const auto& val : valori) testi.push_back(val.second);
            if (auto c =
                    FormatoCheLegge(testi, CampoData(g.sCampo), formati, lettura.Mesi(), false))
                g.vCorrezioni.push_back(std::move(*c));
        }
        if (g.motivo == MotivoGruppo::ConLettere) g.vCorrezioni.push_back(fix(C::SOLO_CIFRE));
        if (g.motivo != MotivoGruppo::Vuoto)
            for (bool inizio : {true, false})
                if (std::string t = TestoComune(g.vValori, inizio); !t.empty()) {
                    C c = fix(C::TOGLI_TESTO);
                    c.sTesto = std::move(t);
                    g.vCorrezioni.push_back(c);
                }
        // A value cut in the middle: the columns of the words the field's columns touch.
        const clsChiamata* chiamata =
            g.bEntranti ? driver.moEntranti.get() : driver.moUscenti.get();
        const clsCampo* campo = nullptr;
        if (chiamata && chiamata->mcolCampi)
            for (int i = 1; i <= chiamata->mcolCampi->Count(); ++i)
                if (chiamata->mcolCampi->Item(i).msNome == g.sCampo)
                    campo = &chiamata->mcolCampi->Item(i);
        if (g.motivo == MotivoGruppo::NonLetto && campo && campo->miInizio >= 1 &&
            campo->miLunghezza >= 1) {
            size_t da = static_cast<size_t>(campo->miInizio - 1);
            size_t a = da + static_cast<size_t>(campo->miLunghezza);
            const size_t da0 = da, a0 = a;
            for (const auto& [n, taglio] : valori) {
                const auto k = righe.find(n);
                if (k == righe.end()) continue;
                const std::string& s = *k->second;
                size_t x = std::min(da0, s.size()), y = std::min(a0, s.size());
                while (x > 0 && x < y && !Bianco(s[x]) && !Bianco(s[x - 1])) --x;
                while (y < s.size() && y > x && !Bianco(s[y - 1]) && !Bianco(s[y])) ++y;
                da = std::min(da, x);
                a = std::max(a, y);
            }
            if (da != da0 || a != a0) {
                C c = fix(C::SPOSTA_COLONNE);
                c.iInizio = static_cast<int16_t>(da + 1);
                c.iLunghezza = static_cast<int16_t>(a - da);
                g.vCorrezioni.push_back(c);
            }
        }
        // Last, a text the field does not take (no digit left of ANONIMO with "Solo cifre"):
        // the field may be left blank there.
        if (g.motivo == MotivoGruppo::NonLetto && !CampoData(g.sCampo) && !CampoTempo(g.sCampo))
            g.vCorrezioni.push_back(fix(C::OPZIONALE));
        esito.push_back(std::move(g));
    }
    return esito;
}

GruppoErrori GruppoSenzaFormato(const clsLetturaCampione& conCampo, bool bEntranti,
                                const std::string& sCampo, const FormatiCatalogo& formati) {
    GruppoErrori g;
    g.bEntranti = bEntranti;
    g.sCampo = sCampo;
    g.motivo = MotivoGruppo::SenzaFormato;
    std::vector<std::string> testi;
    for (const std::string& t : conCampo.TagliDelCampo(bEntranti, sCampo)) {
        ++g.iChiamate;
        if (SenzaBianchiAiLati(t).empty()) continue;
        testi.emplace_back(SenzaBianchiAiLati(t));
        if (std::find(g.vValori.begin(), g.vValori.end(), t) == g.vValori.end())
            g.vValori.push_back(t);
    }
    if (!testi.empty())
        if (auto c = FormatoCheLegge(testi, CampoData(sCampo), formati, conCampo.Mesi(), true))
            g.vCorrezioni.push_back(std::move(*c));
    return g;
}

bool ApplicaCorrezione(clsDriver& driver, const GruppoErrori& g, const Correzione& c) {
    clsChiamata* chiamata = g.bEntranti ? driver.moEntranti.get() : driver.moUscenti.get();
    clsCampo* campo = nullptr;
    if (chiamata && chiamata->mcolCampi)
        for (int i = 1; i <= chiamata->mcolCampi->Count(); ++i)
            if (chiamata->mcolCampi->Item(i).msNome == g.sCampo)
                campo = &chiamata->mcolCampi->Item(i);
    if (!campo) return false;
    switch (c.tipo) {
        case Correzione::OPZIONALE:
        case Correzione::DURATA_ZERO:
            campo->mbOpzionale = true;
            break;
        case Correzione::FORMATO:
            campo->miFormato = c.iFormato;
            break;
        case Correzione::SOLO_CIFRE:
            campo->mbSoloCifre = true;
            break;
        case Correzione::TOGLI_TESTO: {
            // Dropped from the field's columns on its line of the call, before it is read.
            clsTrasformazione t;
            t.menTipo = g.bEntranti ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI;
            t.menOperazione = clsTrasformazione::ELIMINA;
            t.miRiga = std::max<int16_t>(1, campo->miRiga);
            t.miInizio = campo->miInizio;
            t.miLunghezza = campo->miLunghezza;
            t.msSorgente = c.sTesto;
            if (!driver.mcolTrasf) driver.mcolTrasf.emplace();
            driver.mcolTrasf->Add(std::move(t));
            break;
        }
        case Correzione::SPOSTA_COLONNE:
            campo->miInizio = c.iInizio;
            campo->miLunghezza = c.iLunghezza;
            break;
    }
    return true;
}

}  // namespace tarno

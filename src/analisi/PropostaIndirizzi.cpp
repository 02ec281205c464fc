#include "analisi/PezziDiValore.h"
#include "analisi/PropostaInterna.h"

// Parties written as addresses of a call (5550223@10.0.2.11, sip:221@pbx): the user part is the
// number; the host is no part of any field.

namespace tarno::proposta {

void Proponitore::IndirizziNeiCampi(std::vector<std::vector<std::string>>& rRighe) {
    const size_t n = mvLarghezza.size();
    std::string elenco;
    for (size_t k = 0; k < n; ++k) {
        size_t pieni = 0, indirizzi = 0;
        for (size_t r = miIntestazione; r < rRighe.size(); ++r) {
            if (rRighe[r].size() <= k || TogliSpazi(rRighe[r][k]).empty()) continue;
            ++pieni;
            const std::string_view u = NumeroNellIndirizzo(rRighe[r][k]);
            // More than sixteen digits are no telephone number (a call's identifier).
            indirizzi += !u.empty() && u.size() <= 16;
        }
        if (indirizzi < 2 || indirizzi * 5 < pieni * 4) continue;
        mIndirizzi.insert(k);
        // What stands before the number ("sip:") is left out where it is the same on every
        // record, as a name before a value is; otherwise it stays, and only the host goes.
        std::optional<std::string> prima;
        for (size_t r = miIntestazione; r < rRighe.size(); ++r) {
            if (rRighe[r].size() <= k) continue;
            const std::string& v = rRighe[r][k];
            const std::string_view u = NumeroNellIndirizzo(v);
            if (u.empty()) continue;
            const std::string p = v.substr(0, static_cast<size_t>(u.data() - v.data()));
            if (prima && *prima != p) {
                prima = std::nullopt;
                break;
            }
            prima = p;
        }
        const size_t tolto = prima ? prima->size() : 0;
        if (k < mvTolto.size()) mvTolto[k] += static_cast<int>(tolto);
        mvLarghezza[k] = 1;
        for (size_t r = 0; r < rRighe.size(); ++r) {
            if (rRighe[r].size() <= k) continue;
            std::string& v = rRighe[r][k];
            if (r >= miIntestazione)
                if (const std::string_view u = NumeroNellIndirizzo(v); !u.empty()) {
                    const size_t da = static_cast<size_t>(u.data() - v.data());
                    v = v.substr(prima ? tolto : 0, da + u.size() - (prima ? tolto : 0));
                }
            mvLarghezza[k] = std::max(mvLarghezza[k], static_cast<int>(v.size()));
        }
        if (mIndirizzi.size() <= 3)
            elenco += std::string(elenco.empty() ? "" : ", ") + Num(static_cast<long long>(k + 1));
    }
    if (mIndirizzi.empty()) return;
    Voce(Ambito::Stampa, "Numeri negli indirizzi",
         std::string(mIndirizzi.size() == 1 ? "il campo " : "i campi ") + elenco +
             (mIndirizzi.size() > 3 ? "..." : "") +
             " scrivono una parte come indirizzo (numero@host) su quattro record su cinque: il "
             "numero \xE8 la parte prima della chiocciola, l'host non \xE8 un campo; il driver "
             "tiene il primo numero del campo (ESTRAI_NUMERO)");
}

namespace {

// Four numbers up to 255 parted by points (10.0.2.11).
bool IndirizzoDiRete(std::string_view t) {
    t = TogliSpazi(t);
    int parti = 0;
    for (size_t i = 0; i <= t.size(); ++parti) {
        size_t j = i;
        while (j < t.size() && Cifra(t[j])) ++j;
        if (j == i || j - i > 3 || std::atoi(std::string(t.substr(i, j - i)).c_str()) > 255)
            return false;
        if (j < t.size() && t[j] != '.') return false;
        i = j + 1;
    }
    return parti == 4;
}

}  // namespace

void Proponitore::PorteDiRete(const std::vector<std::vector<std::string>>& vRighe) {
    const size_t n = mvColonna.size();
    std::string elenco;
    for (size_t k = 0; k + 1 < n; ++k) {
        size_t pieni = 0, indirizzi = 0, porte = 0;
        for (size_t r = miIntestazione; r < vRighe.size(); ++r) {
            if (vRighe[r].size() <= k + 1 || TogliSpazi(vRighe[r][k]).empty()) continue;
            ++pieni;
            if (!IndirizzoDiRete(vRighe[r][k])) continue;
            ++indirizzi;
            const std::string_view p = TogliSpazi(vRighe[r][k + 1]);
            porte += !p.empty() && p.size() <= 5 && std::all_of(p.begin(), p.end(), Cifra) &&
                     std::atol(std::string(p).c_str()) <= 65535;
        }
        if (indirizzi < 2 || indirizzi * 5 < pieni * 4 || porte * 5 < indirizzi * 4) continue;
        mvOccupate.emplace_back(mvColonna[k], mvColonna[k + 1] + mvLarghezza[k + 1]);
        elenco += std::string(elenco.empty() ? "" : ", ") + Num(static_cast<long long>(k + 1)) +
                  "-" + Num(static_cast<long long>(k + 2));
        ++k;
    }
    if (!elenco.empty())
        Voce(Ambito::Stampa, "Indirizzi di rete",
             "campi " + elenco +
                 ": un indirizzo di rete (quattro numeri divisi da punti) e, nel campo dopo, la "
                 "sua porta: non sono parti della chiamata, e la porta non è un derivato");
}

void Proponitore::NumeroDallIndirizzo(clsDriver& d, bool bEntrante, clsCampo& c) const {
    // The field's columns as laid out (made field numbers when the driver is complete).
    if (!mbSeparati || c.miInizio < 1) return;
    const int a = c.miInizio - 1;
    size_t k = 0;
    while (k + 1 < mvColonna.size() && mvColonna[k + 1] <= a) ++k;
    if (!mIndirizzi.count(k)) return;
    if (!d.mcolTrasf) d.mcolTrasf.emplace();
    clsTrasformazione t;
    t.menTipo = bEntrante ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI;
    t.menOperazione = clsTrasformazione::ESTRAI_NUMERO;
    t.miRiga = c.miRiga;
    t.miInizio = c.miInizio;
    t.miLunghezza = c.miLunghezza;
    d.mcolTrasf->Add(std::move(t));
    c.mbSoloCifre = false;
}

}  // namespace tarno::proposta

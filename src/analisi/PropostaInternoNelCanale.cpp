#include "analisi/PropostaInterna.h"

// The extension inside a channel's name: a kind of call with no extension column may print it
// after a technology's word and a slash (SIP/2208), the same extensions the other kind of call
// prints as digits. The field keeps the digits after the label.

namespace tarno::proposta {

namespace {

// "SIP/2208": letters, a slash, digits; the label (with its slash) and the digits.
bool Canale(std::string_view t, std::string& etichetta, std::string& cifre) {
    const size_t s = t.find('/');
    if (s == 0 || s == std::string_view::npos || s + 1 == t.size()) return false;
    for (size_t i = 0; i < s; ++i)
        if (!Lettera(t[i])) return false;
    for (size_t i = s + 1; i < t.size(); ++i)
        if (!Cifra(t[i])) return false;
    etichetta = std::string(t.substr(0, s + 1));
    cifre = std::string(t.substr(s + 1));
    return true;
}

}  // namespace

void Proponitore::InternoNelCanale(bool bEntranti) {
    auto& mie = mSegmenti[bEntranti];
    const auto& altre = mSegmenti[!bEntranti];
    const auto derivato = [](const Segmento& g) { return g.sRuolo == "sDerivato"; };
    if (std::any_of(mie.begin(), mie.end(), derivato)) return;
    const auto x = std::find_if(altre.begin(), altre.end(), derivato);
    if (x == altre.end() || x->distinti.size() < 2) return;
    std::vector<size_t> righe;
    for (size_t r : mvChiamate)
        if ((mvTipo[r] == 'E') == bEntranti) righe.push_back(r);
    for (Segmento& k : mie) {
        // Written on most of the kind's calls, a channel on each, one label, and two
        // extensions of the other kind at least among its digits.
        // A channel taken for the trunk (letters, a slash, a number) is taken back: the digits
        // name the other kind's extensions.
        if ((!k.sRuolo.empty() && k.sRuolo != "sLinea") || k.iPieni * 3 < righe.size() * 2 ||
            k.iPieni < 2)
            continue;
        std::string comune;
        std::set<std::string> noti;
        bool tutti = true;
        for (size_t r : righe) {
            const std::string t(TogliSpazi(Testo(r, k.a, k.b)));
            std::string e, c;
            if (t.empty()) continue;
            if (!Canale(t, e, c) || (!comune.empty() && e != comune)) {
                tutti = false;
                break;
            }
            comune = e;
            if (x->distinti.count(c)) noti.insert(c);
        }
        if (!tutti || noti.size() < 2) continue;
        k.sRuolo = "sDerivato";
        k.sEtichetta = comune;
        std::string elenco;
        for (const auto& v : noti) elenco += (elenco.empty() ? "" : ", ") + v;
        Voce(Ambito::Campo, "Derivato",
             Dove(k.a, k.b) + ": il nome di un canale su ogni chiamata che lo scrive (" + comune +
                 "...), con le cifre di derivati delle " + (bEntranti ? "uscenti" : "entranti") +
                 " (" + elenco + "): \xE8 il derivato, letto dopo \"" + comune + "\"",
             true, bEntranti, "sDerivato", k.a, k.b);
        return;
    }
}

}  // namespace tarno::proposta

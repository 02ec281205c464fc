#include "analisi/PropostaInterna.h"

// Dates and times of day packed into one separated field (20261207083012), and record
// counters that a format of digits alone would read as a time (1001 as 10:01).

namespace tarno::proposta {

// In a record of separated fields a run of digits is a field of its own, and most such fields
// are numbers (a party, an identifier): the run is split only when its likeliest reading opens
// with a date at the field's start, holds a time of day after it and explains every digit of
// the run, from its first column to its last, on every record.
bool Proponitore::DataOraNelCampo(const CorsaCifre& corsa) const {
    if (corsa.vLetture.empty()) return false;
    const auto campo = std::find(mvColonna.begin(), mvColonna.end(), corsa.a);
    if (campo == mvColonna.end()) return false;
    const std::vector<PezzoCifre>& pezzi = corsa.vLetture.front().vPezzi;
    if (pezzi.size() < 2 || !pezzi.front().bData || pezzi.front().a != corsa.a) return false;
    bool ora = false;
    int fine = corsa.a;
    for (const PezzoCifre& p : pezzi) {
        if (p.a != fine || p.bDecimi) return false;
        fine = p.b;
        ora |= !p.bData && !p.bDurata;
    }
    if (!ora || fine != corsa.b) return false;
    for (size_t r : corsa.vRighe) {
        const std::string t(TogliSpazi(Testo(r, corsa.a, corsa.b)));
        const std::string dopo = Testo(r, corsa.b, corsa.b + 1);
        if (static_cast<int>(t.size()) != corsa.b - corsa.a || (!dopo.empty() && dopo[0] != ' '))
            return false;
    }
    return true;
}

// Digits alone that grow by exactly one from a line to the next on four steps in five (three
// steps at least) number the records: a time of day so read (1001, 1002, 1003 as 10:01, 10:02,
// 10:03) would have every call a minute after the one before, and 0959 is never followed by
// 0960. Such a column holds no time nor date.
void Proponitore::ContatoriNonSonoOre() {
    std::erase_if(mvCandidate, [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bLetterale || c.bImpaccata || c.Righe() < 4) return false;
        size_t passi = 0, uno = 0;
        long long prima = -1;
        for (const Valore& v : c.vValori) {
            const std::string t(TogliSpazi(Testo(v.iRiga, v.a, v.b)));
            if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
                return false;
            const long long k = std::stoll(t);
            if (prima >= 0) {
                ++passi;
                uno += k == prima + 1;
            }
            prima = k;
        }
        if (passi < 3 || uno * 5 < passi * 4) return false;
        if (mContatori.insert({c.a, c.b}).second)
            Voce(Ambito::Righe, "Contatore",
                 Dove(c.a, c.b) + ": cifre che crescono di uno da una riga all'altra (" +
                     Num(static_cast<long long>(uno)) + " volte su " +
                     Num(static_cast<long long>(passi)) + "): numerano i record; \"" + f.sTesto +
                     "\" le leggerebbe come un'ora, ma non sono un'ora");
        return true;
    });
}

}  // namespace tarno::proposta

namespace tarno::proposta {

// Separated fields filled on some calls and empty on all the others, while other fields are
// filled exactly on those others (the lines or channels of one side of the exchange and of
// the other): each call goes one way or the other, so the fields split the calls as their
// direction does. Which side is the incoming one they do not say by themselves (a side named
// "incoming" may be the side the call came in from the extensions), so they back or question
// the split chosen, always as uncertain.
void Proponitore::LatiAlterni() {
    const auto lati = LatiDeiCampi();
    if (lati.size() != 2 || mvTipo.size() < mvRighe.size()) return;
    auto campi = [&](const std::set<size_t>& lato) {
        std::string t;
        for (size_t k = 0; k < mvColonna.size(); ++k) {
            bool uguale = true;
            for (size_t r : mvChiamate)
                uguale &=
                    lato.count(r) ==
                    !TogliSpazi(Testo(r, mvColonna[k], mvColonna[k] + mvLarghezza[k])).empty();
            if (uguale) t += (t.empty() ? "" : ", ") + Num(static_cast<long long>(k + 1));
        }
        return "campi " + t;
    };
    std::array<size_t, 2> entranti{};
    for (size_t i = 0; i < 2; ++i)
        for (size_t r : lati[i]) entranti[i] += mvTipo[r] == 'E';
    const std::string a = campi(lati[0]), b = campi(lati[1]);
    const bool divise = (entranti[0] == 0 && entranti[1] == lati[1].size()) ||
                        (entranti[0] == lati[0].size() && entranti[1] == 0);
    std::string testo = a + " pieni su " + Num(static_cast<long long>(lati[0].size())) +
                        " chiamate e vuoti sulle altre " +
                        Num(static_cast<long long>(lati[1].size())) + ", dove sono pieni i " + b +
                        ": ogni chiamata passa da un lato o dall'altro";
    if (divise && entranti[0] + entranti[1] > 0)
        testo += "; le chiamate con i " + (entranti[0] ? a : b) +
                 " pieni sono proprio le entranti proposte: la divisione coincide";
    else if (entranti[0] + entranti[1] == 0)
        testo +=
            "; probabilmente dividono le entranti dalle uscenti, ma quale lato sia quello "
            "delle entranti la stampa non lo dice: tutte restano uscenti, da controllare";
    else
        testo += "; le entranti proposte non seguono questa divisione: da controllare";
    Voce(Ambito::Tipo, "Campi pieni a lati alterni", testo, true);
    std::array<VoceProposta::Alternativa, 2> alt;
    for (size_t i = 0; i < 2; ++i) {
        alt[i].sLettura = "entranti le chiamate con i " + (i ? b : a) + " pieni";
        alt[i].bScelta = divise && entranti[i] > 0;
        for (size_t r : lati[i])
            alt[i].vValori.push_back("riga " + Num(static_cast<long long>(r + 1)));
    }
    mP.vVoci.back().vAlternative.assign(alt.begin(), alt.end());
}

}  // namespace tarno::proposta

namespace tarno::proposta {

// Separated fields filled on some calls and empty on exactly the others, while other fields
// are filled on those others (the line of one side of the exchange and the line of the other):
// the calls of one side, as a set of call lines; empty when no such fields exist.
std::vector<std::set<size_t>> Proponitore::LatiDeiCampi() const {
    std::vector<std::set<size_t>> lati;
    if (!mbSeparati || mvChiamate.size() < 4) return lati;
    std::vector<std::set<size_t>> pieni;
    for (size_t k = 0; k < mvColonna.size(); ++k) {
        std::set<size_t> p;
        for (size_t r : mvChiamate)
            if (!TogliSpazi(Testo(r, mvColonna[k], mvColonna[k] + mvLarghezza[k])).empty())
                p.insert(r);
        pieni.push_back(std::move(p));
    }
    for (const auto& p : pieni) {
        if (p.size() < 2 || p.size() + 2 > mvChiamate.size()) continue;
        std::set<size_t> altro;
        for (size_t r : mvChiamate)
            if (!p.count(r)) altro.insert(r);
        if (std::find(pieni.begin(), pieni.end(), altro) != pieni.end()) return {p, altro};
    }
    return lati;
}

// Two party columns where each call prints an extension in one and a number in the other, and
// a call between two extensions (an internal call, made from an extension as an outgoing call
// is): when fields filled on one side of the exchange only put every internal call with the
// calls whose number comes first, and the other side holds exactly the calls whose number
// comes second, the number first is the one called and those calls are outgoing.
bool Proponitore::ChiamatoPrima(const std::set<size_t>& daNumero, const std::set<size_t>& interne,
                                std::string& rPerche) const {
    if (interne.empty()) return false;
    std::set<size_t> uscenti = daNumero;
    uscenti.insert(interne.begin(), interne.end());
    const auto lati = LatiDeiCampi();
    if (lati.size() != 2 || (lati[0] != uscenti && lati[1] != uscenti)) return false;
    const std::set<size_t>& lato = lati[0] == uscenti ? lati[0] : lati[1];
    std::string campi;
    for (size_t k = 0; k < mvColonna.size(); ++k) {
        std::set<size_t> p;
        for (size_t r : mvChiamate)
            if (!TogliSpazi(Testo(r, mvColonna[k], mvColonna[k] + mvLarghezza[k])).empty())
                p.insert(r);
        if (p == lato) campi += (campi.empty() ? "" : ", ") + Num(static_cast<long long>(k + 1));
    }
    rPerche = "i campi " + campi +
              " sono pieni proprio sulle chiamate col numero al primo posto e " +
              (interne.size() == 1 ? std::string("su quella")
                                   : "sulle " + Num(static_cast<long long>(interne.size()))) +
              " fra due interni (fatte da un interno, come le uscenti), e vuoti sulle altre: " +
              "il primo \xE8 il chiamato";
    return true;
}

}  // namespace tarno::proposta

namespace tarno::proposta {

// A wide field whose values are written from its left edge, under a heading centred over it
// (`4415` at the field's start, `ACCOUNT` a column after the value's end): the heading word
// that starts one or two columns after the values end, with no other column's values under
// it, names them.
std::string Proponitore::IntestazioneADestra(const Segmento& g,
                                             const std::vector<Segmento>& vSegmenti) const {
    if (mbSeparati || !g.bSinistra || !g.sIntestazione.empty()) return {};
    for (size_t r : mvIntestazioni) {
        const std::string& t = mvRighe[r];
        for (int x = g.b; x <= g.b + 2 && x < static_cast<int>(t.size()); ++x) {
            const auto i = static_cast<size_t>(x);
            if (t[i] == ' ' || (x > 0 && t[i - 1] != ' ')) continue;
            const size_t j = std::min(t.find(' ', i), t.size());
            const int fine = static_cast<int>(j);
            for (const auto& k : vSegmenti)
                if (&k != &g && k.iPieni > 0 && Sovrapposti(k.a, k.b, g.b, fine)) return {};
            return Maiusc(t.substr(i, j - i));
        }
    }
    return {};
}

}  // namespace tarno::proposta

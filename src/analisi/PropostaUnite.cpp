#include "analisi/PropostaInterna.h"

// Values printed joined in one token of a separated record, and durations longer than the
// formats of fixed length read.

namespace tarno::proposta {

namespace {

// Minutes and seconds that only a duration prints: digits, a colon and two digits, with three
// digits of minutes or more than 59 of them (127:05, 75:10).
bool MinutiLunghi(std::string_view t) {
    const size_t p = t.find(':');
    if (p == 0 || p == std::string_view::npos || t.size() != p + 3) return false;
    if (!std::all_of(t.begin(), t.begin() + static_cast<long>(p), Cifra) || !Cifra(t[p + 1]) ||
        !Cifra(t[p + 2]))
        return false;
    return p >= 3 || std::atoi(std::string(t.substr(0, p)).c_str()) > 59;
}

}  // namespace

bool Proponitore::DurataLungaAltrove(int a, int b) const {
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (size_t i = 0; i < s.size();) {
            if (s[i] == ' ') {
                ++i;
                continue;
            }
            const size_t j = std::min(s.find(' ', i), s.size());
            if (!Sovrapposti(a, b, static_cast<int>(i), static_cast<int>(j)) &&
                MinutiLunghi(std::string_view(s).substr(i, j - i)))
                return true;
            i = j;
        }
    }
    return false;
}

}  // namespace tarno::proposta

namespace tarno::proposta {

void Proponitore::DentroIlCampo(size_t r, int a, int b, ColonnePerPosto& perInizio,
                                ColonnePerPosto& perFine) const {
    const std::string& s = mvRighe[r];
    const std::string_view tutto(s.data() + a, static_cast<size_t>(b - a));
    for (const Formato& fm : mvFormati)
        if (tutto.size() >= fm.iMin && tutto.size() <= fm.iMax && fm.f.Leggi(tutto, mMesi)) return;
    for (size_t f = 0; f < mvFormati.size(); ++f) {
        const Formato& fm = mvFormati[f];
        if (fm.iMin != fm.iMax || !fm.bLetterale || fm.bMeridiano || fm.sTesto.size() != fm.iMin ||
            fm.iMin >= tutto.size())
            continue;
        const std::string& schema = fm.sTesto;
        const auto separa = [&](char c) {
            return !Lettera(c) && schema.find(c) != std::string::npos;
        };
        for (size_t i = 0; i + fm.iMin <= tutto.size(); ++i) {
            const size_t e = i + fm.iMin;
            bool va = true;
            for (size_t j = 0; j < fm.iMin && va; ++j)
                va = Lettera(schema[j]) ? Cifra(tutto[i + j]) : tutto[i + j] == schema[j];
            if (!va) continue;
            // Bounded on each side by the token's end or by a sign the format does not print;
            // digits go before it only up to the token's start (more minutes: 000:10).
            // The marks of an ISO 8601 moment part too: the T between the date's digits and
            // the time's (2026-12-07T14:02:11), the Z after the time's (...:11Z, UTC).
            const auto confine = [&](size_t x) {
                const char c = tutto[x];
                const bool cifraPrima = x > 0 && Cifra(tutto[x - 1]);
                const bool cifraDopo = x + 1 < tutto.size() && Cifra(tutto[x + 1]);
                if (c == 'T' && cifraPrima && cifraDopo) return true;
                if (c == 'Z' && cifraPrima && (x + 1 == tutto.size() || !Alnum(tutto[x + 1])))
                    return true;
                return !Alnum(c) && !separa(c);
            };
            size_t x = i;
            while (x > 0 && Cifra(tutto[x - 1])) --x;
            // More digits before a value are more minutes (000:10), the whole token: a clock
            // or a date has none.
            if (x < i && (x != 0 || e != tutto.size() || fm.bOre || fm.bData)) continue;
            if ((x > 0 && !confine(x - 1)) || (e < tutto.size() && !confine(e))) continue;
            const auto v = fm.f.Leggi(tutto.substr(i, fm.iMin), mMesi);
            if (!v || (fm.bOre && v->iOre > 23 && schema.size() <= 5)) continue;
            const Valore val{r, a + static_cast<int>(i), a + static_cast<int>(e), *v, x < i};
            Archivia(perInizio, perFine, f, val);
        }
    }
}

// A column whose every value is one letter, a sign and a word (O-OK, I-FD): where the letters
// are codes of both kinds, the letter is the call's kind and the word after it its outcome.
void Proponitore::CodiciConStato(std::map<int, std::map<std::string, size_t>>& perColonna) {
    for (auto& [col, valori] : perColonna) {
        std::map<std::string, size_t> lettere;
        bool tutte = true;
        for (const auto& [t, k] : valori) {
            tutte &= t.size() >= 3 && Lettera(t[0]) && !Alnum(t[1]) && t[1] != ' ' &&
                     std::all_of(t.begin() + 2, t.end(), Alnum);
            if (tutte) lettere[t.substr(0, 1)] += k;
        }
        if (!tutte || lettere.size() < 2) continue;
        std::set<char> tipi;
        for (const auto& [l, k] : lettere) tipi.insert(TipoDiCodice(l));
        if (!tipi.count('E') || !tipi.count('U') || tipi.count('?')) continue;
        std::string elenco, stati;
        for (const auto& [l, k] : lettere) elenco += (elenco.empty() ? "\"" : ", \"") + l + "\"";
        for (const auto& [t, k] : valori) stati += (stati.empty() ? "\"" : ", \"") + t + "\"";
        Voce(Ambito::Tipo, "Codice con l'esito",
             Dove(col, col + 1) + ": una lettera (" + elenco + "), un segno e una parola (" +
                 stati +
                 "): la lettera \xE8 il codice del tipo, la parola dopo l'esito della chiamata");
        valori = std::move(lettere);
        mCodiciIncollati.insert(col);
    }
}

}  // namespace tarno::proposta

namespace tarno::proposta {

bool ModuloConNumero(const std::set<std::string>& valori) {
    return !valori.empty() && std::all_of(valori.begin(), valori.end(), [](const std::string& v) {
        const size_t barra = v.find('/');
        if (barra == std::string::npos || barra < 2 || v.size() - barra - 1 < 1 ||
            v.size() - barra - 1 > 3)
            return false;
        return std::all_of(v.begin(), v.begin() + static_cast<long>(barra), Lettera) &&
               std::all_of(v.begin() + static_cast<long>(barra) + 1, v.end(), Cifra);
    });
}

bool SoloSegni(const std::set<std::string>& valori) {
    return !valori.empty() && std::all_of(valori.begin(), valori.end(), [](const std::string& v) {
        return std::none_of(v.begin(), v.end(), Alnum);
    });
}

bool OltreUnNumero(const std::set<std::string>& valori) {
    return !valori.empty() && std::all_of(valori.begin(), valori.end(),
                                          [](const std::string& v) { return CifreInFila(v) > 18; });
}

}  // namespace tarno::proposta

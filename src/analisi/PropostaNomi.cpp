#include "analisi/PropostaInterna.h"

// Traits told by what a value holds beside its digits: a time after a date in one field, a
// yes-or-no column under a heading naming the direction, an extension inside a caller's name.

namespace tarno::proposta {

std::string InternoTraParentesi(std::string_view v) {
    while (!v.empty() && (v.back() == ' ' || v.back() == '"')) v.remove_suffix(1);
    if (v.size() < 4 || v.back() != '>') return {};
    const size_t apre = v.rfind('<');
    if (apre == std::string_view::npos) return {};
    const std::string_view cifre = v.substr(apre + 1, v.size() - apre - 2);
    if (cifre.size() < 2 || cifre.size() > 6 || !std::all_of(cifre.begin(), cifre.end(), Cifra))
        return {};
    const std::string_view nome = v.substr(0, apre);
    if (std::none_of(nome.begin(), nome.end(), Lettera)) return {};
    return std::string(cifre);
}

char DirezioneDiSiNo(const std::string& nome, const std::string& valore) {
    static const std::set<std::string> si = {"TRUE", "YES", "Y", "JA", "SI", "S\xCC", "OUI", "T"};
    static const std::set<std::string> no = {"FALSE", "NO", "N", "NEIN", "NON", "F"};
    const std::string v = Maiusc(TogliSpazi(valore));
    const bool vero = si.count(v) > 0;
    if (!vero && !no.count(v)) return '?';
    const bool entra = HaParola(
        nome, {"INCOMING", "INBOUND", "INGRESSO", "ENTRANT", "EINGEHEND", "EINGANG", "IN", "INC"});
    const bool esce =
        HaParola(nome, {"OUTGOING", "OUTBOUND", "USCENT", "AUSGEHEND", "SORTANT", "OUT", "OUTG"});
    if (entra == esce) return '?';
    return (vero == entra) ? 'E' : 'U';
}

bool Proponitore::OraDopoLaData(const Colonna& c) const {
    if (!mbSeparati || mvColonna.empty()) return false;
    size_t k = 0;
    while (k + 1 < mvColonna.size() && mvColonna[k + 1] <= c.a) ++k;
    for (const auto& d : mvCandidate) {
        const Formato& f = mvFormati[d.iFormato];
        if (!f.bData || f.f.ETempo() || d.a < mvColonna[k] || d.b > c.a) continue;
        size_t insieme = 0;
        for (const auto& v : c.vValori) insieme += d.Su(v.iRiga) != nullptr;
        if (insieme * 10 >= c.Righe() * 8) return true;
    }
    return false;
}

std::optional<std::pair<int, std::map<std::string, char>>> Proponitore::DirezioneDaSiNo(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    for (const auto& [col, valori] : colonne) {
        if (valori.size() != 2) continue;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) pieni += k;
        if (pieni != n) continue;
        const std::string nome = Parole(col, col + 1);
        std::map<std::string, char> tipi;
        for (const auto& [t, k] : valori) tipi[t] = DirezioneDiSiNo(nome, t);
        if (tipi.begin()->second == '?' || tipi.begin()->second == std::next(tipi.begin())->second)
            continue;
        std::string entranti;
        int b = col;
        for (const auto& [t, k] : tipi) {
            if (k == 'E') entranti = t;
            b = std::max(b, col + static_cast<int>(t.size()));
        }
        Voce(Ambito::Tipo, "S\xEC o no",
             Dove(col, b) + ": due valori, un s\xEC e un no, sotto \"" + nome +
                 "\", che nomina una direzione: \"" + entranti + "\" sono le entranti",
             false);
        return std::make_pair(col, tipi);
    }
    return std::nullopt;
}

bool Proponitore::InternoNelNome(const Segmento& g, const std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) const {
    if (g.distinti.empty() || g.iPieni * 2 < righe.size()) return false;
    for (const auto& v : g.distinti)
        if (InternoTraParentesi(v).empty()) return false;
    // The same digits printed bare in a column of their own on every line: that one is the
    // extension.
    for (const auto& h : segmenti) {
        if (&h == &g || h.iPieni != g.iPieni || h.iIntere != h.iPieni) continue;
        bool uguali = true;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (!v.empty() && InternoTraParentesi(v) != TogliSpazi(Testo(r, h.a, h.b))) {
                uguali = false;
                break;
            }
        }
        if (uguali) return false;
    }
    return true;
}

double Proponitore::MediaSenzaNomi(const Segmento& g, const std::vector<size_t>& righe) const {
    size_t pieni = 0, nomi = 0, lunghezze = 0;
    for (size_t r : righe) {
        const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
        if (v.empty()) continue;
        ++pieni;
        const std::string cifre = InternoTraParentesi(v);
        nomi += !cifre.empty();
        lunghezze += cifre.empty() ? v.size() : cifre.size();
    }
    if (!nomi) return g.dLunghezzaMedia;
    return static_cast<double>(lunghezze) / static_cast<double>(pieni) -
           0.01 * static_cast<double>(nomi);
}

bool Proponitore::NumeraIRecord(const Segmento& g, size_t& uno, size_t& passi) const {
    long long prima = -1;
    uno = passi = 0;
    for (size_t r : mvChiamate) {
        const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
        if (v.empty() || v.size() > 9 || !std::all_of(v.begin(), v.end(), Cifra)) {
            prima = -1;
            continue;
        }
        const long long k = std::stoll(v);
        if (prima >= 0) {
            ++passi;
            uno += k == prima + 1;
        }
        prima = k;
    }
    return passi >= 2 && uno * 10 >= passi * 8;
}

}  // namespace tarno::proposta

#include "analisi/PezziDiValore.h"

#include <algorithm>

namespace tarno {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t OrologioConFrazione(std::string_view t) {
    size_t ore = 0;
    while (ore < t.size() && ore < 3 && Cifra(t[ore])) ++ore;
    if (ore < 1 || ore > 2) return 0;
    const size_t fine = ore + 6;  // ":mm:ss"
    if (t.size() < fine + 2) return 0;
    for (size_t i : {ore, ore + 3})
        if (t[i] != ':' || !Cifra(t[i + 1]) || !Cifra(t[i + 2])) return 0;
    if (t[fine] != '.' && t[fine] != ',') return 0;
    const size_t cifre = t.size() - fine - 1;
    if (cifre > 6) return 0;
    for (size_t i = fine + 1; i < t.size(); ++i)
        if (!Cifra(t[i])) return 0;
    return fine;
}

std::string_view NumeroNellIndirizzo(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (!t.empty() && t.front() == '<') t.remove_prefix(1);
    for (std::string_view schema : {"sip:", "sips:", "tel:"})
        if (t.size() > schema.size() && t.substr(0, schema.size()) == schema) {
            t.remove_prefix(schema.size());
            break;
        }
    const size_t chiocciola = t.find('@');
    if (chiocciola == std::string_view::npos || chiocciola + 1 >= t.size()) return {};
    const std::string_view utente = t.substr(0, chiocciola);
    const size_t da = !utente.empty() && utente.front() == '+' ? 1 : 0;
    if (utente.size() <= da) return {};
    for (size_t i = da; i < utente.size(); ++i)
        if (!Cifra(utente[i])) return {};
    const char dopo = t[chiocciola + 1];
    if (dopo == ' ' || dopo == '>' || dopo == '@') return {};
    return utente;
}

bool PrefissoDelloScrittore(const std::vector<std::vector<std::string>>& vPezzi,
                            const std::function<bool(std::string_view)>& bValore) {
    // The clock and, after it, more words (the host, the facility): a prefix, not a value.
    // A clock (digits, then a colon: no date, which might be the calls' only one), then more.
    const auto prefisso = [&](const std::string& p) {
        const size_t a = p.find_first_not_of(' ');
        const size_t spazio = a == std::string::npos ? a : p.find(' ', a);
        const size_t segno = a == std::string::npos ? a : p.find_first_not_of("0123456789", a);
        return spazio != std::string::npos && segno < spazio && p[segno] == ':' &&
               p.find_first_not_of(' ', spazio) != std::string::npos && bValore(p);
    };
    if (vPezzi.size() < 3 || vPezzi[0].size() < 4 || !prefisso(vPezzi[0][0])) return false;
    for (size_t k = 1; k < vPezzi[0].size(); ++k)
        if (bValore(vPezzi[0][k])) return false;
    size_t record = 0, conPrefisso = 0;
    for (size_t r = 1; r < vPezzi.size() && r <= 300; ++r) {
        const auto& p = vPezzi[r];
        if (p.size() < 2) continue;
        ++record;
        conPrefisso += prefisso(p[0]) && std::any_of(p.begin() + 1, p.end(), bValore);
    }
    return record >= 2 && conPrefisso * 5 >= record * 4;
}

}  // namespace tarno

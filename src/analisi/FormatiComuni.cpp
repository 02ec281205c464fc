#include "analisi/FormatiComuni.h"

#include <algorithm>
#include <cctype>

#include "engine/FormatoDataOra.h"
#include "model/Testo.h"

namespace tarno {

namespace {

constexpr const char* kFormatiComuni[] = {
    "mm/gg",    "h:mm",       "hh:mm'ss", "mm'ss",    "m'ss",     "hh:mm'ss\"", "mm'ss\"",
    "h:mmA/P",  "hh:mmA/P",   "mmggaa",   "aammgg",   "mmggaaaa", "aaaa-mm-gg", "aaaa/mm/gg",
    "gg-mm-aa", "mm/gg/aaaa", "hh.mm.ss", "hh:mm:ss", "h:mm:ss",  "hh:mm",      "mm:ss",
    "ss",       "gg/mm/aa",   "mm/gg/aa", "gg.mm.aa", "hhmm",     "hhmmss",     "gg-mm-aaaa",
    "g/m/aa",   "m/g/aa",     "g/m/aaaa", "m/g/aaaa",
};

// 0 for a fixed length with separators, 1 with separators alone, 2 for a fixed length alone,
// 3 otherwise: a run of one letter reads one or two digits, "ss" alone any number of them.
int Rigore(std::string_view t) {
    bool fisso = !UgualeNoCase(t, "ss"), separato = false;
    for (size_t i = 0; i < t.size();) {
        if (UgualeNoCase(t.substr(i, 5), "AM/PM")) {
            i += 5;
            continue;
        }
        if (UgualeNoCase(t.substr(i, 3), "A/P")) {
            i += 3;
            continue;
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
        if (c != 'g' && c != 'm' && c != 'a' && c != 'h' && c != 's') {
            separato = true;
            ++i;
            continue;
        }
        size_t n = 0;
        while (i + n < t.size() && std::tolower(static_cast<unsigned char>(t[i + n])) == c) ++n;
        if (n == 1) fisso = false;
        i += n;
    }
    return separato ? (fisso ? 0 : 1) : (fisso ? 2 : 3);
}

bool Vuoto(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::span<const char* const> FormatiComuni() { return kFormatiComuni; }

std::string FormatoComuneCheLegge(const std::vector<std::string>& vValori, bool bData) {
    if (std::all_of(vValori.begin(), vValori.end(), Vuoto)) return {};
    std::vector<const char*> ordine(std::begin(kFormatiComuni), std::end(kFormatiComuni));
    std::stable_sort(ordine.begin(), ordine.end(),
                     [](const char* a, const char* b) { return Rigore(a) < Rigore(b); });
    const CodiciMesi mesi{};
    for (const char* testo : ordine) {
        const clsFormatoDataOra formato(testo);
        // A time or a duration never gets a date format.
        if (bData ? !formato.EData() : formato.EData()) continue;
        const bool legge = std::all_of(vValori.begin(), vValori.end(), [&](const std::string& s) {
            if (Vuoto(s)) return true;
            const auto v = formato.Leggi(s, mesi);
            return v && (bData ? v->HaData() : v->HaTempo());
        });
        if (legge) return testo;
    }
    return {};
}

}  // namespace tarno

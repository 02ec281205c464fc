#include "engine/Trasformazioni.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "engine/TestoMotore.h"
#include "engine/clsImpostazioniMotore.h"
#include "model/Numeri.h"
#include "model/clsTrasformazione.h"

namespace tarno::motore {

// The shortest decimal text of a number.
std::string Numero(double v) {
    if (v == 0) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// An operand that is a number, with "," read as the decimal point.
std::optional<double> Operando(std::string s) {
    std::replace(s.begin(), s.end(), ',', '.');
    const auto v = ValoreNumerico(s);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

// A whole number from 1 to iMax, or nullopt.
std::optional<int> Intero(std::string_view s, int iMax) {
    const auto v = ValoreNumerico(s);
    if (!v || *v < 1 || *v > iMax || *v != std::floor(*v)) return std::nullopt;
    return static_cast<int>(*v);
}

double Calcola(int32_t op, double v, double k) {
    switch (op) {
        case clsTrasformazione::MOLTIPLICA:
            return v * k;
        case clsTrasformazione::DIVIDI:
            return v / k;
        case clsTrasformazione::SOMMA:
            return v + k;
        default:
            return v - k;
    }
}

// A number as a PBX writes it in an area: blanks around it, an optional sign, digits with at
// most one decimal separator ("." or ",").

namespace {

struct NumeroScritto {
    double dValore = 0;
    int iDecimali = 0;
    char cSeparatore = '.';
};

std::optional<NumeroScritto> LeggiNumeroScritto(std::string_view s) {
    s = SenzaBianchi(s);
    NumeroScritto n;
    size_t i = 0;
    const bool negativo = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
    bool cifre = false, separatore = false;
    for (; i < s.size(); ++i) {
        if (Cifra(s[i])) {
            n.dValore = n.dValore * 10 + (s[i] - '0');
            n.iDecimali += separatore;
            cifre = true;
        } else if ((s[i] == '.' || s[i] == ',') && !separatore) {
            separatore = true;
            n.cSeparatore = s[i];
        } else {
            return std::nullopt;
        }
    }
    if (!cifre) return std::nullopt;
    n.dValore /= std::pow(10.0, n.iDecimali);
    if (negativo) n.dValore = -n.dValore;
    return n;
}

// The number written with that many decimals, rounded half away from zero; "" when it has too
// many digits to write.
std::string ScriviNumero(double v, int iDecimali, char cSeparatore) {
    const double r = std::round(v * std::pow(10.0, iDecimali));
    if (!std::isfinite(r) || std::fabs(r) > 1e15) return {};
    std::string t = std::to_string(static_cast<long long>(std::fabs(r)));
    const size_t d = static_cast<size_t>(iDecimali);
    if (d > 0) {
        if (t.size() <= d) t.insert(0, d + 1 - t.size(), '0');
        t.insert(t.size() - d, 1, cSeparatore);
    }
    return r < 0 ? "-" + t : t;
}

// The text of an area of n characters is written on the left when it began at the area's first
// character and ended before its last one, otherwise on the right.
bool ASinistra(std::string_view area, size_t n) {
    return !area.empty() && !Bianco(area.front()) && (area.size() < n || Bianco(area.back()));
}

// Writes t into the n characters from a, which keep their width (the line grows with blanks
// when short); a text that is empty where a number was expected, or wider than the area, fills
// it with '#'.
void ScriviArea(std::string& s, size_t a, size_t n, std::string_view t, bool bSinistra,
                bool bNumero = false) {
    if (s.size() < a + n) s.resize(a + n, ' ');
    if (t.size() > n || (bNumero && t.empty())) {
        std::fill_n(s.begin() + static_cast<long>(a), n, '#');
        return;
    }
    std::fill_n(s.begin() + static_cast<long>(a), n, ' ');
    std::copy(t.begin(), t.end(),
              s.begin() + static_cast<long>(a + (bSinistra ? 0 : n - t.size())));
}

// A time of day in an area shifted back by iScarto seconds: the area's digits are read as
// hours, minutes and seconds (groups split by any other character, or packed as hhmm or
// hhmmss) and written again in the same layout. False when the area holds no such time.
bool SpostaOra(std::string& testo, int64_t iScarto) {
    struct Gruppo {
        size_t a, n;
    };
    Gruppo g[3];
    size_t ng = 0;
    for (size_t p = 0; p < testo.size();) {
        if (!Cifra(testo[p])) {
            ++p;
            continue;
        }
        size_t q = p;
        while (q < testo.size() && Cifra(testo[q])) ++q;
        if (ng == 3) return false;
        g[ng++] = {p, q - p};
        p = q;
    }
    if (ng == 1 && (g[0].n == 4 || g[0].n == 6)) {
        const size_t a = g[0].a, n = g[0].n;
        ng = n / 2;
        for (size_t i = 0; i < ng; ++i) g[i] = {a + 2 * i, 2};
    }
    if (ng < 2) return false;
    int64_t v[3] = {0, 0, 0};
    const int64_t massimo[3] = {23, 59, 59};
    for (size_t i = 0; i < ng; ++i) {
        if (g[i].n > 2) return false;
        for (size_t k = 0; k < g[i].n; ++k) v[i] = v[i] * 10 + (testo[g[i].a + k] - '0');
        if (v[i] > massimo[i]) return false;
    }
    int64_t t = v[0] * 3600 + v[1] * 60 + v[2] - iScarto;
    t = ((t % 86400) + 86400) % 86400;
    v[0] = t / 3600;
    v[1] = t / 60 % 60;
    v[2] = t % 60;
    for (size_t i = ng; i-- > 0;) {
        std::string c = std::to_string(v[i]);
        if (c.size() < g[i].n) c.insert(0, g[i].n - c.size(), '0');
        testo.replace(g[i].a, g[i].n, c);
    }
    return true;
}

}  // namespace

// "+01:00", "-05:30" or "+0530", "+1", "-5" (hours): the offset from UTC in seconds.
std::optional<int64_t> ScartoUTC(std::string_view s) {
    s = SenzaBianchi(s);
    int segno = 1;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        segno = s[0] == '-' ? -1 : 1;
        s.remove_prefix(1);
    }
    std::string_view ore = s, minuti;
    if (const size_t p = s.find(':'); p != std::string_view::npos) {
        ore = s.substr(0, p);
        minuti = s.substr(p + 1);
    } else if (s.size() == 4) {
        ore = s.substr(0, 2);
        minuti = s.substr(2);
    }
    auto numero = [](std::string_view t, size_t larghezza) -> std::optional<int64_t> {
        if (t.empty() || t.size() > larghezza) return std::nullopt;
        int64_t v = 0;
        for (char c : t) {
            if (!Cifra(c)) return std::nullopt;
            v = v * 10 + (c - '0');
        }
        return v;
    };
    const auto h = numero(ore, 2);
    const auto m = minuti.empty() && s.find(':') == std::string_view::npos
                       ? std::optional<int64_t>(0)
                       : numero(minuti, 2);
    if (!h || !m || *h > 14 || *m > 59) return std::nullopt;
    return segno * (*h * 3600 + *m * 60);
}

std::string TestoScarto(int64_t iScarto) {
    const int64_t a = iScarto < 0 ? -iScarto : iScarto;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d:%02d", iScarto < 0 ? '-' : '+',
                  static_cast<int>(a / 3600), static_cast<int>(a / 60 % 60));
    return buf;
}

// The offset from UTC of this computer's zone now.
int64_t ScartoLocale() {
    const std::time_t adesso = std::time(nullptr);
    std::tm locale{};
    localtime_r(&adesso, &locale);
    return locale.tm_gmtoff;
}

void ApplicaTrasformazione(const Trasf& t, std::string& s) {
    const size_t a = static_cast<size_t>(t.iInizio - 1);
    const size_t fineArea = a + static_cast<size_t>(t.iLunghezza);
    switch (t.iOp) {
        case clsTrasformazione::INSERISCI:
            if (a > s.size()) s.resize(a, ' ');
            s.insert(a, t.sValore);
            if (s.size() > MAX_CARATTERI_RIGA) s.resize(MAX_CARATTERI_RIGA);
            return;
        case clsTrasformazione::ALLINEA: {
            // Nothing to align in an area that is blank or past the end of the line.
            const std::string testo(SenzaBianchi(Taglio(s, t.iInizio, t.iLunghezza)));
            if (testo.empty()) return;
            if (s.size() < fineArea) s.resize(fineArea, ' ');
            const size_t spazi = static_cast<size_t>(t.iLunghezza) - testo.size();
            std::string nuovo =
                t.bDestra ? std::string(spazi, ' ') + testo : testo + std::string(spazi, ' ');
            s.replace(a, static_cast<size_t>(t.iLunghezza), nuovo);
            return;
        }
        default:
            break;
    }
    if (a >= s.size()) return;
    const size_t fine = std::min(fineArea, s.size());
    const size_t n0 = static_cast<size_t>(t.iLunghezza);
    switch (t.iOp) {
        case clsTrasformazione::SOSTITUISCI: {
            if (t.sSorgente.size() == 1 && t.sValore.size() == 1) {
                std::replace(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                             t.sSorgente[0], t.sValore[0]);
                return;
            }
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            if (area.find(t.sSorgente) == std::string_view::npos) return;
            std::string nuovo;
            for (size_t p = 0; p < area.size();) {
                if (area.compare(p, t.sSorgente.size(), t.sSorgente) == 0) {
                    nuovo += t.sValore;
                    p += t.sSorgente.size();
                } else {
                    nuovo += area[p++];
                }
            }
            // The area keeps its width: the rest of the line never moves.
            nuovo.resize(area.size(), ' ');
            s.replace(a, area.size(), nuovo);
            return;
        }
        case clsTrasformazione::ELIMINA: {
            if (t.sSorgente.empty()) {
                std::fill(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                          ' ');
                return;
            }
            for (size_t p = s.find(t.sSorgente, a);
                 p != std::string::npos && p + t.sSorgente.size() <= fine;
                 p = s.find(t.sSorgente, p + t.sSorgente.size()))
                std::fill(s.begin() + static_cast<long>(p),
                          s.begin() + static_cast<long>(p + t.sSorgente.size()), ' ');
            return;
        }
        case clsTrasformazione::MOLTIPLICA:
        case clsTrasformazione::DIVIDI:
        case clsTrasformazione::SOMMA:
        case clsTrasformazione::SOTTRAI: {
            // The number keeps its decimals and its side of the area; other text stays.
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            const auto n = LeggiNumeroScritto(area);
            if (!n) return;
            const bool sx = ASinistra(area, n0);
            ScriviArea(
                s, a, n0,
                ScriviNumero(Calcola(t.iOp, n->dValore, t.dOperando), n->iDecimali, n->cSeparatore),
                sx, true);
            return;
        }
        case clsTrasformazione::ESTRAI_NUMERO: {
            // The first number in the area (a "-" just before it, decimals after a "." or ","
            // between digits) is all that stays of it; no number leaves it blank.
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            size_t p = 0;
            while (p < area.size() && !Cifra(area[p])) ++p;
            size_t q = p;
            while (q < area.size() && Cifra(area[q])) ++q;
            if (q + 1 < area.size() && (area[q] == '.' || area[q] == ',') && Cifra(area[q + 1]))
                for (q += 2; q < area.size() && Cifra(area[q]);) ++q;
            if (p > 0 && p < area.size() && area[p - 1] == '-') --p;
            const std::string numero(area.substr(p, q - p));
            ScriviArea(s, a, n0, numero, ASinistra(area, n0));
            return;
        }
        case clsTrasformazione::SPOSTA:
        case clsTrasformazione::COPIA: {
            // The area's text goes over the line from the column of the value; SPOSTA leaves
            // blanks where it was.
            const std::string testo = s.substr(a, fine - a);
            if (t.iOp == clsTrasformazione::SPOSTA)
                std::fill(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                          ' ');
            const size_t c = static_cast<size_t>(t.iColonna - 1);
            const size_t k = std::min(testo.size(), MAX_CARATTERI_RIGA - c);
            if (s.size() < c + k) s.resize(c + k, ' ');
            s.replace(c, k, testo, 0, k);
            return;
        }
        case clsTrasformazione::ESPANDI: {
            // Each tab becomes the blanks up to the next tab stop, counted from the start of
            // the line; the rest of the line moves right.
            if (std::string_view(s).substr(a, fine - a).find('\t') == std::string_view::npos)
                return;
            const size_t passo = static_cast<size_t>(t.iColonna);
            std::string nuovo;
            for (size_t p = a; p < fine; ++p) {
                if (s[p] == '\t')
                    nuovo.append(passo - (a + nuovo.size()) % passo, ' ');
                else
                    nuovo += s[p];
            }
            s.replace(a, fine - a, nuovo);
            if (s.size() > MAX_CARATTERI_RIGA) s.resize(MAX_CARATTERI_RIGA);
            return;
        }
        case clsTrasformazione::UTC: {
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            std::string testo(area);
            if (!SpostaOra(testo, t.iScarto)) return;
            const bool sx = ASinistra(area, n0);
            ScriviArea(s, a, n0, SenzaBianchi(testo), sx);
            return;
        }
        case clsTrasformazione::IGNORA:
            if (t.bDestra) {
                for (size_t p = fine; p > a && s[p - 1] == t.cCarattere; --p) s[p - 1] = ' ';
            } else {
                for (size_t p = a; p < fine && s[p] == t.cCarattere; ++p) s[p] = ' ';
            }
            return;
        default:
            return;
    }
}

}  // namespace tarno::motore

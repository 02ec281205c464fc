#include "engine/FormatoDataOra.h"

#include <algorithm>
#include <chrono>

#include "model/Testo.h"

namespace tarno {

int AnnoDaDueCifre(int iAnno, int iAnnoOggi) {
    const int anno = iAnnoOggi / 100 * 100 + iAnno;
    return anno > iAnnoOggi ? anno - 100 : anno;
}

int AnnoCorrente() {
    const auto oggi = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(oggi).year());
}

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }
char Minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool LetteraFormato(char c) {
    c = Minuscola(c);
    return c == 'g' || c == 'm' || c == 'a' || c == 'h' || c == 's';
}

bool Bisestile(int32_t anno) { return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0; }

int GiorniDelMese(int32_t mese, int32_t anno) {
    static constexpr int giorni[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mese == 2 && anno >= 0 && !Bisestile(anno)) return 28;
    return giorni[mese - 1];
}

// The 12-hour mark at the start of a format text: 2 for "AM/PM", 1 for "A/P" (any case), else 0.
int Meridiano(std::string_view s) {
    if (UgualeNoCase(s.substr(0, 5), "AM/PM")) return 2;
    if (UgualeNoCase(s.substr(0, 3), "A/P")) return 1;
    return 0;
}

std::string_view SenzaBianchi(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// A number with at least iCifre digits (zeros in front).
void Cifre(std::string& s, int64_t v, int iCifre) {
    char b[24];
    int n = 0;
    do {
        b[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 24);
    while (n < iCifre && n < 24) b[n++] = '0';
    std::reverse(b, b + n);
    s.append(b, static_cast<size_t>(n));
}
void Due(std::string& s, int64_t v) { Cifre(s, v, 2); }

}  // namespace

int64_t ValoreDataOra::TotaleSecondi() const {
    return (iOre > 0 ? iOre : 0) * 3600 + (iMinuti > 0 ? iMinuti : 0) * 60 +
           (iSecondi > 0 ? iSecondi : 0);
}

std::string ValoreDataOra::TestoData() const {
    std::string s;
    if (iAnno >= 0) {
        Cifre(s, iAnno, 4);
    } else {
        s.push_back('-');
    }
    if (iMese >= 0) {
        s += '-';
        Due(s, iMese);
    }
    if (iGiorno >= 0) {
        s += '-';
        Due(s, iGiorno);
    }
    return s;
}

std::string ValoreDataOra::TestoOra() const {
    std::string s;
    Due(s, iOre > 0 ? iOre : 0);
    s += ':';
    Due(s, iMinuti > 0 ? iMinuti : 0);
    s += ':';
    Due(s, iSecondi > 0 ? iSecondi : 0);
    return s;
}

clsFormatoDataOra::clsFormatoDataOra(std::string_view sTesto) : msTesto(sTesto) {
    // Runs of letters and literals; the runs of "m" shorter than three are settled afterwards.
    std::vector<char> lettere;  // the letter of each element, 0 for literals
    for (size_t i = 0; i < sTesto.size();) {
        if (const int meridiano = Meridiano(sTesto.substr(i))) {
            mvElementi.push_back(Elemento{Parte::Meridiano, meridiano, {}});
            lettere.push_back(0);
            i += meridiano == 2 ? 5 : 3;
        } else if (LetteraFormato(sTesto[i])) {
            const char c = Minuscola(sTesto[i]);
            size_t j = i;
            while (j < sTesto.size() && Minuscola(sTesto[j]) == c) ++j;
            const int larghezza = static_cast<int>(j - i);
            Parte parte = Parte::Letterale;
            switch (c) {
                case 'g':
                    parte = Parte::Giorno;
                    break;
                case 'a':
                    parte = Parte::Anno;
                    break;
                case 'h':
                    parte = Parte::Ore;
                    break;
                case 's':
                    parte = Parte::Secondi;
                    break;
                default:
                    parte = larghezza >= 3 ? Parte::MeseCodice : Parte::Mese;
                    break;
            }
            mvElementi.push_back(Elemento{parte, larghezza, {}});
            lettere.push_back(c);
            i = j;
        } else {
            size_t j = i;
            while (j < sTesto.size() && !LetteraFormato(sTesto[j]) && !Meridiano(sTesto.substr(j)))
                ++j;
            mvElementi.push_back(
                Elemento{Parte::Letterale, 0, std::string(sTesto.substr(i, j - i))});
            lettere.push_back(0);
            i = j;
        }
    }
    bool giornoAnno = false;
    for (const auto& e : mvElementi)
        if (e.parte == Parte::Giorno || e.parte == Parte::Anno || e.parte == Parte::MeseCodice)
            giornoAnno = true;
    // "m" is the minutes after hours or before seconds, and wherever there is no day or year.
    for (size_t k = 0; k < mvElementi.size(); ++k) {
        auto& e = mvElementi[k];
        if (e.parte != Parte::Mese) continue;
        Parte prima = Parte::Letterale, dopo = Parte::Letterale;
        for (size_t p = k; p-- > 0;)
            if (mvElementi[p].parte != Parte::Letterale) {
                prima = mvElementi[p].parte;
                break;
            }
        for (size_t p = k + 1; p < mvElementi.size(); ++p)
            if (mvElementi[p].parte != Parte::Letterale) {
                dopo = mvElementi[p].parte;
                break;
            }
        if (prima == Parte::Ore || dopo == Parte::Secondi || !giornoAnno) e.parte = Parte::Minuti;
    }
    int corse = 0;
    for (const auto& e : mvElementi) {
        switch (e.parte) {
            case Parte::Letterale:
                continue;
            case Parte::Giorno:
            case Parte::Mese:
            case Parte::Anno:
                mbData = true;
                break;
            case Parte::MeseCodice:
                mbData = true;
                mbMesi = true;
                break;
            case Parte::Ore:
            case Parte::Minuti:
            case Parte::Secondi:
            case Parte::Meridiano:
                mbTempo = true;
                break;
        }
        ++corse;
    }
    mbSolo = corse == 1 && mvElementi.size() == 1 && mvElementi[0].parte != Parte::MeseCodice;
}

std::optional<ValoreDataOra> clsFormatoDataOra::Leggi(std::string_view sValore,
                                                      const CodiciMesi& mesi,
                                                      std::string* rsErrore) const {
    auto errore = [&](std::string testo) -> std::optional<ValoreDataOra> {
        if (rsErrore) *rsErrore = std::move(testo);
        return std::nullopt;
    };
    const std::string_view v = SenzaBianchi(sValore);
    if (v.empty()) return errore("valore vuoto");
    if (mvElementi.empty()) return errore("formato vuoto");
    auto nonCorrisponde = [&]() {
        std::string t(1, '"');
        t.append(v).append("\" non corrisponde al formato \"").append(msTesto).push_back('"');
        return errore(std::move(t));
    };

    ValoreDataOra r;
    bool haOre = false, haMinuti = false;
    for (const auto& e : mvElementi) {
        if (e.parte == Parte::Ore) haOre = true;
        if (e.parte == Parte::Minuti) haMinuti = true;
    }
    size_t p = 0;
    int cifreAnno = 0;
    bool meridiano = false, pomeriggio = false;
    for (const auto& e : mvElementi) {
        if (e.parte == Parte::Letterale) {
            if (v.substr(p, e.sLetterale.size()) != e.sLetterale) return nonCorrisponde();
            p += e.sLetterale.size();
            continue;
        }
        if (e.parte == Parte::Meridiano) {
            const std::string_view segno = v.substr(p, static_cast<size_t>(e.iLarghezza));
            const char* const mattina = e.iLarghezza == 2 ? "AM" : "A";
            const char* const sera = e.iLarghezza == 2 ? "PM" : "P";
            if (!UgualeNoCase(segno, mattina) && !UgualeNoCase(segno, sera))
                return nonCorrisponde();
            pomeriggio = UgualeNoCase(segno, sera);
            meridiano = true;
            p += segno.size();
            continue;
        }
        if (e.parte == Parte::MeseCodice) {
            bool trovato = false, codici = false;
            for (int i = 0; i < 12 && !trovato; ++i) {
                if (mesi[i].empty()) continue;
                codici = true;
                if (UgualeNoCase(v.substr(p, mesi[i].size()), mesi[i])) {
                    r.iMese = i + 1;
                    p += mesi[i].size();
                    trovato = true;
                }
            }
            if (!codici) return errore("codici dei mesi non impostati nel driver");
            if (!trovato) return nonCorrisponde();
            continue;
        }
        // A number: exactly as many digits as letters, or a run of digits for a single letter
        // (at most two for day, month, minutes and seconds) and for a format of one run.
        size_t minimo = static_cast<size_t>(e.iLarghezza), massimo = minimo;
        if (mbSolo) {
            minimo = 1;
            massimo = 18;
        } else if (e.iLarghezza == 1) {
            minimo = 1;
            massimo = (e.parte == Parte::Ore || e.parte == Parte::Anno) ? 18 : 2;
        }
        if (massimo > 18) massimo = 18;
        size_t n = 0;
        int64_t valore = 0;
        while (n < massimo && p + n < v.size() && Cifra(v[p + n])) {
            valore = valore * 10 + (v[p + n] - '0');
            ++n;
        }
        if (n < minimo) return nonCorrisponde();
        p += n;
        switch (e.parte) {
            case Parte::Giorno:
                r.iGiorno = static_cast<int32_t>(valore);
                break;
            case Parte::Mese:
                r.iMese = static_cast<int32_t>(valore);
                break;
            case Parte::Anno:
                r.iAnno = static_cast<int32_t>(valore);
                cifreAnno = static_cast<int>(n);
                break;
            case Parte::Ore:
                r.iOre = valore;
                break;
            case Parte::Minuti:
                r.iMinuti = valore;
                break;
            case Parte::Secondi:
                r.iSecondi = valore;
                break;
            default:
                break;
        }
    }
    if (p != v.size()) return nonCorrisponde();

    if (r.iAnno >= 0 && cifreAnno <= 2) r.iAnno = AnnoDaDueCifre(r.iAnno, AnnoCorrente());
    if (r.iMese >= 0 && (r.iMese < 1 || r.iMese > 12))
        return errore("mese " + std::to_string(r.iMese) + " non valido");
    if (r.iGiorno >= 0) {
        const int massimo = r.iMese >= 1 ? GiorniDelMese(r.iMese, r.iAnno) : 31;
        if (r.iGiorno < 1 || r.iGiorno > massimo)
            return errore("giorno " + std::to_string(r.iGiorno) + " non valido" +
                          (r.iMese >= 1 ? " per il mese " + std::to_string(r.iMese) : ""));
    }
    if (meridiano && haOre) {
        if (r.iOre < 1 || r.iOre > 12)
            return errore("ore " + std::to_string(r.iOre) + " non valide con AM/PM");
        r.iOre = r.iOre % 12 + (pomeriggio ? 12 : 0);
    }
    if (r.iMinuti >= 0 && haOre && r.iMinuti > 59)
        return errore("minuti " + std::to_string(r.iMinuti) + " non validi");
    if (r.iSecondi >= 0 && (haOre || haMinuti) && r.iSecondi > 59)
        return errore("secondi " + std::to_string(r.iSecondi) + " non validi");
    return r;
}

}  // namespace tarno

#include "analisi/CifreImpaccate.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <set>

namespace tarno {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

struct FormatoFisso {
    size_t iIndice = 0;
    clsFormatoDataOra f;
    int iLunghezza = 0;
    bool bData = false;
};

// A format of fixed length written with format letters alone, each run of two or more
// ("hhmm", "mmgg"; not "h:mm", "hmm" or "ss"), reading a date or a time of day, not both.
bool Fisso(const std::string& t) {
    if (t.size() < 4) return false;
    for (size_t i = 0; i < t.size();) {
        const char c = static_cast<char>(t[i] | 0x20);
        if (c != 'g' && c != 'm' && c != 'a' && c != 'h' && c != 's') return false;
        size_t j = i;
        while (j < t.size() && (t[j] | 0x20) == c) ++j;
        if (j - i < 2) return false;
        i = j;
    }
    return true;
}

// A time of day's place in the printout: its date when the field before is one.
long long Momento(const PezzoCifre* data, size_t riga, const ValoreDataOra& ora) {
    long long giorni = 0;
    if (data)
        for (const auto& [r, v] : data->vValori)
            if (r == riga) giorni = v.iMese * 31LL + v.iGiorno;
    return giorni * 86400 + ora.TotaleSecondi();
}

size_t Formati(const LetturaCifre& l) {
    std::set<size_t> f;
    for (const auto& p : l.vPezzi) f.insert(p.iFormato);
    return f.size();
}

}  // namespace

std::vector<CorsaCifre> DividiCifre(const std::vector<std::string>& vRighe,
                                    const std::vector<std::string>& vFormati) {
    std::vector<FormatoFisso> formati;
    for (size_t i = 0; i < vFormati.size(); ++i) {
        if (!Fisso(vFormati[i])) continue;
        FormatoFisso f{i, clsFormatoDataOra(vFormati[i]), static_cast<int>(vFormati[i].size())};
        f.bData = f.f.EData();
        const bool ore = vFormati[i].find_first_of("hH") != std::string::npos;
        if (f.bData == f.f.ETempo() || (!f.bData && !ore)) continue;
        formati.push_back(std::move(f));
    }
    // Where runs of eight digits or more start, and where each ends.
    std::map<int, std::vector<std::pair<size_t, int>>> inizi, aperti;
    // Of the runs after a letter opening the word, at each column: the letter and the length.
    std::map<int, std::set<std::pair<char, size_t>>> forme;
    for (size_t r = 0; r < vRighe.size(); ++r) {
        const std::string& s = vRighe[r];
        for (size_t i = 0; i < s.size();) {
            if (!Cifra(s[i])) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < s.size() && Cifra(s[j])) ++j;
            // A field starts there: not digits glued to letters (0!KA0100010012101, a record's
            // kind and its codes).
            // One letter alone between digits (D0000201T0000012...) is a type code of the field
            // after it, which starts there.
            const bool lettera = i > 0 && std::isalpha(static_cast<unsigned char>(s[i - 1])) &&
                                 !(i > 1 && Cifra(s[i - 2]));
            if (j - i >= 8 && !lettera)
                inizi[static_cast<int>(i)].emplace_back(r, static_cast<int>(j));
            else if (j - i >= 8 &&
                     (i == 1 || !std::isalnum(static_cast<unsigned char>(s[i - 2])))) {
                aperti[static_cast<int>(i)].emplace_back(r, static_cast<int>(j));
                forme[static_cast<int>(i)].insert({s[i - 1], j - i});
            }
            i = j;
        }
    }
    // A letter opening the word is a record's type code too (T20261209083428) where every run
    // at the column follows that letter with one length: a number dialled after a direction
    // letter (O5550142) varies in both.
    for (const auto& [inizio, righe] : aperti)
        if (forme[inizio].size() == 1 && !inizi.count(inizio)) inizi[inizio] = righe;
    const CodiciMesi mesi{};
    std::vector<CorsaCifre> corse;
    for (const auto& [inizio, righe] : inizi) {
        // Fields of the records, not a number here and there: on many lines.
        if (righe.size() < 3 || righe.size() * 10 < vRighe.size() * 4) continue;
        CorsaCifre corsa;
        corsa.a = inizio;
        std::set<int> confini{inizio};
        for (const auto& [r, fine] : righe) {
            corsa.vRighe.push_back(r);
            corsa.b = std::max(corsa.b, fine);
            confini.insert(fine);
        }
        const size_t n = righe.size();
        // The fields of a reading explain half the run at least (05:55 at the start of
        // 0555120340 is a number's prefix).
        std::vector<int> lunghezze;
        for (const auto& [r, fine] : righe) lunghezze.push_back(fine - inizio);
        std::nth_element(lunghezze.begin(), lunghezze.begin() + static_cast<long>(n / 2),
                         lunghezze.end());
        const int mezza = lunghezze[n / 2];
        // Every field a format reads at a column: on (nearly) every line the runs cover it.
        std::map<int, std::vector<PezzoCifre>> pezzi;  // by first column
        for (int o = inizio; o < corsa.b; ++o)
            for (const FormatoFisso& f : formati) {
                const int fine = o + f.iLunghezza;
                if (fine > corsa.b) continue;
                PezzoCifre p;
                p.a = o;
                p.b = fine;
                p.iFormato = f.iIndice;
                p.bData = f.bData;
                bool va = true;
                for (const auto& [r, e] : righe) {
                    if (e < fine) continue;
                    const auto v =
                        f.f.Leggi(std::string_view(vRighe[r]).substr(
                                      static_cast<size_t>(o), static_cast<size_t>(f.iLunghezza)),
                                  mesi);
                    if (!v || (!f.bData && v->iOre > 23)) {
                        va = false;
                        break;
                    }
                    p.vValori.emplace_back(r, *v);
                }
                const size_t k = p.vValori.size();
                if (!va || k < 2 || k * 10 < n * 8) continue;
                if (!f.bData) {
                    // A time of day changes from call to call, and the calls of five lines or
                    // more are seldom all in one hour (100000, 101001, 105012 are a number
                    // followed by others). A duration changes too and is mostly under an hour.
                    std::set<long long> diversi, ore;
                    size_t brevi = 0;
                    for (const auto& [r, v] : p.vValori) {
                        diversi.insert(v.TotaleSecondi());
                        ore.insert(v.iOre);
                        brevi += v.TotaleSecondi() < 3600;
                    }
                    if (diversi.size() * 2 >= k && brevi * 10 >= k * 6) {
                        PezzoCifre d = p;
                        d.bDurata = true;
                        pezzi[o].push_back(std::move(d));
                    }
                    // (Thirty values are enough: a busy printout repeats its minutes.)
                    if (diversi.size() * 10 < k * 6 && diversi.size() < 30) continue;
                    if (ore.size() < 2 && k >= 5) continue;
                } else {
                    // The calls of one printout span a year or two, not many.
                    std::set<int> anni;
                    for (const auto& [r, v] : p.vValori) anni.insert(v.iAnno);
                    if (anni.size() > 2) continue;
                }
                pezzi[o].push_back(std::move(p));
            }
        // A duration in hours, minutes and tenths of a minute (0025: 2.5 minutes), which no
        // format reads: it changes from call to call and is mostly under an hour.
        for (int o = inizio; o + 4 <= corsa.b; ++o) {
            PezzoCifre p;
            p.a = o;
            p.b = o + 4;
            p.iFormato = vFormati.size();
            p.bDecimi = p.bDurata = true;
            bool va = true;
            std::set<long long> diversi;
            size_t brevi = 0;
            for (const auto& [r, e] : righe) {
                if (e < o + 4) continue;
                const char* c = vRighe[r].data() + o;
                ValoreDataOra v;
                v.iOre = c[0] - '0';
                v.iMinuti = (c[1] - '0') * 10 + (c[2] - '0');
                v.iSecondi = (c[3] - '0') * 6;
                if (v.iMinuti > 59) {
                    va = false;
                    break;
                }
                diversi.insert(v.TotaleSecondi());
                brevi += v.TotaleSecondi() < 3600;
                p.vValori.emplace_back(r, v);
            }
            const size_t k = p.vValori.size();
            if (va && k >= 2 && k * 10 >= n * 8 && diversi.size() * 2 >= k && brevi * 10 >= k * 6)
                pezzi[o].push_back(std::move(p));
        }
        // The readings: fields one after the other from a column where a field may start.
        std::vector<LetturaCifre> letture;
        std::vector<const PezzoCifre*> scelti;
        size_t passi = 0;
        // Dates whose day varies at least as much as their month fit better, and so do those of
        // this year or the last (a printout is read soon after it is printed).
        const int oggi = AnnoCorrente();
        std::map<const PezzoCifre*, int> merito;
        for (const auto& [o, lista] : pezzi)
            for (const PezzoCifre& p : lista) {
                if (!p.bData) continue;
                std::set<int> giorni, mesi;
                bool recente = true;
                for (const auto& [r, v] : p.vValori) {
                    giorni.insert(v.iGiorno);
                    mesi.insert(v.iMese);
                    const int anno =
                        v.iAnno >= 0 && v.iAnno < 100 ? AnnoDaDueCifre(v.iAnno, oggi) : v.iAnno;
                    recente &= anno < 0 || anno + 1 >= oggi;
                }
                merito[&p] = (giorni.size() >= mesi.size()) + recente;
            }
        int saltate = 0;  // columns of an identifier before the first field
        const std::function<void(int)> prova = [&](int da) {
            if (++passi > 20'000) return;  // a bound on the readings tried
            const bool dopoData = !scelti.empty() && scelti.back()->bData;
            const bool dopoOra =
                !scelti.empty() && !scelti.back()->bData && !scelti.back()->bDurata;
            if (!scelti.empty() && !dopoData) {
                LetturaCifre l;
                int tempi = 0;
                for (const PezzoCifre* p : scelti) {
                    l.vPezzi.push_back(*p);
                    l.iPunti += 2 * (p->b - p->a) + p->bDurata;
                    if (const auto it = merito.find(p); it != merito.end()) l.iPunti += it->second;
                    tempi += !p->bData && !p->bDurata;
                }
                // A date right before a time is a date-time; a later time after an earlier one.
                const PezzoCifre* dataPrima = nullptr;
                const PezzoCifre* oraPrima = nullptr;
                const PezzoCifre* dataOraPrima = nullptr;
                for (const PezzoCifre* p : scelti) {
                    if (p->bDurata) continue;
                    if (p->bData) {
                        dataPrima = p;
                        continue;
                    }
                    const PezzoCifre* data =
                        dataPrima && dataPrima->b == p->a ? dataPrima : nullptr;
                    if (data) l.iPunti += 5;
                    if (oraPrima) {
                        // Dates count only when both times have one.
                        const bool date = data && dataOraPrima;
                        size_t dopo = 0, entrambe = 0;
                        for (const auto& [r, v] : p->vValori)
                            for (const auto& [q, w] : oraPrima->vValori) {
                                if (q != r) continue;
                                ++entrambe;
                                dopo += Momento(date ? data : nullptr, r, v) >=
                                        Momento(date ? dataOraPrima : nullptr, r, w);
                            }
                        l.iPunti += entrambe && dopo * 10 >= entrambe * 8 ? 4 : -6;
                    }
                    oraPrima = p;
                    dataOraPrima = data;
                    dataPrima = nullptr;
                }
                int spiegate = saltate;
                for (const PezzoCifre* p : scelti) spiegate += p->b - p->a;
                if (tempi && spiegate * 2 >= mezza) letture.push_back(std::move(l));
            }
            for (int x = da; x < corsa.b; ++x) {
                // After a date only its time; elsewhere where the last field ended, or where a
                // run ends on some lines.
                if (x != da && (dopoData || !confini.count(x))) continue;
                const auto it = pezzi.find(x);
                if (it == pezzi.end()) continue;
                for (const PezzoCifre& p : it->second) {
                    if (dopoData && p.bData) continue;
                    // A duration right after its time.
                    if (p.bDurata && (x != da || !dopoOra)) continue;
                    scelti.push_back(&p);
                    prova(p.b);
                    scelti.pop_back();
                }
            }
        };
        prova(inizio);
        // No reading from the run's start: an identifier zero-filled to one width may open it
        // (0000201 0316 0802 000342: an extension, then the date, the time and the duration);
        // the readings start after it with a date (its last digits would read as a time) that
        // stays or moves forward from one call to the next, as a printout's dates do (the last
        // digits of the identifier would jump about).
        for (int x = inizio + 1; letture.empty() && x < inizio + 10 && x < corsa.b; ++x) {
            bool zeri = pezzi.count(x) > 0;
            for (const auto& [r, fine] : righe) zeri &= fine > x && vRighe[r][inizio] == '0';
            if (!zeri) continue;
            saltate = x - inizio;
            prova(x);
            std::erase_if(letture, [](const LetturaCifre& l) {
                const PezzoCifre& p = l.vPezzi.front();
                if (!p.bData) return true;
                size_t avanti = 0;
                for (size_t k = 1; k < p.vValori.size(); ++k) {
                    const ValoreDataOra &v = p.vValori[k].second, &w = p.vValori[k - 1].second;
                    avanti += v.iMese * 31 + v.iGiorno >= w.iMese * 31 + w.iGiorno;
                }
                return avanti * 10 < (p.vValori.size() - 1) * 9;
            });
        }
        saltate = 0;
        std::stable_sort(letture.begin(), letture.end(),
                         [](const LetturaCifre& x, const LetturaCifre& y) {
                             if (x.iPunti != y.iPunti) return x.iPunti > y.iPunti;
                             if (x.vPezzi.size() != y.vPezzi.size())
                                 return x.vPezzi.size() < y.vPezzi.size();
                             // The start and the end printed alike.
                             return Formati(x) < Formati(y);
                         });
        if (letture.size() > 4) letture.resize(4);
        corsa.vLetture = std::move(letture);
        corse.push_back(std::move(corsa));
    }
    return corse;
}

std::vector<int> ConfiniNelleCifre(const std::vector<std::string>& vRighe,
                                   const std::vector<size_t>& vQuali) {
    size_t larghezza = 0;
    for (size_t r : vQuali) larghezza = std::max(larghezza, vRighe[r].size());
    auto at = [&](size_t r, size_t x) { return x < vRighe[r].size() ? vRighe[r][x] : ' '; };
    auto fineDa = [&](size_t r, size_t x) {
        while (x < vRighe[r].size() && vRighe[r][x] != ' ') ++x;
        return x;
    };
    std::set<int> confini;
    for (size_t x = 1; x < larghezza; ++x) {
        std::vector<size_t> soli, incollati;
        for (size_t r : vQuali) {
            if (!Cifra(at(r, x))) continue;
            if (at(r, x - 1) == ' ') soli.push_back(r);
            if (Cifra(at(r, x - 1))) incollati.push_back(r);
        }
        if (soli.empty() || incollati.empty()) continue;
        // The short field before: digits from one column on every glued line.
        std::set<size_t> inizi, fini;
        for (size_t r : incollati) {
            size_t a = x - 1;
            while (a > 0 && Cifra(at(r, a - 1))) --a;
            if (a > 0 && at(r, a - 1) != ' ') a = 0;  // glued to something else
            inizi.insert(a);
            fini.insert(fineDa(r, x));
        }
        if (inizi.size() != 1 || *inizi.begin() == 0 || x - *inizi.begin() > 6) continue;
        const size_t a = *inizi.begin();
        // A code: a few values repeated (101, 102, 103), not digits of a longer value.
        std::set<std::string> codici;
        for (size_t r : incollati) codici.insert(vRighe[r].substr(a, x - a));
        if (incollati.size() < 3 || codici.size() < 2 || codici.size() * 2 > incollati.size())
            continue;
        bool vuoto = true;
        for (size_t r : soli) {
            for (size_t k = a; k < x && vuoto; ++k) vuoto = at(r, k) == ' ';
            fini.insert(fineDa(r, x));
        }
        if (vuoto && fini.size() > 1) confini.insert(static_cast<int>(x));
    }
    return {confini.begin(), confini.end()};
}

}  // namespace tarno

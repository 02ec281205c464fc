#include "analisi/PropostaInterna.h"

// The other fields of each kind: number, extension, trunk, units, account code.

namespace tarno::proposta {

// A record's identifier: digits on every call of the kind, a different value on each, six
// digits or more, or five growing from call to call (five calls at least), is no party nor
// trunk (an extension of fewer digits may grow in a printout sorted by extension): an
// extension or a trunk comes back on several calls. Left out of the fields (the number, taken
// before, is not concerned).
namespace {

// The width all the values share; 0 when they differ.
size_t UnaLarghezza(const std::set<std::string>& valori) {
    std::set<size_t> l;
    for (const auto& v : valori) l.insert(v.size());
    return l.size() == 1 ? *l.begin() : 0;
}

}  // namespace

void Proponitore::Identificativi(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    const size_t n = righe.size();
    for (Segmento& g : segmenti) {
        if (!g.sRuolo.empty() || n < 3 || g.iPieni != n || g.iIntere != n || g.distinti.size() != n)
            continue;
        bool cresce = n >= 5;
        long long prima = -1;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            const long long k = v.size() <= 18 ? std::stoll(v) : 0;
            cresce &= k > prima;
            prima = k;
        }
        if (g.iLunghezzaMax < (cresce ? 5u : 6u)) continue;
        // Values in no order and of several widths are numbers dialled, not a record's mark.
        if (!cresce && UnaLarghezza(g.distinti) == 0) continue;
        g.sRuolo = "-";
        // Said once, on the lines of each kind (the columns are looked at more than once).
        if (mvTipo.size() != mvRighe.size()) continue;
        const bool entranti = mvTipo[righe.front()] == 'E';
        if (!mIdentificativi.insert({g.a, entranti}).second) continue;
        Voce(Ambito::Campo, "Identificativo",
             Dove(g.a, g.b) + ": cifre su ogni chiamata " + (entranti ? "entrante" : "uscente") +
                 ", un valore diverso su ciascuna (" + *g.distinti.begin() + ", ...)" +
                 (cresce ? ", che cresce da una chiamata all'altra"
                         : ", di " + Num(static_cast<long long>(g.iLunghezzaMax)) + " cifre") +
                 ": identifica il record, non \xE8 un interno n\xE9 una linea (che tornano su "
                 "pi\xF9 chiamate)",
             false, entranti);
    }
}

bool Proponitore::NudoAltrove(const Segmento& g, const std::vector<Segmento>& segmenti,
                              const std::vector<size_t>& righe) const {
    for (const auto& h : segmenti) {
        if (&h == &g || h.iPieni != g.iPieni || h.iIntere != h.iPieni || h.iPieni < 2) continue;
        bool uguali = true;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            const size_t l = v.find_first_of("0123456789");
            uguali = l != std::string::npos && v.substr(l) == TogliSpazi(Testo(r, h.a, h.b));
            if (!uguali) break;
        }
        if (uguali) return true;
    }
    return false;
}

double Proponitore::QuotaGiunzioni(const Segmento& g, const std::vector<size_t>& righe) const {
    size_t giunzioni = 0, pieni = 0;
    for (size_t r : righe) {
        const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
        if (v.empty()) continue;
        ++pieni;
        if (v.size() >= 2 && (v[0] == 'T' || v[0] == 't') && Cifra(v[1]))
            ++giunzioni;
        else if (v.size() > 8 || std::none_of(v.begin(), v.end(), Cifra))
            return 0;
    }
    return pieni ? static_cast<double>(giunzioni) / static_cast<double>(pieni) : 0;
}

std::vector<Segmento> Proponitore::Segmenti(const std::vector<size_t>& righe) {
    std::vector<Segmento> mvSegmenti;
    int larghezza = 0;
    for (size_t r : righe) larghezza = std::max(larghezza, static_cast<int>(mvRighe[r].size()));
    std::vector<size_t> pieni(static_cast<size_t>(larghezza) + 1, 0);
    // The outgoing calls print their number where the incoming ones print a ringing time.
    const bool uscenti =
        !righe.empty() && righe.front() < mvTipo.size() &&
        std::all_of(righe.begin(), righe.end(), [&](size_t r) { return mvTipo[r] != 'E'; });
    auto occupata = [&](int x) {
        for (const auto& [a, b] : mvOccupate)
            if (x >= a && x < b && !(a == miSoloSquilloA && b == miSoloSquilloB && uscenti))
                return true;
        if (x >= miTrasfA && x < miTrasfB) return true;
        // A direction letter glued before the number.
        if (x == miDirA && mCodiciIncollati.count(x)) return true;
        return false;
    };
    for (size_t r : righe) {
        const std::string& s = mvRighe[r];
        for (int x = 0; x < static_cast<int>(s.size()); ++x)
            if (s[static_cast<size_t>(x)] != ' ' && s[static_cast<size_t>(x)] != '\t' &&
                !occupata(x))
                ++pieni[static_cast<size_t>(x)];
    }
    // Separated fields: each field is a column of its own, blanks inside it and all, unless a
    // value taken from it already stands there.
    if (mbSeparati)
        for (size_t k = 0; k < mvColonna.size(); ++k) {
            const int a = mvColonna[k], b = a + mvLarghezza[k];
            bool presa = false, piena = false;
            for (int x = a; x < b && x < larghezza; ++x) {
                presa |= occupata(x);
                piena |= pieni[static_cast<size_t>(x)] > 0;
            }
            for (int x = a; x < b && x < larghezza; ++x)
                pieni[static_cast<size_t>(x)] = presa || !piena ? 0 : 1;
        }
    // The direction code glued to a number ("<I>0555...") belongs to the number's column.
    std::set<int> tagli = TagliIncollati(righe, pieni);
    if (miTaglioEntranti >= 0 && !righe.empty() && mvTipo[righe.front()] == 'E')
        tagli.insert(miTaglioEntranti);
    for (int x = 0; x <= larghezza;) {
        if (!pieni[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        int y = x;
        while (y < larghezza && pieni[static_cast<size_t>(y)] &&
               !(y > x && (tagli.count(y) || mConfini.count(y))))
            ++y;
        Segmento g;
        g.a = x;
        g.b = y;
        size_t lunghezze = 0;
        int inizio = -1, fine = -1;
        bool stessoInizio = true, stessaFine = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, x, y);
            const std::string_view v = TogliSpazi(t);
            if (v.empty()) continue;
            ++g.iPieni;
            const int i0 = x + static_cast<int>(t.find_first_not_of(' '));
            const int i1 = x + static_cast<int>(t.find_last_not_of(' ')) + 1;
            if (inizio < 0) inizio = i0, fine = i1;
            stessoInizio &= i0 == inizio;
            stessaFine &= i1 == fine;
            size_t cifre = 0;
            for (char c : v) cifre += Cifra(c) || c == '*' || c == '#' || c == '+' || c == '-';
            // A date or a time is no number.
            if (cifre * 10 >= v.size() * 7 && v.find(':') == std::string_view::npos) ++g.iCifre;
            if (v.find_first_not_of("0123456789") == std::string_view::npos) ++g.iIntere;
            // Six digits or more among spaces, dashes, brackets or words: a number to keep the
            // digits of. What a telephone dials (*, #, a pause letter between digits) stays.
            if (std::count_if(v.begin(), v.end(), Cifra) >= 6 && v.find(':') == v.rfind(':') &&
                v.front() != '<' && Decorato(v))
                g.bDecorato = true;
            g.iLunghezzaMax = std::max(g.iLunghezzaMax, v.size());
            lunghezze += v.size();
            g.distinti.insert(std::string(v));
        }
        g.bSinistra = stessoInizio || !stessaFine;
        g.dLunghezzaMedia =
            g.iPieni ? static_cast<double>(lunghezze) / static_cast<double>(g.iPieni) : 0;
        g.sIntestazione = Intestazione(x, y);
        if (g.bDecorato) g.sSegnoInCoda = SegnoInCoda(g.distinti);
        mvSegmenti.push_back(std::move(g));
        x = std::max(y, x + 1);
    }
    // A word and a number one blank apart on the same lines are one value ("Trunk 001").
    for (size_t i = 0; i + 1 < mvSegmenti.size();) {
        Segmento& g = mvSegmenti[i];
        const Segmento& h = mvSegmenti[i + 1];
        // The direction codes (IN 1001) are never part of the value after them.
        bool parola = h.a == g.b + 1 && g.iPieni == h.iPieni && !g.distinti.empty() &&
                      !mbSeparati && !(miDirA >= 0 && g.a <= miDirA && miDirA < g.b);
        // A word, or a trunk's name (T010 011: the route and its member); a trunk's name is
        // a value of its own, never the number after a word (A T105).
        for (const auto& v : h.distinti)
            parola &= !(v.size() >= 2 && v[0] == 'T' && std::all_of(v.begin() + 1, v.end(), Cifra));
        for (const auto& v : g.distinti) {
            const bool giunzione =
                v.size() >= 2 && v[0] == 'T' && std::all_of(v.begin() + 1, v.end(), Cifra);
            for (char c : v) parola &= Lettera(c) || giunzione;
            // A trunk's member is digits, never stars (T163 ***: a time to answer).
            parola &= !giunzione || h.iIntere == h.iPieni;
        }
        if (!parola || h.iCifre * 10 < h.iPieni * 7) {
            ++i;
            continue;
        }
        g.b = h.b;
        g.iCifre = h.iCifre;
        g.iLunghezzaMax = g.iLunghezzaMax + 1 + h.iLunghezzaMax;
        g.dLunghezzaMedia += 1 + h.dLunghezzaMedia;
        g.distinti.clear();
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            g.distinti.insert(v);
            // A word before a number's digits (A 15555550142) is no part of the number.
            if (std::count_if(v.begin(), v.end(), Cifra) >= 6 && Decorato(v)) g.bDecorato = true;
        }
        g.sIntestazione = Intestazione(g.a, g.b);
        mvSegmenti.erase(mvSegmenti.begin() + static_cast<long>(i) + 1);
    }
    const size_t n = righe.size();
    auto prendi = [&](const std::string& ruolo, auto&& criterio) -> Segmento* {
        Segmento* scelto = nullptr;
        double migliore = 0;
        if (mRuoliDaLettere.count(ruolo))
            for (auto& g : mvSegmenti)
                if (g.sRuolo == ruolo) return &g;
        for (auto& g : mvSegmenti) {
            if (!g.sRuolo.empty() || g.iPieni == 0) continue;
            const double p = criterio(g);
            if (p > migliore) migliore = p, scelto = &g;
        }
        if (scelto) scelto->sRuolo = ruolo;
        return scelto;
    };
    auto digitale = [](const Segmento& g) { return g.iCifre * 10 >= g.iPieni * 7; };
    // The direction column itself is no field.
    for (auto& g : mvSegmenti)
        if (miDirA >= 0 && g.a <= miDirA && g.b >= miDirB &&
            (g.b - g.a <= miDirB - miDirA + 1 ||
             (mbSeparati && g.dLunghezzaMedia <= miDirB - miDirA)) &&
            g.dLunghezzaMedia <= 6)
            g.sRuolo = "-";
    // A record counter (each call line one more than the one before) is no field.
    for (auto& g : mvSegmenti) {
        if (!g.sRuolo.empty() || g.iPieni < 3) continue;
        size_t uno = 0, passi = 0;
        if (NumeraIRecord(g, uno, passi)) {
            g.sRuolo = "-";
            if (!mContatori.insert({g.a, g.b}).second) continue;
            Voce(Ambito::Righe, "Contatore",
                 Dove(g.a, g.b) + ": un numero che cresce di uno da una chiamata all'altra (" +
                     Num(static_cast<long long>(uno)) + " volte su " +
                     Num(static_cast<long long>(passi)) + "): numera i record, non \xE8 un campo");
        }
    }
    const auto giunzioni = [](const Segmento& g) {
        return !g.distinti.empty() &&
               std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                   return v.size() >= 2 && (v[0] == 'T' || v[0] == 't') && Cifra(v[1]);
               });
    };
    // Values that grow on every call (1798531201.2591, a record's time stamp or identifier)
    // are no telephone number.
    const auto crescenti = [&](const Segmento& g) {
        double prima = -1;
        size_t passi = 0;
        bool punto = false;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            punto |= v.find('.') != std::string::npos;
            if (v.size() < 9 || !Cifra(v.front())) return false;
            const double k = std::strtod(v.c_str(), nullptr);
            if (prima >= 0 && k <= prima) return false;
            prima = k;
            ++passi;
        }
        // Numbers dialled grow by chance on a few calls: five at least, or three of a time
        // stamp with its fraction (1798531201.2591).
        return passi >= (punto ? 3u : 5u);
    };
    prendi("sNumero", [&](const Segmento& g) {
        // Trunks named T and their number (T000001) are no number dialled, nor a channel's name
        // (SIP/5301-00000001, a technology before a slash).
        const bool canali =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                const size_t barra = v.find('/');
                return barra != std::string::npos && barra > 0 &&
                       std::any_of(v.begin(), v.begin() + static_cast<long>(barra), Lettera);
            });
        // An identifier of seconds and a sequence (1386105012.6) neither.
        const bool marche =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                const size_t punto = v.find('.');
                return punto != std::string::npos && punto >= 9 && punto + 1 < v.size() &&
                       v.find('.', punto + 1) == std::string::npos &&
                       std::all_of(v.begin(), v.end(), [](char c) { return Cifra(c) || c == '.'; });
            });
        // Digits glued to the same text with letters on every line (0!KA0100010012101: a
        // record's kind and its codes; an identifier); not after a name of the value (CLI:, S=,
        // CLI 0555...).
        std::set<std::string> teste;
        for (const auto& v : g.distinti) {
            size_t fine = v.size();
            while (fine > 0 && Cifra(v[fine - 1])) --fine;
            teste.insert(v.substr(0, fine));
        }
        const std::string testa = teste.size() == 1 ? *teste.begin() : std::string();
        const bool tipo = std::count_if(testa.begin(), testa.end(), Lettera) >= 2 &&
                          testa.back() != ':' && testa.back() != '=' && testa.back() != ' ' &&
                          g.distinti.size() >= 2;
        // Nor one of groups of hexadecimal digits (a1b2c3d4-0000-4000-8000-000000003001).
        const bool esadecimali =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                return std::count(v.begin(), v.end(), '-') >= 2 &&
                       std::any_of(v.begin(), v.end(), Lettera) &&
                       std::all_of(v.begin(), v.end(), [](char c) {
                           return std::isxdigit(static_cast<unsigned char>(c)) || c == '-';
                       });
            });
        // Nor network addresses (192.168.10.64: four numbers up to 255 parted by points).
        const bool rete =
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                return std::count(v.begin(), v.end(), '.') == 3 &&
                       std::all_of(v.begin(), v.end(),
                                   [](char c) { return Cifra(c) || c == '.'; }) &&
                       v.find("..") == std::string::npos && v.front() != '.' && v.back() != '.' &&
                       v.size() <= 15;
            });
        // Nor an identifier of a session and its sequence (1796662811-214): the digits before
        // the dash, six or more, the same on every value.
        std::set<std::string> sessioni;
        for (const auto& v : g.distinti)
            sessioni.insert(v.find('-') == std::string::npos ? v : v.substr(0, v.find('-')));
        const bool sessione =
            sessioni.size() == 1 && g.distinti.size() >= 2 && sessioni.begin()->size() >= 6 &&
            std::all_of(sessioni.begin()->begin(), sessioni.begin()->end(), Cifra);
        if (sessione) return 0.0;
        // Nor an amount with its decimals (000.00).
        if (giunzioni(g) || crescenti(g) || canali || marche || tipo || esadecimali ||
            (rete && !g.distinti.empty()) || OltreUnNumero(g.distinti) || g.bValuta ||
            ColonnaDiImporti(g.a, g.b))
            return 0.0;
        // Long on average, or internal numbers beside long ones (5301, 0555123456).
        double p = (g.dLunghezzaMedia >= 6 || g.iLunghezzaMax >= 8) && digitale(g)
                       ? MediaSenzaNomi(g, righe)
                       : 0;
        // A heading that names a number counts where numbers stand (a third of the texts with
        // six digits or more), and not when it names a trunk (DESTINATION TRUNK).
        const auto lunghi = std::count_if(g.distinti.begin(), g.distinti.end(),
                                          [](const std::string& v) { return CifreInFila(v) >= 6; });
        if (lunghi * 3 >= static_cast<long>(g.distinti.size()) && lunghi > 0 &&
            HaParola(g.sIntestazione, {"NUMBER", "DIAL", "CALLED", "NUMERO", "CLI", "DIGIT",
                                       "PHONE", "TEL", "DESTIN"}) &&
            !HaParola(g.sIntestazione, {"TRUNK", "TRK", "LINE", "LINEA", "ROUTE"}))
            p += 10;
        return p;
    });
    // A short left-aligned column of one length on four values in five, glued to more digits on
    // the others (34001, and 3400577120 where a code follows): that length, 0 otherwise.
    const auto corta = [&](const Segmento& g) -> size_t {
        if (mbSeparati || !g.bSinistra || g.iIntere < g.iPieni || g.iLunghezzaMax <= 6) return 0;
        std::map<size_t, size_t> lunghezze;
        for (size_t r : righe)
            if (const std::string t = Testo(r, g.a, g.b); !TogliSpazi(t).empty())
                ++lunghezze[TogliSpazi(t).size()];
        const auto piu =
            *std::max_element(lunghezze.begin(), lunghezze.end(),
                              [](const auto& x, const auto& y) { return x.second < y.second; });
        const size_t k = piu.first, quante = piu.second;
        const bool oltre = std::all_of(lunghezze.begin(), lunghezze.end(), [&](const auto& l) {
            return l.first == k || l.first > k + 1;
        });
        return k >= 2 && k <= 6 && quante >= 3 && quante * 5 >= g.iPieni * 4 && oltre ? k : 0;
    };
    RuoliDaLettere(mvSegmenti, righe);
    Identificativi(mvSegmenti, righe);
    NumeroNostro(mvSegmenti, righe);
    for (auto& g : mvSegmenti)
        if (g.sRuolo.empty() && mScattiZero.count({g.a, g.b})) g.sRuolo = "lScatti";
    ScattiDelCosto(mvSegmenti, righe);
    Segmento* derivato = prendi("sDerivato", [&](const Segmento& g0) {
        // Whole numbers with a mark of letters in their place on a few calls (NA): the mark
        // stands for no value, and the column is judged on its numbers.
        std::string segno;
        const Segmento g = SenzaSegnoDiAssenza(g0, segno);
        // A heading naming an extension counts only where digits stand (not over codes such
        // as EXT or IN under "userfield"), not over zeros alone (no extension is 0) nor over
        // numbers longer than an extension.
        const bool cifre =
            std::any_of(g.distinti.begin(), g.distinti.end(),
                        [](const auto& v) { return std::any_of(v.begin(), v.end(), Cifra); }) &&
            !std::all_of(g.distinti.begin(), g.distinti.end(), [](const auto& v) {
                return v.find_first_not_of('0') == std::string::npos;
            });
        const bool chiamato =
            HaParola(g.sIntestazione, {"EXT", "STN", "ST.", "STATION", "DN", "INTERNO", "DERIV",
                                       "USER", "PORT", "EXTN", "INT"});
        if (cifre && g.iLunghezzaMax <= 8 && chiamato) return 100.0;
        if (InternoNelNome(g, mvSegmenti, righe)) return 50.0;
        // A separated field so named holding the extensions' names (Office, Handset 1).
        if (chiamato && mbSeparati && NomiDiInterni(g, n)) return 50.0;
        // A column its heading names as something else (Disconnect Code, Status, Line) is none.
        if (HaParola(g.sIntestazione, {"CODE", "CAUSE", "STATUS", "RESPONSE", "DISCONNECT",
                                       "RESULT", "AMOUNT", "COST", "DUR", "TIME", "DATE", "ID"}) ||
            NomeDiLinea(g.sIntestazione))
            return 0.0;
        // Digits, or digits after a letter or two that name the kind of party (E201, DN2001;
        // not T alone, a trunk); a name of a few letters in their place on one value in five
        // at most (a door's, a device's) is a party of another sort.
        const auto nominato = [](const std::string& v) {
            size_t l = 0;
            while (l < v.size() && Lettera(v[l])) ++l;
            const size_t c = v.size() - l;
            return l >= 1 && l <= 2 && c >= 2 && c <= 6 &&
                   !(l == 1 && (v[0] == 'T' || v[0] == 't')) &&
                   std::all_of(v.begin() + static_cast<long>(l), v.end(), Cifra);
        };
        const auto nome = [](const std::string& v) {
            return v.size() <= 8 && Lettera(v[0]) && CifreInFila(v) <= 2;
        };
        const auto simili =
            static_cast<size_t>(std::count_if(g.distinti.begin(), g.distinti.end(), nominato));
        const bool nominati = !g.distinti.empty() && simili * 5 >= g.distinti.size() * 4 &&
                              std::all_of(g.distinti.begin(), g.distinti.end(), [&](const auto& v) {
                                  return nominato(v) || (simili >= 2 && nome(v));
                              });
        if (nominati && g.iPieni * 2 >= n && !NudoAltrove(g, mvSegmenti, righe))
            return 3.0 + static_cast<double>(g.distinti.size()) +
                   static_cast<double>(g.iPieni) / static_cast<double>(n);
        if (g.iIntere < g.iPieni || (g.iLunghezzaMax > 6 && !corta(g)) || g.iLunghezzaMax < 2)
            return 0.0;
        // Extensions seldom start with 0 (a trunk's member 003, a tenant 00 do).
        const bool zeri = std::all_of(g.distinti.begin(), g.distinti.end(),
                                      [](const std::string& v) { return v.front() == '0'; });
        return (static_cast<double>(g.distinti.size()) +
                static_cast<double>(g.iPieni) / static_cast<double>(n)) *
               (zeri ? 0.3 : 1.0);
    });
    if (derivato)
        if (const size_t k = corta(*derivato)) {
            derivato->b = derivato->a + static_cast<int>(k);
            derivato->iLunghezzaMax = k;
            derivato->bCorto = true;
            derivato->distinti.clear();
            for (size_t r : righe)
                if (const std::string t = Testo(r, derivato->a, derivato->b);
                    !TogliSpazi(t).empty())
                    derivato->distinti.insert(std::string(TogliSpazi(t)));
        }
    if (derivato) derivato->sEtichetta = EtichettaCostante(SenzaNomiRari(derivato->distinti));
    if (derivato) derivato->bNelNome = InternoNelNome(*derivato, mvSegmenti, righe);
    const bool variano = std::any_of(mvSegmenti.begin(), mvSegmenti.end(), [&](const Segmento& g) {
        return g.sRuolo.empty() && g.iPieni * 2 >= n && g.iIntere == g.iPieni &&
               g.distinti.size() > 1 && g.iLunghezzaMax <= 8;
    });
    Segmento* linea = prendi("sLinea", [&](const Segmento& g) {
        if (SoloSegni(g.distinti) || ColonnaDiImporti(g.a, g.b)) return 0.0;
        if (NomeDiLinea(g.sIntestazione) || ValoriDiLinea(g.distinti)) return 100.0;
        if (ModuloConNumero(g.distinti)) return 60.0;
        // Trunks named T and their number (T010, T9001).
        if (giunzioni(g)) return 50.0;
        // Mostly trunks, and other parties on the rest (E205 on an internal call).
        if (const double q = QuotaGiunzioni(g, righe); q * 3 >= 2) return 40.0 * q;
        // A device named a trunk (SIPTrunk_PSTN) on most calls of the kind, not a channel.
        size_t tronchi = 0;
        for (size_t r : righe) {
            const std::string v = Maiusc(TogliSpazi(Testo(r, g.a, g.b)));
            tronchi += v.find("TRUNK") != std::string::npos && v.find('/') == std::string::npos;
        }
        // Of two such columns, the one naming more trunks (TrunkGroup00, TrunkGroup01 beside
        // one trunk-Q931 on every call: a kind of party, not which trunk).
        if (tronchi * 3 >= g.iPieni * 2 && tronchi >= 2)
            return 30.0 + 0.1 * static_cast<double>(std::min<size_t>(g.distinti.size(), 9));
        // A column its heading names as something else is no trunk.
        if (g.iLunghezzaMax > 8 || g.iPieni * 2 < n ||
            HaParola(g.sIntestazione,
                     {"COST",   "CHARGE", "IMPORT", "AMOUNT", "TARIF",  "ADDEB",  "UNIT",
                      "SCATTI", "PULSE",  "METER",  "ACC",    "CODE",   "DUR",    "TIME",
                      "DATE",   "ORA",    "DATA",   "METHOD", "STATUS", "REASON", "RESULT"}))
            return 0.0;
        // Tokens of letters and digits, another on every call (a dialog's tag), name no trunk.
        if (g.distinti.size() == g.iPieni && Identificativo({g.distinti.begin(), g.distinti.end()}))
            return 0.0;
        // Zero on every call (a count never charged) names no trunk.
        if (!g.distinti.empty() &&
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                return v.find_first_not_of('0') == std::string::npos;
            }))
            return 0.0;
        // A letter or two, of three values at most (a record's mark E, a check flag G/B), name
        // no trunk either: flags, not the line a call took.
        if (g.distinti.size() <= 3 &&
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                return v.size() <= 2 && std::all_of(v.begin(), v.end(), Lettera);
            }))
            return 0.0;
        // A trunk is printed on every call: a column blank on some rather not. One value on every
        // call (a node, a tenant) says less than whole numbers that vary.
        const double uno = g.distinti.size() == 1 && g.iPieni >= 3 && variano ? 4.0 : 0.0;
        return digitale(g) ? (g.iPieni < n ? 5.0 : 10.0) - uno -
                                 static_cast<double>(g.distinti.size()) / 100.0
                           : (LetteraCostante(g.distinti) && g.iPieni == n ? 2.0 : 1.0);
    });
    if (linea && ModuloConNumero(linea->distinti) &&
        mLineeCifre.insert({linea->a, linea->b}).second)
        Voce(Ambito::Campo, "Linea",
             Dove(linea->a, linea->b) + ": lettere, una barra e un numero su ogni chiamata (" +
                 *linea->distinti.begin() +
                 "): il modulo o la porta della chiamata, letto nelle sole cifre (Solo cifre)",
             false, !righe.empty() && righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E',
             "sLinea", linea->a, linea->b);
    if (!derivato && linea) PortaComeDerivato(*linea, righe);
    if (!linea) LineaNostra(mvSegmenti, righe);
    prendi("lScatti", [&](const Segmento& g) {
        return HaParola(g.sIntestazione,
                        {"UNIT", "SCATTI", "PULSE", "METER", "IMPULS", "FEE", "CALLFEE"}) &&
                       digitale(g)
                   ? 1.0
                   : 0.0;
    });
    // A count glued to a word naming units, the same on every call (1Units, 12Units): the
    // pulses, the word taken out before the field is read.
    const auto parolaDelleUnita = [](const std::set<std::string>& valori) {
        std::string parola;
        for (const auto& v : valori) {
            size_t k = 0;
            while (k < v.size() && Cifra(v[k])) ++k;
            const std::string w = v.substr(k);
            if (k == 0 || w.size() < 2 || !std::all_of(w.begin(), w.end(), Lettera) ||
                (!parola.empty() && w != parola))
                return std::string();
            parola = w;
        }
        return HaParola(Maiusc(parola), {"UNIT", "EINHEIT", "SCATTI", "PULSE", "IMPULS"})
                   ? parola
                   : std::string();
    };
    if (Segmento* g = prendi("lScatti", [&](const Segmento& g) {
            return !parolaDelleUnita(g.distinti).empty() ? 1.0 : 0.0;
        })) {
        g->sSegnoInCoda = parolaDelleUnita(g->distinti);
        if (mUnitaConParola.insert({g->a, g->b}).second)
            Voce(Ambito::Campo, "Scatti",
                 Dove(g->a, g->b) + ": un conteggio seguito da \"" + g->sSegnoInCoda +
                     "\" su ogni chiamata (" + *g->distinti.begin() +
                     "): sono gli scatti, la parola tolta prima di leggerli (SOSTITUISCI)",
                 false,
                 !righe.empty() && righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E',
                 "lScatti", g->a, g->b);
    }
    // A cost (0.35, $11.20): the pulses field, read as a currency.
    if (Segmento* g = prendi("lScatti", [&](const Segmento& g) {
            size_t valuta = 0;
            for (const auto& v : g.distinti) {
                const size_t punto = v.find_first_of(".,");
                const size_t inizio = !v.empty() && v.front() == '$' ? 1 : 0;
                bool va = punto != std::string::npos && punto > inizio && v.size() - punto == 3;
                for (size_t i = inizio; i < v.size() && va; ++i) va = i == punto || Cifra(v[i]);
                valuta += va;
            }
            const bool nome = HaParola(
                g.sIntestazione, {"COST", "CHARGE", "IMPORT", "AMOUNT", "TARIF", "ADDEB", "COSTO"});
            if (valuta != g.distinti.size()) return 0.0;
            // A heading that names the cost decides; one that names something else rules out.
            return nome ? 2.0 : g.sIntestazione.empty() && g.distinti.size() >= 2 ? 1.0 : 0.0;
        }))
        g->bValuta = true;
    prendi("lScatti", [&](const Segmento& g) { return ScattiDallaDurata(g, righe) ? 1.0 : 0.0; });
    Segmento* conto = prendi("sCommessa", [&](const Segmento& g) {
        // An account before an authorisation code or a PIN.
        if (HaParola(g.sIntestazione, {"ACC", "ACCOUNT", "COMMESSA", "ACCT", "PROJ"})) return 10.0;
        if (HaParola(IntestazioneADestra(g, mvSegmenti), {"ACCOUNT", "COMMESSA", "ACCT"}))
            return 10.0;
        if (HaParola(g.sIntestazione, {"CODE", "AUTH", "PIN"})) return 8.0;
        return 0.0;
    });
    if (conto && conto->sIntestazione.empty())
        conto->sIntestazione = IntestazioneADestra(*conto, mvSegmenti);
    // Without a heading: digits alone at the end of the line, on some calls and blank on the
    // others (a code keyed in only when the user must), left over by the other fields.
    const Segmento* commessa = prendi("sCommessa", [&](const Segmento& g) {
        if (mbSeparati || !g.sIntestazione.empty() || g.iIntere < g.iPieni || g.iPieni >= n ||
            g.iLunghezzaMax < 4 || crescenti(g))
            return 0.0;
        for (const auto& k : mvSegmenti)
            if (k.a > g.a && k.iPieni > 0) return 0.0;
        return 1.0;
    });
    if (commessa && mCommesse.insert({commessa->a, commessa->b}).second)
        Voce(Ambito::Campo, "Commessa",
             Dove(commessa->a, commessa->b) + ": solo cifre in fondo alla riga, su " +
                 Num(static_cast<long long>(commessa->iPieni)) + " chiamate su " +
                 Num(static_cast<long long>(n)) +
                 " e vuote sulle altre, senza intestazione: proposte come codice di commessa, "
                 "che si batte solo quando serve",
             true, false, "sCommessa", commessa->a, commessa->b);
    return mvSegmenti;
}

// A count left over on both kinds, printed on every call, zero on every call of one kind and
// above zero on some of the other: only outgoing calls are charged, so zero on every incoming
// call makes it the pulses; only incoming calls ring before an answer, so zero on every
// outgoing call makes it the ringing time in seconds. Two values above zero at least: a mark
// of 0 and 1 is no count.
void Proponitore::ZeroSuUnTipo() {
    std::vector<size_t> tipi[2];  // [1] incoming
    for (size_t r : mvChiamate) tipi[mvTipo[r] == 'E'].push_back(r);
    if (tipi[0].size() < 2 || tipi[1].size() < 2) return;
    const std::vector<Segmento> segmenti[2] = {Segmenti(tipi[0]), Segmenti(tipi[1])};
    bool scatti = false, squillo = FormatoSecondi() == mvFormati.size();
    for (const auto& t : mvTempi) squillo |= t.sCampo == "dRisposta";
    for (const auto& k : segmenti)
        for (const auto& g : k) scatti |= g.sRuolo == "lScatti";
    for (const Segmento& g : segmenti[1]) {
        if (g.sRuolo == "-" || (scatti && squillo)) continue;
        if (std::none_of(segmenti[0].begin(), segmenti[0].end(), [&](const Segmento& k) {
                return k.sRuolo != "-" && k.a == g.a && k.b == g.b;
            }))
            continue;
        size_t pieni[2] = {0, 0};  // above zero; [1] incoming
        std::set<int> valori;      // above zero
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            va &= !v.empty() && v.size() <= 5 && std::all_of(v.begin(), v.end(), Cifra);
            if (!va) break;
            pieni[mvTipo[r] == 'E'] += std::stoi(v) > 0;
            if (std::stoi(v) > 0) valori.insert(std::stoi(v));
        }
        if (!va || (pieni[0] == 0) == (pieni[1] == 0) || valori.size() < 2) continue;
        const bool risposta = pieni[0] == 0;
        if (risposta ? squillo : scatti) continue;
        std::set<size_t> righe;
        for (size_t r : tipi[risposta])
            if (std::stoi(std::string(TogliSpazi(Testo(r, g.a, g.b)))) > 0) righe.insert(r);
        if (risposta) {
            mvTempi.push_back({Conteggi(g.a, g.b, FormatoSecondi()), "dRisposta", false, {}});
            mvOccupate.emplace_back(g.a, g.b);
            squillo = true;
        } else {
            mScattiZero.insert({g.a, g.b});
            scatti = true;
        }
        Voce(Ambito::Campo, risposta ? "Durata squillo" : "Scatti",
             Dove(g.a, g.b) + ": numeri interi su ogni chiamata, zero su tutte le " +
                 (risposta ? "uscenti" : "entranti") + " e sopra zero su " +
                 Num(static_cast<long long>(pieni[risposta])) +
                 (risposta ? " entranti (" : " uscenti (") + PrimiTesti(righe, g.a, g.b) + ")" +
                 (risposta ? ": solo le entranti squillano prima della risposta, \xE8 il tempo "
                             "di risposta in secondi"
                           : ": solo le uscenti si pagano, sono gli scatti"),
             true, risposta, risposta ? "dRisposta" : "lScatti", g.a, g.b);
    }
}

// The number's column of one kind holding, on the other kind, numbers (six digits or more)
// on some calls and one word on the others (no number to print): the number there too, its
// digits alone, so the word reads as blank and the field is optional.
void Proponitore::NumeroOParola() {
    for (const bool verso : {true, false}) {
        auto& da = mSegmenti[!verso];
        auto& a = mSegmenti[verso];
        const auto numero = std::find_if(da.begin(), da.end(),
                                         [](const Segmento& g) { return g.sRuolo == "sNumero"; });
        if (numero == da.end() || std::any_of(a.begin(), a.end(), [](const Segmento& g) {
                return g.sRuolo == "sNumero";
            }))
            continue;
        for (Segmento& g : a) {
            if (!g.sRuolo.empty() || !Sovrapposti(g.a, g.b, numero->a, numero->b)) continue;
            std::set<std::string> parole;
            size_t numeri = 0;
            bool altro = false;
            for (const auto& v : g.distinti) {
                if (v.size() >= 6 && std::all_of(v.begin(), v.end(), Cifra))
                    ++numeri;
                else if (std::all_of(v.begin(), v.end(), Lettera))
                    parole.insert(v);
                else
                    altro = true;
            }
            if (altro || numeri < 2 || parole.size() != 1) continue;
            g.sRuolo = "sNumero";
            g.bDecorato = true;
            Voce(Ambito::Campo, "Numero o parola",
                 Dove(g.a, g.b) + ": il numero sulle " + (verso ? "uscenti" : "entranti") +
                     "; sulle " + (verso ? "entranti" : "uscenti") + " numeri (" +
                     Num(static_cast<long long>(numeri)) + ") e \"" + *parole.begin() +
                     "\" dove non c'\xE8 un numero: il numero, di sole cifre, vuoto dove sta "
                     "la parola",
                 true, verso, "sNumero", g.a, g.b);
            break;
        }
    }
}

// Every call names the extension it is charged to; a trunk may be left out. Without any other
// extension, the short column of whole numbers (one or two digits, on every call, under no
// heading naming a trunk) taken for the trunk is the extension (a port of the exchange).
void Proponitore::PortaComeDerivato(Segmento& g, const std::vector<size_t>& righe) {
    if (g.iPieni != righe.size() || g.iIntere != g.iPieni || g.iLunghezzaMax > 2 ||
        g.distinti.size() < 2 || !g.sIntestazione.empty())
        return;
    g.sRuolo = "sDerivato";
    if (!mPorte.insert({g.a, g.b}).second) return;
    const bool entranti = righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E';
    Voce(Ambito::Campo, "Derivato",
         Dove(g.a, g.b) + ": numeri di una o due cifre su ogni chiamata (" +
             PrimiTesti({righe.begin(), righe.end()}, g.a, g.b) +
             ") e nessun'altra colonna da derivato: ogni chiamata nomina il derivato che la "
             "paga, la linea pu\xF2 mancare; proposti come derivato (la porta), altrimenti la "
             "linea",
         true, entranti, "sDerivato", g.a, g.b);
}

// A count of whole numbers beside a cost with decimals that is the count times one price on
// most calls (0.12 for each unit): the count is the pulses and the cost their price, no field
// of its own (the pulses are priced by the rates).
void Proponitore::ScattiDelCosto(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    const auto centesimi = [](std::string_view v) -> long long {
        const size_t p = v.find_first_of(".,");
        if (p == std::string_view::npos || p == 0 || v.size() - p != 3) return -1;
        long long c = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            if (i == p) continue;
            if (!Cifra(v[i]) || c > 1000000000) return -1;
            c = c * 10 + (v[i] - '0');
        }
        return c;
    };
    for (Segmento& u : segmenti) {
        // A unit's letter after every count (00004e) is no part of it.
        const char coda = LetteraInCoda(u.distinti);
        // A mark of letters where no count was sent (n.v.), on calls never charged.
        std::string manca;
        for (const auto& v : u.distinti)
            if (!coda && v.size() <= 4 && std::none_of(v.begin(), v.end(), Cifra) &&
                std::any_of(v.begin(), v.end(), Lettera))
                manca = manca.empty() ? v : "-";
        const bool intere = u.distinti.size() > 2 && !manca.empty() && manca != "-" &&
                            std::all_of(u.distinti.begin(), u.distinti.end(), [&](const auto& v) {
                                return v == manca || std::all_of(v.begin(), v.end(), Cifra);
                            });
        if (!intere) manca.clear();
        if (!u.sRuolo.empty() || u.iPieni != righe.size() ||
            (u.iIntere != u.iPieni && !coda && !intere) || u.iLunghezzaMax > (coda ? 6u : 5u) ||
            u.distinti.size() < 2)
            continue;
        for (Segmento& c : segmenti) {
            if (&c == &u || !c.sRuolo.empty() || c.iPieni != righe.size()) continue;
            std::map<long long, size_t> prezzi;  // in hundredths of a cent, by call
            size_t contate = 0;
            bool va = true;
            for (size_t r : righe) {
                std::string t(TogliSpazi(Testo(r, u.a, u.b)));
                if (coda) t.pop_back();
                if (!manca.empty() && t == manca) {
                    va = centesimi(TogliSpazi(Testo(r, c.a, c.b))) == 0;
                    if (!va) break;
                    continue;
                }
                va = !t.empty() && t.size() <= 5 && std::all_of(t.begin(), t.end(), Cifra);
                if (!va) break;
                const long long k = std::stoll(t);
                const long long x = centesimi(TogliSpazi(Testo(r, c.a, c.b)));
                va &= x >= 0 && (k > 0 || x == 0);
                if (!va) break;
                if (k == 0) continue;
                ++contate;
                ++prezzi[x * 100 / k];
            }
            if (!va || contate < 3) continue;
            const auto prezzo =
                std::max_element(prezzi.begin(), prezzi.end(),
                                 [](const auto& x, const auto& y) { return x.second < y.second; });
            if (prezzo->first == 0 || prezzo->second * 4 < contate * 3) continue;
            u.sRuolo = "lScatti";
            if (coda) u.sSegnoInCoda = std::string(1, coda);
            if (!manca.empty()) u.sSegnoInCoda = manca;
            c.sRuolo = "-";
            if (!mScattiCosto.insert({u.a, u.b}).second) return;
            const bool entranti = righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E';
            char prezzoTesto[32];
            std::snprintf(prezzoTesto, sizeof prezzoTesto, "%.4g",
                          static_cast<double>(prezzo->first) / 10000.0);
            Voce(Ambito::Campo, "Scatti e costo",
                 Dove(u.a, u.b) + ": numeri interi (" +
                     PrimiTesti({righe.begin(), righe.end()}, u.a, u.b) + ") e " + Dove(c.a, c.b) +
                     " un costo (" + PrimiTesti({righe.begin(), righe.end()}, c.a, c.b) +
                     ") che vale " + prezzoTesto + " per ognuno su " +
                     Num(static_cast<long long>(prezzo->second)) + " chiamate su " +
                     Num(static_cast<long long>(contate)) +
                     ": i primi sono gli scatti, il costo \xE8 il loro prezzo e non un campo",
                 false, entranti, "lScatti", u.a, u.b);
            return;
        }
    }
}

void Proponitore::ScegliSegmenti() {
    std::vector<size_t> entranti, uscenti;
    for (size_t r : mvChiamate) (mvTipo[r] == 'E' ? entranti : uscenti).push_back(r);
    // Each kind on its own lines: incoming and outgoing records may print their number (or
    // everything) in other columns.
    if (!entranti.empty()) mSegmenti[true] = Segmenti(entranti);
    if (!uscenti.empty()) mSegmenti[false] = Segmenti(uscenti);
    InternoAssente(true);
    InternoAssente(false);
    ScattiSenzaNome(true);
    ScattiSenzaNome(false);
    if (!entranti.empty()) LineaDelCanale(mSegmenti[true], entranti);
    if (!uscenti.empty()) LineaDelCanale(mSegmenti[false], uscenti);
    if (!entranti.empty() && !uscenti.empty()) {
        CampiDellAltroTipo(true);
        CampiDellAltroTipo(false);
        RuoliDelTipoMaggiore(entranti.size(), uscenti.size());
        // A column that move set free may hold the other kind's field.
        CampiDellAltroTipo(true);
        CampiDellAltroTipo(false);
        InternoCheChiama(true);
        InternoCheChiama(false);
        InternoNelCanale(true);
        InternoNelCanale(false);
    }
}

// The phones that take calls also make them: where a kind's extension column holds numbers no
// call of the other kind is charged to (a group or a queue that rang first: 80002), and another
// column of that kind holds on every call an extension of the other kind, that one names the
// extension that took the call (of several, the one most often the same as the first).
void Proponitore::InternoCheChiama(bool bEntranti) {
    auto& mie = mSegmenti[bEntranti];
    const auto& altre = mSegmenti[!bEntranti];
    const auto interno = [](auto& v) {
        return std::find_if(v.begin(), v.end(),
                            [](const Segmento& g) { return g.sRuolo == "sDerivato"; });
    };
    const auto g = interno(mie);
    const auto x = interno(altre);
    if (g == mie.end() || x == altre.end() || !g->sEtichetta.empty()) return;
    const auto dentro = [&](const std::set<std::string>& valori) {
        return std::all_of(valori.begin(), valori.end(),
                           [&](const std::string& v) { return x->distinti.count(v) > 0; });
    };
    if (dentro(g->distinti)) return;
    std::vector<size_t> righe;
    for (size_t r : mvChiamate)
        if ((mvTipo[r] == 'E') == bEntranti) righe.push_back(r);
    Segmento* h = nullptr;
    size_t uguali = 0;
    for (Segmento& k : mie) {
        if (&k == &*g || !k.sRuolo.empty() || k.iPieni != righe.size() || k.iIntere != k.iPieni ||
            k.distinti.size() < 2 || !dentro(k.distinti))
            continue;
        size_t u = 0;
        for (size_t r : righe)
            u += TogliSpazi(Testo(r, k.a, k.b)) == TogliSpazi(Testo(r, g->a, g->b));
        if (!h || u > uguali) h = &k, uguali = u;
    }
    if (!h) return;
    std::string fuori;
    for (const auto& v : g->distinti)
        if (!x->distinti.count(v)) fuori += (fuori.empty() ? "" : ", ") + v;
    Voce(Ambito::Campo, "Derivato",
         Dove(g->a, g->b) + " ha " + fuori + ", che nessuna chiamata " +
             (bEntranti ? "uscente" : "entrante") +
             " ha per derivato (un gruppo che ha squillato prima, o la linea); " +
             Dove(h->a, h->b) + " ha su ogni chiamata un derivato delle " +
             (bEntranti ? "uscenti" : "entranti") + " (uguale all'altra colonna " +
             Num(static_cast<long long>(uguali)) + " volte su " +
             Num(static_cast<long long>(righe.size())) +
             "): \xE8 il derivato che ha preso la chiamata",
         true, bEntranti, "sDerivato", h->a, h->b);
    h->sRuolo = "sDerivato";
    g->sRuolo.clear();
    // The column given up holding only the other kind's trunks, where this kind's trunk column
    // holds others, is the trunk.
    const auto l = std::find_if(mie.begin(), mie.end(),
                                [](const Segmento& k) { return k.sRuolo == "sLinea"; });
    const auto y = std::find_if(altre.begin(), altre.end(),
                                [](const Segmento& k) { return k.sRuolo == "sLinea"; });
    const auto linee = [&](const std::set<std::string>& valori) {
        return std::all_of(valori.begin(), valori.end(),
                           [&](const std::string& v) { return y->distinti.count(v) > 0; });
    };
    if (l == mie.end() || y == altre.end() || linee(l->distinti) || !linee(g->distinti)) return;
    Voce(Ambito::Campo, "Linea",
         Dove(g->a, g->b) + " ha solo linee delle " + (bEntranti ? "uscenti" : "entranti") + ", " +
             Dove(l->a, l->b) + " anche altri valori: la linea \xE8 la prima",
         true, bEntranti, "sLinea", g->a, g->b);
    l->sRuolo.clear();
    g->sRuolo = "sLinea";
}

// The kinds print the extension and the trunk at the same columns: where the kind of fewer
// calls took them at other columns (an extension column holding a word on one call, such as
// the operator, lost to a trunk column of digits), the columns of the kind of more calls are
// taken on it too, when they hold values of the same sort there (digits, letters) on three
// calls in four.
void Proponitore::RuoliDelTipoMaggiore(size_t iEntranti, size_t iUscenti) {
    // Party type letters tell the roles on each kind by themselves.
    if (iEntranti == iUscenti || !mLettereParte.empty()) return;
    const bool grande = iEntranti > iUscenti;
    // Letters as printed (T9001 is no E201), a run of digits as one sign, and how many digits.
    const auto forma = [](const std::string& v) {
        std::string f;
        for (char c : v)
            if (!Cifra(c) || f.empty() || f.back() != '9') f += Cifra(c) ? '9' : c;
        return f;
    };
    const auto cifre = [](const std::string& v) {
        return static_cast<size_t>(std::count_if(v.begin(), v.end(), Cifra));
    };
    std::vector<Segmento>& da = mSegmenti[grande];
    std::vector<Segmento>& verso = mSegmenti[!grande];
    for (const char* ruolo : {"sDerivato", "sLinea"}) {
        const auto g = std::find_if(da.begin(), da.end(),
                                    [&](const Segmento& x) { return x.sRuolo == ruolo; });
        if (g == da.end()) continue;
        std::set<std::string> forme;
        size_t minime = 99, massime = 0;
        for (const auto& v : g->distinti) {
            forme.insert(forma(v));
            minime = std::min(minime, cifre(v));
            massime = std::max(massime, cifre(v));
        }
        for (Segmento& k : verso) {
            if (k.sRuolo == ruolo || !Sovrapposti(g->a, g->b, k.a, k.b)) continue;
            if (!k.sRuolo.empty() && k.sRuolo != "sDerivato" && k.sRuolo != "sLinea") break;
            size_t simili = 0, righe = 0;
            for (size_t r : mvChiamate) {
                if ((mvTipo[r] == 'E') == grande) continue;
                const std::string v(TogliSpazi(Testo(r, k.a, k.b)));
                if (v.empty()) continue;
                ++righe;
                simili +=
                    forme.count(forma(v)) && cifre(v) + 1 >= minime && cifre(v) <= massime + 1;
            }
            if (righe < 2 || simili * 4 < righe * 3) continue;
            // The kind's own column for the field holds more of the very values the other
            // kind reads there (the same trunks named): it stays, and this one is rather a
            // placeholder (undef) the other kind prints too.
            const auto propria = std::find_if(verso.begin(), verso.end(), [&](const Segmento& x) {
                return x.sRuolo == ruolo && x.distinti.size() > k.distinti.size() &&
                       std::all_of(x.distinti.begin(), x.distinti.end(),
                                   [&](const std::string& v) { return g->distinti.count(v); });
            });
            if (propria != verso.end()) break;
            for (Segmento& x : verso)
                if (x.sRuolo == ruolo) x.sRuolo.clear();
            k.sRuolo = ruolo;
            k.sEtichetta = StessaEtichetta(g->sEtichetta, k.distinti);
            Voce(Ambito::Campo, "Come sull'altro tipo",
                 Dove(k.a, k.b) + ": sulle " + (grande ? "entranti" : "uscenti") +
                     ", pi\xF9 "
                     "numerose, \xE8 il campo " +
                     (std::string(ruolo) == "sDerivato" ? "interno" : "linea") + " e sulle " +
                     (grande ? "uscenti" : "entranti") + " ha valori dello stesso genere (" +
                     Num(static_cast<long long>(simili)) + " su " +
                     Num(static_cast<long long>(righe)) +
                     "): i due tipi stampano i campi alle stesse colonne",
                 true, !grande, ruolo, k.a, k.b);
            break;
        }
    }
}

// A field found on one kind's lines and not on the other's (an extension, a trunk, a cost, an
// account code: incoming and outgoing records print them alike) is the same field on the
// other kind where its column there holds values of the same shape on three lines in four
// (digits and letters alike, of the lengths the first kind prints): a cost of 0.00 on every
// incoming call, or an extension column where one record prints a longer number, tells too
// little on its own.
void Proponitore::CampiDellAltroTipo(bool bVersoEntranti) {
    const auto forma = [](const std::string& v) {
        std::string f = v;
        for (char& c : f) c = Cifra(c) ? '9' : Lettera(c) ? 'A' : c;
        return f;
    };
    std::vector<Segmento>& da = mSegmenti[!bVersoEntranti];
    std::vector<Segmento>& verso = mSegmenti[bVersoEntranti];
    for (const Segmento& g : da) {
        if (g.sRuolo != "sDerivato" && g.sRuolo != "sLinea" && g.sRuolo != "lScatti" &&
            g.sRuolo != "sCommessa")
            continue;
        if (std::any_of(verso.begin(), verso.end(),
                        [&](const Segmento& k) { return k.sRuolo == g.sRuolo; }))
            continue;
        std::set<std::string> forme;
        for (const auto& v : g.distinti) forme.insert(forma(v));
        for (Segmento& k : verso) {
            if (!k.sRuolo.empty() || k.iPieni < 2 || !Sovrapposti(g.a, g.b, k.a, k.b)) continue;
            size_t simili = 0, righe = 0;
            for (size_t r : mvChiamate) {
                if ((mvTipo[r] == 'E') != bVersoEntranti) continue;
                const std::string v(TogliSpazi(Testo(r, k.a, k.b)));
                if (v.empty()) continue;
                ++righe;
                simili += forme.count(forma(v));
            }
            if (simili * 4 < righe * 3) continue;
            k.sRuolo = g.sRuolo;
            k.bValuta = g.bValuta;
            k.sEtichetta = StessaEtichetta(g.sEtichetta, k.distinti);
            if (g.sRuolo == "lScatti") k.sSegnoInCoda = g.sSegnoInCoda;
            std::string nome = g.sRuolo;
            for (int i = 0; i < NUM_NOMI_CAMPI; ++i)
                if (g.sRuolo == NomiCampi()[i].sNome) nome = NomiCampi()[i].sDidascalia;
            Voce(Ambito::Campo, "Come sull'altro tipo",
                 Dove(k.a, k.b) + ": sulle " + (bVersoEntranti ? "uscenti" : "entranti") +
                     " \xE8 il campo " + nome + " e sulle " +
                     (bVersoEntranti ? "entranti" : "uscenti") + " ha valori della stessa forma (" +
                     Num(static_cast<long long>(simili)) + " su " +
                     Num(static_cast<long long>(righe)) + "): lo stesso campo",
                 true, bVersoEntranti, g.sRuolo, k.a, k.b);
            break;
        }
    }
}

// A channel's name (technology / party - sequence: SIP/voiptrunk-00000a20) that names the same
// party by a word on most calls of a kind, an extension's digits on the others (an internal
// call), names the trunk: that word is the line, unless a column named so or of T and digits
// is one already.
void Proponitore::LineaDelCanale(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    for (const auto& g : segmenti)
        if (g.sRuolo == "sLinea" &&
            (HaParola(g.sIntestazione, {"TRUNK", "TRK", "LINE", "LINEA", "ROUTE", "CO", "EXCH"}) ||
             QuotaGiunzioni(g, righe) * 3 >= 2))
            return;
    for (auto& g : segmenti) {
        if (!g.sRuolo.empty() || g.iPieni * 10 < righe.size() * 8) continue;
        std::map<std::string, size_t> nomi;
        size_t inizio = 0, canali = 0;
        bool stessoInizio = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, g.a, g.b);
            const size_t barra = t.find('/');
            const size_t trattino = barra == std::string::npos ? barra : t.find('-', barra);
            if (trattino == std::string::npos || barra == 0 || trattino == barra + 1 ||
                !std::all_of(t.begin(), t.begin() + static_cast<long>(barra), Lettera))
                continue;
            ++canali;
            if (canali == 1) inizio = barra + 1;
            stessoInizio &= inizio == barra + 1;
            ++nomi[t.substr(barra + 1, trattino - barra - 1)];
        }
        if (canali < g.iPieni || !stessoInizio || nomi.empty()) continue;
        const auto piu =
            std::max_element(nomi.begin(), nomi.end(),
                             [](const auto& x, const auto& y) { return x.second < y.second; });
        const std::string& nome = piu->first;
        const bool altriInterni = std::all_of(nomi.begin(), nomi.end(), [&](const auto& v) {
            return v.first == nome || std::all_of(v.first.begin(), v.first.end(), Cifra);
        });
        if (piu->second * 3 < canali * 2 || !altriInterni ||
            std::none_of(nome.begin(), nome.end(), Lettera))
            continue;
        for (auto& k : segmenti)
            if (k.sRuolo == "sLinea") k.sRuolo.clear();
        Segmento linea = g;
        linea.a = g.a + static_cast<int>(inizio);
        linea.b = linea.a + static_cast<int>(nome.size());
        linea.sRuolo = "sLinea";
        linea.bEsatto = true;
        linea.distinti = {nome};
        linea.iPieni = piu->second;
        Voce(Ambito::Campo, "Linea",
             Dove(g.a, g.b) + ": il nome di un canale (" +
                 std::string(TogliSpazi(Testo(righe.front(), g.a, g.b))) + ") nomina \"" + nome +
                 "\" su " + Num(static_cast<long long>(piu->second)) + " chiamate su " +
                 Num(static_cast<long long>(righe.size())) +
                 (piu->second < canali ? " e un interno sulle altre" : "") +
                 ": \xE8 la linea, letta nei suoi caratteri",
             true, mvTipo[righe.front()] == 'E', "sLinea", linea.a, linea.b);
        segmenti.push_back(std::move(linea));
        return;
    }
}

// A value of fixed width (digits, or a letter and digits: 2241, T162) that some call lines
// follow with other signs glued to it (T162*003, 2241T2215, T105C2201) and others with a blank
// is a field of its own: what is glued after it (a mark, a third party, a time to answer)
// starts another. Signs that stand inside numbers (- . , : / brackets) glue nothing.
std::set<int> Proponitore::TagliIncollati(const std::vector<size_t>& righe,
                                          const std::vector<size_t>& pieni) const {
    std::set<int> tagli;
    const int larghezza = static_cast<int>(pieni.size()) - 1;
    for (int x = 0; x < larghezza;) {
        if (!pieni[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        int y = x;
        while (y < larghezza && pieni[static_cast<size_t>(y)]) ++y;
        int inizio = -1, testa = -1;
        size_t incollati = 0, soli = 0;
        bool va = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, x, y);
            const size_t i = t.find_first_not_of(' ');
            if (i == std::string::npos) continue;
            size_t j = i + (t[i] == 'T' ? 1 : 0);
            const size_t cifre = j;
            while (j < t.size() && Cifra(t[j])) ++j;
            if (j - cifre < 2 || (inizio >= 0 && (static_cast<int>(i) != inizio ||
                                                  static_cast<int>(j - i) != testa))) {
                va = false;
                break;
            }
            inizio = static_cast<int>(i), testa = static_cast<int>(j - i);
            if (j == t.size() || t[j] == ' ')
                ++soli;
            else if (std::string_view("-.,:/()").find(t[j]) == std::string_view::npos &&
                     !Cifra(t[j]))
                ++incollati;
            else
                va = false;
        }
        if (va && incollati > 0 && soli > 0) tagli.insert(x + inizio + testa);
        x = y;
    }
    return tagli;
}

// With the parties swapped, each kind's extension and trunk are where the swap put them,
// whatever their values look like.
void Proponitore::RuoliDaScambio() {
    if (miScambioA >= 0) RuoliScambiati(miScambioA, miScambioB, "sLinea");
}

// The last column of a kind's lines, digits on a few of its calls only and blank on the
// others, after every field found: what the caller keyed in on some calls, an account code.
void Proponitore::CommessaInFondo() {
    for (auto& [bEntrante, segmenti] : mSegmenti) {
        size_t righe = 0;
        for (size_t r : mvChiamate) righe += (mvTipo[r] == 'E') == bEntrante;
        // The number right after a glued transfer mark is the third party: a free field.
        for (auto& g : segmenti)
            if (miTrasfB >= 0 && g.a == miTrasfB && g.sRuolo.empty() && g.iIntere == g.iPieni) {
                g.sRuolo = "sCampo1";
                Voce(Ambito::Campo, "Terzo interlocutore",
                     Dove(g.a, g.b) + ": il numero attaccato al segno in " +
                         Dove(miTrasfA, miTrasfB) + " (" + *g.distinti.begin() +
                         "): il terzo interlocutore, nel campo libero 1",
                     false, bEntrante, "sCampo1", g.a, g.b);
            }
        if (righe < 4 || segmenti.empty()) continue;
        bool commessa = false;
        for (const auto& g : segmenti) commessa |= g.sRuolo == "sCommessa";
        Segmento& g =
            *std::max_element(segmenti.begin(), segmenti.end(),
                              [](const Segmento& x, const Segmento& y) { return x.a < y.a; });
        if (commessa || !g.sRuolo.empty() || g.iPieni == 0 || g.iPieni * 2 >= righe ||
            g.iIntere < g.iPieni || g.iLunghezzaMax < 4 || g.iLunghezzaMax > 12)
            continue;
        g.sRuolo = "sCommessa";
        std::string esempi;
        for (const auto& v : g.distinti) esempi += (esempi.empty() ? "" : ", ") + v;
        Voce(Ambito::Campo, "Commessa",
             Dove(g.a, g.b) + ": l'ultima colonna, cifre su " +
                 Num(static_cast<long long>(g.iPieni)) +
                 (bEntrante ? " entranti su " : " uscenti su ") +
                 Num(static_cast<long long>(righe)) + " (" + esempi +
                 ") e vuota sulle altre, dopo ogni altro campo: un codice battuto su alcune "
                 "chiamate, proposto come commessa",
             true, bEntrante, "sCommessa", g.a, g.b);
    }
}

}  // namespace tarno::proposta

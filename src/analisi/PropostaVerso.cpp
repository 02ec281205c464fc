#include "analisi/PropostaInterna.h"

// Incoming and outgoing told by a column of short words no vocabulary knows (ge/ko, G/K): what
// the calls of each word print elsewhere says which word is the incoming one.

namespace tarno::proposta {

namespace {

struct Parola {
    int a = 0;
    std::string t;
};

std::vector<Parola> ParoleDellaRiga(const std::string& s) {
    std::vector<Parola> v;
    for (const ParolaDiRiga& p : ParoleDiRiga(s))
        v.push_back({static_cast<int>(p.iInizio), std::string(p.sTesto)});
    return v;
}

// A telephone number: five digits or more, a + before them at most.
bool Numero(const std::string& t) {
    const size_t i = !t.empty() && t[0] == '+' ? 1 : 0;
    return t.size() >= i + 5 && std::all_of(t.begin() + static_cast<long>(i), t.end(), Cifra);
}

// An amount with two decimals (0,48  12.30) above zero.
bool Addebito(const std::string& t) {
    if (t.size() < 4 || (t[t.size() - 3] != ',' && t[t.size() - 3] != '.')) return false;
    if (!Cifra(t[t.size() - 1]) || !Cifra(t[t.size() - 2])) return false;
    const std::string_view intera(t.data(), t.size() - 3);
    if (intera.empty() || !std::all_of(intera.begin(), intera.end(), Cifra)) return false;
    return std::any_of(t.begin(), t.end(), [](char c) { return c >= '1' && c <= '9'; });
}

bool Importo(const std::string& t) {
    return t.size() >= 4 && (t[t.size() - 3] == ',' || t[t.size() - 3] == '.') &&
           Cifra(t[t.size() - 1]) && Cifra(t[t.size() - 2]) && Cifra(t[t.size() - 4]);
}

}  // namespace

// A column of one to three letters on every call, two words, each on two calls or more, that
// no vocabulary names: the word of the incoming calls is told by what its calls print.
// - Two numbers on a line (caller, then called): the one printed on other calls too is our
//   own; calls that print it second were called from outside (incoming), those that print it
//   first called out.
// - A word where the other calls print the caller's number (a number withheld: "unknown").
// - Never an amount above zero on the calls of one word, some on the other's: charges are
//   made on outgoing calls.
// The evidence must agree; the proposal is uncertain, as no code names the kinds.
std::optional<std::pair<int, std::map<std::string, char>>> Proponitore::DirezioneDaParole(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    if (n < 4) return std::nullopt;
    std::map<size_t, std::vector<Parola>> parole;
    std::map<std::string, size_t> volte;  // each number, on how many calls
    std::map<int, size_t> inizi;          // columns where numbers start
    for (size_t r : mvChiamate) {
        auto& v = parole[r] = ParoleDellaRiga(mvRighe[r]);
        std::set<std::string> visti;
        for (const auto& p : v)
            if (Numero(p.t)) {
                if (visti.insert(p.t).second) ++volte[p.t];
                ++inizi[p.a];
            }
    }
    struct Prova {
        size_t primo = 0, secondo = 0, nascosti = 0, addebitate = 0, importi = 0, righe = 0;
    };
    std::optional<std::pair<int, std::map<std::string, char>>> scelta;
    size_t prove = 0;
    std::string perche;
    for (const auto& [col, valori] : colonne) {
        const int c = col;
        if (valori.size() != 2) continue;
        bool adatta = true;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) {
            adatta &= t.size() <= 3 && k >= 2 && std::all_of(t.begin(), t.end(), Lettera) &&
                      TipoDiCodice(t) == '?';
            pieni += k;
        }
        adatta &= !Occupata(c);
        // A line or two without the word may be no call (a message of the exchange).
        if (!adatta || pieni * 8 < n * 7) continue;
        std::map<std::string, Prova> per;
        for (size_t r : mvChiamate) {
            std::string codice;
            std::vector<const Parola*> numeri;
            bool nascosto = false, addebito = false, importo = false;
            for (const auto& p : parole[r]) {
                if (p.a == c) {
                    codice = p.t;
                    continue;
                }
                if (Numero(p.t)) numeri.push_back(&p);
                // A word of letters where most calls start a number.
                if (p.t.size() >= 4 && std::all_of(p.t.begin(), p.t.end(), Lettera) &&
                    inizi[p.a] * 2 >= n)
                    nascosto = true;
                addebito |= Addebito(p.t);
                importo |= Importo(p.t);
            }
            if (!valori.count(codice)) continue;
            Prova& q = per[codice];
            ++q.righe;
            q.nascosti += nascosto;
            q.addebitate += addebito;
            q.importi += importo;
            if (numeri.size() >= 2) {
                const bool nostro1 = volte[numeri[0]->t] >= 2, nostro2 = volte[numeri[1]->t] >= 2;
                q.primo += nostro1 && !nostro2;
                q.secondo += nostro2 && !nostro1;
            }
        }
        const std::string x = per.begin()->first, y = std::next(per.begin())->first;
        const Prova &px = per[x], &py = per[y];
        // Each piece of evidence names the incoming word, or none.
        std::vector<std::pair<std::string, std::string>> voti;
        if (px.secondo && !px.primo && py.primo && !py.secondo)
            voti.emplace_back(x, "");
        else if (py.secondo && !py.primo && px.primo && !px.secondo)
            voti.emplace_back(y, "");
        if (!voti.empty())
            voti.back().second =
                "dove una chiamata stampa due numeri, quello che torna su altre chiamate (il "
                "nostro) \xE8 il secondo sulle \"" +
                voti.back().first + "\", il primo sulle altre: le \"" + voti.back().first +
                "\" sono chiamate dall'esterno";
        if ((px.nascosti > 0) != (py.nascosti > 0))
            voti.emplace_back(px.nascosti ? x : y,
                              "dove le altre chiamate cominciano un numero, alcune \"" +
                                  (px.nascosti ? x : y) +
                                  "\" hanno una parola (il chiamante non disponibile)");
        if (px.importi == px.righe && py.importi == py.righe &&
            (px.addebitate == 0) != (py.addebitate == 0)) {
            const std::string& e = px.addebitate ? y : x;
            const size_t su = px.addebitate ? px.addebitate : py.addebitate;
            voti.emplace_back(
                e, "le \"" + e + "\" non hanno mai un importo sopra zero, le altre su " +
                       Num(static_cast<long long>(su)) + " chiamate: si addebitano le uscenti");
        }
        if (voti.empty()) continue;
        const bool concordi = std::all_of(voti.begin(), voti.end(),
                                          [&](const auto& v) { return v.first == voti[0].first; });
        if (!concordi || voti.size() <= prove) continue;
        prove = voti.size();
        const std::string& entrante = voti[0].first;
        const std::string& uscente = entrante == x ? y : x;
        scelta = std::make_pair(c, std::map<std::string, char>{{entrante, 'E'}, {uscente, 'U'}});
        perche.clear();
        for (const auto& v : voti) perche += (perche.empty() ? "" : "; ") + v.second;
        perche = Dove(c, c + static_cast<int>(std::max(x.size(), y.size()))) +
                 ": una parola breve su ogni chiamata, \"" + x + "\" o \"" + y +
                 "\", che nessun codice noto spiega; " + perche + ": \"" + entrante +
                 "\" entranti, \"" + uscente + "\" uscenti (non \xE8 certo)";
    }
    if (scelta) Voce(Ambito::Tipo, "Entranti e uscenti", perche, true);
    return scelta;
}

// Our own number beside the other party's: the column taken for the number prints one number
// on two calls or more (the line we call from or are called on), while another column prints
// a whole number of six digits or more (eight on average) on every call, a different one on
// each. The other
// party is the one that changes.
void Proponitore::NumeroNostro(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe) {
    const size_t n = righe.size();
    const auto scelto = std::find_if(segmenti.begin(), segmenti.end(),
                                     [](const Segmento& g) { return g.sRuolo == "sNumero"; });
    // Only once the kinds are known (the columns are looked at before too).
    if (n < 3 || scelto == segmenti.end() || mvTipo.size() != mvRighe.size()) return;
    // The numbers of the column, each on how many calls.
    std::map<std::string, size_t> volte;
    for (size_t r : righe) {
        const std::string t = Testo(r, scelto->a, scelto->b);
        for (size_t i = 0, j = 0; i < t.size(); i = j + 1) {
            j = i;
            while (j < t.size() && Cifra(t[j])) ++j;
            if (j - i >= 5) ++volte[t.substr(i, j - i)];
        }
    }
    const auto ripetuto =
        std::find_if(volte.begin(), volte.end(), [](const auto& v) { return v.second >= 2; });
    if (ripetuto == volte.end()) return;
    for (Segmento& h : segmenti) {
        if (&h == &*scelto || !h.sRuolo.empty() || h.iPieni != n || h.iIntere != n ||
            h.distinti.size() != n || h.dLunghezzaMedia < 8 ||
            std::any_of(h.distinti.begin(), h.distinti.end(),
                        [&](const std::string& v) { return v.size() < 6 || volte.count(v); }))
            continue;
        const bool entranti = mvTipo[righe.front()] == 'E';
        Voce(Ambito::Campo, "Numero",
             Dove(h.a, h.b) + ": un numero diverso su ogni chiamata " +
                 (entranti ? "entrante" : "uscente") + " (" + *h.distinti.begin() +
                 ", ...), mentre " + Dove(scelto->a, scelto->b) + " stampa " + ripetuto->first +
                 " su " + Num(static_cast<long long>(ripetuto->second)) +
                 " chiamate: quello \xE8 il nostro numero, l'altro interlocutore \xE8 questo",
             true, entranti, "sNumero", h.a, h.b);
        scelto->sRuolo.clear();
        h.sRuolo = "sNumero";
        return;
    }
}

// No code, but two columns of numbers (seven digits or more) that share the calls: each call
// prints its number in one of them and leaves the other blank (a few print none). A record
// names the caller before the called party, so the calls with the number in the earlier
// column are taken for incoming, unless the charges say otherwise: the calls never charged (an
// amount on every call, never above zero on theirs) are the incoming ones. The outgoing calls
// are those with text in their column: a call with no number at all was not dialled.
bool Proponitore::EntrantiDaDueNumeri() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    // Per column, the call lines that print a number over it.
    std::map<int, std::set<size_t>> coperte;
    std::set<size_t> addebitate;
    bool importi = true;
    for (size_t r : mvChiamate) {
        bool importo = false;
        for (const auto& p : ParoleDellaRiga(mvRighe[r])) {
            importo |= Importo(p.t);
            if (Addebito(p.t)) addebitate.insert(r);
            if (p.t.size() < 7 || !std::all_of(p.t.begin(), p.t.end(), Cifra)) continue;
            bool libero = true;
            for (const auto& [a, b] : mvOccupate)
                libero &= !Sovrapposti(a, b, p.a, p.a + static_cast<int>(p.t.size()));
            if (!libero) continue;
            for (int x = p.a; x < p.a + static_cast<int>(p.t.size()); ++x) coperte[x].insert(r);
        }
        importi &= importo;
    }
    const auto vuota = [&](int x, const std::set<size_t>& righe) {
        return std::all_of(righe.begin(), righe.end(), [&](size_t r) {
            return mvRighe[r].size() <= static_cast<size_t>(x) ||
                   mvRighe[r][static_cast<size_t>(x)] == ' ';
        });
    };
    const auto addebiti = [&](const std::set<size_t>& righe) {
        return static_cast<size_t>(std::count_if(righe.begin(), righe.end(),
                                                 [&](size_t r) { return addebitate.count(r); }));
    };
    // Each set of lines once, at the first column printing it.
    std::map<std::set<size_t>, int> insiemi;
    for (const auto& [x, righe] : coperte)
        if (righe.size() >= 2) insiemi.emplace(righe, x);
    std::optional<std::tuple<size_t, int, int>> meglio;  // calls with no number, x1, x2
    for (const auto& [prime, x1] : insiemi)
        for (const auto& [dopo, x2] : insiemi) {
            if (x2 <= x1 || prime.size() + dopo.size() > n) continue;
            std::set<size_t> entrambe;
            std::set_intersection(prime.begin(), prime.end(), dopo.begin(), dopo.end(),
                                  std::inserter(entrambe, entrambe.end()));
            const size_t nessuna = n - prime.size() - dopo.size();
            if (!entrambe.empty() || nessuna * 4 > n || !vuota(x1, dopo) || !vuota(x2, prime))
                continue;
            if (!meglio || nessuna < std::get<0>(*meglio)) meglio.emplace(nessuna, x1, x2);
        }
    if (!meglio) return false;
    const auto [nessuna, x1, x2] = *meglio;
    const std::set<size_t>&prime = coperte[x1], &dopo = coperte[x2];
    const size_t su1 = addebiti(prime), su2 = addebiti(dopo);
    const bool costo = importi && (su1 == 0) != (su2 == 0);
    const std::optional<bool> suonate = costo ? std::nullopt : PrimeSuonate(prime, dopo);
    const bool primeEntranti = costo ? su1 == 0 : suonate.value_or(true);
    // The outgoing side's column, blank on the incoming calls.
    const int x = primeEntranti ? x2 : x1;
    const std::set<size_t>& uscenti = primeEntranti ? dopo : prime;
    miFormaA = x;
    miFormaB = x + 1;
    mbFormaVuota = true;
    for (size_t r : mvChiamate)
        if (!uscenti.count(r)) mvTipo[r] = 'E';
    Voce(Ambito::Tipo, "Entranti e uscenti",
         "nessuna colonna di codici; una chiamata stampa il numero in " + Dove(x1, x1 + 1) + " (" +
             Num(static_cast<long long>(prime.size())) + " chiamate) o in " + Dove(x2, x2 + 1) +
             " (" + Num(static_cast<long long>(dopo.size())) + "), mai in entrambe" +
             (nessuna ? ", " + Num(static_cast<long long>(nessuna)) + " in nessuna"
                      : std::string()) +
             ": " +
             (costo ? "le une non hanno mai un importo sopra zero, le altre su " +
                          Num(static_cast<long long>(su1 + su2)) + ": si addebitano le uscenti"
              : suonate ? "solo le chiamate con il numero in " +
                              Dove(*suonate ? x1 : x2, (*suonate ? x1 : x2) + 1) +
                              " hanno un tempo di squillo: squillano le entranti"
                        : std::string("un record nomina il chiamante prima del chiamato")) +
             "; proposte uscenti le chiamate con il numero in " + Dove(x, x + 1) +
             ", le altre entranti (non \xE8 certo)",
         true);
    return true;
}
// A column of short codes no vocabulary knows, two to four values on every call, one of which
// marks calls lost before an answer: all of its calls last nothing and leave blank a column
// that every other call fills (the extension that answered). A call nobody answered rang in:
// that code is incoming. Of the other codes, the one whose calls alone share with the lost
// calls a name in letters (the caller's, sent with the number) is incoming too; without such a
// name the others are outgoing, and the proposal says it cannot tell.
std::optional<std::pair<int, std::map<std::string, char>>> Proponitore::DirezioneDallePerse(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    const auto durata = std::find_if(mvTempi.begin(), mvTempi.end(),
                                     [](const Tempo& t) { return t.sCampo == "dDurata"; });
    if (n < 4 || durata == mvTempi.end()) return std::nullopt;
    const auto nulla = [&](size_t r) {
        const std::string t = Testo(r, durata->c.a, durata->c.b);
        return std::none_of(t.begin(), t.end(), [](char c) { return c >= '1' && c <= '9'; });
    };
    const auto testo = [&](size_t r, int x) {
        return mvRighe[r].size() > static_cast<size_t>(x) &&
               mvRighe[r][static_cast<size_t>(x)] != ' ';
    };
    int larghezza = 0;
    for (size_t r : mvChiamate)
        larghezza = std::max(larghezza, static_cast<int>(mvRighe[r].size()));
    for (const auto& [col, valori] : colonne) {
        const int c = col;
        if (valori.size() < 2 || valori.size() > 4) continue;
        bool adatta = true;
        size_t pieni = 0, lungo = 0;
        for (const auto& [t, k] : valori) {
            adatta &=
                t.size() <= 3 && std::all_of(t.begin(), t.end(), Alnum) && TipoDiCodice(t) == '?';
            pieni += k;
            lungo = std::max(lungo, t.size());
        }
        adatta &= !Occupata(c);
        if (!adatta || pieni != n) continue;
        std::map<std::string, std::set<size_t>> righe;
        for (size_t r : mvChiamate)
            for (const auto& [t, k] : valori)
                if (mvRighe[r].compare(static_cast<size_t>(c), t.size(), t) == 0 &&
                    (mvRighe[r].size() == static_cast<size_t>(c) + t.size() ||
                     mvRighe[r][static_cast<size_t>(c) + t.size()] == ' '))
                    righe[t].insert(r);
        std::string persa;
        int vuota = -1;
        for (const auto& [t, righeDi] : righe) {
            // A lambda of the older compilers cannot capture a binding.
            const std::set<size_t>& su = righeDi;
            if (su.size() < 2 || !std::all_of(su.begin(), su.end(), nulla)) continue;
            for (int x = 0; x < larghezza && vuota < 0; ++x) {
                if (x >= c && x < c + static_cast<int>(lungo)) continue;
                const bool ok = std::all_of(mvChiamate.begin(), mvChiamate.end(),
                                            [&](size_t r) { return testo(r, x) != su.count(r); });
                if (ok) vuota = x;
            }
            if (vuota >= 0) {
                persa = t;
                break;
            }
        }
        if (persa.empty()) continue;
        const std::set<size_t>& perse = righe[persa];
        // Names: words of three letters or more where no call prints digits, on the lost calls
        // and on those of one other code only.
        std::string altra;
        std::map<int, std::set<size_t>> nomi;
        std::set<int> cifre;
        for (size_t r : mvChiamate)
            for (const auto& p : ParoleDellaRiga(mvRighe[r])) {
                if (std::any_of(p.t.begin(), p.t.end(), Cifra)) cifre.insert(p.a);
                if (p.t.size() >= 3 && std::all_of(p.t.begin(), p.t.end(), [](char k) {
                        return Lettera(k) || k == ',' || k == '.';
                    }))
                    nomi[p.a].insert(r);
            }
        std::set<size_t> conNome;
        int xNome = 0;
        for (const auto& [x, su] : nomi) {
            if (cifre.count(x) || su.size() * 2 > n) continue;
            std::set<std::string> codici;
            for (size_t r : su)
                for (const auto& [t, l] : righe)
                    if (l.count(r) && t != persa) codici.insert(t);
            const bool conPerse =
                std::any_of(su.begin(), su.end(), [&](size_t r) { return perse.count(r); });
            if (codici.size() == 1 && conPerse && righe.size() > 2) {
                altra = *codici.begin();
                conNome = su;
                xNome = x;
                break;
            }
        }
        std::set<size_t> altre;
        for (size_t r : mvChiamate)
            if (!perse.count(r)) altre.insert(r);
        // The first words standing at column x on the first lines given.
        const auto Parola1 = [&](const std::set<size_t>& su, int x) {
            std::string elenco;
            size_t k = 0;
            for (size_t r : su) {
                if (k++ == 3) break;
                for (const auto& p : ParoleDellaRiga(mvRighe[r]))
                    if (p.a == x) elenco += (elenco.empty() ? "" : ", ") + p.t;
            }
            return elenco;
        };
        std::map<std::string, char> tipi;
        for (const auto& [t, k] : valori) tipi[t] = t == persa || t == altra ? 'E' : 'U';
        std::string uscenti;
        for (const auto& [t, k] : tipi)
            if (k == 'U') uscenti += (uscenti.empty() ? "\"" : ", \"") + t + "\"";
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(c, c + static_cast<int>(lungo)) + ": un codice su ogni chiamata, che nessun " +
                 "codice noto spiega; le \"" + persa + "\" durano zero e lasciano vuota " +
                 Dove(vuota, vuota + 1) + ", che ogni altra chiamata riempie (" +
                 Parola1(altre, vuota) + "): nessuno ha risposto, sono entranti perse" +
                 (altra.empty() ? "; la stampa non dice quali altre chiamate sono entranti: " +
                                      uscenti + " proposte uscenti"
                                : "; un nome in lettere (" + Parola1(conNome, xNome) +
                                      ") sta solo su queste e sulle \"" + altra +
                                      "\" (il nome del chiamante): \"" + altra + "\" entranti, " +
                                      uscenti + " uscenti") +
                 " (non \xE8 certo)",
             true);
        return std::make_pair(c, std::move(tipi));
    }
    return std::nullopt;
}

// A duration of minutes and seconds each ended by its letter (003m25s, 62m09s) at one column
// on (nearly) every call, where no duration was found: the letters become a colon and nothing, and
// the value is read as hours and minutes ("h:mm", hours of any length) and divided by 60, since no
// format reads more than two digits of minutes.
void Proponitore::DurataMinutiLettere() {
    const size_t n = mvChiamate.size();
    if (n < 3 || mbSeparati || std::any_of(mvTempi.begin(), mvTempi.end(), [](const Tempo& t) {
            return t.sCampo == "dDurata";
        }))
        return;
    size_t hmm = mvFormati.size();
    for (size_t f = 0; f < mvFormati.size(); ++f)
        if (Maiusc(mvFormati[f].sTesto) == "H:MM") hmm = f;
    if (hmm == mvFormati.size()) return;
    // Minutes and seconds of a value, or nothing.
    const auto leggi = [](const std::string& t) -> std::optional<std::pair<long long, long long>> {
        size_t i = 0;
        while (i < t.size() && Cifra(t[i])) ++i;
        if (i == 0 || i > 4 || i + 3 > t.size() || (t[i] != 'm' && t[i] != 'M')) return {};
        const size_t j = i + 1;
        if (!Cifra(t[j]) || !Cifra(t[j + 1])) return {};
        const size_t fine = j + 2;
        if (fine != t.size() && !(fine + 1 == t.size() && (t[fine] == 's' || t[fine] == 'S')))
            return {};
        const long long secondi = std::stoll(t.substr(j, 2));
        if (secondi > 59) return {};
        return std::make_pair(std::stoll(t.substr(0, i)), secondi);
    };
    // The values by the column they start at, and by the one they end at (right-aligned).
    std::map<std::pair<int, bool>, std::vector<std::pair<size_t, const Parola*>>> perColonna;
    std::map<size_t, std::vector<Parola>> parole;
    for (size_t r : mvChiamate) {
        parole[r] = ParoleDellaRiga(mvRighe[r]);
        for (const auto& p : parole[r])
            if (leggi(p.t)) {
                perColonna[{p.a, false}].emplace_back(r, &p);
                perColonna[{p.a + static_cast<int>(p.t.size()), true}].emplace_back(r, &p);
            }
    }
    for (const auto& [dove, valori] : perColonna) {
        // A record of the system among the calls may print none.
        if (valori.size() * 8 < n * 7) continue;
        int a = dove.first, b = dove.first;
        for (const auto& [r, p] : valori) {
            a = std::min(a, p->a);
            b = std::max(b, p->a + static_cast<int>(p->t.size()));
        }
        bool libero = true;
        for (const auto& [x, y] : mvOccupate) libero &= !Sovrapposti(a, b, x, y);
        if (!libero) continue;
        Tempo t;
        t.sCampo = "dDurata";
        t.bSessantesimi = true;
        t.c.iFormato = hmm;
        t.c.a = a;
        t.c.b = b;
        t.c.bLettere = true;
        t.c.bDestra = dove.second;
        for (const auto& [r, p] : valori) {
            const auto ms = leggi(p->t);
            ValoreDataOra v;
            v.iOre = ms->first;
            v.iMinuti = ms->second;
            t.c.vValori.push_back({r, p->a, p->a + static_cast<int>(p->t.size()), v});
        }
        Voce(Ambito::Campo, "Durata",
             Dove(a, b) + ": minuti e secondi chiusi da una lettera su ogni chiamata (" +
                 valori.front().second->t +
                 "): le lettere diventano \":\" e niente (SOSTITUISCI), " +
                 "il valore \xE8 letto come \"" + mvFormati[hmm].sTesto +
                 "\" (ore di ogni lunghezza) e diviso per 60",
             false, false, "dDurata", a, b);
        mvOccupate.emplace_back(a, b);
        mvTempi.push_back(std::move(t));
        return;
    }
}

// No trunk found: a column beside the number that holds on every call of the kind a number of
// five digits or more, the same few numbers again and again (each on two calls or more), is
// our own line, the one called or calling out: the trunk, read as its digits alone.
void Proponitore::LineaNostra(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe) {
    const size_t n = righe.size();
    if (n < 4 || mvTipo.size() != mvRighe.size()) return;
    for (Segmento& g : segmenti) {
        if (!g.sRuolo.empty() || g.iPieni != n) continue;
        std::map<std::string, size_t> volte;
        for (size_t r : righe) {
            const std::string t = Testo(r, g.a, g.b);
            std::string numero;
            for (size_t i = 0, j = 0; i < t.size(); i = j + 1) {
                j = i;
                while (j < t.size() && Cifra(t[j])) ++j;
                if (j - i >= 5) numero = t.substr(i, j - i);
            }
            if (numero.empty()) break;
            ++volte[numero];
        }
        size_t tutte = 0;
        for (const auto& [v, k] : volte) tutte += k;
        if (tutte != n || volte.size() * 2 > n ||
            std::any_of(volte.begin(), volte.end(), [](const auto& v) { return v.second < 2; }))
            continue;
        g.sRuolo = "sLinea";
        const bool cifre = g.iIntere < g.iPieni;
        if (cifre) mLineeCifre.insert({g.a, g.b});
        const bool entranti = mvTipo[righe.front()] == 'E';
        // Said once, on the lines of each kind (the columns are looked at more than once).
        if (!mLineeDette.insert({g.a, entranti}).second) return;
        Voce(Ambito::Campo, "Linea",
             Dove(g.a, g.b) + ": su ogni chiamata " + (entranti ? "entrante" : "uscente") +
                 " uno di " + Num(static_cast<long long>(volte.size())) + " numeri (" +
                 volte.begin()->first + ", ...), ciascuno su pi\xF9 chiamate: \xE8 la nostra " +
                 "linea" + (cifre ? ", letta nelle sole cifre (Solo cifre)" : std::string()),
             true, entranti, "sLinea", g.a, g.b);
        return;
    }
}

// A duration of one or two digits, a colon and two (0:12, 1:05), read as minutes and seconds,
// where that reading makes every call shorter than two minutes and half a minute long on
// average: calls last minutes rather than seconds, so it is read as hours and minutes ("h:mm"),
// said so as uncertain with both readings side by side. Not where another column prints a
// longer duration (127:05): that one is the call's, this a shorter time beside it.
void Proponitore::OreEMinutiBrevi() {
    const auto t = std::find_if(mvTempi.begin(), mvTempi.end(),
                                [](const Tempo& x) { return x.sCampo == "dDurata"; });
    if (t == mvTempi.end() || t->bDecimi || t->bSessantesimi || t->c.bLettere) return;
    const std::string m = Maiusc(mvFormati[t->c.iFormato].sTesto);
    if (m != "M:SS" && m != "MM:SS") return;
    size_t hmm = mvFormati.size();
    for (size_t f = 0; f < mvFormati.size(); ++f)
        if (Maiusc(mvFormati[f].sTesto) == "H:MM") hmm = f;
    if (hmm == mvFormati.size() || DurataLungaAltrove(t->c.a, t->c.b)) return;
    long long somma = 0;
    size_t pieni = 0;
    for (const auto& v : t->c.vValori) {
        const std::string testo(TogliSpazi(Testo(v.iRiga, v.a, v.b)));
        if (testo.size() > 5 || v.v.iMinuti > 1) return;
        const long long s = v.v.TotaleSecondi();
        somma += s;
        pieni += s > 0;
    }
    if (pieni < 5 || somma > static_cast<long long>(pieni) * 30) return;
    VoceProposta::Alternativa come, ore;
    come.sLettura = "\"" + mvFormati[t->c.iFormato].sTesto + "\"";
    ore.sLettura = "\"" + mvFormati[hmm].sTesto + "\"";
    ore.bScelta = true;
    for (auto& v : t->c.vValori) {
        if (come.vValori.size() < 3) {
            come.vValori.push_back(Num(v.v.TotaleSecondi()) + " s");
            ore.vValori.push_back(Num(v.v.TotaleSecondi() * 60) + " s");
        }
        v.v.iOre = v.v.iMinuti;
        v.v.iMinuti = v.v.iSecondi;
        v.v.iSecondi = -1;
    }
    t->c.iFormato = hmm;
    Voce(Ambito::Campo, "Durata",
         Dove(t->c.a, t->c.b) + ": letta come \"" +
             come.sLettura.substr(1, come.sLettura.size() - 2) +
             "\" ogni chiamata durerebbe meno di due minuti, in media " +
             Num(somma / static_cast<long long>(pieni)) +
             " s: le chiamate durano minuti, non secondi; proposta come " + ore.sLettura +
             " (ore e minuti)",
         true, false, "dDurata", t->c.a, t->c.b);
    mP.vVoci.back().vAlternative = {std::move(ore), std::move(come)};
}

// Names rather than numbers: on half the calls at least, every value opens with a word of three
// letters or more, and the values are several (a single word on every call is a code).
bool Proponitore::NomiDiInterni(const Segmento& g, size_t n) const {
    if (g.distinti.size() < 2 || g.iPieni * 2 < n) return false;
    return std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
        size_t l = 0;
        while (l < v.size() && Lettera(v[l])) ++l;
        return l >= 3;
    });
}

// A trunk printed as a port and a number (A1:120, B2:121): a letter or two, digits, a colon and
// more digits, with the digits and the colon at the same columns on every call of the kind.
// The trunk is the digits between the letters and the colon; what follows the colon is another
// number (the one called on that trunk).
bool Proponitore::LineaPrimaDeiDuePunti(const Segmento& g, bool bEntranti, int& rA, int& rB) {
    int cifre = -1, punti = -1;
    size_t righe = 0;
    for (size_t r : mvChiamate) {
        if ((mvTipo[r] == 'E') != bEntranti) continue;
        const std::string t = Testo(r, g.a, g.b);
        const size_t i = t.find_first_not_of(' ');
        if (i == std::string::npos) continue;
        size_t j = i;
        while (j < t.size() && Lettera(t[j])) ++j;
        size_t k = j;
        while (k < t.size() && Cifra(t[k])) ++k;
        size_t f = k + 1;
        while (f < t.size() && Cifra(t[f])) ++f;
        if (j == i || j - i > 2 || k == j || k >= t.size() || t[k] != ':' || f == k + 1 ||
            (f < t.size() && t[f] != ' '))
            return false;
        const int c = g.a + static_cast<int>(j), p = g.a + static_cast<int>(k);
        if ((cifre >= 0 && c != cifre) || (punti >= 0 && p != punti)) return false;
        cifre = c;
        punti = p;
        ++righe;
    }
    if (righe < 2) return false;
    rA = cifre;
    rB = punti;
    if (mLineeDette.insert({-1 - g.a, bEntranti}).second)
        Voce(Ambito::Campo, "Linea",
             Dove(g.a, g.b) + ": lettere, cifre, due punti e altre cifre su ogni chiamata " +
                 (bEntranti ? "entrante" : "uscente") + " (" + *g.distinti.begin() +
                 "): la linea \xE8 il numero fra le lettere e i due punti, " + Dove(rA, rB),
             true, bEntranti, "sLinea", rA, rB);
    return true;
}

}  // namespace tarno::proposta

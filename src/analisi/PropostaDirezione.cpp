#include "analisi/PropostaInterna.h"

// Incoming, outgoing and transferred calls: code columns, trunks, the shape of the lines.

namespace tarno::proposta {

// A column of one digit printed on every call, two values, that splits the calls by where
// they print their number (a run of seven digits or more): the calls of one value at one
// column, those of the other at another. The calls whose number column holds a word on some
// of them (a caller withheld: "Unavailable") are the incoming ones; without a word, the later
// column is taken for the caller's, as uncertain. The code is the direction.
std::optional<std::pair<int, std::map<std::string, char>>> Proponitore::DirezioneDaCifra(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    // Where the number of a line starts: -1 without one.
    const auto numero = [&](size_t r) {
        const std::string& s = mvRighe[r];
        for (size_t i = 0, j = 0; i < s.size(); i = j + 1) {
            j = i;
            while (j < s.size() && Cifra(s[j])) ++j;
            if (j - i >= 7 && (i == 0 || s[i - 1] == ' ')) return static_cast<int>(i);
        }
        return -1;
    };
    for (const auto& [colonna, valori] : colonne) {
        const int col = colonna;  // a copy a lambda below can capture
        if (valori.size() != 2 || n < 4) continue;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) pieni += t.size() == 1 && Cifra(t[0]) ? k : 0;
        if (pieni != n) continue;
        // Per value, the columns its numbers start at.
        std::map<char, std::map<int, size_t>> inizi;
        for (size_t r : mvChiamate)
            if (const int x = numero(r); x > col) ++inizi[mvRighe[r][static_cast<size_t>(col)]][x];
        if (inizi.size() != 2) continue;
        std::map<char, int> dove;
        bool netto = true;
        for (const auto& [c, m] : inizi) {
            netto &= m.size() == 1;
            dove[c] = m.begin()->first;
        }
        const char a = dove.begin()->first, b = std::next(dove.begin())->first;
        if (!netto || dove[a] == dove[b]) continue;
        // A word where the other calls of the value print their number.
        const auto parola = [&](char c) {
            return std::any_of(mvChiamate.begin(), mvChiamate.end(), [&](size_t r) {
                if (mvRighe[r][static_cast<size_t>(col)] != c) return false;
                const std::string t(TogliSpazi(Testo(r, dove[c], dove[c] + 7)));
                return !t.empty() && std::all_of(t.begin(), t.end(), Lettera);
            });
        };
        const bool pa = parola(a), pb = parola(b);
        char entrante = dove[a] > dove[b] ? a : b;
        if (pa != pb) entrante = pa ? a : b;
        const char uscente = entrante == a ? b : a;
        std::map<std::string, char> tipi{{std::string(1, entrante), 'E'},
                                         {std::string(1, uscente), 'U'}};
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(col, col + 1) + ": una cifra su ogni chiamata, \"" + std::string(1, a) +
                 "\" o \"" + std::string(1, b) + "\"; le chiamate \"" + std::string(1, a) +
                 "\" stampano il numero da " + Dove(dove[a], dove[a] + 1) + ", le \"" +
                 std::string(1, b) + "\" da " + Dove(dove[b], dove[b] + 1) + ": \"" +
                 std::string(1, entrante) + "\" " +
                 (pa != pb ? "entranti, perch\xE9 dove stampano il numero alcune hanno una "
                             "parola (il chiamante non disponibile)"
                           : "entranti, perch\xE9 il loro numero sta pi\xF9 a destra (il "
                             "chiamante dopo il numero composto): non \xE8 certo") +
                 ", \"" + std::string(1, uscente) + "\" uscenti",
             true);
        return std::make_pair(col, std::move(tipi));
    }
    return std::nullopt;
}

// A letter glued before the number (O5550142) where other calls print the letter alone or
// glued too: at a column where every word is one letter, alone or followed by digits only, the
// letters are codes of both kinds (incoming and outgoing) and some of the digits glued are a
// number (seven or more), the letter is the code and the number starts after it.
void Proponitore::CodiciIncollati(std::map<int, std::map<std::string, size_t>>& perColonna) {
    for (auto& [col, valori] : perColonna) {
        std::map<std::string, size_t> lettere;
        bool tutte = true, numero = false;
        for (const auto& [t, k] : valori) {
            tutte &= Lettera(t[0]) && std::all_of(t.begin() + 1, t.end(), Cifra);
            numero |= t.size() >= 8;
            if (tutte) lettere[t.substr(0, 1)] += k;
        }
        if (!tutte || !numero || lettere.size() < 2) continue;
        std::set<char> tipi;
        for (const auto& [l, k] : lettere) tipi.insert(TipoDiCodice(l));
        if (!tipi.count('E') || !tipi.count('U') || tipi.count('?')) continue;
        std::string elenco;
        for (const auto& [l, k] : lettere) elenco += (elenco.empty() ? "\"" : ", \"") + l + "\"";
        Voce(Ambito::Tipo, "Codice incollato al numero",
             Dove(col, col + 1) + ": una lettera (" + elenco +
                 "), sola o incollata prima delle cifre del numero (" +
                 std::max_element(
                     valori.begin(), valori.end(),
                     [](const auto& x, const auto& y) { return x.first.size() < y.first.size(); })
                     ->first +
                 "): la lettera \xE8 il codice del tipo, il numero comincia dopo");
        valori = std::move(lettere);
        mCodiciIncollati.insert(col);
    }
}

// 6. Incoming and outgoing.
void Proponitore::ScegliDirezione() {
    const size_t n = mvChiamate.size();
    // Columns where short codes start, the same on every call line where they stand.
    std::map<int, std::map<std::string, size_t>> perColonna;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (int i = 0, m = static_cast<int>(s.size()); i < m;) {
            // A tab parts codes as a blank does.
            if (s[static_cast<size_t>(i)] == ' ' || s[static_cast<size_t>(i)] == '\t') {
                ++i;
                continue;
            }
            int j = i;
            while (j < m && s[static_cast<size_t>(j)] != ' ' && s[static_cast<size_t>(j)] != '\t')
                ++j;
            if (j - i <= 16 || s[static_cast<size_t>(i)] == '<') {
                std::string t = s.substr(static_cast<size_t>(i), static_cast<size_t>(j - i));
                // "< incoming >": the text up to the closing bracket.
                if (t.front() == '<') {
                    const size_t chiusa = s.find('>', static_cast<size_t>(i));
                    if (chiusa != std::string::npos && chiusa < static_cast<size_t>(i) + 24) {
                        const std::string dentro =
                            s.substr(static_cast<size_t>(i), chiusa - static_cast<size_t>(i) + 1);
                        t = dentro;
                        // A bare "<I>" before a number is a prefix: it is the code.
                    }
                }
                ++perColonna[i][t];
            }
            i = j;
        }
    }
    CodiciIncollati(perColonna);
    CodiciConStato(perColonna);
    struct Cand {
        int a = 0, b = 0;
        std::map<std::string, char> valori;
        size_t noti = 0, entranti = 0, uscenti = 0, trasf = 0, pieni = 0;
    };
    std::optional<Cand> migliore, trasferimento;
    std::set<std::set<std::string>> primiLati;  // the codes of the columns looked at
    for (auto& [col, valori] : perColonna) {
        if (Occupata(col)) continue;
        Cand c;
        c.a = col;
        size_t pieni = 0;
        for (auto& [t, k] : valori) pieni += k;
        c.pieni = pieni;
        for (auto& [t, k] : valori) {
            std::string codice = t;
            // A prefix code glued to a number (<I>0555...).
            if (codice.front() == '<') codice = codice.substr(0, codice.find('>') + 1);
            const char tipo = TipoDiCodice(codice);
            c.valori[t] = tipo;
            c.b = std::max(c.b, col + static_cast<int>(codice.size()));
            if (tipo == '?') continue;
            c.noti += k;
            if (tipo == 'E' || tipo == 'e') c.entranti += k;
            if (tipo == 'U' || tipo == 'u') c.uscenti += k;
            if (tipo == 'T' || tipo == 'e' || tipo == 'u') c.trasf += k;
        }
        // A column of many values is a column of numbers, unless codes stand in it too.
        if (valori.size() > 14 && c.entranti * 10 < n) continue;
        // A transfer mark: one code on some lines, blank on the others.
        if (c.trasf == c.noti && c.noti > 0 && pieni < n && valori.size() <= 2) {
            if (!trasferimento || c.trasf > trasferimento->trasf) trasferimento = c;
            continue;
        }
        if (c.entranti == 0) continue;
        // A trunk is incoming as the calling party, outgoing as the called one: codes under a
        // name of the calling side tell the direction first, those of the called side last.
        const auto lato = [&](const Cand& x) {
            const std::string nome = Parole(x.a, x.b);
            return HaParola(nome, {"CALLED", "DEST", "DST", "TERMINAT"})          ? 0
                   : HaParola(nome, {"ORIG", "CALLING", "SRC", "SOURCE", "FROM"}) ? 2
                                                                                  : 1;
        };
        const auto punti = [&](const Cand& x) {
            return std::make_tuple(
                lato(x), x.entranti > 0 && (x.uscenti > 0 || x.pieni > x.entranti), x.noti);
        };
        // The same codes in two columns no heading names: the calling party's side and the
        // called one's, printed in that order; only the first tells the direction.
        std::set<std::string> codici;
        for (const auto& [t, k] : c.valori) codici.insert(t);
        if (lato(c) == 1 && !primiLati.insert(codici).second) continue;
        if (!migliore || punti(c) > punti(*migliore)) migliore = c;
    }
    mvTipo.assign(mvRighe.size(), 'U');
    if (EntrantiDaGiunzione(perColonna)) return;
    if (const auto tipi = TipiTraLeCifre(); EntrantiDaGiunzione(tipi)) {
        // Each party's digits are a field of their own, after its letter.
        for (const auto& [col, valori] : tipi) {
            size_t k = 0;
            for (const auto& [t, m] : valori) k += m;
            if (k * 10 < mvChiamate.size() * 9) continue;
            mConfini.insert({col, col + 1});
            mLettereParte.insert(col);
        }
        return;
    }
    // A yes and a no under a heading naming the direction say it before any code (NEIN
    // holds IN).
    // A column of words found by a rule: it reaches as far as its longest word.
    const auto diParole = [&](int x, const auto& valori) {
        migliore.emplace();
        migliore->a = migliore->b = x;
        for (const auto& [t, k] : valori)
            migliore->b = std::max(migliore->b, x + static_cast<int>(t.size()));
        migliore->valori = valori;
        migliore->pieni = migliore->noti = n;
    };
    if (auto d = DirezioneDaSiNo(perColonna)) {
        diParole(d->first, d->second);
        mvOccupate.emplace_back(migliore->a, migliore->b);
    }
    if (!migliore)
        if (auto d = DirezioneDaCifra(perColonna)) {
            migliore.emplace();
            migliore->a = d->first;
            migliore->b = d->first + 1;
            migliore->valori = d->second;
            migliore->pieni = migliore->noti = n;
        }
    if (!migliore) {
        auto d = DirezioneDaParole(perColonna);
        if (!d) d = DirezioneDallePerse(perColonna);
        if (d) diParole(d->first, d->second);
    }
    if (!migliore && EntrantiSenzaAddebito()) return;
    if (!migliore && EntrantiDaMarcaSenzaAddebito()) return;
    if (!migliore && EntrantiDaScambio()) return;
    if (!migliore && (EntrantiDaParti() || EntrantiDalChiamante() || EntrantiDaNumeriPropri()))
        return;
    if (!migliore && EntrantiDallaForma(perColonna)) return;
    if (!migliore && EntrantiDalloSquilloLetto()) return;
    if (!migliore && EntrantiDalloSquillo(perColonna)) return;
    if (!migliore && EntrantiDaDueNumeri()) return;
    if (!migliore) {
        Voce(Ambito::Tipo, "Entranti e uscenti",
             "nessuna colonna di codici distingue le chiamate entranti dalle uscenti: tutte "
             "proposte uscenti, il caso pi\xF9 comune di una stampa di addebiti; se la stampa le "
             "distingue, indicare la colonna",
             true);
        return;
    }
    miDirA = migliore->a;
    miDirB = migliore->b;
    mDirValori = migliore->valori;
    Messaggi();
    // Unknown codes are outgoing unless the printout says otherwise.
    std::string elenco;
    size_t altri = 0;
    for (const auto& [t, k] : mDirValori) {
        if (k == '?' && mDirValori.size() > 6) {
            ++altri;
            continue;
        }
        if (!elenco.empty()) elenco += ", ";
        const char* nome = k == 'E'   ? "entranti"
                           : k == 'e' ? "entranti trasferite"
                           : k == 'u' ? "uscenti trasferite"
                           : k == 'T' ? "trasferite (proposte entranti)"
                           : k == 'U' ? "uscenti"
                           : k == 'X' ? "messaggi, non chiamate"
                                      : "uscenti (codice sconosciuto)";
        elenco += "\"" + std::string(TogliSpazi(t)) + "\" " + nome;
    }
    if (altri) elenco += ", e " + Num(static_cast<long long>(altri)) + " altri valori: uscenti";
    bool incerto = false;
    for (const auto& [t, k] : mDirValori) incerto |= k == '?' || k == 'T';
    const size_t vuote = n - migliore->pieni;
    Voce(Ambito::Tipo, "Entranti e uscenti",
         Dove(miDirA, miDirB) + ": " + Num(static_cast<long long>(mDirValori.size())) +
             " codici: " + elenco +
             (vuote ? "; " + Num(static_cast<long long>(vuote)) + " righe senza codice: uscenti"
                    : std::string()),
         incerto);
    if (trasferimento) {
        std::string segno;
        for (const auto& [t, k] : trasferimento->valori)
            if (k != '?') segno = t;
        if (SegnoSuNonRisposte(trasferimento->a, segno, perColonna)) trasferimento.reset();
    }
    if (trasferimento) {
        miTrasfA = trasferimento->a;
        miTrasfB = trasferimento->b;
        for (const auto& [t, k] : trasferimento->valori)
            if (k != '?') msTrasf = t;
        Voce(Ambito::Tipo, "Trasferite",
             Dove(miTrasfA, miTrasfB) + ": \"" + msTrasf + "\" su " +
                 Num(static_cast<long long>(trasferimento->trasf)) +
                 " chiamate e vuota sulle altre: segna le trasferite");
    }
    for (size_t r : mvChiamate) {
        const std::string s = mvRighe[r];
        for (const auto& [t, k] : mDirValori) {
            if (s.size() > static_cast<size_t>(miDirA) &&
                s.compare(static_cast<size_t>(miDirA), t.size(), t) == 0 &&
                (k == 'E' || k == 'e' || k == 'T'))
                mvTipo[r] = 'E';
        }
    }
    TrasferiteDallaForma();
}

// A code nothing tells the kind of, on lines that print no duration at all (neither talked nor
// ringing) where every line of a known code prints one: a message of the exchange printed in
// the shape of a call (a buffer full, a restart), no call. Its lines leave the calls and the
// calls' conditions exclude the code.
void Proponitore::Messaggi() {
    std::vector<std::pair<int, int>> durate;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata" || t.sCampo == "dRisposta") durate.emplace_back(t.c.a, t.c.b);
    if (durate.empty()) return;
    const auto conDurata = [&](size_t r) {
        return std::any_of(durate.begin(), durate.end(), [&](const std::pair<int, int>& d) {
            return !TogliSpazi(Testo(r, d.first, d.second)).empty();
        });
    };
    const auto codice = [&](size_t r) -> const std::string* {
        for (const auto& [t, k] : mDirValori)
            if (mvRighe[r].size() >= static_cast<size_t>(miDirA) + t.size() &&
                mvRighe[r].compare(static_cast<size_t>(miDirA), t.size(), t) == 0)
                return &t;
        return nullptr;
    };
    std::map<std::string, std::vector<size_t>> sconosciuti;
    for (size_t r : mvChiamate) {
        const std::string* t = codice(r);
        if (!t) continue;
        if (mDirValori[*t] != '?')
            if (!conDurata(r)) return;
        if (mDirValori[*t] == '?') sconosciuti[*t].push_back(r);
    }
    // A message names no party: no number of seven digits or more (a lost call may print its
    // caller's).
    const auto conNumero = [&](size_t r) {
        size_t corsa = 0;
        for (char c : mvRighe[r])
            if ((corsa = Cifra(c) ? corsa + 1 : 0) >= 7) return true;
        return false;
    };
    for (const auto& [t, righe] : sconosciuti) {
        if (righe.size() * 4 > mvChiamate.size() ||
            std::any_of(righe.begin(), righe.end(), conDurata) ||
            std::any_of(righe.begin(), righe.end(), conNumero))
            continue;
        mDirValori[t] = 'X';
        for (size_t r : righe) {
            mvChiamata[r] = false;
            mvChiamate.erase(std::find(mvChiamate.begin(), mvChiamate.end(), r));
        }
        Voce(Ambito::Righe, "Messaggi",
             Dove(miDirA, miDirB) + ": \"" + std::string(TogliSpazi(t)) + "\" su " +
                 Num(static_cast<long long>(righe.size())) +
                 (righe.size() == 1 ? " riga" : " righe") +
                 " senza alcuna durata n\xE9 squillo, che ogni riga di un codice noto ha: \xE8 "
                 "un messaggio della centrale, non una chiamata (le condizioni lo escludono)",
             true);
    }
}

// Calls on several lines whose lines vary: the code that tells the kind may stand on another
// line of the call, at the same column (an event line printed later on some calls). Incoming
// codes found there, on calls with no known code where the codes stand, are one more choice
// of the incoming conditions.
void Proponitore::CodiciSuAltreRighe() {
    if (miDirA < 0 || miLarghezzaRiga <= 0) return;
    const int w = miLarghezzaRiga, colonna = miDirA % w;
    for (int riga = 0; riga < miRigheBlocco; ++riga) {
        const int a = riga * w + colonna;
        if (a == miDirA) continue;
        std::map<std::string, std::vector<size_t>> codici;
        bool contrario = false;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            if (static_cast<int>(s.size()) <= a || s[static_cast<size_t>(a)] == ' ' ||
                (a % w > 0 && s[static_cast<size_t>(a - 1)] != ' '))
                continue;
            const size_t fine = s.find(' ', static_cast<size_t>(a));
            const std::string t = s.substr(static_cast<size_t>(a), fine - static_cast<size_t>(a));
            if (TipoDiCodice(t) != 'E') continue;
            const std::string qui(TogliSpazi(Testo(r, miDirA, miDirB)));
            const auto noto = mDirValori.find(qui);
            contrario |= noto != mDirValori.end() && noto->second != '?';
            codici[t].push_back(r);
        }
        if (contrario || codici.empty()) continue;
        for (const auto& [t, righe] : codici) {
            mvDirAltre.emplace_back(a, t);
            for (size_t r : righe) mvTipo[r] = 'E';
            Voce(Ambito::Tipo, "Entranti su un'altra riga",
                 Dove(a, a + static_cast<int>(t.size())) + ": \"" + t + "\" su " +
                     Num(static_cast<long long>(righe.size())) +
                     " chiamate che non hanno un codice in " + Dove(miDirA, miDirB) +
                     ": entranti anche queste",
                 true, true);
        }
    }
    // Calls still without a known code: a word opening one of their lines that some incoming
    // calls print there too, and no call with a code of another kind, makes them incoming.
    auto codice = [&](size_t r) {
        const auto noto = mDirValori.find(std::string(TogliSpazi(Testo(r, miDirA, miDirB))));
        return noto == mDirValori.end() ? '?' : noto->second;
    };
    std::map<std::pair<int, std::string>, std::array<std::vector<size_t>, 3>> parole;
    for (size_t r : mvChiamate) {
        const int chi = mvTipo[r] == 'E' ? 0 : codice(r) == '?' ? 2 : 1;
        for (int riga = 0; riga < miRigheBlocco; ++riga) {
            const std::string t = Testo(r, riga * w, (riga + 1) * w);
            const size_t i = t.find_first_not_of(' ');
            if (i == std::string::npos) continue;
            size_t j = i;
            while (j < t.size() && Lettera(t[j])) ++j;
            if (j - i < 3 || (j < t.size() && t[j] != ' ')) continue;
            parole[{riga * w + static_cast<int>(i), t.substr(i, j - i)}][chi].push_back(r);
        }
    }
    for (const auto& [dove, chi] : parole) {
        const bool restano =
            std::any_of(chi[2].begin(), chi[2].end(), [&](size_t r) { return mvTipo[r] != 'E'; });
        if (chi[0].size() < 2 || !chi[1].empty() || !restano) continue;
        const auto& [a, t] = dove;
        mvDirAltre.emplace_back(a, t);
        for (size_t r : chi[2]) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti dalla forma",
             Dove(a, a + static_cast<int>(t.size())) + ": \"" + t + "\" apre una riga di " +
                 Num(static_cast<long long>(chi[0].size())) + " entranti e di " +
                 Num(static_cast<long long>(chi[2].size())) +
                 " chiamate senza codice, di nessuna uscente: entranti anche queste",
             true, true);
    }
}

// A transfer code that does not say the direction (T): each of its lines goes with the kind
// whose lines it looks like (where text stands and where blanks), when a column tells them
// apart (the caller's number printed only on the incoming lines).
void Proponitore::TrasferiteDallaForma() {
    std::string codice;
    for (const auto& [t, k] : mDirValori)
        if (k == 'T') {
            if (!codice.empty()) return;
            codice = t;
        }
    if (codice.empty()) return;
    const auto ha = [&](size_t r, const std::string& t) {
        const std::string& s = mvRighe[r];
        return s.size() > static_cast<size_t>(miDirA) &&
               s.compare(static_cast<size_t>(miDirA), t.size(), t) == 0;
    };
    std::vector<size_t> trasf, entr, usc;
    for (size_t r : mvChiamate) {
        if (ha(r, codice)) {
            trasf.push_back(r);
            continue;
        }
        (mvTipo[r] == 'E' ? entr : usc).push_back(r);
    }
    if (trasf.size() < 2 || entr.empty() || usc.empty()) return;
    const size_t larghezza = LarghezzaChiamate();
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    const auto frequenze = [&](const std::vector<size_t>& righe) {
        std::vector<double> f(larghezza, 0);
        for (size_t r : righe)
            for (size_t x = 0; x < larghezza; ++x) f[x] += pieno(r, x);
        for (double& v : f) v /= static_cast<double>(righe.size());
        return f;
    };
    const auto fE = frequenze(entr), fU = frequenze(usc);
    std::vector<size_t> comeE, comeU;
    for (size_t r : trasf) {
        double dE = 0, dU = 0;
        for (size_t x = 0; x < larghezza; ++x) {
            dE += std::abs(pieno(r, x) - fE[x]);
            dU += std::abs(pieno(r, x) - fU[x]);
        }
        (dE <= dU ? comeE : comeU).push_back(r);
    }
    if (comeU.empty()) return;
    // The column: text on every transferred line like the incoming ones, blank on the others,
    // where the incoming lines print most and the outgoing least.
    int colonna = -1;
    double migliore = 0;
    for (size_t x = 0; x < larghezza; ++x) {
        if (!std::all_of(comeE.begin(), comeE.end(), [&](size_t r) { return pieno(r, x); }) ||
            std::any_of(comeU.begin(), comeU.end(), [&](size_t r) { return pieno(r, x); }))
            continue;
        if (fE[x] - fU[x] > migliore) migliore = fE[x] - fU[x], colonna = static_cast<int>(x);
    }
    if (colonna < 0 || migliore < 0.5) return;
    miTrasfFormaA = colonna;
    msTrasfForma = codice;
    for (size_t r : comeU) mvTipo[r] = 'U';
    Voce(Ambito::Tipo, "Trasferite",
         "\"" + std::string(TogliSpazi(codice)) +
             "\" non dice la direzione: " + Num(static_cast<long long>(comeE.size())) +
             " righe somigliano alle entranti (testo in " + Dove(colonna, colonna + 1) +
             ", come le entranti) e " + Num(static_cast<long long>(comeU.size())) +
             " alle uscenti: trasferite entranti e uscenti",
         true);
}

// Without codes, the shape of the lines may tell: the calls that print no number (seven digits
// or more) and are the only ones holding text in some column (a ringing time, say) are taken
// for incoming calls; the others dialled a number.
bool Proponitore::EntrantiDallaForma(const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    std::set<size_t> senzaNumero;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        size_t corsa = 0, massima = 0;
        for (size_t x = 0; x < s.size(); ++x) {
            // Digits of fields taken (a time and a duration glued) or split apart are no number.
            const bool presa = Occupata(static_cast<int>(x));
            corsa = !Cifra(s[x]) || presa ? 0 : mConfini.count(static_cast<int>(x)) ? 1 : corsa + 1;
            massima = std::max(massima, corsa);
        }
        if (massima < 7) senzaNumero.insert(r);
    }
    if (senzaNumero.size() < 2 || senzaNumero.size() + 2 > n) return false;
    // All the calls without a number; failing that, three in four of them (an internal call
    // prints neither a number nor what the incoming ones do).
    for (const bool tutte : {true, false})
        for (const auto& [col, valori] : colonne) {
            const bool libero = !Occupata(col);
            // A ringing time is a field and still tells the kind.
            if (!libero && !InizioDiSquillo(col)) continue;
            std::set<size_t> piene;
            int fine = col;
            for (size_t r : mvChiamate) {
                const std::string& s = mvRighe[r];
                const auto c = static_cast<size_t>(col);
                if (s.size() <= c || s[c] == ' ' || (c > 0 && s[c - 1] != ' ')) continue;
                piene.insert(r);
                fine = std::max(fine, static_cast<int>(std::min(s.find(' ', c), s.size())));
            }
            if (tutte ? piene != senzaNumero
                      : piene.size() < 2 || piene.size() * 4 < senzaNumero.size() * 3 ||
                            !std::includes(senzaNumero.begin(), senzaNumero.end(), piene.begin(),
                                           piene.end()))
                continue;
            miFormaA = col;
            miFormaB = fine;
            for (size_t r : piene) mvTipo[r] = 'E';
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 "nessuna colonna di codici; " + Num(static_cast<long long>(piene.size())) +
                     " chiamate non hanno un numero e sono le sole con un testo in " +
                     Dove(miFormaA, miFormaB) + " (" + PrimiTesti(piene, col, fine) +
                     "): proposte entranti, le altre uscenti" +
                     (tutte ? std::string()
                            : "; le altre " +
                                  Num(static_cast<long long>(senzaNumero.size() - piene.size())) +
                                  " senza numero non hanno quel testo: uscenti (interne)"),
                 true);
            return true;
        }
    return false;
}

// A trunk as the calling party: the first column holding a party on (nearly) every call line
// that holds a trunk (T and its digits: T162, T000002) on some and an extension on the others;
// the calls from a trunk are incoming.
// Letters standing alone between digits (X00100D0000201T0000012...): the type of the party
// whose digits follow, by its column, with those digits.
std::map<int, std::map<std::string, size_t>> Proponitore::TipiTraLeCifre() const {
    std::map<int, std::map<std::string, size_t>> colonne;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (size_t i = 1; i + 1 < s.size(); ++i) {
            if (!Lettera(s[i]) || !Cifra(s[i - 1]) || !Cifra(s[i + 1])) continue;
            size_t j = i + 1;
            while (j < s.size() && Cifra(s[j])) ++j;
            ++colonne[static_cast<int>(i)][s.substr(i, j - i)];
        }
    }
    return colonne;
}

// The digits after a party's type letter: a trunk after T, an extension after any other letter
// (D, S...), on the calls of one kind where the letter is the same on every call; the letter
// itself is no field.
void Proponitore::RuoliDaLettere(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    mRuoliDaLettere.clear();
    if (mLettereParte.empty() || righe.empty()) return;
    const bool entranti = mvTipo[righe.front()] == 'E';
    for (Segmento& g : segmenti) {
        if (!g.sRuolo.empty()) continue;
        if (mLettereParte.count(g.a) && g.b == g.a + 1) {
            g.sRuolo = "-";
            continue;
        }
        if (!mLettereParte.count(g.a - 1)) continue;
        std::set<char> lettere;
        for (size_t r : righe)
            if (static_cast<size_t>(g.a) <= mvRighe[r].size())
                lettere.insert(mvRighe[r][static_cast<size_t>(g.a - 1)]);
        if (lettere.size() != 1) continue;
        const char l = *lettere.begin();
        const std::string ruolo = l == 'T' || l == 't' ? "sLinea" : "sDerivato";
        if (!mRuoliDaLettere.insert(ruolo).second) continue;
        g.sRuolo = ruolo;
        if (!mVociLettere.insert({g.a, entranti}).second) continue;
        Voce(Ambito::Campo, ruolo == "sLinea" ? "Linea" : "Derivato",
             Dove(g.a, g.b) + ": le cifre dopo la lettera \"" + std::string(1, l) +
                 "\" del tipo di interlocutore (" + *g.distinti.begin() +
                 ", ...): " + (ruolo == "sLinea" ? "T \xE8 una linea esterna" : "un interno") +
                 " sulle chiamate " + (entranti ? "entranti" : "uscenti"),
             false, entranti, ruolo, g.a, g.b);
    }
}

bool Proponitore::EntrantiDaGiunzione(const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    const auto giunzione = [](const std::string& t) {
        return t.size() >= 2 && (t[0] == 'T' || t[0] == 't') && Cifra(t[1]);
    };
    for (const auto& [col, valori] : colonne) {
        if (Occupata(col)) continue;
        size_t pieni = 0, giunzioni = 0, parti = 0;
        for (const auto& [t, k] : valori) {
            pieni += k;
            if (giunzione(t))
                giunzioni += k;
            else if (std::count_if(t.begin(), t.end(), Cifra) >= 2)
                parti += k;
        }
        if (pieni * 10 < n * 8 || giunzioni + parti != pieni) continue;
        if (giunzioni < 2 || parti < 2) continue;
        std::set<size_t> daGiunzione;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            const auto c = static_cast<size_t>(col);
            if (s.size() > c + 1 && giunzione(s.substr(c, 2))) daGiunzione.insert(r);
        }
        miFormaA = col;
        miFormaB = col + 1;
        msFormaValore = "T";
        for (size_t r : daGiunzione) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(col, col + 1) + ": il primo interlocutore \xE8 una linea esterna (" +
                 PrimiTesti(daGiunzione, col, col + 8) + ") su " +
                 Num(static_cast<long long>(daGiunzione.size())) + " chiamate e un interno (" +
                 Num(static_cast<long long>(parti)) +
                 ") sulle altre: chiamate da una linea esterna entranti, le altre uscenti",
             true);
        return true;
    }
    return false;
}

// A code glued after a count (units 1 and kind 2 printed as "12"): the code whose calls are
// never charged is the incoming one, the count the units of every call.
bool Proponitore::EntrantiSenzaAddebito() {
    std::vector<std::string_view> righe;
    for (size_t r : mvChiamate) righe.emplace_back(mvRighe[r]);
    const auto c = TrovaCodiceDopoConteggio(righe, mvOccupate);
    if (!c) return false;
    miDirA = c->iColonna;
    miDirB = c->iColonna + 1;
    mDirValori[std::string(1, c->cSenzaAddebito)] = 'E';
    for (char k : c->sAltri) mDirValori[std::string(1, k)] = 'U';
    std::set<size_t> entranti, tutte(mvChiamate.begin(), mvChiamate.end());
    for (size_t r : mvChiamate)
        if (mvRighe[r][static_cast<size_t>(miDirA)] == c->cSenzaAddebito) {
            mvTipo[r] = 'E';
            entranti.insert(r);
        }
    miScattiA = c->iConteggio;
    miScattiB = c->iColonna;
    // Room for longer counts than the sample's, over the blanks before it.
    const auto vuota = [&](int x) {
        if (Occupata(x)) return false;
        return std::all_of(mvChiamate.begin(), mvChiamate.end(), [&](size_t r) {
            return mvRighe[r].size() <= static_cast<size_t>(x) ||
                   mvRighe[r][static_cast<size_t>(x)] == ' ';
        });
    };
    const int primo = miScattiA;
    while (miScattiA > 0 && primo - miScattiA < 4 && vuota(miScattiA - 1) && vuota(miScattiA - 2))
        --miScattiA;
    mvOccupate.emplace_back(miScattiA, miDirB);
    std::string altri;
    for (char k : c->sAltri) altri += std::string(altri.empty() ? "\"" : ", \"") + k + "\"";
    Voce(Ambito::Tipo, "Entranti e uscenti",
         Dove(miDirA, miDirB) + ": una cifra attaccata dopo un conteggio su ogni chiamata (" +
             PrimiTesti(tutte, miScattiA, miDirB) + "), con " +
             Num(static_cast<long long>(c->sAltri.size() + 1)) + " valori: \"" +
             std::string(1, c->cSenzaAddebito) + "\" su " +
             Num(static_cast<long long>(c->iSenzaAddebito)) +
             " chiamate, tutte con conteggio zero, e " + altri + " su " +
             Num(static_cast<long long>(c->iAltre)) + ", con un conteggio sopra zero su " +
             Num(static_cast<long long>(c->iAddebitate)) +
             ": le chiamate mai addebitate sono le entranti, le altre uscenti",
         true);
    Voce(Ambito::Campo, "Scatti",
         Dove(miScattiA, miScattiB) + ": il conteggio prima del codice (" +
             PrimiTesti(tutte, miScattiA, miScattiB) +
             "), zero su ogni entrante: sono gli scatti, su entranti e uscenti",
         false, false, "lScatti", miScattiA, miScattiB);
    return true;
}

// A transfer mark glued between two numbers (2241T2215: the extension, the mark, the third
// party): a column that holds a letter between digits on some call lines and a blank (or the
// line's end) on all the others; a transfer's letter (T, X) there marks the transferred calls.
void Proponitore::TrasferimentoIncollato() {
    if (!msTrasf.empty()) return;
    std::map<int, std::map<char, size_t>> lettere;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (size_t x = 1; x + 1 < s.size(); ++x)
            // The T of an ISO 8601 moment (2026-12-07T14:02:11) is no transfer.
            if (Lettera(s[x]) && Cifra(s[x - 1]) && Cifra(s[x + 1]) &&
                !(s[x] == 'T' && x >= 3 && s[x - 3] == '-' && x + 3 < s.size() && s[x + 3] == ':'))
                ++lettere[static_cast<int>(x)][s[x]];
    }
    for (const auto& [x, valori] : lettere) {
        const bool libero = !Occupata(x);
        size_t segnate = 0;
        for (const auto& [c, k] : valori) segnate += k;
        size_t vuote = 0;
        for (size_t r : mvChiamate) vuote += Testo(r, x, x + 1).find_first_not_of(' ') != 0;
        if (!libero || segnate + vuote != mvChiamate.size() || vuote == 0) continue;
        std::string altre;
        for (const auto& [c, k] : valori) {
            if (TipoDiCodice(std::string(1, c)) == 'T' && msTrasf.empty()) {
                msTrasf = std::string(1, c);
                continue;
            }
            altre += std::string(altre.empty() ? "" : ", ") + "\"" + std::string(1, c) + "\"";
        }
        if (msTrasf.empty()) continue;
        miTrasfA = x;
        miTrasfB = x + 1;
        std::set<size_t> marcate;
        for (size_t r : mvChiamate)
            if (Testo(r, x, x + 1) == msTrasf) marcate.insert(r);
        Voce(Ambito::Tipo, "Trasferite",
             Dove(x, x + 1) + ": \"" + msTrasf + "\" fra due numeri (" +
                 PrimiTesti(marcate, std::max(0, x - 4), x + 5) + ") su " +
                 Num(static_cast<long long>(marcate.size())) +
                 (marcate.size() == 1 ? " chiamata" : " chiamate") + ", vuota sulle altre" +
                 (altre.empty() ? std::string() : " (e " + altre + ", altri segni)") +
                 ": segna le trasferite; il numero dopo \xE8 il terzo interlocutore",
             true);
        return;
    }
}

// Incoming and outgoing records may swap their parties: the extension first and the trunk at
// a later column on some calls, the trunk first (the caller's number often glued to it) and the
// extension at that later column on the others. Two columns hold digits on every call line: the
// later one a short value (the extension) on some lines and a longer one (the trunk) on the
// others; where it is long the first holds a short value, where it is short the first begins
// with a long one; and an extension printed in one column is printed in the other too. The
// calls whose first party is the trunk are incoming, told by the column after the short value
// (blank on the outgoing lines).
bool Proponitore::EntrantiDaScambio() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    // The digits that open the value starting at column x (after a blank), or "".
    const auto cifre = [&](size_t r, int x) -> std::string {
        const std::string& s = mvRighe[r];
        const auto c = static_cast<size_t>(x);
        if (c >= s.size() || (c > 0 && s[c - 1] != ' ')) return {};
        size_t j = c;
        while (j < s.size() && Cifra(s[j])) ++j;
        return s.substr(c, j - c);
    };
    const std::set<int> colonne = IniziDiCifre();
    // The later column takes two widths exactly, each on two lines at least.
    std::map<int, std::pair<size_t, size_t>> dopo;
    for (int y : colonne) {
        std::map<size_t, size_t> larghezze;
        for (size_t r : mvChiamate) {
            ++larghezze[cifre(r, y).size()];
            if (larghezze.size() > 2) break;
        }
        if (!Occupata(y) && larghezze.size() == 2 && larghezze.begin()->first >= 2 &&
            larghezze.begin()->second >= 2 && larghezze.rbegin()->second >= 2)
            dopo[y] = {larghezze.begin()->first, larghezze.rbegin()->first};
    }
    for (int x : colonne) {
        if (Occupata(x)) continue;
        for (const auto& [y, coppia] : dopo) {
            if (y <= x + 4) continue;
            const auto [corta, lunga] = coppia;
            std::set<std::string> interniPrima, interniDopo;
            std::set<size_t> entranti;
            bool va = true;
            for (size_t r : mvChiamate) {
                const std::string a = cifre(r, x), b = cifre(r, y);
                if (b.size() == lunga) {
                    va = a.size() == corta;
                    interniPrima.insert(a);
                } else {
                    va = a.size() >= lunga;
                    interniDopo.insert(b);
                    entranti.insert(r);
                }
                if (!va) break;
            }
            bool comune = false;
            for (const auto& v : interniPrima) comune |= interniDopo.count(v) > 0;
            if (!va || !comune) continue;
            for (size_t r : entranti) mvTipo[r] = 'E';
            miFormaA = x + static_cast<int>(corta);
            miFormaB = miFormaA + 1;
            msFormaValore.clear();
            miTaglioEntranti = x + static_cast<int>(lunga);
            miScambioA = x;
            miScambioB = y;
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 Dove(y, y + static_cast<int>(lunga)) + ": un interno di " + Num(corta) +
                     " cifre su " + Num(static_cast<long long>(entranti.size())) +
                     " chiamate e un valore di " + Num(lunga) + " cifre (" +
                     PrimiTesti(entranti, x, x + static_cast<int>(lunga)) + ") in " +
                     Dove(x, x + static_cast<int>(lunga)) +
                     "; sulle altre lo scambio inverso, e gli stessi interni (" +
                     *interniPrima.begin() +
                     "...) stanno nell'una e nell'altra colonna: sulle prime il primo "
                     "interlocutore \xE8 la linea, sono entranti (testo in " +
                     Dove(miFormaA, miFormaB) +
                     "), le altre uscenti; il numero attaccato "
                     "alla linea \xE8 tagliato dopo " +
                     Num(lunga) + " cifre",
                 true);
            return true;
        }
    }
    return false;
}

// One call printed as two records (answered, then transferred to another party): two call
// lines of one kind with the same trunk and the same number, no further apart in time than
// their durations and a minute. A column of record-type codes whose codes on those lines stand
// on no other call line marks the transferred records.
void Proponitore::TrasferiteDaCoppie() {
    if (!msTrasf.empty() || miTrasfA >= 0) return;
    const Tempo* ora = nullptr;
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi) {
        if ((t.sCampo == "dOraInizio" || t.sCampo == "dOraFine") && !ora) ora = &t;
        if (t.sCampo == "dDurata" && !t.bDecimi) durata = &t;
    }
    if (!ora || !durata) return;
    std::set<size_t> coppie;
    for (const auto& [bEntrante, segmenti] : mSegmenti) {
        const Segmento* linea = nullptr;
        const Segmento* numero = nullptr;
        for (const auto& g : segmenti) {
            if (g.sRuolo == "sLinea") linea = &g;
            if (g.sRuolo == "sNumero") numero = &g;
        }
        if (!linea) continue;
        std::map<std::string, std::vector<size_t>> perChiave;
        for (size_t r : mvChiamate) {
            if ((mvTipo[r] == 'E') != bEntrante) continue;
            const std::string l(TogliSpazi(Testo(r, linea->a, linea->b)));
            if (l.empty()) continue;
            perChiave[l + "|" +
                      (numero ? std::string(TogliSpazi(Testo(r, numero->a, numero->b))) : "")]
                .push_back(r);
        }
        std::set<size_t> delTipo;
        std::vector<std::pair<size_t, size_t>> coppieDelTipo;
        size_t chiamate = 0;
        for (const auto& [chiave, righe] : perChiave) {
            chiamate += righe.size();
            for (size_t i = 0; i + 1 < righe.size(); ++i) {
                const Valore* t1 = ora->c.Su(righe[i]);
                const Valore* t2 = ora->c.Su(righe[i + 1]);
                const Valore* d1 = durata->c.Su(righe[i]);
                const Valore* d2 = durata->c.Su(righe[i + 1]);
                if (!t1 || !t2 || !d1 || !d2) continue;
                const long long tra = std::llabs(t2->v.TotaleSecondi() - t1->v.TotaleSecondi());
                if (tra <= d1->v.TotaleSecondi() + d2->v.TotaleSecondi() + 60) {
                    delTipo.insert({righe[i], righe[i + 1]});
                    coppieDelTipo.emplace_back(righe[i], righe[i + 1]);
                }
            }
        }
        // Every call of the kind in a pair: each call is printed twice (when it starts and
        // when it ends), which says nothing of a transfer.
        if (delTipo.size() == chiamate) continue;
        coppie.insert(delTipo.begin(), delTipo.end());
        mvCoppie.insert(mvCoppie.end(), coppieDelTipo.begin(), coppieDelTipo.end());
    }
    if (coppie.empty()) return;
    // The column of codes: letters alone at the start of a token on every call line.
    const auto codice = [&](size_t r, size_t x) -> std::string {
        const std::string& s = mvRighe[r];
        if (x >= s.size() || (x > 0 && s[x - 1] != ' ')) return {};
        size_t j = x;
        while (j < s.size() && Lettera(s[j])) ++j;
        return j - x <= 2 && (j == s.size() || s[j] == ' ') ? s.substr(x, j - x) : std::string();
    };
    const size_t larghezza = mvRighe[mvChiamate.front()].size();
    for (size_t x = 0; x < larghezza; ++x) {
        std::set<std::string> suCoppie, altrove;
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string c = codice(r, x);
            if (c.empty()) {
                va = false;
                break;
            }
            (coppie.count(r) ? suCoppie : altrove).insert(c);
        }
        if (!va) continue;
        bool comuni = false;
        for (const auto& c : suCoppie) comuni |= altrove.count(c) > 0;
        if (comuni || altrove.empty()) continue;
        miCoppiaA = static_cast<int>(x);
        mCodiciCoppia = suCoppie;
        std::string elenco;
        for (const auto& c : suCoppie) elenco += (elenco.empty() ? "\"" : ", \"") + c + "\"";
        Voce(Ambito::Tipo, "Trasferite",
             Num(static_cast<long long>(coppie.size())) +
                 " righe di chiamata a coppie con la stessa linea e lo stesso numero, vicine nel "
                 "tempo: una chiamata stampata in due record (risposta, poi trasferita); in " +
                 Dove(miCoppiaA, miCoppiaA + 1) + " hanno " + elenco +
                 ", che nessun'altra chiamata ha: segnano le trasferite",
             true);
        return;
    }
}

// A mark of one letter standing in one column on some calls and blank there on the others (K,
// no code beside it), where a count every call prints is zero on each marked call and above
// zero on most of the others: only outgoing calls are charged, the marked calls are incoming
// (UGUALE_A the letter), uncertain.
bool Proponitore::EntrantiDaMarcaSenzaAddebito() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    std::vector<Segmento> conteggi;
    for (const Segmento& g : Segmenti(mvChiamate))
        if (g.iPieni == n && g.iIntere == n && g.iLunghezzaMax <= 5) conteggi.push_back(g);
    const size_t larghezza = LarghezzaChiamate();
    const auto car = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() ? mvRighe[r][x] : ' ';
    };
    for (size_t x = 0; x < larghezza; ++x) {
        if (Occupata(static_cast<int>(x))) continue;
        std::set<char> lettere;
        std::vector<size_t> marcate;
        bool va = true;
        for (size_t r : mvChiamate) {
            const char c = car(r, x);
            if (c == ' ') continue;
            va = Lettera(c) && !(x > 0 && Cifra(car(r, x - 1))) && !Cifra(car(r, x + 1));
            if (!va) break;
            lettere.insert(c);
            marcate.push_back(r);
        }
        if (!va || lettere.size() != 1 || marcate.size() < 2 || n - marcate.size() < 2) continue;
        const std::set<size_t> segnate(marcate.begin(), marcate.end());
        for (const Segmento& g : conteggi) {
            size_t addebitate = 0;
            bool zero = true;
            for (size_t r : mvChiamate) {
                const long long k = std::stoll(std::string(TogliSpazi(Testo(r, g.a, g.b))));
                if (segnate.count(r))
                    zero &= k == 0;
                else
                    addebitate += k > 0;
            }
            if (!zero || addebitate * 2 < n - marcate.size() || addebitate < 2) continue;
            const std::string segno(1, *lettere.begin());
            SegnaEntranti(marcate, static_cast<int>(x), segno, miPartiA, miPartiB);
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 Dove(static_cast<int>(x), static_cast<int>(x) + 1) + ": \"" + segno + "\" su " +
                     Num(static_cast<long long>(marcate.size())) + " chiamate e bianco sulle " +
                     "altre; in " + Dove(g.a, g.b) + " un conteggio zero su ognuna di quelle e " +
                     "sopra zero su " + Num(static_cast<long long>(addebitate)) + " delle altre " +
                     Num(static_cast<long long>(n - marcate.size())) +
                     ": solo le uscenti si pagano, le chiamate segnate sono le entranti",
                 true);
            return true;
        }
    }
    return false;
}

}  // namespace tarno::proposta

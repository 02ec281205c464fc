#include "analisi/PropostaInterna.h"

// The two parties of a call printed in the same two columns on every call, the caller first:
// which one is the extension tells the direction.

namespace tarno::proposta {

namespace {

// The digits of the value that starts at column x of the line (after a blank), or "" where
// the value holds anything else.
std::string CifreDa(const std::string& s, int x) {
    const auto c = static_cast<size_t>(x);
    if (c >= s.size() || (c > 0 && s[c - 1] != ' ')) return {};
    size_t j = c;
    while (j < s.size() && Cifra(s[j])) ++j;
    if (j < s.size() && s[j] != ' ') return {};
    return s.substr(c, j - c);
}

// The beginning the exchange's own numbers share, told by the two parties of each call: a
// number printed in both columns (the caller of one call, the called party of another) is
// one of them, and so is every number beginning as it does up to the longest beginning (six
// signs at least) that stands in exactly one party of every call but a fifth at most (of
// none with bTutte). "" when there is none.
std::string PrefissoProprio(const std::vector<std::pair<std::string, std::string>>& vParti,
                            bool bTutte) {
    std::set<std::string> primi, secondi;
    for (const auto& [a, b] : vParti) primi.insert(a), secondi.insert(b);
    std::string migliore;
    for (const auto& v : primi) {
        if (v.empty() || !secondi.count(v)) continue;
        for (size_t l = v.size(); l >= 6 && l > migliore.size(); --l) {
            const std::string p = v.substr(0, l);
            size_t dette = 0;
            for (const auto& [a, b] : vParti) dette += (a.rfind(p, 0) == 0) != (b.rfind(p, 0) == 0);
            if (bTutte ? dette == vParti.size() : dette * 5 >= vParti.size() * 4) {
                migliore = p;
                break;
            }
        }
    }
    return migliore;
}

}  // namespace

// Two columns of digits on every call, the calling party first, the called one later: on each
// call one of them holds an extension (one short width, the same on every call that holds it)
// and the other a number (seven digits or more, of any width), or both an extension (an
// internal call, taken for outgoing); the numbers stand in both
// columns, on two calls at least each, and some extension stands in both too. The calls whose
// first party is the number are incoming, told by a digit after the extension's width in the
// first column (DIVERSO_DA ""); each kind reads its extension and its number where they stand.
void Proponitore::SegnaEntranti(const std::vector<size_t>& righe, int iForma,
                                const std::string& sValore, int iParteA, int iParteB) {
    for (size_t r : righe) mvTipo[r] = 'E';
    miFormaA = iForma;
    miFormaB = iForma + (sValore.empty() ? 1 : static_cast<int>(sValore.size()));
    msFormaValore = sValore;
    miPartiA = iParteA;
    miPartiB = iParteB;
}

std::vector<std::pair<int, int>> Proponitore::CoppieDiColonne() const {
    std::vector<std::pair<int, int>> coppie;
    const std::set<int> colonne = IniziDiCifre();
    for (int x : colonne)
        for (int y : colonne)
            if (x < y && !Occupata(x) && !Occupata(y)) coppie.emplace_back(x, y);
    return coppie;
}

bool Proponitore::EntrantiDaParti() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    for (const auto& [x, y] : CoppieDiColonne()) {
        size_t corta = 0, entranti = 0, uscenti = 0, brevi = 0;
        std::set<std::string> interniPrima, interniDopo;
        std::vector<size_t> daNumero;
        std::set<size_t> interne;
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string a = CifreDa(mvRighe[r], x), b = CifreDa(mvRighe[r], y);
            const bool numeroPrima = a.size() >= 7, numeroDopo = b.size() >= 7;
            const std::string& interno = numeroPrima ? b : a;
            // Two extensions: an internal call, outgoing; two numbers: no such columns. An
            // extension calling a short number (114, a service) is outgoing too, as an
            // internal call; one call in eight at most.
            const bool breve = !numeroPrima && !numeroDopo && a.size() != b.size() &&
                               b.size() >= 2 && a.size() >= 2 && (!corta || a.size() == corta);
            brevi += breve;
            const bool interna = !numeroPrima && !numeroDopo && (a.size() == b.size() || breve);
            if ((numeroPrima == numeroDopo && !interna) || interno.size() < 2 ||
                (corta && interno.size() != corta)) {
                va = false;
                break;
            }
            corta = interno.size();
            (numeroPrima ? interniDopo : interniPrima).insert(interno);
            if (numeroPrima) daNumero.push_back(r);
            if (!interna) ++(numeroPrima ? entranti : uscenti);
            if (interna) interne.insert(r);
        }
        bool comune = false;
        for (const auto& v : interniPrima) comune |= interniDopo.count(v) > 0;
        if (!va || !comune || entranti < 2 || uscenti < 2 || corta + 3 > 7 || brevi * 8 > n)
            continue;
        std::string perche;
        const bool chiamato =
            ChiamatoPrima(std::set<size_t>(daNumero.begin(), daNumero.end()), interne, perche);
        if (chiamato) {
            // The called party first: incoming are the calls whose number comes second.
            std::vector<size_t> secondi;
            for (size_t r : mvChiamate)
                if (!interne.count(r) &&
                    std::find(daNumero.begin(), daNumero.end(), r) == daNumero.end())
                    secondi.push_back(r);
            SegnaEntranti(secondi, y + static_cast<int>(corta), "", y, x);
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 Dove(x, x + 7) + " e " + Dove(y, y + 7) +
                     ": su ogni chiamata uno dei due \xE8 "
                     "un interno di " +
                     Num(static_cast<long long>(corta)) +
                     " cifre e l'altro un numero di sette cifre o pi\xF9; " + perche + "; le " +
                     Num(static_cast<long long>(uscenti)) +
                     " chiamate col numero al secondo posto sono "
                     "entranti (cifre in " +
                     Dove(miFormaA, miFormaB) +
                     "), le altre uscenti; ciascuna legge interno e numero dove stanno",
                 true);
            return true;
        }
        SegnaEntranti(daNumero, x + static_cast<int>(corta), "", x, y);
        std::set<size_t> primi(daNumero.begin(), daNumero.end());
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(x, x + 7) + " e " + Dove(y, y + 7) +
                 ": su ogni chiamata uno dei due \xE8 "
                 "un interno di " +
                 Num(static_cast<long long>(corta)) +
                 " cifre e l'altro un numero di sette cifre o pi\xF9, e gli stessi interni (" +
                 *interniPrima.begin() +
                 "...) stanno nell'uno e nell'altro: il primo \xE8 chi chiama; le " +
                 Num(static_cast<long long>(entranti)) + " chiamate col numero al primo posto (" +
                 PrimiTesti(primi, x, x + 11) + ") sono entranti (cifre in " +
                 Dove(miFormaA, miFormaB) +
                 "), le altre uscenti; ciascuna legge interno e numero dove stanno",
             true);
        return true;
    }
    return false;
}

// Two columns of numbers on every call, the calling party first, and no extension: the
// exchange's own numbers are those printed in both columns (the caller of one call, the called
// party of another), and with them every number that begins as they all do (a block of
// direct-dial numbers). When on every call exactly one of the two parties is such a number,
// the calls whose called party is one are incoming (their start, UGUALE_A), the others
// outgoing; each kind reads its own number as the extension and the other party as the number.
bool Proponitore::EntrantiDaNumeriPropri() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    for (const auto& [x, y] : CoppieDiColonne()) {
        std::vector<std::pair<std::string, std::string>> parti;
        for (size_t r : mvChiamate) {
            std::string a = CifreDa(mvRighe[r], x), b = CifreDa(mvRighe[r], y);
            if (a.size() < 7 || b.size() < 7) break;
            parti.emplace_back(std::move(a), std::move(b));
        }
        if (parti.size() != n) continue;
        const std::string prefisso = PrefissoProprio(parti, true);
        if (prefisso.empty()) continue;
        std::set<std::string> propri;
        for (const auto& [a, b] : parti)
            for (const std::string* v : {&a, &b})
                if (v->rfind(prefisso, 0) == 0) propri.insert(*v);
        const auto proprio = [&](const std::string& v) { return v.rfind(prefisso, 0) == 0; };
        std::set<size_t> entranti;
        bool va = true;
        for (size_t i = 0; i < n && va; ++i) {
            const bool a = proprio(parti[i].first), b = proprio(parti[i].second);
            va = a != b;
            if (b) entranti.insert(mvChiamate[i]);
        }
        if (!va || entranti.size() < 2 || n - entranti.size() < 2) continue;
        SegnaEntranti({entranti.begin(), entranti.end()}, y, prefisso, x, y);
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(x, x + 7) + " e " + Dove(y, y + 7) +
                 ": due numeri su ogni chiamata, nessun interno; i numeri che stanno "
                 "nell'uno e nell'altro e quelli che cominciano come loro (" +
                 *propri.begin() + (propri.size() > 1 ? "..." : "") +
                 ") sono i numeri del centralino, e su ogni chiamata uno dei due comincia "
                 "per " +
                 prefisso + "; il primo \xE8 chi chiama: le " +
                 Num(static_cast<long long>(entranti.size())) +
                 " chiamate col numero del centralino al secondo posto sono entranti (" +
                 Dove(miFormaA, miFormaB) + " = \"" + prefisso +
                 "\"), le altre uscenti; il numero del centralino \xE8 letto come interno",
             true);
        return true;
    }
    return false;
}

namespace {

// A telephone number of seven digits or more, with its + or not.
bool NumeroLungo(const std::string& v) {
    const size_t da = !v.empty() && v[0] == '+' ? 1 : 0;
    return v.size() >= da + 7 && std::all_of(v.begin() + static_cast<long>(da), v.end(), Cifra);
}

}  // namespace

// The direction told by a code, two columns of numbers: the exchange's own numbers are those
// printed in both (and every number beginning as they all do). Where on every call of a kind
// that prints one the own number stands in the same column, the other column is that kind's
// number (the outgoing calls dial from their own number, the incoming ones call it).
void Proponitore::RuoliDaNumeriPropri() {
    if (miPartiA >= 0 || miDirA < 0) return;
    std::set<std::pair<int, int>> colonne;
    for (const bool entranti : {true, false})
        for (const Segmento& g : mSegmenti[entranti]) colonne.insert({g.a, g.b});
    std::vector<std::pair<int, int>> numeri;
    for (const auto& [a, b] : colonne) {
        size_t pieni = 0;
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string v(TogliSpazi(Testo(r, a, b)));
            if (v.empty()) continue;
            va &= NumeroLungo(v);
            ++pieni;
        }
        if (va && pieni * 2 >= mvChiamate.size()) numeri.emplace_back(a, b);
    }
    for (size_t i = 0; i < numeri.size(); ++i)
        for (size_t j = i + 1; j < numeri.size(); ++j) {
            const auto [xa, xb] = numeri[i];
            const auto [ya, yb] = numeri[j];
            std::vector<std::pair<std::string, std::string>> parti;
            for (size_t r : mvChiamate)
                parti.emplace_back(TogliSpazi(Testo(r, xa, xb)), TogliSpazi(Testo(r, ya, yb)));
            const std::string prefisso = PrefissoProprio(parti, false);
            if (prefisso.empty()) continue;
            // Per kind: the column of the own number on four calls in five that print one (a
            // transferred leg may go out from it).
            std::map<bool, std::map<int, size_t>> conti;
            size_t dette = 0;
            for (size_t r : mvChiamate) {
                const std::string a(TogliSpazi(Testo(r, xa, xb))), b(TogliSpazi(Testo(r, ya, yb)));
                const bool pa = a.rfind(prefisso, 0) == 0, pb = b.rfind(prefisso, 0) == 0;
                if (pa == pb) continue;
                ++conti[mvTipo[r] == 'E'][pa ? xa : ya];
                ++dette;
            }
            std::map<bool, std::set<int>> dove;
            for (const auto& [entranti, perColonna] : conti) {
                size_t tutte = 0;
                for (const auto& [x, k] : perColonna) tutte += k;
                for (const auto& [x, k] : perColonna)
                    if (k * 5 >= tutte * 4) dove[entranti].insert(x);
            }
            if (dette * 5 < mvChiamate.size() * 4 || dove.size() != 2 || dove[true].size() != 1 ||
                dove[false].size() != 1 || *dove[true].begin() == *dove[false].begin())
                continue;
            // Each kind's number is the other party; its own number stands for the extension
            // the call belongs to (a direct-dial number), where the kind has none of its own.
            std::string cambiate;
            for (const bool entranti : {true, false}) {
                const int proprio = *dove[entranti].begin();
                const int numero = proprio == xa ? ya : xa;
                auto& segmenti = mSegmenti[entranti];
                const auto g = std::find_if(segmenti.begin(), segmenti.end(),
                                            [&](const Segmento& k) { return k.a == numero; });
                const auto h = std::find_if(segmenti.begin(), segmenti.end(),
                                            [&](const Segmento& k) { return k.a == proprio; });
                bool cambiata = false;
                if (g != segmenti.end() && g->sRuolo != "sNumero") {
                    for (auto& k : segmenti)
                        if (k.sRuolo == "sNumero") k.sRuolo.clear();
                    g->sRuolo = "sNumero";
                    cambiata = true;
                }
                // An extension of its own: whole numbers of two to six digits, none of them zero.
                const bool interno =
                    std::any_of(segmenti.begin(), segmenti.end(), [](const Segmento& k) {
                        return k.sRuolo == "sDerivato" && k.iIntere == k.iPieni &&
                               k.distinti.size() > 1 &&
                               std::all_of(k.distinti.begin(), k.distinti.end(),
                                           [](const std::string& v) {
                                               return v.size() >= 2 && v.size() <= 6 &&
                                                      v.find_first_not_of('0') != std::string::npos;
                                           });
                    });
                if (h != segmenti.end() && h->sRuolo != "sDerivato" && !interno) {
                    for (auto& k : segmenti)
                        if (k.sRuolo == "sDerivato") k.sRuolo.clear();
                    h->sRuolo = "sDerivato";
                    cambiata = true;
                }
                if (cambiata)
                    cambiate += std::string(cambiate.empty() ? "" : " e ") +
                                (entranti ? "entranti" : "uscenti");
            }
            if (cambiate.empty()) return;
            Voce(Ambito::Campo, "Numero",
                 Dove(xa, xb) + " e " + Dove(ya, yb) +
                     ": numeri di sette cifre o pi\xF9; quelli che stanno nell'uno e nell'altro "
                     "(cominciano per " +
                     prefisso +
                     ") sono i numeri del centralino, e ogni tipo lo stampa sempre nella stessa "
                     "colonna: il numero dell'interlocutore \xE8 l'altra, il numero del "
                     "centralino sta per l'interno (cambiati sulle " +
                     cambiate + ")",
                 true);
            return;
        }
}

// With the parties found by EntrantiDaParti, each kind's extension and number are where they
// stand, whatever else the columns looked like.
void Proponitore::RuoliDaParti() {
    if (miPartiA >= 0) RuoliScambiati(miPartiA, miPartiB, "sNumero");
}

void Proponitore::RuoliScambiati(int iA, int iB, const std::string& sSecondo) {
    for (auto& [bEntrante, segmenti] : mSegmenti) {
        const int interno = bEntrante ? iB : iA;
        const int altro = bEntrante ? iA : iB;
        Segmento* pInterno = nullptr;
        Segmento* pAltro = nullptr;
        for (auto& g : segmenti) {
            if (g.a == interno) pInterno = &g;
            if (g.a == altro) pAltro = &g;
        }
        if (!pInterno || !pAltro) continue;
        for (auto& g : segmenti)
            if (g.sRuolo == "sDerivato" || g.sRuolo == sSecondo) g.sRuolo.clear();
        pInterno->sRuolo = "sDerivato";
        pAltro->sRuolo = sSecondo;
    }
}

}  // namespace tarno::proposta

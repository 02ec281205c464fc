#include "analisi/OrologiMisti.h"
#include "analisi/PezziDiValore.h"
#include "analisi/PropostaInterna.h"

// How the printout is framed and where its values stand: records, separators, the values the
// formats read, runs of digits, calls printed on several lines.

namespace tarno::proposta {

namespace {

// Hands every position the driver holds to sposta: the isolated date's conditions, the
// transformations', each kind's conditions and fields; a field's own transformation then takes
// the field's new place (its line too when bRiga: a transformation of a separated field names
// no line).
template <class Sposta>
void SpostaPosizioni(clsDriver& d, const Sposta& sposta, bool bRiga) {
    const auto tutte = [&](auto& col) {
        if (col)
            for (auto& v : *col) sposta(v.valore);
    };
    tutte(d.mcolDataIsolata);
    tutte(d.mcolTrasf);
    for (auto* k : {&d.moEntranti, &d.moUscenti}) {
        if (!*k) continue;
        tutte((*k)->mcolCondizioni);
        tutte((*k)->mcolCondTrasferita);
        if ((*k)->mcolCampi)
            for (auto& v : *(*k)->mcolCampi) {
                sposta(v.valore);
                if (v.valore.moTrasf) {
                    if (bRiga) v.valore.moTrasf->miRiga = v.valore.miRiga;
                    v.valore.moTrasf->miInizio = v.valore.miInizio;
                    v.valore.moTrasf->miLunghezza = v.valore.miLunghezza;
                }
            }
    }
}

}  // namespace

// 1. Framing.
void Proponitore::Inquadra() {
    std::array<size_t, 256> conta{};
    for (char c : msByte) ++conta[static_cast<unsigned char>(c)];
    const size_t fini = conta['\n'] + conta['\r'];
    // Records closed by a control character and no line ends.
    if (fini * 200 < msByte.size()) {
        int migliore = -1;
        for (int c : {3, 4, 23, 30, 0x1F}) {
            if (conta[static_cast<size_t>(c)] >= 2 &&
                (migliore < 0 ||
                 conta[static_cast<size_t>(c)] > conta[static_cast<size_t>(migliore)]))
                migliore = c;
        }
        if (migliore >= 0) {
            const std::string nome = TestoVisibile(std::string(1, static_cast<char>(migliore)));
            mvPrescanning.push_back({"SeparatoreRecord", nome});
            Voce(Ambito::Stampa, "Record senza fine riga",
                 Num(static_cast<long long>(msByte.size())) + " byte con " +
                     Num(static_cast<long long>(fini)) + " fine riga e " +
                     Num(static_cast<long long>(conta[static_cast<size_t>(migliore)])) +
                     " caratteri " + nome + ": ogni " + nome +
                     " chiude un record (SeparatoreRecord)");
        }
    }
    size_t controlli = 0;
    for (int c = 0; c < 32; ++c)
        if (c != '\t' && c != '\n' && c != '\r' && c != '\f')
            controlli += conta[static_cast<size_t>(c)];
    // A form feed before text stays as the line's first character and moves its columns.
    for (size_t i = msByte.find('\f'); i != std::string_view::npos; i = msByte.find('\f', i + 1))
        if (i + 1 < msByte.size() && msByte[i + 1] != '\r' && msByte[i + 1] != '\n' &&
            msByte[i + 1] != '\f')
            ++controlli;
    controlli += conta[127];
    if (controlli > 0) {
        mvPrescanning.push_back({"TogliControlli", "S"});
        std::string nomi;
        for (int c = 0; c < 32; ++c) {
            if (c == '\t' || c == '\n' || c == '\r' || !conta[static_cast<size_t>(c)]) continue;
            if (!nomi.empty()) nomi += " ";
            nomi += TestoVisibile(std::string(1, static_cast<char>(c)));
        }
        Voce(Ambito::Stampa, "Caratteri di controllo",
             Num(static_cast<long long>(controlli)) + " caratteri di controllo nelle righe (" +
                 nomi +
                 "): sono tolti da ogni riga (TogliControlli), le posizioni contano il resto");
    }
}

void Proponitore::LeggiRighe() {
    const clsDriver d = DriverBase(mvPrescanning);
    const clsLetturaCampione lettura(d, mFormatiCatalogo, msByte);
    for (const auto& r : lettura.Righe()) {
        if (r.iPezzo > 1) continue;
        // A form feed left at a line's start is a page break, not a character of the line.
        std::string s = r.sTesto;
        if (!s.empty() && s.front() == '\f') ++miSaltiPagina;
        while (!s.empty() && s.front() == '\f') s.erase(0, 1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
        if (s.empty()) continue;
        mvRighe.push_back(std::move(s));
        mvNumeri.push_back(r.iNumero);
        if (mvRighe.size() >= 2000) break;  // enough to learn the columns from
    }
}

// 2. Values.
void Proponitore::TrovaFormati() {
    std::set<std::string> visti;
    for (const auto& [codice, testo] : mFormatiCatalogo) {
        mvFormati.push_back(FaiFormato(codice, testo));
        visti.insert(Maiusc(testo));
    }
    // Common ones the catalogue lacks are proposed as new formats when they read a column.
    for (const char* t : FormatiComuni())
        if (!visti.count(Maiusc(t))) mvFormati.push_back(FaiFormato(0, t));
    // A clock with its own mark before the seconds gets a format of its very shape.
    for (const std::string& t : FormatiOrologiMisti(mvRighe))
        if (visti.insert(Maiusc(t)).second) mvFormati.push_back(FaiFormato(0, t));
    // Dates of three parts printed with blanks between them (03 16 26): each date of fixed
    // length with one separator is tried with blanks in its place.
    const size_t formati = mvFormati.size();
    for (size_t f = 0; f < formati; ++f) {
        const Formato& fm = mvFormati[f];
        if (!fm.bData || fm.f.ETempo() || fm.iMin != fm.iMax || fm.sTesto.size() != fm.iMin)
            continue;
        std::string spaziato = fm.sTesto;
        std::set<char> separatori;
        for (char& c : spaziato)
            if (!Lettera(c)) separatori.insert(c), c = ' ';
        if (separatori.size() != 1 || *separatori.begin() == ' ' ||
            std::count(spaziato.begin(), spaziato.end(), ' ') != 2 ||
            !visti.insert(Maiusc(spaziato)).second)
            continue;
        mvFormati.push_back(FaiFormato(0, spaziato));
    }
    // Month and day without a year, glued to the time (1222080114) or alone on a line (1207):
    // four digits anywhere else are too often a number.
    // Dates of four-digit years glued to their time (20261207083012) are read the same way.
    for (const char* t : {"mmgg", "ggmm", "aaaammgg", "ggmmaaaa"})
        if (!visti.count(Maiusc(t))) {
            mvFormati.push_back(FaiFormato(0, t));
            mvFormati.back().bImpaccato = true;
        }
}

// A value whose parts are separated by blanks (03 16 26): found where its digits and blanks
// stand, a whole value only (no run of digits one blank before or after it: 8 11 32145677 is
// no date), never glued to other digits.
void Proponitore::Spaziati(size_t r, size_t f, ColonnePerPosto& perInizio,
                           ColonnePerPosto& perFine) const {
    const std::string& s = mvRighe[r];
    const Formato& fm = mvFormati[f];
    const std::string& schema = fm.sTesto;
    const size_t L = schema.size();
    const CodiciMesi& mesi = mMesi;
    // Digits alone from x to the next blank.
    const auto cifre = [&](size_t x, int passo) {
        size_t n = 0;
        for (auto i = static_cast<long>(x); i >= 0 && i < static_cast<long>(s.size()); i += passo) {
            const char c = s[static_cast<size_t>(i)];
            if (c == ' ' || c == '\t') break;
            if (!Cifra(c)) return false;
            ++n;
        }
        return n > 0;
    };
    for (size_t i = 0; i + L <= s.size(); ++i) {
        bool va = true;
        for (size_t j = 0; j < L && va; ++j)
            va = Lettera(schema[j]) ? Cifra(s[i + j]) : s[i + j] == schema[j];
        if (!va) continue;
        if ((i > 0 && s[i - 1] != ' ') || (i + L < s.size() && s[i + L] != ' ')) continue;
        if ((i >= 2 && cifre(i - 2, -1)) || (i + L + 1 < s.size() && cifre(i + L + 1, 1))) continue;
        const auto v = fm.f.Leggi(std::string_view(s.data() + i, L), mesi);
        if (!v) continue;
        const Valore val{r, static_cast<int>(i), static_cast<int>(i + L), *v};
        Archivia(perInizio, perFine, f, val);
    }
}

void Proponitore::TrovaValori() {
    // Formats are tried one text at a time: whole tokens first, then the token after a prefix
    // that is not a digit (S=226, *10:31AM, <I>...), and only for a token nothing read, its
    // start and end at each fixed length (14.12.2608:02:41 holds a date and a time).
    ColonnePerPosto perInizio, perFine;
    const CodiciMesi& mesi = mMesi;
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        const std::string& s = mvRighe[r];
        std::vector<Pezzo> pezzi;
        for (int i = 0, n = static_cast<int>(s.size()); i < n;) {
            if (s[static_cast<size_t>(i)] == ' ' || s[static_cast<size_t>(i)] == '\t') {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && s[static_cast<size_t>(j)] != ' ' && s[static_cast<size_t>(j)] != '\t')
                ++j;
            pezzi.push_back({i, j});
            i = j;
        }
        // Two tokens one blank apart may be one value: "01/05 08:02A" is two; only a 12-hour
        // clock and its mark ("8:47 AM") are joined.
        for (const Pezzo& p : pezzi) {
            std::vector<Pezzo> prove{p};
            int k = p.a;
            int primaCifra = -1;
            for (int i = p.a; i < p.b; ++i)
                if (Cifra(s[static_cast<size_t>(i)])) {
                    primaCifra = i;
                    break;
                }
            if (primaCifra < 0) continue;
            for (int i = p.a; i < primaCifra; ++i)
                if (!Alnum(s[static_cast<size_t>(i)])) k = i + 1;
            if (k > p.a && k < p.b) prove.push_back({k, p.b});
            // A 12-hour clock with its mark one blank after it (08:14 AM) is one value.
            if (&p != &pezzi.back()) {
                const Pezzo& dopo = *(&p + 1);
                const std::string segno = Maiusc(std::string_view(s).substr(
                    static_cast<size_t>(dopo.a), static_cast<size_t>(dopo.b - dopo.a)));
                if (dopo.a == p.b + 1 && (segno == "AM" || segno == "PM" || segno == "A" ||
                                          segno == "P" || segno == "A.M." || segno == "P.M."))
                    prove.push_back({p.a, dopo.b});
            }
            // A clock to the thousandth of a second (08:14:03.412) is read without the fraction.
            for (int da : {p.a, k})
                if (const size_t n = OrologioConFrazione(std::string_view(s).substr(
                        static_cast<size_t>(da), static_cast<size_t>(p.b - da)));
                    n && (da == p.a || k > p.a))
                    prove.push_back({da, da + static_cast<int>(n)});
            // A count alone ("ss") only after a name that ends in = or : (S=226).
            const bool conNome = k > p.a && (s[static_cast<size_t>(k - 1)] == '=' ||
                                             s[static_cast<size_t>(k - 1)] == ':');
            auto prova = [&](Pezzo q, bool intero) {
                const std::string_view t(s.data() + q.a, static_cast<size_t>(q.b - q.a));
                if (!Cifra(t.front())) return;
                for (size_t f = 0; f < mvFormati.size(); ++f) {
                    const Formato& fm = mvFormati[f];
                    if (t.size() < fm.iMin || t.size() > fm.iMax) continue;
                    if (fm.bSolo && !(conNome && q.a == k)) continue;
                    if (fm.bImpaccato && !(intero && pezzi.size() == 1 && q.a == p.a)) continue;
                    // Inside a longer token only formats with separators are looked for: a
                    // run of digits holds a date or a time anywhere.
                    if (!intero && (fm.iMin != fm.iMax || !fm.bLetterale)) continue;
                    auto v = fm.f.Leggi(t, mesi);
                    if (!v) continue;
                    if (fm.bOre && !fm.bMeridiano && v->iOre > 23 && fm.sTesto.size() <= 5)
                        continue;
                    Valore val{r, q.a, q.b, *v};
                    Archivia(perInizio, perFine, f, val);
                }
            };
            for (const Pezzo& q : prove) prova(q, true);
            if (mbSeparati) DentroIlCampo(r, p.a, p.b, perInizio, perFine);
            // Hours, minutes and seconds ended by letters (00H02M13, 2h05m13s): read as if the
            // letters were colons; the driver replaces them before the field is read.
            if (const std::string normale =
                    SenzaLettere(std::string_view(s.data() + p.a, static_cast<size_t>(p.b - p.a)));
                !normale.empty() && !mbSeparati)
                for (size_t f = 0; f < mvFormati.size(); ++f) {
                    const Formato& fm = mvFormati[f];
                    if (fm.bData || !fm.bOre || fm.bMeridiano || normale.size() < fm.iMin ||
                        normale.size() > fm.iMax || fm.sTesto.find(':') == std::string::npos)
                        continue;
                    const auto v = fm.f.Leggi(normale, mesi);
                    if (!v) continue;
                    const Valore val{r, p.a, p.b, *v};
                    Archivia(perInizio, perFine, f, val, true);
                }
            // A long run of digits may open with a time of fixed length (0814002579: 08:14,
            // then what follows); the column then tells whether it is one.
            const std::string_view tutto(s.data() + p.a, static_cast<size_t>(p.b - p.a));
            if (mbSeparati || tutto.size() <= 6 ||
                !std::all_of(tutto.begin(), tutto.begin() + 7, Cifra))
                continue;
            for (size_t f = 0; f < mvFormati.size(); ++f) {
                const Formato& fm = mvFormati[f];
                if (!fm.bOre || fm.bData || fm.bLetterale || fm.iMin != fm.iMax || fm.iMin < 4 ||
                    fm.iMin >= tutto.size())
                    continue;
                const auto v = fm.f.Leggi(tutto.substr(0, fm.iMin), mesi);
                if (!v || v->iOre > 23) continue;
                const Valore val{r, p.a, p.a + static_cast<int>(fm.iMin), *v, true};
                Archivia(perInizio, perFine, f, val);
            }
        }
        // Values glued to others (14.12.2608:02:41, 1000004200:00:42...): a format of fixed
        // length with separators is looked for wherever its separators stand among digits.
        // Separated fields have their boundaries already.
        for (size_t f = 0; f < mvFormati.size() && !mbSeparati; ++f) {
            const Formato& fm = mvFormati[f];
            if (fm.iMin != fm.iMax || !fm.bLetterale || fm.bMeridiano) continue;
            const size_t L = fm.iMin;
            const std::string& schema = fm.sTesto;
            if (schema.size() != L) continue;
            if (schema.find(' ') != std::string::npos) {
                Spaziati(r, f, perInizio, perFine);
                continue;
            }
            for (size_t i = 0; i + L <= s.size(); ++i) {
                bool va = true;
                for (size_t j = 0; j < L && va; ++j) {
                    const char c = s[i + j];
                    va = Lettera(schema[j]) ? Cifra(c) : c == schema[j];
                }
                if (!va) continue;
                // Whole values only: not a piece of a longer value of the same shape
                // (08:02 of 08:02:41, 12/08/20 of 12/08/2026).
                auto separa = [&](char c) {
                    return schema.find(c) != std::string::npos && !Lettera(c);
                };
                const bool prima =
                    i > 0 && (separa(s[i - 1]) || (Cifra(s[i - 1]) && i > 1 && separa(s[i - 2])));
                const bool dopo = i + L < s.size() &&
                                  (separa(s[i + L]) || (Cifra(s[i + L]) && i + L + 1 < s.size() &&
                                                        separa(s[i + L + 1])));
                if (prima || dopo) continue;
                // Nor the tail of an amount (00.36 of 0000.36): digits glued before a value
                // whose last separator is a decimal point, ending the word.
                if (i > 0 && Cifra(s[i - 1]) && L >= 3 &&
                    (schema[L - 3] == '.' || schema[L - 3] == ',') &&
                    (i + L == s.size() || s[i + L] == ' '))
                    continue;
                const bool incollato =
                    (i > 0 && Cifra(s[i - 1])) || (i + L < s.size() && Cifra(s[i + L]));
                const std::string_view t(s.data() + i, L);
                auto v = fm.f.Leggi(t, mesi);
                if (!v) continue;
                if (fm.bOre && v->iOre > 23 && schema.size() <= 5) continue;
                Valore val{r, static_cast<int>(i), static_cast<int>(i + L), *v, incollato};
                Archivia(perInizio, perFine, f, val);
            }
        }
    }
    for (auto* m : {&perInizio, &perFine})
        for (auto& [k, c] : *m) {
            if (c.vValori.size() < 2) continue;
            // Digits read inside longer digits must change from call to call as times do
            // (122208 on every line is a date and an hour, not a time).
            if (c.Incollati() == static_cast<int>(c.Righe()) && !mvFormati[c.iFormato].bLetterale) {
                std::set<long long> diversi;
                for (const auto& v : c.vValori) diversi.insert(v.v.TotaleSecondi());
                if (diversi.size() * 10 < c.Righe() * 6) continue;
            }
            // Pairs of digits between blanks are as likely a trunk, an extension and a code:
            // a date stays or moves forward by less than a month from one call to the next
            // (on four steps in five at least).
            if (mvFormati[c.iFormato].sTesto.find(' ') != std::string::npos) {
                const auto giorni = [](const ValoreDataOra& v) {
                    return std::max(v.iAnno, 0) * 372 + std::max(v.iMese, 0) * 31 +
                           std::max(v.iGiorno, 0);
                };
                size_t avanti = 0;
                for (size_t i = 1; i < c.vValori.size(); ++i) {
                    const int passo = giorni(c.vValori[i].v) - giorni(c.vValori[i - 1].v);
                    avanti += passo >= 0 && passo < 31;
                }
                if (avanti * 5 < (c.vValori.size() - 1) * 4) continue;
            }
            c.a = c.vValori.front().a;
            c.b = c.vValori.front().b;
            for (const auto& v : c.vValori) {
                c.a = std::min(c.a, v.a);
                c.b = std::max(c.b, v.b);
            }
            mvCandidate.push_back(std::move(c));
        }
}

// Fields glued into runs of digits that stand at the same columns (a date and a time twice, a
// time and what follows it): split where the runs end on some lines and where the formats read
// valid values that change as dates and times do. The fields of the likeliest reading stand for
// whatever else was read inside those runs.
// Runs of digits whose column holds a word on other lines that print a time with its
// separators (a caller's name where the number stands, ROSSI MARIO beside 0555224545) are a
// column of text: a number, not fields packed together.
bool Proponitore::ParoleAlPostoDelleCifre(const CorsaCifre& corsa) {
    const std::set<size_t> righe(corsa.vRighe.begin(), corsa.vRighe.end());
    std::set<size_t> conOra;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (!f.bLetterale || !f.bOre || f.bData) continue;
        for (const auto& v : c.vValori)
            if (!Sovrapposti(v.a, v.b, corsa.a, corsa.b)) conOra.insert(v.iRiga);
    }
    const auto a = static_cast<size_t>(corsa.a);
    std::vector<size_t> parole;
    for (size_t r : conOra) {
        const std::string& s = mvRighe[r];
        if (righe.count(r) || s.size() <= a || !Lettera(s[a]) || (a && s[a - 1] != ' ')) continue;
        parole.push_back(r);
    }
    if (parole.size() < 2) return false;
    std::string esempi;
    for (size_t i = 0; i < parole.size() && i < 2; ++i) {
        const std::string& s = mvRighe[parole[i]];
        esempi += (i ? ", \"" : "\"") + s.substr(a, std::min(s.find(' ', a), s.size()) - a) + "\"";
    }
    Voce(Ambito::Righe, "Cifre senza separatori",
         Dove(corsa.a, corsa.b) + ": cifre attaccate su " +
             Num(static_cast<long long>(corsa.vRighe.size())) + " righe, ma " +
             Num(static_cast<long long>(parole.size())) +
             " altre righe con un'ora vi stampano parole (" + esempi +
             "): \xE8 una colonna di testo (un numero), non campi attaccati");
    return true;
}

void Proponitore::Impaccate() {
    std::vector<std::string> testi;
    for (const auto& f : mvFormati) testi.push_back(f.sTesto);
    auto descrivi = [&](const PezzoCifre& p) {
        return (p.bDecimi
                    ? std::string("durata in ore, minuti e decimi di minuto")
                    : (p.bDurata ? "durata " : "") + ("\"" + mvFormati[p.iFormato].sTesto + "\"")) +
               " in " + Dove(p.a, p.b);
    };
    auto valore = [](const PezzoCifre& p) {
        const ValoreDataOra& v = p.vValori.front().second;
        return p.bData ? v.TestoData() : p.bDurata ? Num(v.TotaleSecondi()) + " s" : v.TestoOra();
    };
    for (const CorsaCifre& corsa : DividiCifre(mvRighe, testi)) {
        if (mbSeparati && !DataOraNelCampo(corsa)) continue;
        // Runs that hold no reading hold no time either (a number dialled that opens with
        // digits a time format reads).
        const std::set<size_t> righe(corsa.vRighe.begin(), corsa.vRighe.end());
        std::erase_if(mvCandidate, [&](const Colonna& c) {
            const Formato& f = mvFormati[c.iFormato];
            if (f.bLetterale || c.a < corsa.a || c.b > corsa.b) return false;
            if (corsa.vLetture.empty() && f.bData) return false;
            size_t dentro = 0;
            for (const auto& v : c.vValori) dentro += righe.count(v.iRiga);
            return dentro * 2 >= c.Righe();
        });
        if (corsa.vLetture.empty()) continue;
        if (ParoleAlPostoDelleCifre(corsa)) continue;
        const LetturaCifre& scelta = corsa.vLetture.front();
        std::string campi;
        bool data = false;
        for (const PezzoCifre& p : scelta.vPezzi) {
            campi += (campi.empty() ? "" : ", ") + descrivi(p) + " (" + valore(p) + ")";
            mvPezziImpaccati.push_back(p);
            // The call's date is the first one (of the start); the others stay apart.
            if (p.bDecimi || (p.bData && data)) continue;
            data |= p.bData;
            Colonna c;
            c.iFormato = p.iFormato;
            c.a = p.a;
            c.b = p.b;
            c.bImpaccata = true;
            for (const auto& [r, v] : p.vValori) c.vValori.push_back(Valore{r, p.a, p.b, v, false});
            mvCandidate.push_back(std::move(c));
        }
        const bool pari = corsa.vLetture.size() > 1 && corsa.vLetture[1].iPunti == scelta.iPunti;
        Voce(Ambito::Righe, "Cifre senza separatori",
             Dove(corsa.a, corsa.b) + ": cifre attaccate su " +
                 Num(static_cast<long long>(corsa.vRighe.size())) + " righe, divise in " + campi +
                 ": ogni valore \xE8 valido e le ore cambiano da una riga all'altra" +
                 (pari ? "; pi\xF9 divisioni vanno bene: scelta la prima" : ""),
             pari);
        if (corsa.vLetture.size() < 2) continue;
        for (const LetturaCifre& l : corsa.vLetture) {
            VoceProposta::Alternativa alt;
            alt.bScelta = &l == &scelta;
            for (const PezzoCifre& p : l.vPezzi) {
                alt.sLettura += (alt.sLettura.empty() ? "" : ", ") + descrivi(p);
                alt.vValori.push_back(valore(p));
            }
            mP.vVoci.back().vAlternative.push_back(std::move(alt));
        }
    }
}

// The fields split out of runs of digits that no field took (the date of the end beside the
// date of the start) are no field: the other columns are looked for around them.
void Proponitore::ImpaccateRestanti() {
    for (const PezzoCifre& p : mvPezziImpaccati) {
        bool preso = false;
        for (const auto& [a, b] : mvOccupate) preso |= a < p.b && p.a < b;
        if (preso) continue;
        mvOccupate.emplace_back(p.a, p.b);
        if (p.bDecimi) {
            std::string esempi;
            for (size_t i = 0; i < p.vValori.size() && i < 3; ++i)
                esempi += (i ? ", " : "") + Testo(p.vValori[i].first, p.a, p.b) + " = " +
                          Num(p.vValori[i].second.TotaleSecondi()) + " s";
            Voce(Ambito::Campo, "Durata",
                 Dove(p.a, p.b) + ": una durata in ore, minuti e decimi di minuto (" + esempi +
                     "): il driver converte i decimi solo in minuti e decimi senza le ore, "
                     "quindi la durata non \xE8 proposta; le sue cifre restano fuori dagli "
                     "altri campi",
                 true, false, "dDurata", p.a, p.b);
            continue;
        }
        Voce(Ambito::Campo, "Cifre senza separatori",
             Dove(p.a, p.b) + ": \"" + mvFormati[p.iFormato].sTesto + "\" vi legge " +
                 (p.bData     ? "una seconda data"
                  : p.bDurata ? "una durata"
                              : "un'altra ora") +
                 " nelle cifre attaccate: non \xE8 un campo della chiamata");
    }
}

// Fields glued to the next where other lines print them apart (an access code before the
// number dialled, 34007 alone where others print 101 and 0555123456): the columns where a field
// begins, read on the call lines with the fields taken so far as blanks.
void Proponitore::DividiIncollati() {
    if (mbSeparati) return;
    std::vector<std::string> righe(mvRighe.size());
    for (size_t r : mvChiamate) {
        righe[r] = mvRighe[r];
        for (const auto& [a, b] : mvOccupate)
            for (int x = a; x < b && x < static_cast<int>(righe[r].size()); ++x)
                righe[r][static_cast<size_t>(x)] = ' ';
    }
    for (int x : ConfiniNelleCifre(righe, mvChiamate)) {
        mConfini.insert(x);
        size_t incollati = 0;
        for (size_t r : mvChiamate)
            incollati += x > 0 && static_cast<size_t>(x) < righe[r].size() &&
                         Cifra(righe[r][static_cast<size_t>(x) - 1]) &&
                         Cifra(righe[r][static_cast<size_t>(x)]);
        Voce(Ambito::Righe, "Cifre senza separatori",
             "colonna " + Num(x + 1) +
                 ": su alcune righe un campo comincia qui dopo un bianco, su " +
                 Num(static_cast<long long>(incollati)) +
                 " \xE8 attaccato a un codice di pochi valori che lo precede: i campi sono "
                 "divisi qui",
             true);
    }
}

// A printout of separated fields: a separator that cuts most lines into the same number of
// fields (three or more). The heading lines are the first lines without a value of a date or
// time format; the first of them names the fields.
bool Proponitore::ProvaSeparati() {
    const size_t esame = std::min<size_t>(mvRighe.size(), 300);
    if (esame < 2) return false;
    struct Prova {
        char c = 0;
        size_t iCampi = 0, iRighe = 0;
    };
    Prova migliore;
    CampiRiga campi;
    for (char c : {',', ';', '\t', '|'}) {
        std::map<size_t, size_t> conta;
        for (size_t r = 0; r < esame; ++r) {
            if (mvRighe[r].find(c) == std::string::npos) continue;
            DividiCampi(mvRighe[r], c, '"', campi);
            ++conta[campi.iCampi];
        }
        for (const auto& [n, k] : conta)
            if (n >= 3 && (k > migliore.iRighe || (k == migliore.iRighe && n > migliore.iCampi)))
                migliore = {c, n, k};
    }
    if (!migliore.c || migliore.iRighe * 10 < esame * 6) {
        size_t righe = 0;
        if (const size_t n = ParoleSeparate(esame, righe)) migliore = {' ', n, righe};
    }
    // Records of events, each of its own fields: the counts of fields differ by the event.
    if ((!migliore.c || migliore.iRighe * 10 < esame * 9) && RecordDiEventi(esame))
        migliore = {mcEventi, miCampiEventi, esame};
    if (!migliore.c || migliore.iRighe * 10 < esame * 6) return false;
    mbSeparati = true;
    mcSeparatore = migliore.c;
    // The heading: the first lines of words, none of which a format reads as a date or time.
    const CodiciMesi& mesi = mMesi;
    // A value a format reads, or (separati) one with the format's separators, not bare digits.
    auto valore = [&](std::string_view v, bool separati) {
        v = TogliSpazi(v);
        if (v.empty() || !Cifra(v.front())) return false;
        if (const size_t n = OrologioConFrazione(v.substr(0, v.find(' ')))) v = v.substr(0, n);
        for (const auto& f : mvFormati)
            if (!f.bSolo && (f.bLetterale || !separati) && f.f.Leggi(v, mesi)) return true;
        // A date and its time parted by a blank, or by the T of an ISO 8601 moment
        // (2026-12-07T14:02:11Z): the date alone.
        size_t parte = v.find(' ');
        if (const size_t t = v.find('T'); parte == std::string_view::npos &&
                                          t != std::string_view::npos && t > 0 &&
                                          t + 1 < v.size() && Cifra(v[t - 1]) && Cifra(v[t + 1]))
            parte = t;
        if (parte != std::string_view::npos) {
            const std::string_view p = v.substr(0, parte);
            for (const auto& f : mvFormati)
                if (!f.bSolo && (f.bLetterale || !separati) && f.f.Leggi(p, mesi)) return true;
        }
        return false;
    };
    auto haValore = [&](const std::vector<std::string>& campiRiga) {
        return std::any_of(campiRiga.begin(), campiRiga.end(),
                           [&](const std::string& t) { return valore(t, false); });
    };
    const auto dataOra = [&](std::string_view v) { return valore(v, true); };
    std::vector<std::vector<std::string>> pezzi(mvRighe.size());
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        DividiCampi(mvRighe[r], mcSeparatore, '"', campi);
        pezzi[r].assign(campi.vCampi.begin(),
                        campi.vCampi.begin() + static_cast<long>(campi.iCampi));
        for (auto& t : pezzi[r])
            for (char& ch : t)
                if (ch == '\t') ch = ' ';
    }
    // A log writer's clock before the heading's names and every record's fields: the heading
    // is the first line, and the writer's prefix is no field.
    const bool prefisso =
        PrefissoDelloScrittore(pezzi, [&](std::string_view v) { return valore(v, false); });
    if (prefisso) miIntestazione = 1;
    while (miIntestazione < pezzi.size() && miIntestazione < 5 &&
           pezzi[miIntestazione].size() >= 3 && !haValore(pezzi[miIntestazione]) &&
           !RigaDiCifre(pezzi[miIntestazione]) &&
           !ComeIRecordSotto(pezzi, miIntestazione, miIntestazione + 300))
        ++miIntestazione;
    const size_t n = CampiDeiRecord(pezzi, migliore.iCampi, dataOra);
    if (!mAperture.empty()) miComuni = miComuniEventi;
    std::vector<std::vector<std::string>> righe(mvRighe.size());
    mvLarghezza.assign(n, 1);
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        const size_t k = pezzi[r].size();
        // A record of another length is no call of this layout, unless a field holds
        // separators or its last empty fields were dropped.
        if (k != n && !(k > n && miVariabile >= 0) && !(k < n && k >= miComuni && k >= 3)) continue;
        if (!mAperture.empty() && (k <= miEventoCampo || !mAperture.count(std::string(
                                                             TogliSpazi(pezzi[r][miEventoCampo])))))
            continue;  // an event of a call already opened
        righe[r] = CampiDaPezzi(pezzi[r], n, miVariabile, mcSeparatore);
        for (size_t c = 0; c < n; ++c)
            mvLarghezza[c] = std::max(mvLarghezza[c], static_cast<int>(righe[r][c].size()));
    }
    TogliChiavi(righe);
    IndirizziNeiCampi(righe);
    mvColonna.assign(n, 0);
    for (size_t k = 1; k < n; ++k) mvColonna[k] = mvColonna[k - 1] + mvLarghezza[k - 1] + 1;
    PorteDiRete(righe);
    // Fields some records lack are never read: those records would not be recognised.
    for (size_t k = miComuni; k < n; ++k)
        mvOccupate.emplace_back(mvColonna[k], mvColonna[k] + mvLarghezza[k]);
    if (miIntestazione > 0) mvNomi = righe[0];
    std::vector<std::string> nuove(mvRighe.size());
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        if (righe[r].empty()) {
            nuove[r] = "?";  // a record of another length: no call of this layout
            continue;
        }
        std::string& t = nuove[r];
        for (size_t k = 0; k < n; ++k) {
            t.resize(static_cast<size_t>(mvColonna[k]), ' ');
            t += prefisso && k == 0 ? std::string(righe[r][k].size(), ' ') : righe[r][k];
        }
        while (!t.empty() && t.back() == ' ') t.pop_back();
        if (t.empty()) t = "?";
    }
    mvRighe = std::move(nuove);
    const char* nome = mcSeparatore == ','    ? "la virgola"
                       : mcSeparatore == ';'  ? "il punto e virgola"
                       : mcSeparatore == '\t' ? "il tabulatore"
                       : mcSeparatore == ' ' ? "uno spazio solo, fra valori di larghezza variabile,"
                                             : "la barra verticale";
    Voce(Ambito::Stampa, "Campi separati",
         std::string(nome) + " divide " + Num(static_cast<long long>(migliore.iRighe)) +
             " righe su " + Num(static_cast<long long>(esame)) + " in " +
             Num(static_cast<long long>(migliore.iCampi)) +
             " campi: la stampa \xE8 a campi separati, letti per numero" +
             (miIntestazione ? "; " + Num(static_cast<long long>(miIntestazione)) +
                                   (miIntestazione == 1 ? " riga" : " righe") +
                                   " di intestazione, che il motore salta, e i campi hanno i nomi "
                                   "della prima"
                             : std::string("; nessuna intestazione")));
    if (!msPezzi.empty()) Voce(Ambito::Stampa, "Campi e pezzi dei record", msPezzi, mbPari);
    if (!mAperture.empty()) {
        miEventiA = mvColonna[miEventoCampo];
        if (miEventoId >= 0)
            mvOccupate.emplace_back(mvColonna[static_cast<size_t>(miEventoId)],
                                    mvColonna[static_cast<size_t>(miEventoId)] +
                                        mvLarghezza[static_cast<size_t>(miEventoId)]);
        Voce(Ambito::Righe, "Eventi di una chiamata", msEventi, true);
    }
    if (prefisso)
        Voce(Ambito::Stampa, "Prefisso dello scrittore",
             "il campo 1 comincia con un'ora anche sulla riga dei nomi dei campi (\"" +
                 pezzi[0][0].substr(0, 40) +
                 "\"): \xE8 l'ora in cui il registro ha scritto la riga, con il suo prefisso, e "
                 "non un campo della chiamata");
    return true;
}

// Records of name=value pairs: a field that opens with the same "name=" on every record is
// named by it, as a heading would name it, and its value is read after it (the field's first
// characters are skipped), so the value's own columns are looked at as any other.
void Proponitore::TogliChiavi(std::vector<std::vector<std::string>>& rRighe) {
    const size_t n = mvLarghezza.size();
    const std::vector<std::string> chiavi = ChiaviDeiCampi(rRighe, miIntestazione, n);
    mvTolto.assign(n, 0);
    std::string elenco;
    size_t quante = 0;
    for (size_t k = 0; k < n; ++k) {
        const std::string& c = chiavi[k];
        if (c.empty()) continue;
        mvTolto[k] = static_cast<int>(c.size());
        mvLarghezza[k] = 1;
        for (size_t r = 0; r < rRighe.size(); ++r) {
            if (rRighe[r].empty()) continue;
            if (r >= miIntestazione) rRighe[r][k].erase(0, c.size());
            mvLarghezza[k] = std::max(mvLarghezza[k], static_cast<int>(rRighe[r][k].size()));
        }
        if (miIntestazione == 0) {
            mvNomi.resize(n);
            mvNomi[k] = c.substr(0, c.size() - 1);
        }
        if (quante++ < 4) elenco += (elenco.empty() ? "\"" : ", \"") + c + "\"";
    }
    if (!quante) return;
    Voce(Ambito::Stampa, "Nomi nei campi",
         Num(static_cast<long long>(quante)) +
             " campi cominciano su ogni record con lo stesso nome (" + elenco +
             (quante > 4 ? "..." : "") +
             "): il nome dice che cosa contiene il campo, e il valore si legge dopo di lui");
}

// How many fields a record has when the pieces of the records are not all their fields: with
// the tab between fields, a heading that names more fields than most records have pieces says
// that their last empty fields were dropped with the blanks at the line's end; records with
// more pieces than the heading names (or than most records have) hold a field with separators
// and no quotes, read as one: the fields before it by number, those after it from the end.
size_t Proponitore::CampiDeiRecord(const std::vector<std::vector<std::string>>& pezzi,
                                   size_t comuni,
                                   const std::function<bool(std::string_view)>& dataOra) {
    size_t n = comuni;
    miComuni = comuni;
    const size_t nomi = miIntestazione ? pezzi[0].size() : 0;
    if (nomi > n && mcSeparatore == '\t') {
        msPezzi = "l'intestazione nomina " + Num(static_cast<long long>(nomi)) +
                  " campi e la maggior parte dei record ne ha " + Num(static_cast<long long>(n)) +
                  ": gli ultimi campi vuoti hanno perso i tabulatori con gli spazi a fine riga; i "
                  "campi dal " +
                  Num(static_cast<long long>(n + 1)) +
                  " in poi, che alcuni record non hanno, non sono letti";
        return nomi;
    }
    if (nomi >= 3 && nomi < n) n = nomi;
    miComuni = n;
    // The records after the heading, enough of them to tell the fields apart.
    const std::vector<std::vector<std::string>> record(
        pezzi.begin() + static_cast<long>(miIntestazione),
        pezzi.begin() + static_cast<long>(std::min(pezzi.size(), miIntestazione + 300)));
    std::vector<bool> nomiDataOra(n, false);
    for (size_t k = 0; k < n && nomi == n; ++k)
        nomiDataOra[k] =
            HaParola(Maiusc(pezzi[0][k]), {"DATE", "TIME", "START", "END", "ANSWER", "BEGIN",
                                           "STOP", "DATA", "ORA", "INIZIO", "FINE"});
    bool& pari = mbPari;
    miVariabile = CampoVariabile(record, n, dataOra, nomiDataOra, pari);
    if (miVariabile < 0) return n;
    size_t piu = 0, massimo = 0;
    for (const auto& r : record) {
        piu += r.size() > n;
        massimo = std::max(massimo, r.size());
    }
    const std::string nome =
        nomi == n ? " (" + pezzi[0][static_cast<size_t>(miVariabile)] + ")" : std::string();
    msPezzi = Num(static_cast<long long>(piu)) + " record hanno pi\xF9 pezzi (fino a " +
              Num(static_cast<long long>(massimo)) + ") dei " + Num(static_cast<long long>(n)) +
              (nomi == n ? " campi che l'intestazione nomina" : " campi della maggior parte") +
              ": il campo " + Num(miVariabile + 1) + nome +
              " contiene separatori senza virgolette e i suoi pezzi sono uniti; i campi prima "
              "sono letti per numero, quelli dopo contati dalla fine del record (numero "
              "negativo), cos\xEC leggono le stesse colonne su ogni record" +
              (pari ? "; anche un campo precedente andrebbe bene: scelto l'ultimo che lascia "
                      "date e ore nei loro campi"
                    : "");
    return n;
}

// Words split by a single blank (none before the first, none after the last, never two blanks
// together) are fields when most lines hold the same number of them (three or more) and a word
// of that number starts at other columns on other lines: values of varying width, so no column
// layout reads them. Words at the same columns on every line are left to the columns.
size_t Proponitore::ParoleSeparate(size_t iEsame, size_t& rRighe) const {
    std::map<size_t, size_t> conta;
    std::map<size_t, std::vector<size_t>> inizi;  // by count: the columns of the first line
    std::set<size_t> spostate;                    // counts whose words move
    for (size_t r = 0; r < iEsame; ++r) {
        const std::string& t = mvRighe[r];
        if (t.empty() || t.front() == ' ' || t.back() == ' ' || t.find("  ") != std::string::npos ||
            t.find('\t') != std::string::npos)
            continue;
        std::vector<size_t> col{0};
        for (size_t i = 0; i < t.size(); ++i)
            if (t[i] == ' ') col.push_back(i + 1);
        const size_t n = col.size();
        ++conta[n];
        const auto [it, nuovo] = inizi.emplace(n, col);
        if (!nuovo && it->second != col) spostate.insert(n);
    }
    size_t migliore = 0;
    rRighe = 0;
    for (const auto& [n, k] : conta)
        if (n >= 3 && spostate.count(n) && k > rRighe) {
            migliore = n;
            rRighe = k;
        }
    return migliore;
}

// Every position of the driver, proposed on the fields laid out as columns, becomes a field
// number.
void Proponitore::PosizioniInCampi() {
    clsDriver& d = mP.driver;
    d.mbCampiSeparati = true;
    d.msSeparatoreCampi = CarattereInTesto(mcSeparatore);
    d.miRigheIntestazione = static_cast<int32_t>(miIntestazione);
    auto sposta = [this](auto& x) {
        if (x.miInizio <= 0) return;
        const int a = x.miInizio - 1, b = a + x.miLunghezza;
        InCampo(a, b, x.miInizio, x.miLunghezza, x.miNelCampo);
        // After a field holding separators, fields count from the record's end.
        if (miVariabile >= 0 && x.miInizio > miVariabile + 1)
            x.miInizio = static_cast<int16_t>(x.miInizio - static_cast<int>(mvColonna.size()) - 1);
    };
    SpostaPosizioni(d, sposta, false);
}

// Calls on several lines, each opened by a line of one shape (a mark at one column): unless
// the time found on most lines stands once in every call and on its opener (calls of one line,
// with lines after them), the lines of each call are laid side by side on one line and the
// values are looked for again. A call kind has a fixed number of lines: where the calls have
// more or fewer, the fewest are read and the lines after them are left out.
bool Proponitore::InBlocchi() {
    const auto b = TrovaBlocchi(mvRighe);
    if (!b) return false;
    const Colonna* ora = nullptr;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData && mvFormati[c.iFormato].bOre &&
            (!ora || c.Righe() > ora->Righe()))
            ora = &c;
    // Every call starts with its opener: no time stands before the first one.
    if (!ora || ora->vValori.front().iRiga < b->vInizi.front()) return false;
    for (size_t k = 0; k < b->vInizi.size(); ++k) {
        // The time on an opener: calls of one line, some followed by lines of their own or
        // by calls of another kind.
        if (ora->Su(b->vInizi[k])) return false;
        size_t dentro = 0;
        for (size_t r = b->vInizi[k]; r < b->vInizi[k] + b->vRighe[k]; ++r) dentro += !!ora->Su(r);
        if (dentro == 0) return false;  // a call without the time: no calls of this shape
    }
    // Groups of lines that each hold the time, of varying count, under a line that opens each
    // group (a date, a title, with column titles of no digit): calls of one line.
    if (b->Minimo() != b->Massimo()) {
        bool ognuna = true;
        for (size_t k = 0; k < b->vInizi.size() && ognuna; ++k)
            for (size_t r = b->vInizi[k] + 1; r < b->vInizi[k] + b->vRighe[k]; ++r)
                ognuna &= ora->Su(r) != nullptr ||
                          std::none_of(mvRighe[r].begin(), mvRighe[r].end(), Cifra);
        if (ognuna) return false;
    }
    const size_t n = b->Minimo();
    size_t larga = 0;
    for (size_t inizio : b->vInizi)
        for (size_t r = inizio; r < inizio + n; ++r) larga = std::max(larga, mvRighe[r].size());
    miLarghezzaRiga = static_cast<int>(larga) + 4;
    miRigheBlocco = static_cast<int>(n);
    msApre = b->sApre;
    miApreA = b->iColonna;
    // Each length of call, with the lines where the first calls of it start.
    std::map<size_t, std::vector<std::string>> perRighe;
    for (size_t k = 0; k < b->vInizi.size(); ++k) {
        auto& v = perRighe[b->vRighe[k]];
        if (v.size() < 3)
            v.push_back("riga " + Num(static_cast<long long>(mvNumeri[b->vInizi[k]])));
    }
    std::vector<std::string> righe;
    std::vector<uint64_t> numeri;
    for (size_t r = 0, k = 0; r < mvRighe.size(); ++r) {
        if (k < b->vInizi.size() && b->vInizi[k] == r) {
            std::string unita;
            for (size_t i = 0; i < n; ++i) {
                unita.resize(i * static_cast<size_t>(miLarghezzaRiga), ' ');
                unita += mvRighe[r + i];
            }
            righe.push_back(std::move(unita));
            numeri.push_back(mvNumeri[r]);
            // The lines after the fewest are no call and no heading: left out.
            r += b->vRighe[k] - 1;
            ++k;
            continue;
        }
        righe.push_back(mvRighe[r]);
        numeri.push_back(mvNumeri[r]);
    }
    mvRighe = std::move(righe);
    mvNumeri = std::move(numeri);
    mvCandidate.clear();
    mvOccupate.emplace_back(miApreA, miApreA + static_cast<int>(msApre.size()));
    const std::string apre = "\"" + msApre + "\" in colonna " + Num(miApreA + 1) + " apre " +
                             Num(static_cast<long long>(b->vInizi.size())) + " chiamate";
    if (b->Minimo() == b->Massimo()) {
        Voce(Ambito::Righe, "Chiamate su pi\xF9 righe",
             apre + ", ognuna di " + Num(static_cast<long long>(n)) +
                 " righe: una chiamata \xE8 la riga che lo porta e le righe che la seguono fino "
                 "alla prossima; i campi sono cercati su tutte le sue righe");
        return true;
    }
    VoceProposta v;
    v.ambito = Ambito::Righe;
    v.sTitolo = "Chiamate su pi\xF9 righe";
    v.bIncerto = true;
    v.sTesto = apre + " di " + Num(static_cast<long long>(b->Minimo())) + "-" +
               Num(static_cast<long long>(b->Massimo())) +
               " righe: una chiamata \xE8 la riga che lo porta e le righe che la seguono fino "
               "alla prossima; un tipo di chiamata ha per\xF2 un numero fisso di righe: sono "
               "proposte " +
               Num(static_cast<long long>(n)) +
               ", le chiamate pi\xF9 corte, perch\xE9 una chiamata non prenda la riga che apre "
               "la seguente; le righe oltre restano non riconosciute e ci\xF2 che vi sta non "
               "\xE8 letto";
    for (const auto& [righe, primi] : perRighe) {
        VoceProposta::Alternativa a;
        a.sLettura = Num(static_cast<long long>(righe)) + " righe";
        a.vValori = primi;
        a.bScelta = righe == n;
        v.vAlternative.push_back(std::move(a));
    }
    mP.vVoci.push_back(std::move(v));
    return true;
}

// Calls always printed on the same number of lines, with no mark opening them: the lines
// holding the time found on most lines stand a fixed number of lines apart in the printout
// (2 to 8, blank lines counted), every other line of a call starts at the same column with the
// same kind of sign as that line of the other calls, or is blank, and text that is not the same
// on every call stands on one of them at least (a rule or a blank line after each call is no
// line of it). The calls are laid side by side as above, and the driver keeps blank lines: a
// line printed empty (no account code entered) still counts among the call's lines.
bool Proponitore::InCiclo() {
    const Colonna* ora = nullptr;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData && mvFormati[c.iFormato].bOre &&
            (!ora || c.Righe() > ora->Righe()))
            ora = &c;
    if (!ora || ora->Righe() < 3) return false;
    std::vector<size_t> inizi;
    for (const auto& v : ora->vValori) inizi.push_back(v.iRiga);
    const uint64_t passo = mvNumeri[inizi[1]] - mvNumeri[inizi[0]];
    if (passo < 2 || passo > 8) return false;
    for (size_t k = 0; k + 1 < inizi.size(); ++k)
        if (mvNumeri[inizi[k + 1]] - mvNumeri[inizi[k]] != passo) return false;
    // Each line of a call by its place in the call: where it starts, what sign opens it, the
    // texts seen there.
    std::vector<std::set<std::string>> testi(passo);
    std::vector<std::optional<std::pair<size_t, int>>> forma(passo);
    auto classe = [](char c) { return Cifra(c) ? 0 : Lettera(c) ? 1 : 2; };
    std::vector<size_t> fine;  // past the last line index of each call
    for (size_t inizio : inizi) {
        size_t r = inizio + 1;
        while (r < mvRighe.size() && mvNumeri[r] < mvNumeri[inizio] + passo) {
            const size_t i = mvNumeri[r] - mvNumeri[inizio];
            const std::string& t = mvRighe[r];
            const size_t primo = t.find_first_not_of(' ');
            const std::pair<size_t, int> f{primo, classe(t[primo])};
            if (forma[i] && *forma[i] != f) return false;
            forma[i] = f;
            testi[i].insert(t);
            ++r;
        }
        fine.push_back(r);
    }
    bool varia = false;
    for (size_t i = 1; i < passo; ++i) varia |= testi[i].size() > 1;
    if (!varia) return false;
    const size_t n = passo;
    size_t larga = 0;
    for (size_t k = 0; k < inizi.size(); ++k)
        for (size_t r = inizi[k]; r < fine[k]; ++r) larga = std::max(larga, mvRighe[r].size());
    miLarghezzaRiga = static_cast<int>(larga) + 4;
    miRigheBlocco = static_cast<int>(n);
    mbRigheVuoteInChiamata = true;
    std::vector<std::string> righe;
    std::vector<uint64_t> numeri;
    for (size_t r = 0, k = 0; r < mvRighe.size(); ++r) {
        if (k < inizi.size() && inizi[k] == r) {
            std::string unita;
            for (; r < fine[k]; ++r) {
                unita.resize(
                    (mvNumeri[r] - mvNumeri[inizi[k]]) * static_cast<size_t>(miLarghezzaRiga), ' ');
                unita += mvRighe[r];
            }
            righe.push_back(std::move(unita));
            numeri.push_back(mvNumeri[inizi[k]]);
            --r;
            ++k;
            continue;
        }
        righe.push_back(mvRighe[r]);
        numeri.push_back(mvNumeri[r]);
    }
    const std::string dove = Dove(ora->a, ora->b);
    mvRighe = std::move(righe);
    mvNumeri = std::move(numeri);
    mvCandidate.clear();
    Voce(Ambito::Righe, "Chiamate su pi\xF9 righe",
         "l'ora di " + dove + " sta su " + Num(static_cast<long long>(inizi.size())) +
             " righe, sempre " + Num(static_cast<long long>(n)) +
             " righe una dall'altra (righe vuote comprese), e ogni altra riga di una chiamata "
             "comincia alla stessa colonna con lo stesso segno (cifra, lettera) che nelle altre "
             "chiamate, o \xE8 vuota: una chiamata \xE8 di " +
             Num(static_cast<long long>(n)) +
             " righe, la prima quella dell'ora; le righe vuote contano fra le righe della "
             "chiamata (non sono ignorate) e i campi sono cercati su tutte le sue righe");
    return true;
}

// Every position found on the lines laid side by side goes back to its line of the call.
void Proponitore::PosizioniInBlocchi() {
    clsDriver& d = mP.driver;
    const int w = miLarghezzaRiga;
    auto sposta = [w](auto& x) {
        if (x.miInizio <= 0) return;
        const int a = x.miInizio - 1, riga = a / w;
        const int b = std::min(a + std::max<int>(x.miLunghezza, 1), (riga + 1) * w);
        x.miRiga = static_cast<int16_t>(riga + 1);
        x.miInizio = static_cast<int16_t>(a - riga * w + 1);
        if (x.miLunghezza > 0) x.miLunghezza = static_cast<int16_t>(b - a);
    };
    SpostaPosizioni(d, sposta, true);
    for (auto* k : {&d.moEntranti, &d.moUscenti})
        if (*k) (*k)->miNumRighe = static_cast<int16_t>(miRigheBlocco);
}

}  // namespace tarno::proposta

#include "analisi/PropostaInterna.h"

// Which lines are calls, which are records of the system, events or messages, and what the
// other lines are.

namespace tarno::proposta {

// 3. Call lines.
bool Proponitore::ScegliRigheChiamata() {
    // Lines of words (more letters than anything else): the headings that name the columns.
    mvChiamata.assign(mvRighe.size(), false);
    for (size_t r = 0; r < mvRighe.size() && mvIntestazioni.size() < 200; ++r) {
        size_t lettere = 0, pieni = 0, parole = 0;
        bool spazio = true;
        for (char c : mvRighe[r]) {
            if (c == ' ' || c == '\t') {
                spazio = true;
                continue;
            }
            parole += spazio;
            spazio = false;
            ++pieni;
            lettere += Lettera(c);
        }
        if (parole >= 3 && lettere * 2 >= pieni) mvIntestazioni.push_back(r);
    }
    // The time column on most lines; a time of day rather than a duration where both fit.
    const Colonna* migliore = nullptr;
    size_t massimo = 0;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData) massimo = std::max(massimo, c.Righe());
    auto punteggio = [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        size_t piccoli = 0;
        for (const auto& v : c.vValori) piccoli += v.v.TotaleSecondi() < 3600;
        const bool durata = !f.bOre || piccoli * 10 > c.Righe() * 6;
        const std::string sopra = Intestazione(c.a, c.b);
        const int nome = HaParola(sopra, {"TIME", "ORA", "START", "STT", "END", "FINE"})  ? 1
                         : HaParola(sopra, {"DUR", "ELAPS", "RING", "EXCH", "NO", "NUM"}) ? -1
                                                                                          : 0;
        // Values a date format reads as well on as many lines (03.11.26) are rather a date.
        const bool data =
            std::any_of(mvCandidate.begin(), mvCandidate.end(), [&](const Colonna& d) {
                return mvFormati[d.iFormato].bData && d.a == c.a && d.b == c.b &&
                       d.Righe() >= c.Righe();
            });
        // Lines within a twentieth of the most count alike.
        return std::make_tuple(c.Righe() * 20 / std::max<size_t>(massimo, 1), nome, !durata,
                               f.bLetterale, f.bMeridiano, !data, c.Righe(), Rigore(f));
    };
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bOre) continue;
        // Past 23 hours a value is no time of day (555001 is no 55:50:01).
        if (!f.bMeridiano && std::any_of(c.vValori.begin(), c.vValori.end(),
                                         [](const Valore& v) { return v.v.iOre > 23; }))
            continue;
        if (!migliore || punteggio(c) > punteggio(*migliore)) migliore = &c;
    }
    if (RecordSenzaOra(migliore)) return true;
    if (!migliore || migliore->Righe() < 2) {
        mvChiamata.assign(mvRighe.size(), false);
        mP.bNessunaChiamata = true;
        Voce(Ambito::Righe, "Righe di chiamata",
             "nessuna colonna di ore su pi\xF9 di una riga: la stampa non sembra un elenco di "
             "chiamate a colonne fisse; nessuna chiamata proposta");
        return false;
    }
    mOra = *migliore;
    for (const auto& v : mOra->vValori) {
        mvChiamata[v.iRiga] = true;
        mvChiamate.push_back(v.iRiga);
    }
    // The headings are lines of words that are no calls, at most three lines above a call.
    std::vector<size_t> intestazioni;
    for (size_t r : mvIntestazioni) {
        bool sopra = false;
        for (size_t k = r + 1; k < mvRighe.size() && k <= r + 3 && !sopra; ++k)
            sopra = mvChiamata[k];
        if (!mvChiamata[r] && sopra) intestazioni.push_back(r);
    }
    mvIntestazioni = std::move(intestazioni);
    const size_t altre = mvRighe.size() - mvChiamate.size();
    Voce(Ambito::Righe, "Righe di chiamata",
         Num(static_cast<long long>(mvChiamate.size())) + " righe su " +
             Num(static_cast<long long>(mvRighe.size())) + " hanno un'ora in " +
             Dove(mOra->a, mOra->b) + " (\"" + mvFormati[mOra->iFormato].sTesto +
             "\": " + PrimiValori(*mOra) + "): sono le righe di chiamata" +
             (altre ? "; le altre " + Num(static_cast<long long>(altre)) +
                          " (intestazioni, titoli, righe di data o di servizio) non sono chiamate"
                    : std::string()));
    return true;
}

// A call printed as a record per event (answered, rung, transferred...), the same identifier
// on each: a code that stands only on the records repeating the identifier of the record before
// marks an event of a call already counted, no call of its own. Its records are left out of the
// calls (DIVERSO_DA); what they add to the call (more time, a transfer) is not joined.
void Proponitore::EventiDiSeguito() {
    const size_t n = mvChiamate.size();
    if (n < 4) return;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    const auto valori = [&](const Segmento& g) {
        std::vector<std::string> v;
        for (size_t r : mvChiamate) v.emplace_back(TogliSpazi(Testo(r, g.a, g.b)));
        return v;
    };
    // Identifiers: digits (four or more) on every call line, each value on one run of lines.
    std::vector<const Segmento*> identificativi, codici, parole;
    std::set<const Segmento*> misti;  // identifiers of letters and digits
    for (const auto& g : segmenti) {
        if (g.iPieni != n) continue;
        const std::vector<std::string> v = valori(g);
        if (Identificativo(v)) misti.insert(&g);
        if ((g.iIntere == n && g.iLunghezzaMax >= 4) || misti.count(&g)) {
            std::set<std::string> chiusi;
            size_t ripetuti = 0;
            bool una = true;
            // One of letters and digits may come back later (calls overlap in a busy log).
            const bool misto = misti.count(&g) > 0;
            for (size_t i = 0; i < n && una; ++i) {
                if ((i > 0 && v[i] == v[i - 1]) || (misto && chiusi.count(v[i]))) {
                    ++ripetuti;
                    continue;
                }
                una = chiusi.insert(v[i]).second;
            }
            // Not a date (the same on the records of a day), nor a value on few runs.
            const bool data =
                std::any_of(mvCandidate.begin(), mvCandidate.end(), [&](const Colonna& c) {
                    return mvFormati[c.iFormato].bData && c.Righe() * 2 >= n &&
                           Sovrapposti(c.a, c.b, g.a, g.b);
                });
            if (una && !data && ripetuti >= 2 && chiusi.size() >= 2 && chiusi.size() * 4 >= n)
                identificativi.push_back(&g);
        }
        // Codes: a few short words (or, beside an identifier of letters and digits, the
        // name of a request: a word of letters alone, up to ten).
        const bool lunghi = g.dLunghezzaMedia > 3;
        if ((!lunghi || g.iLunghezzaMax <= 10) && g.distinti.size() >= 2 &&
            g.distinti.size() <= 10 &&
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& t) {
                return std::all_of(t.begin(), t.end(), Lettera);
            }))
            (lunghi ? parole : codici).push_back(&g);
    }
    const Segmento* sceltoId = nullptr;
    const Segmento* sceltoCodice = nullptr;
    std::set<std::string> eventi;
    size_t righe = 0, crescita = 0;
    for (const Segmento* id : identificativi) {
        std::vector<const Segmento*> tutti = codici;
        if (misti.count(id)) tutti.insert(tutti.end(), parole.begin(), parole.end());
        for (const Segmento* c : tutti) {
            const auto vi = valori(*id), vc = valori(*c);
            std::vector<std::pair<std::string, std::string>> record;
            for (size_t i = 0; i < n; ++i) record.emplace_back(vi[i], vc[i]);
            const std::set<std::string> e =
                misti.count(id) ? CodiciRipetuti(record) : CodiciDiSeguito(record);
            const auto k = static_cast<size_t>(std::count_if(
                vc.begin(), vc.end(), [&](const std::string& t) { return e.count(t) > 0; }));
            // Between equals, the identifier that grows from call to call (not a number
            // called twice in a row).
            size_t sale = 0;
            for (size_t i = 1; i < n; ++i)
                sale += vi[i].size() > vi[i - 1].size() ||
                        (vi[i].size() == vi[i - 1].size() && vi[i] > vi[i - 1]);
            if (k > 0 && std::make_pair(k, sale) > std::make_pair(righe, crescita))
                righe = k, crescita = sale, eventi = e, sceltoId = id, sceltoCodice = c;
        }
    }
    if (!sceltoId) return;
    std::string elenco;
    for (const auto& t : eventi) elenco += (elenco.empty() ? "\"" : ", \"") + t + "\"";
    std::vector<size_t> chiamate;
    std::set<size_t> tolte;
    for (size_t r : mvChiamate) {
        if (eventi.count(std::string(TogliSpazi(Testo(r, sceltoCodice->a, sceltoCodice->b))))) {
            mvChiamata[r] = false;
            tolte.insert(r);
        } else {
            chiamate.push_back(r);
        }
    }
    mvChiamate = std::move(chiamate);
    mEventi = std::move(eventi);
    // The identifier names the call, it is no field of it.
    mvOccupate.emplace_back(sceltoId->a, sceltoId->b);
    miEventiA = sceltoCodice->a;
    Voce(Ambito::Righe, "Eventi di una chiamata",
         Dove(sceltoCodice->a, sceltoCodice->b) + ": " + elenco +
             " stanno solo su record che "
             "ripetono l'identificativo di un record precedente (" +
             Dove(sceltoId->a, sceltoId->b) + ": " + PrimiTesti(tolte, sceltoId->a, sceltoId->b) +
             "): sono " + Num(static_cast<long long>(tolte.size())) +
             " eventi di una chiamata gi\xE0 contata, non chiamate (DIVERSO_DA); la chiamata "
             "resta quella del primo record, senza il tempo e i trasferimenti degli eventi",
         true);
}

// Without a field of one text on every record, the records are those that fill a field: the
// first field of digits written on every record (DIVERSO_DA ""), so a kind of call that varies
// from record to record is no bar.
void Proponitore::CampoSempreScritto(const std::vector<size_t>& record) {
    for (size_t k = 0; k < mvColonna.size() && k < miComuni; ++k) {
        const int a = mvColonna[k], b = a + mvLarghezza[k];
        if (std::all_of(record.begin(), record.end(), [&](size_t r) {
                const std::string t(TogliSpazi(Testo(r, a, b)));
                return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) {
                    return (c >= '0' && c <= '9') || c == '.';
                });
            })) {
            miCostanteA = a, miCostanteB = b, msCostante.clear();
            return;
        }
    }
}

bool Proponitore::RecordSenzaOra(const Colonna* migliore) {
    if (!mbSeparati) return false;
    std::vector<size_t> record;
    for (size_t r = miIntestazione; r < mvRighe.size(); ++r)
        if (mvRighe[r] != "?") record.push_back(r);
    // Without a heading row to vouch for the records, three of them at least.
    if (record.size() < (miIntestazione ? 2u : 3u) ||
        (migliore && migliore->Righe() * 10 >= record.size() * 8))
        return false;
    // A field with the same text on every record (the record's kind).
    for (size_t k = 0; k < mvColonna.size() && k < miComuni; ++k) {
        const int a = mvColonna[k], b = a + mvLarghezza[k];
        const std::string v(TogliSpazi(Testo(record.front(), a, b)));
        if (v.empty() || !std::all_of(record.begin(), record.end(),
                                      [&](size_t r) { return TogliSpazi(Testo(r, a, b)) == v; }))
            continue;
        miCostanteA = a, miCostanteB = b, msCostante = v;
        break;
    }
    if (miCostanteA < 0) CampoSempreScritto(record);
    if (miCostanteA < 0) return false;
    mvChiamata.assign(mvRighe.size(), false);
    for (size_t r : record) mvChiamata[r] = true;
    mvChiamate = record;
    std::vector<size_t> intestazioni;
    for (size_t r : mvIntestazioni)
        if (r < miIntestazione) intestazioni.push_back(r);
    mvIntestazioni = std::move(intestazioni);
    Voce(Ambito::Righe, "Righe di chiamata",
         "nessuna ora del giorno che un formato legga su quasi tutti i " +
             Num(static_cast<long long>(record.size())) +
             " record dopo l'intestazione (date e ore scritte in un modo che i formati non "
             "leggono): le righe di chiamata sono i record, riconosciuti da " +
             Dove(miCostanteA, miCostanteB) +
             (msCostante.empty() ? std::string(" che \xE8 scritto su tutti")
                                 : " che vale \"" + msCostante + "\" su tutti") +
             "; le chiamate non avranno data n\xE9 ora",
         true);
    return true;
}

// Lines with the time of the calls that are blank in most columns every other call line prints
// in (no party, no duration): records of the system (a restart, a clock set), no calls. A few at
// most, and only when a column holds text on every call and on none of them.
void Proponitore::RecordDiServizio() {
    const size_t n = mvChiamate.size();
    if (mbSeparati || n < 8) return;
    const size_t larghezza = LarghezzaChiamate();
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    std::vector<size_t>
        colonne;  // columns with text on seven call lines in eight, date and time aside
    for (size_t x = 0; x < larghezza; ++x) {
        const int i = static_cast<int>(x);
        if ((i >= mOra->a && i < mOra->b) || (mData && i >= mData->a && i < mData->b)) continue;
        const auto k = std::count_if(mvChiamate.begin(), mvChiamate.end(),
                                     [&](size_t r) { return pieno(r, x); });
        if (static_cast<size_t>(k) * 8 >= n * 7) colonne.push_back(x);
    }
    if (colonne.size() < 4) return;
    std::set<size_t> servizio;
    for (size_t r : mvChiamate) {
        // A call that lasted (an internal one, no number nor cost) is no record of the system.
        if (std::any_of(mvTempi.begin(), mvTempi.end(), [&](const Tempo& t) {
                return t.sCampo == "dDurata" && !TogliSpazi(Testo(r, t.c.a, t.c.b)).empty();
            }))
            continue;
        const auto vuote =
            std::count_if(colonne.begin(), colonne.end(), [&](size_t x) { return !pieno(r, x); });
        if (static_cast<size_t>(vuote) * 2 >= colonne.size()) servizio.insert(r);
    }
    if (servizio.empty() || servizio.size() * 8 > n) return;
    for (size_t x : colonne) {
        if (!std::all_of(mvChiamate.begin(), mvChiamate.end(),
                         [&](size_t r) { return pieno(r, x) != (servizio.count(r) > 0); }))
            continue;
        miServizioA = static_cast<int>(x);
        break;
    }
    if (miServizioA < 0) return;
    const std::string esempi = PrimiTesti(servizio, 0, static_cast<int>(larghezza));
    TogliDalleChiamate(servizio);
    Voce(Ambito::Righe, "Righe di servizio",
         Num(static_cast<long long>(servizio.size())) +
             " righe con l'ora sono vuote in quasi tutte le colonne dove le altre chiamate "
             "hanno testo (" +
             esempi + "): sono record del sistema, non chiamate; le chiamate chiedono testo in " +
             Dove(miServizioA, miServizioA + 1) + " (DIVERSO_DA \"\")");
}

// The lines that are no calls, by kind, and a kind whose calls always take a second line.
void Proponitore::AltreRighe() {
    size_t parole = 0, trattini = 0, date = 0, seguito = 0, altre = 0;
    std::map<std::string, std::pair<size_t, size_t>> dopo;  // mark: lines after a call, in all
    auto segno = [](const std::string& t) {
        const size_t i = t.find_first_not_of(' ');
        if (i == std::string::npos) return std::string();
        if (!Alnum(t[i])) return std::string(1, t[i]);
        size_t j = i;
        while (j < t.size() && Lettera(t[j])) ++j;
        return j > i && j - i <= 6 && (j == t.size() || t[j] == ' ') ? t.substr(i, j - i)
                                                                     : std::string();
    };
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        if (mvChiamata[r] || mSecondeRighe.count(r)) continue;
        const std::string& t = mvRighe[r];
        const bool dopoChiamata = r > 0 && mvChiamata[r - 1];
        if (const std::string k = segno(t); !k.empty()) {
            auto& [d, tutte] = dopo[k];
            d += dopoChiamata;
            ++tutte;
        }
        if (t.find_first_not_of("-=_* ") == std::string::npos)
            ++trattini;
        else if (mDataRiga && mDataRiga->Su(r))
            ++date;
        else if (std::find(mvIntestazioni.begin(), mvIntestazioni.end(), r) != mvIntestazioni.end())
            ++parole;
        else if (dopoChiamata)
            ++seguito;
        else
            ++altre;
    }
    std::string testo;
    auto aggiungi = [&testo](size_t n, const char* cosa) {
        if (!n) return;
        if (!testo.empty()) testo += ", ";
        testo += Num(static_cast<long long>(n)) + " " + cosa;
    };
    aggiungi(parole, "intestazioni di colonna");
    aggiungi(trattini, "righe di trattini");
    aggiungi(date, "righe di data");
    aggiungi(seguito, "righe che seguono una chiamata");
    aggiungi(altre, "altre righe (titoli, totali, messaggi)");
    aggiungi(miSaltiPagina, "salti pagina");
    if (!testo.empty())
        Voce(Ambito::Righe, "Altre righe",
             testo + ": non sono chiamate, il motore le segnala come righe non riconosciute");
    if (!msSeconda.empty()) return;  // told already by the records printed in pairs
    // A mark that stands only on the line after a call, after every call of one kind and of
    // no other: that kind is printed on two lines.
    for (const auto& [k, conti] : dopo) {
        if (miLarghezzaRiga) break;  // the lines of a call are read together already
        if (conti.first < 2 || conti.first != conti.second) continue;
        size_t entranti = 0, uscenti = 0, eSeguite = 0, uSeguite = 0;
        int colonna = -1;
        for (size_t r : mvChiamate) {
            const bool e = mvTipo[r] == 'E';
            (e ? entranti : uscenti) += 1;
            if (r + 1 < mvRighe.size() && !mvChiamata[r + 1] && segno(mvRighe[r + 1]) == k) {
                (e ? eSeguite : uSeguite) += 1;
                colonna = static_cast<int>(mvRighe[r + 1].find(k));
            }
        }
        const bool soloE = eSeguite == entranti && entranti > 0 && uSeguite == 0;
        const bool soloU = uSeguite == uscenti && uscenti > 0 && eSeguite == 0;
        if (soloE || soloU) {
            msSeconda = k;
            miSecondaA = colonna;
            mbSecondaEntranti = soloE;
            Voce(Ambito::Righe, "Chiamate su due righe",
                 "\"" + k + "\" apre la riga che segue ognuna delle " +
                     Num(static_cast<long long>(soloE ? entranti : uscenti)) + " chiamate " +
                     (soloE ? "entranti" : "uscenti") + " e nessun'altra: sono su due righe",
                 false, soloE);
            return;
        }
        const bool tipoE = uSeguite == 0 && eSeguite > 0;
        Voce(Ambito::Righe, "Righe dopo le chiamate",
             "\"" + k + "\" apre la riga che segue " + Num(static_cast<long long>(eSeguite)) +
                 " entranti su " + Num(static_cast<long long>(entranti)) + " e " +
                 Num(static_cast<long long>(uSeguite)) + " uscenti su " +
                 Num(static_cast<long long>(uscenti)) +
                 ": non tutte le chiamate di un tipo la hanno, e un tipo ha un numero di righe "
                 "fisso; restano righe a s\xE9" +
                 (tipoE || eSeguite == 0 ? SenzaSeconda(k, tipoE) : std::string()),
             true);
    }
}

// The calls of a kind that lack the line after them, when a column tells them apart from the
// others of their kind (a record letter: B beside N): what a technician needs to choose between
// two lines for the kind, losing those calls, and one line, losing what the second line holds.
std::string Proponitore::SenzaSeconda(const std::string& segno, bool bEntranti) const {
    std::vector<size_t> con, senza;
    for (size_t r : mvChiamate) {
        if ((mvTipo[r] == 'E') != bEntranti) continue;
        const bool segue = r + 1 < mvRighe.size() && !mvChiamata[r + 1] &&
                           TogliSpazi(mvRighe[r + 1]).rfind(segno, 0) == 0;
        (segue ? con : senza).push_back(r);
    }
    if (con.empty() || senza.empty()) return {};
    const auto a = [&](size_t r, size_t x) { return x < mvRighe[r].size() ? mvRighe[r][x] : ' '; };
    // A code of one character standing alone (a record letter), not a digit of a longer value.
    const auto solo = [&](size_t r, size_t x) {
        return (x == 0 || a(r, x - 1) == ' ') && a(r, x + 1) == ' ';
    };
    for (size_t x = 0; x < mvRighe[con.front()].size(); ++x) {
        const char c = a(con.front(), x), d = a(senza.front(), x);
        if (c == d || c == ' ' || d == ' ') continue;
        if (!std::all_of(mvChiamate.begin(), mvChiamate.end(),
                         [&](size_t r) { return (mvTipo[r] == 'E') != bEntranti || solo(r, x); }))
            continue;
        if (std::all_of(con.begin(), con.end(), [&](size_t r) { return a(r, x) == c; }) &&
            std::all_of(senza.begin(), senza.end(), [&](size_t r) { return a(r, x) == d; }))
            return std::string(senza.size() == 1
                                   ? "; l'unica senza ha \""
                                   : "; le " + Num(static_cast<long long>(senza.size())) +
                                         " senza hanno \"") +
                   d + "\" in colonna " + Num(static_cast<long long>(x + 1)) + ", le altre \"" + c +
                   "\": con due righe per il tipo non sarebbero lette come " +
                   (bEntranti ? "entranti" : "uscenti") +
                   ", con una il testo della seconda riga resta fuori";
    }
    return {};
}

// Every call of one kind printed as two records in a row that differ in one stretch only, where
// the first prints digits and the second a word (the caller's number, then the caller's name),
// with every date and time the same on both: the kind is one call on two lines, read on its
// first; its second line is told by the direction code printed again, and is no call line of
// its own for the fields.
bool Proponitore::CoppieConNome() {
    if (miLarghezzaRiga || miDirA < 0 || mvChiamate.size() < 4) return false;
    std::vector<std::pair<int, int>> tempi;
    for (const auto& t : mvTempi) tempi.emplace_back(t.c.a, t.c.b);
    if (mData) tempi.emplace_back(mData->a, mData->b);
    if (tempi.empty()) return false;
    const auto coppia = [&](size_t r, size_t q) {
        const std::string &x = mvRighe[r], &y = mvRighe[q];
        if (mvTipo[r] != mvTipo[q]) return false;
        size_t i = 0, j = std::max(x.size(), y.size());
        const auto at = [](const std::string& s, size_t k) { return k < s.size() ? s[k] : ' '; };
        while (i < j && at(x, i) == at(y, i)) ++i;
        while (j > i && at(x, j - 1) == at(y, j - 1)) --j;
        if (i == j) return false;
        for (const auto& [a, b] : tempi)
            if (Sovrapposti(a, b, static_cast<int>(i), static_cast<int>(j))) return false;
        bool cifre = false, lettere = false;
        for (size_t k = i; k < j; ++k) {
            if (Lettera(at(x, k))) return false;
            cifre |= Cifra(at(x, k));
            lettere |= Lettera(at(y, k));
        }
        return cifre && lettere;
    };
    std::vector<bool> seconda(mvRighe.size(), false);
    size_t coppie = 0;
    std::map<char, size_t> perTipo, inCoppia;
    for (size_t i = 0; i < mvChiamate.size(); ++i) {
        const size_t r = mvChiamate[i];
        ++perTipo[mvTipo[r]];
        if (seconda[r]) continue;
        if (i + 1 < mvChiamate.size() && mvChiamate[i + 1] == r + 1 && coppia(r, r + 1)) {
            seconda[r + 1] = true;
            inCoppia[mvTipo[r]] += 2;
            ++coppie;
        }
    }
    if (coppie < 2 || inCoppia.size() != 1) return false;
    const char tipo = inCoppia.begin()->first;
    if (perTipo.size() < 2) return false;
    if (inCoppia[tipo] != perTipo[tipo]) {
        Voce(Ambito::Righe, "Righe a coppie",
             Num(static_cast<long long>(inCoppia[tipo])) + " righe " +
                 (tipo == 'E' ? "entranti" : "uscenti") + " su " +
                 Num(static_cast<long long>(perTipo[tipo])) +
                 " vanno a coppie (la seconda ripete la prima con una parola dove la prima ha "
                 "cifre): un tipo ha un numero di righe fisso, e le altre sono da sole; le "
                 "seconde righe restano chiamate a s\xE9",
             true, tipo == 'E');
        return false;
    }
    size_t primaSeconda = 0;
    while (!seconda[primaSeconda]) ++primaSeconda;
    const std::string& riga = mvRighe[primaSeconda];
    const std::string dir = Testo(primaSeconda, miDirA, miDirB);
    const std::string codice(TogliSpazi(dir));
    const size_t dove = riga.find(codice, static_cast<size_t>(miDirA));
    if (codice.empty() || dove == std::string::npos) return false;
    // The second lines are read as part of the call before them, no call of their own.
    std::erase_if(mvChiamate, [&](size_t r) { return seconda[r]; });
    for (size_t r = 0; r < seconda.size(); ++r)
        if (seconda[r]) mvChiamata[r] = false, mSecondeRighe.insert(r);
    msSeconda = codice;
    miSecondaA = static_cast<int>(dove);
    mbSecondaEntranti = tipo == 'E';
    Voce(Ambito::Righe, "Chiamate su due righe",
         "le " + Num(static_cast<long long>(perTipo[tipo])) + " righe " +
             (tipo == 'E' ? "entranti" : "uscenti") + " vanno a coppie (righe " +
             Num(static_cast<long long>(mvNumeri[primaSeconda - 1])) + " e " +
             Num(static_cast<long long>(mvNumeri[primaSeconda])) +
             ", ...): la seconda ripete la prima con le stesse date e ore e stampa una parola "
             "dove la prima ha cifre (il nome al posto del numero): una chiamata su due righe, "
             "letta sulla prima; la seconda riga ha di nuovo \"" +
             codice + "\"",
         true, tipo == 'E');
    return true;
}

}  // namespace tarno::proposta

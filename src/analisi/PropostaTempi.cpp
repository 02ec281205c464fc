#include "analisi/PropostaInterna.h"

// The date, the times of day and the durations of the call lines.

namespace tarno::proposta {

// 4. Dates.
void Proponitore::ScegliDate() {
    const auto oggi = AnnoCorrente();
    struct Scelta {
        Colonna c;
        std::tuple<size_t, int, int, int, int> punti;
    };
    std::vector<Scelta> sulleChiamate, altrove;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (!f.bData || f.f.ETempo()) continue;
        for (bool chiamate : {true, false}) {
            Colonna k = SuRighe(c, mvChiamata, chiamate);
            if (k.vValori.empty()) continue;
            // The day varies more than the month within a printout; a year in the future
            // or a reading far from today is unlikely.
            std::set<int> giorni, mesi;
            int futuro = 0;
            for (const auto& v : k.vValori) {
                giorni.insert(v.v.iGiorno);
                mesi.insert(v.v.iMese);
                int anno = v.v.iAnno;
                if (anno >= 0 && anno < 100) anno = AnnoDaDueCifre(anno, oggi);
                if (anno > oggi) ++futuro;
            }
            const int ordine = giorni.size() >= mesi.size() ? 1 : 0;
            // The reading nearest today, for printouts of one day.
            int distanza = 0;
            {
                const auto& v = k.vValori.back().v;
                int anno = v.iAnno < 0     ? oggi
                           : v.iAnno < 100 ? AnnoDaDueCifre(v.iAnno, oggi)
                                           : v.iAnno;
                distanza = std::abs((oggi * 12 + MeseOggi()) - (anno * 12 + v.iMese));
            }
            Scelta s{k, {k.Righe(), -futuro - k.Incollati(), ordine, -distanza, Rigore(f)}};
            (chiamate ? sulleChiamate : altrove).push_back(std::move(s));
        }
    }
    auto ordina = [](std::vector<Scelta>& v) {
        std::stable_sort(v.begin(), v.end(),
                         [](const Scelta& x, const Scelta& y) { return x.punti > y.punti; });
    };
    ordina(sulleChiamate);
    ordina(altrove);
    auto alternative = [&](const std::vector<Scelta>& v, VoceProposta& voce) {
        const Scelta& scelta = v.front();
        std::vector<const Scelta*> letti;
        for (const auto& s : v) {
            if (!Sovrapposti(s.c.a, s.c.b, scelta.c.a, scelta.c.b) ||
                std::get<0>(s.punti) != std::get<0>(scelta.punti))
                continue;
            VoceProposta::Alternativa alt;
            alt.sLettura = "\"" + mvFormati[s.c.iFormato].sTesto + "\"";
            alt.bScelta = &s == &scelta;
            for (size_t i = 0; i < s.c.vValori.size() && i < 3; ++i)
                alt.vValori.push_back(s.c.vValori[i].v.TestoData());
            bool uguale = false;
            for (const auto& g : voce.vAlternative)
                uguale |= g.vValori == alt.vValori && g.sLettura == alt.sLettura;
            // A format that reads every value as one listed before (g/m/aa beside gg/mm/aa
            // on zero-padded dates) is the same reading.
            for (const auto* t : letti)
                uguale |=
                    std::equal(t->c.vValori.begin(), t->c.vValori.end(), s.c.vValori.begin(),
                               s.c.vValori.end(), [](const auto& x, const auto& y) {
                                   return x.iRiga == y.iRiga && x.v.TestoData() == y.v.TestoData();
                               });
            if (!uguale) voce.vAlternative.push_back(std::move(alt));
            letti.push_back(&s);
        }
        if (voce.vAlternative.size() > 1) {
            voce.bIncerto = true;
            voce.sTesto +=
                "; pi\xF9 letture vanno bene: scelta quella in cui il giorno cambia pi\xF9 "
                "del mese e nessuna data \xE8 nel futuro";
        }
    };
    const size_t n = mvChiamate.size();
    if (!sulleChiamate.empty() && std::get<0>(sulleChiamate.front().punti) * 2 >= n) {
        mData = sulleChiamate.front().c;
        const Formato& f = mvFormati[mData->iFormato];
        Voce(Ambito::Campo, "Data",
             Dove(mData->a, mData->b) + ": \"" + f.sTesto + "\" legge " +
                 Num(static_cast<long long>(mData->Righe())) + " righe di chiamata su " +
                 Num(static_cast<long long>(n)) + " (" + PrimiValori(*mData) + " \xBB " +
                 mData->vValori.front().v.TestoData() + ")",
             false, false, "dData", mData->a, mData->b);
        alternative(sulleChiamate, mP.vVoci.back());
        mvOccupate.emplace_back(mData->a, mData->b);
        return;
    }
    if (!altrove.empty()) {
        // A date printed above the calls (a page heading or a date record).
        mDataRiga = altrove.front().c;
        if (mDataRiga->Righe() >= 1) {
            const Formato& f = mvFormati[mDataRiga->iFormato];
            Voce(Ambito::Righe, "Data su riga isolata",
                 "le righe di chiamata non hanno una data; \"" + f.sTesto + "\" in " +
                     Dove(mDataRiga->a, mDataRiga->b) + " la legge su " +
                     Num(static_cast<long long>(mDataRiga->Righe())) +
                     " righe che non sono chiamate (" + PrimiValori(*mDataRiga) +
                     "): \xE8 la data delle chiamate che le seguono");
            alternative(altrove, mP.vVoci.back());
            return;
        }
        mDataRiga.reset();
    }
    if (GiornoEMeseSeparati()) return;
    Voce(Ambito::Campo, "Data", "nessuna data nella stampa: le chiamate non avranno data", true,
         false, "dData");
}

// 5. Times of day and durations.
namespace {

// Digits alone (no separator) that a format reads as hours past the day's last on some call
// (265500 as 26:55:00) are a number, a record's identifier: neither a time of day nor a
// duration, which a record would print with its separators.
bool OreOltreIlGiorno(const Colonna& c, const Formato& f) {
    if (f.bLetterale || !f.bOre || f.bMeridiano || f.bData) return false;
    return std::any_of(c.vValori.begin(), c.vValori.end(),
                       [](const Valore& v) { return v.v.iOre > 23; });
}

}  // namespace

void Proponitore::ScegliTempi() {
    const size_t n = mvChiamate.size();
    struct Cand {
        Colonna c;
        bool bOra = false;
        std::string sIntest;
        double dMedia = 0;
    };
    std::vector<Cand> scelti;
    std::vector<Colonna> tutte;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData) continue;
        Colonna k = SuRighe(c, mvChiamata, true);
        // On 40% of the calls at least, or a sixth when a heading names it.
        if (k.Righe() * 6 < n || k.Righe() < 2) continue;
        tutte.push_back(std::move(k));
    }
    // Per window, the format that reads most, the strictest of those; the time of day found on
    // most lines keeps the format that made it one (h:mm, not m:ss).
    const auto propria = [&](const Colonna& c) {
        return mOra && c.a == mOra->a && c.b == mOra->b && c.iFormato == mOra->iFormato;
    };
    std::stable_sort(tutte.begin(), tutte.end(), [&](const Colonna& x, const Colonna& y) {
        const auto px = std::make_tuple(x.Righe(), -x.Incollati(), x.b - x.a, propria(x),
                                        Rigore(mvFormati[x.iFormato]));
        const auto py = std::make_tuple(y.Righe(), -y.Incollati(), y.b - y.a, propria(y),
                                        Rigore(mvFormati[y.iFormato]));
        return px > py;
    });
    std::set<std::pair<int, int>> squilli;  // date-times of the ringing, said once
    for (const auto& c : tutte) {
        bool libero = true;
        for (const auto& [a, b] : mvOccupate) libero &= !Sovrapposti(a, b, c.a, c.b);
        for (const auto& s : scelti) libero &= !Sovrapposti(s.c.a, s.c.b, c.a, c.b);
        if (!libero) continue;
        const Formato& f = mvFormati[c.iFormato];
        Cand k;
        k.c = c;
        k.sIntest = Intestazione(c.a, c.b);
        // Digits alone are as likely a number: a heading must say it is a time. A heading
        // that names something else says it is not.
        const bool nomeTempo =
            HaParola(k.sIntest, {"TIME", "ORA", "DUR", "ELAPS", "START", "END", "RING", "STT",
                                 "TEMPO", "FINE", "INIZIO", "SQUILL", "CONV", "TALK", "HOLD"});
        const bool principale = mOra && c.a == mOra->a && c.b == mOra->b;
        // A field of its own is a clear boundary: digits alone may be a time there. A time
        // printed with its separators (00:03:12) tells itself: a heading in words the
        // vocabulary does not know takes it away only when it names another field.
        const bool altroNome = !k.sIntest.empty() && (!f.bLetterale || NomeDiAltroCampo(k.sIntest));
        if (!principale && !nomeTempo && !c.bImpaccata &&
            (altroNome || (!f.bLetterale && !f.bSolo && !mbSeparati)))
            continue;
        // A date-time under a heading naming the ringing or the answer is the moment the call
        // rang or was answered: between the start and the end, no field.
        if (!principale && OraDopoLaData(c) &&
            HaParola(k.sIntest, {"RING", "SQUILL", "ANSWER", "RISPOSTA"})) {
            if (squilli.insert({c.a, c.b}).second)
                Voce(Ambito::Campo, "Ora dello squillo",
                     Dove(c.a, c.b) + ": un'ora del giorno dopo la data, sotto \"" + k.sIntest +
                         "\": il momento dello squillo o della risposta, n\xE9 l'inizio n\xE9 la "
                         "fine n\xE9 una durata",
                     true);
            continue;
        }
        if (!principale && !nomeTempo && c.Righe() * 5 < n * 2) continue;
        if (!principale && OreOltreIlGiorno(c, f)) continue;
        // Digits alone must read (nearly) every value printed there: 1002 among 34650881188
        // and 0555123456 is an extension, not a time.
        if (!principale && !f.bLetterale) {
            size_t pieni = 0;
            for (size_t r : mvChiamate) pieni += !TogliSpazi(Testo(r, c.a, c.b)).empty();
            if (c.Righe() * 10 < pieni * 8) continue;
        }
        // Digits alone that hardly change from call to call (5301 on most lines) are a number.
        if (!principale && !nomeTempo && !f.bLetterale && !c.bImpaccata) {
            std::set<long long> diversi;
            for (const auto& v : c.vValori) diversi.insert(v.v.TotaleSecondi());
            if (diversi.size() * 2 < c.Righe()) continue;
            // Nor are digits after a word and a slash on every call (SIP/5301): a port or a
            // channel named by its kind.
            if (std::all_of(c.vValori.begin(), c.vValori.end(), [&](const Valore& v) {
                    const std::string& s = mvRighe[v.iRiga];
                    return v.a >= 2 && s[static_cast<size_t>(v.a - 1)] == '/' &&
                           Lettera(s[static_cast<size_t>(v.a - 2)]);
                }))
                continue;
        }
        size_t piccoli = 0;
        double somma = 0;
        for (const auto& v : c.vValori) {
            piccoli += v.v.TotaleSecondi() < 3600;
            somma += static_cast<double>(v.v.TotaleSecondi());
        }
        k.dMedia = somma / static_cast<double>(c.Righe());
        if (f.bMeridiano || OraDopoLaData(c))
            k.bOra = true;
        else if (HaParola(k.sIntest, {"DUR", "ELAPS", "RING", "SQUILL", "CONV", "TALK", "DURATA",
                                      "ANS", "TEMPO", "HOLD"}))
            k.bOra = false;
        else if (HaParola(k.sIntest, {"TIME", "ORA", "START", "STT", "END", "FINE", "INIZIO",
                                      "STOP", "BEGIN", "HOUR"}))
            k.bOra = true;
        else
            k.bOra = f.bOre && piccoli * 10 <= c.Righe() * 6;
        scelti.push_back(std::move(k));
    }
    // A printout prints its times of day one way: with two printed with their separators on
    // most calls (beside their date, 2024/04/30 06:27:28), digits alone that a time format reads
    // too (a record's number, 105500) and no heading names are no time.
    if (std::count_if(scelti.begin(), scelti.end(), [&](const Cand& k) {
            return k.bOra && mvFormati[k.c.iFormato].bLetterale && k.c.Righe() * 10 >= n * 8;
        }) >= 2)
        std::erase_if(scelti, [&](const Cand& k) {
            const Formato& f = mvFormati[k.c.iFormato];
            const bool principale = mOra && k.c.a == mOra->a && k.c.b == mOra->b;
            if (!k.bOra || f.bLetterale || f.bMeridiano || k.c.bImpaccata || principale ||
                !k.sIntest.empty())
                return false;
            Voce(Ambito::Campo, "Cifre senza separatori",
                 Dove(k.c.a, k.c.b) + ": \"" + f.sTesto + "\" vi legge un'ora (" +
                     PrimiValori(k.c) +
                     "), ma le altre ore sono stampate con i separatori: \xE8 un numero, non "
                     "un'ora",
                 true);
            return true;
        });
    // Two pairs of digits as a duration (00:24) are minutes and seconds under a heading that
    // names a ringing time, or beside another duration printed to the second: a printout that
    // counts one duration in seconds does not count a shorter one in minutes.
    const bool conSecondi = std::any_of(scelti.begin(), scelti.end(), [&](const Cand& k) {
        return !k.bOra && mvFormati[k.c.iFormato].bSecondi && mvFormati[k.c.iFormato].bOre;
    });
    for (auto& k : scelti) {
        const bool squillo = HaParola(k.sIntest, {"RING", "SQUILL", "WAIT", "ATTESA"});
        // Another column printing minutes only a duration prints (127:05) counts too.
        const bool lunga = !conSecondi && !squillo && !k.bOra && DurataLungaAltrove(k.c.a, k.c.b);
        if (k.bOra || (!conSecondi && !squillo && !lunga)) continue;
        const std::optional<Colonna> m = MinutiESecondi(k.c);
        if (!m) continue;
        Voce(Ambito::Campo, "Minuti e secondi",
             Dove(k.c.a, k.c.b) + ": \"" + mvFormati[k.c.iFormato].sTesto + "\" e \"" +
                 mvFormati[m->iFormato].sTesto + "\" leggono gli stessi valori (" +
                 PrimiValori(k.c) + "); " +
                 (squillo ? "sotto \"" + k.sIntest + "\", un tempo di squillo"
                  : lunga ? std::string("un'altra colonna stampa minuti oltre 59 o di tre cifre")
                          : std::string("un'altra durata \xE8 stampata al secondo")) +
                 ": minuti e secondi",
             true, false, {}, k.c.a, k.c.b);
        VoceProposta& v = mP.vVoci.back();
        for (const Colonna* c : {static_cast<const Colonna*>(&k.c), &*m}) {
            VoceProposta::Alternativa alt;
            alt.sLettura = "\"" + mvFormati[c->iFormato].sTesto + "\"";
            alt.bScelta = c == &*m;
            for (size_t i = 0; i < c->vValori.size() && i < 3; ++i)
                alt.vValori.push_back(Num(c->vValori[i].v.TotaleSecondi()) + " s");
            v.vAlternative.push_back(std::move(alt));
        }
        k.c = *m;
        double somma = 0;
        for (const auto& x : k.c.vValori) somma += static_cast<double>(x.v.TotaleSecondi());
        k.dMedia = somma / static_cast<double>(std::max<size_t>(k.c.Righe(), 1));
    }
    std::vector<Cand*> ore, durate;
    for (auto& s : scelti) (s.bOra ? ore : durate).push_back(&s);
    std::sort(ore.begin(), ore.end(), [](Cand* x, Cand* y) { return x->c.a < y->c.a; });
    if (ore.size() > 2) {
        // Start, answer, end...: the start is the earliest, the end the latest.
        auto media = [](const Cand* c) {
            double m = 0;
            for (const auto& v : c->c.vValori) m += static_cast<double>(v.v.TotaleSecondi());
            return m / static_cast<double>(std::max<size_t>(c->c.Righe(), 1));
        };
        // Compared on the calls both print (an answer time is blank on unanswered calls): a
        // time earlier than another on most of them comes before it.
        std::map<const Cand*, int> prima;
        for (Cand* x : ore)
            for (Cand* y : ore) {
                if (x == y) continue;
                int meno = 0, piu = 0;
                for (const auto& v : x->c.vValori)
                    if (const Valore* w = y->c.Su(v.iRiga)) {
                        meno += v.v.TotaleSecondi() < w->v.TotaleSecondi();
                        piu += v.v.TotaleSecondi() > w->v.TotaleSecondi();
                    }
                prima[x] += meno > piu;
            }
        std::sort(ore.begin(), ore.end(), [&](Cand* x, Cand* y) {
            return prima[x] != prima[y] ? prima[x] > prima[y] : media(x) < media(y);
        });
        // Of the latest times alike, the one printed on more calls is the end (an end time
        // beside a failure time printed on the failed calls only).
        Cand* ultima = ore.back();
        for (Cand* x : ore)
            if (x != ore.front() && prima[x] == prima[ultima] && x->c.Righe() > ultima->c.Righe())
                ultima = x;
        // The times between (the answer) are no field.
        for (Cand* x : ore)
            if (x != ore.front() && x != ultima) mvOccupate.emplace_back(x->c.a, x->c.b);
        ore = {ore.front(), ultima};
        std::sort(ore.begin(), ore.end(), [](Cand* x, Cand* y) { return x->c.a < y->c.a; });
    }
    // Durations: the talk time is the longer one on average; a ringing time is short and
    // named so.
    std::sort(durate.begin(), durate.end(), [](Cand* x, Cand* y) {
        const bool rx = HaParola(x->sIntest, {"RING", "SQUILL", "ANS"});
        const bool ry = HaParola(y->sIntest, {"RING", "SQUILL", "ANS"});
        if (rx != ry) return ry;
        // The time talked (billed) before a duration that counts the ringing too.
        const bool px = HaParola(x->sIntest, {"BILL", "TALK", "CONV", "ADDEB"});
        const bool py = HaParola(y->sIntest, {"BILL", "TALK", "CONV", "ADDEB"});
        if (px != py) return px;
        return x->dMedia > y->dMedia;
    });
    if (durate.size() > 2) durate.resize(2);
    auto aggiungi = [&](Cand& k, const std::string& campo, const std::string& titolo,
                        std::string perche, bool incerto) {
        const Formato& f = mvFormati[k.c.iFormato];
        mvTempi.push_back({k.c, campo, false, {}});
        mvOccupate.emplace_back(k.c.a, k.c.b);
        Voce(Ambito::Campo, titolo,
             Dove(k.c.a, k.c.b) + ": \"" + f.sTesto + "\" legge " +
                 Num(static_cast<long long>(k.c.Righe())) + " righe di chiamata su " +
                 Num(static_cast<long long>(n)) + " (" + PrimiValori(k.c) + ")" +
                 (k.sIntest.empty() ? std::string() : ", sotto \"" + k.sIntest + "\"") +
                 (k.c.bLettere ? "; le lettere fra ore, minuti e secondi diventano \":\" "
                                 "(SOSTITUISCI) prima della lettura"
                               : "") +
                 "; " + perche,
             incerto, false, campo, k.c.a, k.c.b);
    };
    Cand* durata = durate.empty() ? nullptr : durate.front();
    // Without a duration field, a duration no format reads (hours, minutes and tenths glued to
    // the time) still tells the order of the calls.
    Cand decimi;
    for (const PezzoCifre& p : mvPezziImpaccati)
        if (p.bDecimi && !durata) {
            decimi.c.a = p.a;
            decimi.c.b = p.b;
            for (const auto& [r, v] : p.vValori)
                if (mvChiamata[r]) decimi.c.vValori.push_back(Valore{r, p.a, p.b, v, false});
        }
    Cand* ordine = durata ? durata : decimi.c.vValori.empty() ? nullptr : &decimi;
    if (ore.size() == 2) {
        size_t prima = 0, comuni = 0;
        for (const auto& v : ore[0]->c.vValori)
            if (const Valore* w = ore[1]->c.Su(v.iRiga)) {
                prima += v.v.TotaleSecondi() <= w->v.TotaleSecondi();
                ++comuni;
            }
        // Compared on the calls that print both.
        const bool ordine = prima * 2 >= comuni;
        aggiungi(ordine ? *ore[0] : *ore[1], "dOraInizio", "Ora inizio",
                 "due ore su ogni chiamata: la prima viene prima, \xE8 l'inizio", false);
        aggiungi(ordine ? *ore[1] : *ore[0], "dOraFine", "Ora fine",
                 "la seconda delle due ore \xE8 la fine", false);
    } else if (ore.size() == 1) {
        Cand& o = *ore[0];
        bool fine = false;
        bool incerto = true;
        std::string perche;
        if (HaParola(o.sIntest, {"END", "FINE", "STOP"})) {
            fine = true, incerto = false;
            perche = "l'intestazione la dice fine";
        } else if (HaParola(o.sIntest, {"START", "STT", "INIZIO", "BEGIN"})) {
            incerto = false;
            perche = "l'intestazione la dice inizio";
        } else if (ordine) {
            // Printed when they end, calls come in the order of their end: a start time
            // plus the duration keeps that order, an end time already has it.
            size_t salitaOra = 0, salitaFine = 0, coppie = 0;
            long long ora0 = -1, fine0 = -1, caloOra = 0, caloFine = 0;
            size_t riga0 = 0;
            for (const auto& v : o.c.vValori) {
                const Valore* d = ordine->c.Su(v.iRiga);
                if (!d) continue;
                // A date line between two calls starts another day.
                if (mDataRiga && ora0 >= 0)
                    for (size_t r = riga0 + 1; r < v.iRiga; ++r)
                        if (mDataRiga->Su(r)) ora0 = fine0 = -1;
                riga0 = v.iRiga;
                const long long t = v.v.TotaleSecondi(), e = t + d->v.TotaleSecondi();
                if (ora0 >= 0) {
                    ++coppie;
                    salitaOra += t >= ora0;
                    salitaFine += e >= fine0;
                    caloOra = std::max(caloOra, ora0 - t);
                    caloFine = std::max(caloFine, fine0 - e);
                }
                ora0 = t, fine0 = e;
            }
            // Only an order kept on every call against one broken at least twice, or once by
            // more than the clock's step (a time without seconds is a minute late at most),
            // tells; a break of many hours is a day going by.
            const long long passo = mvFormati[o.c.iFormato].bSecondi ? 1 : 60;
            const auto rotto = [&](size_t salite, long long calo) {
                return salite + 2 <= coppie ||
                       (salite + 1 == coppie && calo > passo && calo < 12 * 3600);
            };
            if (coppie && salitaFine == coppie && rotto(salitaOra, caloOra)) {
                perche = "con la durata aggiunta le chiamate sono in ordine (" +
                         Num(static_cast<long long>(salitaFine)) + " volte su " +
                         Num(static_cast<long long>(coppie)) + ", l'ora da sola " +
                         Num(static_cast<long long>(salitaOra)) + "): \xE8 l'inizio";
                incerto = false;
            } else if (coppie && salitaOra == coppie && rotto(salitaFine, caloFine)) {
                fine = true, incerto = false;
                perche = "le ore sono in ordine (" + Num(static_cast<long long>(salitaOra)) +
                         " volte su " + Num(static_cast<long long>(coppie)) +
                         ") e con la durata aggiunta no (" +
                         Num(static_cast<long long>(salitaFine)) +
                         "): le chiamate sono stampate quando finiscono, \xE8 la fine";
            } else {
                perche =
                    "un'ora sola, e l'ordine delle chiamate non dice se \xE8 l'inizio o "
                    "la fine: proposto l'inizio, il caso pi\xF9 comune";
            }
        } else {
            perche = "un'ora sola e nessuna durata: proposto l'inizio";
        }
        aggiungi(o, fine ? "dOraFine" : "dOraInizio", fine ? "Ora fine" : "Ora inizio", perche,
                 incerto);
        VoceProposta& v = mP.vVoci.back();
        VoceProposta::Alternativa a1, a2;
        a1.sLettura = "ora di inizio";
        a2.sLettura = "ora di fine";
        a1.bScelta = !fine;
        a2.bScelta = fine;
        for (size_t i = 0; i < o.c.vValori.size() && i < 3; ++i) {
            a1.vValori.push_back(o.c.vValori[i].v.TestoOra());
            a2.vValori.push_back(o.c.vValori[i].v.TestoOra());
        }
        if (incerto) v.vAlternative = {a1, a2};
    }
    if (durata)
        aggiungi(*durata, "dDurata", "Durata",
                 "valori brevi (in media " + Num(static_cast<long long>(durata->dMedia)) +
                     " s): \xE8 la durata",
                 false);
    // A second duration of zero on every call (a cost never sent, :000.00) tells nothing.
    if (durate.size() > 1 && std::any_of(durate[1]->c.vValori.begin(), durate[1]->c.vValori.end(),
                                         [](const Valore& v) { return v.v.TotaleSecondi() > 0; }))
        aggiungi(*durate[1], "dRisposta", "Durata squillo",
                 "una seconda durata, pi\xF9 breve o detta squillo: \xE8 il tempo di risposta "
                 "(solo sulle entranti)",
                 false);
}

// A duration printed as a count of seconds tells itself by the times: it is the end less the
// start (the call), or a little less (the time talked, after the ringing).
size_t Proponitore::FormatoSecondi() const {
    size_t ss = mvFormati.size();
    for (size_t f = 0; f < mvFormati.size(); ++f)
        if (mvFormati[f].bSolo && (ss == mvFormati.size() || mvFormati[f].iCodice)) ss = f;
    return ss;
}

Colonna Proponitore::Conteggi(int a, int b, size_t iFormato) const {
    Colonna c;
    c.iFormato = iFormato;
    c.a = a;
    c.b = b;
    for (size_t r : mvChiamate)
        if (!TogliSpazi(Testo(r, a, b)).empty()) {
            Valore v;
            v.iRiga = r;
            v.a = a;
            v.b = b;
            c.vValori.push_back(v);
        }
    return c;
}

namespace {

bool NomeDiDurata(const std::string& intestazione) {
    return HaParola(intestazione, {"DUR", "TALK", "BILL", "CONV", "ELAPS", "DURATA"});
}

}  // namespace

void Proponitore::DurataInSecondi() {
    const Tempo* inizio = nullptr;
    const Tempo* fine = nullptr;
    for (const auto& t : mvTempi) {
        if (t.sCampo == "dDurata") return;
        if (t.sCampo == "dOraInizio") inizio = &t;
        if (t.sCampo == "dOraFine") fine = &t;
    }
    if (!inizio || !fine) return;
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    const Segmento* scelto = nullptr;
    size_t migliore = 0;
    bool parlato = false;
    std::vector<std::pair<int, int>> altre;  // other counts of the call's seconds
    for (const auto& g : segmenti) {
        if (g.iIntere < g.iPieni || g.iPieni * 10 < mvChiamate.size() * 8) continue;
        // One value on every call (0 on each) tells nothing of the calls, nor a number one
        // more on every call (a record counter).
        if ((g.distinti.size() < 2 && mvChiamate.size() >= 3) || NumeraIRecord(g)) continue;
        size_t uguali = 0, minori = 0;
        for (size_t r : mvChiamate) {
            const Valore* a = inizio->c.Su(r);
            const Valore* b = fine->c.Su(r);
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (!a || !b || v.empty() || v.size() > 9) continue;
            long long tra = b->v.TotaleSecondi() - a->v.TotaleSecondi();
            if (tra < 0) tra += 86400;
            const long long d = std::stoll(v);
            uguali += std::llabs(d - tra) <= 1;
            minori += d <= tra + 1;
        }
        if (minori * 10 < mvChiamate.size() * 9 || minori == 0) continue;
        altre.emplace_back(g.a, g.b);
        // The time talked (less than the call on some lines) before the whole call.
        const bool meno = uguali < minori;
        // A heading naming a duration decides between counts alike.
        const bool nome = NomeDiDurata(g.sIntestazione);
        if (!scelto || (meno && !parlato) ||
            (meno == parlato && (minori > migliore || (minori == migliore && nome &&
                                                       !NomeDiDurata(scelto->sIntestazione))))) {
            scelto = &g;
            migliore = minori;
            parlato = meno;
        }
    }
    if (!scelto) return;
    const Colonna c = Conteggi(scelto->a, scelto->b, ss);
    mvTempi.push_back({c, "dDurata", false, {}});
    // The other counts of seconds (the whole call beside the time talked) are no field.
    for (const auto& w : altre) mvOccupate.push_back(w);
    Voce(Ambito::Campo, "Durata",
         Dove(c.a, c.b) + ": un numero di secondi" +
             (parlato ? " pari o inferiore alla fine meno l'inizio ("
                      : " pari alla fine meno l'inizio (") +
             Num(static_cast<long long>(migliore)) + " chiamate su " +
             Num(static_cast<long long>(mvChiamate.size())) + "): \xE8 la durata" +
             (parlato ? " parlata, senza lo squillo" : ""),
         false, false, "dDurata", c.a, c.b);
}

// Minutes and seconds beside two times of day: a column that reads as hours and minutes
// (03:35) and as minutes and seconds, and as minutes and seconds is the later time less the
// earlier on nearly every call (up to a minute less: the ringing), is the duration; its
// readings with hours are dropped before the times are chosen.
void Proponitore::DurataFraDueOre() {
    const size_t n = mvChiamate.size();
    std::vector<Colonna> ore, minuti;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bSecondi || !f.bLetterale) continue;
        Colonna k = SuRighe(c, mvChiamata, true);
        if (k.Righe() * 2 < n || k.Righe() < 2) continue;
        (f.bOre ? ore : minuti).push_back(std::move(k));
    }
    std::set<std::pair<int, int>> durate;
    for (const auto& m : minuti) {
        for (const auto& x : ore)
            for (const auto& y : ore) {
                if (Sovrapposti(x.a, x.b, y.a, y.b) || Sovrapposti(x.a, x.b, m.a, m.b) ||
                    Sovrapposti(y.a, y.b, m.a, m.b) || durate.count({m.a, m.b}))
                    continue;
                size_t pari = 0, uguali = 0;
                for (const auto& v : m.vValori) {
                    const Valore* p = x.Su(v.iRiga);
                    const Valore* q = y.Su(v.iRiga);
                    if (!p || !q) continue;
                    ++pari;
                    const long long d =
                        (q->v.TotaleSecondi() - p->v.TotaleSecondi() + 86400) % 86400;
                    const long long s = v.v.TotaleSecondi();
                    uguali += s <= d && d - s <= 60;
                }
                if (pari < 2 || uguali * 10 < pari * 9) continue;
                durate.insert({m.a, m.b});
                Voce(Ambito::Campo, "Durata",
                     Dove(m.a, m.b) + " (" + PrimiValori(m) + "), letto come minuti e secondi (\"" +
                         mvFormati[m.iFormato].sTesto + "\"), \xE8 l'ora in " + Dove(y.a, y.b) +
                         " meno quella in " + Dove(x.a, x.b) + " su " +
                         Num(static_cast<long long>(uguali)) + " chiamate su " +
                         Num(static_cast<long long>(pari)) +
                         ": \xE8 una durata, non un'ora del giorno");
            }
    }
    std::erase_if(mvCandidate, [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bOre) return false;
        for (const auto& [a, b] : durate)
            if (Sovrapposti(a, b, c.a, c.b)) return true;
        return false;
    });
}

// A count of the call's seconds printed glued before its duration (1000004200:00:42: extension
// 100, 00042 s, 00:00:42) is the same value again: its digits are no part of the field before.
void Proponitore::SecondiIncollati() {
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") durata = &t;
    if (!durata || mbSeparati ||
        durata->c.Incollati() * 10 < static_cast<int>(durata->c.Righe()) * 8)
        return;
    const int a = durata->c.a;
    for (int k = 6; k >= 3; --k) {
        if (a < k) continue;
        size_t uguali = 0;
        for (const auto& v : durata->c.vValori) {
            const std::string& s = mvRighe[v.iRiga];
            if (v.a != a || s.size() < static_cast<size_t>(a)) continue;
            const std::string cifre = s.substr(static_cast<size_t>(a - k), static_cast<size_t>(k));
            if (!std::all_of(cifre.begin(), cifre.end(), Cifra)) continue;
            uguali += std::stoll(cifre) == v.v.TotaleSecondi();
        }
        // The widest count that holds on every call (a wider one takes a digit of the field
        // before, which only the calls where that digit is 0 leave unseen).
        if (uguali < durata->c.Righe() || uguali < 3) continue;
        mvOccupate.emplace_back(a - k, a);
        Voce(Ambito::Campo, "Secondi della durata",
             Dove(a - k, a) + ": " + Num(static_cast<long long>(k)) +
                 " cifre attaccate alla durata valgono i suoi secondi su " +
                 Num(static_cast<long long>(uguali)) + " chiamate su " +
                 Num(static_cast<long long>(durata->c.Righe())) +
                 ": la stessa durata ripetuta, non \xE8 un campo");
        return;
    }
}

// Without a duration, a column of minutes and tenths (2.3, 61.5; a word such as NOANS on the
// calls not answered) on most call lines is the duration.
void Proponitore::DurataInDecimi() {
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") return;
    if (mbSeparati) return;
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    const size_t n = mvChiamate.size();
    // Minutes and tenths on average, words left out.
    const auto media = [](const std::set<std::string>& valori) {
        double somma = 0;
        size_t k = 0;
        for (const auto& v : valori)
            if (!v.empty() && Cifra(v.front())) somma += std::strtod(v.c_str(), nullptr), ++k;
        return k ? somma / static_cast<double>(k) : 0.0;
    };
    double durata = -1;
    for (const Segmento& g : Segmenti(mvChiamate)) {
        size_t decimi = 0, parole = 0;
        std::set<std::string> testi;
        bool adatta = !g.distinti.empty();
        for (const auto& v : g.distinti) {
            const size_t punto = v.find('.');
            const bool numero =
                punto != std::string::npos && punto >= 1 && punto <= 3 && v.size() == punto + 2 &&
                std::all_of(v.begin(), v.end(), [](char c) { return Cifra(c) || c == '.'; });
            const bool parola = std::all_of(v.begin(), v.end(), Lettera);
            if (!numero && !parola) {
                adatta = false;
                break;
            }
            if (parola) testi.insert(v);
        }
        if (!adatta) continue;
        Tempo t;
        t.c = Conteggi(g.a, g.b, ss);
        for (const auto& v : t.c.vValori)
            (testi.count(std::string(TogliSpazi(Testo(v.iRiga, g.a, g.b)))) ? parole : decimi) += 1;
        if (durata >= 0) {
            // A second column of minutes and tenths, shorter and without words: the ringing
            // time, read the same way.
            if (decimi < 2 || parole > 0 || media(g.distinti) > durata) continue;
            t.sCampo = "dRisposta";
            t.bDecimi = true;
            mvOccupate.emplace_back(g.a, g.b);
            miSquilloA = g.a;
            Voce(Ambito::Campo, "Durata squillo",
                 Dove(g.a, g.b) + ": minuti e decimi anche qui, pi\xF9 brevi della durata, su " +
                     Num(static_cast<long long>(decimi)) + " chiamate su " +
                     Num(static_cast<long long>(n)) +
                     ": \xE8 il tempo di risposta, letto come la durata (solo sulle entranti)",
                 true, true, "dRisposta", g.a, g.b);
            mvTempi.push_back(std::move(t));
            return;
        }
        if (decimi < 2 || (decimi + parole) * 10 < n * 6 || parole * 2 > decimi) continue;
        t.sCampo = "dDurata";
        t.bDecimi = true;
        t.parole = std::move(testi);
        mvOccupate.emplace_back(g.a, g.b);
        std::string esempi;
        for (const auto& v : g.distinti) {
            if (esempi.size() > 20) break;
            esempi += (esempi.empty() ? "" : ", ") + v;
        }
        Voce(Ambito::Campo, "Durata",
             Dove(g.a, g.b) + ": minuti e decimi (" + esempi + ") su " +
                 Num(static_cast<long long>(decimi)) + " chiamate su " +
                 Num(static_cast<long long>(n)) +
                 ": \xE8 la durata, letta senza il punto e moltiplicata per 6 (un decimo di "
                 "minuto sono 6 secondi)" +
                 (t.parole.empty()
                      ? std::string()
                      : "; le parole (" + *t.parole.begin() + ") sono una durata vuota"),
             true, false, "dDurata", g.a, g.b);
        durata = media(g.distinti);
        mvTempi.push_back(std::move(t));
    }
}

// Counts of seconds under a heading that names a duration (Talk Duration(s), billsec) or a
// ringing time: the time talked before the whole call's, the ringing time apart.
void Proponitore::DurateDaIntestazione() {
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    bool durata = false, squillo = false;
    for (const auto& t : mvTempi) {
        durata |= t.sCampo == "dDurata";
        squillo |= t.sCampo == "dRisposta";
    }
    const Segmento* scelte[2] = {nullptr, nullptr};  // duration, ringing time
    int punti = 0;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    for (const auto& g : segmenti) {
        // A heading naming an identifier (Conversation ID) names no time.
        if (g.iPieni == 0 || g.iIntere < g.iPieni || g.iLunghezzaMax > 7 ||
            g.sIntestazione.empty() || HaParola(g.sIntestazione, {"ID"}))
            continue;
        if (HaParola(g.sIntestazione, {"RING", "SQUILL", "WAIT", "ATTESA"})) {
            if (!scelte[1]) scelte[1] = &g;
            continue;
        }
        if (!HaParola(g.sIntestazione, {"DUR", "TALK", "BILL", "CONV", "ELAPS", "DURATA", "SECOND",
                                        "SEC", "LENGTH"}))
            continue;
        // The time talked (billed) before the whole call's.
        const int p = HaParola(g.sIntestazione, {"TALK", "BILL", "CONV", "ADDEB"}) ? 2 : 1;
        if (p > punti) punti = p, scelte[0] = &g;
    }
    const char* campi[2] = {"dDurata", "dRisposta"};
    const char* titoli[2] = {"Durata", "Durata squillo"};
    for (int k = 0; k < 2; ++k) {
        const Segmento* g = scelte[k];
        if (!g || (k == 0 ? durata : squillo)) continue;
        Tempo t;
        t.sCampo = campi[k];
        t.c = Conteggi(g->a, g->b, ss);
        mvOccupate.emplace_back(g->a, g->b);
        Voce(Ambito::Campo, titoli[k],
             Dove(g->a, g->b) + ": un numero di secondi sotto \"" + g->sIntestazione + "\"", false,
             false, campi[k], g->a, g->b);
        mvTempi.push_back(std::move(t));
    }
    // The other counts of seconds under such headings (the whole call beside the time talked)
    // are no field.
    for (const auto& g : segmenti)
        if (g.iPieni && g.iIntere == g.iPieni && !g.sIntestazione.empty() &&
            HaParola(g.sIntestazione, {"DUR", "TALK", "BILL", "CONV", "ELAPS", "DURATA", "LENGTH"}))
            mvOccupate.emplace_back(g.a, g.b);
}

// Separated fields: three fields in a row of one or two digits on every call, the last two
// zero-padded and under 60, the first zero on most calls (calls mostly under an hour), are the
// hours, minutes and seconds of the duration. A field of the driver reads one field: the three
// cannot be joined into one value, so no duration is proposed, and the three are no other field.
void Proponitore::DurataInTreCampi() {
    if (!mbSeparati || mvChiamate.size() < 3) return;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") return;
    const auto campo = [&](size_t r, size_t k) {
        return std::string(TogliSpazi(Testo(r, mvColonna[k], mvColonna[k] + mvLarghezza[k])));
    };
    for (size_t k = 0; k + 2 < mvColonna.size(); ++k) {
        bool va = true;
        size_t ore0 = 0, secondi = 0;
        std::set<std::string> terne;
        for (size_t r : mvChiamate) {
            std::string v[3];
            for (size_t i = 0; i < 3 && va; ++i) {
                v[i] = campo(r, k + i);
                va = !v[i].empty() && v[i].size() <= 2 && (i == 0 || v[i].size() == 2) &&
                     std::all_of(v[i].begin(), v[i].end(), Cifra) &&
                     (i == 0 || std::stoi(v[i]) < 60);
            }
            if (!va) break;
            ore0 += std::stoi(v[0]) == 0;
            secondi += std::stoi(v[2]) > 0;
            terne.insert(v[0] + ":" + v[1] + ":" + v[2]);
        }
        if (!va || ore0 * 2 < mvChiamate.size() || secondi == 0 || terne.size() < 2) continue;
        const int a = mvColonna[k], b = mvColonna[k + 2] + mvLarghezza[k + 2];
        for (size_t i = 0; i < 3; ++i)
            mvOccupate.emplace_back(mvColonna[k + i], mvColonna[k + i] + mvLarghezza[k + i]);
        std::string esempi;
        for (const auto& t : terne) {
            if (esempi.size() > 20) break;
            esempi += (esempi.empty() ? "" : ", ") + t;
        }
        Voce(Ambito::Campo, "Durata in tre campi",
             "campi " + Num(static_cast<long long>(k + 1)) + ", " +
                 Num(static_cast<long long>(k + 2)) + " e " + Num(static_cast<long long>(k + 3)) +
                 ": ore, minuti e secondi (" + esempi + "; ore a zero su " +
                 Num(static_cast<long long>(ore0)) + " chiamate su " +
                 Num(static_cast<long long>(mvChiamate.size())) +
                 "): la durata \xE8 divisa in tre campi e un campo del driver ne legge uno "
                 "solo; nessuna durata proposta, e i tre campi non sono altri campi",
             true, false, std::string(), a, b);
        return;
    }
}

// A 12-hour clock may print its mark only for one half of the day (01:12p in the afternoon,
// 09:40 and a blank in the morning): a time column followed, on some call lines, by one and the
// same meridian letter glued to it and by a blank on the others, with every hour from 1 to 12.
// The time is then read with its mark, the blanks standing for the other letter.
void Proponitore::MeridianoFacoltativo() {
    const size_t candidate = mvCandidate.size();
    std::set<std::tuple<size_t, int, int>> viste;
    std::vector<size_t> conMeridiano;
    for (size_t i = 0; i < candidate; ++i)
        if (mvFormati[mvCandidate[i].iFormato].bMeridiano) conMeridiano.push_back(i);
    for (size_t i = 0; i < candidate; ++i) {
        const Formato& f = mvFormati[mvCandidate[i].iFormato];
        if (f.bData || !f.bOre || f.bMeridiano || !f.bLetterale) continue;
        Colonna c = SuRighe(mvCandidate[i], mvChiamata, true);
        if (c.vValori.empty() || !viste.insert({c.iFormato, c.a, c.b}).second) continue;
        // Times that only the format with the mark reads (3:05p, where h:mm reads 8:05) join
        // the column, already read as 24 hours.
        std::set<size_t> righe, conSegno;
        for (const auto& v : c.vValori) righe.insert(v.iRiga);
        for (size_t k : conMeridiano) {
            const Colonna& m = mvCandidate[k];
            if (!UgualeNoCase(mvFormati[m.iFormato].sTesto, f.sTesto + "A/P")) continue;
            for (const auto& v : m.vValori)
                if (mvChiamata[v.iRiga] && v.b == c.b + 1 && righe.insert(v.iRiga).second) {
                    Valore w = v;
                    w.b = c.b;
                    c.vValori.push_back(w);
                    conSegno.insert(v.iRiga);
                }
        }
        std::sort(c.vValori.begin(), c.vValori.end(),
                  [](const Valore& x, const Valore& y) { return x.iRiga < y.iRiga; });
        for (const auto& v : c.vValori) c.a = std::min(c.a, v.a);
        if (c.Righe() * 10 < mvChiamate.size() * 8) continue;
        std::set<char> lettere;
        size_t segnate = 0;
        bool va = true;
        for (const auto& v : c.vValori) {
            const std::string& s = mvRighe[v.iRiga];
            const auto x = static_cast<size_t>(v.b);
            // The mark stands alone after the time; a blank mark must be there to be filled.
            const char m = x < s.size() ? s[x] : '\0';
            const char dopo = x + 1 < s.size() ? s[x + 1] : ' ';
            const bool ore = conSegno.count(v.iRiga) || (v.v.iOre >= 1 && v.v.iOre <= 12);
            va = v.b == c.b && ore && dopo == ' ' &&
                 (m == ' ' || std::string_view("aApP").find(m) != std::string_view::npos);
            if (!va) break;
            if (m != ' ') lettere.insert(m), ++segnate;
        }
        // One reading per mark: the first format that found it.
        bool letto = false;
        for (const auto& [colonne, rimpiazzi] : mRimpiazzi) letto |= colonne.second == c.b + 1;
        if (!va || lettere.size() != 1 || segnate == 0 || segnate == c.Righe() || letto) continue;
        const char segno = *lettere.begin();
        const bool sera = segno == 'p' || segno == 'P';
        std::string altra(1, sera ? 'a' : 'p');
        if (std::isupper(static_cast<unsigned char>(segno))) altra = Maiusc(altra);
        // The same format with its mark, proposed as a new one when the catalogue lacks it.
        const std::string testo = f.sTesto + "A/P";
        size_t k = 0;
        while (k < mvFormati.size() && !UgualeNoCase(mvFormati[k].sTesto, testo)) ++k;
        if (k == mvFormati.size()) mvFormati.push_back(FaiFormato(0, testo));
        const std::string prima = PrimiValori(c);
        c.iFormato = k;
        ++c.b;
        for (auto& v : c.vValori) {
            const char m = mvRighe[v.iRiga][static_cast<size_t>(v.b)];
            v.b = c.b;
            if (!conSegno.count(v.iRiga)) v.v.iOre = v.v.iOre % 12 + ((m == ' ') != sera ? 12 : 0);
        }
        mRimpiazzi[{c.a, c.b}].emplace_back(" ", altra);
        Voce(Ambito::Campo, "Ora di 12 ore",
             Dove(c.b - 1, c.b) + ": \"" + std::string(1, segno) + "\" attaccato all'ora su " +
                 Num(static_cast<long long>(segnate)) + " righe di chiamata, vuoto sulle altre " +
                 Num(static_cast<long long>(c.Righe() - segnate)) + ", e le ore vanno da 1 a 12 (" +
                 prima + "): un orologio di 12 ore che segna solo " +
                 (sera ? "il pomeriggio" : "il mattino") + "; il vuoto diventa \"" + altra +
                 "\" (SOSTITUISCI) e l'ora si legge con \"" + testo + "\"",
             false, false, {}, c.b - 1, c.b);
        mvCandidate.push_back(std::move(c));
    }
}

// On the incoming calls, a count of a few digits printed with zeros in front (012) and as stars
// where it never happened (***), each no more than the call's duration, is the time to answer:
// the stars become blanks and the field is optional.
void Proponitore::RispostaConAsterischi() {
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size() || !mSegmenti.count(true)) return;
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi) {
        if (t.sCampo == "dRisposta") return;
        if (t.sCampo == "dDurata" && !t.bDecimi) durata = &t;
    }
    for (Segmento& g : mSegmenti[true]) {
        if (!g.sRuolo.empty()) continue;
        int larghezza = -1;
        size_t stelle = 0, cifre = 0;
        bool va = true;
        for (size_t r : mvChiamate) {
            if (mvTipo[r] != 'E') continue;
            const std::string t = Testo(r, g.a, g.b);
            const size_t fine = t.find_last_not_of(' ');
            if (fine == std::string::npos) continue;
            const char c = Cifra(t[fine]) ? '0' : t[fine];
            size_t i = fine + 1;
            while (i > 0 && (c == '0' ? Cifra(t[i - 1]) : t[i - 1] == '*')) --i;
            const int w = static_cast<int>(fine + 1 - i);
            const int b = g.a + static_cast<int>(fine) + 1;
            if ((c != '0' && c != '*') || w < 2 || w > 4 || (larghezza >= 0 && w != larghezza) ||
                b != g.b) {
                va = false;
                break;
            }
            larghezza = w;
            if (c == '*') {
                ++stelle;
                continue;
            }
            ++cifre;
            const Valore* d = durata ? durata->c.Su(r) : nullptr;
            if (d && std::stoll(t.substr(i, static_cast<size_t>(w))) > d->v.TotaleSecondi())
                va = false;
        }
        if (!va || stelle == 0 || cifre == 0) continue;
        const Colonna c = Conteggi(g.b - larghezza, g.b, ss);
        std::set<size_t> entranti;
        for (const auto& v : c.vValori)
            if (mvTipo[v.iRiga] == 'E') entranti.insert(v.iRiga);
        mvTempi.push_back({c, "dRisposta", false, {}});
        mRimpiazzi[{c.a, c.b}].emplace_back("*", "");
        g.sRuolo = "-";
        Voce(Ambito::Campo, "Durata squillo",
             Dove(c.a, c.b) + ": sulle entranti un conteggio di " + Num(larghezza) + " cifre (" +
                 PrimiTesti(entranti, c.a, c.b) + "), mai oltre la durata, e \"" +
                 std::string(static_cast<size_t>(larghezza), '*') + "\" su " +
                 Num(static_cast<long long>(stelle)) + (stelle == 1 ? " chiamata" : " chiamate") +
                 ": \xE8 il tempo di risposta in secondi; gli asterischi (mai risposto) diventano "
                 "vuoti (SOSTITUISCI) e il campo \xE8 facoltativo",
             true, true, "dRisposta", c.a, c.b);
        return;
    }
}

}  // namespace tarno::proposta

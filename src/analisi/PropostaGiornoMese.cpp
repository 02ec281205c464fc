#include "analisi/PropostaInterna.h"

// A date printed as a day and a month in two fields of their own, parted by blanks (09  12),
// where no format found a date.

namespace tarno::proposta {

namespace {

// The two digits standing alone at column x of the line (blanks or the line's edge around
// them), or -1.
int DueCifre(const std::string& s, size_t x) {
    if (x + 2 > s.size() || !Cifra(s[x]) || !Cifra(s[x + 1]) || (x > 0 && s[x - 1] != ' ') ||
        (x + 2 < s.size() && s[x + 2] != ' '))
        return -1;
    return (s[x] - '0') * 10 + (s[x + 1] - '0');
}

}  // namespace

// Two columns of two digits on nine call lines in ten, one or two blanks apart, whose pairs
// are a day and a month (1-31, 1-12) and change seldom (a date changes once a day): the date,
// read with a format of that very shape ("gg  mm"). The column with more values is the day;
// with as many, the day first.
bool Proponitore::GiornoEMeseSeparati() {
    const size_t n = mvChiamate.size();
    if (mData || mDataRiga || n < 3) return false;
    const size_t larghezza = LarghezzaChiamate();
    for (size_t x = 0; x + 5 <= larghezza; ++x) {
        if (Occupata(static_cast<int>(x))) continue;
        for (size_t spazi = 1; spazi <= 2; ++spazi) {
            const size_t y = x + 2 + spazi;
            if (Occupata(static_cast<int>(y))) continue;
            std::set<int> primi, secondi;
            std::set<std::pair<int, int>> coppie;
            size_t lette = 0;
            for (size_t r : mvChiamate) {
                const int a = DueCifre(mvRighe[r], x), b = DueCifre(mvRighe[r], y);
                if (a < 1 || b < 1 || a > 31 || b > 31) continue;
                ++lette;
                primi.insert(a);
                secondi.insert(b);
                coppie.insert({a, b});
            }
            if (lette * 10 < n * 9 || coppie.size() * 4 > lette) continue;
            const bool primoMese = *primi.rbegin() <= 12 && *secondi.rbegin() > 12;
            const bool secondoMese = *secondi.rbegin() <= 12 && *primi.rbegin() > 12;
            if (*primi.rbegin() > 12 && *secondi.rbegin() > 12) continue;
            const bool giornoPrima = secondoMese || (!primoMese && primi.size() >= secondi.size());
            const std::string testo = std::string(giornoPrima ? "gg" : "mm") +
                                      std::string(spazi, ' ') + (giornoPrima ? "mm" : "gg");
            size_t f = 0;
            while (f < mvFormati.size() && !UgualeNoCase(mvFormati[f].sTesto, testo)) ++f;
            if (f == mvFormati.size()) mvFormati.push_back(FaiFormato(0, testo));
            Colonna c;
            c.iFormato = f;
            c.a = static_cast<int>(x);
            c.b = static_cast<int>(y + 2);
            for (size_t r : mvChiamate)
                if (x + testo.size() <= mvRighe[r].size())
                    if (const auto v = mvFormati[f].f.Leggi(
                            std::string_view(mvRighe[r]).substr(x, testo.size()), mMesi))
                        c.vValori.push_back({r, c.a, c.b, *v});
            if (c.vValori.size() * 10 < n * 9) continue;
            mData = c;
            mvOccupate.emplace_back(c.a, c.b);
            const bool incerto = !primoMese && !secondoMese;
            Voce(Ambito::Campo, "Data",
                 Dove(c.a, c.b) + ": due numeri di due cifre a " +
                     Num(static_cast<long long>(spazi)) + (spazi == 1 ? " bianco" : " bianchi") +
                     " l'uno dall'altro su " + Num(static_cast<long long>(c.Righe())) +
                     " righe di chiamata su " + Num(static_cast<long long>(n)) + " (" +
                     PrimiValori(c) + " \xBB " + c.vValori.front().v.TestoData() +
                     "), che cambiano di rado: giorno e mese "
                     "senza anno, letti con \"" +
                     testo + "\"" +
                     (incerto ? "; il giorno \xE8 quello che cambia di pi\xF9 (o il primo): "
                                "se \xE8 l'altro, scambiarli nel formato"
                              : ""),
                 true, false, "dData", c.a, c.b);
            return true;
        }
    }
    return false;
}

}  // namespace tarno::proposta

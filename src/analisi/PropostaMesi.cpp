#include "analisi/PropostaInterna.h"

// Dates with the month printed in letters (09-MAR-26, 9 mar 2026): the driver's month table is
// filled with the names of the language the printout uses, and the formats that read such a
// date through the table are tried with the others.

#include <array>

namespace tarno::proposta {

namespace {

struct Lingua {
    const char* sNome;
    std::array<const char*, 12> nomi;
};

const std::array<Lingua, 4> kLingue{{
    {"inglese",
     {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"}},
    {"italiano",
     {"GEN", "FEB", "MAR", "APR", "MAG", "GIU", "LUG", "AGO", "SET", "OTT", "NOV", "DIC"}},
    {"tedesco",
     {"JAN", "FEB", "MRZ", "APR", "MAI", "JUN", "JUL", "AUG", "SEP", "OKT", "NOV", "DEZ"}},
    {"francese",
     {"JAN", "FEV", "MAR", "AVR", "MAI", "JUN", "JUL", "AOU", "SEP", "OCT", "NOV", "DEC"}},
}};

// A day of one or two digits, a separator, three letters, the same separator and a year of
// two or four digits, standing alone between blanks: the letters and the separator.
struct DataInLettere {
    std::string sMese;
    char cSeparatore = 0;
    size_t iGiorno = 0, iAnno = 0;
};

std::vector<DataInLettere> DateInLettere(const std::string& s) {
    std::vector<DataInLettere> v;
    for (const ParolaDiRiga& p : ParoleDiRiga(s)) {
        const std::string_view t = p.sTesto;
        size_t g = 0;
        while (g < t.size() && Cifra(t[g])) ++g;
        if (g < 1 || g > 2 || g + 5 > t.size()) continue;
        const char sep = t[g];
        if (sep != '-' && sep != '/' && sep != '.') continue;
        if (!Lettera(t[g + 1]) || !Lettera(t[g + 2]) || !Lettera(t[g + 3]) || t[g + 4] != sep)
            continue;
        const std::string_view anno = t.substr(g + 5);
        if ((anno.size() != 2 && anno.size() != 4) || !std::all_of(anno.begin(), anno.end(), Cifra))
            continue;
        v.push_back({Maiusc(t.substr(g + 1, 3)), sep, g, anno.size()});
    }
    return v;
}

}  // namespace

std::vector<std::array<const char*, 12>> NomiDeiMesi() {
    std::vector<std::array<const char*, 12>> v;
    for (const Lingua& l : kLingue) v.push_back(l.nomi);
    return v;
}

void Proponitore::MesiInLettere() {
    // The dates found, by language: a language counts the dates whose letters are one of its
    // month names; the one naming most of them (the first listed on a tie) gives the table.
    std::vector<DataInLettere> date;
    for (const std::string& s : mvRighe)
        for (auto& d : DateInLettere(s)) date.push_back(std::move(d));
    if (date.size() < 2) return;
    const Lingua* scelta = nullptr;
    size_t migliori = 0;
    std::set<std::string> mesiVisti;
    for (const Lingua& l : kLingue) {
        size_t n = 0;
        std::set<std::string> visti;
        for (const auto& d : date)
            for (const char* m : l.nomi)
                if (d.sMese == m) ++n, visti.insert(d.sMese);
        if (n > migliori) scelta = &l, migliori = n, mesiVisti = visti;
    }
    // Most of the dates must name a month: three letters between digits may be anything else.
    if (!scelta || migliori * 10 < date.size() * 9) return;
    // The engine compares the names without case: the table holds them in capitals.
    for (size_t i = 0; i < 12; ++i) mMesi[i] = scelta->nomi[i];
    // The formats: day of two digits or one, the separator seen, the year as printed.
    std::set<std::string> formati;
    for (const auto& d : date) {
        const std::string sep(1, d.cSeparatore);
        formati.insert(std::string(d.iGiorno == 2 ? "gg" : "g") + sep + "mmm" + sep +
                       (d.iAnno == 4 ? "aaaa" : "aa"));
    }
    std::set<std::string> visti;
    for (const Formato& f : mvFormati) visti.insert(Maiusc(f.sTesto));
    for (const std::string& t : formati)
        if (!visti.count(Maiusc(t))) mvFormati.push_back(FaiFormato(0, t));
    std::string nomi;
    for (const auto& m : mesiVisti) nomi += (nomi.empty() ? "" : ", ") + m;
    Voce(Ambito::Stampa, "Mese in lettere",
         Num(static_cast<long long>(migliori)) + " date con il mese in lettere (" + nomi +
             "): nomi dei mesi in " + scelta->sNome +
             "; la tabella dei mesi del driver \xE8 riempita con i nomi di tre lettere (" +
             scelta->nomi[0] + " ... " + scelta->nomi[11] + ")");
}

}  // namespace tarno::proposta

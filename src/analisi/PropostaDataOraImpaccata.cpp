#include "analisi/PropostaInterna.h"

// Dates and times of day packed into one separated field (20261207083012), and record
// counters that a format of digits alone would read as a time (1001 as 10:01).

namespace tarno::proposta {

// In a record of separated fields a run of digits is a field of its own, and most such fields
// are numbers (a party, an identifier): the run is split only when its likeliest reading opens
// with a date at the field's start, holds a time of day after it and explains every digit of
// the run, from its first column to its last, on every record.
bool Proponitore::DataOraNelCampo(const CorsaCifre& corsa) const {
    if (corsa.vLetture.empty()) return false;
    const auto campo = std::find(mvColonna.begin(), mvColonna.end(), corsa.a);
    if (campo == mvColonna.end()) return false;
    const std::vector<PezzoCifre>& pezzi = corsa.vLetture.front().vPezzi;
    if (pezzi.size() < 2 || !pezzi.front().bData || pezzi.front().a != corsa.a) return false;
    bool ora = false;
    int fine = corsa.a;
    for (const PezzoCifre& p : pezzi) {
        if (p.a != fine || p.bDecimi) return false;
        fine = p.b;
        ora |= !p.bData && !p.bDurata;
    }
    if (!ora || fine != corsa.b) return false;
    for (size_t r : corsa.vRighe) {
        const std::string t(TogliSpazi(Testo(r, corsa.a, corsa.b)));
        const std::string dopo = Testo(r, corsa.b, corsa.b + 1);
        if (static_cast<int>(t.size()) != corsa.b - corsa.a || (!dopo.empty() && dopo[0] != ' '))
            return false;
    }
    return true;
}

// Digits alone that grow by exactly one from a line to the next on four steps in five (three
// steps at least) number the records: a time of day so read (1001, 1002, 1003 as 10:01, 10:02,
// 10:03) would have every call a minute after the one before, and 0959 is never followed by
// 0960. Such a column holds no time nor date.
void Proponitore::ContatoriNonSonoOre() {
    std::erase_if(mvCandidate, [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bLetterale || c.bImpaccata || c.Righe() < 4) return false;
        size_t passi = 0, uno = 0;
        long long prima = -1;
        for (const Valore& v : c.vValori) {
            const std::string t(TogliSpazi(Testo(v.iRiga, v.a, v.b)));
            if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
                return false;
            const long long k = std::stoll(t);
            if (prima >= 0) {
                ++passi;
                uno += k == prima + 1;
            }
            prima = k;
        }
        if (passi < 3 || uno * 5 < passi * 4) return false;
        if (mContatori.insert({c.a, c.b}).second)
            Voce(Ambito::Righe, "Contatore",
                 Dove(c.a, c.b) + ": cifre che crescono di uno da una riga all'altra (" +
                     Num(static_cast<long long>(uno)) + " volte su " +
                     Num(static_cast<long long>(passi)) + "): numerano i record; \"" + f.sTesto +
                     "\" le leggerebbe come un'ora, ma non sono un'ora");
        return true;
    });
}

}  // namespace tarno::proposta

#include "analisi/PropostaInterna.h"

// Records of call events (a ring, an answer, a hang-up), one a line, each kind named by a word at
// the same field and with its own fields: the records of one identifier follow one another from
// the word that opens a call to the word that closes it. A call of a varying number of records
// cannot be read as one: the opening records are the calls, the others are left out.

namespace tarno::proposta {

namespace {

bool Parola(std::string_view t) {
    t = TogliSpazi(t);
    return t.size() >= 2 &&
           std::all_of(t.begin(), t.end(), [](char c) { return Lettera(c) || c == '_'; });
}

}  // namespace

bool Proponitore::RecordDiEventi(size_t iEsame) {
    CampiRiga campi;
    for (char c : {',', ';', '\t', '|'}) {
        std::vector<std::vector<std::string>> pezzi;
        for (size_t r = 0; r < iEsame; ++r) {
            if (mvRighe[r].find(c) == std::string::npos) continue;
            DividiCampi(mvRighe[r], c, '"', campi);
            pezzi.emplace_back(campi.vCampi.begin(),
                               campi.vCampi.begin() + static_cast<long>(campi.iCampi));
        }
        if (pezzi.size() < 6 || pezzi.size() * 10 < iEsame * 9) continue;
        size_t minimo = SIZE_MAX;
        for (const auto& p : pezzi) minimo = std::min(minimo, p.size());
        if (minimo < 3) continue;
        for (size_t k = 0; k < minimo; ++k) {
            // A word on every record, a few of them, each with its own count of fields.
            std::map<std::string, std::map<size_t, size_t>> conte;
            bool parole = true;
            for (const auto& p : pezzi) {
                if (!Parola(p[k])) {
                    parole = false;
                    break;
                }
                ++conte[std::string(TogliSpazi(p[k]))][p.size()];
            }
            if (!parole || conte.size() < 2 || conte.size() > 8) continue;
            std::map<std::string, size_t> campiDi;
            std::set<size_t> diversi;
            bool fisso = true;
            for (const auto& [w, m] : conte) {
                size_t tot = 0, moda = 0, quanti = 0;
                for (const auto& [q, v] : m) {
                    tot += v;
                    if (v > moda) moda = v, quanti = q;
                }
                fisso &= moda * 10 >= tot * 9;
                campiDi[w] = quanti;
                diversi.insert(quanti);
            }
            if (!fisso || diversi.size() < 2) continue;
            // The identifier: a field on every record, no date nor time, every value of which
            // stands on two records or more; the one of most values.
            int id = -1;
            size_t valoriId = 0;
            for (size_t j = 0; j < minimo; ++j) {
                if (j == k) continue;
                std::map<std::string, size_t> quante;
                bool va = true;
                for (const auto& p : pezzi) {
                    const std::string_view t = TogliSpazi(p[j]);
                    va &= !t.empty() && t.find_first_of(":/ ") == std::string_view::npos;
                    ++quante[std::string(t)];
                }
                for (const auto& [t, q] : quante) va &= q >= 2;
                if (va && quante.size() < pezzi.size() / 2 && quante.size() > valoriId)
                    id = static_cast<int>(j), valoriId = quante.size();
            }
            if (id < 0) continue;
            std::map<std::string, std::vector<std::string>> flussi;
            for (const auto& p : pezzi)
                flussi[std::string(TogliSpazi(p[static_cast<size_t>(id)]))].emplace_back(
                    TogliSpazi(p[k]));
            // The last record closes a call; the first record of an identifier opens one, and so
            // does a word that follows the closing one among an identifier's records.
            const std::string chiude(TogliSpazi(pezzi.back()[k]));
            std::set<std::string> aprono{std::string(TogliSpazi(pezzi.front()[k]))};
            for (const auto& [v, f] : flussi) {
                aprono.insert(f.front());
                for (size_t i = 1; i < f.size(); ++i)
                    if (f[i - 1] == chiude) aprono.insert(f[i]);
            }
            bool coerente = !aprono.count(chiude) && aprono.size() < conte.size();
            for (const auto& [v, f] : flussi) coerente &= f.back() == chiude;
            if (!coerente) continue;
            size_t aperture = 0;
            for (const auto& p : pezzi) aperture += aprono.count(std::string(TogliSpazi(p[k])));
            if (aperture < 2) continue;
            // An event that follows carries less than the one that opened the call (a record
            // of every kind with its parties is a call of its own).
            size_t minimoAperture = SIZE_MAX, massimoSeguiti = 0;
            for (const auto& [w, q] : campiDi) {
                if (aprono.count(w))
                    minimoAperture = std::min(minimoAperture, q);
                else
                    massimoSeguiti = std::max(massimoSeguiti, q);
            }
            if (massimoSeguiti >= minimoAperture) continue;
            // The events are left out by their word's start: none may open an opening word.
            std::set<std::string> seguiti;
            for (const auto& [w, m] : conte)
                if (!aprono.count(w)) seguiti.insert(w);
            bool distinti = true;
            for (const auto& w : seguiti)
                for (const auto& o : aprono) distinti &= o.compare(0, w.size(), w) != 0;
            if (!distinti) continue;
            mcEventi = c;
            miEventoCampo = k;
            miEventoId = id;
            mAperture = aprono;
            miCampiEventi = 0;
            miComuniEventi = SIZE_MAX;
            for (const auto& w : aprono) {
                miCampiEventi = std::max(miCampiEventi, campiDi[w]);
                miComuniEventi = std::min(miComuniEventi, campiDi[w]);
            }
            mEventi = seguiti;
            std::string a, s;
            for (const auto& w : aprono) a += (a.empty() ? "\"" : ", \"") + w + "\"";
            for (const auto& w : mEventi) s += (s.empty() ? "\"" : ", \"") + w + "\"";
            msEventi = "ogni record nomina al campo " + Num(static_cast<long long>(k + 1)) +
                       " un evento (" + Num(static_cast<long long>(conte.size())) +
                       " parole, ciascuna con i suoi campi)" +
                       (id >= 0 ? ", e i record con lo stesso valore al campo " +
                                      Num(static_cast<long long>(id + 1)) +
                                      " si seguono dall'evento che apre una chiamata a quello che "
                                      "la chiude (\"" +
                                      chiude + "\")"
                                : std::string()) +
                       ": " + a + " aprono le chiamate e sono le righe di chiamata; " + s +
                       " sono eventi di una chiamata gi\xE0 aperta, lasciati fuori (DIVERSO_DA). "
                       "Una chiamata di un numero variabile di record non si pu\xF2 leggere come "
                       "una: il tempo e la durata che portano gli eventi che seguono sono persi";
            return true;
        }
    }
    return false;
}

}  // namespace tarno::proposta

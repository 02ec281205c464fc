// misura_proposte: how well a driver proposed from a printout alone, with no edit, reads the
// printouts of a corpus.
//
//   misura_proposte [CARTELLA] [--minimo-tipi P] [--minimo-campi P] [--dettagli]
//
// CARTELLA (default: the tests' corpus) holds one folder per printout with stampa.txt and
// attese.json (see tests/corpus/README.md). For each the driver is proposed with the demo
// catalogue's formats, the printout is read with it (with the new formats it asks for) and its
// calls are compared with the expected ones: a call is found when one starts on its first
// line; its kind is right when incoming/outgoing and transferred both are; its lines when it has
// as many as expected; a field when the call has it and its value, normalised, is the expected
// one. Calls found where none is expected are counted apart. --dettagli lists every call not
// found and every thing wrong. The exit status is 1 when the kinds right or the fields right over
// the corpus fall below the minimums (percentages), 2 for a usage error or a corpus that cannot be
// read.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "FormatiDemo.h"
#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"
#include "model/File.h"
#include "model/Numeri.h"
#include "model/Testo.h"

namespace {

namespace fs = std::filesystem;
using namespace tarno;

struct Totali {
    size_t iAttese = 0, iTrovate = 0, iTipi = 0, iRighe = 0, iCampiGiusti = 0, iCampi = 0,
           iInPiu = 0;
    void operator+=(const Totali& t) {
        iAttese += t.iAttese, iTrovate += t.iTrovate, iTipi += t.iTipi, iRighe += t.iRighe;
        iCampiGiusti += t.iCampiGiusti, iCampi += t.iCampi, iInPiu += t.iInPiu;
    }
};

std::string Senza(std::string_view s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

std::optional<double> Numero(std::string s) {
    s = Senza(s);
    if (!s.empty() && s[0] == '$') s.erase(0, 1);
    return s.empty() ? std::nullopt : ValoreNumerico(s);
}

// "8:05" and "08:05:00" alike: hours, minutes and seconds as numbers.
std::optional<std::vector<long>> PartiOra(const std::string& s) {
    std::vector<long> parti;
    size_t i = 0;
    while (i <= s.size() && parti.size() < 3) {
        const size_t j = std::min(s.find(':', i), s.size());
        const auto n = ValoreNumerico(s.substr(i, j - i));
        if (!n || *n != std::floor(*n)) return std::nullopt;
        parti.push_back(static_cast<long>(*n));
        i = j + 1;
    }
    if (i <= s.size() || parti.size() < 2) return std::nullopt;
    parti.resize(3, 0);
    return parti;
}

// Whether a value read is the expected one. Both are normalised: times to hours, minutes and
// seconds; durations ("180 s") and pulses or charges ("$0.12") to numbers; texts trimmed. A date
// read from a printout without a year ("--12-01", the engine's way) is right when its month and
// day are: the corpus writes the year it assumed.
bool Uguali(const std::string& sCampo, const std::string& sAtteso, const std::string& sLetto) {
    const std::string atteso = Senza(sAtteso), letto = Senza(sLetto);
    if (sCampo == "dData")
        return letto.rfind("--", 0) == 0 && atteso.size() == 10
                   ? atteso.substr(4) == letto.substr(1)
                   : atteso == letto;
    if (sCampo == "dOraInizio" || sCampo == "dOraFine") {
        const auto a = PartiOra(atteso), l = PartiOra(letto);
        return a && l && *a == *l;
    }
    if (sCampo == "dDurata" || sCampo == "dRisposta" || sCampo == "lScatti") {
        auto numero = [](std::string s) {
            if (s.size() > 2 && s.ends_with(" s")) s.resize(s.size() - 2);
            return Numero(s);
        };
        const auto a = numero(atteso), l = numero(letto);
        return a && l && std::fabs(*a - *l) < 0.005;
    }
    return atteso == letto;
}

std::string Percento(size_t n, size_t d) {
    char s[16];
    std::snprintf(s, sizeof s, "%.1f%%", d ? 100.0 * double(n) / double(d) : 100.0);
    return s;
}

std::string Riga(const std::string& sNome, const std::vector<std::string>& colonne) {
    char s[64];
    std::string r = sNome;
    r.resize(std::max<size_t>(r.size(), 44), ' ');
    for (const auto& c : colonne) {
        std::snprintf(s, sizeof s, "%10s", c.c_str());
        r += s;
    }
    return r + '\n';
}

std::vector<std::string> Colonne(const Totali& t) {
    return {std::to_string(t.iAttese),
            std::to_string(t.iTrovate),
            std::to_string(t.iTipi),
            std::to_string(t.iRighe),
            std::to_string(t.iCampiGiusti) + "/" + std::to_string(t.iCampi),
            std::to_string(t.iInPiu)};
}

// Proposes, reads and compares one printout; the details go to rsDettagli.
Totali Misura(const std::string& sByte, const nlohmann::json& attese, const MappaFormati& catalogo,
              std::string& rsDettagli) {
    const Proposta proposta = ProponiDriver(sByte, catalogo);
    MappaFormati formati = catalogo;
    for (const FormatoProposto& f : proposta.vFormatiNuovi) formati[f.iCodice] = f.sTesto;
    const clsLetturaCampione lettura(proposta.driver, formati, sByte);
    std::map<uint64_t, const ChiamataLetta*> lette;  // by first line
    for (const VoceCampione& v : lettura.Voci())
        if (v.bChiamata && !v.chiamata.vRighe.empty())
            lette.emplace(v.chiamata.vRighe.front(), &v.chiamata);

    Totali t;
    auto nota = [&rsDettagli](uint64_t iRiga, const std::string& s) {
        rsDettagli += "    riga " + std::to_string(iRiga) + ": " + s + "\n";
    };
    for (const auto& a : attese.at("chiamate")) {
        const uint64_t riga = a.at("riga").get<uint64_t>();
        const auto& campi = a.at("campi");
        ++t.iAttese;
        t.iCampi += campi.size();
        const auto it = lette.find(riga);
        if (it == lette.end()) {
            nota(riga, "nessuna chiamata");
            continue;
        }
        const ChiamataLetta& c = *it->second;
        lette.erase(it);
        ++t.iTrovate;
        const bool entrante = a.at("tipo").get<std::string>() == "entrante";
        const bool trasferita = a.at("trasferita").get<bool>();
        if (c.bEntrante == entrante && c.bTrasferita == trasferita)
            ++t.iTipi;
        else
            nota(riga, std::string("attesa ") + (entrante ? "entrante" : "uscente") +
                           (trasferita ? " trasferita" : "") + ", letta " +
                           (c.bEntrante ? "entrante" : "uscente") +
                           (c.bTrasferita ? " trasferita" : ""));
        const size_t righe = a.at("righe").get<size_t>();
        if (c.vRighe.size() == righe)
            ++t.iRighe;
        else
            nota(riga, "righe attese " + std::to_string(righe) + ", lette " +
                           std::to_string(c.vRighe.size()));
        for (const auto& [nome, valore] : campi.items()) {
            const std::string atteso = valore.get<std::string>();
            const auto f = std::find_if(c.vCampi.begin(), c.vCampi.end(),
                                        [&](const CampoLetto& x) { return x.sNome == nome; });
            std::string letto;  // what was read instead, when it is wrong
            if (f == c.vCampi.end())
                letto = "(campo assente)";
            else if (!f->sErrore.empty())
                letto = "(errore: " + Cp1252InUtf8(f->sErrore) + ")";
            else if (f->bVuoto)
                letto = "(vuoto)";
            else if (!Uguali(nome, atteso, Cp1252InUtf8(f->sInterpretato)))
                letto = "\"" + Cp1252InUtf8(f->sInterpretato) + "\"";
            if (letto.empty()) {
                ++t.iCampiGiusti;
                continue;
            }
            const bool taglio = f != c.vCampi.end() && !f->sTaglio.empty();
            nota(riga, nome + ": atteso \"" + atteso + "\", letto " + letto +
                           (taglio ? " dal taglio \"" + Cp1252InUtf8(f->sTaglio) + "\"" : ""));
        }
    }
    t.iInPiu = lette.size();
    for (const auto& [riga, c] : lette) nota(riga, "chiamata letta dove non ce n'e' nessuna");
    return t;
}

int Uso() {
    std::cerr << "uso: misura_proposte [CARTELLA] [--minimo-tipi P] [--minimo-campi P] "
                 "[--dettagli]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string cartella = TARNO_CORPUS_DIR;
    double minimoTipi = 0, minimoCampi = 0;
    bool dettagli = false, altraCartella = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--minimo-tipi" || a == "--minimo-campi") && i + 1 < argc) {
            const auto p = ValoreNumerico(argv[++i]);
            if (!p || *p < 0 || *p > 100) return Uso();
            (a == "--minimo-tipi" ? minimoTipi : minimoCampi) = *p;
        } else if (a == "--dettagli") {
            dettagli = true;
        } else if (a.rfind("-", 0) == 0 || altraCartella) {
            return Uso();
        } else {
            cartella = a;
            altraCartella = true;
        }
    }
    std::vector<fs::path> stampe;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(cartella, ec))
        if (fs::is_regular_file(e.path() / "stampa.txt", ec) &&
            fs::is_regular_file(e.path() / "attese.json", ec))
            stampe.push_back(e.path());
    if (ec || stampe.empty()) {
        std::cerr << "misura_proposte: nessuna stampa con attese.json in " << cartella << '\n';
        return 2;
    }
    std::sort(stampe.begin(), stampe.end());
    const MappaFormati formati = FormatiDemo();

    std::cout << Riga("stampa", {"attese", "trovate", "tipi", "righe", "campi", "in piu'"});
    Totali totale;
    int esito = 0;
    for (const fs::path& p : stampe) {
        const auto byte = LeggiFile((p / "stampa.txt").string());
        const auto json = LeggiFile((p / "attese.json").string());
        std::string dettaglio;
        try {
            if (!byte || !json) throw std::runtime_error("file non leggibile");
            const Totali t = Misura(*byte, nlohmann::json::parse(*json), formati, dettaglio);
            totale += t;
            std::cout << Riga(p.filename().string(), Colonne(t));
        } catch (const std::exception& e) {
            std::cerr << "misura_proposte: " << p.string() << ": " << e.what() << '\n';
            esito = 2;
            continue;
        }
        if (dettagli && !dettaglio.empty()) std::cout << dettaglio;
    }
    std::cout << Riga("totale", Colonne(totale))
              << Riga("percentuale", {"", Percento(totale.iTrovate, totale.iAttese),
                                      Percento(totale.iTipi, totale.iAttese),
                                      Percento(totale.iRighe, totale.iAttese),
                                      Percento(totale.iCampiGiusti, totale.iCampi), ""});
    if (esito) return esito;
    const double tipi =
        totale.iAttese ? 100.0 * double(totale.iTipi) / double(totale.iAttese) : 100;
    const double campi =
        totale.iCampi ? 100.0 * double(totale.iCampiGiusti) / double(totale.iCampi) : 100;
    if (tipi < minimoTipi || campi < minimoCampi) {
        std::cerr << "misura_proposte: sotto il minimo: tipi giusti "
                  << Percento(totale.iTipi, totale.iAttese) << " (minimo " << minimoTipi
                  << "%), campi giusti " << Percento(totale.iCampiGiusti, totale.iCampi)
                  << " (minimo " << minimoCampi << "%)\n";
        return 1;
    }
    return 0;
}

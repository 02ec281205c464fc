// The INI store under arbitrary input.
//
// The input up to its first NUL byte is an INI text. What follows is split at NUL bytes: a
// section name and a key name to look up, then triples of section, key and value to write
// (at most eight). Without them the lookups use "Centralino" and "Autore".
//
// Checked: the profile lookup and the key list stay within their buffer; the parser and the
// normalised text never fail; writing the keys key by key through ScriviChiaveINI and through
// the one-pass writer gives the same results and the same file, byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ScrittoreRiferimento.h"
#include "Supporto.h"
#include "VerificaFuzz.h"
#include "model/clsFileINI.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

struct Scrittura {
    std::string sSezione, sChiave, sValore;
};

constexpr size_t MAX_SCRITTURE = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CartellaTemp cartella;
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const size_t nul = input.find('\0');
    const std::string testo(input.substr(0, nul));
    std::vector<std::string> parti;
    if (nul != std::string_view::npos) {
        std::string_view resto = input.substr(nul + 1);
        while (true) {
            const size_t p = resto.find('\0');
            parti.emplace_back(resto.substr(0, p));
            if (p == std::string_view::npos) break;
            resto = resto.substr(p + 1);
        }
    }
    const std::string sezione = parti.size() > 0 ? parti[0] : "Centralino";
    const std::string chiave = parti.size() > 1 ? parti[1] : "Autore";
    std::vector<Scrittura> scritture;
    for (size_t i = 2; i + 2 < parti.size() && scritture.size() < MAX_SCRITTURE; i += 3)
        scritture.push_back({parti[i], parti[i + 1], parti[i + 2]});

    // Profile lookup.
    const auto profilo = clsProfiloINI::DaTesto(testo);
    FUZZ_VERIFICA(profilo.Leggi(sezione, chiave).size() < DIM_BUFFER_PROFILO,
                  "value longer than the reading buffer");
    FUZZ_VERIFICA(profilo.ElencoChiavi(sezione).size() <= DIM_BUFFER_PROFILO,
                  "key list longer than the reading buffer");
    for (size_t dim : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{17}}) {
        FUZZ_VERIFICA(profilo.Leggi(sezione, chiave, dim).size() + (dim ? 1 : 0) <= dim,
                      "value longer than a small buffer");
        FUZZ_VERIFICA(profilo.ElencoChiavi(sezione, dim).size() <= dim,
                      "key list longer than a small buffer");
    }

    // Parser and normalised text.
    auto file = clsFileINI::Analizza(testo);
    for (const auto& s : scritture) file.Inserisci(s.sSezione, s.sChiave, s.sValore);
    const std::string normale = file.Testo();
    (void)clsProfiloINI::DaTesto(normale).ElencoChiavi(sezione);

    // The one-pass writer against the key-by-key one.
    if (!scritture.empty()) {
        const std::string fileA = cartella.File("chiave-per-chiave.ini");
        const std::string fileB = cartella.File("una-passata.ini");
        ScriviFile(fileA, testo);
        ScriviFile(fileB, testo);
        ScrittoreChiavePerChiave lento(fileA);
        clsScritturaINI veloce(fileB);
        for (const auto& s : scritture) {
            const int16_t a = lento.ScriviChiave(s.sSezione, s.sChiave, s.sValore);
            const int16_t b = veloce.ScriviChiave(s.sSezione, s.sChiave, s.sValore);
            FUZZ_VERIFICA(a == b, "the two writers return different results");
        }
        FUZZ_VERIFICA(veloce.Chiudi(), "the one-pass writer could not write its file");
        const std::string a = LeggiTutto(fileA);
        const std::string b = LeggiTutto(fileB);
        if (a != b)
            std::fprintf(stderr, "key by key: %s\none pass:   %s\n", Leggibile(a).c_str(),
                         Leggibile(b).c_str());
        FUZZ_VERIFICA(a == b, "the two writers leave different files");
    }
    return 0;
}

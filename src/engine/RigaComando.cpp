#include "engine/RigaComando.h"

#include <cstddef>
#include <string_view>

#include "model/Numeri.h"
#include "model/Testo.h"

namespace tarno {

namespace {

bool Bianco(char c) { return c == ' ' || c == '\t'; }

char Opzione(char c) {
    switch (c) {
        case 'i':
        case 'I':
            return 'i';
        case 'd':
        case 'D':
            return 'D';
        case 'f':
        case 'F':
            return 'F';
        default:
            return 0;
    }
}

std::string Pulito(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && Bianco(s[a])) ++a;
    while (b > a && Bianco(s[b - 1])) --b;
    s = s.substr(a, b - a);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return std::string(s);
}

struct Interruttore {
    size_t iPos;  // of the "/"
    char cLettera;
};

}  // namespace

const char* UsoMiner() {
    return "uso: tarnominer /i3 /D<file del driver> /F<file dei dati>\n"
           "     (nessuno spazio dopo /D e /F; i percorsi possono contenere spazi)\n";
}

bool LeggiRigaComando(const std::vector<std::string>& vArgomenti, ParametriMiner& rPar,
                      std::string& rsErrore,
                      const std::function<bool(const std::string&)>& esiste) {
    rPar = ParametriMiner{};
    std::string testo;
    for (size_t i = 0; i < vArgomenti.size(); ++i) {
        if (i) testo += ' ';
        testo += vArgomenti[i];
    }
    std::vector<Interruttore> vInt;
    for (size_t i = 0; i + 1 < testo.size(); ++i)
        if (testo[i] == '/' && (i == 0 || Bianco(testo[i - 1])) && Opzione(testo[i + 1]))
            vInt.push_back(Interruttore{i, Opzione(testo[i + 1])});
    if (Pulito(testo).empty()) {
        rsErrore = "riga di comando vuota";
        return false;
    }
    if (vInt.empty()) {
        rsErrore = "riga di comando senza le opzioni /D e /F: \"" + NomeFileInCp1252(testo) + "\"";
        return false;
    }
    const std::string prima = Pulito(std::string_view(testo).substr(0, vInt[0].iPos));
    if (!prima.empty()) {
        rsErrore =
            "testo non riconosciuto nella riga di comando: \"" + NomeFileInCp1252(prima) + "\"";
        return false;
    }

    bool visto[3] = {false, false, false};  // i, D, F
    std::string modo;
    for (size_t k = 0; k < vInt.size();) {
        const char lettera = vInt[k].cLettera;
        const size_t inizio = vInt[k].iPos + 2;
        // Where the value may end: before one of the following switches, or at the end.
        size_t scelto = vInt.size();  // index of the switch that follows the value
        std::string valore;
        for (size_t j = k + 1; j <= vInt.size(); ++j) {
            const size_t fine = j < vInt.size() ? vInt[j].iPos : testo.size();
            std::string v = Pulito(std::string_view(testo).substr(inizio, fine - inizio));
            if (j == k + 1) {
                scelto = j;
                valore = v;
                if (lettera == 'i' || !esiste) break;
            }
            if (lettera != 'i' && esiste && !v.empty() && esiste(v)) {
                scelto = j;
                valore = std::move(v);
                break;
            }
        }
        const int indice = lettera == 'i' ? 0 : lettera == 'D' ? 1 : 2;
        if (visto[indice]) {
            rsErrore = std::string("opzione /") + lettera + " ripetuta nella riga di comando";
            return false;
        }
        visto[indice] = true;
        if (lettera == 'i')
            modo = valore;
        else if (lettera == 'D')
            rPar.sDriver = valore;
        else
            rPar.sCampione = valore;
        k = scelto;
    }

    if (visto[0]) {
        const auto v = ValoreNumerico(modo);
        if (!v || *v != 3) {
            rsErrore = "modalit\xE0 /i" + modo + " non gestita (solo /i3, verifica del driver)";
            return false;
        }
    }
    if (rPar.sDriver.empty()) {
        rsErrore = "manca il file del driver (/D<percorso>)";
        return false;
    }
    if (rPar.sCampione.empty()) {
        rsErrore = "manca il file dei dati (/F<percorso>)";
        return false;
    }
    return true;
}

}  // namespace tarno

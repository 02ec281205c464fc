// The value syntax of each kind of key (condition, transformation, field, condition list), the
// profile lookup and the call-record field names, as one golden file: casi/valori.txt holds
// every case and what it gives.

#include <gtest/gtest.h>

#include "Supporto.h"
#include "model/CallFieldName.h"
#include "model/Messaggi.h"
#include "model/clsCampo.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const fs::path kCasi = TARNO_CASI;

// Every key written, as "name=value" joined by " | ". Values are as given: the blanks that
// end condition lists are trimmed by the next write to the file.
struct Registro : IScrittoreINI {
    std::string s;
    int16_t ScriviChiave(const std::string&, const std::string& k, const std::string& v) override {
        s += (s.empty() ? "" : " | ") + k + "=" + v;
        return 1;
    }
};

// Windows-1252 bytes as UTF-8, for the golden file.
std::string Utf8(const std::string& s) {
    std::string r;
    for (const unsigned char c : s) {
        if (c < 0x80)
            r += static_cast<char>(c);
        else
            r += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return r;
}

// What one case gives: the result of reading, then what is written between « ».
std::string Esito(const std::string& tipo, const std::string& valore,
                  const std::string& profiloIni) {
    const auto profilo = clsProfiloINI::DaFile(profiloIni);
    const std::string v = W(valore);
    Registro ini;
    MessaggiRaccolti msg;
    int32_t cond = 0, trasf = 0;
    int r = 0;
    if (tipo == "N")
        return std::to_string(IndiceCampo(v, true)) + " " + std::to_string(IndiceCampo(v, false));
    if (tipo == "I") {
        const int i = std::stoi(v);
        return "\xC2\xAB" + NomeCampo(i, true) + "\xC2\xBB \xC2\xAB" + NomeCampo(i, false) +
               "\xC2\xBB";
    }
    if (tipo == "P") {
        const size_t bar = v.find('|');
        const std::string letto = profilo.Leggi(v.substr(0, bar), v.substr(bar + 1));
        EXPECT_EQ(LeggiChiaveINI(profiloIni, v.substr(0, bar), v.substr(bar + 1)), letto);
        return "\xC2\xAB" + Utf8(letto) + "\xC2\xBB";
    } else if (tipo == "C") {
        clsCondizione x;
        if ((r = x.Interpreta(v)) != -1) x.Salva(ini, 0);
    } else if (tipo == "T") {
        clsTrasformazione x;
        if ((r = x.Interpreta(v, profilo)) != -1 || v.find("Condizione") != std::string::npos)
            x.Salva(ini, 0, cond, msg);
    } else if (tipo == "F") {
        clsCampo x;
        if ((r = x.Interpreta(v, profilo)) != -1 || v.find("Azione") != std::string::npos)
            x.Salva(ini, "Entranti", 0, cond, trasf, msg);
    } else {
        ColCondizioni col;
        r = LeggiElencoCondizioni(profilo, v, tipo == "L/42" ? 42 : 500, col);
        const std::string elenco = SalvaElencoCondizioni(ini, col, cond, msg);
        ini.s += (ini.s.empty() ? "" : " | ") + elenco;
    }
    EXPECT_TRUE(msg.mvTesti.empty());
    return std::to_string(r) + (ini.s.empty() ? "" : " \xC2\xAB" + Utf8(ini.s) + "\xC2\xBB");
}

TEST(Valori, EveryCaseGivesWhatTheGoldenFileSays) {
    const std::string atteso = LeggiTutto(kCasi / "valori.txt");
    std::string ottenuto;
    std::istringstream righe(atteso);
    for (std::string riga; std::getline(righe, riga); ottenuto += riga + "\n") {
        if (riga.empty() || riga[0] == '#') continue;
        const size_t tab = riga.find('\t'), fine = riga.find("\t-> ");
        const std::string tipo = riga.substr(0, tab);
        riga = riga.substr(0, fine) + "\t-> " +
               Esito(tipo, riga.substr(tab + 1, fine - tab - 1), (kCasi / "profilo.ini").string());
    }
    if (std::getenv("TARNO_RIGENERA")) ScriviFile(kCasi / "valori.txt", ottenuto);
    EXPECT_EQ(ottenuto, atteso);
}

}  // namespace

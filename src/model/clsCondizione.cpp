#include "model/clsCondizione.h"

#include <array>

#include "model/Messaggi.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

namespace tarno {

namespace {

constexpr std::array<const char*, 7> kParole = {
    "", "UGUALE_A", "DIVERSO_DA", "SOLO_NUMERI", "DATA_VALIDA", "TEMPO_VALIDO", "DATA_ISOLATA"};

}  // namespace

const char* clsCondizione::ParolaChiave(int32_t enOperatore) {
    if (enOperatore < 0 || enOperatore >= static_cast<int32_t>(kParole.size())) return "";
    return kParole[static_cast<size_t>(enOperatore)];
}

std::string clsCondizione::Valore() const {
    std::string v = ParolaChiave(menOperatore);
    v += SEP;
    v += TestoPosizione(miInizio, miLunghezza, miRiga, miNelCampo);
    v += SEP;
    v += '"' + msValore + '"';
    v += SEP;
    if (miFormato != 0) v += std::to_string(miFormato);
    return v;
}

int16_t clsCondizione::Leggi(const clsProfiloINI& profilo, const std::string& viNumero) {
    const std::string nome = "Condizione_" + viNumero;
    const std::string valore = profilo.Leggi(SEZ_CONDIZIONI, nome);
    if (valore.empty()) return 0;
    msNome = nome;
    return Interpreta(valore);
}

int16_t clsCondizione::Salva(IScrittoreINI& ini, int32_t viNumero) {
    msNome = "Condizione_" + std::to_string(viNumero);
    return ini.ScriviChiave(SEZ_CONDIZIONI, msNome, Valore()) == 1 ? 1 : -3;
}

int16_t clsCondizione::Interpreta(const std::string& s) {
    const size_t p1 = s.find(SEP);
    if (p1 == std::string::npos) return -1;
    const std::string parola = Maiuscolo(std::string_view(s).substr(0, p1));
    menOperatore = NESSUNO;
    for (int32_t k = 1; k < static_cast<int32_t>(kParole.size()); ++k)
        if (parola == kParole[static_cast<size_t>(k)]) menOperatore = k;
    const size_t p2 = s.find(',', p1 + 1);
    if (p2 == std::string::npos || menOperatore == NESSUNO) return -1;
    const auto inizio = LeggiIntero16(std::string_view(s).substr(p1 + 1, p2 - p1 - 1));
    if (!inizio) return -1;
    miInizio = *inizio;
    const size_t p3 = s.find(',', p2 + 1);
    if (p3 == std::string::npos) return -1;
    const auto lunghezza = LeggiIntero16(std::string_view(s).substr(p2 + 1, p3 - p2 - 1));
    if (!lunghezza) return -1;
    miLunghezza = *lunghezza;
    const size_t p4 = s.find(SEP, p3 + 1);
    if (p4 == std::string::npos) return -1;
    if (!LeggiRigaPosizione(std::string_view(s).substr(p3 + 1, p4 - p3 - 1), miRiga, miNelCampo))
        return -1;
    const size_t p5 = s.find(SEP, p4 + 1);
    if (p5 == std::string::npos) return -1;
    msValore = TraVirgolette(s, p4, p5);
    const auto formato = LeggiIntero16(std::string_view(s).substr(p5 + 1));
    if (!formato) return -1;
    miFormato = *formato;
    return 1;
}

int16_t LeggiElencoCondizioni(const clsProfiloINI& profilo, const std::string& sElenco,
                              size_t iLarghezza, ColCondizioni& rcol) {
    std::string s = sElenco.substr(0, iLarghezza);
    if (s.size() < iLarghezza) s.append(iLarghezza - s.size(), ' ');
    size_t p = 0;
    auto prossimo = [&](size_t da) {
        const size_t spazio = s.find(' ', da);
        const size_t fine = spazio == std::string::npos ? s.size() : spazio;
        std::string token = s.substr(da, fine - da);
        p = fine;
        return token;
    };
    size_t da = 0;
    int letti = 0;
    while (true) {
        const std::string nome = prossimo(da);
        if (nome.empty()) return letti == 0 ? 1 : -1;  // a conjunction with nothing after it
        clsCondizione cond;
        const std::string numero = CifreFinali(nome);
        if (cond.Leggi(profilo, numero) != 1) return -1;
        if (p >= s.size()) {  // the buffer ends inside the name: no conjunction follows
            if (!rcol.Add(std::move(cond), numero)) return -1;
            return 1;
        }
        const std::string congiunzione = prossimo(p + 1);
        if (!congiunzione.empty()) cond.msCongiunzione = congiunzione;
        if (!rcol.Add(std::move(cond), numero)) return -1;
        ++letti;
        if (congiunzione.empty() || p >= s.size()) return 1;
        da = p + 1;
    }
}

std::string SalvaElencoCondizioni(IScrittoreINI& ini, ColCondizioni& col, int32_t& ricCond,
                                  IMessaggi& msg, int16_t* riMaxRiga,
                                  const std::string& sSuffisso) {
    std::string elenco;
    for (auto& voce : col) {
        clsCondizione& c = voce.valore;
        if (c.Salva(ini, ricCond) != 1)
            msg.Mostra("Errore durante la scrittura della condizione " + std::to_string(ricCond) +
                       sSuffisso);
        elenco += c.msNome + " " + c.msCongiunzione + " ";
        if (riMaxRiga && c.miRiga > *riMaxRiga) *riMaxRiga = c.miRiga;
        ++ricCond;
    }
    return elenco;
}

}  // namespace tarno

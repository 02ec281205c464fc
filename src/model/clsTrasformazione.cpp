#include "model/clsTrasformazione.h"

#include <array>

#include "model/Messaggi.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

namespace tarno {

namespace {

constexpr std::array<const char*, 5> kTipi = {"", "INIZIALE", "ENTRANTI", "USCENTI", "CAMPO"};
constexpr std::array<const char*, 15> kOperazioni = {
    "",        "SOSTITUISCI",   "MOLTIPLICA", "DIVIDI", "SOMMA", "SOTTRAI", "INSERISCI", "ELIMINA",
    "ALLINEA", "ESTRAI_NUMERO", "IGNORA",     "SPOSTA", "COPIA", "ESPANDI", "UTC"};

template <size_t N>
int32_t Cerca(const std::array<const char*, N>& parole, const std::string& parola) {
    for (size_t k = 1; k < N; ++k)
        if (parola == parole[k]) return static_cast<int32_t>(k);
    return 0;
}

template <size_t N>
const char* Parola(const std::array<const char*, N>& parole, int32_t i) {
    return (i < 0 || i >= static_cast<int32_t>(N)) ? "" : parole[static_cast<size_t>(i)];
}

}  // namespace

const char* clsTrasformazione::ParolaTipo(int32_t enTipo) { return Parola(kTipi, enTipo); }
const char* clsTrasformazione::ParolaOperazione(int32_t enOperazione) {
    return Parola(kOperazioni, enOperazione);
}

int16_t clsTrasformazione::Leggi(const clsProfiloINI& profilo, const std::string& viNumero) {
    const std::string valore = profilo.Leggi(SEZ_TRASFORMAZIONI, "Azione_" + viNumero);
    if (valore.empty()) return 0;
    return Interpreta(valore, profilo);
}

int16_t clsTrasformazione::Salva(IScrittoreINI& ini, int32_t viNumero, int32_t& ricCond,
                                 IMessaggi& msg) {
    std::string v = ParolaTipo(menTipo);
    v += SEP;
    v += ParolaOperazione(menOperazione);
    v += SEP;
    v += TestoPosizione(miInizio, miLunghezza, miRiga, miNelCampo);
    v += SEP;
    v += '"' + msSorgente + '"';
    v += SEP;
    v += '"' + msValore + '"';
    v += SEP;
    if (mcolCondizioni) v += SalvaElencoCondizioni(ini, *mcolCondizioni, ricCond, msg);
    msNome = "Azione_" + std::to_string(viNumero);
    return ini.ScriviChiave(SEZ_TRASFORMAZIONI, msNome, v) == 1 ? 1 : -3;
}

int16_t clsTrasformazione::Interpreta(const std::string& s, const clsProfiloINI& profilo) {
    SvuotaCondizioni();
    const std::string_view sv(s);
    const size_t p1 = s.find(SEP);
    if (p1 == std::string::npos) return -1;
    menTipo = Cerca(kTipi, Maiuscolo(sv.substr(0, p1)));
    const size_t p2 = s.find(SEP, p1 + 1);
    if (p2 == std::string::npos) return -1;
    menOperazione = Cerca(kOperazioni, Maiuscolo(sv.substr(p1 + 1, p2 - p1 - 1)));
    const size_t p3 = s.find(',', p2 + 1);
    if (p3 == std::string::npos) return -1;
    const auto inizio = LeggiIntero16(sv.substr(p2 + 1, p3 - p2 - 1));
    if (!inizio) return -1;
    miInizio = *inizio;
    const size_t p4 = s.find(',', p3 + 1);
    if (p4 == std::string::npos) return -1;
    const auto lunghezza = LeggiIntero16(sv.substr(p3 + 1, p4 - p3 - 1));
    if (!lunghezza) return -1;
    miLunghezza = *lunghezza;
    const size_t p5 = s.find(SEP, p4 + 1);
    if (p5 == std::string::npos) return -1;
    if (!LeggiRigaPosizione(sv.substr(p4 + 1, p5 - p4 - 1), miRiga, miNelCampo)) return -1;
    const size_t p6 = s.find(SEP, p5 + 1);
    if (p6 == std::string::npos) return -1;
    msSorgente = TraVirgolette(s, p5, p6);
    const size_t p7 = s.find(SEP, p6 + 1);
    if (p7 == std::string::npos) return -1;
    msValore = TraVirgolette(s, p6, p7);
    int16_t risultato = (menTipo == CAMPO) ? 2 : 1;
    if (p7 + 1 >= s.size()) return risultato;
    mcolCondizioni.emplace();
    if (LeggiElencoCondizioni(profilo, s.substr(p7 + 1), LARGHEZZA_CONDIZIONI_TRASF,
                              *mcolCondizioni) != 1)
        risultato = -1;
    return risultato;
}

}  // namespace tarno

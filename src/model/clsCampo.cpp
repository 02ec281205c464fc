#include "model/clsCampo.h"

#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

namespace tarno {

namespace {
constexpr const char* PAROLA_CIFRE = "CIFRE";
}  // namespace

clsCampo::clsCampo(const clsCampo& altro) { *this = altro; }

clsCampo& clsCampo::operator=(const clsCampo& altro) {
    if (this == &altro) return *this;
    msNome = altro.msNome;
    miInizio = altro.miInizio;
    miLunghezza = altro.miLunghezza;
    miRiga = altro.miRiga;
    miNelCampo = altro.miNelCampo;
    menAllineamento = altro.menAllineamento;
    mbOpzionale = altro.mbOpzionale;
    miFormato = altro.miFormato;
    menEccezione = altro.menEccezione;
    mbSoloCifre = altro.mbSoloCifre;
    moTrasf = altro.moTrasf ? std::make_unique<clsTrasformazione>(*altro.moTrasf) : nullptr;
    return *this;
}

int16_t clsCampo::Salva(IScrittoreINI& ini, const std::string& sSezione, int32_t iNumero,
                        int32_t& ricCond, int32_t& ricTrasf, IMessaggi& msg) {
    std::string v = '"' + msNome + '"';
    v += SEP;
    v += TestoPosizione(miInizio, miLunghezza, miRiga, miNelCampo);
    v += SEP;
    if (menAllineamento == DX)
        v += "DX";
    else if (menAllineamento == SX)
        v += "SX";
    v += SEP;
    v += mbOpzionale ? "S" : "N";
    v += SEP;
    if (miFormato != 0) v += std::to_string(miFormato);
    v += SEP;
    if (menEccezione == DATA) {
        v += "DATA";
        v += SEP;
    } else if ((menEccezione == DURATA_TRASF || menEccezione == SCATTI_TRASF) && moTrasf) {
        moTrasf->Salva(ini, ricTrasf, ricCond, msg);
        v += "TRASFORMAZIONE";
        v += SEP;
        v += moTrasf->msNome;
        ++ricTrasf;
    }
    if (mbSoloCifre) {
        // After a transformation's name a separator ends the name first.
        if (v.back() != SEP) v += SEP;
        v += PAROLA_CIFRE;
        v += SEP;
    }
    return ini.ScriviChiave(sSezione, "Campo_" + std::to_string(iNumero), v) == 1 ? 1 : -3;
}

int16_t clsCampo::Leggi(const clsProfiloINI& profilo, const std::string& sSezione,
                        int32_t iNumero) {
    const std::string valore = profilo.Leggi(sSezione, "Campo_" + std::to_string(iNumero));
    if (valore.empty()) return 0;
    return Interpreta(valore, profilo);
}

int16_t clsCampo::Interpreta(const std::string& sValore, const clsProfiloINI& profilo) {
    // "CIFRE" and its separator at the end: the rest reads as a value without it.
    std::string s = sValore;
    const std::string coda = std::string(PAROLA_CIFRE) + SEP;
    mbSoloCifre = s.size() > coda.size() && s[s.size() - coda.size() - 1] == SEP &&
                  Maiuscolo(s.substr(s.size() - coda.size())) == Maiuscolo(coda);
    if (mbSoloCifre) {
        s.resize(s.size() - coda.size());
        // A transformation's name had no separator after it.
        if (Maiuscolo(s).find("TRASFORMAZIONE") != std::string::npos && s.back() == SEP)
            s.pop_back();
    }
    const std::string_view sv(s);
    size_t da = 0;
    // The text up to the next separator; false when there is none.
    auto parte = [&](char sep, std::string_view& out) {
        const size_t p = s.find(sep, da);
        if (p == std::string::npos) return false;
        out = sv.substr(da, p - da);
        da = p + 1;
        return true;
    };
    std::string_view t;
    if (!parte(SEP, t)) return -1;
    msNome = t.size() >= 2 ? std::string(t.substr(1, t.size() - 2)) : std::string();
    std::optional<int16_t> n;
    if (!parte(',', t) || !(n = LeggiIntero16(t))) return -1;
    miInizio = *n;
    if (!parte(',', t) || !(n = LeggiIntero16(t))) return -1;
    miLunghezza = *n;
    if (!parte(SEP, t) || !LeggiRigaPosizione(t, miRiga, miNelCampo)) return -1;
    if (!parte(SEP, t)) return -1;
    const std::string allineamento = Maiuscolo(t);
    menAllineamento = allineamento == "DX" ? DX : allineamento == "SX" ? SX : ALL_NESSUNO;
    if (!parte(SEP, t)) return -1;
    mbOpzionale = (t == "S");
    if (!parte(SEP, t) || !(n = LeggiIntero16(t))) return -1;
    miFormato = *n;
    if (!parte(SEP, t)) return 1;
    const std::string speciale = Maiuscolo(t);
    if (speciale == "DATA") {
        menEccezione = DATA;
        return 1;
    }
    menEccezione = ECC_NESSUNA;
    if (speciale != "TRASFORMAZIONE") return -1;
    if (msNome == "dDurata")
        menEccezione = DURATA_TRASF;
    else if (msNome == "lScatti")
        menEccezione = SCATTI_TRASF;
    else
        return -1;
    auto trasf = std::make_unique<clsTrasformazione>();
    if (trasf->Leggi(profilo, CifreFinali(s)) != 2) return -1;
    moTrasf = std::move(trasf);
    return 1;
}

}  // namespace tarno

#include "clsScritturaINI.h"

#include "File.h"

namespace tarno {

namespace {

// True when the line "key=value" (under a section of this name) could read back as something
// other than that one key of that section.
bool RigaAmbigua(const std::string& sSezione, const std::string& sChiave,
                 const std::string& sValore) {
    if (sSezione.find('\r') != std::string::npos) return true;
    if (sChiave.find_first_of("\r=") != std::string::npos) return true;
    if (sValore.find('\r') != std::string::npos) return true;
    return sChiave.front() == '[' && sValore.back() == ']';
}

}  // namespace

clsScritturaINI::clsScritturaINI(std::string sFileName, bool bSimulaErrore)
    : msFileName(std::move(sFileName)) {
    if (msFileName.empty() || bSimulaErrore) return;
    std::optional<std::string> testo;
    if (EsisteFile(msFileName)) {
        testo = LeggiFile(msFileName);
        if (!testo) return;  // never replace what could not be read
    }
    if (!PuoScrivere(msFileName)) return;
    mbScrivibile = true;
    if (testo) mFile = clsFileINI::Analizza(*testo);
}

void clsScritturaINI::RileggiUltima() {
    if (!mUltima) return;
    if (mUltima->bRileggiTutto)
        mFile = clsFileINI::Analizza(mFile.Testo());
    else
        mFile.Sezioni()[mUltima->iSezione].RileggiChiave(mUltima->sChiave);
    mUltima.reset();
}

int16_t clsScritturaINI::ScriviChiave(const std::string& sSezione, const std::string& sChiave,
                                      const std::string& sValore) {
    if (msFileName.empty()) return 1;
    if (!mbScrivibile) return 0;
    mbUsato = true;
    RileggiUltima();
    const int pos = mFile.Inserisci(sSezione, sChiave, sValore);
    if (pos >= 0) {
        const auto& nome = mFile.Sezioni()[static_cast<size_t>(pos)].msNomeSezione;
        mUltima = Ultima{static_cast<size_t>(pos), sChiave, RigaAmbigua(nome, sChiave, sValore)};
    }
    return 1;
}

bool clsScritturaINI::Chiudi() {
    if (!mbScrivibile || !mbUsato) return true;
    mbUsato = false;
    return ScriviFileSicuro(msFileName, mFile.Testo());
}

}  // namespace tarno

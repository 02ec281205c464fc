#include "model/clsScritturaINI.h"

#include "model/File.h"
#include "model/Testo.h"

namespace tarno {

namespace {

// True when the line "key=value" (under a section of this name) could read back as something
// other than that one key of that section.
bool RigaAmbigua(const std::string& sSezione, const std::string& sChiave,
                 const std::string& sValore) {
    if (sSezione.find('\r') != std::string::npos) return true;
    if (sChiave.find_first_of("\r=") != std::string::npos) return true;
    if (sValore.find('\r') != std::string::npos) return true;
    // Blanks around the name and the value go at the next reading: a line that becomes
    // "[...]" then is a section header.
    const auto nome = TogliSpazi(sChiave);
    const auto valore = TogliSpazi(sValore);
    return !nome.empty() && !valore.empty() && nome.front() == '[' && valore.back() == ']';
}

// A key held as read that would not read back as itself once written: its line, "[" at the
// start and "]" at the end, is a section header.
bool ChiaveInstabile(const clsINIChiave& c) {
    return !c.msEntry.empty() && !c.msValue.empty() && c.msEntry.front() == '[' &&
           c.msValue.back() == ']';
}

bool SezioneStabile(const clsINISezione& s) {
    for (const auto& c : s.Chiavi())
        if (ChiaveInstabile(c)) return false;
    return true;
}

bool FileStabile(const clsFileINI& f) {
    for (const auto& s : f.Sezioni())
        if (!SezioneStabile(s)) return false;
    return true;
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
    mbStabile = FileStabile(mFile);
}

void clsScritturaINI::RileggiUltima() {
    if (!mUltima) return;
    if (mUltima->bRileggiTutto) {
        mFile = clsFileINI::Analizza(mFile.Testo());
        mbStabile = FileStabile(mFile);
    } else {
        // The file was stable and this key reads back as a key of its section: trimming or
        // merging it leaves the file stable.
        mFile.Sezioni()[mUltima->iSezione].RileggiChiave(mUltima->sChiave);
    }
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
        mUltima = Ultima{static_cast<size_t>(pos), sChiave,
                         !mbStabile || RigaAmbigua(nome, sChiave, sValore)};
    } else if (!mbStabile) {
        // Nothing inserted, but the file is still rewritten, and reading it back changes it.
        mUltima = Ultima{0, std::string(), true};
    }
    return 1;
}

bool clsScritturaINI::Chiudi() {
    if (!mbScrivibile || !mbUsato) return true;
    mbUsato = false;
    return ScriviFileSicuro(msFileName, mFile.Testo());
}

}  // namespace tarno

#include "model/clsDriver.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "model/Messaggi.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

namespace tarno {

namespace {

constexpr const char* SEZ_CENTRALINO = "Centralino";
constexpr const char* SEZ_OPZIONI_DATA = "OPZIONI_DATA";
constexpr const char* SEZ_PRESCANNING = "Prescanning";
constexpr size_t MAX_VALORE_PRESCANNING = 500;

// Notes of several lines: "Note" holds the first line, as it always did; "Note_Righe" the
// number of lines when there is more than one, and "Note_" + i (i = 2, 3 ...) line i between
// double quotation marks, so that blanks at either end and empty lines survive the profile
// lookup. No line of a note ever stands on a line of the file by itself.
constexpr const char* CHIAVE_RIGHE_NOTE = "Note_Righe";
constexpr int32_t MAX_RIGHE_NOTE = 1000;

// The lines of a text, split at CR LF, LF or CR.
std::vector<std::string> RigheNote(const std::string& s) {
    std::vector<std::string> righe(1);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            righe.emplace_back();
        } else {
            righe.back() += s[i];
        }
    }
    return righe;
}

std::unique_ptr<clsChiamata> CopiaChiamata(const std::unique_ptr<clsChiamata>& c) {
    return c ? std::make_unique<clsChiamata>(*c) : nullptr;
}

}  // namespace

clsDriver::clsDriver(const clsDriver& altro) { *this = altro; }

clsDriver& clsDriver::operator=(const clsDriver& altro) {
    if (this == &altro) return *this;
    mcolPrescanning = altro.mcolPrescanning;
    mbConPrescanning = altro.mbConPrescanning;
    msFileName = altro.msFileName;
    moEntranti = CopiaChiamata(altro.moEntranti);
    moUscenti = CopiaChiamata(altro.moUscenti);
    mcolTrasf = altro.mcolTrasf;
    msAutore = altro.msAutore;
    msData = altro.msData;
    msVersione = altro.msVersione;
    msMarca = altro.msMarca;
    msModello = altro.msModello;
    msNote = altro.msNote;
    mlOffset = altro.mlOffset;
    mbIngnoraRigheVuote = altro.mbIngnoraRigheVuote;
    mlTroncaUltimaRigaDopoCaratteri = altro.mlTroncaUltimaRigaDopoCaratteri;
    mcolDataIsolata = altro.mcolDataIsolata;
    mbCampiSeparati = altro.mbCampiSeparati;
    msSeparatoreCampi = altro.msSeparatoreCampi;
    msVirgolette = altro.msVirgolette;
    miRigheIntestazione = altro.miRigheIntestazione;
    mvMesi = altro.mvMesi;
    return *this;
}

void clsDriver::Delete() {
    moEntranti.reset();
    moUscenti.reset();
    mcolTrasf.reset();
    msAutore.clear();
    msData.clear();
    msVersione.clear();
    msMarca.clear();
    msModello.clear();
    msNote.clear();
    mlOffset = "0";
    mbCampiSeparati = false;
    msSeparatoreCampi.clear();
    msVirgolette = "\"";
    miRigheIntestazione = 0;
    if (mcolDataIsolata) mcolDataIsolata->Clear();
    for (auto& m : mvMesi) m.clear();
}

const std::string& clsDriver::Mesi(int iIndex) const {
    if (iIndex < 0 || iIndex > 11) throw std::out_of_range("indice del mese fuori dai limiti");
    return mvMesi[static_cast<size_t>(iIndex)];
}

void clsDriver::Mesi(int iIndex, const std::string& sCodice) {
    if (iIndex < 0 || iIndex > 11) throw std::out_of_range("indice del mese fuori dai limiti");
    mvMesi[static_cast<size_t>(iIndex)] = sCodice;
}

int16_t clsDriver::LoadDriver(const std::string& vsFileName, IMessaggi& msg) {
    msFileName = vsFileName;
    Delete();
    Leggi(clsProfiloINI::DaFile(vsFileName), msg);
    return 1;
}

void clsDriver::Leggi(const clsProfiloINI& profilo, IMessaggi& msg) {
    auto testo = [&](const char* chiave, std::string& membro) {
        std::string v = profilo.Leggi(SEZ_CENTRALINO, chiave);
        if (!v.empty()) membro = std::move(v);
    };
    testo("Autore", msAutore);
    testo("Data", msData);
    testo("Versione", msVersione);
    testo("Marca", msMarca);
    testo("Modello", msModello);
    testo("Note", msNote);
    if (const auto n = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, CHIAVE_RIGHE_NOTE))) {
        const auto righe = Arrotonda32(*n).value_or(0);
        for (int32_t i = 2; i <= std::min(righe, MAX_RIGHE_NOTE); ++i)
            msNote += "\r\n" + profilo.Leggi(SEZ_CENTRALINO, "Note_" + std::to_string(i));
    }
    if (const auto offset = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, "Offset"))) {
        if (const auto n = Arrotonda32(*offset)) mlOffset = std::to_string(*n);
    }
    mbIngnoraRigheVuote = false;
    if (const auto ignora = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, "Ignora_vuote")))
        mbIngnoraRigheVuote = std::nearbyint(*ignora) > 0;
    if (const auto separati = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, "Campi_separati")))
        mbCampiSeparati = std::nearbyint(*separati) > 0;
    msSeparatoreCampi = profilo.Leggi(SEZ_CENTRALINO, "Separatore_campi");
    if (const std::string v = profilo.Leggi(SEZ_CENTRALINO, "Virgolette"); !v.empty())
        msVirgolette = UgualeNoCase(v, VIRGOLETTE_NESSUNA) ? std::string() : v;
    if (const auto n = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, "Righe_intestazione")))
        miRigheIntestazione = std::max<int32_t>(0, Arrotonda32(*n).value_or(0));

    // General transformations; those of level CAMPO belong to fields and are skipped here.
    mcolTrasf.emplace();
    for (int32_t n = 0;; ++n) {
        clsTrasformazione t;
        const int16_t r = t.Leggi(profilo, std::to_string(n));
        if (r == 0) break;
        if (r == 1)
            mcolTrasf->Add(std::move(t), std::to_string(n));
        else if (r != 2)
            msg.Mostra("Errore nella sintassi della trasformazione " + std::to_string(n));
    }

    moEntranti = std::make_unique<clsChiamata>();
    moEntranti->menTipo = clsChiamata::ENTRANTI;
    if (moEntranti->Leggi(profilo, msg) == -1)
        msg.Mostra(
            "In una o pi\xF9 entry nella sezione delle chiamate entranti sono stati incontrati "
            "degli "
            "errori di sintassi");
    moUscenti = std::make_unique<clsChiamata>();
    moUscenti->menTipo = clsChiamata::USCENTI;
    if (moUscenti->Leggi(profilo, msg) == -1)
        msg.Mostra(
            "In una o pi\xF9 entry nella sezione delle chiamate uscenti sono stati incontrati "
            "degli "
            "errori di sintassi");

    const std::string dataIsolata = profilo.Leggi(SEZ_OPZIONI_DATA, "Data_Isolata");
    if (!dataIsolata.empty() && dataIsolata.front() == 'S') {
        const std::string elenco = profilo.Leggi(SEZ_OPZIONI_DATA, "Condizioni");
        if (!elenco.empty()) {
            mcolDataIsolata.emplace();
            if (LeggiElencoCondizioni(profilo, elenco, DIM_BUFFER_PROFILO, *mcolDataIsolata) != 1)
                msg.Mostra(
                    "Errore nella lettura delle condizioni per identificare la data isolata");
        }
    }

    const std::string mesi = profilo.Leggi(SEZ_OPZIONI_DATA, "Mesi_In_Lettere");
    if (!mesi.empty() && mesi.front() == 'S') {
        // Positions from 1: "S·" then twelve codes of one length, each followed by "·".
        const size_t p1 = mesi.find(SEP);
        const size_t p2 = p1 == std::string::npos ? std::string::npos : mesi.find(SEP, p1 + 1);
        if (p1 == 1 && p2 != std::string::npos && p2 - p1 >= 2) {
            const size_t l = p2 - p1 - 1;
            for (size_t i = 0; i < 12; ++i) {
                const size_t da = 2 + (l + 1) * i;
                mvMesi[i] = (da + l <= mesi.size()) ? mesi.substr(da, l) : std::string();
            }
        }
        if (mvMesi[0].empty()) {
            msg.Mostra("Errore durante la lettura dei mesi");
            for (auto& m : mvMesi) m.clear();
        }
    }

    LeggiPrescanning(profilo);

    mlTroncaUltimaRigaDopoCaratteri = 0;
    if (const auto v = ValoreNumerico(profilo.Leggi(SEZ_CENTRALINO, "Caratteri_ultima_riga"))) {
        if (const auto n = Arrotonda32(*v)) mlTroncaUltimaRigaDopoCaratteri = *n;
    }
}

void clsDriver::LeggiPrescanning(const clsProfiloINI& profilo) {
    if (mcolPrescanning)
        mcolPrescanning->Clear();
    else
        mcolPrescanning.emplace();
    mbConPrescanning = false;
    const std::string elenco = profilo.ElencoChiavi(SEZ_PRESCANNING);
    size_t da = 0;
    while (da < elenco.size()) {
        size_t fine = elenco.find('\0', da);
        if (fine == std::string::npos) fine = elenco.size();
        clsPrescanning p;
        p.sEntry = elenco.substr(da, fine - da);
        p.sValue = profilo.Leggi(SEZ_PRESCANNING, p.sEntry);
        mcolPrescanning->Add(std::move(p));
        mbConPrescanning = true;
        da = fine + 1;
    }
}

void clsDriver::SalvaPrescanning(IScrittoreINI& ini) {
    if (!mcolPrescanning || !mbConPrescanning) return;
    for (const auto& voce : *mcolPrescanning)
        ini.ScriviChiave(SEZ_PRESCANNING, voce.valore.sEntry,
                         voce.valore.sValue.substr(0, MAX_VALORE_PRESCANNING));
}

bool clsDriver::CreaBackup(const std::string& vsFileName) {
    if (vsFileName.empty()) return false;
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(vsFileName, ec)) return false;
    // The rename replaces an older ".bak" in one step: when it fails, the older copy stays.
    fs::rename(vsFileName, vsFileName + ".bak", ec);
    return !ec;
}

bool clsDriver::SaveDriver(const std::string& vsFileName, IMessaggi& msg) {
    namespace fs = std::filesystem;
    msFileName = vsFileName;
    // An older ".bak" waits aside until the new file is written: a save that fails leaves the
    // folder as it found it.
    std::error_code ec;
    const std::string bak = vsFileName + ".bak", daParte = bak + ".precedente";
    const bool conVecchioBak = !vsFileName.empty() && fs::is_regular_file(bak, ec) &&
                               !fs::exists(daParte, ec) && (fs::rename(bak, daParte, ec), !ec);
    const bool backup = CreaBackup(vsFileName);
    MessaggiRaccolti raccolti;
    clsScritturaINI ini(vsFileName);
    Scrivi(ini, raccolti);
    const bool scritto = ini.Chiudi();
    if (!scritto && backup) {
        // A write that failed half-way (a full disk) leaves the previous version where it was.
        fs::rename(bak, vsFileName, ec);
    }
    if (conVecchioBak) {
        if (scritto && backup)
            fs::remove(daParte, ec);
        else
            fs::rename(daParte, bak, ec);
    }
    if (!scritto) {
        // The final write failed: the save is the one in which every key failed to be written.
        raccolti = MessaggiRaccolti();
        clsScritturaINI fallita(vsFileName, true);
        Scrivi(fallita, raccolti);
    }
    raccolti.InoltraA(msg);
    return scritto && ini.Scrivibile();
}

void clsDriver::Scrivi(IScrittoreINI& ini, IMessaggi& msg) {
    ini.ScriviChiave(SEZ_CENTRALINO, "Autore", msAutore);
    ini.ScriviChiave(SEZ_CENTRALINO, "Data", msData);
    ini.ScriviChiave(SEZ_CENTRALINO, "Versione", msVersione);
    ini.ScriviChiave(SEZ_CENTRALINO, "Marca", msMarca);
    ini.ScriviChiave(SEZ_CENTRALINO, "Modello", msModello);
    const std::vector<std::string> note = RigheNote(msNote);
    ini.ScriviChiave(SEZ_CENTRALINO, "Note", note.front());
    if (note.size() > 1) {
        ini.ScriviChiave(SEZ_CENTRALINO, CHIAVE_RIGHE_NOTE, std::to_string(note.size()));
        for (size_t i = 1; i < note.size(); ++i)
            ini.ScriviChiave(SEZ_CENTRALINO, "Note_" + std::to_string(i + 1), '"' + note[i] + '"');
    }
    ini.ScriviChiave(SEZ_CENTRALINO, "Offset", mlOffset);
    ini.ScriviChiave(SEZ_CENTRALINO, "Ignora_vuote", mbIngnoraRigheVuote ? "1" : "0");
    if (mbCampiSeparati) {
        // Written only for separated fields: a fixed-column driver keeps the keys it had.
        ini.ScriviChiave(SEZ_CENTRALINO, "Campi_separati", "1");
        ini.ScriviChiave(SEZ_CENTRALINO, "Separatore_campi", msSeparatoreCampi);
        ini.ScriviChiave(SEZ_CENTRALINO, "Virgolette",
                         msVirgolette.empty() ? VIRGOLETTE_NESSUNA : msVirgolette);
        ini.ScriviChiave(SEZ_CENTRALINO, "Righe_intestazione", std::to_string(miRigheIntestazione));
    }

    int32_t cond = 0;
    int32_t trasf = 0;
    if (mcolTrasf) {
        for (int i = 1; i <= mcolTrasf->Count(); ++i)
            mcolTrasf->Item(i).Salva(ini, i - 1, cond, msg);
        trasf = mcolTrasf->Count();
    }
    if (moEntranti) moEntranti->Salva(ini, cond, trasf, msg);
    if (moUscenti) moUscenti->Salva(ini, cond, trasf, msg);

    if (mcolDataIsolata && !mcolDataIsolata->Vuota()) {
        int16_t maxRiga = 0;
        const std::string elenco =
            SalvaElencoCondizioni(ini, *mcolDataIsolata, cond, msg, &maxRiga, " (data isolata)");
        const char* errore =
            "Errore durante la scrittura dell'elenco delle condizioni (data isolata)";
        if (ini.ScriviChiave(SEZ_OPZIONI_DATA, "Condizioni", elenco) == 0) msg.Mostra(errore);
        if (ini.ScriviChiave(SEZ_OPZIONI_DATA, "Data_Isolata",
                             std::string("S") + SEP + std::to_string(maxRiga)) == 0)
            msg.Mostra(errore);
    }

    if (!mvMesi[0].empty()) {
        std::string v = std::string("S") + SEP;
        for (size_t i = 0; i < 12; ++i) {
            v += mvMesi[i];
            if (i < 11) v += SEP;
        }
        if (ini.ScriviChiave(SEZ_OPZIONI_DATA, "Mesi_In_Lettere", v) == 0)
            msg.Mostra(
                "Errore durante il salvataggio della trasformazione data contenente mesi espressi "
                "in lettere");
    }

    SalvaPrescanning(ini);
    ini.ScriviChiave(SEZ_CENTRALINO, "Caratteri_ultima_riga",
                     std::to_string(mlTroncaUltimaRigaDopoCaratteri));
}

}  // namespace tarno

#pragma once
// The results of one reading of a sample as JSON, for scripts (tarnodrv verify --json) and the
// editor's preview. The texts of the driver and the sample (Windows-1252) become UTF-8; paths
// stay the file system's bytes. Every key is always present, so readers need no guesswork; the
// layout is described in the README (tarnodrv verify). The results are kept in memory.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/VerificaDriver.h"

namespace tarno {

inline constexpr int VERSIONE_JSON_ANALISI = 1;

class clsEsitiJson : public IAnalisiCampione {
  public:
    bool Inizio(const std::vector<std::string>& vMessaggi,
                const std::vector<NotaImpostazione>& vImpostazioni) override;
    void Chiamata(const ChiamataLetta& c) override;
    void RigaData(const RigaDataLetta& d) override;
    void RigaSenzaChiamata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo,
                           std::string_view sTrasformata, std::string_view sPerche) override;
    void PezzoSenzaChiamata(uint64_t iRiga, int iPezzo, std::string_view sTesto,
                            std::string_view sTrasformata, std::string_view sPerche) override;
    void AvvisoRiga(uint64_t iRiga, std::string_view sAvviso) override;

    // The whole document: the files, the outcome, the warnings (Windows-1252) and what was
    // collected.
    nlohmann::ordered_json Json(const std::string& sDriver, const std::string& sCampione,
                                const EsitoAnalisi& esito,
                                const std::vector<std::string>& vAvvisi) const;

  private:
    nlohmann::ordered_json mMessaggi = nlohmann::ordered_json::array();
    nlohmann::ordered_json mImpostazioni = nlohmann::ordered_json::array();
    nlohmann::ordered_json mChiamate = nlohmann::ordered_json::array();
    nlohmann::ordered_json mRigheData = nlohmann::ordered_json::array();
    nlohmann::ordered_json mSenzaChiamata = nlohmann::ordered_json::array();
    nlohmann::ordered_json mAvvisiRighe = nlohmann::ordered_json::array();
};

// Reads the sample with the driver and gives the document; sAvvisoFormati is a problem with the
// catalogue's formats ("" when none).
nlohmann::ordered_json AnalisiInJson(const std::string& sDriver, const std::string& sCampione,
                                     const MappaFormati& formati, const std::string& sAvvisoFormati,
                                     EsitoAnalisi& rEsito);

}  // namespace tarno

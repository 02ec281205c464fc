#include "model/DriverJson.h"

#include "model/Testo.h"
#include "model/clsDriver.h"

namespace tarno {

namespace {

using json = nlohmann::ordered_json;

json Txt(const std::string& s) { return Cp1252InUtf8(s); }

template <class T, class F>
json ColInJson(const std::optional<Collezione<T>>& col, F voce) {
    if (!col) return nullptr;
    json a = json::array();
    for (const auto& v : *col) {
        json j = voce(v.valore);
        j["key"] = v.chiave ? Txt(*v.chiave) : json(nullptr);
        a.push_back(std::move(j));
    }
    return a;
}

json CondInJson(const clsCondizione& c) {
    return json{{"msNome", Txt(c.msNome)},
                {"menOperatore", c.menOperatore},
                {"miInizio", c.miInizio},
                {"miLunghezza", c.miLunghezza},
                {"miRiga", c.miRiga},
                {"miNelCampo", c.miNelCampo},
                {"miFormato", c.miFormato},
                {"msValore", Txt(c.msValore)},
                {"msCongiunzione", Txt(c.msCongiunzione)}};
}

json TrasfInJson(const clsTrasformazione& t) {
    return json{{"msNome", Txt(t.msNome)},
                {"menTipo", t.menTipo},
                {"menOperazione", t.menOperazione},
                {"miInizio", t.miInizio},
                {"miLunghezza", t.miLunghezza},
                {"miRiga", t.miRiga},
                {"miNelCampo", t.miNelCampo},
                {"msSorgente", Txt(t.msSorgente)},
                {"msValore", Txt(t.msValore)},
                {"mcolCondizioni", ColInJson(t.mcolCondizioni, CondInJson)}};
}

json CampoInJson(const clsCampo& c) {
    json j{{"msNome", Txt(c.msNome)},
           {"miInizio", c.miInizio},
           {"miLunghezza", c.miLunghezza},
           {"miRiga", c.miRiga},
           {"miNelCampo", c.miNelCampo},
           {"menAllineamento", c.menAllineamento},
           {"mbOpzionale", c.mbOpzionale},
           {"miFormato", c.miFormato},
           {"menEccezione", c.menEccezione},
           {"moTrasf", c.moTrasf ? TrasfInJson(*c.moTrasf) : json(nullptr)}};
    // Only when set: the dumps of drivers without it stay as they were.
    if (c.mbSoloCifre) j["mbSoloCifre"] = true;
    return j;
}

json ChiamataInJson(const std::unique_ptr<clsChiamata>& c) {
    if (!c) return nullptr;
    return json{{"menTipo", c->menTipo},
                {"miNumRighe", c->miNumRighe},
                {"mcolCondizioni", ColInJson(c->mcolCondizioni, CondInJson)},
                {"mcolCondTrasferita", ColInJson(c->mcolCondTrasferita, CondInJson)},
                {"mcolCampi", ColInJson(c->mcolCampi, CampoInJson)}};
}

}  // namespace

nlohmann::ordered_json DriverInJson(const clsDriver& d) {
    json mesi = json::array();
    for (int i = 0; i < 12; ++i) mesi.push_back(Txt(d.Mesi(i)));
    return json{
        {"msAutore", Txt(d.msAutore)},
        {"msData", Txt(d.msData)},
        {"msVersione", Txt(d.msVersione)},
        {"msMarca", Txt(d.msMarca)},
        {"msModello", Txt(d.msModello)},
        {"msNote", Txt(d.msNote)},
        {"mlOffset", Txt(d.mlOffset)},
        {"mbIngnoraRigheVuote", d.mbIngnoraRigheVuote},
        {"mlTroncaUltimaRigaDopoCaratteri", d.mlTroncaUltimaRigaDopoCaratteri},
        {"mbConPrescanning", d.mbConPrescanning},
        {"mbCampiSeparati", d.mbCampiSeparati},
        {"msSeparatoreCampi", Txt(d.msSeparatoreCampi)},
        {"msVirgolette", Txt(d.msVirgolette)},
        {"miRigheIntestazione", d.miRigheIntestazione},
        {"Mesi", mesi},
        {"mcolTrasf", ColInJson(d.mcolTrasf, TrasfInJson)},
        {"moEntranti", ChiamataInJson(d.moEntranti)},
        {"moUscenti", ChiamataInJson(d.moUscenti)},
        {"mcolDataIsolata", ColInJson(d.mcolDataIsolata, CondInJson)},
        {"mcolPrescanning",
         ColInJson(d.mcolPrescanning,
                   [](const clsPrescanning& p) {
                       return json{{"sEntry", Txt(p.sEntry)}, {"sValue", Txt(p.sValue)}};
                   })},
    };
}

}  // namespace tarno

#include "analisi/clsLetturaCampione.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "engine/CampiSeparati.h"
#include "engine/FormatoDataOra.h"
#include "model/clsChiamata.h"
#include "model/clsCondizione.h"
#include "model/clsDriver.h"
#include "model/clsTrasformazione.h"

namespace tarno {

namespace {

// Keeps the engine's results in the order of the sample.
class Raccolta : public IEsitiAnalisi {
  public:
    Raccolta(std::vector<RigaCampione>& righe, std::vector<VoceCampione>& voci)
        : mRighe(righe), mVoci(voci) {}

    void Chiamata(const ChiamataLetta& c) override {
        VoceCampione& v = mVoci.emplace_back();
        ChiamataLetta& k = v.chiamata;
        k.bEntrante = c.bEntrante;
        k.bTrasferita = c.bTrasferita;
        k.bIncompleta = c.bIncompleta;
        k.iRigheAttese = c.iRigheAttese;
        k.vRighe = c.vRighe;
        k.vPezzi = c.vPezzi;
        k.vTesti = c.vTesti;
        // Only the fields in use (the engine reuses its record).
        k.vCampi.assign(c.vCampi.begin(),
                        c.vCampi.begin() + static_cast<long>(std::min(c.iCampi, c.vCampi.size())));
        k.iCampi = k.vCampi.size();
        k.iErrori = c.iErrori;
    }
    void RigaData(const RigaDataLetta&) override {}
    void RigaLetta(const RigaMotore& r) override {
        RigaCampione& k = mRighe.emplace_back();
        k.iNumero = r.iNumero;
        k.iPezzo = r.iPezzo;
        k.sTesto = r.sTesto;
        k.iByte = r.iByte;
        k.iSalto = r.iSalto;
        if (r.pTolti) k.vTolti = *r.pTolti;
        k.iLetta = r.sLetta.size();
    }
    void RigaSenzaChiamata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo,
                           std::string_view, std::string_view sPerche) override {
        // Empty, header and skipped lines are what the driver means to leave out.
        if (motivo != MotivoRiga::NonRiconosciuta) return;
        VoceCampione v;
        v.bChiamata = false;
        v.iRiga = iRiga;
        v.sTesto = sTesto;
        v.sPerche = sPerche;
        mVoci.push_back(std::move(v));
    }

  private:
    std::vector<RigaCampione>& mRighe;
    std::vector<VoceCampione>& mVoci;
};

}  // namespace

uint64_t RigaCampione::Origine(size_t i) const {
    RigaMotore r;
    r.iByte = iByte;
    r.iSalto = iSalto;
    r.pTolti = vTolti.empty() ? nullptr : &vTolti;
    return r.Origine(i);
}

namespace {

// The conditions without the names a file gave them ("Condizione_0"): the reasons then say what
// a condition tests, the same before and after the driver is saved or opened.
bool TogliNomi(std::optional<ColCondizioni>& col) {
    bool tolti = false;
    if (col)
        for (auto& voce : *col) {
            tolti |= !voce.valore.msNome.empty();
            voce.valore.msNome.clear();
        }
    return tolti;
}

const clsDriver& SenzaNomiCondizioni(const clsDriver& driver, std::optional<clsDriver>& copia) {
    copia.emplace(driver);
    bool tolti = TogliNomi(copia->mcolDataIsolata);
    for (auto* chiamata : {copia->moEntranti.get(), copia->moUscenti.get()})
        if (chiamata)
            tolti |= TogliNomi(chiamata->mcolCondizioni) | TogliNomi(chiamata->mcolCondTrasferita);
    if (copia->mcolTrasf)
        for (auto& voce : *copia->mcolTrasf) tolti |= TogliNomi(voce.valore.mcolCondizioni);
    if (!tolti) copia.reset();
    return copia ? *copia : driver;
}

}  // namespace

clsLetturaCampione::clsLetturaCampione(const clsDriver& driver, const MappaFormati& formati,
                                       std::string_view sByte)
    : mFormati(formati), mSeparazione(SeparazioneDi(driver)) {
    for (int i = 0; i < 12; ++i) mMesi[static_cast<size_t>(i)] = driver.Mesi(i);
    Raccolta raccolta(mvRighe, mvVoci);
    std::optional<clsDriver> copia;
    clsAnalizzatore analisi(SenzaNomiCondizioni(driver, copia), formati, raccolta);
    analisi.Dati(sByte);
    analisi.Fine();
    mConteggi = analisi.Conteggi();
    for (const NotaImpostazione& n : analisi.Impostazioni())
        if (n.stato == NotaImpostazione::Avviso) mvAvvisi.push_back(n.sTesto);
    mvTipoRiga.assign(mConteggi.iRighe, 0);
    for (const VoceCampione& v : mvVoci)
        if (v.bChiamata)
            for (uint64_t n : v.chiamata.vRighe)
                if (n >= 1 && n <= mvTipoRiga.size())
                    mvTipoRiga[n - 1] = v.chiamata.bEntrante ? 'E' : 'U';
}

template <typename Taglio>
std::vector<clsLetturaCampione::TestoColonna> clsLetturaCampione::Testi(
    const Taglio& taglio) const {
    std::vector<TestoColonna> v;
    std::map<std::string, TestoColonna> testi;
    // Each line of a call: the call and the line's place in it (from 1).
    std::map<uint64_t, std::pair<const ChiamataLetta*, int>> inChiamata;
    for (const VoceCampione& voce : mvVoci)
        if (voce.bChiamata)
            for (size_t k = 0; k < voce.chiamata.vRighe.size(); ++k)
                inChiamata.emplace(voce.chiamata.vRighe[k],
                                   std::pair(&voce.chiamata, static_cast<int>(k) + 1));
    RigaFinestra rigaCampi;  // reused for the fields of each line
    for (const RigaCampione& r : mvRighe) {
        const std::optional<std::string_view> t = taglio(r, rigaCampi);
        if (!t) continue;
        TestoColonna& c = testi[std::string(*t)];
        if (c.iRighe++ == 0) c.sEsempio = r.sTesto;
        const char tipo = TipoRiga(r.iNumero);
        c.iEntranti += tipo == 'E';
        c.iUscenti += tipo == 'U';
        const auto it = inChiamata.find(r.iNumero);
        if (it == inChiamata.end()) continue;
        const auto& [chiamata, riga] = it->second;
        if (c.iRigaChiamata == 0) c.iRigaChiamata = riga;
        for (size_t k = 0; k < chiamata->iCampi && k < chiamata->vCampi.size(); ++k) {
            const CampoLetto& f = chiamata->vCampi[k];
            if (f.bVuoto || f.bDerivato || f.sTaglio.find_first_not_of(' ') == std::string::npos)
                continue;
            c.bSquillo |= f.sNome == "dRisposta";
            c.bScatti |= f.sNome == "lScatti";
            c.bNumero |= f.sNome == "sNumero";
        }
    }
    v.reserve(testi.size());
    for (auto& [t, c] : testi) {
        c.sTesto = t;
        v.push_back(std::move(c));
    }
    std::stable_sort(v.begin(), v.end(), [](const TestoColonna& x, const TestoColonna& y) {
        return x.iRighe > y.iRighe;
    });
    return v;
}

std::vector<clsLetturaCampione::TestoColonna> clsLetturaCampione::Colonna(int iPosizione,
                                                                          int iLunghezza) const {
    if (iPosizione < 1 || iLunghezza < 1) return {};
    const size_t a = static_cast<size_t>(iPosizione - 1);
    return Testi([&](const RigaCampione& r, RigaFinestra&) -> std::optional<std::string_view> {
        if (r.sTesto.size() <= a) return std::nullopt;
        return std::string_view(r.sTesto).substr(a, size_t(iLunghezza));
    });
}

std::vector<clsLetturaCampione::TestoColonna> clsLetturaCampione::ColonnaCampo(
    int iCampo, int iNelCampo, int iLunghezza) const {
    if (!mSeparazione || iCampo == 0) return {};
    return Testi([&](const RigaCampione& r, RigaFinestra& riga) {
        DividiCampi(r.sTesto, mSeparazione->cSeparatore, mSeparazione->cVirgolette, riga.campi);
        return TaglioRiga(riga, iCampo, std::max(1, iNelCampo), iLunghezza);
    });
}

ColCondizioni clsLetturaCampione::CondizioniDaValori(const std::vector<std::string>& vValori,
                                                     int iPosizione, int iLunghezza, int iRiga,
                                                     const ColCondizioni* pPrima) {
    std::vector<clsCondizione> tutte;
    for (const std::string& valore : vValori) {
        clsCondizione c;
        c.menOperatore = clsCondizione::UGUALE_A;
        c.miRiga = static_cast<int16_t>(std::max(1, iRiga));
        c.miInizio = static_cast<int16_t>(iPosizione);
        c.miLunghezza = static_cast<int16_t>(iLunghezza);
        c.msValore = valore;
        c.msCongiunzione = "Or";
        tutte.push_back(std::move(c));
    }
    if (!tutte.empty()) tutte.back().msCongiunzione = "And";
    if (pPrima)
        for (int i = 1; i <= pPrima->Count(); ++i) {
            const clsCondizione& p = pPrima->Item(i);
            if (p.miInizio == iPosizione && p.miLunghezza == iLunghezza &&
                (p.menOperatore == clsCondizione::UGUALE_A ||
                 p.menOperatore == clsCondizione::DIVERSO_DA))
                continue;
            clsCondizione k = p.Clone();
            k.msNome.clear();
            k.msCongiunzione = "And";
            tutte.push_back(std::move(k));
        }
    if (!tutte.empty()) tutte.back().msCongiunzione.clear();
    ColCondizioni col;
    for (auto& c : tutte) col.Add(std::move(c));
    return col;
}

std::pair<size_t, size_t> clsLetturaCampione::RigheConCondizione(const clsCondizione& c) const {
    size_t n = 0;
    for (const RigaCampione& r : mvRighe)
        n += CondizioneVale(c, r.sTesto, mFormati, mMesi, mSeparazione ? &*mSeparazione : nullptr);
    return {n, mvRighe.size()};
}

std::pair<size_t, size_t> clsLetturaCampione::ChiamateConCondizione(const clsCondizione& c) const {
    // Each line number with its text as the engine reads it (the first piece of a cut line).
    std::map<uint64_t, const std::string*> lette;
    for (const RigaCampione& r : mvRighe) lette.emplace(r.iNumero, &r.sTesto);
    const size_t riga = static_cast<size_t>(std::max<int>(1, c.miRiga));
    size_t n = 0, chiamate = 0;
    for (const VoceCampione& v : mvVoci) {
        if (!v.bChiamata || v.chiamata.bIncompleta || v.chiamata.vRighe.size() < riga) continue;
        const auto k = lette.find(v.chiamata.vRighe[riga - 1]);
        if (k == lette.end()) continue;
        ++chiamate;
        n +=
            CondizioneVale(c, *k->second, mFormati, mMesi, mSeparazione ? &*mSeparazione : nullptr);
    }
    return {n, chiamate};
}

std::vector<int16_t> clsLetturaCampione::FormatiCheLeggono(
    bool bEntranti, const std::string& sCampo, bool bData,
    const std::vector<std::pair<int16_t, std::string>>& formati) const {
    std::vector<int16_t> codici;
    const std::vector<std::string> testi = TagliDelCampo(bEntranti, sCampo);
    if (testi.empty()) return codici;
    for (const auto& [codice, testo] : formati) {
        if (codice == 0) continue;
        const clsFormatoDataOra formato(testo);
        const bool legge = std::all_of(testi.begin(), testi.end(), [&](const std::string& s) {
            const auto v = formato.Leggi(s, mMesi);
            return v && (bData ? v->HaData() : v->HaTempo());
        });
        if (legge) codici.push_back(codice);
    }
    return codici;
}

std::vector<std::string> clsLetturaCampione::TagliDelCampo(bool bEntranti,
                                                           const std::string& sCampo) const {
    std::vector<std::string> testi;
    for (const VoceCampione& v : mvVoci) {
        if (!v.bChiamata || v.chiamata.bIncompleta || v.chiamata.bEntrante != bEntranti) continue;
        for (const CampoLetto& c : v.chiamata.vCampi)
            if (c.sNome == sCampo && !c.bDerivato) testi.push_back(c.sTaglio);
    }
    return testi;
}

std::optional<std::pair<size_t, size_t>> clsLetturaCampione::DalByte(uint64_t iByte) const {
    // The lines come in the order of the printout: the last one starting at or before the byte
    // (with the other pieces of its line) is the only one that can hold it.
    auto k = std::upper_bound(mvRighe.begin(), mvRighe.end(), iByte,
                              [](uint64_t b, const RigaCampione& r) { return b < r.iByte; });
    if (k == mvRighe.begin()) return std::nullopt;
    const uint64_t inizio = std::prev(k)->iByte;
    for (auto r = std::prev(k);; --r) {
        if (r->iByte != inizio) break;
        if (r->iLetta > 0 && r->Origine(0) <= iByte && iByte <= r->Origine(r->iLetta - 1))
            for (size_t i = 0; i < r->iLetta; ++i)
                if (r->Origine(i) == iByte)
                    return std::pair(static_cast<size_t>(r - mvRighe.begin()), i);
        if (r == mvRighe.begin()) break;
    }
    return std::nullopt;
}

std::vector<clsLetturaCampione::VoceProposta> clsLetturaCampione::PrescanningProposto(
    std::string_view sByte) const {
    std::vector<VoceProposta> voci;
    if (mConteggi.iRigheLunghe > 0) {
        // The characters printouts close their records with, the most frequent of them.
        std::array<uint64_t, 32> conta{};
        for (char c : sByte)
            if (static_cast<unsigned char>(c) < conta.size())
                ++conta[static_cast<unsigned char>(c)];
        int migliore = -1;
        for (int c : {3, 4, 23, 30, 31})
            if (conta[static_cast<size_t>(c)] >= 2 &&
                (migliore < 0 ||
                 conta[static_cast<size_t>(c)] > conta[static_cast<size_t>(migliore)]))
                migliore = c;
        if (migliore >= 0)
            voci.push_back({"SeparatoreRecord",
                            TestoVisibile(std::string(1, static_cast<char>(migliore))),
                            conta[static_cast<size_t>(migliore)]});
    }
    // Tabs and form feeds are the printout's own; any other control character left in a line
    // shifts the positions after it.
    uint64_t controlli = 0;
    for (const RigaCampione& r : mvRighe)
        for (char c : r.sTesto) {
            const auto u = static_cast<unsigned char>(c);
            controlli += ((u < 0x20 && c != '\t' && c != '\f') || u == 0x7F) ? 1 : 0;
        }
    if (controlli > 0) voci.push_back({"TogliControlli", "S", controlli});
    return voci;
}

int clsLetturaCampione::RigaNellaChiamata(bool bEntranti, size_t iRiga) const {
    if (iRiga >= mvRighe.size()) return 0;
    const RigaCampione& r = mvRighe[iRiga];
    for (const VoceCampione& v : mvVoci) {
        if (!v.bChiamata || v.chiamata.bEntrante != bEntranti) continue;
        const auto& righe = v.chiamata.vRighe;
        for (size_t i = 0; i < righe.size(); ++i)
            if (righe[i] == r.iNumero &&
                (i >= v.chiamata.vPezzi.size() || v.chiamata.vPezzi[i] == r.iPezzo))
                return static_cast<int>(i + 1);
    }
    return 0;
}

}  // namespace tarno

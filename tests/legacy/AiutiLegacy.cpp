#include "AiutiLegacy.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <sstream>

#include "Testo.h"

namespace fs = std::filesystem;

namespace tarno::test {

CartellaTemporanea::CartellaTemporanea() {
    static std::atomic<int> contatore{0};
    const auto ora = std::chrono::steady_clock::now().time_since_epoch().count();
    mPercorso =
        fs::temp_directory_path() / ("tarno_legacy_" + std::to_string(::getpid()) + "_" +
                                     std::to_string(ora) + "_" + std::to_string(contatore++));
    fs::create_directories(mPercorso);
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ec;
    fs::remove_all(mPercorso, ec);
}

std::string CartellaTemporanea::Scrivi(const std::string& sNome,
                                       const std::string& sContenuto) const {
    const std::string p = Percorso(sNome);
    std::ofstream out(p, std::ios::binary);
    out << sContenuto;
    return p;
}

std::string LeggiTutto(const std::string& sPercorso) {
    std::ifstream in(sPercorso, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

VecchioDriver VecchioDriver::Base() {
    VecchioDriver d;
    d.mRighe = {
        {1, "* DRVTARNO 03.00"},
        {2, "* Driver per centralino telefonico"},
        {3, "*"},
        {4, "Modello: Onix 32"},
        {5, "Versione: 2.10"},
        {6, "Data: 14/05/1998"},
        {7, "Autore: Assistenza tecnica"},
        {8, "*"},
        {9, "* Chiamate entranti"},
        {10, "*"},
        {11, "Presenti: Si"},
        {12, "*"},
        {13, "* Formato della stampa"},
        {14, "*"},
        {15, "Righe per chiamata: 1"},
        {16, "*"},
        {17, "* NOTE"},
        {24, "* Trasferite"},
        {25, "S&2&14&35"},
        {26, "* Trasferite uscenti"},
        {27, "S&0&20&84"},
        {28, "S&0"},
        {29, "*"},
        {30, "* Data entranti"},
        {31, "{gg/mm/aa}{8}{0}"},
        {32, "*"},
        {33, "*"},
        {34, "* Ora inizio entranti"},
        {35, "{hh:mm}{5}{9}"},
        {36, "*"},
        {37, "*"},
        {38, "* Ora fine entranti"},
        {39, "{}{}{}"},
        {40, "*"},
        {41, "*"},
        {42, "* Durata entranti"},
        {43, "{hh:mm:ss}{8}{15}"},
        {44, "*"},
        {45, "*"},
        {46, "* Squillo entranti"},
        {47, "{mm:ss}{5}{24}"},
        {48, "*"},
        {49, "*"},
        {50, "* Derivato, linea, identificazione e commessa entranti"},
        {51, "S&0&30&4&D"},
        {52, "F&0&35&3&S"},
        {53, "S&0&1&E"},
        {54, "N&0&0&0&S"},
        {55, "*"},
        {56, "* Data uscenti"},
        {57, "{gg/mm/aa}{8}{0}"},
        {58, "*"},
        {59, "*"},
        {60, "* Ora inizio uscenti"},
        {61, "{hh:mm}{5}{9}"},
        {62, "*"},
        {63, "*"},
        {64, "* Ora fine uscenti"},
        {65, "{}{}{}"},
        {66, "*"},
        {67, "*"},
        {68, "* Durata uscenti"},
        {69, "{hh:mm:ss}{8}{15}"},
        {70, "*"},
        {71, "*"},
        {72, "* Numero, derivato, linea, scatti, identificazione e commessa uscenti"},
        {73, "F&0&39&20&S"},
        {74, "S&0&30&4&D"},
        {75, "F&0&35&3&S"},
        {76, "F&0&60&5&D"},
        {77, "S&0&1&U"},
        {78, "F&0&66&6&S"},
    };
    d.mvNote = {"* Stampa a 80 colonne,", "* una riga per chiamata.", "VARIE"};
    return d;
}

std::string VecchioDriver::Testo(const std::string& sFine) const {
    std::string t;
    for (int n = 1; n <= iUltima; ++n) {
        if (n == 18) {
            for (const auto& r : mvNote) t += r + sFine;
            n = 23;
            continue;
        }
        const auto it = mRighe.find(n);
        t += (it == mRighe.end() ? std::string("*") : it->second) + sFine;
    }
    return t;
}

CercaFormato CatalogoFinto::Funzione() {
    return [this](const std::string& s, bool bData) -> int16_t {
        mvDomande.emplace_back(s, bData);
        if (bData) return s == "gg/mm/aa" ? 3 : 0;
        if (s == "hh:mm") return 1;
        if (s == "hh:mm:ss") return 2;
        if (s == "mm:ss") return 4;
        return 0;
    };
}

namespace {

// The conditions of a list as a reader of the saved list finds them.
std::vector<const clsCondizione*> Elenco(const std::optional<ColCondizioni>& col,
                                         bool bDopoRilettura) {
    std::vector<const clsCondizione*> v;
    if (!col) return v;
    for (const auto& voce : *col) {
        v.push_back(&voce.valore);
        if (bDopoRilettura && voce.valore.msCongiunzione.empty()) break;
    }
    return v;
}

void ConfrontaCondizione(const clsCondizione& a, const clsCondizione& b, bool bUltima,
                         bool bDopoRilettura) {
    EXPECT_EQ(a.msNome, b.msNome);
    EXPECT_EQ(a.menOperatore, b.menOperatore);
    EXPECT_EQ(a.miInizio, b.miInizio);
    EXPECT_EQ(a.miLunghezza, b.miLunghezza);
    EXPECT_EQ(a.miRiga, b.miRiga);
    EXPECT_EQ(a.miFormato, b.miFormato);
    EXPECT_EQ(a.msValore, b.msValore);
    // The conjunction of the last condition of a list is not written.
    if (!(bDopoRilettura && bUltima)) {
        EXPECT_EQ(a.msCongiunzione, b.msCongiunzione);
    }
}

void ConfrontaElenco(const std::optional<ColCondizioni>& a, const std::optional<ColCondizioni>& b,
                     bool bDopoRilettura, const std::string& sNome) {
    SCOPED_TRACE(sNome);
    const auto va = Elenco(a, bDopoRilettura);
    const auto vb = Elenco(b, false);
    ASSERT_EQ(va.size(), vb.size());
    for (size_t i = 0; i < va.size(); ++i) {
        SCOPED_TRACE("condizione " + std::to_string(i + 1));
        ConfrontaCondizione(*va[i], *vb[i], i + 1 == va.size(), bDopoRilettura);
    }
}

void ConfrontaTrasformazione(const clsTrasformazione& a, const clsTrasformazione& b,
                             bool bDopoRilettura) {
    // A transformation's name is the key it was saved under; reading does not set it.
    if (!bDopoRilettura) {
        EXPECT_EQ(a.msNome, b.msNome);
    }
    EXPECT_EQ(a.menTipo, b.menTipo);
    EXPECT_EQ(a.menOperazione, b.menOperazione);
    EXPECT_EQ(a.miInizio, b.miInizio);
    EXPECT_EQ(a.miLunghezza, b.miLunghezza);
    EXPECT_EQ(a.miRiga, b.miRiga);
    EXPECT_EQ(a.msSorgente, b.msSorgente);
    EXPECT_EQ(a.msValore, b.msValore);
    ConfrontaElenco(a.mcolCondizioni, b.mcolCondizioni, bDopoRilettura, "condizioni");
}

void ConfrontaChiamata(const clsChiamata* a, const clsChiamata* b, bool bDopoRilettura,
                       const std::string& sNome) {
    SCOPED_TRACE(sNome);
    ASSERT_EQ(a == nullptr, b == nullptr);
    if (!a) return;
    EXPECT_EQ(a->miNumRighe, b->miNumRighe);
    EXPECT_EQ(a->menTipo, b->menTipo);
    ConfrontaElenco(a->mcolCondizioni, b->mcolCondizioni, bDopoRilettura, "mcolCondizioni");
    ConfrontaElenco(a->mcolCondTrasferita, b->mcolCondTrasferita, bDopoRilettura,
                    "mcolCondTrasferita");
    const int na = a->mcolCampi ? a->mcolCampi->Count() : 0;
    const int nb = b->mcolCampi ? b->mcolCampi->Count() : 0;
    ASSERT_EQ(na, nb);
    for (int i = 1; i <= na; ++i) {
        const clsCampo& ca = a->mcolCampi->Item(i);
        const clsCampo& cb = b->mcolCampi->Item(i);
        SCOPED_TRACE("campo " + ca.msNome);
        EXPECT_EQ(a->mcolCampi->Chiave(i), b->mcolCampi->Chiave(i));
        EXPECT_EQ(ca.msNome, cb.msNome);
        EXPECT_EQ(ca.miInizio, cb.miInizio);
        EXPECT_EQ(ca.miLunghezza, cb.miLunghezza);
        EXPECT_EQ(ca.miRiga, cb.miRiga);
        EXPECT_EQ(ca.menAllineamento, cb.menAllineamento);
        EXPECT_EQ(ca.mbOpzionale, cb.mbOpzionale);
        EXPECT_EQ(ca.miFormato, cb.miFormato);
        EXPECT_EQ(ca.menEccezione, cb.menEccezione);
        ASSERT_EQ(ca.moTrasf == nullptr, cb.moTrasf == nullptr);
        if (ca.moTrasf) ConfrontaTrasformazione(*ca.moTrasf, *cb.moTrasf, bDopoRilettura);
    }
}

std::string PrimaRiga(const std::string& s) { return s.substr(0, s.find_first_of("\r\n")); }

}  // namespace

void ConfrontaDriver(const clsDriver& a, const clsDriver& b, bool bDopoRilettura) {
    EXPECT_EQ(a.msAutore, b.msAutore);
    EXPECT_EQ(a.msData, b.msData);
    EXPECT_EQ(a.msVersione, b.msVersione);
    EXPECT_EQ(a.msMarca, b.msMarca);
    EXPECT_EQ(a.msModello, b.msModello);
    if (bDopoRilettura) {
        EXPECT_EQ(PrimaRiga(a.msNote), b.msNote);
        EXPECT_EQ(std::string(TogliSpazi(a.mlOffset)), b.mlOffset);
    } else {
        EXPECT_EQ(a.msNote, b.msNote);
        EXPECT_EQ(a.mlOffset, b.mlOffset);
    }
    EXPECT_EQ(a.mbIngnoraRigheVuote, b.mbIngnoraRigheVuote);
    EXPECT_EQ(a.mlTroncaUltimaRigaDopoCaratteri, b.mlTroncaUltimaRigaDopoCaratteri);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(a.Mesi(i), b.Mesi(i)) << "mese " << i;
    ConfrontaElenco(a.mcolDataIsolata, b.mcolDataIsolata, bDopoRilettura, "mcolDataIsolata");
    {
        SCOPED_TRACE("mcolTrasf");
        const int na = a.mcolTrasf ? a.mcolTrasf->Count() : 0;
        const int nb = b.mcolTrasf ? b.mcolTrasf->Count() : 0;
        ASSERT_EQ(na, nb);
        for (int i = 1; i <= na; ++i)
            ConfrontaTrasformazione(a.mcolTrasf->Item(i), b.mcolTrasf->Item(i), bDopoRilettura);
    }
    ConfrontaChiamata(a.moEntranti.get(), b.moEntranti.get(), bDopoRilettura, "moEntranti");
    ConfrontaChiamata(a.moUscenti.get(), b.moUscenti.get(), bDopoRilettura, "moUscenti");
    EXPECT_EQ(a.mcolPrescanning ? a.mcolPrescanning->Count() : 0,
              b.mcolPrescanning ? b.mcolPrescanning->Count() : 0);
}

void ConvertiSalvaRileggi(const std::string& sVecchio, const std::string& sDrv, int32_t lProgramma,
                          const CercaFormato& cerca, Conversione& r) {
    ASSERT_TRUE(ControllaVecchioDriver(sVecchio, r.mMessaggi));
    ASSERT_TRUE(LeggiVecchioDriver(sVecchio, r.mConvertito, r.mMessaggi, cerca));
    ASSERT_TRUE(ApplicaTrasformazione(r.mConvertito, lProgramma, r.mMessaggi, cerca));
    r.mConvertito.SaveDriver(sDrv, r.mMessaggi);
    ASSERT_EQ(r.mRiletto.LoadDriver(sDrv, r.mMessaggi), 1);
    ASSERT_TRUE(r.mMessaggi.mvTesti.empty()) << r.mMessaggi.mvTesti.front();
}

}  // namespace tarno::test

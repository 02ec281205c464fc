// The buffered save (the file read once and written once) against the reference save that
// writes every key through ScriviChiaveINI: random documents with hostile texts, saved over
// random starting folders, must leave the same bytes, the same ".bak" and the same messages;
// and random key sequences must leave the same file.

#include <gtest/gtest.h>

#include <random>

#include "ScrittoreRiferimento.h"
#include "Supporto.h"
#include "model/CallFieldName.h"
#include "model/DriverJson.h"
#include "model/Messaggi.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

// Pieces of a list joined by "|".
std::vector<std::string> Dividi(std::string_view s) {
    std::vector<std::string> v;
    for (size_t da = 0, a = 0; a != std::string_view::npos; da = a + 1)
        v.emplace_back(s.substr(da, (a = s.find('|', da)) - da));
    return v;
}

// Texts that break a line-oriented file: line breaks, header-like pieces, "=", blanks,
// quotes, the separator byte, names of real sections and keys.
const auto kPezzi = Dividi(
    "| |   |\r|\n|\r\n|=|[|]|x]\r\n[Entranti|[a|b]|[a=b]| [a|b] "
    "|\xB7|\xB7\xB7|\"|'|\t|;|Centralino|"
    "ENTRANTI|condizioni|Condizione_0|Azione_1|And|Or|Z|\xE8|\xFF|k=v|\r\n[Prescanning]\r\n|"
    "\r\nCampo_0=x|\"dData\"|Numero_Righe|S\xB7|1|-2|0.5");

// Lines that writers find hardest, for the files a save starts from.
const auto kRighe = Dividi(
    "[Centralino]|[centralino]|[CONDIZIONI]|[Entranti]|[Prescanning]|[Trasformazioni]|  [T]|"
    "[a=b] | [a=b]|[a = b]|[]|[ x ]|Autore=x|autore = y |k = v |Numero_Righe=3|x=|=y|; commento||"
    "   |Uno=1|uno=2|[a|b]|a=[b]|[k=v]x|\t[t]|Offset=7|Caratteri_ultima_riga=5|Data_Isolata=S\2671|"
    "Condizione_0=UGUALE_A\2671,1,1\267\"E\"\267|Azione_0=INIZIALE\267SOMMA\2671,1,"
    "1\267\"\"\267\"\"\267|"
    "Campo_0=\"dData\"\2671,8,1\267SX\267N\267\267");

class Generatore {
  public:
    explicit Generatore(uint32_t seme) : mRng(seme) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mRng); }
    bool Prob(double p) { return std::bernoulli_distribution(p)(mRng); }
    const std::string& Scegli(const std::vector<std::string>& v) {
        return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))];
    }
    // How many parts: now and then four times more, for documents with many parts.
    int Quanti(int iMax) { return Int(0, mbGrande ? iMax * 4 : iMax); }

    std::string Parola() {
        std::string s;
        for (int i = Int(1, 6); i > 0; --i)
            s += static_cast<char>((Prob(0.5) ? 'a' : 'A') + Int(0, 25));
        return s;
    }
    std::string Testo() {
        const int tipo = Int(0, 19);
        std::string s;
        if (tipo == 1) s.assign(static_cast<size_t>(Int(1, 4)), ' ');
        if (tipo == 2)  // longer than the reading buffer
            for (int n = Int(400, 700); n > 0; --n)
                s += static_cast<char>(Prob(0.1) ? ' ' : 'a' + Int(0, 25));
        if (tipo >= 3 && tipo < 8) s = Parola();
        if (tipo >= 8)
            for (int n = Int(1, 4); n > 0; --n) s += Prob(0.6) ? Scegli(kPezzi) : Parola();
        return s;
    }
    std::string ParolaOTesto(double p) { return Prob(p) ? Parola() : Testo(); }
    int16_t N16() {
        const int k = Int(0, 5);
        return static_cast<int16_t>(k == 0 ? 0 : k == 1 ? Int(-32768, 32767) : Int(1, 200));
    }

    ColCondizioni Condizioni(int iMax) {
        ColCondizioni col;
        for (int i = Quanti(iMax); i > 0; --i) {
            clsCondizione c;
            c.menOperatore = Prob(0.9) ? Int(1, 6) : Int(-1, 8);
            c.miInizio = N16(), c.miLunghezza = N16(), c.miRiga = N16(), c.miFormato = N16();
            c.msValore = ParolaOTesto(0.5);
            const int k = Int(0, 4);
            c.msCongiunzione = k == 0 ? "" : k == 1 ? "And" : k == 2 ? "Or" : Testo();
            if (Prob(0.3)) c.msNome = Testo();
            if (Prob(0.5))
                col.Add(c, std::to_string(i));
            else
                col.Add(c);
        }
        return col;
    }
    clsTrasformazione Trasformazione(bool bCampo) {
        clsTrasformazione t;
        t.menTipo = bCampo && Prob(0.8) ? clsTrasformazione::CAMPO : Int(0, 5);
        t.menOperazione = Int(0, 15);
        t.miInizio = N16(), t.miLunghezza = N16(), t.miRiga = N16();
        t.msSorgente = ParolaOTesto(0.5);
        t.msValore = ParolaOTesto(0.5);
        if (Prob(0.5)) t.mcolCondizioni = Condizioni(3);
        if (Prob(0.2)) t.msNome = Testo();
        return t;
    }
    std::unique_ptr<clsChiamata> Chiamata(int32_t enTipo) {
        if (Prob(0.15)) return nullptr;
        auto c = std::make_unique<clsChiamata>();
        c->menTipo = Prob(0.9) ? enTipo : Int(0, 2);
        c->miNumRighe = N16();
        if (Prob(0.6)) c->mcolCondizioni = Condizioni(4);
        if (Prob(0.4)) c->mcolCondTrasferita = Condizioni(3);
        if (Prob(0.15)) return c;
        c->mcolCampi.emplace();
        for (int i = Quanti(8); i > 0; --i) {
            clsCampo f;
            const int k = Int(0, 9);
            const bool in = enTipo == clsChiamata::ENTRANTI;
            f.msNome = k < 7 ? NomeCampo(Int(0, in ? 13 : 12), in) : k == 7 ? "dOra" : Testo();
            f.miInizio = N16(), f.miLunghezza = N16(), f.miRiga = N16(), f.miFormato = N16();
            f.menAllineamento = Int(0, 3);
            f.mbOpzionale = Prob(0.5);
            f.menEccezione = Int(0, 4);
            if ((f.menEccezione == 2 || f.menEccezione == 3 || Prob(0.1)) && Prob(0.9))
                f.moTrasf = std::make_unique<clsTrasformazione>(Trasformazione(true));
            c->mcolCampi->Add(std::move(f));
        }
        return c;
    }
    clsDriver Driver() {
        mbGrande = Prob(0.1);
        clsDriver d;
        for (auto* s : {&d.msAutore, &d.msData, &d.msVersione, &d.msMarca, &d.msModello, &d.msNote})
            *s = ParolaOTesto(0.3);
        d.mlOffset = Prob(0.6) ? std::to_string(Int(-100000, 100000)) : Testo();
        d.mbIngnoraRigheVuote = Prob(0.5);
        d.mlTroncaUltimaRigaDopoCaratteri = Prob(0.5) ? 0 : Int(-2147483647, 2147483647);
        if (Prob(0.8)) {
            d.mcolTrasf.emplace();
            for (int i = Quanti(6); i > 0; --i) d.mcolTrasf->Add(Trasformazione(false));
        }
        d.moEntranti = Chiamata(clsChiamata::ENTRANTI);
        d.moUscenti = Chiamata(clsChiamata::USCENTI);
        if (Prob(0.4)) d.mcolDataIsolata = Condizioni(4);
        if (Prob(0.5)) {
            const int l = Int(1, 4);
            for (int i = 0; i < 12; ++i) {
                std::string codice;
                for (int k = 0; k < l; ++k) codice += static_cast<char>('A' + Int(0, 25));
                d.Mesi(i, Prob(0.9) ? codice : Testo());
            }
            if (Prob(0.15)) d.Mesi(0, "");
        }
        d.mbConPrescanning = Prob(0.7);
        if (Prob(0.8)) {
            d.mcolPrescanning.emplace();
            for (int i = Quanti(8); i > 0; --i) {
                static const std::vector<std::string> simili = {"Uno", "uno", "UNO", " uno"};
                clsPrescanning p{Prob(0.2) ? Scegli(simili) : ParolaOTesto(0.4), ParolaOTesto(0.4)};
                if (Prob(0.2)) p.sEntry = Parola() + "=" + Parola();
                d.mcolPrescanning->Add(std::move(p));
            }
        }
        return d;
    }
    std::string FileIniziale() {
        static const std::vector<std::string> fini = {"\r\n", "\r\n", "\r\n", "\r", "\n"};
        std::string s;
        for (int i = Int(0, 30); i > 0; --i)
            s += (Prob(0.85) ? Scegli(kRighe) : Testo()) + Scegli(fini);
        return s;
    }

  private:
    std::mt19937 mRng;
    bool mbGrande = false;
};

// How the folder looks before a save: 0 empty, 1 the file, 2 the file and an older .bak,
// 3 the file and a folder named as the .bak, 4 only that folder, 5 the target is a folder,
// 6 the folder is missing, 7 the file in a folder that cannot be changed.
struct Scena {
    int iTipo = 0;
    std::string sFile, sBak;
};

Scena CreaScena(Generatore& g) {
    static const int soglie[] = {15, 45, 60, 86, 92, 95, 97, 100};
    Scena s;
    const int k = g.Int(0, 99);
    while (k >= soglie[s.iTipo]) ++s.iTipo;
    if ((s.iTipo >= 1 && s.iTipo <= 3) || s.iTipo == 7) {
        if (g.Prob(0.4)) {  // a real driver as the previous file
            CartellaTemp t(CartellaTemp::BaseInMemoria());
            MessaggiMuti muto;
            clsDriver altro = g.Driver();
            SalvaChiavePerChiave(altro, t.File("x.drv"), muto);
            s.sFile = LeggiTutto(t.File("x.drv"));
        } else {
            s.sFile = g.FileIniziale();
        }
    }
    if (s.iTipo == 2) s.sBak = g.FileIniziale();
    return s;
}

// Prepares the scene in a folder; the path to save to.
std::string Prepara(const Scena& s, const fs::path& cartella, CartellaTemp& temp) {
    fs::create_directory(cartella);
    const std::string f = (cartella / "x.drv").string();
    if ((s.iTipo >= 1 && s.iTipo <= 3) || s.iTipo == 7) ScriviFile(f, s.sFile);
    if (s.iTipo == 7) temp.RendiImmutabile(cartella);
    if (s.iTipo == 2) ScriviFile(f + ".bak", s.sBak);
    if (s.iTipo == 3 || s.iTipo == 4) fs::create_directory(f + ".bak");
    if (s.iTipo == 5) fs::create_directory(f);
    return s.iTipo == 6 ? (cartella / "manca" / "x.drv").string() : f;
}

// Saves d with both writers into twin folders prepared as s and compares everything.
void SalvaEConfronta(const clsDriver& d, const Scena& s) {
    CartellaTemp cartella(CartellaTemp::BaseInMemoria());
    const fs::path a = cartella.Percorso() / "a", b = cartella.Percorso() / "b";
    clsDriver da = d, db = d;
    MessaggiRaccolti ma, mb;
    da.SaveDriver(Prepara(s, a, cartella), ma);
    SalvaChiavePerChiave(db, Prepara(s, b, cartella), mb);
    EXPECT_EQ(LeggiTutto(a / "x.drv"), LeggiTutto(b / "x.drv"));
    EXPECT_EQ(LeggiTutto(a / "x.drv.bak"), LeggiTutto(b / "x.drv.bak"));
    EXPECT_EQ(NomiIn(a), NomiIn(b));
    for (const auto& n : NomiIn(a)) EXPECT_EQ(n.find(".tmp"), std::string::npos) << n;
    EXPECT_EQ(ma.mvTesti, mb.mvTesti);
    EXPECT_EQ(DriverInJson(da).dump(), DriverInJson(db).dump());
}

class Differenziale : public ::testing::TestWithParam<int> {};

TEST_P(Differenziale, RandomDriversSaveAlike) {
    constexpr int kPerBlocco = 100;
    for (int i = 0; i < kPerBlocco && !HasFailure(); ++i) {
        const auto seme = static_cast<uint32_t>(GetParam() * kPerBlocco + i);
        SCOPED_TRACE("seed " + std::to_string(seme));
        Generatore g(seme);
        const clsDriver d = g.Driver();
        SalvaEConfronta(d, CreaScena(g));
    }
}

TEST_P(Differenziale, RandomKeySequencesWriteAlike) {
    static const auto sezioni = Dividi(
        "Centralino|centralino|S|s|Entranti|x]\r\n[Entranti|[a|a]| S |S\r|a\nb|=|"
        "Prescanning|[a=b]|T|");
    static const auto chiavi =
        Dividi("k|K|a| k|k |[a| [a|a=b|=|x]\r\n[S|Uno|uno|\r|a\nb||  |[|Campo_0");
    constexpr int kPerBlocco = 300;
    for (int i = 0; i < kPerBlocco && !HasFailure(); ++i) {
        const auto seme = static_cast<uint32_t>(1000000 + GetParam() * kPerBlocco + i);
        Generatore g(seme);
        CartellaTemp cartella(CartellaTemp::BaseInMemoria());
        const std::string fa = cartella.File("a.ini"), fb = cartella.File("b.ini");
        if (g.Prob(0.8)) {
            const std::string iniziale = g.FileIniziale();
            ScriviFile(fa, iniziale);
            ScriviFile(fb, iniziale);
        }
        std::string registro = "seed " + std::to_string(seme) + ", writes:\n";
        clsScritturaINI bufferizzato(fa);
        for (int n = g.Int(1, 25); n > 0; --n) {
            const std::string s = g.Prob(0.7) ? g.Scegli(sezioni) : g.Testo();
            const std::string k = g.Prob(0.7) ? g.Scegli(chiavi) : g.Testo();
            const std::string v = g.Prob(0.2) ? g.Scegli(chiavi) : g.Testo();
            registro += ::testing::PrintToString(std::vector<std::string>{s, k, v}) + "\n";
            EXPECT_EQ(bufferizzato.ScriviChiave(s, k, v), ScriviChiaveINI(s, k, v, fb)) << registro;
        }
        EXPECT_TRUE(bufferizzato.Chiudi());
        EXPECT_EQ(LeggiTutto(fa), LeggiTutto(fb)) << registro;
        EXPECT_EQ(NomiIn(cartella.Percorso()).size(), fs::exists(fa) ? 2u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Blocchi, Differenziale, ::testing::Range(0, 8));

}  // namespace

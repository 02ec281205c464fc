// The buffered save (the file read once and written once) against the reference save that
// writes every key through ScriviChiaveINI: on random documents and random starting files,
// both must leave the same bytes, the same ".bak" and the same messages.

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "Aiuti.h"
#include "CallFieldName.h"
#include "DriverJson.h"
#include "Messaggi.h"
#include "clsDriver.h"
#include "clsScritturaINI.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

// Texts chosen to break a line-oriented file: line breaks, header-like pieces, "=", blanks,
// quotes, the separator byte, names of real sections and keys.
const std::vector<std::string> kPezzi = {
    "",
    " ",
    "   ",
    "\r",
    "\n",
    "\r\n",
    "=",
    "[",
    "]",
    "x]\r\n[Entranti",
    "[a",
    "b]",
    "[a=b]",
    " [a",
    "b] ",
    "\xB7",
    "\xB7\xB7",
    "\"",
    "'",
    "\t",
    ";",
    "Centralino",
    "ENTRANTI",
    "condizioni",
    "Condizione_0",
    "Azione_1",
    "And",
    "Or",
    "abc",
    "Z",
    "\xE8",
    "\xFF",
    "k=v",
    "\r\n[Prescanning]\r\n",
    "\r\nCampo_0=x",
    "\"dData\"",
    "Numero_Righe",
    "S\xB7",
    "1",
    "-2",
    "0.5",
};

std::string Visibile(std::string_view s) {
    std::string r;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            r += "\\r";
        else if (c == '\n')
            r += "\\n";
        else if (u < 0x20 || u >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            r += buf;
        } else
            r += c;
    }
    return r;
}

// Where two texts part, with some context of each.
std::string Differenza(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const size_t da = i > 80 ? i - 80 : 0;
    return "first difference at byte " + std::to_string(i) + "\n  buffered : ..." +
           Visibile(a.substr(da, 200)) + "\n  reference: ..." + Visibile(b.substr(da, 200));
}

class Generatore {
  public:
    explicit Generatore(uint32_t seme) : mRng(seme) {}

    // Upper bound of a count: now and then four times larger, for documents with many parts.
    int Quanti(int iMax) { return Int(0, mbGrande ? iMax * 4 : iMax); }

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mRng); }
    bool Prob(double p) { return std::bernoulli_distribution(p)(mRng); }
    template <class T>
    const T& Scegli(const std::vector<T>& v) {
        return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))];
    }

    std::string Lungo() {
        std::string s;
        const int n = Int(400, 700);
        for (int i = 0; i < n; ++i) s += static_cast<char>(Prob(0.1) ? ' ' : 'a' + Int(0, 25));
        return s;
    }

    std::string Testo() {
        const int tipo = Int(0, 19);
        if (tipo == 0) return "";
        if (tipo == 1) return std::string(static_cast<size_t>(Int(1, 4)), ' ');
        if (tipo == 2) return Lungo();
        if (tipo < 8) return Parola();
        std::string s;
        const int n = Int(1, 4);
        for (int i = 0; i < n; ++i) s += Prob(0.6) ? Scegli(kPezzi) : Parola();
        return s;
    }

    std::string Parola() {
        std::string s;
        const int n = Int(1, 6);
        for (int i = 0; i < n; ++i) s += static_cast<char>((Prob(0.5) ? 'a' : 'A') + Int(0, 25));
        return s;
    }

    int16_t N16() {
        switch (Int(0, 5)) {
            case 0:
                return 0;
            case 1:
                return static_cast<int16_t>(Int(-32768, 32767));
            default:
                return static_cast<int16_t>(Int(1, 200));
        }
    }

    clsCondizione Condizione() {
        clsCondizione c;
        c.menOperatore = Prob(0.9) ? Int(1, 6) : Int(-1, 8);
        c.miInizio = N16();
        c.miLunghezza = N16();
        c.miRiga = N16();
        c.miFormato = N16();
        c.msValore = Prob(0.5) ? Parola() : Testo();
        const int k = Int(0, 4);
        c.msCongiunzione = k == 0 ? "" : k == 1 ? "And" : k == 2 ? "Or" : Testo();
        if (Prob(0.3)) c.msNome = Testo();
        return c;
    }

    ColCondizioni Condizioni(int iMax) {
        ColCondizioni col;
        const int n = Quanti(iMax);
        for (int i = 0; i < n; ++i) {
            if (Prob(0.5))
                col.Add(Condizione(), std::to_string(i));
            else
                col.Add(Condizione());
        }
        return col;
    }

    clsTrasformazione Trasformazione(bool bCampo) {
        clsTrasformazione t;
        t.menTipo = bCampo && Prob(0.8) ? clsTrasformazione::CAMPO : Int(0, 5);
        t.menOperazione = Int(0, 15);
        t.miInizio = N16();
        t.miLunghezza = N16();
        t.miRiga = N16();
        t.msSorgente = Prob(0.5) ? Parola() : Testo();
        t.msValore = Prob(0.5) ? Parola() : Testo();
        if (Prob(0.5)) t.mcolCondizioni = Condizioni(3);
        if (Prob(0.2)) t.msNome = Testo();
        return t;
    }

    clsCampo Campo(bool bEntrante) {
        clsCampo c;
        const int k = Int(0, 9);
        if (k < 7)
            c.msNome = NomeCampo(Int(0, bEntrante ? 13 : 12), bEntrante);
        else if (k == 7)
            c.msNome = "dOra";
        else
            c.msNome = Testo();
        c.miInizio = N16();
        c.miLunghezza = N16();
        c.miRiga = N16();
        c.menAllineamento = Int(0, 3);
        c.mbOpzionale = Prob(0.5);
        c.miFormato = N16();
        c.menEccezione = Int(0, 4);
        if ((c.menEccezione == 2 || c.menEccezione == 3 || Prob(0.1)) && Prob(0.9))
            c.moTrasf = std::make_unique<clsTrasformazione>(Trasformazione(true));
        return c;
    }

    std::unique_ptr<clsChiamata> Chiamata(int32_t enTipo) {
        if (Prob(0.15)) return nullptr;
        auto c = std::make_unique<clsChiamata>();
        c->menTipo = Prob(0.9) ? enTipo : Int(0, 2);
        c->miNumRighe = N16();
        if (Prob(0.6)) c->mcolCondizioni = Condizioni(4);
        if (Prob(0.4)) c->mcolCondTrasferita = Condizioni(3);
        if (Prob(0.85)) {
            c->mcolCampi.emplace();
            const int n = Quanti(8);
            for (int i = 0; i < n; ++i) c->mcolCampi->Add(Campo(enTipo == 1));
        }
        return c;
    }

    clsDriver Driver() {
        mbGrande = Prob(0.1);
        clsDriver d;
        for (std::string* s :
             {&d.msAutore, &d.msData, &d.msVersione, &d.msMarca, &d.msModello, &d.msNote})
            *s = Prob(0.3) ? Parola() : Testo();
        d.mlOffset = Prob(0.6) ? std::to_string(Int(-100000, 100000)) : Testo();
        d.mbIngnoraRigheVuote = Prob(0.5);
        d.mlTroncaUltimaRigaDopoCaratteri = Prob(0.5) ? 0 : Int(-2147483647, 2147483647);
        if (Prob(0.8)) {
            d.mcolTrasf.emplace();
            const int n = Quanti(6);
            for (int i = 0; i < n; ++i) d.mcolTrasf->Add(Trasformazione(false));
        }
        d.moEntranti = Chiamata(clsChiamata::ENTRANTI);
        d.moUscenti = Chiamata(clsChiamata::USCENTI);
        if (Prob(0.4)) d.mcolDataIsolata = Condizioni(4);
        if (Prob(0.5)) {
            const int l = Int(1, 4);
            for (int i = 0; i < 12; ++i) {
                std::string codice;
                if (Prob(0.9)) {
                    for (int k = 0; k < l; ++k) codice += static_cast<char>('A' + Int(0, 25));
                } else {
                    codice = Testo();
                }
                d.Mesi(i, codice);
            }
            if (Prob(0.15)) d.Mesi(0, "");
        }
        d.mbConPrescanning = Prob(0.7);
        if (Prob(0.8)) {
            d.mcolPrescanning.emplace();
            const int n = Quanti(8);
            for (int i = 0; i < n; ++i) {
                static const std::vector<std::string> simili = {"Uno", "uno", "UNO", " uno"};
                clsPrescanning p;
                p.sEntry = Prob(0.2) ? Scegli(simili) : Prob(0.4) ? Parola() : Testo();
                if (Prob(0.2)) p.sEntry = Parola() + "=" + Parola();
                p.sValue = Prob(0.4) ? Parola() : Testo();
                d.mcolPrescanning->Add(std::move(p));
            }
        }
        return d;
    }

    // INI-like text with the lines that writers find hardest.
    std::string FileIniziale() {
        static const std::vector<std::string> righe = {"[Centralino]",
                                                       "[centralino]",
                                                       "[CONDIZIONI]",
                                                       "[Entranti]",
                                                       "[Prescanning]",
                                                       "[Trasformazioni]",
                                                       "  [T]",
                                                       "[a=b] ",
                                                       " [a=b]",
                                                       "[a = b]",
                                                       "[]",
                                                       "[ x ]",
                                                       "Autore=x",
                                                       "autore = y ",
                                                       "k = v ",
                                                       "Condizione_0=UGUALE_A\xB7"
                                                       "1,1,1\xB7\"E\"\xB7",
                                                       "Azione_0=INIZIALE\xB7SOMMA\xB7"
                                                       "1,1,1\xB7\"\"\xB7\"\"\xB7",
                                                       "Numero_Righe=3",
                                                       "Campo_0=\"dData\"\xB7"
                                                       "1,8,1\xB7SX\xB7N\xB7\xB7",
                                                       "x=",
                                                       "=y",
                                                       "; commento",
                                                       "",
                                                       "   ",
                                                       "Uno=1",
                                                       "uno=2",
                                                       "[a",
                                                       "b]",
                                                       "a=[b]",
                                                       "[k=v]x",
                                                       "\t[t]",
                                                       "Offset=7",
                                                       "Caratteri_ultima_riga=5",
                                                       "Data_Isolata=S\xB7"
                                                       "1"};
        static const std::vector<std::string> fini = {"\r\n", "\r\n", "\r\n", "\r", "\n"};
        std::string s;
        const int n = Int(0, 30);
        for (int i = 0; i < n; ++i) {
            s += Prob(0.85) ? Scegli(righe) : Testo();
            s += Scegli(fini);
        }
        return s;
    }

    bool mbGrande = false;

  private:
    std::mt19937 mRng;
};

// How the target folder looks before a save.
struct Scena {
    int iTipo = 0;  // 0 nothing, 1 file, 2 file and old .bak, 3 file and .bak folder,
                    // 4 only a .bak folder, 5 target is a folder, 6 folder missing,
                    // 7 file in a folder that cannot be changed
    std::string sFile;
    std::string sBak;
};

Scena CreaScena(Generatore& g, clsDriver* altro) {
    Scena s;
    const int k = g.Int(0, 99);
    s.iTipo = k < 15   ? 0
              : k < 45 ? 1
              : k < 60 ? 2
              : k < 86 ? 3
              : k < 92 ? 4
              : k < 95 ? 5
              : k < 97 ? 6
                       : 7;
    if ((s.iTipo >= 1 && s.iTipo <= 3) || s.iTipo == 7) {
        if (altro && g.Prob(0.4)) {
            // A real driver as the previous file.
            CartellaTemp t(CartellaTemp::BaseInMemoria());
            MessaggiMuti muto;
            altro->SaveDriverChiavePerChiave(t.File("x.drv"), muto);
            s.sFile = LeggiTutto(t.File("x.drv"));
        } else {
            s.sFile = g.FileIniziale();
        }
    }
    if (s.iTipo == 2) s.sBak = g.FileIniziale();
    return s;
}

void Prepara(const Scena& s, const fs::path& cartella, CartellaTemp& temp) {
    const std::string f = (cartella / "x.drv").string();
    if ((s.iTipo >= 1 && s.iTipo <= 3) || s.iTipo == 7) ScriviFile(f, s.sFile);
    if (s.iTipo == 7) temp.RendiImmutabile(cartella);
    if (s.iTipo == 2) ScriviFile(f + ".bak", s.sBak);
    if (s.iTipo == 3 || s.iTipo == 4) {
        fs::create_directory(f + ".bak");
        ScriviFile(f + ".bak/dentro", "x");
    }
    if (s.iTipo == 5) fs::create_directory(f);
}

std::string Bersaglio(const Scena& s, const fs::path& cartella) {
    return s.iTipo == 6 ? (cartella / "manca" / "x.drv").string() : (cartella / "x.drv").string();
}

void ConfrontaMessaggi(const MessaggiRaccolti& a, const MessaggiRaccolti& b) {
    ASSERT_EQ(a.mvMessaggi.size(), b.mvMessaggi.size());
    for (size_t i = 0; i < a.mvMessaggi.size(); ++i) {
        EXPECT_EQ(Visibile(a.mvMessaggi[i].sTesto), Visibile(b.mvMessaggi[i].sTesto)) << i;
        EXPECT_EQ(a.mvMessaggi[i].sTitolo, b.mvMessaggi[i].sTitolo) << i;
        EXPECT_EQ(a.mvMessaggi[i].icona, b.mvMessaggi[i].icona) << i;
    }
}

// Saves d with both writers into twin folders prepared as s and compares everything.
void SalvaEConfronta(const clsDriver& d, const Scena& s) {
    CartellaTemp cartella(CartellaTemp::BaseInMemoria());
    const fs::path a = cartella.Percorso() / "a";
    const fs::path b = cartella.Percorso() / "b";
    fs::create_directory(a);
    fs::create_directory(b);
    Prepara(s, a, cartella);
    Prepara(s, b, cartella);
    clsDriver da = d;
    clsDriver db = d;
    MessaggiRaccolti ma, mb;
    da.SaveDriver(Bersaglio(s, a), ma);
    db.SaveDriverChiavePerChiave(Bersaglio(s, b), mb);

    const std::string fa = LeggiTutto((a / "x.drv").string());
    const std::string fb = LeggiTutto((b / "x.drv").string());
    EXPECT_EQ(fa, fb) << Differenza(fa, fb);
    EXPECT_EQ(LeggiTutto((a / "x.drv.bak").string()), LeggiTutto((b / "x.drv.bak").string()));
    EXPECT_EQ(NomiIn(a), NomiIn(b));
    for (const auto& nome : NomiIn(a)) EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
    ConfrontaMessaggi(ma, mb);
    EXPECT_EQ(DriverInJson(da).dump(), DriverInJson(db).dump());
}

// Writes the same keys with both writers into files that start as sPrima; returns the buffered
// result after checking that it equals the reference one.
std::string ScriviEntrambi(const std::string& sPrima,
                           const std::vector<std::array<std::string, 3>>& chiavi) {
    CartellaTemp cartella;
    const std::string fa = cartella.File("a.ini");
    const std::string fb = cartella.File("b.ini");
    ScriviFile(fa, sPrima);
    ScriviFile(fb, sPrima);
    {
        clsScritturaINI bufferizzato(fa);
        ScrittoreChiavePerChiave riferimento(fb);
        for (const auto& [sez, chiave, valore] : chiavi)
            EXPECT_EQ(bufferizzato.ScriviChiave(sez, chiave, valore),
                      riferimento.ScriviChiave(sez, chiave, valore));
        EXPECT_TRUE(bufferizzato.Chiudi());
    }
    const std::string a = LeggiTutto(fa);
    EXPECT_EQ(a, LeggiTutto(fb)) << Differenza(a, LeggiTutto(fb));
    return a;
}

TEST(ScritturaINI, KeyThatBecomesAHeaderAfterTrimming) {
    // " [a=b]" is a key line; trimmed it is written as "[a=b]", which the next rewrite reads
    // as a section header that takes the keys after it.
    EXPECT_EQ(ScriviEntrambi("", {{{"S", " [a", "b]"}}, {{"S", "k", "1"}}, {{"S", "j", "2"}}}),
              "[S]\r\nj=2\r\n\r\n[a=b]\r\nk=1\r\n\r\n");
    EXPECT_EQ(ScriviEntrambi("", {{{"S", "[a", "b] "}}, {{"S", "k", "1"}}, {{"S", "j", "2"}}}),
              "[S]\r\nj=2\r\n\r\n[a=b]\r\nk=1\r\n\r\n");
}

TEST(ScritturaINI, HeaderLikeKeyInTheStartingFile) {
    EXPECT_EQ(ScriviEntrambi("[S]\r\n [a=b]\r\nx=0\r\n", {{{"S", "k", "1"}}, {{"S", "j", "2"}}}),
              "[S]\r\nj=2\r\n\r\n[a=b]\r\nx=0\r\nk=1\r\n\r\n");
    EXPECT_EQ(ScriviEntrambi("[S]\r\n[a = b] \r\n", {{{"S", "k", "1"}}}),
              "[S]\r\n[a=b]\r\nk=1\r\n\r\n");
}

TEST(ScritturaINI, RewriteWithoutAKeyStillRereadsTheFile) {
    // The line break in the value leaves a header-like key "[a" = "b]"; a write of nothing
    // rewrites the file, and the write after it finds a section there.
    EXPECT_EQ(
        ScriviEntrambi("", {{{"S", "k", "v\r\n [a=b]"}}, {{"S", "", "x"}}, {{"S", "j", "2"}}}),
        "[S]\r\nk=v\r\nj=2\r\n\r\n[a=b]\r\n\r\n");
}

TEST(ScritturaINI, NothingWrittenLeavesNoFile) {
    CartellaTemp cartella;
    const std::string f = cartella.File("x.ini");
    clsScritturaINI vuoto(f);
    EXPECT_TRUE(vuoto.Chiudi());
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
    // An empty value still rewrites the file, as ScriviChiaveINI does.
    clsScritturaINI solo(f);
    EXPECT_EQ(solo.ScriviChiave("S", "k", ""), 1);
    EXPECT_TRUE(solo.Chiudi());
    EXPECT_EQ(LeggiTutto(f), "");
    // A writer made to fail refuses every key and writes nothing.
    clsScritturaINI guasto(f, true);
    EXPECT_EQ(guasto.ScriviChiave("S", "k", "v"), 0);
    EXPECT_TRUE(guasto.Chiudi());
    EXPECT_EQ(LeggiTutto(f), "");
    // An empty file name accepts every key and touches nothing.
    clsScritturaINI senzaNome("");
    EXPECT_EQ(senzaNome.ScriviChiave("S", "k", "v"), 1);
    EXPECT_TRUE(senzaNome.Chiudi());
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"x.ini"});
}

TEST(Differenziale, SmallDriverSavesAlike) {
    // A plain driver into an empty folder, and over an older file whose ".bak" cannot be made.
    clsDriver d;
    d.msAutore = "Autore";
    d.moEntranti = std::make_unique<clsChiamata>();
    d.moEntranti->menTipo = clsChiamata::ENTRANTI;
    SalvaEConfronta(d, Scena{});
    Scena s;
    s.iTipo = 3;
    s.sFile = "[Centralino]\r\nAutore=vecchio\r\nNote=resta\r\n";
    SalvaEConfronta(d, s);
}

class DifferenzialeDriver : public ::testing::TestWithParam<int> {};

TEST_P(DifferenzialeDriver, RandomDriversSaveAlike) {
    constexpr int kPerBlocco = 150;
    for (int i = 0; i < kPerBlocco; ++i) {
        const uint32_t seme = static_cast<uint32_t>(GetParam() * kPerBlocco + i);
        SCOPED_TRACE("seed " + std::to_string(seme));
        Generatore g(seme);
        const clsDriver d = g.Driver();
        clsDriver altro = g.Driver();
        const Scena s = CreaScena(g, &altro);
        SalvaEConfronta(d, s);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Blocchi, DifferenzialeDriver, ::testing::Range(0, 8));

// Random sequences of single keys: clsScritturaINI against ScriviChiaveINI on twin files.
class DifferenzialeChiavi : public ::testing::TestWithParam<int> {};

TEST_P(DifferenzialeChiavi, RandomKeySequencesWriteAlike) {
    static const std::vector<std::string> sezioni = {
        "Centralino", "centralino", "S",    "s", "Entranti",    "x]\r\n[Entranti", "[a", "a]",
        " S ",        "S\r",        "a\nb", "=", "Prescanning", "[a=b]",           "T",  ""};
    static const std::vector<std::string> chiavi = {
        "k",        "K",   "a",   " k", "k ",   "[a", " [a", "a=b", "=",
        "x]\r\n[S", "Uno", "uno", "\r", "a\nb", "",   "  ",  "[",   "Campo_0"};
    constexpr int kPerBlocco = 500;
    for (int i = 0; i < kPerBlocco; ++i) {
        const uint32_t seme = static_cast<uint32_t>(1000000 + GetParam() * kPerBlocco + i);
        SCOPED_TRACE("seed " + std::to_string(seme));
        Generatore g(seme);
        CartellaTemp cartella(CartellaTemp::BaseInMemoria());
        const std::string fa = cartella.File("a.ini");
        const std::string fb = cartella.File("b.ini");
        if (g.Prob(0.8)) {
            const std::string iniziale = g.FileIniziale();
            ScriviFile(fa, iniziale);
            ScriviFile(fb, iniziale);
        }
        std::string registro;
        {
            clsScritturaINI bufferizzato(fa);
            ScrittoreChiavePerChiave riferimento(fb);
            const int n = g.Int(1, 25);
            for (int k = 0; k < n; ++k) {
                const std::string sez = g.Prob(0.7) ? g.Scegli(sezioni) : g.Testo();
                const std::string chiave = g.Prob(0.7) ? g.Scegli(chiavi) : g.Testo();
                const std::string valore = g.Prob(0.2) ? g.Scegli(chiavi) : g.Testo();
                registro += "(" + Visibile(sez) + " | " + Visibile(chiave) + " | " +
                            Visibile(valore) + ")\n";
                EXPECT_EQ(bufferizzato.ScriviChiave(sez, chiave, valore),
                          riferimento.ScriviChiave(sez, chiave, valore));
            }
            EXPECT_TRUE(bufferizzato.Chiudi());
        }
        const std::string a = LeggiTutto(fa);
        const std::string b = LeggiTutto(fb);
        EXPECT_EQ(a, b) << Differenza(a, b) << "\nwrites:\n" << registro;
        EXPECT_EQ(NomiIn(cartella.Percorso()).size(), fs::exists(fa) ? 2u : 0u);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Blocchi, DifferenzialeChiavi, ::testing::Range(0, 8));

}  // namespace

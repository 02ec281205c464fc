// The one line reader: line ends, form feeds, record separators, control characters dropped
// (tabs kept), the prefix, prescanning, cut lines and the INIZIALE transformations; for every
// line its number, piece, text and the byte each character came from, the printout given whole
// and one byte at a time.

#include <gtest/gtest.h>

#include <functional>

#include "engine/clsImpostazioniMotore.h"
#include "engine/clsLettoreRighe.h"

namespace {

using namespace tarno;

// The reader's lines as "number.piece:text@origin of the first character" (the text after
// INIZIALE, "(read)" before it when different), skipped lines as "number:reason"; every
// character's origin is checked against the printout.
class Righe : public IRigheMotore {
  public:
    explicit Righe(std::string_view sByte) : msByte(sByte) {}
    void Riga(const RigaMotore& r) override {
        std::string s = std::to_string(r.iNumero) + "." + std::to_string(r.iPezzo) + ":" +
                        std::string(r.sTesto);
        if (r.sLetta != r.sTesto) s += "(" + std::string(r.sLetta) + ")";
        if (!r.sLetta.empty()) s += "@" + std::to_string(r.Origine(0));
        for (size_t i = 0; i < r.sLetta.size(); ++i) {
            ASSERT_LT(r.Origine(i), msByte.size()) << s;
            EXPECT_EQ(msByte[r.Origine(i)], r.sLetta[i]) << s;
            EXPECT_TRUE(i == 0 || r.Origine(i) > r.Origine(i - 1)) << s;
        }
        mv.push_back(s);
    }
    void Scartata(uint64_t iRiga, std::string_view, MotivoRiga motivo) override {
        mv.push_back(std::to_string(iRiga) + ":" + std::to_string(static_cast<int>(motivo)));
    }
    std::string_view msByte;
    std::vector<std::string> mv;
};

void Prescanning(clsDriver& d, const std::string& voce, const std::string& valore) {
    d.mbConPrescanning = true;
    if (!d.mcolPrescanning) d.mcolPrescanning.emplace();
    d.mcolPrescanning->Add({voce, valore});
}

TEST(LettoreRighe, RigheNumeriTestiEOrigini) {
    const std::string intestazione = std::to_string(static_cast<int>(MotivoRiga::Intestazione)),
                      saltata = std::to_string(static_cast<int>(MotivoRiga::Saltata)),
                      vuota = std::to_string(static_cast<int>(MotivoRiga::Vuota)),
                      fine = std::to_string(static_cast<int>(MotivoRiga::FineStampa)),
                      dopo = std::to_string(static_cast<int>(MotivoRiga::DopoFine));
    struct Caso {
        const char* nome;
        std::string sByte;
        std::function<void(clsDriver&)> driver;
        std::vector<std::string> righe;
    };
    const std::vector<Caso> casi = {
        {"fine riga", "ab\r\ncd\ne\rf", {}, {"1.0:ab@0", "2.0:cd@4", "3.0:e@7", "4.0:f@9"}},
        {"riga vuota e CR LF a cavallo", "a\r\n\r\nb\r", {}, {"1.0:a@0", "2.0:", "3.0:b@5"}},
        {"salto pagina", "ab\fcd\r\n\fef\f", {}, {"1.0:ab@0", "2.0:\fcd@2", "3.0:\fef@7"}},
        {"separatore di record",
         "\x02"
         "ab\x03\x02"
         "cd\x03",
         [](clsDriver& d) { Prescanning(d, "SeparatoreRecord", "<ETX>"); },
         {"1.0:\x02"
          "ab@0",
          "2.0:\x02"
          "cd@4"}},
        {"controlli tolti, tabulatori tenuti",
         "\x02"
         "a\tb\x03\x10\x02"
         "cd\x03",
         [](clsDriver& d) {
             Prescanning(d, "SeparatoreRecord", "3");
             Prescanning(d, "TogliControlli", "S");
         },
         {"1.0:a\tb@1", "2.0:cd@7"}},
        {"prefisso dopo i controlli tolti",
         "\x10\x02"
         "123abc\r\nxy\r\n",
         [](clsDriver& d) {
             Prescanning(d, "TogliControlli", "S");
             d.mlOffset = "3";
         },
         {"1.0:abc@5", "2.0:"}},
        {"trasformazione INIZIALE",
         "00'22\n",
         [](clsDriver& d) {
             clsTrasformazione t;
             t.menTipo = clsTrasformazione::INIZIALE;
             t.menOperazione = clsTrasformazione::SOSTITUISCI;
             t.miInizio = 1, t.miLunghezza = 10, t.msSorgente = "'", t.msValore = ":";
             d.mcolTrasf.emplace().Add(t);
         },
         {"1.0:00:22(00'22)@0"}},
        {"prescanning e righe vuote",
         "h\r\nXa\r\n  \r\nok\r\nEND\r\nz",
         [](clsDriver& d) {
             Prescanning(d, "RigheIntestazione", "1");
             Prescanning(d, "SaltaRigheCon", "X");
             Prescanning(d, "FineStampa", "END");
             d.mbIngnoraRigheVuote = true;
         },
         {"1:" + intestazione, "2:" + saltata, "3:" + vuota, "4.0:ok@11", "5:" + fine,
          "6:" + dopo}},
        {"riga tagliata",
         "abcdef\r\nab",
         [](clsDriver& d) { d.mlTroncaUltimaRigaDopoCaratteri = 3; },
         {"1.1:abc@0", "1.2:def@3", "2.0:ab@8"}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        clsDriver driver;
        if (c.driver) c.driver(driver);
        const clsImpostazioniMotore imp(driver, {});
        for (const bool aByte : {false, true}) {
            Righe righe(c.sByte);
            ConteggiAnalisi conteggi;
            clsLettoreRighe lettore(imp, righe, conteggi);
            if (aByte)
                for (size_t i = 0; i < c.sByte.size(); ++i) lettore.Dati(c.sByte.substr(i, 1));
            else
                lettore.Dati(c.sByte);
            lettore.Fine();
            EXPECT_EQ(righe.mv, c.righe) << (aByte ? "a byte" : "intera");
        }
    }
}

// Every entry an editor offers for the prescanning is one the engine applies.
TEST(LettoreRighe, EveryPrescanningEntryOfferedIsOneTheEngineKnows) {
    for (const char* voce : VOCI_PRESCANNING) {
        clsDriver driver;
        Prescanning(driver, voce, "1");
        const clsImpostazioniMotore imp(driver, {});
        for (const auto& n : imp.Note())
            EXPECT_EQ(n.sTesto.find("non conosce"), std::string::npos) << n.sTesto;
    }
}

}  // namespace

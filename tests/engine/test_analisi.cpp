// The engine's reading of a printout, on small drivers built in memory: recognition with And/Or,
// transferred calls, the date on its own line, empty lines, calls cut by the end of the sample,
// general transformations, prescanning, the break of long lines and the reading of fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/Aiuti.h"
#include "CallFieldName.h"
#include "clsAnalizzatore.h"
#include "clsDriver.h"

namespace {

using namespace tarno;
using tarno::prova::W;

const MappaFormati kFormati = {{1, "gg/mm/aa"},  {7, "gg mmm aaaa"}, {10, "hh:mm"},
                               {11, "hh:mm:ss"}, {17, "mmss"},       {18, "ss"}};

// Each result as one line of text, in the order the engine gives them.
class Raccolta : public IEsitiAnalisi {
  public:
    void Chiamata(const ChiamataLetta& c) override {
        std::string s = c.bEntrante ? "E" : "U";
        if (c.bTrasferita) s += "T";
        if (c.bIncompleta) s += " incompleta";
        for (size_t i = 0; i < c.vRighe.size(); ++i)
            s += (i ? "," : " ") + std::to_string(c.vRighe[i]);
        s += ":";
        for (size_t i = 0; i < c.iCampi; ++i) {
            const CampoLetto& f = c.vCampi[i];
            s += " " + f.sNome + "=";
            if (!f.sErrore.empty())
                s += "!" + f.sErrore;
            else if (f.bVuoto)
                s += "()";
            else
                s += f.sInterpretato;
        }
        for (const auto& t : c.vTesti) s += " [" + t + "]";
        v.push_back(s);
    }
    void RigaData(const RigaDataLetta& d) override {
        v.push_back("data " + std::to_string(d.iRiga) + ": " + (d.sData.empty() ? "!" : d.sData));
    }
    void RigaSenzaChiamata(uint64_t n, std::string_view s, MotivoRiga m,
                           std::string_view sTrasformata) override {
        static const char* nomi[] = {"no", "vuota", "intestazione", "saltata", "fine", "dopo"};
        v.push_back(std::string(nomi[static_cast<int>(m)]) + " " + std::to_string(n) + ": " +
                    std::string(s) +
                    (sTrasformata.empty() ? "" : " -> " + std::string(sTrasformata)));
    }
    std::vector<std::string> v;
};

clsCondizione Cond(int32_t op, int16_t inizio, int16_t lung, int16_t riga,
                   const std::string& valore = "", int16_t formato = 0,
                   const std::string& congiunzione = "") {
    clsCondizione c;
    c.menOperatore = op;
    c.miInizio = inizio;
    c.miLunghezza = lung;
    c.miRiga = riga;
    c.msValore = valore;
    c.miFormato = formato;
    c.msCongiunzione = congiunzione;
    return c;
}

ColCondizioni Catena(std::vector<clsCondizione> v) {
    static int numero = 0;
    ColCondizioni col;
    for (auto& c : v) {
        c.msNome = "Condizione_" + std::to_string(numero++);
        col.Add(c, c.msNome);
    }
    return col;
}

clsCampo Campo(const std::string& nome, int16_t inizio, int16_t lung, int16_t riga = 1,
               int16_t formato = 0, bool opzionale = false) {
    clsCampo c;
    c.msNome = nome;
    c.miInizio = inizio;
    c.miLunghezza = lung;
    c.miRiga = riga;
    c.miFormato = formato;
    c.mbOpzionale = opzionale;
    return c;
}

clsChiamata& Tipo(clsDriver& d, bool entranti, int16_t righe, std::vector<clsCondizione> cond,
                  std::vector<clsCampo> campi, std::vector<clsCondizione> trasferita = {}) {
    auto& p = entranti ? d.moEntranti : d.moUscenti;
    p = std::make_unique<clsChiamata>();
    p->menTipo = entranti ? clsChiamata::ENTRANTI : clsChiamata::USCENTI;
    p->miNumRighe = righe;
    if (!cond.empty()) p->mcolCondizioni = Catena(std::move(cond));
    if (!trasferita.empty()) p->mcolCondTrasferita = Catena(std::move(trasferita));
    p->mcolCampi.emplace();
    for (auto& c : campi)
        p->mcolCampi->Add(std::move(c), std::to_string(IndiceCampo(c.msNome, entranti)));
    return *p;
}

clsTrasformazione Trasf(int32_t tipo, int32_t op, int16_t inizio, int16_t lung, int16_t riga,
                        const std::string& sorgente, const std::string& valore,
                        std::vector<clsCondizione> cond = {}) {
    clsTrasformazione t;
    t.menTipo = tipo;
    t.menOperazione = op;
    t.miInizio = inizio;
    t.miLunghezza = lung;
    t.miRiga = riga;
    t.msSorgente = sorgente;
    t.msValore = valore;
    if (!cond.empty()) t.mcolCondizioni = Catena(std::move(cond));
    return t;
}

void Generali(clsDriver& d, std::vector<clsTrasformazione> v) {
    d.mcolTrasf.emplace();
    for (size_t i = 0; i < v.size(); ++i) d.mcolTrasf->Add(std::move(v[i]), std::to_string(i));
}

std::vector<std::string> Leggi(const clsDriver& d, const std::vector<std::string>& righe,
                               std::vector<NotaImpostazione>* note = nullptr,
                               ConteggiAnalisi* conteggi = nullptr) {
    Raccolta r;
    clsAnalizzatore a(d, kFormati, r);
    for (const auto& s : righe) a.Riga(s);
    a.Fine();
    if (note) *note = a.Impostazioni();
    if (conteggi) *conteggi = a.Conteggi();
    return r.v;
}

using V = std::vector<std::string>;
using C = clsCondizione;

TEST(Analisi, LeCondizioniSiLeganoDaSinistraADestraSenzaPrecedenze) {
    // A Or B And C reads (A Or B) And C.
    clsDriver d;
    Tipo(d, true, 1,
         {Cond(C::UGUALE_A, 1, 1, 1, "A", 0, "Or"), Cond(C::UGUALE_A, 2, 1, 1, "B", 0, "And"),
          Cond(C::UGUALE_A, 3, 1, 1, "C")},
         {Campo("sCampo1", 1, 3)});
    EXPECT_EQ(Leggi(d, {"AxX", "AxC", "xBC", "xBx", "ABx"}),
              (V{"no 1: AxX", "E 2: sCampo1=AxC", "E 3: sCampo1=xBC", "no 4: xBx", "no 5: ABx"}));
}

TEST(Analisi, OperatoriDelleCondizioni) {
    clsDriver d;
    // Uguale a with a value shorter than the length: the rest must be blank, also past the end.
    Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 3, 1, "IN", 0, "And"), Cond(C::SOLO_NUMERI, 4, 3, 1)},
         {});
    Tipo(d, false, 1,
         {Cond(C::DIVERSO_DA, 1, 3, 1, "IN", 0, "And"), Cond(C::DATA_VALIDA, 4, 8, 1, "", 1, "Or"),
          Cond(C::TEMPO_VALIDO, 4, 5, 1, "", 10)},
         {});
    EXPECT_EQ(Leggi(d, {"IN  12", "IN  1a", "INX123", "xx 01/12/26", "xx 31/02/26", "xx 23:59",
                        "xx 24:60", "IN 01/12/26", "xx"}),
              (V{"E 1:", "no 2: IN  1a", "no 3: INX123", "U 4:", "no 5: xx 31/02/26",
                 "U 6:", "no 7: xx 24:60", "no 8: IN 01/12/26", "no 9: xx"}));
}

TEST(Analisi, ChiamateSuPiuRigheETrasferite) {
    clsDriver d;
    Tipo(d, true, 2, {Cond(C::UGUALE_A, 1, 3, 1, "IN ")},
         {Campo("dOraInizio", 4, 5, 1, 10), Campo("sNumero", 5, 10, 2)},
         {Cond(C::UGUALE_A, 1, 3, 2, "TRF")});
    Tipo(d, false, 1, {Cond(C::UGUALE_A, 1, 3, 1, "OUT")}, {Campo("sDerivato", 5, 4)});
    EXPECT_EQ(Leggi(d, {"IN 08:00", "TRF 123", "IN 09:00", "NUM 456", "OUT 2011", "???"}),
              (V{"ET 1,2: dOraInizio=08:00:00 sNumero=123",
                 "E 3,4: dOraInizio=09:00:00 sNumero=456", "U 5: sDerivato=2011", "no 6: ???"}));
}

TEST(Analisi, CampoObbligatorioVuotoEOpzionaleVuoto) {
    clsDriver d;
    Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 1, 1, "E")},
         {Campo("sDerivato", 3, 4), Campo("sLinea", 7, 2, 1, 0, true), Campo("sNumero", 1, 5, 2)});
    EXPECT_EQ(Leggi(d, {"E      ", "E 21  07"}),
              (V{"E 1: sDerivato=!campo obbligatorio vuoto sLinea=() sNumero=!campo obbligatorio "
                 "vuoto",
                 "E 2: sDerivato=21 sLinea=07 sNumero=!campo obbligatorio vuoto"}));
}

TEST(Analisi, ValoriDeiCampiConFormatiEConversioni) {
    clsDriver d;
    auto& e = Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 1, 1, "E")},
                   {Campo("dData", 3, 8, 1, 1), Campo("dOraInizio", 12, 5, 1, 10),
                    Campo("dDurata", 18, 5, 1, 18), Campo("dRisposta", 24, 4, 1, 17),
                    Campo("lScatti", 29, 5, 1)});
    // Duration in tenths of a second, pulses from a cost divided by 10.
    auto conv = [](int32_t op, const char* valore) {
        auto t = std::make_unique<clsTrasformazione>();
        t->menTipo = clsTrasformazione::CAMPO;
        t->menOperazione = op;
        t->msValore = valore;
        return t;
    };
    e.mcolCampi->Trova("3")->menEccezione = clsCampo::DURATA_TRASF;
    e.mcolCampi->Trova("3")->moTrasf = conv(clsTrasformazione::DIVIDI, "10");
    e.mcolCampi->Trova("4")->menEccezione = clsCampo::SCATTI_TRASF;
    e.mcolCampi->Trova("4")->moTrasf = conv(clsTrasformazione::MOLTIPLICA, "2");
    EXPECT_EQ(Leggi(d, {"E 01/12/26 08:05 16052 0013 00039", "E 31/11/26 25:00 12x45 0099 1.5"}),
              (V{"E 1: dData=2026-12-01 dOraInizio=08:05:00 dDurata=1605.2 s dRisposta=13 s "
                 "lScatti=78",
                 "E 2: dData=!giorno 31 non valido per il mese 11 dOraInizio=!ora 25 non valida "
                 "dDurata=!\"12x45\" non corrisponde al formato \"ss\" dRisposta=!secondi 99 non "
                 "validi lScatti=!\"1.5\" non " +
                     W("è") + " un numero"}));
    // A format code the catalogue lacks, a time format on a date field, no format on a time.
    clsDriver d2;
    Tipo(d2, true, 1, {Cond(C::UGUALE_A, 1, 1, 1, "E")},
         {Campo("dData", 3, 5, 1, 10), Campo("dOraInizio", 3, 5, 1, 99), Campo("dOraFine", 3, 5)});
    std::vector<NotaImpostazione> note;
    EXPECT_EQ(Leggi(d2, {"E 08:05"}, &note),
              (V{"E 1: dData=!il formato \"hh:mm\" non " + W("è") +
                 " una data dOraInizio=!formato 99 non presente nel catalogo dOraFine=!formato "
                 "non indicato"}));
    int avvisi = 0;
    for (const auto& n : note) avvisi += n.stato == NotaImpostazione::Avviso;
    EXPECT_EQ(avvisi, 2);
}

TEST(Analisi, DataSuRigaIsolata) {
    clsDriver d;
    const char* mesi[] = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                          "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
    for (int i = 0; i < 12; ++i) d.Mesi(i, mesi[i]);
    d.mcolDataIsolata = Catena({Cond(C::DATA_ISOLATA, 1, 11, 1, "", 7)});
    // The call's own date field gives way to the date line.
    Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 3, 1, "IN ")},
         {Campo("dData", 1, 11, 1, 7), Campo("dOraInizio", 4, 5, 1, 10)});
    EXPECT_EQ(Leggi(d, {"IN 08:00", "01 DIC 2026", "IN 09:00", "IN 10:00", "02 DIC 2026 x",
                        "   03 GEN 2027", "03 GEN 2027", "IN 11:00"}),
              (V{"E 1: dData=!nessuna riga di data prima della chiamata dOraInizio=08:00:00",
                 "data 2: 2026-12-01", "E 3: dData=2026-12-01 dOraInizio=09:00:00",
                 "E 4: dData=2026-12-01 dOraInizio=10:00:00", "no 5: 02 DIC 2026 x",
                 "no 6:    03 GEN 2027", "data 7: 2027-01-03",
                 "E 8: dData=2027-01-03 dOraInizio=11:00:00"}));
}

TEST(Analisi, RigheVuoteIgnorateOLette) {
    clsDriver d;
    Tipo(d, true, 2, {Cond(C::UGUALE_A, 1, 2, 1, "IN")}, {Campo("sNumero", 1, 5, 2)});
    d.mbIngnoraRigheVuote = true;
    ConteggiAnalisi c;
    // An empty line inside a call is skipped too: the call takes the next line.
    EXPECT_EQ(Leggi(d, {"IN", "", "12345", "  ", "\t"}, nullptr, &c),
              (V{"vuota 2: ", "E 1,3: sNumero=12345", "vuota 4:   ", "vuota 5: \t"}));
    EXPECT_EQ(c.iVuote, 3u);
    d.mbIngnoraRigheVuote = false;
    EXPECT_EQ(Leggi(d, {"IN", "", "12345", "  "}),
              (V{"E 1,2: sNumero=!campo obbligatorio vuoto", "no 3: 12345", "no 4:   "}));
}

TEST(Analisi, ChiamataTagliataDallaFineDelCampione) {
    clsDriver d;
    Tipo(d, true, 3,
         {Cond(C::UGUALE_A, 1, 2, 1, "IN", 0, "And"), Cond(C::UGUALE_A, 1, 3, 3, "END")},
         {Campo("sNumero", 1, 5, 2)});
    Tipo(d, false, 2, {Cond(C::UGUALE_A, 1, 1, 2, "B")}, {});
    ConteggiAnalisi c;
    // The condition on line 3 cannot be checked; the one on line 1 holds.
    EXPECT_EQ(Leggi(d, {"IN", "12345", "END", "IN 2", "777"}, nullptr, &c),
              (V{"E 1,2,3: sNumero=12345", "E incompleta 4,5: [IN 2] [777]"}));
    EXPECT_EQ(c.iIncomplete, 1u);
    EXPECT_EQ(c.Chiamate(), 1u);
    // At the end, nothing left to check is no call: the outgoing call tests only line 2.
    EXPECT_EQ(Leggi(d, {"xx"}), (V{"no 1: xx"}));
    EXPECT_EQ(Leggi(d, {"IN", "12345", "ENX"}), (V{"no 1: IN", "no 2: 12345", "no 3: ENX"}));
}

TEST(Analisi, TrasformazioniGenerali) {
    clsDriver d;
    using T = clsTrasformazione;
    Generali(d, {
                    // On every line whose first two characters are digits.
                    Trasf(T::INIZIALE, T::SOSTITUISCI, 4, 8, 1, "'", ":",
                          {Cond(C::SOLO_NUMERI, 1, 2, 1)}),
                    Trasf(T::INIZIALE, T::SOSTITUISCI, 13, 4, 0, "ab", "xyz"),  // width kept
                    Trasf(T::INIZIALE, T::IGNORA, 18, 3, 0, "*", "SX"),
                    Trasf(T::INIZIALE, T::IGNORA, 18, 3, 0, "48", "DX"),  // "0" by its code
                    Trasf(T::ENTRANTI, T::ELIMINA, 22, 3, 1, "<I>", ""),
                    Trasf(T::USCENTI, T::ELIMINA, 22, 3, 1, "", ""),
                    Trasf(T::INIZIALE, T::ALLINEA, 26, 4, 1, "", "DX"),
                    Trasf(T::USCENTI, T::INSERISCI, 1, 0, 1, "", ">"),
                    Trasf(T::INIZIALE, T::COPIA, 1, 2, 1, "", "30"),
                    Trasf(T::INIZIALE, T::DIVIDI, 1, 2, 1, "", "10"),
                    Trasf(T::TIPO_NESSUNO, T::ELIMINA, 1, 2, 1, "", ""),
                });
    Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 2, 1, "12")}, {Campo("sCampo1", 1, 40)});
    Tipo(d, false, 1, {Cond(C::UGUALE_A, 1, 2, 1, "34")}, {Campo("sCampo1", 1, 40)});
    std::vector<NotaImpostazione> note;
    EXPECT_EQ(Leggi(d, {"12 00'11'08 abab *10 <I> 7", "34 00'11'08 xaby **1 abc 7", "56 00'11'08"},
                    &note),
              (V{"E 1: sCampo1=12 00:11:08 xyzx  1" + std::string(9, ' ') + "7",
                 "U 2: sCampo1=>34 00:11:08 xxyz   1" + std::string(8, ' ') + "7",
                 "no 3: 56 00'11'08 -> 56 00:11:08"}));
    std::vector<std::string> non;
    for (const auto& n : note)
        if (n.stato == NotaImpostazione::NonApplicata) non.push_back(n.sTesto);
    ASSERT_EQ(non.size(), 3u);
    EXPECT_NE(non[0].find("Azione_8 (INIZIALE COPIA"), std::string::npos) << non[0];
    EXPECT_NE(non[0].find("il motore non conosce l'operazione COPIA"), std::string::npos);
    EXPECT_NE(non[1].find("Azione_9 (INIZIALE DIVIDI"), std::string::npos) << non[1];
    EXPECT_NE(non[2].find("livello (chiamate) non indicato"), std::string::npos) << non[2];
}

TEST(Analisi, Prescanning) {
    clsDriver d;
    d.mbConPrescanning = true;
    d.mcolPrescanning.emplace();
    d.mcolPrescanning->Add({"RigheIntestazione", "2"});
    d.mcolPrescanning->Add({"SaltaRigheCon", "---"});
    d.mcolPrescanning->Add({"FineStampa", "*** FINE"});
    d.mcolPrescanning->Add({"Velocita", "9600"});
    Tipo(d, true, 2, {Cond(C::UGUALE_A, 1, 2, 1, "IN")}, {});
    std::vector<NotaImpostazione> note;
    ConteggiAnalisi c;
    EXPECT_EQ(
        Leggi(d, {"IN titolo", "IN ---", "IN", "x", "-----", "IN", "*** FINE ***", "IN", "x"},
              &note, &c),
        (V{"intestazione 1: IN titolo", "intestazione 2: IN ---", "E 3,4:", "saltata 5: -----",
           "E incompleta 6: [IN]", "fine 7: *** FINE ***", "dopo 8: IN", "dopo 9: x"}));
    EXPECT_EQ(c.iPrescanning, 6u);
    ASSERT_EQ(note.size(), 7u);
    EXPECT_EQ(note[3].stato, NotaImpostazione::NonApplicata);
    EXPECT_EQ(note[3].sTesto, "Prescanning Velocita=9600: parametro che il motore non conosce");
    // Without the switch the table is not used.
    d.mbConPrescanning = false;
    EXPECT_EQ(Leggi(d, {"IN", "---"}), (V{"E 1,2:"}));
}

TEST(Analisi, UltimaRigaMandataACapo) {
    clsDriver d;
    d.mlTroncaUltimaRigaDopoCaratteri = 10;
    Tipo(d, true, 2, {Cond(C::UGUALE_A, 1, 2, 1, "IN")},
         {Campo("dOraInizio", 4, 5, 1, 10), Campo("sNumero", 1, 9, 2)});
    // The second line printed on the first one, past character 10.
    EXPECT_EQ(Leggi(d, {"IN 08:00  021234567", "IN 09:00", "031234567"}),
              (V{"E 1,1: dOraInizio=08:00:00 sNumero=021234567",
                 "E 2,3: dOraInizio=09:00:00 sNumero=031234567"}));
}

TEST(Analisi, RigheTroppoLungheEImpostazioni) {
    clsDriver d;
    d.mlOffset = "2";
    Tipo(d, true, 1, {Cond(C::UGUALE_A, 1, 2, 1, "IN")}, {Campo("sNumero", 3, 3)});
    std::vector<NotaImpostazione> note;
    ConteggiAnalisi c;
    const std::string lunga = "IN123" + std::string(MAX_CARATTERI_RIGA + 10, 'x');
    EXPECT_EQ(Leggi(d, {lunga}, &note, &c), (V{"E 1: sNumero=123"}));
    EXPECT_EQ(c.iRigheTroncate, 1u);
    ASSERT_GE(note.size(), 3u);
    EXPECT_EQ(note[1].stato, NotaImpostazione::NonApplicata);
    EXPECT_EQ(note[1].sTesto, W("Offset 2: il motore non sposta le righe né le posizioni"));
    EXPECT_EQ(note[2].sTesto, "Chiamate entranti: 1 riga; condizioni " +
                                  d.moEntranti->mcolCondizioni->Item(1).msNome +
                                  " (UGUALE_A 1,2,1 \"IN\")");
    EXPECT_EQ(note[3].sTesto, "Chiamate uscenti: non definite (0 righe)");
}

}  // namespace

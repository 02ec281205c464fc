// The driver document and its file: loading, saving, messages, renumbering, the ".bak" copy.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "Aiuti.h"
#include "DriverJson.h"
#include "Messaggi.h"
#include "clsDriver.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

const std::string kEsempio = Crlf(R"([Centralino]
Autore=Esempio
Marca=Esempio
Offset=0
Ignora_vuote=1
Caratteri_ultima_riga=0

[Entranti]
Numero_Righe=1
Condizioni=Condizione_0
Campo_0="dData"·3,8,1·SX·N·1·DATA·

[Condizioni]
Condizione_0=UGUALE_A·1,1,1·"E"·

)");

// A driver whose keys are numbered out of order, with every kind of part.
const std::string kCompleto = Crlf(R"([Centralino]
Autore=Io
Offset=12
Ignora_vuote=0
Caratteri_ultima_riga=80

[Trasformazioni]
Azione_0=INIZIALE·SOSTITUISCI·1,2,1·"a"·"b"·Condizione_30 Or Condizione_31
Azione_1=CAMPO·DIVIDI·1,6,1·""·"60"·Condizione_5
Azione_2=USCENTI·ELIMINA·3,1,·""·""·
Azione_9=CAMPO·MOLTIPLICA·1,3,1·""·"2"·

[Condizioni]
Condizione_30=UGUALE_A·1,1,1·"X"·
Condizione_31=DIVERSO_DA·2,1,1·"Y"·
Condizione_5=SOLO_NUMERI·1,6,1·""·
Condizione_17=UGUALE_A·1,1,1·"E"·
Condizione_18=UGUALE_A·1,1,1·"T"·
Condizione_40=UGUALE_A·1,1,1·"U"·
Condizione_41=DATA_ISOLATA·1,8,2·""·3
Condizione_42=DATA_ISOLATA·1,8,4·""·3

[Entranti]
Numero_Righe=1
Condizioni=Condizione_17
Trasferita=Condizione_18
Campo_0="dDurata"·40,6,1·DX·N··TRASFORMAZIONE·Azione_1

[Uscenti]
Numero_Righe=2
Condizioni=Condizione_40
Campo_0="lScatti"·1,3,1·DX·N··TRASFORMAZIONE·Azione_9

[OPZIONI_DATA]
Data_Isolata=S·9
Condizioni=Condizione_42 Or Condizione_41
Mesi_In_Lettere=S·GEN·FEB·MAR·APR·MAG·GIU·LUG·AGO·SET·OTT·NOV·DIC

[Prescanning]
Inizio=ABC
Fine=
)");

// kCompleto as saved: conditions and transformations numbered from 0 in writing order, the
// transformations of fields after the general ones.
const std::string kCompletoSalvato = Crlf(R"([Centralino]
Autore=Io
Offset=12
Ignora_vuote=0
Caratteri_ultima_riga=80

[Condizioni]
Condizione_0=UGUALE_A·1,1,1·"X"·
Condizione_1=DIVERSO_DA·2,1,1·"Y"·
Condizione_2=UGUALE_A·1,1,1·"E"·
Condizione_3=UGUALE_A·1,1,1·"T"·
Condizione_4=SOLO_NUMERI·1,6,1·""·
Condizione_5=UGUALE_A·1,1,1·"U"·
Condizione_6=DATA_ISOLATA·1,8,4·""·3
Condizione_7=DATA_ISOLATA·1,8,2·""·3

[Trasformazioni]
Azione_0=INIZIALE·SOSTITUISCI·1,2,1·"a"·"b"·Condizione_0 Or Condizione_1
Azione_1=USCENTI·ELIMINA·3,1,·""·""·
Azione_2=CAMPO·DIVIDI·1,6,1·""·"60"·Condizione_4
Azione_3=CAMPO·MOLTIPLICA·1,3,1·""·"2"·

[Entranti]
Numero_Righe=1
Condizioni=Condizione_2
Trasferita=Condizione_3
Campo_0="dDurata"·40,6,1·DX·N··TRASFORMAZIONE·Azione_2

[Uscenti]
Numero_Righe=2
Condizioni=Condizione_5
Campo_0="lScatti"·1,3,1·DX·N··TRASFORMAZIONE·Azione_3

[OPZIONI_DATA]
Condizioni=Condizione_6 Or Condizione_7
Data_Isolata=S·4
Mesi_In_Lettere=S·GEN·FEB·MAR·APR·MAG·GIU·LUG·AGO·SET·OTT·NOV·DIC

[Prescanning]
Inizio=ABC

)");

clsCondizione Condizione(int32_t op, int16_t inizio, int16_t lung, int16_t riga,
                         const std::string& valore, const std::string& conj = "") {
    clsCondizione c;
    c.menOperatore = op;
    c.miInizio = inizio;
    c.miLunghezza = lung;
    c.miRiga = riga;
    c.msValore = valore;
    c.msCongiunzione = conj;
    return c;
}

class DriverTest : public ::testing::Test {
  protected:
    // Loads a driver from a file holding sTesto.
    void Carica(const std::string& sTesto) {
        ScriviFile(cartella.File("in.drv"), sTesto);
        EXPECT_EQ(driver.LoadDriver(cartella.File("in.drv"), msg), 1);
    }
    std::string Salva(const std::string& sNome = "out.drv") {
        driver.SaveDriver(cartella.File(sNome), msg);
        return LeggiTutto(cartella.File(sNome));
    }
    std::vector<std::string> Testi() const { return msg.mvTesti; }

    CartellaTemp cartella;
    clsDriver driver;
    MessaggiRaccolti msg;
};

TEST_F(DriverTest, SavesTheExampleDriver) {
    driver.msAutore = "Esempio";
    driver.msMarca = "Esempio";
    driver.mbIngnoraRigheVuote = true;
    driver.moEntranti = std::make_unique<clsChiamata>();
    driver.moEntranti->menTipo = clsChiamata::ENTRANTI;
    driver.moEntranti->miNumRighe = 1;
    driver.moEntranti->mcolCondizioni.emplace();
    driver.moEntranti->mcolCondizioni->Add(Condizione(clsCondizione::UGUALE_A, 1, 1, 1, "E"));
    clsCampo campo;
    campo.msNome = "dData";
    campo.miInizio = 3;
    campo.miLunghezza = 8;
    campo.miRiga = 1;
    campo.menAllineamento = clsCampo::SX;
    campo.miFormato = 1;
    campo.menEccezione = clsCampo::DATA;
    driver.moEntranti->mcolCampi.emplace();
    driver.moEntranti->mcolCampi->Add(campo, "0");
    EXPECT_EQ(Salva(), kEsempio);
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(driver.msFileName, cartella.File("out.drv"));
}

TEST_F(DriverTest, ResavingTheExampleAddsTheOutgoingSection) {
    const std::string f = cartella.File("esempio.drv");
    ScriviFile(f, kEsempio);
    ASSERT_EQ(driver.LoadDriver(f, msg), 1);
    driver.SaveDriver(f, msg);
    EXPECT_EQ(LeggiTutto(f), kEsempio + "[Uscenti]\r\nNumero_Righe=0\r\n\r\n");
    EXPECT_EQ(LeggiTutto(f + ".bak"), kEsempio);
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(NomiIn(cartella.Percorso()),
              (std::vector<std::string>{"esempio.drv", "esempio.drv.bak"}));
}

TEST_F(DriverTest, LoadsTheGeneralSection) {
    Carica(
        W("[centralino]\r\nautore=Me\r\nData= 1/1/2000 \r\nVersione=\"1.0\"\r\nMarca=M\r\n"
          "Modello=X·Y\r\nNote=è\r\nOffset=12.5\r\nIgnora_vuote=1\r\n"
          "Caratteri_ultima_riga=132\r\n"));
    EXPECT_EQ(driver.msAutore, "Me");
    EXPECT_EQ(driver.msData, "1/1/2000");
    EXPECT_EQ(driver.msVersione, "1.0");
    EXPECT_EQ(driver.msMarca, "M");
    EXPECT_EQ(driver.msModello, W("X·Y"));
    EXPECT_EQ(driver.msNote, W("è"));
    EXPECT_EQ(driver.mlOffset, "12");
    EXPECT_TRUE(driver.mbIngnoraRigheVuote);
    EXPECT_EQ(driver.mlTroncaUltimaRigaDopoCaratteri, 132);
    EXPECT_TRUE(Testi().empty());
}

TEST_F(DriverTest, OffsetIgnoreEmptyAndLastLineValues) {
    struct Caso {
        const char* offset;
        const char* ignora;
        const char* caratteri;
        const char* attesoOffset;
        bool attesoIgnora;
        int32_t attesiCaratteri;
    };
    const Caso casi[] = {
        {"abc", "0", "abc", "0", false, 0},    {"13.5", "0.6", "12.5", "14", true, 12},
        {"-7", "-1", "-3", "-7", false, -3},   {"1e20", "si", "99999999999", "0", false, 0},
        {" 8 ", "2", "1.5e2", "8", true, 150}, {"12abc", "1x", "12abc", "0", false, 0},
    };
    for (const auto& c : casi) {
        driver.mbIngnoraRigheVuote = true;
        driver.mlTroncaUltimaRigaDopoCaratteri = 9;
        Carica(std::string("[Centralino]\r\nOffset=") + c.offset + "\r\nIgnora_vuote=" + c.ignora +
               "\r\nCaratteri_ultima_riga=" + c.caratteri + "\r\n");
        EXPECT_EQ(driver.mlOffset, c.attesoOffset) << c.offset;
        EXPECT_EQ(driver.mbIngnoraRigheVuote, c.attesoIgnora) << c.ignora;
        EXPECT_EQ(driver.mlTroncaUltimaRigaDopoCaratteri, c.attesiCaratteri) << c.caratteri;
    }
    driver.mbIngnoraRigheVuote = true;
    Carica("[Centralino]\r\nAutore=x\r\n");
    EXPECT_FALSE(driver.mbIngnoraRigheVuote);
    EXPECT_EQ(driver.mlTroncaUltimaRigaDopoCaratteri, 0);
    EXPECT_TRUE(Testi().empty());
}

TEST_F(DriverTest, MissingFileReadsAsAnEmptyDriver) {
    Carica(kCompleto);
    ASSERT_EQ(driver.mcolTrasf->Count(), 2);
    EXPECT_EQ(driver.LoadDriver(cartella.File("manca.drv"), msg), 1);
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(driver.msFileName, cartella.File("manca.drv"));
    EXPECT_EQ(driver.msAutore, "");
    EXPECT_EQ(driver.mlOffset, "0");
    EXPECT_EQ(driver.mlTroncaUltimaRigaDopoCaratteri, 0);
    EXPECT_FALSE(driver.mbConPrescanning);
    EXPECT_EQ(driver.mcolTrasf->Count(), 0);
    EXPECT_EQ(driver.moEntranti->miNumRighe, 0);
    EXPECT_EQ(driver.moEntranti->mcolCampi->Count(), 0);
    EXPECT_EQ(driver.moUscenti->menTipo, clsChiamata::USCENTI);
    EXPECT_TRUE(!driver.mcolDataIsolata || driver.mcolDataIsolata->Vuota());
    EXPECT_EQ(driver.Mesi(0), "");
    EXPECT_EQ(driver.mcolPrescanning->Count(), 0);
}

TEST_F(DriverTest, GeneralTransformationsStopAtAGapAndSkipFieldOnes) {
    Carica(
        W("[Trasformazioni]\r\n"
          "Azione_0=INIZIALE·SOMMA·1,2,1·\"\"·\"1\"·\r\n"
          "Azione_1=CAMPO·DIVIDI·1,2,1·\"\"·\"60\"·\r\n"
          "Azione_2=ENTRANTI·SOMMA·70000,2,1·\"\"·\"1\"·\r\n"
          "Azione_3=rotta\r\n"
          "Azione_4=USCENTI·UTC·1,2,1·\"\"·\"\"·\r\n"
          "Azione_6=INIZIALE·COPIA·1,2,1·\"\"·\"\"·\r\n"));
    EXPECT_EQ(Testi(), (std::vector<std::string>{"Errore nella sintassi della trasformazione 2",
                                                 "Errore nella sintassi della trasformazione 3"}));
    ASSERT_EQ(driver.mcolTrasf->Count(), 2);
    EXPECT_EQ(*driver.mcolTrasf->Chiave(1), "0");
    EXPECT_EQ(*driver.mcolTrasf->Chiave(2), "4");
    EXPECT_EQ(driver.mcolTrasf->Item(2).menOperazione, clsTrasformazione::UTC);
}

TEST_F(DriverTest, SyntaxErrorsOfCallSectionsAreReportedAfterTheirFields) {
    Carica(
        W("[Entranti]\r\n"
          "Campo_0=\"dData\"·99999,8,1·SX·N··\r\n"
          "[Uscenti]\r\n"
          "Numero_Righe=tre\r\n"
          "Campo_0=\"dRisposta\"·1,8,1·SX·N··\r\n"));
    EXPECT_EQ(Testi(), (std::vector<std::string>{
                           "Errore nella sintassi del campo 0",
                           W("In una o più entry nella sezione delle chiamate entranti sono stati "
                             "incontrati degli errori di sintassi"),
                           W("Il nome del campo 0 non è un nome valido"),
                           W("In una o più entry nella sezione delle chiamate uscenti sono stati "
                             "incontrati degli errori di sintassi")}));
    for (const auto& m : msg.mvMessaggi) EXPECT_EQ(m.sTitolo, "Attenzione");
}

TEST_F(DriverTest, DateOnItsOwnLine) {
    const std::string cond =
        W("[Condizioni]\r\n"
          "Condizione_1=DATA_ISOLATA·1,8,2·\"\"·3\r\n"
          "Condizione_2=DATA_ISOLATA·1,8,3·\"\"·4\r\n");
    Carica(cond + W("[OPZIONI_DATA]\r\nData_Isolata=N·2\r\nCondizioni=Condizione_1\r\n"));
    EXPECT_TRUE(!driver.mcolDataIsolata || driver.mcolDataIsolata->Vuota());
    Carica(cond + W("[OPZIONI_DATA]\r\nData_Isolata=s·2\r\nCondizioni=Condizione_1\r\n"));
    EXPECT_TRUE(!driver.mcolDataIsolata || driver.mcolDataIsolata->Vuota());
    Carica(cond +
           W("[OPZIONI_DATA]\r\nData_Isolata=S\r\nCondizioni=Condizione_2 Or Condizione_1\r\n"));
    ASSERT_TRUE(driver.mcolDataIsolata);
    ASSERT_EQ(driver.mcolDataIsolata->Count(), 2);
    EXPECT_EQ(driver.mcolDataIsolata->Item(1).miFormato, 4);
    EXPECT_EQ(driver.mcolDataIsolata->Item(1).msCongiunzione, "Or");
    EXPECT_TRUE(Testi().empty());

    Carica(cond + W("[OPZIONI_DATA]\r\nData_Isolata=S·3\r\nCondizioni=Condizione_2 And\r\n"));
    EXPECT_EQ(driver.mcolDataIsolata->Count(), 1);
    EXPECT_EQ(Testi(),
              std::vector<std::string>{
                  "Errore nella lettura delle condizioni per identificare la data isolata"});
    msg = MessaggiRaccolti();
    Carica(cond +
           W("[OPZIONI_DATA]\r\nData_Isolata=S·3\r\nCondizioni=Condizione_2 And Condizione_9\r\n"));
    EXPECT_EQ(driver.mcolDataIsolata->Count(), 1);
    EXPECT_EQ(Testi(),
              std::vector<std::string>{
                  "Errore nella lettura delle condizioni per identificare la data isolata"});
}

TEST_F(DriverTest, MonthNames) {
    Carica(W(
        "[OPZIONI_DATA]\r\nMesi_In_Lettere=S·GEN·FEB·MAR·APR·MAG·GIU·LUG·AGO·SET·OTT·NOV·DIC\r\n"));
    const char* mesi[] = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                          "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(driver.Mesi(i), mesi[i]);
    EXPECT_TRUE(Testi().empty());

    // A last code shorter than the first becomes empty; so do the missing ones.
    Carica(W("[OPZIONI_DATA]\r\nMesi_In_Lettere=S·Jan·Feb·Mar·Apr·May·Jun·Jul·Aug·Sep·Oct·No\r\n"));
    EXPECT_EQ(driver.Mesi(0), "Jan");
    EXPECT_EQ(driver.Mesi(9), "Oct");
    EXPECT_EQ(driver.Mesi(10), "");
    EXPECT_EQ(driver.Mesi(11), "");
    EXPECT_TRUE(Testi().empty());

    // Not starting with a capital "S": ignored without a message.
    Carica(W("[OPZIONI_DATA]\r\nMesi_In_Lettere=s·GEN·FEB\r\n"));
    EXPECT_EQ(driver.Mesi(0), "");
    EXPECT_TRUE(Testi().empty());

    for (const char* rotto : {"S", "S··FEB·MAR", "SX·GEN·FEB", "S·GEN", "S·"}) {
        msg = MessaggiRaccolti();
        Carica(W(std::string("[OPZIONI_DATA]\r\nMesi_In_Lettere=") + rotto + "\r\n"));
        EXPECT_EQ(Testi(), std::vector<std::string>{"Errore durante la lettura dei mesi"}) << rotto;
        for (int i = 0; i < 12; ++i) EXPECT_EQ(driver.Mesi(i), "") << rotto;
    }
}

TEST_F(DriverTest, MonthsOutOfRangeThrow) {
    EXPECT_THROW(driver.Mesi(12), std::out_of_range);
    EXPECT_THROW(driver.Mesi(-1, "x"), std::out_of_range);
    driver.Mesi(11, "DIC");
    EXPECT_EQ(driver.Mesi(11), "DIC");
}

TEST_F(DriverTest, MessagesOfALoadComeInReadingOrder) {
    Carica(
        W("[Trasformazioni]\r\nAzione_0=x\r\n"
          "[Entranti]\r\nNumero_Righe=x\r\n"
          "[Uscenti]\r\nCampo_0=x\r\n"
          "[OPZIONI_DATA]\r\nData_Isolata=S\r\nCondizioni=Condizione_0\r\nMesi_In_Lettere=S\r\n"));
    EXPECT_EQ(Testi(), (std::vector<std::string>{
                           "Errore nella sintassi della trasformazione 0",
                           W("In una o più entry nella sezione delle chiamate entranti sono stati "
                             "incontrati degli errori di sintassi"),
                           "Errore nella sintassi del campo 0",
                           W("In una o più entry nella sezione delle chiamate uscenti sono stati "
                             "incontrati degli errori di sintassi"),
                           "Errore nella lettura delle condizioni per identificare la data isolata",
                           "Errore durante la lettura dei mesi"}));
}

TEST_F(DriverTest, SavingRenumbersConditionsAndTransformations) {
    Carica(kCompleto);
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(Salva(), kCompletoSalvato);
    EXPECT_TRUE(Testi().empty());
    // The saved objects carry their new names.
    EXPECT_EQ(driver.mcolTrasf->Item(2).msNome, "Azione_1");
    EXPECT_EQ(driver.moUscenti->mcolCampi->Item(1).moTrasf->msNome, "Azione_3");
    EXPECT_EQ(driver.mcolDataIsolata->Item(2).msNome, "Condizione_7");
}

TEST_F(DriverTest, SaveLoadRoundTrip) {
    Carica(kCompleto);
    const std::string primo = Salva("a.drv");
    clsDriver a;
    ASSERT_EQ(a.LoadDriver(cartella.File("a.drv"), msg), 1);
    a.SaveDriver(cartella.File("b.drv"), msg);
    EXPECT_EQ(LeggiTutto(cartella.File("b.drv")), primo);
    clsDriver b;
    ASSERT_EQ(b.LoadDriver(cartella.File("b.drv"), msg), 1);
    clsDriver c;
    ASSERT_EQ(c.LoadDriver(cartella.File("a.drv"), msg), 1);
    EXPECT_EQ(DriverInJson(b).dump(), DriverInJson(c).dump());
    EXPECT_TRUE(Testi().empty());
}

TEST_F(DriverTest, EmptyTextsAreNotWritten) {
    driver.msNote = "nota";
    driver.mlOffset = "";
    EXPECT_EQ(Salva(),
              "[Centralino]\r\nNote=nota\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n");
}

TEST_F(DriverTest, EmptyFileNameWritesNothing) {
    Carica(kCompleto);
    fs::remove(cartella.File("in.drv"));
    const auto primaQui = NomiIn(fs::current_path());
    EXPECT_FALSE(driver.SaveDriver("", msg));
    driver.SaveDriverChiavePerChiave("", msg);
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(NomiIn(fs::current_path()), primaQui);
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
}

TEST_F(DriverTest, BackupKeepsThePreviousContentAndReplacesAnOlderOne) {
    const std::string f = cartella.File("d.drv");
    ScriviFile(f + ".bak", "vecchissimo");
    ScriviFile(f, "precedente");
    driver.msAutore = "A";
    EXPECT_TRUE(driver.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f + ".bak"), "precedente");
    const std::string primo = LeggiTutto(f);
    EXPECT_EQ(primo,
              "[Centralino]\r\nAutore=A\r\nOffset=0\r\nIgnora_vuote=0\r\n"
              "Caratteri_ultima_riga=0\r\n\r\n");
    driver.msAutore = "B";
    driver.SaveDriver(f, msg);
    EXPECT_EQ(LeggiTutto(f + ".bak"), primo);
    EXPECT_EQ(NomiIn(cartella.Percorso()), (std::vector<std::string>{"d.drv", "d.drv.bak"}));
    // The copy takes the whole name, extension included.
    EXPECT_FALSE(fs::exists(cartella.File("d.bak")));
}

TEST_F(DriverTest, BackupThatCannotBeMadeMergesIntoThePreviousFile) {
    const std::string f = cartella.File("d.drv");
    ScriviFile(f, "[Extra]\r\nk=v\r\n[Centralino]\r\nAutore=vecchio\r\nNote=resta\r\n");
    fs::create_directory(f + ".bak");
    ScriviFile(f + ".bak/dentro", "x");
    driver.msAutore = "nuovo";
    EXPECT_TRUE(driver.SaveDriver(f, msg));
    EXPECT_EQ(LeggiTutto(f),
              "[Extra]\r\nk=v\r\n\r\n[Centralino]\r\nAutore=nuovo\r\nNote=resta\r\n"
              "Offset=0\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n");
    EXPECT_TRUE(Testi().empty());
    EXPECT_EQ(NomiIn(cartella.Percorso()), (std::vector<std::string>{"d.drv", "d.drv.bak"}));
}

TEST_F(DriverTest, AWriteThatFailsHalfWayLeavesThePreviousFileInPlace) {
    const std::string f = cartella.File("d.drv");
    ScriviFile(f, "precedente");
    driver.msAutore = std::string(4096, 'A');
    // A file-size limit makes the write fail as a full disk does.
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    rlimit prima{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &prima), 0);
    rlimit piccolo = prima;
    piccolo.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &piccolo), 0);
    const bool scritto = driver.SaveDriver(f, msg);
    ::setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnale);
    EXPECT_FALSE(scritto);
    EXPECT_EQ(LeggiTutto(f), "precedente");
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"d.drv"});
}

// The messages of a save of kCompleto in which no key can be written.
const std::vector<std::string> kMessaggiSalvataggioFallito = {
    "Errore durante la scrittura della condizione 0",
    "Errore durante la scrittura della condizione 1",
    "Errore durante la scrittura del numero di righe Entranti",
    "Errore durante la scrittura della condizione 2",
    "Errore durante la scrittura dell'elenco delle condizioni",
    "Errore durante la scrittura della condizione 3",
    "Errore durante la scrittura dell'elenco delle condizioni di trasferita",
    "Errore durante la scrittura della condizione 4",
    "Errore nella sintassi del campo 1",
    "Errore durante la scrittura del numero di righe Uscenti",
    "Errore durante la scrittura della condizione 5",
    "Errore durante la scrittura dell'elenco delle condizioni",
    "Errore nella sintassi del campo 1",
    "Errore durante la scrittura della condizione 6 (data isolata)",
    "Errore durante la scrittura della condizione 7 (data isolata)",
    "Errore durante la scrittura dell'elenco delle condizioni (data isolata)",
    "Errore durante la scrittura dell'elenco delle condizioni (data isolata)",
    "Errore durante il salvataggio della trasformazione data contenente mesi espressi in lettere",
};

class SalvataggioFallitoTest : public DriverTest {
  protected:
    void SetUp() override {
        Carica(kCompleto);
        ASSERT_TRUE(Testi().empty());
        fs::remove(cartella.File("in.drv"));
    }
    // Saves with both writers and checks the messages of each.
    void SalvaEntrambi(const std::string& f) {
        clsDriver copia = driver;
        EXPECT_FALSE(driver.SaveDriver(f, msg));
        EXPECT_EQ(Testi(), kMessaggiSalvataggioFallito);
        for (const auto& m : msg.mvMessaggi) {
            EXPECT_EQ(m.sTitolo, "Attenzione");
            EXPECT_EQ(m.icona, Icona::Esclamazione);
        }
        MessaggiRaccolti altri;
        copia.SaveDriverChiavePerChiave(f, altri);
        EXPECT_EQ(altri.mvTesti, kMessaggiSalvataggioFallito);
    }
};

TEST_F(SalvataggioFallitoTest, TargetIsAFolder) {
    const std::string f = cartella.File("d.drv");
    fs::create_directory(f);
    ScriviFile(f + "/dentro", "x");
    SalvaEntrambi(f);
    EXPECT_EQ(LeggiTutto(f + "/dentro"), "x");
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"d.drv"});
    EXPECT_EQ(NomiIn(f), std::vector<std::string>{"dentro"});
}

TEST_F(SalvataggioFallitoTest, FolderDoesNotExist) {
    SalvaEntrambi(cartella.File("manca/d.drv"));
    EXPECT_TRUE(NomiIn(cartella.Percorso()).empty());
}

TEST_F(SalvataggioFallitoTest, FolderCannotBeChanged) {
    const std::string dir = cartella.File("d");
    fs::create_directory(dir);
    const std::string f = dir + "/x.drv";
    ScriviFile(f, kEsempio);
    ScriviFile(f + ".bak", "vecchio");
    if (!cartella.RendiImmutabile(dir)) GTEST_SKIP() << "immutable attribute not available here";
    SalvaEntrambi(f);
    EXPECT_EQ(LeggiTutto(f), kEsempio);
    EXPECT_EQ(LeggiTutto(f + ".bak"), "vecchio");
    EXPECT_EQ(NomiIn(dir), (std::vector<std::string>{"x.drv", "x.drv.bak"}));
}

TEST_F(SalvataggioFallitoTest, DriverFileCannotBeChanged) {
    const std::string f = cartella.File("x.drv");
    ScriviFile(f, kEsempio);
    if (!cartella.RendiImmutabile(f)) GTEST_SKIP() << "immutable attribute not available here";
    SalvaEntrambi(f);
    EXPECT_EQ(LeggiTutto(f), kEsempio);
    EXPECT_EQ(NomiIn(cartella.Percorso()), std::vector<std::string>{"x.drv"});
}

TEST_F(DriverTest, PrescanningPairs) {
    Carica(W("[Prescanning]\r\nUno=1\r\nuno=2\r\nDue=  d  \r\nVuoto=\r\n"));
    ASSERT_TRUE(driver.mbConPrescanning);
    ASSERT_EQ(driver.mcolPrescanning->Count(), 4);
    // Names that differ only in case both get the value of the first.
    EXPECT_EQ(driver.mcolPrescanning->Item(2).sEntry, "uno");
    EXPECT_EQ(driver.mcolPrescanning->Item(2).sValue, "1");
    EXPECT_EQ(driver.mcolPrescanning->Item(3).sValue, "d");
    EXPECT_EQ(driver.mcolPrescanning->Item(4).sValue, "");

    driver.mcolPrescanning->Add(clsPrescanning{"", "senza nome"});
    driver.mcolPrescanning->Add(clsPrescanning{"Tre", "primo"});
    driver.mcolPrescanning->Add(clsPrescanning{"Quattro", "  spazi  "});
    driver.mcolPrescanning->Add(clsPrescanning{"Tre", "ultimo"});
    driver.mcolPrescanning->Add(clsPrescanning{"Lungo", std::string(600, 'L')});
    EXPECT_EQ(Salva(),
              "[Centralino]\r\nOffset=0\r\nIgnora_vuote=0\r\nCaratteri_ultima_riga=0\r\n\r\n"
              "[Entranti]\r\nNumero_Righe=0\r\n\r\n"
              "[Uscenti]\r\nNumero_Righe=0\r\n\r\n"
              "[Prescanning]\r\nUno=1\r\nuno=1\r\nDue=d\r\nTre=ultimo\r\nQuattro=spazi\r\n"
              "Lungo=" +
                  std::string(500, 'L') + "\r\n\r\n");
    EXPECT_TRUE(Testi().empty());
}

TEST_F(DriverTest, PrescanningWrittenOnlyWhenSwitchedOn) {
    Carica("[Centralino]\r\nAutore=a\r\n");
    ASSERT_FALSE(driver.mbConPrescanning);
    driver.mcolPrescanning->Add(clsPrescanning{"P", "1"});
    EXPECT_EQ(Salva().find("Prescanning"), std::string::npos);
    driver.mbConPrescanning = true;
    EXPECT_NE(Salva().find("[Prescanning]\r\nP=1\r\n"), std::string::npos);
}

TEST_F(DriverTest, PrescanningKeysBeyondTheBufferAreNotLoaded) {
    std::string testo = "[Prescanning]\r\n";
    for (int i = 0; i < 60; ++i)
        testo += "Parametro_" + std::to_string(100 + i) + "=" + std::to_string(i) + "\r\n";
    Carica(testo);
    // "Parametro_1nn" and its NUL take 14 characters: 35 fit, the 36th is cut to 8.
    ASSERT_EQ(driver.mcolPrescanning->Count(), 36);
    EXPECT_EQ(driver.mcolPrescanning->Item(35).sEntry, "Parametro_134");
    EXPECT_EQ(driver.mcolPrescanning->Item(35).sValue, "34");
    EXPECT_EQ(driver.mcolPrescanning->Item(36).sEntry, "Parametr");
    EXPECT_EQ(driver.mcolPrescanning->Item(36).sValue, "");
}

TEST_F(DriverTest, DeleteKeepsTheSwitchesAndTheName) {
    Carica(kCompleto);
    driver.mbIngnoraRigheVuote = true;
    ASSERT_TRUE(driver.mbConPrescanning);
    driver.Delete();
    EXPECT_TRUE(driver.mbConPrescanning);
    EXPECT_TRUE(driver.mbIngnoraRigheVuote);
    EXPECT_EQ(driver.msFileName, cartella.File("in.drv"));
    EXPECT_EQ(driver.mlTroncaUltimaRigaDopoCaratteri, 80);
    EXPECT_FALSE(driver.moEntranti);
    EXPECT_FALSE(driver.moUscenti);
    EXPECT_FALSE(driver.mcolTrasf);
    EXPECT_EQ(driver.msAutore, "");
    EXPECT_EQ(driver.mlOffset, "0");
    EXPECT_TRUE(driver.mcolDataIsolata.has_value());
    EXPECT_TRUE(driver.mcolDataIsolata->Vuota());
    EXPECT_EQ(driver.Mesi(0), "");
    EXPECT_EQ(driver.mcolPrescanning->Count(), 2);  // emptied by the next read only
}

TEST_F(DriverTest, CopyIsDeep) {
    Carica(kCompleto);
    clsDriver copia = driver;
    copia.moEntranti->mcolCampi->Item(1).moTrasf->msValore = "1";
    copia.mcolTrasf->Item(1).mcolCondizioni->Item(1).msValore = "Z";
    copia.Mesi(0, "JAN");
    EXPECT_EQ(driver.moEntranti->mcolCampi->Item(1).moTrasf->msValore, "60");
    EXPECT_EQ(driver.mcolTrasf->Item(1).mcolCondizioni->Item(1).msValore, "X");
    EXPECT_EQ(driver.Mesi(0), "GEN");
}

TEST_F(DriverTest, JsonDump) {
    Carica(kCompleto);
    const auto j = DriverInJson(driver);
    EXPECT_EQ(j["msAutore"], "Io");
    EXPECT_EQ(j["mlOffset"], "12");
    EXPECT_EQ(j["Mesi"][11], "DIC");
    EXPECT_EQ(j["mcolTrasf"].size(), 2u);
    EXPECT_EQ(j["mcolTrasf"][1]["key"], "2");
    EXPECT_EQ(j["moEntranti"]["mcolCampi"][0]["moTrasf"]["msValore"], "60");
    EXPECT_EQ(j["moUscenti"]["mcolCondTrasferita"], nullptr);
    EXPECT_EQ(j["mcolPrescanning"][0]["key"], nullptr);
    driver.msNote = W("più·");
    EXPECT_EQ(DriverInJson(driver)["msNote"], "pi\xC3\xB9\xC2\xB7");
    clsDriver vuoto;
    EXPECT_EQ(DriverInJson(vuoto)["moEntranti"], nullptr);
}

}  // namespace

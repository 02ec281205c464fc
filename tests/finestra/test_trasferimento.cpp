// From the window to the driver file: the demo drivers opened and saved through the window
// give the expected bytes, and every check of a save stops it with its message, on its page,
// with the focus on the control to correc

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <map>
#include <sstream>

#include "SupportoGui.h"
#include "grid/clsGriglia.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using Riga = std::vector<std::string>;

class TrasferimentoTest : public FinestraDemo {
  protected:
    TabellaValori& T(bool entranti = true) {
        return entranti ? mF->Documento().mrgxEntranti : mF->Documento().mrgxUscenti;
    }
    void ScriviRiga(int r, const Riga& v, bool entranti = true) {
        for (size_t c = 0; c < v.size(); ++c) T(entranti).Cella(r, int(c)) = v[c];
    }
    void Opzione(int riga) { mF->Documento().mrgxTrasf.Cella(riga, 1) = "S\xEC"; }
    clsGriglia* Griglia(const char* nome) const {
        return mF->findChild<clsGriglia*>(QString::fromLatin1(nome));
    }
    // Opens the editor of a grid's cell on its page and types into i
    void ScriviInCella(const char* griglia, int pagina, int r, int c, const QString& testo) {
        clsGriglia* g = Griglia(griglia);
        U()->tabDriver->setCurrentIndex(pagina);
        QApplication::processEvents();
        g->ImpostaCellaCorrente(r, c);
        static_cast<QAbstractItemView*>(g)->edit(g->currentIndex());
        auto* editor = g->findChild<QLineEdit*>(QStringLiteral("txtCellaGriglia"));
        ASSERT_TRUE(editor);
        editor->setText(testo);
    }
};

// Every "key=value" of a driver file under its section.
std::map<std::string, std::string> Chiavi(const std::string& testo) {
    std::map<std::string, std::string> chiavi;
    std::istringstream in(testo);
    std::string sezione;
    for (std::string riga; std::getline(in, riga);) {
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        if (riga.starts_with('[')) sezione = riga;
        const size_t uguale = riga.find('=');
        if (uguale != std::string::npos)
            chiavi[sezione + riga.substr(0, uguale)] = riga.substr(uguale);
    }
    return chiavi;
}

TEST_F(TrasferimentoTest, DemoDriversSavedThroughTheWindowGiveTheExpectedBytes) {
    for (const char* nome : {"PanasonicTDA.drv", "SiemensHiPath.drv"}) {
        SCOPED_TRACE(nome);
        const QString copia = Driver(QStringLiteral("copia-") + nome);
        mF->FileApri(Driver(QString::fromLatin1(nome)));
        U()->txtAutore->setText(QStringLiteral("Altro autore"));
        mUI.mNomiFile = {copia};
        ASSERT_TRUE(mF->FileSalva(true)) << Testi().join('|').toStdString();
        const std::string salvato = Byte(copia);
        EXPECT_EQ(salvato, prova::LeggiTutto(std::string(TARNO_ATTESI_EDITOR) + "/" + nome));
        // Only the author changed: every other key stays as the file had it.
        auto prima = Chiavi(Byte(Driver(QString::fromLatin1(nome)))), dopo = Chiavi(salvato);
        EXPECT_EQ(dopo["[Centralino]Autore"], "=Altro autore");
        prima.erase("[Centralino]Autore"), dopo.erase("[Centralino]Autore");
        EXPECT_EQ(dopo, prima);
        // What the window wrote opens again and is written unchanged.
        mF->FileApri(copia);
        mUI.mNomiFile = {Driver(QStringLiteral("copia2.drv"))};
        ASSERT_TRUE(mF->FileSalva(true));
        EXPECT_EQ(Byte(Driver(QStringLiteral("copia2.drv"))), salvato);
        EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    }
}

TEST_F(TrasferimentoTest, WhatTheChecksLetThroughIsSavedWhole) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    // Dates in the forms a user types, stored (and then shown) as dd/mm/yyyy.
    const QString copia = Driver(QStringLiteral("copia.drv"));
    for (const char* data : {"15/03/24", "15-03-2024", "15.3.2024", "2024-03-15", "15/03/2024"}) {
        U()->txtData->setText(QString::fromLatin1(data));
        mUI.mNomiFile = {copia};
        EXPECT_TRUE(mF->FileSalva(true)) << data << Testi().join('|').toStdString();
        EXPECT_EQ(mF->Documento().moDriver->msData, "15/03/2024") << data;
        EXPECT_EQ(U()->txtData->text(), QStringLiteral("15/03/2024")) << data;
    }
    // Outgoing calls printed on no line (their fields go unchecked), a field on line 0 and
    // notes of several lines.
    mF->Documento().mrgxIdent.Cella(Ident::RIGA_USCENTI, 1) = "0";
    ScriviRiga(10, {"0", "64", "5", "", "", ""});
    const QString note = QStringLiteral("prima\nAutore=x\n\n[x]");
    U()->txtNote->setPlainText(note);
    mUI.mNomiFile = {copia};
    ASSERT_TRUE(mF->FileSalva(true)) << Testi().join('|').toStdString();
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    mF->FileApri(copia);
    EXPECT_EQ(U()->txtNote->toPlainText(), note);
    EXPECT_EQ(mF->Documento().moDriver->msAutore, "Tarno demo");
    EXPECT_EQ(T().Cella(10, Campi::COL_RIGA) + "," + T().Cella(10, Campi::COL_POSIZ), "0,64");
    EXPECT_EQ(mF->Documento().mrgxIdent.Cella(Ident::RIGA_USCENTI, 1), "0");
    // A date format on a time field, a code the catalogue lacks: saved, and told.
    T().Cella(Campi::RIGA_ORA_INIZIO, Campi::COL_FORMATO) = "1";
    T().Cella(Campi::RIGA_DURATA, Campi::COL_FORMATO) = "99";
    mUI.mNomiFile = {copia};
    ASSERT_TRUE(mF->FileSalva(true));
    ASSERT_EQ(Testi().size(), 1);
    EXPECT_EQ(Testi()[0].section(QLatin1Char('\n'), 1),
              "Campo \"Ora inizio\" (Entranti): il formato 1 (\"gg/mm/aa\") non \u00E8 un "
              "formato di ora.\nCampo \"Durata\" (Entranti): il formato 99 non \u00E8 nel "
              "catalogo.");
}

TEST_F(TrasferimentoTest, EveryCheckOfASaveStopsItWithItsMessagePageAndFocus) {
    struct Caso {
        std::function<void()> stato;
        QString messaggio;
        int pagina;
        const char* fuoco;
        int riga = -1;  // the current row of the grid that has the focus
        std::deque<RispostaUI> risposte = {};
        bool domandaFinale = false;  // the last answer closes the last message
    };
    const auto uscenti = QStringLiteral("chiamate uscenti");
    const QString conversione =
        QStringLiteral("Inserire il tipo di conversione da effettuare per la ");
    const QString dueCampi = QStringLiteral(
        "Occorre inserire obbilgatoriamente due campi fra \"Ora inizio\",\"Ora fine\" e "
        "\"Durata\"");
    const QString perdita = QStringLiteral(
        "\".\nSalvando i dati si perder\u00E0 tale informazione, si vuole continuare?");
    const QString domandaDurata = QStringLiteral(
        "\u00C8 stata inserita la trasformazione durata non espressa in secondi, ma l'unico "
        "campo di durata \u00E8 \"Durata squillo\", che la conversione non riguarda: la "
        "durata squillo sar\u00E0 letta in secondi.\nSalvando i dati si perder\u00E0 tale "
        "informazione, si vuole continuare?");
    const QString senzaCampi =
        QStringLiteral(
            "\u00C8 stata inserita la trasformazione durata non espressa in secondi "
            "senza mettere dati nei campi \"Durata\" o \"Durata squillo") +
        perdita;
    // The incoming and the outgoing calls with start and end time in place of the duration:
    // the ringing time left cannot carry the conversion
    const auto senzaDurata = [&] {
        for (bool e : {true, false}) {
            ScriviRiga(Campi::RIGA_DURATA, Riga(6), e);
            ScriviRiga(Campi::RIGA_ORA_FINE, {"1", "75", "5", "", "13", ""}, e);
        }
        Opzione(Trasf::DURATA);
    };
    const std::vector<Caso> casi = {
        {[&] { U()->txtData->setText(QStringLiteral("31/02/2024")); },
         QStringLiteral("Inserire correttamente la data"), 0, "txtData"},
        {[&] { mF->Documento().moDriver->moEntranti->mcolCondizioni->Clear(); },
         QStringLiteral("Inserire le condizioni per identificare le chiamate entranti"), 1,
         "grdIdent", Ident::RIGA_ENTRANTI},
        {[&] { mF->Documento().moDriver->moUscenti->mcolCondizioni.reset(); },
         QStringLiteral("Inserire le condizioni per identificare le ") + uscenti, 1, "grdIdent",
         Ident::RIGA_USCENTI},
        // Brand and model: the Generale page, on the empty box.
        {[&] {
             U()->cboMarca->setEditText(QString());
             U()->tabDriver->setCurrentIndex(3);
         },
         QStringLiteral("Inserire la marca del centralino."), 0, "cboMarca"},
        {[&] {
             U()->cboModello->setEditText(QString());
             U()->tabDriver->setCurrentIndex(4);
         },
         QStringLiteral("Inserire il modello del centralino."), 0, "cboModello"},
        {[&] { mF->Documento().mrgxIdent.Cella(Ident::RIGA_ULTIMA_RIGA, 1) = "ottanta"; },
         QStringLiteral("Inserire un numero intero"), 1, "grdIdent", Ident::RIGA_ULTIMA_RIGA},
        {[&] { Opzione(Trasf::DATA_ISOLATA); },
         QStringLiteral("Inserire le condizioni per identificare la data su riga isolata"), 2,
         "grdTrasf", Trasf::DATA_ISOLATA},
        {[&] { Opzione(Trasf::MESI_IN_LETTERE); },
         QStringLiteral("Inserire i codici identificativi dei mesi"), 2, "grdTrasf",
         Trasf::MESI_IN_LETTERE},
        {[&] {
             ScriviRiga(10, {"", "", "", "2", "0", ""});
         },
         QStringLiteral("I campi numero di riga, posizione e lunghezza sono obbligatori: riga 11"
                        "\nCampo \"Campo 1\"."),
         3, "grdEntranti", 10},
        // A line beyond the call's lines names the field and offers the call's number of
        // lines: No stays on the field, Yes goes to the number.
        {[&] { T().Cella(0, Campi::COL_RIGA) = "2"; },
         QStringLiteral("Il numero di \"Riga\" della riga 1 \u00E8 maggiore del numero di righe "
                        "su cui \u00E8 una chiamata entrante\nIl campo \"Data\" \u00E8 sulla "
                        "riga 2; \"N\u00B0 Righe\" di \"Chiamate entranti\" (pagina "
                        "Identificazione) \u00E8 1.\nMostrare la riga nella pagina "
                        "Identificazione?"),
         3,
         "grdEntranti",
         0,
         {RispostaUI::No},
         true},
        {[&] {
             ScriviRiga(6, {"2", "1", "3", "2", "", ""}, false);
         },
         QStringLiteral("Il numero di \"Riga\" della riga 7 \u00E8 maggiore del numero di righe "
                        "su cui \u00E8 una chiamata uscente\nIl campo \"Linea\" \u00E8 sulla "
                        "riga 2; \"N\u00B0 Righe\" di \"Chiamate uscenti\" (pagina "
                        "Identificazione) \u00E8 1.\nMostrare la riga nella pagina "
                        "Identificazione?"),
         1,
         "grdIdent",
         Ident::RIGA_USCENTI,
         {RispostaUI::Si},
         true},
        {[&] { T(false).Cella(0, Campi::COL_FORMATO) = "0"; },
         QStringLiteral("Inserire il formato nella riga 1\nCampo \"Data\"."), 4, "grdUscenti", 0},
        {[&] { T().Cella(Campi::RIGA_DURATA_SQUILLO, 4) = ""; },
         QStringLiteral("Inserire il formato nella riga 10\nCampo \"Durata squillo\"."), 3,
         "grdEntranti", 9},
        // A field starting on the last column of "Data" (1 to 8) overlaps it.
        {[&] {
             ScriviRiga(10, {"1", "8", "3", "2", "", ""});
         },
         QStringLiteral("I campi alle righe 1 e 11 sono sovrapposti\nCampi sovrapposti: \"Data\" "
                        "e \"Campo 1\"."),
         3, "grdEntranti", 0},
        // Line 0 is the first line.
        {[&] {
             ScriviRiga(10, {"0", "60", "5", "", "", ""});
         },
         QStringLiteral("I campi alle righe 4 e 11 sono sovrapposti\nCampi sovrapposti: "
                        "\"Durata\" e \"Campo 1\"."),
         3, "grdEntranti", 3},
        {[&] {
             ScriviRiga(Campi::RIGA_ORA_FINE, {"1", "75", "5", "", "13", ""});
         },
         dueCampi, 3, "grdEntranti"},
        {[&] { ScriviRiga(Campi::RIGA_ORA_INIZIO, Riga(6), false); }, dueCampi, 4, "grdUscenti"},
        {[&] { Opzione(Trasf::DURATA); },
         conversione + QStringLiteral("durata non espressa in secondi"), 2, "grdTrasf",
         Trasf::DURATA},
        // A conversion without a field to convert is asked about: No stops, Yes goes on.
        {senzaDurata, domandaDurata, 0, "txtAutore", -1, {RispostaUI::No}},
        {[&] {
             senzaDurata();
             ScriviRiga(Campi::RIGA_DURATA_SQUILLO, Riga(6));
         },
         senzaCampi,
         0,
         "txtAutore",
         -1,
         {RispostaUI::No}},
        {senzaDurata,
         conversione + QStringLiteral("durata non espressa in secondi"),
         2,
         "grdTrasf",
         Trasf::DURATA,
         {RispostaUI::Si}},
        {[&] { Opzione(Trasf::SCATTI); },
         QStringLiteral("\u00C8 stata inserita la trasformazione presenza del costo scatti senza "
                        "mettere dati nei campi \"Scatti") +
             perdita,
         0,
         "txtAutore",
         -1,
         {RispostaUI::No}},
        {[&] {
             Opzione(Trasf::SCATTI);
             ScriviRiga(4, {"1", "80", "5", "1", "", ""}, false);
             mF->Documento().mlDividereScatti = 0;
         },
         conversione + QStringLiteral("presenza del costo scatti"), 2, "grdTrasf", Trasf::SCATTI},
        // Separated fields: a separator the engine reads, and quotes other than it.
        {[&] {
             U()->chkCampiSeparati->click();
             U()->cboSeparatore->setEditText(QStringLiteral("<XYZ>"));
         },
         QStringLiteral("Indicare il separatore dei campi: un carattere, il suo nome (<TAB>) o "
                        "il suo codice (44)"),
         0, "cboSeparatore"},
        {[&] {
             U()->chkCampiSeparati->click();
             U()->cboVirgolette->setEditText(QStringLiteral(","));
         },
         QStringLiteral("Le virgolette devono essere un carattere diverso dal separatore, il suo "
                        "nome o il suo codice, oppure NESSUNA"),
         0, "cboVirgolette"},
        // An edit left open in a grid that cannot be committed.
        {[&] { ScriviInCella("grdUscenti", 4, 7, 0, QStringLiteral("11")); },
         QStringLiteral("Errore nell'inserimenti dei dati delle ") + uscenti, 4, "txtCellaGriglia"},
        {[&] { ScriviInCella("grdEntranti", 3, 6, 0, QStringLiteral("11")); },
         QStringLiteral("Errore nell'inserimenti dei dati delle chiamata entranti"), 3,
         "txtCellaGriglia"},
    };
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    const std::string prima = Byte(p);
    for (size_t i = 0; i < casi.size(); ++i) {
        const Caso& c = casi[i];
        SCOPED_TRACE(testing::Message() << "case " << i << ": " << c.messaggio.toStdString());
        mF->Documento().SegnaSalvato();
        mF->FileApri(p);
        U()->tabDriver->setCurrentIndex(0);
        U()->txtAutore->setFocus();
        c.stato();
        mUI.Reimposta();
        mUI.mRisposte = c.risposte;
        mF->Documento().Modificato();
        U()->mnuSalva->trigger();
        // Every scripted answer was asked for; Yes goes on to one more message.
        const bool dopoSi =
            !c.domandaFinale && (c.risposte.empty() || c.risposte.back() == RispostaUI::Si);
        ASSERT_EQ(mUI.mMessaggi.size(), c.risposte.size() + dopoSi)
            << Testi().join('|').toStdString();
        EXPECT_EQ(mUI.mMessaggi.back().testo, c.messaggio);
        EXPECT_EQ(mUI.mMessaggi.back().titolo, QStringLiteral("Attenzione"));
        EXPECT_EQ(U()->tabDriver->currentIndex(), c.pagina);
        QWidget* fuoco = QApplication::focusWidget();
        ASSERT_TRUE(fuoco);
        EXPECT_EQ(fuoco->objectName().toStdString(), c.fuoco);
        if (c.riga >= 0) {
            auto* g = qobject_cast<clsGriglia*>(fuoco);
            ASSERT_TRUE(g);
            EXPECT_EQ(g->RigaCorrente(), c.riga);
        }
        EXPECT_TRUE(mF->Documento().NonSalvato());
        EXPECT_EQ(Byte(p), prima);
        EXPECT_FALSE(QFile::exists(p + ".bak"));
        for (clsGriglia* g : mF->findChildren<clsGriglia*>()) g->AnnullaModifica();
    }
}

}  // namespace

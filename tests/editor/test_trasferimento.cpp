// The transfer between the window and the driver: committing the grids, the checks before a
// save with their messages, pages and focus, the fields built from the tables and back, and
// the demo drivers opened, checked and saved through the window.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <nlohmann/json.hpp>

#include "SupportoGui.h"
#include "DriverJson.h"
#include "Messaggi.h"
#include "PaginaCampi.h"
#include "PaginaIdentificazione.h"
#include "PaginaTrasformazioni.h"
#include "TestoQt.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

using namespace tarno;
using namespace tarno::test;
using json = nlohmann::json;

namespace {

const std::string kSi = "S\xEC";
const std::string kNo = "No";
using Riga = std::vector<std::string>;

std::string Demo(const char* nome) { return std::string(TARNO_DEMO_DRIVER_DIR) + "/" + nome; }

// The driver as JSON with its members in a fixed order, for comparisons.
json InJson(const clsDriver& d) { return json::parse(DriverInJson(d).dump()); }

json Carica(const std::string& file) {
    clsDriver d;
    MessaggiRaccolti msg;
    d.LoadDriver(file, msg);
    EXPECT_TRUE(msg.mvTesti.empty()) << file << ": " << msg.mvTesti.front();
    return InJson(d);
}

QByteArray Contenuto(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a save through the window makes of a driver: the fields stand in the order of their
// index; each is built from its grid row alone, so a date marked "DATA" loses the mark and a
// field's conversion is a new transformation on the field as a whole; with the date on a line
// of its own both record types get a date field where the date line's condition says.
json InFormaEditor(json j) {
    const json* dataIsolata = nullptr;
    if (j["mcolDataIsolata"].is_array())
        for (const json& c : j["mcolDataIsolata"])
            if (c["menOperatore"] == clsCondizione::DATA_ISOLATA) {
                dataIsolata = &c;
                break;
            }
    for (const char* chiamata : {"moEntranti", "moUscenti"}) {
        json& campi = j[chiamata]["mcolCampi"];
        for (json& c : campi) {
            if (c["menEccezione"] == clsCampo::DATA) c["menEccezione"] = clsCampo::ECC_NESSUNA;
            if (c["moTrasf"].is_object())
                for (const char* m : {"miInizio", "miLunghezza", "miRiga"}) c["moTrasf"][m] = 0;
        }
        if (dataIsolata) {
            json* data = nullptr;
            for (json& c : campi)
                if (c["key"] == "0") data = &c;
            if (!data) {
                campi.push_back({{"msNome", "dData"},
                                 {"menAllineamento", 0},
                                 {"mbOpzionale", false},
                                 {"menEccezione", 0},
                                 {"moTrasf", nullptr},
                                 {"key", "0"}});
                data = &campi.back();
            }
            for (const char* m : {"miInizio", "miLunghezza", "miRiga", "miFormato"})
                (*data)[m] = (*dataIsolata)[m];
        }
        std::sort(campi.begin(), campi.end(), [](const json& a, const json& b) {
            return std::stoi(a["key"].get<std::string>()) < std::stoi(b["key"].get<std::string>());
        });
    }
    return j;
}

class TrasferimentoTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        mSuite.Demo();
        Avvia();
    }
    void TearDown() override {
        mF.reset();
        ConServiziScriptati::TearDown();
    }

    void Avvia() {
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }

    // Loads a driver and fills the window from it the way the Open command does.
    void Apri(const std::string& file) {
        mF->moDriver = std::make_unique<clsDriver>();
        clsDriver& d = *mF->moDriver;
        MessaggiRaccolti msg;
        ASSERT_EQ(d.LoadDriver(file, msg), 1);
        ASSERT_TRUE(msg.mvTesti.empty()) << msg.mvTesti.front();
        auto* ui = mF->ui();
        ui->txtAutore->setText(DaCp1252(d.msAutore));
        ui->txtData->setText(DaCp1252(d.msData));
        ui->txtVersione->setText(DaCp1252(d.msVersione));
        ui->cboMarca->setEditText(DaCp1252(d.msMarca));
        ui->cboModello->setEditText(DaCp1252(d.msModello));
        ui->txtNote->setPlainText(DaCp1252(d.msNote));
        TabellaValori& ident = mF->mrgxIdent;
        ident.Cella(PaginaIdentificazione::RIGA_OFFSET, 1) = d.mlOffset;
        mF->RiempiGrdChiamate_Trasf(mF->mrgxEntranti, d.moEntranti.get());
        mF->RiempiGrdChiamate_Trasf(mF->mrgxUscenti, d.moUscenti.get());
        TabellaValori& trasf = mF->mrgxTrasf;
        trasf.Cella(PaginaTrasformazioni::PRESCANNING, 1) =
            d.mcolPrescanning && !d.mcolPrescanning->Vuota() ? kSi : kNo;
        trasf.Cella(PaginaTrasformazioni::IGNORA_VUOTE, 1) = d.mbIngnoraRigheVuote ? kSi : kNo;
        const auto trasferite = [](const clsChiamata* c) {
            return c && c->mcolCondTrasferita && !c->mcolCondTrasferita->Vuota() ? kSi : kNo;
        };
        ident.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1) =
            std::to_string(d.moEntranti->miNumRighe);
        ident.Cella(PaginaIdentificazione::RIGA_TRASF_ENTRANTI, 1) = trasferite(d.moEntranti.get());
        ident.Cella(PaginaIdentificazione::RIGA_USCENTI, 1) =
            std::to_string(d.moUscenti->miNumRighe);
        ident.Cella(PaginaIdentificazione::RIGA_TRASF_USCENTI, 1) = trasferite(d.moUscenti.get());
        ident.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1) =
            std::to_string(d.mlTroncaUltimaRigaDopoCaratteri);
        mF->mpPagTrasf->grdTrasf->RiAssocia();
        mF->mpPagIdent->grdIdent->RiAssocia();
        mF->Cambiato(false);
        mUI.Reimposta();
    }
    void ApriPanasonic() { Apri(Demo("PanasonicTDA.drv")); }

    // The checks of a save.
    bool Controlla() { return mF->AggiornaGriglie() && mF->ControllaDatiRiempiOggettoDriver(); }
    // Checks, then writes the driver to a file of the temporary folder.
    bool Salva(const QString& nome) {
        if (!Controlla()) return false;
        MessaggiRaccolti msg;
        mF->moDriver->SaveDriver(mCartella.filePath(nome).toStdString(), msg);
        EXPECT_TRUE(msg.mvTesti.empty()) << msg.mvTesti.front();
        return msg.mvTesti.empty();
    }

    int Pagina() const { return mF->ui()->tabDriver->currentIndex(); }
    QWidget* Fuoco() const { return QApplication::focusWidget(); }
    clsGriglia* Griglia(const char* nome) const {
        return mF->findChild<clsGriglia*>(QString::fromLatin1(nome));
    }
    TabellaValori& T(bool entranti = true) { return entranti ? mF->mrgxEntranti : mF->mrgxUscenti; }
    void ScriviRiga(int r, const Riga& v, bool entranti = true) {
        for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c) T(entranti).Cella(r, c) = v[c];
    }
    Riga RigaDi(int r, bool entranti = true) {
        Riga v;
        for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c) v.push_back(T(entranti).Cella(r, c));
        return v;
    }
    void SvuotaTabella(bool entranti) {
        for (int r = 0; r < T(entranti).Righe(); ++r) ScriviRiga(r, Riga(6), entranti);
    }
    void Opzione(int riga, bool si) { mF->mrgxTrasf.Cella(riga, 1) = si ? kSi : kNo; }
    // The only message shown, with the title and icon of a warning.
    QString UnicoAvviso() {
        EXPECT_EQ(mUI.mMessaggi.size(), 1u) << Testi().join('|').toStdString();
        if (mUI.mMessaggi.empty()) return {};
        const auto& m = mUI.mMessaggi.front();
        EXPECT_EQ(m.titolo, QStringLiteral("Attenzione"));
        EXPECT_EQ(m.icona, IconaUI::Esclamazione);
        EXPECT_EQ(m.pulsanti, PulsantiUI::Ok);
        return m.testo;
    }
    const clsCampo* Campo(bool entranti, int indice) {
        const auto& c = entranti ? mF->moDriver->moEntranti : mF->moDriver->moUscenti;
        return c && c->mcolCampi ? c->mcolCampi->Trova(std::to_string(indice)) : nullptr;
    }

    Suite mSuite;
    QTemporaryDir mCartella;
    std::unique_ptr<frmDriver> mF;
};

// ---- the demo drivers

TEST_F(TrasferimentoTest, DemoDriversPassTheChecksAndKeepTheirContentThroughASave) {
    for (const char* nome : {"PanasonicTDA.drv", "SiemensHiPath.drv"}) {
        SCOPED_TRACE(nome);
        const QString primo = QStringLiteral("1-%1").arg(QString::fromLatin1(nome));
        const QString secondo = QStringLiteral("2-%1").arg(QString::fromLatin1(nome));
        Avvia();
        Apri(Demo(nome));
        ASSERT_TRUE(Salva(primo)) << Testi().join('|').toStdString();
        EXPECT_TRUE(mUI.mMessaggi.empty());
        const json originale = Carica(Demo(nome));
        const json salvato = Carica(mCartella.filePath(primo).toStdString());
        EXPECT_EQ(salvato.dump(1), InFormaEditor(originale).dump(1));

        // What the window wrote reads back into the same window and is written unchanged.
        Avvia();
        Apri(mCartella.filePath(primo).toStdString());
        ASSERT_TRUE(Salva(secondo)) << Testi().join('|').toStdString();
        const QByteArray testo = Contenuto(mCartella.filePath(primo));
        EXPECT_FALSE(testo.isEmpty());
        EXPECT_EQ(Contenuto(mCartella.filePath(secondo)), testo);
    }
}

TEST_F(TrasferimentoTest, OpeningSiemensSetsTheOptionsAndTheConversionSettings) {
    Apri(Demo("SiemensHiPath.drv"));
    for (int r : {PaginaTrasformazioni::DATA_ISOLATA, PaginaTrasformazioni::MESI_IN_LETTERE,
                  PaginaTrasformazioni::DURATA, PaginaTrasformazioni::SCATTI})
        EXPECT_TRUE(mF->mpPagTrasf->Presente(r)) << r;
    EXPECT_EQ(mF->miFrazioneDurata, 8);  // 1/10
    EXPECT_EQ(mF->miUnitaDurata, 0);     // of a second
    EXPECT_EQ(mF->mlConversioneDurata, 10);
    EXPECT_EQ(mF->mlDividereScatti, 10);
    // The date line's condition stands in both Data rows, whose boxes are disabled.
    EXPECT_EQ(RigaDi(0, true), (Riga{"1", "1", "11", "", "7", ""}));
    EXPECT_EQ(RigaDi(0, false), (Riga{"1", "1", "11", "", "7", ""}));
    EXPECT_FALSE(mF->mpPagEntranti->chkCampo(0)->isEnabled());
    EXPECT_FALSE(mF->mpPagUscenti->chkCampo(0)->isEnabled());
    EXPECT_EQ(RigaDi(3), (Riga{"1", "14", "6", "1", "18", "False"}));
    EXPECT_EQ(RigaDi(9), (Riga{"1", "30", "3", "1", "18", "True"}));
    // Scatti has no format column value; the free fields are empty.
    EXPECT_EQ(RigaDi(4, false), (Riga{"1", "34", "5", "1", "", "True"}));
    EXPECT_EQ(RigaDi(9, false), Riga(6));
    // Start time and duration are defined: the end time's box is off on both pages.
    EXPECT_FALSE(mF->mpPagEntranti->chkCampo(2)->isEnabled());
    EXPECT_FALSE(mF->mpPagUscenti->chkCampo(2)->isEnabled());
    EXPECT_TRUE(mF->mpPagUscenti->chkCampo(1)->isEnabled());
}

TEST_F(TrasferimentoTest, ARecordTypeWithoutFieldsEmptiesItsTable) {
    ApriPanasonic();
    EXPECT_EQ(RigaDi(5, false), (Riga{"1", "17", "3", "2", "", "False"}));
    mF->RiempiGrdChiamate_Trasf(mF->mrgxUscenti, nullptr);
    for (int r = 0; r < T(false).Righe(); ++r) EXPECT_EQ(RigaDi(r, false), Riga(6)) << r;
    // Panasonic has no date line and no month names: those options stay off.
    EXPECT_FALSE(mF->mpPagTrasf->Presente(PaginaTrasformazioni::DATA_ISOLATA));
    EXPECT_FALSE(mF->mpPagTrasf->Presente(PaginaTrasformazioni::MESI_IN_LETTERE));
}

// ---- fields from the tables

TEST_F(TrasferimentoTest, FieldsAreBuiltFromTheRowsWithTheirNamesFormatsAndConversions) {
    SvuotaTabella(true);
    SvuotaTabella(false);
    ScriviRiga(3, {"1", "40", "6", "1", "11", "False"}, true);  // Durata
    ScriviRiga(4, {"2", "50", "5", "1", "3", "True"}, true);    // Scatti: no format kept
    ScriviRiga(9, {"1", "60", "3", "", "18", ""}, true);        // Durata squillo
    ScriviRiga(10, {"", "70", "3", "2", "", ""}, true);         // no line: no field
    ScriviRiga(9, {"2", "1", "20", "2", "", "True"}, false);    // Campo 1 of outgoing
    ScriviRiga(8, {"0", "1", "20", "2", "", ""}, false);        // line 0: no field
    Opzione(PaginaTrasformazioni::DURATA, true);
    Opzione(PaginaTrasformazioni::SCATTI, true);
    mF->miFrazioneDurata = 8;
    mF->miUnitaDurata = 0;
    mF->mlConversioneDurata = 10;
    mF->mlDividereScatti = 100;

    clsChiamata entranti, uscenti;
    mF->LeggiGrdChiamate_Trasf(entranti, mF->mrgxEntranti);
    mF->LeggiGrdChiamate_Trasf(uscenti, mF->mrgxUscenti);
    ASSERT_TRUE(entranti.mcolCampi && uscenti.mcolCampi);
    ASSERT_EQ(entranti.mcolCampi->Count(), 3);
    ASSERT_EQ(uscenti.mcolCampi->Count(), 1);

    const clsCampo* durata = entranti.mcolCampi->Trova("3");
    ASSERT_TRUE(durata);
    EXPECT_EQ(durata->msNome, "dDurata");
    EXPECT_EQ(durata->miRiga, 1);
    EXPECT_EQ(durata->miInizio, 40);
    EXPECT_EQ(durata->miLunghezza, 6);
    EXPECT_EQ(durata->menAllineamento, clsCampo::DX);
    EXPECT_EQ(durata->miFormato, 11);
    EXPECT_FALSE(durata->mbOpzionale);
    EXPECT_EQ(durata->menEccezione, clsCampo::DURATA_TRASF);
    ASSERT_TRUE(durata->moTrasf);
    EXPECT_EQ(durata->moTrasf->menTipo, clsTrasformazione::CAMPO);
    EXPECT_EQ(durata->moTrasf->menOperazione, clsTrasformazione::DIVIDI);
    EXPECT_EQ(durata->moTrasf->msSorgente, "8,0");
    EXPECT_EQ(durata->moTrasf->msValore, "10");

    const clsCampo* scatti = entranti.mcolCampi->Trova("4");
    ASSERT_TRUE(scatti);
    EXPECT_EQ(scatti->msNome, "lScatti");
    EXPECT_EQ(scatti->miFormato, 0);
    EXPECT_TRUE(scatti->mbOpzionale);
    EXPECT_EQ(scatti->menEccezione, clsCampo::SCATTI_TRASF);
    ASSERT_TRUE(scatti->moTrasf);
    EXPECT_EQ(scatti->moTrasf->menOperazione, clsTrasformazione::DIVIDI);
    EXPECT_EQ(scatti->moTrasf->msSorgente, "");
    EXPECT_EQ(scatti->moTrasf->msValore, "100");

    // The ringing time keeps its format and carries no conversion: the driver file has none
    // for it.
    const clsCampo* squillo = entranti.mcolCampi->Trova("9");
    ASSERT_TRUE(squillo);
    EXPECT_EQ(squillo->msNome, "dRisposta");
    EXPECT_EQ(squillo->miFormato, 18);
    EXPECT_EQ(squillo->menAllineamento, clsCampo::ALL_NESSUNO);
    EXPECT_EQ(squillo->menEccezione, clsCampo::ECC_NESSUNA);
    EXPECT_FALSE(squillo->moTrasf);

    const clsCampo* campo1 = uscenti.mcolCampi->Trova("9");
    ASSERT_TRUE(campo1);
    EXPECT_EQ(campo1->msNome, "sCampo1");
    EXPECT_EQ(campo1->miRiga, 2);
    EXPECT_EQ(campo1->menAllineamento, clsCampo::SX);
    EXPECT_TRUE(campo1->mbOpzionale);

    // A duration in fractions of a minute is multiplied; without the options the fields have
    // no conversion.
    mF->miFrazioneDurata = 0;
    mF->miUnitaDurata = 1;
    mF->mlConversioneDurata = 30;
    mF->LeggiGrdChiamate_Trasf(entranti, mF->mrgxEntranti);
    ASSERT_TRUE(entranti.mcolCampi->Trova("3")->moTrasf);
    EXPECT_EQ(entranti.mcolCampi->Trova("3")->moTrasf->menOperazione,
              clsTrasformazione::MOLTIPLICA);
    EXPECT_EQ(entranti.mcolCampi->Trova("3")->moTrasf->msSorgente, "0,1");
    EXPECT_EQ(entranti.mcolCampi->Trova("3")->moTrasf->msValore, "30");
    Opzione(PaginaTrasformazioni::DURATA, false);
    Opzione(PaginaTrasformazioni::SCATTI, false);
    mF->LeggiGrdChiamate_Trasf(entranti, mF->mrgxEntranti);
    ASSERT_EQ(entranti.mcolCampi->Count(), 3);
    for (const auto& v : *entranti.mcolCampi) {
        EXPECT_EQ(v.valore.menEccezione, clsCampo::ECC_NESSUNA);
        EXPECT_FALSE(v.valore.moTrasf);
    }
}

// ---- committing the grids

TEST_F(TrasferimentoTest, APendingEditIsCommittedOrStopsTheSaveOnItsPage) {
    ApriPanasonic();
    clsGriglia* uscenti = Griglia("grdUscenti");
    mF->ui()->tabDriver->setCurrentIndex(4);
    QApplication::processEvents();
    const auto modifica = [&](const QString& testo) {
        uscenti->ImpostaCellaCorrente(7, PaginaCampi::COL_RIGA);
        if (!uscenti->InModifica())
            static_cast<QAbstractItemView*>(uscenti)->edit(uscenti->currentIndex());
        auto* editor = uscenti->findChild<QLineEdit*>(QStringLiteral("txtCellaGriglia"));
        ASSERT_TRUE(editor);
        editor->setText(testo);
    };
    modifica(QStringLiteral("11"));  // the line list goes up to 10
    EXPECT_FALSE(mF->AggiornaGriglie());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Errore nell'inserimenti dei dati delle chiamate uscenti"));
    EXPECT_EQ(Pagina(), 4);
    EXPECT_TRUE(uscenti->InModifica());

    mUI.Reimposta();
    modifica(QStringLiteral("2"));
    EXPECT_TRUE(mF->AggiornaGriglie());
    EXPECT_TRUE(mUI.mMessaggi.empty());
    EXPECT_FALSE(uscenti->InModifica());
    EXPECT_EQ(T(false).Cella(7, 0), "2");
}

TEST_F(TrasferimentoTest, EachGridReportsItsOwnCommitError) {
    ApriPanasonic();
    struct Caso {
        const char* griglia;
        int pagina, riga, colonna;
        QString atteso;
    };
    const Caso casi[] = {
        {"grdIdent", 1, 5, 1,
         QStringLiteral("Errore nell'inserimenti dei dati degli identificativi della data")},
        {"grdEntranti", 3, 6, 0,
         QStringLiteral("Errore nell'inserimenti dei dati delle chiamata entranti")},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.griglia);
        clsGriglia* g = Griglia(c.griglia);
        mF->ui()->tabDriver->setCurrentIndex(c.pagina);
        QApplication::processEvents();
        g->ImpostaCellaCorrente(c.riga, c.colonna);
        static_cast<QAbstractItemView*>(g)->edit(g->currentIndex());
        auto* editor = g->findChild<QLineEdit*>(QStringLiteral("txtCellaGriglia"));
        ASSERT_TRUE(editor);
        editor->setText(QStringLiteral("\u4E2D"));  // not a Windows-1252 character
        mUI.Reimposta();
        EXPECT_FALSE(mF->AggiornaGriglie());
        EXPECT_EQ(UnicoAvviso(), c.atteso);
        EXPECT_EQ(Pagina(), c.pagina);
        g->AnnullaModifica();
    }
}

// ---- general page and identification

TEST_F(TrasferimentoTest, TheDateMustBeADayOfTheCalendar) {
    ApriPanasonic();
    auto* data = mF->ui()->txtData;
    for (const QString& sbagliata :
         {QStringLiteral("31/02/2024"), QStringLiteral("2024-03-05"), QStringLiteral("ieri")}) {
        SCOPED_TRACE(sbagliata.toStdString());
        mF->ui()->tabDriver->setCurrentIndex(3);
        data->setText(sbagliata);
        mUI.Reimposta();
        EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
        EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire correttamente la data"));
        EXPECT_EQ(Pagina(), 0);
        EXPECT_EQ(Fuoco(), data);
    }
    for (const QString& buona :
         {QStringLiteral("5/3/2024"), QString(), QStringLiteral("29/02/2024")}) {
        data->setText(buona);
        mUI.Reimposta();
        EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
        EXPECT_EQ(mF->moDriver->msData, buona.toStdString());
    }
}

TEST_F(TrasferimentoTest, GeneralValuesGoIntoTheDriver) {
    ApriPanasonic();
    auto* ui = mF->ui();
    ui->txtAutore->setText(QStringLiteral("Nicol\u00F2"));
    ui->txtVersione->setText(QStringLiteral("2.0"));
    ui->txtNote->setPlainText(QStringLiteral("prova"));
    ui->cboMarca->setEditText(QStringLiteral("Siemens"));
    ui->cboModello->setEditText(QStringLiteral("HiPath 3550"));
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_OFFSET, 1) = "-3";
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1) = "120";
    Opzione(PaginaTrasformazioni::IGNORA_VUOTE, false);
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_USCENTI, 1) = "2";
    ASSERT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
    const clsDriver& d = *mF->moDriver;
    EXPECT_EQ(d.msAutore, "Nicol\xF2");
    EXPECT_EQ(d.msVersione, "2.0");
    EXPECT_EQ(d.msNote, "prova");
    EXPECT_EQ(d.msMarca, "Siemens");
    EXPECT_EQ(d.msModello, "HiPath 3550");
    EXPECT_EQ(d.mlOffset, "-3");
    EXPECT_EQ(d.mlTroncaUltimaRigaDopoCaratteri, 120);
    EXPECT_FALSE(d.mbIngnoraRigheVuote);
    EXPECT_EQ(d.moUscenti->miNumRighe, 2);
    EXPECT_EQ(d.moUscenti->menTipo, clsChiamata::USCENTI);

    // A text the driver file cannot hold never gets into its box, so it never reaches the driver.
    ui->txtAutore->setText(QStringLiteral("\u4E2D"));
    EXPECT_EQ(ui->txtAutore->text(), QStringLiteral("Nicol\u00F2"));
    mUI.Reimposta();
    EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(d.msAutore, "Nicol\xF2");
}

TEST_F(TrasferimentoTest, AWindowWithoutADriverCreatesOne) {
    // Nothing but the identification conditions is missing from a new window.
    mF->moDriver.reset();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    ASSERT_TRUE(mF->moDriver);
    ASSERT_TRUE(mF->moDriver->moEntranti && mF->moDriver->moUscenti);
    EXPECT_EQ(mF->moDriver->moEntranti->menTipo, clsChiamata::ENTRANTI);
    EXPECT_EQ(mF->moDriver->moUscenti->menTipo, clsChiamata::USCENTI);
    // No lines, no conditions; the brand comes first.
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Inserire la marca del centralino.")});
}

TEST_F(TrasferimentoTest, EachCallKindWithLinesNeedsConditions) {
    ApriPanasonic();
    mF->moDriver->moEntranti->mcolCondizioni->Clear();
    mF->moDriver->moUscenti->mcolCondizioni.reset();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Inserire le condizioni per identificare le chiamate entranti"));
    EXPECT_EQ(Pagina(), 1);
    EXPECT_EQ(Fuoco(), Griglia("grdIdent"));
    EXPECT_EQ(Griglia("grdIdent")->RigaCorrente(), 0);

    // No incoming lines: the conditions go, and the fields on line 1 are now too far down.
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1) = "0";
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Inserire le condizioni per identificare le chiamate uscenti"));
    EXPECT_EQ(Griglia("grdIdent")->RigaCorrente(), 1);
    EXPECT_FALSE(mF->moDriver->moEntranti->mcolCondizioni);

    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_USCENTI, 1) = "0";
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Il numero di \"Riga\" della riga 1 \u00E8 maggiore del numero di "
                             "righe su cui \u00E8 una chiamata entrante"));
    EXPECT_EQ(Pagina(), 3);
}

TEST_F(TrasferimentoTest, BrandAndModelStopTheSaveAfterTheLastLineSetting) {
    ApriPanasonic();
    auto* ui = mF->ui();
    ui->tabDriver->setCurrentIndex(2);
    ui->cboMarca->setEditText(QString());
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1) = "77";
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire la marca del centralino."));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(mF->moDriver->mlTroncaUltimaRigaDopoCaratteri, 77);

    ui->cboMarca->setEditText(QStringLiteral("Panasonic"));
    ui->cboModello->setEditText(QString());
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1) = "78";
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire il modello del centralino."));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(mF->moDriver->mlTroncaUltimaRigaDopoCaratteri, 78);

    // With brand and model a text in place of the character count is refused on its row.
    ui->cboModello->setEditText(QStringLiteral("KX-TDA200"));
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1) = "ottanta";
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire un numero intero"));
    EXPECT_EQ(Pagina(), 1);
    EXPECT_EQ(Griglia("grdIdent")->RigaCorrente(), PaginaIdentificazione::RIGA_ULTIMA_RIGA);
    EXPECT_EQ(mF->moDriver->mlTroncaUltimaRigaDopoCaratteri, 78);
}

// ---- date options

TEST_F(TrasferimentoTest, DateOptionsNeedTheirSettings) {
    ApriPanasonic();
    Opzione(PaginaTrasformazioni::DATA_ISOLATA, true);
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Inserire le condizioni per identificare la data su riga isolata"));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(Fuoco(), Griglia("grdTrasf"));
    EXPECT_EQ(Griglia("grdTrasf")->RigaCorrente(), 0);

    mF->moDriver->mcolDataIsolata.emplace();  // present but empty is still missing
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Inserire le condizioni per identificare la data su riga isolata"));

    Opzione(PaginaTrasformazioni::DATA_ISOLATA, false);
    Opzione(PaginaTrasformazioni::MESI_IN_LETTERE, true);
    mF->ui()->tabDriver->setCurrentIndex(0);
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire i codici identificativi dei mesi"));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(Griglia("grdTrasf")->RigaCorrente(), 1);

    mF->moDriver->Mesi(0, "GEN");
    mUI.Reimposta();
    EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
}

// ---- field tables

TEST_F(TrasferimentoTest, FieldRowsNeedLinePositionLengthAndTheirFormat) {
    ApriPanasonic();
    // A row holding only an empty alignment and an empty format is not in use.
    ScriviRiga(10, {"", "", "", "0", "0", ""});
    EXPECT_TRUE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_TRUE(mUI.mMessaggi.empty());

    ScriviRiga(10, {"", "", "", "2", "0", ""});  // left alignment: in use
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("I campi numero di riga, posizione e lunghezza sono obbligatori: "
                             "riga 11"));
    EXPECT_EQ(Pagina(), 3);
    EXPECT_EQ(Fuoco(), Griglia("grdEntranti"));
    EXPECT_EQ(Griglia("grdEntranti")->RigaCorrente(), 10);
    ScriviRiga(10, Riga(6));

    // Dates, times and durations need a format; "0" is the empty entry of the list.
    for (const char* vuoto : {"", "0"}) {
        T(false).Cella(0, PaginaCampi::COL_FORMATO) = vuoto;
        mUI.Reimposta();
        EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
        EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire il formato nella riga 1"));
        EXPECT_EQ(Pagina(), 4);
        EXPECT_EQ(Fuoco(), Griglia("grdUscenti"));
    }
    T(false).Cella(0, PaginaCampi::COL_FORMATO) = "1";
    // Durata squillo needs one on the incoming page.
    T().Cella(9, PaginaCampi::COL_FORMATO) = "";
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire il formato nella riga 10"));
    EXPECT_EQ(Pagina(), 3);
}

TEST_F(TrasferimentoTest, FieldsOnTheSameLineMustNotOverlap) {
    SvuotaTabella(true);
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1) = "2";
    ScriviRiga(1, {"1", "1", "6", "", "10", ""});
    ScriviRiga(3, {"1", "6", "3", "", "11", ""});
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("I campi alle righe 2 e 4 sono sovrapposti"));

    ScriviRiga(1, {"1", "1", "5", "", "10", ""});
    mUI.Reimposta();
    EXPECT_TRUE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    // The same places on different lines do not meet.
    ScriviRiga(3, {"2", "3", "3", "", "11", ""});
    EXPECT_TRUE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    // A later row may hold the field that comes first on the line.
    ScriviRiga(8, {"2", "1", "3", "2", "", ""});
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("I campi alle righe 9 e 4 sono sovrapposti"));
}

TEST_F(TrasferimentoTest, ADateOnALineOfItsOwnIsOutsideTheCallsLines) {
    SvuotaTabella(true);
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1) = "1";
    ScriviRiga(0, {"3", "1", "8", "", "1", ""});
    ScriviRiga(1, {"1", "10", "5", "", "10", ""});
    ScriviRiga(3, {"1", "20", "4", "", "11", ""});
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Il numero di \"Riga\" della riga 1 \u00E8 maggiore del numero di "
                             "righe su cui \u00E8 una chiamata entrante"));
    EXPECT_EQ(Griglia("grdEntranti")->RigaCorrente(), 0);

    Opzione(PaginaTrasformazioni::DATA_ISOLATA, true);
    mUI.Reimposta();
    EXPECT_TRUE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    // Nor does it overlap the fields of line 1.
    ScriviRiga(0, {"1", "10", "8", "", "1", ""});
    EXPECT_TRUE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    Opzione(PaginaTrasformazioni::DATA_ISOLATA, false);
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxEntranti));
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("I campi alle righe 1 e 2 sono sovrapposti"));

    // The outgoing page says "uscente".
    SvuotaTabella(false);
    mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_USCENTI, 1) = "1";
    ScriviRiga(6, {"2", "1", "3", "2", "", ""}, false);
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaGrdChiamate(mF->mrgxUscenti));
    EXPECT_EQ(UnicoAvviso(),
              QStringLiteral("Il numero di \"Riga\" della riga 7 \u00E8 maggiore del numero di "
                             "righe su cui \u00E8 una chiamata uscente"));
    EXPECT_EQ(Pagina(), 4);
}

TEST_F(TrasferimentoTest, TwoOfStartEndAndDurationAreRequired) {
    ApriPanasonic();
    ScriviRiga(2, {"1", "75", "5", "", "10", ""});  // a third one: Ora fine
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    const QString messaggio = QStringLiteral(
        "Occorre inserire obbilgatoriamente due campi fra \"Ora inizio\",\"Ora fine\" e "
        "\"Durata\"");
    EXPECT_EQ(UnicoAvviso(), messaggio);
    EXPECT_EQ(Pagina(), 3);
    EXPECT_EQ(Fuoco(), Griglia("grdEntranti"));

    ScriviRiga(2, Riga(6));
    ScriviRiga(1, Riga(6), false);  // only Durata left on the outgoing page
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), messaggio);
    EXPECT_EQ(Pagina(), 4);
    EXPECT_EQ(Fuoco(), Griglia("grdUscenti"));
}

// ---- duration and pulses

TEST_F(TrasferimentoTest, ADurationNotInSecondsNeedsItsConversion) {
    ApriPanasonic();
    Opzione(PaginaTrasformazioni::DURATA, true);
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire il tipo di conversione da effettuare per la "
                                            "durata non espressa in secondi"));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(Fuoco(), Griglia("grdTrasf"));
    EXPECT_EQ(Griglia("grdTrasf")->RigaCorrente(), 2);

    mF->miFrazioneDurata = 0;  // 1/2
    mF->miUnitaDurata = 1;     // of a minute
    mF->mlConversioneDurata = 30;
    mUI.Reimposta();
    ASSERT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
    for (bool entranti : {true, false}) {
        const clsCampo* durata = Campo(entranti, 3);
        ASSERT_TRUE(durata && durata->moTrasf);
        EXPECT_EQ(durata->menEccezione, clsCampo::DURATA_TRASF);
        EXPECT_EQ(durata->moTrasf->menOperazione, clsTrasformazione::MOLTIPLICA);
        EXPECT_EQ(durata->moTrasf->msSorgente, "0,1");
        EXPECT_EQ(durata->moTrasf->msValore, "30");
    }
    EXPECT_FALSE(Campo(true, 9)->moTrasf);
}

TEST_F(TrasferimentoTest, ADurationConversionWithoutDurationFieldsIsAskedAbout) {
    ApriPanasonic();
    // Start and end time instead of the duration on both pages, and no ringing time.
    for (bool entranti : {true, false}) {
        ScriviRiga(3, Riga(6), entranti);
        ScriviRiga(2, {"1", "75", "5", "", "10", ""}, entranti);
    }
    ScriviRiga(9, Riga(6));
    Opzione(PaginaTrasformazioni::DURATA, true);
    const QString domanda = QStringLiteral(
        "\u00C8 stata inserita la trasformazione durata non espressa in secondi senza mettere "
        "dati nei campi \"Durata\" o \"Durata squillo\".\nSalvando i dati si perder\u00E0 tale "
        "informazione, si vuole continuare?");

    mUI.mRisposte = {RispostaUI::No};
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, domanda);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);

    // Yes goes on, to the conversion that is still missing.
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    ASSERT_EQ(mUI.mMessaggi.size(), 2u);
    EXPECT_EQ(mUI.mMessaggi[1].testo,
              QStringLiteral("Inserire il tipo di conversione da effettuare per la durata non "
                             "espressa in secondi"));

    mF->miFrazioneDurata = 8;
    mF->miUnitaDurata = 0;
    mF->mlConversioneDurata = 10;
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
    EXPECT_EQ(mUI.mMessaggi.size(), 1u);

    // A ringing time counts as a duration field: no question.
    ScriviRiga(9, {"1", "50", "4", "", "17", ""});
    mUI.Reimposta();
    EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(TrasferimentoTest, ACostInsteadOfPulsesIsAskedAboutAndNeedsADivisor) {
    ApriPanasonic();
    Opzione(PaginaTrasformazioni::SCATTI, true);
    const QString domanda = QStringLiteral(
        "\u00C8 stata inserita la trasformazione presenza del costo scatti senza mettere dati "
        "nei campi \"Scatti\".\nSalvando i dati si perder\u00E0 tale informazione, si vuole "
        "continuare?");
    mUI.mRisposte = {RispostaUI::No};
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, domanda);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);

    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_TRUE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(mUI.mMessaggi.size(), 1u);

    // With a pulse field: no question, but a divisor.
    ScriviRiga(4, {"1", "80", "5", "1", "", ""}, false);
    mF->mlDividereScatti = 0;
    mUI.Reimposta();
    EXPECT_FALSE(mF->ControllaDatiRiempiOggettoDriver());
    EXPECT_EQ(UnicoAvviso(), QStringLiteral("Inserire il tipo di conversione da effettuare per la "
                                            "presenza del costo scatti"));
    EXPECT_EQ(Pagina(), 2);
    EXPECT_EQ(Griglia("grdTrasf")->RigaCorrente(), 3);

    mF->mlDividereScatti = 100;
    mUI.Reimposta();
    ASSERT_TRUE(mF->ControllaDatiRiempiOggettoDriver()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mUI.mMessaggi.empty());
    const clsCampo* scatti = Campo(false, 4);
    ASSERT_TRUE(scatti && scatti->moTrasf);
    EXPECT_EQ(scatti->menEccezione, clsCampo::SCATTI_TRASF);
    EXPECT_EQ(scatti->moTrasf->msValore, "100");
}

}  // namespace

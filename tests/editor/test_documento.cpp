// The document commands on a window started on the demo suite: New, Open (also of legacy
// drivers, through the conversion dialog), Save and Save As with the ".bak" copy and the
// catalogue row, the save prompt of Exit and the close box, and the recent-file lists in the
// per-user settings.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "SupportoGui.h"
#include "DriverJson.h"
#include "Messaggi.h"
#include "PaginaCampi.h"
#include "PaginaIdentificazione.h"
#include "PaginaTrasformazioni.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "frmOldDriver.h"
#include "modOldDriver.h"
#include "ui_frmDriver.h"
#include "ui_frmOldDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

const QString kDomanda =
    QStringLiteral("Sono state effettuate delle modifiche, si desidera salvarle?");

QString CartellaDemo() { return QFileInfo(QStringLiteral(TARNO_CATALOGO_SQL)).absolutePath(); }

QByteArray Leggi(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<assente>");
    return f.readAll();
}

// Turns the immutable attribute of a file or folder on or off (needs the right to do so).
bool Immutabile(const QString& percorso, bool attiva) {
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = attiva ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// True when a new file can be made in the folder.
bool CartellaScrivibile(const QString& cartella) {
    QFile prova(QDir(cartella).filePath(QStringLiteral("prova.tmp")));
    if (!prova.open(QIODevice::WriteOnly)) return false;
    prova.close();
    prova.remove();
    return true;
}

class DocumentoTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        // The recent lists of each test live in a folder of their own.
        ImpostazioniIn(mImpostazioni);
        glProgrammaTrasf = 0;
        mSuite.Demo();
        for (const QString& nome :
             {QStringLiteral("PanasonicTDA.drv"), QStringLiteral("SiemensHiPath.drv"),
              QStringLiteral("legacy/onix64.drv")})
            ASSERT_TRUE(QFile::copy(QDir(CartellaDemo()).filePath("Driver/" + nome),
                                    Driver(QFileInfo(nome).fileName())));
        Avvia();
    }
    void TearDown() override {
        for (const QString& p : mImmutabili) Immutabile(p, false);
        mF.reset();
        glProgrammaTrasf = 0;
        ConServiziScriptati::TearDown();
    }

    void Avvia() {
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }

    QString Driver(const QString& nome) const {
        return mSuite.Percorso(QStringLiteral("lavoro/Driver/") + nome);
    }
    Ui::frmDriver* U() const { return mF->ui(); }
    static QString Recente(const QString& chiave) { return frmDriver::LeggiRecente(chiave); }
    static void ScriviRecente(const QString& chiave, const QString& valore) {
        QSettings s(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver"));
        s.setValue(QStringLiteral("FileList/") + chiave, valore);
    }
    QStringList Elenco(const QString& prefisso) const {
        QStringList r;
        for (int n = 1; n <= 4; ++n) r << Recente(prefisso + QStringLiteral("File%1").arg(n));
        return r;
    }
    QAction* Strumento(const QString& nome) const { return mF->findChild<QAction*>(nome); }
    // A change the user makes on the general page.
    void Modifica() { QTest::keyClicks(U()->txtAutore, QStringLiteral("x")); }

    // Runs fn while the conversion dialog is open; fnAgisci acts on it (it must close it).
    bool ConDialogoConversione(const std::function<void(frmOldDriver&)>& fnAgisci,
                               const std::function<void()>& fn) {
        bool fatto = false;
        QTimer attesa;
        attesa.setInterval(10);
        QObject::connect(&attesa, &QTimer::timeout, [&] {
            auto* d = qobject_cast<frmOldDriver*>(QApplication::activeModalWidget());
            if (!d || fatto) return;
            attesa.stop();
            fatto = true;
            mTitoloDialogo = d->windowTitle();
            fnAgisci(*d);
        });
        attesa.start();
        fn();
        return fatto;
    }

    // The sample file of a demo driver in the sample view.
    void CaricaCampione(const QString& nome) {
        QFile f(QDir(CartellaDemo()).filePath(QStringLiteral("Dati/") + nome));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        U()->rtfTesto->setPlainText(QString::fromLatin1(f.readAll()));
    }
    // Marks a field by selecting its characters in the sample view and clicking its box.
    void Marca(bool entranti, int r, int inizio, int lunghezza) {
        U()->tabDriver->setCurrentIndex(entranti ? 3 : 4);
        QApplication::processEvents();
        QTextCursor c = U()->rtfTesto->textCursor();
        c.setPosition(inizio);
        c.setPosition(inizio + lunghezza, QTextCursor::KeepAnchor);
        U()->rtfTesto->setTextCursor(c);
        QCheckBox* chk = (entranti ? mF->mpPagEntranti : mF->mpPagUscenti)->chkCampo(r);
        ASSERT_NE(chk, nullptr);
        QTest::mouseClick(chk, Qt::LeftButton, Qt::NoModifier, QPoint(12, chk->height() / 2));
    }
    // The character offset of a text in the sample view.
    int Posizione(const QString& testo) const {
        return U()->rtfTesto->toPlainText().indexOf(testo);
    }

    // The driver a user builds from nothing: brand and model, one line per call with a
    // condition (as the conditions editor leaves it), and date, start time and duration marked
    // on the sample text with their formats.
    void PreparaNuovoDriver() {
        mF->FileNuovo();
        U()->rtfTesto->setPlainText(QStringLiteral("01/02/24 10:15 00:02:30 E\n"));
        U()->cboMarca->setEditText(QStringLiteral("Nuova"));
        U()->cboModello->setEditText(QStringLiteral("N1"));
        mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1) = "1";
        mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_USCENTI, 1) = "1";
        mF->mpPagIdent->grdIdent->RiAssocia();
        if (!mF->moDriver) mF->moDriver = std::make_unique<clsDriver>();
        for (bool entranti : {true, false}) {
            auto& c = entranti ? mF->moDriver->moEntranti : mF->moDriver->moUscenti;
            c = std::make_unique<clsChiamata>();
            c->menTipo = entranti ? clsChiamata::ENTRANTI : clsChiamata::USCENTI;
            c->mcolCondizioni.emplace();
            clsCondizione cond;
            cond.menOperatore = entranti ? clsCondizione::UGUALE_A : clsCondizione::DIVERSO_DA;
            cond.miRiga = 1;
            cond.miInizio = 25;
            cond.miLunghezza = 1;
            cond.msValore = "E";
            c->mcolCondizioni->Add(cond);
            Marca(entranti, PaginaCampi::RIGA_DATA, 0, 8);
            Marca(entranti, PaginaCampi::RIGA_ORA_INIZIO, 9, 5);
            Marca(entranti, PaginaCampi::RIGA_DURATA, 15, 8);
            TabellaValori& t = entranti ? mF->mrgxEntranti : mF->mrgxUscenti;
            t.Cella(PaginaCampi::RIGA_DATA, PaginaCampi::COL_FORMATO) = "1";
            t.Cella(PaginaCampi::RIGA_ORA_INIZIO, PaginaCampi::COL_FORMATO) = "10";
            t.Cella(PaginaCampi::RIGA_DURATA, PaginaCampi::COL_FORMATO) = "11";
        }
        mF->Cambiato(true);
        mUI.Reimposta();
    }

    // The driver file read back as JSON.
    static nlohmann::ordered_json Json(const QString& percorso) {
        clsDriver d;
        MessaggiRaccolti msg;
        d.LoadDriver(QFile::encodeName(percorso).toStdString(), msg);
        EXPECT_TRUE(msg.mvTesti.empty()) << msg.mvTesti.front();
        auto j = DriverInJson(d);
        j.erase("msFileName");
        return j;
    }

    // The differences between two driver files, as a JSON patch (empty when there are none).
    // The window writes the fields of a call in the order of its grid rows, and its grids have
    // no place for the mark "DATA" of a date field: neither counts here.
    static std::string Differenze(const QString& a, const QString& b) {
        const auto normale = [](nlohmann::ordered_json j) {
            for (const char* chiamata : {"moEntranti", "moUscenti"}) {
                auto& campi = j[chiamata]["mcolCampi"];
                if (!campi.is_array()) continue;
                std::sort(campi.begin(), campi.end(), [](const auto& x, const auto& y) {
                    return std::stoi(x["key"].template get<std::string>()) <
                           std::stoi(y["key"].template get<std::string>());
                });
                for (auto& c : campi)
                    if (c["menEccezione"] == clsCampo::DATA) c["menEccezione"] = 0;
            }
            return j;
        };
        const auto d = nlohmann::ordered_json::diff(normale(Json(a)), normale(Json(b)));
        return d.empty() ? std::string() : d.dump();
    }

    // The catalogue's driver name for a brand and model ("" when there is no row).
    QString NomeCatalogo(const QString& marca, const QString& modello) {
        QString nome;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("documento-test"));
            db.setDatabaseName(mSuite.Percorso(QStringLiteral("catalogo.db")));
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT sNomeDriver FROM Pabx WHERE sMarca=? AND sModello=?"));
            q.addBindValue(marca);
            q.addBindValue(modello);
            EXPECT_TRUE(q.exec());
            if (q.next()) nome = q.value(0).toString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("documento-test"));
        return nome;
    }

    QTemporaryDir mImpostazioni;
    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
    QString mTitoloDialogo;
    QStringList mImmutabili;
};

// ---- recent files

TEST_F(DocumentoTest, RecentListKeepsFourPathsMostRecentFirstWithoutCaseDuplicates) {
    const QString sub = QStringLiteral("mnupopDriverRecenti");
    for (const char* p : {"/d/a.drv", "/d/b.drv", "/d/c.drv", "/d/d.drv", "/d/e.drv"})
        mF->AggiungiRecente(sub, QString::fromLatin1(p));
    EXPECT_EQ(Elenco("f"), (QStringList{"/d/e.drv", "/d/d.drv", "/d/c.drv", "/d/b.drv"}));
    // Found at 3 with another letter case: it moves to the head spelled as passed.
    mF->AggiungiRecente(sub, QStringLiteral("/D/C.DRV"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/D/C.DRV", "/d/e.drv", "/d/d.drv", "/d/b.drv"}));
    // Found at 1: only the spelling changes.
    mF->AggiungiRecente(sub, QStringLiteral("/d/c.drv"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/d/c.drv", "/d/e.drv", "/d/d.drv", "/d/b.drv"}));
    // Found at 2 and at 4.
    mF->AggiungiRecente(sub, QStringLiteral("/d/E.drv"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/d/E.drv", "/d/c.drv", "/d/d.drv", "/d/b.drv"}));
    mF->AggiungiRecente(sub, QStringLiteral("/d/b.drv"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/d/b.drv", "/d/E.drv", "/d/c.drv", "/d/d.drv"}));
    // The data list is a list of its own.
    EXPECT_EQ(Elenco("s"), (QStringList{"", "", "", ""}));
    mF->AggiungiRecente(QStringLiteral("mnupopDatiRecenti"), QStringLiteral("/d/x.txt"));
    EXPECT_EQ(Elenco("s"), (QStringList{"/d/x.txt", "", "", ""}));
    EXPECT_EQ(Elenco("f")[0], QStringLiteral("/d/b.drv"));
    // Where the settings keep them.
    QSettings s(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver"));
    EXPECT_EQ(s.value(QStringLiteral("FileList/fFile2")).toString(), QStringLiteral("/d/E.drv"));
    EXPECT_EQ(s.value(QStringLiteral("FileList/sFile1")).toString(), QStringLiteral("/d/x.txt"));
    EXPECT_EQ(Recente(QStringLiteral("fFile9")), QString());
}

TEST_F(DocumentoTest, APathFoundAtThreeInAnotherCaseMovesToTheHead) {
    ScriviRecente(QStringLiteral("fFile1"), QStringLiteral("/uno.drv"));
    ScriviRecente(QStringLiteral("fFile2"), QStringLiteral("/due.drv"));
    ScriviRecente(QStringLiteral("fFile3"), QStringLiteral("/X/a.DRV"));
    ScriviRecente(QStringLiteral("fFile4"), QStringLiteral("/quattro.drv"));
    mF->AggiungiRecente(QStringLiteral("mnupopDriverRecenti"), QStringLiteral("/x/A.drv"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/x/A.drv", "/uno.drv", "/due.drv", "/quattro.drv"}));
}

TEST_F(DocumentoTest, RecentToolsShowTheirPathsWithASingleAmpersand) {
    EXPECT_EQ(frmDriver::RaddoppiaAmpersand(QStringLiteral("a&b&&c")), QStringLiteral("a&&b&&&&c"));
    ScriviRecente(QStringLiteral("fFile1"), QStringLiteral("/R&D/x.drv"));
    ScriviRecente(QStringLiteral("fFile3"), QStringLiteral("/y.drv"));
    ScriviRecente(QStringLiteral("sFile2"), QStringLiteral("/dati.txt"));
    // Start-up fills both submenus.
    Avvia();
    EXPECT_EQ(Strumento("mnuRecenti1f")->text(), QStringLiteral("&1 /R&&D/x.drv"));
    EXPECT_TRUE(Strumento("mnuRecenti1f")->isVisible());
    EXPECT_FALSE(Strumento("mnuRecenti2f")->isVisible());
    EXPECT_EQ(Strumento("mnuRecenti2f")->text(), QStringLiteral("&2 File"));
    EXPECT_EQ(Strumento("mnuRecenti3f")->text(), QStringLiteral("&3 /y.drv"));
    EXPECT_TRUE(Strumento("mnuRecenti3f")->isVisible());
    EXPECT_FALSE(Strumento("mnuRecenti4f")->isVisible());
    EXPECT_FALSE(Strumento("mnuRecenti1s")->isVisible());
    EXPECT_EQ(Strumento("mnuRecenti2s")->text(), QStringLiteral("&2 /dati.txt"));
    EXPECT_TRUE(Strumento("mnuRecenti2s")->isVisible());
    // The menu shows one "&" and takes the number as the access key.
    EXPECT_EQ(QKeySequence::mnemonic(Strumento("mnuRecenti1f")->text()),
              QKeySequence(Qt::ALT | Qt::Key_1));
}

TEST_F(DocumentoTest, RecentToolsOpenTheirDriverOrLoadTheirData) {
    ScriviRecente(QStringLiteral("fFile2"), Driver(QStringLiteral("SiemensHiPath.drv")));
    ScriviRecente(QStringLiteral("sFile1"), QStringLiteral("/dati/a.txt"));
    mF->CaricaRecenti(QStringLiteral("mnupopDriverRecenti"));
    mF->CaricaRecenti(QStringLiteral("mnupopDatiRecenti"));
    Strumento("mnuRecenti2f")->trigger();
    EXPECT_EQ(mF->msDriverFileName, Driver(QStringLiteral("SiemensHiPath.drv")));
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), Driver(QStringLiteral("SiemensHiPath.drv")));
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());

    // A sample that is no longer there: the read fails with its message.
    Strumento("mnuRecenti1s")->trigger();
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Errore durante la lettura del file")});
}

// ---- open

TEST_F(DocumentoTest, OpenShowsTheDriverAndRecordsItAsRecent) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(p);
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + p);
    EXPECT_EQ(mF->msDriverFileName, p);
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demo"));
    EXPECT_EQ(U()->txtData->text(), QStringLiteral("15/03/2024"));
    EXPECT_EQ(U()->txtVersione->text(), QStringLiteral("1.0"));
    EXPECT_EQ(U()->cboMarca->currentText(), QStringLiteral("Panasonic"));
    EXPECT_EQ(U()->cboModello->currentText(), QStringLiteral("KX-TDA200"));
    EXPECT_EQ(U()->cboModello->count(), 2);  // the brand's models were listed first
    EXPECT_TRUE(U()->txtNote->toPlainText().startsWith(QStringLiteral("Stampa SMDR")));
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ENTRANTI, 1), "1");
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_USCENTI, 1), "1");
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_TRASF_ENTRANTI, 1), "No");
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_OFFSET, 1), "0");
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_ULTIMA_RIGA, 1), "0");
    EXPECT_EQ(mF->mrgxTrasf.Cella(PaginaTrasformazioni::IGNORA_VUOTE, 1), "S\xEC");
    EXPECT_EQ(mF->mrgxTrasf.Cella(PaginaTrasformazioni::PRESCANNING, 1), "No");
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_FALSE(U()->mnuSalva->isEnabled());
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), p);
    EXPECT_EQ(Strumento("mnuRecenti1f")->text(), QStringLiteral("&1 ") + p);
    EXPECT_TRUE(Strumento("mnuRecenti1f")->isVisible());
    EXPECT_EQ(mUI.miCursore, 0);
    EXPECT_GE(mUI.miMaxCursore, 1);
}

TEST_F(DocumentoTest, OpenThroughTheDialogStartsInTheDriverFolderAndThenWhereTheUserWas) {
    const QString altra = mSuite.Percorso(QStringLiteral("altrove"));
    ASSERT_TRUE(QDir().mkpath(altra));
    ASSERT_TRUE(QFile::copy(Driver(QStringLiteral("SiemensHiPath.drv")), altra + "/s.drv"));
    mUI.mNomiFile = {altra + "/s.drv"};
    U()->mnuApri->trigger();
    ASSERT_EQ(mUI.mDialoghiFile.size(), 1);
    EXPECT_EQ(mUI.mCartelle[0], mSuite.Percorso(QStringLiteral("lavoro/Driver")));
    EXPECT_EQ(mUI.mFiltri[0], QStringLiteral("Driver (*.drv);;Tutti file (*)"));
    EXPECT_EQ(mF->msDriverFileName, altra + "/s.drv");
    // Cancelled: nothing changes.
    U()->mnuApri->trigger();
    ASSERT_EQ(mUI.mDialoghiFile.size(), 2);
    EXPECT_EQ(mUI.mCartelle[1], altra);
    EXPECT_EQ(mF->msDriverFileName, altra + "/s.drv");
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + altra + "/s.drv");
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(DocumentoTest, OpenAsksAboutUnsavedChangesFirst) {
    Modifica();
    const QString titolo = mF->windowTitle();
    mUI.mRisposte = {RispostaUI::Annulla};
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, kDomanda);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNoAnnulla);
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QString());
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_EQ(mF->windowTitle(), titolo);
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("x"));

    mUI.mRisposte = {RispostaUI::No};
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demo"));
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());
}

TEST_F(DocumentoTest, AFileThatCannotBeReadIsNotOpened) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mUI.Reimposta();
    const QString manca = Driver(QStringLiteral("manca.drv"));
    mF->FileApri(manca);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Impossibile aprire il Driver ") + manca});
    EXPECT_EQ(mF->msDriverFileName, Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demo"));
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(DocumentoTest, ALoadWithSyntaxErrorsSaysSoAndShowsWhatItRead) {
    const QString p = Driver(QStringLiteral("rotto.drv"));
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Centralino]\r\nAutore=Rossi\r\nMarca=Siemens\r\n\r\n"
        "[Trasformazioni]\r\nAzione_0=NIENTE\r\n");
    f.close();
    mF->FileApri(p);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Errore nella sintassi della trasformazione 0")});
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Rossi"));
    EXPECT_EQ(U()->cboMarca->currentText(), QStringLiteral("Siemens"));
    EXPECT_EQ(mF->msDriverFileName, p);
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(mUI.miCursore, 0);
}

// ---- new

TEST_F(DocumentoTest, NewKeepsTheSampleAndTheRecentListsAndEmptiesTheRest) {
    U()->rtfTesto->setPlainText(QStringLiteral("CAMPIONE\n"));
    mF->msFileDati = QStringLiteral("/dati/campione.txt");
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    U()->tabDriver->setCurrentIndex(3);
    mF->miFrazioneDurata = 2;
    mF->mlDividereScatti = 7;
    mF->FileNuovo();
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver"));
    EXPECT_TRUE(mF->msDriverFileName.isEmpty());
    EXPECT_EQ(U()->rtfTesto->toPlainText(), QStringLiteral("CAMPIONE\n"));
    EXPECT_EQ(mF->msFileDati, QStringLiteral("/dati/campione.txt"));
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(U()->txtAutore->text(), QString());
    EXPECT_EQ(U()->txtData->text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(U()->txtVersione->text(), QStringLiteral("1.0"));
    EXPECT_EQ(U()->txtNote->toPlainText(), QString());
    EXPECT_EQ(U()->cboMarca->currentText(), QString());
    EXPECT_EQ(U()->cboModello->currentText(), QString());
    EXPECT_EQ(U()->tabDriver->currentIndex(), 0);
    const std::vector<std::string> ident = {"0", "0", "No", "No", "0", "0"};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(mF->mrgxIdent.Cella(r, 1), ident[static_cast<size_t>(r)]) << r;
        EXPECT_EQ(mF->mrgxTrasf.Cella(r, 1), "No") << r;
    }
    for (const TabellaValori* t : {&mF->mrgxEntranti, &mF->mrgxUscenti})
        for (int r = 0; r < t->Righe(); ++r)
            for (int c = 0; c < t->Colonne(); ++c) EXPECT_EQ(t->Cella(r, c), "") << r << c;
    for (PaginaCampi* p : {mF->mpPagEntranti, mF->mpPagUscenti})
        for (int i = 0; i <= 3; ++i) EXPECT_TRUE(p->chkCampo(i)->isEnabled()) << i;
    ASSERT_TRUE(mF->moDriver);  // emptied, not released
    EXPECT_EQ(mF->moDriver->msAutore, "");
    EXPECT_FALSE(mF->moDriver->moEntranti);
    EXPECT_EQ(mF->miFrazioneDurata, -1);
    EXPECT_EQ(mF->mlDividereScatti, 1);
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_FALSE(U()->mnuSalva->isEnabled());
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(DocumentoTest, NewAsksAboutUnsavedChangesAndCancelKeepsThem) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    Modifica();
    mUI.mRisposte = {RispostaUI::Annulla};
    U()->mnuNuovo->trigger();
    EXPECT_EQ(Testi(), QStringList{kDomanda});
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demox"));
    EXPECT_TRUE(mF->mbChanged);
    mUI.mRisposte = {RispostaUI::No};
    U()->mnuNuovo->trigger();
    EXPECT_EQ(U()->txtAutore->text(), QString());
    EXPECT_FALSE(mF->mbChanged);
}

// ---- save

TEST_F(DocumentoTest, SaveWithNothingChangedWritesNothing) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(p);
    const QByteArray prima = Leggi(p);
    EXPECT_FALSE(mF->FileSalva(false));
    U()->mnuSalva->trigger();  // disabled: nothing happens
    EXPECT_EQ(Leggi(p), prima);
    EXPECT_FALSE(QFile::exists(p + ".bak"));
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(DocumentoTest, SaveAsWithNothingChangedAsksForANameAndWrites) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    const QString nuovo = Driver(QStringLiteral("copia.drv"));
    mUI.mNomiFile = {nuovo};
    U()->mnuSalvaCome->trigger();
    ASSERT_EQ(mUI.mDialoghiFile.size(), 1);
    // The dialog proposes the file's own name in the folder the user was last in.
    EXPECT_EQ(mUI.mCartelle[0], Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(mUI.mFiltri[0], QStringLiteral("Driver (*.drv)"));
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    ASSERT_TRUE(QFile::exists(nuovo));
    EXPECT_EQ(Differenze(nuovo, Driver(QStringLiteral("PanasonicTDA.drv"))), "");
    EXPECT_EQ(mF->msDriverFileName, nuovo);
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + nuovo);
    EXPECT_EQ(Elenco("f")[0], nuovo);
    EXPECT_EQ(Elenco("f")[1], Driver(QStringLiteral("PanasonicTDA.drv")));
    // The catalogue row of the brand and model points to the new file.
    EXPECT_EQ(NomeCatalogo(QStringLiteral("Panasonic"), QStringLiteral("KX-TDA200")),
              QStringLiteral("copia.drv"));
    EXPECT_EQ(U()->cboMarca->currentText(), QStringLiteral("Panasonic"));
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(DocumentoTest, SaveAsAppendsDrvUnlessTheNameEndsInDrvOrAFullStop) {
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    const std::pair<const char*, const char*> casi[] = {
        {"punto.", "punto."},         {"testo.txt", "testo.txt.drv"}, {"misto.Drv", "misto.Drv"},
        {"grande.DRV", "grande.DRV"}, {"nudo", "nudo.drv"},
    };
    for (const auto& [dato, atteso] : casi) {
        mUI.mNomiFile = {Driver(QString::fromLatin1(dato))};
        EXPECT_TRUE(mF->FileSalva(true)) << dato;
        EXPECT_TRUE(QFile::exists(Driver(QString::fromLatin1(atteso)))) << dato;
        EXPECT_EQ(mF->msDriverFileName, Driver(QString::fromLatin1(atteso)));
    }
    EXPECT_FALSE(QFile::exists(Driver(QStringLiteral("punto.drv"))));
    EXPECT_FALSE(QFile::exists(Driver(QStringLiteral("testo.txt"))));
}

TEST_F(DocumentoTest, ANewDriverIsSavedUnderTheNameGiven) {
    PreparaNuovoDriver();
    const std::pair<const char*, const char*> casi[] = {
        {"nuovo.", "nuovo."},
        {"nuovo.txt", "nuovo.txt.drv"},
        {"nuovo.Drv", "nuovo.Drv"},
    };
    for (const auto& [dato, atteso] : casi) {
        mUI.mNomiFile = {Driver(QString::fromLatin1(dato))};
        mF->Cambiato(true);
        U()->mnuSalva->trigger();  // no name yet: Save asks for one
        EXPECT_EQ(mUI.mMessaggi.size(), 0u) << Testi().join('|').toStdString();
        ASSERT_TRUE(QFile::exists(Driver(QString::fromLatin1(atteso)))) << dato;
        EXPECT_EQ(mF->windowTitle(),
                  QStringLiteral("Tarno Driver - ") + Driver(QString::fromLatin1(atteso)));
        EXPECT_FALSE(mF->mbChanged);
        EXPECT_EQ(Json(Driver(QString::fromLatin1(atteso)))["msMarca"], "Nuova");
        mF->msDriverFileName.clear();  // the next round saves it as new again
    }
    // The new brand is in the catalogue and in the brand list once.
    EXPECT_EQ(NomeCatalogo(QStringLiteral("Nuova"), QStringLiteral("N1")),
              QStringLiteral("nuovo.Drv"));
    int volte = 0;
    for (int i = 0; i < U()->cboMarca->count(); ++i)
        if (U()->cboMarca->itemText(i) == QStringLiteral("Nuova")) ++volte;
    EXPECT_EQ(volte, 1);
}

TEST_F(DocumentoTest, AChangeMarkedOnTheSampleIsSavedAndTheBakHoldsThePreviousVersion) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    const QByteArray originale = Leggi(p);
    mF->FileApri(p);
    CaricaCampione(QStringLiteral("PanasonicTDA.txt"));
    // The job code of the outgoing calls is 7 characters long, not 10.
    const int inizio = Posizione(QStringLiteral("COMM001"));
    ASSERT_GT(inizio, 0);
    Marca(false, 7, inizio, 7);
    EXPECT_EQ(mF->mrgxUscenti.Cella(7, PaginaCampi::COL_POSIZ), "64");
    EXPECT_EQ(mF->mrgxUscenti.Cella(7, PaginaCampi::COL_LUNG), "7");
    ASSERT_TRUE(mF->mbChanged);
    U()->mnuSalva->trigger();
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(Leggi(p + ".bak"), originale);
    EXPECT_TRUE(
        Leggi(p).contains("\"sCommessa\"\xB7"
                          "64,7,1"));

    mF->FileNuovo();
    EXPECT_EQ(mF->mrgxUscenti.Cella(7, PaginaCampi::COL_LUNG), "");
    mF->FileApri(p);
    EXPECT_EQ(mF->mrgxUscenti.Cella(7, PaginaCampi::COL_POSIZ), "64");
    EXPECT_EQ(mF->mrgxUscenti.Cella(7, PaginaCampi::COL_LUNG), "7");
    EXPECT_EQ(mF->mrgxEntranti.Cella(5, PaginaCampi::COL_POSIZ), "17");  // the rest as it was
    // A second save keeps the first saved version in the ".bak".
    const QByteArray primo = Leggi(p);
    Modifica();
    EXPECT_TRUE(mF->FileSalva(false));
    EXPECT_EQ(Leggi(p + ".bak"), primo);
}

TEST_F(DocumentoTest, ASaveThatCannotWriteKeepsTheChangesAndTheWindowOpen) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(p);
    Modifica();
    // A folder that does not exist.
    const QString manca = mSuite.Percorso(QStringLiteral("manca/x.drv"));
    mUI.mNomiFile = {manca};
    EXPECT_FALSE(mF->FileSalva(true));
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Impossibile salvare il Driver ") + manca});
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(U()->mnuSalva->isEnabled());
    EXPECT_EQ(mF->msDriverFileName, p);
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + p);
    EXPECT_EQ(mF->moDriver->msFileName, QFile::encodeName(p).toStdString());
    EXPECT_EQ(Elenco("f")[0], p);
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(DocumentoTest, ASaveIntoAFolderThatCannotBeChangedKeepsTheWindowDirty) {
    const QString cartella = mSuite.Percorso(QStringLiteral("sola"));
    ASSERT_TRUE(QDir().mkpath(cartella));
    const QString p = cartella + "/d.drv";
    ASSERT_TRUE(QFile::copy(Driver(QStringLiteral("PanasonicTDA.drv")), p));
    mF->FileApri(p);
    const QByteArray prima = Leggi(p);
    QFile::setPermissions(cartella, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (CartellaScrivibile(cartella) && Immutabile(cartella, true)) mImmutabili << cartella;
    if (CartellaScrivibile(cartella)) {
        QFile::setPermissions(
            cartella, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "no folder here can be made read-only";
    }
    Modifica();
    mUI.Reimposta();
    // Exit: Yes, the save fails, the window stays with its changes.
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_FALSE(mF->close());
    EXPECT_TRUE(mF->isVisible());
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demox"));
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + p);
    EXPECT_TRUE(Testi().contains(QStringLiteral("Impossibile salvare il Driver ") + p));
    EXPECT_EQ(Leggi(p), prima);
    EXPECT_FALSE(QFile::exists(p + ".bak"));
    for (const QString& c : mImmutabili) Immutabile(c, false);
    mImmutabili.clear();
    QFile::setPermissions(cartella,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Once the folder can be written, the same save goes through.
    EXPECT_TRUE(mF->FileSalva(false));
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(Leggi(p + ".bak"), prima);
}

// ---- exit

TEST_F(DocumentoTest, ExitWithUnsavedChangesFollowsTheAnswer) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(p);
    Modifica();
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::Annulla};
    U()->mnuEsci->trigger();
    EXPECT_TRUE(mF->isVisible());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, kDomanda);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNoAnnulla);
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(mF->mconDatabase.Aperto());

    // Yes: saved under its name, then the window closes.
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_TRUE(mF->close());
    EXPECT_TRUE(QFile::exists(p + ".bak"));
    EXPECT_EQ(Json(p)["msAutore"], "Tarno demox");
    EXPECT_FALSE(mF->mconDatabase.Aperto());
}

TEST_F(DocumentoTest, ExitAnsweredNoLosesTheChanges) {
    const QString p = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(p);
    const QByteArray prima = Leggi(p);
    Modifica();
    mUI.mRisposte = {RispostaUI::No};
    EXPECT_TRUE(mF->close());
    EXPECT_EQ(Leggi(p), prima);
    EXPECT_FALSE(QFile::exists(p + ".bak"));
}

TEST_F(DocumentoTest, ExitWithTheSaveDialogCancelledKeepsTheWindowOpen) {
    PreparaNuovoDriver();
    mUI.mRisposte = {RispostaUI::Si};
    EXPECT_FALSE(mF->close());
    EXPECT_EQ(mUI.mDialoghiFile.size(), 1);
    EXPECT_TRUE(mF->isVisible());
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(mF->mconDatabase.Aperto());
    // Without changes the window closes without a question.
    mF->Cambiato(false);
    mUI.Reimposta();
    EXPECT_TRUE(mF->close());
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

// ---- legacy drivers

TEST_F(DocumentoTest, ALegacyDriverIsConvertedWithTheChosenProgramAndSaved) {
    const QString p = Driver(QStringLiteral("onix64.drv"));
    const bool visto = ConDialogoConversione(
        [](frmOldDriver& d) {
            auto* cbo = d.ui()->cboTrasf;
            cbo->setCurrentIndex(cbo->findText(QStringLiteral("Tie Onix")));
            d.ui()->cmdOk->click();
        },
        [&] { mF->FileApri(p); });
    ASSERT_TRUE(visto);
    EXPECT_EQ(mTitoloDialogo, p);
    EXPECT_EQ(glProgrammaTrasf, 15);
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_EQ(mF->msDriverFileName, p);
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + p);
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Servizio Assistenza Tarno"));
    EXPECT_EQ(mF->mrgxIdent.Cella(PaginaIdentificazione::RIGA_TRASF_ENTRANTI, 1), "S\xEC");
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), p);

    // What the conversion alone gives, for comparison.
    clsDriver atteso;
    MessaggiRaccolti msg;
    ASSERT_TRUE(LeggiVecchioDriver(QFile::encodeName(p).toStdString(), atteso, msg,
                                   mF->mconDatabase.FunzioneCercaFormato()));
    ASSERT_TRUE(ApplicaTrasformazione(atteso, 15, msg, mF->mconDatabase.FunzioneCercaFormato()));
    atteso.msMarca = "Tie";
    atteso.msModello = "Onix";

    // The user completes the brand and model and saves it under a new name.
    U()->cboMarca->setEditText(QStringLiteral("Tie"));
    U()->cboModello->setEditText(QStringLiteral("Onix"));
    const QString nuovo = Driver(QStringLiteral("TieOnix.drv"));
    mUI.mNomiFile = {nuovo};
    ASSERT_TRUE(mF->FileSalva(true)) << Testi().join('|').toStdString();
    const QString rif = Driver(QStringLiteral("atteso.drv"));
    ASSERT_TRUE(atteso.SaveDriver(QFile::encodeName(rif).toStdString(), msg));
    EXPECT_EQ(Differenze(nuovo, rif), "");
    EXPECT_EQ(NomeCatalogo(QStringLiteral("Tie"), QStringLiteral("Onix")),
              QStringLiteral("TieOnix.drv"));
    EXPECT_TRUE(msg.mvTesti.empty());
}

TEST_F(DocumentoTest, ALegacyDriverOpenedWithOkAtOnceUsesTheStandardProgram) {
    glProgrammaTrasf = 5;
    const QString p = Driver(QStringLiteral("onix64.drv"));
    ASSERT_TRUE(ConDialogoConversione([](frmOldDriver& d) { d.ui()->cmdOk->click(); },
                                      [&] { mF->FileApri(p); }));
    EXPECT_EQ(glProgrammaTrasf, 0);
    // The ringing time stays where the legacy file has it (Tie Onix moves it by one).
    ASSERT_TRUE(mF->moDriver && mF->moDriver->moEntranti && mF->moDriver->moEntranti->mcolCampi);
    const clsCampo* risposta = mF->moDriver->moEntranti->mcolCampi->Trova("9");
    ASSERT_NE(risposta, nullptr);
    EXPECT_EQ(risposta->miInizio, 25);
    EXPECT_EQ(mF->msDriverFileName, p);
}

TEST_F(DocumentoTest, ALegacyDriverThatCannotBeConvertedLeavesANewDocument) {
    // The legacy driver cut inside its notes block.
    const QString p = Driver(QStringLiteral("corto.drv"));
    const QList<QByteArray> righe = Leggi(Driver(QStringLiteral("onix64.drv"))).split('\n');
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 19; ++i) f.write(righe[i] + '\n');
    f.close();
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mUI.Reimposta();
    ASSERT_TRUE(ConDialogoConversione([](frmOldDriver& d) { d.ui()->cmdOk->click(); },
                                      [&] { mF->FileApri(p); }));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.startsWith(
        QStringLiteral("Impossibile effettuare l'importazione del driver.")))
        << mUI.mMessaggi[0].testo.toStdString();
    EXPECT_TRUE(mF->msDriverFileName.isEmpty());
    EXPECT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver"));
    EXPECT_EQ(U()->txtAutore->text(), QString());
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(Recente(QStringLiteral("fFile1")), Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(mUI.miCursore, 0);
}

// ---- the conversion dialog

class OldDriverTest : public ::testing::Test {
  protected:
    void SetUp() override { glProgrammaTrasf = 0; }
    void TearDown() override { glProgrammaTrasf = 0; }
    // Shows the dialog modally and lets fn act on it.
    void Mostra(frmOldDriver& d, const std::function<void()>& fn) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
            fn();
            if (d.isVisible()) d.reject();  // never leave a test waiting
        });
        d.exec();
    }
};

TEST_F(OldDriverTest, ListsTheProgramsWithTheirCodesAndStandardSelected) {
    frmOldDriver d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Attenzione"));
    EXPECT_TRUE(d.ui()->Label1->text().startsWith(
        QStringLiteral("Il driver che si \u00E8 scelto di aprire appartiene ad una versione "
                       "precedente di Tarno.")));
    auto* cbo = d.ui()->cboTrasf;
    ASSERT_EQ(cbo->count(), 17);
    EXPECT_EQ(cbo->itemText(0), QStringLiteral("Brondi 24/48"));
    EXPECT_EQ(cbo->itemData(0).toInt(), 12);
    EXPECT_EQ(cbo->itemText(3), QStringLiteral("Entrante\\Uscente"));
    EXPECT_EQ(cbo->itemData(3).toInt(), 1);
    EXPECT_EQ(cbo->itemText(16), QStringLiteral("Tie Onix"));
    EXPECT_EQ(cbo->itemData(16).toInt(), 15);
    EXPECT_EQ(cbo->currentText(), QStringLiteral("Standard"));
    EXPECT_EQ(d.CodiceScelto(), 0);
    EXPECT_EQ(d.findChildren<QPushButton*>().size(), 1);  // no Cancel
}

TEST_F(OldDriverTest, OkStoresTheCodeOfTheChosenProgram) {
    glProgrammaTrasf = 9;
    {
        frmOldDriver d;
        Mostra(d, [&] { d.ui()->cmdOk->click(); });
        EXPECT_EQ(glProgrammaTrasf, 0);
    }
    {
        frmOldDriver d;
        Mostra(d, [&] {
            auto* cbo = d.ui()->cboTrasf;
            cbo->setCurrentIndex(cbo->findText(QStringLiteral("Tie Onix")));
            d.ui()->cmdOk->click();
        });
        EXPECT_EQ(glProgrammaTrasf, 15);
    }
    {
        // Enter is OK.
        frmOldDriver d;
        Mostra(d, [&] {
            auto* cbo = d.ui()->cboTrasf;
            cbo->setCurrentIndex(cbo->findText(QStringLiteral("Opus")));
            QTest::keyClick(cbo, Qt::Key_Return);
        });
        EXPECT_EQ(glProgrammaTrasf, 5);
    }
}

TEST_F(OldDriverTest, ClosingWithoutOkKeepsThePreviousProgram) {
    glProgrammaTrasf = 5;
    {
        frmOldDriver d;
        Mostra(d, [&] {
            auto* cbo = d.ui()->cboTrasf;
            cbo->setCurrentIndex(cbo->findText(QStringLiteral("Tie Corex")));
            QTest::keyClick(cbo, Qt::Key_Escape);
        });
        EXPECT_EQ(glProgrammaTrasf, 5);
    }
    {
        frmOldDriver d;
        Mostra(d, [&] { d.close(); });
        EXPECT_EQ(glProgrammaTrasf, 5);
    }
}

}  // namespace

// The document commands on a window started on the demo suite: the save prompt of New, Open,
// Exit and the close box, Save As with its names and the catalogue row, saves that cannot
// write, may not replace a protected file or cannot reach the catalogue, files that cannot be
// opened or are no drivers, legacy drivers through the conversion dialog, the two Save tools,
// and the recent-file lists and their submenus.

#include <QComboBox>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QWindow>

#include "AiutiPagine.h"
#include "SupportoGui.h"
#include "legacy/modOldDriver.h"
#include "pagine/frmOldDriver.h"
#include "ui_frmOldDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

const QString kDomanda =
    QStringLiteral("Sono state effettuate delle modifiche, si desidera salvarle?");

class DocumentoTest : public FinestraDemo {
  protected:
    void TearDown() override {
        glProgrammaTrasf = 0;
        FinestraDemo::TearDown();
    }
    QString Panasonic() const { return Driver(QStringLiteral("PanasonicTDA.drv")); }
    QStringList Elenco(const char* prefisso) const {
        QStringList r;
        for (int n = 1; n <= 4; ++n)
            r << frmDriver::LeggiRecente(QStringLiteral("%1File%2").arg(prefisso).arg(n));
        return r;
    }
    // A statement on the suite's catalogue, beside the window's own connection; the first
    // value of its result.
    QString Catalogo(const QString& sql) {
        QString r;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "doc");
            db.setDatabaseName(mSuite.Percorso(QStringLiteral("catalogo.db")));
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
            if (q.next()) r = q.value(0).toString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("doc"));
        return r;
    }
    // Runs fn while the conversion dialog is open; fnAgisci acts on it and must close it.
    bool ConDialogoConversione(const std::function<void(frmOldDriver&)>& fnAgisci,
                               const std::function<void()>& fn) {
        QObject ambito;
        const auto visto = AlModale<frmOldDriver>(fnAgisci, &ambito);
        fn();
        return *visto;
    }
};

TEST_F(DocumentoTest, UnsavedChangesAreAskedAboutBeforeNewOpenExitAndClose) {
    const QString siemens = Driver(QStringLiteral("SiemensHiPath.drv"));
    const std::string originale = Byte(Panasonic());
    struct Comando {
        const char* nome;
        std::function<void()> esegui;
        std::function<bool()> eseguito;
    };
    const Comando comandi[] = {
        {"New", [&] { Strumento("mnuNuovo")->trigger(); },
         [&] { return mF->FileDriver().isEmpty(); }},
        {"Open",
         [&] {
             mUI.mNomiFile = {siemens};
             Strumento("mnuApri")->trigger();
         },
         [&] { return mF->FileDriver() == siemens; }},
        {"Exit", [&] { Strumento("mnuEsci")->trigger(); }, [&] { return !mF->isVisible(); }},
        {"close box", [&] { mF->close(); }, [&] { return !mF->isVisible(); }},
    };
    for (const Comando& c : comandi)
        for (RispostaUI risposta : {RispostaUI::Annulla, RispostaUI::No, RispostaUI::Si}) {
            SCOPED_TRACE(testing::Message() << c.nome << ", answer " << static_cast<int>(risposta));
            prova::ScriviFile(Panasonic().toStdString(), originale);
            QFile::remove(Panasonic() + ".bak");
            ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
            mF->FileApri(Panasonic());
            Modifica();
            mUI.mRisposte = {risposta};
            c.esegui();
            ASSERT_FALSE(mUI.mMessaggi.empty());
            EXPECT_EQ(mUI.mMessaggi[0].testo, kDomanda);
            EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNoAnnulla);
            EXPECT_EQ(c.eseguito(), risposta != RispostaUI::Annulla);
            if (risposta == RispostaUI::Si) {
                EXPECT_EQ(Byte(Panasonic() + ".bak"), originale);
                EXPECT_NE(Byte(Panasonic()).find("Autore=Tarno demox\r\n"), std::string::npos);
            } else {
                EXPECT_EQ(Byte(Panasonic()), originale);
                EXPECT_FALSE(QFile::exists(Panasonic() + ".bak"));
            }
            if (risposta == RispostaUI::Annulla) {
                EXPECT_TRUE(mF->Documento().NonSalvato());
                EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demox"));
            }
        }
}

TEST_F(DocumentoTest, SaveAsAddsDrvToTheNameAndPointsTheCatalogueRowToTheFile) {
    mF->FileApri(Panasonic());
    const std::pair<const char*, const char*> casi[] = {
        {"punto.", "punto."},         {"testo.txt", "testo.txt.drv"}, {"misto.Drv", "misto.Drv"},
        {"grande.DRV", "grande.DRV"}, {"nudo", "nudo.drv"},
    };
    for (const auto& [dato, atteso] : casi) {
        SCOPED_TRACE(dato);
        mUI.mNomiFile = {Driver(QString::fromLatin1(dato))};
        Strumento("mnuSalvaCome")->trigger();
        const QString file = Driver(QString::fromLatin1(atteso));
        EXPECT_TRUE(QFile::exists(file));
        EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver - ") + file);
        EXPECT_EQ(Elenco("f")[0], file);
        EXPECT_EQ(Catalogo("SELECT sNomeDriver FROM Pabx WHERE sMarca='Panasonic' AND "
                           "sModello='KX-TDA200'"),
                  QString::fromLatin1(atteso));
        EXPECT_FALSE(mF->Documento().NonSalvato());
    }
    // The dialog proposed the file's own name in the folder the user was last in.
    EXPECT_EQ(mUI.mCartelle[0], Panasonic());
    EXPECT_EQ(mUI.mFiltri[0], QStringLiteral("Driver (*.drv)"));
    EXPECT_FALSE(QFile::exists(Driver(QStringLiteral("punto.drv"))));
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
}

TEST_F(DocumentoTest, FileDialogsStartInTheDriverFolderThenWhereTheUserWas) {
    const QString altra = mSuite.Percorso(QStringLiteral("altrove"));
    ASSERT_TRUE(QDir().mkpath(altra));
    ASSERT_TRUE(QFile::copy(Panasonic(), altra + "/s.drv"));
    mUI.mNomiFile = {altra + "/s.drv"};
    Strumento("mnuApri")->trigger();
    Strumento("mnuApri")->trigger();  // cancelled: nothing changes
    Strumento("mnuSalvaCome")->trigger();
    EXPECT_EQ(mUI.mCartelle, (QStringList{mSuite.Percorso(QStringLiteral("lavoro/Driver")), altra,
                                          altra + "/s.drv"}));
    EXPECT_EQ(mUI.mFiltri[0], QStringLiteral("Driver (*.drv);;Tutti file (*)"));
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver - ") + altra + "/s.drv");
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    // Printouts keep a folder of their own, and each kind's folder is there the next session.
    const QString stampe = mSuite.Percorso(QStringLiteral("stampe"));
    ASSERT_TRUE(QDir().mkpath(stampe));
    ASSERT_TRUE(QFile::copy(Driver(QStringLiteral("PanasonicTDA.txt")), stampe + "/p.txt"));
    mUI.Reimposta();
    mUI.mNomiFile = {stampe + "/p.txt"};
    const QStringList attese[] = {{mSuite.Percorso(QStringLiteral("lavoro/Driver")), altra},
                                  {stampe, altra}};
    for (const QStringList& cartelle : attese) {
        Strumento("mnuLeggiDati")->trigger();
        Strumento("mnuApri")->trigger();
        EXPECT_EQ(mUI.mCartelle, cartelle);
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }
}

TEST_F(DocumentoTest, ASaveThatCannotWriteKeepsTheChangesTheNameAndTheTitle) {
    mF->FileApri(Panasonic());
    Modifica();
    const QString manca = mSuite.Percorso(QStringLiteral("manca/x.drv"));
    mUI.mNomiFile = {manca};
    EXPECT_FALSE(mF->FileSalva(true));
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Impossibile salvare il Driver ") + manca});
    EXPECT_TRUE(mF->Documento().NonSalvato());
    EXPECT_EQ(mF->FileDriver(), Panasonic());
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver - ") + Panasonic() + "*");
    EXPECT_EQ(mF->Documento().moDriver->msFileName, QFile::encodeName(Panasonic()).toStdString());
    EXPECT_EQ(mUI.miCursore, 0);

    // A write-protected driver is not replaced: No leaves file and document alone, Yes saves
    // under another name.
    const std::string prima = Byte(Panasonic());
    const auto sola = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(Panasonic(), sola));
    const QString copia = Driver(QStringLiteral("copia.drv"));
    for (RispostaUI risposta : {RispostaUI::No, RispostaUI::Si}) {
        mUI.Reimposta();
        mUI.mRisposte = {risposta};
        mUI.mNomiFile = {copia};
        EXPECT_EQ(mF->FileSalva(false), risposta == RispostaUI::Si);
        ASSERT_EQ(mUI.mMessaggi.size(), 1u) << Testi().join('|').toStdString();
        EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
        EXPECT_TRUE(mUI.mMessaggi[0].testo.contains(Panasonic() + " \u00E8 protetto"));
        EXPECT_EQ(Byte(Panasonic()), prima);
        EXPECT_EQ(QFile::permissions(Panasonic()) & QFileDevice::WriteOwner, 0);
        EXPECT_FALSE(QFile::exists(Panasonic() + ".bak"));
        EXPECT_EQ(mF->FileDriver(), risposta == RispostaUI::Si ? copia : Panasonic());
        EXPECT_EQ(mF->Documento().NonSalvato(), risposta == RispostaUI::No);
    }
    EXPECT_TRUE(QFile::exists(copia));
}

TEST_F(DocumentoTest, ASaveWhoseCatalogueFailsWritesTheDriverAndSaysWhy) {
    // The catalogue's error is shown twice: for the row not written, and for the brand list
    // that could not be read again.
    const std::tuple<const char*, std::function<void()>, QString> casi[] = {
        {"the database is gone", [&] { mF->Catalogo().Chiudi(); },
         QStringLiteral("Il database non \u00E8 aperto")},
        {"the table is dropped", [&] { Catalogo(QStringLiteral("DROP TABLE Pabx")); },
         QStringLiteral("no such table: Pabx")},
    };
    for (const auto& [nome, guasto, errore] : casi) {
        SCOPED_TRACE(nome);
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
        mF->FileApri(Panasonic());
        const std::string prima = Byte(Panasonic());
        Modifica();
        guasto();
        mUI.Reimposta();
        U()->mnuSalva->trigger();
        EXPECT_EQ(Byte(Panasonic() + ".bak"), prima);
        const std::string autore = "Autore=" + U()->txtAutore->text().toStdString() + "\r\n";
        EXPECT_NE(Byte(Panasonic()).find(autore), std::string::npos);
        ASSERT_EQ(mUI.mMessaggi.size(), 2u) << Testi().join('|').toStdString();
        for (const auto& m : mUI.mMessaggi) {
            EXPECT_TRUE(m.testo.startsWith(errore)) << m.testo.toStdString();
            EXPECT_EQ(m.titolo, QStringLiteral("Attenzione"));
        }
        EXPECT_FALSE(mF->Documento().NonSalvato());
        EXPECT_EQ(mUI.miCursore, 0);
    }
}

TEST_F(DocumentoTest, FilesThatCannotBeOpenedOrReadWhole) {
    mF->FileApri(Panasonic());
    mUI.Reimposta();
    // Not there: the document on screen stays.
    const QString manca = Driver(QStringLiteral("manca.drv"));
    mF->FileApri(manca);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Impossibile aprire il Driver ") + manca});
    EXPECT_EQ(mF->FileDriver(), Panasonic());
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demo"));
    // Not a driver (the catalogue, an empty file): refused, the document and the list stay.
    const QString vuoto = Driver(QStringLiteral("vuoto.drv"));
    prova::ScriviFile(vuoto.toStdString(), "");
    for (const QString& p : {mSuite.Percorso(QStringLiteral("catalogo.db")), vuoto}) {
        mUI.Reimposta();
        mF->FileApri(p);
        EXPECT_EQ(Testi(), QStringList{QStringLiteral("Il file %1 non \u00E8 un driver: non "
                                                      "contiene nessuna delle sezioni di un "
                                                      "driver.")
                                           .arg(p)});
        EXPECT_EQ(mF->FileDriver(), Panasonic());
        EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Tarno demo"));
        EXPECT_EQ(Elenco("f")[0], Panasonic());
    }
    // Syntax errors: each is reported, and what could be read is shown.
    const QString rotto = Driver(QStringLiteral("rotto.drv"));
    prova::ScriviFile(
        rotto.toStdString(),
        "[Centralino]\r\nAutore=Rossi\r\n\r\n[Trasformazioni]\r\nAzione_0=NIENTE\r\n");
    mUI.Reimposta();
    mF->FileApri(rotto);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Errore nella sintassi della trasformazione 0")});
    EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Rossi"));
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver - ") + rotto);
    EXPECT_FALSE(mF->Documento().NonSalvato());
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(DocumentoTest, ALegacyDriverIsConvertedWithTheProgramChosenInTheDialog) {
    struct Caso {
        const char* programma;  // nullptr: Escape; "": Cancel
        int prima, dopo;
    };
    const Caso casi[] = {{"Standard", 5, 0}, {"Tie Onix", 0, 15}, {nullptr, 5, 5}, {"", 0, 0}};
    const QString p = Driver(QStringLiteral("onix64.drv"));
    const std::string vecchio = Byte(p);
    std::map<int, int> squillo;  // program -> start of the ringing time
    mF->FileApri(Panasonic());
    QString davanti = TitoloMostrato(*mF);  // what the window shows before the question
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.programma ? c.programma : "Escape");
        const bool annulla = c.programma && !*c.programma;
        glProgrammaTrasf = c.prima;
        mUI.Reimposta();
        mUI.mRisposte = {RispostaUI::No};  // the converted driver before is not saved
        ASSERT_TRUE(ConDialogoConversione(
            [&](frmOldDriver& d) {
                // The question comes before anything on screen changes.
                EXPECT_EQ(TitoloMostrato(*mF), davanti);
                auto* cbo = d.ui()->cboTrasf;
                if (annulla) return d.findChild<QPushButton*>("cmdAnnulla")->click();
                if (!c.programma) return QTest::keyClick(cbo, Qt::Key_Escape);
                cbo->setCurrentIndex(cbo->findText(QString::fromLatin1(c.programma)));
                d.ui()->cmdOk->click();
            },
            [&] { mF->FileApri(p); }));
        EXPECT_EQ(glProgrammaTrasf, c.dopo);
        // Converted, the driver keeps its name and is unsaved until it is saved.
        EXPECT_EQ(TitoloMostrato(*mF),
                  annulla ? davanti : QStringLiteral("Tarno Driver - ") + p + "*");
        EXPECT_EQ(U()->txtAutore->text(), QStringLiteral("Servizio Assistenza Tarno"));
        EXPECT_TRUE(mF->Documento().NonSalvato());
        if (!annulla)
            squillo[c.dopo] = mF->Documento().moDriver->moEntranti->mcolCampi->Trova("9")->miInizio;
        davanti = TitoloMostrato(*mF);
    }
    EXPECT_EQ(mUI.mMessaggi.size(), 1u) << Testi().join('|').toStdString();
    // Closing asks; Verifica, after "No", has no file in the new format to verify.
    mUI.Reimposta();
    EXPECT_FALSE(mF->close());
    EXPECT_EQ(Testi(), QStringList{kDomanda});
    mUI.Reimposta();
    mUI.mRisposte = {RispostaUI::No};
    Strumento("mnuVerifica")->trigger();
    EXPECT_EQ(Testi(), (QStringList{kDomanda,
                                    QStringLiteral("Si deve salvare almeno una volta il driver")}));
    // The first save keeps the old file as ".bak" and writes the new format.
    U()->cboMarca->setEditText(QStringLiteral("Tie"));
    mUI.Reimposta();
    Strumento("mnuSalva")->trigger();
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_EQ(Byte(p + ".bak"), vecchio);
    EXPECT_NE(Byte(p).find("[Centralino]"), std::string::npos);
    EXPECT_FALSE(mF->Documento().NonSalvato());
    // The standard program leaves the ringing time where the file has it; Tie Onix moves it.
    EXPECT_EQ(squillo[0], 25);
    EXPECT_NE(squillo[15], 25);

    // Cut inside its notes block it cannot be converted: a new document instead.
    std::string corto = vecchio;
    for (int righe = 0, i = 0; i < static_cast<int>(corto.size()); ++i)
        if (corto[i] == '\n' && ++righe == 19) corto.resize(i + 1);
    prova::ScriviFile(p.toStdString(), corto);
    mUI.Reimposta();
    ASSERT_TRUE(ConDialogoConversione([](frmOldDriver& d) { d.ui()->cmdOk->click(); },
                                      [&] { mF->FileApri(p); }));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.startsWith(
        QStringLiteral("Impossibile effettuare l'importazione del driver.")));
    EXPECT_TRUE(mF->FileDriver().isEmpty());
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver"));
    EXPECT_FALSE(mF->Documento().NonSalvato());
}

TEST_F(DocumentoTest, NewEmptiesTheDocumentAndKeepsTheSample) {
    mF->FileApri(Driver(QStringLiteral("SiemensHiPath.drv")));
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    const QString campione = U()->rtfTesto->toPlainText();
    Strumento("mnuNuovo")->trigger();
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver"));
    EXPECT_EQ(U()->rtfTesto->toPlainText(), campione);
    EXPECT_EQ(U()->txtAutore->text(), QString());
    EXPECT_EQ(U()->txtData->text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(U()->txtVersione->text(), QStringLiteral("1.0"));
    EXPECT_EQ(U()->cboMarca->currentText(), QString());
    for (const TabellaValori* t : {&mF->Documento().mrgxEntranti, &mF->Documento().mrgxUscenti})
        for (int r = 0; r < t->Righe(); ++r) EXPECT_EQ(t->Cella(r, 1), "") << r;
    for (int r = 0; r < mF->Documento().mrgxTrasf.Righe(); ++r)
        EXPECT_EQ(mF->Documento().mrgxTrasf.Cella(r, 1), "No");
    // Siemens' conversions are gone with it.
    EXPECT_EQ(mF->Documento().miFrazioneDurata, -1);
    EXPECT_EQ(mF->Documento().mlDividereScatti, 1);
    EXPECT_FALSE(mF->Documento().NonSalvato());
}

TEST_F(DocumentoTest, TheMenuSaveFollowsChangesWhileTheToolBarSaveAndCtrlSReachSaveAs) {
    QAction* barra = nullptr;
    for (QAction* a : U()->toolStandard->actions())
        if (a->objectName() == QStringLiteral("mnuSalva")) barra = a;
    ASSERT_NE(barra, nullptr);
    EXPECT_NE(barra, U()->mnuSalva);
    EXPECT_FALSE(U()->mnuSalva->isEnabled());
    EXPECT_TRUE(barra->isEnabled());
    // Ctrl+S on a clean new document goes to Save As, whose checks stop at the empty brand.
    QTest::keyClick(U()->txtAutore, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Inserire la marca del centralino.")});
    // On a clean saved one it does nothing; with changes it saves.
    mF->FileApri(Panasonic());
    mUI.Reimposta();
    QTest::keyClick(U()->txtAutore, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(Panasonic() + ".bak"));
    Modifica();
    EXPECT_TRUE(U()->mnuSalva->isEnabled());
    barra->trigger();
    EXPECT_TRUE(QFile::exists(Panasonic() + ".bak"));
    EXPECT_FALSE(U()->mnuSalva->isEnabled());
    EXPECT_TRUE(barra->isEnabled());
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
}

TEST_F(DocumentoTest, ARecentSubmenuOpensInTheSessionThatGaveItItsFirstEntry) {
    QMenu* sottomenu = U()->mnupopDriverRecenti;
    // Opens the submenu from the File menu with the Right key (at once, where the mouse would
    // wait for a pause); true when its window really shows.
    const auto apri = [&] {
        U()->mnupopFile->popup(mF->mapToGlobal(QPoint(20, 20)));
        U()->mnupopFile->setActiveAction(sottomenu->menuAction());
        QTest::keyClick(U()->mnupopFile, Qt::Key_Right);
        QApplication::processEvents();
        const bool visto = sottomenu->windowHandle() && sottomenu->windowHandle()->isVisible();
        U()->mnupopFile->hide();
        QApplication::processEvents();
        return visto;
    };
    EXPECT_FALSE(apri());  // nothing to show yet
    mF->FileApri(Panasonic());
    EXPECT_TRUE(apri());
}

TEST_F(DocumentoTest, RecentListsKeepFourPathsMostRecentFirstAndTheirToolsOpenThem) {
    const QString sub = QStringLiteral("mnupopDriverRecenti");
    for (const char* p : {"/d/a.drv", "/d/b.drv", "/d/c.drv", "/d/d.drv", "/d/e.drv"})
        mF->AggiungiRecente(sub, QString::fromLatin1(p));
    EXPECT_EQ(Elenco("f"), (QStringList{"/d/e.drv", "/d/d.drv", "/d/c.drv", "/d/b.drv"}));
    // A path already there moves to the head; one in another letter case is another file.
    mF->AggiungiRecente(sub, QStringLiteral("/d/c.drv"));
    mF->AggiungiRecente(sub, QStringLiteral("/D/C.DRV"));
    EXPECT_EQ(Elenco("f"), (QStringList{"/D/C.DRV", "/d/c.drv", "/d/e.drv", "/d/d.drv"}));
    mF->AggiungiRecente(QStringLiteral("mnupopDatiRecenti"), QStringLiteral("/d/x.txt"));
    EXPECT_EQ(Elenco("s"), (QStringList{"/d/x.txt", "", "", ""}));

    // A tool shows its path with the "&" doubled and opens its driver.
    const QString rd = Driver(QStringLiteral("R&D.drv"));
    ASSERT_TRUE(QFile::copy(Panasonic(), rd));
    mF->AggiungiRecente(sub, rd);
    EXPECT_EQ(Strumento("mnuRecenti1f")->text(),
              QStringLiteral("&1 ") + QString(rd).replace("&", "&&"));
    EXPECT_TRUE(Strumento("mnuRecenti1f")->isVisible());
    Strumento("mnuRecenti2f")->trigger();  // "/D/C.DRV" is not there
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Impossibile aprire il Driver /D/C.DRV")});
    Strumento("mnuRecenti1f")->trigger();
    EXPECT_EQ(mF->FileDriver(), rd);
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());
}

}  // namespace

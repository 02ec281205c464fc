// Sample data and verification on a window started on the demo suite: the tail of a printout
// in the sample view, the recent-data list, the import engine run on the saved driver, and the
// switch between the sample and the engine's log.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <QTextEdit>

#include "SupportoGui.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

const QString kErroreLettura = QStringLiteral("Errore durante la lettura del file");

QString CartellaDemo() { return QFileInfo(QStringLiteral(TARNO_CATALOGO_SQL)).absolutePath(); }

bool Scrivi(const QString& percorso, const QByteArray& byte) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size();
}

class DatiTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        ImpostazioniIn(mImpostazioni);
        mSuite.Demo();
        // A folder with blanks holds the sample, as users' folders often do.
        ASSERT_TRUE(QDir(mSuite.Cartella()).mkpath(QStringLiteral("stampe del centralino")));
        ASSERT_TRUE(QFile::copy(QDir(CartellaDemo()).filePath("Driver/PanasonicTDA.drv"),
                                mSuite.Percorso(QStringLiteral("lavoro/Driver/PanasonicTDA.drv"))));
        ASSERT_TRUE(QFile::copy(QDir(CartellaDemo()).filePath("Dati/PanasonicTDA.txt"), Campione()));
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }
    void TearDown() override {
        mF.reset();
        ConServiziScriptati::TearDown();
    }
    // The engine beside the editor (the suite folder stands for the program's folder).
    void InstallaMotore() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARNO_TARNOMINER),
                                mSuite.Percorso(QStringLiteral("tarnominer"))));
    }
    QString Driver() const { return mSuite.Percorso(QStringLiteral("lavoro/Driver/PanasonicTDA.drv")); }
    QString Campione() const {
        return mSuite.Percorso(QStringLiteral("stampe del centralino/PanasonicTDA.txt"));
    }
    QString Log() const { return mSuite.Percorso(QStringLiteral("VerificaDrv.log")); }
    QString Vista() const { return mF->ui()->rtfTesto->toPlainText(); }
    QAction* Strumento(const char* nome) const {
        return mF->findChild<QAction*>(QString::fromLatin1(nome));
    }
    static QString Recente(const QString& chiave) { return frmDriver::LeggiRecente(chiave); }

    QTemporaryDir mImpostazioni;
    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
};

TEST_F(DatiTest, ASampleIsShownWholeUpTo50000BytesAndOnlyItsTailBeyond) {
    QByteArray piccolo(49999, 'a');
    piccolo[0] = 'I';
    piccolo[49998] = 'F';
    const QString pPiccolo = mSuite.Percorso(QStringLiteral("piccolo.txt"));
    ASSERT_TRUE(Scrivi(pPiccolo, piccolo));
    mF->LeggiDati(pPiccolo);
    EXPECT_EQ(Vista().size(), 49999);
    EXPECT_TRUE(Vista().startsWith('I'));
    EXPECT_TRUE(Vista().endsWith('F'));

    // 120,000 bytes: bytes 70,000 to 119,999, even from the middle of a line.
    QByteArray grande;
    for (int i = 0; i < 120000; ++i) grande += static_cast<char>('0' + (i / 10000));
    grande[70000] = 'X';
    grande[119999] = 'Z';
    const QString pGrande = mSuite.Percorso(QStringLiteral("grande.txt"));
    ASSERT_TRUE(Scrivi(pGrande, grande));
    mF->LeggiDati(pGrande);
    EXPECT_EQ(Vista().size(), 50000);
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("X7")));
    EXPECT_TRUE(Vista().endsWith('Z'));
    EXPECT_TRUE(mUI.mMessaggi.empty());
    EXPECT_EQ(mF->msFileDati, pGrande);
    // Every sample read is the most recent one, with its tool in the submenu.
    EXPECT_EQ(Recente(QStringLiteral("sFile1")), pGrande);
    EXPECT_EQ(Recente(QStringLiteral("sFile2")), pPiccolo);
    EXPECT_TRUE(Strumento("mnuRecenti1s")->isVisible());
    EXPECT_EQ(Strumento("mnuRecenti1s")->text(), QStringLiteral("&1 ") + pGrande);
}

TEST_F(DatiTest, SamplesAreWindows1252TextAndAreChosenInADialogWhenNoPathIsGiven) {
    const QString p = mSuite.Percorso(QStringLiteral("accenti.txt"));
    ASSERT_TRUE(Scrivi(p, QByteArray("Citt\xE0 \x80 10\r\n")));
    mUI.mNomiFile.push_back(p);
    Strumento("mnuLeggiDati")->trigger();
    EXPECT_EQ(mUI.mDialoghiFile.size(), 1);
    EXPECT_EQ(mUI.mFiltri.value(0), QStringLiteral("File di testo (*.txt);;Tutti file (*)"));
    EXPECT_EQ(Vista(), QStringLiteral("Citt\u00E0 \u20AC 10\n"));

    // A cancelled dialog changes nothing.
    Strumento("mnuLeggiDati")->trigger();
    EXPECT_EQ(Vista(), QStringLiteral("Citt\u00E0 \u20AC 10\n"));
    EXPECT_EQ(mF->msFileDati, p);
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(DatiTest, AFileThatCannotBeReadLeavesTheViewAsItWas) {
    mF->LeggiDati(Campione());
    const QString prima = Vista();
    mF->LeggiDati(mSuite.Percorso(QStringLiteral("non esiste.txt")));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, kErroreLettura);
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);
    EXPECT_EQ(Vista(), prima);
    EXPECT_EQ(mF->msFileDati, Campione());
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(DatiTest, ADriverNeverSavedIsNotVerified) {
    InstallaMotore();
    mF->LeggiDati(Campione());
    mF->VerificaDati();
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Si deve salvare almeno una volta il driver")});
    EXPECT_FALSE(QFile::exists(Log()));
    EXPECT_TRUE(mF->isEnabled());
}

TEST_F(DatiTest, AMissingEngineEndsTheVerificationAtOnceWithoutAMessage) {
    mF->FileApri(Driver());
    mF->LeggiDati(Campione());
    mUI.Reimposta();
    Strumento("mnuVerifica")->trigger();
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mF->isEnabled());
    EXPECT_FALSE(QFile::exists(Log()));
}

TEST_F(DatiTest, TheEngineVerifiesTheDemoDriverAndTrasformaSwitchesToItsLogAndBack) {
    InstallaMotore();
    mF->FileApri(Driver());
    mF->LeggiDati(Campione());
    const QString campione = Vista();
    EXPECT_EQ(mF->ArgomentiMotore(),
              (QStringList{QStringLiteral("/i3"), QStringLiteral("/D") + Driver(),
                           QStringLiteral("/F") + Campione()}));
    mUI.Reimposta();
    Strumento("mnuVerifica")->trigger();
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mF->isEnabled());
    ASSERT_TRUE(QFile::exists(Log()));
    // Verification leaves the view alone.
    EXPECT_EQ(Vista(), campione);

    Strumento("mnuTrasforma")->trigger();
    EXPECT_TRUE(mF->mbTransformMode);
    EXPECT_TRUE(Strumento("mnuTrasforma")->isChecked());
    EXPECT_TRUE(Vista().startsWith(QStringLiteral("VERIFICA DEL DRIVER")));
    EXPECT_TRUE(Vista().contains(QStringLiteral("Chiamata entrante, riga 4")));
    EXPECT_TRUE(Vista().contains(QStringLiteral("dOraInizio  \"08:00\" -> 08:00:00")));
    EXPECT_EQ(mF->msFileDati, Campione());
    EXPECT_EQ(Recente(QStringLiteral("sFile1")), Log());

    Strumento("mnuTrasforma")->trigger();
    EXPECT_FALSE(mF->mbTransformMode);
    EXPECT_FALSE(Strumento("mnuTrasforma")->isChecked());
    EXPECT_EQ(Vista(), campione);
    EXPECT_EQ(Recente(QStringLiteral("sFile1")), Campione());
}

TEST_F(DatiTest, UnsavedChangesAreSavedFirstOrTheFileAsLastSavedIsVerified) {
    InstallaMotore();
    mF->FileApri(Driver());
    mF->LeggiDati(Campione());
    const QByteArray salvato = [&] {
        QFile f(Driver());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QTest::keyClicks(mF->ui()->txtAutore, QStringLiteral("x"));
    ASSERT_TRUE(mF->mbChanged);
    mUI.Reimposta();
    mUI.mRisposte.push_back(RispostaUI::No);
    mF->VerificaDati();
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(QFile::exists(Log()));
    QFile f(Driver());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), salvato);
    f.close();

    QFile::remove(Log());
    mUI.Reimposta();
    mUI.mRisposte.push_back(RispostaUI::Si);
    mF->VerificaDati();
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_TRUE(QFile::exists(Log()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.readAll(), salvato);
}

TEST_F(DatiTest, TrasformaWithoutASampleOrWithoutALog) {
    // No sample: nothing happens, not even to the tick that the click toggled.
    Strumento("mnuTrasforma")->trigger();
    EXPECT_FALSE(mF->mbTransformMode);
    EXPECT_FALSE(Strumento("mnuTrasforma")->isChecked());
    EXPECT_TRUE(mUI.mMessaggi.empty());

    // No log yet: the read fails with its message and the sample stays in view.
    mF->LeggiDati(Campione());
    const QString campione = Vista();
    Strumento("mnuTrasforma")->trigger();
    EXPECT_EQ(Testi(), QStringList{kErroreLettura});
    EXPECT_EQ(Vista(), campione);
    EXPECT_TRUE(mF->mbTransformMode);
    EXPECT_EQ(mF->msFileDati, Campione());
    // The next switch shows the sample again.
    Strumento("mnuTrasforma")->trigger();
    EXPECT_FALSE(mF->mbTransformMode);
    EXPECT_FALSE(Strumento("mnuTrasforma")->isChecked());
}

}  // namespace

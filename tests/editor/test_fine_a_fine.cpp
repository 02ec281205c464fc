// A driver edited end to end through the window's tools, as a user does it: open the demo
// driver, read its printout, mark a field on the sample, save, read the file back with
// tarnodrv, verify with the engine and look at its log.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <nlohmann/json.hpp>

#include "SupportoGui.h"
#include "PaginaCampi.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

QString CartellaDemo() { return QFileInfo(QStringLiteral(TARNO_CATALOGO_SQL)).absolutePath(); }

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<assente>");
}

class FineAFineTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        ImpostazioniIn(mImpostazioni);        mSuite.Demo();
        ASSERT_TRUE(QFile::copy(QDir(CartellaDemo()).filePath("Driver/PanasonicTDA.drv"), Driver()));
        ASSERT_TRUE(QFile::copy(QDir(CartellaDemo()).filePath("Dati/PanasonicTDA.txt"), Campione()));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARNO_TARNOMINER),
                                mSuite.Percorso(QStringLiteral("tarnominer"))));
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }
    void TearDown() override {
        mF.reset();
        ConServiziScriptati::TearDown();
    }
    QString Driver() const { return mSuite.Percorso(QStringLiteral("lavoro/Driver/PanasonicTDA.drv")); }
    QString Campione() const { return mSuite.Percorso(QStringLiteral("lavoro/stampa demo.txt")); }
    void Strumento(const char* nome) { mF->findChild<QAction*>(QString::fromLatin1(nome))->trigger(); }

    // Selects characters of one line of the sample view (line and column from 1) and clicks
    // the box of a field on the outgoing page.
    void MarcaUscente(int riga, int colonna, int lunghezza, int campo) {
        mF->ui()->tabDriver->setCurrentIndex(4);
        QApplication::processEvents();
        const QTextBlock blocco = mF->ui()->rtfTesto->document()->findBlockByNumber(riga - 1);
        ASSERT_TRUE(blocco.isValid());
        QTextCursor c = mF->ui()->rtfTesto->textCursor();
        c.setPosition(blocco.position() + colonna - 1);
        c.setPosition(blocco.position() + colonna - 1 + lunghezza, QTextCursor::KeepAnchor);
        mF->ui()->rtfTesto->setTextCursor(c);
        QCheckBox* chk = mF->mpPagUscenti->chkCampo(campo);
        ASSERT_NE(chk, nullptr);
        QTest::mouseClick(chk, Qt::LeftButton, Qt::NoModifier, QPoint(12, chk->height() / 2));
    }

    QTemporaryDir mImpostazioni;
    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
};

TEST_F(FineAFineTest, OpenMarkSaveDumpVerifyAndReadTheLog) {
    const QByteArray originale = Contenuto(Driver());

    // Open and Leggi dati through their tools and file dialogs.
    mUI.mNomiFile = {Driver(), Campione()};
    Strumento("mnuApri");
    Strumento("mnuLeggiDati");
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    ASSERT_EQ(mF->windowTitle(), QStringLiteral("Tarno Driver - ") + Driver());
    ASSERT_FALSE(mF->mbChanged);

    // "Campo 1" of the outgoing calls: the four characters under "Squi" on line 5 of the sample.
    MarcaUscente(5, 50, 4, 9);
    ASSERT_TRUE(mF->mbChanged);
    EXPECT_EQ(mF->mrgxUscenti.Cella(9, PaginaCampi::COL_POSIZ), "50");
    EXPECT_EQ(mF->mrgxUscenti.Cella(9, PaginaCampi::COL_LUNG), "4");

    Strumento("mnuSalva");
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(Contenuto(Driver() + QStringLiteral(".bak")), originale);

    // The saved file loads again without a message and holds the new field.
    QProcess dump;
    dump.start(QStringLiteral(TARNO_TARNODRV), {QStringLiteral("dump"), Driver()});
    ASSERT_TRUE(dump.waitForFinished(30000));
    EXPECT_EQ(dump.exitCode(), 0);
    EXPECT_EQ(dump.readAllStandardError(), QByteArray());
    const auto json = nlohmann::json::parse(dump.readAllStandardOutput().toStdString());
    const std::string testo = json.dump();
    EXPECT_NE(testo.find("sCampo1"), std::string::npos) << testo;

    // The engine verifies the saved driver; Trasforma shows its log with the new field.
    Strumento("mnuVerifica");
    ASSERT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    Strumento("mnuTrasforma");
    const QString log = mF->ui()->rtfTesto->toPlainText();
    EXPECT_TRUE(log.startsWith(QStringLiteral("VERIFICA DEL DRIVER"))) << log.left(200).toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Chiamata uscente, riga 5")));
    EXPECT_TRUE(log.contains(QStringLiteral("sCampo1")));
    EXPECT_TRUE(log.contains(QStringLiteral("sCommessa   \"COMM001\" -> COMM001")));
    Strumento("mnuTrasforma");
    EXPECT_TRUE(mF->ui()->rtfTesto->toPlainText().startsWith(QStringLiteral("Panasonic KX-TDA200")));
}

}  // namespace

// The live preview on a real sample view: on printouts framed by STX/ETX or with control
// prefixes each field is coloured on the characters it was cut from and the column list reads
// the engine's column there; on the demo printout the column list counts incoming and outgoing
// lines, the switch shows the lines as the engine reads them, and a call's row selects its line.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "AiutiEngine.h"
#include "anteprima/ModelloAnteprima.h"
#include "anteprima/PannelloAnteprima.h"
#include "kit/TestoQt.h"
#include "model/Messaggi.h"
#include "model/clsDriver.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

class Anteprima : public ::testing::Test {
  protected:
    // Reads the sample with the driver into a view as the window loads it, each field in a
    // colour of its own.
    void Leggi(const std::string& sDriver, const std::string& sDati) {
        MessaggiRaccolti msg;
        mDriver.LoadDriver(sDriver, msg);
        msByte = LeggiTutto(sDati);
        mVista.setPlainText(DaCp1252(msByte));
        Aggiorna();
    }
    void Aggiorna() {
        mPannello.Aggiorna(
            mDriver, FormatiDemo(), msByte, &mVista, [](bool e, const std::string& n) {
                return QColor::fromRgb(
                    static_cast<QRgb>(std::hash<std::string>{}(n + "EU"[e]) | 0xFF000000));
            });
    }
    const ModelloAnteprima& Modello() const { return *mPannello.Modello(); }
    // The texts the column list shows.
    QStringList Colonna() const {
        QStringList t;
        for (int r = 0; r < mPannello.TabellaColonna()->rowCount(); ++r)
            t << mPannello.TabellaColonna()->item(r, 0)->text();
        return t;
    }

    clsDriver mDriver;
    std::string msByte;
    QTextEdit mVista;
    PannelloAnteprima mPannello;
};

QString SenzaControlli(QString s) {
    s.removeIf([](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t'); });
    return s;
}

TEST_F(Anteprima, ICampiSonoColoratiSuiCaratteriDaCuiVengono) {
    for (const std::string caso : {"record-stx-etx", "stampa-nec-stx-etx",
                                   "stampa-siemens-trasferite", "fine-riga-stampanti"}) {
        SCOPED_TRACE(caso);
        Leggi(TARNO_CASI_DIR "/" + caso + "/driver.drv", TARNO_CASI_DIR "/" + caso + "/stampa.txt");
        ASSERT_GT(Modello().Conteggi().Chiamate(), 0u);
        // The fields' selections (the grey lines aside) in the order of the calls and their
        // fields: each holds the text cut out (the control characters the reading dropped
        // aside). The first call's number is remembered.
        QList<QTextEdit::ExtraSelection> selezioni;
        for (const auto& s : mVista.extraSelections())
            if (s.format.hasProperty(QTextFormat::BackgroundBrush)) selezioni.append(s);
        int k = 0, numero = -1;
        std::string sNumero;
        for (const RigaAnteprima& r : Modello().Righe()) {
            if (r.tipo != RigaAnteprima::CHIAMATA) continue;
            for (const CampoLetto& c : r.vCampi) {
                if (c.bDerivato || c.iRiga == 0 || c.sTaglio.empty()) continue;
                ASSERT_LT(k, selezioni.size());
                EXPECT_EQ(SenzaControlli(selezioni[k].cursor.selectedText()), DaCp1252(c.sTaglio))
                    << c.sNome << " riga " << c.iRiga;
                if (c.sNome == "sNumero" && numero < 0) numero = k, sNumero = c.sTaglio;
                ++k;
            }
        }
        EXPECT_EQ(k, selezioni.size());
        EXPECT_GT(k, 3);
        // The first call's number selected in the view: the column list reads that column.
        ASSERT_GE(numero, 0);
        mVista.setTextCursor(selezioni[numero].cursor);
        EXPECT_TRUE(Colonna().contains(QLatin1Char('"') + DaCp1252(TestoVisibile(sNumero)) +
                                       QLatin1Char('"')))
            << Colonna().join(QLatin1Char('|')).toStdString();
        mVista.setTextCursor(QTextCursor(mVista.document()));
    }
    // The engine's warnings on the driver follow the summary, as its log gives them.
    Leggi(TARNO_CASI_DIR "/formati-sbagliati/driver.drv",
          TARNO_CASI_DIR "/formati-sbagliati/stampa.txt");
    EXPECT_TRUE(Modello().Sommario().contains(
        QStringLiteral("\nAVVISO: Campo dData (entranti): legge con il formato 13 \"hh:mm\", "
                       "che non \u00E8 un formato di data\n")))
        << Modello().Sommario().toStdString();
}
TEST_F(Anteprima, ColonnaRigheDelMotoreESelezioneDiUnaChiamata) {
    Leggi(TARNO_DEMO_PROVA "/Driver/PanasonicTDA.drv", TARNO_DEMO_PROVA "/Dati/PanasonicTDA.txt");
    const ConteggiAnalisi& c = Modello().Conteggi();
    EXPECT_EQ(c.iNonRiconosciute, 3u);  // the heading lines, in grey
    // Where "<I>" marks the incoming calls: the texts of that column, "<I>" on every incoming
    // call and on no outgoing one, the most frequent first.
    QTableWidget* testi = mPannello.TabellaColonna();
    EXPECT_TRUE(testi->isHidden());
    QTextCursor sel(mVista.document()->findBlockByNumber(3));
    sel.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 23);
    sel.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
    mVista.setTextCursor(sel);
    ASSERT_FALSE(testi->isHidden());
    const int conI = static_cast<int>(Colonna().indexOf(QStringLiteral("\"<I>\"")));
    ASSERT_GE(conI, 0);
    for (int r = 1; r < testi->rowCount(); ++r)
        EXPECT_GE(testi->item(r - 1, 1)->text().toInt(), testi->item(r, 1)->text().toInt());
    const QString entranti = QString::number(c.iEntranti);
    EXPECT_EQ(QStringList({testi->item(conI, 1)->text(), testi->item(conI, 2)->text(),
                           testi->item(conI, 3)->text()}),
              QStringList({entranti, entranti, QStringLiteral("0")}));

    // The lines as the engine reads them: the INIZIALE transformation has turned the quotes of
    // the durations into colons, one block a line read.
    mPannello.RigheMotore()->setChecked(true);
    Aggiorna();
    EXPECT_TRUE(mVista.toPlainText().contains(QStringLiteral("00:22:18")));
    EXPECT_FALSE(mVista.toPlainText().contains(QStringLiteral("00'22'18")));
    EXPECT_EQ(static_cast<size_t>(mVista.document()->blockCount()),
              Modello().Lettura().Righe().size());
    mPannello.RigheMotore()->setChecked(false);
    mVista.setPlainText(DaCp1252(msByte));
    Aggiorna();

    // Tooltips show their text as it is, and a line no call took tells why on its row.
    const auto comeTesto = [](const QVariant& v) {
        QTextDocument d;
        d.setHtml(v.toString());
        return d.toPlainText();
    };
    EXPECT_EQ(comeTesto(ModelloAnteprima::Suggerimento(QStringLiteral("a  <I> &b\n c"))),
              QStringLiteral("a  <I> &b\n c"));
    const auto& righe = Modello().Righe();
    const auto non = std::find_if(righe.begin(), righe.end(), [](const RigaAnteprima& r) {
        return r.tipo == RigaAnteprima::NON_RICONOSCIUTA;
    });
    ASSERT_NE(non, righe.end());
    EXPECT_EQ(comeTesto(Modello()
                            .index(int(non - righe.begin()), ModelloAnteprima::COL_TIPO)
                            .data(Qt::ToolTipRole)),
              DaCp1252(TestoVisibile(non->sTesto)) + QLatin1Char('\n') + non->sPerche);
    // The widths the user gave and the selected row outlive a refresh.
    QTableView* t = mPannello.Tabella();
    const int ultima = Modello().columnCount() - 1;
    t->setColumnWidth(0, 123);
    t->setColumnWidth(ultima - 1, 77);
    t->setCurrentIndex(Modello().index(5, 1));
    Aggiorna();
    EXPECT_EQ(std::tuple(t->columnWidth(0), t->columnWidth(ultima - 1), t->currentIndex().row()),
              std::tuple(123, 77, 5));

    // Clicking an outgoing call's row selects its line in the sample view.
    mPannello.resize(600, 400);
    mPannello.show();
    for (int r = 0; r < Modello().rowCount(); ++r) {
        const RigaAnteprima& riga = Modello().Righe()[static_cast<size_t>(r)];
        if (riga.tipo != RigaAnteprima::CHIAMATA || riga.bEntrante) continue;
        t->scrollTo(Modello().index(r, 0));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier,
                          t->visualRect(Modello().index(r, 0)).center());
        EXPECT_EQ(mVista.textCursor().selectedText(),
                  mVista.document()->findBlockByNumber(int(riga.vRighe.front()) - 1).text());
        break;
    }
}

}  // namespace

// The grid's table model on its own: checked by QAbstractItemModelTester through every change
// of shape, and its conversions between Windows-1252 cells and the texts shown.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "clsModelloGriglia.h"

using tarno::clsListaValori;
using tarno::clsModelloGriglia;
using tarno::TabellaValori;

namespace {

// Collects what QAbstractItemModelTester reports (it warns under the category qt.modeltest).
class RaccoltaAvvisi {
  public:
    RaccoltaAvvisi() {
        mvAvvisi().clear();
        mpPrecedente = qInstallMessageHandler(&RaccoltaAvvisi::Gestore);
    }
    ~RaccoltaAvvisi() { qInstallMessageHandler(mpPrecedente); }
    const QStringList& Avvisi() const { return mvAvvisi(); }

  private:
    static QStringList& mvAvvisi() {
        static QStringList avvisi;
        return avvisi;
    }
    static void Gestore(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
        if (tipo != QtDebugMsg && contesto.category &&
            QByteArray(contesto.category) == "qt.modeltest")
            mvAvvisi() << testo;
    }
    QtMessageHandler mpPrecedente = nullptr;
};

QString Mostrato(const clsModelloGriglia& m, int r, int c) {
    return m.data(m.index(r, c), Qt::DisplayRole).toString();
}

}  // namespace

TEST(ModelloGriglia, ResistsTheModelTesterThroughEveryChangeOfShape) {
    RaccoltaAvvisi raccolta;
    TabellaValori rgx(3, 2);
    rgx.Cella(0, 0) = "a";
    rgx.Cella(2, 1) = "z";
    clsModelloGriglia m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Warning);

    m.Associa(&rgx);
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.columnCount(), 2);
    m.AggiungiColonna("Uno");
    m.AggiungiColonna("Due");
    m.AggiungiColonna("Tre");  // beyond the table: shown empty, never editable
    EXPECT_EQ(m.columnCount(), 3);
    EXPECT_FALSE(m.flags(m.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_EQ(Mostrato(m, 0, 2), "");

    m.ImpostaRigaInserimento(true);
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.headerData(3, Qt::Vertical).toString(), "*");
    EXPECT_TRUE(m.setData(m.index(3, 1), "nuovo"));
    EXPECT_EQ(rgx.Righe(), 4);
    EXPECT_EQ(rgx.Cella(3, 1), "nuovo");
    EXPECT_EQ(m.rowCount(), 5);
    EXPECT_EQ(m.headerData(3, Qt::Vertical).toString(), "4");

    EXPECT_TRUE(m.InserisciRiga(0));
    EXPECT_EQ(rgx.Cella(1, 0), "a");
    EXPECT_TRUE(m.EliminaRiga(0));
    EXPECT_TRUE(m.EliminaRiga(3));
    EXPECT_FALSE(m.EliminaRiga(3));  // the entry row is no table row
    EXPECT_EQ(rgx.Righe(), 3);

    rgx.Dimensiona(6, 2);
    m.RiAssocia();
    EXPECT_EQ(m.rowCount(), 7);
    rgx.Dimensiona(1, 2);
    m.Aggiorna();  // a changed shape rebinds
    EXPECT_EQ(m.rowCount(), 2);
    m.EliminaColonne();
    EXPECT_EQ(m.columnCount(), 2);
    m.Associa(nullptr);
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.columnCount(), 0);

    EXPECT_TRUE(raccolta.Avvisi().isEmpty()) << raccolta.Avvisi().join('\n').toStdString();
}

TEST(ModelloGriglia, ConvertsWindows1252AndRefusesWhatItCannotHold) {
    TabellaValori rgx(1, 1);
    rgx.Cella(0, 0) = "citt\xE0 \xB7";
    clsModelloGriglia m;
    m.Associa(&rgx);
    EXPECT_EQ(Mostrato(m, 0, 0), QString::fromUtf8("città ·"));

    QSignalSpy cambi(&m, &clsModelloGriglia::CellaModificata);
    QSignalSpy rifiuti(&m, &clsModelloGriglia::TestoRifiutato);
    EXPECT_TRUE(m.setData(m.index(0, 0), QString::fromUtf8("perché €")));
    EXPECT_EQ(rgx.Cella(0, 0), "perch\xE9 \x80");
    EXPECT_EQ(cambi.count(), 1);

    EXPECT_FALSE(m.setData(m.index(0, 0), QString::fromUtf8("Ω")));
    EXPECT_EQ(rgx.Cella(0, 0), "perch\xE9 \x80");
    ASSERT_EQ(rifiuti.count(), 1);
    const QString messaggio = rifiuti.at(0).at(0).toString();
    EXPECT_TRUE(messaggio.contains("Windows-1252")) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains(QString::fromUtf8("Ω"))) << messaggio.toStdString();

    // Writing the same value again is no change.
    EXPECT_TRUE(m.setData(m.index(0, 0), QString::fromUtf8("perché €")));
    EXPECT_EQ(cambi.count(), 1);
}

TEST(ModelloGriglia, ValueListTranslatesAndRestricts) {
    TabellaValori rgx(2, 1);
    rgx.Cella(0, 0) = "2";
    rgx.Cella(1, 0) = "7";  // not listed: shown as it is
    clsModelloGriglia m;
    m.Associa(&rgx);
    m.AggiungiColonna("Allin.");
    clsListaValori lista;
    lista.Aggiungi("0", "");
    lista.Aggiungi("2", "Sinistra");
    lista.Aggiungi("1", "Destra");
    lista.ImpostaLimita(true);
    m.Colonna(0)->moLista = lista;

    EXPECT_EQ(Mostrato(m, 0, 0), "Sinistra");
    EXPECT_EQ(m.data(m.index(0, 0), clsModelloGriglia::RuoloValore).toString(), "2");
    EXPECT_EQ(Mostrato(m, 1, 0), "7");

    EXPECT_TRUE(m.setData(m.index(0, 0), "destra"));  // letter case ignored
    EXPECT_EQ(rgx.Cella(0, 0), "1");
    EXPECT_TRUE(m.setData(m.index(0, 0), "2"));  // a listed stored value
    EXPECT_EQ(rgx.Cella(0, 0), "2");
    EXPECT_TRUE(m.setData(m.index(0, 0), ""));  // the empty text is the item "" -> 0
    EXPECT_EQ(rgx.Cella(0, 0), "0");

    QSignalSpy rifiuti(&m, &clsModelloGriglia::TestoRifiutato);
    EXPECT_FALSE(m.setData(m.index(0, 0), "Centro"));
    EXPECT_FALSE(m.setData(m.index(0, 0), "5", clsModelloGriglia::RuoloValore));
    EXPECT_EQ(rgx.Cella(0, 0), "0");
    ASSERT_EQ(rifiuti.count(), 2);
    EXPECT_EQ(rifiuti.at(0).at(0).toString(),
              QString::fromUtf8("Valore non ammesso nella colonna \"Allin.\": \"Centro\"."));
    EXPECT_TRUE(m.setData(m.index(0, 0), "1", clsModelloGriglia::RuoloValore));
    EXPECT_EQ(rgx.Cella(0, 0), "1");

    // Without restriction other text is stored as typed; listed texts still translate.
    m.Colonna(0)->moLista.ImpostaLimita(false);
    EXPECT_TRUE(m.setData(m.index(0, 0), "Centro"));
    EXPECT_EQ(rgx.Cella(0, 0), "Centro");
    EXPECT_TRUE(m.setData(m.index(0, 0), "Sinistra"));
    EXPECT_EQ(rgx.Cella(0, 0), "2");

    // A number range with empty always accepted, as the line and position columns use it.
    clsListaValori righe;
    righe.AggiungiIntervallo(1, 10);
    righe.ImpostaLimita(true);
    m.Colonna(0)->moLista = righe;
    EXPECT_FALSE(m.setData(m.index(0, 0), "11"));
    EXPECT_FALSE(m.setData(m.index(0, 0), "0"));
    EXPECT_TRUE(m.setData(m.index(0, 0), "10"));
    EXPECT_TRUE(m.setData(m.index(0, 0), ""));
    EXPECT_EQ(rgx.Cella(0, 0), "");
}

TEST(ModelloGriglia, DropDownTranslatesStoredCodes) {
    TabellaValori formati(3, 2);
    formati.Cella(1, 0) = "gg/mm/aa";
    formati.Cella(1, 1) = "101";
    formati.Cella(2, 0) = "aaaa-mm-gg";
    formati.Cella(2, 1) = "102";
    tarno::clsDropDown drp;
    drp.Associa(&formati, 0, 1);

    TabellaValori rgx(1, 1);
    rgx.Cella(0, 0) = "102";
    clsModelloGriglia m;
    m.Associa(&rgx);
    m.AggiungiColonna("Formato");
    m.Colonna(0)->mpDropDown = &drp;
    EXPECT_EQ(Mostrato(m, 0, 0), "aaaa-mm-gg");
    EXPECT_TRUE(m.setData(m.index(0, 0), "GG/MM/AA"));  // typed text of an entry
    EXPECT_EQ(rgx.Cella(0, 0), "101");
}

TEST(ModelloGriglia, ReadOnlyColumnsAndTablesChangedBehindItsBack) {
    TabellaValori rgx(2, 2);
    clsModelloGriglia m;
    m.Associa(&rgx);
    m.AggiungiColonna("Opzione");
    m.AggiungiColonna("Valore");
    m.Colonna(0)->mbSolaLettura = true;
    EXPECT_FALSE(m.flags(m.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.setData(m.index(0, 0), "x"));
    EXPECT_EQ(rgx.Cella(0, 0), "");

    // The owner shrinks the table without telling: nothing is read out of range and nothing
    // is written until the grid is rebound.
    rgx.Dimensiona(1, 1);
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(Mostrato(m, 1, 1), "");
    EXPECT_FALSE(m.setData(m.index(0, 1), "x"));
    EXPECT_FALSE(m.InserisciRiga(0));
    m.RiAssocia();
    EXPECT_EQ(m.rowCount(), 1);
}

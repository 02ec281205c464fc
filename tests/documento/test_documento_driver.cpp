// The document: edits gathered into one step per user action, undo and redo of whole states
// with the pages told, and the saved state following the history's clean point.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>

#include "DocumentoDriver.h"

using namespace tarno;

namespace {

class DocumentoTest : public ::testing::Test {
  protected:
    DocumentoTest() {
        mDoc.mrgxEntranti.Dimensiona(14, Campi::NUM_COLONNE);
        mDoc.mrgxIdent.Dimensiona(Ident::NUM_RIGHE, 2);
        mDoc.mfnLuogo = [this] { return miLuogo; };
        mDoc.IniziaStoria();
    }
    // One user action: a cell, the driver's brand and the author, told twice.
    void Modifica(const std::string& v) {
        mDoc.mrgxEntranti.Cella(0, Campi::COL_RIGA) = v;
        mDoc.Modificato();
        mDoc.Driver().msMarca = v;
        mDoc.ImpostaTestoGenerale(DocumentoDriver::AUTORE, QString::fromStdString(v));
        mDoc.Modificato();
        // The end of the user's action: the event loop would run the document's timer now.
        mDoc.RegistraModifiche();
    }
    int Passi() const { return mDoc.Storia()->count(); }

    DocumentoDriver mDoc;
    int miLuogo = 3;
};

TEST_F(DocumentoTest, OneUserActionIsOneStepAndUndoRedoPutWholeStatesBack) {
    QSignalSpy salvato(&mDoc, &DocumentoDriver::StatoSalvataggioCambiato);
    QSignalSpy ripristinato(&mDoc, &DocumentoDriver::Ripristinato);
    QSignalSpy luogo(&mDoc, &DocumentoDriver::PassoApplicato);
    // Before a state is put back the document still holds the one being left.
    std::vector<std::string> prima;
    QObject::connect(&mDoc, &DocumentoDriver::PrimaDelRipristino,
                     [&] { prima.push_back(mDoc.mrgxEntranti.Cella(0, Campi::COL_RIGA)); });

    EXPECT_FALSE(mDoc.NonSalvato() || mDoc.PuoAnnullare());
    Modifica("1");
    EXPECT_EQ(Passi(), 1);
    EXPECT_TRUE(mDoc.NonSalvato() && mDoc.PuoAnnullare());
    EXPECT_TRUE(salvato.count() > 0 && salvato.last().at(0).toBool());
    miLuogo = 4;
    Modifica("2");
    EXPECT_EQ(Passi(), 2);

    mDoc.Annulla();
    EXPECT_EQ(mDoc.mrgxEntranti.Cella(0, Campi::COL_RIGA), "1");
    EXPECT_EQ(mDoc.moDriver->msMarca, "1");
    EXPECT_EQ(mDoc.TestoGenerale(DocumentoDriver::AUTORE), QStringLiteral("1"));
    EXPECT_EQ(prima, std::vector<std::string>{"2"});
    EXPECT_EQ(ripristinato.count(), 1);
    ASSERT_EQ(luogo.count(), 1);
    EXPECT_EQ(luogo.at(0).at(0).toInt(), 4);  // where the step undone was made
    mDoc.Annulla();
    EXPECT_EQ(mDoc.mrgxEntranti.Cella(0, Campi::COL_RIGA), "");
    EXPECT_FALSE(mDoc.NonSalvato());  // back at the saved state
    mDoc.Ripristina();
    mDoc.Ripristina();
    EXPECT_EQ(mDoc.moDriver->msMarca, "2");
    EXPECT_TRUE(mDoc.NonSalvato() && !mDoc.PuoRipristinare());

    // A save is the clean point: undoing from it is unsaved, redoing back to it saved.
    mDoc.SegnaSalvato();
    EXPECT_FALSE(mDoc.NonSalvato());
    mDoc.Annulla();
    EXPECT_TRUE(mDoc.NonSalvato());
    mDoc.Ripristina();
    EXPECT_FALSE(mDoc.NonSalvato());
    // New and Open end the history.
    mDoc.IniziaStoria();
    EXPECT_FALSE(mDoc.PuoAnnullare() || mDoc.PuoRipristinare() || mDoc.NonSalvato());
}

TEST_F(DocumentoTest, AnEditThatChangesNothingAndTypingTakenBackLeaveNoStep) {
    mDoc.Modificato();
    EXPECT_TRUE(mDoc.NonSalvato());  // at once, for the Save entry and the title
    mDoc.RegistraModifiche();
    EXPECT_EQ(Passi(), 0);
    EXPECT_FALSE(mDoc.PuoAnnullare() || mDoc.NonSalvato());

    // Keys typed in a row into one box are one step; typed back to the start, none.
    QObject casella;
    for (const char* v : {"a", "ab", "a", ""}) {
        mDoc.ImpostaTestoGenerale(DocumentoDriver::NOTE, QString::fromLatin1(v));
        mDoc.Modificato(&casella);
        mDoc.RegistraModifiche();
        EXPECT_LE(Passi(), 1) << v;
    }
    EXPECT_FALSE(mDoc.PuoAnnullare());
    mDoc.ImpostaTestoGenerale(DocumentoDriver::NOTE, QStringLiteral("x"));
    mDoc.Modificato(&casella);
    mDoc.RegistraModifiche();
    Modifica("5");  // another place: a step of its own
    EXPECT_EQ(Passi(), 2);
}

TEST_F(DocumentoTest, ThePartsAPageChangesAreToldToTheOthersWithoutAStep) {
    QSignalSpy parti(&mDoc, &DocumentoDriver::ParteCambiata);
    mDoc.mrgxTrasf.Dimensiona(Trasf::NUM_RIGHE, 2);
    mDoc.mrgxTrasf.Cella(Trasf::DURATA, 1) = "S\xEC";
    mDoc.miUnitaDurata = 1;
    mDoc.AnnunciaParti(DocumentoDriver::TRASFORMAZIONI | DocumentoDriver::ENTRANTI);
    ASSERT_EQ(parti.count(), 1);
    EXPECT_EQ(parti.at(0).at(0).toInt(),
              DocumentoDriver::TRASFORMAZIONI | DocumentoDriver::ENTRANTI);
    EXPECT_FALSE(mDoc.NonSalvato());
    const ConversioniCampi conv = mDoc.Conversioni("S\xEC");
    EXPECT_TRUE(conv.bDurata && !conv.bScatti && conv.iUnitaDurata == 1);
}

}  // namespace

// The document: edits gathered into one step per user action, undo and redo of whole states
// with the pages told, and the saved state following the history's clean point.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>

#include "documento/DocumentoDriver.h"
#include "model/clsCampo.h"
#include "model/clsTrasformazione.h"

using namespace tarno;

namespace {

class DocumentoTest : public ::testing::Test {
  protected:
    DocumentoTest() {
        mDoc.mrgxEntranti.Dimensiona(14, Campi::NUM_COLONNE);
        mDoc.mrgxIdent.Dimensiona(Ident::NUM_RIGHE, 2);
        mDoc.mrgxTrasf.Dimensiona(Trasf::NUM_RIGHE, 2);
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

TEST_F(DocumentoTest, ALoadedDriverFillsTheTablesAndEmptyingClearsThem) {
    clsDriver& d = mDoc.Driver();
    d.msAutore = "Ren\xE9";
    d.mlOffset = "2";
    d.moEntranti = std::make_unique<clsChiamata>();
    d.moEntranti->miNumRighe = 2;
    d.moEntranti->mcolCampi.emplace();
    clsCampo durata;
    durata.msNome = "dDurata";
    durata.miRiga = 2;
    durata.miInizio = 5;
    durata.miLunghezza = 4;
    durata.menEccezione = clsCampo::DURATA_TRASF;
    durata.moTrasf = std::make_unique<clsTrasformazione>();
    durata.moTrasf->msSorgente = "1,0";
    durata.moTrasf->msValore = "10";
    d.moEntranti->mcolCampi->Add(std::move(durata), "3");
    QSignalSpy ripristinato(&mDoc, &DocumentoDriver::Ripristinato);
    mDoc.RiempiDalDriver("S\xEC", "No");
    EXPECT_EQ(ripristinato.count(), 1);
    EXPECT_EQ(mDoc.TestoGenerale(DocumentoDriver::AUTORE), QStringLiteral("Ren\u00E9"));
    EXPECT_EQ(
        mDoc.mrgxIdent.Cella(Ident::RIGA_ENTRANTI, 1) + mDoc.mrgxIdent.Cella(Ident::RIGA_OFFSET, 1),
        "22");
    EXPECT_EQ(mDoc.mrgxEntranti.Cella(Campi::RIGA_DURATA, Campi::COL_POSIZ), "5");
    EXPECT_TRUE(mDoc.Presente(Trasf::DURATA, "S\xEC") && !mDoc.Presente(Trasf::SCATTI, "S\xEC"));
    EXPECT_EQ(mDoc.mlConversioneDurata, 10);
    EXPECT_EQ(mDoc.miFrazioneDurata, 1);

    mDoc.Svuota("No");
    EXPECT_EQ(ripristinato.count(), 2);
    EXPECT_TRUE(mDoc.TestoGenerale(DocumentoDriver::AUTORE).isEmpty());
    EXPECT_EQ(mDoc.mrgxEntranti.Cella(Campi::RIGA_DURATA, Campi::COL_POSIZ), "");
    EXPECT_EQ(mDoc.mrgxTrasf.Cella(Trasf::DURATA, 1), "No");
    EXPECT_EQ(mDoc.mrgxIdent.Cella(Ident::RIGA_ENTRANTI, 1), "0");
    EXPECT_EQ(mDoc.mlConversioneDurata, 0);
    EXPECT_FALSE(mDoc.moDriver->moEntranti && mDoc.moDriver->moEntranti->mcolCampi &&
                 mDoc.moDriver->moEntranti->mcolCampi->Count() > 0);
}

}  // namespace

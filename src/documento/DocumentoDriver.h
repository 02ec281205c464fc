#pragma once
// The driver being edited: the driver object, the tables the pages edit (identification,
// transformations, incoming and outgoing fields), the texts of the general page and the
// duration and pulse conversions; the undo history of its states and whether it is saved.
//
// The pages edit the tables and the driver in place and then tell the document (Modificato);
// once the event loop is done with the user's action, the document compares itself with the
// state the history last recorded and a difference becomes one step. Undo and redo put a
// whole state back and tell the pages (Ripristinato), which then show it.

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/TabellaValori.h"
#include "model/clsDriver.h"
#include "tabelle/MappaChiamate.h"

class QTimer;
class QUndoStack;

namespace tarno {

class DocumentoDriver : public QObject {
    Q_OBJECT

  public:
    // The parts of the document a page may follow.
    enum Parte {
        GENERALE = 1,
        IDENTIFICAZIONE = 2,
        TRASFORMAZIONI = 4,
        ENTRANTI = 8,
        USCENTI = 16,
        TUTTO = 31,
    };
    // The texts of the general page.
    enum Testo { AUTORE, DATA, VERSIONE, NOTE, MARCA, MODELLO, NUM_TESTI };

    // One state of the document, as one step of the history goes from one to the next.
    struct Stato {
        std::array<QString, NUM_TESTI> vTesti;
        TabellaValori rgxIdent, rgxTrasf, rgxEntranti, rgxUscenti;
        int16_t iFrazioneDurata = -1;
        int16_t iUnitaDurata = -1;
        int32_t lConversioneDurata = 0;
        int32_t lDividereScatti = 1;
        std::shared_ptr<const clsDriver> oDriver;
        std::string sDriver;  // the driver as text, for comparing
        bool operator==(const Stato& altro) const;
    };

    explicit DocumentoDriver(QObject* parent = nullptr);
    ~DocumentoDriver() override;

    // The driver (none before the first New or Open) and the tables behind the grids.
    std::unique_ptr<clsDriver> moDriver;
    TabellaValori mrgxIdent, mrgxTrasf, mrgxEntranti, mrgxUscenti;
    // The duration and pulse conversions chosen on the Trasformazioni page.
    int16_t miFrazioneDurata = -1;
    int16_t miUnitaDurata = -1;
    int32_t mlConversioneDurata = 0;
    int32_t mlDividereScatti = 1;

    // The driver, made when there is none yet.
    clsDriver& Driver();
    // The field table of a call kind.
    TabellaValori& TabellaCampi(TipoChiamata tipo);
    // Whether an option row of the transformations table says "Sì" (sSi: the stored "Sì").
    bool Presente(int iRigaTrasf, const std::string& sSi) const;
    // The conversions of the transformations table, as the fields carry them.
    ConversioniCampi Conversioni(const std::string& sSi) const;

    // The driver as the document holds it now, without the checks of a save and leaving
    // moDriver as it is (sSi: the stored "Sì"). Brand and model that a driver file cannot hold
    // stay as they were; the fields of the rows a save would refuse are left out and told in
    // pProblemi. With bSenzaFormato a date or time field whose fault is only its missing format
    // is kept, with format 0 (still told): its values can be cut out.
    clsDriver DriverDalleTabelle(
        const std::string& sSi,
        std::vector<std::pair<TipoChiamata, ProblemaCampo>>* pProblemi = nullptr,
        bool bSenzaFormato = false) const;

    // An empty document: the option rows "No" (sNo: the stored "No"), no lines, no fields, the
    // texts empty and the driver emptied, its file name too. The pages are told (Ripristinato).
    void Svuota(const std::string& sNo);
    // The texts and tables from the driver just loaded into moDriver (sSi, sNo: the stored "Sì"
    // and "No"). The pages are told (Ripristinato).
    void RiempiDalDriver(const std::string& sSi, const std::string& sNo);
    // The whole document replaced by a driver (its file name stays the document's) as one step
    // of the history: one undo puts back the document as it was. Edits not yet recorded become
    // a step of their own first (sSi, sNo: the stored "Sì" and "No").
    void Sostituisci(const clsDriver& driver, const std::string& sSi, const std::string& sNo);
    // With the date on a line of its own, the date line's condition says where the date lies:
    // the "Data" rows of both field tables take it. True when they did.
    bool ApplicaDataIsolata(const std::string& sSi);

    const QString& TestoGenerale(Testo t) const { return mvTesti[t]; }
    // Mirrors a text of the general page; the edit itself is told with Modificato.
    void ImpostaTestoGenerale(Testo t, const QString& s) { mvTesti[t] = s; }

    // An edit was made. Edits of one user action make one step; the keys typed in a row into
    // one text box (pFonte) make one step too.
    void Modificato(QObject* pFonte = nullptr);
    // Tells the pages that parts changed (ParteCambiata), without making a step of it.
    void AnnunciaParti(int iParti);
    // The edits not yet in the history become a step now (none when nothing differs).
    void RegistraModifiche();
    // The state now is the saved one: Save, and what New and Open leave.
    void SegnaSalvato();
    // New and Open: the history starts again from the state now, which is the saved one.
    void IniziaStoria();
    void Annulla();
    void Ripristina();
    bool PuoAnnullare() const;
    bool PuoRipristinare() const;
    // Unsaved changes.
    bool NonSalvato() const { return mbNonSalvato; }
    // A state being put back: its changes are no edit.
    bool InRipristino() const { return mbRipristino; }
    QUndoStack* Storia() const { return mpStoria; }

    Stato Fotografa() const;
    // Puts a state back (the driver's file name stays) and tells the pages, without making a
    // step of it.
    void RipristinaStato(const Stato& s);

    // Where an edit is made (the window's page): a step undone or redone tells it back with
    // PassoApplicato.
    std::function<int()> mfnLuogo;

  signals:
    // The document's content may have changed (an edit, undo, redo, a save, a load).
    void Cambiato();
    void StatoSalvataggioCambiato(bool bNonSalvato);
    // Parts changed by an edit that other pages follow.
    void ParteCambiata(int iParti);
    // A state is about to be put back: editors still open belong to the state being left.
    void PrimaDelRipristino();
    // A state was put back: every page shows the document again.
    void Ripristinato();
    // An undone or redone step, made where iLuogo says.
    void PassoApplicato(int iLuogo);

  private:
    void ImpostaNonSalvato(bool b);
    // The end of putting a state back, an emptying or a filling: the pages are told, and the
    // state now is the one the next step starts from.
    void FineRipristino();

    std::array<QString, NUM_TESTI> mvTesti;
    QUndoStack* mpStoria = nullptr;
    QTimer* mpTimer = nullptr;  // gathers the edits of one user action
    Stato mStatoRegistrato;
    QObject* mpFonte = nullptr;
    bool mbRipristino = false;
    bool mbNonSalvato = false;
};

}  // namespace tarno

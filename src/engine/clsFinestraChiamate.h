#pragma once
// The identification of calls: the lines the reader gives enter a window as long as the
// longest call. At its head the engine looks, in this order, for a date on its own line, an
// incoming call (transferred conditions first, then the plain ones) and an outgoing call; a call
// takes its kind's number of lines, gets the transformations of its level and has its fields
// read. A line where nothing starts belongs to no call, with the condition that failed for
// each kind. What the printout ends in the middle of is an incomplete call when the conditions
// on the lines it has hold.

#include <optional>
#include <string>
#include <vector>

#include "engine/RigaMotore.h"
#include "engine/clsAnalizzatore.h"
#include "engine/clsImpostazioniMotore.h"
#include "engine/clsLetturaCampi.h"

namespace tarno {

class clsFinestraChiamate {
  public:
    // rConteggi gets the calls, date lines, unrecognised lines and values that failed.
    clsFinestraChiamate(const clsImpostazioniMotore& imp, IEsitiAnalisi& esiti,
                        ConteggiAnalisi& rConteggi);

    // The next line as the engine reads it; what starts at the head of a full window is read.
    void Aggiungi(const RigaMotore& r);
    // The printout has ended (or its end mark came): what is left in the window is settled.
    void Svuota();

  private:
    void Elabora(bool bFine);
    const RigaFinestra* RigaDellaFinestra(int r) const {
        if (r < 1 || static_cast<size_t>(r) > miConta) return nullptr;
        return &mvFinestra[(miTesta + static_cast<size_t>(r) - 1) % mvFinestra.size()];
    }
    RigaFinestra& Voce(size_t k) { return mvFinestra[(miTesta + k) % mvFinestra.size()]; }
    void Togli(size_t n) {
        miTesta = (miTesta + n) % mvFinestra.size();
        miConta -= n;
    }
    // Why the conditions do not hold on the window: the condition that made them false.
    template <class F>
    std::string Causa(const motore::Catena& cat, F riga, bool bParziale) const;
    std::string Perche(bool bFine) const;
    // Separated fields: whether the lines of the window hold the fields kind t reads on them.
    bool CampiBastano(const motore::Tipo& t) const;
    void ApplicaAllaChiamata(const motore::Tipo& t);
    void Chiamata(const motore::Tipo& t, bool bTrasferita);
    void Incompleta(const motore::Tipo& t, bool bTrasferita);
    // The day of a call under a date line, from its start and end and the calls before;
    // moves the date read (rData) and says why.
    void GiornoDellaChiamata(std::optional<double> dInizio, std::optional<double> dFine,
                             CampoLetto& rData);
    // The reused record of a call, emptied and set for a call of kind t.
    ChiamataLetta& NuovaChiamata(const motore::Tipo& t, bool bTrasferita, bool bIncompleta);

    const clsImpostazioniMotore& mImp;
    IEsitiAnalisi& mEsiti;
    ConteggiAnalisi& mConteggi;
    clsLetturaCampi mCampi;
    std::vector<RigaFinestra> mvFinestra;  // ring buffer
    size_t miTesta = 0, miConta = 0;
    std::vector<const RigaFinestra*> mvRighe;  // the window's lines in order, for a call
    DataCorrente mData;
    // Under the current date line: the time of day of reference (the last end, or the latest
    // start where the end is not known) and the midnights passed since the line.
    std::optional<double> mOraPrecedente;
    int miGiorniDopo = 0;
    ChiamataLetta mChiamata;
};

}  // namespace tarno

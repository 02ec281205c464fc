#pragma once
// The one reader of a printout's lines: bytes in, the lines the engine reads out, each with its
// number in the printout and where its characters came from in the bytes. Every reader of a
// sample (the engine, the preview, the analysis of a sample) goes through it.
//
// In bytes, CR LF, LF and CR alone each end a line; a form feed after text ends that line and
// starts the next one (it stays as that line's first character); SeparatoreRecord names one
// more character that ends a line and is dropped. Each line then goes through, in this order:
// TogliControlli (control characters but the tab dropped), the prescanning entries (header
// lines, lines to skip, end of the printout), the driver's prefix (Offset), "Ignora righe
// vuote", the cut of long lines ("Caratteri_ultima_riga") and the general transformations of
// level INIZIALE.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CampiSeparati.h"
#include "engine/RigaMotore.h"
#include "engine/clsAnalizzatore.h"

namespace tarno {

class clsImpostazioniMotore;

// Where the reader's lines go, in the order of the printout.
class IRigheMotore {
  public:
    virtual ~IRigheMotore() = default;
    // A line (or piece) that enters the reading.
    virtual void Riga(const RigaMotore& r) = 0;
    // A line that does not: header, skipped, end of the printout and after it, empty.
    virtual void Scartata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo) = 0;
    // A line far longer than the driver reads, before what becomes of it.
    virtual void AvvisoRiga(uint64_t /*iRiga*/, std::string_view /*sAvviso*/) {}
};

class clsLettoreRighe {
  public:
    // rConteggi gets the lines, the empty and prescanning ones, the long and cut ones.
    clsLettoreRighe(const clsImpostazioniMotore& imp, IRigheMotore& righe,
                    ConteggiAnalisi& rConteggi);

    // The next bytes of the printout, cut anywhere.
    void Dati(std::string_view sBlocco);
    // The next line, without its end (not to be mixed with Dati); its bytes count as if it
    // ended in one LF.
    void Riga(std::string_view sTesto);
    // The printout has ended: the last line without its end is read.
    void Fine();

  private:
    void Accumula(const char* a, const char* b);
    void FineRiga(const char* a, const char* b);
    void Leggi(std::string_view s);
    void Aggiungi(uint64_t n, std::string_view s, uint8_t iPezzo, size_t iSalto);

    const clsImpostazioniMotore& mImp;
    IRigheMotore& mRighe;
    ConteggiAnalisi& mConteggi;
    // The bytes not yet a line.
    std::string msParziale;
    size_t miParziale = 0;  // its length, beyond what is kept
    bool mbDopoCR = false;  // the last byte was a CR that ended a line
    uint64_t miLetti = 0;   // bytes of the printout before the current block
    uint64_t miInizio = 0;  // where the current line starts in the printout
    bool mbDopoFine = false;
    std::string msPulita;  // a line without its control characters
    std::vector<uint32_t> mvTolti;
    RigaFinestra mIniziale;  // a line after the transformations of level INIZIALE
    RigaMotore mRiga;
};

}  // namespace tarno

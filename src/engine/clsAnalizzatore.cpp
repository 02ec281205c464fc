#include "engine/clsAnalizzatore.h"

#include "engine/TestoMotore.h"
#include "engine/clsFinestraChiamate.h"
#include "engine/clsImpostazioniMotore.h"
#include "engine/clsLettoreRighe.h"
#include "model/Testo.h"

namespace tarno {

// The three jobs in a row: the driver compiled once, the line reader, the window of a call.
struct clsAnalizzatore::Impl : IRigheMotore {
    Impl(const clsDriver& driver, const MappaFormati& formati, IEsitiAnalisi& rEsiti)
        : esiti(rEsiti),
          impostazioni(driver, formati),
          finestra(impostazioni, rEsiti, conteggi),
          lettore(impostazioni, *this, conteggi) {}

    void Riga(const RigaMotore& r) override {
        esiti.RigaLetta(r);
        finestra.Aggiungi(r);
    }
    void Scartata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo) override {
        // The end of the printout settles the calls before it first.
        if (motivo == MotivoRiga::FineStampa) finestra.Svuota();
        esiti.RigaSenzaChiamata(iRiga, sTesto, motivo, {}, {});
    }
    void AvvisoRiga(uint64_t iRiga, std::string_view sAvviso) override {
        esiti.AvvisoRiga(iRiga, sAvviso);
    }

    IEsitiAnalisi& esiti;
    ConteggiAnalisi conteggi;
    clsImpostazioniMotore impostazioni;
    clsFinestraChiamate finestra;
    clsLettoreRighe lettore;
    bool bFinito = false;
};

std::string TestoVisibile(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            r += '<';
            r += NomeControllo(c);
            r += '>';
        } else {
            r += c;
        }
    }
    return r;
}

clsAnalizzatore::clsAnalizzatore(const clsDriver& driver, const MappaFormati& formati,
                                 IEsitiAnalisi& esiti)
    : mp(std::make_unique<Impl>(driver, formati, esiti)) {}

clsAnalizzatore::~clsAnalizzatore() = default;

const std::vector<NotaImpostazione>& clsAnalizzatore::Impostazioni() const {
    return mp->impostazioni.Note();
}

void clsAnalizzatore::Dati(std::string_view sBlocco) {
    if (!mp->bFinito) mp->lettore.Dati(sBlocco);
}

void clsAnalizzatore::Riga(std::string_view sTesto) {
    if (!mp->bFinito) mp->lettore.Riga(sTesto);
}

void clsAnalizzatore::Fine() {
    if (mp->bFinito) return;
    mp->lettore.Fine();
    mp->finestra.Svuota();
    mp->bFinito = true;
}

const ConteggiAnalisi& clsAnalizzatore::Conteggi() const { return mp->conteggi; }

}  // namespace tarno

#include "documento/DocumentoDriver.h"

#include <QTimer>
#include <QUndoStack>

#include "model/DriverJson.h"
#include "model/Testo.h"

namespace tarno {

namespace {

constexpr int ID_DIGITAZIONE = 1;
// The oldest steps go beyond this many.
constexpr int LIMITE_PASSI = 200;

// One step of the history: the states before and after it, and where it was made.
class PassoModifica : public QUndoCommand {
  public:
    PassoModifica(DocumentoDriver& doc, DocumentoDriver::Stato prima, DocumentoDriver::Stato dopo,
                  QObject* pFonte, int iLuogo)
        : mDoc(doc),
          mPrima(std::move(prima)),
          mDopo(std::move(dopo)),
          mpFonte(pFonte),
          miLuogo(iLuogo) {}

    void undo() override {
        mDoc.RipristinaStato(mPrima);
        emit mDoc.PassoApplicato(miLuogo);
    }
    void redo() override {
        // Pushing the step finds the document already in the state after it.
        if (mbFatto) {
            mDoc.RipristinaStato(mDopo);
            emit mDoc.PassoApplicato(miLuogo);
        }
        mbFatto = true;
    }
    int id() const override { return mpFonte ? ID_DIGITAZIONE : -1; }
    bool mergeWith(const QUndoCommand* altro) override {
        const auto* p = static_cast<const PassoModifica*>(altro);
        if (p->mpFonte != mpFonte) return false;
        mDopo = p->mDopo;
        // Typing that went back to where it started leaves no step.
        setObsolete(mPrima == mDopo);
        return true;
    }

  private:
    DocumentoDriver& mDoc;
    DocumentoDriver::Stato mPrima, mDopo;
    QObject* mpFonte;
    int miLuogo;
    bool mbFatto = false;
};

}  // namespace

bool DocumentoDriver::Stato::operator==(const Stato& altro) const {
    return vTesti == altro.vTesti && rgxIdent == altro.rgxIdent && rgxTrasf == altro.rgxTrasf &&
           rgxEntranti == altro.rgxEntranti && rgxUscenti == altro.rgxUscenti &&
           iFrazioneDurata == altro.iFrazioneDurata && iUnitaDurata == altro.iUnitaDurata &&
           lConversioneDurata == altro.lConversioneDurata &&
           lDividereScatti == altro.lDividereScatti && sDriver == altro.sDriver;
}

DocumentoDriver::DocumentoDriver(QObject* parent)
    : QObject(parent), mpStoria(new QUndoStack(this)), mpTimer(new QTimer(this)) {
    mpStoria->setUndoLimit(LIMITE_PASSI);
    mpTimer->setSingleShot(true);
    mpTimer->setInterval(0);
    connect(mpTimer, &QTimer::timeout, this, &DocumentoDriver::RegistraModifiche);
    connect(mpStoria, &QUndoStack::indexChanged, this,
            [this] { ImpostaNonSalvato(!mpStoria->isClean()); });
    mStatoRegistrato = Fotografa();
}

DocumentoDriver::~DocumentoDriver() {
    // The steps refer to the document: they go first, and without telling anyone.
    mpStoria->disconnect(this);
    delete mpStoria;
}

clsDriver& DocumentoDriver::Driver() {
    if (!moDriver) moDriver = std::make_unique<clsDriver>();
    return *moDriver;
}

TabellaValori& DocumentoDriver::TabellaCampi(TipoChiamata tipo) {
    return tipo == TipoChiamata::Entranti ? mrgxEntranti : mrgxUscenti;
}

bool DocumentoDriver::Presente(int iRigaTrasf, const std::string& sSi) const {
    return mrgxTrasf.Righe() > iRigaTrasf && mrgxTrasf.Colonne() > 1 &&
           mrgxTrasf.Cella(iRigaTrasf, 1) == sSi;
}

ConversioniCampi DocumentoDriver::Conversioni(const std::string& sSi) const {
    ConversioniCampi conv;
    conv.bDurata = Presente(Trasf::DURATA, sSi);
    conv.bScatti = Presente(Trasf::SCATTI, sSi);
    conv.bDataIsolata = Presente(Trasf::DATA_ISOLATA, sSi);
    conv.iFrazioneDurata = miFrazioneDurata;
    conv.iUnitaDurata = miUnitaDurata;
    conv.lConversioneDurata = mlConversioneDurata;
    conv.lDividereScatti = mlDividereScatti;
    return conv;
}

clsDriver DocumentoDriver::DriverDalleTabelle(
    const std::string& sSi, std::vector<std::pair<TipoChiamata, ProblemaCampo>>* pProblemi,
    bool bSenzaFormato) const {
    clsDriver d = moDriver ? clsDriver(*moDriver) : clsDriver();
    // The general values the engine may report.
    const auto testo = [](const QString& t, std::string& membro) {
        if (const auto v = Utf8InCp1252(t.toStdString())) membro = *v;
    };
    testo(mvTesti[MARCA], d.msMarca);
    testo(mvTesti[MODELLO], d.msModello);
    IdentificazioneInDriver(d, mrgxIdent);
    clsChiamata* pEntranti = d.moEntranti.get();
    clsChiamata* pUscenti = d.moUscenti.get();
    d.mbIngnoraRigheVuote = Presente(Trasf::IGNORA_VUOTE, sSi);

    // The fields, without the rows a save would refuse.
    const ConversioniCampi conv = Conversioni(sSi);
    const std::pair<clsChiamata*, TipoChiamata> chiamate[] = {{pEntranti, TipoChiamata::Entranti},
                                                              {pUscenti, TipoChiamata::Uscenti}};
    for (const auto& [c, tipo] : chiamate) {
        const TabellaValori& t = tipo == TipoChiamata::Entranti ? mrgxEntranti : mrgxUscenti;
        TabellaInChiamata(*c, t, tipo, conv);
        const auto problemi = ProblemiCampi(t, tipo, NumeroRighe(mrgxIdent, tipo),
                                            conv.bDataIsolata, d.mbCampiSeparati ? c : nullptr);
        std::vector<ProblemaCampo> tolti;
        for (const ProblemaCampo& p : problemi)
            if (!bSenzaFormato || p.iStringa != 10610) tolti.push_back(p);
        TogliCampiConProblemi(*c, tolti);
        if (pProblemi)
            for (const ProblemaCampo& p : problemi) pProblemi->emplace_back(tipo, p);
    }
    return d;
}

void DocumentoDriver::Svuota(const std::string& sNo) {
    mpTimer->stop();
    mbRipristino = true;
    emit PrimaDelRipristino();
    mvTesti = {};
    if (mrgxIdent.Righe() >= Ident::NUM_RIGHE && mrgxIdent.Colonne() >= 2) {
        mrgxIdent.Cella(Ident::RIGA_ENTRANTI, 1) = "0";
        mrgxIdent.Cella(Ident::RIGA_USCENTI, 1) = "0";
        mrgxIdent.Cella(Ident::RIGA_TRASF_ENTRANTI, 1) = sNo;
        mrgxIdent.Cella(Ident::RIGA_TRASF_USCENTI, 1) = sNo;
        mrgxIdent.Cella(Ident::RIGA_OFFSET, 1) = "0";
        mrgxIdent.Cella(Ident::RIGA_ULTIMA_RIGA, 1) = "0";
    }
    if (mrgxTrasf.Colonne() >= 2)
        for (int r = 0; r < mrgxTrasf.Righe(); ++r) mrgxTrasf.Cella(r, 1) = sNo;
    for (TabellaValori* t : {&mrgxEntranti, &mrgxUscenti})
        for (int r = 0; r < t->Righe(); ++r)
            for (int c = 0; c < t->Colonne(); ++c) t->Cella(r, c).clear();
    if (moDriver) {
        moDriver->Delete();
        // The emptied document has no file yet: verifying it asks for a save first, and never
        // runs on the previous driver's file.
        moDriver->msFileName.clear();
        // The option rows now say "No": the driver follows them, so that no table or switch
        // of the previous driver is written into the next one.
        moDriver->mbConPrescanning = false;
        moDriver->mcolPrescanning.reset();
        moDriver->mbIngnoraRigheVuote = false;
        moDriver->mlTroncaUltimaRigaDopoCaratteri = 0;
    }
    miFrazioneDurata = -1;
    miUnitaDurata = -1;
    mlConversioneDurata = 0;
    mlDividereScatti = 1;
    FineRipristino();
}

void DocumentoDriver::RiempiDalDriver(const std::string& sSi, const std::string& sNo) {
    const clsDriver& d = Driver();
    mpTimer->stop();
    mbRipristino = true;
    const auto testo = [](const std::string& v) { return QString::fromStdString(Cp1252InUtf8(v)); };
    mvTesti[AUTORE] = testo(d.msAutore);
    mvTesti[DATA] = testo(d.msData);
    mvTesti[VERSIONE] = testo(d.msVersione);
    mvTesti[NOTE] = testo(d.msNote);
    mvTesti[MARCA] = testo(d.msMarca);
    mvTesti[MODELLO] = testo(d.msModello);

    // The fields, and the conversions they carry.
    ConversioniCampi conv = Conversioni(sSi);
    conv.bDurata = conv.bScatti = false;
    ChiamataInTabella(mrgxEntranti, d.moEntranti.get(), TipoChiamata::Entranti, conv);
    ChiamataInTabella(mrgxUscenti, d.moUscenti.get(), TipoChiamata::Uscenti, conv);
    miFrazioneDurata = conv.iFrazioneDurata;
    miUnitaDurata = conv.iUnitaDurata;
    mlConversioneDurata = conv.lConversioneDurata;
    mlDividereScatti = conv.lDividereScatti;
    const auto opzione = [this, &sSi, &sNo](int r, bool b) {
        if (mrgxTrasf.Righe() > r && mrgxTrasf.Colonne() > 1) mrgxTrasf.Cella(r, 1) = b ? sSi : sNo;
    };
    if (conv.bDurata) opzione(Trasf::DURATA, true);
    if (conv.bScatti) opzione(Trasf::SCATTI, true);
    // The date options of the driver.
    if (d.mcolDataIsolata && !d.mcolDataIsolata->Vuota()) {
        opzione(Trasf::DATA_ISOLATA, true);
        ApplicaDataIsolata(sSi);
    }
    if (!d.Mesi(0).empty()) opzione(Trasf::MESI_IN_LETTERE, true);
    opzione(Trasf::PRESCANNING, d.mcolPrescanning && d.mcolPrescanning->Count() > 0);
    opzione(Trasf::IGNORA_VUOTE, d.mbIngnoraRigheVuote);

    // The identification: lines and transferred calls of each kind, offset, last line's cut.
    if (mrgxIdent.Righe() >= Ident::NUM_RIGHE && mrgxIdent.Colonne() >= 2) {
        mrgxIdent.Cella(Ident::RIGA_OFFSET, 1) = d.mlOffset;
        const auto righe = [&](const clsChiamata* c, int rigaNumero, int rigaTrasferite) {
            mrgxIdent.Cella(rigaNumero, 1) = std::to_string(c ? c->miNumRighe : 0);
            const bool trasferite =
                c && c->mcolCondTrasferita && c->mcolCondTrasferita->Count() > 0;
            mrgxIdent.Cella(rigaTrasferite, 1) = trasferite ? sSi : sNo;
        };
        righe(d.moEntranti.get(), Ident::RIGA_ENTRANTI, Ident::RIGA_TRASF_ENTRANTI);
        righe(d.moUscenti.get(), Ident::RIGA_USCENTI, Ident::RIGA_TRASF_USCENTI);
        mrgxIdent.Cella(Ident::RIGA_ULTIMA_RIGA, 1) =
            std::to_string(d.mlTroncaUltimaRigaDopoCaratteri);
    }
    FineRipristino();
}

void DocumentoDriver::Sostituisci(const clsDriver& driver, const std::string& sSi,
                                  const std::string& sNo) {
    RegistraModifiche();
    Stato prima = mStatoRegistrato;
    const std::string file = Driver().msFileName;
    Svuota(sNo);
    *moDriver = driver;
    moDriver->msFileName = file;
    RiempiDalDriver(sSi, sNo);
    // Emptying and filling left the state now as the one recorded: the step goes from the
    // state before to it.
    mpStoria->push(new PassoModifica(*this, std::move(prima), mStatoRegistrato, nullptr,
                                     mfnLuogo ? mfnLuogo() : 0));
}

void DocumentoDriver::FineRipristino() {
    // The pages show what was put in; that state is where the next step starts from.
    emit Ripristinato();
    mbRipristino = false;
    mStatoRegistrato = Fotografa();
    mpFonte = nullptr;
    emit Cambiato();
}

bool DocumentoDriver::ApplicaDataIsolata(const std::string& sSi) {
    if (!Presente(Trasf::DATA_ISOLATA, sSi) || !moDriver || !moDriver->mcolDataIsolata)
        return false;
    for (const auto& voce : *moDriver->mcolDataIsolata) {
        const clsCondizione& c = voce.valore;
        if (c.menOperatore != clsCondizione::DATA_ISOLATA) continue;
        for (TabellaValori* t : {&mrgxEntranti, &mrgxUscenti}) {
            if (t->Righe() < 1 || t->Colonne() < Campi::NUM_COLONNE) continue;
            t->Cella(Campi::RIGA_DATA, Campi::COL_RIGA) = std::to_string(c.miRiga);
            t->Cella(Campi::RIGA_DATA, Campi::COL_POSIZ) = std::to_string(c.miInizio);
            t->Cella(Campi::RIGA_DATA, Campi::COL_LUNG) = std::to_string(c.miLunghezza);
            t->Cella(Campi::RIGA_DATA, Campi::COL_FORMATO) = std::to_string(c.miFormato);
        }
        return true;
    }
    return false;
}

void DocumentoDriver::Modificato(QObject* pFonte) {
    if (mbRipristino) return;
    // Changes from different places within one action make a step of their own.
    mpFonte = mpTimer->isActive() && mpFonte != pFonte ? nullptr : pFonte;
    mpTimer->start();
    ImpostaNonSalvato(true);
    emit Cambiato();
}

void DocumentoDriver::AnnunciaParti(int iParti) { emit ParteCambiata(iParti); }

void DocumentoDriver::RegistraModifiche() {
    mpTimer->stop();
    Stato ora = Fotografa();
    // An edit that changed nothing (a refused character, typing taken back) is no step and
    // leaves the document as saved as it was.
    if (ora == mStatoRegistrato) {
        ImpostaNonSalvato(!mpStoria->isClean());
        return;
    }
    auto* passo = new PassoModifica(*this, std::move(mStatoRegistrato), ora, mpFonte,
                                    mfnLuogo ? mfnLuogo() : 0);
    mStatoRegistrato = std::move(ora);
    mpFonte = nullptr;
    mpStoria->push(passo);
}

void DocumentoDriver::SegnaSalvato() {
    // Changes made by the saving itself (the driver filled from the tables) are no step.
    mpTimer->stop();
    mpFonte = nullptr;
    mStatoRegistrato = Fotografa();
    mpStoria->setClean();
    ImpostaNonSalvato(false);
    emit Cambiato();
}

void DocumentoDriver::IniziaStoria() {
    mpTimer->stop();
    mpStoria->clear();
    SegnaSalvato();
}

void DocumentoDriver::Annulla() {
    RegistraModifiche();
    mpStoria->undo();
}

void DocumentoDriver::Ripristina() {
    RegistraModifiche();
    mpStoria->redo();
}

bool DocumentoDriver::PuoAnnullare() const { return mpStoria->canUndo() || mpTimer->isActive(); }

bool DocumentoDriver::PuoRipristinare() const { return mpStoria->canRedo(); }

void DocumentoDriver::ImpostaNonSalvato(bool b) {
    mbNonSalvato = b;
    emit StatoSalvataggioCambiato(b);
}

DocumentoDriver::Stato DocumentoDriver::Fotografa() const {
    Stato s;
    s.vTesti = mvTesti;
    s.rgxIdent = mrgxIdent;
    s.rgxTrasf = mrgxTrasf;
    s.rgxEntranti = mrgxEntranti;
    s.rgxUscenti = mrgxUscenti;
    s.iFrazioneDurata = miFrazioneDurata;
    s.iUnitaDurata = miUnitaDurata;
    s.lConversioneDurata = mlConversioneDurata;
    s.lDividereScatti = mlDividereScatti;
    // No driver yet and an empty one are the same document.
    auto driver = moDriver ? std::make_shared<clsDriver>(*moDriver) : std::make_shared<clsDriver>();
    driver->msFileName.clear();
    s.sDriver = DriverInJson(*driver).dump();
    s.oDriver = std::move(driver);
    return s;
}

void DocumentoDriver::RipristinaStato(const Stato& s) {
    mpTimer->stop();
    mbRipristino = true;
    emit PrimaDelRipristino();
    mvTesti = s.vTesti;
    mrgxIdent = s.rgxIdent;
    mrgxTrasf = s.rgxTrasf;
    mrgxEntranti = s.rgxEntranti;
    mrgxUscenti = s.rgxUscenti;
    miFrazioneDurata = s.iFrazioneDurata;
    miUnitaDurata = s.iUnitaDurata;
    mlConversioneDurata = s.lConversioneDurata;
    mlDividereScatti = s.lDividereScatti;
    clsDriver& d = Driver();
    const std::string file = d.msFileName;
    d = *s.oDriver;
    d.msFileName = file;
    FineRipristino();
}

}  // namespace tarno

// Transfer between the window's grids and the driver object, and the checks before a save.

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QRegularExpression>
#include <QTabWidget>
#include <algorithm>
#include <optional>

#include "documento/DocumentoDriver.h"
#include "finestra/frmDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsCampo.h"
#include "model/clsCondizione.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "tabelle/MappaChiamate.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// The driver's date as a user types it: day, month and year separated by "/", "-" or "." (day
// and month of one or two digits, the year of two or four), or year-month-day with four digits
// of year. A two-digit year is of this century up to this year, of the last one after it.
// The date is stored as dd/mm/yyyy.
std::optional<QString> DataNormalizzata(const QString& sTesto) {
    static const QRegularExpression gma(
        QStringLiteral(R"(^(\d{1,2})([/.-])(\d{1,2})\2(\d{2}|\d{4})$)"));
    static const QRegularExpression amg(QStringLiteral(R"(^(\d{4})([/.-])(\d{1,2})\2(\d{1,2})$)"));
    const QString s = sTesto.trimmed();
    int g = 0, m = 0, a = 0;
    if (const auto r = gma.match(s); r.hasMatch()) {
        g = r.captured(1).toInt();
        m = r.captured(3).toInt();
        a = r.captured(4).toInt();
        if (r.captured(4).size() == 2) {
            const int oggi = QDate::currentDate().year();
            a += oggi / 100 * 100;
            if (a > oggi) a -= 100;
        }
    } else if (const auto r = amg.match(s); r.hasMatch()) {
        a = r.captured(1).toInt();
        m = r.captured(3).toInt();
        g = r.captured(4).toInt();
    }
    const QDate data(a, m, g);
    if (!data.isValid()) return std::nullopt;
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

bool HaCampo(const std::unique_ptr<clsChiamata>& chiamata, int iIndice) {
    return chiamata && chiamata->mcolCampi && chiamata->mcolCampi->Trova(std::to_string(iIndice));
}

// The text of a format code in a catalogue table (text, code from row 1), if it has the code.
std::optional<std::string> TestoFormato(const TabellaValori& t, int iCodice) {
    for (int r = 1; r < t.Righe() && t.Colonne() >= 2; ++r)
        if (LeggiIntero16(t.Cella(r, 1)) == iCodice) return t.Cella(r, 0);
    return std::nullopt;
}

// The fields and conditions whose format code is not one of the kind they read: a date format
// where a time is read, a time format where a date is, or a code the catalogue lacks. Drivers
// refer to the catalogue's codes, so such a code reads something else than was meant.
QStringList FormatiDiAltroGenere(const clsDriver& d, const TabellaValori& rgxData,
                                 const TabellaValori& rgxOra) {
    QStringList problemi;
    if (rgxData.Righe() < 2 && rgxOra.Righe() < 2) return problemi;  // no catalogue to ask
    const auto controlla = [&](const QString& chi, int codice, bool data) {
        if (codice == 0) return;
        if (TestoFormato(data ? rgxData : rgxOra, codice)) return;
        if (const auto altro = TestoFormato(data ? rgxOra : rgxData, codice))
            problemi << (data ? TestoRisorsa(30925,
                                             "%1: il formato %2 (\"%3\") non \u00E8 un "
                                             "formato di data.")
                              : TestoRisorsa(30926,
                                             "%1: il formato %2 (\"%3\") non \u00E8 un "
                                             "formato di ora."))
                            .arg(chi, QString::number(codice), DaCp1252(*altro));
        else
            problemi << TestoRisorsa(30927, "%1: il formato %2 non \u00E8 nel catalogo.")
                            .arg(chi, QString::number(codice));
    };
    const auto condizioni = [&](const std::optional<ColCondizioni>& col, const QString& dove) {
        if (!col) return;
        int n = 0;
        for (const auto& voce : *col) {
            const clsCondizione& c = voce.valore;
            ++n;
            const QString chi = TestoRisorsa(30929, "Condizione %1 (%2)").arg(n).arg(dove);
            if (c.menOperatore == clsCondizione::TEMPO_VALIDO) controlla(chi, c.miFormato, false);
            if (c.menOperatore == clsCondizione::DATA_VALIDA ||
                c.menOperatore == clsCondizione::DATA_ISOLATA)
                controlla(chi, c.miFormato, true);
        }
    };
    for (const bool entranti : {true, false}) {
        const clsChiamata* chiamata = (entranti ? d.moEntranti : d.moUscenti).get();
        if (!chiamata || chiamata->miNumRighe < 1) continue;
        const QString tipo =
            entranti ? TestoRisorsa(30663, "Entranti") : TestoRisorsa(30664, "Uscenti");
        condizioni(chiamata->mcolCondizioni, tipo);
        condizioni(chiamata->mcolCondTrasferita, tipo);
        if (!chiamata->mcolCampi) continue;
        for (const auto& voce : *chiamata->mcolCampi) {
            const clsCampo& c = voce.valore;
            for (int k = 0; k < NUM_NOMI_CAMPI; ++k) {
                if (c.msNome != NomiCampi()[k].sNome) continue;
                const bool data = c.msNome == "dData";
                const bool ora = c.msNome == "dOraInizio" || c.msNome == "dOraFine" ||
                                 c.msNome == "dDurata" || c.msNome == "dRisposta";
                if (data || ora)
                    controlla(TestoRisorsa(30928, "Campo \"%1\" (%2)")
                                  .arg(TestoRisorsa(621 + NomiCampi()[k].iEntrante,
                                                    NomiCampi()[k].sDidascalia),
                                       tipo),
                              c.miFormato, data);
            }
        }
    }
    condizioni(d.mcolDataIsolata, TestoRisorsa(10622, "Data su riga isolata"));
    return problemi;
}

// Why a call kind's conditions (riga: its row on the identification page) cannot be
// saved as they stand: the last one ends in And/Or. "" when they can.
QString CondizioniAperte(const std::optional<ColCondizioni>& col, int riga) {
    if (!col || col->Vuota() || col->Item(col->Count()).msCongiunzione.empty()) return {};
    static const std::pair<int, const char*> testi[] = {
        {32211,
         "Le condizioni delle chiamate entranti finiscono con \"%1\" dopo la condizione "
         "%2, l'ultima: togliere \"%1\" con Dettagli... o aggiungere una condizione."},
        {32212,
         "Le condizioni delle chiamate uscenti finiscono con \"%1\" dopo la condizione "
         "%2, l'ultima: togliere \"%1\" con Dettagli... o aggiungere una condizione."},
        {32213,
         "Le condizioni delle chiamate entranti trasferite finiscono con \"%1\" dopo la "
         "condizione %2, l'ultima: togliere \"%1\" con Dettagli... o aggiungere una "
         "condizione."},
        {32214,
         "Le condizioni delle chiamate uscenti trasferite finiscono con \"%1\" dopo la "
         "condizione %2, l'ultima: togliere \"%1\" con Dettagli... o aggiungere una "
         "condizione."}};
    const auto& [numero, testo] = testi[std::clamp(riga, 0, 3)];
    return TestoRisorsa(numero, testo)
        .arg(DaCp1252(col->Item(col->Count()).msCongiunzione))
        .arg(col->Count());
}

}  // namespace

// ---- commit of the grids

bool frmDriver::AggiornaGriglie() {
    struct Griglia {
        clsGriglia* griglia;
        int pagina;
        int stringa;
        const char* predefinito;
    };
    const Griglia griglie[] = {
        {mpPagIdent->grdIdent, PAGINA_IDENTIFICAZIONE, 10604,
         "Errore nell'inserimenti dei dati degli identificativi della data"},
        {mpPagTrasf->grdTrasf, PAGINA_TRASFORMAZIONI, 10603,
         "Errore nell'inserimenti dei dati delle trasformazioni"},
        {mpPagEntranti->mpGriglia, PAGINA_ENTRANTI, 10602,
         "Errore nell'inserimenti dei dati delle chiamata entranti"},
        {mpPagUscenti->mpGriglia, PAGINA_USCENTI, 10601,
         "Errore nell'inserimenti dei dati delle chiamate uscenti"},
    };
    for (const Griglia& g : griglie) {
        if (g.griglia->ConfermaModifica()) continue;
        // The editor stays open with what the user typed, on its page; moving the focus away
        // from it would try to commit it again.
        mpUi->tabDriver->setCurrentIndex(g.pagina);
        Avviso(this, TestoRisorsa(g.stringa, g.predefinito));
        return false;
    }
    return true;
}

// ---- one field table

ConversioniCampi frmDriver::Conversioni() const { return mpDoc->Conversioni(ValoreSi()); }

std::vector<ProblemaCampo> frmDriver::ProblemiGrdChiamate(TipoChiamata tipo) const {
    const bool entranti = tipo == TipoChiamata::Entranti;
    const clsDriver& d = mpDoc->Driver();
    const clsChiamata* chiamata = (entranti ? d.moEntranti : d.moUscenti).get();
    return ProblemiCampi(entranti ? mpDoc->mrgxEntranti : mpDoc->mrgxUscenti, tipo,
                         NumeroRighe(mpDoc->mrgxIdent, tipo),
                         mpDoc->Presente(Trasf::DATA_ISOLATA, ValoreSi()),
                         d.mbCampiSeparati ? chiamata : nullptr);
}

QString frmDriver::TestoProblema(const ProblemaCampo& p, TipoChiamata tipo) const {
    const bool entranti = tipo == TipoChiamata::Entranti;
    const auto numero = [](int r) { return QString::number(r + 1); };
    // The field of a row by the caption of its box, as the page shows it.
    const PaginaCampi* pagina = entranti ? mpPagEntranti : mpPagUscenti;
    const auto campo = [pagina](int r) {
        return r < pagina->Righe() ? pagina->chkCampo(r)->text().remove(QLatin1Char('&'))
                                   : QString::number(r + 1);
    };
    // A second line names the field, the grid rows being only numbers.
    const auto conCampo = [&](int r, const QString& testo) {
        return testo + QLatin1Char('\n') + TestoRisorsa(30902, "Campo \"%1\".").arg(campo(r));
    };
    const int r = p.iRiga;
    switch (p.iStringa) {
        case 10605:
            return conCampo(r, TestoRisorsa(10605,
                                            "I campi numero di riga, posizione e lunghezza "
                                            "sono obbligatori: riga ") +
                                   numero(r));
        case 10606:
            return TestoRisorsa(10606, "Il numero di \"Riga\" della riga ") + numero(r) +
                   TestoRisorsa(10607,
                                " \u00E8 maggiore del numero di righe su cui \u00E8 una "
                                "chiamata ") +
                   (entranti ? TestoRisorsa(10608, "entrante") : TestoRisorsa(10609, "uscente")) +
                   QLatin1Char('\n') +
                   TestoRisorsa(30903,
                                "Il campo \"%1\" \u00E8 sulla riga %2; \"N\u00B0 Righe\" di "
                                "\"%4\" (pagina Identificazione) \u00E8 %3.")
                       .arg(campo(r), QString::fromStdString(p.sRiga), QString::number(p.dNumRighe),
                            entranti ? TestoRisorsa(10616, "Chiamate entranti")
                                     : TestoRisorsa(10617, "Chiamate uscenti"));
        case 10610:
            return conCampo(r, TestoRisorsa(10610, "Inserire il formato nella riga ") + numero(r));
        default:
            return TestoRisorsa(10611, "I campi alle righe ") + numero(r) +
                   TestoRisorsa(10612, " e ") + numero(p.iAltraRiga) +
                   TestoRisorsa(10613, " sono sovrapposti") + QLatin1Char('\n') +
                   TestoRisorsa(30904, "Campi sovrapposti: \"%1\" e \"%2\".")
                       .arg(campo(r), campo(p.iAltraRiga));
    }
}

bool frmDriver::ControllaGrdChiamate(TipoChiamata tipo) {
    const std::vector<ProblemaCampo> problemi = ProblemiGrdChiamate(tipo);
    if (problemi.empty()) return true;
    // The page of the table, its grid on the offending cell, then the message.
    const bool entranti = tipo == TipoChiamata::Entranti;
    PaginaCampi* pagina = entranti ? mpPagEntranti : mpPagUscenti;
    clsGriglia* griglia = pagina->mpGriglia;
    const ProblemaCampo& p = problemi.front();
    mpUi->tabDriver->setCurrentIndex(entranti ? PAGINA_ENTRANTI : PAGINA_USCENTI);
    griglia->ImpostaCellaCorrente(p.iRiga, p.iColonna);
    griglia->setFocus();
    griglia->Aggiorna();
    const QString testo = TestoProblema(p, tipo);
    if (p.iStringa != 10606) {
        Avviso(this, testo);
        return false;
    }
    // A line beyond the call's lines: the fault may be the call's number of lines, on the
    // Identificazione page; Yes goes there.
    const int rigaIdent = entranti ? Ident::RIGA_ENTRANTI : Ident::RIGA_USCENTI;
    const QString domanda = testo + QLatin1Char('\n') +
                            TestoRisorsa(30905, "Mostrare la riga nella pagina Identificazione?");
    if (ServiziUI().Messaggio(this, domanda, IconaUI::Esclamazione, PulsantiUI::SiNo,
                              QString::fromLatin1(TITOLO_ATTENZIONE)) == RispostaUI::Si) {
        mpUi->tabDriver->setCurrentIndex(PAGINA_IDENTIFICAZIONE);
        mpPagIdent->grdIdent->ImpostaCellaCorrente(rigaIdent, 1);
        mpPagIdent->grdIdent->setFocus();
    }
    return false;
}

// ---- the whole window -> driver

bool frmDriver::ControllaDatiRiempiOggettoDriver() {
    Ui::frmDriver& ui = *mpUi;
    // The page, the control that holds the wrong value, then the message.
    const auto errore = [this](int pagina, QWidget* controllo, const QString& testo) {
        mpUi->tabDriver->setCurrentIndex(pagina);
        if (controllo) controllo->setFocus();
        Avviso(this, testo);
        return false;
    };
    const auto erroreGriglia = [&](int pagina, clsGriglia* griglia, int riga,
                                   const QString& testo) {
        mpUi->tabDriver->setCurrentIndex(pagina);
        griglia->ImpostaCellaCorrente(riga, 1);
        return errore(pagina, griglia, testo);
    };
    clsGriglia* grdIdent = mpPagIdent->grdIdent;
    clsGriglia* grdTrasf = mpPagTrasf->grdTrasf;

    // The date of the driver, in the one form it is stored in; the box shows that form.
    const auto testo = [this](DocumentoDriver::Testo t) { return mpDoc->TestoGenerale(t); };
    QString data = testo(DocumentoDriver::DATA);
    if (!data.trimmed().isEmpty()) {
        const auto normale = DataNormalizzata(data);
        if (!normale)
            return errore(PAGINA_GENERALE, ui.txtData,
                          TestoRisorsa(10636, "Inserire correttamente la data"));
        data = *normale;
        if (ui.txtData->text() != data) ui.txtData->setText(data);
    }

    // The general values. The driver file holds Windows-1252 texts only.
    struct TestoGenerale {
        QWidget* controllo;
        QString testo;
        std::string* membro;
    };
    if (!mpDoc->moDriver) mpDoc->moDriver = std::make_unique<clsDriver>();
    clsDriver& d = *mpDoc->moDriver;
    const TestoGenerale testi[] = {
        {ui.txtAutore, testo(DocumentoDriver::AUTORE), &d.msAutore},
        {ui.txtData, data, &d.msData},
        {ui.txtVersione, testo(DocumentoDriver::VERSIONE), &d.msVersione},
        {ui.cboMarca, testo(DocumentoDriver::MARCA), &d.msMarca},
        {ui.cboModello, testo(DocumentoDriver::MODELLO), &d.msModello},
        {ui.txtNote, testo(DocumentoDriver::NOTE).replace(u'\n', QStringLiteral("\r\n")),
         &d.msNote},
    };
    std::string valori[std::size(testi)];
    for (size_t i = 0; i < std::size(testi); ++i) {
        QString motivo;
        const auto v = InCp1252(testi[i].testo, &motivo);
        if (!v) return errore(PAGINA_GENERALE, testi[i].controllo, motivo);
        valori[i] = *v;
    }
    for (size_t i = 0; i < std::size(testi); ++i) *testi[i].membro = valori[i];
    // Separated fields need a separator the engine can read, and quotes other than it.
    if (d.mbCampiSeparati) {
        const auto separatore = CarattereDaTesto(d.msSeparatoreCampi);
        if (!separatore || *separatore == '\n' || *separatore == '\r')
            return errore(PAGINA_GENERALE, ui.cboSeparatore,
                          TestoRisorsa(31019, "Indicare il separatore dei campi"));
        const auto virgolette =
            d.msVirgolette.empty() ? std::optional<char>(0) : CarattereDaTesto(d.msVirgolette);
        if (!virgolette || *virgolette == *separatore)
            return errore(PAGINA_GENERALE, ui.cboVirgolette,
                          TestoRisorsa(31022, "Virgolette non valide"));
    }
    // Offset, lines of each call kind, the last line's cut.
    const bool troncaIntero = IdentificazioneInDriver(d, mpDoc->mrgxIdent);
    clsChiamata& entranti = *d.moEntranti;
    clsChiamata& uscenti = *d.moUscenti;

    // 4, 5. A call kind printed on at least one line is recognised by at least one condition;
    // one printed on none has no conditions.
    struct Condizioni {
        clsChiamata& chiamata;
        int riga;
        int stringa;
        const char* predefinito;
    };
    const Condizioni condizioni[] = {
        {entranti, Ident::RIGA_ENTRANTI, 10637,
         "Inserire le condizioni per identificare le chiamate entranti"},
        {uscenti, Ident::RIGA_USCENTI, 10638,
         "Inserire le condizioni per identificare le chiamate uscenti"},
    };
    for (const Condizioni& c : condizioni) {
        if (c.chiamata.miNumRighe >= 1 &&
            (!c.chiamata.mcolCondizioni || c.chiamata.mcolCondizioni->Vuota()))
            return erroreGriglia(PAGINA_IDENTIFICAZIONE, grdIdent, c.riga,
                                 TestoRisorsa(c.stringa, c.predefinito));
        // The last condition joins nothing: "Condizione_3 Or" would be saved, and the engine
        // would refuse the driver.
        for (const auto& [col, riga] : {std::pair(&c.chiamata.mcolCondizioni, c.riga),
                                        std::pair(&c.chiamata.mcolCondTrasferita, c.riga + 2)})
            if (const QString aperte = CondizioniAperte(*col, riga); !aperte.isEmpty())
                return erroreGriglia(PAGINA_IDENTIFICAZIONE, grdIdent, riga, aperte);
    }

    // Brand and model, which the catalogue records the driver under.
    // The Generale page with the focus on the empty box.
    bool bMarcaModello = true;
    if (testo(DocumentoDriver::MARCA).isEmpty()) {
        errore(PAGINA_GENERALE, ui.cboMarca,
               TestoRisorsa(10639, "Inserire la marca del centralino."));
        bMarcaModello = false;
    } else if (testo(DocumentoDriver::MODELLO).isEmpty()) {
        errore(PAGINA_GENERALE, ui.cboModello,
               TestoRisorsa(10640, "Inserire il modello del centralino."));
        bMarcaModello = false;
    }

    // The character after which the last line is broken.
    if (!bMarcaModello) return false;
    if (!troncaIntero)
        return erroreGriglia(PAGINA_IDENTIFICAZIONE, grdIdent, Ident::RIGA_ULTIMA_RIGA,
                             TestoRisorsa(12001, "Inserire un numero intero"));

    // 8, 9. The date options need their settings.
    if (mpDoc->Presente(Trasf::DATA_ISOLATA, ValoreSi()) &&
        (!d.mcolDataIsolata || d.mcolDataIsolata->Vuota()))
        return erroreGriglia(
            PAGINA_TRASFORMAZIONI, grdTrasf, Trasf::DATA_ISOLATA,
            TestoRisorsa(10641, "Inserire le condizioni per identificare la data su riga isolata"));
    if (mpDoc->Presente(Trasf::MESI_IN_LETTERE, ValoreSi()) && d.Mesi(0).empty())
        return erroreGriglia(PAGINA_TRASFORMAZIONI, grdTrasf, Trasf::MESI_IN_LETTERE,
                             TestoRisorsa(10642, "Inserire i codici identificativi dei mesi"));

    // The field tables, then the fields of both call-record types.
    if (!ControllaGrdChiamate(TipoChiamata::Entranti) ||
        !ControllaGrdChiamate(TipoChiamata::Uscenti))
        return false;
    const ConversioniCampi conv = Conversioni();
    TabellaInChiamata(entranti, mpDoc->mrgxEntranti, TipoChiamata::Entranti, conv);
    TabellaInChiamata(uscenti, mpDoc->mrgxUscenti, TipoChiamata::Uscenti, conv);

    // Empty lines are skipped or not.
    d.mbIngnoraRigheVuote = mpDoc->Presente(Trasf::IGNORA_VUOTE, ValoreSi());

    // Two of start time, end time and duration give the third.
    const QString dueCampiOra =
        TestoRisorsa(10643,
                     "Occorre inserire obbilgatoriamente due campi fra \"Ora "
                     "inizio\",\"Ora fine\" e \"Durata\"");
    struct Pagina {
        std::unique_ptr<clsChiamata>& chiamata;
        int pagina;
        PaginaCampi* campi;
    };
    const Pagina pagine[] = {{d.moEntranti, PAGINA_ENTRANTI, mpPagEntranti},
                             {d.moUscenti, PAGINA_USCENTI, mpPagUscenti}};
    for (const Pagina& p : pagine) {
        if (p.chiamata->miNumRighe < 1) continue;  // a call kind that is not used
        int campiOra = 0;
        for (int r = Campi::RIGA_ORA_INIZIO; r <= Campi::RIGA_DURATA; ++r)
            if (HaCampo(p.chiamata, r)) ++campiOra;
        if (campiOra != 2) return errore(p.pagina, p.campi->mpGriglia, dueCampiOra);
    }

    const QString continuare = TestoRisorsa(
        10646, "Salvando i dati si perder\u00E0 tale informazione, si vuole continuare?");
    const auto domanda = [this](const QString& testo) {
        return ServiziUI().Messaggio(this, testo, IconaUI::Esclamazione, PulsantiUI::SiNo,
                                     QString::fromLatin1(TITOLO_ATTENZIONE)) == RispostaUI::Si;
    };

    // A duration not in seconds. Only a "Durata" field carries the conversion in the file (a
    // ringing time cannot), so without one the conversion would be lost.
    if (mpDoc->Presente(Trasf::DURATA, ValoreSi())) {
        if (!HaCampo(d.moEntranti, Campi::RIGA_DURATA) &&
            !HaCampo(d.moUscenti, Campi::RIGA_DURATA)) {
            // A ringing time alone is read in seconds whatever the setting says.
            const QString perche =
                HaCampo(d.moEntranti, Campi::RIGA_DURATA_SQUILLO)
                    ? TestoRisorsa(30923,
                                   "\u00C8 stata inserita la trasformazione durata non espressa "
                                   "in secondi, ma l'unico campo di durata \u00E8 \"Durata "
                                   "squillo\", che la conversione non riguarda: la durata "
                                   "squillo sar\u00E0 letta in secondi.")
                    : TestoRisorsa(10645,
                                   "\u00C8 stata inserita la trasformazione durata non espressa "
                                   "in secondi senza mettere dati nei campi \"Durata\" o "
                                   "\"Durata squillo\".");
            if (!domanda(perche + QLatin1Char('\n') + continuare)) return false;
        }
        if (mpDoc->miFrazioneDurata < 0 || mpDoc->miUnitaDurata < 0 ||
            mpDoc->mlConversioneDurata <= 0)
            return erroreGriglia(
                PAGINA_TRASFORMAZIONI, grdTrasf, Trasf::DURATA,
                TestoRisorsa(10644,
                             "Inserire il tipo di conversione da effettuare per la "
                             "durata non espressa in secondi"));
    }

    // A cost printed instead of metering pulses.
    if (mpDoc->Presente(Trasf::SCATTI, ValoreSi())) {
        if (!HaCampo(d.moEntranti, Campi::RIGA_SCATTI) &&
            !HaCampo(d.moUscenti, Campi::RIGA_SCATTI)) {
            if (!domanda(TestoRisorsa(30420,
                                      "\u00C8 stata inserita la trasformazione presenza del "
                                      "costo scatti senza mettere dati nei campi \"Scatti\".") +
                         QLatin1Char('\n') + continuare))
                return false;
        }
        if (mpDoc->mlDividereScatti <= 0)
            return erroreGriglia(
                PAGINA_TRASFORMAZIONI, grdTrasf, Trasf::SCATTI,
                TestoRisorsa(10647,
                             "Inserire il tipo di conversione da effettuare per la "
                             "presenza del costo scatti"));
    }

    // Formats of the other kind are told, and the driver is saved as it is.
    const QStringList formati = FormatiDiAltroGenere(d, mrgxFormatiData, mrgxFormatiOra);
    if (!formati.isEmpty())
        Avviso(this, TestoRisorsa(30930,
                                  "Il driver viene salvato, ma questi formati non sono del genere "
                                  "del valore che leggono (i codici dei formati sono quelli del "
                                  "catalogo):\n%1")
                         .arg(formati.join(QLatin1Char('\n'))));
    return true;
}

// ---- the views -> a driver, without the checks of a save

clsDriver frmDriver::DriverDalleViste(std::vector<QString>* pEsclusi) const {
    std::vector<std::pair<TipoChiamata, ProblemaCampo>> problemi;
    clsDriver d = mpDoc->DriverDalleTabelle(ValoreSi(), &problemi);
    // One line in the preview's table for each row left out.
    if (pEsclusi)
        for (const auto& [tipo, p] : problemi)
            pEsclusi->push_back((tipo == TipoChiamata::Entranti ? TestoRisorsa(30663, "Entranti")
                                                                : TestoRisorsa(30664, "Uscenti")) +
                                QStringLiteral(": ") +
                                TestoProblema(p, tipo).replace(QLatin1Char('\n'), u' '));
    // Conditions that a save refuses: the preview says why its reading may differ.
    if (pEsclusi)
        for (const clsChiamata* c : {d.moEntranti.get(), d.moUscenti.get()}) {
            if (!c) continue;
            const int riga = c == d.moEntranti.get() ? Ident::RIGA_ENTRANTI : Ident::RIGA_USCENTI;
            for (const auto& [col, r] :
                 {std::pair(&c->mcolCondizioni, riga), std::pair(&c->mcolCondTrasferita, riga + 2)})
                if (const QString aperte = CondizioniAperte(*col, r); !aperte.isEmpty())
                    pEsclusi->push_back(aperte);
        }
    return d;
}

}  // namespace tarno

// Transfer between the window's grids and the driver object, and the checks before a save.

#include <QCheckBox>
#include <QDate>
#include <QRegularExpression>
#include <QTabWidget>

#include "CallFieldName.h"
#include "Globali.h"
#include "Numeri.h"
#include "PaginaCampi.h"
#include "PaginaIdentificazione.h"
#include "PaginaTrasformazioni.h"
#include "Risorse.h"
#include "ServiziUI.h"
#include "TestoQt.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// Units of the duration settings: "Secondo" is the first; a duration printed in fractions of a
// second is divided, one printed in fractions of a minute, hour or day multiplied.
constexpr int16_t UNITA_SECONDO = 0;

// The whole-number value of a cell (its leading number, rounded); 0 when there is none.
int16_t Intero16(const std::string& s) { return LeggiIntero16(s).value_or(0); }

// A cell counts towards a row in use when it holds something; alignment and format only
// when their value is not 0 (0 is what their empty entry stores).
bool CellaUsata(const TabellaValori& t, int r, int c) {
    const std::string& v = t.Cella(r, c);
    if (v.empty()) return false;
    if (c == PaginaCampi::COL_ALLIN || c == PaginaCampi::COL_FORMATO) return ValoreIniziale(v) != 0;
    return true;
}

// The value of row r of the identification grid; "" when the grid has no such cell.
std::string CellaIdent(const TabellaValori& t, int r) {
    return t.Righe() > r && t.Colonne() > 1 ? t.Cella(r, 1) : std::string();
}

// Both call-record kinds of the driver (created when missing), with the line counts the
// identification grid gives them.
std::pair<clsChiamata*, clsChiamata*> ChiamateConRighe(clsDriver& d, const TabellaValori& ident) {
    const auto chiamata = [&ident](std::unique_ptr<clsChiamata>& c, int32_t tipo, int riga) {
        if (!c) c = std::make_unique<clsChiamata>();
        c->menTipo = tipo;
        c->miNumRighe = Intero16(CellaIdent(ident, riga));
        return c.get();
    };
    return {chiamata(d.moEntranti, clsChiamata::ENTRANTI, PaginaIdentificazione::RIGA_ENTRANTI),
            chiamata(d.moUscenti, clsChiamata::USCENTI, PaginaIdentificazione::RIGA_USCENTI)};
}

bool RigaInUso(const TabellaValori& t, int r) {
    for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c)
        if (CellaUsata(t, r, c)) return true;
    return false;
}

// Rows whose field is read with a format: Data, Ora inizio, Ora fine, Durata and, for
// incoming calls, Durata squillo.
bool RigaConFormato(int r, bool bEntranti) {
    return (r >= PaginaCampi::RIGA_DATA && r <= PaginaCampi::RIGA_DURATA) ||
           (bEntranti && r == PaginaCampi::RIGA_DURATA_SQUILLO);
}

// The fraction and unit indexes of a duration conversion, kept in its transformation's source
// as "fraction,unit"; -1 each when the source holds no such pair.
void LeggiSorgenteDurata(const std::string& sSorgente, int16_t& riFrazione, int16_t& riUnita) {
    riFrazione = -1;
    riUnita = -1;
    const size_t virgola = sSorgente.find(',');
    if (virgola == std::string::npos) return;
    const auto frazione = ValoreNumerico(std::string_view(sSorgente).substr(0, virgola));
    const auto unita = ValoreNumerico(std::string_view(sSorgente).substr(virgola + 1));
    if (!frazione || !unita) return;
    const auto f = Arrotonda16(*frazione);
    const auto u = Arrotonda16(*unita);
    if (!f || !u || *f < 0 || *u < 0) return;
    riFrazione = *f;
    riUnita = *u;
}

// A 32-bit number written in a transformation's value; 0 when it is none.
int32_t ValoreIntero32(const std::string& s) {
    const auto v = ValoreNumerico(s);
    if (!v) return 0;
    return Arrotonda32(*v).value_or(0);
}

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

std::vector<frmDriver::ProblemaCampo> frmDriver::ProblemiGrdChiamate(
    const TabellaValori& rgx) const {
    std::vector<ProblemaCampo> problemi;
    const bool entranti = rgx.Righe() == mrgxEntranti.Righe();
    if (rgx.Colonne() < PaginaCampi::NUM_COLONNE) return problemi;

    const bool isolata = mpPagTrasf->Presente(PaginaTrasformazioni::DATA_ISOLATA);
    const int rigaIdent =
        entranti ? PaginaIdentificazione::RIGA_ENTRANTI : PaginaIdentificazione::RIGA_USCENTI;
    const double numRighe =
        mrgxIdent.Righe() > rigaIdent ? ValoreIniziale(mrgxIdent.Cella(rigaIdent, 1)) : 0;
    // A call kind printed on no line is not used: its fields are kept as they are, unchecked.
    if (numRighe < 1) return problemi;
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
    const auto valore = [&rgx](int r, int c) { return ValoreIniziale(rgx.Cella(r, c)); };
    // Line 0 (a field whose line the file leaves empty) is the first line, as the engine
    // reads it.
    const auto rigaDi = [&](int r) { return std::max(valore(r, PaginaCampi::COL_RIGA), 1.0); };

    // The first fault of a row, if any.
    const auto problema = [&](int r) -> std::optional<ProblemaCampo> {
        // Line, position and length.
        for (int c = PaginaCampi::COL_RIGA; c <= PaginaCampi::COL_LUNG; ++c)
            if (rgx.Cella(r, c).empty())
                return ProblemaCampo{
                    r, c,
                    conCampo(r, TestoRisorsa(10605,
                                             "I campi numero di riga, posizione e lunghezza "
                                             "sono obbligatori: riga ") +
                                    numero(r)),
                    10605};
        // The line within the call, except a date printed on a line of its own.
        if (!(isolata && r == PaginaCampi::RIGA_DATA) &&
            valore(r, PaginaCampi::COL_RIGA) > numRighe)
            return ProblemaCampo{
                r, PaginaCampi::COL_RIGA,
                TestoRisorsa(10606, "Il numero di \"Riga\" della riga ") + numero(r) +
                    TestoRisorsa(10607,
                                 " \u00E8 maggiore del numero di righe su cui \u00E8 una "
                                 "chiamata ") +
                    (entranti ? TestoRisorsa(10608, "entrante") : TestoRisorsa(10609, "uscente")) +
                    QLatin1Char('\n') +
                    TestoRisorsa(30903,
                                 "Il campo \"%1\" \u00E8 sulla riga %2; \"N\u00B0 Righe\" di "
                                 "\"%4\" (pagina Identificazione) \u00E8 %3.")
                        .arg(campo(r), QString::fromStdString(rgx.Cella(r, PaginaCampi::COL_RIGA)),
                             QString::number(numRighe),
                             entranti ? TestoRisorsa(10616, "Chiamate entranti")
                                      : TestoRisorsa(10617, "Chiamate uscenti")),
                10606};
        // Dates, times and durations are read with a format.
        if (RigaConFormato(r, entranti) && !CellaUsata(rgx, r, PaginaCampi::COL_FORMATO))
            return ProblemaCampo{
                r, PaginaCampi::COL_FORMATO,
                conCampo(r, TestoRisorsa(10610, "Inserire il formato nella riga ") + numero(r)),
                10610};
        // No other field on the same line may start inside this one. A date on a line of its
        // own is on none of the call's lines.
        if (r == PaginaCampi::RIGA_DATA && isolata) return std::nullopt;
        const double riga = rigaDi(r);
        const double inizio = valore(r, PaginaCampi::COL_POSIZ);
        const double fine = inizio + valore(r, PaginaCampi::COL_LUNG) - 1;
        for (int j = 0; j < rgx.Righe(); ++j) {
            if (j == r || !RigaInUso(rgx, j)) continue;
            if (j == PaginaCampi::RIGA_DATA && isolata) continue;
            if (rigaDi(j) != riga) continue;
            const double altro = valore(j, PaginaCampi::COL_POSIZ);
            if (inizio <= altro && altro <= fine)
                return ProblemaCampo{r, PaginaCampi::COL_POSIZ,
                                     TestoRisorsa(10611, "I campi alle righe ") + numero(r) +
                                         TestoRisorsa(10612, " e ") + numero(j) +
                                         TestoRisorsa(10613, " sono sovrapposti") +
                                         QLatin1Char('\n') +
                                         TestoRisorsa(30904, "Campi sovrapposti: \"%1\" e \"%2\".")
                                             .arg(campo(r), campo(j)),
                                     10611};
        }
        return std::nullopt;
    };
    for (int r = 0; r < rgx.Righe(); ++r)
        if (RigaInUso(rgx, r))
            if (auto p = problema(r)) problemi.push_back(std::move(*p));
    return problemi;
}

bool frmDriver::ControllaGrdChiamate(TabellaValori& rgx) {
    const std::vector<ProblemaCampo> problemi = ProblemiGrdChiamate(rgx);
    if (problemi.empty()) return true;
    // The page of the table, its grid on the offending cell, then the message.
    const bool entranti = rgx.Righe() == mrgxEntranti.Righe();
    PaginaCampi* pagina = entranti ? mpPagEntranti : mpPagUscenti;
    clsGriglia* griglia = pagina->mpGriglia;
    const ProblemaCampo& p = problemi.front();
    mpUi->tabDriver->setCurrentIndex(entranti ? PAGINA_ENTRANTI : PAGINA_USCENTI);
    griglia->ImpostaCellaCorrente(p.iRiga, p.iColonna);
    griglia->setFocus();
    griglia->Aggiorna();
    if (p.iStringa != 10606) {
        Avviso(this, p.sTesto);
        return false;
    }
    // A line beyond the call's lines: the fault may be the call's number of lines, on the
    // Identificazione page; Yes goes there.
    const int rigaIdent =
        entranti ? PaginaIdentificazione::RIGA_ENTRANTI : PaginaIdentificazione::RIGA_USCENTI;
    const QString domanda = p.sTesto + QLatin1Char('\n') +
                            TestoRisorsa(30905, "Mostrare la riga nella pagina Identificazione?");
    if (ServiziUI().Messaggio(this, domanda, IconaUI::Esclamazione, PulsantiUI::SiNo,
                              QString::fromLatin1(TITOLO_ATTENZIONE)) == RispostaUI::Si) {
        mpUi->tabDriver->setCurrentIndex(PAGINA_IDENTIFICAZIONE);
        mpPagIdent->grdIdent->ImpostaCellaCorrente(rigaIdent, 1);
        mpPagIdent->grdIdent->setFocus();
    }
    return false;
}

// ---- table -> call-record type

void frmDriver::LeggiGrdChiamate_Trasf(clsChiamata& chiamata, const TabellaValori& rgx) const {
    const bool entranti = rgx.Righe() == mrgxEntranti.Righe();
    if (chiamata.mcolCampi)
        chiamata.mcolCampi->Clear();
    else
        chiamata.mcolCampi.emplace();
    if (rgx.Colonne() < PaginaCampi::NUM_COLONNE) return;
    const bool durata = mpPagTrasf->Presente(PaginaTrasformazioni::DURATA);
    const bool scatti = mpPagTrasf->Presente(PaginaTrasformazioni::SCATTI);

    for (int r = 0; r < rgx.Righe(); ++r) {
        // Line 0 is kept: it is how a field without a line reads, and it means the first.
        const auto riga = ValoreNumerico(rgx.Cella(r, PaginaCampi::COL_RIGA));
        if (!riga || *riga < 0) continue;
        clsCampo campo;
        campo.msNome = NomeCampo(r, entranti);
        if (campo.msNome.empty()) continue;
        campo.miRiga = Arrotonda16(*riga).value_or(0);
        campo.miInizio = Intero16(rgx.Cella(r, PaginaCampi::COL_POSIZ));
        campo.miLunghezza = Intero16(rgx.Cella(r, PaginaCampi::COL_LUNG));
        campo.menAllineamento = Intero16(rgx.Cella(r, PaginaCampi::COL_ALLIN));
        campo.miFormato =
            RigaConFormato(r, entranti) ? Intero16(rgx.Cella(r, PaginaCampi::COL_FORMATO)) : 0;
        const std::string& opz = rgx.Cella(r, PaginaCampi::COL_OPZ);
        campo.mbOpzionale = !opz.empty() && UgualeNoCase(opz, PaginaCampi::OPZ_SI);
        // The date field carries its date mark.
        if (r == PaginaCampi::RIGA_DATA) campo.menEccezione = clsCampo::DATA;

        // The duration conversion goes to the duration field: the driver file gives a field
        // transformation to "dDurata" and "lScatti" only, and a ringing time carrying one
        // would not read back.
        if (durata && r == PaginaCampi::RIGA_DURATA) {
            campo.menEccezione = clsCampo::DURATA_TRASF;
            auto t = std::make_unique<clsTrasformazione>();
            t->menTipo = clsTrasformazione::CAMPO;
            t->menOperazione = miUnitaDurata == UNITA_SECONDO ? clsTrasformazione::DIVIDI
                                                              : clsTrasformazione::MOLTIPLICA;
            t->msSorgente = std::to_string(miFrazioneDurata) + "," + std::to_string(miUnitaDurata);
            t->msValore = std::to_string(mlConversioneDurata);
            campo.moTrasf = std::move(t);
        }
        if (scatti && r == PaginaCampi::RIGA_SCATTI) {
            campo.menEccezione = clsCampo::SCATTI_TRASF;
            auto t = std::make_unique<clsTrasformazione>();
            t->menTipo = clsTrasformazione::CAMPO;
            t->menOperazione = clsTrasformazione::DIVIDI;
            t->msValore = std::to_string(mlDividereScatti);
            campo.moTrasf = std::move(t);
        }
        chiamata.mcolCampi->Add(std::move(campo), std::to_string(r));
    }
}

// ---- call-record type -> table

void frmDriver::RiempiGrdChiamate_Trasf(TabellaValori& rgx, clsChiamata* chiamata) {
    const bool entranti = rgx.Righe() == mrgxEntranti.Righe();
    if (rgx.Colonne() >= PaginaCampi::NUM_COLONNE) {
        for (int r = 0; r < rgx.Righe(); ++r) {
            const clsCampo* campo = chiamata && chiamata->mcolCampi
                                        ? chiamata->mcolCampi->Trova(std::to_string(r))
                                        : nullptr;
            if (!campo) {
                for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c) rgx.Cella(r, c).clear();
                continue;
            }
            rgx.Cella(r, PaginaCampi::COL_RIGA) = std::to_string(campo->miRiga);
            rgx.Cella(r, PaginaCampi::COL_POSIZ) = std::to_string(campo->miInizio);
            rgx.Cella(r, PaginaCampi::COL_LUNG) = std::to_string(campo->miLunghezza);
            rgx.Cella(r, PaginaCampi::COL_ALLIN) = std::to_string(campo->menAllineamento);
            rgx.Cella(r, PaginaCampi::COL_FORMATO) =
                RigaConFormato(r, entranti) ? std::to_string(campo->miFormato) : std::string();
            rgx.Cella(r, PaginaCampi::COL_OPZ) =
                campo->mbOpzionale ? PaginaCampi::OPZ_SI : PaginaCampi::OPZ_NO;
            if (campo->menEccezione == clsCampo::DURATA_TRASF) {
                mrgxTrasf.Cella(PaginaTrasformazioni::DURATA, 1) = ValoreSi();
                if (campo->moTrasf) {
                    mlConversioneDurata = ValoreIntero32(campo->moTrasf->msValore);
                    LeggiSorgenteDurata(campo->moTrasf->msSorgente, miFrazioneDurata,
                                        miUnitaDurata);
                }
            } else if (campo->menEccezione == clsCampo::SCATTI_TRASF) {
                mrgxTrasf.Cella(PaginaTrasformazioni::SCATTI, 1) = ValoreSi();
                if (campo->moTrasf) mlDividereScatti = ValoreIntero32(campo->moTrasf->msValore);
            }
        }
    }
    // The date options of the driver.
    if (moDriver && moDriver->mcolDataIsolata && !moDriver->mcolDataIsolata->Vuota()) {
        mrgxTrasf.Cella(PaginaTrasformazioni::DATA_ISOLATA, 1) = ValoreSi();
        mpPagTrasf->grdTrasf->RiAssocia();
        mpPagTrasf->RegolaDataIsolata();
    }
    if (moDriver && !moDriver->Mesi(0).empty())
        mrgxTrasf.Cella(PaginaTrasformazioni::MESI_IN_LETTERE, 1) = ValoreSi();
    mpPagTrasf->grdTrasf->Aggiorna();
    mpPagEntranti->ControllaCampiOra();
    mpPagUscenti->ControllaCampiOra();
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
    const auto cellaIdent = [this](int r) { return CellaIdent(mrgxIdent, r); };

    // The date of the driver, in the one form it is stored in; the box shows that form.
    QString data = ui.txtData->text();
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
    if (!moDriver) moDriver = std::make_unique<clsDriver>();
    clsDriver& d = *moDriver;
    const TestoGenerale testi[] = {
        {ui.txtAutore, ui.txtAutore->text(), &d.msAutore},
        {ui.txtData, data, &d.msData},
        {ui.txtVersione, ui.txtVersione->text(), &d.msVersione},
        {ui.cboMarca, ui.cboMarca->currentText(), &d.msMarca},
        {ui.cboModello, ui.cboModello->currentText(), &d.msModello},
        {ui.txtNote, ui.txtNote->toPlainText().replace(u'\n', QStringLiteral("\r\n")), &d.msNote},
    };
    std::string valori[std::size(testi)];
    for (size_t i = 0; i < std::size(testi); ++i) {
        QString motivo;
        const auto v = InCp1252(testi[i].testo, &motivo);
        if (!v) return errore(PAGINA_GENERALE, testi[i].controllo, motivo);
        valori[i] = *v;
    }
    for (size_t i = 0; i < std::size(testi); ++i) *testi[i].membro = valori[i];
    d.mlOffset = cellaIdent(PaginaIdentificazione::RIGA_OFFSET);

    const auto [pEntranti, pUscenti] = ChiamateConRighe(d, mrgxIdent);
    clsChiamata& entranti = *pEntranti;
    clsChiamata& uscenti = *pUscenti;

    // 4, 5. A call kind printed on at least one line is recognised by at least one condition;
    // one printed on none has no conditions.
    struct Condizioni {
        clsChiamata& chiamata;
        int riga;
        int stringa;
        const char* predefinito;
    };
    const Condizioni condizioni[] = {
        {entranti, PaginaIdentificazione::RIGA_ENTRANTI, 10637,
         "Inserire le condizioni per identificare le chiamate entranti"},
        {uscenti, PaginaIdentificazione::RIGA_USCENTI, 10638,
         "Inserire le condizioni per identificare le chiamate uscenti"},
    };
    for (const Condizioni& c : condizioni) {
        if (c.chiamata.miNumRighe < 1)
            c.chiamata.mcolCondizioni.reset();
        else if (!c.chiamata.mcolCondizioni || c.chiamata.mcolCondizioni->Vuota())
            return erroreGriglia(PAGINA_IDENTIFICAZIONE, grdIdent, c.riga,
                                 TestoRisorsa(c.stringa, c.predefinito));
    }

    // Brand and model, which the catalogue records the driver under.
    // The Generale page with the focus on the empty box.
    bool bMarcaModello = true;
    if (ui.cboMarca->currentText().isEmpty()) {
        errore(PAGINA_GENERALE, ui.cboMarca,
               TestoRisorsa(10639, "Inserire la marca del centralino."));
        bMarcaModello = false;
    } else if (ui.cboModello->currentText().isEmpty()) {
        errore(PAGINA_GENERALE, ui.cboModello,
               TestoRisorsa(10640, "Inserire il modello del centralino."));
        bMarcaModello = false;
    }

    // The character after which the last line is broken.
    const std::string tronca = cellaIdent(PaginaIdentificazione::RIGA_ULTIMA_RIGA);
    std::optional<int32_t> caratteri = 0;
    if (!TogliSpazi(tronca).empty()) {
        const auto v = ValoreNumerico(tronca);
        caratteri = v ? Arrotonda32(*v) : std::nullopt;
    }
    if (caratteri) d.mlTroncaUltimaRigaDopoCaratteri = *caratteri;
    if (!bMarcaModello) return false;
    if (!caratteri)
        return erroreGriglia(PAGINA_IDENTIFICAZIONE, grdIdent,
                             PaginaIdentificazione::RIGA_ULTIMA_RIGA,
                             TestoRisorsa(12001, "Inserire un numero intero"));

    // 8, 9. The date options need their settings.
    if (mpPagTrasf->Presente(PaginaTrasformazioni::DATA_ISOLATA) &&
        (!d.mcolDataIsolata || d.mcolDataIsolata->Vuota()))
        return erroreGriglia(
            PAGINA_TRASFORMAZIONI, grdTrasf, PaginaTrasformazioni::DATA_ISOLATA,
            TestoRisorsa(10641, "Inserire le condizioni per identificare la data su riga isolata"));
    if (mpPagTrasf->Presente(PaginaTrasformazioni::MESI_IN_LETTERE) && d.Mesi(0).empty())
        return erroreGriglia(PAGINA_TRASFORMAZIONI, grdTrasf, PaginaTrasformazioni::MESI_IN_LETTERE,
                             TestoRisorsa(10642, "Inserire i codici identificativi dei mesi"));

    // The field tables, then the fields of both call-record types.
    if (!ControllaGrdChiamate(mrgxEntranti) || !ControllaGrdChiamate(mrgxUscenti)) return false;
    LeggiGrdChiamate_Trasf(entranti, mrgxEntranti);
    LeggiGrdChiamate_Trasf(uscenti, mrgxUscenti);

    // Empty lines are skipped or not.
    d.mbIngnoraRigheVuote = mpPagTrasf->Presente(PaginaTrasformazioni::IGNORA_VUOTE);

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
        for (int r = PaginaCampi::RIGA_ORA_INIZIO; r <= PaginaCampi::RIGA_DURATA; ++r)
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
    if (mpPagTrasf->Presente(PaginaTrasformazioni::DURATA)) {
        if (!HaCampo(d.moEntranti, PaginaCampi::RIGA_DURATA) &&
            !HaCampo(d.moUscenti, PaginaCampi::RIGA_DURATA)) {
            if (!domanda(
                    TestoRisorsa(10645,
                                 "\u00C8 stata inserita la trasformazione durata non espressa "
                                 "in secondi senza mettere dati nei campi \"Durata\" o \"Durata "
                                 "squillo\".") +
                    "\n" + continuare))
                return false;
        }
        if (miFrazioneDurata < 0 || miUnitaDurata < 0 || mlConversioneDurata <= 0)
            return erroreGriglia(
                PAGINA_TRASFORMAZIONI, grdTrasf, PaginaTrasformazioni::DURATA,
                TestoRisorsa(10644,
                             "Inserire il tipo di conversione da effettuare per la "
                             "durata non espressa in secondi"));
    }

    // A cost printed instead of metering pulses.
    if (mpPagTrasf->Presente(PaginaTrasformazioni::SCATTI)) {
        if (!HaCampo(d.moEntranti, PaginaCampi::RIGA_SCATTI) &&
            !HaCampo(d.moUscenti, PaginaCampi::RIGA_SCATTI)) {
            if (!domanda(TestoRisorsa(30420,
                                      "\u00C8 stata inserita la trasformazione presenza del "
                                      "costo scatti senza mettere dati nei campi \"Scatti\".") +
                         "\n" + continuare))
                return false;
        }
        if (mlDividereScatti <= 0)
            return erroreGriglia(
                PAGINA_TRASFORMAZIONI, grdTrasf, PaginaTrasformazioni::SCATTI,
                TestoRisorsa(10647,
                             "Inserire il tipo di conversione da effettuare per la "
                             "presenza del costo scatti"));
    }
    return true;
}

// ---- the views -> a driver, without the checks of a save

clsDriver frmDriver::DriverDalleViste(std::vector<QString>* pEsclusi) const {
    clsDriver d = moDriver ? clsDriver(*moDriver) : clsDriver();
    const Ui::frmDriver& ui = *mpUi;
    const auto cellaIdent = [this](int r) { return CellaIdent(mrgxIdent, r); };
    // The general values the engine may report; a text the driver file cannot hold is left
    // as it was.
    const auto testo = [](const QString& t, std::string& membro) {
        if (const auto v = InCp1252(t)) membro = *v;
    };
    testo(ui.cboMarca->currentText(), d.msMarca);
    testo(ui.cboModello->currentText(), d.msModello);
    d.mlOffset = cellaIdent(PaginaIdentificazione::RIGA_OFFSET);
    const auto [pEntranti, pUscenti] = ChiamateConRighe(d, mrgxIdent);
    clsChiamata& entranti = *pEntranti;
    clsChiamata& uscenti = *pUscenti;
    for (clsChiamata* c : {&entranti, &uscenti})
        if (c->miNumRighe < 1) c->mcolCondizioni.reset();
    const std::string tronca = cellaIdent(PaginaIdentificazione::RIGA_ULTIMA_RIGA);
    if (TogliSpazi(tronca).empty()) {
        d.mlTroncaUltimaRigaDopoCaratteri = 0;
    } else if (const auto v = ValoreNumerico(tronca)) {
        if (const auto n = Arrotonda32(*v)) d.mlTroncaUltimaRigaDopoCaratteri = *n;
    }
    d.mbIngnoraRigheVuote = mpPagTrasf->Presente(PaginaTrasformazioni::IGNORA_VUOTE);

    // The fields, without the rows a save would refuse.
    const std::pair<clsChiamata*, const TabellaValori*> tabelle[] = {{&entranti, &mrgxEntranti},
                                                                     {&uscenti, &mrgxUscenti}};
    for (const auto& [c, rgx] : tabelle) {
        LeggiGrdChiamate_Trasf(*c, *rgx);
        const bool ent = c == &entranti;
        for (const ProblemaCampo& p : ProblemiGrdChiamate(*rgx)) {
            const std::string chiave = std::to_string(p.iRiga);
            for (int i = c->mcolCampi->Count(); i >= 1; --i)
                if (c->mcolCampi->Chiave(i) == chiave) c->mcolCampi->Remove(i);
            // One line in the preview's table.
            if (pEsclusi)
                pEsclusi->push_back(
                    (ent ? TestoRisorsa(30663, "Entranti") : TestoRisorsa(30664, "Uscenti")) +
                    QStringLiteral(": ") + QString(p.sTesto).replace(QLatin1Char('\n'), u' '));
        }
    }
    return d;
}

}  // namespace tarno

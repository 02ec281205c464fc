#include "tabelle/MappaChiamate.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "model/CallFieldName.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsCampo.h"
#include "model/clsTrasformazione.h"

namespace tarno {

namespace {

// Units of the duration settings: "Secondo" is the first; a duration printed in fractions of a
// second is divided, one printed in fractions of a minute, hour or day multiplied.
constexpr int16_t UNITA_SECONDO = 0;

bool Entranti(TipoChiamata tipo) { return tipo == TipoChiamata::Entranti; }

// The whole-number value of a cell (its leading number, rounded); 0 when there is none.
int16_t Intero16(const std::string& s) { return LeggiIntero16(s).value_or(0); }

// A 32-bit number written in a transformation's value; 0 when it is none.
int32_t ValoreIntero32(const std::string& s) {
    const auto v = ValoreNumerico(s);
    if (!v) return 0;
    return Arrotonda32(*v).value_or(0);
}

// A cell counts towards a row in use when it holds something; alignment and format only
// when their value is not 0 (0 is what their empty entry stores).
bool CellaUsata(const TabellaValori& t, int r, int c) {
    const std::string& v = t.Cella(r, c);
    if (v.empty()) return false;
    if (c == Campi::COL_ALLIN || c == Campi::COL_FORMATO) return ValoreIniziale(v) != 0;
    if (c == Campi::COL_CIFRE) return UgualeNoCase(v, Campi::OPZ_SI);
    return true;
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

}  // namespace

std::string CellaIdent(const TabellaValori& t, int r) {
    return t.Righe() > r && t.Colonne() > 1 ? t.Cella(r, 1) : std::string();
}

std::pair<clsChiamata*, clsChiamata*> ChiamateConRighe(clsDriver& d, const TabellaValori& ident) {
    const auto chiamata = [&ident](std::unique_ptr<clsChiamata>& c, int32_t tipo, int riga) {
        if (!c) c = std::make_unique<clsChiamata>();
        c->menTipo = tipo;
        c->miNumRighe = LeggiIntero16(CellaIdent(ident, riga)).value_or(0);
        return c.get();
    };
    return {chiamata(d.moEntranti, clsChiamata::ENTRANTI, Ident::RIGA_ENTRANTI),
            chiamata(d.moUscenti, clsChiamata::USCENTI, Ident::RIGA_USCENTI)};
}

bool IdentificazioneInDriver(clsDriver& d, const TabellaValori& rgxIdent) {
    d.mlOffset = CellaIdent(rgxIdent, Ident::RIGA_OFFSET);
    const auto [entranti, uscenti] = ChiamateConRighe(d, rgxIdent);
    for (clsChiamata* c : {entranti, uscenti})
        if (c->miNumRighe < 1) c->mcolCondizioni.reset();
    const std::string tronca = CellaIdent(rgxIdent, Ident::RIGA_ULTIMA_RIGA);
    std::optional<int32_t> caratteri = 0;
    if (!TogliSpazi(tronca).empty()) {
        const auto v = ValoreNumerico(tronca);
        caratteri = v ? Arrotonda32(*v) : std::nullopt;
    }
    if (caratteri) d.mlTroncaUltimaRigaDopoCaratteri = *caratteri;
    return caratteri.has_value();
}

double NumeroRighe(const TabellaValori& rgxIdent, TipoChiamata tipo) {
    const int r = Entranti(tipo) ? Ident::RIGA_ENTRANTI : Ident::RIGA_USCENTI;
    return rgxIdent.Righe() > r && rgxIdent.Colonne() > 1 ? ValoreIniziale(rgxIdent.Cella(r, 1))
                                                          : 0;
}

bool RigaConFormato(int r, TipoChiamata tipo) {
    return (r >= Campi::RIGA_DATA && r <= Campi::RIGA_DURATA) ||
           (Entranti(tipo) && r == Campi::RIGA_DURATA_SQUILLO);
}

bool RigaInUso(const TabellaValori& t, int r) {
    for (int c = 0; c < Campi::NUM_COLONNE; ++c)
        if (CellaUsata(t, r, c)) return true;
    return false;
}

std::vector<ProblemaCampo> ProblemiCampi(const TabellaValori& rgx, TipoChiamata tipo,
                                         double dNumRighe, bool bDataIsolata,
                                         const clsChiamata* pSeparati) {
    std::vector<ProblemaCampo> problemi;
    if (rgx.Colonne() < Campi::NUM_COLONNE || dNumRighe < 1) return problemi;
    const auto valore = [&rgx](int r, int c) { return ValoreIniziale(rgx.Cella(r, c)); };
    // Line 0 (a field whose line the file leaves empty) is the first line, as the engine
    // reads it.
    const auto rigaDi = [&](int r) { return std::max(valore(r, Campi::COL_RIGA), 1.0); };
    // A date on a line of its own is on none of the call's lines.
    const auto fuoriRighe = [&](int r) { return bDataIsolata && r == Campi::RIGA_DATA; };

    const auto problema = [&](int r) -> std::optional<ProblemaCampo> {
        for (int c = Campi::COL_RIGA; c <= Campi::COL_LUNG; ++c)
            if (rgx.Cella(r, c).empty()) return ProblemaCampo{r, c, 10605};
        if (!fuoriRighe(r) && valore(r, Campi::COL_RIGA) > dNumRighe)
            return ProblemaCampo{
                r, Campi::COL_RIGA, 10606, -1, rgx.Cella(r, Campi::COL_RIGA), dNumRighe};
        if (RigaConFormato(r, tipo) && !CellaUsata(rgx, r, Campi::COL_FORMATO))
            return ProblemaCampo{r, Campi::COL_FORMATO, 10610};
        if (fuoriRighe(r)) return std::nullopt;
        // No other field of the same line may start within this one, from its first column
        // to its last one, both included (the other field's row reports a field starting
        // within it).
        const double riga = rigaDi(r);
        if (pSeparati) {
            // Fields by number: the characters each takes in its field, from 1.
            const auto tratto = [&](int k) {
                const clsCampo* c =
                    pSeparati->mcolCampi ? pSeparati->mcolCampi->Trova(std::to_string(k)) : nullptr;
                const double da = c && c->miNelCampo > 1 ? c->miNelCampo : 1;
                const double lunghezza = valore(k, Campi::COL_LUNG);
                return std::pair(da, da + lunghezza - 1);
            };
            // A field read whole may be read into two call fields.
            if (valore(r, Campi::COL_LUNG) <= 0) return std::nullopt;
            const auto [da, a] = tratto(r);
            for (int j = 0; j < rgx.Righe(); ++j) {
                if (j == r || !RigaInUso(rgx, j) || fuoriRighe(j) || rigaDi(j) != riga ||
                    valore(j, Campi::COL_POSIZ) != valore(r, Campi::COL_POSIZ) ||
                    valore(j, Campi::COL_LUNG) <= 0)
                    continue;
                const double altroDa = tratto(j).first;
                if (da <= altroDa && altroDa <= a)
                    return ProblemaCampo{r, Campi::COL_POSIZ, 10611, j};
            }
            return std::nullopt;
        }
        const double inizio = valore(r, Campi::COL_POSIZ);
        const double fine = inizio + valore(r, Campi::COL_LUNG) - 1;
        for (int j = 0; j < rgx.Righe(); ++j) {
            if (j == r || !RigaInUso(rgx, j) || fuoriRighe(j) || rigaDi(j) != riga) continue;
            const double altro = valore(j, Campi::COL_POSIZ);
            if (inizio <= altro && altro <= fine)
                return ProblemaCampo{r, Campi::COL_POSIZ, 10611, j};
        }
        return std::nullopt;
    };
    for (int r = 0; r < rgx.Righe(); ++r)
        if (RigaInUso(rgx, r))
            if (auto p = problema(r)) problemi.push_back(std::move(*p));
    return problemi;
}

void TabellaInChiamata(clsChiamata& chiamata, const TabellaValori& rgx, TipoChiamata tipo,
                       const ConversioniCampi& conv) {
    const bool entranti = Entranti(tipo);
    std::optional<Collezione<clsCampo>> prima = std::move(chiamata.mcolCampi);
    chiamata.mcolCampi.emplace();
    if (rgx.Colonne() < Campi::NUM_COLONNE) return;
    // The call's earlier field of a row, if any.
    const auto precedente = [&prima](int r) -> const clsCampo* {
        return prima ? prima->Trova(std::to_string(r)) : nullptr;
    };
    // A field transformation made anew, or the earlier one with its place in the file.
    const auto trasformazione = [&](int r) {
        const clsCampo* p = precedente(r);
        if (p && p->moTrasf && p->moTrasf->menTipo == clsTrasformazione::CAMPO)
            return std::make_unique<clsTrasformazione>(*p->moTrasf);
        return std::make_unique<clsTrasformazione>();
    };
    std::map<int, clsCampo> campi;
    for (int r = 0; r < rgx.Righe(); ++r) {
        if (r == Campi::RIGA_DATA && conv.bDataIsolata && !precedente(r)) continue;
        // Line 0 is kept: it is how a field without a line reads, and it means the first.
        const auto riga = ValoreNumerico(rgx.Cella(r, Campi::COL_RIGA));
        if (!riga || *riga < 0) continue;
        clsCampo campo;
        campo.msNome = NomeCampo(r, entranti);
        if (campo.msNome.empty()) continue;
        campo.miRiga = Arrotonda16(*riga).value_or(0);
        campo.miInizio = Intero16(rgx.Cella(r, Campi::COL_POSIZ));
        campo.miLunghezza = Intero16(rgx.Cella(r, Campi::COL_LUNG));
        // Where a field of separated fields starts inside it is not in the table: the field
        // keeps it while its field number stays.
        if (const clsCampo* p = precedente(r); p && p->miInizio == campo.miInizio)
            campo.miNelCampo = p->miNelCampo;
        campo.menAllineamento = Intero16(rgx.Cella(r, Campi::COL_ALLIN));
        campo.miFormato = RigaConFormato(r, tipo) ? Intero16(rgx.Cella(r, Campi::COL_FORMATO)) : 0;
        const std::string& opz = rgx.Cella(r, Campi::COL_OPZ);
        campo.mbOpzionale = !opz.empty() && UgualeNoCase(opz, Campi::OPZ_SI);
        campo.mbSoloCifre = Campi::RigaDiTesto(r, entranti) &&
                            UgualeNoCase(rgx.Cella(r, Campi::COL_CIFRE), Campi::OPZ_SI);
        // The date field carries its date mark.
        if (r == Campi::RIGA_DATA) campo.menEccezione = clsCampo::DATA;

        // The duration conversion goes to the duration field: the driver file gives a field
        // transformation to "dDurata" and "lScatti" only, and a ringing time carrying one
        // would not read back.
        if (conv.bDurata && r == Campi::RIGA_DURATA) {
            campo.menEccezione = clsCampo::DURATA_TRASF;
            auto t = trasformazione(r);
            t->menTipo = clsTrasformazione::CAMPO;
            t->menOperazione = conv.iUnitaDurata == UNITA_SECONDO ? clsTrasformazione::DIVIDI
                                                                  : clsTrasformazione::MOLTIPLICA;
            t->msSorgente =
                std::to_string(conv.iFrazioneDurata) + "," + std::to_string(conv.iUnitaDurata);
            t->msValore = std::to_string(conv.lConversioneDurata);
            campo.moTrasf = std::move(t);
        }
        if (conv.bScatti && r == Campi::RIGA_SCATTI) {
            campo.menEccezione = clsCampo::SCATTI_TRASF;
            auto t = trasformazione(r);
            t->menTipo = clsTrasformazione::CAMPO;
            t->menOperazione = clsTrasformazione::DIVIDI;
            t->msSorgente.clear();
            t->msValore = std::to_string(conv.lDividereScatti);
            campo.moTrasf = std::move(t);
        }
        campi.emplace(r, std::move(campo));
    }
    // The fields the call had in their order, then the new ones in the table's.
    if (prima)
        for (int i = 1; i <= prima->Count(); ++i) {
            const auto& chiave = prima->Chiave(i);
            const auto r = chiave ? LeggiIntero16(*chiave) : std::nullopt;
            const auto it = r ? campi.find(*r) : campi.end();
            if (it == campi.end()) continue;
            chiamata.mcolCampi->Add(std::move(it->second), std::to_string(it->first));
            campi.erase(it);
        }
    for (auto& [r, campo] : campi) chiamata.mcolCampi->Add(std::move(campo), std::to_string(r));
}

void TogliCampiConProblemi(clsChiamata& chiamata, const std::vector<ProblemaCampo>& problemi) {
    if (!chiamata.mcolCampi) return;
    for (const ProblemaCampo& p : problemi) {
        const std::string chiave = std::to_string(p.iRiga);
        for (int i = chiamata.mcolCampi->Count(); i >= 1; --i)
            if (chiamata.mcolCampi->Chiave(i) == chiave) chiamata.mcolCampi->Remove(i);
    }
}

void ChiamataInTabella(TabellaValori& rgx, const clsChiamata* chiamata, TipoChiamata tipo,
                       ConversioniCampi& rConv) {
    if (rgx.Colonne() < Campi::NUM_COLONNE) return;
    for (int r = 0; r < rgx.Righe(); ++r) {
        const clsCampo* campo = chiamata && chiamata->mcolCampi
                                    ? chiamata->mcolCampi->Trova(std::to_string(r))
                                    : nullptr;
        if (!campo) {
            for (int c = 0; c < Campi::NUM_COLONNE; ++c) rgx.Cella(r, c).clear();
            continue;
        }
        rgx.Cella(r, Campi::COL_RIGA) = std::to_string(campo->miRiga);
        rgx.Cella(r, Campi::COL_POSIZ) = std::to_string(campo->miInizio);
        rgx.Cella(r, Campi::COL_LUNG) = std::to_string(campo->miLunghezza);
        rgx.Cella(r, Campi::COL_ALLIN) = std::to_string(campo->menAllineamento);
        rgx.Cella(r, Campi::COL_FORMATO) =
            RigaConFormato(r, tipo) ? std::to_string(campo->miFormato) : std::string();
        rgx.Cella(r, Campi::COL_OPZ) = campo->mbOpzionale ? Campi::OPZ_SI : Campi::OPZ_NO;
        rgx.Cella(r, Campi::COL_CIFRE) = campo->mbSoloCifre ? Campi::OPZ_SI : "";
        if (campo->menEccezione == clsCampo::DURATA_TRASF) {
            rConv.bDurata = true;
            if (campo->moTrasf) {
                rConv.lConversioneDurata = ValoreIntero32(campo->moTrasf->msValore);
                LeggiSorgenteDurata(campo->moTrasf->msSorgente, rConv.iFrazioneDurata,
                                    rConv.iUnitaDurata);
            }
        } else if (campo->menEccezione == clsCampo::SCATTI_TRASF) {
            rConv.bScatti = true;
            if (campo->moTrasf) rConv.lDividereScatti = ValoreIntero32(campo->moTrasf->msValore);
        }
    }
}

}  // namespace tarno

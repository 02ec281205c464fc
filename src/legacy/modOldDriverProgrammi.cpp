// The legacy transformation programs: what each one adds to a freshly converted document.

#include "legacy/modOldDriver.h"
#include "model/CallFieldName.h"
#include "model/Messaggi.h"
#include "model/Testo.h"

namespace tarno {

namespace {

const char* NomeDirezione(bool bEntrante) { return bEntrante ? "entranti" : "uscenti"; }

clsChiamata& Chiamata(clsDriver& doc, bool bEntrante) {
    auto& p = bEntrante ? doc.moEntranti : doc.moUscenti;
    if (!p)
        throw ErroreConversione(ERR_OGGETTO, std::string("Le chiamate ") +
                                                 NomeDirezione(bEntrante) + " non sono definite");
    return *p;
}

template <class T>
T& Crea(std::optional<T>& col) {
    if (!col) col.emplace();
    return *col;
}

// The field of a record type under the key of its name in the numbering of the direction.
clsCampo& Campo(clsChiamata& chiamata, const char* sNome, bool bEntrante) {
    clsCampo* campo = chiamata.mcolCampi
                          ? chiamata.mcolCampi->Trova(std::to_string(IndiceCampo(sNome, bEntrante)))
                          : nullptr;
    if (!campo)
        throw ErroreConversione(ERR_ARGOMENTO, std::string("Il campo ") + sNome +
                                                   " delle chiamate " + NomeDirezione(bEntrante) +
                                                   " non \xE8 definito");
    return *campo;
}

// Sets the conjunction of the last identification condition of a record type to "OR".
void UltimaInOr(clsDriver& doc, bool bEntrante) {
    ColCondizioni& col = Crea(Chiamata(doc, bEntrante).mcolCondizioni);
    if (col.Vuota())
        throw ErroreConversione(ERR_INDICE,
                                std::string("Le chiamate ") + NomeDirezione(bEntrante) +
                                    " non hanno condizioni di identificazione da unire con OR");
    col.Item(col.Count()).msCongiunzione = "OR";
}

void AggiungiCondizioni(std::optional<ColCondizioni>& col,
                        std::initializer_list<clsCondizione> condizioni) {
    ColCondizioni& c = Crea(col);
    for (const auto& cond : condizioni) c.Add(cond);
}

int16_t CodiceGgMmAa(const CercaFormato& cerca) { return CodiceFormato(cerca, "gg/mm/aa", true); }

// Gives a duration field a CAMPO transformation that multiplies it.
void MoltiplicaDurata(clsCampo& campo, const char* sSorgente, const char* sValore) {
    campo.menEccezione = clsCampo::DURATA_TRASF;
    auto t = std::make_unique<clsTrasformazione>();
    t->menTipo = clsTrasformazione::CAMPO;
    t->menOperazione = clsTrasformazione::MOLTIPLICA;
    t->miRiga = campo.miRiga;
    t->miInizio = campo.miInizio;
    t->miLunghezza = campo.miLunghezza;
    t->msSorgente = sSorgente;
    t->msValore = sValore;
    campo.moTrasf = std::move(t);
}

// Replaces the outgoing date field by the field of a date printed on its own line.
void SostituisciDataUscenti(clsDriver& doc, const CercaFormato& cerca) {
    clsChiamata& uscenti = Chiamata(doc, false);
    const std::string chiave = std::to_string(IndiceCampo("dData", false));
    Campo(uscenti, "dData", false);  // fails when there is none
    auto& campi = *uscenti.mcolCampi;
    for (int i = 1; i <= campi.Count(); ++i) {
        if (campi.Chiave(i) && UgualeNoCase(*campi.Chiave(i), chiave)) {
            campi.Remove(i);
            break;
        }
    }
    campi.Add(NuovoCampoDataIsolata(cerca), chiave);
}

void EntranteUscente(clsDriver& doc) {
    const int16_t k = IndiceCampo("sNumero", false);
    if (k == -1) return;
    const clsCampo& numero = Campo(Chiamata(doc, false), "sNumero", false);
    if (numero.miLunghezza < 0)
        throw ErroreConversione(ERR_ARGOMENTO,
                                "Lunghezza negativa del campo sNumero delle chiamate uscenti");
    const int16_t inizio = numero.miInizio;
    const int16_t lunghezza = numero.miLunghezza;
    AggiungiCondizioni(
        Chiamata(doc, false).mcolCondizioni,
        {NuovaCondizione(1, inizio, lunghezza, clsCondizione::SOLO_NUMERI, "", 0, "")});
    AggiungiCondizioni(Chiamata(doc, true).mcolCondizioni,
                       {NuovaCondizione(1, inizio, lunghezza, clsCondizione::UGUALE_A,
                                        std::string(static_cast<size_t>(lunghezza), ' '), 0, "")});
}

void SestiMinuto(clsDriver& doc) {
    for (bool entrante : {true, false})
        MoltiplicaDurata(Campo(Chiamata(doc, entrante), "dDurata", entrante), "1,4", "10");
}

void Integral3(clsDriver& doc, const CercaFormato& cerca) {
    AggiungiCondizioni(
        doc.mcolDataIsolata,
        {NuovaCondizione(1, 70, 6, clsCondizione::UGUALE_A, "DATA:", 0, "AND"),
         NuovaCondizione(1, 76, 8, clsCondizione::DATA_ISOLATA, "", CodiceGgMmAa(cerca), "")});
    SostituisciDataUscenti(doc, cerca);
}

void SeltaSae80(clsDriver& doc) {
    auto& trasf = Crea(doc.mcolTrasf);
    for (const char* sorgente : {"\\24 ", " ", "  "})
        trasf.Add(NuovaEliminaIniziale(1, 1, 2, sorgente));
    UltimaInOr(doc, false);
    AggiungiCondizioni(Chiamata(doc, false).mcolCondizioni,
                       {NuovaCondizione(1, 1, 1, clsCondizione::UGUALE_A, "A", 0, ""),
                        NuovaCondizione(1, 2, 1, clsCondizione::UGUALE_A, "#", 0, "")});
}

void Opus2Righe(clsDriver& doc, const CercaFormato& cerca) {
    auto& trasf = Crea(doc.mcolTrasf);
    UltimaInOr(doc, false);
    trasf.Add(NuovaEliminaIniziale(1, 1, 1, " "));
    const auto u = clsCondizione::UGUALE_A;
    AggiungiCondizioni(
        Chiamata(doc, false).mcolCondizioni,
        {NuovaCondizione(1, 8, 1, clsCondizione::SOLO_NUMERI, "|", 0, "AND"),
         NuovaCondizione(1, 9, 1, u, "|", 0, "AND"), NuovaCondizione(1, 13, 1, u, "|", 0, "AND"),
         NuovaCondizione(2, 9, 1, u, "|", 0, "AND"), NuovaCondizione(2, 13, 1, u, "|", 0, "AND"),
         NuovaCondizione(2, 37, 1, u, "|", 0, "")});
    AggiungiCondizioni(doc.mcolDataIsolata, {NuovaCondizione(1, 70, 1, u, "\\f", 0, "AND"),
                                             NuovaCondizione(1, 76, 8, clsCondizione::DATA_ISOLATA,
                                                             "", CodiceGgMmAa(cerca), "")});
    SostituisciDataUscenti(doc, cerca);
}

void Office1000(clsDriver& doc, const CercaFormato& cerca) {
    ImpostaMesiInglesi(doc);
    AggiungiCondizioni(
        doc.mcolDataIsolata,
        {NuovaCondizione(1, 5, 4, clsCondizione::UGUALE_A, "DATE", 0, "AND"),
         NuovaCondizione(1, 12, 8, clsCondizione::DATA_ISOLATA, "", CodiceGgMmAa(cerca), "")});
}

void Hicom150E(clsDriver& doc) {
    auto& trasf = Crea(doc.mcolTrasf);
    trasf.Add(NuovaEliminaIniziale(1, 1, 1, "\\12"));
    UltimaInOr(doc, false);
    UltimaInOr(doc, true);
    trasf.Add(NuovaEliminaIniziale(1, 1, 1, " "));
    const auto u = clsCondizione::UGUALE_A;
    for (bool entrante : {false, true})
        AggiungiCondizioni(
            Chiamata(doc, entrante).mcolCondizioni,
            {NuovaCondizione(1, 1, 1, u, "S", 0, "OR"), NuovaCondizione(1, 1, 1, u, "D", 0, "OR"),
             NuovaCondizione(1, 1, 1, u, "$", 0, "AND"),
             NuovaCondizione(2, 73, 1, clsCondizione::SOLO_NUMERI, " ", 0, "")});
    ImpostaMesiInglesi(doc);
    SpostaSuRiga2(doc, 80, false);
    SpostaSuRiga2(doc, 80, true);
}

void TieCorex(clsDriver& doc) {
    const auto u = clsCondizione::UGUALE_A;
    for (bool entrante : {false, true}) {
        UltimaInOr(doc, entrante);
        AggiungiCondizioni(
            Chiamata(doc, entrante).mcolCondizioni,
            {NuovaCondizione(1, 3, 1, u, ".", 0, "AND"), NuovaCondizione(1, 9, 1, u, ":", 0, "AND"),
             NuovaCondizione(2, 23, 1, u, "-", 0, "AND"),
             NuovaCondizione(2, 56, 1, u, "-", 0, "")});
    }
    SpostaSuRiga2(doc, 58, false);
    SpostaSuRiga2(doc, 58, true);
}

void EricssonMd81(clsDriver& doc) {
    UltimaInOr(doc, false);
    AggiungiCondizioni(
        Chiamata(doc, false).mcolCondizioni,
        {NuovaCondizione(1, 1, 1, clsCondizione::UGUALE_A, "N", 0, "AND"),
         NuovaCondizione(1, 1, 1, clsCondizione::UGUALE_A, std::string(25, ' '), 0, "")});
}

void Programma(clsDriver& doc, int32_t vlProgramma, const CercaFormato& cerca) {
    switch (vlProgramma) {
        case 1:
            EntranteUscente(doc);
            break;
        case 2:
            SestiMinuto(doc);
            break;
        case 3:
        case 16:
            DurataDecimiMinuto(doc);
            break;
        case 4:
            Integral3(doc, cerca);
            break;
        case 5:
            for (const char* valore : {"#", "*", "~"})
                AggiungiEliminaSuCampo(doc, "sNumero", false, valore);
            break;
        case 6:
            SpostaSuRiga2(doc, 82, false);
            SpostaSuRiga2(doc, 82, true);
            break;
        case 8:
            SeltaSae80(doc);
            break;
        case 9:
            Opus2Righe(doc, cerca);
            break;
        case 10:
            Office1000(doc, cerca);
            break;
        case 11:
            Hicom150E(doc);
            break;
        case 12:
            ConvertiBrondi2448(doc);
            break;
        case 14:
            TieCorex(doc);
            break;
        case 15:
            ConvertiTieOnix(doc);
            break;
        case 18:
            EricssonMd81(doc);
            break;
        default:
            break;  // 0 "Standard", 13 "Brondi 820" and the unused codes add nothing
    }
}

}  // namespace

clsCondizione NuovaCondizione(int16_t viRiga, int16_t viInizio, int16_t viLunghezza,
                              int32_t venOperatore, const std::string& vsValore, int16_t viFormato,
                              const std::string& vsCongiunzione) {
    clsCondizione c;
    c.miRiga = viRiga;
    c.miInizio = viInizio;
    c.miLunghezza = viLunghezza;
    c.menOperatore = venOperatore;
    c.msValore = vsValore;
    c.miFormato = viFormato;
    c.msCongiunzione = vsCongiunzione;
    return c;
}

clsTrasformazione NuovaEliminaIniziale(int16_t viRiga, int16_t viInizio, int16_t viLunghezza,
                                       const std::string& vsSorgente) {
    clsTrasformazione t;
    t.menTipo = clsTrasformazione::INIZIALE;
    t.menOperazione = clsTrasformazione::ELIMINA;
    t.miRiga = viRiga;
    t.miInizio = viInizio;
    t.miLunghezza = viLunghezza;
    t.msSorgente = vsSorgente;
    return t;
}

void AggiungiEliminaSuCampo(clsDriver& doc, const std::string& vsCampo, bool bEntrante,
                            const std::string& vsValore) {
    clsTrasformazione t;
    t.menTipo = bEntrante ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI;
    t.menOperazione = clsTrasformazione::ELIMINA;
    t.miRiga = 1;
    t.msValore = vsValore;
    const auto& chiamata = bEntrante ? doc.moEntranti : doc.moUscenti;
    if (chiamata && chiamata->mcolCampi) {
        const clsCampo* campo =
            chiamata->mcolCampi->Trova(std::to_string(IndiceCampo(vsCampo, bEntrante)));
        if (campo) {
            t.miInizio = campo->miInizio;
            t.miLunghezza = campo->miLunghezza;
        }
    }
    Crea(doc.mcolTrasf).Add(std::move(t));
}

void SpostaSuRiga2(clsDriver& doc, int16_t viColonna, bool bEntrante) {
    auto sposta = [viColonna](auto& oggetto) {
        if (oggetto.miInizio >= viColonna) {
            oggetto.miRiga = 2;
            oggetto.miInizio = static_cast<int16_t>(oggetto.miInizio - viColonna + 1);
        }
    };
    auto spostaTutti = [&](auto& col) {
        if (!col) return;
        for (auto& voce : *col) sposta(voce.valore);
    };
    spostaTutti(doc.mcolTrasf);
    auto& chiamata = bEntrante ? doc.moEntranti : doc.moUscenti;
    if (!chiamata) return;
    spostaTutti(chiamata->mcolCampi);
    spostaTutti(chiamata->mcolCondizioni);
    spostaTutti(chiamata->mcolCondTrasferita);
    chiamata->miNumRighe = 2;
}

void ImpostaMesiInglesi(clsDriver& doc) {
    static const char* const mesi[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int i = 0; i < 12; ++i) doc.Mesi(i, mesi[i]);
}

clsCampo NuovoCampoDataIsolata(const CercaFormato& cerca) {
    clsCampo campo;
    campo.msNome = "dData";
    campo.miRiga = 1;
    campo.miInizio = 76;
    campo.miLunghezza = 8;
    campo.miFormato = CodiceGgMmAa(cerca);
    campo.mbOpzionale = false;
    return campo;
}

void DurataDecimiMinuto(clsDriver& doc) {
    for (bool entrante : {true, false}) {
        auto& chiamata = entrante ? doc.moEntranti : doc.moUscenti;
        if (!chiamata) continue;
        auto& campi = Crea(chiamata->mcolCampi);
        // A record type without a duration field gets none: there is nothing to convert.
        if (clsCampo* durata = campi.Trova(std::to_string(IndiceCampo("dDurata", entrante))))
            MoltiplicaDurata(*durata, "1,8", "6");
    }
}

void ConvertiBrondi2448(clsDriver& doc) {
    ImpostaMesiInglesi(doc);
    Crea(Chiamata(doc, false).mcolCondizioni);
    UltimaInOr(doc, false);
    AggiungiCondizioni(Chiamata(doc, false).mcolCondizioni,
                       {NuovaCondizione(1, 1, 1, clsCondizione::UGUALE_A, ">", 0, "AND"),
                        NuovaCondizione(1, 32, 3, clsCondizione::UGUALE_A, "INT", 0, "")});
    auto& trasf = Crea(doc.mcolTrasf);
    clsTrasformazione dividi;
    dividi.miRiga = 1;
    dividi.miInizio = 50;
    dividi.miLunghezza = 8;
    dividi.menOperazione = clsTrasformazione::DIVIDI;
    dividi.msSorgente = "127";
    trasf.Add(std::move(dividi));
    clsTrasformazione inserisci;
    inserisci.miRiga = 1;
    inserisci.miInizio = 75;
    inserisci.miLunghezza = 20;
    inserisci.menOperazione = clsTrasformazione::INSERISCI;
    inserisci.msValore = "00";
    inserisci.mcolCondizioni.emplace();
    inserisci.mcolCondizioni->Add(NuovaCondizione(1, 64, 3, clsCondizione::UGUALE_A, "INT", 0, ""));
    trasf.Add(std::move(inserisci));
}

void ConvertiTieOnix(clsDriver& doc) {
    for (bool entrante : {true, false}) {
        clsChiamata& chiamata = Chiamata(doc, entrante);
        Crea(chiamata.mcolCondTrasferita).Clear();
        Crea(chiamata.mcolCondizioni);
        UltimaInOr(doc, entrante);
        const clsCondizione seconda =
            entrante ? NuovaCondizione(1, 62, 1, clsCondizione::UGUALE_A, "-", 0, "")
                     : NuovaCondizione(1, 62, 1, clsCondizione::SOLO_NUMERI, "", 0, "");
        const clsCondizione trf =
            NuovaCondizione(1, 1, 3, clsCondizione::UGUALE_A, "TRF", 0, "AND");
        AggiungiCondizioni(chiamata.mcolCondTrasferita, {trf, seconda});
        AggiungiCondizioni(chiamata.mcolCondizioni, {trf, seconda});
    }
    clsCampo& risposta = Campo(Chiamata(doc, true), "dRisposta", true);
    if (risposta.miInizio == INT16_MAX)
        throw ErroreConversione(ERR_OVERFLOW,
                                "Numero fuori dall'intervallo consentito (campo "
                                "dRisposta delle chiamate entranti)");
    ++risposta.miInizio;
}

bool ApplicaTrasformazione(clsDriver& doc, IMessaggi& msg, const CercaFormato& cerca) {
    return ApplicaTrasformazione(doc, glProgrammaTrasf, msg, cerca);
}

bool ApplicaTrasformazione(clsDriver& doc, int32_t vlProgramma, IMessaggi& msg,
                           const CercaFormato& cerca) {
    int32_t numero = 0;
    std::string descrizione;
    try {
        Programma(doc, vlProgramma, cerca);
        return true;
    } catch (const ErroreConversione& e) {
        numero = e.mlNumero;
        descrizione = e.what();
    } catch (const std::exception& e) {
        numero = ERR_ARGOMENTO;
        descrizione = e.what();
    }
    std::string nome = NomeProgrammaTrasf(vlProgramma);
    if (nome.empty()) nome = std::to_string(vlProgramma);
    msg.Mostra("Impossibile completare il programma di trasformazione " + nome +
                   ".\rErrore n\xB0 " + std::to_string(numero) + ":" + descrizione,
               TITOLO_ATTENZIONE, Icona::Critico);
    return false;
}

}  // namespace tarno

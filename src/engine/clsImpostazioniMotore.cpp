#include "engine/clsImpostazioniMotore.h"

#include <algorithm>
#include <cmath>

#include "engine/TestoMotore.h"
#include "engine/Trasformazioni.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsCampo.h"
#include "model/clsChiamata.h"
#include "model/clsCondizione.h"
#include "model/clsTrasformazione.h"

namespace tarno {

using namespace motore;

namespace {

bool Si(std::string_view s) {
    const std::string v = Maiuscolo(SenzaBianchi(s));
    return v == "S" || v == "SI" || v == "S\xCC" || v == "1" || v == "TRUE";
}

Genere GenereDi(const std::string& nome) {
    if (nome == "dData") return Genere::Data;
    if (nome == "dOraInizio" || nome == "dOraFine" || nome == "dOra") return Genere::Ora;
    if (nome == "dDurata" || nome == "dRisposta") return Genere::Durata;
    if (nome == "lScatti") return Genere::Scatti;
    return Genere::Testo;
}

// A format of the other kind than the one wanted (a date format where a time is read), as the
// notes name it: the catalogue's codes keep their meaning, so a code of the wrong kind is a
// mistake of the driver.
std::string AltroGenere(const clsFormatoDataOra& formato, int iCodice, bool bData) {
    return "il formato " + std::to_string(iCodice) + " " + Virgolette(formato.Testo()) +
           ", che non \xE8 un formato " + (bData ? "di data" : "di ora");
}

// A position as the driver writes it, with the line always written.
std::string Posizione(int iCampo, int iInizio, int iLunghezza, int iRiga) {
    std::string s = std::to_string(iCampo ? iCampo : iInizio) + "," + std::to_string(iLunghezza) +
                    "," + std::to_string(iRiga);
    if (iCampo && iInizio > 1) s += "," + std::to_string(iInizio);
    return s;
}

std::string DescriviCondizione(const Cond& c) {
    std::string s = c.sNome + " (" + clsCondizione::ParolaChiave(c.iOp) + " " +
                    Posizione(c.iCampo, c.iInizio, c.iLunghezza, c.iRiga);
    if (c.iOp == clsCondizione::UGUALE_A || c.iOp == clsCondizione::DIVERSO_DA)
        s += " " + Virgolette(c.sValore);
    if (c.iFormato != 0) {
        s += " formato " + std::to_string(c.iFormato);
        if (c.pFormato) s += " " + Virgolette(c.pFormato->Testo());
    }
    return s + ")";
}

}  // namespace

std::string motore::DescriviCatena(const Catena& cat) {
    std::string s;
    for (size_t i = 0; i < cat.size(); ++i) {
        if (i) s += cat[i - 1].bOr ? " Or " : " And ";
        s += DescriviCondizione(cat[i]);
    }
    return s;
}

clsImpostazioniMotore::clsImpostazioniMotore(const clsDriver& driver, const MappaFormati& mappa) {
    for (const auto& [codice, testo] : mappa) mFormati.emplace(codice, clsFormatoDataOra(testo));
    for (int i = 0; i < 12; ++i) mesi[static_cast<size_t>(i)] = driver.Mesi(i);
    for (char c : {'\n', '\r', '\f'}) fineRiga[static_cast<unsigned char>(c)] = true;

    CompilaPrescanning(driver);
    CompilaSeparazione(driver);
    bIgnoraVuote = driver.mbIngnoraRigheVuote;
    Nota(NotaImpostazione::Applicata, bIgnoraVuote
                                          ? "Ignora righe vuote: le righe vuote sono saltate"
                                          : "Righe vuote: lette come le altre righe");
    {
        const std::string off(SenzaBianchi(driver.mlOffset));
        const auto v = ValoreNumerico(off);
        if (v && *v >= 1 && *v <= MAX_CARATTERI_RIGA && *v == std::floor(*v)) {
            iOffset = static_cast<size_t>(*v);
            Nota(NotaImpostazione::Applicata,
                 "Offset " + off + ": i primi " + off +
                     " caratteri di ogni riga sono un prefisso e sono tolti; ogni posizione "
                     "del driver conta dal carattere " +
                     std::to_string(iOffset + 1) + " della riga stampata");
        } else if (!off.empty() && !(v && *v == 0)) {
            Nota(NotaImpostazione::NonApplicata, "Offset " + off +
                                                     ": serve un numero intero da 0 a " +
                                                     std::to_string(MAX_CARATTERI_RIGA));
        }
    }
    iTroncaDopo = driver.mlTroncaUltimaRigaDopoCaratteri;
    if (iTroncaDopo > 0)
        Nota(NotaImpostazione::Applicata,
             "Manda ultima riga accapo al carattere " + std::to_string(iTroncaDopo) +
                 ": una riga pi\xF9 lunga prosegue su una riga nuova dal carattere " +
                 std::to_string(iTroncaDopo + 1));
    else if (iTroncaDopo < 0)
        Nota(NotaImpostazione::NonApplicata, "Manda ultima riga accapo al carattere " +
                                                 std::to_string(iTroncaDopo) + ": valore negativo");
    CompilaTrasformazioni(driver);
    CompilaDataIsolata(driver);
    if (!mesi[0].empty()) {
        std::string s = "Mesi in lettere:";
        for (const auto& m : mesi) s += " " + Virgolette(m);
        Nota(NotaImpostazione::Applicata, s);
    }
    CompilaTipo(tipi[0], driver.moEntranti.get(), true);
    CompilaTipo(tipi[1], driver.moUscenti.get(), false);
    CompilaLarghezza();

    int finestraMax = std::max(1, iRigheData);
    for (const auto& t : tipi)
        if (t.bAttivo) finestraMax = std::max(finestraMax, t.iRighe);
    iFinestra = finestraMax;
}

Catena clsImpostazioniMotore::Compila(const std::optional<ColCondizioni>& col,
                                      const std::string& sDove, bool bColonne) {
    const bool campi = bSeparati && !bColonne;
    Catena cat;
    if (!col) return cat;
    for (const auto& voce : *col) {
        const clsCondizione& c = voce.valore;
        Cond k;
        k.sNome = c.msNome.empty() ? "Condizione" : c.msNome;
        k.iOp = c.menOperatore;
        k.iCampo = campi ? (c.miInizio ? c.miInizio : 1) : 0;
        k.iInizio = std::max<int>(1, campi ? c.miNelCampo : c.miInizio);
        k.iLunghezza = std::max<int>(0, c.miLunghezza);
        k.iRiga = std::max<int>(1, c.miRiga);
        k.iFormato = c.miFormato;
        k.sValore = c.msValore;
        k.pFormato = Formato(c.miFormato);
        k.bOr = UgualeNoCase(SenzaBianchi(c.msCongiunzione), "Or");
        const bool conFormato = k.iOp == clsCondizione::DATA_VALIDA ||
                                k.iOp == clsCondizione::TEMPO_VALIDO ||
                                k.iOp == clsCondizione::DATA_ISOLATA;
        if (conFormato && !k.pFormato)
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " usa il formato " + std::to_string(k.iFormato) +
                     ", che il catalogo non ha: la condizione non vale mai");
        else if (conFormato && (k.iOp == clsCondizione::TEMPO_VALIDO ? !k.pFormato->ETempo()
                                                                     : !k.pFormato->EData()))
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " usa " +
                     AltroGenere(*k.pFormato, k.iFormato, k.iOp != clsCondizione::TEMPO_VALIDO));
        if (k.iOp == clsCondizione::NESSUNO)
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " senza operatore: la condizione non vale mai");
        if (k.iLunghezza == 0 && k.iCampo == 0 && k.iOp != clsCondizione::NESSUNO)
            Nota(NotaImpostazione::Avviso, sDove + ": " + k.sNome + " con lunghezza 0");
        else if ((k.iOp == clsCondizione::UGUALE_A || k.iOp == clsCondizione::DIVERSO_DA) &&
                 k.iLunghezza > 0 && k.sValore.size() > static_cast<size_t>(k.iLunghezza))
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " confronta " + std::to_string(k.iLunghezza) +
                     " caratteri con " + Virgolette(k.sValore) + ", che ne ha " +
                     std::to_string(k.sValore.size()) + ": la condizione " +
                     (k.iOp == clsCondizione::UGUALE_A ? "non vale mai" : "vale sempre"));
        cat.push_back(std::move(k));
    }
    return cat;
}

void clsImpostazioniMotore::CompilaPrescanning(const clsDriver& driver) {
    if (!driver.mbConPrescanning || !driver.mcolPrescanning) return;
    for (const auto& voce : *driver.mcolPrescanning) {
        const clsPrescanning& p = voce.valore;
        const std::string testo = "Prescanning " + p.sEntry + "=" + p.sValue;
        if (UgualeNoCase(p.sEntry, "RigheIntestazione")) {
            const auto v = ValoreNumerico(p.sValue);
            if (v && *v >= 0 && *v == std::floor(*v) && *v < 1e15) {
                iRigheIntestazione = static_cast<uint64_t>(*v);
                Nota(NotaImpostazione::Applicata, testo + ": le prime " +
                                                      std::to_string(iRigheIntestazione) +
                                                      " righe del campione sono saltate");
            } else {
                Nota(NotaImpostazione::NonApplicata,
                     testo + ": serve un numero intero non negativo");
            }
        } else if (UgualeNoCase(p.sEntry, "SaltaRigheCon")) {
            if (p.sValue.empty()) {
                Nota(NotaImpostazione::NonApplicata, testo + ": testo vuoto");
            } else {
                sSaltaRigheCon = p.sValue;
                Nota(NotaImpostazione::Applicata,
                     testo + ": le righe che contengono " + Virgolette(p.sValue) + " sono saltate");
            }
        } else if (UgualeNoCase(p.sEntry, "FineStampa")) {
            if (p.sValue.empty()) {
                Nota(NotaImpostazione::NonApplicata, testo + ": testo vuoto");
            } else {
                sFineStampa = p.sValue;
                Nota(NotaImpostazione::Applicata,
                     testo + ": la prima riga che contiene " + Virgolette(p.sValue) +
                         " chiude la stampa; essa e le seguenti sono saltate");
            }
        } else if (UgualeNoCase(p.sEntry, "SeparatoreRecord")) {
            const auto c = CarattereDaTesto(p.sValue);
            if (!c || *c == ' ') {
                Nota(NotaImpostazione::NonApplicata,
                     testo + ": serve un carattere, il suo nome (<ETX>) o il suo codice (3)");
            } else {
                fineRiga[static_cast<unsigned char>(*c)] = true;
                cSeparatore = *c;
                Nota(NotaImpostazione::Applicata,
                     testo + ": il carattere " + TestoVisibile(std::string(1, *c)) + " (codice " +
                         std::to_string(static_cast<unsigned char>(*c)) +
                         ") chiude una riga come un fine riga, ed \xE8 tolto");
            }
        } else if (UgualeNoCase(p.sEntry, "TogliControlli")) {
            bTogliControlli = Si(p.sValue);
            Nota(NotaImpostazione::Applicata,
                 testo + (bTogliControlli
                              ? ": i caratteri di controllo (codici 0-31 e 127, tranne il "
                                "tabulatore) sono tolti da ogni riga e il resto va a sinistra"
                              : ": i caratteri di controllo restano nelle righe"));
        } else {
            Nota(NotaImpostazione::NonApplicata, testo + ": parametro che il motore non conosce");
        }
    }
}

void clsImpostazioniMotore::CompilaSeparazione(const clsDriver& driver) {
    if (!driver.mbCampiSeparati) return;
    if (driver.miRigheIntestazione > 0) {
        iRigheIntestazione += static_cast<uint64_t>(driver.miRigheIntestazione);
        Nota(NotaImpostazione::Applicata,
             "Righe_intestazione=" + std::to_string(driver.miRigheIntestazione) +
                 ": l'intestazione dei campi; le prime " + std::to_string(iRigheIntestazione) +
                 " righe del campione sono saltate");
    }
    const std::string chiave =
        "Campi separati (Separatore_campi=" + driver.msSeparatoreCampi + " Virgolette=" +
        (driver.msVirgolette.empty() ? std::string(VIRGOLETTE_NESSUNA) : driver.msVirgolette) + ")";
    const auto separatore = CarattereDaTesto(driver.msSeparatoreCampi);
    const auto virgolette = driver.msVirgolette.empty() ? std::optional<char>(0)
                                                        : CarattereDaTesto(driver.msVirgolette);
    std::string motivo;
    if (!separatore || *separatore == '\n' || *separatore == '\r')
        motivo = "serve come separatore un carattere, il suo nome (<TAB>) o il suo codice (44)";
    else if (!virgolette)
        motivo = "serve come virgolette un carattere, il suo nome o il suo codice, o NESSUNA";
    else if (*virgolette == *separatore)
        motivo = "le virgolette sono il separatore";
    if (!motivo.empty()) {
        Nota(NotaImpostazione::NonApplicata,
             chiave + ": " + motivo + "; le posizioni sono lette come colonne");
        return;
    }
    bSeparati = true;
    cSeparatoreCampi = *separatore;
    cVirgolette = *virgolette;
    Nota(NotaImpostazione::Applicata,
         chiave + ": ogni riga \xE8 divisa in campi al carattere " +
             Virgolette(TestoVisibile(std::string(1, cSeparatoreCampi))) +
             (cVirgolette ? ", salvo dentro le virgolette " +
                                Virgolette(TestoVisibile(std::string(1, cVirgolette))) +
                                " (due di seguito in un campo fra virgolette sono una)"
                          : std::string(", senza virgolette")) +
             "; la posizione di una condizione, di un campo o di una trasformazione \xE8 il "
             "numero del campo (dalla fine se negativo), la lunghezza e l'inizio (quarto "
             "numero) sono nel testo del campo, lunghezza 0 \xE8 tutto il campo; le "
             "trasformazioni INIZIALE e le loro condizioni leggono le colonne della riga prima "
             "della divisione; una riga con meno campi di quelli che il driver vi legge non "
             "\xE8 riconosciuta");
}

void clsImpostazioniMotore::Richiedi(Tipo& t, int iRiga, int iCampo, const std::string& sChi) {
    if (iCampo == 0 || iRiga < 1 || static_cast<size_t>(iRiga) > t.campiRichiesti.size()) return;
    Tipo::Richiesta& r = t.campiRichiesti[static_cast<size_t>(iRiga - 1)];
    if (std::abs(iCampo) > r.iCampi) r = {std::abs(iCampo), iCampo, sChi};
}

void clsImpostazioniMotore::CompilaLarghezza() {
    size_t colonne = 0;
    auto fino = [&colonne](int inizio, int lunghezza) {
        colonne = std::max(colonne, static_cast<size_t>(inizio + std::max(lunghezza, 0) - 1));
    };
    auto catena = [&fino](const Catena& cat) {
        for (const auto& c : cat)
            if (c.iCampo == 0) fino(c.iInizio, c.iLunghezza);
    };
    catena(dataIsolata);
    for (const auto& t : trasformazioni) {
        catena(t.condizioni);
        if (t.iCampo == 0)
            fino(t.iInizio, std::max<int>(t.iLunghezza, static_cast<int>(t.sValore.size())));
    }
    for (const auto& t : tipi) {
        catena(t.base);
        catena(t.trasferita);
        for (const auto& f : t.campi)
            if (f.iCampo == 0) fino(f.iInizio, f.iLunghezza);
    }
    // A cut line holds its first piece and then the columns again.
    iLarghezza = colonne + static_cast<size_t>(std::max(iTroncaDopo, 0));
    // Separated fields move with the values before them: only a line too long to keep is
    // told.
    iSogliaLunga = bSeparati ? MAX_CARATTERI_RIGA : std::max<size_t>(256, 2 * iLarghezza);
}

void clsImpostazioniMotore::CompilaTrasformazioni(const clsDriver& driver) {
    if (!driver.mcolTrasf) return;
    trasformazioni.reserve(static_cast<size_t>(driver.mcolTrasf->Count()));
    for (int i = 1; i <= driver.mcolTrasf->Count(); ++i) {
        const clsTrasformazione& t = driver.mcolTrasf->Item(i);
        const auto& chiave = driver.mcolTrasf->Chiave(i);
        Trasf k;
        k.sNome = "Azione_" + (chiave ? *chiave : std::to_string(i - 1));
        k.iTipo = t.menTipo;
        k.iOp = t.menOperazione;
        // Those of level INIZIALE work on the line before it is cut into fields.
        const bool colonne = !bSeparati || k.iTipo == clsTrasformazione::INIZIALE;
        k.iCampo = colonne ? 0 : (t.miInizio ? t.miInizio : 1);
        k.iInizio = std::max<int>(1, colonne ? t.miInizio : t.miNelCampo);
        k.iLunghezza = std::max<int>(0, t.miLunghezza);
        k.iRiga = std::max<int>(0, t.miRiga);
        k.sSorgente = t.msSorgente;
        k.sValore = t.msValore;
        k.condizioni = Compila(t.mcolCondizioni, "Trasformazione " + k.sNome,
                               k.iTipo == clsTrasformazione::INIZIALE);

        std::string desc =
            std::string("Trasformazione ") + k.sNome + " (" +
            clsTrasformazione::ParolaTipo(k.iTipo) + " " +
            clsTrasformazione::ParolaOperazione(k.iOp) + " " + std::to_string(t.miInizio) + "," +
            std::to_string(t.miLunghezza) + "," + std::to_string(t.miRiga) +
            (t.miNelCampo ? "," + std::to_string(t.miNelCampo) : std::string()) + " sorgente " +
            Virgolette(k.sSorgente) + " valore " + Virgolette(k.sValore);
        if (!k.condizioni.empty()) desc += " se " + DescriviCatena(k.condizioni);
        desc += ")";

        std::string motivo, come;
        switch (k.iOp) {
            case clsTrasformazione::OP_NESSUNA:
                motivo = "operazione non indicata";
                break;
            case clsTrasformazione::SOSTITUISCI:
                if (k.sSorgente.empty()) motivo = "sorgente vuota";
                break;
            case clsTrasformazione::ELIMINA:
                break;
            case clsTrasformazione::INSERISCI:
                if (k.sValore.empty()) motivo = "valore da inserire vuoto";
                break;
            case clsTrasformazione::IGNORA: {
                const std::string_view src = k.sSorgente;
                if (src.size() == 1) {
                    k.cCarattere = src[0];
                } else {
                    const auto v = ValoreNumerico(src);
                    if (src.empty() || !v || *v < 0 || *v > 255 || *v != std::floor(*v))
                        motivo = "la sorgente deve essere un carattere o il suo codice";
                    else
                        k.cCarattere = static_cast<char>(static_cast<unsigned char>(*v));
                }
                [[fallthrough]];
            }
            case clsTrasformazione::ALLINEA: {
                const std::string v = Maiuscolo(SenzaBianchi(k.sValore));
                if (v == "DX")
                    k.bDestra = true;
                else if (v != "SX" && motivo.empty())
                    motivo = "il valore deve essere DX o SX";
                break;
            }
            case clsTrasformazione::MOLTIPLICA:
            case clsTrasformazione::DIVIDI:
            case clsTrasformazione::SOMMA:
            case clsTrasformazione::SOTTRAI: {
                const auto v = Operando(k.sValore);
                if (!v)
                    motivo = "il valore deve essere un numero";
                else if (*v == 0 && k.iOp == clsTrasformazione::DIVIDI)
                    motivo = "divisione per 0";
                else
                    k.dOperando = *v;
                break;
            }
            case clsTrasformazione::SPOSTA:
            case clsTrasformazione::COPIA:
                if (const auto c = Intero(k.sValore, static_cast<int>(MAX_CARATTERI_RIGA)))
                    k.iColonna = *c;
                else
                    motivo = "il valore deve essere la colonna di arrivo (un numero da 1)";
                break;
            case clsTrasformazione::ESPANDI:
                if (SenzaBianchi(k.sValore).empty())
                    k.iColonna = 8;
                else if (const auto c = Intero(k.sValore, 100))
                    k.iColonna = *c;
                else
                    motivo = "il valore deve essere il passo delle tabulazioni (da 1 a 100)";
                if (motivo.empty())
                    come = "; tabulazioni ogni " + std::to_string(k.iColonna) + " colonne";
                break;
            case clsTrasformazione::UTC:
                if (SenzaBianchi(k.sValore).empty()) {
                    k.iScarto = ScartoLocale();
                    come = "; ora locale del computer della verifica, ora UTC" +
                           TestoScarto(k.iScarto);
                } else if (const auto v = ScartoUTC(k.sValore)) {
                    k.iScarto = *v;
                    come = "; ora locale UTC" + TestoScarto(k.iScarto);
                } else {
                    motivo = "il valore deve essere lo scarto dall'UTC (es. +01:00) o vuoto";
                }
                break;
            case clsTrasformazione::ESTRAI_NUMERO:
                break;
            default:
                motivo = std::string("il motore non conosce l'operazione ") +
                         clsTrasformazione::ParolaOperazione(k.iOp);
                break;
        }
        if (motivo.empty()) {
            if (k.iTipo == clsTrasformazione::TIPO_NESSUNO)
                motivo = "livello (chiamate) non indicato";
            else if (k.iTipo == clsTrasformazione::CAMPO)
                motivo = "livello CAMPO fra le trasformazioni generali";
            else if (k.iOp != clsTrasformazione::INSERISCI && k.iLunghezza == 0 && k.iCampo == 0)
                motivo = "lunghezza non indicata";
        }
        if (!motivo.empty()) {
            Nota(NotaImpostazione::NonApplicata, desc + ": " + motivo);
            continue;
        }
        std::string dove;
        if (k.iTipo == clsTrasformazione::INIZIALE)
            dove = "su ogni riga letta, prima del riconoscimento";
        else
            dove = std::string("sulle righe delle chiamate ") +
                   (k.iTipo == clsTrasformazione::ENTRANTI ? "entranti" : "uscenti") +
                   " riconosciute";
        Nota(NotaImpostazione::Applicata, desc + ", " + dove + come);
        trasformazioni.push_back(std::move(k));
    }
    for (const auto& t : trasformazioni)
        if (t.iTipo == clsTrasformazione::INIZIALE) iniziali.push_back(&t);
}

void clsImpostazioniMotore::CompilaDataIsolata(const clsDriver& driver) {
    if (!driver.mcolDataIsolata || driver.mcolDataIsolata->Vuota()) return;
    dataIsolata = Compila(driver.mcolDataIsolata, "Data su riga isolata");
    for (const auto& c : dataIsolata) {
        if (c.iOp == clsCondizione::DATA_ISOLATA && !pCondData) pCondData = &c;
        iRigheData = std::max(iRigheData, c.iRiga);
    }
    if (!pCondData || iRigheData > MAX_RIGHE_CHIAMATA) {
        Nota(NotaImpostazione::NonApplicata,
             "Data su riga isolata (" + DescriviCatena(dataIsolata) + "): " +
                 (pCondData ? "riga oltre il massimo di " + std::to_string(MAX_RIGHE_CHIAMATA)
                            : std::string("nessuna condizione \"Data isolata\"")));
        dataIsolata.clear();
        pCondData = nullptr;
        iRigheData = 1;
        return;
    }
    Nota(NotaImpostazione::Applicata,
         "Data su riga isolata: " + DescriviCatena(dataIsolata) +
             "; la data vale per le chiamate che seguono, al posto del campo dData, e passa al "
             "giorno dopo quando la fine di una chiamata viene oltre un'ora prima di quella "
             "della chiamata precedente, o l'inizio oltre sei ore prima se la fine non si sa "
             "(mezzanotte passata)");
}

void clsImpostazioniMotore::CompilaTipo(Tipo& t, const clsChiamata* pc, bool bEntrante) {
    t.bEntrante = bEntrante;
    const std::string nome = bEntrante ? "entranti" : "uscenti";
    const std::string Nome = bEntrante ? "Chiamate entranti" : "Chiamate uscenti";
    if (!pc || pc->miNumRighe <= 0) {
        Nota(NotaImpostazione::Applicata, Nome + ": non definite (0 righe)");
        return;
    }
    t.iRighe = pc->miNumRighe;
    if (t.iRighe > MAX_RIGHE_CHIAMATA) {
        Nota(NotaImpostazione::NonApplicata,
             Nome + ": " + std::to_string(t.iRighe) + " righe, oltre il massimo di " +
                 std::to_string(MAX_RIGHE_CHIAMATA) + ": non riconosciute");
        t.iRighe = 0;
        return;
    }
    t.base = Compila(pc->mcolCondizioni, Nome);
    t.trasferita = Compila(pc->mcolCondTrasferita, Nome + " trasferite");
    t.bAttivo = !t.base.empty() || !t.trasferita.empty();
    std::string s = Nome + ": " + std::to_string(t.iRighe) + (t.iRighe == 1 ? " riga" : " righe");
    s += t.base.empty() ? "; nessuna condizione" : "; condizioni " + DescriviCatena(t.base);
    if (!t.trasferita.empty()) s += "; trasferite: " + DescriviCatena(t.trasferita);
    Nota(t.bAttivo ? NotaImpostazione::Applicata : NotaImpostazione::Avviso,
         s + (t.bAttivo ? "" : ": non possono essere riconosciute"));

    if (pc->mcolCampi) {
        for (const auto& voce : *pc->mcolCampi) {
            const clsCampo& c = voce.valore;
            Campo f;
            f.sNome = c.msNome;
            f.genere = GenereDi(c.msNome);
            f.iCampo = bSeparati ? (c.miInizio ? c.miInizio : 1) : 0;
            f.iInizio = std::max<int>(1, bSeparati ? c.miNelCampo : c.miInizio);
            f.iLunghezza = std::max<int>(0, c.miLunghezza);
            f.iRiga = std::max<int>(1, c.miRiga);
            f.bOpzionale = c.mbOpzionale;
            f.iFormato = c.miFormato;
            f.pFormato = Formato(c.miFormato);
            const std::string dove = "Campo " + f.sNome + " (" + nome + ")";
            if (f.genere == Genere::Data && pCondData) {
                Nota(NotaImpostazione::NonApplicata,
                     dove + ": non letto dalla chiamata, la data viene dalla riga isolata");
                t.campi.push_back(std::move(f));
                continue;
            }
            f.bSoloCifre = c.mbSoloCifre && f.genere == Genere::Testo;
            if (f.bSoloCifre)
                Nota(NotaImpostazione::Applicata,
                     dove + ": solo cifre (e un '+' iniziale) del valore");
            else if (c.mbSoloCifre)
                Nota(NotaImpostazione::NonApplicata,
                     dove + ": solo cifre vale per i campi di testo");
            if (f.iRiga > t.iRighe) {
                Nota(NotaImpostazione::Avviso, dove + ": riga " + std::to_string(f.iRiga) +
                                                   " oltre le " + std::to_string(t.iRighe) +
                                                   " righe della chiamata: resta vuoto");
            }
            if (c.miFormato != 0 && !f.pFormato)
                Nota(NotaImpostazione::Avviso, dove + ": il formato " +
                                                   std::to_string(c.miFormato) +
                                                   " non \xE8 nel catalogo");
            else if (f.pFormato && f.genere == Genere::Data && !f.pFormato->EData())
                Nota(NotaImpostazione::Avviso,
                     dove + ": legge con " + AltroGenere(*f.pFormato, c.miFormato, true));
            else if (f.pFormato && (f.genere == Genere::Ora || f.genere == Genere::Durata) &&
                     !f.pFormato->ETempo())
                Nota(NotaImpostazione::Avviso,
                     dove + ": legge con " + AltroGenere(*f.pFormato, c.miFormato, false));
            else if (c.miFormato == 0 && (f.genere == Genere::Data || f.genere == Genere::Ora))
                Nota(NotaImpostazione::Avviso, dove + ": senza formato, non pu\xF2 essere letto");
            if ((c.menEccezione == clsCampo::DURATA_TRASF ||
                 c.menEccezione == clsCampo::SCATTI_TRASF) &&
                c.moTrasf) {
                // Applied to the value read, when its conditions hold on the call's lines.
                const clsTrasformazione& tr = *c.moTrasf;
                const int32_t op = tr.menOperazione;
                const auto v = Operando(tr.msValore);
                f.condConversione = Compila(tr.mcolCondizioni, dove);
                std::string desc = dove + ": trasformazione " +
                                   clsTrasformazione::ParolaOperazione(op) + " valore " +
                                   Virgolette(tr.msValore);
                if (!f.condConversione.empty()) desc += " se " + DescriviCatena(f.condConversione);
                if ((op == clsTrasformazione::DIVIDI || op == clsTrasformazione::MOLTIPLICA ||
                     op == clsTrasformazione::SOMMA || op == clsTrasformazione::SOTTRAI) &&
                    v && !(*v == 0 && op == clsTrasformazione::DIVIDI)) {
                    f.iConversione = op;
                    f.dOperando = *v;
                    Nota(NotaImpostazione::Applicata, desc + ", sul valore letto");
                } else {
                    Nota(NotaImpostazione::NonApplicata,
                         desc +
                             ": su un campo servono MOLTIPLICA, DIVIDI, SOMMA o SOTTRAI per "
                             "un numero (diverso da 0 per DIVIDI)");
                }
            }
            if (f.sNome == "dOraInizio" || f.sNome == "dOra")
                f.iTempo = INIZIO;
            else if (f.sNome == "dOraFine")
                f.iTempo = FINE;
            else if (f.sNome == "dDurata")
                f.iTempo = DURATA;
            t.campi.push_back(std::move(f));
        }
    }
    if (bSeparati) {
        t.campiRichiesti.assign(static_cast<size_t>(t.iRighe), {});
        for (const Catena* cat : {&t.base, &t.trasferita})
            for (const Cond& c : *cat) Richiedi(t, c.iRiga, c.iCampo, c.sNome);
        for (const Campo& f : t.campi)
            if (!(f.genere == Genere::Data && pCondData)) Richiedi(t, f.iRiga, f.iCampo, f.sNome);
    }
    bool presenti[3] = {};
    for (const auto& f : t.campi)
        if (f.iTempo >= 0) presenti[f.iTempo] = true;
    if (presenti[INIZIO] + presenti[FINE] + presenti[DURATA] == 2) {
        t.iDaRicavare = !presenti[INIZIO] ? INIZIO : !presenti[FINE] ? FINE : DURATA;
        static const char* const kRicavati[] = {"dOraInizio = dOraFine - dDurata",
                                                "dOraFine = dOraInizio + dDurata",
                                                "dDurata = dOraFine - dOraInizio"};
        Nota(NotaImpostazione::Applicata,
             "Chiamate " + nome + ": " + kRicavati[t.iDaRicavare] + ", anche oltre la mezzanotte");
    }
    for (const auto& tr : trasformazioni) {
        if (tr.iTipo != (bEntrante ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI))
            continue;
        if (tr.iRiga > t.iRighe)
            Nota(NotaImpostazione::Avviso, "Trasformazione " + tr.sNome + ": riga " +
                                               std::to_string(tr.iRiga) + " oltre le " +
                                               std::to_string(t.iRighe) + " righe della chiamata");
        t.trasformazioni.push_back(&tr);
    }
}

namespace {

// One condition on the text at its position (taglio): the operator and what it compares with.
// bIntero: the text is a whole field, compared as it stands.
bool ProvaTesto(int32_t iOp, int iLunghezza, bool bIntero, const std::string& sValore,
                const clsFormatoDataOra* pFormato, const CodiciMesi& mesi, std::string_view t) {
    switch (iOp) {
        case clsCondizione::UGUALE_A:
        case clsCondizione::DIVERSO_DA: {
            // The text, with blanks where the line is short, against the value padded with
            // blanks to the length.
            bool uguale =
                bIntero ? t == sValore : sValore.size() <= static_cast<size_t>(iLunghezza);
            for (size_t i = 0; !bIntero && uguale && i < static_cast<size_t>(iLunghezza); ++i) {
                const char a = i < t.size() ? t[i] : ' ';
                const char v = i < sValore.size() ? sValore[i] : ' ';
                uguale = a == v;
            }
            return (iOp == clsCondizione::UGUALE_A) == uguale;
        }
        case clsCondizione::SOLO_NUMERI: {
            t = SenzaBianchi(t);
            if (t.empty()) return false;
            for (char ch : t)
                if (!Cifra(ch)) return false;
            return true;
        }
        case clsCondizione::DATA_VALIDA:
        case clsCondizione::TEMPO_VALIDO:
        case clsCondizione::DATA_ISOLATA: {
            if (!pFormato) return false;
            const auto v = pFormato->Leggi(t, mesi);
            if (!v) return false;
            if (iOp == clsCondizione::TEMPO_VALIDO) return v->HaTempo();
            // A date on its own line is found by its conditions alone: what else the line
            // holds (a label, a page header) does not matter.
            return v->HaData();
        }
        default:
            return false;
    }
}

}  // namespace

bool clsImpostazioniMotore::Prova(const Cond& c, const RigaFinestra* riga) const {
    static const RigaFinestra vuota;
    const auto t = TaglioRiga(riga ? *riga : vuota, c.iCampo, c.iInizio, c.iLunghezza);
    // A record without the field: no condition holds on it.
    if (!t) return false;
    return ProvaTesto(c.iOp, c.iLunghezza, c.iCampo != 0 && c.iLunghezza == 0, c.sValore,
                      c.pFormato, mesi, *t);
}

std::optional<Separazione> SeparazioneDi(const clsDriver& driver) {
    if (!driver.mbCampiSeparati) return std::nullopt;
    const auto separatore = CarattereDaTesto(driver.msSeparatoreCampi);
    const auto virgolette = driver.msVirgolette.empty() ? std::optional<char>(0)
                                                        : CarattereDaTesto(driver.msVirgolette);
    if (!separatore || *separatore == '\n' || *separatore == '\r' || !virgolette ||
        *virgolette == *separatore)
        return std::nullopt;
    return Separazione{*separatore, *virgolette};
}

bool CondizioneVale(const clsCondizione& c, std::string_view sRiga, const MappaFormati& formati,
                    const CodiciMesi& mesi, const Separazione* pSeparazione) {
    std::optional<clsFormatoDataOra> formato;
    if (const auto f = formati.find(c.miFormato); f != formati.end()) formato.emplace(f->second);
    const int lunghezza = std::max<int>(0, c.miLunghezza);
    std::optional<std::string_view> t;
    thread_local RigaFinestra riga;
    if (pSeparazione) {
        riga.sTesto.clear();
        DividiCampi(sRiga, pSeparazione->cSeparatore, pSeparazione->cVirgolette, riga.campi);
        t = TaglioRiga(riga, c.miInizio ? c.miInizio : 1, std::max<int>(1, c.miNelCampo),
                       lunghezza);
    } else {
        t = motore::Taglio(sRiga, std::max<int>(1, c.miInizio), lunghezza);
    }
    return t && ProvaTesto(c.menOperatore, lunghezza, pSeparazione && lunghezza == 0, c.msValore,
                           formato ? &*formato : nullptr, mesi, *t);
}

}  // namespace tarno

#pragma once
// The parts of the proposer its source files share: the values, columns and segments it
// reads, small text helpers, and the class that makes a proposal. Not an interface of the
// library: clsProposta.h is.

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "analisi/ChiaviValori.h"
#include "analisi/CifreImpaccate.h"
#include "analisi/ColonneMinori.h"
#include "analisi/FormatiComuni.h"
#include "analisi/NomiNeiValori.h"
#include "analisi/PezziRecord.h"
#include "analisi/RigheInBlocchi.h"
#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"
#include "engine/CampiSeparati.h"
#include "engine/FormatoDataOra.h"
#include "model/CallFieldName.h"
#include "model/Testo.h"

namespace tarno::proposta {

using Ambito = VoceProposta::Ambito;

struct Formato {
    int16_t iCodice = 0;  // the catalogue's; 0 for one it lacks
    std::string sTesto;
    clsFormatoDataOra f;
    bool bData = false;
    bool bOre = false;          // has hours
    bool bSecondi = false;      // has seconds
    bool bMeridiano = false;    // a 12-hour clock
    bool bLetterale = false;    // holds a character that is not a format letter (":", "/")
    bool bSolo = false;         // one run alone ("ss"): any number of digits
    bool bImpaccato = false;    // read only inside runs of digits or alone on a line ("mmgg")
    size_t iMin = 0, iMax = 0;  // lengths of a value it can read
};

// The current month (1-12) of the system's calendar.
int MeseOggi();

inline bool Cifra(char c) { return c >= '0' && c <= '9'; }

// "00H02M13" as "00:02:13": digits ended by H and M (either case), and S or nothing at the
// end; "" for any other text.
std::string SenzaLettere(std::string_view v);

// Signs a telephone does not dial among a number's digits: spaces, dashes, brackets, points, or
// a word ("RG 612-804-4082", "CLI Num: 0555..."). A lone letter between digits (a pause) and
// * # + are dialled.
bool Decorato(std::string_view v);

// The most digits of a value in one run of digits and the signs printed among a number's
// digits (0555 123-456: 10; "pn01" <5300>: 4).
size_t CifreInFila(std::string_view v);

bool Lettera(char c);

inline bool Alnum(char c) { return Cifra(c) || Lettera(c); }

inline std::string Maiusc(std::string_view s) { return Maiuscolo(s); }

inline std::string Num(long long n) { return std::to_string(n); }

// The lengths of text a format can read: a run of two or more letters takes that many
// digits, a single letter one or two (hours, minutes and seconds up to two as well), AM/PM two.
void Lunghezze(Formato& f);

Formato FaiFormato(int16_t codice, const std::string& testo);

// The three-letter month names of the languages the proposer knows, January first.
std::vector<std::array<const char*, 12>> NomiDeiMesi();

struct Pezzo {
    int a = 0, b = 0;  // [a, b) on the line, from 0
};

// A value a format read on a line.
struct Valore {
    size_t iRiga = 0;  // index of the line
    int a = 0, b = 0;
    ValoreDataOra v;
    bool bIncollato = false;  // digits touch it on a side
};

// Values of one format sharing where they start or end: one column of the printout.
struct Colonna {
    size_t iFormato = 0;
    std::vector<Valore> vValori;  // one per line at most, in line order
    int a = 0, b = 0;             // the window holding every value
    bool bDestra = false;         // the values end together
    bool bLettere = false;        // hours and minutes ended by letters (00H02M13)
    bool bImpaccata = false;      // split out of runs of digits by what the runs show
    size_t Righe() const { return vValori.size(); }
    int Incollati() const {
        int n = 0;
        for (const auto& v : vValori) n += v.bIncollato;
        return n;
    }
    const Valore* Su(size_t riga) const {
        auto it = std::lower_bound(vValori.begin(), vValori.end(), riga,
                                   [](const Valore& v, size_t r) { return v.iRiga < r; });
        return it != vValori.end() && it->iRiga == riga ? &*it : nullptr;
    }
};

// The columns of values found so far, by format, the column where they start (or end) and
// whether they are read from letters.
using ColonnePerPosto = std::map<std::tuple<size_t, int, int>, Colonna>;

// A value read with format f, filed under the column it starts at (perInizio) and the one it
// ends at (perFine), once per line; bLettere: read from hours and minutes ended by letters.
inline void Archivia(ColonnePerPosto& perInizio, ColonnePerPosto& perFine, size_t f,
                     const Valore& val, bool bLettere = false) {
    for (ColonnePerPosto* m : {&perInizio, &perFine}) {
        Colonna& col = (*m)[{f, m == &perInizio ? val.a : val.b, bLettere ? 1 : 0}];
        col.iFormato = f;
        col.bDestra = m == &perFine;
        col.bLettere |= bLettere;
        if (col.vValori.empty() || col.vValori.back().iRiga != val.iRiga)
            col.vValori.push_back(val);
    }
}

// A column of text between blanks on every call line.
struct Segmento {
    int a = 0, b = 0;
    size_t iPieni = 0;   // call lines where it holds text
    size_t iCifre = 0;   // of them, text of digits (with * # + - and a prefix)
    size_t iIntere = 0;  // of them, digits only
    size_t iLunghezzaMax = 0;
    double dLunghezzaMedia = 0;
    std::set<std::string> distinti;
    bool bSinistra = true;  // the values start together
    std::string sIntestazione;
    std::string sRuolo;
    bool bValuta = false;      // a cost printed with its decimals
    bool bDecorato = false;    // digits printed among other signs on some lines
    std::string sSegnoInCoda;  // of them, only one sign after the digits (a mark: 0114416...?)
    std::string sEtichetta;    // letters before the digits of every value (DN2001): a label
    bool bCorto = false;       // cut to the length of most values: the others run on into a code
    bool bEsatto = false;      // a part of a value: read at its own columns, never widened
    bool bNelNome = false;     // the digits in brackets after a name ("Anna" <221>): digits only
};

// The one sign a telephone does not dial that some values print after their digits and no
// value prints elsewhere (a mark for a number too long to print, 011441615550123?); "" when
// the values hold other signs.
std::string SegnoInCoda(const std::set<std::string>& valori);

class Proponitore {
  public:
    Proponitore(std::string_view sByte, const MappaFormati& formati)
        : msByte(sByte), mFormatiCatalogo(formati) {}

    Proposta Esegui();

  private:
    void Inquadra();
    void LeggiRighe();
    void TrovaFormati();
    // Dates with the month in letters: the month table and the formats reading through it.
    void MesiInLettere();
    // A month in letters and a day, no year (Dec  9): a date column, the month table filled;
    // the column where a day of one digit has a blank before it (-1: none).
    void MeseEGiorno();
    int miGiornoConBianco = -1;
    void GiornoConBianco(clsDriver& d) const;
    void PrefissoDelRegistro(const Colonna& c);
    void MinutiOltreCento();
    CodiciMesi mMesi{};
    void TrovaValori();
    void Spaziati(size_t r, size_t f, ColonnePerPosto& perInizio, ColonnePerPosto& perFine) const;
    void TrovaColonne();
    void Impaccate();
    void ImpaccateRestanti();
    bool ParoleAlPostoDelleCifre(const CorsaCifre& corsa);
    bool DataOraNelCampo(const CorsaCifre& corsa) const;
    void ContatoriNonSonoOre();
    void LatiAlterni();
    std::string IntestazioneADestra(const Segmento& g,
                                    const std::vector<Segmento>& vSegmenti) const;
    std::vector<std::set<size_t>> LatiDeiCampi() const;
    bool ChiamatoPrima(const std::set<size_t>& daNumero, const std::set<size_t>& interne,
                       std::string& rPerche) const;
    void DividiIncollati();
    bool ScegliRigheChiamata();
    // Separated fields under a heading with no time of day on most records: the records are the
    // calls, told by a field that holds the same text on every one.
    bool RecordSenzaOra(const Colonna* migliore);
    void CampoSempreScritto(const std::vector<size_t>& record);
    // Times of day written as seconds since 1970 under a heading naming a moment: said, no field.
    void TempiInSecondiAssoluti();
    int miCostanteA = -1, miCostanteB = -1;
    std::string msCostante;
    void EventiDiSeguito();
    void ScegliDate();
    void ScegliTempi();
    void DurataFraDueOre();
    void ScegliDirezione();
    void TrasferiteDallaForma();
    void Messaggi();
    bool SegnoSuNonRisposte(int a, const std::string& segno,
                            const std::map<int, std::map<std::string, size_t>>& perColonna);
    void CampiDellAltroTipo(bool bVersoEntranti);
    bool EntrantiDaGiunzione(const std::map<int, std::map<std::string, size_t>>& colonne);
    std::map<int, std::map<std::string, size_t>> TipiTraLeCifre() const;
    // Columns of the party type letters standing between digits, and the roles they gave on
    // the call kind looked at.
    std::set<int> mLettereParte;
    std::set<std::string> mRuoliDaLettere;
    std::set<std::pair<int, bool>> mVociLettere;  // said: column, incoming
    void RuoliDaLettere(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    void Identificativi(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    std::optional<std::pair<int, std::map<std::string, char>>> DirezioneDaCifra(
        const std::map<int, std::map<std::string, size_t>>& colonne);
    // Two short words no vocabulary knows, told apart by what their calls print.
    std::optional<std::pair<int, std::map<std::string, char>>> DirezioneDaParole(
        const std::map<int, std::map<std::string, size_t>>& colonne);
    bool EntrantiDallaForma(const std::map<int, std::map<std::string, size_t>>& colonne);
    void NumeroNostro(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    bool EntrantiDaDueNumeri();
    void DurataMinutiLettere();
    void OreEMinutiBrevi();
    // A token of the call lines outside [a, b) printing minutes and seconds only a duration
    // prints (127:05, three digits of minutes or more than 59).
    bool DurataLungaAltrove(int a, int b) const;
    // A token [a, b) of a separated record that no format reads whole: the values of fixed
    // length it holds, joined by a sign (07.12.26/08:35:57) or after more digits (000:10).
    void DentroIlCampo(size_t r, int a, int b, ColonnePerPosto& perInizio,
                       ColonnePerPosto& perFine) const;
    // Of a column on n calls of a kind.
    bool NomiDiInterni(const Segmento& g, size_t n) const;
    bool LineaPrimaDeiDuePunti(const Segmento& g, bool bEntranti, int& rA, int& rB);
    void LineaNostra(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    std::set<std::pair<int, int>> mLineeCifre;   // our own line after a word: its digits alone
    std::set<std::pair<int, bool>> mLineeDette;  // said: column, incoming
    // A code of calls lost before an answer, incoming, among codes no vocabulary knows.
    std::optional<std::pair<int, std::map<std::string, char>>> DirezioneDallePerse(
        const std::map<int, std::map<std::string, size_t>>& colonne);
    bool EntrantiSenzaAddebito();
    // A time printed in one separated field after a date (a date-time): a time of day.
    bool OraDopoLaData(const Colonna& c) const;
    // A column of a yes and a no on every call under a heading naming a direction.
    std::optional<std::pair<int, std::map<std::string, char>>> DirezioneDaSiNo(
        const std::map<int, std::map<std::string, size_t>>& colonne);
    // A caller's name with a short run of digits in angle brackets on every value, the digits
    // printed bare nowhere else: an extension.
    bool InternoNelNome(const Segmento& g, const std::vector<Segmento>& segmenti,
                        const std::vector<size_t>& righe) const;
    // The mean length of a column's values, a caller's name with digits in brackets counting
    // its digits only, and a little less for each: bare numbers go before such texts.
    double MediaSenzaNomi(const Segmento& g, const std::vector<size_t>& righe) const;
    // Whole numbers one more on a call than on the call before, on most calls: a counter.
    // rUno, rPassi: the steps of one, and the steps between two such numbers.
    bool NumeraIRecord(const Segmento& g, size_t& rUno, size_t& rPassi) const;
    bool NumeraIRecord(const Segmento& g) const {
        size_t uno = 0, passi = 0;
        return NumeraIRecord(g, uno, passi);
    }
    bool EntrantiDalloSquillo(const std::map<int, std::map<std::string, size_t>>& colonne);
    bool EntrantiDalloSquilloLetto();
    bool InizioDiSquillo(int iColonna) const;
    // Every call prints an amount with two decimals over the columns, some a zero one or the
    // amounts of more than one width (0.90, 14.35): a charge.
    bool ColonnaDiImporti(int a, int b) const;
    std::optional<bool> PrimeSuonate(const std::set<size_t>& prime,
                                     const std::set<size_t>& dopo) const;
    void RecordDiServizio();
    void ParoleAlPostoDellaDurata();
    void PassateAdAltroInterno();
    void TrasferimentoInParola();
    void SecondiSenzaNome();
    void IstantiSenzaNome();
    size_t AllaSessagesimale(const std::vector<long long>& valori, const Segmento& g, int a) const;
    bool StampanoComeLeAltre(const std::set<size_t>& righe, bool bEntranti) const;
    std::string PrimiTesti(const std::set<size_t>& righe, int a, int b) const;
    void ScegliSegmenti();
    void RuoliDelTipoMaggiore(size_t iEntranti, size_t iUscenti);
    void InternoCheChiama(bool bEntranti);
    // The extension after a channel's label (SIP/2208), as the other kind prints them.
    void InternoNelCanale(bool bEntranti);
    void AltreRighe();
    std::string SenzaSeconda(const std::string& segno, bool bEntranti) const;
    bool CoppieConNome();
    std::set<size_t> mSecondeRighe;  // the second records of calls printed in pairs
    void DurataInSecondi();
    void SecondiIncollati();
    void DurataInDecimi();
    void DurateDaIntestazione();
    void MeridianoFacoltativo();
    bool EntrantiDaScambio();
    void RuoliDaScambio();
    void TrasferiteDaCoppie();
    void SeguitoNelRecordDopo();
    void CommessaInFondo();
    void TrasferimentoIncollato();
    void RispostaConAsterischi();
    // The format that reads a count of seconds alone (the catalogue's first); past the end of
    // mvFormati when there is none.
    size_t FormatoSecondi() const;
    // A column read as hours and minutes (00:24), read instead as minutes and seconds by
    // another format on the same values; nothing when no format does.
    std::optional<Colonna> MinutiESecondi(const Colonna& c) const;
    // Columns a to b of the call lines as a column of that format, a value per line with text.
    Colonna Conteggi(int a, int b, size_t iFormato) const;
    std::vector<Segmento> Segmenti(const std::vector<size_t>& righe);
    void DurataInTreCampi();
    void ZeroSuUnTipo();
    void NumeroOParola();
    void PortaComeDerivato(Segmento& g, const std::vector<size_t>& righe);
    void ScattiDelCosto(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    std::set<std::pair<int, int>> mScattiCosto, mPorte,
        mScattiZero;  // pulses told so, by their columns
    std::set<int> TagliIncollati(const std::vector<size_t>& righe,
                                 const std::vector<size_t>& pieni) const;
    // An extension printed with a letter for the kind of party (E201) whose digits another
    // column prints bare (201) on every line: the bare one is the extension.
    bool NudoAltrove(const Segmento& g, const std::vector<Segmento>& segmenti,
                     const std::vector<size_t>& righe) const;
    // The share of the lines with text in the column that hold a trunk (T and digits), when the
    // others hold a party with digits too; 0 otherwise.
    double QuotaGiunzioni(const Segmento& g, const std::vector<size_t>& righe) const;
    void LineaDelCanale(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    void InternoAssente(bool bEntranti);
    void ScattiSenzaNome(bool bEntranti);
    // A count with no heading, zero-padded to one width on every call, that grows with the
    // duration: the pulses.
    bool ScattiDallaDurata(const Segmento& g, const std::vector<size_t>& righe) const;
    void Componi();

    std::string Intestazione(int a, int b) const;
    // The words naming columns [a, b): the heading's, or a separated field's name with its
    // camel case parted (callingPartyNumber: CALLING PARTY NUMBER).
    std::string Parole(int a, int b) const;
    std::string Testo(size_t riga, int a, int b) const;
    int16_t Codice(size_t iFormato);
    void Voce(Ambito ambito, std::string titolo, std::string testo, bool incerto = false,
              bool entranti = false, std::string campo = {}, int a = 0, int b = 0) {
        VoceProposta v;
        v.ambito = ambito;
        v.sTitolo = std::move(titolo);
        v.sTesto = std::move(testo);
        v.bIncerto = incerto;
        v.bEntranti = entranti;
        v.sCampo = std::move(campo);
        if (b > a) {
            v.iRiga = 1;
            v.iInizio = static_cast<int16_t>(a + 1);
            v.iLunghezza = static_cast<int16_t>(b - a);
            int16_t nel = 0;
            if (mbSeparati) InCampo(a, b, v.iInizio, v.iLunghezza, nel);
            if (miLarghezzaRiga) {
                v.iRiga = static_cast<int16_t>(1 + a / miLarghezzaRiga);
                v.iInizio = static_cast<int16_t>(a % miLarghezzaRiga + 1);
            }
        }
        mP.vVoci.push_back(std::move(v));
    }
    std::string PrimiValori(const Colonna& c, size_t n = 3) const;

    std::string_view msByte;
    const MappaFormati& mFormatiCatalogo;
    Proposta mP;
    std::vector<clsPrescanning> mvPrescanning;
    std::vector<std::string> mvRighe;  // as the engine reads them
    std::vector<uint64_t> mvNumeri;    // their numbers in the printout
    std::vector<Formato> mvFormati;
    std::vector<Colonna> mvCandidate;             // every column found
    std::vector<bool> mvChiamata;                 // line index -> a call line
    std::vector<size_t> mvChiamate;               // the call lines
    std::vector<size_t> mvIntestazioni;           // lines of words above the calls
    std::vector<std::pair<int, int>> mvOccupate;  // windows taken by a field
    // Column x lies in a window taken by a field.
    bool Occupata(int x) const {
        return std::any_of(mvOccupate.begin(), mvOccupate.end(),
                           [x](const auto& w) { return x >= w.first && x < w.second; });
    }
    // The columns where a run of digits opens on some call line (after a blank or at the start).
    std::set<int> IniziDiCifre() const;
    // The length of the longest call line.
    size_t LarghezzaChiamate() const {
        size_t larghezza = 0;
        for (size_t r : mvChiamate) larghezza = std::max(larghezza, mvRighe[r].size());
        return larghezza;
    }
    // These lines are no calls after all (records of the system, events).
    void TogliDalleChiamate(const std::set<size_t>& righe) {
        for (size_t r : righe) mvChiamata[r] = false;
        std::erase_if(mvChiamate, [&](size_t r) { return righe.count(r) > 0; });
    }
    // Two party columns that swap with the kind: the outgoing calls read the extension at
    // iA and sSecondo (the number, the trunk) at iB, the incoming ones the other way round.
    void RuoliScambiati(int iA, int iB, const std::string& sSecondo);
    std::map<size_t, int16_t> mCodiciNuovi;
    size_t miSaltiPagina = 0;
    // A printout of separated fields is read as columns: each field of a record is laid at
    // columns of its own (field k from miColonna[k], miLarghezza[k] wide), and the columns
    // found are given back as field numbers.
    bool mbSeparati = false;
    char mcSeparatore = 0;
    std::vector<int> mvColonna, mvLarghezza;
    std::vector<std::string> mvNomi;  // the heading's names, when there is one
    size_t miIntestazione = 0;        // heading lines
    bool ProvaSeparati();
    // Fields opened by the same "name=" on every record: the name names the field and is left
    // out of the columns; mvTolto[k] is how many characters of field k were left out.
    std::vector<int> mvTolto;
    void TogliChiavi(std::vector<std::vector<std::string>>& rRighe);
    // Records of call events named by a word at one field, each word with its own fields: the
    // words that open a call make the call lines, the others are left out (mEventi).
    bool RecordDiEventi(size_t iEsame);
    char mcEventi = 0;
    size_t miEventoCampo = 0, miCampiEventi = 0, miComuniEventi = 0;
    int miEventoId = -1;  // the field of the identifier joining a call's events, no field
    std::set<std::string> mAperture;
    std::string msEventi;
    // Fields of parties written as addresses (5550223@10.0.2.11) on four records in five: the
    // number before the "@" is what they hold, read by the driver with ESTRAI_NUMERO.
    std::set<size_t> mIndirizzi;
    void IndirizziNeiCampi(std::vector<std::vector<std::string>>& rRighe);
    void NumeroDallIndirizzo(clsDriver& d, bool bEntrante, clsCampo& c) const;
    // A network address and its port in the next field: no party of the call.
    void PorteDiRete(const std::vector<std::vector<std::string>>& vRighe);
    // Records whose pieces are not their fields one to one: the field holding separators
    // without quotes (read from the start before it, from the end after it; -1 none), the
    // fields every record holds, and what was found, for the evidence.
    int miVariabile = -1;
    bool mbPari = false;  // another field would fit as well
    size_t miComuni = 0;
    std::string msPezzi;
    size_t CampiDeiRecord(const std::vector<std::vector<std::string>>& pezzi, size_t comuni,
                          const std::function<bool(std::string_view)>& dataOra);
    // Fields separated by one blank: the count of words on most lines, when the words stand at
    // other columns from line to line; 0 otherwise.
    size_t ParoleSeparate(size_t iEsame, size_t& rRighe) const;
    // Where columns [a, b) stand, as the technician reads it: "colonne 5-9" or "campo 3 (start)".
    std::string Dove(int a, int b) const;
    // Columns to a field: its number (from 1), the first character taken inside it (0: the
    // first) and how many (0: to its end).
    void InCampo(int a, int b, int16_t& rInizio, int16_t& rLunghezza, int16_t& rNel) const;
    void PosizioniInCampi();
    // Calls on several lines, each opened by a line of one shape: the lines of a call are laid
    // side by side on one line, miLarghezzaRiga columns each, and every position found there
    // comes back as a line of the call and a column on it.
    int miLarghezzaRiga = 0;  // 0: a call starts on the line that holds its time
    int miRigheBlocco = 0;
    std::string msApre;
    int miApreA = -1;
    bool InBlocchi();
    // Calls always on the same number of lines (blank lines counted), with no opener mark.
    bool mbRigheVuoteInChiamata = false;
    // Columns where a letter of a direction code is glued before the number on every call.
    std::set<int> mCodiciIncollati;
    void CodiciIncollati(std::map<int, std::map<std::string, size_t>>& perColonna);
    // A direction letter joined by a sign to a status word (O-OK, I-FD): the letter is the code.
    void CodiciConStato(std::map<int, std::map<std::string, size_t>>& perColonna);
    bool InCiclo();
    void CodiciSuAltreRighe();
    std::vector<std::pair<int, std::string>> mvDirAltre;  // incoming codes on other lines
    void PosizioniInBlocchi();
    // A kind printed on two lines: its second line's mark, where it stands, and the kind.
    std::string msSeconda;
    int miSecondaA = -1;
    bool mbSecondaEntranti = false;

    // What was chosen.
    std::optional<Colonna> mOra;       // the time found on most lines
    std::optional<Colonna> mData;      // on the call lines
    std::optional<Colonna> mDataRiga;  // on a line of its own
    struct Tempo {
        Colonna c;
        std::string sCampo;
        // Minutes and tenths (2.3): the point taken out, the words (NOANS) blanked, the
        // tenths turned into seconds.
        bool bDecimi = false;
        // Minutes and seconds read as hours and minutes, then divided by 60 (125:40).
        bool bSessantesimi = false;
        std::set<std::string> parole = {};
    };
    std::vector<Tempo> mvTempi;
    // Direction: the column, and each value's kind ('E', 'U', 'e' incoming transferred,
    // 'u' outgoing transferred, 'T' transferred of either kind, '?' unknown).
    int miDirA = -1, miDirB = -1;
    // Without codes: the column only incoming calls print text in.
    int miFormaA = -1, miFormaB = -1;
    std::string msFormaValore;  // the text the incoming calls hold there ("": any)
    bool mbFormaVuota = false;  // the incoming calls leave the column blank instead
    int miSquilloA = -1;        // where a ringing time in minutes and tenths starts
    // A ringing time printed by the incoming calls where the outgoing ones print the number:
    // the window, incoming where its format reads a time (TEMPO_VALIDO).
    int miSoloSquilloA = -1, miSoloSquilloB = -1;
    size_t miSoloSquilloFormato = 0;
    // The extension a call was passed to, printed on the transferred calls of one kind only.
    int miPassateA = -1, miPassateB = -1;
    bool mbPassateEntranti = false;
    // A transfer code split by the lines' shape: incoming where text stands at the column.
    std::string msTrasfForma;
    int miTrasfFormaA = -1;
    std::map<std::string, char> mDirValori;
    int miTrasfA = -1, miTrasfB = -1;
    std::string msTrasf;
    std::vector<char> mvTipo;                         // per call line: 'E' or 'U'
    std::map<bool, std::vector<Segmento>> mSegmenti;  // by kind: incoming true
    std::set<std::pair<int, int>> mContatori;
    std::set<std::pair<int, bool>> mIdentificativi;  // said: column, incoming
    std::set<std::pair<int, int>> mCommesse;         // account codes told by their place alone
    std::set<std::pair<int, int>> mUnitaConParola;   // pulses glued to a word, said once
    // A count glued before the direction code: the units, on both kinds.
    int miScattiA = -1, miScattiB = -1;
    // A column every call prints in and the records of the system leave blank.
    int miServizioA = -1;
    // Replacements on a time's columns before it is read, by its columns: the blank of a
    // 12-hour clock's missing mark becomes the other letter, the stars of a count never
    // reached become blanks.
    std::map<std::pair<int, int>, std::vector<std::pair<std::string, std::string>>> mRimpiazzi;
    // Where a party of fixed width ends on the incoming lines that glue the caller's number to
    // it: their columns are cut there.
    int miTaglioEntranti = -1;
    // The two party columns that swap: the first on the outgoing lines holds the extension,
    // on the incoming the trunk; -1 when none.
    int miScambioA = -1, miScambioB = -1;
    // The columns of the calling and the called party, an extension on one and a number on
    // the other (-1: not found).
    int miPartiA = -1, miPartiB = -1;
    bool EntrantiDaParti();
    bool EntrantiDaNumeriPropri();
    bool EntrantiDaMarcaSenzaAddebito();
    // The calls on these lines are incoming, told by the column at iForma: a digit there
    // (sValore "") or the text sValore; their parties stand at iParteA and iParteB.
    void SegnaEntranti(const std::vector<size_t>& righe, int iForma, const std::string& sValore,
                       int iParteA, int iParteB);
    // Pairs of columns where runs of digits open, the first before the second, neither taken.
    std::vector<std::pair<int, int>> CoppieDiColonne() const;
    void RuoliDaNumeriPropri();
    void SquilloDelleEntranti();
    bool GiornoEMeseSeparati();
    // The caller and the called party under headings naming them: a number calling is an
    // incoming call, an extension calling an outgoing one.
    int miChiamanteA = -1, miChiamatoA = -1;
    bool mbFormaCifra = false;  // incoming where a digit stands there (not any sign: 221@host)
    bool EntrantiDalChiamante();
    void RuoliDalChiamante();
    void RuoliDaParti();
    // Record-type codes printed only on the records of one call printed twice (a transfer),
    // at this column.
    int miCoppiaA = -1;
    std::set<std::string> mCodiciCoppia;
    std::vector<std::pair<size_t, size_t>> mvCoppie;
    std::vector<PezzoCifre> mvPezziImpaccati;  // the fields split out of runs of digits
    std::set<int> mConfini;  // columns where a field begins inside digits printed glued
    // Codes of records that are events of a call already printed, and where they stand.
    std::set<std::string> mEventi;
    int miEventiA = -1;
};

clsDriver DriverBase(const std::vector<clsPrescanning>& prescanning);

// How strict a format is: fixed lengths and more parts read first, the catalogue before the
// formats it lacks.
int Rigore(const Formato& f);

bool HaParola(const std::string& intestazione, std::initializer_list<const char*> parole);

inline bool Sovrapposti(int a, int b, int c, int d) { return a < d && c < b; }

// A heading word that names a field other than a time (a number, a trunk, a date, a charge...)
// or the answer time.
bool NomeDiAltroCampo(const std::string& intestazione);

// A heading word that names a trunk.
bool NomeDiLinea(const std::string& intestazione);

// Values that name themselves a trunk: such a word, a blank and digits on every line
// ("Line 03", "TRUNK 12").
bool ValoriDiLinea(const std::set<std::string>& valori);

// Values that name a module or a port by its kind, a slash and its number, one to three digits
// (gsm/1, isdn/12): the trunk, read in its digits.
bool ModuloConNumero(const std::set<std::string>& valori);

// Numbers of two to four digits after one letter, the same on every value, more than one
// number (L01, L03): members of one group, a better trunk than words.
bool LetteraCostante(const std::set<std::string>& valori);

// Values with neither a letter nor a digit (**, --): a mark, no field of a call.
bool SoloSegni(const std::set<std::string>& valori);

// Values all longer than any number dialled (more than 18 digits in a row, a prefix for abroad
// included): a card's or a record's identifier.
bool OltreUnNumero(const std::set<std::string>& valori);

// The same column, seen on the call lines only.
Colonna SuRighe(const Colonna& c, const std::vector<bool>& righe, bool dentro);

// What a code says of a call's kind: E incoming, U outgoing, e / u transferred of that kind,
// T transferred, ? unknown.
char TipoDiCodice(const std::string& valore);

// 7. The other columns, split where every call line is blank.
// A column of whole numbers where a few calls print one mark of letters instead (NA, ND): the
// column without the mark, and the mark in rSegno; the column as it is and "" otherwise. The
// mark stands on fewer calls than the numbers, and the numbers are at least two.
Segmento SenzaSegnoDiAssenza(const Segmento& g, std::string& rSegno);

clsCondizione Cond(int32_t op, int a, int b, const std::string& valore, int16_t formato);

// Names ended by ':' or '=' that open values of a field before digits (FAC:01, ACC=12).
std::set<std::string> Etichette(const std::set<std::string>& valori);

// A chain: the first codes joined by Or, then the rest joined by And.
// A replacement on a call kind's line 1, at the given columns (from 1), before its fields are
// read.
void Sostituisci(clsDriver& d, bool bEntrante, int16_t iInizio, int16_t iLunghezza,
                 const std::string& sDa, const std::string& sA = {});

// The field's value read is converted (multiplied, divided) as the duration and cost settings
// write it.
void Converti(clsCampo& c, int32_t iEccezione, int32_t iOperazione, std::string sSorgente,
              std::string sValore);

// With prima, its conditions joined by And come first and are one more choice of the Or: the
// engine joins from left to right, so "T And X Or I And base" reads ((T and X) or I) and base.
ColCondizioni Catena(const std::vector<clsCondizione>& oppure, const std::vector<clsCondizione>& e,
                     const std::vector<clsCondizione>& prima = {});

}  // namespace tarno::proposta

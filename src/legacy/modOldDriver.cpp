#include "legacy/modOldDriver.h"

#include <fstream>

#include "legacy/RigheVecchioDriver.h"
#include "model/CallFieldName.h"
#include "model/File.h"
#include "model/Messaggi.h"
#include "model/Testo.h"

namespace tarno {

int32_t glProgrammaTrasf = 0;

const std::vector<ProgrammaTrasf>& ProgrammiTrasf() {
    static const std::vector<ProgrammaTrasf> programmi = {
        {"Brondi 24/48", 12},
        {"Brondi 820", 13},
        {"Decimi minuto", 3},
        {"Entrante\\Uscente", 1},
        {"Ericsson Md110", 16},
        {"Ericsson Md81", 18},
        {"Hicom 150E", 11},
        {"Integral 3", 4},
        {"Matra 6501 Isdn V1", 6},
        {"Office 1000", 10},
        {"Opus", 5},
        {"Opus 2 righe", 9},
        {"Selta Sae 80", 8},
        {"Sesti minuto", 2},
        {"Standard", 0},
        {"Tie Corex", 14},
        {"Tie Onix", 15},
    };
    return programmi;
}

std::string NomeProgrammaTrasf(int32_t lCodice) {
    for (const auto& p : ProgrammiTrasf())
        if (p.lCodice == lCodice) return p.sNome;
    return {};
}

bool ControllaVecchioDriver(const std::string& vsFileName, IMessaggi& msg) {
    std::ifstream in(vsFileName, std::ios::binary);
    std::string riga;
    bool letta = false;
    if (in) {
        char c;
        // A first line longer than the magic line is not a legacy driver: no need to read on.
        while (riga.size() <= std::string_view(MAGIC_VECCHIO_DRIVER).size() && in.get(c)) {
            letta = true;
            if (c == '\r' || c == '\n') break;
            riga += c;
        }
    }
    if (!letta) {
        msg.Mostra("Impossibile aprire il Driver " + NomeFileInCp1252(vsFileName));
        return false;
    }
    return riga == MAGIC_VECCHIO_DRIVER;
}

void PreparaDriver(clsDriver& doc) {
    auto prepara = [](std::unique_ptr<clsChiamata>& chiamata, int32_t enTipo) {
        if (!chiamata) {
            chiamata = std::make_unique<clsChiamata>();
            chiamata->miNumRighe = 1;
        }
        if (!chiamata->mcolCampi) chiamata->mcolCampi.emplace();
        if (!chiamata->mcolCondizioni) chiamata->mcolCondizioni.emplace();
        if (!chiamata->mcolCondTrasferita) chiamata->mcolCondTrasferita.emplace();
        chiamata->menTipo = enTipo;
    };
    prepara(doc.moEntranti, clsChiamata::ENTRANTI);
    prepara(doc.moUscenti, clsChiamata::USCENTI);
}

std::string PulisciFormato(const std::string& sFormato) {
    std::string_view s = sFormato;
    const size_t p = s.find('(');
    if (p != std::string_view::npos) s = s.substr(0, p);
    return std::string(TogliSpazi(s));
}

int16_t CodiceFormato(const CercaFormato& cerca, const std::string& sFormato, bool bData) {
    if (!cerca) return 0;
    try {
        return cerca(PulisciFormato(sFormato), bData);
    } catch (...) {
        return 0;  // a failing lookup is no error: the field simply has no format
    }
}

namespace {

// What a field line of the legacy layout declares.
struct RigaCampo {
    int iRiga;
    bool bEntrante;
    const char* sNome;
    enum Sintassi { GRAFFE_DATA, GRAFFE_ORA, FLAG, FLAG_SOLO_S } enSintassi;
};

constexpr RigaCampo kRigheCampi[] = {
    {31, true, "dData", RigaCampo::GRAFFE_DATA},
    {35, true, "dOraInizio", RigaCampo::GRAFFE_ORA},
    {39, true, "dOraFine", RigaCampo::GRAFFE_ORA},
    {43, true, "dDurata", RigaCampo::GRAFFE_ORA},
    {47, true, "dRisposta", RigaCampo::GRAFFE_ORA},
    {51, true, "sDerivato", RigaCampo::FLAG_SOLO_S},
    {52, true, "sLinea", RigaCampo::FLAG},
    {54, true, "sCommessa", RigaCampo::FLAG},
    {57, false, "dData", RigaCampo::GRAFFE_DATA},
    {61, false, "dOraInizio", RigaCampo::GRAFFE_ORA},
    {65, false, "dOraFine", RigaCampo::GRAFFE_ORA},
    {69, false, "dDurata", RigaCampo::GRAFFE_ORA},
    {73, false, "sNumero", RigaCampo::FLAG},
    {74, false, "sDerivato", RigaCampo::FLAG_SOLO_S},
    {75, false, "sLinea", RigaCampo::FLAG},
    {76, false, "lScatti", RigaCampo::FLAG},
    {78, false, "sCommessa", RigaCampo::FLAG},
};

std::string DescrizioneRiga(int iRiga) { return " (riga " + std::to_string(iRiga) + ")"; }

// A zero-based legacy column as a one-based start.
int16_t Colonna(int16_t iPosizione, int iRiga) {
    if (iPosizione == INT16_MAX)
        throw ErroreConversione(ERR_OVERFLOW,
                                "Numero fuori dall'intervallo consentito" + DescrizioneRiga(iRiga));
    return static_cast<int16_t>(iPosizione + 1);
}

void AggiungiCampo(clsChiamata& chiamata, clsCampo campo, int iRiga) {
    const int16_t indice = IndiceCampo(campo.msNome, chiamata.menTipo == clsChiamata::ENTRANTI);
    const std::string nome = campo.msNome;
    if (!chiamata.mcolCampi->Add(std::move(campo), std::to_string(indice)))
        throw ErroreConversione(ERR_CHIAVE,
                                "Questa chiave \xE8 gi\xE0 associata ad un elemento della "
                                "collezione: campo " +
                                    nome + DescrizioneRiga(iRiga));
}

void LeggiRigaCampo(const RigaCampo& def, std::string_view sRiga, clsDriver& doc,
                    const CercaFormato& cerca) {
    clsChiamata& chiamata = def.bEntrante ? *doc.moEntranti : *doc.moUscenti;
    clsCampo campo;
    campo.msNome = def.sNome;
    campo.miRiga = 1;
    campo.menEccezione = clsCampo::ECC_NESSUNA;
    if (def.enSintassi == RigaCampo::GRAFFE_DATA || def.enSintassi == RigaCampo::GRAFFE_ORA) {
        const RigaGraffe r = LeggiRigaGraffe(sRiga, def.iRiga);
        if (!r.bPresente) return;
        campo.mbOpzionale = false;
        campo.menAllineamento = clsCampo::ALL_NESSUNO;
        campo.miFormato =
            CodiceFormato(cerca, r.sFormato, def.enSintassi == RigaCampo::GRAFFE_DATA);
        campo.miLunghezza = r.iLunghezza;
        campo.miInizio = Colonna(r.iPosizione, def.iRiga);
    } else {
        const RigaFlag r =
            LeggiRigaFlag(sRiga, def.enSintassi == RigaCampo::FLAG_SOLO_S, def.iRiga);
        if (!r.bPresente) return;
        campo.mbOpzionale = r.bOpzionale;
        campo.miFormato = 0;
        campo.miInizio = Colonna(r.iPosizione, def.iRiga);
        campo.miLunghezza = r.iLunghezza;
        campo.menAllineamento = r.bDestra ? clsCampo::DX : clsCampo::SX;
    }
    AggiungiCampo(chiamata, std::move(campo), def.iRiga);
}

void LeggiIdentificazione(std::string_view sRiga, int iRiga, clsChiamata& chiamata) {
    const RigaIdentificazione r = LeggiRigaIdentificazione(sRiga, iRiga);
    if (!r.bPresente) return;
    clsCondizione c;
    c.menOperatore = clsCondizione::UGUALE_A;
    c.miFormato = 0;
    c.miRiga = 1;
    c.miInizio = Colonna(r.iPosizione, iRiga);
    c.miLunghezza = r.iLunghezza;
    c.msValore = r.sValore;
    chiamata.mcolCondizioni->Add(std::move(c));
}

void LeggiTrasferita(std::string_view sRiga, int iRiga, clsChiamata& chiamata) {
    const RigaTrasferita r = LeggiRigaTrasferita(sRiga, iRiga);
    if (!r.bPresente) return;
    clsCondizione c;
    c.miRiga = 1;
    c.miLunghezza = Colonna(r.n1, iRiga);  // n1 is the length minus one
    c.miInizio = r.n2;
    c.menOperatore = clsCondizione::UGUALE_A;
    c.msValore = r.sValore;
    chiamata.mcolCondTrasferita->Add(std::move(c));
}

// The notes block from line 18 up to the first line that begins with "VARIE"; i is the index
// of the next line to read and moves past the "VARIE" line.
std::string LeggiNote(const std::vector<std::string>& righe, size_t& i, std::string riga) {
    std::string note;
    while (riga.compare(0, 5, "VARIE") != 0) {
        if (!riga.empty() && riga[0] == '*') {
            if (TogliSpazi(riga).size() > 2) note += riga.substr(std::min<size_t>(2, riga.size()));
        } else {
            note += "\r\n" + riga;
        }
        if (i >= righe.size())
            throw ErroreConversione(ERR_FINE_FILE,
                                    "Input oltre la fine del file (il blocco delle note non "
                                    "termina con una riga VARIE)");
        riga = righe[i++];
    }
    return note;
}

void LeggiRighe(const std::vector<std::string>& righe, clsDriver& doc, const CercaFormato& cerca) {
    size_t i = 0;
    int n = 1;
    while (i < righe.size()) {
        const std::string& riga = righe[i++];
        if (n == 1) {
            if (riga != MAGIC_VECCHIO_DRIVER) break;
        } else if (n == 18) {
            doc.msNote = LeggiNote(righe, i, riga);
            n = 23;  // the line after "VARIE" is line 24
        } else if (n > 78) {
            break;
        } else {
            switch (n) {
                case 4:
                    doc.msModello = ValoreEtichetta(riga);
                    break;
                case 5:
                    doc.msVersione = ValoreEtichetta(riga);
                    break;
                case 6:
                    doc.msData = ValoreEtichetta(riga);
                    break;
                case 7:
                    doc.msAutore = ValoreEtichetta(riga);
                    break;
                case 11: {
                    const bool si = ValoreEtichetta(riga) == "Si";
                    doc.moEntranti->miNumRighe = si ? 1 : 0;
                    doc.moEntranti->menTipo =
                        si ? clsChiamata::ENTRANTI : clsChiamata::TIPO_NESSUNO;
                    break;
                }
                case 25:
                    LeggiTrasferita(riga, n, *doc.moEntranti);
                    break;
                case 27:
                    LeggiTrasferita(riga, n, *doc.moUscenti);
                    break;
                case 28: {
                    const RigaOffset r = LeggiRigaOffset(riga, n);
                    if (r.bPresente) doc.mlOffset = r.sOffset;
                    break;
                }
                case 53:
                    LeggiIdentificazione(riga, n, *doc.moEntranti);
                    break;
                case 77:
                    LeggiIdentificazione(riga, n, *doc.moUscenti);
                    break;
                default:
                    for (const RigaCampo& def : kRigheCampi)
                        if (def.iRiga == n) LeggiRigaCampo(def, riga, doc, cerca);
                    break;
            }
        }
        ++n;
    }
}

}  // namespace

bool LeggiVecchioDriver(const std::string& vsFileName, clsDriver& doc, IMessaggi& msg,
                        const CercaFormato& cerca) {
    try {
        PreparaDriver(doc);
        const auto testo = LeggiFile(vsFileName);
        if (!testo)
            throw ErroreConversione(ERR_FILE,
                                    "Impossibile aprire il file " + NomeFileInCp1252(vsFileName));
        LeggiRighe(DividiRighe(*testo), doc, cerca);
        return true;
    } catch (const ErroreConversione& e) {
        msg.Mostra("Impossibile effettuare l'importazione del driver.\rErrore n\xB0 " +
                       std::to_string(e.mlNumero) + ":" + e.what(),
                   TITOLO_ATTENZIONE, Icona::Critico);
    } catch (const std::exception& e) {
        msg.Mostra("Impossibile effettuare l'importazione del driver.\rErrore n\xB0 " +
                       std::to_string(ERR_ARGOMENTO) + ":" + e.what(),
                   TITOLO_ATTENZIONE, Icona::Critico);
    }
    doc.Delete();
    return false;
}

}  // namespace tarno

#include "Proponi.h"

#include <algorithm>

#include "engine/VerificaDriver.h"
#include "engine/clsEsitiJson.h"
#include "model/DriverJson.h"
#include "model/Testo.h"

namespace tarno {

namespace {

using json = nlohmann::ordered_json;
using Ambito = VoceProposta::Ambito;

// The lines no call took and the values that failed are shown up to this many each, and a line
// up to this many characters.
constexpr size_t kPrimi = 10, kCaratteri = 100;

// A line as it can be shown: control characters by their names, cut when it is long.
std::string Visibile(std::string_view s) {
    std::string v = TestoVisibile(s.substr(0, kCaratteri + 1));
    if (s.size() > kCaratteri) v = v.substr(0, kCaratteri) + " ...";
    return v;
}

json Txt(std::string_view s) { return Cp1252InUtf8(s); }

const char* NomeAmbito(Ambito a) {
    switch (a) {
        case Ambito::Stampa:
            return "Stampa";
        case Ambito::Righe:
            return "Righe";
        case Ambito::Tipo:
            return "Tipo";
        case Ambito::Campo:
            return "Campo";
        default:
            return "Formato";
    }
}

// The heading of each group in the text, in the order they are shown.
constexpr std::pair<Ambito, const char*> kGruppi[] = {
    {Ambito::Stampa, "Stampa"},           {Ambito::Righe, "Righe"},
    {Ambito::Tipo, "Entranti e uscenti"}, {Ambito::Campo, "Campi"},
    {Ambito::Formato, "Formati nuovi"},
};

bool HaTipo(Ambito a) { return a == Ambito::Tipo || a == Ambito::Campo; }

// "(uscenti, dData, riga 1, colonne 10-17)", with the parts the item has.
std::string Dove(const VoceProposta& v) {
    std::vector<std::string> parti;
    if (HaTipo(v.ambito)) parti.push_back(v.bEntranti ? "entranti" : "uscenti");
    if (!v.sCampo.empty()) parti.push_back(v.sCampo);
    if (v.iRiga > 0) parti.push_back("riga " + std::to_string(v.iRiga));
    if (v.iInizio > 0 && v.iLunghezza > 1)
        parti.push_back("colonne " + std::to_string(v.iInizio) + "-" +
                        std::to_string(v.iInizio + v.iLunghezza - 1));
    else if (v.iInizio > 0)
        parti.push_back("colonna " + std::to_string(v.iInizio));
    std::string s;
    for (const auto& p : parti) s += (s.empty() ? " (" : ", ") + p;
    return s.empty() ? s : s + ")";
}

std::string Valori(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : " | ") + x;
    return s;
}

const char* GenereFormato(const FormatoProposto& f) { return f.bData ? "data" : "ora"; }

}  // namespace

MappaFormati FormatiConNuovi(const MappaFormati& catalogo, const Proposta& proposta) {
    MappaFormati formati = catalogo;
    for (const FormatoProposto& f : proposta.vFormatiNuovi) formati[f.iCodice] = f.sTesto;
    return formati;
}

std::string FormatiDaAggiungere(const Proposta& proposta) {
    std::string s;
    for (const FormatoProposto& f : proposta.vFormatiNuovi)
        s += (s.empty() ? "" : ", ") + std::to_string(f.iCodice) + " " + f.sTesto + " (" +
             GenereFormato(f) + ")";
    return s.empty() ? s : "il catalogo deve avere i formati nuovi " + s;
}

std::string PropostaInTesto(const Proposta& proposta, const clsLetturaCampione& lettura) {
    std::string s;
    for (const auto& [ambito, titolo] : kGruppi) {
        bool primo = true;
        for (const VoceProposta& v : proposta.vVoci) {
            if (v.ambito != ambito) continue;
            if (primo) s += std::string(s.empty() ? "" : "\n") + titolo + "\n";
            primo = false;
            s += "  " + std::string(v.bIncerto ? "[incerto] " : "") + v.sTitolo + Dove(v) + ": " +
                 v.sTesto + "\n";
            for (const auto& a : v.vAlternative)
                s += std::string(a.bScelta ? "    > " : "      ") + a.sLettura + ": " +
                     Valori(a.vValori) + (a.bScelta ? "  (scelta)" : "") + "\n";
        }
    }
    if (!proposta.vFormatiNuovi.empty()) {
        s += "\nFormati che il catalogo non ha (il driver li usa con questi codici)\n";
        for (const FormatoProposto& f : proposta.vFormatiNuovi)
            s += "  " + std::to_string(f.iCodice) + "  " + f.sTesto + "  (" + GenereFormato(f) +
                 ")\n";
    }

    s += "\nLettura della stampa con il driver proposto\n";
    for (const VoceConteggio& v : VociConteggi()) {
        std::string etichetta = "  " + std::string(v.sEtichetta);
        etichetta.resize(std::max<size_t>(etichetta.size(), 36), ' ');
        s += etichetta + std::to_string(v.valore(lettura.Conteggi())) + "\n";
    }
    for (const auto& a : lettura.Avvisi()) s += "  avviso: " + a + "\n";
    std::vector<std::string> righe, valori;
    for (const VoceCampione& v : lettura.Voci()) {
        if (!v.bChiamata) {
            righe.push_back("    riga " + std::to_string(v.iRiga) + ": " + Visibile(v.sTesto) +
                            (v.sPerche.empty() ? "" : "\n      perch\xE9: " + v.sPerche));
            continue;
        }
        for (const CampoLetto& c : v.chiamata.vCampi)
            if (!c.sErrore.empty())
                valori.push_back("    riga " + std::to_string(c.iRiga) + ", " + c.sNome + " \"" +
                                 Visibile(c.sTaglio) + "\": " + c.sErrore);
    }
    auto elenco = [&s](const char* sTitolo, const std::vector<std::string>& v) {
        if (v.empty()) return;
        const std::string n = std::to_string(v.size());
        s += std::string("  ") + sTitolo +
             (v.size() > kPrimi ? " (" + std::to_string(kPrimi) + " di " + n + "):\n"
                                : " (" + n + "):\n");
        for (size_t i = 0; i < v.size() && i < kPrimi; ++i) s += v[i] + "\n";
    };
    elenco("Righe non riconosciute", righe);
    elenco("Valori non validi", valori);
    return s;
}

json PropostaInJson(const Proposta& proposta, const clsLetturaCampione& lettura) {
    json voci = json::array();
    for (const VoceProposta& v : proposta.vVoci) {
        json alternative = json::array();
        for (const auto& a : v.vAlternative) {
            json valori = json::array();
            for (const auto& x : a.vValori) valori.push_back(Txt(x));
            alternative.push_back(
                json{{"lettura", Txt(a.sLettura)}, {"valori", valori}, {"scelta", a.bScelta}});
        }
        voci.push_back(json{
            {"ambito", NomeAmbito(v.ambito)},
            {"tipo", HaTipo(v.ambito) ? json(v.bEntranti ? "entrante" : "uscente") : json(nullptr)},
            {"campo", v.sCampo.empty() ? json(nullptr) : Txt(v.sCampo)},
            {"riga", v.iRiga},
            {"inizio", v.iInizio},
            {"lunghezza", v.iLunghezza},
            {"titolo", Txt(v.sTitolo)},
            {"testo", Txt(v.sTesto)},
            {"incerto", v.bIncerto},
            {"alternative", std::move(alternative)}});
    }
    json formati = json::array();
    for (const FormatoProposto& f : proposta.vFormatiNuovi)
        formati.push_back(json{{"codice", f.iCodice}, {"testo", Txt(f.sTesto)}, {"data", f.bData}});

    // The calls and the counts exactly as tarnodrv verify --json writes them.
    clsEsitiJson esiti;
    json righe = json::array();
    for (const VoceCampione& v : lettura.Voci()) {
        if (v.bChiamata)
            esiti.Chiamata(v.chiamata);
        else
            righe.push_back(json{{"riga", v.iRiga},
                                 {"testo", Txt(v.sTesto)},
                                 {"perche", v.sPerche.empty() ? json(nullptr) : Txt(v.sPerche)}});
    }
    EsitoAnalisi esito;
    esito.stato = EsitoAnalisi::Riuscita;
    esito.conteggi = lettura.Conteggi();
    json analisi = esiti.Json({}, {}, esito, {});
    json avvisi = json::array();
    for (const auto& a : lettura.Avvisi()) avvisi.push_back(Txt(a));

    return json{{"driver", DriverInJson(proposta.driver)},
                {"nessunaChiamata", proposta.bNessunaChiamata},
                {"voci", std::move(voci)},
                {"formatiNuovi", std::move(formati)},
                {"lettura", json{{"conteggi", analisi["conteggi"]},
                                 {"chiamate", analisi["chiamate"]},
                                 {"righeNonRiconosciute", std::move(righe)},
                                 {"avvisi", std::move(avvisi)}}}};
}

}  // namespace tarno

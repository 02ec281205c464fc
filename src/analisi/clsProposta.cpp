#include "analisi/PropostaInterna.h"

// How a printout is read without a driver, in this order:
// 1. the framing: records closed by a control character instead of a line end, control
//    characters in the lines;
// 2. the values the catalogue's formats read (and a few common ones the catalogue may lack),
//    found on every token of every line, grouped into columns by where they start or end;
// 3. the call lines: those that hold the time column found on most lines; the other lines are
//    headings, titles and date lines;
// 4. on the call lines: the date (or a date line above them), the times of day and the
//    durations, then the column whose short codes tell incoming from outgoing and a transfer
//    mark, then the other columns (number, extension, trunk, units, account code) split where
//    every call line is blank.
// Every step leaves its evidence; nothing here knows a PBX by name.

namespace tarno::proposta {

std::string Proponitore::Testo(size_t riga, int a, int b) const {
    const std::string& s = mvRighe[riga];
    if (a >= static_cast<int>(s.size())) return {};
    return s.substr(static_cast<size_t>(a),
                    static_cast<size_t>(std::min<int>(b, static_cast<int>(s.size())) - a));
}

std::string Proponitore::PrimiValori(const Colonna& c, size_t n) const {
    std::string s;
    for (size_t i = 0; i < c.vValori.size() && i < n; ++i) {
        if (i) s += ", ";
        const Valore& v = c.vValori[i];
        s += std::string(TogliSpazi(Testo(v.iRiga, v.a, v.b)));
    }
    return s;
}

int16_t Proponitore::Codice(size_t iFormato) {
    const Formato& f = mvFormati[iFormato];
    if (f.iCodice) return f.iCodice;
    if (auto it = mCodiciNuovi.find(iFormato); it != mCodiciNuovi.end()) return it->second;
    int16_t ultimo = 0;
    for (const auto& [codice, testo] : mFormatiCatalogo) ultimo = std::max(ultimo, codice);
    for (const auto& n : mP.vFormatiNuovi) ultimo = std::max(ultimo, n.iCodice);
    const auto codice = static_cast<int16_t>(ultimo + 1);
    mP.vFormatiNuovi.push_back({codice, f.sTesto, f.bData});
    mCodiciNuovi[iFormato] = codice;
    Voce(Ambito::Formato, f.sTesto,
         "il catalogo non ha un formato che legga questi valori: \"" + f.sTesto +
             "\" \xE8 proposto come nuovo formato " + (f.bData ? "di data" : "di ora") +
             " con il codice " + Num(codice));
    return codice;
}

std::string Proponitore::Parole(int a, int b) const {
    if (!mbSeparati || mvNomi.empty()) return Intestazione(a, b);
    int16_t campo = 0, lunghezza = 0, nel = 0;
    InCampo(a, b, campo, lunghezza, nel);
    if (campo < 1 || static_cast<size_t>(campo) > mvNomi.size()) return {};
    std::string nome = mvNomi[static_cast<size_t>(campo - 1)];
    for (size_t k = nome.size(); k-- > 1;)
        if (std::islower(static_cast<unsigned char>(nome[k - 1])) &&
            std::isupper(static_cast<unsigned char>(nome[k])))
            nome.insert(k, 1, ' ');
    return Maiusc(ComposteDivise(nome));
}

std::string Proponitore::Intestazione(int a, int b) const {
    // Separated fields are named by the heading's first line (a second one may give types).
    if (mbSeparati && !mvNomi.empty()) return Parole(a, b);
    std::string s;
    for (size_t r : mvIntestazioni) {
        const std::string& t = mvRighe[r];
        // The words that overlap the columns.
        for (int i = 0, n = static_cast<int>(t.size()); i < n;) {
            if (t[static_cast<size_t>(i)] == ' ') {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && t[static_cast<size_t>(j)] != ' ') ++j;
            if (Sovrapposti(i, j, a, b)) {
                const std::string w =
                    Maiusc(t.substr(static_cast<size_t>(i), static_cast<size_t>(j - i)));
                if ((" " + s + " ").find(" " + w + " ") == std::string::npos) {
                    if (!s.empty()) s += ' ';
                    s += w;
                }
            }
            i = j;
        }
    }
    return s;
}

std::optional<Colonna> Proponitore::MinutiESecondi(const Colonna& c) const {
    const Formato& f = mvFormati[c.iFormato];
    // Packed digits (0001) are as likely a counter: only values with a separator.
    if (f.bData || !f.bOre || f.bSecondi || f.bMeridiano || !f.bLetterale) return std::nullopt;
    for (const auto& k : mvCandidate) {
        const Formato& g = mvFormati[k.iFormato];
        if (g.bData || g.bOre || !g.bSecondi || g.sTesto.size() != f.sTesto.size()) continue;
        Colonna m = SuRighe(k, mvChiamata, true);
        if (m.a != c.a || m.b != c.b || m.Righe() != c.Righe()) continue;
        return m;
    }
    return std::nullopt;
}

// A transfer mark on a call nobody answered is no transfer mark: an unanswered call cannot be
// passed on. A call is unanswered where a column of digits on the other calls (the party that
// took it) prints stars instead. The mark then says something else of the call (who hung up
// first, a long call...) and no call is proposed transferred by it.
bool Proponitore::SegnoSuNonRisposte(
    int a, const std::string& segno,
    const std::map<int, std::map<std::string, size_t>>& perColonna) {
    const auto stelle = [](const std::string& t) {
        return t.size() >= 2 && t.find_first_not_of('*') == std::string::npos;
    };
    for (const auto& [col, valori] : perColonna) {
        if (col == a) continue;
        size_t cifre = 0, asterischi = 0, largo = 0;
        bool altro = false;
        for (const auto& [t, k] : valori) {
            largo = std::max(largo, t.size());
            if (std::all_of(t.begin(), t.end(), Cifra))
                cifre += k;
            else if (stelle(t))
                asterischi += k;
            else
                altro = true;
        }
        if (altro || !asterischi || cifre * 2 < mvChiamate.size()) continue;
        std::vector<size_t> segnate;
        size_t senza = 0;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            if (s.size() <= static_cast<size_t>(a) ||
                s.compare(static_cast<size_t>(a), segno.size(), segno) != 0)
                continue;
            segnate.push_back(r);
            const size_t fine = s.find(' ', static_cast<size_t>(col));
            if (s.size() > static_cast<size_t>(col) &&
                stelle(s.substr(static_cast<size_t>(col), fine - static_cast<size_t>(col))))
                ++senza;
        }
        if (!senza) continue;
        Voce(Ambito::Tipo, "Non un trasferimento",
             Dove(a, a + static_cast<int>(segno.size())) + ": \"" + segno + "\" su " +
                 Num(static_cast<long long>(segnate.size())) + " chiamate, di cui " +
                 Num(static_cast<long long>(senza)) + " senza risposta (asterischi in " +
                 Dove(col, col + static_cast<int>(largo)) +
                 ", dove le altre chiamate hanno cifre): una chiamata a cui nessuno ha risposto "
                 "non si trasferisce, il segno dice altro e nessuna chiamata \xE8 proposta "
                 "trasferita",
             true);
        return true;
    }
    return false;
}

// A ringing time printed on some calls only, and a column of one-sign codes on every call whose
// codes split the calls just as the ringing time does (no code on a call with it and on one
// without): the calls that print a ringing time are incoming, the others outgoing.
bool Proponitore::EntrantiDalloSquillo(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    const auto squillo = std::find_if(mvTempi.begin(), mvTempi.end(),
                                      [](const Tempo& t) { return t.sCampo == "dRisposta"; });
    if (n < 4 || squillo == mvTempi.end()) return false;
    const int a = squillo->c.a, b = squillo->c.b;
    std::set<size_t> suonate;
    for (size_t r : mvChiamate)
        if (!TogliSpazi(Testo(r, a, b)).empty()) suonate.insert(r);
    if (suonate.size() < 2 || suonate.size() + 2 > n) return false;
    for (const auto& [col, valori] : colonne) {
        if (col >= a && col < b) continue;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) pieni += t.size() == 1 ? k : 0;
        if (pieni != n || valori.size() < 2) continue;
        std::map<char, int> lato;  // 1 with a ringing time, 2 without, 3 both
        for (size_t r : mvChiamate) {
            const std::string& riga = mvRighe[r];
            const char c =
                static_cast<size_t>(col) < riga.size() ? riga[static_cast<size_t>(col)] : ' ';
            lato[c] |= suonate.count(r) ? 1 : 2;
        }
        if (lato.count(' ')) continue;
        if (std::any_of(lato.begin(), lato.end(), [](const auto& l) { return l.second == 3; }))
            continue;
        std::string con, senza;
        for (const auto& [c, l] : lato) {
            std::string& elenco = l == 1 ? con : senza;
            elenco += elenco.empty() ? std::string(1, c) : std::string(", ") + c;
        }
        miFormaA = a;
        miFormaB = b;
        for (size_t r : suonate) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(a, b) + ": un tempo di squillo su " +
                 Num(static_cast<long long>(suonate.size())) + " chiamate su " +
                 Num(static_cast<long long>(n)) + ", e in " + Dove(col, col + 1) +
                 " codici diversi sulle une (" + con + ") e sulle altre (" + senza +
                 "): le chiamate con lo squillo proposte entranti, le altre uscenti",
             true);
        return true;
    }
    return false;
}

std::string Proponitore::PrimiTesti(const std::set<size_t>& righe, int a, int b) const {
    std::string t;
    size_t k = 0;
    for (size_t r : righe) {
        if (k++ == 3) break;
        if (!t.empty()) t += ", ";
        t += std::string(TogliSpazi(Testo(r, a, b)));
    }
    return t;
}

bool Proponitore::ScattiDallaDurata(const Segmento& g, const std::vector<size_t>& righe) const {
    if (!g.sIntestazione.empty() || g.iPieni != righe.size() || g.iIntere != g.iPieni ||
        g.distinti.size() < 3 || righe.size() < 4)
        return false;
    const size_t larghezza = g.distinti.begin()->size();
    size_t zeri = 0;
    for (const auto& v : g.distinti) {
        if (v.size() != larghezza) return false;
        zeri += v.size() > 1 && v.front() == '0';
    }
    if (larghezza < 3 || larghezza > 9 || zeri * 2 < g.distinti.size()) return false;
    const auto durata = std::find_if(mvTempi.begin(), mvTempi.end(),
                                     [](const Tempo& t) { return t.sCampo == "dDurata"; });
    if (durata == mvTempi.end()) return false;
    std::vector<std::pair<int64_t, long long>> coppie;  // seconds, count
    // The first calls are enough to tell (the pairs grow with their square).
    for (size_t r : righe)
        if (const Valore* v = durata->c.Su(r); v && coppie.size() < 200)
            coppie.emplace_back(v->v.TotaleSecondi(),
                                std::stoll(std::string(TogliSpazi(Testo(r, g.a, g.b)))));
    if (coppie.size() < 4) return false;
    // Pairs of calls ordered alike by the duration and by the count, and ordered otherwise.
    size_t concordi = 0, discordi = 0;
    for (size_t i = 0; i < coppie.size(); ++i)
        for (size_t j = i + 1; j < coppie.size(); ++j) {
            const auto d = coppie[i].first - coppie[j].first;
            const auto k = coppie[i].second - coppie[j].second;
            if (d == 0 || k == 0) continue;
            ((d > 0) == (k > 0) ? concordi : discordi)++;
        }
    return concordi >= 6 && discordi * 10 <= concordi;
}

// The evidence for pulses told by the duration alone.
void Proponitore::ScattiSenzaNome(bool bEntranti) {
    for (const Segmento& g : mSegmenti[bEntranti])
        if (g.sRuolo == "lScatti" && !g.bValuta && g.sIntestazione.empty() &&
            !mScattiCosto.count({g.a, g.b}) && !mUnitaConParola.count({g.a, g.b}))
            Voce(Ambito::Campo, "Scatti",
                 Dove(g.a, g.b) + ": numeri senza intestazione, tutti di " +
                     Num(static_cast<long long>(g.iLunghezzaMax)) +
                     " cifre con gli zeri davanti (" + *g.distinti.begin() + ", " +
                     *g.distinti.rbegin() +
                     "), su ogni chiamata, che crescono con la durata: proposti come scatti",
                 true, bEntranti, "lScatti", g.a, g.b);
}

// The evidence for an extension column that prints a mark of letters instead on a few calls.
void Proponitore::InternoAssente(bool bEntranti) {
    for (const Segmento& g : mSegmenti[bEntranti]) {
        std::string segno;
        if (g.sRuolo != "sDerivato" || g.bCorto) continue;
        SenzaSegnoDiAssenza(g, segno);
        if (!segno.empty())
            Voce(Ambito::Campo, "Interno assente",
                 Dove(g.a, g.b) + ": numeri interi, e \"" + segno + "\" al loro posto su " +
                     Num(static_cast<long long>(g.iPieni - g.iIntere)) +
                     " chiamate: un segno che l'interno manca (chiamata senza risposta?), non un "
                     "valore; la colonna \xE8 proposta come interno",
                 true, bEntranti, "sDerivato", g.a, g.b);
    }
}

void Proponitore::Componi() {
    clsDriver& d = mP.driver;
    d.mbIngnoraRigheVuote = true;
    if (!mvPrescanning.empty()) {
        d.mbConPrescanning = true;
        d.mcolPrescanning.emplace();
        for (const auto& p : mvPrescanning) d.mcolPrescanning->Add(p, p.sEntry);
    }
    d.msNote = "Proposto dal campione";
    // A blank line of a call counts among its lines.
    if (mbRigheVuoteInChiamata) d.mbIngnoraRigheVuote = false;
    if (mP.bNessunaChiamata) return;
    // What every call line holds.
    std::vector<clsCondizione> base;
    if (mOra)
        base.push_back(
            Cond(clsCondizione::TEMPO_VALIDO, mOra->a, mOra->b, "", Codice(mOra->iFormato)));
    else
        base.push_back(
            Cond(msCostante.empty() ? clsCondizione::DIVERSO_DA : clsCondizione::UGUALE_A,
                 miCostanteA, miCostanteB, msCostante, 0));
    if (miLarghezzaRiga && !msApre.empty())
        base.push_back(Cond(clsCondizione::UGUALE_A, miApreA,
                            miApreA + static_cast<int>(msApre.size()), msApre, 0));
    if (mData && mData->Righe() == mvChiamate.size())
        base.push_back(
            Cond(clsCondizione::DATA_VALIDA, mData->a, mData->b, "", Codice(mData->iFormato)));
    if (miServizioA >= 0)
        base.push_back(Cond(clsCondizione::DIVERSO_DA, miServizioA, miServizioA + 1, "", 0));
    if (mDataRiga) {
        d.mcolDataIsolata.emplace();
        clsCondizione c = Cond(clsCondizione::DATA_ISOLATA, mDataRiga->a, mDataRiga->b, "",
                               Codice(mDataRiga->iFormato));
        d.mcolDataIsolata->Add(std::move(c));
    }
    for (const auto& t : mEventi)
        base.push_back(Cond(clsCondizione::DIVERSO_DA, miEventiA,
                            miEventiA + static_cast<int>(t.size()), t, 0));
    std::vector<clsCondizione> entranti, uscenti, entrTrasf, uscTrasf, coppia;
    for (const auto& [t, k] : mDirValori) {
        clsCondizione c = Cond(clsCondizione::UGUALE_A, miDirA, miDirA + static_cast<int>(t.size()),
                               std::string(t), 0);
        if (k == 'T' && t == msTrasfForma) {
            // Split by the lines' shape: incoming where the column holds text, else outgoing.
            coppia = {c, Cond(clsCondizione::DIVERSO_DA, miTrasfFormaA, miTrasfFormaA + 1, "", 0)};
            uscTrasf.push_back(c);
        } else if (k == 'X') {
            c.menOperatore = clsCondizione::DIVERSO_DA;
            base.push_back(c);
        } else if (k == 'E')
            entranti.push_back(c);
        else if (k == 'e' || k == 'T')
            entrTrasf.push_back(c);
        else if (k == 'u')
            uscTrasf.push_back(c);
        else
            uscenti.push_back(c);
    }
    for (const auto& [a, t] : mvDirAltre)
        entranti.push_back(Cond(clsCondizione::UGUALE_A, a, a + static_cast<int>(t.size()), t, 0));
    if (miFormaA >= 0)
        entranti.push_back(Cond(!msFormaValore.empty() || mbFormaVuota ? clsCondizione::UGUALE_A
                                : mbFormaCifra                         ? clsCondizione::SOLO_NUMERI
                                                                       : clsCondizione::DIVERSO_DA,
                                miFormaA, miFormaB, msFormaValore, 0));
    if (miSoloSquilloA >= 0)
        entranti.push_back(Cond(clsCondizione::TEMPO_VALIDO, miSoloSquilloA, miSoloSquilloB, "",
                                Codice(miSoloSquilloFormato)));
    const bool conEntranti = !entranti.empty() || !entrTrasf.empty() || !coppia.empty();
    auto chiamata = [&](bool bEntrante) {
        auto c = std::make_unique<clsChiamata>();
        c->menTipo = bEntrante ? clsChiamata::ENTRANTI : clsChiamata::USCENTI;
        c->miNumRighe = 1;
        return c;
    };
    if (conEntranti) {
        d.moEntranti = chiamata(true);
        std::vector<clsCondizione> tutte = entranti;
        tutte.insert(tutte.end(), entrTrasf.begin(), entrTrasf.end());
        d.moEntranti->mcolCondizioni = Catena(tutte, base, coppia);
        if (!entrTrasf.empty() || !coppia.empty()) {
            d.moEntranti->mcolCondTrasferita = Catena(entrTrasf, base, coppia);
        } else if (!msTrasf.empty() && !entranti.empty()) {
            auto e = base;
            e.push_back(Cond(clsCondizione::UGUALE_A, miTrasfA,
                             miTrasfA + static_cast<int>(msTrasf.size()), msTrasf, 0));
            d.moEntranti->mcolCondTrasferita = Catena(entranti, e);
        }
    }
    d.moUscenti = chiamata(false);
    // Incoming calls are tried first: the outgoing ones are the other call lines.
    d.moUscenti->mcolCondizioni = Catena({}, base);
    if (!uscTrasf.empty()) {
        d.moUscenti->mcolCondTrasferita = Catena(uscTrasf, base);
    } else if (!msTrasf.empty()) {
        auto e = base;
        e.push_back(Cond(clsCondizione::UGUALE_A, miTrasfA,
                         miTrasfA + static_cast<int>(msTrasf.size()), msTrasf, 0));
        d.moUscenti->mcolCondTrasferita = Catena({}, e);
    }
    if (!mCodiciCoppia.empty() && msTrasf.empty() && entrTrasf.empty() && coppia.empty()) {
        std::vector<clsCondizione> codici;
        for (const auto& t : mCodiciCoppia)
            codici.push_back(Cond(clsCondizione::UGUALE_A, miCoppiaA,
                                  miCoppiaA + static_cast<int>(t.size()), t, 0));
        if (d.moEntranti && entranti.size() == 1) {
            auto e = entranti;
            e.insert(e.end(), base.begin(), base.end());
            d.moEntranti->mcolCondTrasferita = Catena(codici, e);
        }
        d.moUscenti->mcolCondTrasferita = Catena(codici, base);
    }
    if (miPassateA >= 0) {
        auto& k = mbPassateEntranti ? d.moEntranti : d.moUscenti;
        auto e = base;
        e.push_back(Cond(clsCondizione::DIVERSO_DA, miPassateA, miPassateB, "", 0));
        if (k && (!mbPassateEntranti || !entranti.empty()))
            k->mcolCondTrasferita =
                Catena(mbPassateEntranti ? entranti : std::vector<clsCondizione>{}, e);
    }
    // A kind printed on two lines: its second line is told by its mark.
    if (!msSeconda.empty()) {
        auto& k = mbSecondaEntranti ? d.moEntranti : d.moUscenti;
        if (k) {
            k->miNumRighe = 2;
            clsCondizione c = Cond(clsCondizione::UGUALE_A, miSecondaA,
                                   miSecondaA + static_cast<int>(msSeconda.size()), msSeconda, 0);
            c.miRiga = 2;
            for (auto* col : {&k->mcolCondizioni, &k->mcolCondTrasferita}) {
                if (!*col || (*col)->Vuota()) continue;
                (*col)->Item((*col)->Count()).msCongiunzione = "And";
                (*col)->Add(c);
            }
        }
    }
    // The fields of each kind.
    for (bool bEntrante : {true, false}) {
        auto& chiamataK = bEntrante ? d.moEntranti : d.moUscenti;
        if (!chiamataK) continue;
        chiamataK->mcolCampi.emplace();
        size_t righeTipo = 0;
        for (size_t r : mvChiamate) righeTipo += (mvTipo[r] == 'E') == bEntrante;
        auto presenti = [&](int a, int b) {
            size_t k = 0;
            for (size_t r : mvChiamate)
                if ((mvTipo[r] == 'E') == bEntrante && !TogliSpazi(Testo(r, a, b)).empty()) ++k;
            return k;
        };
        auto campo = [&](const std::string& nome, int a, int b, int16_t formato, int32_t all) {
            const int16_t indice = IndiceCampo(nome, bEntrante);
            if (indice < 0) return;
            const size_t k = presenti(a, b);
            if (k == 0 && righeTipo > 0) return;
            clsCampo c;
            c.msNome = nome;
            c.miRiga = 1;
            c.miInizio = static_cast<int16_t>(a + 1);
            c.miLunghezza = static_cast<int16_t>(b - a);
            c.miFormato = formato;
            c.menAllineamento = all;
            c.mbOpzionale = k < righeTipo;
            if (nome == "dData") c.menEccezione = clsCampo::DATA;
            chiamataK->mcolCampi->Add(std::move(c), std::to_string(indice));
        };
        if (mData)
            campo("dData", mData->a, mData->b, Codice(mData->iFormato), clsCampo::ALL_NESSUNO);
        for (const auto& t : mvTempi) {
            campo(t.sCampo, t.c.a, t.c.b, Codice(t.c.iFormato), clsCampo::ALL_NESSUNO);
            if (const auto m = mRimpiazzi.find({t.c.a, t.c.b});
                m != mRimpiazzi.end() && IndiceCampo(t.sCampo, bEntrante) >= 0)
                for (const auto& [da, a] : m->second) {
                    const int x = da == " " ? t.c.b - 1 : t.c.a;
                    Sostituisci(d, bEntrante, static_cast<int16_t>(x + 1),
                                static_cast<int16_t>(t.c.b - x), da, a);
                    if (a.empty())
                        if (clsCampo* c = chiamataK->mcolCampi->Trova(
                                std::to_string(IndiceCampo(t.sCampo, bEntrante))))
                            c->mbOpzionale = true;
                }
            if (t.bSessantesimi)
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(t.sCampo, bEntrante))))
                    Converti(*c, clsCampo::DURATA_TRASF, clsTrasformazione::DIVIDI, "", "60");
            if (t.bDecimi) {
                clsCampo* c =
                    chiamataK->mcolCampi->Trova(std::to_string(IndiceCampo(t.sCampo, bEntrante)));
                if (!c) continue;
                c->mbOpzionale = true;
                // The duration in tenths of a minute: one tenth is 6 seconds (the fraction
                // 1/10 of the minute, as the duration settings write it).
                Converti(*c, clsCampo::DURATA_TRASF, clsTrasformazione::MOLTIPLICA, "8,1", "6");
                Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, ".");
                for (const auto& parola : t.parole)
                    Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, parola);
                continue;
            }
            if (!t.c.bLettere) continue;
            // The letters between hours, minutes and seconds become colons, a last S goes.
            for (const auto& [da, a] :
                 {std::pair("H", ":"), std::pair("h", ":"), std::pair("M", ":"),
                  std::pair("m", ":"), std::pair("S", ""), std::pair("s", "")}) {
                bool usato = false;
                for (const auto& v : t.c.vValori)
                    usato |= Testo(v.iRiga, v.a, v.b).find(da) != std::string::npos;
                if (usato)
                    Sostituisci(d, bEntrante, static_cast<int16_t>(t.c.a + 1),
                                static_cast<int16_t>(t.c.b - t.c.a), da, a);
            }
        }
        if (miScattiA >= 0) campo("lScatti", miScattiA, miScattiB, 0, clsCampo::DX);
        const auto& segmenti = mSegmenti[bEntrante];
        for (const Segmento& g : segmenti) {
            if (g.sRuolo.empty() || g.sRuolo == "-") continue;
            // Room for longer values than the sample shows, up to the next column.
            int a = g.a, b = g.b;
            int destra = b + 4, sinistra = 0;
            auto limita = [&](int x, int y) {
                if (x >= g.b) destra = std::min(destra, x - 1);
                if (y <= g.a) sinistra = std::max(sinistra, y + 1);
            };
            for (const auto& k : segmenti)
                if (&k != &g) limita(k.a, k.b);
            for (const auto& [x, y] : mvOccupate) limita(x, y);
            if (miDirA >= 0) limita(miDirA, miDirB);
            if (miTrasfA >= 0) limita(miTrasfA, miTrasfB);
            if (g.bEsatto)
                ;
            else if (g.bSinistra && !g.bCorto)
                b = std::max(b, destra);
            else
                a = std::min(a, sinistra);
            // A label before every extension (DN2001): the field starts after it where it
            // stands at the same columns on every line, else keeps the digits alone.
            bool etichettaFissa = !g.sEtichetta.empty() && a == g.a;
            for (size_t r : mvChiamate)
                if (etichettaFissa && (mvTipo[r] == 'E') == bEntrante &&
                    !TogliSpazi(Testo(r, g.a, g.b)).empty())
                    etichettaFissa =
                        Testo(r, g.a, g.a + static_cast<int>(g.sEtichetta.size())) == g.sEtichetta;
            if (etichettaFissa) a += static_cast<int>(g.sEtichetta.size());
            if (g.sRuolo == "sLinea") LineaPrimaDeiDuePunti(g, bEntrante, a, b);
            campo(g.sRuolo, a, b, 0, g.bSinistra ? clsCampo::SX : clsCampo::DX);
            if (clsCampo* c =
                    chiamataK->mcolCampi->Trova(std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                NumeroDallIndirizzo(d, bEntrante, *c);
            if ((!g.sEtichetta.empty() && !etichettaFissa) || g.bNelNome)
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante)))) {
                    // A name in the place of some values (Door 1) keeps its digits: the label
                    // alone is taken out.
                    if (SenzaNomiRari(g.distinti).size() < g.distinti.size())
                        Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, g.sEtichetta);
                    else
                        c->mbSoloCifre = true;
                }
            // A label opening some values (FAC:01) is taken out before the field is read.
            if (g.sRuolo != "sNumero")
                if (const clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                    for (const auto& etichetta : Etichette(g.distinti))
                        Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, etichetta);
            if ((g.sRuolo == "sNumero" || g.sRuolo == "lScatti") && !g.sSegnoInCoda.empty()) {
                // A mark after the digits: taken out, what is dialled (* #) stays. A count's
                // mark may be all its value (n.v.): the field is then optional.
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante)))) {
                    Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, g.sSegnoInCoda);
                    if (g.sRuolo == "lScatti") c->mbOpzionale = true;
                }
            } else if (g.sRuolo == "sLinea" && mLineeCifre.count({g.a, g.b})) {
                // Our own number after a word (Internet: 5550100): its digits alone.
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                    c->mbSoloCifre = true;
            } else if (g.sRuolo == "sNumero" && g.bDecorato) {
                // Digits among other signs (RG 612-804-4082, CLI Num: 0555...): the digits alone.
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante)))) {
                    c->mbSoloCifre = true;
                    c->mbOpzionale = true;
                }
            }
            if (g.bValuta) {
                // A cost: its point and currency sign taken out, the pulses divided by 100.
                clsCampo* c =
                    chiamataK->mcolCampi->Trova(std::to_string(IndiceCampo(g.sRuolo, bEntrante)));
                if (!c) continue;
                Converti(*c, clsCampo::SCATTI_TRASF, clsTrasformazione::DIVIDI, "", "100");
                for (const char* segno : {".", ",", "$"}) {
                    bool usato = false;
                    for (const auto& v : g.distinti) usato |= v.find(segno) != std::string::npos;
                    if (usato) Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, segno);
                }
            }
        }
    }
    // An incoming mark printed in the number's place ("<I>0555...", "<incoming>") is taken
    // out of the number.
    for (const auto& [t, k] : mDirValori) {
        if (k != 'E' || t.empty() || t.front() != '<' || !d.moEntranti) continue;
        const clsCampo* numero =
            d.moEntranti->mcolCampi->Trova(std::to_string(IndiceCampo("sNumero", true)));
        if (!numero || numero->miInizio > miDirA + 1 ||
            numero->miInizio + numero->miLunghezza <= miDirA + 1)
            continue;
        clsTrasformazione tr;
        tr.menTipo = clsTrasformazione::ENTRANTI;
        tr.menOperazione = clsTrasformazione::ELIMINA;
        tr.miRiga = 1;
        tr.miInizio = static_cast<int16_t>(miDirA + 1);
        tr.miLunghezza = static_cast<int16_t>(t.size());
        tr.msSorgente = t;
        if (!d.mcolTrasf) d.mcolTrasf.emplace();
        d.mcolTrasf->Add(std::move(tr));
        if (auto* c = d.moEntranti->mcolCampi->Trova(std::to_string(IndiceCampo("sNumero", true))))
            c->mbOpzionale = true;
        Voce(Ambito::Tipo, "Segno delle entranti",
             "\"" + t +
                 "\" sta dove le uscenti hanno il numero: \xE8 tolto dal numero delle "
                 "entranti (ELIMINA), che resta facoltativo",
             false, true, "sNumero", miDirA, miDirA + static_cast<int>(t.size()));
    }
    if (mbSeparati) PosizioniInCampi();
    for (const auto& [bEntrante, segmenti] : mSegmenti) {
        size_t righe = 0;
        for (size_t r : mvChiamate) righe += (mvTipo[r] == 'E') == bEntrante;
        for (const auto& g : segmenti) {
            // A part of a value has its own evidence.
            if (g.sRuolo.empty() || g.sRuolo == "-" || g.bEsatto) continue;
            std::string esempi;
            size_t k = 0;
            for (const auto& v : g.distinti) {
                if (k++ == 3) break;
                if (!esempi.empty()) esempi += ", ";
                esempi += v;
            }
            const char* titolo = "Campo";
            for (int i = 0; i < NUM_NOMI_CAMPI; ++i)
                if (g.sRuolo == NomiCampi()[i].sNome) titolo = NomiCampi()[i].sDidascalia;
            Voce(Ambito::Campo, titolo,
                 Dove(g.a, g.b) + ": " + Num(static_cast<long long>(g.iPieni)) + " valori su " +
                     Num(static_cast<long long>(righe)) +
                     (bEntrante ? " entranti (" : " uscenti (") + esempi + ")" +
                     (g.sIntestazione.empty() ? std::string()
                                              : ", sotto \"" + g.sIntestazione + "\"") +
                     (g.bValuta ? "; un costo con i decimali: letto in valuta (diviso per 100)"
                                : "") +
                     (g.bNelNome ? "; un nome e le cifre fra parentesi angolari: l'interno "
                                   "\xE8 nelle cifre (Solo cifre)"
                                 : "") +
                     (g.sEtichetta.empty()
                          ? ""
                          : "; \"" + g.sEtichetta +
                                "\" davanti a ogni valore \xE8 un'etichetta, non parte del "
                                "numero: il campo tiene le cifre dopo") +
                     (g.bCorto ? "; quasi tutti i valori hanno questa lunghezza, sugli altri "
                                 "seguono altre cifre attaccate: il campo si ferma qui"
                               : "") +
                     (g.sRuolo == "sNumero" && !g.sSegnoInCoda.empty()
                          ? "; \"" + g.sSegnoInCoda +
                                "\" dopo le cifre su alcune righe: un segno, non una cifra "
                                "composta, tolto dal numero (SOSTITUISCI)"
                      : g.sRuolo == "sNumero" && g.bDecorato
                          ? "; cifre fra altri segni su alcune righe: il numero tiene solo le "
                            "cifre (Solo cifre)"
                          : "") +
                     (g.iPieni < righe ? "; vuoto su alcune chiamate: facoltativo" : "") +
                     (g.sRuolo != "sNumero" && !Etichette(g.distinti).empty()
                          ? "; \"" + *Etichette(g.distinti).begin() +
                                "\" davanti ad alcuni valori \xE8 un nome, tolto (SOSTITUISCI)"
                          : std::string()),
                 false, bEntrante, g.sRuolo, g.a, g.b);
        }
    }
}

void Proponitore::InCampo(int a, int b, int16_t& rInizio, int16_t& rLunghezza,
                          int16_t& rNel) const {
    size_t k = 0;
    while (k + 1 < mvColonna.size() && mvColonna[k + 1] <= a) ++k;
    const int nel = a - mvColonna[k] + (k < mvTolto.size() ? mvTolto[k] : 0);
    const int fine = mvColonna[k] + mvLarghezza[k];
    rInizio = static_cast<int16_t>(k + 1);
    rNel = static_cast<int16_t>(nel > 0 ? nel + 1 : 0);
    rLunghezza = static_cast<int16_t>(b >= fine ? 0 : b - a);
}

std::string Proponitore::Dove(int a, int b) const {
    if (miLarghezzaRiga && !mbSeparati) {
        const int riga = a / miLarghezzaRiga, da = riga * miLarghezzaRiga;
        return "riga " + Num(riga + 1) + ", colonne " + Num(a - da + 1) + "-" +
               Num(std::min(b, da + miLarghezzaRiga) - da);
    }
    if (!mbSeparati) return "colonne " + Num(a + 1) + "-" + Num(b);
    int16_t campo = 0, lunghezza = 0, nel = 0;
    InCampo(a, b, campo, lunghezza, nel);
    std::string s = "campo " + Num(campo);
    if (static_cast<size_t>(campo) <= mvNomi.size() &&
        !TogliSpazi(mvNomi[static_cast<size_t>(campo - 1)]).empty())
        s += " (" + std::string(TogliSpazi(mvNomi[static_cast<size_t>(campo - 1)])) + ")";
    if (nel || lunghezza)
        s += ", caratteri " + Num(nel ? nel : 1) +
             (lunghezza ? "-" + Num((nel ? nel : 1) + lunghezza - 1) : "");
    return s;
}

// One call printed as two records where no code tells them: a one-digit flag, the same digit
// on every other record and another one exactly on the first record of each pair, says that
// the call goes on in a further record (passed to another party). It marks the first record
// transferred; the later record looks like any other call on its own, and the engine reads
// record by record: it stays untold.
void Proponitore::SeguitoNelRecordDopo() {
    if (mvCoppie.empty() || !mCodiciCoppia.empty() || !msTrasf.empty() || miTrasfA >= 0) return;
    std::set<size_t> prime, seconde;
    for (const auto& [r1, r2] : mvCoppie) {
        prime.insert(std::min(r1, r2));
        seconde.insert(std::max(r1, r2));
    }
    for (size_t r : prime)
        if (seconde.count(r)) return;
    const auto cifra = [&](size_t r, size_t x) -> char {
        const std::string& s = mvRighe[r];
        if (x >= s.size() || !Cifra(s[x]) || (x > 0 && s[x - 1] != ' ') ||
            (x + 1 < s.size() && s[x + 1] != ' '))
            return 0;
        return s[x];
    };
    const size_t larghezza = LarghezzaChiamate();
    for (size_t x = 0; x < larghezza; ++x) {
        std::set<char> suPrime, altrove;
        bool va = true;
        for (size_t r : mvChiamate) {
            const char c = cifra(r, x);
            if (!c) {
                va = false;
                break;
            }
            (prime.count(r) ? suPrime : altrove).insert(c);
        }
        if (!va || suPrime.size() != 1 || altrove.size() != 1 || suPrime == altrove) continue;
        miCoppiaA = static_cast<int>(x);
        mCodiciCoppia = {std::string(1, *suPrime.begin())};
        Voce(Ambito::Tipo, "Trasferite",
             Num(static_cast<long long>(mvCoppie.size())) +
                 (mvCoppie.size() == 1 ? " chiamata stampata" : " chiamate stampate") +
                 " in due record (la stessa linea e lo stesso numero, vicini nel tempo); in " +
                 Dove(miCoppiaA, miCoppiaA + 1) + " il primo record ha \"" +
                 std::string(1, *suPrime.begin()) + "\", ogni altro \"" +
                 std::string(1, *altrove.begin()) +
                 "\": la chiamata prosegue nel record dopo, passata a un altro interlocutore; il "
                 "primo record \xE8 proposto trasferito, il secondo non si distingue dalle altre "
                 "chiamate (il motore legge un record alla volta)",
             true);
        return;
    }
}

Proposta Proponitore::Esegui() {
    Inquadra();
    LeggiRighe();
    TrovaFormati();
    MesiInLettere();
    ProvaSeparati();
    TrovaValori();
    if (!mbSeparati && (InBlocchi() || InCiclo())) TrovaValori();
    MeseEGiorno();
    Impaccate();
    ContatoriNonSonoOre();
    if (ScegliRigheChiamata()) {
        EventiDiSeguito();
        ScegliDate();
        MeridianoFacoltativo();
        DurataFraDueOre();
        ScegliTempi();
        ImpaccateRestanti();
        DividiIncollati();
        DurataInSecondi();
        SecondiIncollati();
        DurataInDecimi();
        DurateDaIntestazione();
        TempiInSecondiAssoluti();
        IstantiSenzaNome();
        DurataInTreCampi();
        DurataMinutiLettere();
        OreEMinutiBrevi();
        MinutiOltreCento();
        SecondiSenzaNome();
        RecordDiServizio();
        ParoleAlPostoDellaDurata();
        ScegliDirezione();
        CodiciSuAltreRighe();
        TrasferimentoIncollato();
        ZeroSuUnTipo();
        CoppieConNome();
        ScegliSegmenti();
        NumeroOParola();
        RispostaConAsterischi();
        RuoliDaScambio();
        RuoliDaParti();
        RuoliDaNumeriPropri();
        SquilloDelleEntranti();
        RuoliDalChiamante();
        TrasferimentoInParola();
        TrasferiteDaCoppie();
        SeguitoNelRecordDopo();
        PassateAdAltroInterno();
        CommessaInFondo();
        LatiAlterni();
        AltreRighe();
    }
    Componi();
    if (!mMesi[0].empty())
        for (int i = 0; i < 12; ++i) mP.driver.Mesi(i, mMesi[static_cast<size_t>(i)]);
    if (miLarghezzaRiga) PosizioniInBlocchi();
    if (miGiornoConBianco >= 0 && !mP.bNessunaChiamata) GiornoConBianco(mP.driver);
    return std::move(mP);
}

}  // namespace tarno::proposta

namespace tarno {

Proposta ProponiDriver(std::string_view sByte, const MappaFormati& formati) {
    return proposta::Proponitore(sByte, formati).Esegui();
}

}  // namespace tarno

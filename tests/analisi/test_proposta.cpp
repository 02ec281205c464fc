// A driver proposed from a printout alone: what it decides on printouts of different framings
// and layouts, and that every decision leaves its evidence. How well the proposals read the
// whole corpus is measured by the corpus command, not here.

#include <gtest/gtest.h>

#include "AiutiEngine.h"
#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"

namespace {

using namespace tarno;
using namespace tarno::prova;

// The proposal on a corpus printout and the engine's reading of the printout with it.
struct Letta {
    Proposta p;
    ConteggiAnalisi conti;
};
Letta Proponi(const std::string& sCartella) {
    const std::string byte = LeggiTutto(TARNO_CORPUS_DIR "/" + sCartella + "/stampa.txt");
    Letta l{ProponiDriver(byte, FormatiDemo()), {}};
    MappaFormati formati = FormatiDemo();
    for (const auto& n : l.p.vFormatiNuovi) formati[n.iCodice] = n.sTesto;
    l.conti = clsLetturaCampione(l.p.driver, formati, byte).Conteggi();
    return l;
}

const VoceProposta* Voce(const Proposta& p, VoceProposta::Ambito a, const std::string& titolo) {
    for (const auto& v : p.vVoci)
        if (v.ambito == a && v.sTitolo == titolo) return &v;
    return nullptr;
}

TEST(Proposta, OgniStampaHaLeSueChiamateEOgniSceltaIlSuoPerche) {
    struct Caso {
        const char* cartella;
        // Calls of each kind the proposal reads, transferred too (as the printout's
        // documentation has them).
        uint64_t entranti, uscenti;
        const char* voce;  // an item the proposal must give
    };
    const Caso casi[] = {
        // A date only in the page heading: a date line.
        {"nec-sl1100-data-in-testata", 7, 7, "Data su riga isolata"},
        // <I> glued to the caller's number: an incoming mark taken out of the number.
        {"panasonic-kx-td308-fine-chiamata-12h", 4, 4, "Segno delle entranti"},
        // hh:mm'ss, which the demo catalogue lacks, and a * transfer mark.
        {"panasonic-kx-ta616-inizio-12h", 6, 9, "hh:mm'ss"},
        // Every call outgoing, charges in a decimal column, durations as 00H02M13.
        {"aastra-400-protocollo-pagine", 0, 11, "Durata"},
        // Extension, a count of seconds and the duration glued (1000004200:00:42); the kind
        // glued after the units, never charged on the incoming calls.
        {"siemens-hipath3000-getaccount-compresso", 4, 6, "Secondi della durata"},
        // A record of the system among the calls (only a date and a time): no call.
        {"toshiba-strata-ctx-record-e-righe-and", 5, 5, "Righe di servizio"},
        // Separated fields, quoted, no heading: start, answer and end in one field each, the
        // durations as counts of seconds, the kind told by the context's name.
        {"asterisk-master-csv-virgolette", 3, 4, "Campi separati"},
        // No code column: the incoming calls print no number and alone a ringing time.
        {"vertical-comdial-dxp-decimi-di-minuto", 4, 6, "Entranti e uscenti"},
        // A trunk (T162) as the calling party: incoming; an extension: outgoing.
        {"mitel-sx2000-3300-smdr-12h", 4, 6, "Entranti e uscenti"},
        // ... its 12-hour clock prints p in the afternoon and a blank in the morning.
        {"mitel-sx2000-3300-smdr-12h", 4, 6, "Ora di 12 ore"},
        // Incoming and outgoing records swap the extension and the trunk.
        {"altigen-altiware-smdr-12h-lf", 4, 5, "Entranti e uscenti"},
        // A transfer printed as two records of the same trunk and number.
        {"nortel-meridian-cdr-record-s-n-e", 4, 4, "Trasferite"},
        // Unquoted commas inside a field: more pieces than the heading names, one record more.
        {"grandstream-ucm-cdr-api-csv-intestazione", 3, 4, "Campi e pezzi dei record"},
        // A record per event of a call: the events repeat the call's identifier, no calls.
        {"talkswitch-cdr-tab-eventi", 4, 2, "Eventi di una chiamata"},
        // No time of day a format reads: the records are the calls; a trunk as the origin.
        {"cisco-cucm-cdr-csv-due-intestazioni", 3, 4, "Entranti e uscenti"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.cartella);
        const Letta l = Proponi(c.cartella);
        EXPECT_EQ(l.conti.iEntranti + l.conti.iEntrantiTrasferite, c.entranti);
        EXPECT_EQ(l.conti.iUscenti + l.conti.iUscentiTrasferite, c.uscenti);
        EXPECT_EQ(l.conti.iValoriNonValidi, 0u);
        bool trovata = false;
        for (const auto& v : l.p.vVoci) {
            EXPECT_FALSE(v.sTesto.empty()) << v.sTitolo;
            trovata |= v.sTitolo == c.voce;
        }
        EXPECT_TRUE(trovata) << c.voce;
    }
    // A format the catalogue lacks gets the code after the catalogue's last, and the driver
    // refers to it.
    const Letta ta = Proponi("panasonic-kx-ta616-inizio-12h");
    ASSERT_EQ(ta.p.vFormatiNuovi.size(), 1u);
    EXPECT_EQ(ta.p.vFormatiNuovi[0].sTesto, "hh:mm'ss");
    EXPECT_EQ(ta.p.vFormatiNuovi[0].iCodice, FormatiDemo().rbegin()->first + 1);
    // S=226: a count after a name, read as the duration.
    const Letta it = Proponi("intertel-axxess-durata-s-uguale");
    const VoceProposta* durata = Voce(it.p, VoceProposta::Ambito::Campo, "Durata");
    ASSERT_TRUE(durata);
    EXPECT_NE(durata->sTesto.find("\"ss\""), std::string::npos) << durata->sTesto;
}

TEST(Proposta, RecordSenzaFineRigaEUnaStampaSenzaChiamate) {
    const Letta neax = Proponi("nec-neax2400-stx-etx-ka");
    const VoceProposta* v = Voce(neax.p, VoceProposta::Ambito::Stampa, "Record senza fine riga");
    ASSERT_TRUE(v);
    EXPECT_NE(v->sTesto.find("<ETX>"), std::string::npos);
    EXPECT_TRUE(Voce(neax.p, VoceProposta::Ambito::Stampa, "Caratteri di controllo"));
    // Text with no time in it is no list of calls: said so, and no call kind proposed.
    const Proposta p = ProponiDriver("Lista della spesa\r\npane\r\nlatte\r\n", FormatiDemo());
    EXPECT_TRUE(p.bNessunaChiamata);
    EXPECT_FALSE(p.driver.moEntranti);
    EXPECT_FALSE(p.driver.moUscenti);
    ASSERT_FALSE(p.vVoci.empty());
    EXPECT_EQ(ProponiDriver("", FormatiDemo()).bNessunaChiamata, true);
    // Counts of seconds named by the heading: the time talked is the duration.
    const Proposta csv = ProponiDriver(
        "Time,From,To,Call Duration(s),Talk Duration(s)\n"
        "2024/03/01 09:01:12,1001,0555123456,75,70\n2024/03/01 09:15:40,1002,0555778899,130,120\n"
        "2024/03/01 10:40:10,1003,0555332211,610,602\n",
        FormatiDemo());
    const VoceProposta* durata = Voce(csv, VoceProposta::Ambito::Campo, "Durata");
    ASSERT_TRUE(durata);
    EXPECT_EQ(durata->sTesto.rfind("campo 5 (Talk Duration(s))", 0), 0u) << durata->sTesto;
}

// The rules by a trait of the printout, on printouts written for them at other columns.
TEST(Proposta, RegoleSuStampeScritteAltrove) {
    const auto leggi = [](const std::string& byte) {
        Letta l{ProponiDriver(byte, FormatiDemo()), {}};
        MappaFormati formati = FormatiDemo();
        for (const auto& n : l.p.vFormatiNuovi) formati[n.iCodice] = n.sTesto;
        l.conti = clsLetturaCampione(l.p.driver, formati, byte).Conteggi();
        return l;
    };
    // A 12-hour clock marking the morning only (A; 8:15A read by h:mmA/P alone): the blanks
    // are the afternoon. With an hour over 12 the same letters are no meridian.
    const std::string dodici =
        "   03/02  8:15A 00:01:10 201  5550100\r\n"
        "   03/02 11:40A 00:02:00 202  5550111\r\n"
        "   03/02  2:05  00:00:40 201  5550122\r\n"
        "   03/02  4:30  00:03:30 203  5550133\r\n";
    const Letta l = leggi(dodici);
    const VoceProposta* v = Voce(l.p, VoceProposta::Ambito::Campo, "Ora di 12 ore");
    ASSERT_TRUE(v);
    EXPECT_NE(v->sTesto.find("diventa \"P\""), std::string::npos) << v->sTesto;
    EXPECT_EQ(l.conti.iUscenti, 4u);
    EXPECT_EQ(l.conti.iValoriNonValidi, 0u);
    std::string ventiquattro = dodici;
    ventiquattro.replace(ventiquattro.find(" 4:30"), 5, "16:30");
    EXPECT_FALSE(Voce(leggi(ventiquattro).p, VoceProposta::Ambito::Campo, "Ora di 12 ore"));
    // Parties swapped, an extension of 4 digits and a trunk of 5 glued to the caller.
    const Letta s = leggi(
        "  03/02  07:15  00:01:35  100120555123456          2001\r\n"
        "  03/02  07:40  00:00:33  2004    0555777111       10013\r\n"
        "  03/02  09:02  00:10:10  2001    0039123456       10012\r\n"
        "  03/02  10:30  00:00:12  10014                    2010\r\n"
        "  03/02  14:20  00:05:00  100130555999000          2004\r\n");
    EXPECT_EQ(s.conti.iEntranti, 3u);
    EXPECT_EQ(s.conti.iUscenti, 2u);
    // A date and a time joined in one field, minutes past two digits (104:10: no clock on its
    // last digits), a direction letter joined to the outcome, a module before a slash; letters
    // of no known kind there tell no direction.
    std::string unite =
        "2026-12-07/14:05:11;isdn/12;O/OK;0:14;012:40;+4930555123;201\r\n"
        "2026-12-07/14:20:40;isdn/3;I/OK;0:04;003:02;202;+4930555777\r\n"
        "2026-12-07/15:02:09;isdn/12;O/NA;0:00;000:00;+4930555124;203\r\n"
        "2026-12-07/16:44:50;isdn/4;I/OK;0:22;104:10;204;+4930555999\r\n";
    const Letta u = leggi(unite);
    EXPECT_EQ(u.conti.iEntranti, 2u);
    EXPECT_EQ(u.conti.iValoriNonValidi, 0u);
    MappaFormati formati = FormatiDemo();
    for (const auto& n : u.p.vFormatiNuovi) formati[n.iCodice] = n.sTesto;
    const clsLetturaCampione lu(u.p.driver, formati, unite);
    using Tagli = std::vector<std::string>;
    EXPECT_EQ(lu.TagliDelCampo(true, "dDurata"), (Tagli{"003:02", "104:10"}));
    EXPECT_EQ(lu.TagliDelCampo(true, "dOraInizio"), (Tagli{"14:20:40", "16:44:50"}));
    EXPECT_EQ(lu.TagliDelCampo(false, "sLinea"), (Tagli{"isdn/12", "isdn/12"}));
    for (size_t i = 1; (i = unite.find('/', i)) != std::string::npos; ++i)
        if (unite[i - 1] == 'O' || unite[i - 1] == 'I')
            unite[i - 1] = unite[i - 1] == 'O' ? 'A' : 'B';
    EXPECT_FALSE(Voce(leggi(unite).p, VoceProposta::Ambito::Tipo, "Codice con l'esito"));
    // A day and a month in two columns after the time, on nine call lines in ten: the date;
    // the call line that stops before them is read without it, and is no fault.
    std::string giorni;
    for (int i = 0; i < 10; ++i)
        giorni += "1" + std::to_string(i) + ":0" + std::to_string(i) + " 00:01:1" +
                  std::to_string(i) + " O 20" + std::to_string(i % 3) +
                  (i == 4 ? std::string() : " 055510" + std::to_string(i) + "  09  12") + "\r\n";
    const Letta g = leggi(giorni);
    const VoceProposta* data = Voce(g.p, VoceProposta::Ambito::Campo, "Data");
    ASSERT_TRUE(data);
    EXPECT_NE(data->sTesto.find("\"gg  mm\""), std::string::npos) << data->sTesto;
    EXPECT_EQ(g.conti.iUscenti, 10u);
    // Headings in other languages: words the vocabulary does not know hide no duration printed
    // with its separators; German ones name the trunk (Lt) and the extension (Tln).
    const std::string righe =
        "3.2.26;10:00:05;7;2001;00:01:10;5550100;\r\n"
        "3.2.26;10:20:40;8;2002;00:12:00;5550111;\r\n"
        "3.2.26;11:02:00;7;2003;00:00:40;5550122;\r\n";
    for (const auto& [intestazione, linea] :
         {std::pair{"Datum;Tijd;Lijn;Toestel;Duur;Nummer;\r\n", ""},
          std::pair{"Datum;Zeit;Lt;Tln;Dauer;Nummer;\r\n", "campo 3"}}) {
        const Letta d = leggi(intestazione + righe);
        const VoceProposta* durata = Voce(d.p, VoceProposta::Ambito::Campo, "Durata");
        ASSERT_TRUE(durata) << intestazione;
        EXPECT_EQ(durata->sTesto.rfind("campo 5", 0), 0u) << durata->sTesto;
        const VoceProposta* l = Voce(d.p, VoceProposta::Ambito::Campo, "Linea");
        if (*linea) {
            EXPECT_TRUE(l && l->sTesto.rfind(linea, 0) == 0) << intestazione;
        }
    }
}

}  // namespace

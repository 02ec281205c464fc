// The string table: the table built into the program and the reading of table texts.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "Risorse.h"
#include "clsStringhe.h"

using tarno::clsStringhe;
using tarno::TestoRisorsa;

namespace {

QByteArray LeggiFile(const QString& sPercorso) {
    QFile file(sPercorso);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << sPercorso.toStdString();
    return file.readAll();
}

QString Testo(int numero) {
    bool trovato = false;
    const QString s = TestoRisorsa(numero, &trovato);
    EXPECT_TRUE(trovato) << "string " << numero << " missing";
    return s;
}

}  // namespace

TEST(TabellaIncorporata, EUgualeAlFileSorgenteESiLeggeSenzaErrori) {
    const QByteArray incorporata = LeggiFile(QStringLiteral(":/tarno/strings.it.tsv"));
    EXPECT_EQ(incorporata, LeggiFile(QStringLiteral(TARNO_TABELLA_STRINGHE_SORGENTE)));

    clsStringhe tabella;
    EXPECT_TRUE(tabella.Carica(incorporata)) << tabella.Errori().join(u'\n').toStdString();

    // One entry per data line: a number given twice would be refused and counted short.
    int righeDati = 0;
    QSet<QByteArray> numeri;
    for (const QByteArray& riga : incorporata.split('\n')) {
        if (riga.isEmpty() || riga.startsWith('#')) continue;
        ++righeDati;
        numeri.insert(riga.left(riga.indexOf('\t')));
    }
    EXPECT_EQ(numeri.size(), righeDati) << "a string number appears twice";
    EXPECT_EQ(tabella.Quanti(), righeDati);
    EXPECT_EQ(clsStringhe::Tabella().Quanti(), righeDati);
}

TEST(TabellaIncorporata, TestiCondivisiEDiAvvio) {
    EXPECT_EQ(Testo(51), QStringLiteral("Attenzione"));
    EXPECT_EQ(Testo(6), QStringLiteral("Sì"));
    EXPECT_EQ(Testo(7), QStringLiteral("No"));
    EXPECT_EQ(Testo(603),
              QStringLiteral("Generale|Identificazione|Trasformazioni|Entranti|Uscenti"));
    EXPECT_EQ(Testo(10658),
              QStringLiteral("Non è stato impostato nessun database da aprire nel file"));
    // The blanks at the ends join the file name into one message.
    EXPECT_EQ(Testo(10659) + QStringLiteral("Tarnosuite.ini") + Testo(10660),
              QStringLiteral("File Tarnosuite.ini non trovato"));
    EXPECT_EQ(Testo(10662), QStringLiteral("Nessuno"));
    EXPECT_EQ(Testo(10661), Testo(20503));
    EXPECT_EQ(Testo(20504), QStringLiteral("Driver (*.drv)|*.drv|Tutti file (*.*)|*.*"));
}

TEST(TabellaIncorporata, MenuConTastiDiAccessoESuggerimenti) {
    EXPECT_EQ(Testo(1005), QStringLiteral("&Nuovo..."));
    EXPECT_EQ(Testo(1305), QStringLiteral("Nuovo"));
    EXPECT_EQ(Testo(1006), QStringLiteral("&Apri..."));
    EXPECT_EQ(Testo(1008), QStringLiteral("Salva &con nome..."));
    EXPECT_EQ(Testo(1016), QStringLiteral("&Leggi dati"));
    EXPECT_EQ(Testo(1316), QStringLiteral("Leggi dati"));
    EXPECT_EQ(Testo(1021), QStringLiteral("&Informazioni su..."));
    // The Trasforma tool keeps its designed caption, and tools without a tip keep theirs.
    bool trovato = true;
    TestoRisorsa(1058, &trovato);
    EXPECT_FALSE(trovato);
    TestoRisorsa(1308, &trovato);
    EXPECT_FALSE(trovato);
}

TEST(TabellaIncorporata, MesiEMessaggiConVirgolette) {
    const QStringList mesi{"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                           "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Testo(11803 + i), mesi.at(i));
    EXPECT_EQ(Testo(11606),
              QStringLiteral("Occorre inserire una riga in cui si specifica l'operatore \"Data "
                             "isolata\""));
    EXPECT_EQ(Testo(11701) + QStringLiteral("3") + Testo(11704) + QStringLiteral("2)"),
              QStringLiteral("Errore alla riga 3. Il numero di riga è troppo grande (max 2)"));
}

TEST(TabellaIncorporata, NumeroMancante) {
    bool trovato = true;
    EXPECT_TRUE(TestoRisorsa(0, &trovato).isEmpty());
    EXPECT_FALSE(trovato);
    EXPECT_TRUE(TestoRisorsa(-51, &trovato).isEmpty());
    EXPECT_FALSE(trovato);
    EXPECT_TRUE(TestoRisorsa(999999).isEmpty());
}

TEST(LetturaTabella, EscapeFineRigaCommentiEMarcaturaUtf8) {
    clsStringhe t;
    const QByteArray testo =
        "\xEF\xBB\xBF# commento\r\n"
        "\r\n"
        "1\tprima\\nseconda\r\n"
        "2\ta\\tb\\\\c\n"
        "3\t  spazi  \n"
        "4\t\n"
        "5\t#non commento\n"
        "6\tS\xC3\xAC";  // no final line end
    ASSERT_TRUE(t.Carica(testo)) << t.Errori().join(u'\n').toStdString();
    EXPECT_EQ(t.Numeri(), (QList<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(t.Testo(1), QStringLiteral("prima\nseconda"));
    EXPECT_EQ(t.Testo(2), QStringLiteral("a\tb\\c"));
    EXPECT_EQ(t.Testo(3), QStringLiteral("  spazi  "));
    bool trovato = false;
    EXPECT_EQ(t.Testo(4, &trovato), QString());
    EXPECT_TRUE(trovato);  // an empty text is still a string
    EXPECT_EQ(t.Testo(5), QStringLiteral("#non commento"));
    EXPECT_EQ(t.Testo(6), QStringLiteral("Sì"));
}

TEST(LetturaTabella, RigheErrateSonoSegnalateELeAltreRestano) {
    clsStringhe t;
    const QByteArray testo =
        "10\tbuona\n"            // 1
        "senza tab\n"            // 2
        "0\tzero\n"              // 3
        "-5\tnegativo\n"         // 4
        "12a\tlettere\n"         // 5
        "99999999999\tgrande\n"  // 6
        " 7\tspazio\n"           // 7
        "10\tdoppione\n"         // 8
        "11\tbarra \\x\n"        // 9
        "12\tbarra finale\\\n"   // 10
        "13\t\xC3\n"             // 11: broken UTF-8
        "14\tultima buona\n";    // 12
    EXPECT_FALSE(t.Carica(testo));
    EXPECT_EQ(t.Numeri(), (QList<int>{10, 14}));
    EXPECT_EQ(t.Testo(10), QStringLiteral("buona"));  // the first of two wins

    const QStringList errori = t.Errori();
    ASSERT_EQ(errori.size(), 10) << errori.join(u'\n').toStdString();
    const QList<int> righeAttese{2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int i = 0; i < errori.size(); ++i) {
        EXPECT_TRUE(errori.at(i).startsWith(QStringLiteral("riga %1:").arg(righeAttese.at(i))))
            << errori.at(i).toStdString();
    }
    EXPECT_TRUE(errori.at(6).contains(QStringLiteral("10"))) << errori.at(6).toStdString();

    // A new load replaces the old table and its errors.
    EXPECT_TRUE(t.Carica("20\tnuova\n"));
    EXPECT_EQ(t.Numeri(), QList<int>{20});
    EXPECT_TRUE(t.Errori().isEmpty());
}

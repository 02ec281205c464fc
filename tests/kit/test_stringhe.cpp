// The string tables: built into the program as the source files have them, holding every number
// the code and the designer files beside their classes use, read with their escapes, comments and
// refused lines; the English table beside the Italian one, and the choice of the interface's
// language.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <map>

#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/clsStringhe.h"

using tarno::clsStringhe;

namespace {

QByteArray Leggi(const QString& percorso) {
    QFile f(percorso);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << percorso.toStdString();
    return f.readAll();
}

TEST(Stringhe, TheBuiltInTablesAreTheSourceFilesAndReadWhole) {
    for (const auto& [risorsa, sorgente] :
         {std::pair{":/tarno/strings.it.tsv", TARNO_TABELLA_STRINGHE_SORGENTE},
          std::pair{":/tarno/strings.en.tsv", TARNO_TABELLA_INGLESE_SORGENTE}}) {
        const QByteArray tabella = Leggi(QString::fromLatin1(risorsa));
        EXPECT_EQ(tabella, Leggi(QString::fromUtf8(sorgente)));
        clsStringhe t;
        EXPECT_TRUE(t.Carica(tabella)) << risorsa << t.Errori().join('\n').toStdString();
    }
    clsStringhe italiano;
    italiano.Carica(Leggi(QStringLiteral(TARNO_TABELLA_STRINGHE_SORGENTE)));
    EXPECT_EQ(clsStringhe::Tabella().Numeri(), italiano.Numeri());
    EXPECT_EQ(clsStringhe::Tabella().Lingua(), QStringLiteral("it"));
}

int ChiaviAccesso(QString s) {
    s.remove(QStringLiteral("&&"));
    return static_cast<int>(s.count('&'));
}

// What a translation must keep of each text: its placeholders, line breaks, TABs, the blanks at
// its ends (texts are joined to others) and whether it has an access key.
QString Forma(const QString& s) {
    QStringList segni;
    for (const auto& m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(s))
        segni << m.captured();
    segni.sort();
    const QString t = s.trimmed();
    const qsizetype prima = t.isEmpty() ? s.size() : s.indexOf(t);
    return QStringLiteral(
               "placeholders [%1], %2 line breaks, %3 TABs, blanks %4 before and %5 "
               "after, %6 access keys")
        .arg(segni.join(' '), QString::number(s.count('\n')), QString::number(s.count('\t')),
             QString::number(prima), QString::number(s.size() - prima - t.size()),
             QString::number(ChiaviAccesso(s)));
}

TEST(Stringhe, TheEnglishTableGivesEveryItalianNumberInTheSameForm) {
    clsStringhe it, en;
    it.Carica(Leggi(QStringLiteral(TARNO_TABELLA_STRINGHE_SORGENTE)));
    en.Carica(Leggi(QStringLiteral(TARNO_TABELLA_INGLESE_SORGENTE)));
    QStringList senzaInglese;
    for (int n : it.Numeri()) {
        if (!en.Esiste(n)) {
            senzaInglese << QString::number(n);
            continue;
        }
        EXPECT_EQ(Forma(en.Testo(n)).toStdString(), Forma(it.Testo(n)).toStdString())
            << "string " << n << ": \"" << en.Testo(n).toStdString() << "\"";
        EXPECT_LE(ChiaviAccesso(en.Testo(n)), 1) << "string " << n;
    }
    EXPECT_TRUE(senzaInglese.isEmpty())
        << "strings without an English text: " << senzaInglese.join(", ").toStdString();
    for (int n : en.Numeri())
        EXPECT_TRUE(it.Esiste(n)) << "string " << n << " is only in the English table";

    // Access keys differ within each menu and dialog.
    const std::vector<std::vector<int>> gruppi = {
        {31000, 31001, 31002, 31003},                                      // menu bar
        {1005, 31050, 1006, 1016, 31006, 1007, 1008, 31004, 31005, 1010},  // File
        {1012, 1013, 1014, 1022, 1023},                                    // Edit
        {1015, 30665, 31056},
        {1021, 1020},                                                            // Tools, ?
        {31008, 31009, 31010, 31011, 31012, 31013, 31015, 31016, 31017, 31018},  // general page
        {1702, 1703, 31041},
        {1902, 1903},
        {30013, 30014, 30015},
        {30010, 30011}};
    for (const auto& gruppo : gruppi) {
        std::map<QChar, int> chiavi;
        for (int n : gruppo) {
            QString s = en.Testo(n);
            s.remove(QStringLiteral("&&"));
            const qsizetype i = s.indexOf('&');
            if (i < 0 || i + 1 >= s.size()) continue;
            const auto [it, nuova] = chiavi.emplace(s.at(i + 1).toLower(), n);
            EXPECT_TRUE(nuova) << "strings " << it->second << " and " << n << " share a key";
        }
    }

    // The built-in table in English: English texts, every Italian number; any other language
    // is Italian.
    const clsStringhe inglese = clsStringhe::TabellaIncorporata(QStringLiteral(" EN "));
    EXPECT_EQ(inglese.Lingua(), QStringLiteral("en"));
    EXPECT_EQ(inglese.Testo(51), QStringLiteral("Warning"));
    EXPECT_EQ(inglese.Numeri(), it.Numeri());
    for (const char* lingua : {"it", "fr", ""})
        EXPECT_EQ(clsStringhe::TabellaIncorporata(QString::fromLatin1(lingua)).Testo(51),
                  QStringLiteral("Attenzione"));
}

TEST(Stringhe, TheStartUpOptionAndThenTheSettingChooseTheLanguage) {
    struct Caso {
        QStringList argomenti;
        const char* impostazione;
        QStringList altri;
        const char* lingua;
    };
    const std::vector<Caso> casi = {
        {{}, "en", {}, "en"},
        {{}, " EN ", {}, "en"},
        {{}, "it", {}, "it"},
        {{"/MSiemens", "--lingua", "it", "/NHiPath"}, "en", {"/MSiemens", "/NHiPath"}, "it"},
        {{"--lingua=en"}, "it", {}, "en"},
        {{"--lingua", "fr"}, "en", {}, "en"},  // not a language of the interface: ignored
        {{"/Mx", "--lingua"}, "it", {"/Mx"}, "it"},
    };
    QSettings impostazioni(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver"));
    for (const Caso& c : casi) {
        impostazioni.setValue(QStringLiteral("Interfaccia/Lingua"), c.impostazione);
        impostazioni.sync();
        EXPECT_EQ(tarno::OpzioneLingua(c.argomenti), c.altri)
            << c.argomenti.join(' ').toStdString();
        EXPECT_EQ(tarno::LinguaInterfaccia(), QString::fromLatin1(c.lingua))
            << c.argomenti.join(' ').toStdString() << " / " << c.impostazione;
        tarno::ImpostaLinguaInterfaccia(QString());
    }
    impostazioni.remove(QStringLiteral("Interfaccia"));
}

TEST(Stringhe, EveryNumberTheCodeAndTheDesignerFilesUseIsInTheTable) {
    // Texts by number (Testo, TestoRisorsa, ErroreRiga, the save prompt), numbers of 10000 and
    // more in tables of texts, and the "NNN;" tags of the designer files beside their classes.
    const QRegularExpression codice(
        QStringLiteral(R"((?:\bTesto|TestoRisorsa|ErroreRiga|ChiediSalvataggio)\((?:[a-z]\w*, )*)"
                       R"((\d+)|(?<![\w.])([12]\d{4})(?![\w.])|\{(\d{3,5}), ")"));
    const QRegularExpression tag(QStringLiteral(R"(<string>(\d+);)"));
    int usati = 0;
    QDirIterator it(QString::fromUtf8(TARNO_SORGENTI), {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QString testo = QString::fromUtf8(Leggi(file));
        testo.remove(QRegularExpression(QStringLiteral("//[^\n]*")));
        for (const auto& m : (file.endsWith(".ui") ? tag : codice).globalMatch(testo)) {
            const int numero = m.captured(m.lastCapturedIndex()).toInt();
            bool trovato = false;
            tarno::TestoRisorsa(numero, &trovato);
            EXPECT_TRUE(trovato) << "string " << numero << " of " << file.toStdString();
            ++usati;
        }
    }
    EXPECT_GT(usati, 100);  // the scan did find the code
}

TEST(Stringhe, EscapesCommentsAndTheByteOrderMarkAreReadAndBadLinesAreReported) {
    clsStringhe t;
    EXPECT_FALSE(
        t.Carica("\xEF\xBB\xBF# nota\r\n\r\n1\ta\\nb\\tc\\\\d\r\n2\t  #x  \n3\t\nsenza tab\n"
                 "0\tzero\n12a\tlettere\n1\tdoppione\n4\tbarra \\x\n5\t\xC3\n6\tS\xC3\xAC"));
    EXPECT_EQ(t.Numeri(), (QList<int>{1, 2, 3, 6}));
    EXPECT_EQ(t.Testo(1), QStringLiteral("a\nb\tc\\d"));  // the first of two wins
    EXPECT_EQ(t.Testo(2), QStringLiteral("  #x  "));
    EXPECT_EQ(t.Testo(3), QString());
    EXPECT_EQ(t.Testo(6), QStringLiteral("S\u00EC"));
    QStringList righe;
    for (const QString& e : t.Errori()) righe << e.section(':', 0, 0);
    EXPECT_EQ(righe.join(','), QStringLiteral("riga 6,riga 7,riga 8,riga 9,riga 10,riga 11"));
}

// The set-up the program and the tests share: the name in every title, Qt's own buttons in the
// interface language.
TEST(Stringhe, QtsOwnDialogsSpeakTheInterfaceLanguage) {
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Tarno Driver"));
    QMessageBox domanda;
    domanda.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(domanda.button(QMessageBox::Yes)->text(), QStringLiteral("&S\u00EC"));
    EXPECT_EQ(domanda.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    // The editor's own questions give every button its key.
    QStringList testi;
    QMetaObject::invokeMethod(
        qApp,
        [&testi] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                testi << box->button(b)->text();
            box->button(QMessageBox::Cancel)->click();
        },
        Qt::QueuedConnection);
    tarno::ServiziUIQt servizi;
    EXPECT_EQ(servizi.Messaggio(nullptr, QStringLiteral("?"), tarno::IconaUI::Domanda,
                                tarno::PulsantiUI::SiNoAnnulla, QString()),
              tarno::RispostaUI::Annulla);
    EXPECT_EQ(testi.join(QLatin1Char('|')), QStringLiteral("&S\u00EC|&No|&Annulla"));
}

}  // namespace

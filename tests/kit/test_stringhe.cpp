// The string table: built into the program as the source file has it, holding every number the
// code and the designer files use, and read with its escapes, comments and refused lines.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "Risorse.h"
#include "clsStringhe.h"

using tarno::clsStringhe;

namespace {

QByteArray Leggi(const QString& percorso) {
    QFile f(percorso);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << percorso.toStdString();
    return f.readAll();
}

TEST(Stringhe, TheBuiltInTableIsTheSourceFileAndReadsWhole) {
    const QByteArray tabella = Leggi(QStringLiteral(":/tarno/strings.it.tsv"));
    EXPECT_EQ(tabella, Leggi(QStringLiteral(TARNO_TABELLA_STRINGHE_SORGENTE)));
    clsStringhe t;
    EXPECT_TRUE(t.Carica(tabella)) << t.Errori().join('\n').toStdString();
    EXPECT_EQ(clsStringhe::Tabella().Numeri(), t.Numeri());
}

TEST(Stringhe, EveryNumberTheCodeAndTheDesignerFilesUseIsInTheTable) {
    // Texts by number (Testo, TestoRisorsa, ErroreRiga, the save prompt), numbers of 10000 and
    // more in tables of texts, and the "NNN;" tags of the designer files.
    const QRegularExpression codice(
        QStringLiteral(R"((?:\bTesto|TestoRisorsa|ErroreRiga|ChiediSalvataggio)\((?:[a-z]\w*, )*)"
                       R"((\d+)|(?<![\w.])([12]\d{4})(?![\w.])|\{(\d{3,5}), ")"));
    const QRegularExpression tag(QStringLiteral(R"(<string>(\d+);)"));
    int usati = 0;
    for (const char* cartella : {TARNO_SORGENTI, TARNO_FINESTRE}) {
        QDirIterator it(QString::fromUtf8(cartella), {"*.cpp", "*.h", "*.ui"}, QDir::Files,
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
}

}  // namespace

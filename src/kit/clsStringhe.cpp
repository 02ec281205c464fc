#include "kit/clsStringhe.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>
#include <limits>

#include "kit/Applicazione.h"

namespace tarno {

namespace {

// An Italian caption or message is the one of this table; the English table may leave a
// number out, and that number then shows its Italian text.
constexpr const char* RISORSA_ITALIANO = ":/tarno/strings.it.tsv";
constexpr const char* RISORSA_INGLESE = ":/tarno/strings.en.tsv";

QString gsLinguaImposta;

// "it" or "en" when sTesto names one of them (blanks and letter case aside), otherwise empty.
QString LinguaNota(const QString& sTesto) {
    const QString s = sTesto.trimmed().toLower();
    return s == u"it" || s == u"en" ? s : QString();
}

// One built-in table; what cannot be read is reported and left out.
clsStringhe LeggiRisorsa(const char* sRisorsa) {
    clsStringhe t;
    QFile file(QString::fromLatin1(sRisorsa));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Tabella delle stringhe %s non disponibile: %s", sRisorsa,
                 qPrintable(file.errorString()));
        return t;
    }
    if (!t.Carica(file.readAll())) {
        for (const QString& sErrore : t.Errori())
            qWarning("Tabella delle stringhe %s: %s", sRisorsa, qPrintable(sErrore));
    }
    return t;
}

// The number before the TAB: decimal digits only, from 1 to the largest 32-bit value.
bool LeggiNumero(const QByteArray& campo, int& rNumero) {
    if (campo.isEmpty() || campo.size() > 10) return false;
    qint64 valore = 0;
    for (char c : campo) {
        if (c < '0' || c > '9') return false;
        valore = valore * 10 + (c - '0');
    }
    if (valore < 1 || valore > std::numeric_limits<int>::max()) return false;
    rNumero = static_cast<int>(valore);
    return true;
}

// Resolves \n, \t and \\; any other backslash sequence is an error described in rsErrore.
bool RisolviEscape(const QString& sTesto, QString& rsRisultato, QString& rsErrore) {
    rsRisultato.clear();
    rsRisultato.reserve(sTesto.size());
    for (qsizetype i = 0; i < sTesto.size(); ++i) {
        const QChar c = sTesto.at(i);
        if (c != u'\\') {
            rsRisultato += c;
            continue;
        }
        if (i + 1 >= sTesto.size()) {
            rsErrore = QStringLiteral("barra rovesciata isolata alla fine del testo");
            return false;
        }
        const QChar s = sTesto.at(++i);
        if (s == u'n') {
            rsRisultato += u'\n';
        } else if (s == u't') {
            rsRisultato += u'\t';
        } else if (s == u'\\') {
            rsRisultato += u'\\';
        } else {
            rsErrore =
                QStringLiteral("sequenza \"\\%1\" non ammessa (solo \\n, \\t e \\\\)").arg(s);
            return false;
        }
    }
    return true;
}

}  // namespace

bool clsStringhe::Carica(const QByteArray& dati) {
    mhashTesti.clear();
    mlstErrori.clear();
    msLingua.clear();

    QByteArray testo = dati;
    if (testo.startsWith("\xEF\xBB\xBF")) testo.remove(0, 3);

    const QList<QByteArray> righe = testo.split('\n');
    for (qsizetype indice = 0; indice < righe.size(); ++indice) {
        const qsizetype nRiga = indice + 1;
        QByteArray riga = righe.at(indice);
        if (riga.endsWith('\r')) riga.chop(1);
        if (riga.isEmpty() || riga.startsWith('#')) continue;

        auto errore = [&](const QString& sCausa) {
            mlstErrori << QStringLiteral("riga %1: %2").arg(nRiga).arg(sCausa);
        };

        const qsizetype tab = riga.indexOf('\t');
        if (tab < 0) {
            errore(QStringLiteral("manca il TAB fra numero e testo"));
            continue;
        }
        int numero = 0;
        if (!LeggiNumero(riga.left(tab), numero)) {
            errore(QStringLiteral("\"%1\" non è un numero di stringa (da 1 a %2)")
                       .arg(QString::fromLatin1(riga.left(tab)))
                       .arg(std::numeric_limits<int>::max()));
            continue;
        }
        QStringDecoder decodifica(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString sGrezzo = decodifica.decode(riga.mid(tab + 1));
        if (decodifica.hasError()) {
            errore(QStringLiteral("il testo della stringa %1 non è UTF-8 valido").arg(numero));
            continue;
        }
        QString sTesto, sCausa;
        if (!RisolviEscape(sGrezzo, sTesto, sCausa)) {
            errore(QStringLiteral("stringa %1: %2").arg(numero).arg(sCausa));
            continue;
        }
        if (mhashTesti.contains(numero)) {
            errore(QStringLiteral("la stringa %1 è già stata data").arg(numero));
            continue;
        }
        mhashTesti.insert(numero, sTesto);
    }
    return mlstErrori.isEmpty();
}

QString clsStringhe::Testo(int numero, bool* trovato) const {
    const auto it = mhashTesti.constFind(numero);
    const bool bTrovato = it != mhashTesti.constEnd();
    if (trovato) *trovato = bTrovato;
    return bTrovato ? it.value() : QString();
}

QList<int> clsStringhe::Numeri() const {
    QList<int> numeri = mhashTesti.keys();
    std::sort(numeri.begin(), numeri.end());
    return numeri;
}

clsStringhe clsStringhe::TabellaIncorporata(const QString& sLingua) {
    clsStringhe tabella = LeggiRisorsa(RISORSA_ITALIANO);
    tabella.msLingua = QStringLiteral("it");
    if (LinguaNota(sLingua) == u"en") {
        const clsStringhe inglese = LeggiRisorsa(RISORSA_INGLESE);
        for (auto it = inglese.mhashTesti.cbegin(); it != inglese.mhashTesti.cend(); ++it)
            tabella.mhashTesti.insert(it.key(), it.value());
        tabella.msLingua = QStringLiteral("en");
    }
    return tabella;
}

const clsStringhe& clsStringhe::Tabella() {
    static const clsStringhe tabella = TabellaIncorporata(LinguaInterfaccia());
    return tabella;
}

QString LinguaInterfaccia() {
    if (!gsLinguaImposta.isEmpty()) return gsLinguaImposta;
    const QString sImpostata =
        LinguaNota(ImpostazioniUtente().value(QStringLiteral("Interfaccia/Lingua")).toString());
    if (!sImpostata.isEmpty()) return sImpostata;
    const QStringList lingue = QLocale::system().uiLanguages();
    const QLocale sistema = lingue.isEmpty() ? QLocale::system() : QLocale(lingue.first());
    return sistema.language() == QLocale::English ? QStringLiteral("en") : QStringLiteral("it");
}

bool ImpostaLinguaInterfaccia(const QString& sLingua) {
    gsLinguaImposta = LinguaNota(sLingua);
    return !gsLinguaImposta.isEmpty();
}

QStringList OpzioneLingua(const QStringList& lstArgomenti) {
    const QString sOpzione = QStringLiteral("--lingua");
    QStringList altri;
    for (qsizetype i = 0; i < lstArgomenti.size(); ++i) {
        const QString& s = lstArgomenti.at(i);
        QString sValore;
        if (s == sOpzione) {
            if (i + 1 < lstArgomenti.size()) sValore = lstArgomenti.at(++i);
        } else if (s.startsWith(sOpzione + u'=')) {
            sValore = s.mid(sOpzione.size() + 1);
        } else {
            altri << s;
            continue;
        }
        if (!ImpostaLinguaInterfaccia(sValore))
            qWarning("--lingua: \"%s\" non \xC3\xA8 una lingua dell'interfaccia (it, en)",
                     qPrintable(sValore));
    }
    return altri;
}

}  // namespace tarno

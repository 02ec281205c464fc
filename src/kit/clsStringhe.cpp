#include "clsStringhe.h"

#include <QFile>
#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace tarno {

namespace {

constexpr const char* RISORSA_TABELLA = ":/tarno/strings.it.tsv";

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

const clsStringhe& clsStringhe::Tabella() {
    static const clsStringhe tabella = [] {
        clsStringhe t;
        QFile file(QString::fromLatin1(RISORSA_TABELLA));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("Tabella delle stringhe %s non disponibile: %s", RISORSA_TABELLA,
                     qPrintable(file.errorString()));
            return t;
        }
        if (!t.Carica(file.readAll())) {
            for (const QString& sErrore : t.Errori())
                qWarning("Tabella delle stringhe: %s", qPrintable(sErrore));
        }
        return t;
    }();
    return tabella;
}

QString LinguaInterfaccia() { return QStringLiteral("it"); }

}  // namespace tarno

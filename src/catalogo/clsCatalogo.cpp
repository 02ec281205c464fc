#include "clsCatalogo.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include "Numeri.h"
#include "Testo.h"

namespace tarno {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(Cp1252InUtf8(s)); }

// Catalogue text into the model's encoding; characters Windows-1252 cannot hold become "?".
std::string T(const QString& s) {
    std::string r;
    for (QChar c : s) {
        const auto v = Utf8InCp1252(QString(c).toStdString());
        r += v ? *v : std::string("?");
    }
    return r;
}

std::string Quota(const std::string& s) { return SostituisciCarattere(s, "'", "''"); }

// The column of a record whose name matches without regard to case (servers fold names).
int Colonna(const QSqlRecord& rec, const QString& nome) {
    for (int i = 0; i < rec.count(); ++i)
        if (rec.fieldName(i).compare(nome, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QAtomicInt gContatore;

}  // namespace

clsCatalogo::clsCatalogo()
    : msConnessione(QStringLiteral("catalogo-%1").arg(gContatore.fetchAndAddRelaxed(1))) {}

clsCatalogo::~clsCatalogo() { Chiudi(); }

bool clsCatalogo::Errore(const QString& sTesto) {
    msUltimoErrore = T(sTesto);
    return false;
}

bool clsCatalogo::Apri(const Configurazione& cfg) {
    Chiudi();
    msUltimoErrore.clear();
    if (cfg.miVersioneDBTarno == DB_ACCESS) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return Errore(QStringLiteral("Il driver SQLite di Qt non è installato"));
        const QString file = Q(cfg.msDatabaseFile);
        // SQLite would make an empty database out of a missing file: refuse it instead.
        if (!QFileInfo(file).isFile())
            return Errore(QStringLiteral("Il database %1 non esiste").arg(file));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), msConnessione);
        db.setDatabaseName(file);
        if (!db.open()) return Errore(db.lastError().text());
        return true;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return Errore(QStringLiteral("Il driver ODBC di Qt non è installato"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), msConnessione);
    // Qt puts "DSN=" in front of a connection string itself.
    const std::string stringa = StringaConnessione(cfg);
    db.setDatabaseName(Q(stringa.substr(4)));
    if (!db.open()) {
        const QString errore = db.lastError().text();
        return Errore(errore.isEmpty() ? QStringLiteral("Connessione al database non riuscita")
                                       : errore);
    }
    return true;
}

void clsCatalogo::Chiudi() {
    if (!QSqlDatabase::contains(msConnessione)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(msConnessione, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(msConnessione);
}

bool clsCatalogo::Aperto() const {
    return QSqlDatabase::contains(msConnessione) &&
           QSqlDatabase::database(msConnessione, false).isOpen();
}

bool clsCatalogo::Esegui(QSqlQuery& q, const std::string& sIstruzione) {
    msUltimaIstruzione = sIstruzione;
    if (!Aperto()) return Errore(QStringLiteral("Il database non è aperto"));
    q.setForwardOnly(true);
    if (!q.exec(Q(sIstruzione))) {
        const QString errore = q.lastError().text();
        return Errore(errore.isEmpty() ? QStringLiteral("Errore del database") : errore);
    }
    return true;
}

bool clsCatalogo::ElencoMarche(std::vector<std::string>& rvMarche) {
    rvMarche.clear();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    if (!Esegui(q, "SELECT DISTINCT sMarca FROM Pabx ORDER BY sMarca ASC")) return false;
    while (q.next()) rvMarche.push_back(T(q.value(0).toString()));
    return true;
}

bool clsCatalogo::ElencoModelli(const std::string& sMarca, std::vector<std::string>& rvModelli) {
    rvModelli.clear();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    if (!Esegui(q, "SELECT DISTINCT sModello FROM Pabx WHERE sMarca='" + Quota(sMarca) +
                       "' ORDER BY sModello ASC"))
        return false;
    while (q.next()) rvModelli.push_back(T(q.value(0).toString()));
    return true;
}

TabellaValori clsCatalogo::FormatiNessuno() {
    TabellaValori t(1, 1);
    t.Cella(0, 0) = TESTO_NESSUNO;
    return t;
}

bool clsCatalogo::CaricaFormati(bool bData, TabellaValori& rTabella) {
    const std::string tabella = bData ? "FormatiData" : "FormatiOra";
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    if (!Esegui(q, "SELECT * FROM " + tabella + " ORDER BY sCodice ASC")) return false;
    std::vector<std::pair<std::string, std::string>> righe;
    int colFormato = -1, colCodice = -1;
    while (q.next()) {
        if (colFormato < 0) {
            colFormato = Colonna(q.record(), QStringLiteral("sFormato"));
            colCodice = Colonna(q.record(), QStringLiteral("sCodice"));
            if (colFormato < 0 || colCodice < 0)
                return Errore(QStringLiteral("La tabella %1 non ha le colonne sCodice e sFormato")
                                  .arg(Q(tabella)));
        }
        righe.emplace_back(T(q.value(colFormato).toString()), T(q.value(colCodice).toString()));
    }
    if (q.lastError().isValid()) return Errore(q.lastError().text());
    if (righe.empty()) {
        rTabella = FormatiNessuno();
        return true;
    }
    rTabella.Dimensiona(static_cast<int>(righe.size()) + 1, 2);
    for (size_t i = 0; i < righe.size(); ++i) {
        rTabella.Cella(static_cast<int>(i) + 1, 0) = righe[i].first;
        rTabella.Cella(static_cast<int>(i) + 1, 1) = righe[i].second;
    }
    return true;
}

bool clsCatalogo::CercaNomeDriver(const std::string& sMarca, const std::string& sModello,
                                  std::optional<std::string>& rsNome) {
    rsNome.reset();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    if (!Esegui(q, "SELECT sNomeDriver FROM Pabx WHERE sMarca='" + Quota(sMarca) +
                       "' AND sModello='" + Quota(sModello) + "'"))
        return false;
    if (q.next()) rsNome = T(q.value(0).toString());
    return true;
}

bool clsCatalogo::AggiornaPabx(const std::string& sMarca, const std::string& sModello,
                               const std::string& sFileName) {
    const size_t barra = sFileName.find_last_of('/');
    const std::string nome = barra == std::string::npos ? sFileName : sFileName.substr(barra + 1);
    QSqlDatabase db = QSqlDatabase::database(msConnessione, false);
    QSqlQuery q(db);
    if (!Esegui(q, "SELECT * FROM Pabx WHERE sMarca='" + Quota(sMarca) + "' AND sModello='" +
                       Quota(sModello) + "'"))
        return false;
    const bool esiste = q.next();
    QVariant vecchio;
    if (esiste) {
        const int col = Colonna(q.record(), QStringLiteral("sNomeDriver"));
        if (col < 0) return Errore(QStringLiteral("La tabella Pabx non ha la colonna sNomeDriver"));
        vecchio = q.value(col);
    }
    q.finish();
    QSqlQuery w(db);
    if (!esiste) {
        msUltimaIstruzione = "INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES (?, ?, ?)";
        w.prepare(Q(msUltimaIstruzione));
        w.addBindValue(Q(sMarca));
        w.addBindValue(Q(sModello));
        w.addBindValue(Q(nome));
    } else {
        // Only the first row of the pair changes; rows that hold another file name stay.
        const bool nullo = vecchio.isNull();
        msUltimaIstruzione = std::string(
                                 "UPDATE Pabx SET sNomeDriver=? WHERE sMarca=? AND "
                                 "sModello=? AND ") +
                             (nullo ? "sNomeDriver IS NULL" : "sNomeDriver=?");
        w.prepare(Q(msUltimaIstruzione));
        w.addBindValue(Q(nome));
        w.addBindValue(Q(sMarca));
        w.addBindValue(Q(sModello));
        if (!nullo) w.addBindValue(vecchio.toString());
    }
    if (!w.exec()) {
        const QString errore = w.lastError().text();
        return Errore(errore.isEmpty() ? QStringLiteral("Errore del database") : errore);
    }
    return true;
}

std::function<int16_t(const std::string&, bool)> clsCatalogo::FunzioneCercaFormato() {
    return [this](const std::string& sPulito, bool bData) { return CodiceFormato(sPulito, bData); };
}

int16_t clsCatalogo::CodiceFormato(const std::string& sFormatoPulito, bool bData) {
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    // The text goes in as it is: the lookup of legacy formats does not double quotes.
    const std::string istruzione = std::string("SELECT ") + "sCodice" + " FROM " +
                                   (bData ? "FormatiData" : "FormatiOra") + " " + "WHERE " +
                                   "sFormato" + "='" + sFormatoPulito + "'";
    const std::string errore = msUltimoErrore;
    if (!Esegui(q, istruzione) || !q.next()) {
        msUltimoErrore = errore;
        return 0;
    }
    const auto valore = ValoreNumerico(T(q.value(0).toString()));
    const auto codice = valore ? Arrotonda16(*valore) : std::nullopt;
    return codice ? *codice : 0;
}

}  // namespace tarno

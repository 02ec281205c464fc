#include "catalogo/clsCatalogo.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <algorithm>
#include <limits>

#include "model/Numeri.h"
#include "model/Testo.h"

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

// The column of a record whose name matches without regard to case (servers fold names).
int Colonna(const QSqlRecord& rec, const QString& nome) {
    for (int i = 0; i < rec.count(); ++i)
        if (rec.fieldName(i).compare(nome, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QAtomicInt gContatore;

// A file name of the catalogue, a missing one as "".
std::string NomeRiga(const QVariant& v) { return v.isNull() ? std::string() : T(v.toString()); }

// Adds a text to a list unless it is there already without regard to case.
void AggiungiUnaVolta(std::vector<std::string>& rv, std::string s) {
    for (const auto& v : rv)
        if (UgualeNoCase(v, s)) return;
    rv.push_back(std::move(s));
}

}  // namespace

const char* TestoErroreCatalogo(ErroreCatalogo enTipo) {
    switch (enTipo) {
        case ErroreCatalogo::Nessuno:
            return "";
        case ErroreCatalogo::DriverSQLite:
            return "Il driver SQLite di Qt non \u00E8 installato";
        case ErroreCatalogo::FileMancante:
            return "Il database %1 non esiste";
        case ErroreCatalogo::DriverODBC:
            return "Il driver ODBC di Qt non \u00E8 installato";
        case ErroreCatalogo::Connessione:
            return "Connessione al database non riuscita";
        case ErroreCatalogo::NonAperto:
            return "Il database non \u00E8 aperto";
        case ErroreCatalogo::Database:
            return "Errore del database";
        case ErroreCatalogo::ColonneFormati:
            return "La tabella %1 non ha le colonne sCodice e sFormato";
    }
    return "";
}

clsCatalogo::clsCatalogo()
    : msConnessione(QStringLiteral("catalogo-%1").arg(gContatore.fetchAndAddRelaxed(1))) {}

clsCatalogo::~clsCatalogo() { Chiudi(); }

bool clsCatalogo::Errore(ErroreCatalogo enTipo, const QString& sDettaglio) {
    menUltimoErrore = enTipo;
    msDettaglioErrore = T(sDettaglio);
    const bool parole = enTipo == ErroreCatalogo::Connessione || enTipo == ErroreCatalogo::Database;
    QString testo = QString::fromUtf8(TestoErroreCatalogo(enTipo));
    if (testo.contains(QStringLiteral("%1"))) testo = testo.arg(sDettaglio);
    msUltimoErrore = parole && !sDettaglio.isEmpty() ? msDettaglioErrore : T(testo);
    return false;
}

bool clsCatalogo::ErroreIstruzione(const QSqlQuery& q) {
    return Errore(ErroreCatalogo::Database, q.lastError().text());
}

bool clsCatalogo::Apri(const Configurazione& cfg) {
    Chiudi();
    msUltimoErrore.clear();
    menUltimoErrore = ErroreCatalogo::Nessuno;
    msDettaglioErrore.clear();
    if (cfg.miVersioneDBTarno == DB_ACCESS) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return Errore(ErroreCatalogo::DriverSQLite);
        const QString file = Q(cfg.msDatabaseFile);
        // SQLite would make an empty database out of a missing file: refuse it instead.
        if (!QFileInfo(file).isFile()) return Errore(ErroreCatalogo::FileMancante, file);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), msConnessione);
        db.setDatabaseName(file);
        if (!db.open()) return Errore(ErroreCatalogo::Connessione, db.lastError().text());
        return true;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return Errore(ErroreCatalogo::DriverODBC);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), msConnessione);
    // Qt puts "DSN=" in front of a connection string itself.
    const std::string stringa = StringaConnessione(cfg);
    db.setDatabaseName(Q(stringa.substr(4)));
    if (!db.open()) return Errore(ErroreCatalogo::Connessione, db.lastError().text());
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
    if (!Aperto()) return Errore(ErroreCatalogo::NonAperto);
    q.setForwardOnly(true);
    if (!q.exec(Q(sIstruzione))) return ErroreIstruzione(q);
    return true;
}

bool clsCatalogo::ElencoMarche(std::vector<std::string>& rvMarche) {
    rvMarche.clear();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    if (!Esegui(q, "SELECT DISTINCT sMarca FROM Pabx ORDER BY sMarca ASC")) return false;
    // A brand spelt in two ways is one brand.
    while (q.next()) AggiungiUnaVolta(rvMarche, T(q.value(0).toString()));
    return true;
}

bool clsCatalogo::ElencoModelli(const std::string& sMarca, std::vector<std::string>& rvModelli) {
    rvModelli.clear();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    // The brand is compared here, without regard to case, the same way on every engine.
    if (!Esegui(q, "SELECT DISTINCT sMarca, sModello FROM Pabx ORDER BY sModello ASC"))
        return false;
    while (q.next())
        if (UgualeNoCase(T(q.value(0).toString()), sMarca))
            AggiungiUnaVolta(rvModelli, T(q.value(1).toString()));
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
                return Errore(ErroreCatalogo::ColonneFormati, Q(tabella));
        }
        righe.emplace_back(T(q.value(colFormato).toString()), T(q.value(colCodice).toString()));
    }
    if (q.lastError().isValid()) return ErroreIstruzione(q);
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

std::string clsCatalogo::ColonnaRiga() const {
    const QSqlDatabase db = QSqlDatabase::database(msConnessione, false);
    if (!db.isValid() || !db.driver()) return {};
    if (db.driverName() == QStringLiteral("QSQLITE")) return "rowid";
    if (db.driver()->dbmsType() == QSqlDriver::PostgreSQL) return "ctid";
    return {};
}

bool clsCatalogo::RigheCoppia(const std::string& sMarca, const std::string& sModello,
                              std::vector<RigaPabx>& rRighe) {
    rRighe.clear();
    QSqlQuery q(QSqlDatabase::database(msConnessione, false));
    const std::string id = ColonnaRiga();
    // Brand and model are compared here rather than by the server, whose rules for letter
    // case differ from engine to engine.
    if (!Esegui(q, "SELECT " + (id.empty() ? std::string() : id + ", ") +
                       "sMarca, sModello, sNomeDriver FROM Pabx"))
        return false;
    const int c = id.empty() ? 0 : 1;
    while (q.next()) {
        RigaPabx r{id.empty() ? QVariant() : q.value(0), q.value(c), q.value(c + 1),
                   q.value(c + 2)};
        if (UgualeNoCase(T(r.marca.toString()), sMarca) &&
            UgualeNoCase(T(r.modello.toString()), sModello))
            rRighe.push_back(std::move(r));
    }
    if (q.lastError().isValid()) return ErroreIstruzione(q);
    std::stable_sort(rRighe.begin(), rRighe.end(), [](const RigaPabx& a, const RigaPabx& b) {
        return NomeRiga(a.nome) < NomeRiga(b.nome);
    });
    return true;
}

bool clsCatalogo::CercaNomeDriver(const std::string& sMarca, const std::string& sModello,
                                  std::optional<std::string>& rsNome) {
    rsNome.reset();
    std::vector<RigaPabx> righe;
    if (!RigheCoppia(sMarca, sModello, righe)) return false;
    if (!righe.empty()) rsNome = NomeRiga(righe.front().nome);
    return true;
}

bool clsCatalogo::AggiornaPabx(const std::string& sMarca, const std::string& sModello,
                               const std::string& sFileName) {
    const size_t barra = sFileName.find_last_of('/');
    const std::string nome = barra == std::string::npos ? sFileName : sFileName.substr(barra + 1);
    std::vector<RigaPabx> righe;
    if (!RigheCoppia(sMarca, sModello, righe)) return false;
    // A driver saved again under its name changes nothing: its row stays the one it was.
    for (const RigaPabx& r : righe)
        if (!r.nome.isNull() && NomeRiga(r.nome) == nome) return true;
    QSqlQuery w(QSqlDatabase::database(msConnessione, false));
    if (righe.empty()) {
        msUltimaIstruzione = "INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES (?, ?, ?)";
        w.prepare(Q(msUltimaIstruzione));
        w.addBindValue(Q(sMarca));
        w.addBindValue(Q(sModello));
        w.addBindValue(Q(nome));
    } else {
        // Only the first row of the pair changes. Where the engine tells rows apart, that row
        // alone; elsewhere the rows equal to it in all three columns, which nothing tells apart.
        const RigaPabx& primo = righe.front();
        const std::string id = ColonnaRiga();
        if (!id.empty() && primo.id.isValid() && !primo.id.isNull()) {
            msUltimaIstruzione = "UPDATE Pabx SET sNomeDriver=? WHERE " + id +
                                 (id == "ctid" ? "=CAST(? AS tid)" : "=?");
            w.prepare(Q(msUltimaIstruzione));
            w.addBindValue(Q(nome));
            w.addBindValue(primo.id);
        } else {
            const bool nullo = primo.nome.isNull();
            msUltimaIstruzione = std::string(
                                     "UPDATE Pabx SET sNomeDriver=? WHERE sMarca=? AND "
                                     "sModello=? AND ") +
                                 (nullo ? "sNomeDriver IS NULL" : "sNomeDriver=?");
            w.prepare(Q(msUltimaIstruzione));
            w.addBindValue(Q(nome));
            w.addBindValue(primo.marca);
            w.addBindValue(primo.modello);
            if (!nullo) w.addBindValue(primo.nome);
        }
    }
    if (!w.exec()) return ErroreIstruzione(w);
    return true;
}

bool clsCatalogo::AggiungiFormato(bool bData, const std::string& sFormato, int16_t& riCodice) {
    riCodice = 0;
    const std::string tabella = bData ? "FormatiData" : "FormatiOra";
    int32_t ultimo = 0;
    for (const char* t : {"FormatiData", "FormatiOra"}) {
        QSqlQuery q(QSqlDatabase::database(msConnessione, false));
        if (!Esegui(q, std::string("SELECT sCodice, sFormato FROM ") + t)) return false;
        while (q.next()) {
            const auto valore = ValoreNumerico(T(q.value(0).toString()));
            const auto codice = valore ? Arrotonda16(*valore) : std::nullopt;
            if (!codice) continue;
            if (t == tabella && T(q.value(1).toString()) == sFormato) {
                riCodice = *codice;
                return true;
            }
            ultimo = std::max<int32_t>(ultimo, *codice);
        }
        if (q.lastError().isValid()) return ErroreIstruzione(q);
    }
    if (ultimo >= std::numeric_limits<int16_t>::max())
        return Errore(ErroreCatalogo::Database, QStringLiteral("sCodice > 32767"));
    const int16_t codice = static_cast<int16_t>(ultimo + 1);
    QSqlQuery w(QSqlDatabase::database(msConnessione, false));
    msUltimaIstruzione = "INSERT INTO " + tabella + " (sCodice, sFormato) VALUES (?, ?)";
    if (!Aperto()) return Errore(ErroreCatalogo::NonAperto);
    w.prepare(Q(msUltimaIstruzione));
    w.addBindValue(QString::number(codice));
    w.addBindValue(Q(sFormato));
    if (!w.exec()) return ErroreIstruzione(w);
    riCodice = codice;
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

std::string FormatiDelCatalogo(const std::string& sFileIni,
                               std::map<int16_t, std::string>& rFormati) {
    const auto cp = Utf8InCp1252(sFileIni);
    const std::string ini = cp ? *cp : sFileIni;
    Configurazione cfg;
    switch (LeggiConfigurazione(sFileIni, cfg)) {
        case EsitoConfigurazione::FileMancante:
            return "configurazione " + ini + " non trovata: date e ore non possono essere lette";
        case EsitoConfigurazione::DatabaseMancante:
            return "configurazione " + ini +
                   " senza il file del catalogo: date e ore non possono essere lette";
        case EsitoConfigurazione::Completa:
            break;
    }
    clsCatalogo catalogo;
    if (!catalogo.Apri(cfg))
        return "catalogo non disponibile (" + catalogo.UltimoErrore() +
               "): date e ore non possono essere lette";
    for (bool data : {true, false}) {
        TabellaValori t;
        if (!catalogo.CaricaFormati(data, t))
            return std::string("formati ") + (data ? "data" : "ora") + " del catalogo non letti (" +
                   catalogo.UltimoErrore() + ")";
        FormatiDaTabella(t, rFormati);
    }
    return {};
}

void FormatiDaTabella(const TabellaValori& t, std::map<int16_t, std::string>& rFormati) {
    if (t.Colonne() < 2) return;  // "Nessuno": an empty list
    for (int r = 1; r < t.Righe(); ++r) {
        const auto v = ValoreNumerico(t.Cella(r, 1));
        const auto codice = v ? Arrotonda16(*v) : std::nullopt;
        if (codice && *codice != 0) rFormati[*codice] = t.Cella(r, 0);
    }
}

}  // namespace tarno

#include "engine/VerificaDriver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "TarnoVersione.h"
#include "model/File.h"
#include "model/Messaggi.h"
#include "model/Testo.h"
#include "model/clsDriver.h"

namespace tarno {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFineRiga = "\r\n";
constexpr size_t kDimBuffer = 1 << 20;
constexpr int kLarghezzaNumero = 15;
constexpr size_t kLarghezzaEtichetta = 34;

// A path as the log shows it: the argument's UTF-8 in Windows-1252, "?" for what does not fit.
std::string TestoPercorso(const std::string& s) { return NomeFileInCp1252(s); }

std::string Errno() { return NomeFileInCp1252(std::strerror(errno)); }

// Buffered writing into a FILE; the first failure is kept and later writes are dropped.
class Uscita {
  public:
    Uscita() { mBuf.reserve(kDimBuffer + 4096); }
    ~Uscita() {
        if (mpFile) std::fclose(mpFile);
    }
    Uscita(const Uscita&) = delete;
    Uscita& operator=(const Uscita&) = delete;

    void Usa(FILE* f) { mpFile = f; }
    FILE* File() const { return mpFile; }
    bool Ok() const { return mbOk; }
    uint64_t Posizione() const { return mScritti + mBuf.size(); }

    Uscita& operator<<(std::string_view s) {
        mBuf.append(s);
        if (mBuf.size() >= kDimBuffer) Svuota();
        return *this;
    }
    Uscita& operator<<(char c) {
        mBuf.push_back(c);
        return *this;
    }
    Uscita& operator<<(uint64_t n) {
        char b[24];
        const auto r = std::to_chars(b, b + sizeof b, n);
        mBuf.append(b, r.ptr);
        return *this;
    }
    // Text of the sample: control characters by their names.
    Uscita& Testo(std::string_view s) {
        if (SenzaControlli(s)) return *this << s;
        return *this << TestoVisibile(s);
    }
    void Fine() { *this << kFineRiga; }
    void Riga(std::string_view s) {
        *this << s;
        Fine();
    }
    bool Svuota() {
        if (mbOk && !mBuf.empty() &&
            (!mpFile || std::fwrite(mBuf.data(), 1, mBuf.size(), mpFile) != mBuf.size()))
            mbOk = false;
        mScritti += mBuf.size();
        mBuf.clear();
        return mbOk;
    }
    // Appends the whole content of another (temporary) file.
    bool Accoda(Uscita& altra) {
        if (!altra.Svuota() || !Svuota()) return mbOk = false;
        FILE* f = altra.File();
        if (std::fflush(f) != 0 || std::fseek(f, 0, SEEK_SET) != 0) return mbOk = false;
        std::vector<char> b(kDimBuffer);
        for (;;) {
            const size_t n = std::fread(b.data(), 1, b.size(), f);
            if (n > 0 && std::fwrite(b.data(), 1, n, mpFile) != n) return mbOk = false;
            mScritti += n;
            if (n < b.size()) break;
        }
        return mbOk = mbOk && !std::ferror(f);
    }

  private:
    FILE* mpFile = nullptr;
    std::string mBuf;
    uint64_t mScritti = 0;
    bool mbOk = true;
};

void Etichetta(Uscita& u, std::string_view s) {
    u << s;
    if (s.size() < kLarghezzaEtichetta) u << std::string(kLarghezzaEtichetta - s.size(), ' ');
}

void Intestazione(Uscita& u, const std::string& sDriver, const std::string& sCampione,
                  const std::string& sDataOra) {
    u.Riga("VERIFICA DEL DRIVER");
    Etichetta(u, "Driver:");
    u.Riga(TestoPercorso(sDriver));
    Etichetta(u, "Dati:");
    u.Riga(TestoPercorso(sCampione));
    Etichetta(u, "Data e ora:");
    u.Riga(sDataOra.empty() ? DataOraAdesso() : sDataOra);
    // Which engine read the printout: a log passed on says it.
    Etichetta(u, "Versione:");
    u.Riga(TARNO_VERSIONE);
}

const char* Prefisso(NotaImpostazione::Stato s) {
    switch (s) {
        case NotaImpostazione::Applicata:
            return "APPLICATO      ";
        case NotaImpostazione::NonApplicata:
            return "NON APPLICATO  ";
        default:
            return "AVVISO         ";
    }
}

// A line number, with its piece when the line was cut: "12", "12.2".
void Numero(Uscita& u, uint64_t n, uint8_t iPezzo) {
    u << n;
    if (iPezzo) u << '.' << static_cast<uint64_t>(iPezzo);
}

// Line numbers of a call: "riga 4", "righe 5-6", "righe 5, 7, 8", "righe 12.2, 13.1".
void Righe(Uscita& u, const std::vector<uint64_t>& v, const std::vector<uint8_t>& pezzi) {
    if (v.empty()) return;
    auto pezzo = [&pezzi](size_t i) -> uint8_t { return i < pezzi.size() ? pezzi[i] : 0; };
    bool consecutive = true;
    for (size_t i = 0; i < v.size(); ++i)
        if (pezzo(i) || (i && v[i] != v[i - 1] + 1)) consecutive = false;
    if (v.size() == 1) {
        u << "riga ";
        Numero(u, v[0], pezzo(0));
    } else if (consecutive) {
        u << "righe " << v.front() << '-' << v.back();
    } else {
        u << "righe ";
        for (size_t i = 0; i < v.size(); ++i) {
            if (i) u << ", ";
            Numero(u, v[i], pezzo(i));
        }
    }
}

const char* Tipo(const ChiamataLetta& c) {
    if (c.bEntrante) return c.bTrasferita ? "entrante trasferita" : "entrante";
    return c.bTrasferita ? "uscente trasferita" : "uscente";
}

// The log being written: the main temporary file beside the log, and one temporary file for
// each section that follows the calls.
class clsLogVerifica : public IEsitiAnalisi {
  public:
    explicit clsLogVerifica(std::string sLog) : msLog(std::move(sLog)) {}
    ~clsLogVerifica() override {
        if (!msTemp.empty()) {
            std::error_code ec;
            fs::remove(msTemp, ec);
        }
    }

    // A temporary file without a name in the log's folder, so that the engine writes only where
    // its log goes; where the file system has no such files, one of the system's.
    static FILE* FileSenzaNome(const fs::path& cartella) {
#ifdef O_TMPFILE
        const int fd = ::open(cartella.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            if (FILE* f = ::fdopen(fd, "w+b")) return f;
            ::close(fd);
        }
#endif
        return std::tmpfile();
    }

    bool Apri(std::string& rsErrore) {
        const fs::path p(msLog);
        const fs::path cartella = p.has_parent_path() ? p.parent_path() : fs::path(".");
        std::string modello = (cartella / (p.filename().string() + ".tmpXXXXXX")).string();
        const int fd = ::mkstemp(modello.data());
        if (fd < 0) {
            rsErrore = "impossibile scrivere nella cartella " + TestoPercorso(cartella.string()) +
                       ": " + Errno();
            return false;
        }
        msTemp = modello;
        ::fchmod(fd, 0644);
        FILE* f = ::fdopen(fd, "w+b");
        if (!f) {
            ::close(fd);
            rsErrore = "impossibile scrivere il log: " + Errno();
            return false;
        }
        mPrincipale.Usa(f);
        for (Uscita* u : {&mNonRiconosciute, &mSaltate, &mValori}) {
            FILE* t = FileSenzaNome(cartella);
            if (!t) {
                rsErrore = "impossibile creare un file temporaneo: " + Errno();
                return false;
            }
            u->Usa(t);
        }
        return true;
    }

    Uscita& Principale() { return mPrincipale; }

    // A count whose value is written at the end.
    void Conteggio(std::string_view sEtichetta, std::function<uint64_t()> valore) {
        Etichetta(mPrincipale, sEtichetta);
        mvConteggi.push_back({mPrincipale.Posizione(), std::move(valore)});
        mPrincipale << std::string(kLarghezzaNumero, ' ');
        mPrincipale.Fine();
    }

    void Chiamata(const ChiamataLetta& c) override {
        Uscita& u = mPrincipale;
        if (c.bIncompleta) {
            u << "Chiamata " << Tipo(c) << " INCOMPLETA, ";
            Righe(u, c.vRighe, c.vPezzi);
            u << ": il campione finisce dopo " << static_cast<uint64_t>(c.vRighe.size())
              << " delle " << static_cast<uint64_t>(c.iRigheAttese) << " righe";
            u.Fine();
            for (size_t i = 0; i < c.vTesti.size(); ++i) {
                u << "    riga ";
                Numero(u, c.vRighe[i], i < c.vPezzi.size() ? c.vPezzi[i] : 0);
                u << ": ";
                u.Testo(c.vTesti[i]);
                u.Fine();
            }
            return;
        }
        u << "Chiamata " << Tipo(c) << ", ";
        Righe(u, c.vRighe, c.vPezzi);
        u.Fine();
        const bool piuRighe = c.vRighe.size() > 1;
        for (size_t i = 0; i < c.iCampi; ++i) {
            const CampoLetto& f = c.vCampi[i];
            u << "    " << f.sNome;
            if (f.sNome.size() < 12) u << std::string_view("            ", 12 - f.sNome.size());
            if (f.bDerivato) {
                // Not printed: the driver's settings say how it was worked out.
                u << "(ricavato) -> " << f.sInterpretato;
                u.Fine();
                continue;
            }
            // A one-line call names the line of a field cut elsewhere (the date of a date line).
            if (piuRighe || f.iPezzo || (f.iRiga && f.iRiga != c.vRighe.front())) {
                if (f.iRiga) {
                    u << "riga ";
                    Numero(u, f.iRiga, f.iPezzo);
                    u << ' ';
                } else {
                    u << "riga - ";
                }
            }
            u << '"';
            u.Testo(f.sTaglio) << "\" -> ";
            if (!f.sErrore.empty()) {
                u << "NON VALIDO: ";
                u.Testo(f.sErrore);
                mValori << "riga ";
                if (f.iRiga)
                    Numero(mValori, f.iRiga, f.iPezzo);
                else
                    mValori << c.vRighe.front();
                mValori << ", chiamata " << Tipo(c) << ", " << f.sNome << " \"";
                mValori.Testo(f.sTaglio) << "\": ";
                mValori.Testo(f.sErrore);
                mValori.Fine();
            } else if (f.bVuoto) {
                u << "(vuoto";
                if (!f.sInterpretato.empty()) u.Testo(": " + f.sInterpretato);
                u << ')';
            } else {
                u.Testo(f.sInterpretato);
                if (!f.sNota.empty()) u.Testo(" (" + f.sNota + ")");
            }
            u.Fine();
        }
    }

    void RigaData(const RigaDataLetta& d) override {
        mPrincipale << "Data su riga isolata, riga ";
        Numero(mPrincipale, d.iRiga, d.iPezzo);
        mPrincipale << ": \"";
        mPrincipale.Testo(d.sTaglio)
            << "\" -> " << (d.sData.empty() ? std::string_view("NON VALIDA") : d.sData);
        mPrincipale.Fine();
    }

    void AvvisoRiga(uint64_t n, std::string_view sAvviso) override {
        mPrincipale << "AVVISO riga " << n << ": ";
        mPrincipale.Testo(sAvviso);
        mPrincipale.Fine();
    }

    void PezzoSenzaChiamata(uint64_t n, int iPezzo, std::string_view s,
                            std::string_view sTrasformata, std::string_view sPerche) override {
        NonRiconosciuta(n, static_cast<uint8_t>(iPezzo), s, sTrasformata, sPerche);
    }

    void RigaSenzaChiamata(uint64_t n, std::string_view s, MotivoRiga m,
                           std::string_view sTrasformata, std::string_view sPerche) override {
        if (m == MotivoRiga::NonRiconosciuta) {
            NonRiconosciuta(n, 0, s, sTrasformata, sPerche);
            return;
        }
        mSaltate << "riga " << n << ", ";
        switch (m) {
            case MotivoRiga::Vuota:
                mSaltate << "vuota";
                break;
            case MotivoRiga::Intestazione:
                mSaltate << "intestazione (RigheIntestazione)";
                break;
            case MotivoRiga::Saltata:
                mSaltate << "SaltaRigheCon";
                break;
            case MotivoRiga::FineStampa:
                mSaltate << "fine della stampa (FineStampa)";
                break;
            default:
                mSaltate << "dopo la fine della stampa";
                break;
        }
        if (m != MotivoRiga::Vuota) {
            mSaltate << ": ";
            mSaltate.Testo(s);
        }
        mSaltate.Fine();
    }

    // The sections after the calls, the closing line and the counts; then the rename.
    bool Chiudi(std::string& rsErrore) {
        Uscita& u = mPrincipale;
        u.Fine();
        u.Riga("RIGHE NON RICONOSCIUTE (in nessuna chiamata)");
        u.Accoda(mNonRiconosciute);
        u.Fine();
        u.Riga("RIGHE SALTATE");
        u.Accoda(mSaltate);
        u.Fine();
        u.Riga("VALORI NON VALIDI");
        u.Accoda(mValori);
        u.Fine();
        u.Riga("FINE DELLA VERIFICA");
        FILE* f = u.File();
        bool ok = u.Svuota();
        for (const auto& [pos, valore] : mvConteggi) {
            char b[32];
            std::snprintf(b, sizeof b, "%*llu", kLarghezzaNumero,
                          static_cast<unsigned long long>(valore()));
            ok = ok && ::fseeko(f, static_cast<off_t>(pos), SEEK_SET) == 0 &&
                 std::fwrite(b, 1, kLarghezzaNumero, f) == static_cast<size_t>(kLarghezzaNumero);
        }
        ok = ok && std::fflush(f) == 0;
        ok = ok && std::fclose(f) == 0;
        mPrincipale.Usa(nullptr);
        if (!ok) {
            rsErrore = "errore nella scrittura del log: " + Errno();
            return false;
        }
        std::error_code ec;
        fs::rename(msTemp, msLog, ec);
        if (ec) {
            rsErrore = "impossibile sostituire il log " + TestoPercorso(msLog) + ": " +
                       TestoPercorso(ec.message());
            return false;
        }
        msTemp.clear();
        return true;
    }

  private:
    void NonRiconosciuta(uint64_t n, uint8_t iPezzo, std::string_view s,
                         std::string_view sTrasformata, std::string_view sPerche) {
        Uscita& u = mNonRiconosciute;
        u << "riga ";
        Numero(u, n, iPezzo);
        u << ": ";
        u.Testo(s);
        u.Fine();
        if (!sTrasformata.empty()) {
            u << "    dopo le trasformazioni: ";
            u.Testo(sTrasformata);
            u.Fine();
        }
        if (!sPerche.empty()) {
            u << "    perch\xE9: ";
            u.Testo(sPerche);
            u.Fine();
        }
    }

    std::string msLog, msTemp;
    Uscita mPrincipale, mNonRiconosciute, mSaltate, mValori;
    std::vector<std::pair<uint64_t, std::function<uint64_t()>>> mvConteggi;
};

bool FileLeggibile(const std::string& s, std::string& rsErrore, const char* sCosa) {
    std::error_code ec;
    if (s.empty() || !fs::exists(s, ec)) {
        rsErrore = std::string(sCosa) + " non trovato: " + TestoPercorso(s);
        return false;
    }
    if (!fs::is_regular_file(s, ec)) {
        rsErrore = std::string(sCosa) + " non \xE8 un file: " + TestoPercorso(s);
        return false;
    }
    if (::access(s.c_str(), R_OK) != 0) {
        rsErrore = std::string(sCosa) + " non leggibile: " + TestoPercorso(s) + ": " + Errno();
        return false;
    }
    return true;
}

}  // namespace

std::string LogInBreve(std::string_view sTesta, std::string_view sCoda, uint64_t iDimensione,
                       size_t iMax) {
    if (iDimensione <= iMax && sTesta.size() == iDimensione) return std::string(sTesta);
    // The header ends where the calls begin; without that heading, at the last line end that
    // leaves room for a tail as long as the header.
    size_t fine = sTesta.find("\r\nCHIAMATE\r\n");
    fine = fine == std::string_view::npos ? sTesta.rfind('\n', std::min(sTesta.size(), iMax / 2))
                                          : fine + 2;
    if (fine == std::string_view::npos || fine > iMax / 2) fine = 0;
    std::string testa(sTesta.substr(0, fine));
    const auto riga = [&](uint64_t tolti) {
        return "\r\n... " + std::to_string(tolti) +
               " byte del log non mostrati (le chiamate e le righe fin qui): segue la fine del "
               "log ...\r\n\r\n";
    };
    // The tail: what fits after the header and the line, from a line's start.
    const size_t spazio = iMax - std::min(iMax, testa.size() + riga(iDimensione).size());
    std::string_view coda = sCoda.substr(sCoda.size() - std::min(sCoda.size(), spazio));
    if (coda.size() < sCoda.size()) {
        const size_t a = coda.find('\n');
        coda = a == std::string_view::npos ? std::string_view() : coda.substr(a + 1);
    }
    return testa + riga(iDimensione - testa.size() - coda.size()) + std::string(coda);
}

std::string DataOraAdesso() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char b[32];
    std::strftime(b, sizeof b, "%Y-%m-%d %H:%M:%S", &tm);
    return b;
}

bool ScriviLogErrore(const std::string& sLog, const std::string& sDriver,
                     const std::string& sCampione, const std::string& sErrore,
                     const std::string& sDataOra) {
    std::string testo;
    auto riga = [&](std::string_view e, std::string_view v) {
        testo += e;
        if (e.size() < kLarghezzaEtichetta) testo.append(kLarghezzaEtichetta - e.size(), ' ');
        testo += v;
        testo += kFineRiga;
    };
    testo = std::string("VERIFICA DEL DRIVER") + kFineRiga;
    riga("Driver:", TestoPercorso(sDriver));
    riga("Dati:", TestoPercorso(sCampione));
    riga("Data e ora:", sDataOra.empty() ? DataOraAdesso() : sDataOra);
    riga("Versione:", TARNO_VERSIONE);
    testo += kFineRiga;
    testo += "ERRORE: " + sErrore + kFineRiga;
    testo += kFineRiga;
    testo += std::string("VERIFICA NON ESEGUITA") + kFineRiga;
    return ScriviFileSicuro(sLog, testo);
}

const std::vector<VoceConteggio>& VociConteggi() {
    using C = const ConteggiAnalisi&;
    static const std::vector<VoceConteggio> voci = {
        {"Righe dei dati:", "righe", [](C c) { return c.iRighe; }},
        {"Chiamate riconosciute:", "chiamate", [](C c) { return c.Chiamate(); }},
        {"  entranti:", "entranti", [](C c) { return c.iEntranti; }},
        {"  uscenti:", "uscenti", [](C c) { return c.iUscenti; }},
        {"  entranti trasferite:", "entrantiTrasferite", [](C c) { return c.iEntrantiTrasferite; }},
        {"  uscenti trasferite:", "uscentiTrasferite", [](C c) { return c.iUscentiTrasferite; }},
        {"Chiamate incomplete (fine dati):", "incomplete", [](C c) { return c.iIncomplete; }},
        {"Righe di data:", "righeData", [](C c) { return c.iRigheData; }},
        {"Righe non riconosciute:", "nonRiconosciute", [](C c) { return c.iNonRiconosciute; }},
        {"Righe vuote saltate:", "vuote", [](C c) { return c.iVuote; }},
        {"Righe saltate dal prescanning:", "prescanning", [](C c) { return c.iPrescanning; }},
        {"Valori non validi:", "valoriNonValidi", [](C c) { return c.iValoriNonValidi; }},
        {"Righe troncate (troppo lunghe):", "righeTroncate", [](C c) { return c.iRigheTroncate; }},
    };
    return voci;
}

EsitoAnalisi AnalizzaCampione(const std::string& sDriver, const std::string& sCampione,
                              const MappaFormati& formati, IAnalisiCampione& rEsiti) {
    EsitoAnalisi esito;
    if (!FileLeggibile(sDriver, esito.sErrore, "file del driver") ||
        !FileLeggibile(sCampione, esito.sErrore, "file dei dati"))
        return esito;
    std::unique_ptr<FILE, int (*)(FILE*)> campione(std::fopen(sCampione.c_str(), "rb"),
                                                   &std::fclose);
    if (!campione) {
        esito.sErrore =
            "impossibile aprire il file dei dati " + TestoPercorso(sCampione) + ": " + Errno();
        return esito;
    }
    clsDriver driver;
    MessaggiRaccolti messaggi;
    driver.LoadDriver(sDriver, messaggi);
    clsAnalizzatore analisi(driver, formati, rEsiti);
    if (!rEsiti.Inizio(messaggi.mvTesti, analisi.Impostazioni())) {
        esito.stato = EsitoAnalisi::Fermata;
        return esito;
    }
    // The engine finds the line ends in the bytes itself.
    std::vector<char> blocco(kDimBuffer);
    for (size_t n; (n = std::fread(blocco.data(), 1, blocco.size(), campione.get())) > 0;)
        analisi.Dati(std::string_view(blocco.data(), n));
    const bool letto = !std::ferror(campione.get());
    analisi.Fine();
    esito.conteggi = analisi.Conteggi();
    if (letto) {
        esito.stato = EsitoAnalisi::Riuscita;
    } else {
        esito.stato = EsitoAnalisi::Interrotta;
        esito.sErrore =
            "lettura dei dati interrotta dopo la riga " + std::to_string(esito.conteggi.iRighe);
    }
    return esito;
}

namespace {

// The verification log as the receiver of one reading: the log opens, with its header, once the
// driver has been read.
class AnalisiNelLog : public IAnalisiCampione {
  public:
    AnalisiNelLog(const RichiestaVerifica& r, const std::string& sDataOra,
                  const ConteggiAnalisi& conteggi)
        : mr(r), msDataOra(sDataOra), mConteggi(conteggi), mLog(r.sLog) {}

    bool Inizio(const std::vector<std::string>& vMessaggi,
                const std::vector<NotaImpostazione>& vImpostazioni) override {
        if (!mLog.Apri(msErrore)) return false;
        // The counts are known at the end; their places are filled when the log closes.
        Uscita& u = mLog.Principale();
        Intestazione(u, mr.sDriver, mr.sCampione, msDataOra);
        for (const VoceConteggio& v : VociConteggi())
            mLog.Conteggio(v.sEtichetta, [this, &v] { return v.valore(mConteggi); });
        if (!vMessaggi.empty() || !mr.sAvvisoFormati.empty()) {
            u.Fine();
            u.Riga("MESSAGGI");
            if (!mr.sAvvisoFormati.empty()) u.Riga(mr.sAvvisoFormati);
            for (const auto& m : vMessaggi) u.Riga(m);
        }
        u.Fine();
        u.Riga("IMPOSTAZIONI DEL DRIVER");
        for (const auto& n : vImpostazioni) {
            u << Prefisso(n.stato);
            u.Riga(n.sTesto);
        }
        u.Fine();
        u.Riga("CHIAMATE");
        return true;
    }
    void Chiamata(const ChiamataLetta& c) override { mLog.Chiamata(c); }
    void RigaData(const RigaDataLetta& d) override { mLog.RigaData(d); }
    void RigaSenzaChiamata(uint64_t n, std::string_view s, MotivoRiga m,
                           std::string_view sTrasformata, std::string_view sPerche) override {
        mLog.RigaSenzaChiamata(n, s, m, sTrasformata, sPerche);
    }
    void PezzoSenzaChiamata(uint64_t n, int iPezzo, std::string_view s,
                            std::string_view sTrasformata, std::string_view sPerche) override {
        mLog.PezzoSenzaChiamata(n, iPezzo, s, sTrasformata, sPerche);
    }
    void AvvisoRiga(uint64_t n, std::string_view sAvviso) override { mLog.AvvisoRiga(n, sAvviso); }

    clsLogVerifica& Log() { return mLog; }
    const std::string& Errore() const { return msErrore; }

  private:
    const RichiestaVerifica& mr;
    const std::string& msDataOra;
    const ConteggiAnalisi& mConteggi;
    clsLogVerifica mLog;
    std::string msErrore;
};

}  // namespace

EsitoVerifica VerificaDriver(const RichiestaVerifica& r) {
    EsitoVerifica esito;
    const std::string dataOra = r.sDataOra.empty() ? DataOraAdesso() : r.sDataOra;
    AnalisiNelLog log(r, dataOra, esito.conteggi);
    const EsitoAnalisi analisi = AnalizzaCampione(r.sDriver, r.sCampione, r.formati, log);
    switch (analisi.stato) {
        case EsitoAnalisi::NonAvviata:
            esito.sErrore = analisi.sErrore;
            if (!ScriviLogErrore(r.sLog, r.sDriver, r.sCampione, esito.sErrore, dataOra))
                esito.sErrore += "; il log " + TestoPercorso(r.sLog) + " non pu\xF2 essere scritto";
            return esito;
        case EsitoAnalisi::Fermata:
            esito.sErrore = log.Errore();
            return esito;
        case EsitoAnalisi::Interrotta: {
            Uscita& u = log.Log().Principale();
            u.Fine();
            u << "ERRORE: " << analisi.sErrore;
            u.Fine();
            break;
        }
        case EsitoAnalisi::Riuscita:
            break;
    }
    esito.conteggi = analisi.conteggi;
    std::string errore;
    if (!log.Log().Chiudi(errore)) {
        esito.sErrore = errore;
        return esito;
    }
    esito.sErrore = analisi.sErrore;
    esito.bRiuscita = analisi.stato == EsitoAnalisi::Riuscita;
    return esito;
}

}  // namespace tarno

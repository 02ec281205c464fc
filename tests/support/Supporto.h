#pragma once
// What every test program shares: a temporary folder removed at the end of each test, whole-file
// reads and writes of bytes, readable literals for Windows-1252 driver text, and a real program
// run with its exit code, stdout and stderr.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarno::prova {

namespace fs = std::filesystem;

// Sets or clears the immutable attribute of a file or folder; false when the file system or
// the process does not allow it.
inline bool Immutabile(const fs::path& p, bool bAttiva) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = bAttiva ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// A unique folder under the system's temporary folder, removed with everything in it. Its
// name holds accented letters and a blank ("Città è società ..."), as Italian users' folders
// do, so that every test also proves that file names pass through untouched.
class CartellaTemp {
  public:
    CartellaTemp() : CartellaTemp(fs::temp_directory_path()) {}
    explicit CartellaTemp(const fs::path& base) {
        static std::atomic<unsigned> contatore{0};
        std::random_device rd;
        for (int tentativo = 0; tentativo < 100; ++tentativo) {
            const auto nome = "Citt\xC3\xA0 \xC3\xA8 societ\xC3\xA0 " + std::to_string(::getpid()) +
                              "_" + std::to_string(contatore++) + "_" +
                              std::to_string(rd() % 100000);
            mPercorso = base / nome;
            if (fs::create_directory(mPercorso)) return;
        }
        throw std::runtime_error("impossibile creare una cartella temporanea");
    }
    // A folder in memory (/dev/shm) when the system has one: for tests that write thousands of
    // files, where every synced replacement on a busy disk costs milliseconds.
    static fs::path BaseInMemoria() {
        std::error_code ec;
        const fs::path shm("/dev/shm");
        if (fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0) return shm;
        return fs::temp_directory_path();
    }
    ~CartellaTemp() {
        std::error_code ec;
        for (const auto& p : mImmutabili) Immutabile(p, false);
        fs::remove_all(mPercorso, ec);
    }
    CartellaTemp(const CartellaTemp&) = delete;
    CartellaTemp& operator=(const CartellaTemp&) = delete;

    const fs::path& Percorso() const { return mPercorso; }
    // The full path of a name inside the folder.
    std::string File(const std::string& sNome) const { return (mPercorso / sNome).string(); }
    // Marks a path immutable until the folder is removed; false when that is not possible.
    bool RendiImmutabile(const fs::path& p) {
        if (!Immutabile(p, true)) return false;
        mImmutabili.push_back(p);
        return true;
    }

  private:
    fs::path mPercorso;
    std::vector<fs::path> mImmutabili;
};

inline void ScriviFile(const fs::path& percorso, std::string_view sByte) {
    std::ofstream out(percorso, std::ios::binary | std::ios::trunc);
    out.write(sByte.data(), static_cast<std::streamsize>(sByte.size()));
    if (!out) throw std::runtime_error("scrittura non riuscita: " + percorso.string());
}

// The bytes of a file; "<assente>" when it cannot be read, so that comparisons show it.
inline std::string LeggiTutto(const fs::path& percorso) {
    std::error_code ec;
    if (!fs::is_regular_file(percorso, ec)) return "<assente>";
    std::ifstream in(percorso, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

// The names in a folder, sorted.
inline std::vector<std::string> NomiIn(const fs::path& cartella) {
    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) nomi.push_back(e.path().filename());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// A UTF-8 literal of the tests as Windows-1252 bytes: only the characters up to U+00FF are
// used ("·" becomes 0xB7, "è" 0xE8).
inline std::string W(std::string_view s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < s.size()) {
            const auto c2 = static_cast<unsigned char>(s[i + 1]);
            r += static_cast<char>(((c & 0x03) << 6) | (c2 & 0x3F));
            ++i;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

// Line ends LF of a raw literal as CR LF, and the literal as Windows-1252 bytes.
inline std::string Crlf(std::string_view s) {
    std::string r;
    for (char c : s) {
        if (c == '\n') r += '\r';
        r += c;
    }
    return W(r);
}

// What a program run left behind.
struct Esito {
    int iCodice = -1;  // the exit code; -1 when it did not exit normally
    std::string sOut;
    std::string sErr;
};

// Runs a program (args[0] is its path) with the given standard input, in folder sCartella when
// not empty, and collects its output. The output goes through temporary files, so a program
// that writes a lot never blocks on a pipe.
inline Esito Esegui(const std::vector<std::string>& args, const std::string& sIngresso = "",
                    const fs::path& cartella = {}) {
    CartellaTemp temp;
    const auto in = temp.Percorso() / "stdin", out = temp.Percorso() / "stdout",
               err = temp.Percorso() / "stderr";
    ScriviFile(in, sIngresso);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fi = ::open(in.c_str(), O_RDONLY);
        const int fo = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fe = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fi < 0 || fo < 0 || fe < 0) ::_exit(126);
        ::dup2(fi, 0);
        ::dup2(fo, 1);
        ::dup2(fe, 2);
        if (!cartella.empty() && ::chdir(cartella.c_str()) != 0) ::_exit(126);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Esito e;
    int stato = 0;
    if (pid > 0 && ::waitpid(pid, &stato, 0) == pid && WIFEXITED(stato))
        e.iCodice = WEXITSTATUS(stato);
    e.sOut = LeggiTutto(out);
    e.sErr = LeggiTutto(err);
    return e;
}

// True when tests that need something this machine lacks (a PostgreSQL server, root) must fail
// rather than skip: CI sets CI=true, and there nothing may be silently left out.
inline bool NonSaltare() {
    const char* ci = std::getenv("CI");
    return ci && std::string_view(ci) == "true";
}

// A driver whose incoming calls are the lines starting with "E", with the fields given
// (Campo_0=...).
inline std::string DriverEntrantiE(const std::string& sCampi) {
    return "[Centralino]\r\nOffset=0\r\n[Condizioni]\r\nCondizione_0=UGUALE_A\xB7"
           "1,1,1\xB7\"E\"\xB7\r\n[Entranti]\r\nNumero_Righe=1\r\nCondizioni=Condizione_0\r\n" +
           sCampi;
}

// The fields and the lines the preview's failure groups are tried on: a start time (with the
// format code given), a duration blank on one call and unread on two, numbers with letters and
// an extension blank on one call.
inline std::string CampiGruppi(const std::string& sFormatoInizio) {
    return "Campo_0=\"dOraInizio\"\xB7"
           "3,5,1\xB7\xB7N\xB7" +
           sFormatoInizio +
           "\xB7\r\n"
           "Campo_1=\"dDurata\"\xB7"
           "9,8,1\xB7\xB7N\xB7"
           "16\xB7\r\n"
           "Campo_2=\"sNumero\"\xB7"
           "18,16,1\xB7\xB7N\xB7\xB7\r\n"
           "Campo_3=\"sDerivato\"\xB7"
           "34,3,1\xB7\xB7N\xB7\xB7\r\n";
}
inline constexpr const char* kStampaGruppi =
    "E 10:15 00:02:30 RG 612-804-4082 201\r\n"
    "E 10:20          RG 612-555-1212    \r\n"
    "E 10:25 00:00:12 RG 0255512       7\r\n";

}  // namespace tarno::prova

// Skips a test for a reason, except under CI, where the same reason fails it.
#define TARNO_SALTA_SE(condizione, motivo)                                     \
    do {                                                                       \
        if (condizione) {                                                      \
            if (::tarno::prova::NonSaltare()) FAIL() << "CI=true: " << motivo; \
            GTEST_SKIP() << motivo;                                            \
        }                                                                      \
    } while (0)

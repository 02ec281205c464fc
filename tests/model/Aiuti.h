#pragma once
// Helpers shared by the model tests: a temporary folder removed at the end of each test,
// whole-file reads and writes of Windows-1252 bytes, and readable literals for driver text.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
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

// A unique folder under the system's temporary folder, removed with everything in it.
class CartellaTemp {
  public:
    CartellaTemp() : CartellaTemp(fs::temp_directory_path()) {}
    explicit CartellaTemp(const fs::path& base) {
        static std::atomic<unsigned> contatore{0};
        std::random_device rd;
        for (int tentativo = 0; tentativo < 100; ++tentativo) {
            const auto nome = "tarno_model_" + std::to_string(::getpid()) + "_" +
                              std::to_string(contatore++) + "_" + std::to_string(rd() % 100000);
            mPercorso = base / nome;
            if (fs::create_directory(mPercorso)) return;
        }
        throw std::runtime_error("impossibile creare una cartella temporanea");
    }
    // A folder in memory (/dev/shm) when the system has one, otherwise in the temporary
    // folder. For tests that write thousands of files: every replacement of a file is synced
    // to disk, which on a busy disk costs milliseconds each.
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

inline void ScriviFile(const std::string& sPercorso, std::string_view sByte) {
    std::ofstream out(sPercorso, std::ios::binary | std::ios::trunc);
    out.write(sByte.data(), static_cast<std::streamsize>(sByte.size()));
    if (!out) throw std::runtime_error("scrittura non riuscita: " + sPercorso);
}

// The bytes of a file; "<assente>" when it cannot be read, so that comparisons show it.
inline std::string LeggiTutto(const std::string& sPercorso) {
    std::error_code ec;
    if (!fs::is_regular_file(sPercorso, ec)) return "<assente>";
    std::ifstream in(sPercorso, std::ios::binary);
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

}  // namespace tarno::prova

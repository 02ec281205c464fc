#pragma once
// A folder of its own for one fuzzing process, under the system's temporary folder (TMPDIR),
// removed when the process ends normally.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

class CartellaFuzz {
  public:
    explicit CartellaFuzz(const std::string& sPrefisso) {
        msPercorso =
            std::filesystem::temp_directory_path() / (sPrefisso + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(msPercorso);
    }
    ~CartellaFuzz() {
        std::error_code ec;
        std::filesystem::remove_all(msPercorso, ec);
    }
    CartellaFuzz(const CartellaFuzz&) = delete;
    CartellaFuzz& operator=(const CartellaFuzz&) = delete;

    std::string File(const std::string& sNome) const { return (msPercorso / sNome).string(); }

    // Writes the bytes as the whole content of a file of the folder; its path.
    std::string Scrivi(const std::string& sNome, const std::string& sContenuto) const {
        const std::string percorso = File(sNome);
        std::FILE* f = std::fopen(percorso.c_str(), "wb");
        if (!f) __builtin_trap();
        if (!sContenuto.empty() &&
            std::fwrite(sContenuto.data(), 1, sContenuto.size(), f) != sContenuto.size())
            __builtin_trap();
        std::fclose(f);
        return percorso;
    }

    // Removes a file of the folder and its ".bak" copy.
    void Togli(const std::string& sNome) const {
        std::error_code ec;
        std::filesystem::remove(File(sNome), ec);
        std::filesystem::remove(File(sNome + ".bak"), ec);
    }

  private:
    std::filesystem::path msPercorso;
};

// The bytes of a file, or nothing when it cannot be read.
inline std::string LeggiTutto(const std::string& sPercorso) {
    std::string r;
    std::FILE* f = std::fopen(sPercorso.c_str(), "rb");
    if (!f) return r;
    char buf[8192];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) r.append(buf, n);
    std::fclose(f);
    return r;
}

// A text with every byte outside printable ASCII written as \xNN, for reports.
inline std::string Leggibile(const std::string& s) {
    std::string r;
    char buf[8];
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            r += static_cast<char>(c);
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            r += buf;
        }
    }
    return r;
}

// Stops the run with a message when a property does not hold (libFuzzer keeps the input).
#define FUZZ_VERIFICA(cond, testo)                                                 \
    do {                                                                           \
        if (!(cond)) {                                                             \
            std::fprintf(stderr, "fuzz: %s (%s:%d)\n", testo, __FILE__, __LINE__); \
            std::abort();                                                          \
        }                                                                          \
    } while (0)

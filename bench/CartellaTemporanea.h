#pragma once
// A folder of its own under the system's temporary folder for a benchmark's files, removed at
// exit; one per program.

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tarno::bench {

class CartellaTemporanea {
  public:
    CartellaTemporanea() {
        std::random_device rd;
        const auto nome =
            "tarno-bench-" + std::to_string(rd()) + "-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        msPercorso = std::filesystem::temp_directory_path() / nome;
        std::filesystem::create_directories(msPercorso);
    }
    ~CartellaTemporanea() {
        std::error_code ec;
        std::filesystem::remove_all(msPercorso, ec);
    }
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;
    std::string File(const std::string& sNome) const { return (msPercorso / sNome).string(); }

  private:
    std::filesystem::path msPercorso;
};

inline CartellaTemporanea& Cartella() {
    static CartellaTemporanea cartella;
    return cartella;
}

}  // namespace tarno::bench

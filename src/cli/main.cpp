// tarnodrv: the driver model from the command line.
//
//   tarnodrv ini-get FILE SECTION [KEY]        the profile lookup (500-character buffer)
//   tarnodrv ini-set FILE SECTION KEY VALUE    ScriviChiaveINI once
//   tarnodrv dump FILE                         LoadDriver, the document as JSON
//   tarnodrv resave IN OUT                     LoadDriver IN, SaveDriver OUT
//
// Files hold Windows-1252 text; arguments, JSON and messages are UTF-8. The model's messages
// go to stderr, one a line.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "DriverJson.h"
#include "Messaggi.h"
#include "Testo.h"
#include "clsDriver.h"
#include "clsFileINI.h"
#include "clsProfiloINI.h"

namespace {

using namespace tarno;

constexpr const char* kUso =
    "uso:\n"
    "  tarnodrv ini-get FILE SEZIONE [CHIAVE]\n"
    "  tarnodrv ini-set FILE SEZIONE CHIAVE VALORE\n"
    "  tarnodrv dump FILE\n"
    "  tarnodrv resave ORIGINE DESTINAZIONE\n";

// Prints each message on its own line of stderr; a line break inside one shows as "\n".
class MessaggiSuStderr : public IMessaggi {
public:
    void Mostra(const std::string& sTesto, const std::string&, Icona) override {
        std::string riga;
        for (size_t i = 0; i < sTesto.size(); ++i) {
            if (sTesto[i] == '\r' && i + 1 < sTesto.size() && sTesto[i + 1] == '\n') {
                riga += "\\n";
                ++i;
            } else {
                riga += sTesto[i];
            }
        }
        std::cerr << Cp1252InUtf8(riga) << '\n';
    }
};

int Uso() {
    std::cerr << kUso;
    return 2;
}

// An argument in the files' encoding; texts Windows-1252 cannot hold stop with a usage error.
bool Argomento(const char* sArg, std::string& rsOut) {
    std::string errore;
    auto v = Utf8InCp1252(sArg, &errore);
    if (!v) {
        std::cerr << "tarnodrv: argomento \"" << sArg << "\" non valido: " << errore << '\n';
        return false;
    }
    rsOut = std::move(*v);
    return true;
}

void Stampa(const std::string& sTesto) {
    const std::string utf8 = Cp1252InUtf8(sTesto);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arg(argv + 1, argv + argc);
    if (arg.empty()) return Uso();
    const std::string& comando = arg[0];
    std::vector<std::string> p(arg.size() - 1);
    for (size_t i = 1; i < arg.size(); ++i)
        if (!Argomento(argv[i + 1], p[i - 1])) return Uso();
    // File names stay as the system gives them.
    auto file = [&](size_t i) { return arg[i + 1]; };

    if (comando == "ini-get" && (p.size() == 2 || p.size() == 3)) {
        const auto profilo = clsProfiloINI::DaFile(file(0));
        Stampa(p.size() == 3 ? profilo.Leggi(p[1], p[2]) : profilo.ElencoChiavi(p[1]));
        return 0;
    }
    if (comando == "ini-set" && p.size() == 4) {
        return ScriviChiaveINI(p[1], p[2], p[3], file(0)) == 1 ? 0 : 1;
    }
    MessaggiSuStderr messaggi;
    if (comando == "dump" && p.size() == 1) {
        clsDriver driver;
        driver.LoadDriver(file(0), messaggi);
        std::cout << DriverInJson(driver).dump(2) << '\n';
        return 0;
    }
    if (comando == "resave" && p.size() == 2) {
        clsDriver driver;
        driver.LoadDriver(file(0), messaggi);
        driver.SaveDriver(file(1), messaggi);
        return 0;
    }
    return Uso();
}

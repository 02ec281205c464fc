#pragma once
// Helpers of the legacy tests: a temporary folder, a generator of 78-line legacy drivers, a
// format catalogue in memory and a member-by-member comparison of two documents.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Messaggi.h"
#include "clsDriver.h"
#include "modOldDriver.h"

namespace tarno::test {

// A unique folder under the system's temporary folder, removed with everything in it.
class CartellaTemporanea {
  public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    std::string Percorso(const std::string& sNome) const { return (mPercorso / sNome).string(); }
    // Writes the bytes as they are and returns the path.
    std::string Scrivi(const std::string& sNome, const std::string& sContenuto) const;

  private:
    std::filesystem::path mPercorso;
};

std::string LeggiTutto(const std::string& sPercorso);

// A legacy driver, line by line. Lines are numbered as the reader numbers them: 1 to 18,
// then 24 to 78 (the notes block, which starts at line 18, replaces lines 18 to 23 whatever
// its length). Unchanged lines hold the realistic content of Base().
struct VecchioDriver {
    std::map<int, std::string> mRighe;  // numbers 1-17 and 24-78
    std::vector<std::string> mvNote;    // line 18 on, up to and including "VARIE"
    int iUltima = 78;                   // the last numbered line written

    static VecchioDriver Base();
    VecchioDriver& Riga(int n, const std::string& s) {
        mRighe[n] = s;
        return *this;
    }
    // The file text with the given line end after every line.
    std::string Testo(const std::string& sFine = "\r\n") const;
};

// A small format catalogue: "gg/mm/aa" 3 (date); "hh:mm" 1, "hh:mm:ss" 2, "mm:ss" 4 (time).
// Every question is recorded.
struct CatalogoFinto {
    std::vector<std::pair<std::string, bool>> mvDomande;
    CercaFormato Funzione();
};

// Compares two documents member by member (collections absent and empty count as equal).
// bDopoRilettura: b was read back from a file written from a, so condition lists of a end
// at the first condition whose conjunction is empty, trailing blanks of the offset are
// dropped and the notes end at their first line break.
void ConfrontaDriver(const clsDriver& a, const clsDriver& b, bool bDopoRilettura);

// Converts a legacy file, applies a program, saves the result and loads it again; fails the
// test on any message.
struct Conversione {
    clsDriver mConvertito;
    clsDriver mRiletto;
    MessaggiRaccolti mMessaggi;
};
void ConvertiSalvaRileggi(const std::string& sVecchio, const std::string& sDrv, int32_t lProgramma,
                          const CercaFormato& cerca, Conversione& r);

}  // namespace tarno::test

#pragma once
// A two-dimensional table of values (rows x columns, indexes from 0); an unset cell holds "".
// The grids of the editor show such tables, and the catalogue fills its format lists in them.

#include <stdexcept>
#include <string>
#include <vector>

namespace tarno {

class TabellaValori {
  public:
    TabellaValori() = default;
    TabellaValori(int iRighe, int iColonne) { Dimensiona(iRighe, iColonne); }

    // Resizes to iRighe x iColonne; every cell becomes "".
    void Dimensiona(int iRighe, int iColonne) {
        if (iRighe < 0 || iColonne < 0) throw std::out_of_range("dimensioni negative");
        miRighe = iRighe;
        miColonne = iColonne;
        mvCelle.assign(static_cast<size_t>(iRighe) * static_cast<size_t>(iColonne), std::string());
    }
    int Righe() const { return miRighe; }
    int Colonne() const { return miColonne; }

    std::string& Cella(int r, int c) { return mvCelle.at(Indice(r, c)); }
    const std::string& Cella(int r, int c) const { return mvCelle.at(Indice(r, c)); }

    // Inserts an empty row before row r (r == Righe() appends).
    void InserisciRiga(int r) {
        if (r < 0 || r > miRighe) throw std::out_of_range("riga fuori dai limiti");
        mvCelle.insert(mvCelle.begin() + static_cast<long>(r) * miColonne,
                       static_cast<size_t>(miColonne), std::string());
        ++miRighe;
    }
    void EliminaRiga(int r) {
        const auto da = mvCelle.begin() + static_cast<long>(Indice(r, 0));
        mvCelle.erase(da, da + miColonne);
        --miRighe;
    }

    bool operator==(const TabellaValori&) const = default;

  private:
    size_t Indice(int r, int c) const {
        if (r < 0 || r >= miRighe || c < 0 || c >= miColonne)
            throw std::out_of_range("cella fuori dai limiti");
        return static_cast<size_t>(r) * static_cast<size_t>(miColonne) + static_cast<size_t>(c);
    }

    int miRighe = 0;
    int miColonne = 0;
    std::vector<std::string> mvCelle;
};

}  // namespace tarno

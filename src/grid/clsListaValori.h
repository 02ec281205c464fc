#pragma once
// The value list of a grid column: pairs (stored value, display text). It translates stored
// values into texts for display, can restrict input to the listed values and can be offered
// as a combo list.

#include <QString>
#include <string>
#include <vector>

namespace tarno {

class clsListaValori {
  public:
    struct Voce {
        std::string msValore;  // Windows-1252, as the value table holds it
        QString msTesto;       // what the grid shows
    };

    // Adds an item; a second item with the same stored value is ignored.
    void Aggiungi(const std::string& sValore, const QString& sTesto);
    // Adds an item whose display text is the value itself.
    void AggiungiValore(const std::string& sValore);
    // Adds the values viDa to viA as decimal texts.
    void AggiungiIntervallo(int viDa, int viA);
    void Svuota();

    bool Vuota() const { return mvVoci.empty(); }
    int Conta() const { return static_cast<int>(mvVoci.size()); }
    const std::vector<Voce>& Voci() const { return mvVoci; }

    // Stored values are shown as their texts (on by default).
    void ImpostaTraduci(bool vb) { mbTraduci = vb; }
    bool Traduci() const { return mbTraduci; }
    // Input other than the listed values (and the empty text) is refused (off by default).
    void ImpostaLimita(bool vb) { mbLimita = vb; }
    bool Limita() const { return mbLimita; }
    // The cell is edited with a combo list of the texts (off by default).
    void ImpostaCombo(bool vb) { mbCombo = vb; }
    bool Combo() const { return mbCombo; }
    // The combo list takes typed text too, checked as typing it in a plain cell is (a list
    // that does not restrict input always does).
    void ImpostaDigitabile(bool vb) { mbDigitabile = vb; }
    bool Digitabile() const { return mbDigitabile || !mbLimita; }
    // In the combo list the Up and Down keys go from row to row as in a text cell, instead of
    // choosing the item before or after (off by default; Alt+Down still opens the list).
    void ImpostaFrecceTraRighe(bool vb) { mbFrecceTraRighe = vb; }
    bool FrecceTraRighe() const { return mbFrecceTraRighe; }

    const Voce* CercaValore(const std::string& sValore) const;
    // The item whose display text equals vsTesto, letter case ignored.
    const Voce* CercaTesto(const QString& vsTesto) const;

  private:
    std::vector<Voce> mvVoci;
    bool mbTraduci = true;
    bool mbLimita = false;
    bool mbCombo = false;
    bool mbDigitabile = false;
    bool mbFrecceTraRighe = false;
};

}  // namespace tarno

#pragma once
// A drop-down list that a grid column offers while a cell is edited: the rows of another value
// table, one column shown as text, another one (when given) written into the cell. Without a
// value column the chosen text goes through the grid column's value list, as if typed.
// The owner keeps the drop-down and its table alive as long as a grid uses them.

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "model/TabellaValori.h"

namespace tarno {

class clsDropDown : public QObject {
    Q_OBJECT
  public:
    struct Voce {
        QString msTesto;                      // shown in the list
        std::optional<std::string> moValore;  // written into the cell (Windows-1252)
    };

    explicit clsDropDown(QObject* pGenitore = nullptr);

    // viColonnaValore < 0: no value column.
    void Associa(const TabellaValori* prgx, int viColonnaTesto = 0, int viColonnaValore = -1);
    const TabellaValori* Tabella() const { return mpTabella; }
    int ColonnaTesto() const { return miColonnaTesto; }
    int ColonnaValore() const { return miColonnaValore; }

    void ImpostaTitolo(const QString& vsTitolo) { msTitolo = vsTitolo; }
    const QString& Titolo() const { return msTitolo; }

    // The entries, read from the table now (one per table row, in order).
    std::vector<Voce> Voci() const;
    // The text of the first row whose value column holds vsValore.
    std::optional<QString> TestoDi(const std::string& vsValore) const;

  private:
    const TabellaValori* mpTabella = nullptr;
    int miColonnaTesto = 0;
    int miColonnaValore = -1;
    QString msTitolo;
};

}  // namespace tarno

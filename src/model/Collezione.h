#pragma once
// The ordered collection of the model: items numbered from 1, each with an optional text key;
// key lookup ignores letter case and a second item under an existing key is refused.

#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Testo.h"

namespace tarno {

template <class T>
class Collezione {
  public:
    struct Voce {
        std::optional<std::string> chiave;
        T valore;
    };

    // Appends an item without a key.
    void Add(T item) { mvVoci.push_back(Voce{std::nullopt, std::move(item)}); }

    // Appends an item under a key; false (and nothing added) when the key is taken.
    bool Add(T item, const std::string& sChiave) {
        auto [it, nuova] = mmIndice.emplace(ChiaveNoCase(sChiave), mvVoci.size());
        if (!nuova) return false;
        mvVoci.push_back(Voce{sChiave, std::move(item)});
        return true;
    }

    int Count() const { return static_cast<int>(mvVoci.size()); }
    bool Vuota() const { return mvVoci.empty(); }

    // Item by position, from 1.
    T& Item(int i) { return mvVoci.at(Posizione(i)).valore; }
    const T& Item(int i) const { return mvVoci.at(Posizione(i)).valore; }
    const std::optional<std::string>& Chiave(int i) const { return mvVoci.at(Posizione(i)).chiave; }

    // Item by key, letter case ignored; nullptr when there is none.
    T* Trova(const std::string& sChiave) {
        auto it = mmIndice.find(ChiaveNoCase(sChiave));
        return it == mmIndice.end() ? nullptr : &mvVoci[it->second].valore;
    }
    const T* Trova(const std::string& sChiave) const {
        auto it = mmIndice.find(ChiaveNoCase(sChiave));
        return it == mmIndice.end() ? nullptr : &mvVoci[it->second].valore;
    }

    void Remove(int i) {
        mvVoci.erase(mvVoci.begin() + static_cast<long>(Posizione(i)));
        Reindicizza();
    }
    void Clear() {
        mvVoci.clear();
        mmIndice.clear();
    }

    auto begin() { return mvVoci.begin(); }
    auto end() { return mvVoci.end(); }
    auto begin() const { return mvVoci.begin(); }
    auto end() const { return mvVoci.end(); }

  private:
    size_t Posizione(int i) const {
        if (i < 1 || i > Count())
            throw std::out_of_range("indice della collezione fuori dai limiti");
        return static_cast<size_t>(i - 1);
    }
    void Reindicizza() {
        mmIndice.clear();
        for (size_t k = 0; k < mvVoci.size(); ++k)
            if (mvVoci[k].chiave) mmIndice.emplace(ChiaveNoCase(*mvVoci[k].chiave), k);
    }

    std::vector<Voce> mvVoci;
    std::unordered_map<std::string, size_t> mmIndice;
};

}  // namespace tarno

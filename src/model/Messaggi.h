#pragma once
// Where the model's messages go. The model never shows a window: the caller gives a sink
// (the editor shows a message box, the command-line tool prints, tests collect).

#include <string>
#include <utility>
#include <vector>

namespace tarno {

inline constexpr const char* TITOLO_ATTENZIONE = "Attenzione";

enum class Icona { Esclamazione, Critico };

class IMessaggi {
  public:
    virtual ~IMessaggi() = default;
    // A message with an OK button; the text is Windows-1252.
    virtual void Mostra(const std::string& sTesto, const std::string& sTitolo = TITOLO_ATTENZIONE,
                        Icona icona = Icona::Esclamazione) = 0;
};

// Keeps every message in order.
class MessaggiRaccolti : public IMessaggi {
  public:
    struct Messaggio {
        std::string sTesto;
        std::string sTitolo;
        Icona icona;
    };
    void Mostra(const std::string& sTesto, const std::string& sTitolo = TITOLO_ATTENZIONE,
                Icona icona = Icona::Esclamazione) override {
        mvTesti.push_back(sTesto);
        mvMessaggi.push_back(Messaggio{sTesto, sTitolo, icona});
    }
    void InoltraA(IMessaggi& altro) const {
        for (const auto& m : mvMessaggi) altro.Mostra(m.sTesto, m.sTitolo, m.icona);
    }
    std::vector<std::string> mvTesti;  // the texts alone, for quick comparisons
    std::vector<Messaggio> mvMessaggi;
};

// Drops every message.
class MessaggiMuti : public IMessaggi {
  public:
    void Mostra(const std::string&, const std::string&, Icona) override {}
};

}  // namespace tarno

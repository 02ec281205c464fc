#pragma once
// Where the model's messages go. The model never shows a window: the caller gives a sink
// (the editor shows a message box, the command-line tool prints, tests collect).

#include <string>
#include <utility>
#include <vector>

namespace tarno {

inline constexpr const char* TITOLO_ATTENZIONE = "Attenzione";

class IMessaggi {
public:
    virtual ~IMessaggi() = default;
    // A warning with the exclamation icon and an OK button; the text is Windows-1252.
    virtual void Mostra(const std::string& sTesto, const std::string& sTitolo = TITOLO_ATTENZIONE) = 0;
};

// Keeps every message in order.
class MessaggiRaccolti : public IMessaggi {
public:
    void Mostra(const std::string& sTesto, const std::string& sTitolo = TITOLO_ATTENZIONE) override {
        mvTesti.push_back(sTesto);
        mvTitoli.push_back(sTitolo);
    }
    void InoltraA(IMessaggi& altro) const {
        for (size_t i = 0; i < mvTesti.size(); ++i) altro.Mostra(mvTesti[i], mvTitoli[i]);
    }
    std::vector<std::string> mvTesti;
    std::vector<std::string> mvTitoli;
};

// Drops every message.
class MessaggiMuti : public IMessaggi {
public:
    void Mostra(const std::string&, const std::string&) override {}
};

}  // namespace tarno

#pragma once
// What the fuzz targets share besides the tests' temporary folder (tests/support/Supporto.h):
// readable reports of bytes and the check that stops a run.

#include <cstdio>
#include <cstdlib>
#include <string>

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

#pragma once
// A line of the printout as the engine reads it, with where its characters came from.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tarno {

// One line (or piece of a cut line) as the engine reads it.
struct RigaMotore {
    uint64_t iNumero = 0;  // line of the printout, from 1
    uint8_t iPezzo = 0;    // 1, 2 for the pieces of a cut line; 0 for a whole line
    // As read: without the control characters dropped and the prefix, before the
    // transformations of level INIZIALE.
    std::string_view sLetta;
    // As the engine tests and cuts it: after the transformations of level INIZIALE.
    std::string_view sTesto;
    // Where the characters of sLetta came from: the line's first byte in the printout, the
    // characters of the line (after the control characters were dropped) before sLetta, and
    // the positions in the printed line of the characters dropped, ascending.
    uint64_t iByte = 0;
    size_t iSalto = 0;
    const std::vector<uint32_t>* pTolti = nullptr;

    // The byte offset in the printout of character i (from 0) of sLetta; past its end, of the
    // place just after the line's last character. A transformation of level INIZIALE that moves
    // text (INSERISCI, ESPANDI) shifts sTesto against these origins.
    uint64_t Origine(size_t i) const;
};

}  // namespace tarno

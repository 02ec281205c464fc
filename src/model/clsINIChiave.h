#pragma once

#include <string>

namespace tarno {

// One key line of a section: the key name and its value.
struct clsINIChiave {
    std::string msEntry;
    std::string msValue;
};

}  // namespace tarno

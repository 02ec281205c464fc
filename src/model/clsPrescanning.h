#pragma once

#include <string>

namespace tarno {

// One parameter of the prescanning table and its value.
struct clsPrescanning {
    std::string sEntry;
    std::string sValue;
};

}  // namespace tarno

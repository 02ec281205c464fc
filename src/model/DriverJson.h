#pragma once
// The driver document as JSON (UTF-8 texts): member names as in the model, an absent object
// or collection is null, collections are arrays whose items carry "key" (null when none).

#include <nlohmann/json.hpp>

namespace tarno {

class clsDriver;

nlohmann::ordered_json DriverInJson(const clsDriver& driver);

}  // namespace tarno

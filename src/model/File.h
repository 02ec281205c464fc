#pragma once
// Whole-file reads and writes. A file is never left half-written: new content goes to a
// temporary file in the same folder, which is then renamed over the target.

#include <optional>
#include <string>

namespace tarno {

// The bytes of a file; nullopt when it does not exist or cannot be read.
std::optional<std::string> LeggiFile(const std::string& sPercorso);
bool EsisteFile(const std::string& sPercorso);
// True when the file can be opened for writing: it is a writable file, or it does not exist
// and its folder exists.
bool PuoScrivere(const std::string& sPercorso);
// Replaces the file's content; false (and the file as it was) when that fails.
bool ScriviFileSicuro(const std::string& sPercorso, const std::string& sContenuto);

}  // namespace tarno

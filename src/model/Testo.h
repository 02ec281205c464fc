#pragma once
// Text helpers. Every text of the core is a std::string of Windows-1252 bytes: positions and
// lengths count characters exactly as the files do.

#include <optional>
#include <string>
#include <string_view>

namespace tarno {

// The separator of the values of a driver file: the middle dot, byte 0xB7.
inline constexpr char SEP = '\xB7';
inline constexpr const char* SEP_S = "\xB7";

// Upper case of one Windows-1252 character (ASCII and the accented Latin letters).
char MaiuscolaCP1252(char c);
std::string Maiuscolo(std::string_view s);
// Text equality without regard to letter case.
bool UgualeNoCase(std::string_view a, std::string_view b);
// The key under which case-insensitive lookups file a text.
std::string ChiaveNoCase(std::string_view s);

// Leading and trailing space characters removed (only the blank, tabs stay).
std::string_view TogliSpazi(std::string_view s);
// Leading and trailing blanks of any kind removed (space, tab, CR, LF, VT, FF).
std::string_view TogliBianchi(std::string_view s);

// The text strictly between the separators at positions da and a, without its first and last
// character (the quotation marks around a quoted part); "" when that leaves nothing.
std::string TraVirgolette(std::string_view s, size_t da, size_t a);

// A character as the driver names it: "<ETX>" (any case), its decimal code, or the character
// itself; nullopt for anything else. CarattereInTesto writes it back: a control character by
// its name, any other as itself.
std::optional<char> CarattereDaTesto(std::string_view s);
std::string CarattereInTesto(char c);
// The name of a control character (codes 0-31: "NUL".."US", 127: "DEL"); nullptr for others.
const char* NomeControllo(char c);

// The run of decimal digits at the end of a text ("" when it ends otherwise).
std::string CifreFinali(std::string_view s);

// Windows-1252 to UTF-8 (every byte maps; the five unassigned bytes become the C1 controls
// of the same value).
std::string Cp1252InUtf8(std::string_view s);
// UTF-8 to Windows-1252; nullopt when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot hold. The first such character is described in rsErrore (UTF-8 text).
std::optional<std::string> Utf8InCp1252(std::string_view s, std::string* rsErrore = nullptr);
// A file name (the file system's UTF-8 bytes) as a Windows-1252 message shows it: each
// character Windows-1252 cannot hold, and each byte that is not UTF-8, becomes "?".
std::string NomeFileInCp1252(std::string_view s);

}  // namespace tarno

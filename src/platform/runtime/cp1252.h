#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tf {

// Windows-1252, the encoding of every text the game stores, to and from
// UTF-8, the system's encoding for names on disk.

std::string Cp1252ToUtf8(std::string_view bytes);

// Nothing when the text is not UTF-8 or holds a character Windows-1252 lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The same with each such character, or each byte that is not UTF-8, as "?".
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// A system name as UTF-8 text: each byte that is not UTF-8 becomes U+FFFD.
std::string Utf8Lossy(std::string_view bytes);

}  // namespace tf

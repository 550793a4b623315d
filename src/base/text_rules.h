// Pure text rules shared by the plug-in, the stand-in player and
// dislist-log: no Windows call, so they test and fuzz natively.
#pragma once

#include <string_view>

namespace dislist {

// Whether the bytes are well-formed UTF-8: no cut sequences, overlong
// forms, surrogates (ED A0..BF) or values past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The name part of a path: what follows its last "\" or "/", or all of it.
inline std::string_view NamePart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace dislist

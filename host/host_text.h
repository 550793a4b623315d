// Text conversions for the stand-in player's own use (its messages, its
// playlists). To UTF-8 it is the project's one conversion.
#pragma once

#include <string>

namespace standin {

std::string ToUtf8(const std::wstring& text);
std::wstring ToWide(const std::string& utf8);

}  // namespace standin

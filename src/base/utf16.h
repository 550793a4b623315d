// UTF-16 text of Windows and the host as UTF-8, for the log and for every
// program of the project that prints or stores names, and back.
#pragma once

#include <cstddef>
#include <string>

namespace dislist {

// UTF-8 form of exactly `count` UTF-16 units; empty for a null pointer, a zero
// count or a conversion failure. Unpaired surrogates become U+FFFD.
std::string WideToUtf8(const wchar_t* text, std::size_t count);

// The same conversion into the start of `buffer`, returning the number of
// bytes. The buffer is reused: it grows only when a text needs more room
// than any before it and never shrinks, so the bytes after the result are
// left over from earlier texts.
std::size_t WideToUtf8Into(const wchar_t* text, std::size_t count, std::string& buffer);

// The other way: UTF-16 form of UTF-8 bytes, for Windows calls that take
// wide text; empty for empty text or a conversion failure. Bytes that are
// not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(const char* text, std::size_t count);

}  // namespace dislist

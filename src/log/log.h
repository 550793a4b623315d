// The diagnostic log and the conversion of the host's UTF-16 text.
#pragma once

#include <cstddef>
#include <string>

#include "log/text.h"

namespace dislist {

// Fixed at build time; its folder is never created by the plug-in.
inline constexpr wchar_t kLogFilePath[] = L"C:\\AIMPPlugin\\AIMP_Dislist.log";

// Appends one line. Never fails towards the caller: a log that cannot be
// opened or written loses the line and nothing else happens.
void WriteLogLine(const std::string& message) noexcept;

// UTF-8 form of exactly `count` UTF-16 units; empty for a null pointer, a zero
// count or a conversion failure. Unpaired surrogates become U+FFFD.
std::string WideToUtf8(const wchar_t* text, std::size_t count);

// The same conversion into the start of `buffer`, returning the number of
// bytes. The buffer is reused: it grows only when a text needs more room
// than any before it and never shrinks, so the bytes after the result are
// left over from earlier texts.
std::size_t WideToUtf8Into(const wchar_t* text, std::size_t count, std::string& buffer);

// "WINDOWS ERROR: " and the code. Failures to create a file add the reason
// lines for the two codes the plug-in explains (5 and 3); other steps don't.
enum class ErrorReasons { kOmit, kExplain };
void LogWindowsError(unsigned long code, ErrorReasons reasons);

}  // namespace dislist

// Small text helpers of dislist-log's messages.
#pragma once

#include <cstdint>
#include <string>

namespace dislist_log {

std::string Utf8(const std::wstring& text);
std::string Number(std::uint64_t value);
// A count with its noun, the one rule for every count the tool says:
// "1 run", "2 runs", "0 runs".
std::string Counted(std::uint64_t count, const char* one, const char* many);

}  // namespace dislist_log

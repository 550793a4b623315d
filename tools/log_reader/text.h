// Small text helpers of dislist-log's messages.
#pragma once

#include <cstdint>
#include <string>

namespace dislist_log {

std::string Utf8(const std::wstring& text);
std::string Number(std::uint64_t value);

}  // namespace dislist_log

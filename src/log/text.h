// Pure text rules of the diagnostic log: number texts and the bytes a log
// line becomes on disk. No Windows call here, so they test and fuzz natively.
#pragma once

#include <cstdint>
#include <string>

namespace dislist {

std::string DecimalText(std::uint32_t value);
std::string DecimalText(std::int32_t value);
std::string DecimalText(std::int64_t value);

// An HRESULT's 32 bits as eight upper-case hexadecimal digits; the caller
// writes the "0x" before it.
std::string HresultHexText(std::int32_t result);

// The bytes one log line occupies on disk: the message with every LF written
// as CR LF, then one CR LF.
std::string EncodeLogLine(const std::string& message);

}  // namespace dislist

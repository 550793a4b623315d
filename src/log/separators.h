// Separator lines that frame the log's blocks.
#pragma once

namespace dislist {

inline constexpr char kBlockSeparator[] = "========================================";  // 40 "="
inline constexpr char kReportSeparator[] = "----------------------------------------";  // 40 "-"

}  // namespace dislist

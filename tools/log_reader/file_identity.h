// Whether two paths name the same file, judged by volume and file index,
// not by name: links, short names and letter case all lead to one file.
#pragma once

#include <string>

namespace dislist_log {

bool SameFile(const std::wstring& a, const std::wstring& b);

}  // namespace dislist_log

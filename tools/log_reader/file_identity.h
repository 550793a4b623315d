// Files by what they are rather than how they are spelled: whether two paths
// name the same file (by volume and file index: links, short names and
// letter case all lead to one file), whether anything is there, and a
// path in full.
#pragma once

#include <string>

namespace dislist_log {

bool SameFile(const std::wstring& a, const std::wstring& b);

// Whether anything (a file or a folder) has this name.
bool PathExists(const std::wstring& path);

enum class PathKind { kNothing, kFile, kFolder };
// What has this name: nothing, a file or a folder.
PathKind KindOfPath(const std::wstring& path);

// The path in full (as Windows resolves it against the current folder),
// however long; empty when it cannot be resolved, and GetLastError() then
// tells why. `folder`, when given, takes the full path's folder with its
// separator.
std::wstring FullPath(const std::wstring& path, std::wstring* folder = nullptr);

}  // namespace dislist_log

// The plug-in's log lines and file name as tests expect them, spelled out
// literally: the tests' own copy, independent of the plug-in's list and
// names, so that a changed byte in what it writes fails them.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The file the plug-in keeps beside itself, spelled here on the tests' side.
inline constexpr wchar_t kCurrentTrackFile[] = L"AIMP_CURRENT_TRACK.txt";

// The lines of `a`, then those of `b`.
std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b);
// The lines as the log holds them: each ended by CR LF.
std::string CrLf(const std::vector<std::string>& lines);

// The twelve lines of the start-up banner.
std::vector<std::string> Banner();
// The four lines that open every playlist removal check.
std::vector<std::string> RemovalHeader(const std::string& previous);
// The lines of a check from its header to the found item's display text.
std::vector<std::string> FoundItem(const std::string& previous, int count, int index, const std::string& fileName,
                                   const std::string& displayText);
// What follows a found item: deleted, refused with a result, kept by the marker.
std::vector<std::string> Deleted();
std::vector<std::string> Refused(const std::string& hresult);
std::vector<std::string> KeptByMarker();

}  // namespace testing_support

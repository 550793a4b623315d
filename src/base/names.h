// Names that the plug-in, the stand-in player, dislist-log, the benchmarks
// and the tests all mean the same thing by. Plain facts, no code.
#pragma once

namespace dislist {

// Fixed at build time; its folder is never created by the plug-in, which
// logs only while the folder exists.
inline constexpr wchar_t kLogFolder[] = L"C:\\AIMPPlugin";
inline constexpr wchar_t kLogFilePath[] = L"C:\\AIMPPlugin\\AIMP_Dislist.log";

// Written beside the plug-in's library; holds the current track's name.
inline constexpr wchar_t kCurrentTrackFileName[] = L"AIMP_CURRENT_TRACK.txt";

// The notification window's class. Every build registers this one name, the
// "Test6" of an early build included: a copy of the library loaded again
// meets its predecessor's class under it and takes the class over.
inline constexpr wchar_t kNotifyWindowClass[] = L"AIMP_Dislist_Remote_Test6";

}  // namespace dislist

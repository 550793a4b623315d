// The host's Remote Access interface as the plug-in uses it: its window, its
// shared track record, and the message and command numbers.
#pragma once

#include <windows.h>

namespace dislist {

// Class name, window name and shared block name, all the same.
inline constexpr char kRemoteAccessName[] = "AIMP2_RemoteInfo";

inline constexpr UINT RA_COMMAND_MESSAGE = WM_USER + 0x75;  // 0x475
inline constexpr UINT RA_NOTIFY_MESSAGE = WM_USER + 0x76;   // 0x476

inline constexpr WPARAM REGISTER_NOTIFY = 11;
inline constexpr WPARAM UNREGISTER_NOTIFY = 12;

inline constexpr WPARAM AIMP_RA_NOTIFY_TRACK_INFO = 1;
inline constexpr WPARAM AIMP_RA_NOTIFY_TRACK_START = 2;

// Posted by the notification window to itself, so the track change runs after
// the host's notification has returned.
inline constexpr UINT TRACK_CHANGE_MESSAGE = WM_APP + 0x64;  // 0x8064

}  // namespace dislist

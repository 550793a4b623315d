// The player's side of Remote Access: its shared track record and its
// window, which the plug-in finds and registers with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/owners.h"
#include "track_record_builder.h"

namespace standin {

// The player's Remote Access numbers, declared here on their own and not
// taken from the plug-in's headers, so a wrong number on either side fails
// the tests instead of being repeated.
inline constexpr char kRemoteAccessName[] = "AIMP2_RemoteInfo";  // window class, name, block
inline constexpr UINT kRaCommandMessage = 0x475;
inline constexpr UINT kRaNotifyMessage = 0x476;
inline constexpr WPARAM kRegisterNotify = 11;
inline constexpr WPARAM kUnregisterNotify = 12;
inline constexpr WPARAM kNotifyTrackInfo = 1;
inline constexpr WPARAM kNotifyTrackStart = 2;

// The named block "AIMP2_RemoteInfo", 2048 bytes, as the player creates it.
class SharedTrackBlock {
 public:
  explicit SharedTrackBlock(std::size_t size = kRemoteBlockSize);
  SharedTrackBlock(const SharedTrackBlock&) = delete;
  SharedTrackBlock& operator=(const SharedTrackBlock&) = delete;

  bool ok() const { return view_.valid(); }
  // Writes the bytes at the start of the block and zeroes the rest; bytes
  // beyond the block are cut off.
  void Publish(const std::vector<unsigned char>& bytes);
  void Publish(const TrackRecord& record) { Publish(BuildTrackRecord(record)); }

 private:
  std::size_t size_;
  dislist::UniqueHandle mapping_;
  dislist::UniqueMapView view_;
};

// One command the window received.
struct RemoteCommand {
  WPARAM command;
  LPARAM argument;
};

// The top-level window "AIMP2_RemoteInfo" that plug-ins register with.
class RemoteAccessWindow {
 public:
  // `windowName` other than the real one makes a window the plug-in must
  // not find.
  explicit RemoteAccessWindow(const wchar_t* windowName = L"AIMP2_RemoteInfo");
  ~RemoteAccessWindow();
  RemoteAccessWindow(const RemoteAccessWindow&) = delete;
  RemoteAccessWindow& operator=(const RemoteAccessWindow&) = delete;

  bool ok() const { return window_.valid(); }
  HWND handle() const { return window_.get(); }

  LRESULT registerResult = 1;          // answer to REGISTER_NOTIFY
  std::vector<RemoteCommand> commands;  // in order of arrival
  HWND registered = nullptr;            // the window now registered, if any

  // Sends one notification to the registered window, as the player does,
  // and returns its answer.
  LRESULT Notify(WPARAM code) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  dislist::UniqueWindow window_;
};

// Dispatches every message waiting for this thread's windows.
void PumpMessages();

// Message-only windows that exist right now (the plug-in's kind).
int CountMessageOnlyWindows(const wchar_t* className);

}  // namespace standin

// The stand-in player as a whole: its objects, its Remote Access window and
// shared record, and the loaded plug-in, driven the way the player drives
// them. Tests may drop the window or the block to play a broken host.
#pragma once

#include <memory>
#include <string>

#include "com_objects.h"
#include "loaded_plugin.h"
#include "remote_access_host.h"

namespace standin {

class Player {
 public:
  explicit Player(const std::wstring& dllPath);

  // Initialize with the player's core.
  HRESULT Start() { return plugin->Initialize(&objects.core()); }
  HRESULT Stop() { return plugin->Finalize(); }

  // Publishes the record, then sends track information and track start to
  // the registered window, then runs the message loop, as the player does
  // when a track begins.
  void Play(const TrackRecord& record);
  // One notification with the record published, then the message loop.
  LRESULT Announce(const TrackRecord& record, WPARAM code);

  HostObjects objects;
  std::unique_ptr<SharedTrackBlock> block;
  std::unique_ptr<RemoteAccessWindow> remote;
  LoadedPlugin plugin;
};

// A record naming just a file, with the title taken from the item if any.
TrackRecord RecordFor(const std::wstring& fileName, const std::wstring& title = L"");

}  // namespace standin

// The floor of a removal: what no implementation can avoid, done bare.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "com_objects.h"
#include "playlist/matching.h"

namespace bench {

// The host calls (playing playlist, item count, item by index, property 3,
// its data and length, every release), one conversion per item into one
// buffer reused for the whole pass, the in-place folded comparison (the
// plug-in's own pure rule, which allocates nothing), and at the match the
// display text read and the delete. Nothing here allocates per item: the
// buffer grows only for a name longer than any before.
inline void BareRemovalPass(standin::HostObjects& host, const std::string& previous) {
  std::vector<char> buffer;
  standin::IAIMPPlaylist* playlist = nullptr;
  host.manager().GetPlayingPlaylist(&playlist);
  const int count = playlist->GetItemCount();
  for (int index = 0; index < count; ++index) {
    standin::IAIMPPlaylistItem* item = nullptr;
    playlist->GetItem(index, standin::kIidPlaylistItem, reinterpret_cast<void**>(&item));
    standin::IAIMPString* name = nullptr;
    item->GetValueAsObject(3, standin::kIidString, reinterpret_cast<void**>(&name));
    const int units = name->GetLength();
    if (buffer.size() < 3 * static_cast<std::size_t>(units)) buffer.resize(3 * static_cast<std::size_t>(units));
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, name->GetData(), units, buffer.data(),
                                            static_cast<int>(buffer.size()), nullptr, nullptr);
    name->Release();
    if (dislist::SameTrackName(std::string_view(buffer.data(), static_cast<std::size_t>(bytes)), previous)) {
      standin::IAIMPString* display = nullptr;
      item->GetValueAsObject(1, standin::kIidString, reinterpret_cast<void**>(&display));
      display->Release();
      playlist->Delete(item);
      item->Release();
      break;
    }
    item->Release();
  }
  playlist->Release();
}

}  // namespace bench

// The floor of a removal: the host calls it cannot avoid, made bare.
#pragma once

#include <string>

#include "com_objects.h"
#include "log/log.h"

namespace bench {

// What a removal cannot avoid doing: every item fetched, its file name read,
// converted and compared, every reference released; at the match, the
// display text read and the delete.
inline void BareRemovalPass(standin::HostObjects& host, const std::string& previous) {
  dislist::IAIMPPlaylist* playlist = nullptr;
  host.manager().GetPlayingPlaylist(&playlist);
  const int count = playlist->GetItemCount();
  for (int index = 0; index < count; ++index) {
    dislist::IAIMPPlaylistItem* item = nullptr;
    playlist->GetItem(index, dislist::IID_IAIMPPlaylistItem, reinterpret_cast<void**>(&item));
    dislist::IAIMPString* name = nullptr;
    item->GetValueAsObject(3, dislist::IID_IAIMPString, reinterpret_cast<void**>(&name));
    const std::string text = dislist::WideToUtf8(name->GetData(), static_cast<std::size_t>(name->GetLength()));
    name->Release();
    if (text == previous) {
      dislist::IAIMPString* display = nullptr;
      item->GetValueAsObject(1, dislist::IID_IAIMPString, reinterpret_cast<void**>(&display));
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

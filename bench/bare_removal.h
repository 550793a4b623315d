// The floor of a removal: what no implementation can avoid, done bare.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "com_objects.h"

namespace bench {

// Equal bytes with the ASCII letters folded, compared where they lie.
inline bool SameFolded(const char* a, std::size_t size, const std::string& b) {
  if (size != b.size()) return false;
  for (std::size_t i = 0; i < size; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// The host calls (playing playlist, item count, item by index, property 3,
// its data and length, every release), one conversion per item into one
// buffer reused for the whole pass, the in-place folded comparison, and at
// the match the display text read and the delete. Nothing here allocates per
// item: the buffer grows only for a name longer than any before.
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
    if (SameFolded(buffer.data(), static_cast<std::size_t>(bytes), previous)) {
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

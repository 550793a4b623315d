// Removing the previous track's item from the playing playlist.
#include "playlist/previous_track_removal.h"

#include "log/log.h"
#include "log/separators.h"
#include "playlist/matching.h"
#include "plugin/plugin.h"

namespace dislist {

std::string_view ReadItemStringProperty(IAIMPPlaylistItem* item, int propertyId,
                                        std::string& buffer) {
  if (item == nullptr) return {};
  ComPtr<IAIMPString> value;
  const HRESULT result = item->GetValueAsObject(propertyId, IID_IAIMPString, value.put_void());
  if (FAILED(result) || !value) {
    value.forget();  // a failed call hands over no reference
    return {};
  }
  const WCHAR* data = value->GetData();
  const int length = value->GetLength();
  if (data == nullptr || length <= 0) return {};
  const std::size_t size = WideToUtf8Into(data, static_cast<std::size_t>(length), buffer);
  return {buffer.data(), size};  // after the conversion: it may have moved the storage
}

std::string GetItemStringProperty(IAIMPPlaylistItem* item, int propertyId) {
  std::string buffer;
  return std::string(ReadItemStringProperty(item, propertyId, buffer));
}

// One pass from the first item, stopping at the first match; the count is
// read once and the deletion comes after the pass, so no index shifts under
// the search.
void AIMPDislistPlugin::DeletePreviousTrackFromPlaylist(const std::string& previousFile) {
  if (previousFile.empty()) {
    WriteLogLine("PLAYLIST DELETE: no previous track.");
    return;
  }
  if (!playlistManager) {
    WriteLogLine("PLAYLIST DELETE: playlist manager unavailable.");
    return;
  }
  WriteLogLine("");
  WriteLogLine(kBlockSeparator);
  WriteLogLine("PLAYLIST DELETE CHECK");
  WriteLogLine("PREVIOUS FILE: " + previousFile);

  ComPtr<IAIMPPlaylist> playlist;
  const HRESULT playing = playlistManager->GetPlayingPlaylist(playlist.put());
  if (FAILED(playing) || !playlist) {
    playlist.forget();
    WriteLogLine("PLAYLIST DELETE: GetPlayingPlaylist FAILED.");
    WriteLogLine("HRESULT: 0x" + HresultHexText(playing));
    WriteLogLine(kBlockSeparator);
    return;
  }

  const int count = playlist->GetItemCount();
  WriteLogLine("PLAYLIST ITEM COUNT: " + DecimalText(static_cast<std::int32_t>(count)));

  // Every name is read into this one buffer and compared in place: the pass
  // allocates nothing per item, only when a name is longer than any before.
  ComPtr<IAIMPPlaylistItem> match;
  std::string buffer;
  std::string_view itemFileName;
  int matchIndex = -1;
  for (int index = 0; index < count; ++index) {
    ComPtr<IAIMPPlaylistItem> item;
    const HRESULT fetched = playlist->GetItem(index, IID_IAIMPPlaylistItem, item.put_void());
    if (FAILED(fetched) || !item) {
      item.forget();
      continue;
    }
    itemFileName = ReadItemStringProperty(item.get(), AIMP_PLAYLISTITEM_PROPID_FILENAME, buffer);
    if (!itemFileName.empty() && SameTrackName(itemFileName, previousFile)) {
      match = std::move(item);
      matchIndex = index;
      break;
    }
  }
  const std::string matchFileName(itemFileName);

  if (!match) {
    WriteLogLine("PLAYLIST DELETE: previous track NOT FOUND.");
    WriteLogLine(kBlockSeparator);
    return;
  }

  const std::string displayText =
      GetItemStringProperty(match.get(), AIMP_PLAYLISTITEM_PROPID_DISPLAYTEXT);
  WriteLogLine("PLAYLIST DELETE: FOUND.");
  WriteLogLine("INDEX: " + DecimalText(static_cast<std::int32_t>(matchIndex)));
  WriteLogLine("FILENAME: " + matchFileName);
  WriteLogLine("DISPLAYTEXT: " + displayText);

  // Only the display text protects; the file name is never searched.
  if (HasDeleteMarker(displayText)) {
    WriteLogLine("PLAYLIST DELETE: SKIPPED.");
    WriteLogLine("REASON: !DELETE marker found.");
    WriteLogLine("PHYSICAL FILE: untouched.");
    WriteLogLine("PLAYLIST ITEM: untouched.");
    match.reset();
    playlist.reset();
    WriteLogLine(kBlockSeparator);
    return;
  }

  WriteLogLine("PLAYLIST DELETE: DELETING ITEM.");
  WriteLogLine("PHYSICAL DELETE: NO.");
  const HRESULT deleted = playlist->Delete(match.get());
  if (SUCCEEDED(deleted)) {
    WriteLogLine("PLAYLIST DELETE: SUCCESS.");
  } else {
    WriteLogLine("PLAYLIST DELETE: FAILED.");
    WriteLogLine("HRESULT: 0x" + HresultHexText(deleted));
  }
  match.reset();
  playlist.reset();
  WriteLogLine(kBlockSeparator);
}

}  // namespace dislist

// Removing the previous track's item from the playing playlist.
#include "playlist/previous_track_removal.h"

#include "log/log.h"
#include "log/log_lines.h"
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

namespace {

struct MatchingItem {
  ComPtr<IAIMPPlaylistItem> item;  // null when no item matched
  int index = -1;
  std::string fileName;  // the item's own spelling of the name
};

// The first of `count` items whose file name is `previousFile`, letters of
// either case alike. An item that cannot be fetched or read never matches.
// Every name is read into one buffer and compared in place: the pass
// allocates nothing per item, only when a name is longer than any before.
MatchingItem FindItemByFileName(IAIMPPlaylist* playlist, int count, const std::string& previousFile) {
  MatchingItem found;
  std::string buffer;
  for (int index = 0; index < count; ++index) {
    ComPtr<IAIMPPlaylistItem> item;
    const HRESULT fetched = playlist->GetItem(index, IID_IAIMPPlaylistItem, item.put_void());
    if (FAILED(fetched) || !item) {
      item.forget();
      continue;
    }
    const std::string_view fileName = ReadItemStringProperty(item.get(), AIMP_PLAYLISTITEM_PROPID_FILENAME, buffer);
    if (!fileName.empty() && SameTrackName(fileName, previousFile)) {
      found.item = std::move(item);
      found.index = index;
      found.fileName.assign(fileName);
      break;
    }
  }
  return found;
}

}  // namespace

// One pass from the first item, stopping at the first match; the count is
// read once and the deletion comes after the pass, so no index shifts under
// the search.
void AIMPDislistPlugin::DeletePreviousTrackFromPlaylist(const std::string& previousFile) {
  if (previousFile.empty()) {
    WriteLogLine(log_lines::kNoPreviousTrack);
    return;
  }
  if (!playlistManager) {
    WriteLogLine(log_lines::kNoManager);
    return;
  }
  static constexpr const char* kOpening[] = {log_lines::kEmptyLine, log_lines::kBlockSeparator, log_lines::kCheck};
  static_assert(log_lines::OpensWith(kOpening, log_lines::kCheckOpening), "dislist-log opens a check at this shape");
  // One call a line: smaller here than a loop over the table.
  WriteLogLine(log_lines::kEmptyLine);
  WriteLogLine(log_lines::kBlockSeparator);
  WriteLogLine(log_lines::kCheck);
  WriteLogLine(log_lines::kPreviousFile + previousFile);

  ComPtr<IAIMPPlaylist> playlist;
  const HRESULT playing = playlistManager->GetPlayingPlaylist(playlist.put());
  if (FAILED(playing) || !playlist) {
    playlist.forget();
    WriteLogLine(log_lines::kNoPlayingPlaylist);
    WriteLogLine(log_lines::kHresult + HresultHexText(playing));
    WriteLogLine(log_lines::kBlockSeparator);
    return;
  }

  const int count = playlist->GetItemCount();
  WriteLogLine(log_lines::kItemCount + DecimalText(static_cast<std::int32_t>(count)));

  MatchingItem match = FindItemByFileName(playlist.get(), count, previousFile);

  if (!match.item) {
    WriteLogLine(log_lines::kNotFound);
    WriteLogLine(log_lines::kBlockSeparator);
    return;
  }

  const std::string displayText =
      GetItemStringProperty(match.item.get(), AIMP_PLAYLISTITEM_PROPID_DISPLAYTEXT);
  WriteLogLine(log_lines::kFound);
  WriteLogLine(log_lines::kIndex + DecimalText(static_cast<std::int32_t>(match.index)));
  WriteLogLine(log_lines::kFileName + match.fileName);
  WriteLogLine(log_lines::kDisplayText + displayText);

  // Only the display text protects; the file name is never searched.
  if (HasDeleteMarker(displayText)) {
    WriteLogLine(log_lines::kSkipped);
    WriteLogLine(log_lines::kReasonMarker);
    WriteLogLine(log_lines::kFileUntouched);
    WriteLogLine(log_lines::kItemUntouched);
    match.item.reset();
    playlist.reset();
    WriteLogLine(log_lines::kBlockSeparator);
    return;
  }

  WriteLogLine(log_lines::kDeleting);
  WriteLogLine(log_lines::kNoFileDeletion);
  const HRESULT deleted = playlist->Delete(match.item.get());
  if (SUCCEEDED(deleted)) {
    WriteLogLine(log_lines::kSuccess);
  } else {
    WriteLogLine(log_lines::kFailed);
    WriteLogLine(log_lines::kHresult + HresultHexText(deleted));
  }
  // The host's references go before the closing line: once the block is
  // closed in the log, this operation holds nothing of the host's.
  match.item.reset();
  playlist.reset();
  WriteLogLine(log_lines::kBlockSeparator);
}

}  // namespace dislist

#include "com_objects.h"

#include <algorithm>
#include <cstring>

#include "host_text.h"

namespace standin {

namespace {

volatile LONG liveStrings = 0;
// Host operations run on one thread at a time (the player's). Not a
// thread_local: that would make the runtime create handles on first use,
// which the soak test would count as a leak.
volatile LONG hostCallDepth = 0;
volatile LONG hostCalls = 0;

// Marks one host operation for HostCallDepth and HostCalls.
struct HostCall {
  HostCall() {
    ::InterlockedIncrement(&hostCallDepth);
    ::InterlockedIncrement(&hostCalls);
  }
  ~HostCall() { ::InterlockedDecrement(&hostCallDepth); }
  HostCall(const HostCall&) = delete;
  HostCall& operator=(const HostCall&) = delete;
};

bool IsIUnknown(REFIID iid) {
  static const GUID kIUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  return std::memcmp(&iid, &kIUnknown, sizeof(GUID)) == 0;
}

bool SameIid(REFIID a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// QueryInterface of every stand-in object: IUnknown and its own interface.
template <typename Self>
HRESULT Query(Self* self, REFIID iid, const GUID* own, void** object) {
  HostCall call;
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsIUnknown(iid) && (own == nullptr || !SameIid(iid, *own))) return E_NOINTERFACE;
  *object = self;
  self->AddRef();
  return S_OK;
}

}  // namespace

int HostCallDepth() { return static_cast<int>(hostCallDepth); }
LONG HostCalls() { return hostCalls; }

ULONG Counted::AddRefImpl() {
  HostCall call;
  return static_cast<ULONG>(::InterlockedIncrement(&refs_));
}
ULONG Counted::ReleaseImpl() {
  HostCall call;
  return static_cast<ULONG>(::InterlockedDecrement(&refs_));
}

FakeString::FakeString(std::wstring text, bool nullData) : text_(std::move(text)), nullData_(nullData) {
  ::InterlockedIncrement(&liveStrings);
}
FakeString::~FakeString() { ::InterlockedDecrement(&liveStrings); }
HRESULT WINAPI FakeString::QueryInterface(REFIID iid, void** object) {
  return Query(this, iid, &kIidString, object);
}
ULONG WINAPI FakeString::AddRef() {
  HostCall call;
  return static_cast<ULONG>(::InterlockedIncrement(&refs_));
}
ULONG WINAPI FakeString::Release() {
  HostCall call;
  const LONG count = ::InterlockedDecrement(&refs_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}
WCHAR* WINAPI FakeString::GetData() {
  HostCall call;
  return nullData_ ? nullptr : &text_[0];
}
int WINAPI FakeString::GetLength() {
  HostCall call;
  return static_cast<int>(text_.size());
}
LONG FakeString::LiveStrings() { return liveStrings; }

FakeItem::FakeItem(std::wstring fileNameText, std::wstring displayTextValue)
    : fileName(std::move(fileNameText)), displayText(std::move(displayTextValue)) {}

HRESULT WINAPI FakeItem::QueryInterface(REFIID iid, void** object) {
  return Query(static_cast<IAIMPPlaylistItem*>(this), iid, &kIidPlaylistItem, object);
}

HRESULT WINAPI FakeItem::GetValueAsObject(int propertyId, REFIID iid, void** value) {
  HostCall call;
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  ++propertyReads;
  const PropertyBehaviour how = behaviour.count(propertyId) ? behaviour[propertyId] : PropertyBehaviour();
  if (FAILED(how.result)) return how.result;
  if (how.yieldNull) return S_OK;
  if (!SameIid(iid, kIidString)) return E_NOINTERFACE;
  const std::wstring* text = nullptr;
  if (propertyId == kPropertyFileName) text = &fileName;
  if (propertyId == kPropertyDisplayText) text = &displayText;
  if (text == nullptr) return E_INVALIDARG;
  *value = static_cast<IAIMPString*>(new FakeString(*text, how.nullData));
  return S_OK;
}

std::string FakeItem::Describe() const { return "item (" + ToUtf8(fileName) + ")"; }

HRESULT WINAPI FakePlaylist::QueryInterface(REFIID iid, void** object) {
  return Query(static_cast<IAIMPPlaylist*>(this), iid, nullptr, object);
}

// A successful delete drops the playlist's own reference on the item.
HRESULT WINAPI FakePlaylist::Delete(IAIMPPlaylistItem* item) {
  HostCall call;
  ++deleteCalls;
  if (beforeDelete) beforeDelete();
  if (FAILED(deleteResult)) return deleteResult;
  auto found = std::find_if(items.begin(), items.end(),
                            [item](FakeItem* candidate) { return candidate == item; });
  if (found == items.end()) return E_INVALIDARG;
  FakeItem* removed = *found;
  items.erase(found);
  removed->baseline -= 1;
  removed->Release();
  return S_OK;
}

HRESULT WINAPI FakePlaylist::GetItem(int index, REFIID iid, void** item) {
  HostCall call;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  fetchedIndexes.push_back(index);
  if (beforeGetItem) beforeGetItem(index);
  if (itemFailures.count(index)) return itemFailures[index];
  if (itemYieldsNull.count(index)) return S_OK;
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return E_INVALIDARG;
  return items[static_cast<std::size_t>(index)]->QueryInterface(iid, item);
}

int WINAPI FakePlaylist::GetItemCount() {
  HostCall call;
  ++countCalls;
  return static_cast<int>(items.size());
}

HRESULT WINAPI FakePlaylistManager::QueryInterface(REFIID iid, void** object) {
  return Query(static_cast<IAIMPServicePlaylistManager*>(this), iid,
               &kIidPlaylistManager, object);
}

HRESULT WINAPI FakePlaylistManager::GetPlayingPlaylist(IAIMPPlaylist** playlist) {
  HostCall call;
  if (playlist == nullptr) return E_POINTER;
  *playlist = nullptr;
  ++calls;
  if (FAILED(playingResult)) return playingResult;
  if (yieldNull || playing == nullptr) return playingResult;
  playing->AddRef();
  *playlist = playing;
  return playingResult;
}

// The core answers only the playlist manager's identifier (and IUnknown).
HRESULT WINAPI FakeCore::QueryInterface(REFIID iid, void** object) {
  HostCall call;
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsIUnknown(iid)) return Query(static_cast<IAIMPCore*>(this), iid, nullptr, object);
  if (!SameIid(iid, kIidPlaylistManager)) return E_NOINTERFACE;
  if (FAILED(queryResult)) return queryResult;
  if (yieldNull || manager == nullptr) return queryResult;
  manager->AddRef();
  *object = static_cast<IAIMPServicePlaylistManager*>(manager);
  return queryResult;
}

HostObjects::HostObjects()
    : core_(new FakeCore), manager_(new FakePlaylistManager), playlist_(new FakePlaylist) {
  core_->manager = manager_.get();
  manager_->playing = playlist_.get();
}

FakeItem& HostObjects::AddItem(const std::wstring& fileName, const std::wstring& displayText) {
  allItems_.emplace_back(new FakeItem(fileName, displayText));
  playlist_->items.push_back(allItems_.back().get());
  return *allItems_.back();
}

std::vector<std::wstring> HostObjects::FileNames() const {
  std::vector<std::wstring> names;
  for (const FakeItem* item : playlist_->items) names.push_back(item->fileName);
  return names;
}

std::string HostObjects::Unbalanced() const {
  std::string report;
  auto check = [&report](const Counted& object) {
    if (object.refs() == object.baseline) return;
    report += object.Describe() + ": " + std::to_string(object.refs()) + " refs, expected " +
              std::to_string(object.baseline) + "; ";
  };
  check(*core_);
  check(*manager_);
  check(*playlist_);
  for (const auto& item : allItems_) check(*item);
  if (FakeString::LiveStrings() != 0) {
    report += std::to_string(FakeString::LiveStrings()) + " strings still held; ";
  }
  return report;
}

}  // namespace standin

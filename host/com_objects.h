// The stand-in player's COM-style objects: core, playlist manager, playlist,
// items and strings. Every object counts its references and can be told to
// fail, so a test can check that the plug-in released exactly what it took.
//
// Structural objects (core, manager, playlists, items) live as long as the
// HostObjects that made them, so a count can be read even after it has
// dropped to zero and an extra Release shows up as a negative count instead
// of freeing memory twice. Strings are made fresh for every read and freed
// at zero; `LiveStrings` counts those still held.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aimp_abi.h"

namespace standin {

// Non-zero while a stand-in host operation runs. The host
// allocates for its own reasons (a string object per property read, its
// call records); a test that counts the plug-in's heap use leaves those out.
int HostCallDepth();
// Calls the plug-in has made on any stand-in object so far, AddRef and
// Release included: a test can check that a step calls the host not at all.
LONG HostCalls();

// Reference count shared by all stand-in objects. `baseline` is the number
// of references the host itself holds; anything above it is held by callers.
class Counted {
 public:
  virtual ~Counted() = default;
  LONG refs() const { return refs_; }
  LONG baseline = 1;
  virtual std::string Describe() const = 0;

 protected:
  ULONG AddRefImpl();
  ULONG ReleaseImpl();
  volatile LONG refs_ = 1;
};

// A stand-in object of one interface, counted as above.
template <typename Interface>
class CountedObject : public Interface, public Counted {
 public:
  ULONG WINAPI AddRef() override { return AddRefImpl(); }
  ULONG WINAPI Release() override { return ReleaseImpl(); }
};

class FakeString final : public IAIMPString {
 public:
  explicit FakeString(std::wstring text, bool nullData);
  ~FakeString();
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
  ULONG WINAPI AddRef() override;
  ULONG WINAPI Release() override;
  HRESULT WINAPI SetChar(int, WCHAR) override { return E_NOTIMPL; }
  WCHAR* WINAPI GetData() override;
  int WINAPI GetLength() override;

  static LONG LiveStrings();

 private:
  volatile LONG refs_ = 1;
  std::wstring text_;
  bool nullData_;
};

// What reading one property of an item does.
struct PropertyBehaviour {
  HRESULT result = S_OK;      // returned by GetValueAsObject
  bool yieldNull = false;     // success but no object
  bool nullData = false;      // the string's data pointer is null
};

class FakeItem final : public CountedObject<IAIMPPlaylistItem> {
 public:
  FakeItem(std::wstring fileName, std::wstring displayText);
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
  HRESULT WINAPI GetValueAsObject(int propertyId, REFIID iid, void** value) override;
  std::string Describe() const override;

  std::wstring fileName;
  std::wstring displayText;
  std::map<int, PropertyBehaviour> behaviour;  // by property number
  int propertyReads = 0;
};

class FakePlaylist final : public CountedObject<IAIMPPlaylist> {
 public:
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
  HRESULT WINAPI Delete(IAIMPPlaylistItem* item) override;
  HRESULT WINAPI GetItem(int index, REFIID iid, void** item) override;
  int WINAPI GetItemCount() override;
  std::string Describe() const override { return "playlist"; }

  std::vector<FakeItem*> items;           // the playlist holds one reference each
  std::map<int, HRESULT> itemFailures;    // GetItem fails at these indexes
  std::map<int, bool> itemYieldsNull;     // GetItem succeeds with no item
  HRESULT deleteResult = S_OK;            // a failure leaves the item in place
  // Run at the start of Delete, before the item goes, and of GetItem, with
  // the index asked for: a player that lets its thread's messages run inside
  // its calls.
  std::function<void()> beforeDelete;
  std::function<void(int index)> beforeGetItem;
  int countCalls = 0;
  int deleteCalls = 0;
  std::vector<int> fetchedIndexes;
};

class FakePlaylistManager final : public CountedObject<IAIMPServicePlaylistManager> {
 public:
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
  HRESULT WINAPI GetPlayingPlaylist(IAIMPPlaylist** playlist) override;
  std::string Describe() const override { return "playlist manager"; }

  FakePlaylist* playing = nullptr;
  HRESULT playingResult = S_OK;
  bool yieldNull = false;  // success with no playlist
  int calls = 0;
};

class FakeCore final : public CountedObject<IAIMPCore> {
 public:
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
  std::string Describe() const override { return "core"; }

  FakePlaylistManager* manager = nullptr;
  HRESULT queryResult = S_OK;  // a failure hands out nothing
  bool yieldNull = false;      // success with a null manager
};

// Owns one core with its manager and playing playlist, and every item.
class HostObjects {
 public:
  HostObjects();
  HostObjects(const HostObjects&) = delete;
  HostObjects& operator=(const HostObjects&) = delete;

  FakeCore& core() { return *core_; }
  FakePlaylistManager& manager() { return *manager_; }
  FakePlaylist& playlist() { return *playlist_; }

  FakeItem& AddItem(const std::wstring& fileName, const std::wstring& displayText = L"");
  // The file names of the items left in the playlist, in order.
  std::vector<std::wstring> FileNames() const;

  // Objects whose count differs from what the host itself holds, with their
  // counts, e.g. "item 2 (C:\x.mp3): 2 refs, expected 1"; empty when balanced.
  // Strings still alive are reported too.
  std::string Unbalanced() const;

 private:
  std::unique_ptr<FakeCore> core_;
  std::unique_ptr<FakePlaylistManager> manager_;
  std::unique_ptr<FakePlaylist> playlist_;
  std::vector<std::unique_ptr<FakeItem>> allItems_;
};

}  // namespace standin

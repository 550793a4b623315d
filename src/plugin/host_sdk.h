// The few interfaces of the AIMP player that the plug-in calls, declared from
// their documented slot order. The stand-in player declares its side on its
// own (host/aimp_abi.h), so a slot or convention mistake here shows in the
// tests instead of being repeated by the host.
//
// Slots that the plug-in never calls are kept as placeholders so that the
// operations it does call sit at the host's places in the table.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace dislist {

// {41494D50-5372-7650-6C73-4D616E000000}
inline constexpr GUID IID_IAIMPServicePlaylistManager = {
    0x41494D50, 0x5372, 0x7650, {0x6C, 0x73, 0x4D, 0x61, 0x6E, 0x00, 0x00, 0x00}};
// {41494D50-506C-7349-7465-6D0000000000}
inline constexpr GUID IID_IAIMPPlaylistItem = {
    0x41494D50, 0x506C, 0x7349, {0x74, 0x65, 0x6D, 0x00, 0x00, 0x00, 0x00, 0x00}};
// {41494D50-5374-7269-6E67-000000000000}
inline constexpr GUID IID_IAIMPString = {
    0x41494D50, 0x5374, 0x7269, {0x6E, 0x67, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};

// Playlist item properties read by number.
inline constexpr int AIMP_PLAYLISTITEM_PROPID_DISPLAYTEXT = 1;
inline constexpr int AIMP_PLAYLISTITEM_PROPID_FILENAME = 3;

struct IAIMPString : IUnknown {
  virtual HRESULT WINAPI Reserved1() = 0;
  virtual WCHAR* WINAPI GetData() = 0;  // may be null
  virtual int WINAPI GetLength() = 0;   // UTF-16 units
};

struct IAIMPPlaylistItem : IUnknown {
  virtual HRESULT WINAPI Reserved1() = 0;
  virtual HRESULT WINAPI Reserved2() = 0;
  virtual HRESULT WINAPI Reserved3() = 0;
  virtual HRESULT WINAPI Reserved4() = 0;
  virtual HRESULT WINAPI Reserved5() = 0;
  virtual HRESULT WINAPI Reserved6() = 0;
  virtual HRESULT WINAPI GetValueAsObject(int propertyId, REFIID iid, void** value) = 0;
};

struct IAIMPPlaylist : IUnknown {
  virtual HRESULT WINAPI Reserved1() = 0;
  virtual HRESULT WINAPI Reserved2() = 0;
  virtual HRESULT WINAPI Delete(IAIMPPlaylistItem* item) = 0;
  virtual HRESULT WINAPI Reserved4() = 0;
  virtual HRESULT WINAPI Reserved5() = 0;
  virtual HRESULT WINAPI Reserved6() = 0;
  virtual HRESULT WINAPI Reserved7() = 0;
  virtual HRESULT WINAPI Reserved8() = 0;
  virtual HRESULT WINAPI Reserved9() = 0;
  virtual HRESULT WINAPI Reserved10() = 0;
  virtual HRESULT WINAPI Reserved11() = 0;
  virtual HRESULT WINAPI Reserved12() = 0;
  virtual HRESULT WINAPI Reserved13() = 0;
  virtual HRESULT WINAPI Reserved14() = 0;
  virtual HRESULT WINAPI Reserved15() = 0;
  virtual HRESULT WINAPI Reserved16() = 0;
  virtual HRESULT WINAPI GetItem(int index, REFIID iid, void** item) = 0;
  virtual int WINAPI GetItemCount() = 0;
};

struct IAIMPServicePlaylistManager : IUnknown {
  virtual HRESULT WINAPI Reserved1() = 0;
  virtual HRESULT WINAPI Reserved2() = 0;
  virtual HRESULT WINAPI Reserved3() = 0;
  virtual HRESULT WINAPI Reserved4() = 0;
  virtual HRESULT WINAPI GetPlayingPlaylist(IAIMPPlaylist** playlist) = 0;
};

// The core is asked only for its services, through QueryInterface.
struct IAIMPCore : IUnknown {};

// The plug-in's own interface: eight slots, called by place.
struct IAIMPPlugin : IUnknown {
  virtual const WCHAR* WINAPI GetInfoText(int index) = 0;
  virtual DWORD WINAPI GetCategories() = 0;
  virtual HRESULT WINAPI Initialize(IAIMPCore* core) = 0;
  virtual HRESULT WINAPI Finalize() = 0;
  virtual void WINAPI Notify(int notifyId, IUnknown* data) = 0;
};

using GetHeaderProc = HRESULT(WINAPI*)(IAIMPPlugin** header);

}  // namespace dislist

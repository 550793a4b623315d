// The player's side of its plug-in interfaces, declared here on their own:
// the stand-in player must not share the plug-in's declarations, or a fault
// in them (a slot out of place, a method without the player's stdcall
// convention on 32-bit Windows) would be repeated here and never show. The
// player calls every method, and is called, with stdcall (WINAPI) and the
// object as first argument on the stack; the slots are in the player's order.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace standin {

// {41494D50-5372-7650-6C73-4D616E000000}
inline constexpr GUID kIidPlaylistManager = {
    0x41494D50, 0x5372, 0x7650, {0x6C, 0x73, 0x4D, 0x61, 0x6E, 0x00, 0x00, 0x00}};
// {41494D50-506C-7349-7465-6D0000000000}
inline constexpr GUID kIidPlaylistItem = {
    0x41494D50, 0x506C, 0x7349, {0x74, 0x65, 0x6D, 0x00, 0x00, 0x00, 0x00, 0x00}};
// {41494D50-5374-7269-6E67-000000000000}
inline constexpr GUID kIidString = {
    0x41494D50, 0x5374, 0x7269, {0x6E, 0x67, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};

// The slots the plug-in never calls stand in for the player's other methods,
// which the stand-in does not have: each answers E_NOTIMPL, declared once here.

inline constexpr int kPropertyDisplayText = 1;
inline constexpr int kPropertyFileName = 3;

struct IAIMPString : IUnknown {
  virtual HRESULT WINAPI SetChar(int index, WCHAR value) = 0;
  virtual WCHAR* WINAPI GetData() = 0;
  virtual int WINAPI GetLength() = 0;
};

struct IAIMPPlaylistItem : IUnknown {
  virtual HRESULT WINAPI Unused1() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused2() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused3() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused4() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused5() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused6() { return E_NOTIMPL; }
  virtual HRESULT WINAPI GetValueAsObject(int propertyId, REFIID iid, void** value) = 0;
};

struct IAIMPPlaylist : IUnknown {
  virtual HRESULT WINAPI Unused1() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused2() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Delete(IAIMPPlaylistItem* item) = 0;
  virtual HRESULT WINAPI Unused4() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused5() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused6() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused7() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused8() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused9() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused10() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused11() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused12() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused13() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused14() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused15() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused16() { return E_NOTIMPL; }
  virtual HRESULT WINAPI GetItem(int index, REFIID iid, void** item) = 0;
  virtual int WINAPI GetItemCount() = 0;
};

struct IAIMPServicePlaylistManager : IUnknown {
  virtual HRESULT WINAPI Unused1() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused2() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused3() { return E_NOTIMPL; }
  virtual HRESULT WINAPI Unused4() { return E_NOTIMPL; }
  virtual HRESULT WINAPI GetPlayingPlaylist(IAIMPPlaylist** playlist) = 0;
};

struct IAIMPCore : IUnknown {};

// The plug-in's object as the player calls it.
struct IAIMPPlugin : IUnknown {
  virtual const WCHAR* WINAPI GetInfoText(int index) = 0;
  virtual DWORD WINAPI GetCategories() = 0;
  virtual HRESULT WINAPI Initialize(IAIMPCore* core) = 0;
  virtual HRESULT WINAPI Finalize() = 0;
  virtual void WINAPI Notify(int notifyId, IUnknown* data) = 0;
};

using GetHeaderProc = HRESULT(WINAPI*)(IAIMPPlugin** header);

}  // namespace standin

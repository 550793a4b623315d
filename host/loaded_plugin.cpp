#include "loaded_plugin.h"

namespace standin {

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

LoadedPlugin::LoadedPlugin(const std::wstring& dllPath) {
  module_ = ::LoadLibraryW(dllPath.c_str());
  if (module_ == nullptr) {
    error_ = "LoadLibraryW failed with error " + std::to_string(::GetLastError());
    return;
  }
  auto getHeader = reinterpret_cast<GetHeaderProc>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "AIMPPluginGetHeader")));
  if (getHeader == nullptr) {
    error_ = "AIMPPluginGetHeader is not exported";
    return;
  }
  const HRESULT result = getHeader(&plugin_);
  if (FAILED(result) || plugin_ == nullptr) {
    error_ = "AIMPPluginGetHeader failed with " + std::to_string(result);
    plugin_ = nullptr;
  }
}

LoadedPlugin::~LoadedPlugin() { Unload(); }

ULONG LoadedPlugin::Unload() {
  ULONG count = 0;
  if (plugin_ != nullptr) count = plugin_->Release();
  plugin_ = nullptr;
  if (module_ != nullptr) ::FreeLibrary(module_);
  module_ = nullptr;
  return count;
}

}  // namespace standin

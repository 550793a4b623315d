// Loads the built plug-in library as the player does and holds its object.
#pragma once

#include <windows.h>

#include <string>

#include "aimp_abi.h"

namespace standin {

class LoadedPlugin {
 public:
  // LoadLibraryW by path, then AIMPPluginGetHeader. Check ok() afterwards;
  // error() tells what failed.
  explicit LoadedPlugin(const std::wstring& dllPath);
  // Releases the object and frees the library, unless already done.
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  bool ok() const { return plugin_ != nullptr; }
  const std::string& error() const { return error_; }
  IAIMPPlugin* operator->() const { return plugin_; }
  IAIMPPlugin* get() const { return plugin_; }
  HMODULE module() const { return module_; }

  // The player's last Release, then FreeLibrary. Returns Release's result.
  ULONG Unload();
  // Hands the object's reference to the caller (who may release it on
  // another thread); Unload then only frees the library.
  IAIMPPlugin* TakeObject() {
    IAIMPPlugin* object = plugin_;
    plugin_ = nullptr;
    return object;
  }

 private:
  HMODULE module_ = nullptr;
  IAIMPPlugin* plugin_ = nullptr;
  std::string error_;
};

// This program's folder, ending in its separator: the built library and
// the project's other programs lie there.
std::wstring ProgramFolder();

}  // namespace standin

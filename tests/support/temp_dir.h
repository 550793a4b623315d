// A fresh folder under the system's temporary folder, removed afterwards.
#pragma once

#include <string>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's path, ending in a backslash.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace testing_support

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wrenly::testing {

// A fresh directory for one test, removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view Name) const { return path_ / Name; }

  // Whole-file helpers that keep every byte as it is (CR LF, NUL, byte-order marks).
  void Write(std::string_view Name, std::string_view Bytes) const;
  std::string Read(std::string_view Name) const;
  bool Exists(std::string_view Name) const;

 private:
  std::filesystem::path path_;
};

// Makes Dir the process's current directory for the life of the object.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& Dir);
  ~ScopedCurrentDir();
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace wrenly::testing

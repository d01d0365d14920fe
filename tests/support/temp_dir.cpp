#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace wrenly::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wrenly-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary directory");
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(std::string_view Name, std::string_view Bytes) const {
  std::ofstream out(path_ / Name, std::ios::binary | std::ios::trunc);
  out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + (path_ / Name).string());
  }
}

std::string TempDir::Read(std::string_view Name) const {
  std::ifstream in(path_ / Name, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + (path_ / Name).string());
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempDir::Exists(std::string_view Name) const {
  return std::filesystem::exists(path_ / Name);
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& Dir)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(Dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace wrenly::testing

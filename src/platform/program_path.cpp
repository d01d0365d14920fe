#include "platform/program_path.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace wrenly {

std::string ProgramFilePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string AppDirFromPath(std::string_view ProgramPath) {
  std::size_t slash = ProgramPath.find_last_of('/');
  std::string dir = slash == std::string_view::npos ? std::string()
                                                    : std::string(ProgramPath.substr(0, slash + 1));
  if (dir.size() > 3 && dir.back() != '/') {
    dir += '/';
  }
  return dir;
}

std::string ApplicationTitleFromPath(std::string_view ProgramPath) {
  std::size_t slash = ProgramPath.find_last_of('/');
  std::string_view name =
      slash == std::string_view::npos ? ProgramPath : ProgramPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 0; i < title.size(); ++i) {
    auto byte = static_cast<unsigned char>(title[i]);
    if (byte < 0x80) {
      title[i] = static_cast<char>(i == 0 ? std::toupper(byte) : std::tolower(byte));
    }
  }
  return title;
}

std::string AppDir() {
  return AppDirFromPath(ProgramFilePath());
}

std::string ApplicationTitle() {
  return ApplicationTitleFromPath(ProgramFilePath());
}

}  // namespace wrenly

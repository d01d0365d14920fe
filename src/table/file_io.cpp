#include "table/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "table/db_errors.h"

namespace wrenly {

namespace {

std::string Reason(int Error) {
  return std::strerror(Error);
}

[[noreturn]] void RaiseCreateError(const std::string& Path, int Error) {
  throw EFCreateError("Cannot create file \"" + Path + "\". " + Reason(Error));
}

// Writes all of Bytes, retrying short writes; false with errno set on failure.
bool WriteAll(int Fd, std::string_view Bytes) {
  while (!Bytes.empty()) {
    const ssize_t written = ::write(Fd, Bytes.data(), Bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    Bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename durable. Some file systems cannot sync a directory; the file is in place by
// then, so a failure here is not an error of the write.
void SyncDirectory(const std::filesystem::path& Dir) {
  const int fd = ::open(Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    static_cast<void>(::fsync(fd));
    ::close(fd);
  }
}

}  // namespace

bool FileExists(const std::string& Path) {
  struct stat status {};
  return ::stat(Path.c_str(), &status) == 0;
}

std::string ReadWholeFile(const std::string& Path) {
  const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  int error = 0;
  std::string bytes;
  if (fd < 0) {
    error = errno;
  } else {
    // Straight into the string, in as few reads as the file allows; the size is only a hint.
    struct stat status {};
    std::size_t size = 0;
    bytes.resize(::fstat(fd, &status) == 0 && status.st_size > 0
                     ? static_cast<std::size_t>(status.st_size) + 1
                     : 65536);
    for (;;) {
      if (size == bytes.size()) {
        bytes.resize(bytes.size() * 2);
      }
      const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got < 0) {
        error = errno;
      }
      if (got <= 0) {
        break;
      }
      size += static_cast<std::size_t>(got);
    }
    bytes.resize(size);
    ::close(fd);
  }
  if (error != 0) {
    throw EFOpenError("Cannot open file \"" + Path + "\". " + Reason(error));
  }
  return bytes;
}

void ReplaceFileContents(const std::string& Path, std::string_view Bytes,
                         const std::function<void(const std::string& TempPath)>& BeforeRename) {
  namespace fs = std::filesystem;
  fs::path target(Path);
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) {
      target = std::move(resolved);
    }
  }
  fs::path dir = target.parent_path();
  if (dir.empty()) {
    dir = ".";
  }
  fs::create_directories(dir, ec);
  if (ec) {
    RaiseCreateError(Path, ec.value());
  }

  std::string tempName = target.filename().string();
  tempName.insert(0, 1, '.');
  tempName += ".XXXXXX";
  std::string temp = (dir / tempName).string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);  // exclusive, mode 0600
  if (fd < 0) {
    RaiseCreateError(Path, errno);
  }
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    // Keep the old file's permissions and, where allowed, its owner.
    static_cast<void>(::fchmod(fd, old.st_mode & 07777));
    static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
  }
  bool ok = WriteAll(fd, Bytes) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok) {
    if (BeforeRename) {
      try {
        BeforeRename(temp);
      } catch (...) {
        ::unlink(temp.c_str());
        throw;
      }
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
      ok = false;
      error = errno;
    }
  }
  if (!ok) {
    ::unlink(temp.c_str());
    RaiseCreateError(Path, error);
  }
  SyncDirectory(dir);
}

}  // namespace wrenly

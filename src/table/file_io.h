#pragma once

#include <functional>
#include <string>
#include <string_view>

// Whole-file reading and safe whole-file replacement for the table files.
namespace wrenly {

// Whether anything exists at Path.
bool FileExists(const std::string& Path);

// The whole contents of the file at Path. Raises EFOpenError
// 'Cannot open file "<Path>". <reason>' when it cannot be read.
std::string ReadWholeFile(const std::string& Path);

// Replaces the file at Path by Bytes so that Path never holds a half-written file: the bytes
// go to a new temporary file beside it (".<name>.XXXXXX", created exclusively), which is synced
// and then renamed over Path; the directory is synced after. Missing directories are created.
// A new file is readable and writable by its owner only; an existing one keeps its permissions
// (the temporary file has them from the start), and a symbolic link keeps pointing at the file
// it names. On any failure the temporary file is removed, the old file stays as it was, and
// EFCreateError 'Cannot create file "<Path>". <reason>' is raised. A temporary file left by a
// program killed before the rename is never read as a table; it stays until removed by hand,
// since another running copy of the program might still be writing it.
//
// BeforeRename, a seam for tests, is called with the temporary file's path when it is complete
// and synced, just before the rename.
void ReplaceFileContents(const std::string& Path, std::string_view Bytes,
                         const std::function<void(const std::string& TempPath)>& BeforeRename = {});

}  // namespace wrenly

#pragma once

#include <string>
#include <string_view>

// Where the running program lives, and the names derived from it. Paths here are file-system
// bytes (UTF-8 on this platform), not the Windows-1252 text of tables and messages.
namespace wrenly {

// Full path of the running program file, read from /proc/self/exe. Empty if it cannot be read.
std::string ProgramFilePath();

// The directory part of a program path, up to and including the last "/"; a result longer
// than three characters always ends in "/". "/opt/wrenly/wrenly" gives "/opt/wrenly/".
std::string AppDirFromPath(std::string_view ProgramPath);

// The application title: the file name without its directory, cut at its first ".", with the
// first character in capitals and every later one in small letters. "wrenly" gives "Wrenly",
// "RarUzavad.EXE" gives "Raruzavad". Only ASCII letters change case.
std::string ApplicationTitleFromPath(std::string_view ProgramPath);

// The two rules applied to the running program.
std::string AppDir();
std::string ApplicationTitle();

}  // namespace wrenly

#pragma once

#include <QString>

#include <vector>

// Opening an address or a document with the user's default program for it, as the desktop
// does: the program is started and not waited for, with no terminal and none of its output
// reaching ours. Tests put a ShellRecorder in place, so no test ever starts a browser.
namespace wrenly {

// Opens Url with the default program for its scheme: the web browser for "https://...". True
// when that program could be started; what it makes of the address is its own affair.
bool ShellOpenUrl(const QString& Url);

// Opens the file at Path (a file-system path, relative ones taken from the current directory)
// with the program associated with its type. True when that program could be started.
bool ShellOpenFile(const QString& Path);

struct ShellRequest {
  QString Target;  // the address, or the path as it was given
  bool IsFile = false;
};

// While one exists, requests are recorded here instead of handed to the system; the newest
// recorder gets them. Each is answered with Started(), true unless set otherwise.
class ShellRecorder {
 public:
  ShellRecorder();
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  bool Started() const { return started_; }
  void SetStarted(bool Value) { started_ = Value; }
  const std::vector<ShellRequest>& Requests() const { return requests_; }

 private:
  friend bool ShellOpenUrl(const QString&);
  friend bool ShellOpenFile(const QString&);
  bool Record(ShellRequest Request);

  bool started_ = true;
  std::vector<ShellRequest> requests_;
  ShellRecorder* previous_;
};

}  // namespace wrenly

#include "platform/shell.h"

#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace wrenly {
namespace {

ShellRecorder* currentRecorder = nullptr;

// xdg-open picks the desktop's own choice of program, for addresses and files alike. It is
// started detached, so it outlives neither our wait nor our exit, and its output, and the
// browser's chatter after it, go nowhere.
bool StartOpener(const QString& Target) {
  QProcess opener;
  opener.setProgram(QStringLiteral("xdg-open"));
  opener.setArguments({Target});
  opener.setStandardInputFile(QProcess::nullDevice());
  opener.setStandardOutputFile(QProcess::nullDevice());
  opener.setStandardErrorFile(QProcess::nullDevice());
  return opener.startDetached();
}

}  // namespace

bool ShellOpenUrl(const QString& Url) {
  if (currentRecorder != nullptr) {
    return currentRecorder->Record({Url, false});
  }
  // The opener would read a leading "-" as one of its options.
  if (Url.isEmpty() || Url.startsWith(u'-')) {
    return false;
  }
  return StartOpener(Url);
}

bool ShellOpenFile(const QString& Path) {
  if (currentRecorder != nullptr) {
    return currentRecorder->Record({Path, true});
  }
  if (Path.isEmpty()) {
    return false;
  }
  // An absolute path begins with "/", so it cannot pass for an option, and it means the same
  // file whatever directory the opener starts in.
  return StartOpener(QFileInfo(Path).absoluteFilePath());
}

ShellRecorder::ShellRecorder() : previous_(currentRecorder) {
  currentRecorder = this;
}

ShellRecorder::~ShellRecorder() {
  currentRecorder = previous_;
}

bool ShellRecorder::Record(ShellRequest Request) {
  requests_.push_back(std::move(Request));
  return started_;
}

}  // namespace wrenly

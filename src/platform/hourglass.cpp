#include "platform/hourglass.h"

#include <QApplication>

namespace wrenly {

ScopedHourglass::ScopedHourglass() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

ScopedHourglass::~ScopedHourglass() {
  QApplication::restoreOverrideCursor();
}

}  // namespace wrenly

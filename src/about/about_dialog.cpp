#include "about/about_dialog.h"

#include "platform/form_style.h"

namespace wrenly {

TAboutFrm::TAboutFrm(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("AboutFrm"));
  setWindowTitle(QStringLiteral("About HARWICKDALE-Wrenly"));
  setFont(FormFont());
  MakeFixedDialog(this, QSize(343, 227));
}

}  // namespace wrenly

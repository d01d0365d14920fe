#include "contacts/contacts_dialog.h"

#include "platform/form_style.h"

namespace wrenly {

TContactsFrm::TContactsFrm(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("ContactsFrm"));
  setWindowTitle(QStringLiteral("ContactsFrm"));
  setFont(FormFont());
  MakeSizeableDialog(this, QSize(316, 330));
}

}  // namespace wrenly

#include "providers/provider_dialog.h"

#include "platform/form_style.h"

namespace wrenly {

TSmsGwayFrm::TSmsGwayFrm(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("SmsGwayFrm"));
  setWindowTitle(QStringLiteral("SMS Service Providers"));
  setFont(FormFont());
  MakeFixedDialog(this, QSize(343, 189));
}

}  // namespace wrenly

#include "settings/editor_settings_dialog.h"

#include "platform/form_style.h"

namespace wrenly {

TMsgSettingsFrm::TMsgSettingsFrm(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("MsgSettingsFrm"));
  setWindowTitle(QStringLiteral("Message Editor Settings"));
  setFont(FormFont());
  MakeFixedDialog(this, QSize(329, 124));
}

}  // namespace wrenly

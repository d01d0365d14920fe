#include "app/program.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace wrenly {

TProgram::TProgram()
    : ContactsFrm(std::make_unique<TContactsFrm>(&MainFrm)),
      SmsGwayFrm(std::make_unique<TSmsGwayFrm>(&MainFrm)),
      MsgSettingsFrm(std::make_unique<TMsgSettingsFrm>(&MainFrm)),
      AboutFrm(std::make_unique<TAboutFrm>(&MainFrm)) {
  MainFrm.SetDialogs({ContactsFrm.get(), SmsGwayFrm.get(), MsgSettingsFrm.get(), AboutFrm.get()});
}

TProgram::~TProgram() {
  MainFrm.SetDialogs({});
  AboutFrm.reset();
  MsgSettingsFrm.reset();
  SmsGwayFrm.reset();
  ContactsFrm.reset();
}

int TProgram::Run() {
  Start();
  const int code = QApplication::exec();
  MainFrm.CloseTables();
  return code;
}

void TProgram::Start() {
  MainFrm.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, MainFrm.size(),
                                          QApplication::primaryScreen()->availableGeometry()));
  MainFrm.show();
}

}  // namespace wrenly

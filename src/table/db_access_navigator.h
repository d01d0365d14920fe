#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "table/bound_control_support.h"
#include "table/navigator_rules.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace wrenly {

class TDataSource;

// The record navigator bar: picture buttons and two number boxes in a row that move a table's
// cursor, add records and delete the current one. It follows the table: its controls are
// enabled as the table allows (all disabled until the table is open), the record number box
// shows the current record's zero-based number and the count box the number of records.
// Errors of its actions are swallowed: nothing is shown and the bar stays as it was.
//
// Prior and Next repeat while held: 400 ms after the press, then every 100 ms. Delete asks
// "Delete record?" first while ConfirmDelete is on. The record number box goes to the record it
// names, from 0 to the count less one, when Enter is pressed in it, when it is clicked and when
// the focus leaves it.
class TDBAccessNavigator : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kButtonWidth = 20;
  static constexpr int kBoxWidth = 60;
  static constexpr int kOfWidth = 20;
  static constexpr int kHeight = 21;
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;

  explicit TDBAccessNavigator(QWidget* Parent = nullptr);
  ~TDBAccessNavigator() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Source);
  // The members whose controls the bar shows, left to right in the order of TNavigateBtn.
  TNavigateButtons VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TNavigateButtons Buttons);
  bool ConfirmDelete = true;
  // The repeat timer of Prior and Next; the system's by default.
  void SetTimeSource(TTimeSource& Time);

  // The control of a member: a button, the record number box, or the count box (whose " of "
  // label is OfLabel()).
  QWidget* Control(TNavigateBtn Button) const {
    return controls_[static_cast<std::size_t>(Button)];
  }
  QLabel* OfLabel() const { return ofLabel_; }

  // Runs the action of a member, as its control does.
  void BtnClick(TNavigateBtn Button);

  // Before an action: may change the member that acts, or cancel it.
  std::function<void(TNavigateBtn& Button, bool& Cancel)> BeforeAction;
  // After an action, whether or not it succeeded.
  std::function<void(TNavigateBtn Button)> OnClick;

  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  class TNavigatorLink;

  void CreateControls();
  void Layout();
  void UpdateControls();
  void RunAction(TNavigateBtn Button);
  void GoToTypedRecord();
  void StartRepeat(TNavigateBtn Button);
  void Repeat();

  std::unique_ptr<TNavigatorLink> link_;
  TNavigateButtons visible_ = TNavigateButtons::All();
  std::array<QWidget*, kNavigateBtnCount> controls_{};
  QLabel* ofLabel_ = nullptr;
  QLineEdit* recNoBox_ = nullptr;
  QLineEdit* countBox_ = nullptr;
  std::unique_ptr<TTimer> repeatTimer_;
  QAbstractButton* repeating_ = nullptr;
  bool repeated_ = false;
};

}  // namespace wrenly

#include "table/db_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QProxyStyle>

#include <functional>

#include "platform/application.h"
#include "platform/cp1252.h"
#include "platform/qt_text.h"
#include "platform/text_guard.h"

namespace wrenly {
namespace {

// The platform draws a password box with its own mask character; this one draws ours.
class TPasswordCharStyle final : public QProxyStyle {
 public:
  explicit TPasswordCharStyle(char32_t Char) : char_(Char) {}

  int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                QStyleHintReturn* Return) const override {
    if (Hint == SH_LineEdit_PasswordCharacter) {
      return static_cast<int>(char_);
    }
    return QProxyStyle::styleHint(Hint, Option, Widget, Return);
  }

 private:
  char32_t char_;
};

}  // namespace

TDBEdit::TDBEdit(QWidget* Parent) : QLineEdit(Parent) {
  setReadOnly(true);
  RestrictToCp1252(this);
  link_.OnDataChange = [this] { ShowField(); };
  link_.OnEditingChange = [this] { setReadOnly(!link_.Editing()); };
  link_.OnUpdateData = [this] { link_.Field()->SetAsString(Text()); };
  Connect(this, &QLineEdit::textChanged, this, &TDBEdit::TextChanged);
}

TDBEdit::~TDBEdit() = default;

void TDBEdit::SetDataSource(TDataSource* Source) {
  link_.ControlName = FromQString(objectName());
  link_.SetDataSource(Source);
}

void TDBEdit::SetDataField(std::string_view FieldName) {
  link_.ControlName = FromQString(objectName());
  link_.SetFieldName(FieldName);
}

void TDBEdit::SetPasswordChar(char Char) {
  passwordChar_ = Char;
  if (Char == 0) {
    setEchoMode(Normal);
    return;
  }
  auto* style = new TPasswordCharStyle(Cp1252ToUnicode(static_cast<unsigned char>(Char)));
  style->setParent(this);
  setStyle(style);
  setEchoMode(Password);
}

void TDBEdit::SetMaxLength(int Length) {
  maxLength_ = Length;
  ApplyMaxLength();
}

void TDBEdit::ApplyMaxLength() {
  constexpr int kUnlimited = 32767;  // the line edit's own default
  if (maxLength_ > 0) {
    setMaxLength(maxLength_);
  } else {
    setMaxLength(link_.Field() != nullptr ? link_.Field()->Size() : kUnlimited);
  }
}

std::string TDBEdit::Text() const {
  return FromQString(text());
}

void TDBEdit::ShowField() {
  ApplyMaxLength();
  const QString text = link_.Field() != nullptr ? ToQString(link_.Field()->AsString()) : QString();
  // The same text is left alone, so that the cursor stays where the user put it.
  if (text != this->text()) {
    setText(text);
  }
}

void TDBEdit::TextChanged() {
  link_.SetModified();
  if (OnChange) {
    OnChange();
  }
}

void TDBEdit::keyPressEvent(QKeyEvent* Event) {
  RunGuarded([&] {
    const TKeyStroke key = KeyStrokeOf(Event);
    if (key.Key == vkEscape) {
      link_.Reset();
      selectAll();
      Event->accept();
      return;
    }
    if (EditBoxKeyStartsEdit(key) && !link_.Edit()) {
      Event->accept();
      return;
    }
    QLineEdit::keyPressEvent(Event);
  });
}

void TDBEdit::focusInEvent(QFocusEvent* Event) {
  if (MovesFocusWithinWindow(Event->reason()) && !keepingText_) {
    RunGuarded([this] { link_.Reset(); });
  }
  QLineEdit::focusInEvent(Event);
}

void TDBEdit::focusOutEvent(QFocusEvent* Event) {
  QLineEdit::focusOutEvent(Event);
  if (!LeavesControl(this, Event)) {
    return;
  }
  RunGuarded([this] {
    try {
      link_.UpdateRecord();
    } catch (...) {
      // The text stays, selected, for the user to correct: coming back is not entering anew.
      keepingText_ = true;
      setFocus();
      keepingText_ = false;
      selectAll();
      throw;
    }
    link_.Reset();
    if (OnExit) {
      OnExit();
    }
  });
}

std::unique_ptr<QMenu> TDBEdit::CreateContextMenu() {
  // The entries that change the text are there whenever the field can be changed, even while
  // the box is still read-only, and each asks for the edit before it acts.
  const bool canEdit = !isReadOnly() || (link_.Active() && link_.CanModify());
  const bool selected = hasSelectedText();
  const bool shown = echoMode() == Normal;
  auto menu = std::make_unique<QMenu>();
  auto add = [&](const char* Name, const QString& Caption, QKeySequence::StandardKey Keys,
                 bool Enabled, bool Edits, std::function<void()> Act) {
    QString text = Caption;
    if (Keys != QKeySequence::UnknownKey) {
      text += u'\t' + QKeySequence(Keys).toString(QKeySequence::NativeText);
    }
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(Name));
    action->setEnabled(Enabled);
    Connect(action, &QAction::triggered, this, [this, Edits, Act = std::move(Act)] {
      if (!Edits || link_.Edit()) {
        Act();
      }
    });
  };
  add("edit-undo", tr("&Undo"), QKeySequence::Undo, canEdit && isUndoAvailable(), true,
      [this] { undo(); });
  add("edit-redo", tr("&Redo"), QKeySequence::Redo, canEdit && isRedoAvailable(), true,
      [this] { redo(); });
  menu->addSeparator();
  add("edit-cut", tr("Cu&t"), QKeySequence::Cut, canEdit && selected && shown, true,
      [this] { cut(); });
  add("edit-copy", tr("&Copy"), QKeySequence::Copy, selected && shown, false, [this] { copy(); });
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  add("edit-paste", tr("&Paste"), QKeySequence::Paste,
      canEdit && clipboard != nullptr && clipboard->hasText(), true, [this] { paste(); });
  add("edit-delete", tr("Delete"), QKeySequence::UnknownKey, canEdit && selected, true,
      [this] { del(); });
  menu->addSeparator();
  add("select-all", tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(), false,
      [this] { selectAll(); });
  return menu;
}

void TDBEdit::contextMenuEvent(QContextMenuEvent* Event) {
  std::unique_ptr<QMenu> menu = CreateContextMenu();
  menu->exec(Event->globalPos());
}

}  // namespace wrenly

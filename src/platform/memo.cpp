#include "platform/memo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/qt_text.h"
#include "platform/text_guard.h"

namespace wrenly {
namespace {

constexpr QChar kParagraphSeparator(0x2029);
constexpr QChar kLineSeparator(0x2028);

// Text as the widget holds it (paragraph and line separators) or as it arrives (CR LF, CR,
// LF), with every line break as one "\n".
QString WithPlainBreaks(QString Text) {
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text.replace(u'\r', u'\n');
  Text.replace(kParagraphSeparator, u'\n');
  Text.replace(kLineSeparator, u'\n');
  return Text;
}

// The length the core will see: one per character, two per line break.
int CoreLength(const QString& PlainBreaks) {
  return static_cast<int>(PlainBreaks.size() + PlainBreaks.count(u'\n'));
}

// Whether the text box will insert the text of this key press, by the rule it applies itself:
// printable text, unless Ctrl or Ctrl+Shift is held (AltGr, which is Ctrl+Alt on some systems,
// still types).
bool InsertsText(const QKeyEvent& Event) {
  const QString text = Event.text();
  if (text.isEmpty()) {
    return false;
  }
  QChar first = text.front();
  if (first.category() == QChar::Other_Format) {
    return true;
  }
  Qt::KeyboardModifiers modifiers = Event.modifiers();
  if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier)) {
    return false;
  }
  return first.isPrint() || first.isSurrogate() || first.category() == QChar::Other_PrivateUse;
}

}  // namespace

TMemo::TMemo(QWidget* Parent) : QPlainTextEdit(Parent) {
  setTabChangesFocus(true);
}

std::string TMemo::Text() const {
  QString text = WithPlainBreaks(document()->toRawText());
  text.replace(u'\n', QStringLiteral("\r\n"));
  return FromQString(text);
}

void TMemo::SetText(const std::string& Text) {
  setPlainText(WithPlainBreaks(ToQString(Text)));
}

int TMemo::TextLength() const {
  return CoreLength(WithPlainBreaks(document()->toRawText()));
}

void TMemo::AppendLine(const std::string& Line) {
  appendPlainText(WithPlainBreaks(ToQString(Line)));
}

QString TMemo::FittingPart(const QString& Insertion) const {
  if (maxLength_ <= 0) {
    return Insertion;
  }
  int room = maxLength_ - TextLength() + CoreLength(WithPlainBreaks(textCursor().selectedText()));
  qsizetype fits = 0;
  while (fits < Insertion.size()) {
    int cost = Insertion[fits] == u'\n' ? 2 : 1;
    if (cost > room) {
      break;
    }
    room -= cost;
    ++fits;
  }
  return Insertion.left(fits);
}

void TMemo::keyPressEvent(QKeyEvent* Event) {
  if (isReadOnly()) {
    QPlainTextEdit::keyPressEvent(Event);
    return;
  }
  if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) &&
      FittingPart(QStringLiteral("\n")).isEmpty()) {
    Event->accept();
    return;
  }
  if (InsertsText(*Event)) {
    if (!IsCp1252Text(Event->text())) {
      Beep();
      Event->accept();
      return;
    }
    if (FittingPart(Event->text()) != Event->text()) {
      Event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(Event);
}

void TMemo::keyReleaseEvent(QKeyEvent* Event) {
  QPlainTextEdit::keyReleaseEvent(Event);
  if (!Event->isAutoRepeat()) {
    Q_EMIT KeyUp(Event->key());
  }
}

void TMemo::inputMethodEvent(QInputMethodEvent* Event) {
  QString commit = Event->commitString();
  if (commit.isEmpty() || isReadOnly()) {
    QPlainTextEdit::inputMethodEvent(Event);
    return;
  }
  if (!IsCp1252Text(commit)) {
    Beep();
    commit.clear();
  } else {
    commit = FittingPart(WithPlainBreaks(commit));
  }
  QInputMethodEvent fitted(Event->preeditString(), Event->attributes());
  fitted.setCommitString(commit, Event->replacementStart(), Event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&fitted);
  Event->setAccepted(fitted.isAccepted());
}

void TMemo::insertFromMimeData(const QMimeData* Source) {
  if (isReadOnly() || !Source->hasText()) {
    return;
  }
  QString text = WithPlainBreaks(Source->text());
  if (!IsCp1252Text(text)) {
    Beep();
    return;
  }
  QMimeData fitted;
  fitted.setText(FittingPart(text));
  QPlainTextEdit::insertFromMimeData(&fitted);
}

}  // namespace wrenly

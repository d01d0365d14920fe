#pragma once

#include <QPlainTextEdit>

#include <string>

namespace wrenly {

// A multi-line text box whose text is what the core sees: Windows-1252 with CR LF line breaks.
// Its length counts a line break as two characters, the CR and the LF. It refuses characters
// the code page cannot hold (see text_guard.h), and with a MaxLength above zero it stops typing,
// pasting, dropping and composing at that length: a paste is cut to what fits, never in the
// middle of a line break. Tab moves the focus on, as in any other input of a form.
class TMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TMemo(QWidget* Parent = nullptr);

  // 0 means no limit. Lowering it does not shorten a text already longer.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Length) { maxLength_ = Length; }

  std::string Text() const;
  void SetText(const std::string& Text);
  // The length of Text(), each line break counting two.
  int TextLength() const;

  // Adds Line as a new last line. Line breaks inside it, CR LF or lone CR or LF, start further
  // lines.
  void AppendLine(const std::string& Line);

 Q_SIGNALS:
  // A key was released while the box had the focus (repeats of a held key excluded).
  void KeyUp(int Key);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  void insertFromMimeData(const QMimeData* Source) override;

 private:
  // How much of Insertion fits in place of the selection, in characters: all of it without a
  // limit, otherwise the longest head that keeps the text within MaxLength.
  QString FittingPart(const QString& Insertion) const;

  int maxLength_ = 0;
};

}  // namespace wrenly

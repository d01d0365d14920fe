#include "platform/form_style.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMargins>
#include <QWindow>

namespace wrenly {
namespace {

// Sizes the client area so that the frame fits within the outer size. A dialog that has never
// been shown has no frame yet, so the frame of the window it belongs to stands in: on one
// screen, under one window manager, the two are drawn alike.
class OuterSizeKeeper : public QObject {
 public:
  OuterSizeKeeper(QDialog* Dialog, QSize Size) : QObject(Dialog), dialog_(Dialog), size_(Size) {}

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == dialog_ && Event->type() == QEvent::Show && !adjusted_) {
      QSize frame = FrameOf(dialog_);
      if (frame.isNull() && dialog_->parentWidget() != nullptr) {
        frame = FrameOf(dialog_->parentWidget()->window());
      }
      if (!frame.isNull()) {
        dialog_->resize(size_ - frame);
        adjusted_ = true;
      }
    }
    return false;
  }

 private:
  static QSize FrameOf(const QWidget* Window) {
    return Window->frameGeometry().size() - Window->geometry().size();
  }

  QDialog* dialog_;
  QSize size_;
  bool adjusted_ = false;
};

}  // namespace

QFont FormFont(int PixelHeight) {
  // Faces drawn to the same narrow measure come first, so captions fit the controls they were
  // sized for; failing all of them, the platform's default sans-serif face.
  [[maybe_unused]] static const bool substituted = [] {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans Condensed")});
    return true;
  }();
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(PixelHeight);
  return font;
}

void MakeFixedDialog(QDialog* Dialog, QSize Size) {
  Dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  Dialog->setFixedSize(Size);
}

void MakeSizeableDialog(QDialog* Dialog, QSize Size) {
  Dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
  Dialog->resize(Size);
  Dialog->installEventFilter(new OuterSizeKeeper(Dialog, Size));
}

QLabel* PlaceLabel(QWidget* Parent, const char* Name, const QString& Caption, QPoint Position) {
  auto* label = new QLabel(Caption, Parent);
  label->setObjectName(QLatin1String(Name));
  label->move(Position);
  label->adjustSize();
  return label;
}

}  // namespace wrenly

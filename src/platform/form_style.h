#pragma once

#include <QFont>
#include <QLatin1String>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QWidget;

// What every window of the program shares in look and size rules.
namespace wrenly {

// "MS Sans Serif" at a character height of PixelHeight pixels. The windows ask for that name;
// the platform's font matching picks the closest sans-serif face installed.
QFont FormFont(int PixelHeight = 11);

// A dialog with a fixed client area of Size: single border, no maximise box, not resizable.
void MakeFixedDialog(QDialog* Dialog, QSize Size);

// A resizable dialog whose outer size, frame and title bar included, starts at Size. Until
// the window system reports the frame (on the first showing), the client area takes Size.
void MakeSizeableDialog(QDialog* Dialog, QSize Size);

// Controls sit at fixed places: Place gives Control its design name and its geometry in its
// parent, and returns it.
template <typename Widget>
Widget* Place(Widget* Control, const char* Name, QRect Geometry) {
  Control->setObjectName(QLatin1String(Name));
  Control->setGeometry(Geometry);
  return Control;
}

// A label at Position in Parent, sized to its caption, as a label that sizes itself does.
QLabel* PlaceLabel(QWidget* Parent, const char* Name, const QString& Caption, QPoint Position);

}  // namespace wrenly

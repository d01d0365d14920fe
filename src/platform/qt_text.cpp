#include "platform/qt_text.h"

#include <QList>
#include <QStringView>

#include "platform/cp1252.h"

namespace wrenly {

QString ToQString(std::string_view Text) {
  QString result;
  result.reserve(static_cast<qsizetype>(Text.size()));
  for (char byte : Text) {
    result += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
  }
  return result;
}

std::string FromQString(const QString& Text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(Text.size()));
  for (char32_t character : Text.toUcs4()) {
    result += static_cast<char>(UnicodeToCp1252(character).value_or('?'));
  }
  return result;
}

bool IsCp1252Text(QStringView Text) {
  for (char32_t character : Text.toUcs4()) {
    if (!UnicodeToCp1252(character)) {
      return false;
    }
  }
  return true;
}

}  // namespace wrenly

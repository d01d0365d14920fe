#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one crossing between the core's 8-bit Windows-1252 text and the Unicode text of the
// widgets. Nothing else turns a std::string of program text into a QString or back.
namespace wrenly {

// Every byte becomes a character; none is lost.
QString ToQString(std::string_view Text);

// Every character becomes its byte. A character the code page cannot hold becomes "?", one per
// character; the text inputs refuse such characters, so only text from outside them can carry
// one.
std::string FromQString(const QString& Text);

// Whether every character of Text has a byte in the code page.
bool IsCp1252Text(QStringView Text);

}  // namespace wrenly

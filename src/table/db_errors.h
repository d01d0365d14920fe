#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The errors of the tables and their files. what() is exactly the text the user sees in the
// error box, prefix included.
namespace wrenly {

// "Prefix: Message", or Message alone when there is no prefix.
inline std::string PrefixedMessage(std::string_view Prefix, std::string_view Message) {
  std::string text;
  if (!Prefix.empty()) {
    text.append(Prefix).append(": ");
  }
  text.append(Message);
  return text;
}

// A table-model error, prefixed by the table's name.
class EDatabaseError : public std::runtime_error {
 public:
  explicit EDatabaseError(const std::string& Message) : std::runtime_error(Message) {}
  EDatabaseError(std::string_view TableName, std::string_view Message)
      : std::runtime_error(PrefixedMessage(TableName, Message)) {}
};

// An error of the CSV storage, prefixed by the table's file name (some messages carry none).
class ECsvDataSetError : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};

// A fixed limit of the CSV layer was exceeded (too many columns, a header or definition too long).
class ERangeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The platform's file errors: 'Cannot open file "<path>". <reason>' and the like.
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EFOpenError : public EFileError {
 public:
  using EFileError::EFileError;
};

class EFCreateError : public EFileError {
 public:
  using EFileError::EFileError;
};

}  // namespace wrenly

#pragma once

#include <QString>
#include <exception>
#include <stdexcept>

namespace norvan {

// The one exception type the program raises; its message is what the operator sees.
// Wrap a lower-level failure with std::throw_with_nested to keep the cause.
class Error : public std::runtime_error {
  public:
    explicit Error(const QString& message);
    QString message() const { return message_; }

  private:
    QString message_;
};

// The text of any exception: an Error's own message, otherwise what() read as UTF-8 (the
// libraries underneath write their messages in ASCII or UTF-8).
QString exceptionMessage(const std::exception& error);

}  // namespace norvan

#pragma once

#include <QString>
#include <exception>

namespace norvan::app {

// The text of the error box for a raised error: the innermost non-empty message of a chain of
// nested errors, with a full stop appended when the last character's code is above that of "."
// (so letters and digits get one; "!", ")" and "." do not).
QString errorMessageText(const std::exception_ptr& error);

// The caption of the program's boxes: the executable's file name up to its first dot, the first
// character as it is and the rest in lower case ("NorvanECommerce" gives "Norvanecommerce").
QString applicationTitle(const QString& executablePath);

}  // namespace norvan::app

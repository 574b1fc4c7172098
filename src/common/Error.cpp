#include "Error.h"

namespace norvan {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

QString exceptionMessage(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) return own->message();
    return QString::fromUtf8(error.what());
}

}  // namespace norvan

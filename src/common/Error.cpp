#include "Error.h"

namespace norvan {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace norvan

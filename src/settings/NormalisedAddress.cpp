#include "NormalisedAddress.h"

namespace norvan::settings {

QString normalisedAddress(const QString& text) {
    return text.endsWith(u'/') ? text : text + u'/';
}

}  // namespace norvan::settings

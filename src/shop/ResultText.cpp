#include "ResultText.h"

namespace norvan::shop {

bool isFailureResult(const QString& result) {
    return result.startsWith(u"Error: ");
}

}  // namespace norvan::shop

#pragma once

#include <QString>
#include <cstddef>

namespace norvan::shop {

// How deeply the JSON of an answer may nest. The shop's answers nest a few levels (the meta data
// of an order's line items are the deepest); every reader of an answer refuses a deeper text when
// it gets there, before its work and memory grow with the depth.
inline constexpr std::size_t kMaxJsonDepth = 512;

inline QString jsonTooDeepMessage() {
    return QStringLiteral("The JSON text is nested deeper than %1 levels.").arg(kMaxJsonDepth);
}

}  // namespace norvan::shop

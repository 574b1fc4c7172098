#pragma once

#include <QString>

namespace norvan::common {

// Gives the file at from the name to unless something of that name exists: returns false,
// touching neither, when it does. Throws Error("Cannot create file \"<to>\". <reason>") on any
// other failure.
bool moveWithoutReplacing(const QString& from, const QString& to);

}  // namespace norvan::common

#pragma once

#include "CodePage.h"

#include <QString>

namespace norvan::common {

// Reads a whole file and decodes it by its byte-order mark (see decodeText).
// Throws Error "Cannot open file "<path>". <reason>" when it cannot be read.
DecodedText readTextFile(const QString& path);

// Creates or empties the file and writes the encoded text.
// Throws Error "Cannot create file "<path>". <reason>" when it cannot be written.
void writeTextFile(const QString& path, const QString& text,
                   TextEncoding encoding = TextEncoding::Ansi);

}  // namespace norvan::common

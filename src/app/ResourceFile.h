#pragma once

#include <QString>

namespace norvan::app {

// Whether the program carries the raw data resource resName (":/rcdata/<resName>").
bool hasDataResource(const QString& resName);

// Writes the raw data resource resName to fileName unless a file of that name exists; an
// existing file is never replaced, whatever its size, and the file appears only whole. A directory
// of that name is no file: the creation then fails. Throws Error "Resource <resName> not found" or
// "Cannot create file "<fileName>". <reason>".
void ExtractResourceFile(const QString& resName, const QString& fileName);

}  // namespace norvan::app

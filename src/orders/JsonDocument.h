#pragma once

#include <QString>
#include <nlohmann/json.hpp>

namespace norvan::orders {

// Parses a whole JSON text; of members sharing a name within one object the first one counts.
// An empty text gives a null document. Throws Error for a text that is not JSON.
nlohmann::json parseJsonDocument(const QString& text);

// The array at path (see parseJsonPath) in document. Throws Error
// "Value '<path>' not found" when nothing is there, and
// "Conversion from <kind> to array is not supported" (object, string, number, boolean, null)
// when something else is.
const nlohmann::json& GetJsonArray(const nlohmann::json& document, const QString& path);

}  // namespace norvan::orders

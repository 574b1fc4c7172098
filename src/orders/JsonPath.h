#pragma once

#include <QString>
#include <cstddef>
#include <variant>
#include <vector>

namespace norvan::orders {

// One step of a path into a JSON document: a member name or an array index.
using JsonPathStep = std::variant<QString, std::size_t>;

// Reads a path such as line_items, billing.city, line_items[0].name or ['a.b']["c\"d"].
// Names are separated by "."; "[n]" is an array index; a name holding "." or "[" goes in
// brackets and quotes, a backslash before a quote that belongs to it. Blanks and control
// characters around names and inside brackets are ignored; an empty path has no steps.
// Throws Error with the path reader's message for a malformed path.
std::vector<JsonPathStep> parseJsonPath(const QString& path);

}  // namespace norvan::orders

#pragma once

#include "JsonPath.h"
#include "common/Error.h"
#include "shop/JsonTokenReader.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

namespace norvan::orders {

// Counts the elements of the array at a path (see parseJsonPath) of a JSON text while the text is
// read token by token, so that finding an order's line items takes no second copy of the order.
// Of members sharing a name within one object the first one counts.
class JsonArrayCounter {
  public:
    explicit JsonArrayCounter(const QString& path);

    // Takes every token of the text, in document order.
    void take(const shop::JsonToken& token);

    // The array's element count, once the text is read. Throws Error with the path reader's
    // message for a malformed path, "Value '<path>' not found" when nothing is there, and
    // "Conversion from <kind> to array is not supported" (object, string, number, boolean, null)
    // when something else is. An empty text holds null.
    std::size_t count() const;

  private:
    struct Container {
        bool isArray = false;
        // How many steps of the path the container's own place matches; none off the path.
        std::optional<std::size_t> matched;
        bool holdsNextStep = false;  // an object's member named by the next step came already
        bool isTarget = false;       // the array at the path
        std::size_t nextIndex = 0;
    };

    void takeValue(shop::JsonTokenKind kind);
    // The steps matched by the place of the value that comes now.
    std::optional<std::size_t> placeOfNextValue();

    QString path_;
    std::vector<JsonPathStep> steps_;
    std::optional<Error> pathFault_;
    std::vector<Container> containers_;
    bool nextMemberOnPath_ = false;
    std::optional<QString> foundKind_;  // the kind of the value at the path
    std::size_t count_ = 0;
};

}  // namespace norvan::orders

#include "ProductBatch.h"

#include "JsonDepth.h"
#include "common/Error.h"

#include <nlohmann/json.hpp>

namespace norvan::shop {

namespace {

const char* listName(BatchAction action) {
    return action == BatchAction::Create ? "create" : "update";
}

// The message of a refused item's error; empty when the shop gave none.
QString errorMessage(const nlohmann::json& error) {
    if (!error.is_object()) return {};
    const auto message = error.find("message");
    return message != error.end() && message->is_string()
               ? QString::fromStdString(message->get<std::string>())
               : QString();
}

}  // namespace

QString batchSuccessText(BatchAction action) {
    return action == BatchAction::Create ? QStringLiteral("201 create product.")
                                         : QStringLiteral("201 update product.");
}

QByteArray batchRequestBody(BatchAction action, const QList<JsonBody>& items) {
    QByteArray body = QByteArray("{\"") + listName(action) + "\":[";
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0) body += ',';
        body += items.at(i).compactText();
    }
    return body + "]}";
}

std::optional<QStringList> batchItemResults(const QByteArray& answer, BatchAction action,
                                            qsizetype itemCount) {
    // Of each item only its "error" is kept: the saved products, a hundred members each, are
    // read but never built.
    constexpr int kItemMemberDepth = 3;  // the answer, its list, an item, the item's members
    const auto keepItemErrors = [](int depth, nlohmann::json::parse_event_t event,
                                   const nlohmann::json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if ((event == Event::object_start || event == Event::array_start) &&
            static_cast<std::size_t>(depth) >= kMaxJsonDepth)
            throw Error(jsonTooDeepMessage());
        return event != Event::key || depth != kItemMemberDepth || parsed == "error";
    };
    const nlohmann::json document =
        nlohmann::json::parse(answer.begin(), answer.end(), keepItemErrors, false);
    if (!document.is_object()) return std::nullopt;
    const auto list = document.find(listName(action));
    if (list == document.end() || !list->is_array() ||
        list->size() != static_cast<std::size_t>(itemCount))
        return std::nullopt;

    QStringList results;
    for (const nlohmann::json& item : *list) {
        if (!item.is_object()) return std::nullopt;
        const auto error = item.find("error");
        results.append(error == item.end() ? batchSuccessText(action)
                                           : QStringLiteral("Error: ") + errorMessage(*error));
    }
    return results;
}

}  // namespace norvan::shop

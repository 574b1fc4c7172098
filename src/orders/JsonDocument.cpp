#include "JsonDocument.h"

#include "JsonPath.h"
#include "common/Error.h"

#include <exception>
#include <unordered_set>
#include <vector>

namespace norvan::orders {

namespace {

const nlohmann::json* find(const nlohmann::json& document, const std::vector<JsonPathStep>& steps) {
    const nlohmann::json* value = &document;
    for (const JsonPathStep& step : steps) {
        if (const auto* name = std::get_if<std::string>(&step)) {
            if (!value->is_object()) return nullptr;
            const auto member = value->find(*name);
            if (member == value->end()) return nullptr;
            value = &*member;
        } else {
            const std::size_t index = std::get<std::size_t>(step);
            if (!value->is_array() || index >= value->size()) return nullptr;
            value = &(*value)[index];
        }
    }
    return value;
}

}  // namespace

nlohmann::json parseJsonDocument(const QString& text) {
    if (text.isEmpty()) return nullptr;
    // The names met so far in each open object, by depth; a repeated name is dropped with its
    // value, so the first member of that name stays.
    std::vector<std::unordered_set<std::string>> namesByDepth;
    const auto keepFirstMember = [&](int depth, nlohmann::json::parse_event_t event,
                                     nlohmann::json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start) {
            namesByDepth.resize(std::size_t(depth) + 1);
            namesByDepth[std::size_t(depth)].clear();
        } else if (event == Event::key) {
            return namesByDepth[std::size_t(depth) - 1].insert(parsed.get<std::string>()).second;
        }
        return true;
    };
    const std::string utf8 = text.toStdString();
    try {
        return nlohmann::json::parse(utf8, keepFirstMember);
    } catch (const nlohmann::json::exception& e) {
        std::throw_with_nested(Error(exceptionMessage(e)));
    }
}

const nlohmann::json& GetJsonArray(const nlohmann::json& document, const QString& path) {
    const nlohmann::json* value = find(document, parseJsonPath(path));
    if (!value) throw Error(QStringLiteral("Value '%1' not found").arg(path));
    if (!value->is_array())
        throw Error(QStringLiteral("Conversion from %1 to array is not supported")
                        .arg(QString::fromUtf8(value->type_name())));
    return *value;
}

}  // namespace norvan::orders

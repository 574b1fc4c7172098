#include "JsonArrayCounter.h"

namespace norvan::orders {

namespace {

using shop::JsonTokenKind;

QString kindName(JsonTokenKind kind) {
    switch (kind) {
        case JsonTokenKind::StartObject:
            return QStringLiteral("object");
        case JsonTokenKind::StartArray:
            return QStringLiteral("array");
        case JsonTokenKind::String:
            return QStringLiteral("string");
        case JsonTokenKind::Integer:
        case JsonTokenKind::Float:
            return QStringLiteral("number");
        case JsonTokenKind::Boolean:
            return QStringLiteral("boolean");
        default:
            return QStringLiteral("null");
    }
}

}  // namespace

JsonArrayCounter::JsonArrayCounter(const QString& path) : path_(path) {
    // A malformed path is reported once the text is read, after what the text itself yields.
    try {
        steps_ = parseJsonPath(path);
    } catch (const Error& error) {
        pathFault_ = error;
    }
    if (steps_.empty()) foundKind_ = kindName(JsonTokenKind::Null);  // until a value comes
}

void JsonArrayCounter::take(const shop::JsonToken& token) {
    switch (token.kind) {
        case JsonTokenKind::PropertyName: {
            Container& object = containers_.back();
            nextMemberOnPath_ = false;
            if (!object.matched || *object.matched == steps_.size() || object.holdsNextStep) return;
            const auto* name = std::get_if<QString>(&steps_[*object.matched]);
            if (name && *name == token.text) nextMemberOnPath_ = object.holdsNextStep = true;
            return;
        }
        case JsonTokenKind::EndObject:
        case JsonTokenKind::EndArray:
            containers_.pop_back();
            return;
        default:
            takeValue(token.kind);
    }
}

void JsonArrayCounter::takeValue(JsonTokenKind kind) {
    const std::optional<std::size_t> matched = placeOfNextValue();
    const bool atPath = matched == steps_.size();
    if (atPath) foundKind_ = kindName(kind);
    if (kind == JsonTokenKind::StartObject || kind == JsonTokenKind::StartArray) {
        const bool isArray = kind == JsonTokenKind::StartArray;
        containers_.push_back({isArray, matched, false, atPath && isArray});
    }
}

std::optional<std::size_t> JsonArrayCounter::placeOfNextValue() {
    if (containers_.empty()) return 0;  // the root
    Container& container = containers_.back();
    if (container.isTarget) ++count_;
    bool onPath = false;
    if (container.isArray) {
        const std::size_t index = container.nextIndex++;
        if (container.matched && *container.matched < steps_.size()) {
            const auto* step = std::get_if<std::size_t>(&steps_[*container.matched]);
            onPath = step && *step == index;
        }
    } else {
        onPath = nextMemberOnPath_;
        nextMemberOnPath_ = false;
    }
    if (!onPath) return std::nullopt;
    return *container.matched + 1;
}

std::size_t JsonArrayCounter::count() const {
    if (pathFault_) throw *pathFault_;
    if (!foundKind_) throw Error(QStringLiteral("Value '%1' not found").arg(path_));
    if (*foundKind_ != kindName(JsonTokenKind::StartArray))
        throw Error(
            QStringLiteral("Conversion from %1 to array is not supported").arg(*foundKind_));
    return count_;
}

}  // namespace norvan::orders

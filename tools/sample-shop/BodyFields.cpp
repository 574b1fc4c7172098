#include "BodyFields.h"

#include "AsciiText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace norvan::sampleshop {

namespace {

std::optional<long long> integerValue(const nlohmann::ordered_json& value) {
    if (value.is_number_integer()) return value.get<long long>();
    double number = 0;
    if (value.is_number_float()) {
        number = value.get<double>();
    } else if (value.is_string()) {
        const std::string text = value.get<std::string>();
        char* end = nullptr;
        number = std::strtod(text.c_str(), &end);
        if (text.empty() || std::isspace(static_cast<unsigned char>(text.back())) ||
            end != text.c_str() + text.size()) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(number) || std::round(number) != number) return std::nullopt;
    return static_cast<long long>(number);
}

std::optional<bool> booleanValue(const nlohmann::ordered_json& value) {
    if (value.is_boolean()) return value.get<bool>();
    if (value.is_number_integer()) {
        const long long number = value.get<long long>();
        if (number == 0 || number == 1) return number == 1;
        return std::nullopt;
    }
    if (value.is_string()) {
        const std::string text = lowerAscii(value.get<std::string>());
        if (text == "true" || text == "1") return true;
        if (text == "false" || text == "0") return false;
    }
    return std::nullopt;
}

const char* typeName(FieldType type) {
    switch (type) {
        case FieldType::String:
            return "string";
        case FieldType::Integer:
            return "integer";
        case FieldType::Boolean:
            return "boolean";
        case FieldType::Object:
            return "object";
        case FieldType::Array:
            return "array";
        case FieldType::ReadOnly:
            break;
    }
    return "";
}

// The sanitised value, or nullopt when the value does not have the rule's type.
std::optional<nlohmann::ordered_json> sanitised(const nlohmann::ordered_json& value,
                                                const FieldRule& rule) {
    if (value.is_null() && rule.nullable) return value;
    switch (rule.type) {
        case FieldType::String:
            if (value.is_string()) return value;
            break;
        case FieldType::Integer:
            if (const auto number = integerValue(value)) return nlohmann::ordered_json(*number);
            break;
        case FieldType::Boolean:
            if (const auto flag = booleanValue(value)) return nlohmann::ordered_json(*flag);
            break;
        case FieldType::Object:
            if (value.is_object()) return value;
            break;
        case FieldType::Array:
            if (value.is_array()) return value;
            break;
        case FieldType::ReadOnly:
            break;
    }
    return std::nullopt;
}

}  // namespace

FieldCheck checkFields(const nlohmann::ordered_json& body, const std::vector<FieldRule>& rules) {
    FieldCheck check;
    if (!body.is_object()) return check;
    for (const auto& rule : rules) {
        const auto it = body.find(rule.name);
        if (it == body.end() || rule.type == FieldType::ReadOnly) continue;
        const auto value = sanitised(*it, rule);
        if (!value) {
            check.invalid.push_back({rule.name, "rest_invalid_type",
                                     rule.name + " is not of type " + typeName(rule.type) + "."});
        } else if (!rule.allowed.empty() && value->is_string() &&
                   std::find(rule.allowed.begin(), rule.allowed.end(), value->get<std::string>()) ==
                       rule.allowed.end()) {
            check.invalid.push_back(
                {rule.name, "rest_not_in_enum", notOneOfMessage(rule.name, rule.allowed)});
        }
        if (value) check.values[rule.name] = *value;
    }
    for (const auto& [name, value] : body.items()) {
        const bool hasRule = std::any_of(rules.begin(), rules.end(),
                                         [&](const FieldRule& rule) { return rule.name == name; });
        if (!hasRule) check.values[name] = value;
    }
    return check;
}

std::string textMember(const nlohmann::ordered_json& object, const std::string& name) {
    const auto it = object.find(name);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

void mergeMembers(nlohmann::ordered_json& target, const nlohmann::ordered_json& values) {
    for (const auto& [name, value] : values.items()) {
        auto& member = target[name];
        if (member.is_object() && value.is_object()) {
            mergeMembers(member, value);
        } else {
            member = value;
        }
    }
}

}  // namespace norvan::sampleshop

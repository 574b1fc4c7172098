#pragma once

#include "RestAnswer.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace norvan::sampleshop {

// How the shop's schema takes one member of a request body.
enum class FieldType { String, Integer, Boolean, Object, Array, ReadOnly };

struct FieldRule {
    std::string name;
    FieldType type;
    bool nullable = false;
    std::vector<std::string> allowed = {};  // an enum of strings when not empty
};

struct FieldCheck {
    nlohmann::ordered_json values =
        nlohmann::ordered_json::object();  // sanitised, read-only dropped
    std::vector<InvalidParameter> invalid;
};

// Checks a body's members as WordPress does: an integer may come as an integral number or a
// numeric text, a boolean as true/false, 0/1 or their texts. Members without a rule pass as they
// are.
FieldCheck checkFields(const nlohmann::ordered_json& body, const std::vector<FieldRule>& rules);

// The member's text, or "" when it is missing or not a string.
std::string textMember(const nlohmann::ordered_json& object, const std::string& name);

// Sets every member of `values` in `target`; members that are objects on both sides are merged.
void mergeMembers(nlohmann::ordered_json& target, const nlohmann::ordered_json& values);

}  // namespace norvan::sampleshop

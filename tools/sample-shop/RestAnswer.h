#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <utility>
#include <vector>

namespace norvan::sampleshop {

// What a route answers: status, JSON body and the headers beyond Content-Type.
struct RestAnswer {
    int status = 200;
    nlohmann::ordered_json body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// {"code": code, "message": message, "data": {"status": status, ...extraData}}
RestAnswer restError(const std::string& code, const std::string& message, int status,
                     const nlohmann::ordered_json& extraData = nlohmann::ordered_json::object());

// One parameter that failed the route's schema: its name, the check's code and message.
struct InvalidParameter {
    std::string name;
    std::string code;  // "rest_invalid_type" or "rest_not_in_enum"
    std::string message;
};

// 400 rest_invalid_param "Invalid parameter(s): a, b" with the params and details members.
RestAnswer invalidParameters(const std::vector<InvalidParameter>& parameters);

// "<name> is not one of a, b, and c." as WordPress writes an enum failure.
std::string notOneOfMessage(const std::string& name, const std::vector<std::string>& allowed);

}  // namespace norvan::sampleshop

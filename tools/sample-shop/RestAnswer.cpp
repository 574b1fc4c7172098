#include "RestAnswer.h"

namespace norvan::sampleshop {

RestAnswer restError(const std::string& code, const std::string& message, int status,
                     const nlohmann::ordered_json& extraData) {
    nlohmann::ordered_json data = {{"status", status}};
    for (const auto& [name, value] : extraData.items()) data[name] = value;
    return {status, {{"code", code}, {"message", message}, {"data", data}}, {}};
}

RestAnswer invalidParameters(const std::vector<InvalidParameter>& parameters) {
    std::string names;
    nlohmann::ordered_json params = nlohmann::ordered_json::object();
    nlohmann::ordered_json details = nlohmann::ordered_json::object();
    for (const auto& parameter : parameters) {
        if (!names.empty()) names += ", ";
        names += parameter.name;
        params[parameter.name] = parameter.message;
        nlohmann::ordered_json detailData = nullptr;
        if (parameter.code == "rest_invalid_type") detailData = {{"param", parameter.name}};
        details[parameter.name] = {
            {"code", parameter.code}, {"message", parameter.message}, {"data", detailData}};
    }
    return restError("rest_invalid_param", "Invalid parameter(s): " + names, 400,
                     {{"params", params}, {"details", details}});
}

std::string notOneOfMessage(const std::string& name, const std::vector<std::string>& allowed) {
    std::string list;
    for (std::size_t i = 0; i < allowed.size(); ++i) {
        if (i > 0) list += allowed.size() > 2 ? ", " : " ";
        if (i > 0 && i + 1 == allowed.size()) list += "and ";
        list += allowed[i];
    }
    return name + " is not one of " + list + ".";
}

}  // namespace norvan::sampleshop

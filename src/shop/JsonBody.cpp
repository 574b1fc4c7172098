#include "JsonBody.h"

#include "JsonEscape.h"

#include <string>

namespace norvan::shop {

JsonBody& JsonBody::add(const QString& name, const QString& value) {
    members_.emplace_back(name, value);
    return *this;
}

JsonBody& JsonBody::add(const QString& name, qint64 value) {
    members_.emplace_back(name, value);
    return *this;
}

JsonBody& JsonBody::add(const QString& name, bool value) {
    members_.emplace_back(name, value);
    return *this;
}

JsonBody& JsonBody::addNull(const QString& name) {
    members_.emplace_back(name, std::monostate{});
    return *this;
}

namespace {

void appendValue(std::string& out, const std::variant<std::monostate, QString, qint64, bool>& v) {
    if (const auto* text = std::get_if<QString>(&v)) {
        appendJsonString(out, text->toStdString());
    } else if (const auto* number = std::get_if<qint64>(&v)) {
        out += std::to_string(*number);
    } else if (const auto* flag = std::get_if<bool>(&v)) {
        out += *flag ? "true" : "false";
    } else {
        out += "null";
    }
}

}  // namespace

QByteArray JsonBody::compactText() const {
    std::string out = "{";
    for (const auto& [name, value] : members_) {
        if (out.size() > 1) out += ',';
        appendJsonString(out, name.toStdString());
        out += ':';
        appendValue(out, value);
    }
    out += '}';
    return QByteArray::fromStdString(out);
}

}  // namespace norvan::shop

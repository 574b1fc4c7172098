#include "AnswerSax.h"

#include "JsonDepth.h"
#include "common/Error.h"

#include <limits>

namespace norvan::shop {

bool AnswerSax::read(const QByteArray& answer) {
    open_ = 0;
    name_.clear();
    tooDeep_ = false;
    if (nlohmann::json::sax_parse(answer.constBegin(), answer.constEnd(), this)) return true;
    if (tooDeep_) throw Error(jsonTooDeepMessage());
    return false;
}

const std::string& AnswerSax::takeName() {
    valueName_.swap(name_);
    name_.clear();
    return valueName_;
}

bool AnswerSax::null() {
    otherValue(depth(), takeName());
    return true;
}

bool AnswerSax::boolean(bool) {
    otherValue(depth(), takeName());
    return true;
}

bool AnswerSax::number_integer(number_integer_t value) {
    integerValue(depth(), takeName(), value);
    return true;
}

bool AnswerSax::number_unsigned(number_unsigned_t value) {
    if (value > static_cast<number_unsigned_t>(std::numeric_limits<qint64>::max()))
        otherValue(depth(), takeName());
    else
        integerValue(depth(), takeName(), static_cast<qint64>(value));
    return true;
}

bool AnswerSax::number_float(number_float_t, const string_t&) {
    otherValue(depth(), takeName());
    return true;
}

bool AnswerSax::string(string_t& value) {
    stringValue(depth(), takeName(), value);
    return true;
}

bool AnswerSax::binary(binary_t&) {
    return true;  // never produced by the text parser
}

bool AnswerSax::start_object(std::size_t) {
    return start(false);
}

bool AnswerSax::start_array(std::size_t) {
    return start(true);
}

bool AnswerSax::end_object() {
    return end();
}

bool AnswerSax::end_array() {
    return end();
}

bool AnswerSax::key(string_t& name) {
    name_.swap(name);
    return true;
}

bool AnswerSax::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
    return false;
}

bool AnswerSax::start(bool isArray) {
    if (open_ == kMaxJsonDepth) {
        tooDeep_ = true;
        return false;
    }
    containerStarted(depth(), takeName(), isArray);
    ++open_;
    return true;
}

bool AnswerSax::end() {
    --open_;
    containerEnded(depth());
    return true;
}

}  // namespace norvan::shop

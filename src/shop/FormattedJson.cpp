#include "FormattedJson.h"

#include "JsonEscape.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace norvan::shop {

namespace {

using nlohmann::json;

class LayoutWriter : public nlohmann::json_sax<json> {
  public:
    const std::string& text() const { return out_; }

    bool null() override { return scalar("null"); }
    bool boolean(bool value) override { return scalar(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return scalar(std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return scalar(std::to_string(value)); }
    bool number_float(number_float_t, const string_t& text) override { return scalar(text); }
    bool string(string_t& value) override {
        enterValue();
        appendJsonString(out_, value);
        return true;
    }
    bool binary(binary_t&) override { return true; }  // never produced by the text parser

    bool start_object(std::size_t) override { return open('{'); }
    bool start_array(std::size_t) override { return open('['); }
    bool end_object() override { return close('}'); }
    bool end_array() override { return close(']'); }

    bool key(string_t& name) override {
        newItem();
        appendJsonString(out_, name);
        out_ += ": ";
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

  private:
    struct Container {
        bool isArray;
        bool empty = true;
    };

    // Every member or element starts a new line; all but the first follow a ",".
    void newItem() {
        Container& container = containers_.back();
        if (!container.empty) out_ += ',';
        container.empty = false;
        out_ += "\r\n";
        indent(containers_.size());
    }

    // A member's value follows its name on the same line; an element starts its own line.
    void enterValue() {
        if (!containers_.empty() && containers_.back().isArray) newItem();
    }

    bool scalar(const std::string& text) {
        enterValue();
        out_ += text;
        return true;
    }

    bool open(char bracket) {
        enterValue();
        out_ += bracket;
        containers_.push_back({bracket == '['});
        return true;
    }

    bool close(char bracket) {
        containers_.pop_back();
        out_ += "\r\n";
        indent(containers_.size());
        out_ += bracket;
        return true;
    }

    void indent(std::size_t level) { out_.append(4 * level, ' '); }

    std::string out_;
    std::vector<Container> containers_;
};

}  // namespace

QString formatJson(const QByteArray& utf8) {
    LayoutWriter writer;
    if (!json::sax_parse(utf8.begin(), utf8.end(), &writer)) return {};
    return QString::fromStdString(writer.text());
}

}  // namespace norvan::shop

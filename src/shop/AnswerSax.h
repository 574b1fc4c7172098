#pragma once

// Used inside the shop library only: nlohmann is its private dependency.

#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QtGlobal>
#include <string>
#include <vector>

namespace norvan::shop {

// Reads an answer's JSON straight from its bytes and hands on each value with its depth (0 for
// the top-level value, 1 for the members or elements of the top-level container, ...) and the
// name of the member it is the value of (empty for an array's element). A reader picks the few
// values it needs; nothing else is kept, and no text is built for the rest.
class AnswerSax : public nlohmann::json_sax<nlohmann::json> {
  public:
    // Reads the whole text: true when it is strict JSON (RFC 8259, UTF-8). Throws
    // Error(jsonTooDeepMessage()) where it nests deeper than kMaxJsonDepth, before going on.
    bool read(const QByteArray& answer);

    // The parser's events.
    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool start_array(std::size_t elements) override;
    bool end_object() override;
    bool end_array() override;
    bool key(string_t& name) override;
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override;

  protected:
    virtual void containerStarted(int depth, const std::string& name, bool isArray) = 0;
    virtual void containerEnded(int depth) = 0;
    virtual void stringValue(int depth, const std::string& name, const std::string& value) = 0;
    // A whole number within 64 signed bits.
    virtual void integerValue(int depth, const std::string& name, qint64 value) = 0;
    // null, a boolean, a fraction, or a whole number beyond 64 signed bits.
    virtual void otherValue(int depth, const std::string& name) = 0;

  private:
    bool start(bool isArray);
    bool end();
    int depth() const { return static_cast<int>(open_); }
    // The member name of the value now read, which no later value has.
    const std::string& takeName();

    std::size_t open_ = 0;  // containers open
    std::string name_;      // of the member whose value comes next
    std::string valueName_;
    bool tooDeep_ = false;
};

}  // namespace norvan::shop

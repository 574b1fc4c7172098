#pragma once

#include <nlohmann/json.hpp>

#include <QString>
#include <QStringList>

namespace norvan::bench {

// The 15 plain fields of every line item of largeOrder, in the order the shop sends them.
extern const QStringList kLineItemFields;

// An order (id 727) as the shop sends it, with the given number of line items of 15 fields and a
// meta data entry each: about 500 bytes of JSON per item.
nlohmann::ordered_json largeOrder(int itemCount);

// A sample shop in a child process serving largeOrder(itemCount), in processing, with a customer
// note of noteMegabytes, so that the shop's copies of it are not counted in the measuring
// process. The child ends with the object.
class ServedLargeOrder {
  public:
    ServedLargeOrder(int itemCount, int noteMegabytes);
    ~ServedLargeOrder();
    ServedLargeOrder(const ServedLargeOrder&) = delete;
    ServedLargeOrder& operator=(const ServedLargeOrder&) = delete;

    // http://127.0.0.1:<port>/wp-json/wc/v3/
    QString baseUrl() const;
    // The answer's size in bytes, read once without keeping it.
    long long answerSize() const;

    static const char* const kKey;
    static const char* const kSecret;

  private:
    int pipe_ = -1;
    int child_ = -1;
    int port_ = 0;
};

}  // namespace norvan::bench

#pragma once

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

namespace norvan::shop {

// The JSON object of a write call: members in the order added, written compactly with the
// shop body's own escaping ("/" escaped, non-ASCII raw).
class JsonBody {
  public:
    JsonBody& add(const QString& name, const QString& value);
    JsonBody& add(const QString& name, const char* value) {
        return add(name, QString::fromUtf8(value));
    }
    JsonBody& add(const QString& name, qint64 value);
    // Without it an int literal would be ambiguous between qint64 and bool.
    JsonBody& add(const QString& name, int value) { return add(name, qint64{value}); }
    JsonBody& add(const QString& name, bool value);
    JsonBody& addNull(const QString& name);

    QByteArray compactText() const;  // UTF-8, no byte-order mark

  private:
    using Value = std::variant<std::monostate, QString, qint64, bool>;  // monostate: null
    std::vector<std::pair<QString, Value>> members_;
};

}  // namespace norvan::shop

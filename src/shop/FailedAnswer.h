#pragma once

#include <QByteArray>
#include <QString>

namespace norvan::shop {

// What the answer to a failed call said, beside the call's result text: the HTTP status and, when
// the answer was a WooCommerce error {"code": ..., "message": ..., "data": {...}}, its code and
// message. A call that got no answer (no connection, a time-out, a 5xx the wire layer raised) has
// status 0.
struct FailedAnswer {
    long status = 0;
    QString code;     // e.g. "woocommerce_rest_authentication_error"; "" for any other answer
    QString message;  // the shop's own words, HTML entities decoded; "" when it gave none

    bool operator==(const FailedAnswer&) const = default;
};

// The failed answer of a call answered with status and body (UTF-8).
FailedAnswer readFailedAnswer(long status, const QByteArray& body);

// The shop writes its messages for a web page: "&lt;id&gt;" stands for "<id>". Decodes &lt;,
// &gt;, &amp;, &quot;, &apos; and numeric references (&#039;, &#x27;); anything else stays.
QString decodeHtmlEntities(const QString& text);

}  // namespace norvan::shop

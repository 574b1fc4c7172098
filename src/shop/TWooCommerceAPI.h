#pragma once

#include "FailedAnswer.h"
#include "JsonBody.h"
#include "ProductBatch.h"
#include "ProductList.h"
#include "RestOptions.h"
#include "ShopConnection.h"

#include <QString>
#include <functional>
#include <memory>

namespace norvan::shop {

class RestClient;
struct RestResponse;
enum class HttpMethod;

// The program's one door to the shop. Calls never throw: each returns the answer's JSON text
// (formatted layout), a success text, or a text that begins with "Error: ".
// All calls of one object travel over one reused connection.
class TWooCommerceAPI {
  public:
    // Throws Error("Invalid URL: \"<base>\"") for a base address such as host:8443/path.
    // Tests and benchmarks may set other limits than the program's (RestOptions' defaults), and
    // trust a loopback shop's certificate.
    explicit TWooCommerceAPI(const ShopConnection& connection, const RestOptions& options = {});
    ~TWooCommerceAPI();
    TWooCommerceAPI(const TWooCommerceAPI&) = delete;
    TWooCommerceAPI& operator=(const TWooCommerceAPI&) = delete;

    QString BaseURL() const { return baseUrl_; }
    void setProductRes(const QString& res) { prodRes_ = res; }
    void setOrderRes(const QString& res) { orderRes_ = res; }

    // GET resUrl, with query (such as "status=processing" or "sku=A-1") appended after "?".
    QString GetResponse(const QString& resUrl, const QString& query);
    // GET as GetResponse of a list of products (a SKU lookup): each product's id, sku, type and
    // parent_id, read from the answer as it came, without a layout. Fails as GetResponse does;
    // a 2xx answer that is not JSON fails too, in transit: "Error: The shop's answer is not
    // JSON."
    ProductList ListProducts(const QString& resUrl, const QString& query);
    // The same GET for a caller that reads the answer once itself: the body of a 2xx answer as
    // the shop sent it (UTF-8, not checked to be JSON), without the formatted layout, which would
    // hold a large order again twice over as UTF-16 text. A failure leaves its "Error: " text in
    // failure, and no bytes.
    QByteArray GetAnswerBytes(const QString& resUrl, const QString& query, QString& failure);
    QString AddProduct(const JsonBody& productData);  // POST to ProductRes: "201 create product."
    QString UpdateProduct(const JsonBody& productData);  // PUT to ProductRes: "201 update product."
    QString UpdateOrder(const JsonBody& orderData);      // PUT to OrderRes: "201 update order."
    // POST of {"create":[items]} or {"update":[items]} to ProductRes + "batch" (products/batch,
    // or products/<id>/variations/batch with ProductRes products/<id>/variations/).
    // The call fails as a whole unless a 2xx answer is a JSON object with the list of item
    // results; such a 2xx answer that is not one counts as failed in transit, as for the calls
    // above.
    BatchResult BatchProducts(BatchAction action, const QList<JsonBody>& items);

    // The last call failed on its way rather than for what it asked: no connection, a time-out,
    // 429, 5xx, or a 2xx answer without JSON, which something in front of the shop sent. Trying it
    // again may succeed; see RetryPolicy.
    bool lastCallFailedInTransit() const { return failedInTransit_; }

    // What the answer to the last call said when the call failed: its status, and the code and
    // message of a WooCommerce error. Empty after a call that succeeded.
    const FailedAnswer& lastFailure() const { return failure_; }

    // The address the shop sent the last call to when it stopped there because that address is
    // another host, port or scheme (the call's result is then the redirect's failure text);
    // empty otherwise. The caller logs it: the operator has to update the shop address.
    QString movedTo() const { return movedTo_; }

  private:
    // isShopAnswer tells a 2xx answer of the shop from one of something in front of it.
    QString writeCall(HttpMethod method, const QString& resource, const QByteArray& body,
                      const QString& successText, const QString& undefinedText,
                      const std::function<bool(const QByteArray&)>& isShopAnswer);
    // Starts a call: nothing of the last one's failure is left.
    void beginCall();
    RestResponse exchange(HttpMethod method, const QString& resource, const QByteArray& body = {});
    // "Error: <reason> /" for an answer outside 2xx, whose failure is kept.
    QString statusFailure(const RestResponse& response);

    QString baseUrl_;
    QString prodRes_;
    QString orderRes_;
    std::unique_ptr<RestClient> rest_;
    bool failedInTransit_ = false;
    FailedAnswer failure_;
    QString movedTo_;
};

}  // namespace norvan::shop

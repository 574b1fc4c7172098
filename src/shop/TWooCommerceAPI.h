#pragma once

#include "JsonBody.h"
#include "RestLimits.h"

#include <QString>
#include <memory>

namespace norvan::shop {

class RestClient;
enum class HttpMethod;

// The program's one door to the shop. Calls never throw: each returns the answer's JSON text
// (formatted layout), a success text, or a text that begins with "Error: ".
// All calls of one object travel over one reused connection.
class TWooCommerceAPI {
  public:
    // Throws Error("Invalid URL: \"<base>\"") for a base address such as host:8443/path.
    TWooCommerceAPI(const QString& baseUrl, const QString& siteUsername,
                    const QString& sitePassword, bool oauth1);
    // The same with other waiting limits than the usual 30 seconds.
    TWooCommerceAPI(const QString& baseUrl, const QString& siteUsername,
                    const QString& sitePassword, bool oauth1, RestLimits limits);
    ~TWooCommerceAPI();
    TWooCommerceAPI(const TWooCommerceAPI&) = delete;
    TWooCommerceAPI& operator=(const TWooCommerceAPI&) = delete;

    QString BaseURL() const { return baseUrl_; }
    QString ProductRes() const { return prodRes_; }
    void setProductRes(const QString& res) { prodRes_ = res; }
    QString OrderRes() const { return orderRes_; }
    void setOrderRes(const QString& res) { orderRes_ = res; }

    QString GetResponse(const QString& resUrl, const QString& status);
    QString AddProduct(const JsonBody& productData);  // POST to ProductRes: "201 create product."
    QString UpdateProduct(const JsonBody& productData);  // PUT to ProductRes: "201 update product."
    QString UpdateOrder(const JsonBody& productData);    // PUT to OrderRes: "201 update order."

  private:
    QString writeCall(HttpMethod method, const QString& resource, const JsonBody& body,
                      const QString& successText, const QString& undefinedText);

    QString baseUrl_;
    QString prodRes_;
    QString orderRes_;
    std::unique_ptr<RestClient> rest_;
};

}  // namespace norvan::shop

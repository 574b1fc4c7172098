#include "TWooCommerceAPI.h"

#include "AnswerSax.h"
#include "BasicAuth.h"
#include "FormattedJson.h"
#include "OAuth1Signer.h"
#include "RestClient.h"
#include "common/Error.h"

namespace norvan::shop {

namespace {

std::unique_ptr<Authenticator> makeAuthenticator(const ShopConnection& connection) {
    if (connection.oauth1)
        return std::make_unique<OAuth1Signer>(connection.user, connection.password);
    return std::make_unique<BasicAuth>(connection.user, connection.password);
}

bool isSuccess(long status) {
    return status >= 200 && status <= 299;
}

// GET's resource: resUrl, and after "?" a query, which takes the place of one trailing "/".
QString queryResource(const QString& resUrl, const QString& query) {
    QString resource = resUrl;
    if (!query.isEmpty()) {
        if (resource.endsWith(u'/')) resource.chop(1);
        resource += u'?' + query;
    }
    return resource;
}

// Whether the answer is a JSON object, read without a layout.
class ObjectCheck : public AnswerSax {
  public:
    bool isObject = false;

  private:
    void containerStarted(int depth, std::string_view, bool isArray) override {
        if (depth == 0) isObject = !isArray;
    }
};

// A shop that saved the object answers with it; a 2xx answer without a JSON object (an empty
// body, a maintenance or cache page) comes from something in front of the shop, which saved
// nothing.
bool isSavedObject(const QByteArray& answer) {
    ObjectCheck check;
    return check.read(answer) && check.isObject;
}

// Runs one exchange with the shop; whatever it raises becomes the call's result text.
template <typename Exchange>
QString resultOf(Exchange exchange) {
    try {
        return exchange();
    } catch (const std::exception& error) {
        return QStringLiteral("Error: ") + exceptionMessage(error);
    }
}

}  // namespace

TWooCommerceAPI::TWooCommerceAPI(const ShopConnection& connection, const RestOptions& options)
    : baseUrl_(connection.baseUrl),
      rest_(std::make_unique<RestClient>(connection.baseUrl, makeAuthenticator(connection),
                                         options)) {}

TWooCommerceAPI::~TWooCommerceAPI() = default;

QString TWooCommerceAPI::GetResponse(const QString& resUrl, const QString& query) {
    QString failure;
    const QByteArray answer = GetAnswerBytes(resUrl, query, failure);
    if (!failure.isEmpty()) return failure;
    return resultOf([&] {
        QString json = formatJson(answer);
        // The shop answers every read with JSON; a 2xx answer without it (an empty body, a
        // maintenance or cache page) comes from something in front of the shop. Its text stays
        // empty, but the call failed in transit.
        if (json.isEmpty()) failedInTransit_ = true;
        if (!failedInTransit_) failure_ = {};
        return json;
    });
}

ProductList TWooCommerceAPI::ListProducts(const QString& resUrl, const QString& query) {
    ProductList list;
    const QByteArray answer = GetAnswerBytes(resUrl, query, list.failure);
    if (!list.failure.isEmpty()) return list;
    list.failure = resultOf([&] {
        std::optional<QList<ListedProduct>> products = readProductList(answer);
        if (!products) {
            failedInTransit_ = true;  // as for GetResponse
            return QStringLiteral("Error: The shop's answer is not JSON.");
        }
        failure_ = {};
        list.products = std::move(*products);
        return QString();
    });
    return list;
}

QByteArray TWooCommerceAPI::GetAnswerBytes(const QString& resUrl, const QString& query,
                                           QString& failure) {
    beginCall();
    if (resUrl.isEmpty()) {
        failure = QStringLiteral("Error: URL resource undefined.");
        return {};
    }
    QByteArray answer;
    // A 2xx answer is not read here: as after exchange, its status stays in lastFailure() until
    // the answer is read as the call's success (GetResponse reads it).
    failure = resultOf([&] {
        RestResponse response = exchange(HttpMethod::Get, queryResource(resUrl, query));
        if (!isSuccess(response.status)) return statusFailure(response);
        answer = std::move(response.body);
        return QString();
    });
    return answer;
}

QString TWooCommerceAPI::AddProduct(const JsonBody& productData) {
    return writeCall(HttpMethod::Post, prodRes_, productData.compactText(),
                     QStringLiteral("201 create product."),
                     QStringLiteral("Error: Product resource undefined."), isSavedObject);
}

QString TWooCommerceAPI::UpdateProduct(const JsonBody& productData) {
    return writeCall(HttpMethod::Put, prodRes_, productData.compactText(),
                     QStringLiteral("201 update product."),
                     QStringLiteral("Error: Product resource undefined."), isSavedObject);
}

QString TWooCommerceAPI::UpdateOrder(const JsonBody& orderData) {
    return writeCall(HttpMethod::Put, orderRes_, orderData.compactText(),
                     QStringLiteral("201 update order."),
                     QStringLiteral("Error: Order resource undefined."), isSavedObject);
}

BatchResult TWooCommerceAPI::BatchProducts(BatchAction action, const QList<JsonBody>& items) {
    std::optional<BatchResult> itemResults;
    const QString result = writeCall(
        HttpMethod::Post, prodRes_.isEmpty() ? QString() : prodRes_ + QStringLiteral("batch"),
        batchRequestBody(action, items), batchSuccessText(action),
        QStringLiteral("Error: Product resource undefined."), [&](const QByteArray& answer) {
            itemResults = batchItemResults(answer, action, items.size());
            return itemResults.has_value();
        });
    if (!itemResults) return {.failure = result, .itemResults = {}, .itemFailures = {}};
    return std::move(*itemResults);
}

QString TWooCommerceAPI::writeCall(HttpMethod method, const QString& resource,
                                   const QByteArray& body, const QString& successText,
                                   const QString& undefinedText,
                                   const std::function<bool(const QByteArray&)>& isShopAnswer) {
    beginCall();
    if (resource.isEmpty()) return undefinedText;
    return resultOf([&] {
        const RestResponse response = exchange(method, resource, body);
        if (!isSuccess(response.status)) return statusFailure(response);
        if (!isShopAnswer(response.body)) {
            failedInTransit_ = true;
            return QStringLiteral(
                       "Error: The shop's answer (%1 %2) is not what a WooCommerce "
                       "shop sends.")
                .arg(response.status)
                .arg(response.reason);
        }
        failure_ = {};
        return successText;
    });
}

void TWooCommerceAPI::beginCall() {
    failedInTransit_ = false;
    failure_ = {};
    movedTo_.clear();
}

QString TWooCommerceAPI::statusFailure(const RestResponse& response) {
    failure_ = readFailedAnswer(response.status, response.body);
    return QStringLiteral("Error: ") + response.reason + QStringLiteral(" /");
}

// Anything the wire layer raises (no connection, a time-out, 5xx) and 429 are failures in transit;
// so is a redirect to another address, which says nothing of what was asked and holds until the
// operator corrects the shop address. An answer too large to take is the shop's, and would come
// again.
RestResponse TWooCommerceAPI::exchange(HttpMethod method, const QString& resource,
                                       const QByteArray& body) {
    failedInTransit_ = true;
    RestResponse response;
    try {
        response = rest_->execute(method, resource, body);
    } catch (const AnswerTooLarge&) {
        failedInTransit_ = false;
        throw;
    }
    failedInTransit_ = response.status == 429 || !response.movedTo.isEmpty();
    failure_.status = response.status;  // until the answer is read as the call's success
    movedTo_ = response.movedTo;
    return response;
}

}  // namespace norvan::shop

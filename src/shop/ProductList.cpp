#include "ProductList.h"

#include "AnswerSax.h"

namespace norvan::shop {

namespace {

class ProductListReader : public AnswerSax {
  public:
    QList<ListedProduct> products;

  private:
    static constexpr int kProductDepth = 1;  // the elements of the top-level array
    static constexpr int kMemberDepth = 2;   // a product's own members

    void containerStarted(int depth, std::string_view, bool isArray) override {
        if (depth == 0) listing_ = isArray;
        if (depth == kProductDepth && listing_ && !isArray) {
            products.emplaceBack();
            inProduct_ = true;
        }
    }
    void containerEnded(int depth) override {
        if (depth == kProductDepth) inProduct_ = false;
    }
    void stringValue(int depth, std::string_view name, const AnswerString& value) override {
        if (depth != kMemberDepth || !inProduct_) return;
        if (name == "sku")
            products.last().sku = value.text();
        else if (name == "type")
            products.last().type = value.text();
    }
    void numberValue(int depth, std::string_view name, std::string_view text) override {
        if (depth != kMemberDepth || !inProduct_ || (name != "id" && name != "parent_id")) return;
        const std::optional<qint64> number = wholeNumber(text);
        if (!number) return;
        (name == "id" ? products.last().id : products.last().parentId) = QString::number(*number);
    }

    bool listing_ = false;
    bool inProduct_ = false;
};

}  // namespace

std::optional<QList<ListedProduct>> readProductList(const QByteArray& answer) {
    ProductListReader reader;
    if (!reader.read(answer)) return std::nullopt;
    return std::move(reader.products);
}

}  // namespace norvan::shop

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

    void containerStarted(int depth, const std::string&, bool isArray) override {
        if (depth == 0) listing_ = isArray;
        if (depth == kProductDepth && listing_ && !isArray) {
            products.emplaceBack();
            inProduct_ = true;
        }
    }
    void containerEnded(int depth) override {
        if (depth == kProductDepth) inProduct_ = false;
    }
    void stringValue(int depth, const std::string& name, const std::string& value) override {
        if (depth != kMemberDepth || !inProduct_) return;
        if (name == "sku")
            products.last().sku = QString::fromStdString(value);
        else if (name == "type")
            products.last().type = QString::fromStdString(value);
    }
    void integerValue(int depth, const std::string& name, qint64 value) override {
        if (depth != kMemberDepth || !inProduct_) return;
        if (name == "id")
            products.last().id = QString::number(value);
        else if (name == "parent_id")
            products.last().parentId = QString::number(value);
    }
    void otherValue(int, const std::string&) override {}

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

#include "ProductRows.h"

#include "common/DelimitedText.h"
#include "common/Error.h"

#include <QStringList>

namespace norvan::products {

namespace {

// The accounting program writes its flags in any letter case, folded on A to Z only.
bool isWordIgnoringAsciiCase(const QString& text, QStringView word) {
    if (text.size() != word.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
        if (c != word.at(i).unicode()) return false;
    }
    return true;
}

bool isTaxable(const QString& flag) {
    return isWordIgnoringAsciiCase(flag, u"true") || flag == u"1";
}

bool isStockTracked(const QString& untrackedFlag) {
    return untrackedFlag.isEmpty() || untrackedFlag == u"0" ||
           isWordIgnoringAsciiCase(untrackedFlag, u"false");
}

class LineFields {
  public:
    explicit LineFields(const QString& text) : fields_(common::splitDelimited(text, u';')) {}

    const QString& at(int index) const {
        if (index >= fields_.size())
            throw Error(QStringLiteral("List index out of bounds (%1)").arg(index));
        return fields_.at(index);
    }
    QString optional(int index) const { return fields_.value(index); }

  private:
    QStringList fields_;
};

}  // namespace

void LoadingProds(const QString& text, common::NameValueList& rows) {
    rows.clear();
    const LineFields fields(text);
    // Fields are read in the order 0, 6, 1, 2, 3, 5, 4: a short line fails at field 6 right after
    // its "sku" row.
    rows.addPair(QStringLiteral("sku"), fields.at(0));
    if (isStockTracked(fields.at(6))) {
        rows.addPair(QStringLiteral("manage_stock"), QStringLiteral("true"));
        rows.addPair(QStringLiteral("stock_quantity"), fields.at(1));
    } else {
        rows.addPair(QStringLiteral("manage_stock"), QStringLiteral("false"));
        rows.addPair(QStringLiteral("stock_quantity"), QStringLiteral("null"));
    }
    rows.addPair(QStringLiteral("tax_status"),
                 isTaxable(fields.at(2)) ? QStringLiteral("taxable") : QStringLiteral("none"));
    rows.addPair(QStringLiteral("weight"), fields.at(3));

    // The first "sale_price" row is the one sent; the second shows the price the shop will
    // charge.
    const QString& salePrice = fields.at(5);
    const QString& regularPrice = fields.at(4);
    if (!salePrice.isEmpty()) {
        rows.addPair(QStringLiteral("sale_price"), salePrice);
        rows.addPair(QStringLiteral("sale_price"), salePrice);
        rows.addPair(QStringLiteral("regular_price"), regularPrice);
    } else if (!regularPrice.isEmpty()) {
        rows.addPair(QStringLiteral("sale_price"), QString());
        rows.addPair(QStringLiteral("sale_price"), regularPrice);
        rows.addPair(QStringLiteral("regular_price"), regularPrice);
    } else {
        rows.addPair(QStringLiteral("sale_price"), QString());
        rows.addPair(QStringLiteral("sale_price"), QStringLiteral("0"));
        rows.addPair(QStringLiteral("regular_price"), QStringLiteral("0"));
    }

    const QString name = fields.optional(7);
    if (!name.isEmpty()) rows.addPair(QStringLiteral("name"), name);
}

ReadProductLine readProductLine(const QString& line) {
    ReadProductLine read;
    try {
        LoadingProds(line, read.rows);
    } catch (const Error& error) {
        read.fault = error.message();
    }
    read.sku = read.rows.value(QStringLiteral("sku"));
    // Asked for no SKU, a shop answers with every product.
    if (read.fault.isEmpty() && read.sku.trimmed().isEmpty())
        read.fault = QStringLiteral("The line has no SKU.");
    return read;
}

QString skuKey(const QString& line) {
    return common::splitDelimited(line, u';').value(0).toCaseFolded();
}

void loadSelectedLine(const std::optional<QString>& selectedLine, common::NameValueList& rows) {
    rows.clear();
    if (selectedLine) LoadingProds(*selectedLine, rows);
}

}  // namespace norvan::products

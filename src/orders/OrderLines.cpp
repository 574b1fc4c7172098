#include "OrderLines.h"

#include "common/Error.h"

namespace norvan::orders {

namespace {

// A value keeps to its own field of its own line: the accounting program reads one order line
// per text line and splits it at "&" and "^", and the format has no escape. A value that held a
// separator would shift every later field of the order into the wrong column, where a blank in
// its place loses one character. NUL and Ctrl-Z end the text for readers of C strings and of
// DOS text files, and so count as separators too; other control characters, tab among them, stay.
QString asFieldValue(QString value) {
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const char16_t separator : {u'\r', u'\n', u'&', u'^', u'\0', u'\x1A'})
        value.replace(separator, u' ');
    return value;
}

bool isAddressField(const QString& field) {
    return field.contains(QStringLiteral("billing.")) ||
           field.contains(QStringLiteral("shipping."));
}

void dropOneTrailingAmpersand(QString& line) {
    if (line.endsWith(u'&')) line.chop(1);
}

QString headerLine(const OrderFileSource& source) {
    QString line = QStringLiteral("^");
    for (const QString& field : source.headFields) {
        const int row = source.rows.indexOfName(field);
        if (row < 0) continue;  // no value, no separator
        const QString value = asFieldValue(source.rows.valueFromIndex(row));
        if (isAddressField(field)) {
            line += value + QStringLiteral("  ");
        } else {
            if (!line.endsWith(u'^') && !line.endsWith(u'&')) line += u'&';  // after an address
            line += value + u'&';
        }
    }
    dropOneTrailingAmpersand(line);
    return line + u'^';
}

QString itemLine(const OrderFileSource& source, int index) {
    const QString prefix = source.itemTitle + u'[' + QString::number(index) + QStringLiteral("].");
    QString line;
    for (const QString& key : source.itemFields) {
        const int row = source.rows.indexOfName(prefix + key);
        if (row >= 0) line += asFieldValue(source.rows.valueFromIndex(row)) + u'&';
    }
    dropOneTrailingAmpersand(line);
    return line;
}

}  // namespace

void GenerateCOMSTR(const OrderFileSource& source, QStringList& lines) {
    lines.append(headerLine(source));
    bool ok = false;
    const int itemCount = source.itemCountText.toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(source.itemCountText));
    for (int index = 0; index < itemCount; ++index) {
        const QString line = itemLine(source, index);
        if (!line.isEmpty()) lines.append(line);
    }
}

}  // namespace norvan::orders

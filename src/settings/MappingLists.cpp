#include "MappingLists.h"

#include "common/DelimitedText.h"

namespace norvan::settings {

namespace {

QStringList nonEmptyFields(const QString& text) {
    QStringList fields = common::splitDelimited(text, u';');
    fields.removeAll(QString());
    return fields;
}

}  // namespace

MappingLists mappingListsFromRow(const SettingsRow& row) {
    MappingLists lists;
    if (!row.prodParams.isEmpty()) {
        lists.wooProduct = nonEmptyFields(row.prodParams);
    } else if (!row.ordParams.isEmpty()) {
        lists.headToDexar = nonEmptyFields(row.ordParams);
        lists.itemToDexar = nonEmptyFields(row.itemParams);
    }
    return lists;
}

QString orderMappingText(const QStringList& entries) {
    QString text;
    for (const QString& entry : entries) text += entry + u';';
    return text;
}

}  // namespace norvan::settings

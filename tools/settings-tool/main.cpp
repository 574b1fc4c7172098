// norvan-settings: writes the settings of a NorvanECommerce program folder as the settings
// page's Save does (the row of EcomDB.s3db and SetManifest.ini), for preparing machines without
// opening the window. Options that are not given keep what the folder already holds.

#include "common/Error.h"
#include "settings/IniValues.h"
#include "settings/NormalisedAddress.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <functional>
#include <vector>

using namespace norvan::settings;

namespace {

struct TextOption {
    QCommandLineOption option;
    std::function<void(const QString&)> apply;
};

bool parseSwitch(const QString& text) {
    if (text == "1" || text.compare("true", Qt::CaseInsensitive) == 0) return true;
    if (text == "0" || text.compare("false", Qt::CaseInsensitive) == 0) return false;
    throw norvan::Error(QStringLiteral("'%1' is not a valid switch value (use 1 or 0)").arg(text));
}

int run(const QStringList& arguments) {
    SettingsRow row;
    IniValues ini;
    QString orderFields;
    QString itemFields;
    const auto text = [](const char* name, const char* help,
                         std::function<void(const QString&)> apply) {
        return TextOption{
            QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help), "text"),
            std::move(apply)};
    };
    std::vector<TextOption> options{
        text("token-url", "Token URL", [&](const QString& v) { row.tokenUrl = v; }),
        text("ecom-url", "the shop's base address, e.g. https://shop/wp-json/wc/v3/",
             [&](const QString& v) { row.ecomUrl = v; }),
        text("user", "user name or consumer key", [&](const QString& v) { row.siteUser = v; }),
        text("password", "password or consumer secret",
             [&](const QString& v) { row.sitePass = v; }),
        text("product-res", "product resource, e.g. products/",
             [&](const QString& v) { row.prodRes = v; }),
        text("order-res", "order resource, e.g. orders/",
             [&](const QString& v) { row.orderRes = v; }),
        text("item-title", "the order's item array, e.g. line_items",
             [&](const QString& v) { row.itemTitle = v; }),
        text("status-from", "status of the orders to export, e.g. processing",
             [&](const QString& v) { row.statusAz = v; }),
        text("status-to", "status given to exported orders, e.g. completed",
             [&](const QString& v) { row.statusTo = v; }),
        text("automatic", "unattended mode: 1 or 0",
             [&](const QString& v) { row.automatic = parseSwitch(v); }),
        text("consumer-keys", "sign with OAuth 1.0a consumer keys: 1 or 0",
             [&](const QString& v) { row.consKey = parseSwitch(v); }),
        text("sleep", "minutes between unattended cycles",
             [&](const QString& v) { ini.sleep = v; }),
        text("interval", "the Checker minutes", [&](const QString& v) { ini.interval = v; }),
        text("dexar-cod", "the transfer-fee code", [&](const QString& v) { ini.dexarCod = v; }),
        text("batch", "send products in batches of up to 100: 1 or 0",
             [&](const QString& v) { ini.batch = parseSwitch(v); }),
        text("order-fields", "mapped order header fields, e.g. \"id;billing.first_name;\"",
             [&](const QString& v) { orderFields = v; }),
        text("item-fields", "mapped order item fields, e.g. \"name;quantity;\"",
             [&](const QString& v) { itemFields = v; }),
    };

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the settings of a NorvanECommerce program folder as the window's Save does.");
    parser.addHelpOption();
    const QCommandLineOption folderOption("folder", "the program folder (beside the executable)",
                                          "path");
    parser.addOption(folderOption);
    for (const TextOption& o : options) parser.addOption(o.option);
    parser.process(arguments);
    if (!parser.isSet(folderOption)) throw norvan::Error("--folder is required");

    // Bad input is refused before anything is written.
    for (const char* name : {"automatic", "consumer-keys", "batch"})
        if (parser.isSet(name)) parseSwitch(parser.value(name));
    const QDir folder(parser.value(folderOption));
    if (!folder.exists()) throw norvan::Error(QStringLiteral("No folder %1").arg(folder.path()));
    SettingsDatabase database(folder.filePath(kDatabaseFileName));
    const QString iniPath = folder.filePath(kIniFileName);
    if (const auto stored = database.firstRow()) row = *stored;
    ini = loadIniValues(iniPath);
    for (const TextOption& o : options)
        if (parser.isSet(o.option)) o.apply(parser.value(o.option));

    for (QString* address : {&row.tokenUrl, &row.ecomUrl, &row.prodRes, &row.orderRes})
        *address = normalisedAddress(*address);
    database.saveSettings(row);
    saveIniValues(iniPath, ini);
    if (parser.isSet("order-fields") || parser.isSet("item-fields")) {
        const SettingsRow saved = *database.firstRow();
        database.saveOrderMapping(parser.isSet("order-fields") ? orderFields : saved.ordParams,
                                  parser.isSet("item-fields") ? itemFields : saved.itemParams);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments());
    } catch (const std::exception& e) {
        QTextStream(stderr) << "norvan-settings: " << e.what() << Qt::endl;
        return 1;
    }
}

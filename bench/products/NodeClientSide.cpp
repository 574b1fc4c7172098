#include "NodeClientSide.h"

#include "products/ProductBody.h"
#include "sample-shop/SampleShop.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

namespace norvan::bench {

namespace {

const QString kClientPackage = QStringLiteral("@woocommerce/woocommerce-rest-api");

// The program's update body of every line, without the product's id, which the script takes from
// its lookups.
QByteArray updateBodies(const BenchProducts& file) {
    QByteArray bodies = "[";
    for (const common::NameValueList& rows : file.rows) {
        if (bodies.size() > 1) bodies += ",\n";
        bodies += products::productBody(rows).compactText();
    }
    return bodies + "]\n";
}

QString installedVersion(const QString& packageFile) {
    QFile file(packageFile);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll())
        .object()
        .value(QStringLiteral("version"))
        .toString();
}

}  // namespace

NodeClientSide::NodeClientSide(const QString& folder, const BenchProducts& file)
    : folder_(folder), node_(QStandardPaths::findExecutable(QStringLiteral("node"))) {
    const QString client = installedVersion(folder + QStringLiteral("/node_modules/") +
                                            kClientPackage + QStringLiteral("/package.json"));
    if (node_.isEmpty()) {
        missing_ = QStringLiteral("no node on the PATH");
        return;
    }
    if (client.isEmpty()) {
        missing_ = kClientPackage + QStringLiteral(" is not installed: run ") + folder +
                   QStringLiteral("/install.sh");
        return;
    }
    QProcess version;
    version.start(node_, {QStringLiteral("--version")});
    version.waitForFinished();
    versions_ = QStringLiteral("node %1, %2 %3")
                    .arg(QString::fromLocal8Bit(version.readAllStandardOutput()).trimmed(),
                         kClientPackage, client);
    if (!bodies_.open() || bodies_.write(updateBodies(file)) < 0 || !bodies_.flush())
        missing_ = QStringLiteral("cannot write the update bodies to ") + bodies_.fileName();
}

NodeClientSide::Result NodeClientSide::run(const std::string& origin,
                                           const std::function<void()>& whileWaiting) {
    const sampleshop::Options keys;
    QProcess script;
    script.setWorkingDirectory(folder_);
    script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    script.start(node_, {folder_ + QStringLiteral("/batched-update.js"),
                         QString::fromStdString(origin), QString::fromStdString(keys.consumerKey),
                         QString::fromStdString(keys.consumerSecret), bodies_.fileName()});
    Result result;
    if (!script.waitForStarted()) {
        result.error = QStringLiteral("cannot start ") + node_;
        return result;
    }
    while (!script.waitForFinished(10)) whileWaiting();
    if (script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        result.error = QStringLiteral("the script failed (exit code %1)").arg(script.exitCode());
        return result;
    }
    const QJsonObject report = QJsonDocument::fromJson(script.readAllStandardOutput()).object();
    result.scriptSeconds = report.value(QStringLiteral("seconds")).toDouble();
    result.updated = report.value(QStringLiteral("updated")).toInt();
    result.failed = report.value(QStringLiteral("failed")).toInt();
    return result;
}

}  // namespace norvan::bench

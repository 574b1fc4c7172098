#include "TfMain.h"

#include "AppVersion.h"
#include "ErrorMessage.h"
#include "ResourceFile.h"
#include "automation/UnattendedCycle.h"
#include "common/Error.h"
#include "settings/SettingsDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

namespace norvan::app {

namespace {

// The raw data resources written beside the program at start-up, in this order.
struct LibraryFile {
    const char* resource;
    const char* fileName;
};
constexpr LibraryFile kLibraryFiles[] = {{"libeay32", "libeay32.dll"},
                                         {"ssleay32", "ssleay32.dll"}};

constexpr int kButtonPrefixLength = 3;
constexpr int kMaxPageNameLength = 100;

}  // namespace

TfMain::TfMain(Environment environment, QWidget* parent)
    : QWidget(parent),
      environment_(std::move(environment)),
      dailyLog_(QDir(environment_.appPath).filePath(QStringLiteral("Logs")), environment_.clock) {
    setObjectName(QStringLiteral("fMain"));
    layOutWindow();
    createCycle();
    connectHandlers();
    runGuarded([this] { FormCreate(); });
}

TfMain::~TfMain() {
    // A worker of the cycle holds this window until its run is handed over.
    cycle_->shutDown();
}

template <typename Sender, typename Signal>
void TfMain::connectHandler(Sender* sender, Signal signal, void (TfMain::*handler)()) {
    connect(sender, signal, this,
            [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
}

void TfMain::connectHandlers() {
    for (QPushButton* button : {btnSetting, btnOrders, btnProduct}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { runGuarded([this, button] { btnSettingClick(button); }); });
    }
    connectHandler(pgMain, &QTabWidget::currentChanged, &TfMain::pgMainChange);
    connectHandler(btnChangeSetting, &QPushButton::clicked, &TfMain::btnChangeSettingClick);
    connectHandler(btnSaveSetting, &QPushButton::clicked, &TfMain::btnSaveSettingClick);
    connectHandler(Button1, &QPushButton::clicked, &TfMain::Button1Click);

    connectHandler(Button2, &QPushButton::clicked, &TfMain::Button2Click);
    connectHandler(btnGetOrders, &QPushButton::clicked, &TfMain::btnGetOrdersClick);

    connectHandler(btnextractOrders, &QPushButton::clicked, &TfMain::btnextractOrdersClick);
    connectHandler(lstOrderHField, &QListWidget::itemDoubleClicked,
                   &TfMain::lstOrderHFieldDblClick);
    connectHandler(lstOrderItemField, &QListWidget::itemDoubleClicked,
                   &TfMain::lstOrderItemFieldDblClick);
    connectHandler(lstHeadToDexar, &QListWidget::itemDoubleClicked,
                   &TfMain::lstHeadToDexarDblClick);
    connectHandler(lstItemToDexar, &QListWidget::itemDoubleClicked,
                   &TfMain::lstItemToDexarDblClick);
    connectHandler(Button8, &QPushButton::clicked, &TfMain::Button8Click);
    connectHandler(btnToDexarAndChangeOrders, &QPushButton::clicked,
                   &TfMain::btnToDexarAndChangeOrdersClick);

    connectHandler(btnGetProducts, &QPushButton::clicked, &TfMain::btnGetProductsClick);
    connectHandler(bLoadProd, &QPushButton::clicked, &TfMain::bLoadProdClick);
    connectHandler(btnUpdateProduct, &QPushButton::clicked, &TfMain::btnUpdateProductClick);

    connectHandler(btnThreadGet, &QPushButton::clicked, &TfMain::btnThreadGetClick);
    connectHandler(btnThreadPut, &QPushButton::clicked, &TfMain::btnThreadPutClick);
}

void TfMain::FormCreate() {
    appPath_ = environment_.appPath;
    if (!appPath_.endsWith(u'/')) appPath_ += u'/';
    setStatusPanelText(0, GetAppVersion());
    InitializeDatabase();
    extractLibraryFiles();
}

void TfMain::extractLibraryFiles() {
    for (const LibraryFile& library : kLibraryFiles) {
        const QString resource = QString::fromLatin1(library.resource);
        // A build that was given no such file carries no resource and writes nothing.
        if (hasDataResource(resource))
            ExtractResourceFile(resource, appPath_ + QString::fromLatin1(library.fileName));
    }
}

void TfMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window system restoring the window, not its showing.
    if (!event->spontaneous()) runGuarded([this] { FormShow(); });
}

// The cycle's busy flags are left as they are: the first cycle was started while the window was
// made, and its runs may still be queued or under way.
void TfMain::FormShow() {
    setActivePage(tsMain);
}

void TfMain::btnSettingClick(QObject* sender) {
    const QString pageName =
        QStringLiteral("ts") + sender->objectName().mid(kButtonPrefixLength, kMaxPageNameLength);
    auto* page = findChild<QWidget*>(pageName);
    if (!page || pgMain->indexOf(page) < 0)
        throw Error(QStringLiteral("The window has no page %1").arg(pageName));
    setActivePage(page);
    pgMainChange();
}

void TfMain::pgMainChange() {
    if (pgMain->currentWidget() != tsSetting) return;
    enterSettingsViewingState();
    mCheckLog->clear();
}

void TfMain::setActivePage(QWidget* page) {
    const QSignalBlocker noChangeEvent(pgMain);
    pgMain->setCurrentWidget(page);
}

void TfMain::setStatusPanelText(int panel, const QString& text) {
    statusPanels_.at(static_cast<std::size_t>(panel))->setText(text);
}

QString TfMain::statusPanelText(int panel) const {
    return statusPanels_.at(static_cast<std::size_t>(panel))->text();
}

void TfMain::runGuarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (...) {
        try {
            showError(std::current_exception());
        } catch (...) {
            qWarning("The error box itself failed");
        }
    }
}

void TfMain::showError(const std::exception_ptr& error) {
    environment_.errorBox(applicationTitle(QCoreApplication::applicationFilePath()),
                          errorMessageText(error));
}

void TfMain::showMessage(const QString& text) {
    environment_.messageBox(applicationTitle(QCoreApplication::applicationFilePath()), text);
}

}  // namespace norvan::app

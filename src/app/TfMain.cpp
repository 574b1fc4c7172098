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

// How often a copy that waits for the folder asks again whether it is free.
constexpr std::chrono::milliseconds kFolderLockRetry{250};

}  // namespace

const QString TfMain::kAnotherCopyWorks =
    QStringLiteral("Another copy of the program is working on this folder; this one waits.");

TfMain::TfMain(Environment environment, QWidget* parent)
    : QWidget(parent),
      environment_(std::move(environment)),
      dailyLog_(QDir(environment_.appPath).filePath(QStringLiteral("Logs")), environment_.clock),
      folderLock_(environment_.appPath),
      folderLockRetry_(new QTimer(this)) {
    setObjectName(QStringLiteral("fMain"));
    folderLockRetry_->setInterval(kFolderLockRetry);
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

    connectHandler(runStatus_, &RunStatusPanel::doubleClicked, &TfMain::openDayLog);
    connectHandler(folderLockRetry_, &QTimer::timeout, &TfMain::folderLockRetryTimer);
}

void TfMain::FormCreate() {
    appPath_ = environment_.appPath;
    if (!appPath_.endsWith(u'/')) appPath_ += u'/';
    setStatusPanelText(0, GetAppVersion());
    if (folderLock_.tryTake()) {
        startWorkingOnFolder();
        return;
    }
    // Two copies on one folder would both take the product files and export the same orders.
    // The pages stay out of reach until the other copy is gone.
    pgMain->setEnabled(false);
    runStatus_->showNotice(kAnotherCopyWorks);
    mLogs->appendLine(kAnotherCopyWorks);
    dailyLog_.append(QStringLiteral("start-up"), mLogs->objectName(), kAnotherCopyWorks);
    folderLockRetry_->start();
}

void TfMain::folderLockRetryTimer() {
    folderLockRetry_->stop();
    if (!folderLock_.tryTake()) {
        folderLockRetry_->start();
        return;
    }
    pgMain->setEnabled(true);
    runStatus_->blank();
    startWorkingOnFolder();
}

void TfMain::startWorkingOnFolder() {
    InitializeDatabase();
    extractLibraryFiles();
}

void TfMain::openDayLog() {
    const QString logFile = runStatus_->logFile();
    environment_.openFile(logFile.isEmpty() ? dailyLog_.filePath(environment_.clock().date())
                                            : logFile);
}

void TfMain::showRunOutcome(RunKind kind, RunOutcome outcome, const std::exception_ptr& error) {
    QStringList details;
    if (error) {
        outcome.text += QStringLiteral(", ended by an error");
        outcome.callsForOperator = true;
        details.append(errorMessageText(error));
    }
    if (dailyLog_.failing()) {
        outcome.text += QStringLiteral(", daily log not written");
        outcome.callsForOperator = true;
        details.append(QStringLiteral("The daily log cannot be written: ") + dailyLog_.failure());
    }
    runStatus_->showOutcome(kind, outcome, details,
                            dailyLog_.filePath(environment_.clock().date()));
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

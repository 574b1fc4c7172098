#pragma once

#include "Environment.h"
#include "NameValueGrid.h"
#include "RunRecord.h"
#include "RunStatusPanel.h"
#include "RunSummary.h"
#include "StatusPanel.h"
#include "TextPaneView.h"
#include "automation/RunSlot.h"
#include "common/DailyLogFile.h"
#include "orders/OrderExtraction.h"
#include "settings/FolderWorkLock.h"
#include "shop/CheckWooCommerce.h"
#include "shop/ShopConnection.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace norvan::automation {
class UnattendedCycle;
}
namespace norvan::settings {
class KeptProductLines;
class SettingsDatabase;
}  // namespace norvan::settings

namespace norvan::app {

// The main window. Its controls are members named as the window's controls are named (the
// same objectName), and every handler is a member named control + event. Calling a handler
// from code (btnSaveSettingClick()) lets its errors reach the caller; an operator's click goes
// through runGuarded, which shows the error box instead. Handlers of each concern live in
// their own TfMain<Concern>.cpp and are connected in TfMain::connectHandlers.
// The runs write to the window through small adapters over its controls (ListCheckWindow,
// OrderExportControls, ProductRunControls), which also keep every line in the daily log of
// AppPath/Logs (see recordRun). The handlers and routines that tests press from code are public;
// the rest are private.
class TfMain : public QWidget {
    Q_OBJECT
  public:
    // Builds the window and runs FormCreate (start-up); errors of start-up go to the error box.
    explicit TfMain(Environment environment, QWidget* parent = nullptr);
    // Lets the workers of the unattended cycle hand over their runs, which are then skipped.
    ~TfMain() override;

    // ---- Controls (TfMainPages.cpp) ----
    QLabel* lWarning;
    QTabWidget* pgMain;
    TextPaneView* mLogs;
    QStatusBar* StatusBar1;
    QTimer* tCheckTime;

    QWidget* tsMain;
    QPushButton* btnSetting;
    QPushButton* btnOrders;
    QPushButton* btnProduct;

    QWidget* tsSetting;
    QGroupBox* gbRestSetting;
    QLineEdit* edtTokenURL;
    QLineEdit* edtEComURL;
    QLineEdit* edtUser;
    QLineEdit* edtPassword;
    QPushButton* Button1;
    QLineEdit* edtProductRes;
    QLineEdit* edtOrderRes;
    QLineEdit* edtTitleWebItem;
    QCheckBox* chbAutomat;
    QCheckBox* chbConKey;
    QCheckBox* chbBatch;
    QLineEdit* edtTranCod;
    QLineEdit* edtStatusAz;
    QLineEdit* edtStatusTo;
    QLineEdit* edtSleepInterval;
    QLineEdit* edtTimerInterval;
    QPushButton* btnSaveSetting;
    QPushButton* btnChangeSetting;
    QPushButton* Button2;
    TextPaneView* mCheckLog;
    QLineEdit* edtToken;
    QListWidget* lstWooProduct;

    QWidget* tsOrders;
    QPushButton* btnGetOrders;
    QListWidget* lstOrder;
    QPushButton* btnextractOrders;
    QListWidget* lstOrderHField;
    QListWidget* lstHeadToDexar;
    QLineEdit* edtCountItem;
    QPushButton* Button8;
    QListWidget* lstOrderItemField;
    QListWidget* lstItemToDexar;
    NameValueGrid* vleOrderValue;
    QPushButton* btnThreadGet;
    QPushButton* btnToDexarAndChangeOrders;
    TextPaneView* mFac;

    QWidget* tsProduct;
    QPushButton* btnGetProducts;
    QPushButton* bLoadProd;
    QListWidget* lstProdTextFile;
    NameValueGrid* vleProdValue;
    QPushButton* btnThreadPut;
    QPushButton* btnUpdateProduct;
    QCheckBox* chbProdAdd;
    TextPaneView* mProdFiles;

    // ---- Shell: start-up, pages, status bar (TfMain.cpp) ----
    // The program folder, ending with "/"; set by FormCreate and fixed from then on.
    const QString& AppPath() const { return appPath_; }

    // Opens the page named "ts" + the button's name without its first three characters.
    void btnSettingClick(QObject* sender);
    // Puts the settings page into its viewing state when it is the active page.
    void pgMainChange();
    // Makes page the active page of pgMain without raising pgMainChange (as a change from
    // code does not); callers that want it call pgMainChange themselves.
    void setActivePage(QWidget* page);

    static constexpr int kStatusPanelCount = 3;
    void setStatusPanelText(int panel, const QString& text);
    QString statusPanelText(int panel) const;
    // Panel 2: the progress of a run, then the outcome of the last runs (see RunStatusPanel).
    RunStatusPanel& runStatusPanel() { return *runStatus_; }

    // Said in panel 2 and mLogs by a copy of the program that waits for another one to leave
    // the folder.
    static const QString kAnotherCopyWorks;

    // ---- Settings (TfMainSettings.cpp) ----
    void btnChangeSettingClick();
    void btnSaveSettingClick();
    // The open settings database; null when opening it failed at start-up.
    settings::SettingsDatabase* settingsDatabase() const { return settingsDatabase_.get(); }

    // ---- Shop: connection check and order list (TfMainShop.cpp) ----
    void Button2Click();       // lists the shop's product ids in lstWooProduct, log in mCheckLog
    void btnGetOrdersClick();  // lists the ids of the orders in status edtStatusAz in lstOrder

    // ---- Orders: extraction, field mapping, export (TfMainOrders.cpp) ----
    // Reads the order selected in lstOrder into the order rows, field lists and item count;
    // nothing selected: nothing happens. What was read before a fault stays shown.
    void btnextractOrdersClick();
    // Writes the extracted order's file in AppPath/Orders and moves that order (not whatever
    // lstOrder selects now) to status edtStatusTo.
    void btnToDexarAndChangeOrdersClick();

    // ---- Products: product file and product run (TfMainProducts.cpp) ----
    // Takes the complete product files of AppPath/Products, oldest name first, into the kept
    // product lines and lstProdTextFile, and deletes them.
    void btnGetProductsClick();
    void bLoadProdClick();  // the product rows of the selected line of lstProdTextFile
    // Sends the kept product lines and every line of lstProdTextFile to the shop.
    void btnUpdateProductClick();

    // ---- Unattended cycle (TfMainAutomation.cpp) ----
    void tCheckTimeTimer();  // one cycle: starts each run that is not busy
    // Its busy flags say that a run of that kind is queued or under way.
    automation::UnattendedCycle& cycle() { return *cycle_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // TfMain.cpp
    void FormCreate();
    // The steps of start-up that work on the folder: they wait until no other copy of the
    // program does, the window alive meanwhile.
    void startWorkingOnFolder();
    void folderLockRetryTimer();
    void FormShow();
    // Opens the day's log that panel 2 names (a double click on it).
    void openDayLog();
    // Runs a handler for the operator: any error it raises is shown in the error box and
    // nothing escapes into the event loop.
    void runGuarded(const std::function<void()>& handler) noexcept;
    // The error box for a raised error (see errorMessageText) under the program's title.
    void showError(const std::exception_ptr& error);
    // A plain message box under the program's title (the "Saved!" box).
    void showMessage(const QString& text);

    // Connects a control's signal to a handler, run through runGuarded.
    template <typename Sender, typename Signal>
    void connectHandler(Sender* sender, Signal signal, void (TfMain::*handler)());
    void connectHandlers();

    // TfMainPages.cpp
    void layOutWindow();
    QWidget* buildMainPage();
    QWidget* buildSettingPage();
    QGroupBox* buildRestSettingGroup();
    int addAddressRows(QGridLayout& rows);  // returns the number of rows it filled
    QHBoxLayout* buildSwitchesRow();
    QHBoxLayout* buildStatusAndPeriodRow();
    QHBoxLayout* buildSettingButtons();  // Save and Change
    QGroupBox* buildCheckApiGroup();
    QGroupBox* buildTokenGroup();
    QGroupBox* buildWooProductGroup();
    QWidget* buildOrdersPage();
    QWidget* buildProductPage();

    void extractLibraryFiles();

    // TfMainSettings.cpp
    void InitializeDatabase();
    void LoadSettingFromDB();
    void Button1Click();
    // Arms the unattended cycle: the period from edtSleepInterval (empty: "60"), one cycle at
    // once, then lWarning by chbAutomat. A period that is not a whole number, or is negative,
    // raises an error naming Sleep in SetManifest.ini and changes nothing.
    void SetAutomaticWork();
    QString databasePath() const;
    QString iniPath() const;
    void enterSettingsViewingState();
    void enterSettingsEditingState();
    // The database (required by Change and Save); throws when it is not open.
    settings::SettingsDatabase& openSettingsDatabase() const;

    // Carries out one run and keeps it in the daily log (see RunRecord): the steps write their
    // lines through it and count what they did, and the summary of the counts closes the record.
    // Handlers pressed from code in a run (the run procedures) call the steps themselves, so that
    // the lines go to the run they belong to. An order or product run pressed by hand while one
    // of its kind is under way is not started (a run handed over by the cycle holds its slot
    // already), so that no run ever starts in the event pump of another of its kind. An order or
    // product run also shows in panel 2 how it goes and what it came to, and the error that ends
    // it in mLogs.
    template <typename Counts>
    void recordRun(RunKind kind, RunMode mode, void (TfMain::*steps)(RunRecord&, Counts&));
    // Panel 2 at the end of a run: its counts, the error that ended it, a daily log that cannot
    // be written.
    void showRunOutcome(RunKind kind, RunOutcome outcome, const std::exception_ptr& error);

    // TfMainShop.cpp
    // The shop address and credentials of the settings page: the one place that reads them.
    shop::ShopConnection shopConnection() const;
    // Asks the shop for its products or orders with the connection settings of the window; the
    // ids go to list, the log to log, the token to edtToken.
    shop::CheckOutcome CheckWooCommerce(shop::CheckKind kind, QListWidget& list, TextPaneView& log,
                                        RunRecord& record,
                                        shop::CheckLog logState = shop::CheckLog::Fresh);
    void checkProducts(RunRecord& record, shop::CheckOutcome& outcome);
    void listOrders(RunRecord& record, OrderRunCounts& counts);  // the first step of an order run
    // A listing of an order run; the later ones of a drained run continue its log.
    void listOrderPage(RunRecord& record, OrderRunCounts& counts, shop::CheckLog log);

    // TfMainOrders.cpp
    void lstOrderHFieldDblClick();     // maps the selected header field
    void lstOrderItemFieldDblClick();  // maps the selected item field
    void lstHeadToDexarDblClick();     // unmaps the selected header field
    void lstItemToDexarDblClick();     // unmaps the selected item field
    // Stores both mapping lists in the settings row and shows "Saved!"; no row: nothing.
    void Button8Click();
    void showExtractedOrder();
    void exportExtractedOrder(RunRecord& record, OrderRunCounts& counts);

    // TfMainProducts.cpp
    // The product files' lines are also kept in the daily log, as the lines of mProdFiles.
    void takeProducts(RunRecord& record, products::ProductRunCounts& counts);
    void sendProducts(RunRecord& record, products::ProductRunCounts& counts);
    // The product run over the kept lines and lstProdTextFile, taking more with takeMore.
    void sendKeptProducts(RunRecord& record, products::ProductRunCounts& counts,
                          settings::KeptProductLines& kept,
                          const products::TakeMoreLines& takeMore);

    // TfMainAutomation.cpp
    void createCycle();
    // The slot of the runs of that kind; none for the connection check, which delivers nothing.
    automation::RunSlot* runSlot(RunKind kind) const;
    void btnThreadGetClick();  // starts the order run through a worker
    void btnThreadPutClick();  // starts the product run through a worker
    void orderRunProcedure();
    void runOrders(RunRecord& record, OrderRunCounts& counts);
    // Reads the selected order for the order run; false, and a logged line, when it failed.
    bool extractOrderOfRun(const QString& orderId, RunRecord& record);
    void productRunProcedure();
    void runProducts(RunRecord& record, products::ProductRunCounts& counts);

    Environment environment_;
    QString appPath_;
    common::DailyLogFile dailyLog_;  // AppPath/Logs
    std::array<StatusPanel*, kStatusPanelCount> statusPanels_{};
    RunStatusPanel* runStatus_ = nullptr;  // statusPanels_[2]
    settings::FolderWorkLock folderLock_;
    QTimer* folderLockRetry_;
    std::unique_ptr<settings::SettingsDatabase> settingsDatabase_;
    orders::ExtractedOrder extractedOrder_;
    // What the last product intake has to tell; the next product run logs it.
    QStringList productRunNotes_;
    std::unique_ptr<automation::UnattendedCycle> cycle_;
};

template <typename Counts>
void TfMain::recordRun(RunKind kind, RunMode mode, void (TfMain::*steps)(RunRecord&, Counts&)) {
    // The connection check keeps to its own pane on the settings page.
    constexpr bool isCheck = std::is_same_v<Counts, shop::CheckOutcome>;
    RunRecord record(dailyLog_, kind, mode, isCheck ? nullptr : mLogs);
    std::optional<automation::RunSlot::Hold> alone;
    if (automation::RunSlot* slot = mode == RunMode::ByHand ? runSlot(kind) : nullptr) {
        if (slot->held()) {
            record.recordSkipped();
            return;
        }
        alone.emplace(*slot);
    }
    Counts counts;
    const auto carryOut = [&] {
        record.carryOut([&] { (this->*steps)(record, counts); },
                        [&] { return runSummary(counts); });
    };
    if constexpr (isCheck) {
        carryOut();
    } else {
        runStatus_->blank();
        try {
            carryOut();
        } catch (...) {
            showRunOutcome(kind, runOutcome(counts), std::current_exception());
            throw;
        }
        showRunOutcome(kind, runOutcome(counts), nullptr);
    }
}

}  // namespace norvan::app

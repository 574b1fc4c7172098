#pragma once

#include "Environment.h"
#include "NameValueGrid.h"
#include "TextPaneView.h"

#include <QWidget>
#include <array>
#include <exception>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace norvan::settings {
class SettingsDatabase;
}

namespace norvan::app {

// The main window. Its controls are members named as the window's controls are named (the
// same objectName), and every handler is a member named control + event. Calling a handler
// from code (btnSaveSettingClick()) lets its errors reach the caller; an operator's click goes
// through runGuarded, which shows the error box instead. Handlers of each concern live in
// their own TfMain<Concern>.cpp and are connected in TfMain::connectHandlers.
class TfMain : public QWidget {
    Q_OBJECT
  public:
    // Builds the window and runs FormCreate (start-up); errors of start-up go to the error box.
    explicit TfMain(Environment environment, QWidget* parent = nullptr);
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

    // ---- Shell: start-up, pages, status bar, errors (TfMain.cpp) ----
    // The program folder, ending with "/"; set by FormCreate and fixed from then on.
    QString AppPath;
    // An order run / a product run started through btnThreadGet / btnThreadPut is queued or
    // under way. Read and written on the main thread only.
    bool ThreadGetBusy = false;
    bool ThreadPutBusy = false;

    void FormCreate();
    void FormShow();
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

    // Runs a handler for the operator: any error it raises is shown in the error box and
    // nothing escapes into the event loop.
    void runGuarded(const std::function<void()>& handler) noexcept;
    // The error box for a raised error (see errorMessageText) under the program's title.
    void showError(std::exception_ptr error);
    // A plain message box under the program's title (the "Saved!" box).
    void showMessage(const QString& text);
    const Environment& environment() const { return environment_; }

    // ---- Settings (TfMainSettings.cpp) ----
    void InitializeDatabase();
    void LoadSettingFromDB();
    void btnChangeSettingClick();
    void btnSaveSettingClick();
    void Button1Click();
    // Arms the unattended cycle: the period from edtSleepInterval, then lWarning by chbAutomat.
    void SetAutomaticWork();
    QString databasePath() const;
    QString iniPath() const;
    // The open settings database; null when opening it failed at start-up.
    settings::SettingsDatabase* settingsDatabase() const { return settingsDatabase_.get(); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Connects a control's signal to a handler, run through runGuarded.
    template <typename Sender, typename Signal>
    void connectHandler(Sender* sender, Signal signal, void (TfMain::*handler)());
    void connectHandlers();

    // TfMainPages.cpp
    void layOutWindow();
    QWidget* buildMainPage();
    QWidget* buildSettingPage();
    QWidget* buildOrdersPage();
    QWidget* buildProductPage();

    void extractLibraryFiles();
    void enterSettingsViewingState();
    void enterSettingsEditingState();
    // The database (required by Change and Save); throws when it is not open.
    settings::SettingsDatabase& openSettingsDatabase() const;

    Environment environment_;
    std::array<QLabel*, kStatusPanelCount> statusPanels_{};
    std::unique_ptr<settings::SettingsDatabase> settingsDatabase_;
};

}  // namespace norvan::app

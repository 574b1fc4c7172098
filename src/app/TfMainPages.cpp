// The window's controls: names, captions, initial properties and layout.
#include "DigitsOnlyFilter.h"
#include "MaskCharacterStyle.h"
#include "TfMain.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace norvan::app {

namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 771;
constexpr int kFontPixels = 11;
constexpr int kLargeCaptionPixels = 19;
constexpr int kWarningPixels = 16;
constexpr int kWarningHeight = 19;
constexpr int kLogHeight = 122;
constexpr std::array<int, TfMain::kStatusPanelCount> kStatusPanelWidths = {150, 100, 100};

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* makeButton(const char* name, const QString& caption) {
    return named(new QPushButton(caption), name);
}

// A button whose caption is Persian: read right to left.
QPushButton* makePersianButton(const char* name, const QString& caption) {
    QPushButton* button = makeButton(name, caption);
    button->setLayoutDirection(Qt::RightToLeft);
    return button;
}

QLineEdit* makeBox(const char* name) {
    return named(new QLineEdit, name);
}

QLineEdit* makeDigitsBox(const char* name, int width) {
    QLineEdit* box = makeBox(name);
    box->setFixedWidth(width);
    DigitsOnlyFilter::install(box);
    return box;
}

QListWidget* makeList(const char* name) {
    QListWidget* list = named(new QListWidget, name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// The log panes are lime on the menu-text colour (black).
TextPaneView* makeLogPane(const char* name) {
    TextPaneView* pane = named(new TextPaneView, name);
    QPalette colours = pane->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(0, 255, 0));
    pane->setPalette(colours);
    return pane;
}

NameValueGrid* makeGrid(const char* name, int nameWidth, int valueWidth) {
    NameValueGrid* grid = named(new NameValueGrid, name);
    grid->setColumnWidth(0, nameWidth);
    grid->setColumnWidth(1, valueWidth);
    return grid;
}

QLabel* labelFor(const QString& caption, QWidget* box) {
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    return label;
}

QFont fontOfPixels(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

void TfMain::layOutWindow() {
    setWindowTitle(QStringLiteral("Norvan Ecommerce"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    // Tahoma is asked for; fontconfig picks a font with Persian glyphs where it is missing.
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(kFontPixels);
    setFont(windowFont);

    lWarning = named(new QLabel(QStringLiteral("!!!نرم افزار به صورت اتوماتیک درحال کار است، لطفا "
                                               "تغییراتی انجام ندهید!!!")),
                     "lWarning");
    lWarning->setAlignment(Qt::AlignCenter);
    lWarning->setLayoutDirection(Qt::RightToLeft);
    QFont warningFont = fontOfPixels(windowFont, kWarningPixels);
    warningFont.setBold(true);
    lWarning->setFont(warningFont);
    QPalette warningColours = lWarning->palette();
    warningColours.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lWarning->setPalette(warningColours);
    lWarning->setFixedHeight(kWarningHeight);
    lWarning->hide();

    pgMain = named(new QTabWidget, "pgMain");
    pgMain->setDocumentMode(true);
    pgMain->addTab(buildMainPage(), QStringLiteral("Main"));
    pgMain->addTab(buildSettingPage(), QStringLiteral("تنظیمات"));
    pgMain->addTab(buildOrdersPage(), QStringLiteral("سفارش ها"));
    pgMain->addTab(buildProductPage(), QStringLiteral("محصولات"));

    mLogs = makeLogPane("mLogs");
    mLogs->setFixedHeight(kLogHeight);

    StatusBar1 = named(new QStatusBar, "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    runStatus_ = new RunStatusPanel;
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        const bool last = i + 1 == statusPanels_.size();
        statusPanels_[i] = last ? runStatus_ : new StatusPanel;
        // The last panel takes the rest of the bar, for the outcome of the runs.
        if (last) {
            statusPanels_[i]->setMinimumWidth(kStatusPanelWidths[i]);
        } else {
            statusPanels_[i]->setFixedWidth(kStatusPanelWidths[i]);
        }
        StatusBar1->addWidget(statusPanels_[i], last ? 1 : 0);
    }

    tCheckTime = named(new QTimer(this), "tCheckTime");

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(lWarning);
    column->addWidget(pgMain, 1);
    column->addWidget(mLogs);
    column->addWidget(StatusBar1);
}

QWidget* TfMain::buildMainPage() {
    tsMain = named(new QWidget, "tsMain");
    btnSetting = makePersianButton("btnSetting", QStringLiteral("تنظیمات"));
    btnOrders = makePersianButton("btnOrders", QStringLiteral("سفارش ها"));
    btnProduct = makePersianButton("btnProduct", QStringLiteral("محصولات"));

    auto* column = new QVBoxLayout(tsMain);
    column->addStretch(1);
    for (QPushButton* button : {btnSetting, btnOrders, btnProduct}) {
        button->setFixedSize(300, 60);
        button->setFont(fontOfPixels(font(), kLargeCaptionPixels));
        column->addWidget(button, 0, Qt::AlignHCenter);
        column->addSpacing(16);
    }
    column->addStretch(1);
    return tsMain;
}

QWidget* TfMain::buildSettingPage() {
    tsSetting = named(new QWidget, "tsSetting");
    auto* column = new QVBoxLayout(tsSetting);
    column->addWidget(buildRestSettingGroup());
    column->addLayout(buildSettingButtons());

    auto* lower = new QHBoxLayout;
    lower->addWidget(buildCheckApiGroup(), 3);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(buildTokenGroup());
    rightColumn->addWidget(buildWooProductGroup(), 1);
    lower->addLayout(rightColumn, 2);
    column->addLayout(lower, 1);
    return tsSetting;
}

QGroupBox* TfMain::buildRestSettingGroup() {
    gbRestSetting = named(new QGroupBox(QStringLiteral("REST and WooCommerce")), "gbRestSetting");
    gbRestSetting->setLayoutDirection(Qt::LeftToRight);
    auto* rows = new QGridLayout(gbRestSetting);
    const int addressRowCount = addAddressRows(*rows);
    rows->addLayout(buildSwitchesRow(), addressRowCount, 0, 1, 3);
    rows->addLayout(buildStatusAndPeriodRow(), addressRowCount + 1, 0, 1, 3);
    return gbRestSetting;
}

int TfMain::addAddressRows(QGridLayout& rows) {
    edtTokenURL = makeBox("edtTokenURL");
    edtEComURL = makeBox("edtEComURL");
    edtUser = makeBox("edtUser");
    edtPassword = makeBox("edtPassword");
    edtPassword->setEchoMode(QLineEdit::Password);
    MaskCharacterStyle::install(edtPassword, u'*');
    Button1 = makeButton("Button1", QStringLiteral("Show"));
    edtProductRes = makeBox("edtProductRes");
    edtOrderRes = makeBox("edtOrderRes");
    edtTitleWebItem = makeBox("edtTitleWebItem");

    const std::pair<const char*, QLineEdit*> addressRows[] = {
        {"Token URL:", edtTokenURL},
        {"ECommerce URL:", edtEComURL},
        {"Username(CK):", edtUser},
        {"Password(CS):", edtPassword},
        {"Product URL:", edtProductRes},
        {"Order URL:", edtOrderRes},
        {"Order item title:", edtTitleWebItem},
    };
    int row = 0;
    for (const auto& [caption, box] : addressRows) {
        rows.addWidget(labelFor(QString::fromLatin1(caption), box), row, 0);
        rows.addWidget(box, row, 1);
        ++row;
    }
    rows.addWidget(Button1, 3, 2);
    return row;
}

QHBoxLayout* TfMain::buildSwitchesRow() {
    chbAutomat = named(new QCheckBox(QStringLiteral("Automatic opration")), "chbAutomat");
    chbConKey = named(new QCheckBox(QStringLiteral("Cunsomer Keys")), "chbConKey");
    chbConKey->hide();
    chbBatch = named(new QCheckBox(QStringLiteral("Batch product update")), "chbBatch");
    edtTranCod = makeDigitsBox("edtTranCod", 54);

    auto* switches = new QHBoxLayout;
    switches->addWidget(chbAutomat);
    switches->addWidget(chbConKey);
    switches->addWidget(chbBatch);
    switches->addStretch(1);
    switches->addWidget(labelFor(QStringLiteral("Transfer fee Dexar:"), edtTranCod));
    switches->addWidget(edtTranCod);
    return switches;
}

QHBoxLayout* TfMain::buildStatusAndPeriodRow() {
    edtStatusAz = makeBox("edtStatusAz");
    edtStatusTo = makeBox("edtStatusTo");
    edtSleepInterval = makeDigitsBox("edtSleepInterval", 41);
    edtTimerInterval = makeDigitsBox("edtTimerInterval", 41);

    auto* statuses = new QHBoxLayout;
    statuses->addWidget(labelFor(QStringLiteral("Change status orders as:"), edtStatusAz));
    statuses->addWidget(edtStatusAz);
    statuses->addWidget(labelFor(QStringLiteral("To:"), edtStatusTo));
    statuses->addWidget(edtStatusTo);
    statuses->addWidget(labelFor(QStringLiteral("Interval:"), edtSleepInterval));
    statuses->addWidget(edtSleepInterval);
    statuses->addWidget(new QLabel(QStringLiteral("min(s).")));
    statuses->addWidget(labelFor(QStringLiteral("Checker:"), edtTimerInterval));
    statuses->addWidget(edtTimerInterval);
    statuses->addWidget(new QLabel(QStringLiteral("min(s).")));
    return statuses;
}

QHBoxLayout* TfMain::buildSettingButtons() {
    btnSaveSetting = makeButton("btnSaveSetting", QStringLiteral("Save"));
    btnChangeSetting = makeButton("btnChangeSetting", QStringLiteral("Change"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSaveSetting);
    buttons->addWidget(btnChangeSetting);
    buttons->addStretch(1);
    return buttons;
}

QGroupBox* TfMain::buildCheckApiGroup() {
    Button2 = makeButton("Button2", QStringLiteral("Check Woocommerce API"));
    mCheckLog = makeLogPane("mCheckLog");
    auto* checkGroup = new QGroupBox(QStringLiteral("Check API"));
    auto* checkColumn = new QVBoxLayout(checkGroup);
    checkColumn->addWidget(Button2, 0, Qt::AlignLeft);
    checkColumn->addWidget(mCheckLog);
    return checkGroup;
}

QGroupBox* TfMain::buildTokenGroup() {
    edtToken = makeBox("edtToken");
    edtToken->setEnabled(false);
    auto* tokenGroup = new QGroupBox(QStringLiteral("Get Token"));
    (new QVBoxLayout(tokenGroup))->addWidget(edtToken);
    return tokenGroup;
}

QGroupBox* TfMain::buildWooProductGroup() {
    lstWooProduct = makeList("lstWooProduct");
    auto* productGroup = new QGroupBox(QStringLiteral("WooCommerce Product Param"));
    (new QVBoxLayout(productGroup))->addWidget(lstWooProduct);
    return productGroup;
}

QWidget* TfMain::buildOrdersPage() {
    tsOrders = named(new QWidget, "tsOrders");
    btnGetOrders = makePersianButton("btnGetOrders", QStringLiteral("گرفتن لیست سفارش ها"));
    lstOrder = makeList("lstOrder");
    btnextractOrders =
        makePersianButton("btnextractOrders", QStringLiteral("استخراج اطلاعات سفارش انتخابی"));
    lstOrderHField = makeList("lstOrderHField");
    lstHeadToDexar = makeList("lstHeadToDexar");
    edtCountItem = makeBox("edtCountItem");
    edtCountItem->setReadOnly(true);
    Button8 = makePersianButton("Button8", QStringLiteral("ذخیره"));
    lstOrderItemField = makeList("lstOrderItemField");
    lstItemToDexar = makeList("lstItemToDexar");
    vleOrderValue = makeGrid("vleOrderValue", 369, 381);
    btnThreadGet =
        makePersianButton("btnThreadGet", QStringLiteral("دریافت کل سفارش ها بدون وقفه"));
    btnToDexarAndChangeOrders =
        makePersianButton("btnToDexarAndChangeOrders", QStringLiteral("ارسال سفارش ها به Dexar"));
    mFac = named(new TextPaneView, "mFac");
    mFac->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* orderList = new QVBoxLayout;
    orderList->addWidget(btnGetOrders);
    orderList->addWidget(lstOrder, 1);
    orderList->addWidget(btnextractOrders);

    // Field lists on the left, the mapped lists on the right, the item count and Save between.
    auto* between = new QVBoxLayout;
    between->addStretch(1);
    between->addWidget(edtCountItem);
    between->addWidget(Button8);
    between->addStretch(1);
    auto* mapping = new QGridLayout;
    mapping->addWidget(lstOrderHField, 0, 0);
    mapping->addWidget(lstOrderItemField, 1, 0);
    mapping->addLayout(between, 0, 1, 2, 1);
    mapping->addWidget(lstHeadToDexar, 0, 2);
    mapping->addWidget(lstItemToDexar, 1, 2);
    edtCountItem->setFixedWidth(80);
    Button8->setFixedWidth(80);

    auto* top = new QHBoxLayout;
    top->addLayout(orderList, 2);
    top->addLayout(mapping, 5);

    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(btnThreadGet);
    runButtons->addStretch(1);
    runButtons->addWidget(btnToDexarAndChangeOrders);
    runButtons->addStretch(2);

    auto* column = new QVBoxLayout(tsOrders);
    column->addLayout(top, 3);
    column->addWidget(vleOrderValue, 3);
    column->addLayout(runButtons);
    column->addWidget(mFac, 2);
    return tsOrders;
}

QWidget* TfMain::buildProductPage() {
    tsProduct = named(new QWidget, "tsProduct");
    btnGetProducts =
        makePersianButton("btnGetProducts", QStringLiteral("خواندن لیست محصولات Dexar"));
    bLoadProd = makePersianButton("bLoadProd", QStringLiteral("سریالایز کردن اطلاعات"));
    lstProdTextFile = makeList("lstProdTextFile");
    lstProdTextFile->setLayoutDirection(Qt::LeftToRight);
    vleProdValue = makeGrid("vleProdValue", 369, 375);
    vleProdValue->setLayoutDirection(Qt::LeftToRight);
    btnThreadPut = makePersianButton("btnThreadPut", QStringLiteral("بروزرسانی محصولات بدون وقفه"));
    btnUpdateProduct =
        makePersianButton("btnUpdateProduct", QStringLiteral("بروزرسانی محصول در ایکامرس"));
    chbProdAdd = named(new QCheckBox(QStringLiteral("اضافه کردن کالای جدید")), "chbProdAdd");
    chbProdAdd->setLayoutDirection(Qt::RightToLeft);
    chbProdAdd->hide();
    mProdFiles = named(new TextPaneView, "mProdFiles");
    mProdFiles->setLineWrapMode(QPlainTextEdit::NoWrap);
    mProdFiles->hide();

    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(btnGetProducts);
    fileButtons->addWidget(bLoadProd);
    fileButtons->addStretch(1);

    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(btnThreadPut);
    runButtons->addStretch(1);
    runButtons->addWidget(btnUpdateProduct);
    runButtons->addStretch(2);
    runButtons->addWidget(chbProdAdd);

    auto* column = new QVBoxLayout(tsProduct);
    column->addLayout(fileButtons);
    column->addWidget(lstProdTextFile, 2);
    column->addWidget(vleProdValue, 3);
    column->addLayout(runButtons);
    column->addWidget(mProdFiles);
    return tsProduct;
}

}  // namespace norvan::app

// Every named control of the window: kind, caption and initial state.
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace norvan::app {
namespace {

enum Initial : unsigned {
    Plain = 0,
    Hidden = 1,
    Disabled = 2,
    ReadOnly = 4,
    Masked = 8,
};

struct ControlCase {
    const char* name;
    const char* kind;
    const char* caption;  // a box's caption is its label's
    unsigned initial = Plain;
};

const ControlCase kControls[] = {
    {"lWarning", "QLabel",
     "!!!نرم افزار به صورت اتوماتیک درحال کار است، لطفا تغییراتی انجام ندهید!!!", Hidden},
    {"pgMain", "QTabWidget", ""},
    {"mLogs", "norvan::app::TextPaneView", "", ReadOnly},
    {"StatusBar1", "QStatusBar", ""},
    {"tCheckTime", "QTimer", ""},
    {"tsMain", "QWidget", "Main"},
    {"tsSetting", "QWidget", "تنظیمات"},
    {"tsOrders", "QWidget", "سفارش ها"},
    {"tsProduct", "QWidget", "محصولات"},
    {"btnSetting", "QPushButton", "تنظیمات"},
    {"btnOrders", "QPushButton", "سفارش ها"},
    {"btnProduct", "QPushButton", "محصولات"},
    {"gbRestSetting", "QGroupBox", "REST and WooCommerce"},
    {"edtTokenURL", "QLineEdit", "Token URL:"},
    {"edtEComURL", "QLineEdit", "ECommerce URL:"},
    {"edtUser", "QLineEdit", "Username(CK):"},
    {"edtPassword", "QLineEdit", "Password(CS):", Masked},
    {"Button1", "QPushButton", "Show"},
    {"edtProductRes", "QLineEdit", "Product URL:"},
    {"edtOrderRes", "QLineEdit", "Order URL:"},
    {"edtTitleWebItem", "QLineEdit", "Order item title:"},
    {"chbAutomat", "QCheckBox", "Automatic opration"},
    {"chbConKey", "QCheckBox", "Cunsomer Keys", Hidden},
    {"chbBatch", "QCheckBox", "Batch product update"},
    {"edtTranCod", "QLineEdit", "Transfer fee Dexar:"},
    {"edtStatusAz", "QLineEdit", "Change status orders as:"},
    {"edtStatusTo", "QLineEdit", "To:"},
    {"edtSleepInterval", "QLineEdit", "Interval:"},
    {"edtTimerInterval", "QLineEdit", "Checker:"},
    {"btnSaveSetting", "QPushButton", "Save"},
    {"btnChangeSetting", "QPushButton", "Change"},
    {"Button2", "QPushButton", "Check Woocommerce API"},
    {"mCheckLog", "norvan::app::TextPaneView", "", ReadOnly},
    {"edtToken", "QLineEdit", "", Disabled},
    {"lstWooProduct", "QListWidget", ""},
    {"btnGetOrders", "QPushButton", "گرفتن لیست سفارش ها"},
    {"lstOrder", "QListWidget", ""},
    {"btnextractOrders", "QPushButton", "استخراج اطلاعات سفارش انتخابی"},
    {"lstOrderHField", "QListWidget", ""},
    {"lstHeadToDexar", "QListWidget", ""},
    {"edtCountItem", "QLineEdit", "", ReadOnly},
    {"Button8", "QPushButton", "ذخیره"},
    {"lstOrderItemField", "QListWidget", ""},
    {"lstItemToDexar", "QListWidget", ""},
    {"vleOrderValue", "norvan::app::NameValueGrid", ""},
    {"btnThreadGet", "QPushButton", "دریافت کل سفارش ها بدون وقفه"},
    {"btnToDexarAndChangeOrders", "QPushButton", "ارسال سفارش ها به Dexar"},
    {"mFac", "norvan::app::TextPaneView", "", ReadOnly},
    {"btnGetProducts", "QPushButton", "خواندن لیست محصولات Dexar"},
    {"bLoadProd", "QPushButton", "سریالایز کردن اطلاعات"},
    {"lstProdTextFile", "QListWidget", ""},
    {"vleProdValue", "norvan::app::NameValueGrid", ""},
    {"btnThreadPut", "QPushButton", "بروزرسانی محصولات بدون وقفه"},
    {"btnUpdateProduct", "QPushButton", "بروزرسانی محصول در ایکامرس"},
    {"chbProdAdd", "QCheckBox", "اضافه کردن کالای جدید", Hidden},
    {"mProdFiles", "norvan::app::TextPaneView", "", Hidden | ReadOnly},
};

QString captionOf(const TfMain& window, QObject* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* page = qobject_cast<QWidget*>(control); window.pgMain->indexOf(page) >= 0)
        return window.pgMain->tabText(window.pgMain->indexOf(page));
    if (qobject_cast<QLineEdit*>(control)) {
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->buddy() == control) return label->text();
    }
    return {};
}

bool isReadOnly(QObject* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) return box->isReadOnly();
    if (auto* pane = qobject_cast<QPlainTextEdit*>(control)) return pane->isReadOnly();
    return false;
}

class WindowControlsTest : public testing::WindowFixture {};

TEST_F(WindowControlsTest, EveryNamedControlHasItsKindCaptionAndInitialState) {
    TfMain& fMain = startWindow();
    for (const ControlCase& expected : kControls) {
        SCOPED_TRACE(expected.name);
        const auto found = fMain.findChildren<QObject*>(QString::fromLatin1(expected.name));
        ASSERT_EQ(found.size(), 1);
        QObject* control = found.front();
        EXPECT_TRUE(control->inherits(expected.kind)) << control->metaObject()->className();
        EXPECT_EQ(captionOf(fMain, control), QString::fromUtf8(expected.caption));
        EXPECT_EQ(isReadOnly(control), bool(expected.initial & ReadOnly));
        if (auto* widget = qobject_cast<QWidget*>(control);
            widget && fMain.pgMain->indexOf(widget) < 0) {
            EXPECT_EQ(widget->isHidden(), bool(expected.initial & Hidden));
            EXPECT_EQ(widget->isEnabled(), !(expected.initial & Disabled));
        }
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            EXPECT_EQ(box->echoMode() == QLineEdit::Password, bool(expected.initial & Masked));
            EXPECT_TRUE(box->text().isEmpty());
        }
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            EXPECT_FALSE(check->isChecked());
        }
    }
    EXPECT_FALSE(fMain.tCheckTime->isActive());
}

TEST_F(WindowControlsTest, WindowHasFixedClientAreaTitleAndFont) {
    TfMain& fMain = startWindow();
    EXPECT_EQ(fMain.windowTitle(), "Norvan Ecommerce");
    EXPECT_EQ(fMain.minimumSize(), QSize(780, 771));
    EXPECT_EQ(fMain.maximumSize(), QSize(780, 771));
    EXPECT_FALSE(fMain.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fMain.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(fMain.font().family(), "Tahoma");
    EXPECT_EQ(fMain.font().pixelSize(), 11);

    const QStringList pageOrder = {"tsMain", "tsSetting", "tsOrders", "tsProduct"};
    ASSERT_EQ(fMain.pgMain->count(), pageOrder.size());
    for (int i = 0; i < pageOrder.size(); ++i)
        EXPECT_EQ(fMain.pgMain->widget(i)->objectName(), pageOrder[i]);
}

TEST_F(WindowControlsTest, SizesColoursAndPanelsAreAsDesigned) {
    TfMain& fMain = startWindow();
    fMain.show();  // lays the controls out
    const QFont warning = fMain.lWarning->font();
    EXPECT_TRUE(warning.bold());
    EXPECT_EQ(warning.pixelSize(), 16);
    EXPECT_EQ(fMain.lWarning->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    for (TextPaneView* log : {fMain.mLogs, fMain.mCheckLog}) {
        EXPECT_EQ(log->palette().color(QPalette::Text), QColor(0, 255, 0));
        EXPECT_EQ(log->palette().color(QPalette::Base), QColor(Qt::black));
    }
    EXPECT_EQ(fMain.mLogs->height(), 122);
    EXPECT_EQ(fMain.edtTranCod->width(), 54);
    EXPECT_EQ(fMain.edtSleepInterval->width(), 41);
    EXPECT_EQ(fMain.edtTimerInterval->width(), 41);
    EXPECT_EQ(fMain.btnSetting->size(), QSize(300, 60));
    EXPECT_EQ(fMain.vleOrderValue->columnWidth(0), 369);
    EXPECT_EQ(fMain.vleOrderValue->columnWidth(1), 381);
    EXPECT_EQ(fMain.vleProdValue->columnWidth(0), 369);
    EXPECT_EQ(fMain.vleProdValue->columnWidth(1), 375);

    const int widths[] = {150, 100, 100};
    for (int panel = 0; panel < TfMain::kStatusPanelCount; ++panel) {
        fMain.setStatusPanelText(panel, QStringLiteral("panel %1").arg(panel));
        EXPECT_EQ(fMain.statusPanelText(panel), QStringLiteral("panel %1").arg(panel));
    }
    const auto panels = fMain.StatusBar1->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 3);
    for (int panel = 0; panel < 2; ++panel) EXPECT_EQ(panels[panel]->width(), widths[panel]);
    // The last panel takes the rest of the bar, for the outcome of the runs.
    EXPECT_GE(panels[2]->width(), widths[2]);
    EXPECT_GE(panels[2]->geometry().right(), fMain.StatusBar1->width() - 20);
}

}  // namespace
}  // namespace norvan::app

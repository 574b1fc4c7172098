// What the error box says, and that errors of an operator's click end in it.
#include "app/ErrorMessage.h"
#include "common/Error.h"
#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace norvan::app {
namespace {

std::exception_ptr raised(const std::function<void()>& raise) {
    try {
        raise();
    } catch (...) {
        return std::current_exception();
    }
    return {};
}

std::exception_ptr wrapped(const QString& outer, const QString& inner) {
    return raised([&] {
        try {
            throw Error(inner);
        } catch (...) {
            std::throw_with_nested(Error(outer));
        }
    });
}

struct MessageCase {
    const char* name;
    std::exception_ptr error;
    QString shown;
};

TEST(ErrorMessageTest, TextIsInnermostNonEmptyMessageWithFullStopRule) {
    const MessageCase cases[] = {
        {"letter gets a stop", raised([] { throw Error(QStringLiteral("Access denied")); }),
         "Access denied."},
        {"digit gets a stop", raised([] { throw Error(QStringLiteral("code 5")); }), "code 5."},
        {"Persian letter gets a stop", raised([] { throw Error(QStringLiteral("خطا")); }),
         QStringLiteral("خطا.")},
        {"stop kept single", raised([] { throw Error(QStringLiteral("Done.")); }), "Done."},
        {"bang", raised([] { throw Error(QStringLiteral("Saved!")); }), "Saved!"},
        {"parenthesis", raised([] { throw Error(QStringLiteral("failed (x)")); }), "failed (x)"},
        {"slash is above the stop", raised([] { throw Error(QStringLiteral("a/")); }), "a/."},
        {"empty stays empty", raised([] { throw Error(QString()); }), ""},
        {"standard exception", raised([] { throw std::runtime_error("bad input"); }), "bad input."},
        {"innermost message", wrapped(QStringLiteral("outer"), QStringLiteral("inner cause")),
         "inner cause."},
        {"empty inner keeps outer", wrapped(QStringLiteral("outer cause"), QString()),
         "outer cause."},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorMessageText(c.error), c.shown);
    }
}

TEST(ErrorMessageTest, CaptionIsFileNameToFirstDotInLowerCaseAfterFirstLetter) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/opt/norvan/NorvanECommerce"), QStringLiteral("Norvanecommerce")},
        {QStringLiteral("NorvanECommerce.exe"), QStringLiteral("Norvanecommerce")},
        {QStringLiteral("/x/my.Tool.exe"), QStringLiteral("my")},
        {QStringLiteral("nORVAN"), QStringLiteral("norvan")},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(applicationTitle(path), title) << path.toStdString();
}

class ErrorBoxTest : public testing::WindowFixture {};

TEST_F(ErrorBoxTest, OperatorClickShowsTheBoxWhileCodeGetsTheError) {
    TfMain& fMain = startWindow();
    fMain.btnChangeSettingClick();
    folder.makeFolder(QStringLiteral("SetManifest.ini"));  // the INI file cannot be written

    fMain.btnSaveSetting->click();

    ASSERT_EQ(boxes.errors().size(), 1u);
    EXPECT_EQ(boxes.errors()[0].caption, applicationTitle(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(boxes.errors()[0].text,
              QStringLiteral("Unable to write to %1.").arg(folder.filePath("SetManifest.ini")));

    fMain.btnChangeSettingClick();
    EXPECT_THROW(fMain.btnSaveSettingClick(), Error);
    EXPECT_EQ(boxes.errors().size(), 1u);
}

}  // namespace
}  // namespace norvan::app

#include "orders/NormalizeDigits.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

TEST(NormalizeDigits, PersianDigitsAndArabicYeh) {
    const struct {
        const char* text;
        const char* normalized;
    } cases[] = {
        {"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9", "0123456789"},
        {"\u0639\u0644\u064A \u06F1\u06F2", "\u0639\u0644\u06CC 12"},  // Arabic Yeh to Persian
        {"\u0660\u0661\u0669", "\u0660\u0661\u0669"},                  // Arabic-Indic digits stay
        {"\u0643\u06CC\u0649 ^a&b\r\n", "\u0643\u06CC\u0649 ^a&b\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeDigits(QString::fromUtf8(c.text)), QString::fromUtf8(c.normalized));
}

}  // namespace
}  // namespace norvan::orders

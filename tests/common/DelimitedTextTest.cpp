#include "common/DelimitedText.h"

#include <gtest/gtest.h>

using norvan::common::splitDelimited;

TEST(DelimitedText, SplitsAsTheAccountingFilesNeed) {
    struct Case {
        QString text;
        QStringList fields;
    };
    const Case cases[] = {
        {"a;b;c", {"a", "b", "c"}},
        {"a;b;", {"a", "b", ""}},
        {"a;b; ", {"a", "b"}},
        {"a;;b", {"a", "", "b"}},
        {";a", {"", "a"}},
        {" a ; b ", {"a", "b"}},
        {"a b;c", {"a", "b", "c"}},
        {"a ;", {"a", ""}},
        {"\"x;y\";z", {"x;y", "z"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"ab\"cd;e", {"ab", "cd", "e"}},
        {"\"ab", {"ab"}},
        {"a\"b;c", {"a\"b", "c"}},
        {"", {}},
        {" \t\r\n", {}},
        {"A-9;3;1;0.2;100;;0;\"Red Shirt\"", {"A-9", "3", "1", "0.2", "100", "", "0", "Red Shirt"}},
    };
    for (const Case& c : cases) EXPECT_EQ(splitDelimited(c.text), c.fields) << c.text.toStdString();
}

#include "common/LocaleSort.h"

#include <gtest/gtest.h>

using namespace norvan::common;

TEST(LocaleSort, DigitsOneAtATimeAndCaseIgnored) {
    QStringList names{"P_20240102_0800.ecom", "9.ecom", "10.ecom", "p_20240101_0900.ecom"};
    localeSort(names);
    EXPECT_EQ(names,
              (QStringList{"10.ecom", "9.ecom", "p_20240101_0900.ecom", "P_20240102_0800.ecom"}));
    EXPECT_EQ(localeCompare("abc", "ABC"), 0);
}

#include "common/NameValueList.h"

#include <gtest/gtest.h>

using norvan::common::NameValueList;

TEST(NameValueList, FirstRowWinsIgnoringCase) {
    NameValueList list;
    list.addPair("name", "A");
    list.addPair("Name", "B");
    EXPECT_EQ(list.indexOfName("NAME"), 0);
    EXPECT_EQ(list.value("NAME"), "A");
    EXPECT_EQ(list.count(), 2);
}

TEST(NameValueList, NameEndsAtFirstEquals) {
    NameValueList list;
    list.add("a=b=c");
    list.add("no equals sign");
    list.addPair("", "empty name");
    EXPECT_EQ(list.name(0), "a");
    EXPECT_EQ(list.value("a"), "b=c");
    EXPECT_EQ(list.indexOfName("no equals sign"), -1);
    EXPECT_EQ(list.valueFromIndex(1), "");
    EXPECT_EQ(list.valueFromIndex(-1), "");
    EXPECT_EQ(list.value("missing"), "");
    EXPECT_EQ(list.indexOfName(""), 2);
    EXPECT_EQ(list.indexOfName("a=b"), 0);  // the row's text begins with it and "=" follows
}

TEST(NameValueList, ClearForgetsTheIndex) {
    NameValueList list;
    list.addPair("id", "1");
    list.clear();
    list.addPair("x", "2");
    list.addPair("id", "3");
    EXPECT_EQ(list.indexOfName("id"), 1);
    EXPECT_EQ(list.value("id"), "3");
}

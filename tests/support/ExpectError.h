#pragma once

#include "common/Error.h"

#include <gtest/gtest.h>
#include <QString>

#include <functional>
#include <optional>

namespace norvan::testing {

// The message of what call throws (an Error's own, otherwise what()), or nothing when it
// returns normally.
inline std::optional<QString> thrownMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        return exceptionMessage(error);
    }
    return std::nullopt;
}

// How a thrown message is held against the expected text.
enum class MessageMatch {
    Whole,     // the message is the text
    Beginning  // the message starts with the text and goes on in the system's words
};

// The check behind the macros below; statement is the call's source text, for the report.
inline ::testing::AssertionResult throwsMessage(const std::function<void()>& call,
                                                const char* statement, const QString& expected,
                                                MessageMatch match) {
    const std::optional<QString> thrown = thrownMessage(call);
    if (!thrown)
        return ::testing::AssertionFailure()
               << statement << "\n  threw nothing; expected the error\n  \""
               << expected.toStdString() << "\"\n";
    const bool matches = match == MessageMatch::Whole
                             ? *thrown == expected
                             : thrown->startsWith(expected) && thrown->size() > expected.size();
    if (matches) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << statement << "\n  threw  \"" << thrown->toStdString() << "\"\n  expected \""
           << expected.toStdString() << (match == MessageMatch::Whole ? "\"\n" : "\" and more\n");
}

}  // namespace norvan::testing

// Runs the statement and expects it to throw an exception whose message is `expected`.
#define EXPECT_ERROR(statement, expected) \
    NORVAN_EXPECT_THROWN_MESSAGE(statement, expected, ::norvan::testing::MessageMatch::Whole)

// Runs the statement and expects it to throw an exception whose message starts with `expected`
// and goes on with text the test does not fix (a reason worded by the system, a file's name).
#define EXPECT_ERROR_STARTING_WITH(statement, expected) \
    NORVAN_EXPECT_THROWN_MESSAGE(statement, expected, ::norvan::testing::MessageMatch::Beginning)

// The switch keeps an `else` after the macro from binding to its `if`, as gtest's own do.
#define NORVAN_EXPECT_THROWN_MESSAGE(statement, expected, match)                                   \
    switch (0)                                                                                     \
    case 0:                                                                                        \
    default:                                                                                       \
        if (const ::testing::AssertionResult norvan_thrown =                                       \
                ::norvan::testing::throwsMessage([&] { statement; }, #statement, expected, match)) \
            ;                                                                                      \
        else                                                                                       \
            ADD_FAILURE() << norvan_thrown.message()

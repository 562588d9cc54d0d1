#include <gtest/gtest.h>

#include <thread>

#include "com/ErrorInfo.h"

using namespace com;

class ErrorInfoTest : public ::testing::Test {
protected:
    void SetUp() override { clearErrorInfo(); }
    void TearDown() override { clearErrorInfo(); }
};

TEST_F(ErrorInfoTest, SetReadTakeAndClear) {
    EXPECT_FALSE(errorInfo());
    setErrorInfo(5, "Indikon.General", "Invalid procedure call");
    ASSERT_TRUE(errorInfo());
    EXPECT_EQ(*errorInfo(), (ErrorInfo{5, "Indikon.General", "Invalid procedure call"}));
    EXPECT_TRUE(errorInfo()) << "reading leaves it in place";
    EXPECT_EQ(takeErrorInfo()->number, 5);
    EXPECT_FALSE(errorInfo()) << "taking clears it";
    setErrorInfo(1, "a", "b");
    clearErrorInfo();
    EXPECT_FALSE(errorInfo());
}

TEST_F(ErrorInfoTest, IsPerThread) {
    setErrorInfo(7, "main", "main thread");
    std::optional<ErrorInfo> seenByOther{ErrorInfo{}};
    std::thread other([&] {
        seenByOther = errorInfo();
        setErrorInfo(8, "other", "other thread");
    });
    other.join();
    EXPECT_FALSE(seenByOther);
    EXPECT_EQ(errorInfo()->number, 7);
}

TEST_F(ErrorInfoTest, ThrowIfFailedCarriesTheErrorInfoAndClearsIt) {
    EXPECT_EQ(throwIfFailed(S_FALSE), S_FALSE);
    setErrorInfo(9, "Tarnwick", "Subscript out of range");
    try {
        throwIfFailed(DISP_E_EXCEPTION);
        FAIL() << "no exception";
    } catch (const ComError& e) {
        EXPECT_EQ(e.result(), DISP_E_EXCEPTION);
        EXPECT_EQ(e.number(), 9);
        EXPECT_EQ(e.source(), "Tarnwick");
        EXPECT_EQ(e.description(), "Subscript out of range");
        EXPECT_STREQ(e.what(), "Subscript out of range");
    }
    EXPECT_FALSE(errorInfo());
}

TEST_F(ErrorInfoTest, ThrowIfFailedWithoutErrorInfoNamesTheResult) {
    try {
        throwIfFailed(E_INVALIDARG);
        FAIL() << "no exception";
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), E_INVALIDARG);
        EXPECT_EQ(e.source(), "");
        EXPECT_STREQ(e.what(), "Invalid argument (0x80070057)");
    }
    EXPECT_EQ(describeHResult(hr(0x80041234)), "Error 0x80041234");
}

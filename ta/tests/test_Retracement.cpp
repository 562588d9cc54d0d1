#include "TestSupport.h"
#include "indicators/ChartPattern.h"

namespace indikon::test {
namespace {

struct Retracement {
    com::HRESULT status = com::E_FAIL;
    std::u16string text;
    com::SHORT period = -1;
    double value = -1;
};

Retracement retrace(const std::vector<double>& values, int start, int end, _Field* source = nullptr) {
    const com::ComPtr<_Database> database = makeDatabase(values);
    com::ComPtr<_Note> note;
    Retracement found;
    found.status = com::makeComObject<ChartPattern>()->PercentRetracement(
        database.get(), source ? source : fieldOf(database.get(), u"Close").get(),
        static_cast<com::SHORT>(start), static_cast<com::SHORT>(end), note.put());
    if (note) {
        com::Bstr text;
        note->getNote(&text);
        found.text = text.text();
        note->getPeriod(&found.period);
        note->getValue(&found.value);
    }
    return found;
}

TEST(PercentRetracement, DirectionFromTheOrderOfTheExtremes) {
    const struct {
        std::vector<double> values;
        int start;
        int end;
        const char16_t* text;
        double percent;
    } cases[] = {
        {{10, 20, 15}, 1, 3, u"ADVANCING", 50},     {{20, 10, 12.5}, 1, 3, u"DECLINING", 25},
        {{10, 20}, 1, 2, u"ADVANCING", 0},  // ends at the high
        {{20, 10}, 1, 2, u"DECLINING", 0},  // ends at the low
        {{99, 0, 8, 4, 6}, 2, 5, u"ADVANCING", 25},
    };
    for (const auto& c : cases) {
        const Retracement found = retrace(c.values, c.start, c.end);
        ASSERT_EQ(found.status, com::S_OK);
        EXPECT_EQ(found.text, c.text);
        EXPECT_EQ(found.period, 0);
        EXPECT_DOUBLE_EQ(found.value, c.percent);
    }
}

TEST(PercentRetracement, OneRecordGivesTheMinimumAsItIs) {
    const Retracement found = retrace({4, 7, 5}, 2, 2);
    ASSERT_EQ(found.status, com::S_OK);
    EXPECT_EQ(found.text, u"");
    EXPECT_EQ(found.period, 2);
    EXPECT_EQ(found.value, 7);
}

TEST(PercentRetracement, RangeChecksInOrder) {
    const ExpectedError endError{1010, "PercentRetracement", "Invalid end period"};
    EXPECT_TRUE(failedWith(retrace({1, 2, 3}, 1, 4).status, endError));
    EXPECT_TRUE(failedWith(retrace({1, 2, 3}, 0, 4).status, endError)) << "only the end is reported";
    EXPECT_TRUE(
        failedWith(retrace({1, 2, 3}, 0, 3).status, {1010, "PercentRetracement", "Invalid start period"}));
}

TEST(PercentRetracement, ExtremeSearchErrorsPassUnchanged) {
    EXPECT_TRUE(failedWith(retrace({1, 2, 3}, 3, 2).status, {1010, "MaxValue", "Invalid period"}));
    // A source shorter than the records: the first search reads past its end.
    const com::ComPtr<_Field> shortSource = makeField({1, 2}, u"S");
    EXPECT_TRUE(failedWith(retrace({1, 2, 3}, 1, 3, shortSource.get()).status,
                           {1105, "General.MaxValue.UnexpectedError", "An unexpected error has occured"}));
}

}  // namespace
}  // namespace indikon::test

// The scale axis page: what it shows, the refused decimals and ranges when a field loses the focus,
// the conversion of the range texts, and what Apply writes.
#include <QApplication>

#include "AxisPageFixture.h"
#include "pages/CAxisScalePage.h"

namespace dravik::test {
namespace {

class ScalePage : public AxisPageTest {
protected:
    // The price axis with a range of 10 to 20, two decimals and the plain number format.
    ui::Dialog& openPriceAxis() {
        const auto axis = axisObject(0);
        EXPECT_EQ(axis->put_Format(com::Variant(std::int32_t{0})), com::S_OK);
        EXPECT_EQ(axis->put_Decimals(2), com::S_OK);
        EXPECT_EQ(axis->put_Min(10), com::S_OK);
        EXPECT_EQ(axis->put_Max(20), com::S_OK);
        return open(page, 0);
    }
    // Moves the focus from `from` to `to` as the user would.
    void moveFocus(ui::Dialog& dialog, int from, int to) {
        dialog.setFocusTo(from);
        QApplication::processEvents();
        dialog.setFocusTo(to);
        QApplication::processEvents();
    }

    CAxisScalePage page;
};

TEST_F(ScalePage, ShowsTheRangeUnitFormatAndDecimals) {
    ui::Dialog& dialog = openPriceAxis();
    EXPECT_EQ(page.title(), QString("Scale"));
    EXPECT_EQ(dialog.itemText(IDC_AXISTITLE), QString("Price axis"));
    EXPECT_EQ(dialog.itemText(IDC_AXISMIN), QString("10.00"));
    EXPECT_EQ(dialog.itemText(IDC_AXISMAX), QString("20.00"));
    EXPECT_EQ(dialog.itemText(IDC_DECIMALS), QString("2"));
    ASSERT_EQ(dialog.count(IDC_AXISFORMAT), 5);
    EXPECT_EQ(dialog.listText(IDC_AXISFORMAT, 3), QString("Scientific notation"));
    EXPECT_EQ(dialog.curSel(IDC_AXISFORMAT), 0);
    EXPECT_TRUE(dialog.isItemEnabled(IDC_DECIMALS));
    EXPECT_TRUE(dialog.isItemEnabled(IDC_AXISMIN));
    EXPECT_TRUE(dialog.item(IDC_DATAUNIT)->isHidden());
    EXPECT_TRUE(dialog.item(IDC_DATAUNITLABEL)->isHidden());
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
}

TEST_F(ScalePage, TheScaleUnitShowsWithTheFewestDecimalsThatAreNotZero) {
    struct Case {
        double unit;
        const char* shown;
    };
    for (const Case& c : {Case{0.05, "0.1"}, Case{2, "2"}, Case{0.004, "0.004"}, Case{1e-40, "0"}}) {
        SCOPED_TRACE(c.unit);
        ASSERT_EQ(axisObject(0)->put_ScaleUnit(c.unit), com::S_OK);
        CAxisScalePage fresh;
        ui::Dialog& dialog = open(fresh, 0);
        EXPECT_EQ(dialog.itemText(IDC_SCALEUNIT), QString(c.shown));
    }
}

TEST_F(ScalePage, DecimalsOutsideZeroToThirtyAreRefusedWhenTheFieldLosesTheFocus) {
    ui::Dialog& dialog = openPriceAxis();
    showWindow();
    for (const char* refused : {"31", "-1", ""}) {
        SCOPED_TRACE(refused);
        dialog.setFocusTo(IDC_DECIMALS);
        QApplication::processEvents();
        dialog.setItemText(IDC_DECIMALS, refused);
        dialog.setFocusTo(IDC_SCALEUNIT);
        QApplication::processEvents();
        EXPECT_EQ(dialog.itemText(IDC_DECIMALS), QString("2")) << "the old value is kept";
        EXPECT_EQ(dialog.itemText(IDC_AXISMIN), QString("10.00"));
    }
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().decimals, 2);

    // 30 is taken: the range is shown with it and Apply writes it.
    dialog.setFocusTo(IDC_DECIMALS);
    QApplication::processEvents();
    dialog.setItemText(IDC_DECIMALS, "3");
    dialog.setFocusTo(IDC_SCALEUNIT);
    QApplication::processEvents();
    EXPECT_EQ(dialog.itemText(IDC_AXISMIN), QString("10.000"));
    dialog.setItemText(IDC_DECIMALS, "30");
    const std::uint32_t before = priceRecord().usedFields;
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().decimals, 30);
    EXPECT_EQ(priceRecord().usedFields, before | kUsedDecimals) << "the range was converted, not written";
}

TEST_F(ScalePage, ApplyRefusesDecimalsTypedWithoutLeavingTheField) {
    ui::Dialog& dialog = openPriceAxis();
    const std::uint32_t before = priceRecord().usedFields;
    dialog.setItemText(IDC_DECIMALS, "31");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().decimals, 2);
    EXPECT_EQ(priceRecord().usedFields, before);
    EXPECT_EQ(dialog.itemText(IDC_DECIMALS), QString("2"));
}

TEST_F(ScalePage, ARangeThatIsNoRangeKeepsTheFocusOrComesBack) {
    ui::Dialog& dialog = openPriceAxis();
    showWindow();
    // Leaving for another control of the page: the focus returns to the field.
    dialog.setFocusTo(IDC_AXISMIN);
    QApplication::processEvents();
    dialog.setItemText(IDC_AXISMIN, "30");
    dialog.setFocusTo(IDC_SCALEUNIT);
    QApplication::processEvents();
    EXPECT_EQ(dialog.idOf(QApplication::focusWidget()), IDC_AXISMIN);
    EXPECT_EQ(dialog.itemText(IDC_AXISMIN), QString("30")) << "kept for the user to correct";

    // Leaving for the other range field: the loaded range comes back.
    dialog.setFocusTo(IDC_AXISMAX);
    QApplication::processEvents();
    EXPECT_EQ(dialog.itemText(IDC_AXISMIN), QString("10.00"));
    EXPECT_EQ(dialog.itemText(IDC_AXISMAX), QString("20.00"));

    // An empty maximum is no range either; nothing of it is written.
    dialog.setItemText(IDC_AXISMAX, "");
    const std::uint32_t before = priceRecord().usedFields;
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().usedFields, before);
    EXPECT_DOUBLE_EQ(priceRecord().max, 20);
}

TEST_F(ScalePage, ApplyWritesOnlyTheChangedEndOfTheRange) {
    ui::Dialog& dialog = openPriceAxis();
    priceRecord().usedFields &= ~static_cast<std::uint32_t>(kUsedMin | kUsedMax | kUsedScale | kUsedStyle);
    const std::uint32_t before = priceRecord().usedFields;
    dialog.setItemText(IDC_AXISMIN, "12.5");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().min, 12.5);
    EXPECT_DOUBLE_EQ(priceRecord().max, 20);
    EXPECT_EQ(priceRecord().usedFields, before | kUsedMin | kUsedScale | kUsedStyle) << "not the maximum";
}

TEST_F(ScalePage, ATypedRangeTurnsAutomaticScalingOff) {
    const auto axis = axisObject(0);
    ASSERT_EQ(axis->put_AutoScale(com::VARIANT_TRUE), com::S_OK);
    ui::Dialog& dialog = open(page, 0);
    dialog.setItemText(IDC_AXISMIN, "1");
    dialog.setItemText(IDC_AXISMAX, "50");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().min, 1);
    EXPECT_DOUBLE_EQ(priceRecord().max, 50);
    com::VARIANT_BOOL autoScale = com::VARIANT_TRUE;
    axis->get_AutoScale(&autoScale);
    EXPECT_EQ(autoScale, com::VARIANT_FALSE) << "the style written back does not scale again";
}

TEST_F(ScalePage, AFormatKeptIsNotWrittenAndAnotherIsWrittenAsItsCode) {
    ASSERT_EQ(axisObject(0)->put_Format(com::Variant(std::int32_t{0x8001})), com::S_OK);
    ui::Dialog& dialog = open(page, 0);
    EXPECT_EQ(dialog.curSel(IDC_AXISFORMAT), 1) << "Number, the picture bit aside";
    dialog.setItemText(IDC_DECIMALS, "3");
    const std::uint32_t before = priceRecord().usedFields;
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().usedFields & kUsedFormat, before & kUsedFormat);
    EXPECT_EQ(priceRecord().format, 0x8001);

    dialog.setCurSel(IDC_AXISFORMAT, 2);
    QMetaObject::invokeMethod(dialog.item(IDC_AXISFORMAT), "activated", Q_ARG(int, 2));
    EXPECT_EQ(page.isPageDirty(), com::S_OK);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().format, 2) << "Currency";
}

TEST_F(ScalePage, AScaleUnitLeftAsShownIsNotRewritten) {
    ASSERT_EQ(axisObject(0)->put_ScaleUnit(0.05), com::S_OK);
    ui::Dialog& dialog = open(page, 0);
    EXPECT_EQ(dialog.itemText(IDC_SCALEUNIT), QString("0.1"));
    dialog.setItemText(IDC_DECIMALS, "1");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().scaleUnit, 0.05);
    // Emptied, or 0, the unit counts as 1.
    dialog.setItemText(IDC_SCALEUNIT, "");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().scaleUnit, 1);
}

TEST_F(ScalePage, ALockedRangeIsNeitherEditableNorWritten) {
    ASSERT_EQ(financial->put_Options(kOptionNoChangeStudyMinMax), com::S_OK);
    ui::Dialog& dialog = openPriceAxis();
    EXPECT_FALSE(dialog.isItemEnabled(IDC_AXISMIN));
    EXPECT_FALSE(dialog.isItemEnabled(IDC_AXISMAX));
    dialog.setItemText(IDC_AXISMIN, "1");
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().min, 10);
}

TEST_F(ScalePage, OnTheDateAxisOnlyTheDataCompressionIsEdited) {
    // Monthly points: the date scale has periods to compress into.
    const double values[] = {1, 2, 3};
    const double dates[] = {36892, 36923, 36951};  // 2001-01-01, 2001-02-01, 2001-03-01
    extension->settings().dateScale.Build(1, 3, values, dates, {});
    ui::Dialog& dialog = open(page, 2);
    EXPECT_FALSE(dialog.item(IDC_DATAUNIT)->isHidden());
    ASSERT_EQ(dialog.count(IDC_DATAUNIT), 6);
    EXPECT_EQ(dialog.listText(IDC_DATAUNIT, 5), QString("No Compression"));
    EXPECT_EQ(dialog.curSel(IDC_DATAUNIT), 5) << "no compression";
    for (const int id : {IDC_AXISMIN, IDC_AXISMAX, IDC_SCALEUNIT, IDC_AXISFORMAT, IDC_DECIMALS})
        EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
    EXPECT_EQ(dialog.count(IDC_AXISFORMAT), 0);

    const std::uint32_t before = dateRecord().usedFields;
    dialog.setCurSel(IDC_DATAUNIT, 3);
    QMetaObject::invokeMethod(dialog.item(IDC_DATAUNIT), "activated", Q_ARG(int, 3));
    ASSERT_EQ(page.apply(), com::S_OK);
    com::LONG unit = 0;
    financial->get_DataUnit(&unit);
    EXPECT_EQ(unit, 3);
    EXPECT_EQ(dateRecord().usedFields, before);

    // With the data unit locked the list is not shown.
    ASSERT_EQ(financial->put_Options(kOptionNoChangeDataUnit), com::S_OK);
    CAxisScalePage locked;
    ui::Dialog& lockedDialog = open(locked, 2);
    EXPECT_TRUE(lockedDialog.item(IDC_DATAUNIT)->isHidden());
    EXPECT_TRUE(lockedDialog.item(IDC_DATAUNITLABEL)->isHidden());
}

}  // namespace
}  // namespace dravik::test

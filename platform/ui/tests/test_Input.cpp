#include <gtest/gtest.h>

#include <QWidget>

#include "ui/Cursors.h"
#include "ui/Input.h"
#include "ui/WindowHandle.h"

using namespace ui;

TEST(Input, ShiftStateCanBeFixedByTests) {
    setShiftStateOverride(true);
    EXPECT_TRUE(isShiftDown());
    setShiftStateOverride(false);
    EXPECT_FALSE(isShiftDown());
    setShiftStateOverride(std::nullopt);
    EXPECT_FALSE(isShiftDown()) << "no key is pressed under the offscreen platform";
}

TEST(Input, ClipboardTextAndPrivateFormats) {
    const std::uint32_t chart = registerClipboardFormat("LomexChart");
    EXPECT_GE(chart, 0xC000u);
    EXPECT_EQ(registerClipboardFormat("LomexChart"), chart);
    EXPECT_NE(registerClipboardFormat("Other"), chart);
    EXPECT_EQ(registerClipboardFormat(""), 0u);

    const QByteArray blob("\x01\x00\x02\xFF", 4);
    ASSERT_TRUE(setClipboardData(chart, blob));
    EXPECT_EQ(clipboardData(chart), blob);
    EXPECT_FALSE(isClipboardFormatAvailable(CF_TEXT));

    const QString arabic = QString::fromUtf8("\xD8\xB3\xD9\x87\xD9\x85");
    ASSERT_TRUE(setClipboardData(CF_TEXT, arabic.toUtf8()));
    EXPECT_EQ(clipboardData(CF_TEXT), arabic.toUtf8());
    const QByteArray wide = clipboardData(CF_UNICODETEXT).value_or(QByteArray());
    EXPECT_EQ(wide.size(), 6);
    EXPECT_FALSE(isClipboardFormatAvailable(chart)) << "setting data replaces the clipboard";
    EXPECT_FALSE(setClipboardData(0x1234, blob)) << "an unregistered format is refused";
}

TEST(Cursors, SetCursorAnswersThePreviousOne) {
    const HCURSOR arrow = loadSystemCursor(IDC_ARROW);
    const HCURSOR sizeNs = loadSystemCursor(IDC_SIZENS);
    EXPECT_EQ(loadSystemCursor(12), NULL_CURSOR);
    EXPECT_EQ(toQCursor(sizeNs).shape(), Qt::SizeVerCursor);
    EXPECT_EQ(toQCursor(loadSystemCursor(IDC_SIZEALL)).shape(), Qt::SizeAllCursor);
    setCursor(arrow);
    EXPECT_EQ(setCursor(sizeNs), arrow);
    EXPECT_EQ(currentCursor(), sizeNs);
    EXPECT_EQ(loadCursorResource(301), NULL_CURSOR);
    registerCursorResource(301, QCursor(Qt::CrossCursor));
    const HCURSOR drawing = loadCursorResource(301);
    ASSERT_NE(drawing, NULL_CURSOR);
    EXPECT_EQ(toQCursor(drawing).shape(), Qt::CrossCursor);
}

TEST(WindowHandle, ClientToScreenCaptureAndProperties) {
    QWidget top;
    top.setGeometry(100, 200, 300, 300);
    auto* chart = new QWidget(&top);
    chart->setGeometry(10, 20, 100, 100);
    const WindowHandle window(chart);
    const gdi::Point screen = window.clientToScreen({5, 6});
    EXPECT_EQ(screen, (gdi::Point{115, 226}));
    EXPECT_EQ(window.screenToClient(screen), (gdi::Point{5, 6}));
    EXPECT_EQ(window.clientRect(), (gdi::Rect{0, 0, 100, 100}));

    EXPECT_FALSE(WindowHandle::capture().isValid());
    EXPECT_FALSE(window.setCapture().isValid());
    EXPECT_EQ(WindowHandle::capture(), window);
    setCursor(loadSystemCursor(IDC_SIZEALL));
    EXPECT_EQ(chart->cursor().shape(), Qt::SizeAllCursor) << "the cursor goes to the captured window";
    WindowHandle::releaseCapture();
    EXPECT_FALSE(WindowHandle::capture().isValid());

    EXPECT_TRUE(window.setProp("PropPage", 1234));
    EXPECT_EQ(window.getProp("PropPage"), 1234u);
    EXPECT_EQ(window.removeProp("PropPage"), 1234u);
    EXPECT_EQ(window.getProp("PropPage"), 0u);
}

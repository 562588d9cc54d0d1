#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "GlossorTestSupport.h"
#include "GlosxClipboard.h"
#include "ui/ScriptedModalServices.h"

namespace glossor::testing {
namespace {

com::COLORREF colorOf(IGlosxObject* object, bool background) {
    com::COLORREF color = 0xFFFFFFFF;
    background ? object->get_BackColor(&color) : object->get_ForeColor(&color);
    return color;
}

TEST_F(GlossorList, ColourCommandsAskOnceAndColourTheWholeSelection) {
    ui::ScriptedModalServices modal;
    auto a = add(kKindRectangle, {0, 0, 20, 20});
    auto b = add(kKindCircle, {100, 100, 140, 140});
    click(10, 10);
    click(120, 120, kInputShift);
    modal.answerColor(0x00FF00);
    choose(kCmdBackColor);
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].kind, ui::ScriptedModalServices::Kind::Color);
    EXPECT_EQ(colorOf(a.get(), true), 0x00FF00u);
    EXPECT_EQ(colorOf(b.get(), true), 0x00FF00u);
    EXPECT_EQ(colorOf(a.get(), false), 0x000000u);

    // Cancelled: nothing changes.
    modal.answerColor(std::nullopt);
    choose(kCmdForeColor);
    EXPECT_EQ(colorOf(b.get(), false), 0x000000u);
    modal.answerColor(0x123456);
    choose(kCmdForeColor);
    EXPECT_EQ(colorOf(b.get(), false), 0x123456u);
}

TEST_F(GlossorList, PropertiesEditTheFirstSelectedObject) {
    ui::ScriptedModalServices modal;
    auto balloon = add(kKindBalloon, {0, 0, 100, 60});
    auto line = add(kKindLine, {0, 100, 100, 100});
    click(50, 20);
    modal.answerInput(QStringLiteral("\u0633\u0639\u0631"));
    choose(kCmdProperties);
    com::Bstr text;
    balloon->get_Text(&text);
    EXPECT_EQ(text, com::Bstr(u"\u0633\u0639\u0631"));

    // A line has no text: its properties are its colour.
    click(50, 100);
    modal.answerColor(0x0000FF);
    choose(kCmdProperties);
    EXPECT_EQ(colorOf(line.get(), false), 0x0000FFu);
    EXPECT_EQ(modal.unanswered(), 0);
}

TEST_F(GlossorList, PictureToolAsksForAFileAndDropsTheFrameWithoutOne) {
    ui::ScriptedModalServices modal;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("logo.png"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(file));

    choose(kKindPicture);
    modal.answerFile({true, file, 1});
    drag(10, 10, 50, 50);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(modal.questions().back().kind, ui::ScriptedModalServices::Kind::OpenFile);

    // Cancelled, or a file that is no picture: no empty frame stays behind.
    choose(kKindPicture);
    modal.answerFile({false, QString(), 1});
    drag(100, 10, 150, 50);
    EXPECT_EQ(count(), 1);
    choose(kKindPicture);
    modal.answerFile({true, folder.filePath(QStringLiteral("missing.png")), 1});
    modal.answerMessageBox(1);
    drag(100, 10, 150, 50);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(modal.questions().back().kind, ui::ScriptedModalServices::Kind::MessageBox);
    EXPECT_TRUE(deleted.empty());
}

TEST(GlosxClipboard, EveryAttributeSurvivesTheRoundTrip) {
    GlosxData data;
    data.kind = kKindBalloon;
    data.x1 = -5;
    data.y1 = 32767;
    data.x2 = -32768;
    data.y2 = 7;
    data.tag = 1005;
    data.appearance = 5;
    data.lineMode = 2;
    data.offset = -50;
    data.rotateState = true;
    data.flipState = true;
    data.foreColor = 0x123456;
    data.backColor = 0x654321;
    data.group = 3;
    data.text = u"\u0633\u0639\u0631 12.5";
    data.picture = QImage(3, 2, QImage::Format_RGB32);
    data.picture.fill(QColor(1, 2, 3));
    GlosxData line;
    line.kind = kKindLine;
    const auto decoded = decodeObjects(encodeObjects({data, line}));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), 2u);
    const GlosxData& back = (*decoded)[0];
    EXPECT_EQ(back.kind, data.kind);
    EXPECT_EQ((std::array{back.x1, back.y1, back.x2, back.y2}),
              (std::array<com::SHORT, 4>{-5, 32767, -32768, 7}));
    EXPECT_EQ(back.tag, 1005);
    EXPECT_EQ(back.appearance, 5);
    EXPECT_EQ(back.lineMode, 2);
    EXPECT_EQ(back.offset, -50);
    EXPECT_TRUE(back.rotateState);
    EXPECT_TRUE(back.flipState);
    EXPECT_EQ(back.foreColor, 0x123456u);
    EXPECT_EQ(back.backColor, 0x654321u);
    EXPECT_EQ(back.group, 3);
    EXPECT_EQ(back.text, data.text);
    ASSERT_EQ(back.picture.size(), QSize(3, 2));
    EXPECT_EQ(back.picture.pixel(2, 1), QColor(1, 2, 3).rgb());
    EXPECT_EQ((*decoded)[1].kind, kKindLine);
}

// A block from the clipboard (written by any program) is taken field by field up to each field's last
// valid value and refused whole one past it; colours keep their low three bytes.
TEST(GlosxClipboard, BlocksAreTakenUpToEachLimitAndRefusedOnePast) {
    const auto decodes = [](auto&& change) {
        GlosxData data;
        data.kind = kKindRectangle;
        change(data);
        return decodeObjects(encodeObjects({data})).has_value();
    };
    EXPECT_TRUE(decodes([](GlosxData& d) { d.kind = kFirstKind; }));
    EXPECT_TRUE(decodes([](GlosxData& d) { d.kind = kLastKind; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.kind = kFirstKind - 1; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.kind = kLastKind + 1; }));
    EXPECT_TRUE(decodes([](GlosxData& d) { d.appearance = kLastAppearance; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.appearance = kLastAppearance + 1; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.appearance = -1; }));
    EXPECT_TRUE(decodes([](GlosxData& d) { d.lineMode = kLastLineMode; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.lineMode = kLastLineMode + 1; }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.lineMode = -1; }));
    EXPECT_TRUE(decodes([](GlosxData& d) { d.text.assign(kMaxClipboardText, u'a'); }));
    EXPECT_FALSE(decodes([](GlosxData& d) { d.text.assign(kMaxClipboardText + 1, u'a'); }));

    GlosxData one;
    one.kind = kKindLine;
    one.foreColor = 0xFF123456;
    one.backColor = 0x01ABCDEF;
    const QByteArray block = encodeObjects({one});
    const auto decoded = decodeObjects(block);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), 1u);
    EXPECT_EQ((*decoded)[0].foreColor, 0x123456u);
    EXPECT_EQ((*decoded)[0].backColor, 0xABCDEFu);
    EXPECT_FALSE(decodeObjects(block + QByteArray(1, '\0'))) << "a byte after the last object";
    EXPECT_FALSE(decodeObjects(block.left(block.size() - 1))) << "the last byte missing";

    const std::vector<GlosxData> most(kMaxClipboardObjects, one);
    const auto all = decodeObjects(encodeObjects(most));
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->size(), std::size_t{kMaxClipboardObjects});
    std::vector<GlosxData> tooMany = most;
    tooMany.push_back(one);
    EXPECT_FALSE(decodeObjects(encodeObjects(tooMany)));
}

// U+FEFF and U+FFFE are ordinary characters of a text, not byte-order marks: a text that begins
// with one comes back unit for unit, whatever follows it.
TEST_F(GlossorList, CopiedTextsKeepALeadingFeffOrFffe) {
    const std::u16string texts[] = {u"\uFEFFAB", u"\uFFFEAB", u"\uFEFF", u"\uFFFE\uFEFF\u0633"};
    for (const std::u16string& text : texts) {
        GlosxData data;
        data.kind = kKindText;
        data.text = text;
        const auto decoded = decodeObjects(encodeObjects({data}));
        ASSERT_TRUE(decoded.has_value());
        ASSERT_EQ(decoded->size(), 1u);
        EXPECT_EQ((*decoded)[0].text, text);
    }

    auto balloon = add(kKindBalloon, {0, 0, 100, 60});
    ASSERT_EQ(balloon->put_Text(com::Bstr(u"\uFFFEAB")), com::S_OK);
    click(50, 20);
    choose(kCmdCopy);
    ASSERT_EQ(list->Paste(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(count(), 2);
    com::Bstr pasted;
    ASSERT_EQ(item(2)->get_Text(&pasted), com::S_OK);
    EXPECT_EQ(pasted, com::Bstr(u"\uFFFEAB"));
}

TEST_F(GlossorList, PastedGroupsAreNewGroups) {
    auto [a, b] = groupedPair();
    choose(kCmdCopy);
    ASSERT_EQ(list->Paste(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(count(), 4);
    // Clicking an original selects its group only, not the copies lying beside it.
    click(300, 300);
    click(5, 5);
    EXPECT_EQ(selectedCount(), 2);
    click(300, 300);
    click(25, 25);  // the first copy, at (10, 10)-(30, 30)
    EXPECT_EQ(selectedCount(), 2);
    // Copies keep the originals' order, back to front: the rectangle at (10, 10) is the first copy.
    EXPECT_TRUE(sameObject(firstSelected().get(), item(3).get()));
}

}  // namespace
}  // namespace glossor::testing

namespace glossor::testing {
namespace {

TEST_F(GlossorList, RemovalOfAnotherObjectLeavesTheUsersDragAlone) {
    auto moving = add(kKindLine, {10, 10, 100, 10});
    add(kKindLine, {10, 80, 100, 80}, 1005);
    overlay->MouseDown(50, 10, 0);
    overlay->MouseMove(50, 20, 0);
    // As the chart window clears its drawing handles between two mouse moves.
    ASSERT_EQ(list->Remove(2), com::S_OK);
    overlay->MouseMove(50, 30, 0);
    overlay->MouseUp(50, 30, 0);
    EXPECT_EQ(endMovings, 1);
    EXPECT_EQ(endsOf(moving.get()), (Ends{10, 30, 100, 30}));

    // Removing the object being moved ends the drag there.
    overlay->MouseDown(50, 30, 0);
    overlay->MouseMove(50, 35, 0);
    ASSERT_EQ(list->Remove(1), com::S_OK);
    EXPECT_EQ(overlay->MouseMove(50, 40, 0), com::S_FALSE);
    EXPECT_EQ(endMovings, 2);
}

TEST_F(GlossorList, EscapeEndsADrawingToolAndIsOtherwiseTheCharts) {
    EXPECT_EQ(overlay->KeyDown(kKeyEscape), com::S_FALSE);
    choose(kKindCircle);
    EXPECT_EQ(overlay->KeyDown(kKeyEscape), com::S_OK);
    // Back at the pointer: a press on empty ground draws nothing.
    EXPECT_EQ(overlay->MouseDown(10, 10, 0), com::S_FALSE);
    overlay->MouseUp(10, 10, 0);
    EXPECT_EQ(count(), 0);
}

}  // namespace
}  // namespace glossor::testing

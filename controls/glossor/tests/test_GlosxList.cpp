#include <gtest/gtest.h>

#include "GlossorTestSupport.h"
#include "GlosxClipboard.h"
#include "korvel/KvlContract.h"
#include "ui/Input.h"
#include "ui/ScriptedModalServices.h"

namespace glossor::testing {
namespace {

TEST_F(GlossorList, IsAChartExtensionWithAnEmptyList) {
    EXPECT_TRUE(list.as<korvel::IKvlExtension>());
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(selectedCount(), 0);
    // An empty selection gives an empty object, without an error.
    com::ComPtr<IGlosxSelection> selection;
    ASSERT_EQ(list->get_Selection(selection.put()), com::S_OK);
    com::ComPtr<IGlosxObject> none;
    EXPECT_EQ(selection->Item(1, none.put()), com::S_FALSE);
    EXPECT_FALSE(none);
}

// The selection counts from 1, the object clicked last first; 0 and one past the count give nothing,
// like an empty selection.
TEST_F(GlossorList, SelectionPositionsRunFromOneToTheCount) {
    auto a = add(kKindRectangle, {0, 0, 20, 20});
    auto b = add(kKindRectangle, {100, 100, 120, 120});
    click(110, 110);
    click(10, 10, kInputShift);
    com::ComPtr<IGlosxSelection> selection;
    ASSERT_EQ(list->get_Selection(selection.put()), com::S_OK);
    LONG n = 0;
    ASSERT_EQ(selection->get_Count(&n), com::S_OK);
    EXPECT_EQ(n, 2);
    com::ComPtr<IGlosxObject> first, second;
    ASSERT_EQ(selection->Item(1, first.put()), com::S_OK);
    EXPECT_TRUE(sameObject(first.get(), a.get()));
    ASSERT_EQ(selection->Item(2, second.put()), com::S_OK);
    EXPECT_TRUE(sameObject(second.get(), b.get()));
    for (const LONG outside : {0, 3, -1}) {
        com::ComPtr<IGlosxObject> none;
        EXPECT_EQ(selection->Item(outside, none.put()), com::S_FALSE) << outside;
        EXPECT_FALSE(none) << outside;
    }
    EXPECT_EQ(selection->Item(1, nullptr), com::E_POINTER);
}

// A press 4 pixels beyond the end of a selected line (the hit tolerance) takes the end point; one pixel
// further it takes nothing and leaves the line where it was.
TEST_F(GlossorList, APressAtTheToleranceBeyondALinesEndDragsTheEnd) {
    auto line = add(kKindLine, {10, 20, 50, 20});
    click(30, 20);
    ASSERT_EQ(selectedCount(), 1);
    drag(54, 20, 70, 30);
    EXPECT_EQ(endsOf(line.get()), (Ends{10, 20, 70, 30})) << "the end follows the mouse, the start stays";
    click(40, 25);  // on the line's body: selected again
    ASSERT_EQ(selectedCount(), 1);
    drag(75, 35, 90, 50);
    EXPECT_EQ(endsOf(line.get()), (Ends{10, 20, 70, 30}));
    EXPECT_EQ(selectedCount(), 0);
}

TEST_F(GlossorList, AddMakesObjectsOfTheKnownKindsOnly) {
    auto line = add(kKindLine, {1, 2, 3, 4});
    auto box = add(kKindRectangle, {5, 6, 7, 8});
    EXPECT_TRUE(line.as<IGlosxLine>());
    EXPECT_FALSE(box.as<IGlosxLine>());
    EXPECT_TRUE(box.as<IGlosxShape>());
    SHORT kind = 0;
    ASSERT_EQ(box->get_Kind(&kind), com::S_OK);
    EXPECT_EQ(kind, kKindRectangle);

    com::ComPtr<IGlosxObject> refused;
    EXPECT_EQ(list->Add(0, com::Variant::missing(), refused.put()), com::E_INVALIDARG);
    EXPECT_EQ(list->Add(8, com::Variant(), refused.put()), com::E_INVALIDARG);
    EXPECT_FALSE(refused);
    EXPECT_EQ(count(), 2);
    // Later objects lie on top: position 2 is the rectangle.
    EXPECT_TRUE(sameObject(item(2).get(), box.get()));
    com::ComPtr<IGlosxObject> outside;
    EXPECT_EQ(list->Item(3, outside.put()), com::E_INVALIDARG);
    EXPECT_EQ(list->Item(0, outside.put()), com::E_INVALIDARG);
    EXPECT_FALSE(outside);
}

TEST_F(GlossorList, TagIsKeptAndStartsAtZero) {
    auto line = add(kKindLine, {0, 0, 10, 10});
    EXPECT_EQ(tagOf(line.get()), 0);
    ASSERT_EQ(line->put_Tag(1005), com::S_OK);
    EXPECT_EQ(tagOf(item(1).get()), 1005);
    line->put_Tag(-7);
    EXPECT_EQ(tagOf(line.get()), -7);
    // Other attributes do not touch it.
    line->put_Appearance(5);
    line.as<IGlosxLine>()->put_LineMode(0);
    line->put_Offset(3);
    EXPECT_EQ(tagOf(line.get()), -7);
}

TEST_F(GlossorList, LooksAreCheckedAndKept) {
    auto line = add(kKindLine, {0, 0, 10, 10});
    auto asLine = line.as<IGlosxLine>();
    EXPECT_EQ(line->put_Appearance(5), com::S_OK);
    EXPECT_EQ(line->put_Appearance(6), com::E_INVALIDARG);
    EXPECT_EQ(line->put_Appearance(-1), com::E_INVALIDARG);
    EXPECT_EQ(asLine->put_LineMode(3), com::E_INVALIDARG);
    EXPECT_EQ(asLine->put_LineMode(2), com::S_OK);
    SHORT value = 0;
    line->get_Appearance(&value);
    EXPECT_EQ(value, 5);
    asLine->get_LineMode(&value);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(list->RefreshObject(line.get()), com::S_OK);
    EXPECT_EQ(list->RefreshObject(nullptr), com::E_POINTER);
}

TEST_F(GlossorList, RemoveByTheProgramRaisesNoDeletedEvent) {
    add(kKindLine, {0, 0, 100, 0}, 105);
    auto middle = add(kKindLine, {0, 50, 100, 50}, 205);
    add(kKindRectangle, {0, 80, 100, 120});
    click(50, 50);
    ASSERT_EQ(selectedCount(), 1);
    EXPECT_EQ(list->Remove(0), com::E_INVALIDARG);
    EXPECT_EQ(list->Remove(4), com::E_INVALIDARG);
    ASSERT_EQ(list->Remove(2), com::S_OK);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(selectedCount(), 0);
    // A removed object lives on for whoever holds it.
    EXPECT_EQ(tagOf(middle.get()), 205);
    ASSERT_EQ(list->Remove(-1), com::S_OK);
    EXPECT_EQ(count(), 0);
    EXPECT_TRUE(deleted.empty());
}

TEST_F(GlossorList, DeletionByTheUserRaisesTheEventOncePerObject) {
    auto first = add(kKindLine, {0, 10, 100, 10}, 1005);
    auto second = add(kKindRectangle, {0, 50, 100, 90});
    click(50, 10);
    ASSERT_EQ(overlay->KeyDown(kKeyDelete), com::S_OK);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_TRUE(sameObject(deleted[0].get(), first.get()));
    EXPECT_EQ(tagOf(deleted[0].as<IGlosxObject>().get()), 1005);
    EXPECT_EQ(count(), 1);
    // Nothing selected: the key is left to the chart and nothing goes.
    EXPECT_EQ(overlay->KeyDown(kKeyDelete), com::S_FALSE);
    EXPECT_EQ(deleted.size(), 1u);

    click(50, 70);
    choose(kCmdDelete);
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_TRUE(sameObject(deleted[1].get(), second.get()));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(commands, (std::vector<SHORT>{kCmdDelete, kCmdDelete}));
}

TEST_F(GlossorList, CutDeletesAsTheUserAndPastesBack) {
    auto line = add(kKindLine, {0, 10, 100, 10}, 305);
    click(50, 10);
    choose(kCmdCut);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(count(), 0);
    ASSERT_EQ(list->Paste(com::VARIANT_TRUE), com::S_OK);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(tagOf(firstSelected().get()), 305);
    EXPECT_EQ(endsOf(firstSelected().get()), (Ends{0, 10, 100, 10}));
}

TEST_F(GlossorList, PastedCopyBecomesTheFirstSelectedObject) {
    auto other = add(kKindRectangle, {200, 200, 260, 240});
    auto line = add(kKindLine, {10, 20, 110, 70}, 905);
    line->put_Offset(4);
    const Ends placed = endsOf(line.get());
    click(200, 200, kInputShift);  // the rectangle first, then the line
    click(60, 45, kInputShift);
    ASSERT_EQ(selectedCount(), 2);
    // The object under the mouse comes first.
    choose(kCmdCopy);

    ASSERT_EQ(list->Paste(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(selectedCount(), 2);
    auto copy = firstSelected();
    ASSERT_TRUE(copy);
    EXPECT_FALSE(sameObject(copy.get(), line.get()));
    EXPECT_TRUE(sameObject(copy.get(), item(4).get()));
    EXPECT_EQ(tagOf(copy.get()), 905);
    EXPECT_EQ(endsOf(copy.get()), placed);
    SHORT offset = 0;
    copy->get_Offset(&offset);
    EXPECT_EQ(offset, 4);

    // At a new place: 10 pixels right and down, the offset 10 greater.
    ASSERT_EQ(list->Paste(com::VARIANT_FALSE), com::S_OK);
    auto moved = firstSelected();
    EXPECT_EQ(endsOf(moved.get()), (Ends{placed.x1 + 10, placed.y1 + 10, placed.x2 + 10, placed.y2 + 10}));
    moved->get_Offset(&offset);
    EXPECT_EQ(offset, 14);
    EXPECT_TRUE(deleted.empty());
}

TEST_F(GlossorList, PasteRefusesAnEmptyOrDamagedClipboard) {
    add(kKindLine, {0, 0, 10, 10});
    ui::emptyClipboard();
    EXPECT_EQ(list->Paste(com::VARIANT_TRUE), com::S_FALSE);

    GlosxData data;
    data.kind = kKindText;
    data.text = u"note";
    const QByteArray valid = encodeObjects({data, data});
    ASSERT_TRUE(decodeObjects(valid).has_value());
    data.kind = 9;
    const QByteArray unknownKind = encodeObjects({data});
    QByteArray moreThanThere = valid;
    moreThanThere[9] = 3;  // the count's low byte: three objects announced, two there
    const auto format = ui::registerClipboardFormat(QStringLiteral("Scribant.AnnList.Objects"));
    for (const QByteArray& damaged :
         {valid.left(valid.size() - 1), unknownKind, moreThanThere, valid + "x"}) {
        ASSERT_TRUE(ui::setClipboardData(format, damaged));
        EXPECT_EQ(list->Paste(com::VARIANT_TRUE), com::E_FAIL);
        EXPECT_EQ(count(), 1);
    }
}

TEST_F(GlossorList, DraggingALineEndRaisesEndMovingOnceWithTheNewPoints) {
    auto line = add(kKindLine, {10, 10, 100, 50}, 1000);
    click(55, 30);  // selects: a click without a move is no move
    EXPECT_EQ(endMovings, 0);
    drag(100, 50, 140, 90);
    ASSERT_EQ(endMovings, 1);
    EXPECT_EQ(movedEnds[0], (Ends{10, 10, 140, 90}));
    EXPECT_EQ(endsOf(line.get()), (Ends{10, 10, 140, 90}));

    // The body moves both ends.
    drag(75, 50, 85, 55);
    ASSERT_EQ(endMovings, 2);
    EXPECT_EQ(movedEnds[1], (Ends{20, 15, 150, 95}));
}

TEST_F(GlossorList, InputOffTheObjectsIsLeftToTheChart) {
    add(kKindLine, {10, 10, 100, 10});
    click(50, 10);
    ASSERT_EQ(selectedCount(), 1);
    EXPECT_EQ(overlay->MouseDown(50, 200, 0), com::S_FALSE);
    EXPECT_EQ(selectedCount(), 0);
    EXPECT_EQ(overlay->MouseMove(60, 210, 0), com::S_FALSE);
    EXPECT_EQ(overlay->MouseUp(60, 210, 0), com::S_FALSE);
    EXPECT_EQ(overlay->DoubleClick(60, 210, 0), com::S_FALSE);
    EXPECT_EQ(endMovings, 0);
}

TEST_F(GlossorList, ExecuteCommandAnsweredOneSuppressesTheAction) {
    auto line = add(kKindLine, {10, 20, 110, 70}, 1001);
    click(60, 45);
    onCommand = [](SHORT, LONG* result) { *result = 1; };
    choose(kCmdDelete);
    choose(kCmdFlipHorizontal);
    EXPECT_EQ(count(), 1);
    EXPECT_TRUE(deleted.empty());
    EXPECT_EQ(endsOf(line.get()), (Ends{10, 20, 110, 70}));
    EXPECT_EQ(commands, (std::vector<SHORT>{kCmdDelete, kCmdFlipHorizontal}));

    // Left as it came, the list does its own part.
    onCommand = nullptr;
    choose(kCmdFlipHorizontal);
    EXPECT_EQ(endsOf(line.get()), (Ends{110, 20, 10, 70}));
    // Only the low 16 bits count: 65537 is 1.
    onCommand = [](SHORT, LONG* result) { *result = 65537; };
    choose(kCmdDelete);
    EXPECT_EQ(count(), 1);
}

TEST_F(GlossorList, APasteByTheProgramDuringTheEventIsNotRepeated) {
    add(kKindLine, {10, 20, 110, 70}, 705);
    click(60, 45);
    choose(kCmdCopy);
    // As the chart window does: paste itself, and answer 1 only for a drawing handle.
    onCommand = [this](SHORT id, LONG*) {
        if (id == kCmdPaste)
            list->Paste(com::VARIANT_TRUE);
    };
    choose(kCmdPaste);
    EXPECT_EQ(count(), 2);
    // Without the program's paste the list pastes once, at a new place.
    onCommand = nullptr;
    choose(kCmdPaste);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(endsOf(firstSelected().get()), (Ends{20, 30, 120, 80}));
}

TEST_F(GlossorList, FlipAndRotateStatesMoveTheEnds) {
    auto line = add(kKindLine, {10, 20, 50, 80});
    VARIANT_BOOL state = 1;
    line->get_FlipState(&state);
    EXPECT_EQ(state, com::VARIANT_FALSE);
    ASSERT_EQ(line->put_FlipState(com::VARIANT_TRUE), com::S_OK);  // horizontal
    EXPECT_EQ(endsOf(line.get()), (Ends{50, 20, 10, 80}));
    line->get_FlipState(&state);
    EXPECT_EQ(state, com::VARIANT_TRUE);
    ASSERT_EQ(line->put_FlipState(com::VARIANT_FALSE), com::S_OK);  // vertical
    EXPECT_EQ(endsOf(line.get()), (Ends{50, 80, 10, 20}));
    // Setting the same value again acts again.
    line->put_FlipState(com::VARIANT_FALSE);
    EXPECT_EQ(endsOf(line.get()), (Ends{50, 20, 10, 80}));

    setEnds(line.get(), {10, 20, 50, 80});
    ASSERT_EQ(line->put_RotateState(com::VARIANT_TRUE), com::S_OK);  // clockwise about (30, 50)
    EXPECT_EQ(endsOf(line.get()), (Ends{60, 30, 0, 70}));
    line->get_RotateState(&state);
    EXPECT_EQ(state, com::VARIANT_TRUE);
    ASSERT_EQ(line->put_RotateState(com::VARIANT_FALSE), com::S_OK);
    EXPECT_EQ(endsOf(line.get()), (Ends{10, 20, 50, 80}));

    // The commands do the same to the selection.
    click(30, 50);
    choose(kCmdRotateLeft);
    EXPECT_EQ(endsOf(line.get()), (Ends{0, 70, 60, 30}));
    choose(kCmdFlipVertical);
    EXPECT_EQ(endsOf(line.get()), (Ends{0, 30, 60, 70}));
}

TEST_F(GlossorList, OffsetMovesTheObjectByTheChange) {
    auto line = add(kKindLine, {10, 20, 110, 70});
    SHORT offset = -1;
    line->get_Offset(&offset);
    EXPECT_EQ(offset, 0);
    ASSERT_EQ(line->put_Offset(50), com::S_OK);
    EXPECT_EQ(endsOf(line.get()), (Ends{60, 70, 160, 120}));
    line->get_Offset(&offset);
    EXPECT_EQ(offset, 50);
    line->put_Offset(20);
    EXPECT_EQ(endsOf(line.get()), (Ends{30, 40, 130, 90}));
    // Near the edge of the range the move stops there, keeping the shape.
    setEnds(line.get(), {32700, 0, 32760, 10});
    line->put_Offset(70);
    EXPECT_EQ(endsOf(line.get()), (Ends{32707, 50, 32767, 60}));
}

TEST_F(GlossorList, DoubleClickAnsweredOneIsSwallowed) {
    ui::ScriptedModalServices modal;
    auto handle = add(kKindText, {10, 10, 110, 60}, 1002);
    auto note = add(kKindText, {10, 100, 110, 160});
    onDoubleClick = [](IGlosxObject* object, LONG* result) {
        if (tagOf(object) != 0)
            *result = 1;
    };
    ASSERT_EQ(overlay->DoubleClick(50, 30, 0), com::S_OK);
    ASSERT_EQ(doubleClicked.size(), 1u);
    EXPECT_TRUE(sameObject(doubleClicked[0].get(), handle.get()));
    EXPECT_TRUE(modal.questions().empty());

    modal.answerInput(QStringLiteral("Support at 12.5"));
    ASSERT_EQ(overlay->DoubleClick(50, 130, 0), com::S_OK);
    ASSERT_EQ(modal.questions().size(), 1u);
    com::Bstr text;
    note->get_Text(&text);
    EXPECT_EQ(text, com::Bstr(u"Support at 12.5"));
}

TEST_F(GlossorList, ToolsDrawNewObjects) {
    choose(kKindRectangle);
    EXPECT_EQ(commands, (std::vector<SHORT>{kKindRectangle}));
    drag(20, 30, 120, 90);
    ASSERT_EQ(count(), 1);
    SHORT kind = 0;
    item(1)->get_Kind(&kind);
    EXPECT_EQ(kind, kKindRectangle);
    EXPECT_EQ(endsOf(item(1).get()), (Ends{20, 30, 120, 90}));
    EXPECT_TRUE(sameObject(firstSelected().get(), item(1).get()));
    EXPECT_EQ(endMovings, 0);

    // The tool went back to the pointer: the next drag moves the rectangle.
    drag(70, 60, 80, 60);
    EXPECT_EQ(endsOf(item(1).get()), (Ends{30, 30, 130, 90}));
    EXPECT_EQ(endMovings, 1);

    // A click draws the default size; an arrow/line gets an arrow head.
    choose(kKindLine);
    click(200, 200);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(endsOf(item(2).get()), (Ends{200, 200, 280, 200}));
    SHORT mode = 0;
    item(2).as<IGlosxLine>()->get_LineMode(&mode);
    EXPECT_EQ(mode, kLineArrowEnd);
}

TEST_F(GlossorList, ToolBarOffersTheCommandsTheProgramCaptions) {
    com::ComPtr<ostbar::IOstToolbar> toolbar;
    ASSERT_EQ(list->get_ToolBarObject(toolbar.put()), com::S_OK);
    for (SHORT id :
         {3, 4, 7, 2, 5, 1, 6, 0, 10, 11, 13, 24, 12, 14, 15, 20, 25, 26, 27, 29, 16, 17, 19, 18, 30}) {
        com::ComPtr<ostbar::IOstCommand> command;
        ASSERT_EQ(toolbar->Command(id, command.put()), com::S_OK) << id;
        EXPECT_EQ(command->put_Text(com::Bstr(u"\u0646\u0635")), com::S_OK);
    }
    com::ComPtr<ostbar::IOstCommand> missing;
    EXPECT_EQ(toolbar->Command(8, missing.put()), com::E_INVALIDARG);

    VARIANT_BOOL shown = 0;
    ASSERT_EQ(list->get_ToolBar(&shown), com::S_OK);
    EXPECT_EQ(shown, com::VARIANT_TRUE);
    list->put_ToolBar(com::VARIANT_FALSE);
    list->get_ToolBar(&shown);
    EXPECT_EQ(shown, com::VARIANT_FALSE);

    // Commands on the selection are enabled only while something is selected.
    com::ComPtr<ostbar::IOstCommand> remove;
    toolbar->Command(kCmdDelete, remove.put());
    VARIANT_BOOL enabled = -1;
    remove->get_Enabled(&enabled);
    EXPECT_EQ(enabled, com::VARIANT_FALSE);
    add(kKindLine, {0, 0, 50, 0});
    click(25, 0);
    remove->get_Enabled(&enabled);
    EXPECT_EQ(enabled, com::VARIANT_TRUE);
}

TEST_F(GlossorList, GroupsAreSelectedAndMovedTogether) {
    auto [a, b] = groupedPair();
    click(300, 300);  // nothing
    EXPECT_EQ(selectedCount(), 0);
    drag(10, 10, 15, 12);
    EXPECT_EQ(selectedCount(), 2);
    EXPECT_EQ(endsOf(b.get()), (Ends{105, 102, 125, 122}));
    choose(kCmdUngroup);
    click(300, 300);
    click(10, 10);
    EXPECT_EQ(selectedCount(), 1);

    // Front and back change the drawing order.
    choose(kCmdBringToFront);
    EXPECT_TRUE(sameObject(item(2).get(), a.get()));
    choose(kCmdSendToBack);
    EXPECT_TRUE(sameObject(item(1).get(), a.get()));
}

}  // namespace
}  // namespace glossor::testing

// The programmable face of the annotation extension "Scribant.AnnList": the object list the chart
// hands out under that ProgID (IGlosxList), its selection, its objects and its events.
//
// Objects are numbered from 1 in drawing order: the last object is drawn on top. End points are
// 16-bit pixels of the chart's client area. Booleans are -1 / 0; a put counts any non-zero value as
// true.
#pragma once

#include "com/Bstr.h"
#include "com/Guid.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "com/Variant.h"

namespace ostbar {
struct IOstToolbar;
}

namespace glossor {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using com::VARIANT_BOOL;

// {5C0E4A11-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::CLSID CLSID_GlosxList{
    0x5C0E4A11, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
inline constexpr const char* kGlosxListProgId = "Scribant.AnnList";
inline constexpr const char* kGlosxListVersionedProgId = "Scribant.AnnList.1";

// {5C0E4A12-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxList{
    0x5C0E4A12, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A13-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxSelection{
    0x5C0E4A13, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A14-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxObject{
    0x5C0E4A14, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A15-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxShape{
    0x5C0E4A15, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A16-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxLine{
    0x5C0E4A16, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A17-93D2-4F6B-8E1A-2B7D6C9F0A31}
inline constexpr com::IID IID_IGlosxPoints{
    0x5C0E4A17, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};
// {5C0E4A18-93D2-4F6B-8E1A-2B7D6C9F0A31}: the outgoing events, offered through the list's
// connection-point container.
inline constexpr com::IID DIID_DGlosxEvents{
    0x5C0E4A18, 0x93D2, 0x4F6B, {0x8E, 0x1A, 0x2B, 0x7D, 0x6C, 0x9F, 0x0A, 0x31}};

// Dispids of DGlosxEvents with their arguments, in order (see com/Dispatch.h). A result argument is
// a 32-bit by-reference variable that carries a 16-bit value; it arrives as 0, and 1 means that the
// program handled the matter, so the extension does not do its own part.
enum DGlosxEventId : com::DISPID {
    kEventEndMoving = 1,       // no arguments: the user finished moving or re-shaping the selection
    kEventExecuteCommand = 2,  // cmd I2, result I4 ByRef: before a command of the command set runs
    kEventLButtonDblClk = 3,   // obj UNKNOWN (IGlosxObject), result I4 ByRef
    kEventObjectDeleted = 4,   // obj UNKNOWN (IGlosxObject): after the user deleted it
};

// Object kinds (IGlosxList::Add, IGlosxObject::Kind); the drawing tool of a kind has the same id.
enum GlosxKind : SHORT {
    kKindRectangle = 1,
    kKindCircle = 2,
    kKindLine = 3,  // a line or arrow (IGlosxLine::LineMode)
    kKindArc = 4,
    kKindPicture = 5,
    kKindText = 6,
    kKindBalloon = 7,  // a balloon with text
};
inline constexpr SHORT kFirstKind = kKindRectangle;
inline constexpr SHORT kLastKind = kKindBalloon;

// The commands of the command set (IGlosxList::ToolBarObject; ExecuteCommand's cmd).
enum GlosxCommand : SHORT {
    kCmdPointer = 0,  // 0-7: the tools; 1-7 draw an object of the kind with the same number
    kCmdBackColor = 10,
    kCmdForeColor = 11,
    kCmdCut = 12,
    kCmdCopy = 13,
    kCmdBringToFront = 14,
    kCmdSendToBack = 15,
    kCmdFlipHorizontal = 16,
    kCmdFlipVertical = 17,
    kCmdRotateRight = 18,
    kCmdRotateLeft = 19,
    kCmdDelete = 20,
    kCmdPaste = 24,
    kCmdGroup = 25,
    kCmdUngroup = 26,
    kCmdProperties = 27,
    kCmdLineStyle = 29,   // a combo box of the bar without an action of its own; the host keeps it empty
    kCmdRotateFlip = 30,  // the drop-down of 16-19
};

// Line ends of IGlosxLine::LineMode.
enum GlosxLineMode : SHORT {
    kLinePlain = 0,
    kLineArrowEnd = 1,   // an arrow head at the second end point
    kLineArrowBoth = 2,  // arrow heads at both ends
};
inline constexpr SHORT kLastLineMode = kLineArrowBoth;

// Looks of IGlosxObject::Appearance: 0 solid, 1 dashed, 2 dotted, 3 two pixels wide, 4 three pixels
// wide, 5 the highlight (three pixels wide in the highlight colour, kHighlightColor).
inline constexpr SHORT kLastAppearance = 5;
inline constexpr SHORT kAppearanceHighlight = 5;
inline constexpr com::COLORREF kHighlightColor = 0x00D77800;  // RGB(0, 120, 215)

struct IGlosxPoints;

// One object. Setting FlipState or RotateState acts at once, whatever the property held before:
//   FlipState  True   flips horizontally: the two x values change places (x1' = x2, x2' = x1)
//              False  flips vertically: the two y values change places
//   RotateState True  turns the object a quarter turn clockwise (on the screen) about the centre
//                     c = (floor((x1 + x2) / 2), floor((y1 + y2) / 2)): (x, y) -> (cx - (y - cy), cy + (x -
//                     cx))
//              False  a quarter turn counter-clockwise: (x, y) -> (cx + (y - cy), cy - (x - cx))
// and the property then answers the value last set (False until set).
// Offset is a position value, 0 for a new object: setting it moves the object by (new - old) pixels
// to the right and down. A move is cut short where a point would leave the 16-bit range; the object
// then keeps its shape.
struct IGlosxObject : com::IUnknown {
    static constexpr com::IID iid = IID_IGlosxObject;

    virtual HRESULT get_Kind(SHORT* kind) = 0;
    // A value the program keeps with the object; 0 until set, copied with the object.
    virtual HRESULT get_Tag(LONG* tag) = 0;
    virtual HRESULT put_Tag(LONG tag) = 0;
    // 0 .. kLastAppearance; E_INVALIDARG outside.
    virtual HRESULT get_Appearance(SHORT* appearance) = 0;
    virtual HRESULT put_Appearance(SHORT appearance) = 0;
    virtual HRESULT get_Offset(SHORT* offset) = 0;
    virtual HRESULT put_Offset(SHORT offset) = 0;
    virtual HRESULT get_RotateState(VARIANT_BOOL* state) = 0;
    virtual HRESULT put_RotateState(VARIANT_BOOL state) = 0;
    virtual HRESULT get_FlipState(VARIANT_BOOL* state) = 0;
    virtual HRESULT put_FlipState(VARIANT_BOOL state) = 0;
    // Fill and border colours (COLORREF).
    virtual HRESULT get_BackColor(com::COLORREF* color) = 0;
    virtual HRESULT put_BackColor(com::COLORREF color) = 0;
    virtual HRESULT get_ForeColor(com::COLORREF* color) = 0;
    virtual HRESULT put_ForeColor(com::COLORREF color) = 0;
    // The text of a text box or balloon (kept, but not shown, by the other kinds).
    virtual HRESULT get_Text(com::Bstr* text) = 0;
    virtual HRESULT put_Text(const com::Bstr& text) = 0;

protected:
    ~IGlosxObject() = default;
};

// Every object is a shape with two end points (the corners of its box, or the ends of a line).
struct IGlosxShape : IGlosxObject {
    using BaseInterface = IGlosxObject;
    static constexpr com::IID iid = IID_IGlosxShape;

    // A view of the object's end points: writing through it moves them.
    virtual HRESULT get_Points(IGlosxPoints** points) = 0;

protected:
    ~IGlosxShape() = default;
};

// Only line objects answer IGlosxLine.
struct IGlosxLine : IGlosxShape {
    using BaseInterface = IGlosxShape;
    static constexpr com::IID iid = IID_IGlosxLine;

    // 0 .. kLastLineMode; E_INVALIDARG outside.
    virtual HRESULT get_LineMode(SHORT* mode) = 0;
    virtual HRESULT put_LineMode(SHORT mode) = 0;

protected:
    ~IGlosxLine() = default;
};

struct IGlosxPoints : com::IUnknown {
    static constexpr com::IID iid = IID_IGlosxPoints;

    virtual HRESULT get_X1(SHORT* value) = 0;
    virtual HRESULT put_X1(SHORT value) = 0;
    virtual HRESULT get_Y1(SHORT* value) = 0;
    virtual HRESULT put_Y1(SHORT value) = 0;
    virtual HRESULT get_X2(SHORT* value) = 0;
    virtual HRESULT put_X2(SHORT value) = 0;
    virtual HRESULT get_Y2(SHORT* value) = 0;
    virtual HRESULT put_Y2(SHORT value) = 0;

protected:
    ~IGlosxPoints() = default;
};

// The selected objects, in the order they were selected (a paste selects its copies, first copy
// first). A view: it follows the list's selection.
struct IGlosxSelection : com::IUnknown {
    static constexpr com::IID iid = IID_IGlosxSelection;

    virtual HRESULT get_Count(LONG* count) = 0;
    // The object at a 1-based position; S_FALSE and null when the selection has no such position.
    virtual HRESULT Item(LONG position, IGlosxObject** object) = 0;

protected:
    ~IGlosxSelection() = default;
};

struct IGlosxList : com::IUnknown {
    static constexpr com::IID iid = IID_IGlosxList;

    virtual HRESULT get_Count(LONG* count) = 0;
    // E_INVALIDARG (and null) for a position outside 1 .. Count.
    virtual HRESULT Item(LONG position, IGlosxObject** object) = 0;
    // A new object of the kind on top of the others, with its end points at (0, 0); `reserved` is
    // accepted and ignored (a missing argument as well). E_INVALIDARG for an unknown kind.
    virtual HRESULT Add(SHORT kind, const com::Variant& reserved, IGlosxObject** object) = 0;
    // Removes the object at a 1-based position, or every object for -1. No ObjectDeleted event is
    // raised: that event reports deletions by the user only. E_INVALIDARG for another position.
    virtual HRESULT Remove(LONG position) = 0;
    virtual HRESULT get_Selection(IGlosxSelection** selection) = 0;
    // Redraws the object with its current attributes; E_INVALIDARG for an object of another list.
    virtual HRESULT RefreshObject(IGlosxObject* object) = 0;
    // Pastes the objects on the clipboard on top of the others and selects the copies (the first
    // copy becomes the first selected object). atSamePlace True: the copies lie where the originals
    // lay, with their Offset; False: 10 pixels further right and down, their Offset 10 greater.
    // S_FALSE when the clipboard holds no objects; E_FAIL when its content is damaged (nothing is
    // pasted then).
    virtual HRESULT Paste(VARIANT_BOOL atSamePlace) = 0;
    // Whether the command bar is shown.
    virtual HRESULT get_ToolBar(VARIANT_BOOL* shown) = 0;
    virtual HRESULT put_ToolBar(VARIANT_BOOL show) = 0;
    // The command bar's commands by id (GlosxCommand), for their texts and states.
    virtual HRESULT get_ToolBarObject(ostbar::IOstToolbar** toolbar) = 0;

protected:
    ~IGlosxList() = default;
};

// Makes "Scribant.AnnList" creatable in this process by CLSID and ProgID. Loading the library does
// this already; calling it again does no harm.
HRESULT registerAnnotationClasses();

}  // namespace glossor

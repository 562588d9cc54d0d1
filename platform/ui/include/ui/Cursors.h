// Cursors: the system shapes by their numbers and resource cursors registered by number.
#pragma once

#include <cstdint>

class QCursor;

namespace ui {

enum class HCURSOR : std::uint32_t {};
inline constexpr HCURSOR NULL_CURSOR{};

inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_WAIT = 32514;
inline constexpr int IDC_CROSS = 32515;
inline constexpr int IDC_SIZEWE = 32644;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEALL = 32646;
inline constexpr int IDC_NO = 32648;
inline constexpr int IDC_HAND = 32649;

// A system cursor; NULL_CURSOR for an unknown number.
HCURSOR loadSystemCursor(int id);
// Resource cursors: a module registers its cursors by resource number; loading an unregistered
// number answers NULL_CURSOR.
void registerCursorResource(int resourceId, const QCursor& cursor);
HCURSOR loadCursorResource(int resourceId);

// Makes the cursor current (over the window that has the mouse capture, else over the application)
// and answers the previous one.
HCURSOR setCursor(HCURSOR cursor);
HCURSOR currentCursor();
QCursor toQCursor(HCURSOR cursor);

}  // namespace ui

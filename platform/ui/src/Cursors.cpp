#include "ui/Cursors.h"

#include <map>

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "ui/WindowHandle.h"

namespace ui {

namespace {

constexpr std::uint32_t kResourceBase = 0x10000;

struct CursorTable {
    std::map<int, QCursor> resources;
    HCURSOR current = HCURSOR{static_cast<std::uint32_t>(IDC_ARROW)};
};

CursorTable& table() {
    static CursorTable t;
    return t;
}

const std::map<int, Qt::CursorShape>& systemShapes() {
    static const std::map<int, Qt::CursorShape> shapes = {
        {IDC_ARROW, Qt::ArrowCursor},     {IDC_IBEAM, Qt::IBeamCursor},    {IDC_WAIT, Qt::WaitCursor},
        {IDC_CROSS, Qt::CrossCursor},     {IDC_SIZEWE, Qt::SizeHorCursor}, {IDC_SIZENS, Qt::SizeVerCursor},
        {IDC_SIZEALL, Qt::SizeAllCursor}, {IDC_NO, Qt::ForbiddenCursor},   {IDC_HAND, Qt::PointingHandCursor},
    };
    return shapes;
}

}  // namespace

HCURSOR loadSystemCursor(int id) {
    return systemShapes().contains(id) ? HCURSOR{static_cast<std::uint32_t>(id)} : NULL_CURSOR;
}

void registerCursorResource(int resourceId, const QCursor& cursor) {
    if (resourceId > 0 && resourceId < 0x10000)
        table().resources[resourceId] = cursor;
}

HCURSOR loadCursorResource(int resourceId) {
    if (!table().resources.contains(resourceId))
        return NULL_CURSOR;
    return HCURSOR{kResourceBase + static_cast<std::uint32_t>(resourceId)};
}

QCursor toQCursor(HCURSOR cursor) {
    const auto value = static_cast<std::uint32_t>(cursor);
    if (value >= kResourceBase) {
        auto& resources = table().resources;
        auto it = resources.find(static_cast<int>(value - kResourceBase));
        return it == resources.end() ? QCursor(Qt::ArrowCursor) : it->second;
    }
    auto it = systemShapes().find(static_cast<int>(value));
    return QCursor(it == systemShapes().end() ? Qt::BlankCursor : it->second);
}

HCURSOR setCursor(HCURSOR cursor) {
    const HCURSOR previous = std::exchange(table().current, cursor);
    if (QWidget* window = WindowHandle::capture().widget()) {
        window->setCursor(toQCursor(cursor));
    }
    return previous;
}

HCURSOR currentCursor() {
    return table().current;
}

}  // namespace ui

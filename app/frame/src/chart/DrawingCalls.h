#pragma once

// Small checked calls shared by the drawing hover test and the drawing handles: each throws an
// AppError that the calling routine's trap logs.

#include <string>

#include "appdata/AppError.h"
#include "com/ComPtr.h"
#include "com/VbMath.h"
#include "dravik/DrawingInterfaces.h"
#include "glossor/IGlosxList.h"

namespace frame::chart::calls {

inline void need(com::HRESULT result, const char* member) {
    if (com::FAILED(result))
        throw tarnwick::AppError(result, std::string(member) + " failed");
}

// A text property of a drawing (From, To, FromPrice, ...).
inline std::string textOf(dravik::IDrawFeature& drawing,
                          com::HRESULT (dravik::IDrawFeature::*get)(com::Bstr*), const char* member) {
    com::Bstr value;
    need((drawing.*get)(&value), member);
    return value.toUtf8();
}

inline com::LONG tagOf(glossor::IGlosxObject& object) {
    com::LONG tag = 0;
    need(object.get_Tag(&tag), "Tag");
    return tag;
}

inline com::ComPtr<glossor::IGlosxPoints> pointsOf(glossor::IGlosxObject& object) {
    const auto shape = com::ComPtr<glossor::IGlosxObject>(&object).as<glossor::IGlosxShape>();
    com::ComPtr<glossor::IGlosxPoints> points;
    if (!shape || com::FAILED(shape->get_Points(points.put())) || !points)
        throw tarnwick::AppError(424, "Object required");
    return points;
}

// CInt of a pixel: Overflow outside 16 bits.
inline com::SHORT toShort(double value) {
    const com::vb::Checked<std::int16_t> converted = com::vb::toInt16(value);
    if (!converted)
        throw tarnwick::AppError(6, "Overflow");
    return converted.value();
}

}  // namespace frame::chart::calls

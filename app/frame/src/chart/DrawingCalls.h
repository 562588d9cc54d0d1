#pragma once

// Small checked calls shared by the drawing hover test and the drawing handles: each throws an
// AppError that the calling routine's trap logs.

#include <limits>
#include <string>
#include <string_view>

#include "CheckedCall.h"
#include "appdata/AppError.h"
#include "com/ComPtr.h"
#include "com/VbMath.h"
#include "dravik/DrawingInterfaces.h"
#include "frame/chart/DrawingDates.h"
#include "glossor/IGlosxList.h"

namespace frame::chart::calls {

using frame::need;

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

// The date of a drawing's anchor text; an anchor whose date cannot be read is NaN and so matches no
// point (point number 0), as a date off the chart does. No error: the hover test runs on every mouse
// move and must not log it each time.
inline com::DATE dateOf(std::string_view text, const loc::LocaleInfo& locale, korvel::IKvlChart& chart) {
    return ReadAnchorDate(text, locale, chart).value_or(std::numeric_limits<double>::quiet_NaN());
}

// CInt of a pixel: Overflow outside 16 bits.
inline com::SHORT toShort(double value) {
    const com::vb::Checked<std::int16_t> converted = com::vb::toInt16(value);
    if (!converted)
        throw tarnwick::AppError(6, "Overflow");
    return converted.value();
}

}  // namespace frame::chart::calls

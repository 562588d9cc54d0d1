#include "indicators/Retracement.h"

#include "core/Indicator.h"
#include "indicators/General.h"

namespace indikon {
namespace {

struct Extreme {
    com::ComPtr<_Note> note;
    double value = 0;
    int period = 0;
};

using ExtremeMethod = com::HRESULT (_General::*)(_Field*, com::SHORT, com::SHORT, _Note**);

Extreme find(ExtremeMethod method, _Field* source, int startPeriod, int endPeriod) {
    const com::ComPtr<_General> general = com::makeComObject<General>();
    Extreme extreme;
    check((general.get()->*method)(source, toInteger(startPeriod), toInteger(endPeriod), extreme.note.put()));
    com::SHORT period = 0;
    check(extreme.note->getValue(&extreme.value));
    check(extreme.note->getPeriod(&period));
    extreme.period = period;
    return extreme;
}

com::ComPtr<_Note> retrace(const Extreme& max, const Extreme& min, _Field* source, int endPeriod) {
    if (min.period == max.period)
        return min.note;
    const double last = Series(source).at(endPeriod);
    const double range = max.value - min.value;
    const bool advancing = min.period < max.period;
    // The note of a second search from the later extreme carries the result.
    const Extreme later = advancing ? find(&_General::MinValue, source, max.period, endPeriod)
                                    : find(&_General::MaxValue, source, min.period, endPeriod);
    const double percent =
        advancing ? 100 - divide(last - min.value, range) * 100 : 100 - divide(max.value - last, range) * 100;
    check(later.note->setNote(com::Bstr(advancing ? u"ADVANCING" : u"DECLINING")));
    check(later.note->setPeriod(0));
    check(later.note->setValue(percent));
    return later.note;
}

}  // namespace

com::ComPtr<_Note> percentRetracement(_Database* data, _Field* source, int startPeriod, int endPeriod) {
    const int n = Cursor(data).recordCount();
    if (endPeriod > n)
        raise(Error::InvalidEndPeriod, "PercentRetracement");
    if (startPeriod < 1)
        raise(Error::InvalidStartPeriod, "PercentRetracement");
    const Extreme max = find(&_General::MaxValue, source, startPeriod, endPeriod);
    const Extreme min = find(&_General::MinValue, source, startPeriod, endPeriod);
    return convertFailures(Error::Unexpected, unexpectedSource("ChartPattern.PercentRetracement"),
                           [&] { return retrace(max, min, source, endPeriod); });
}

}  // namespace indikon

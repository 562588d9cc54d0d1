// An owner of drawings for the tests: a COM object that holds the drawing features, models the kinds'
// menus (the item commands present, their check marks and captions) and counts repaints and refreshes,
// and records each event with the number of drawings the list held when it was raised.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "datescale/DateScale.h"
#include "drawing/CDrawingFeatures.h"
#include "state/AxisSettingsRecord.h"

namespace dravik::test {

struct RaisedEvent {
    DrawingEvent event;
    com::LONG kind;
    com::SHORT ordinal;
    int countWhenRaised;
    friend bool operator==(const RaisedEvent&, const RaisedEvent&) = default;
};

class DrawingTestOwner final : public com::ComObject<com::IUnknown>, public IDrawingOwner {
public:
    explicit DrawingTestOwner(bool* destroyed = nullptr) : destroyed_(destroyed) {}

    CDrawingFeatures& features() { return features_; }
    CDrawingList& list() { return features_.list(); }

    com::IUnknown* DrawingOwnerIdentity() override { return this; }
    const CDateScale* DrawingDateScale() override { return hasScale ? &scale : nullptr; }
    std::span<const double> DrawingPointDates() override { return pointDates; }
    loc::LCID DrawingDateLocale() override { return dateLocale; }
    const AxisSettingsRecord* DrawingPriceAxis() override { return hasPriceAxis ? &priceAxis : nullptr; }
    void RepaintDrawings() override { ++repaints; }
    void RefreshDrawings() override { ++refreshes; }
    void FollowDrawingSeries(DrawingRecord&) override {}
    void SetDrawingCommandChecked(std::int16_t command, bool checked) override {
        ++commandCalls;
        checks[command] = checked;
    }
    void SetDrawingCommandText(std::int16_t command, const std::string& text) override {
        ++commandCalls;
        captions[command] = text;
    }
    void DrawingAdded(int index) override { menuItems.insert(list().At(index)->toolCommand); }
    void DrawingRemoved(int index, std::int16_t kind, std::int16_t command) override {
        removals.push_back({index, kind, command});
        menuItems.erase(command);
    }
    bool RunDrawingParameters(IDrawFeature& feature, std::intptr_t parent) override {
        ++dialogs;
        lastParent = parent;
        return onParameters ? onParameters(feature) : false;
    }
    void RaiseDrawingEvent(DrawingEvent event, com::LONG kind, com::SHORT ordinal) override {
        events.push_back({event, kind, ordinal, list().Count()});
        if (onEvent)
            onEvent(events.back());
    }

    struct Removal {
        int index;
        std::int16_t kind;
        std::int16_t command;
        friend bool operator==(const Removal&, const Removal&) = default;
    };

    CDateScale scale;
    bool hasScale = true;
    std::vector<double> pointDates;
    loc::LCID dateLocale = 0x0409;
    AxisSettingsRecord priceAxis;
    bool hasPriceAxis = false;
    int repaints = 0;
    int refreshes = 0;
    int commandCalls = 0;
    int dialogs = 0;
    std::intptr_t lastParent = 0;
    std::map<std::int16_t, bool> checks;
    std::map<std::int16_t, std::string> captions;
    std::set<std::int16_t> menuItems;
    std::vector<Removal> removals;
    std::vector<RaisedEvent> events;
    std::function<bool(IDrawFeature&)> onParameters;
    std::function<void(const RaisedEvent&)> onEvent;

protected:
    ~DrawingTestOwner() override {
        features_.Disconnect();
        if (onDestroy)
            onDestroy();
        if (destroyed_)
            *destroyed_ = true;
    }

public:
    // Runs while the owner is being destroyed, after it cut its drawing objects off.
    std::function<void()> onDestroy;

private:
    bool* destroyed_;
    CDrawingFeatures features_{*this};
};

}  // namespace dravik::test

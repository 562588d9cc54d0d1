// One drawing feature as the extension keeps and saves it: its kind, menu item, state, anchor points
// in data coordinates (1-based point positions and prices), its pen settings and its
// parameters (the kind's extra bytes, see DrawingKind.h).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "com/HResult.h"
#include "drawing/DrawingKind.h"
#include "gdi/Types.h"

namespace dravik {

class CPropertyArchive;

// Drawing states.
enum DrawingState : std::int16_t {
    kDrawingHidden = 0,
    kDrawingBeingPlaced = 1,  // first end set, second not yet
    kDrawingShown = 2,
    kDrawingHiddenByRange = 3,  // hidden, and outside the data range
    kDrawingShownByRange = 4,   // shown, but outside the data range
};

// A pen as the drawing layer makes it.
struct DrawingPen {
    int style = gdi::PS_SOLID;
    std::int32_t width = 1;
    gdi::COLORREF color = 0;
    friend bool operator==(const DrawingPen&, const DrawingPen&) = default;
};

// The four pens of a drawing. The wide pens are black and two pixels wider: the hit test paints
// with them so that a click near a line counts.
struct DrawingPens {
    DrawingPen main;
    DrawingPen wideMain;
    DrawingPen signal;
    DrawingPen wideSignal;
};

struct DrawingRecord {
    static constexpr std::size_t kNameBytes = 60;
    static constexpr std::size_t kOldNameBytes = 40;
    static constexpr std::size_t kUserDataBytes = 256;
    static constexpr std::size_t kKeyPrefixBytes = 56;
    // Exchange flags: no kind, command, state, dates or counts (body only); and each drawing's
    // key prefix exchanged as a text of its own.
    static constexpr std::uint32_t kExchangeBodyOnly = 0x2;
    static constexpr std::uint32_t kExchangeKeyPrefix = 0x4;

    std::int16_t kind = 0;
    std::int16_t toolCommand = 0;  // the drawing's menu item command
    std::int16_t state = kDrawingHidden;
    std::uint8_t freeDraw = 0;     // 1: the prices are the user's, not read from the work series
    std::int16_t workSeries = -1;  // chart series that the drawing follows, -1 none
    std::array<char, kNameBytes> name{'.', '.', 'U', 's', 'r', '.', '.'};
    std::array<char, kUserDataBytes> userData{};
    double from = -1.0;  // 1-based point positions and prices of the two anchors
    double fromPrice = -1.0;
    double to = -1.0;
    double toPrice = -1.0;
    std::int32_t x1 = -1;  // the anchors in pixels, as last painted
    std::int32_t y1 = -1;
    std::int32_t x2 = -1;
    std::int32_t y2 = -1;
    gdi::COLORREF color = 0xFF0000;
    std::int16_t lineWidth = 1;
    std::int16_t lineStyle = 0;
    std::int16_t signalLineStyle = 2;
    double xFrom = -1.0;  // the anchors' x values (dates)
    double xTo = -1.0;
    std::uint8_t lock = 0;  // 1 while the drawing is disabled
    std::vector<std::uint8_t> extraBytes;
    // Names the drawing while it is in a list, so that a view of it finds it again after the drawings
    // before it moved; 0 outside a list. Not saved.
    std::uint32_t id = 0;

    // A new drawing of a kind, with that kind's pen styles and extra bytes.
    static DrawingRecord New(DrawingKind kind, std::int16_t toolCommand, bool freeDraw,
                             std::int16_t workSeries);

    std::string Name() const;
    void SetName(std::string_view text);  // cut at a character boundary to fit
    std::string UserData() const;
    void SetUserData(std::string_view text);

    // One of the extra bytes, by position 0 to count - 1; E_INVALIDARG for any other position (and
    // for every position of a drawing without extra bytes), the value then set to 0 or unchanged.
    com::HRESULT GetExtraByte(int position, std::uint8_t* value) const;
    com::HRESULT SetExtraByte(int position, std::uint8_t value);

    bool Visible() const { return state == kDrawingShown; }
    bool Enabled() const { return state < kDrawingHiddenByRange; }

    // The pens made from the pen settings. Line styles 0-5 give solid, dash, dot, dash-dot,
    // dash-dot-dot and solid; any other style draws solid.
    DrawingPens Pens() const;

    // Writes or reads the drawing in the layout of `version`. Loading checks what it read: a kind
    // outside 0-9, a state outside 0-4 or extra bytes that do not fit the kind give
    // STG_E_DOCFILECORRUPT; a failure of the archive gives its error. Texts always load terminated.
    com::HRESULT Exchange(CPropertyArchive& archive, int index, std::uint32_t version, std::uint32_t flags);

private:
    std::string ExchangeKeyPrefix(CPropertyArchive& archive, int index, std::uint32_t version,
                                  std::uint32_t flags);
    void ExchangeName(CPropertyArchive& archive, const std::string& prefix, std::uint32_t version,
                      std::uint32_t flags);
    bool ExchangeExtraBytes(CPropertyArchive& archive, const std::string& prefix, std::uint32_t version);
    com::HRESULT CheckLoaded();
};

}  // namespace dravik

// The chart's series property dialog: the look of one series (gallery, colour, line width and style,
// legend) edited as a value and written back by the chart when the user confirms. The dialog is run
// through a replaceable runner, so that tests answer it without a screen.
#pragma once

#include <functional>
#include <string>

#include "korvel/IKvlControl.h"

class QWidget;

namespace korvel {

// What the dialog edits of one series: its series attributes kAttrGallery, kAttrColor (a COLORREF),
// kAttrLineWidth (pixels), kAttrLineStyle (pen style 0-4) and its legend (UTF-8).
struct KvlSeriesLook {
    com::LONG gallery = 0;
    com::LONG color = 0;
    com::LONG lineWidth = 1;
    com::LONG lineStyle = 0;
    std::string legend;
};

// Shows the dialog modally over `owner`; true, with `look` holding the user's choices, when confirmed.
using KvlSeriesDialogRunner = std::function<bool(QWidget* owner, KvlSeriesLook& look)>;

// The dialog of this chart control (Qt widgets).
bool RunSeriesDialog(QWidget* owner, KvlSeriesLook& look);

}  // namespace korvel

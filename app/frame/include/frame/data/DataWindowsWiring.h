#pragma once

// Joins the chart values window and the data editor to the frame: the frame creates them as its
// "frmData" and "frmDataEditor" tool windows, every chart fill refills the data editor, and every
// mouse movement over the chart shows the values of the point under the mouse.

#include <QString>

#include <functional>

#include "frame/FrameHooks.h"

namespace frame {

class MDIForm1;
class frmData;
class frmDataEditor;

// The frame's keys of the two tool windows.
inline const QString kChartValues = QStringLiteral("frmData");
inline const QString kDataEditor = QStringLiteral("frmDataEditor");

// Hooks already set are kept: another creator still makes the other tool windows, and the caller's
// own fillDataEditor and showChartValues hooks stay.
void ConnectDataWindows(FrameHooks& hooks, std::function<MDIForm1*()> frame);

// The frame's windows, or null.
frmDataEditor* DataEditorOf(const MDIForm1* frame);
frmData* ChartValuesOf(const MDIForm1* frame);

}  // namespace frame

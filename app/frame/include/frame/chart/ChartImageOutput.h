#pragma once

// The chart window's print, print preview and save-as-image commands. Printing and the preview run in
// the chart control. Saving writes an enhanced metafile or a bitmap through the control, or a GIF file
// through the program's GIF writer from the bitmap the control exports into a private temporary folder.

#include <QDate>
#include <QString>

#include <functional>
#include <string>

#include "appchart/output/GIF.h"
#include "korvel/IKvlChart.h"

class QWidget;

namespace frame::chart {

enum class ChartImageFormat { None, Gif, Bitmap, Metafile };

// The format a file name asks for by its extension, in any case; None for another extension or none.
ChartImageFormat ImageFormatOf(const QString& fileName);

// The file name the save dialog starts with: the ticker, "_", then the day as day-month-year, each a
// plain number ("ABC_8-12-2026"). A slash of the ticker becomes "_", so the name stays in the folder.
QString ImageFileNamePreset(const std::string& ticker, QDate day);

// Writes the chart to `fileName` in `format`; nothing for ChartImageFormat::None. Throws
// tarnwick::AppError saying why when the file could not be written; an existing file is then as it was.
void WriteChartImage(korvel::IKvlChart& chart, appchart::GIF& gif, ChartImageFormat format,
                     const QString& fileName);

// The chart's own print and preview commands; an error is logged under the command's name.
void PrintChart(korvel::IKvlChart* chart);
void PreviewChart(korvel::IKvlChart* chart);

// What the save command needs of the chart window.
struct ChartImageSaveLinks {
    korvel::IKvlChart* chart = nullptr;
    appchart::GIF* gif = nullptr;
    QWidget* owner = nullptr;
    // The ticker of the charted company; throws when no company is charted.
    std::function<std::string()> ticker;
    // Enables or disables the command's menu item and tool-bar button.
    std::function<void(bool enabled)> enableCommand;
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

// Saves the chart as a picture file of the user's choice. The command's menu item and button are
// disabled while it runs and enabled again on every way out. An error before the dialog answered is
// logged; a file that could not be written is logged and reported to the user. A start while a save
// runs does nothing.
void SaveChartAsImage(const ChartImageSaveLinks& links);

}  // namespace frame::chart

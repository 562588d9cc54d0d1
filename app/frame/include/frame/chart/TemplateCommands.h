#pragma once

// The chart-template commands of the chart window: save the chart into the chosen template, save it
// as a new template, give the chosen template a new name, delete it. Templates are rows of the
// Templates table (gTemplates) with one file each, which the chart control writes and reads itself.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "frame/chart/TemplateChoice.h"
#include "korvel/IKvlChart.h"

class QWidget;

namespace frame::chart {

struct TemplateCommandLinks {
    // The chart the templates are written from (null: none, the command fails).
    std::function<korvel::IKvlChart*()> chart;
    // The template list changed: the window shows it again.
    std::function<void()> listChanged;
    // The chart window's command state follows the choice.
    std::function<void()> enableDisable;
    QWidget* owner = nullptr;  // of the questions asked
};

// The setting the chart is given before it writes a template, and its value.
inline constexpr com::SHORT kTemplateSetting = 32;
inline constexpr com::LONG kTemplateSettingValue = 12031;

// Writes the chart's look and studies into the file of template `templateId`; throws the program's
// error when the chart cannot write it (an existing file then stays as it was).
void WriteTemplateFile(korvel::IKvlChart& chart, std::int32_t templateId);

// Tells the user that a template file could not be written or read.
void ReportTemplateFileFault(bool writing);

class TemplateCommands {
public:
    TemplateCommands(TemplateChoice& list, TemplateCommandLinks links);

    // Overwrites the chosen template's file with the chart as it is; no question, no database change.
    void mnuCTSave_Click();
    // Asks for a name; a new template of that name is stored, listed, chosen and written.
    void mnuCTSaveAs_Click();
    // Asks for a new name for the chosen template; its ID and file stay.
    void mnuCTChange_Click();
    // After a Yes, the chosen template's row goes and it leaves the list; its file stays on disk.
    void mnuCTDelete_Click();

private:
    // The name typed; none for Cancel or a name of blanks only.
    std::optional<QString> askName(const QString& prompt, const QString& defaultText) const;
    void writeFile(std::int32_t templateId) const;
    void listChanged() const;
    void enableDisable() const;

    TemplateChoice& m_list;
    TemplateCommandLinks m_links;
};

}  // namespace frame::chart

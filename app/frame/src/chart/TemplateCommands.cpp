#include "frame/chart/TemplateCommands.h"

#include "appdata/AppError.h"
#include "appdata/MarketCollections.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/chart/TemplateLoad.h"
#include "ui/ModalServices.h"

namespace frame::chart {
namespace {

using tarnwick::Trap;

// The two prompts are English in both languages.
const char* const kNewNamePrompt = "Please enter Template Name";
const char* const kRenamePrompt = "Please enter new Template Name";

}  // namespace

void WriteTemplateFile(korvel::IKvlChart& chart, std::int32_t templateId) {
    Succeeded(chart.put_Setting(kTemplateSetting, kTemplateSettingValue), "Setting32");
    const std::string path = TemplateFilePath(templateId).string();
    const com::HRESULT written = chart.ExportFile(korvel::kFileTemplate, com::Bstr::fromUtf8(path));
    if (com::FAILED(written))
        throw tarnwick::AppError(written, "The chart template " + path + " could not be written");
}

void ReportTemplateFileFault(bool writing) {
    QString text;
    if (gArabic)
        text = writing ? QStringLiteral("تعذر حفظ قالب الرسم البياني.")
                       : QStringLiteral("تعذر تحميل قالب الرسم البياني.");
    else
        text = writing ? QStringLiteral("The chart template could not be saved.")
                       : QStringLiteral("The chart template could not be loaded.");
    showMessage(text, ui::MB_ICONEXCLAMATION);
}

TemplateCommands::TemplateCommands(TemplateChoice& list, TemplateCommandLinks links)
    : m_list(list), m_links(std::move(links)) {}

void TemplateCommands::mnuCTSave_Click() {
    Trap("mnuCTSave_Click", [&] {
        if (const auto key = m_list.selectedKey())
            writeFile(tarnwick::gTemplates.item(*key).ID);
    });
}

void TemplateCommands::mnuCTSaveAs_Click() {
    Trap("mnuCTSaveAs_Click", [&] {
        const auto name = askName(QString::fromLatin1(kNewNamePrompt), QString());
        if (!name)
            return;
        tarnwick::clsTemplate added;
        added.Name = name->toStdString();
        added.InsertDB();
        tarnwick::gTemplates.add(added, tarnwick::RecordKey(added.ID));
        m_list.add(added.ID, *name);
        m_list.select(added.ID);
        writeFile(added.ID);
    });
    // Also after a failure: the list shows what it holds by now.
    listChanged();
    enableDisable();
}

void TemplateCommands::mnuCTChange_Click() {
    Trap("mnuCTChange_Click", [&] {
        const auto key = m_list.selectedKey();
        if (!key)
            return;
        const auto name = askName(QString::fromLatin1(kRenamePrompt), m_list.selectedName());
        if (!name)
            return;
        tarnwick::clsTemplate& chosen = tarnwick::gTemplates.item(*key);
        chosen.Name = name->toStdString();
        chosen.UpdateDB();
        m_list.renameSelected(*name);
    });
    listChanged();
}

void TemplateCommands::mnuCTDelete_Click() {
    Trap("mnuCTDelete_Click", [&] {
        const auto key = m_list.selectedKey();
        if (!key)
            return;
        const QString question = GetLangString(130) + m_list.selectedName() + GetLangString(131);
        if (showMessage(question, ui::MB_YESNO | ui::MB_ICONQUESTION) != ui::IDYES)
            return;
        tarnwick::gTemplates.item(*key).DeleteDB();
        tarnwick::gTemplates.remove(*key);
        m_list.removeSelected(GetLangString(186));
    });
    listChanged();
    enableDisable();
}

std::optional<QString> TemplateCommands::askName(const QString& prompt, const QString& defaultText) const {
    const std::optional<QString> answer =
        ui::modalServices().inputBox(m_links.owner, prompt, programTitle(), defaultText);
    if (!answer || answer->trimmed().isEmpty())
        return std::nullopt;
    return answer;
}

// A file the chart could not write is the user's loss: besides the log entry, they are told.
void TemplateCommands::writeFile(std::int32_t templateId) const {
    korvel::IKvlChart* chart = m_links.chart ? m_links.chart() : nullptr;
    if (chart == nullptr)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    try {
        WriteTemplateFile(*chart, templateId);
    } catch (...) {
        ReportTemplateFileFault(true);
        throw;
    }
}

void TemplateCommands::listChanged() const {
    if (m_links.listChanged)
        m_links.listChanged();
}

void TemplateCommands::enableDisable() const {
    if (m_links.enableDisable)
        m_links.enableDisable();
}

}  // namespace frame::chart

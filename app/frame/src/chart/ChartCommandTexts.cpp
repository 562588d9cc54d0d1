#include "frame/chart/ChartCommandTexts.h"

#include <cstddef>

#include "com/ComPtr.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/ExtensionCalls.h"
#include "glossor/IGlosxList.h"
#include "korvel/IKvlChart.h"
#include "ostbar/OstBarContract.h"

namespace frame::chart {
namespace {

// One command of a tool bar and the language-table row of its text; row -1: no text.
struct CommandTextRow {
    std::int16_t command;
    std::int32_t row;
};

// The annotation list's line-style combo: it takes no text; it is emptied instead (ResetCombo).
constexpr std::int16_t kAnnotationLineStyleCommand = 29;

// The rows of each bar, in the order they are set.
const CommandTextRow kFinancialCommandTexts[] = {
    {0, 138},   {5, 139},  {6, 140},   {7, 141},   {8, 142},   {1, 143},   {86, 144},
    {87, 145},  {4, 146},  {79, 147},  {80, 152},  {171, 147}, {172, 152}, {170, 161},
    {170, 161}, {69, 193}, {70, 193},  {71, 193},  {72, 193},  {68, 193},  {74, 193},
    {73, 193},  {76, 193}, {75, 193},  {77, 193},  {97, 194},  {105, 194}, {113, 194},
    {121, 194}, {89, 194}, {137, 194}, {129, 194}, {153, 194}, {145, 194}, {161, 194},
};

const CommandTextRow kAnnotationCommandTexts[] = {
    {3, 163},  {4, 168},  {7, 167},  {2, 164},  {5, 166},
    {1, 162},  {6, 165},  {0, 171},  {10, 169}, {11, 170},
    {13, 172}, {24, 173}, {12, 176}, {14, 174}, {15, 175},
    {20, 177}, {25, 178}, {26, 179}, {27, 152}, {kAnnotationLineStyleCommand, -1},
    {16, 181}, {17, 180}, {19, 182}, {18, 183}, {30, 184},
};

const CommandTextRow kChartCommandTexts[] = {
    {29499, 147}, {29448, 148}, {29440, 192}, {29464, 154}, {29471, 155}, {29472, 156},
    {29449, 157}, {29450, 158}, {29442, 160}, {29444, 159}, {29457, 149}, {29463, 150},
    {29488, 151}, {29451, 152}, {29452, 153}, {4, 146},
};

using CommandLookup = std::function<com::HRESULT(std::int16_t, ostbar::IOstCommand**)>;

com::ComPtr<ostbar::IOstCommand> commandOf(const CommandLookup& lookup, std::int16_t id) {
    com::ComPtr<ostbar::IOstCommand> command;
    Succeeded(lookup(id, command.put()), "Command");
    return command;
}

// Leaves a combo with nothing chosen and an empty list: what a template import left in it (a choice,
// entries of another language) goes. The selection is cleared first, then the list.
void resetCombo(ostbar::IOstCommand& command) {
    if (const auto combo = com::ComPtr<ostbar::IOstCommand>(&command).as<ostbar::IOstCombo>())
        Succeeded(combo->ResetSelection(), "ResetSelection");
    Succeeded(command.put_SubCommands(0, 0), "SubCommands");
}

template <std::size_t N>
void setTexts(const CommandTextRow (&rows)[N], const CommandLookup& lookup,
              const std::function<QString(std::int32_t)>& text) {
    for (const CommandTextRow& row : rows) {
        const com::ComPtr<ostbar::IOstCommand> command = commandOf(lookup, row.command);
        if (!command)
            continue;
        if (row.row < 0) {
            resetCombo(*command);
            continue;
        }
        Succeeded(command->put_Text(com::Bstr(text(row.row).toStdU16String())), "Text");
    }
}

template <typename Interface>
com::ComPtr<Interface> extensionOf(korvel::IKvlChart& chart, const com::Bstr& progId) {
    com::ComPtr<com::IUnknown> object;
    Succeeded(chart.AddExtension(progId, object.put()), "AddExtension");
    return object ? object.as<Interface>() : com::ComPtr<Interface>();
}

}  // namespace

void LocalizeChartCommands(korvel::IKvlChart& chart, const std::function<QString(std::int32_t)>& text) {
    if (const auto financial =
            extensionOf<dravik::IFinancialCharts>(chart, com::Bstr(dravik::kFinancialChartsProgId))) {
        setTexts(
            kFinancialCommandTexts,
            [&](std::int16_t id, ostbar::IOstCommand** command) {
                com::ComPtr<ostbar::IOstToolbarObj> bar;
                com::ComPtr<ostbar::IOstCommands> commands;
                com::HRESULT result = financial->get_ToolBarObj(bar.put());
                if (com::SUCCEEDED(result))
                    result = bar ? bar->get_Commands(commands.put()) : com::E_FAIL;
                if (com::SUCCEEDED(result))
                    result = commands ? commands->Item(id, command) : com::E_FAIL;
                return result;
            },
            text);
    }
    if (const auto annotations =
            extensionOf<glossor::IGlosxList>(chart, com::Bstr::fromUtf8(glossor::kGlosxListProgId))) {
        setTexts(
            kAnnotationCommandTexts,
            [&](std::int16_t id, ostbar::IOstCommand** command) {
                com::ComPtr<ostbar::IOstToolbar> bar;
                const com::HRESULT result = annotations->get_ToolBarObject(bar.put());
                if (com::FAILED(result))
                    return result;
                return bar ? bar->Command(id, command) : com::E_FAIL;
            },
            text);
    }
    setTexts(
        kChartCommandTexts,
        [&](std::int16_t id, ostbar::IOstCommand** command) {
            com::ComPtr<com::IUnknown> object;
            const com::HRESULT result = chart.get_ToolBarObject(object.put());
            if (com::FAILED(result))
                return result;
            const auto bar = object ? object.as<ostbar::IOstToolbar>() : com::ComPtr<ostbar::IOstToolbar>();
            return bar ? bar->Command(id, command) : com::E_FAIL;
        },
        text);
}

}  // namespace frame::chart

#include "frame/AssembledProgram.h"

#include <QCoreApplication>
#include <QDesktopServices>

#include "appdata/AppError.h"
#include "appdata/MarketReaders.h"
#include "frame/MDIForm1.h"
#include "frame/chart/ChartEvents.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/frmChartSettings.h"
#include "frame/frmMain.h"
#include "frame/notes/NoteListWiring.h"
#include "frame/search/frmSearch.h"
#include "frame/update/frmDataUpdate.h"
#include "frame/update/frmProxySettings.h"
#include "frame/watchlist/WatchListWiring.h"
#include "korvel/KvlChartWidget.h"

namespace frame {

AssembledProgram::AssembledProgram(std::filesystem::path seedFolder)
    : m_seedFolder(std::move(seedFolder)), m_windows([this] { return frameHooks(); }) {}

AssembledProgram::~AssembledProgram() = default;

tarnwick::StartResult AssembledProgram::start(tarnwick::SingleInstanceGuard& guard) {
    const tarnwick::StartupHooks hooks = startupHooks();
    return tarnwick::Main(hooks, guard);
}

tarnwick::StartupHooks AssembledProgram::startupHooks() {
    tarnwick::StartupHooks hooks;
    hooks.settings = &m_settings;
    hooks.seedFolder = m_seedFolder;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    // The Settings table's failures reach the user as start-up failures.
    hooks.readSettings = [] {
        try {
            tarnwick::ReadSettings();
        } catch (...) {
            throw tarnwick::AppError::fromCurrentException();
        }
    };
    m_windows.connect(hooks);
    return hooks;
}

// Each tool window's wiring keeps the hooks set before it, so the order only decides which window a
// hook reaches first; every window named by the frame has its creator here.
FrameHooks AssembledProgram::frameHooks() {
    FrameHooks hooks;
    const auto shownFrame = [this] { return m_windows.frame(); };
    InstallWatchList(hooks);
    ConnectNoteList(hooks, shownFrame);
    ConnectDataWindows(hooks, shownFrame);
    ConnectChartSettings(hooks, shownFrame, [this] {
        ShowSearch([this]() -> frmMain* { return frame() ? &frame()->chartWindow() : nullptr; });
    });
    hooks.showDataUpdate = [this] { ShowDataUpdate(frame(), dataUpdateLinks()); };
    hooks.showProxySettings = [this] { ShowProxySettings(frame()); };
    hooks.dataEditorHidden = [this] {
        if (MDIForm1* shown = frame(); shown && shown->chartWindow().Korvel1())
            chart::ReleaseDataEditorButton(shown->chartWindow().Korvel1()->control());
    };
    hooks.openDocument = [](const QUrl& target) { QDesktopServices::openUrl(target); };
    return hooks;
}

// An update that stored new days charts the company again as a change of period does, after its
// drawings were saved, so that they come back on the new chart.
DataUpdateLinks AssembledProgram::dataUpdateLinks() {
    DataUpdateLinks links;
    links.rechart = [this] {
        MDIForm1* shown = frame();
        if (shown == nullptr)
            return;
        frmMain& window = shown->chartWindow();
        window.SaveKorvelCompanyProfile();
        window.chartCurrentCompany(false);
    };
    return links;
}

}  // namespace frame

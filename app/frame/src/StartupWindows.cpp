#include "frame/StartupWindows.h"

#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/ModalWindow.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/frmChartSettings.h"
#include "frame/frmLanguage.h"
#include "frame/frmSplash.h"
#include "frame/notes/NoteListWiring.h"
#include "frame/search/frmSearch.h"
#include "frame/update/frmDataUpdate.h"
#include "frame/update/frmProxySettings.h"

namespace frame {

StartupWindows::StartupWindows(FrameHooks hooks) : m_hooks(std::move(hooks)) {}

StartupWindows::~StartupWindows() {
    unloadSplash();
}

void StartupWindows::connect(tarnwick::StartupHooks& hooks) {
    hooks.showLanguageWindow = [this] { showLanguageWindow(); };
    hooks.loadLanguageStrings = [] { LoadLanguageStrings(); };
    hooks.showSplash = [this] { showSplash(); };
    hooks.unloadSplash = [this] { unloadSplash(); };
    hooks.showFrameWindow = [this] { showFrameWindow(); };
    hooks.scrollWatchListSelection = [this] {
        if (m_frame && m_frame->hooks().scrollWatchListSelection)
            m_frame->hooks().scrollWatchListSelection();
    };
}

void StartupWindows::showLanguageWindow() {
    auto* window = new frmLanguage;
    runModal(*window);
    if (window->isLoaded())
        window->unload();
}

void StartupWindows::showSplash() {
    unloadSplash();
    m_splash = new frmSplash;
    m_splash->show();
}

void StartupWindows::unloadSplash() {
    if (m_splash != nullptr)
        m_splash->unload();
    m_splash = nullptr;
}

// A new frame is a new run of the program: nothing is closing yet. The update and connection
// settings windows open over the frame unless the caller provides its own; the chart settings window
// is docked in it.
void StartupWindows::showFrameWindow() {
    gClosing = false;
    FrameHooks hooks = m_hooks;
    if (!hooks.showDataUpdate)
        hooks.showDataUpdate = [this] { ShowDataUpdate(m_frame.get()); };
    if (!hooks.showProxySettings)
        hooks.showProxySettings = [this] { ShowProxySettings(m_frame.get()); };
    ConnectNoteList(hooks, [this] { return m_frame.get(); });
    ConnectDataWindows(hooks, [this] { return m_frame.get(); });
    ConnectChartSettings(
        hooks, [this] { return m_frame.get(); },
        [this] { ShowSearch([this] { return &m_frame->chartWindow(); }); });
    m_frame = std::make_unique<MDIForm1>(std::move(hooks));
    m_frame->MDIForm_Load();
    m_frame->show();
}

}  // namespace frame

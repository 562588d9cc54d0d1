#include "frame/StartupWindows.h"

#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/ModalWindow.h"
#include "frame/ProgramLanguage.h"
#include "frame/frmLanguage.h"
#include "frame/frmSplash.h"

namespace frame {

StartupWindows::StartupWindows(std::function<FrameHooks()> frameHooks)
    : m_frameHooks(std::move(frameHooks)) {}

StartupWindows::~StartupWindows() {
    unloadSplash();
}

void StartupWindows::connect(tarnwick::StartupHooks& hooks) {
    hooks.showLanguageWindow = [this] { showLanguageWindow(); };
    hooks.loadLanguageStrings = [] {
        LoadLanguageStrings();
        ApplyProgramLanguage();
    };
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

// A new frame is a new run of the program: nothing is closing yet.
void StartupWindows::showFrameWindow() {
    gClosing = false;
    m_frame = std::make_unique<MDIForm1>(m_frameHooks ? m_frameHooks() : FrameHooks{});
    m_frame->MDIForm_Load();
    m_frame->show();
}

}  // namespace frame

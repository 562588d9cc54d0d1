#pragma once

// The windows of the program's start-up: the language question, the language table, the splash
// window while the database is compacted, and the frame window that the program then lives in.

#include <functional>
#include <memory>

#include "appdata/Startup.h"
#include "frame/FrameHooks.h"

namespace frame {

class MDIForm1;
class frmSplash;

class StartupWindows {
public:
    // `frameHooks` makes the hooks of each frame window shown; without it the frame has none.
    explicit StartupWindows(std::function<FrameHooks()> frameHooks = {});
    ~StartupWindows();
    StartupWindows(const StartupWindows&) = delete;
    StartupWindows& operator=(const StartupWindows&) = delete;

    // Connects the language, splash, frame and watch-list hooks of `hooks`; the others stay as they are.
    void connect(tarnwick::StartupHooks& hooks);

    // The frame window once start-up has shown it.
    MDIForm1* frame() const { return m_frame.get(); }

    void showLanguageWindow();
    void showSplash();
    void unloadSplash();
    void showFrameWindow();

private:
    std::function<FrameHooks()> m_frameHooks;
    std::unique_ptr<MDIForm1> m_frame;
    frmSplash* m_splash = nullptr;
};

}  // namespace frame

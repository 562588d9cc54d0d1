#pragma once

// The whole program joined together: the start-up core of app/data with the program's own windows
// behind every one of its hooks, the frame's tool windows with the links between them, the chart
// window with its extensions, and the data update and connection settings windows with the links
// that let an update chart its new days. The executable and the end-to-end tests start this same
// object; nothing a window needs is left for the caller to fill in.
//
// The in-process servers (the financial-chart extension, the indicator library) are created by
// ProgID through the class registry: registering them is the installation's business, not this one's.

#include <filesystem>

#include "appdata/Startup.h"
#include "appdata/StoreStartupSettings.h"
#include "frame/FrameHooks.h"
#include "frame/StartupWindows.h"
#include "frame/update/DataUpdateModel.h"

namespace frame {

class MDIForm1;

class AssembledProgram {
public:
    // `seedFolder`: the installation's data that a first start copies into the program folder.
    explicit AssembledProgram(std::filesystem::path seedFolder);
    ~AssembledProgram();
    AssembledProgram(const AssembledProgram&) = delete;
    AssembledProgram& operator=(const AssembledProgram&) = delete;

    // Runs the program's start-up: the language question on a first start, the language table, the
    // splash while the database is compacted, the database and the frame window. `guard` keeps the
    // single-instance lock and must live as long as the program. Start-up failures are raised as
    // tarnwick::AppError with a message for the user.
    tarnwick::StartResult start(tarnwick::SingleInstanceGuard& guard);

    // The frame window once start-up has shown it.
    MDIForm1* frame() const { return m_windows.frame(); }

    // The hooks of the frame as the program joins them, made anew for every frame window shown.
    FrameHooks frameHooks();
    // The data update window's links: before recharting, the charted company's drawings are saved.
    DataUpdateLinks dataUpdateLinks();

private:
    tarnwick::StartupHooks startupHooks();

    tarnwick::StoreStartupSettings m_settings;
    std::filesystem::path m_seedFolder;
    StartupWindows m_windows;
};

}  // namespace frame

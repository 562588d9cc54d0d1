#pragma once

// Joins the watch-list window, its commands and the list fillers to the frame: the window is created
// as the frame's "frmWatchList" tool window, the commands answer the WatchList menu and tool bar,
// and the chart window's questions about the watch list are answered by the window.

#include "frame/FrameHooks.h"
#include "frame/watchlist/WatchListCommands.h"

namespace frame {

// Hooks set before keep working for everything else (other tool windows, other buttons).
void InstallWatchList(FrameHooks& hooks, WatchListDialogs dialogs = WatchListDialogs::programDialogs());

}  // namespace frame

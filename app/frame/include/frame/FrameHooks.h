#pragma once

// What the frame and the chart window need of windows and commands built elsewhere in the program.
// An empty hook is a command that is not available: its menu items and buttons are disabled.

#include <QUrl>

#include <functional>

#include "frame/CommandDispatcher.h"

class QWidget;

namespace frame {

class Form;

struct FrameHooks {
    // Creates the tool window named `key` ("frmChartSettings", "frmWatchList", "frmNoteList",
    // "frmData", "frmDataEditor"); nullptr or an empty hook gives an empty window of that name.
    std::function<Form*(const QString& key)> createToolWindow;
    // Chart-window commands, by the name of their menu item: "mnuSaveChart", "mnuPrint",
    // "mnuPrintPreview", "mnuWLNew", "mnuWLEdit", "mnuWLDelete", "mnuWLAdd", "mnuWLRemove",
    // "mnuCTSave", "mnuCTSaveAs", "mnuCTChange", "mnuCTDelete".
    CommandDispatcher chartCommands;
    // Shows the data update window (not modal) and starts an update in it. Called only when no
    // update window is open: an open one is brought to the front instead.
    std::function<void()> showDataUpdate;
    // Shows the Internet connection settings window, modal.
    std::function<void()> showProxySettings;
    // The data editor was hidden: the chart tool bar's "Data Editor" button no longer shows pressed.
    std::function<void()> dataEditorHidden;
    // The watch list's selected company is scrolled into view.
    std::function<void()> scrollWatchListSelection;
    // Releases the watch-list companies, the notes and the chart filler at the end of the program.
    std::function<void()> releaseChartObjects;
    // Opens a document or a web page with the desktop's handler; the default asks the desktop.
    // The answer is not examined: a missing document is the handler's business.
    std::function<void(const QUrl& target)> openDocument;
};

}  // namespace frame

#pragma once

// What the frame and the chart window need of windows and commands built elsewhere in the program.
// An empty hook is a command that is not available: its menu items and buttons are disabled.

#include <QUrl>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "frame/CommandDispatcher.h"

class QWidget;

namespace korvel {
struct IKvlChart;
}

namespace frame {

class Form;

// What the chart window needs of the watch-list and chart settings windows and of the drawing store.
// An empty hook is a window or service that is not there: nothing is done, nothing is selected.
struct ChartWindowPeers {
    // Fills the watch-list combo from the watch lists just read (once, at the chart window's load).
    std::function<void()> fillWatchListCombo;
    // Marks the watch list of that ID in the watch-list combo and runs its click (fills the list).
    std::function<void(std::int32_t id)> selectWatchList;
    // Marks the combo's first entry, without a click.
    std::function<void()> selectFirstWatchList;
    // The key ("ID_n") of the watch list marked in the combo.
    std::function<std::optional<std::string>()> selectedWatchListKey;
    // Whether a company is marked in the watch list.
    std::function<bool()> companySelected;
    // Marks the listed company of that key and scrolls it into view; false when it is not listed.
    std::function<bool(const std::string& key)> showWatchListCompany;
    // The chart window has read its collections and the stored chart choices: the chart settings
    // window lists the templates and shows the choices.
    std::function<void()> chartChoicesRead;
    // Marks the template of that ID in the template combo and loads it; true when it was loaded.
    std::function<bool(std::int32_t id)> loadTemplate;
    // The key of the template marked in the template combo.
    std::function<std::optional<std::string>()> selectedTemplateKey;
    // The symbol box of the chart settings window changed.
    std::function<void()> symbolChanged;
    // Puts a company's ticker into the chart settings window's symbol box.
    std::function<void(const std::string& symbol)> showSymbol;
    // Enables or disables a tool-bar button of a tool window ("frmWatchList", "frmChartSettings").
    std::function<void(const QString& window, const QString& key, bool enabled)> enableButton;
    // After every chart fill: the data editor lists the chart's points but the last `trim`.
    std::function<void(std::int32_t trim)> fillDataEditor;
    // Every mouse movement over the chart, to the client pixel (x, y): the chart values window shows
    // the point under the mouse.
    std::function<void(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart)> showChartValues;
    // After every chart fill: the notes list shows the charted company's notes.
    std::function<void(std::int32_t companyId)> listNotes;
};

struct FrameHooks {
    // Creates the tool window named `key` ("frmChartSettings", "frmWatchList", "frmNoteList",
    // "frmData", "frmDataEditor"); nullptr or an empty hook gives an empty window of that name.
    std::function<Form*(const QString& key)> createToolWindow;
    // Chart-window commands, by the name of their menu item: "mnuWLNew", "mnuWLEdit", "mnuWLDelete",
    // "mnuWLAdd", "mnuWLRemove", "mnuCTSave", "mnuCTSaveAs", "mnuCTChange", "mnuCTDelete".
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
    ChartWindowPeers chartPeers;
};

}  // namespace frame

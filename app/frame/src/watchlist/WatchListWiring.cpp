#include "frame/watchlist/WatchListWiring.h"

#include <QComboBox>
#include <QPointer>

#include <memory>

#include "frame/frmMain.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ListFillers.h"
#include "frame/watchlist/frmWatchList.h"

namespace frame {
namespace {

const QString kWindowKey = QStringLiteral("frmWatchList");

// What the hooks share: the window once the frame created it, and the commands.
struct WatchList {
    QPointer<frmWatchList> window;
    std::unique_ptr<WatchListCommands> commands;
};

frmMain* chartWindow() {
    return static_cast<frmMain*>(Form::findOpen(QStringLiteral("frmMain")));
}

void answerChartQuestions(ChartWindowPeers& peers, const std::shared_ptr<WatchList>& shared) {
    peers.fillWatchListCombo = [shared] {
        if (shared->window)
            FillWLCombo(shared->window->cmbWL());
    };
    peers.selectWatchList = [shared](std::int32_t id) {
        if (!shared->window)
            return;
        QComboBox& combo = shared->window->cmbWL();
        combo.setCurrentIndex(entryIndex(combo, tarnwick::RecordKey(id)));
        shared->window->cmbWL_Click();
    };
    peers.selectFirstWatchList = [shared] {
        if (shared->window && shared->window->cmbWL().count() > 0)
            shared->window->cmbWL().setCurrentIndex(0);
    };
    peers.selectedWatchListKey = [shared]() -> std::optional<std::string> {
        return shared->window ? selectedEntryKey(shared->window->cmbWL()) : std::nullopt;
    };
    peers.companySelected = [shared] {
        return shared->window && shared->window->lsvWL().selectedKey().has_value();
    };
    peers.showWatchListCompany = [shared](const std::string& key) {
        return shared->window && shared->window->lsvWL().select(key);
    };
    peers.enableButton = [shared, previous = peers.enableButton](const QString& window, const QString& key,
                                                                 bool enabled) {
        if (window == kWindowKey) {
            if (shared->window)
                shared->window->enableButton(key, enabled);
        } else if (previous) {
            previous(window, key, enabled);
        }
    };
}

}  // namespace

void InstallWatchList(FrameHooks& hooks, WatchListDialogs dialogs) {
    auto shared = std::make_shared<WatchList>();
    const auto window = [weak = std::weak_ptr<WatchList>(shared)]() -> frmWatchList* {
        const auto held = weak.lock();
        return held ? held->window.data() : nullptr;
    };
    shared->commands = std::make_unique<WatchListCommands>(window, chartWindow, std::move(dialogs));
    const std::pair<const char*, void (WatchListCommands::*)()> commands[] = {
        {"mnuWLNew", &WatchListCommands::mnuWLNew_Click},
        {"mnuWLEdit", &WatchListCommands::mnuWLEdit_Click},
        {"mnuWLDelete", &WatchListCommands::mnuWLDelete_Click},
        {"mnuWLAdd", &WatchListCommands::mnuWLAdd_Click},
        {"mnuWLRemove", &WatchListCommands::mnuPopupRemove_Click},
    };
    // The method goes in by an init-capture: clang before 16 cannot capture a structured binding.
    for (const auto& [item, method] : commands)
        hooks.chartCommands.set(QString::fromLatin1(item),
                                [shared, command = method] { (shared->commands.get()->*command)(); });
    hooks.createToolWindow = [shared, previous = hooks.createToolWindow](const QString& key) -> Form* {
        if (key != kWindowKey)
            return previous ? previous(key) : nullptr;
        shared->window = new frmWatchList(chartWindow);
        return shared->window;
    };
    hooks.scrollWatchListSelection = [shared] {
        if (shared->window)
            shared->window->lsvWL().ensureSelectionVisible();
    };
    hooks.releaseChartObjects = [previous = hooks.releaseChartObjects] {
        gWLCompanies.clear();
        if (previous)
            previous();
    };
    answerChartQuestions(hooks.chartPeers, shared);
}

}  // namespace frame

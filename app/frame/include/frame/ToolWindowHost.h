#pragma once

// The docking layer of the frame window: tool windows registered by key (the window's name) in two
// tabbed dock groups, shown, hidden and activated by key.
//
// "Shown" is what the program and the user chose (show, hide, the close box) and what the settings
// keep; it is tracked apart from "on screen", which a shown window is not while another tab of its
// group is in front or the frame is minimised.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace frame {

class ToolWindowHost {
public:
    // Dock groups: 1 beside the chart, 2 below it.
    static constexpr int kSideGroup = 1;
    static constexpr int kBottomGroup = 2;
    // Panels whose size the frame sets: the bottom panel's height and the side panel's width.
    static constexpr int kBottomPanel = 2;
    static constexpr int kSidePanel = 3;

    // What the frame hears of the docked windows, by key.
    struct Events {
        std::function<void(const QString& key)> formShow;
        std::function<void(const QString& key)> formHide;
        std::function<void(const QString& key)> formSelect;  // brought in front of its group
    };

    ToolWindowHost();
    ~ToolWindowHost();
    ToolWindowHost(const ToolWindowHost&) = delete;
    ToolWindowHost& operator=(const ToolWindowHost&) = delete;

    // Attaches to the frame whose dock areas hold the groups.
    void attach(QMainWindow& frame);
    // Registers a window under `key` in `group`. `style` is kept for the record (every window of the
    // program uses 3: a dockable, closable tab). `sizePercent` is the window's initial share of the
    // frame across its panel, used when the panel has no size of its own.
    void registerForm(QWidget* window, int group, int style, const QString& key, int sizePercent);
    // A panel's extent in twips (width of the side panel, height of the bottom panel).
    void setPanelSize(int panel, int16_t twips);
    // Lays the registered windows out in their groups; called once after registration.
    void finishSetup();
    // Right-to-left layout for the windows of a panel.
    void setPanelRightToLeft(int panel, bool rightToLeft);

    void showForm(const QString& key);
    void hideForm(const QString& key);
    // Brings a shown window in front of its group and gives it the focus.
    void activateForm(const QString& key);

    bool isRegistered(const QString& key) const;
    bool isShown(const QString& key) const;
    bool isOnScreen(const QString& key) const;
    QDockWidget* dock(const QString& key) const;
    QStringList keys() const;

    Events events;

private:
    struct Entry;
    Entry& entry(const QString& key) const;
    void closeRequested(const QString& key);
    void placeSideGroup();

    QMainWindow* m_frame = nullptr;
    std::vector<std::unique_ptr<Entry>> m_entries;
    int32_t m_panelTwips[4] = {0, 0, 0, 0};
};

}  // namespace frame

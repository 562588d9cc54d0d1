#pragma once

// A window of the program built from its design model: one Qt widget per control, placed by the
// design geometry in twips. The model stays the source of truth; applyModel() shows it.

#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

#include "frame/FormModel.h"

class QAction;
class QMenu;
class QMenuBar;

namespace frame {

class Form : public QWidget {
public:
    enum class Localization { Localized, AsDesigned };

    // Allowance for the title bar and borders of the window in its outer design size, in twips.
    static constexpr int32_t kChromeWidthTwips = 70;
    static constexpr int32_t kChromeHeightTwips = 400;

    // Builds the widgets of `design`; a localised window is localised here, on creation, so that its
    // first showing is already in the program's language.
    explicit Form(FormModel design, Localization localization = Localization::Localized,
                  QWidget* parent = nullptr);
    ~Form() override;

    // The loaded windows of the program, first loaded first. A window is loaded from its creation
    // until unload() or its destruction.
    static const std::vector<Form*>& openForms();
    // The first loaded window named `name`, or nullptr.
    static Form* findOpen(const QString& name);
    // Unloads the window: hidden and out of openForms() at once, destroyed when control returns to
    // the event loop (so a window may unload itself from one of its own handlers).
    void unload();
    bool isLoaded() const { return m_loaded; }
    // A tool window stays loaded until the frame unloads: until then its close box is refused.
    void stayLoadedUntilClosing() { m_stayLoaded = true; }

    FormModel& model() { return m_model; }
    const FormModel& model() const { return m_model; }

    // The widget of a control, or nullptr for controls without a window (image lists, dialogs, menu
    // items). Throws std::out_of_range for an unknown name.
    QWidget* controlWidget(const QString& controlName) const;
    // The action of a menu item or nullptr.
    QAction* menuAction(const QString& controlName) const;
    QMenuBar* menuBar() const { return m_menuBar; }
    // Runs `handler` when the command button `controlName` is clicked.
    void onClick(const QString& controlName, std::function<void()> handler);
    // Sets the check mark of a menu item in the model and on screen.
    void setMenuChecked(const QString& controlName, bool checked);
    // Hands the menu bar to the window that shows it (a frame shows its child window's menus); the
    // form no longer keeps room for it.
    QMenuBar* releaseMenuBar();

    // Brings texts, geometry, reading order and alignment of every widget in line with the model.
    void applyModel();

    static QRect toPixels(int32_t left, int32_t top, int32_t width, int32_t height);
    // Sizes a control to the window less the allowances (twips); a window smaller than an allowance
    // leaves that dimension as it was.
    void fitControlToWindow(const QString& controlName, int32_t widthAllowance, int32_t heightAllowance);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Closing a window with its close box unloads it (a tool window only once the program closes).
    void closeEvent(QCloseEvent* event) override;
    // Enter, wherever the focus is, presses the window's default button when no control took it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    QWidget* parentFor(const ControlModel& c) const;
    void showTab(size_t tabControl, int page);
    void layoutClient();
    void applyControl(const ControlModel& c, QWidget* w);
    void applyMenuItem(const ControlModel& c, QAction* action);

    FormModel m_model;
    QMenuBar* m_menuBar = nullptr;
    bool m_menuBarHere = true;
    bool m_loaded = true;
    bool m_stayLoaded = false;
    bool m_sized = false;
    QWidget* m_client = nullptr;
    std::vector<QWidget*> m_widgets;  // by control index
    std::vector<QAction*> m_actions;  // by control index
    std::vector<QMenu*> m_menus;      // by control index, menu items that hold others
};

}  // namespace frame

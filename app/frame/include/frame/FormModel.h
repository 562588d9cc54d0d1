#pragma once

// Design-time model of a window of the program: its controls in collection order with their names,
// language-table rows (Tag), captions and geometry. Geometry is in twips (15 twips per pixel at
// 96 dpi), each control relative to its container. No widgets here: Form builds those from the model.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace frame {

// Kinds are told apart by type, never by name.
enum class ControlKind {
    TextBox,
    Label,
    CommandButton,
    CheckBox,
    ComboBox,
    Frame,
    OptionButton,
    MenuItem,
    Line,
    PictureBox,
    ListView,
    ToolBar,
    ProgressBar,
    Animation,
    ImageList,
    CommonDialog,
    HttpControl,
    DockingControl,
    ChartControl,
    TabControl,
};

// Text alignment of labels, text boxes, check boxes and option buttons.
enum class Alignment : int16_t { LeftJustify = 0, RightJustify = 1, Center = 2 };

// Extended window style bit for a right-to-left layout of a window and its children.
inline constexpr uint32_t WS_EX_LAYOUTRTL = 0x400000;

inline constexpr int32_t kTwipsPerPixel = 15;

// The character code a key press reports for the Enter key.
inline constexpr int16_t kEnterKeyAscii = 13;

struct ToolButtonModel {
    QString key;
    QString tag;
    QString toolTipText;
};

struct ColumnModel {
    QString text;
    QString tag;
    int32_t width = 1200;  // twips
};

struct ControlModel {
    static constexpr int kOnForm = -1;

    QString name;
    ControlKind kind = ControlKind::Label;
    QString tag;      // language-table row in decimal, or empty to keep the designed caption
    QString caption;  // caption or, for a text box, its text; a menu item captioned "-" is a separator
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int container = kOnForm;  // index of the containing control (frame, tab control), or kOnForm
    int tab = 0;              // page of a tab-control container the control sits on

    bool rightToLeft = false;
    Alignment alignment = Alignment::LeftJustify;
    uint32_t exStyle = 0;        // of the control's window
    uint32_t headerExStyle = 0;  // of a list view's column header
    bool enabled = true;
    bool multiLine = false;  // text box: several lines, read-only text such as a notice
    bool checked = false;    // menu item: shows a check mark
    bool isDefault = false;  // command button: Enter anywhere in the window presses it

    std::vector<ToolButtonModel> buttons;  // tool bar
    std::vector<ColumnModel> columns;      // list view
    QStringList items;                     // combo-box entries, tab captions
};

// A control of a window's design, placed on the window itself.
ControlModel designControl(const char* name, ControlKind kind, const char* tag, const QString& caption,
                           int32_t left, int32_t top, int32_t width, int32_t height);

struct FormModel {
    QString name;
    QString tag;
    QString caption;
    int32_t width = 0;  // outer size of the window, twips
    int32_t height = 0;
    uint32_t exStyle = 0;
    // A resizable window keeps its design size as its first size only; its controls keep their
    // designed places (windows that fill themselves lay out their content in their own resize).
    bool resizable = false;
    std::vector<ControlModel> controls;

    // Index of the control named `controlName`, or nullopt.
    std::optional<size_t> find(const QString& controlName) const;
    // Index or reference of the control named `controlName`; throws std::out_of_range when there is none.
    size_t indexOf(const QString& controlName) const;
    ControlModel& control(const QString& controlName);
    const ControlModel& control(const QString& controlName) const;

    // Width of the control's container: the containing control's or the window's.
    int32_t containerWidth(const ControlModel& c) const;
    bool containerIsFrame(const ControlModel& c) const;
};

}  // namespace frame

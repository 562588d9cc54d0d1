// Dialog boxes and property-page windows whose controls are addressed by numeric id.
//
// A dialog is built from a table of control templates; a DialogHandler receives the
// notifications (initialisation, commands with their notification codes, focus leaving a control
// together with the control that receives it, owner drawing) and ends the dialog with a result.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QDialog>
#include <QRect>

#include "gdi/DeviceContext.h"

class QAbstractButton;
class QComboBox;
class QListWidget;

namespace ui {

enum class ControlKind {
    Edit,
    Static,
    PushButton,
    DefaultPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    DropDownList,  // combo box without edit field
    ComboBox,      // combo box with edit field
    ListBox,
    OwnerDrawList,     // drop-down list whose items the handler draws (colours, line widths, styles)
    NumberEdit,        // edit field that takes digits only
    UpDown,            // arrows that step the whole number of the control made just before it
    OwnerDrawListBox,  // list box (always open) whose rows the handler draws
};

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    QString text;
    QRect geometry;  // pixels in the dialog's client area
};

// Notification codes.
inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int EN_CHANGE = 0x300;
inline constexpr int CB_ERR = -1;
inline constexpr int LB_ERR = -1;
// Item data of the custom entry of an owner-drawn list.
inline constexpr std::intptr_t CUSTOM_ENTRY_DATA = 0x7FFF;
inline constexpr unsigned ODS_SELECTED = 0x0001;
inline constexpr unsigned ODS_FOCUS = 0x0010;

struct DrawItem {
    int controlId = 0;
    int itemIndex = -1;     // -1: the closed field of an empty list
    unsigned state = 0;     // ODS_ flags
    bool editPart = false;  // the closed combo field rather than a list row
    gdi::HDC dc = nullptr;
    gdi::Rect rect;
    std::intptr_t itemData = 0;
};

class Dialog;
class UpDownControl;

class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    // Answers false to keep the focus where the handler put it.
    virtual bool onInitDialog(Dialog&) { return true; }
    // Answers true when handled; unhandled clicks of ids 1 (OK) and 2 (Cancel) end the dialog with the id.
    virtual bool onCommand(Dialog&, int /*id*/, int /*code*/) { return false; }
    // The focus left control `id`; `newFocusId` is the control that has it now (0: none of this dialog).
    virtual void onKillFocus(Dialog&, int /*id*/, int /*newFocusId*/) {}
    virtual void onDrawItem(Dialog&, const DrawItem&) {}
    virtual int onMeasureItem(Dialog&, int /*id*/) { return 16; }
};

class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(QWidget* parent, const QString& title, QSize size, const std::vector<ControlTemplate>& controls,
           DialogHandler* handler);
    // Drops the notifications before the controls go: QWidget's destructor moves the focus and
    // deletes the children after this object has stopped being a Dialog.
    ~Dialog() override;

    // Runs modally; answers the value given to endDialog (IDCANCEL when closed otherwise).
    int doModal();
    void endDialog(int result);
    // For pages and modeless use: sends the init notification without running a loop.
    void initialise();

    QWidget* item(int id) const;
    int idOf(const QWidget* widget) const;  // 0 for widgets that are not controls

    // Texts and numbers.
    void setItemText(int id, const QString& text);
    QString itemText(int id) const;
    void setItemInt(int id, int value);
    // None when the text is not a whole number.
    std::optional<int> itemInt(int id) const;

    // Buttons.
    void checkButton(int id, bool checked);
    bool isButtonChecked(int id) const;
    // Checks `id` and clears the other radio buttons of first..last.
    void checkRadioButton(int first, int last, int id);
    void enableItem(int id, bool enabled);
    bool isItemEnabled(int id) const;
    void showItem(int id, bool visible);
    void setFocusTo(int id);
    // Presses a button as the user would (sends BN_CLICKED).
    void clickButton(int id);

    // Lists and combo boxes; indexes are 0-based, CB_ERR (-1) when absent.
    int addString(int id, const QString& text, std::intptr_t data = 0);
    bool deleteString(int id, int index);
    void resetContent(int id);
    int count(int id) const;
    bool setCurSel(int id, int index);  // -1 clears the selection
    int curSel(int id) const;
    bool setItemData(int id, int index, std::intptr_t data);
    std::intptr_t itemData(int id, int index) const;
    QString listText(int id, int index) const;
    int findStringExact(int id, const QString& text) const;
    // The custom entry of an owner-drawn list (data CUSTOM_ENTRY_DATA) carries a text of its own.
    void setCustomEntry(int id, const QString& text);

    // Up-down controls. The position shows in the buddy (the control made just before the up-down) as
    // a whole number; changing it sends the buddy's EN_CHANGE.
    void setUpDownRange(int id, int low, int high);
    void setUpDownPos(int id, int position);
    // The buddy's number clamped into the range; 0 for an id that is no up-down control.
    int upDownPos(int id) const;
    // Steps as the arrows do (positive: toward the range's high end); false for an id that is no
    // up-down control.
    bool stepUpDown(int id, int steps);

private:
    QComboBox* combo(int id) const;
    QListWidget* list(int id) const;
    UpDownControl* upDown(int id) const;
    void createControl(const ControlTemplate& control);
    void giveLabelsTheirBuddies();
    void notify(int id, int code);

    DialogHandler* handler_;
    QMetaObject::Connection focusConnection_;
    std::map<int, QWidget*> controls_;
    QWidget* lastControl_ = nullptr;        // the buddy of an up-down control made next
    std::vector<QWidget*> createdInOrder_;  // while the template is laid out
    int result_ = 2;
    bool ending_ = false;
};

}  // namespace ui

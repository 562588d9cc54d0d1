// Every modal question the program asks the user, behind one injectable interface: message and
// input boxes, file, colour and font choosers, print dialogs and popup menus. The program uses
// modalServices(); tests install a ScriptedModalServices that answers without a screen.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QPoint>
#include <QString>

#include "gdi/Objects.h"
#include "ui/MessageBox.h"
#include "ui/PopupMenu.h"

class QPrinter;
class QWidget;

namespace ui {

// Filters are written "Description | pattern|Description | pattern" (blanks around the bars are
// ignored); filterIndex is 1-based.
struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExtension;  // with or without the leading dot; added when the name has none
    QString fileName;          // preset name
    QString initialFolder;
};

struct FileDialogResult {
    bool accepted = false;
    QString fileName;  // the preset name when cancelled
    int filterIndex = 1;
};

// Pairs of (description, patterns) of a filter text.
std::vector<std::pair<QString, QString>> parseFileFilter(const QString& filter);

class ModalServices {
public:
    virtual ~ModalServices() = default;

    // Answers IDOK ... IDNO. `caption` empty: the application's name.
    virtual int messageBox(QWidget* owner, const QString& text, const QString& caption, int style) = 0;
    // The text typed; none when cancelled.
    virtual std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    virtual FileDialogResult openFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<gdi::COLORREF> chooseColor(QWidget* owner, gdi::COLORREF initial) = 0;
    virtual std::optional<gdi::LogFont> chooseFont(QWidget* owner, const gdi::LogFont& initial) = 0;
    // True when the user confirmed; the printer then holds the choices.
    virtual bool printDialog(QWidget* owner, QPrinter& printer) = 0;
    virtual bool printPreview(QWidget* owner, QPrinter& printer,
                              const std::function<void(QPrinter&)>& paint) = 0;
    // The chosen item id, 0 when the menu was dismissed.
    virtual int trackPopupMenu(QWidget* owner, const PopupMenu& menu, QPoint screenPoint) = 0;
};

// The OK and Cancel texts of the Qt input and message boxes, as the program's language has them; an
// empty text leaves Qt's own (whose Arabic Cancel, "ألغِ", reads as a word cut short).
void setCommonButtonTexts(const QString& ok, const QString& cancel);

// The services in use: the installed ones, else the Qt dialogs.
ModalServices& modalServices();
// Installs services (not owned; null restores the Qt dialogs). Answers the previous ones.
ModalServices* setModalServices(ModalServices* services);

}  // namespace ui

// The modal services on Qt dialogs.
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWidgetAction>
#include <QWindow>

#include "ui/ModalServices.h"

namespace ui {

std::vector<std::pair<QString, QString>> parseFileFilter(const QString& filter) {
    std::vector<std::pair<QString, QString>> result;
    const QStringList parts = filter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        result.emplace_back(parts[i].trimmed(), parts[i + 1].trimmed());
    return result;
}

namespace {

struct CommonButtonTexts {
    QString ok, cancel;
};

CommonButtonTexts& commonButtonTexts() {
    static CommonButtonTexts texts;
    return texts;
}

// The program's text for a standard button, when it gives one.
void useCommonText(QAbstractButton* button, QMessageBox::StandardButton which) {
    const CommonButtonTexts& texts = commonButtonTexts();
    const QString& text = which == QMessageBox::Ok       ? texts.ok
                          : which == QMessageBox::Cancel ? texts.cancel
                                                         : QString();
    if (button != nullptr && !text.isEmpty())
        button->setText(text);
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonChoice> buttonsFor(int style) {
    using B = QMessageBox;
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{B::Ok, IDOK}, {B::Cancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{B::Abort, IDABORT}, {B::Retry, IDRETRY}, {B::Ignore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{B::Yes, IDYES}, {B::No, IDNO}, {B::Cancel, IDCANCEL}};
        case MB_YESNO:
            return {{B::Yes, IDYES}, {B::No, IDNO}};
        case MB_RETRYCANCEL:
            return {{B::Retry, IDRETRY}, {B::Cancel, IDCANCEL}};
        default:
            return {{B::Ok, IDOK}};
    }
}

QMessageBox::Icon iconFor(int style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONCRITICAL:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// The file types of a dialog filter: the name filters the dialog lists and the extension of each
// type's first pattern ("*.bmp" gives "bmp"), in the case the pattern writes it.
struct FileTypes {
    explicit FileTypes(const QString& filter) {
        for (const auto& [description, patterns] : parseFileFilter(filter)) {
            descriptions << description;
            filters << QString("%1 (%2)").arg(description, QString(patterns).replace(';', ' '));
            const QString first = patterns.section(';', 0, 0).trimmed();
            const qsizetype dot = first.lastIndexOf('.');
            const QString suffix = dot >= 0 ? first.mid(dot + 1) : QString();
            extensions << (suffix.contains('*') || suffix.contains('?') ? QString() : suffix);
        }
    }
    // The type of a name filter as the dialog reports it: whole, or only its description when the
    // dialog hides the patterns; -1 for none.
    qsizetype indexOf(const QString& nameFilter) const {
        const qsizetype whole = filters.indexOf(nameFilter);
        return whole >= 0 ? whole : descriptions.indexOf(nameFilter.trimmed());
    }
    QString extensionOf(qsizetype index) const {
        return index >= 0 && index < extensions.size() ? extensions[index] : QString();
    }

    QStringList descriptions, filters, extensions;
};

QIcon ownerDrawnIcon(const PopupMenu& menu, int id) {
    const QImage image = menu.renderOwnerDrawn(id);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

void addItems(QMenu& target, const PopupMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            target.addSeparator();
            continue;
        }
        if (!item.submenu.empty()) {
            QMenu* sub = target.addMenu(item.text);
            // A sub-menu is a window of its own, which would take the program's direction.
            sub->setLayoutDirection(target.layoutDirection());
            sub->setEnabled(!item.disabled);
            addItems(*sub, menu, item.submenu);
            continue;
        }
        QAction* action = target.addAction(item.text);
        if (item.ownerDrawn)
            action->setIcon(ownerDrawnIcon(menu, item.id));
        action->setData(item.id);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        action->setEnabled(!item.disabled);
    }
}

// What a pop-up takes from the window it opens for: the reading direction, and that window as the
// one it stays above.
void followOwner(QMenu& popup, QWidget* owner) {
    if (!owner)
        return;
    popup.setLayoutDirection(owner->layoutDirection());
    QWindow* ownerWindow = owner->window()->windowHandle();
    if (!ownerWindow)
        return;
    popup.createWinId();
    if (QWindow* popupWindow = popup.windowHandle())
        popupWindow->setTransientParent(ownerWindow);
}

class QtModalServices final : public ModalServices {
public:
    int messageBox(QWidget* owner, const QString& text, const QString& caption, int style) override {
        QMessageBox box(iconFor(style), caption.isEmpty() ? QApplication::applicationName() : caption, text,
                        QMessageBox::NoButton, owner);
        // The style alone decides the reading order, whatever the program's.
        box.setLayoutDirection(style & MB_RTLREADING ? Qt::RightToLeft : Qt::LeftToRight);
        const auto choices = buttonsFor(style);
        for (const ButtonChoice& choice : choices)
            useCommonText(box.addButton(choice.button), choice.button);
        const std::size_t defaultIndex = static_cast<std::size_t>((style & MB_DEFMASK) >> 8);
        if (defaultIndex < choices.size())
            box.setDefaultButton(choices[defaultIndex].button);
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const ButtonChoice& choice : choices) {
            if (choice.button == clicked)
                return choice.answer;
        }
        return dismissAnswer(style);
    }

    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        QInputDialog box(owner);
        box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
        box.setLabelText(prompt);
        box.setTextValue(defaultText);
        const CommonButtonTexts& texts = commonButtonTexts();
        if (!texts.ok.isEmpty())
            box.setOkButtonText(texts.ok);
        if (!texts.cancel.isEmpty())
            box.setCancelButtonText(texts.cancel);
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    }

    FileDialogResult openFile(const FileDialogRequest& request) override { return file(request, false); }
    FileDialogResult saveFile(const FileDialogRequest& request) override { return file(request, true); }

    std::optional<gdi::COLORREF> chooseColor(QWidget* owner, gdi::COLORREF initial) override {
        const QColor color = QColorDialog::getColor(gdi::toQColor(initial), owner);
        if (!color.isValid())
            return std::nullopt;
        return gdi::fromQColor(color);
    }

    std::optional<gdi::LogFont> chooseFont(QWidget* owner, const gdi::LogFont& initial) override {
        bool ok = false;
        QFont start(QString::fromStdString(initial.faceName));
        if (initial.height != 0)
            start.setPixelSize(std::abs(initial.height));
        start.setWeight(
            static_cast<QFont::Weight>(std::clamp(initial.weight == 0 ? 400 : initial.weight, 100, 900)));
        start.setItalic(initial.italic);
        const QFont chosen = QFontDialog::getFont(&ok, start, owner);
        if (!ok)
            return std::nullopt;
        gdi::LogFont font = initial;
        font.faceName = chosen.family().toStdString();
        const int pixels = chosen.pixelSize() > 0
                               ? chosen.pixelSize()
                               : static_cast<int>(std::lround(chosen.pointSizeF() * 96 / 72));
        font.height = -pixels;
        font.weight = chosen.weight();
        font.italic = chosen.italic();
        font.underline = chosen.underline();
        font.strikeOut = chosen.strikeOut();
        return font;
    }

    bool printDialog(QWidget* owner, QPrinter& printer) override {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }

    bool printPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override {
        QPrintPreviewDialog dialog(&printer, owner);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
            if (paint)
                paint(*p);
        });
        return dialog.exec() == QDialog::Accepted;
    }

    int trackPopupMenu(QWidget* owner, const PopupMenu& menu, QPoint screenPoint) override {
        // The menu belongs to this call alone. As a child of the owner it would be one of the owner's
        // children while it runs, and an owner that rebuilds its own menus, or goes away, meanwhile
        // would delete it from under exec().
        QMenu popup;
        followOwner(popup, owner);
        if (menu.direction)
            popup.setLayoutDirection(*menu.direction);
        addItems(popup, menu, menu.items);
        QAction* chosen = popup.exec(screenPoint);
        return chosen ? chosen->data().toInt() : 0;
    }

private:
    static FileDialogResult file(const FileDialogRequest& request, bool save) {
        QFileDialog dialog(request.owner, request.title, request.initialFolder);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The descriptions name their patterns already, as the program's filters are written. Set before
        // the filters: set after them it fills the type list again and selects its first entry.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        const FileTypes types(request.filter);
        dialog.setNameFilters(types.filters);
        if (request.filterIndex >= 1 && request.filterIndex <= types.filters.size())
            dialog.selectNameFilter(types.filters[request.filterIndex - 1]);
        QString extension = request.defaultExtension;
        if (extension.startsWith('.'))
            extension.remove(0, 1);
        dialog.setDefaultSuffix(extension);
        // A name typed without an extension takes the chosen type's, as its pattern writes it, when the
        // caller asked for one.
        if (!extension.isEmpty()) {
            const auto followFilter = [&dialog, &types, extension](const QString& nameFilter) {
                const QString typeExtension = types.extensionOf(types.indexOf(nameFilter));
                dialog.setDefaultSuffix(typeExtension.isEmpty() ? extension : typeExtension);
            };
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
            followFilter(dialog.selectedNameFilter());
        }
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {false, request.fileName, request.filterIndex};
        }
        const int index = static_cast<int>(types.indexOf(dialog.selectedNameFilter())) + 1;
        return {true, dialog.selectedFiles().front(), index > 0 ? index : request.filterIndex};
    }
};

ModalServices* installed = nullptr;

}  // namespace

void setCommonButtonTexts(const QString& ok, const QString& cancel) {
    commonButtonTexts() = {ok, cancel};
}

ModalServices& modalServices() {
    static QtModalServices qt;
    return installed ? *installed : qt;
}

ModalServices* setModalServices(ModalServices* services) {
    return std::exchange(installed, services);
}

}  // namespace ui

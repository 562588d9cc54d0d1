// Shorthand for the design tables of the update windows, and the dialog that carries a designed form.
#pragma once

#include <QDialog>

#include "frame/Form.h"
#include "frame/FormModel.h"

namespace frame {

// A control placed on the window itself (twips), with the language-table row `tag` (empty keeps
// `caption`).
inline ControlModel designControl(const char* name, ControlKind kind, const char* tag, const char* caption,
                                  int32_t left, int32_t top, int32_t width, int32_t height) {
    ControlModel c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.tag = QString::fromLatin1(tag);
    c.caption = QString::fromLatin1(caption);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

// Builds the localised form of `design` inside `dialog`, which takes its title, reading order and size.
inline Form* embedForm(QDialog& dialog, FormModel design) {
    dialog.setObjectName(design.name);
    auto* form = new Form(std::move(design), Form::Localization::Localized, &dialog);
    dialog.setWindowTitle(form->windowTitle());
    dialog.setLayoutDirection(form->layoutDirection());
    dialog.setFixedSize(form->size());
    return form;
}

}  // namespace frame

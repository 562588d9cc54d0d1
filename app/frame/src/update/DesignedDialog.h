// The dialog that carries a designed form, for the update windows.
#pragma once

#include <QDialog>

#include "frame/Form.h"
#include "frame/FormModel.h"

namespace frame {

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

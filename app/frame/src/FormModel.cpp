#include "frame/FormModel.h"

#include <stdexcept>

namespace frame {

ControlModel designControl(const char* name, ControlKind kind, const char* tag, const QString& caption,
                           int32_t left, int32_t top, int32_t width, int32_t height) {
    ControlModel c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.tag = QString::fromLatin1(tag);
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

std::optional<size_t> FormModel::find(const QString& controlName) const {
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == controlName)
            return i;
    }
    return std::nullopt;
}

size_t FormModel::indexOf(const QString& controlName) const {
    const auto i = find(controlName);
    if (!i)
        throw std::out_of_range("no control named " + controlName.toStdString() + " on " +
                                name.toStdString());
    return *i;
}

ControlModel& FormModel::control(const QString& controlName) {
    return controls[indexOf(controlName)];
}

const ControlModel& FormModel::control(const QString& controlName) const {
    return controls[indexOf(controlName)];
}

int32_t FormModel::containerWidth(const ControlModel& c) const {
    if (c.container == ControlModel::kOnForm)
        return width;
    return controls.at(static_cast<size_t>(c.container)).width;
}

bool FormModel::containerIsFrame(const ControlModel& c) const {
    return c.container != ControlModel::kOnForm &&
           controls.at(static_cast<size_t>(c.container)).kind == ControlKind::Frame;
}

}  // namespace frame

#include "frame/FormModel.h"

#include <stdexcept>

namespace frame {

std::optional<size_t> FormModel::find(const QString& controlName) const {
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == controlName)
            return i;
    }
    return std::nullopt;
}

ControlModel& FormModel::control(const QString& controlName) {
    const auto i = find(controlName);
    if (!i)
        throw std::out_of_range("no control named " + controlName.toStdString() + " on " +
                                name.toStdString());
    return controls[*i];
}

const ControlModel& FormModel::control(const QString& controlName) const {
    return const_cast<FormModel*>(this)->control(controlName);
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

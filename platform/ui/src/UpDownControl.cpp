#include "ui/UpDownControl.h"

#include <algorithm>

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownControl::setBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
}

int UpDownControl::clamp(long long value) const {
    const long long lowest = std::min(low_, high_);
    const long long highest = std::max(low_, high_);
    return static_cast<int>(std::clamp(value, lowest, highest));
}

void UpDownControl::setRange(int low, int high) {
    low_ = low;
    high_ = high;
    position_ = clamp(position_);
}

void UpDownControl::setPosition(int position) {
    position_ = clamp(position);
    if (buddy_)
        buddy_->setText(QString::number(position_));
    emit positionChanged(position_);
}

int UpDownControl::position() const {
    if (buddy_) {
        bool ok = false;
        const long long typed = buddy_->text().trimmed().toLongLong(&ok);
        if (ok)
            return clamp(typed);
    }
    return position_;
}

void UpDownControl::step(int steps) {
    const long long direction = high_ >= low_ ? 1 : -1;
    setPosition(clamp(static_cast<long long>(position()) + direction * steps));
}

}  // namespace ui

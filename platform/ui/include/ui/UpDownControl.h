// The up-down control of the dialog kit: two arrows that step a whole number in its buddy edit field
// within a range, as a spin button next to a number field does.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ui {

class UpDownControl final : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent);

    // The edit field that shows the position (none: the position is kept here only).
    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const { return buddy_; }

    // The up arrow moves toward `high`, which may lie below `low`. The position is clamped into the
    // new range.
    void setRange(int low, int high);
    int low() const { return low_; }
    int high() const { return high_; }

    // Clamped into the range and written to the buddy.
    void setPosition(int position);
    // The buddy's whole number (clamped into the range) when it holds one, else the last position set.
    int position() const;
    // Steps as the arrows do: positive counts go toward `high`; the position stops at the range's ends.
    void step(int steps);

signals:
    void positionChanged(int position);

private:
    int clamp(long long value) const;

    QLineEdit* buddy_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int low_ = 0;
    int high_ = 100;
    int position_ = 0;
};

}  // namespace ui

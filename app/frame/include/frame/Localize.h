#pragma once

// Localisation of a window: captions, tool tips and column texts from the language table, and in
// Arabic mode right-to-left reading, right alignment and horizontal mirroring of the controls.

#include <QString>

#include <cstdint>

#include "frame/FormModel.h"

namespace frame {

class Form;

// Width of the window border that the mirroring of controls placed directly on a window (or on a
// container other than a frame) allows for, in twips.
inline constexpr int32_t kMirrorBorderTwips = 70;

// Row of a Tag: a whole decimal number. Throws RunTimeError 13 when it is not one, 9 when it is
// outside the table.
int32_t tagRow(const QString& tag);

// Left of a control after mirroring inside its container. Applying it twice gives back `left`.
int32_t mirroredLeft(int32_t left, int32_t width, int32_t containerWidth, bool containerIsFrame);

}  // namespace frame

// Localises the window model in the language of gArabic; errors (a bad Tag) reach the caller with
// the model partly localised.
void LocalizeForm(frame::FormModel& form);

// Localises the window and brings its widgets up to date.
void LocalizeForm(frame::Form& form);

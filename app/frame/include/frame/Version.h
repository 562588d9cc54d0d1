#pragma once

#include <QString>

namespace frame {

// The version as the program shows it: major, minor and revision joined by "." ("1.0.2").
QString versionText(int major, int minor, int revision);
// The version of this build.
QString programVersionText();

}  // namespace frame

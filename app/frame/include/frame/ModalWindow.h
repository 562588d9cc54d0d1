#pragma once

namespace frame {

class Form;

// Shows the window modally and returns when it is hidden or unloaded (its OK, its close box).
void runModal(Form& form);

}  // namespace frame

#include "frame/FrameGlobals.h"

bool gClosing = false;
bool gDialogResult = false;

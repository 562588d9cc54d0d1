#pragma once

// Program-wide state of the frame and its windows.

// Set once when the frame window starts unloading. Until then the docked tool windows refuse to be
// unloaded, so closing one only hides it.
extern bool gClosing;

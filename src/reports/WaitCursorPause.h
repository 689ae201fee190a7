#pragma once

// Waits `milliseconds` under the wait cursor while the program's windows
// keep repainting: events other than the user's input are handled during
// the wait, and the user's clicks and keys wait until it is over.
void pauseWithWaitCursor(int milliseconds);

#pragma once
// Which processes run: this program's own number, and whether another
// instance is still running (so that what it keeps is left alone). Plain
// C++ over the system's calls; no Qt.

namespace rp770::platform {

long CurrentProcessId();

// Whether a process of this number runs (one the user may not signal
// included). False where the system cannot say.
bool ProcessIsRunning(long pid);

}  // namespace rp770::platform

#pragma once
// Whether a standard stream is a terminal (for progress bars and questions).

namespace rp770::platform {

bool StdinIsTerminal();
bool StderrIsTerminal();

}  // namespace rp770::platform

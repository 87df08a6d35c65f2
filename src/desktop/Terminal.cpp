#include "desktop/Terminal.h"

#if defined(_WIN32)
#include <io.h>
#define RP770_ISATTY _isatty
#else
#include <unistd.h>
#define RP770_ISATTY isatty
#endif

namespace rp770::platform {

bool StdinIsTerminal() { return RP770_ISATTY(0) != 0; }
bool StderrIsTerminal() { return RP770_ISATTY(2) != 0; }

}  // namespace rp770::platform

#pragma once
// Where the running program's executable lies; the shipped data files
// (global.ini, the model definition files) are beside it.

#include <string>

namespace rp770::platform {

// The folder of the running executable, or `fallback` when the system does
// not tell.
std::string ExecutableFolder(const std::string& fallback);

}  // namespace rp770::platform

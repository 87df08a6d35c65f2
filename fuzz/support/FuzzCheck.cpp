#include "support/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace rp770::fuzz {

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n==== broken promise at %s:%d\n     %s\n     %s\n", file, line, condition, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace rp770::fuzz

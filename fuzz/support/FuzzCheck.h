#pragma once
// The fuzzers' checks: a broken promise prints what was expected and aborts,
// so that libFuzzer keeps the input that broke it.

#include <string>

namespace rp770::fuzz {

[[noreturn]] void Fail(const char* file, int line, const char* condition, const std::string& detail);

}  // namespace rp770::fuzz

#define FUZZ_CHECK(condition, detail)                                           \
    do {                                                                        \
        if (!(condition)) ::rp770::fuzz::Fail(__FILE__, __LINE__, #condition, (detail)); \
    } while (false)

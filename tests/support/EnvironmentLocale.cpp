// Every test program takes the locale its environment names, as a desktop
// program does (Qt does it for the window): `make test` runs the suite a
// second time under a comma-decimal locale, where a number read or written
// through the locale shows up as a failure. Streams made from here on take
// it too.
#include <clocale>
#include <locale>
#include <stdexcept>

namespace {

[[maybe_unused]] const bool kEnvironmentLocale = [] {
    std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        // A locale the C++ library cannot load: the C locale above still holds.
    }
    return true;
}();

}  // namespace

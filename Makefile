# Newcomer entry points: `make run` and `make test` (see README.md).
BUILD       ?= build
ASAN_BUILD  ?= build-asan
PLAIN_BUILD ?= build-plain
WINDOWS_BUILD ?= build-windows
BUILD_TYPE  ?= RelWithDebInfo
CMAKE_GEN   := -G Ninja

# The comma-decimal locale the suite runs under, compiled by
# scripts/setup.sh into a folder of the project's own.
LOCALE_DIR ?= $(CURDIR)/build-locale
export RP770_LOCALE_DIR := $(LOCALE_DIR)
COMMA_LOCALE := LOCPATH=$(LOCALE_DIR) LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8

# `make test-fuzz` hunts for FUZZ_SECONDS per fuzzer; `make test` replays
# every fuzzer's corpus and regressions and explores TEST_FUZZ_SECONDS more.
FUZZ_SECONDS      ?= 20
TEST_FUZZ_SECONDS ?= 5
# A fixed seed in the test command; `make test-fuzz FUZZ_SEED=` explores at random.
FUZZ_SEED ?= 1

PREFIX ?= /usr/local

# Every build the Makefile configures fails on a compiler warning
# (`make test WERROR=` builds without).
WERROR ?= -DRP770_WERROR=ON

# The browser edition: Emscripten's build folder, and where `make web` serves it.
WEB_BUILD ?= build-web
WEB_PORT  ?= 8770

.PHONY: setup configure build run test test-release test-plain test-windows test-asan test-fuzz test-web web web-build bench install package windows windows-package clean

setup:
	bash scripts/setup.sh

# Line tables are all a backtrace needs of the debug information, and the
# build is quicker without the rest (`make DEBUG_INFO=-g` for all of it).
DEBUG_INFO ?= -g1
configure: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DRP770_LOCALE_DIR=$(LOCALE_DIR) $(WERROR) \
	  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 $(DEBUG_INFO) -DNDEBUG"

build: configure
	cmake --build $(BUILD)

run: build
	bash scripts/run.sh $(BUILD)/bin/rp770 $(ARGS)

# The whole suite once, as a German desktop runs it ("," is the decimal mark
# there; the locale tests compare it with the C locale themselves); the plain
# layers alone, where no Qt can be found; then, under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, the suite but for what only
# repeats the run above, and every fuzzer; then the browser edition's tests.
test: setup test-release test-plain test-windows test-asan test-web

# RP770_REQUIRE_COMMA_LOCALE: the tests that switch locales fail, rather
# than skip, when the comma locale is missing. No case takes more than a few
# seconds: --timeout ends a hung one long before CTest's default of 25 minutes.
test-release: configure
	cmake --build $(BUILD)
	@test "$$($(COMMA_LOCALE) locale decimal_point)" = "," || { echo "de_DE.UTF-8 is missing in $(LOCALE_DIR): run scripts/setup.sh" >&2; exit 1; }
	$(COMMA_LOCALE) RP770_REQUIRE_COMMA_LOCALE=1 ctest --test-dir $(BUILD) --output-on-failure -j2 --timeout 120

# What any front end builds on (the browser's included), and rp770-cli on
# it: no Qt, no GoogleTest. Its commands are checked against the desktop
# build's rp770-cli (tests/builds/cli_build_check.sh).
test-plain: configure
	cmake -S . -B $(PLAIN_BUILD) $(CMAKE_GEN) --no-warn-unused-cli -DRP770_WITH_QT=OFF -DBUILD_TESTING=OFF $(WERROR) \
	  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
	cmake --build $(PLAIN_BUILD)
	cmake --build $(BUILD) --target rp770-cli
	bash tests/builds/cli_build_check.sh plain $(PLAIN_BUILD) $(BUILD)

# rp770-cli.exe, cross-compiled with MinGW-w64 (cmake/MinGW.cmake): the
# command line and the plain layers it needs, nothing else, at -O1; and its
# zip package (the .exe, the shipped data, a README), in $(WINDOWS_BUILD).
windows: setup
	cmake -S . -B $(WINDOWS_BUILD) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake -DCMAKE_BUILD_TYPE=Release \
	  "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" -DRP770_WITH_QT=OFF -DBUILD_TESTING=OFF -DRP770_BUILD_BENCH=OFF
	cmake --build $(WINDOWS_BUILD) --target rp770_windows_package

windows-package: windows

# rp770-cli.exe under Wine (one prefix in $(WINDOWS_BUILD)/wine, its server
# ended afterwards) against the release build's rp770-cli.
test-windows: configure windows
	cmake --build $(BUILD) --target rp770-cli
	bash tests/builds/cli_build_check.sh windows $(WINDOWS_BUILD) $(BUILD)

# One clang build for the sanitized tests and the fuzzers: the plain layers,
# where the files, the link and the engine's commands are (the window's Qt
# code and its tests only repeat the release run there, at nearly half the
# build's time). The real-time pseudo-terminal cases and the packaging only
# repeat the release run too. -O1 keeps the fuzzers quick and the reports
# exact; line tables are all a report needs of the debug information.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only" -DRP770_SANITIZE=ON -DRP770_FUZZ=ON \
	  -DRP770_WITH_QT=OFF \
	  -DRP770_LOCALE_DIR=$(LOCALE_DIR) $(WERROR)
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2 --timeout 120 -LE 'realtime|packaging'
	FUZZ_BUILD=$(ASAN_BUILD) FUZZ_SEED=$(FUZZ_SEED) bash fuzz/run.sh $(TEST_FUZZ_SECONDS)

# The fuzzers alone (clang, libFuzzer), each for FUZZ_SECONDS: `make test-fuzz
# FUZZ_SECONDS=600` for a longer hunt.
test-fuzz: setup
	FUZZ_SEED=$(FUZZ_SEED) bash fuzz/run.sh $(FUZZ_SECONDS)

bench: configure web-build
	cmake --build $(BUILD) --target benchmarks
	bash bench/run.sh $(BUILD)
	RP770_WEB_DIR=$(WEB_BUILD)/web node bench/web/transfer.bench.mjs
	RP770_WEB_DIR=$(WEB_BUILD)/web node bench/web/page.bench.mjs
	RP770_WEB_DIR=$(WEB_BUILD)/web node bench/web/thread.bench.mjs

# The engine in WebAssembly with the page beside it, in $(WEB_BUILD)/web: a
# static folder, served here at http://localhost:$(WEB_PORT).
web-build: setup
	emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=MinSizeRel $(WERROR)
	cmake --build $(WEB_BUILD) --target rp770_web rp770_page

web: web-build
	@echo "The browser edition: http://localhost:$(WEB_PORT)/ (Ctrl+C stops the server)"
	python3 -m http.server $(WEB_PORT) --directory $(WEB_BUILD)/web

# The engine and the page's Web Serial code under Node, from the same .wasm;
# the page's files compared with those of the rp770-cli built in $(BUILD);
# the page in headless chromium (which must be there: setup installs it).
test-web: configure web-build
	cmake --build $(BUILD) --target rp770-cli
	cmake -S . -B $(WEB_BUILD) -DRP770_NATIVE_CLI=$(abspath $(BUILD))/bin/rp770-cli
	RP770_REQUIRE_CHROMIUM=1 ctest --test-dir $(WEB_BUILD) --output-on-failure -j2 --timeout 180

# `make install PREFIX=DIR` (default /usr/local; sudo for system folders).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package rp770_<version>_<arch>.deb, in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(PLAIN_BUILD) $(WINDOWS_BUILD) build-fuzz $(WEB_BUILD) $(LOCALE_DIR)

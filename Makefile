# Newcomer entry points: `make run` and `make test` (see README.md).
BUILD      ?= build
ASAN_BUILD ?= build-asan
BUILD_TYPE ?= RelWithDebInfo
CMAKE_GEN  := -G Ninja

# The comma-decimal locale the suite runs under a second time, compiled by
# scripts/setup.sh into a folder of the project's own.
LOCALE_DIR ?= $(CURDIR)/build-locale
export RP770_LOCALE_DIR := $(LOCALE_DIR)
COMMA_LOCALE := LOCPATH=$(LOCALE_DIR) LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8

FUZZ_SECONDS ?= 20
# A fixed seed in the test command; `make test-fuzz FUZZ_SEED=` explores at random.
FUZZ_SEED ?= 1

PREFIX ?= /usr/local

# The browser edition: Emscripten's build folder, and where `make web` serves it.
WEB_BUILD ?= build-web
WEB_PORT  ?= 8770

.PHONY: setup configure build run test test-release test-comma-locale test-asan test-fuzz test-web web web-build bench install package clean

setup:
	bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DRP770_LOCALE_DIR=$(LOCALE_DIR)

build: configure
	cmake --build $(BUILD)

run: build
	bash scripts/run.sh $(BUILD)/bin/rp770 $(ARGS)

# The whole suite, again under a comma-decimal locale, again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then every fuzzer for a short while, then the
# browser edition's tests.
test: setup test-release test-comma-locale test-asan test-fuzz test-web

# RP770_REQUIRE_COMMA_LOCALE: the tests that switch to the comma locale fail,
# rather than skip, when it is missing.
test-release: configure
	cmake --build $(BUILD)
	LC_ALL=C.UTF-8 RP770_REQUIRE_COMMA_LOCALE=1 ctest --test-dir $(BUILD) --output-on-failure -j2

# As a German desktop runs it: "," is the decimal mark there.
test-comma-locale: configure
	cmake --build $(BUILD)
	@test "$$($(COMMA_LOCALE) locale decimal_point)" = "," || { echo "de_DE.UTF-8 is missing in $(LOCALE_DIR): run scripts/setup.sh" >&2; exit 1; }
	$(COMMA_LOCALE) RP770_REQUIRE_COMMA_LOCALE=1 ctest --test-dir $(BUILD) --output-on-failure -j2

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DRP770_SANITIZE=ON -DRP770_BUILD_BENCH=OFF -DRP770_LOCALE_DIR=$(LOCALE_DIR)
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# The fuzzers (clang, libFuzzer), each for FUZZ_SECONDS: `make test-fuzz FUZZ_SECONDS=600`
# for a longer hunt.
test-fuzz: setup
	FUZZ_SEED=$(FUZZ_SEED) bash fuzz/run.sh $(FUZZ_SECONDS)

bench: configure web-build
	cmake --build $(BUILD) --target benchmarks
	bash bench/run.sh $(BUILD)
	RP770_WEB_DIR=$(WEB_BUILD)/web node bench/web/transfer.bench.mjs

# The engine in WebAssembly with the page beside it, in $(WEB_BUILD)/web: a
# static folder, served here at http://localhost:$(WEB_PORT).
web-build: setup
	emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=MinSizeRel
	cmake --build $(WEB_BUILD) --target rp770_web rp770_page

web: web-build
	@echo "The browser edition: http://localhost:$(WEB_PORT)/ (Ctrl+C stops the server)"
	python3 -m http.server $(WEB_PORT) --directory $(WEB_BUILD)/web

# The engine and the page's Web Serial code under Node, from the same .wasm.
test-web: web-build
	ctest --test-dir $(WEB_BUILD) --output-on-failure -j2

# `make install PREFIX=DIR` (default /usr/local; sudo for system folders).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package rp770_<version>_<arch>.deb, in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz $(WEB_BUILD) $(LOCALE_DIR)

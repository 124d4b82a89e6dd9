# SPDX-License-Identifier: MIT
# The two commands a newcomer needs; each installs what is missing first.
#   make run        build the program alone and start the window (installs
#                   only what the program needs, scripts/setup.sh's groups)
#   make test       build and run every test suite through CTest (installs
#                   everything the suites need)
# Further checks:
#   make lint       the C++ against clang-format, the JavaScript against
#                   Prettier and ESLint, and the values the page hands the
#                   module against their typed shapes (tsc --checkJs);
#                   web/package-lock.json pins the tools
#   make sanitize   every suite again, built with AddressSanitizer and UBSan
#   make fuzz       the libFuzzer target for FUZZ_SECONDS (default 60)
#   make package    the Debian package (build/prism-compose_<version>_amd64.deb)
#   make bench      start-up, compute, memory and print figures
#   make web        the web edition's static site, in build-web/site/
#   make run-web    that site served on 127.0.0.1, for trying it by hand
#   make bench-web  the page's size, time to ready and compute time
# The build folders are CMakePresets.json's (default: build/, sanitize:
# build-sanitize/, program: build-program/) and web/CMakePresets.json's
# (wasm: build-web/).
MAKEFLAGS += --no-print-directory
BUILD := build
PROGRAM_BUILD := build-program
WEB_BUILD := build-web
WEB_PORT ?= 8080
FUZZ_SECONDS ?= 60
CMAKE_ARGS ?=
# Configures quietly; a configure that fails shows all it said.
quietly = out=$$($(1) 2>&1) || { printf '%s\n' "$$out"; exit 1; }

.PHONY: all setup configure build run test lint sanitize fuzz package bench web run-web bench-web clean

all: build

setup:
	@scripts/setup.sh test

configure: setup
	@$(call quietly,cmake --preset default $(CMAKE_ARGS))

build: configure
	@cmake --build $(BUILD) --parallel

# The program alone: its own packages (and a virtual display only where
# there is none), its own build folder, no test built.
run:
	@scripts/setup.sh program display
	@$(call quietly,cmake --preset program $(CMAKE_ARGS))
	@cmake --build --preset program --parallel
	@scripts/run.sh $(PROGRAM_BUILD)/app/prism-compose

test: build
	@ctest --test-dir $(BUILD) --output-on-failure

lint: setup
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@cd web && npx --no-install prettier --check --log-level warn . && npx --no-install eslint .
	@cd web && npx --no-install tsc -p tsconfig.json
	@echo "lint: the C++ and the JavaScript are as their formatters and linter want them, the module's values as typed"

sanitize: setup
	@$(call quietly,cmake --preset sanitize $(CMAKE_ARGS))
	@cmake --build --preset sanitize --parallel
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	 ctest --preset sanitize

fuzz: build
	@mkdir -p $(BUILD)/fuzz-corpus
	@$(BUILD)/fuzz/fuzz_entries -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  $(BUILD)/fuzz-corpus tests/fuzz/corpus

package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/bench/prism-bench

# emcc's JavaScript optimiser needs Debian's acorn beside a Node from
# elsewhere (the wasm build preset sets NODE_PATH).
web:
	@scripts/setup.sh web
	@cd web && $(call quietly,cmake --preset wasm)
	@cd web && cmake --build --preset wasm --parallel
	@echo "web: the site is in $(WEB_BUILD)/site/"

run-web: web
	@node web/serve.mjs $(WEB_BUILD)/site $(WEB_PORT)

bench-web: setup web
	@xvfb-run -a -s "-screen 0 1280x1024x24" node web/bench.mjs $(WEB_BUILD)/site

clean:
	rm -rf build build-sanitize build-program build-web

# The two commands a newcomer needs; each installs what is missing first.
#   make run    build and start the window
#   make test   build and run every test suite through CTest
BUILD ?= build
CMAKE_ARGS ?=

.PHONY: all setup configure build run test clean

all: build

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DPRISM_WERROR=ON $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) --parallel

run: build
	@scripts/run.sh $(BUILD)/app/prism-compose

test: build
	@ctest --test-dir $(BUILD) --output-on-failure

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test run bench assets clean

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

run: build
	@if [ -x $(BUILD)/app/talvo-zavodo ]; then $(BUILD)/app/talvo-zavodo; else $(BUILD)/cli/talvo-gcode --help; fi

bench: build
	@$(BUILD)/bench/talvo-bench

# Draws the menu pictures, the illustrations and the icon again into assets/ (they are committed).
assets: configure
	@cmake --build $(BUILD) --target talvo-draw-assets
	@QT_QPA_PLATFORM=offscreen $(BUILD)/assets/draw/talvo-draw-assets assets

clean:
	@rm -rf $(BUILD)

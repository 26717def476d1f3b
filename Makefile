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

test: build windows-check
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

run: build
	@if [ -x $(BUILD)/app/talvo-zavodo ]; then $(BUILD)/app/talvo-zavodo; else $(BUILD)/cli/talvo-gcode --help; fi

bench: build
	@$(BUILD)/bench/talvo-bench

# Draws the menu pictures, the illustrations and the icon again into assets/ (they are committed).
assets: configure
	@cmake --build $(BUILD) --target talvo-draw-assets
	@QT_QPA_PLATFORM=offscreen $(BUILD)/assets/draw/talvo-draw-assets assets

# The core, the Windows viewer start and talvo-gcode, cross-compiled with mingw-w64 when it is installed.
windows-check: deps
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then \
	  cmake -S . -B $(WINBUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DTALVO_BUILD_GUI=OFF -DTALVO_BUILD_TESTS=OFF -DTALVO_BUILD_BENCH=OFF >/dev/null && \
	  cmake --build $(WINBUILD); \
	else echo "windows-check: no mingw-w64 cross compiler, skipped"; fi

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	@rm -rf $(BUILD)

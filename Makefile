# The README's commands. Each installs the missing Debian packages first.
#   make run    build and start the program
#   make test   the quick loop: build, every ctest test, lint
#   make check  everything CI runs: make test, the GUI-off build, the sanitizers, the Windows
#               build under Wine, the Debian package and short fuzz runs
#   make package  the Debian package of the programs, checked
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
NOGUIBUILD ?= $(BUILD)-nogui
ASANBUILD ?= $(BUILD)-asan
FUZZBUILD ?= $(BUILD)-fuzz
WINBUILD ?= $(BUILD)-windows
# The Windows programs, the one list both the zip and the installer take.
WINPROGRAMS = talvo-zavodo.exe talvo-plot.exe talvo-gcode.exe
WINZIP = dist/talvo-zavodo-1.0-windows-x64.zip
WINSETUP = dist/talvo-zavodo-1.0-setup.exe
WINSTAGE = $(WINBUILD)/installer
DEB = dist/talvo-zavodo_1.0_amd64.deb
FUZZ_SECONDS ?= 600
CHECK_FUZZ_SECONDS ?= 30
SANITIZERS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
CTEST = QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

.PHONY: deps configure build test check nogui nogui-configure sanitize fuzz fuzz-build lint run bench assets windows package install clean

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && $(CTEST)
	@$(MAKE) --no-print-directory lint

check: test nogui sanitize windows package
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(CHECK_FUZZ_SECONDS)

# The core, talvo-gcode, the viewer's reader and the rs274 comparisons without Qt.
nogui-configure: deps
	@cmake -S . -B $(NOGUIBUILD) -G Ninja $(CMAKE_FLAGS) -DTALVO_BUILD_QT=OFF -DTALVO_BUILD_BENCH=OFF >/dev/null

nogui: nogui-configure
	@cmake --build $(NOGUIBUILD)
	@cd $(NOGUIBUILD) && $(CTEST)

# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer; any finding
# fails it. The benchmark smoke runs and the valgrind soak (valgrind cannot run ASan code) stay out.
sanitize: deps
	@cmake -S . -B $(ASANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$(SANITIZERS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZERS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(SANITIZERS)" \
	  -DTALVO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASANBUILD)
	@cd $(ASANBUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(CTEST) -E soak_valgrind

fuzz-build: deps
	@cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTALVO_FUZZ=ON -DTALVO_BUILD_QT=OFF -DTALVO_BUILD_TESTS=OFF -DTALVO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZBUILD)

fuzz: fuzz-build
	@tools/fuzz $(FUZZBUILD) $(FUZZ_SECONDS)

# The Windows programs, cross-built with mingw-w64 into $(WINBUILD)/bin and tested under Wine on
# Xvfb (each test in a Wine prefix of its own); then the zip an operator copies to the PC and the
# installer, itself tested under Wine. The native talvo-gcode, whose files the Windows one must
# match, is the only Linux program it needs.
windows: nogui-configure
	@cmake --build $(NOGUIBUILD) --target talvo-gcode
	@cmake -S . -B $(WINBUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DTALVO_BUILD_TESTS=OFF -DTALVO_BUILD_BENCH=OFF -DTALVO_BUILD_WIN32_TESTS=ON \
	  -DTALVO_NATIVE_GCODE=$(abspath $(NOGUIBUILD))/bin/talvo-gcode >/dev/null
	@cmake --build $(WINBUILD)
	@cd $(WINBUILD) && ctest --output-on-failure
	@rm -rf $(WINZIP) dist/talvo-zavodo-1.0-windows-x64 && mkdir -p dist/talvo-zavodo-1.0-windows-x64
	@cp $(addprefix $(WINBUILD)/bin/,$(WINPROGRAMS)) windows/README.txt dist/talvo-zavodo-1.0-windows-x64/
	@cd dist && zip -qr -X $(notdir $(WINZIP)) talvo-zavodo-1.0-windows-x64 && rm -rf talvo-zavodo-1.0-windows-x64
	@echo "$(WINZIP)"
	@rm -rf $(WINSTAGE) $(WINSETUP) && mkdir -p $(WINSTAGE)
	@cp $(addprefix $(WINBUILD)/bin/,$(WINPROGRAMS)) windows/README.txt $(WINBUILD)/windows/pictures/icon.ico $(WINSTAGE)/
	@printf '!insertmacro Program "%s"\n' $(WINPROGRAMS) > $(WINSTAGE)/programs.nsh
	@makensis -V2 -DSTAGE=$(abspath $(WINSTAGE)) -DOUTFILE=$(abspath $(WINSETUP)) windows/installer/talvo-zavodo.nsi
	@tests/windows/installer.sh $(WINSETUP) $(WINPROGRAMS)
	@echo "$(WINSETUP)"

# The Debian package of the Qt build's programs, desktop entry and icon (CPack), then its fields,
# its files and its programs run from an unpacked copy, and lintian's findings.
package: build
	@mkdir -p dist && rm -f $(DEB)
	@cd $(BUILD) && cpack -G DEB -B $(abspath dist) >/dev/null && rm -rf $(abspath dist)/_CPack_Packages
	@tests/package/check_deb.sh $(DEB)
	@echo "$(DEB)"

run: build
	@$(BUILD)/bin/talvo-zavodo

bench: build
	@$(BUILD)/bin/talvo-bench
	@$(BUILD)/bin/talvo-plot-bench
	@$(BUILD)/bin/talvo-screens-bench

# clang-format (check only), clang-tidy and cppcheck on the project's own files.
lint: configure
	@tools/lint $(BUILD)

# Draws the menu pictures, the illustrations and the icon again into assets/ (they are committed).
assets: configure
	@cmake --build $(BUILD) --target talvo-draw-assets
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/talvo-draw-assets assets

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	@rm -rf $(BUILD) $(NOGUIBUILD) $(ASANBUILD) $(FUZZBUILD) $(WINBUILD) dist

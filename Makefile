# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASANBUILD ?= $(BUILD)-asan
FUZZBUILD ?= $(BUILD)-fuzz
WINBUILD ?= $(BUILD)-windows
FUZZ_SECONDS ?= 600
FUZZ_MAX_LEN ?= 8192
SANITIZERS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: deps configure build test sanitize fuzz lint run bench assets windows-check install clean

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) \
	  -DTALVO_WINDOWS_GCODE=$(abspath $(WINBUILD))/cli/talvo-gcode.exe >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build windows-check
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
	@$(MAKE) --no-print-directory lint
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer; any finding
# fails it. The benchmark smoke run and the valgrind soak (valgrind cannot run ASan code) stay out.
sanitize: deps
	@cmake -S . -B $(ASANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$(SANITIZERS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZERS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(SANITIZERS)" >/dev/null
	@cmake --build $(ASANBUILD) -j2
	@cd $(ASANBUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j2 -E 'bench_smoke|soak_valgrind'

# Runs every libFuzzer target fuzz/<area>/fuzz_<name> for FUZZ_SECONDS on a copy of its seeds
# fuzz/<area>/corpus/<name>/; the grown corpus and any failing input stay in $(FUZZBUILD).
fuzz: deps
	@cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTALVO_FUZZ=ON -DTALVO_BUILD_GUI=OFF -DTALVO_BUILD_TESTS=OFF -DTALVO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZBUILD) -j2
	@for seeds in fuzz/*/corpus/*/; do \
	  name=$$(basename $$seeds); area=$$(basename $$(dirname $$(dirname $$seeds))); \
	  work=$(FUZZBUILD)/corpus/$$area/$$name; log=$(FUZZBUILD)/fuzz_$$name.log; \
	  mkdir -p $$work && cp -n $$seeds* $$work/ && \
	  if $(FUZZBUILD)/fuzz/$$area/fuzz_$$name $$work -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	      -max_len=$(FUZZ_MAX_LEN) -print_final_stats=1 -artifact_prefix=$(FUZZBUILD)/ >$$log 2>&1; then \
	    echo "fuzz_$$name: $$(grep -o 'number_of_executed_units: [0-9]*' $$log | cut -d' ' -f2) runs in $(FUZZ_SECONDS) s"; \
	  else tail -n 40 $$log; echo "fuzz_$$name: FAILED, see $$log"; exit 1; fi; \
	done

run: build
	@if [ -x $(BUILD)/app/talvo-zavodo ]; then $(BUILD)/app/talvo-zavodo; else $(BUILD)/cli/talvo-gcode --help; fi

bench: build
	@$(BUILD)/bench/talvo-bench
	@$(BUILD)/bench/viewer/talvo-plot-bench
	@$(BUILD)/bench/screens/talvo-screens-bench

# clang-format (check only), clang-tidy and cppcheck on the project's own files.
lint: configure
	@tools/lint $(BUILD)

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

# The two commands of the README, and a few more. CMake and CTest do the real work.
MAKEFLAGS += --no-print-directory
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2
FUZZ_SECONDS ?= 120
FUZZ_SMOKE_SECONDS ?= 5
FUZZ_CORPUS = tests/fuzz/corpus
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test test-sanitizers fuzz fuzz-smoke fuzz-build soak bench \
	docs install package format clean

all: build

# Installs whatever Debian packages are missing.
setup:
	@./tools/install-deps.sh

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/drelm-wheel

# A short run of the fuzzer over its corpus, the unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every test.
test: build
	@$(MAKE) fuzz-smoke test-sanitizers
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitizers: setup
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDRELM_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target drelm-unit-tests drelm-wheel-snapshot
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) -L 'unit|tool' --output-on-failure -j $(JOBS)

fuzz-build: setup
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDRELM_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target drelm-canvas-fuzz

# A bounded fuzzing session; what it finds goes into the corpus, to be checked in.
fuzz: fuzz-build
	./$(FUZZ_BUILD)/tests/drelm-canvas-fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -max_len=512 $(FUZZ_CORPUS)

# The corpus, then a few seconds of new inputs that are not kept.
fuzz-smoke: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/scratch
	./$(FUZZ_BUILD)/tests/drelm-canvas-fuzz -max_total_time=$(FUZZ_SMOKE_SECONDS) -timeout=10 \
	  -max_len=512 $(FUZZ_BUILD)/scratch $(FUZZ_CORPUS)

# Ten million passes off-screen; prints its figures.
soak: build
	./$(BUILD)/tests/drelm-soak

bench: build
	./$(BUILD)/bench/drelm-bench
	./bench/window_bench.sh ./$(BUILD)/src/drelm-wheel ./$(BUILD)/bench/drelm-bench-window

# Honours PREFIX (default /usr/local) and DESTDIR.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package, drelm-wheel_<version>_<arch>.deb, in the build folder.
package: build
	cd $(BUILD) && cpack

# The pictures in the README, made by the snapshot tool.
docs: build
	./$(BUILD)/tools/drelm-wheel-snapshot --passes 15000 --size 1280x640 --out docs/drelm-wheel.png
	./$(BUILD)/tools/drelm-wheel-snapshot --passes 12566 --size 1280x640 --gif docs/drelm-wheel.gif

format:
	clang-format -i $$(git ls-files -co --exclude-standard '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)

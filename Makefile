# The two commands of the README, and a few more. CMake presets and CTest do the real work:
# `cmake --list-presets` names the builds (run, default, asan, fuzz, windows, web, arm64, armhf).
MAKEFLAGS += --no-print-directory
JOBS ?= 2
FUZZ_SECONDS ?= 120
FUZZ_SMOKE_SECONDS ?= 5
FUZZ_CORPUS = tests/fuzz/corpus
BUILD = build

.PHONY: all setup setup-run build run windows web arm test sanitizers-build test-sanitizers fuzz fuzz-smoke fuzz-build soak bench \
	docs install uninstall package release format clean

# Every time stamp in what is built comes from the commit (its time, unless given; in the source
# tarball too), and what is shipped depends on neither the time zone nor the language of whoever
# builds it (nor the umask: its recipes set it).
SOURCE_DATE_EPOCH ?= $(shell ./tools/source-date-epoch.sh)
export SOURCE_DATE_EPOCH
package release windows web: export TZ := UTC
package release windows web: export LC_ALL := C.UTF-8

all: build

# Installs whatever Debian packages are missing: for running the program, or for everything.
setup-run:
	@./tools/install-deps.sh run
setup:
	@./tools/install-deps.sh test

# The program alone, in its own build folder: what running it needs and nothing else.
run: setup-run
	@cmake --preset run >/dev/null
	@cmake --build build-run -j $(JOBS) --target drelm-wheel
	./build-run/src/drelm-wheel

# Windows, cross-compiled with mingw-w64: the 32-bit and the 64-bit drelm-wheel.exe, then the one
# installer that carries both.
windows:
	@./tools/install-deps.sh windows
	@cmake --preset windows-x86 >/dev/null
	@cmake --build build-windows-x86 -j $(JOBS)
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS)
	@echo "build-windows-x86/src/drelm-wheel.exe (32-bit)"
	@echo "build-windows/src/drelm-wheel.exe (64-bit)"
	@echo "build-windows/drelm-wheel-$$(sed -n 's/.*DRELM_VERSION \"\(.*\)\"/\1/p' build-windows/generated/drelm_version.h)-setup.exe"

# The web page, with emscripten: build-web/site, to put on any static web server or open from disk.
web:
	@./tools/install-deps.sh web
	@cmake --preset web >/dev/null
	@cmake --build build-web -j $(JOBS)
	@echo "build-web/site/index.html"

# Linux on ARM, cross-compiled against Debian's arm64 and armhf libraries: what the tests run under
# qemu (the program, the snapshot tool and the checksum tool of each; the unit tests of arm64).
ARM_TARGETS = drelm-wheel drelm-wheel-snapshot drelm-data drelm-picture-checksum
arm:
	@./tools/install-deps.sh arm
	@cmake --preset arm64 >/dev/null
	@cmake --build build-arm64 -j $(JOBS) --target $(ARM_TARGETS) drelm-unit-tests
	@cmake --preset armhf >/dev/null
	@cmake --build build-armhf -j $(JOBS) --target $(ARM_TARGETS)

# Everything, with the tests and the benchmarks.
build: setup
	@cmake --preset default >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Everything built (what the tests need installed first), then every test of the Linux build, the
# unit and tool tests under AddressSanitizer and UndefinedBehaviorSanitizer, a short run of the
# fuzzer over its corpus, the Windows build under Wine beside the web page in headless Chromium,
# the ARM builds under qemu, and last whether anything was written into the home folder since the
# set-up began; then one summary of all of them. The other builds (the sanitizers', the fuzzer's,
# the Windows programs, the web page, ARM's) are made in the background, at the lowest priority,
# while the Linux build's tests mostly wait on windows; a phase that needs one waits for it.
test:
	@stamp=$$(mktemp) && trap 'rm -f "$$stamp"' EXIT && ./tests/run_all.sh \
	  "set-up and build" \
	    "$(MAKE) build && \
	     ./tests/in_background.sh $(BUILD)/checks.log nice -n 19 $(MAKE) sanitizers-build fuzz-build && \
	     ./tests/in_background.sh $(BUILD)/others.log nice -n 19 $(MAKE) windows web && \
	     ./tests/in_background.sh $(BUILD)/arm.log nice -n 19 $(MAKE) arm" \
	  "every test of the Linux build" \
	    "ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE 'wine|web|arm'" \
	  "unit and tool tests under the sanitizers" \
	    "./tests/in_background.sh --wait $(BUILD)/checks.log && $(MAKE) test-sanitizers" \
	  "fuzz, $(FUZZ_SMOKE_SECONDS) s over the corpus" "$(MAKE) fuzz-smoke" \
	  "the Windows build under Wine, the web page" \
	    "./tests/in_background.sh --wait $(BUILD)/others.log && $(MAKE) windows web && \
	     ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -L 'wine|web'" \
	  "the ARM builds under qemu" \
	    "./tests/in_background.sh --wait $(BUILD)/arm.log && $(MAKE) arm && \
	     ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -L arm" \
	  "nothing written into the home folder" "./tests/home_untouched.sh $$stamp"

sanitizers-build: setup
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS) --target drelm-unit-tests drelm-wheel-snapshot \
	  drelm-picture-checksum

test-sanitizers: sanitizers-build
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir build-asan -L 'unit|tool' --output-on-failure -j $(JOBS)

fuzz-build: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target drelm-canvas-fuzz

# A bounded fuzzing session. What it finds goes to a scratch folder first; only the inputs that
# reach code the corpus does not are then merged into the corpus, to be checked in.
fuzz: fuzz-build
	@rm -rf build-fuzz/found && mkdir -p build-fuzz/found
	./build-fuzz/tests/drelm-canvas-fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -max_len=512 build-fuzz/found $(FUZZ_CORPUS)
	./build-fuzz/tests/drelm-canvas-fuzz -merge=1 -timeout=10 -max_len=512 \
	  $(FUZZ_CORPUS) build-fuzz/found

# The corpus, then a few seconds of new inputs that are not kept.
fuzz-smoke: fuzz-build
	@mkdir -p build-fuzz/scratch
	./build-fuzz/tests/drelm-canvas-fuzz -max_total_time=$(FUZZ_SMOKE_SECONDS) -timeout=10 \
	  -max_len=512 build-fuzz/scratch $(FUZZ_CORPUS)

# Ten million passes off-screen, then a minute's pause in the real window; prints its figures.
soak: build
	./$(BUILD)/tests/drelm-soak
	PAUSE_SECONDS=60 ./tests/window/test_pause_cost.sh ./$(BUILD)/src/drelm-wheel

# Debian's Google Benchmark is built with its assertions on and says so at every start; they lie
# outside the timed loops, so the line is left out.
# The benchmarks of the passes take turns, so that a machine growing busier or idler meanwhile
# weighs on each alike. The window's part is given the off-screen rate, to tell what the window
# costs beyond its passes.
bench: build web
	@bash -c "set -o pipefail; ./$(BUILD)/bench/drelm-bench --benchmark_color=false \
	  --benchmark_enable_random_interleaving=true 2>&1 | \
	  grep -v 'Library was built as DEBUG' | tee $(BUILD)/bench/passes.txt"
	@OFFSCREEN_PASSES_A_SECOND=$$(sed -n 's/.*own rasterizer \([0-9]*\),.*/\1/p' \
	  $(BUILD)/bench/passes.txt) ./bench/window_bench.sh ./$(BUILD)/src/drelm-wheel $(BUILD)/bench
	@node bench/page_cpu.mjs build-web/site

# Honours PREFIX (default /usr/local) and DESTDIR.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# Removes what the last `make install` put in place, as CMake listed it (give the same DESTDIR).
uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || \
	  { echo "make uninstall: no $(BUILD)/install_manifest.txt: nothing was installed from here" >&2; exit 1; }
	@while IFS= read -r file || [ -n "$$file" ]; do rm -fv -- "$(DESTDIR)$$file"; done \
	  < $(BUILD)/install_manifest.txt

# A Debian package, drelm-wheel_<version>_<arch>.deb, in build-package: what it needs installed,
# and what goes into it built, nothing more. ARCH=arm64 or ARCH=armhf makes that architecture's
# instead, cross-compiled, in build-package-<arch>; without ARCH, this machine's own.
ARCH ?=
package_folder = build-package$(if $(ARCH),-$(ARCH))
package:
	@case "$(ARCH)" in "" | arm64 | armhf) ;; \
	  *) echo "make package: ARCH is arm64 or armhf (or none, for this machine's), not '$(ARCH)'" >&2; \
	     exit 2 ;; esac
	@./tools/install-deps.sh $(or $(ARCH),package)
	@cmake --preset package$(if $(ARCH),-$(ARCH)) >/dev/null
	@umask 022 && cmake --build $(package_folder) -j $(JOBS)
	@cd $(package_folder) && umask 022 && cpack >/dev/null
	@ls $(package_folder)/drelm-wheel_*.deb

# Every file of a release in dist/, named with the version, with SHA256SUMS: the Debian packages
# (amd64, arm64, armhf), the Windows installer and both Windows programs, the web page as a zip, and the source of the
# commit. The same bytes from any clone of the commit (tools/compare-releases.sh checks two), so
# a tree that is not its commit is refused, in one line, before anything is made.
ifneq ($(filter release,$(MAKECMDGOALS)),)
  tree_differs := $(shell ./tools/tree-is-its-commit.sh 2>&1)
  ifneq ($(tree_differs),)
    $(error $(tree_differs))
  endif
endif
release:
	@./tools/install-deps.sh release
	@$(MAKE) package ARCH=
	@$(MAKE) package ARCH=arm64
	@$(MAKE) package ARCH=armhf
	@$(MAKE) windows
	@$(MAKE) web
	@umask 022 && ./tools/release.sh dist

# The pictures in the README, made by the snapshot tool.
docs: build
	./$(BUILD)/tools/drelm-wheel-snapshot --passes 15000 --size 1280x640 --out docs/drelm-wheel.png
	./$(BUILD)/tools/drelm-wheel-snapshot --passes 12566 --size 1280x640 --gif docs/drelm-wheel.gif

format:
	clang-format -i $$(git ls-files -co --exclude-standard '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-run build-package build-package-arm64 build-package-armhf build-asan \
	  build-fuzz build-windows build-windows-x86 build-web build-arm64 build-armhf dist

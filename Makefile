# The two commands of the README, and a few more. CMake and CTest do the real work.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test bench docs install package format clean

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

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

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

# The project's commands. Each installs what is missing, then builds.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps build program run test demo test-sanitize test-windows fuzz bench install clean package stress

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# The program alone, without the tests and tools: what make run needs.
program: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target kestrix

run: program
	./$(BUILD)/kestrix

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

demo: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target kestrix kestrix-sample-server
	bash scripts/demo.sh $(BUILD)

# The randomized user-action test for many seeds: make stress SEEDS=1-500
SEEDS ?= 1-200
stress: build
	bash scripts/useractions.sh $(SEEDS) $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

# The package tests are left out: a sanitized debug build is no package, and lacks the
# release hardening that lintian looks for.
test-sanitize:
	@bash scripts/install-deps.sh
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
	cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS) -E '^package\.'

# The pure layers and their tests cross-built for Windows, the tests run under wine. Not part
# of make test: the first run builds GoogleTest and a wine prefix.
# A new wine prefix is made before the tests start: tests that start while wine makes it can
# lose their connection to it.
WINEPREFIX_DIR = $(CURDIR)/build-windows/wineprefix
test-windows:
	@bash scripts/install-deps.sh --windows
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DKESTRIX_WITH_QT=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRIX_WINE_PREFIX=$(WINEPREFIX_DIR)
	cmake --build build-windows -j$(JOBS)
	test -f $(WINEPREFIX_DIR)/system.reg || { \
	  WINEDEBUG=-all WINEPREFIX=$(WINEPREFIX_DIR) /usr/lib/wine/wine64 wineboot --init && \
	  WINEPREFIX=$(WINEPREFIX_DIR) /usr/lib/wine/wineserver -w; }
	cd build-windows && ctest --output-on-failure -j$(JOBS)

fuzz:
	@bash scripts/install-deps.sh --fuzz
	CXX=clang++ cmake -S . -B build-fuzz -DKESTRIX_WITH_QT=OFF -DKESTRIX_TESTS=OFF -DKESTRIX_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j$(JOBS)

bench: build
	@bash scripts/install-deps.sh --bench
	bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz build-windows

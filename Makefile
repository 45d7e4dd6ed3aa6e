# Two commands set up a fresh Debian 12 machine: `make run` and `make test`.
# Everything else here is a convenience around CMake.

BUILD      ?= build
JOBS       ?= $(shell nproc)
CTEST_ARGS ?=
PREFIX     ?= /usr/local
PACKAGES   := cmake ninja-build g++ make pkg-config ccache libgtest-dev libgmock-dev \
              libbenchmark-dev libpng-dev zlib1g-dev libsdl2-dev \
              locales-all xvfb xdotool x11-apps x11-utils openbox wmctrl x11-xkb-utils \
              clang libclang-rt-14-dev nlohmann-json3-dev
# The Windows cross-build and the Wine tests (see `make windows`).
PACKAGES   += g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
              wine wine64 xauth

.PHONY: all deps build test run install screenshot asan tsan fuzz fuzz-smoke fuzz-seeds bench clean windows windows-test

all: build

# Installs only what is missing, so a ready machine pays one dpkg query.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	    $$SUDO apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The default build's tests also cover the Windows build under Wine; the sanitizer
# builds (another BUILD) leave it out.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)
ifeq ($(BUILD),build)
	$(MAKE) windows-test
endif

# Starts the program; it runs until its main window is closed or Exit is chosen.
run: build
	$(BUILD)/app/torvex

# Every bench program runs, even after one fails; the target fails if any did.
# The program, its desktop entry and its icon under PREFIX (bin/, share/applications/,
# share/icons/hicolor/).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The README's picture of the program, photographed on the headless display.
screenshot: build
	$(BUILD)/packaging/torvex_shot window docs/torvex.png

bench: build
	@status=0; for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b || status=1; done; exit $$status

# The sanitizer builds (at -Og, see CMakeLists.txt) leave out the benchmark programs,
# the packaging tools and the tests labelled desktop or wine (a real display, a Windows
# build): those test the world outside our code and are the slowest to run under a
# sanitizer.
SANITIZER_CTEST := -LE 'desktop|wine'

asan:
	LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan-suppressions.txt:print_suppressions=0 $(MAKE) test BUILD=build-asan CTEST_ARGS="$(SANITIZER_CTEST)" \
	    CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Sanitize -DTORVEX_SANITIZE=address -DTORVEX_BENCH=OFF"

tsan:
	$(MAKE) test BUILD=build-tsan CTEST_ARGS="$(SANITIZER_CTEST)" \
	    CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Sanitize -DTORVEX_SANITIZE=thread -DTORVEX_BENCH=OFF"

# libFuzzer (clang, with AddressSanitizer and UBSan): each target runs FUZZ_SECONDS on
# its seeds in fuzz/corpus, keeping what it learns in build-fuzz/corpus and writing any
# failing input to build-fuzz/findings. Copy a finding into fuzz/regressions/TARGET
# and the ordinary suite replays it from then on.
FUZZ_SECONDS ?= 180
FUZZ_TARGETS := rc_script dialog_template menu_template resource_image
FUZZ_BUILD   := build-fuzz

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVEX_SANITIZE=fuzzer -DTORVEX_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings/$$t; \
	    echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	    $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	        -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/findings/$$t/ \
	        $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2>$(FUZZ_BUILD)/fuzz_$$t.log \
	        || { tail -60 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
	    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' $(FUZZ_BUILD)/fuzz_$$t.log; \
	done

# CI's short run: seconds per target, enough to prove the targets build and start.
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=$${FUZZ_SMOKE_SECONDS:-15}

# Rewrites the seed corpora from resources/torvex.rc and its icon.
fuzz-seeds: build
	cmake --build $(BUILD) --target make_seeds
	$(BUILD)/fuzz/make_seeds resources fuzz/corpus

# The same source cross-built as a native Windows program (MinGW-w64) into build-windows/.
WINDOWS_BUILD ?= build-windows

$(WINDOWS_BUILD)/build.ninja: | deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake

windows: deps $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Its tests run under Wine (prefix in $(WINDOWS_BUILD)/wineprefix) on a virtual X display.
windows-test: windows
	cd $(WINDOWS_BUILD) && xvfb-run -a -s "-screen 0 1024x768x24" \
	    ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

clean:
	rm -rf build build-asan build-tsan $(FUZZ_BUILD) $(WINDOWS_BUILD)

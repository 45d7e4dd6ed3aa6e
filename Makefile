# Two commands set up a fresh Debian 12 machine: `make run` and `make test`.
# Everything else here is a convenience around CMake.

BUILD      ?= build
JOBS       ?= $(shell nproc)
CTEST_ARGS ?=
PREFIX     ?= /usr/local
PACKAGES   := cmake ninja-build g++ make pkg-config ccache libgtest-dev libgmock-dev \
              libbenchmark-dev libpng-dev zlib1g-dev libsdl2-dev \
              locales-all xvfb xdotool x11-apps x11-utils openbox

.PHONY: all deps build test run install screenshot asan tsan bench clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

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

asan:
	$(MAKE) test BUILD=build-asan CMAKE_ARGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVEX_SANITIZE=address"

tsan:
	$(MAKE) test BUILD=build-tsan CMAKE_ARGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVEX_SANITIZE=thread"

clean:
	rm -rf build build-asan build-tsan

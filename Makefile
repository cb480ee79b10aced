# The README's commands. `make run` and `make test` set everything up first
# (Debian packages, configure, build), so they work on a fresh machine.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CLI = $(BUILD)/src/cli/kvem-cli

.PHONY: all deps configure build run test sanitize-test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The main job: set up the settings, then the heat loss of the example house.
run: build
	$(CLI) setup
	$(CLI) calc examples/family-house.kvm

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The engine tests under AddressSanitizer and UndefinedBehaviorSanitizer (no GUI).
sanitize-test: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVEM_SANITIZE=ON \
	  -DKVEM_BUILD_GUI=OFF -DKVEM_BUILD_BENCH=OFF >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

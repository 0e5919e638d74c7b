# The two commands of the README: `make run` and `make test`. Both install what
# is missing (scripts/install-deps), configure and build first.

BUILD_DIR   ?= build
BENCH_DIR   ?= build-bench
CMAKE_FLAGS ?=
JOBS        ?= $(shell nproc)

.PHONY: all deps configure build test run screenshot bench format clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# RUN_ARGS passes options to the program, for example RUN_ARGS="--data-dir /tmp/mydata".
run: build
	@if [ -x $(BUILD_DIR)/bin/vantelo ]; then \
		$(BUILD_DIR)/bin/vantelo $(RUN_ARGS); \
	else \
		echo "This build has no main window (VANTELO_GUI=OFF); the core, vantelo-cli and the tests are in $(BUILD_DIR)/bin."; \
	fi

# The main window on the sample data, under Xvfb, as docs/screenshot-main.png.
screenshot: build
	scripts/screenshot $(BUILD_DIR)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTELO_BENCH=ON -DVANTELO_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for program in $(BENCH_DIR)/bin/*_bench; do echo "== $$program"; $$program || exit 1; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)

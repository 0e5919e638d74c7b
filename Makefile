# The two commands of the README: `make run` and `make test`. Both install what
# is missing (scripts/install-deps), configure and build first.

SHELL := /bin/bash

BUILD_DIR   ?= build
BENCH_DIR   ?= build-bench
ASAN_DIR    ?= build-asan
TSAN_DIR    ?= build-tsan
FUZZ_DIR    ?= build-fuzz
COVERAGE_DIR ?= build-coverage
SECONDS     ?= 60
CMAKE_FLAGS ?=
JOBS        ?= $(shell nproc)

PREFIX      ?= /usr/local

.PHONY: all deps configure build test run install screenshot bench sanitize sanitize-address sanitize-thread fuzz coverage format clean

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

# The programs in $(PREFIX)/bin, the shipped files in $(PREFIX)/share/vantelo.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package of the build: $(BUILD_DIR)/vantelo_<version>_<architecture>.deb.
.PHONY: package
package: build
	cmake --build $(BUILD_DIR) --target package

# The pictures of the README and the user guide, under Xvfb, in resources/pages/screenshots/.
screenshot: build
	scripts/screenshot $(BUILD_DIR)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTELO_BENCH=ON -DVANTELO_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for program in $(BENCH_DIR)/bin/*_bench; do echo "== $$program"; $$program || exit 1; done

# The core tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the threaded ones under ThreadSanitizer; Qt-free trees that build only the
# test program they run.
sanitize: sanitize-address sanitize-thread

sanitize-address:
	scripts/install-deps --core
	cmake -S . -B $(ASAN_DIR) -G Ninja -DVANTELO_GUI=OFF -DVANTELO_SANITIZE=address,undefined $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS) --target vantelo_core_tests
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS) -L core

sanitize-thread:
	scripts/install-deps --core
	cmake -S . -B $(TSAN_DIR) -G Ninja -DVANTELO_GUI=OFF -DVANTELO_SANITIZE=thread $(CMAKE_FLAGS)
	cmake --build $(TSAN_DIR) -j $(JOBS) --target vantelo_core_tests
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -L threaded

# Every fuzzer for SECONDS seconds, each on its committed seed corpus plus what
# earlier runs found (kept in $(FUZZ_DIR)/corpus); crash inputs land in
# $(FUZZ_DIR)/crashes.
fuzz:
	scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DVANTELO_FUZZ=ON -DVANTELO_GUI=OFF -DVANTELO_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@mkdir -p $(FUZZ_DIR)/crashes
	@for name in $$(sed -n 's/^  \([a-z_]*\)$$/\1/p' tests/fuzz/FuzzTargetList.cmake); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$name; \
		echo "== fuzz_$$name for $(SECONDS) s"; \
		$(FUZZ_DIR)/bin/fuzz_$$name -max_total_time=$(SECONDS) -rss_limit_mb=4096 -timeout=10 \
			-artifact_prefix=$(FUZZ_DIR)/crashes/$$name- -print_final_stats=1 \
			$(FUZZ_DIR)/corpus/$$name tests/fuzz/corpus/$$name 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' ; \
		test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

# Line coverage of the core libraries by the core tests (gcov and gcovr).
coverage:
	scripts/install-deps --coverage
	cmake -S . -B $(COVERAGE_DIR) -G Ninja -DVANTELO_GUI=OFF -DVANTELO_COVERAGE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(COVERAGE_DIR) -j $(JOBS) --target vantelo_core_tests
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	cd $(COVERAGE_DIR) && ctest -j $(JOBS) -L core > ctest.log || (tail -40 ctest.log; exit 1)
	gcovr --root . --object-directory $(COVERAGE_DIR) --filter 'src/' --exclude '.*/ui/.*' \
		--exclude 'src/widgets/.*' --exclude 'src/filling/web/.*' --print-summary \
		--txt $(COVERAGE_DIR)/coverage.txt
	@echo "per-file figures: $(COVERAGE_DIR)/coverage.txt"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(ASAN_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(COVERAGE_DIR)

# The two commands of the README: `make run` builds and starts the IDE, `make test` builds
# and runs every test. Both install the Debian packages they need first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local

# The plain C++ test programs, also built with AddressSanitizer and UndefinedBehaviorSanitizer by
# `make check-all` (too slow a first build to be part of `make test`).
SANITIZED_TESTS = test_platform test_highlight test_search test_editor test_toolrun test_config
# The test programs of code that starts threads, also built with ThreadSanitizer by `make check-all`.
TSAN_TESTS = test_editor

.PHONY: run test check-all build configure deps bench clean install package

# Builds the program and what it needs, not the test programs (`make test` builds those).
run: configure
	cmake --build $(BUILD_DIR) --target quillon
	./$(BUILD_DIR)/bin/quillon

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

check-all: test
	cmake -S . -B $(BUILD_DIR)-asan -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQUILLON_SANITIZE=ON
	cmake --build $(BUILD_DIR)-asan --target $(SANITIZED_TESTS)
	for t in $(SANITIZED_TESTS); do \
	    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	        ./$(BUILD_DIR)-asan/bin/$$t --gtest_brief=1 || exit 1; \
	done
	cmake -S . -B $(BUILD_DIR)-tsan -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQUILLON_TSAN=ON
	cmake --build $(BUILD_DIR)-tsan --target $(TSAN_TESTS)
	for t in $(TSAN_TESTS); do \
	    TSAN_OPTIONS=halt_on_error=1 ./$(BUILD_DIR)-tsan/bin/$$t --gtest_brief=1 || exit 1; \
	done

# The benchmark rows, then the rows measured on the running program under Xvfb.
bench:
	scripts/install-deps.sh xdotool vim-nox python3
	cmake -S . -B $(BUILD_DIR)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON
	cmake --build $(BUILD_DIR)-bench --target quillon quillon_bench quillon_load_peak_memory
	bench/run-benchmarks.sh $(BUILD_DIR)-bench
	python3 bench/gui/gui_bench.py $(BUILD_DIR)-bench

# Installs into $(PREFIX) (below $(DESTDIR) when set).
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Builds the Debian package quillon_<version>-1_<arch>.deb here, for `apt install ./quillon_*.deb`.
package: build
	rm -f $(BUILD_DIR)/quillon_*.deb
	cd $(BUILD_DIR) && cpack -G DEB
	cp $(BUILD_DIR)/quillon_*.deb .

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

deps:
	scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-asan $(BUILD_DIR)-tsan

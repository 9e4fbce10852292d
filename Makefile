# The two commands of the README: `make run` builds and starts the IDE, `make test` builds
# and runs every test. Both install the Debian packages they need first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local

.PHONY: run test build deps bench clean install package

run: build
	./$(BUILD_DIR)/bin/quillon

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

bench: deps
	cmake -S . -B $(BUILD_DIR)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON
	cmake --build $(BUILD_DIR)-bench --target quillon_bench quillon_load_peak_memory
	bench/run-benchmarks.sh $(BUILD_DIR)-bench

# Installs into $(PREFIX) (below $(DESTDIR) when set).
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Builds the Debian package quillon_<version>-1_<arch>.deb here, for `apt install ./quillon_*.deb`.
package: build
	rm -f $(BUILD_DIR)/quillon_*.deb
	cd $(BUILD_DIR) && cpack -G DEB
	cp $(BUILD_DIR)/quillon_*.deb .

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR)

deps:
	scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench

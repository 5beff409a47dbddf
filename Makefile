# Trigonix — the commands a player, a packager and a developer need.
# CMake does the real work underneath; see README.md.

SANITIZE ?= 0
PREFIX   ?= /usr/local
DESTDIR  ?=
JOBS     ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD_DIR  ?= build-sanitize
CMAKE_ARGS += -DTRIGONIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD_DIR  ?= build
CMAKE_ARGS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps configure build run test bench fuzz install uninstall clean

all: build

deps:
	@sh tools/install_deps.sh

configure:
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_ARGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Plays from run/, whose Data folder is filled from the generated pictures,
# sounds and music; the player's two data files there are never overwritten.
run: deps build
	@mkdir -p run/Data
	@cmake --build $(BUILD_DIR) --target data >/dev/null
	@python3 tools/fill_data_folder.py $(BUILD_DIR)/Data run/Data
	@cd run && ../$(BUILD_DIR)/trigonix

# Every test runs headless: one private X server for the whole run, and
# SDL's dummy audio driver (set per test in CMake).
test: deps build
	@cd $(BUILD_DIR) && xvfb-run -a -s "-screen 0 1280x1024x24" \
	    ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS) --target trigonix_bench data
	@sh bench/run.sh build-bench

fuzz: deps
	@cmake -S . -B build-fuzz -DTRIGONIX_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_bitmap
	@mkdir -p fuzz-out
	@build-fuzz/fuzz_bitmap -runs=$${FUZZ_RUNS:-1000000} fuzz-out tests/fuzz_corpus/bitmap

install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

uninstall:
	@sh tools/uninstall.sh "$(BUILD_DIR)/install_manifest.txt" "$(DESTDIR)"

clean:
	@rm -rf build build-sanitize build-bench build-fuzz

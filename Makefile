# Trigonix — the commands a player, a packager and a developer need.
# CMake does the real work underneath; see README.md.

SANITIZE ?= 0
NO_DEPS  ?= 0
PREFIX   ?= /usr/local
DESTDIR  ?=
JOBS     ?= $(shell nproc)

# Here a warning is a fault to mend; a packager's own cmake leaves it a warning.
WERROR := -DTRIGONIX_WERROR=ON

# The compiler and linker flags Debian builds its packages with.
DEBIAN_FLAGS = \
    -DCMAKE_C_FLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"

ifeq ($(SANITIZE),1)
BUILD_DIR  ?= build-sanitize
CMAKE_ARGS += -DTRIGONIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD_DIR  ?= build
CMAKE_ARGS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

# The Debian packages a command needs (tools/install_deps.sh has the sets);
# NO_DEPS=1 skips the step for whoever installs them another way.
deps_for = @[ "$(NO_DEPS)" = 1 ] || sh tools/install_deps.sh $(1)

.PHONY: all deps configure build run test bench fuzz deb portability install uninstall clean \
        windows windows-tests

# The Windows program, cross-built with mingw-w64 into build-windows/.
WINDOWS_DIR := build-windows
WINDOWS_CONFIGURE = cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
    -DCMAKE_BUILD_TYPE=Release $(WERROR) >/dev/null
# Whether the cross compiler and Wine are there to build and run its tests.
HAVE_WINDOWS_TOOLS = command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 && \
    command -v wine >/dev/null 2>&1

all: build

deps:
	$(call deps_for,run test bench fuzz deb windows)

configure:
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_ARGS) $(WERROR) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Plays from run/, whose Data folder is filled from the generated pictures,
# sounds and music; the player's two data files there are never overwritten.
run:
	$(call deps_for,run)
	@$(MAKE) --no-print-directory build
	@mkdir -p run/Data
	@cmake --build $(BUILD_DIR) --target data >/dev/null
	@python3 tools/fill_data_folder.py $(BUILD_DIR)/Data run/Data
	@cd run && ../$(BUILD_DIR)/trigonix

# Every test runs headless: one private X server for the whole run, and
# SDL's dummy audio driver (set per test in CMake). The Windows program's
# tests run under Wine in the same server, when the tools are there.
test:
	$(call deps_for,test)
	@$(MAKE) --no-print-directory build
	@if $(HAVE_WINDOWS_TOOLS); then $(MAKE) --no-print-directory windows-tests; fi
	@cd $(BUILD_DIR) && xvfb-run -a -s "-screen 0 1280x1024x24" sh -c ' \
	    ctest --output-on-failure -j $(JOBS); status=$$?; \
	    if [ -f ../$(WINDOWS_DIR)/CTestTestfile.cmake ] && $(HAVE_WINDOWS_TOOLS); then \
	        cd ../$(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS) || status=1; \
	    else \
	        echo "Windows tests skipped: mingw-w64 (x86_64-w64-mingw32-g++-posix) or wine is not installed"; \
	    fi; exit $$status'

# Only what the Windows tests run: the program, its Data folder, the tests.
windows-tests:
	@$(WINDOWS_CONFIGURE)
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target trigonix data windows_tests

# trigonix.exe and the zip a player unpacks: build-windows/trigonix-VERSION-windows.zip.
windows:
	$(call deps_for,windows)
	@$(WINDOWS_CONFIGURE)
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target windows_zip
	@python3 packaging/windows/check_zip.py $(WINDOWS_DIR)/trigonix-*-windows.zip $(WINDOWS_DIR)/Data

bench:
	$(call deps_for,bench)
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTRIGONIX_BENCH=ON $(WERROR) >/dev/null
	@cmake --build build-bench -j $(JOBS) --target trigonix_bench data
	@sh bench/run.sh build-bench

fuzz:
	$(call deps_for,fuzz)
	@cmake -S . -B build-fuzz -DTRIGONIX_FUZZ=ON -DTRIGONIX_TESTS=OFF -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(WERROR) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_bitmap
	@mkdir -p fuzz-out
	@build-fuzz/fuzz_bitmap -runs=$${FUZZ_RUNS:-1000000} fuzz-out tests/fuzz_corpus/bitmap

# A Debian package, built as Debian builds one: its compiler flags, under
# /usr with the command in /usr/games, the licence as the package's
# copyright file, stripped. CPack writes build-deb/trigonix_VERSION_ARCH.deb,
# which packaging/check_deb.sh then looks over (lintian included) and, as
# root, installs, plays as an ordinary user and removes.
deb:
	$(call deps_for,deb)
	@cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=None -DTRIGONIX_TESTS=OFF $(WERROR) $(DEBIAN_FLAGS) \
	    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
	    -DTRIGONIX_LICENSE_FILE=share/doc/trigonix/copyright >/dev/null
	@cmake --build build-deb -j $(JOBS)
	@rm -f build-deb/trigonix_*.deb
	@cd build-deb && cpack -G DEB >/dev/null
	@sh packaging/check_deb.sh build-deb/trigonix_*.deb

# The whole tree, tests and benchmarks too, compiled (not run) with clang
# and with Debian's flags, each in a folder of its own: a warning either
# gives is an error, as with gcc.
portability:
	$(call deps_for,test bench)
	@CC=clang CXX=clang++ cmake -S . -B build-clang -DTRIGONIX_BENCH=ON $(WERROR) >/dev/null
	@cmake --build build-clang -j $(JOBS)
	@cmake -S . -B build-debflags -DCMAKE_BUILD_TYPE=None -DTRIGONIX_BENCH=ON $(WERROR) \
	    $(DEBIAN_FLAGS) >/dev/null
	@cmake --build build-debflags -j $(JOBS)

install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

uninstall:
	@sh tools/uninstall.sh "$(BUILD_DIR)/install_manifest.txt" "$(DESTDIR)"

clean:
	@rm -rf build build-sanitize build-bench build-fuzz build-deb build-clang build-debflags \
	    $(WINDOWS_DIR)

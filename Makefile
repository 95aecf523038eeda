# Entry points: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install missing Debian packages first.

BUILD ?= build
# One clang build serves both the sanitized core tests and the fuzzer: the core is compiled with
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzer's coverage instrumentation.
SAN_BUILD ?= build-sanitize
WIN_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
RUN_DIR ?= run-folder
FUZZ_SECONDS ?= 60
WIN_PACKAGES ?= g++-mingw-w64-x86-64-posix wine wine64
PACKAGE_TOOLS ?= dpkg-dev lintian appstream desktop-file-utils shared-mime-info file
WERROR := -DWINTARVEL_WERROR=$(if $(CI),ON,OFF)

.PHONY: all deps build run test test-gui test-core-sanitized fuzz test-windows package windows-release format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) $(WERROR)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The program starts in its own folder, where wintvl.cfg names the stand-in engine (written only
# when missing, so a user's own choice is kept).
run: build
	@scripts/prepare-run-folder.sh $(RUN_DIR) $(abspath $(BUILD))
	cd $(RUN_DIR) && $(abspath $(BUILD))/app/wintarvel

test: test-gui test-core-sanitized fuzz test-windows

# Every core and GUI test of the normal build; the GUI tests run offscreen.
test-gui: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

$(SAN_BUILD)/build.ninja:
	CXX=clang++ cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DWINTARVEL_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DWINTARVEL_SANITIZE=ON \
	  -DWINTARVEL_FUZZ=ON $(WERROR)

# The core and its tests under the sanitizers, with Qt kept out of reach so the core can never
# start to depend on it.
test-core-sanitized: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# Runs the set file reader fuzzer for FUZZ_SECONDS seconds, seeded from the golden files and the
# inputs that once broke the reader. A crash leaves its input in $(SAN_BUILD)/ and fails.
# Absolute paths, because the program under test changes the current folder.
fuzz: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS) --target set_file_reader_fuzzer
	mkdir -p $(SAN_BUILD)/corpus
	$(abspath $(SAN_BUILD))/tests/fuzz/set_file_reader_fuzzer -max_total_time=$(FUZZ_SECONDS) \
	  -max_len=8192 -artifact_prefix=$(abspath $(SAN_BUILD))/ \
	  $(abspath $(SAN_BUILD))/corpus $(abspath tests/data) $(abspath tests/data/fuzz-regressions)

# The core, the Windows platform services, the stand-in engine and the core tests, cross-built
# for 64-bit Windows with MinGW-w64 and run under Wine: headless, quiet, and in a Wine prefix
# of the build folder's own (created first, so that parallel test runs do not race to make it).
# Then the Linux side: the example study run by the Linux program's platform with that Windows
# build of the engine, through Wine, in the same prefix.
WINE_ENV = WINEPREFIX=$(abspath $(WIN_BUILD))/wineprefix WINEDEBUG=-all DISPLAY=
test-windows: deps $(BUILD)/build.ninja
	@scripts/install-deps.sh $(WIN_PACKAGES)
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWINTARVEL_GUI=OFF $(WERROR)
	$(WINE_ENV) wineboot --init
	cmake --build $(WIN_BUILD) -j $(JOBS)
	# One test program at a time, each run whole (a start under Wine costs seconds): parallel
	# Windows programs under one Wine server now and then lose their connection to it (recvmsg:
	# Connection reset by peer).
	ctest --test-dir $(WIN_BUILD) --output-on-failure -j 1
	cmake --build $(BUILD) -j $(JOBS) --target wine_engine_tests
	$(WINE_ENV) WINTARVEL_WINDOWS_ENGINE=$(abspath $(WIN_BUILD))/engine/tarvel.exe \
	  $(BUILD)/tests/wine_engine_tests

# The Debian package dist/wintarvel_VERSION_amd64.deb, built and checked (lintian, files, desktop
# entry, AppStream data, an install and a removal on this machine).
package:
	@scripts/install-deps.sh $(PACKAGE_TOOLS)
	scripts/check-package.sh

# The Windows program, its GUI tests under Wine, the zip and the installer (dist/). Builds Qt for
# Windows first when it is missing (about an hour on two cores); not part of `make test`.
windows-release:
	@scripts/windows-release.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WIN_BUILD) build-package build-windows-release dist

# make        build build/win32/sweepane.exe
# make test   install what is missing, build, run every test under Wine
# make run    install what is missing, build, start the program under Wine
# make bench  sweep timing against a minimal loop, start-up time, image size
# make dist   the release: build/dist/sweepane-VERSION.zip and SHA256SUMS
# make test-bundle  the tests for anyone's Windows: build/dist/sweepane-tests-VERSION.zip
BUILD := build/win32
CMAKE_FLAGS := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
               -DSWEEPANE_DIST_DIR="$(CURDIR)/build/dist"
# make dist BUILD_TESTING=OFF: a build tree without the test programs.
# Given to make, it reaches a tree that exists already. What needs the
# test programs builds them, whatever it was given.
ifneq ($(filter test test-bundle bench,$(MAKECMDGOALS)),)
$(if $(filter-out ON,$(BUILD_TESTING)),$(info make: BUILD_TESTING=ON, for the test programs))
override BUILD_TESTING := ON
endif
ifdef BUILD_TESTING
CMAKE_FLAGS += -DBUILD_TESTING=$(BUILD_TESTING)
endif

.PHONY: all deps configure dist test-bundle test run bench clean
# Every target drives the one build tree: never two cmake --build at once.
.NOTPARALLEL:

all: configure
	cmake --build $(BUILD) -j2

deps:
	@tools/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	@test -z "$(BUILD_TESTING)" || grep -qx 'BUILD_TESTING:BOOL=$(BUILD_TESTING)' $(BUILD)/CMakeCache.txt || \
	    cmake $(BUILD) -DBUILD_TESTING=$(BUILD_TESTING)

# Builds the program and the readme only, not the test programs.
dist: configure
	cmake --build $(BUILD) --target dist

test-bundle: configure
	cmake --build $(BUILD) --target test-bundle

# The Wine prefixes, as 64- and as 32-bit Windows, are made once per build
# tree, like the test programs; ctest then builds the release and the
# bundle, starts and stops their desktops, and runs the bundle in each.
test: all
	tools/wineenv.sh prefix $(BUILD)/wine
	WINEENV_ARCH=win32 tools/wineenv.sh prefix $(BUILD)/wine32
	ctest --test-dir $(BUILD) --output-on-failure --no-tests=error

bench: all
	tools/wineenv.sh up $(BUILD)/wine-bench
	tools/wineenv.sh run $(BUILD)/wine-bench $(BUILD)/tests/bench.exe; \
	    status=$$?; tools/wineenv.sh down $(BUILD)/wine-bench; exit $$status

run: all
	tools/run.sh

clean:
	rm -rf build

# make        build build/win32/sweepane.exe
# make test   install what is missing, build, run every test under Wine
# make run    install what is missing, build, start the program under Wine
# make bench  sweep timing against a minimal loop, start-up time, image size
BUILD := build/win32
CMAKE_FLAGS := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure test run bench clean

all: configure
	cmake --build $(BUILD) -j2

deps:
	@tools/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

test: all
	ctest --test-dir $(BUILD) --output-on-failure

bench: all
	tools/wineenv.sh up $(BUILD)/wine-bench
	tools/wineenv.sh run $(BUILD)/wine-bench $(BUILD)/tests/bench.exe; \
	    status=$$?; tools/wineenv.sh down $(BUILD)/wine-bench; exit $$status

run: all
	tools/run.sh

clean:
	rm -rf build

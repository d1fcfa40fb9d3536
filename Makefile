# make run   - install what is missing, build the program and the applet host, start Zarn
# make test  - install what is missing, build everything with warnings as errors, run
#              every test, then build and run the tests again under AddressSanitizer and UBSan
# make bench - build everything optimised and print the benchmark figures
# make package - build the program and the Debian package (build/zarn_*.deb)

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
# The program alone, or the program with every test and benchmark.
PROGRAM_ONLY := -DBUILD_TESTING=OFF -DZARN_BUILD_BENCH=OFF
EVERYTHING   := -DBUILD_TESTING=ON -DZARN_BUILD_BENCH=ON

.PHONY: all deps build run test test-plain test-asan bench package clean

all: build

deps:
	@sh tools/install-packages.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(PROGRAM_ONLY)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/zarn/zarn

test: deps test-plain test-asan

test-plain:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_WERROR=ON $(EVERYTHING)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZARN_WERROR=ON -DZARN_SANITIZE=ON $(EVERYTHING)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release $(EVERYTHING)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	cmake --build $(BENCH_BUILD) --target bench

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)

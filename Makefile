# Entry points; everything is built with CMake underneath.
#   make test        build and run the tests (Release)
#   make asan-test   the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   make demo        convert the bundled sample analysis (build/demo/sample.sif)
#   make bench       build and run the benchmarks in bench/
#   make format      clang-format every source file
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# The sanitizer build prefers clang, which builds it in half the time.
ASAN_CXX ?= $(shell command -v clang++ >/dev/null 2>&1 && echo clang++ || echo g++)

.PHONY: all build test demo asan-test bench format clean

all: build

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build -j $(JOBS) --output-on-failure

demo: build
	mkdir -p build/demo
	build/tools/rafwrite sample build/demo/sample.raf
	cd build/demo && ../src/driver/raf2sif < ../../demo/answers.txt
	@echo
	@echo "SIF file: build/demo/sample.sif"

asan-test:
	CXX=$(ASAN_CXX) cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
	  -DRAF2SIF_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan -j $(JOBS) --output-on-failure

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DRAF2SIF_BENCH=ON -DRAF2SIF_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	for b in build-bench/bench/*_bench; do $$b || exit 1; done
	bench/convert_bench.sh 20000 20 build-bench

format:
	find src tests bench tools -name '*.h' -o -name '*.cc' | xargs clang-format -i

clean:
	rm -rf build build-asan build-bench

# Entry points; everything is built with CMake underneath.
#   make test        build and run the tests (Release)
#   make asan-test   the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   make tsan-test   the io and sif tests (the threads of the output) under ThreadSanitizer
#   make fuzz        fuzz the conversion, the inspector and the Python reader, FUZZ_TIME seconds each (clang)
#   make coverage    line coverage of src/ reached by the fuzz corpus (clang)
#   make demo        convert the bundled sample analysis (build/demo/sample.sif)
#   make bench       build and run the benchmarks in bench/
#   make format      clang-format every source file
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# The sanitizer build prefers clang, which builds it in half the time.
ASAN_CXX ?= $(shell command -v clang++ >/dev/null 2>&1 && echo clang++ || echo g++)
# With clang the sanitizer tree also builds the fuzz target, so that CI
# compiles the libraries once for both.
ASAN_FUZZ := $(if $(findstring clang,$(ASAN_CXX)),ON,OFF)
FUZZ_TIME ?= 60
FUZZ_TARGETS ?= convert_fuzzer inspect_fuzzer reader_fuzzer
FUZZ_DIR := $(CURDIR)/build-asan/fuzz
# The conversion's files go to a private directory under FUZZ_TMP: memory
# when the machine has it.
FUZZ_TMP ?= $(if $(wildcard /dev/shm),/dev/shm,/tmp)

# The coverage tree: the fuzz targets' replay programs, built with clang's
# source-based coverage; COV_CORPUS adds further corpus folders.
COV_DIR := $(CURDIR)/build-cov/fuzz
COV_CORPUS ?=

.PHONY: all configure build test demo asan-configure asan-test tsan-test fuzz coverage bench format clean

all: build

configure:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build -j $(JOBS) --output-on-failure

# Only the converter and the writer: the first command of a fresh clone.
demo: configure
	cmake --build build -j $(JOBS) --target raf2sif rafwrite
	mkdir -p build/demo
	build/tools/rafwrite sample build/demo/sample.raf
	cd build/demo && ../src/driver/raf2sif --raf sample
	@echo
	@echo "SIF file: build/demo/sample.sif"

asan-configure:
	CXX=$(ASAN_CXX) cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
	  -DRAF2SIF_SANITIZE=ON -DRAF2SIF_FUZZ=$(ASAN_FUZZ) -DRAF2SIF_PYTHON=OFF >/dev/null

asan-test: asan-configure
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan -j $(JOBS) --output-on-failure

# Threads are started by io only (the writer of a file's full output blocks,
# the second part of a pass in two parts), for the result passes of sif: the
# tests of both run under ThreadSanitizer.
tsan-test:
	CXX=$(ASAN_CXX) cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
	  -DRAF2SIF_TSAN=ON >/dev/null
	cmake --build build-tsan -j $(JOBS) --target io_test sif_test
	build-tsan/tests/io/io_test
	build-tsan/tests/sif/sif_test

# Seeds are written afresh by the writer; each target's corpus grows in
# $(FUZZ_DIR)/corpus/TARGET and findings land in $(FUZZ_DIR) as crash-*,
# timeout-*, leak-* files. The targets run one after the other, one worker
# each. Paths are absolute: the targets work in a directory of their own.
fuzz: asan-configure
	@test "$(ASAN_FUZZ)" = ON || { echo "make fuzz needs clang++ (ASAN_CXX)"; exit 1; }
	cmake --build build-asan -j $(JOBS) --target $(FUZZ_TARGETS) make_seeds
	rm -rf $(FUZZ_DIR)/seeds && $(FUZZ_DIR)/make_seeds $(FUZZ_DIR)/seeds
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t && \
	  TMPDIR=$(FUZZ_TMP) $(FUZZ_DIR)/$$t -max_total_time=$(FUZZ_TIME) -max_len=131072 -timeout=10 \
	    -rss_limit_mb=2048 -artifact_prefix=$(FUZZ_DIR)/ -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/seeds $(CURDIR)/tests/driver/regressions || exit 1; \
	done

# Replays the seeds, the regression files and the fuzz corpus of each target
# and prints the line coverage per folder of src/ with the unreached lines.
coverage:
	@command -v clang++ >/dev/null || { echo "make coverage needs clang++"; exit 1; }
	CXX=clang++ cmake -S . -B build-cov -DCMAKE_BUILD_TYPE=Debug -DRAF2SIF_COVERAGE=ON \
	  -DRAF2SIF_TESTS=OFF -DRAF2SIF_PYTHON=OFF >/dev/null
	cmake --build build-cov -j $(JOBS) --target $(FUZZ_TARGETS:%=%_replay) make_seeds
	rm -rf $(COV_DIR)/seeds $(COV_DIR)/*.profraw && \
	  LLVM_PROFILE_FILE=/dev/null $(COV_DIR)/make_seeds $(COV_DIR)/seeds
	for t in $(FUZZ_TARGETS); do \
	  TMPDIR=$(FUZZ_TMP) LLVM_PROFILE_FILE=$(COV_DIR)/$$t-%p.profraw $(COV_DIR)/$${t}_replay \
	    $(COV_DIR)/seeds $(CURDIR)/tests/driver/regressions $(FUZZ_DIR)/corpus/$$t \
	    $(COV_CORPUS) 2>/dev/null || exit 1; \
	done
	llvm-profdata-14 merge -sparse $(COV_DIR)/*.profraw -o $(COV_DIR)/fuzz.profdata
	/usr/bin/python3 fuzz/coverage_report.py $(COV_DIR)/fuzz.profdata src $(COV_DIR)/unreached.txt \
	  $(FUZZ_TARGETS:%=$(COV_DIR)/%_replay)

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DRAF2SIF_BENCH=ON -DRAF2SIF_TESTS=OFF \
	  -DRAF2SIF_PYTHON=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	for b in build-bench/bench/*_bench; do $$b || exit 1; done
	bench/convert_bench.sh 20000 20 build-bench

format:
	find src tests bench tools fuzz python -name '*.h' -o -name '*.cc' | xargs clang-format -i

clean:
	rm -rf build build-asan build-tsan build-bench build-cov

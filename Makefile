# The front door. `make run` and `make test` install what is missing, then build.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
# The Windows build this machine can run under Wine: the 32-bit product where the kernel runs
# 32-bit programs, else the 64-bit build of the same sources (scripts/machine.sh).
WINE_PRESET := $(shell source scripts/machine.sh && runs_i386 && echo windows || echo windows64)

.PHONY: run test bench deps native windows windows64 bench-build clean

deps:
	@scripts/bootstrap.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j$(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j$(JOBS)

windows64: deps
	@cmake --preset windows64 >/dev/null
	@cmake --build --preset windows64 -j$(JOBS)

# The optimised native build the benchmarks run on.
bench-build: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j$(JOBS) --target vexal_bench

run: $(WINE_PRESET)
	@scripts/run-demo.sh

# Every preset is built, and the benchmarks run briefly, so none of them can rot unseen.
test: native windows windows64 bench-build
	@scripts/run-tests.sh

bench: windows $(WINE_PRESET) bench-build
	@scripts/run-bench.sh

clean:
	rm -rf build artifacts

# Fuzz targets (clang, libFuzzer) and the long kill test; see scripts/run-fuzz.sh and scripts/run-soak.sh.
.PHONY: fuzzers fuzz soak
fuzzers: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j$(JOBS) --target vexal_fuzzers
test: fuzzers
fuzz: fuzzers
	@scripts/run-fuzz.sh long
soak: $(WINE_PRESET)
	@scripts/run-soak.sh

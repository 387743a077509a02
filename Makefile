# The front door. `make run` and `make test` install what is missing, then build.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: run test bench deps native windows bench-build clean

deps:
	@scripts/bootstrap.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j$(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j$(JOBS)

# The optimised native build the benchmarks run on.
bench-build: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j$(JOBS) --target vexal_bench

run: windows
	@scripts/run-demo.sh

# Every preset is built, and the benchmarks run briefly, so none of them can rot unseen.
test: native windows bench-build
	@scripts/run-tests.sh

bench: windows bench-build
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
soak: windows
	@scripts/run-soak.sh

# Wisplet: build on Linux with mingw-w64, run and test under Wine.
#   make        install what is missing, build everything (build/bin/Wisplet.exe)
#   make run    build and start Wisplet under Wine
#   make test   build, run the unit tests natively and the end-to-end tests under Wine
#   make bench  build and print the benchmark figures
#   make release  build the zip file and the installer in build/release
#   make fuzz   fuzz the settings file's readers and writers (FUZZ_SECONDS per target)
#   make torture  end Wisplet 200 times in the middle of a save (TORTURE_KILLS)
#   make soak   print what Wisplet holds before and after long use
BUILD := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build deps run test bench fuzz torture soak release clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD)/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/win -j $(JOBS)
	@cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/native -j $(JOBS)

run: build
	@scripts/run.sh

test: build
	@scripts/test.sh

bench: build
	@scripts/bench.sh

release: build
	@cmake --build $(BUILD)/win --target WispletRelease
	@ls -1 $(BUILD)/release/*.zip $(BUILD)/release/*-setup.exe

fuzz: deps
	@scripts/fuzz.sh run $(or $(FUZZ_SECONDS),120)

torture: build
	@WISPLET_TORTURE_KILLS=$(or $(TORTURE_KILLS),200) scripts/wine-run.sh torture-env WispletE2E.exe \
	  --gtest_filter='Torture.*'

soak: build
	@scripts/wine-run.sh soak-env WispletSoakBench.exe

clean:
	rm -rf $(BUILD)

# The front door: `make run` and `make test`. Everything else is a convenience.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
GENERATOR  := -G Ninja
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-main test-asan test-fuzz bench fuzz screenshots install package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/quillbox

test: test-main test-asan test-fuzz

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 600

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUILLBOX_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure --timeout 600

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLBOX_FUZZ=ON -DQUILLBOX_STORE_ONLY=ON -DQUILLBOX_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(FUZZ_BUILD)
	ctest --test-dir $(FUZZ_BUILD) --output-on-failure -R fuzz

# `make fuzz FUZZ_SECONDS=3600` runs the data-file fuzzer as long as asked.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLBOX_FUZZ=ON -DQUILLBOX_STORE_ONLY=ON
	cmake --build $(FUZZ_BUILD)
	mkdir -p fuzz/corpus-run
	$(FUZZ_BUILD)/fuzz/fuzz_load -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 fuzz/corpus-run fuzz/corpus

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DQUILLBOX_BENCH=ON
	cmake --build $(BENCH_BUILD)
	cd $(BENCH_BUILD) && for b in bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

screenshots: build
	tools/screenshots $(BUILD)

install: build
	cmake --install $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)

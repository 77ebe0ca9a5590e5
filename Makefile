# make run   installs what is missing, builds and starts Ampleton
# make test  installs what is missing, builds and runs the whole test suite
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean format

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/ampleton

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	for b in $(BUILD)/bin/bench_*; do $$b; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make run` and `make test`. Both install what is missing first.
.PHONY: run test build deps bench format format-check clean

SOURCES = $(shell find src tests bench -name '*.cpp' -o -name '*.h')

build: deps
	cmake --preset dev
	cmake --build --preset dev

deps:
	@scripts/install-deps full

# Starts Wrenly in the current directory, where it keeps its three CSV files.
run:
	@scripts/display-check
	@$(MAKE) --no-print-directory build
	./build/wrenly

test: build
	ctest --preset dev

bench:
	@scripts/install-deps bench
	cmake --preset bench
	cmake --build --preset bench
	./build-bench/bench/wrenly_bench

format:
	@scripts/install-deps format
	clang-format -i $(SOURCES)

format-check:
	@scripts/install-deps format
	clang-format --dry-run -Werror $(SOURCES)

clean:
	rm -rf build build-asan build-core build-bench

# The two set-up commands of the README: `make run` and `make test`.
SHELL := /bin/bash
RELEASE_DIR := build/release
TEST_DIR := build/asan
PACKAGE_DIR := build/package
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := bmp jpeg settings text_scan
CMAKE_FLAGS := -G Ninja -Wno-dev
SOURCES = $(shell find src tests bench packaging fuzz \( -name '*.cpp' -o -name '*.h' \) -not -path '*/build/*')

.PHONY: all deps build run test bench package fuzz format format-check clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTAMVEL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR)

# Without any display the window cannot open: the current year's calendar goes to a PDF instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./$(RELEASE_DIR)/tamvel; \
	else \
	  year=$$(date +%Y); \
	  ./$(RELEASE_DIR)/tamvel --year $$year --pdf calendrier-$$year.pdf && \
	  echo "Aucun écran disponible : le calendrier $$year est dans $$(pwd)/calendrier-$$year.pdf"; \
	fi

test: deps
	cmake -S . -B $(TEST_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTAMVEL_SANITIZE=ON -DTAMVEL_WERROR=ON \
	  -DTAMVEL_BUILD_BENCH=OFF
	cmake --build $(TEST_DIR)
	ctest --test-dir $(TEST_DIR) --output-on-failure -j2

bench: build
	cmake -S . -B $(RELEASE_DIR) -DTAMVEL_BUILD_BENCH=ON
	cmake --build $(RELEASE_DIR)
	for b in $(RELEASE_DIR)/bench/bench_*; do $$b; done

PACKAGE_DIR := build/package
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := bmp jpeg settings text_scan
CMAKE_FLAGS := -G Ninja -Wno-dev
SOURCES = $(shell find src tests bench packaging fuzz \( -name '*.cpp' -o -name '*.h' \) -not -path '*/build/*')

.PHONY: all deps build run test bench package fuzz format format-check clean

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "Mise en forme correcte."

clean:
	rm -rf build

# The two set-up commands of the README: `make run` and `make test`.
SHELL := /bin/bash
RELEASE_DIR := build/release
TEST_DIR := build/asan
PACKAGE_DIR := build/package
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := bmp jpeg settings text_scan ics_import batch_csv school_calendar
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
	  -DTAMVEL_BUILD_BENCH=OFF -DTAMVEL_PRESS_PROFILE=OFF
	cmake --build $(TEST_DIR)
	ctest --test-dir $(TEST_DIR) --output-on-failure -j2

bench: build
	cmake -S . -B $(RELEASE_DIR) -DTAMVEL_BUILD_BENCH=ON
	cmake --build $(RELEASE_DIR)
	for b in $(RELEASE_DIR)/bench/bench_*; do $$b; done

# The Debian package, built with Debian's hardening flags and checked as Debian and the desktops
# check it: build/package/tamvel_<version>-1_amd64.deb.
package:
	@scripts/install-deps package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(PACKAGE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DTAMVEL_PACKAGE=ON -DTAMVEL_BUILD_TESTS=OFF -DTAMVEL_BUILD_BENCH=OFF
	cmake --build $(PACKAGE_DIR)
	cd $(PACKAGE_DIR) && cpack
	desktop-file-validate $(PACKAGE_DIR)/packaging/*.desktop
	appstreamcli validate --no-net $(PACKAGE_DIR)/packaging/*.metainfo.xml
	lintian --fail-on error $(PACKAGE_DIR)/tamvel_*.deb
	@echo "Paquet prêt : $$(ls $(PACKAGE_DIR)/tamvel_*.deb)"

# Each libFuzzer target runs FUZZ_SECONDS from its seeds (fuzz/corpus), growing its own corpus in
# the build folder; any crash, leak or sanitizer report stops the run with a failure.
fuzz:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAMVEL_SANITIZE=ON -DTAMVEL_BUILD_FUZZ=ON -DTAMVEL_BUILD_TESTS=OFF -DTAMVEL_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) --target fuzz_targets
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t && \
	  QT_QPA_PLATFORM=offscreen $(FUZZ_DIR)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	    -artifact_prefix=$(FUZZ_DIR)/fuzz_$$t- $(FUZZ_DIR)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "Mise en forme correcte."

clean:
	rm -rf build

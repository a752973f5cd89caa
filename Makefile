# make run   build and start the programs against the simulated instrument
# make test  build with sanitizers and run every test
# make install [PREFIX=/usr/local] [DESTDIR=]   install the programs and their files
# make deb   a Debian package under build/run/deb, checked by lintian
# make fuzz  build the fuzz targets with clang and run each for FUZZ_SECONDS
JOBS ?= $(shell nproc)
BUILD_RUN := build/run
BUILD_TEST := build/test

.PHONY: run run-update test build deps bench data examples screenshots help-images install deb fuzz clean

deps:
	@scripts/install-deps

# The programs only; the tests are built by make test.
PROGRAMS := qv-matrix qv-tool qv-instrument-sim qv-update

build: deps
	@scripts/configure $(BUILD_RUN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target $(PROGRAMS)

run: build
	@scripts/run-matrix $(BUILD_RUN)

# QV-Update against the in-process simulated instrument ("SIM"); without a
# display, its unattended restart job instead.
run-update: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  $(BUILD_RUN)/apps/qv-update/qv-update --simulator; \
	else \
	  echo "No display for QV-Update: run  xvfb-run -a $(BUILD_RUN)/apps/qv-update/qv-update --simulator"; \
	  echo "Meanwhile, unattended: qv-update --batch --simulator /I /C SIM"; \
	  $(BUILD_RUN)/apps/qv-update/qv-update --batch --simulator /I /C SIM && echo "exit status 0"; \
	fi

# The tests labelled realtime talk to a simulated instrument in real time and
# mostly wait for it: they run after the others, several at once.
REALTIME_JOBS ?= 6

test: deps
	@scripts/configure $(BUILD_TEST) -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON
	@cmake --build $(BUILD_TEST) -j$(JOBS)
	@cd $(BUILD_TEST) && status=0; \
	  ctest --output-on-failure -j$(JOBS) --timeout 300 -LE realtime || status=1; \
	  ctest --output-on-failure -j$(REALTIME_JOBS) --timeout 300 -L realtime || status=1; \
	  exit $$status

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS from its
# corpus; FUZZ_TARGETS picks some of them. New inputs and findings stay in
# build/fuzz.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
BUILD_FUZZ := build/fuzz

fuzz:
	@scripts/install-deps
	@scripts/install-fuzz-deps
	@scripts/configure $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DQV_FUZZ=ON
	@cmake --build $(BUILD_FUZZ) -j$(JOBS) --target fuzz-targets
	@scripts/run-fuzz $(BUILD_FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

bench: build
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target link_bench transfer_bench grid_bench startup_bench \
	  io_connect_bench update_dsp_bench io_firmware_bench update_flash_bench screen_grab_bench \
	  package_install_bench soak_bench
	@$(BUILD_RUN)/bench/link_bench
	@$(BUILD_RUN)/bench/transfer_bench
	@$(BUILD_RUN)/bench/io_connect_bench
	@$(BUILD_RUN)/bench/update_dsp_bench
	@$(BUILD_RUN)/bench/io_firmware_bench
	@$(BUILD_RUN)/bench/update_flash_bench
	@$(BUILD_RUN)/bench/screen_grab_bench
	@$(BUILD_RUN)/bench/package_install_bench
	@QT_QPA_PLATFORM=offscreen $(BUILD_RUN)/bench/grid_bench
	@QT_QPA_PLATFORM=offscreen $(BUILD_RUN)/bench/startup_bench
	@$(BUILD_RUN)/bench/soak_bench

# Regenerates the embedded data items from their tools.
data: build
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target default-colour lcd-font make-default-scales firmware-data
	@$(BUILD_RUN)/tools/default-colour/default-colour data/items/Colour.bin
	@$(BUILD_RUN)/tools/lcd-font/lcd-font data/items/Font.bin
	@$(BUILD_RUN)/tools/default-scales/make-default-scales data/items
	@$(BUILD_RUN)/tools/firmware-data/firmware-data data/items

# Rebuilds the example packages under data/examples from their manifests.
examples: build
	@scripts/make-examples $(BUILD_RUN)

# Pictures of the programs under docs/screenshots, drawn offscreen.
screenshots: build
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target matrix-screenshots update-screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD_RUN)/tools/screenshots/matrix-screenshots docs/screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD_RUN)/tools/screenshots/update-screenshots docs/screenshots
	@$(MAKE) --no-print-directory help-images

# The pictures the help pages show, copied beside them so that the pages
# take them along wherever they are installed.
help-images:
	@mkdir -p docs/help/images
	@for f in $$(grep -oh 'images/[^"]*\.png' docs/help/*.html | sort -u); do \
	  cp docs/screenshots/$${f#images/} docs/help/$$f; done

PREFIX ?= /usr/local

install: build
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target install-files
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_RUN) --prefix "$(PREFIX)"

deb: build
	@scripts/install-deb-deps
	@cmake --build $(BUILD_RUN) -j$(JOBS) --target install-files
	@rm -f $(BUILD_RUN)/deb/*.deb
	@cd $(BUILD_RUN) && cpack -G DEB
	@lintian --fail-on error $(BUILD_RUN)/deb/*.deb

clean:
	rm -rf build

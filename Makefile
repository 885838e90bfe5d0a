# Two commands on a fresh Debian 12 machine: `make run` starts the animation, `make test` runs
# every test. Each installs the Debian packages it needs when they are missing: `make run` only
# those that building and running the window need, `make test` and `make package` their own tools
# besides.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2
# Tests run three at a time: the longest of them mostly wait on a real X server or a timed run.
TEST_JOBS ?= 3

# The sanitizer build: clang with AddressSanitizer and UndefinedBehaviorSanitizer (failures fatal)
# and the libFuzzer target. Leaks that system libraries keep for the life of the process are
# suppressed by name.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The Debian packages each command needs, installed when missing (as root; otherwise the command
# prints the apt-get line to run and stops).
#
# Building and running the window (make run): cmake and the compiler; Qt 6 Widgets for the window
# and Qt 6 SVG to draw its icon; Liberation Sans, which stands in for Arial; XCB and its MIT-SHM
# extension for the window to put its picture straight into its X11 window; libpng and giflib for
# radial-kinematics' PNG pictures and GIF animations; toml++ (header-only) to read design files,
# which engineers annotate with comments, as TOML keeps them.
BUILD_PACKAGES := cmake g++ make qt6-base-dev qt6-svg-dev fonts-liberation \
                  libxcb1-dev libxcb-shm0-dev libpng-dev libgif-dev libtomlplusplus-dev
# The tests add (make test): GoogleTest and Google Benchmark; Xvfb, openbox, wmctrl, xdotool,
# xwininfo, xprop and xev (x11-utils) and ImageMagick to run, drive, watch and photograph the
# real window; clang with its sanitizer and libFuzzer runtimes for the sanitizer build;
# desktop-file-utils, appstream and lintian to check the desktop entry, the AppStream metadata
# and the .deb, which dpkg-dev builds.
TEST_PACKAGES := libgtest-dev libbenchmark-dev xvfb openbox wmctrl xdotool x11-utils imagemagick \
                 clang libclang-rt-14-dev libfuzzer-14-dev desktop-file-utils appstream lintian \
                 dpkg-dev
# Packaging adds (make package): dpkg-dev, whose dpkg-shlibdeps works out the .deb's dependencies.
PACKAGE_PACKAGES := dpkg-dev

# The web page adds (make web, and its tests in make test): emscripten compiles it; Debian's
# The page is packed by terser (its scripts) and zopfli (its WebAssembly); Chromium runs it in the
# tests, driven by playwright-core. The npm packages are pinned by web/package-lock.json and
# installed into the web build, downloading no browser. Node and npm come with emscripten's
# nodejs unless a Node with its own npm is there already.
WEB_PACKAGES := emscripten chromium zopfli $(if $(shell command -v npm),,npm)
WEB_DIR ?= build-web
# emcc's tools need Debian's node modules beside a newer Node; the prebuilt library cache belongs
# to root and is frozen, so anyone else builds emscripten's libraries into the web build once.
WEB_ENV := NODE_PATH=/usr/share/nodejs \
           $(if $(filter 0,$(shell id -u)),,EM_CACHE=$(CURDIR)/$(WEB_DIR)/em-cache EM_FROZEN_CACHE=)

# Mutation testing adds (make mutants): Python 3, which plants the faults and runs the tests.
MUTANT_PACKAGES := python3
MUTANT_DIR ?= build-mutants

# Every package any command needs.
PACKAGES := $(BUILD_PACKAGES) $(TEST_PACKAGES) $(PACKAGE_PACKAGES) $(WEB_PACKAGES) \
            $(MUTANT_PACKAGES)

.PHONY: all deps build-deps test-deps package-deps web-deps configure build window sanitize run \
        test native-test sanitize-test bench package clean web web-build web-npm web-test bench-web mutants golden

all: build

# $(call install_missing,PACKAGES)
define install_missing
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' \
	        || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" -ne 0 ]; then \
	        echo "Missing Debian packages. Install them with:"; \
	        echo "    sudo apt-get update && sudo apt-get install -y$$missing"; \
	        exit 1; \
	    fi; \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y$$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

build-deps:
	$(call install_missing,$(BUILD_PACKAGES))

test-deps:
	$(call install_missing,$(BUILD_PACKAGES) $(TEST_PACKAGES))

package-deps:
	$(call install_missing,$(BUILD_PACKAGES) $(PACKAGE_PACKAGES))

# Everything, tests and benchmarks included.
configure: test-deps
	cmake -S . -B $(BUILD_DIR) -DRADIAL_BUILD_TESTS=ON -DRADIAL_BUILD_BENCH=ON

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The programs alone. A build directory configured before, with its tests or without, is kept as
# it is; a new one leaves out the tests and benchmarks, whose packages it need not have.
window: build-deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || \
	    cmake -S . -B $(BUILD_DIR) -DRADIAL_BUILD_TESTS=OFF -DRADIAL_BUILD_BENCH=OFF
	cmake --build $(BUILD_DIR) --target radial-engine radial-kinematics release_files -j$(JOBS)

run: window
	./$(BUILD_DIR)/src/app/radial-engine

sanitize: test-deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_CXX_COMPILER=clang++ -DRADIAL_SANITIZE=ON \
	    -DRADIAL_FUZZ=ON -DRADIAL_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j$(JOBS)

# Each build's tests start as soon as that build is made, beside the next build's compiling: the
# longest tests mostly wait on an X server or run for a fixed time. The page's tests come last, on
# their own: they time the page's tasks, which a compiler beside them would stretch. The runs'
# lines interleave; each ends with its own summary, and any failure fails the whole.
test: build
	$(MAKE) --no-print-directory -j2 native-test sanitize-test web-build web-npm
	$(MAKE) --no-print-directory web-test

native-test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(TEST_JOBS)

sanitize-test: sanitize
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j$(TEST_JOBS)

# The golden outputs of tests/golden/ written anew from the tool as it is; a change to them goes in
# a commit of its own that says why.
golden: build
	RADIAL_WRITE_GOLDEN=1 ./$(BUILD_DIR)/tests/radial_cli_tests --gtest_filter='GoldenOutputs.AreWhatTheToolWrites'

# CPack builds whatever the build directory holds before it packs the installed files.
package: package-deps window
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	./$(BUILD_DIR)/bench/radial-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

web-deps:
	$(call install_missing,cmake make $(WEB_PACKAGES))

# The page, written to docs/radial-engine.html, the copy in the repository that anyone can open
# without building it: commit it with the sources it was built from (make test fails until then).
web: web-build
	cp $(WEB_DIR)/radial-engine.html docs/radial-engine.html

# build-web/radial-engine.html, and the frame-hash program the tests run under node.
web-build: web-deps web-npm
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release \
	    -DRADIAL_NATIVE_DIR=$(CURDIR)/$(BUILD_DIR)
	$(WEB_ENV) cmake --build $(WEB_DIR) --target radial-engine frame-hashes -j$(JOBS)

# terser, to pack the page; playwright-core and axe-core, to test it.
web-npm: web-deps
	@node -e 'process.exit(Number(process.versions.node.split(".")[0]) < 20 ? 1 : 0)' \
	    || { echo "playwright-core 1.65 needs Node 20 or later; this is $$(node --version)"; exit 1; }
	mkdir -p $(WEB_DIR)/npm
	cp web/package.json web/package-lock.json $(WEB_DIR)/npm/
	cd $(WEB_DIR)/npm && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --ignore-scripts --no-audit \
	    --no-fund --loglevel=error

# The page in Chromium, the WebAssembly frames against the native ones, and the committed page
# against the one built; the native build gives radial-kinematics' pictures and the native frame
# hashes.
web-test: web-build build web-npm
	cd $(WEB_DIR) && ctest --output-on-failure -j$(JOBS)

# The page's size, load time and time per frame in Chromium (docs/web.md); BEFORE=PAGE.html
# measures another build of the page first, in the same run.
bench-web: web-build web-npm
	NODE_PATH=$(CURDIR)/$(WEB_DIR)/npm/node_modules node bench/web_bench.mjs $(BEFORE) \
	    $(WEB_DIR)/radial-engine.html

# Plants faults one at a time in C++ files and reports those the tests miss (docs/hardening.md):
# the files changed since SINCE (default the last commit), or FILES; at most MAX mutants a file,
# chosen by SEED; ALL=1 runs every native test after the file's own. In its own build folder, so
# the main one is not rebuilt; nice'd, since it builds and tests for minutes. Not part of test.
MAX ?= 10
SEED ?= 1
mutants: test-deps
	$(call install_missing,$(MUTANT_PACKAGES))
	nice -n 10 python3 bench/mutants.py --build-dir $(MUTANT_DIR) --jobs $(JOBS) \
	    --max $(MAX) --seed $(SEED) $(if $(SINCE),--since $(SINCE)) $(if $(ALL),--all) \
	    $(if $(TIMEOUT),--timeout $(TIMEOUT)) $(FILES)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WEB_DIR) $(MUTANT_DIR)

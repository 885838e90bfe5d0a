# Two commands on a fresh Debian 12 machine: `make run` starts the animation, `make test` runs
# every test. Each installs the Debian packages the build needs when they are missing.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2

# The sanitizer build: clang with AddressSanitizer and UndefinedBehaviorSanitizer (failures fatal)
# and the libFuzzer target. Leaks that system libraries keep for the life of the process are
# suppressed by name.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# cmake, compiler, tests and benchmarks; Qt 6 Widgets for the window; Liberation Sans stands in
# for Arial; Xvfb, openbox, wmctrl, xdotool, xwininfo, xev and ImageMagick run, drive, watch and
# photograph the real window in the tests; clang with its sanitizer and libFuzzer runtimes for the
# sanitizer build; desktop-file-utils and dpkg-dev to check the desktop entry and build the .deb;
# appstream (appstreamcli) to validate the AppStream metadata and lintian to hold the .deb to
# Debian's rules; libpng and giflib for radial-kinematics' PNG pictures and GIF animations; XCB
# and its MIT-SHM extension for the window to put its picture straight into its X11 window.
PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev fonts-liberation \
            xvfb openbox wmctrl xdotool x11-utils imagemagick \
            clang libclang-rt-14-dev libfuzzer-14-dev desktop-file-utils dpkg-dev \
            appstream lintian libpng-dev libgif-dev libxcb1-dev libxcb-shm0-dev

.PHONY: all deps configure build sanitize run test bench package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
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

configure: deps
	cmake -S . -B $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/src/app/radial-engine

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_CXX_COMPILER=clang++ -DRADIAL_SANITIZE=ON \
	    -DRADIAL_FUZZ=ON -DRADIAL_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j$(JOBS)

test: build sanitize
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	./$(BUILD_DIR)/bench/radial-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

# Two commands on a fresh Debian 12 machine: `make run` starts the animation, `make test` runs
# every test. Each installs the Debian packages the build needs when they are missing.

BUILD_DIR ?= build
JOBS ?= 2

# cmake, compiler, tests and benchmarks; Qt 6 Widgets for the window; Liberation Sans stands in
# for Arial; Xvfb, openbox, wmctrl, xdotool, xwininfo and ImageMagick run, drive and photograph
# the real window in the tests.
PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev fonts-liberation \
            xvfb openbox wmctrl xdotool x11-utils imagemagick

.PHONY: all deps configure build run test bench clean

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

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

bench: build
	./$(BUILD_DIR)/bench/radial-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD_DIR)

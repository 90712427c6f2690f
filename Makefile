# Lumora3 — the two commands that matter: `make demo` and `make test`. Both set up what they need.
BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

DEB_PACKAGES := build-essential cmake pkg-config libcairo2-dev libturbojpeg0-dev libjpeg-dev \
	libplist-dev libicu-dev libexif-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2 \
	libcli11-dev nlohmann-json3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev python3 \
	libcpp-httplib-dev chromium nodejs

.PHONY: all deps build test demo serve asan tsan bench format clean

all: build

# Installs the Debian packages the build needs, only those that are missing.
deps:
	@missing=$$(for p in $(DEB_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -z "$$missing" ]; then echo "deps: all packages present"; \
	elif [ "$$(id -u)" = 0 ]; then echo "deps: installing $$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null && echo "deps: done"; \
	else echo "deps: missing packages: $$missing"; echo "deps: run 'sudo make deps' or install them with apt-get"; exit 1; fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	$(BUILD)/lumora3 demo

# The simulated phone, live in a web browser: open the address it prints.
PORT ?= 8017
serve: build
	$(BUILD)/lumora3 serve --port $(PORT)

asan:
	$(MAKE) test BUILD=build-asan CMAKE_ARGS="-DLUMORA_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug"

tsan:
	$(MAKE) test BUILD=build-tsan CMAKE_ARGS="-DLUMORA_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo"

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target $$(cmake --build $(BUILD) --target help | awk '/bench_/{print $$2}' | tr '\n' ' ')
	@for b in $(BUILD)/bench_*; do echo "== $$b"; $$b; done

format:
	find platform hostapi host sim viewer apps core capture camerabar manual dial overlays photo tools artwork prefs tests bench fuzz \
	  -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

# Lumora3 — the two commands that matter: `make demo` and `make test`. Both set up what they need.
SHELL      := /bin/bash
BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

DEB_PACKAGES := build-essential cmake pkg-config libcairo2-dev libturbojpeg0-dev libjpeg-dev \
	libplist-dev libicu-dev libexif-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei \
	libcli11-dev nlohmann-json3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev python3 \
	libcpp-httplib-dev chromium nodejs

# Only `make fuzz` needs these: clang with its libFuzzer and sanitizer runtimes.
FUZZ_DEB_PACKAGES := clang libclang-rt-dev

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := preferences strings exif photo device_profile scenario

.PHONY: all deps fuzz-deps build test demo serve asan tsan bench fuzz soak format clean

all: build

# Installs the Debian packages $(1), only those that are missing.
define install_packages
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -z "$$missing" ]; then echo "$@: all packages present"; \
	elif [ "$$(id -u)" = 0 ]; then echo "$@: installing $$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null && echo "$@: done"; \
	else echo "$@: missing packages: $$missing"; echo "$@: run 'sudo make $@' or install them with apt-get"; exit 1; fi
endef

# Installs the Debian packages the build needs, only those that are missing.
deps:
	$(call install_packages,$(DEB_PACKAGES))

fuzz-deps:
	$(call install_packages,$(FUZZ_DEB_PACKAGES))

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
	TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp $$TSAN_OPTIONS" $(MAKE) test BUILD=build-tsan CMAKE_ARGS="-DLUMORA_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo"

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target $$(cmake --build $(BUILD) --target help | awk '/bench_/{print $$2}' | tr '\n' ' ')
	@for b in $(BUILD)/bench_*; do echo "== $$b"; $$b; done

# Builds the libFuzzer targets (clang, ASan+UBSan) and runs each for FUZZ_SECONDS, one after the
# other, starting from the seeds in fuzz/corpus/; new inputs go to $(FUZZ_BUILD)/corpus/, crashes
# to $(FUZZ_BUILD)/findings/ (keep each, once fixed, in fuzz/regressions/).
fuzz: deps fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DLUMORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -timeout=20 \
	    -rss_limit_mb=2048 -artifact_prefix=$(FUZZ_BUILD)/findings/$$t/ \
	    $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2>&1 | tee $(FUZZ_BUILD)/fuzz_$$t.log | grep -E '^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|ERROR|invariant' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

# The day-long scenario (24 virtual hours), with the resident memory sampled every virtual hour.
soak: build
	$(BUILD)/lumora3 run --out $(BUILD)/soak scenarios/soak-day.scn

format:
	find platform hostapi host sim viewer apps core capture camerabar manual dial overlays photo tools artwork prefs tests bench fuzz \
	  -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

# The two set-up commands of the README:
#   make run   - install what is missing, build, lay out and register an installation, start the program
#   make test  - install what is missing, build, run every test
# Further targets: make build, make asan (tests under AddressSanitizer + UBSan), make walk (the random
# walk of user commands over seeds 1-20, 1000 steps each), make format.
# COMPILER=clang builds any of them with clang++ instead of g++, in build dirs of its own.

# gcc (the default, as in CI) or clang.
COMPILER    ?= gcc
ifeq ($(COMPILER),gcc)
BUILD_DIR   ?= build
ASAN_DIR    ?= build-asan
COMPILER_PACKAGES :=
COMPILER_FLAGS    :=
else ifeq ($(COMPILER),clang)
BUILD_DIR   ?= build-clang
ASAN_DIR    ?= build-asan-clang
COMPILER_PACKAGES := clang
COMPILER_FLAGS    := -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
else
$(error COMPILER must be gcc or clang, not '$(COMPILER)')
endif
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)
PACKAGES    := g++ make cmake ninja-build qt6-base-dev qt6-qpa-plugins libsqlite3-dev googletest libgtest-dev \
               libbenchmark-dev fonts-dejavu-core locales qt6-translations-l10n $(COMPILER_PACKAGES)
# Warnings are errors; WERROR=OFF relaxes that for a local experiment.
WERROR      ?= ON
# Steps of each random walk of user commands under the sanitizers (the normal test run walks 200).
ASAN_USER_STEPS ?= 1000
# The seeds and steps of make walk, and how many walks run at once.
WALK_SEEDS  ?= $(shell seq 1 20)
WALK_STEPS  ?= 1000
WALK_JOBS   ?= $(JOBS)
SUDO        := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps configure build test run asan walk format clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTARNWICK_WERROR=$(WERROR) $(COMPILER_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	cmake --install $(BUILD_DIR) --prefix $(CURDIR)/$(BUILD_DIR)/install
	$(BUILD_DIR)/install/bin/tarnwick-run

asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON -DTARNWICK_WERROR=$(WERROR) \
	      -DTARNWICK_UNITY_BUILD=OFF $(COMPILER_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen TARNWICK_USER_STEPS=$(ASAN_USER_STEPS) LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp ctest --output-on-failure -j $(JOBS)

# Each seed's walk runs alone, its output in $(BUILD_DIR)/walk/seed-<n>.log; a line per seed gives the
# steps it ran and the number of each kind of check it made.
walk: build
	@rm -rf $(BUILD_DIR)/walk && mkdir -p $(BUILD_DIR)/walk
	@printf '%s\n' $(WALK_SEEDS) | xargs -P $(WALK_JOBS) -I{} sh -c \
	  'cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen TARNWICK_USER_SEED={} TARNWICK_USER_STEPS=$(WALK_STEPS) \
	   bin/test_appuser --gtest_filter="*_Seed1" > walk/seed-{}.log 2>&1; echo $$? > walk/seed-{}.rc'
	@failed=0; for seed in $(WALK_SEEDS); do \
	  line=$$(grep -h '^walk seed' $(BUILD_DIR)/walk/seed-$$seed.log || echo "walk seed $$seed: did not finish"); \
	  if [ "$$(cat $(BUILD_DIR)/walk/seed-$$seed.rc)" = 0 ]; then echo "pass  $$line"; \
	  else failed=$$((failed + 1)); echo "FAIL  $$line  (see $(BUILD_DIR)/walk/seed-$$seed.log)"; fi; \
	done; echo "$$failed of $(words $(WALK_SEEDS)) walks failed"; \
	grep -h '^walk seed' $(BUILD_DIR)/walk/seed-*.log | sed 's/^[^;]*; *//' | tr ' ' '\n' | paste - - | \
	  awk '{ total[$$1] += $$2 } END { line = "all seeds:"; zero = 0; \
	         for (k in total) { line = line " " k " " total[k]; if (total[k] == 0) zero++ } \
	         print line; if (zero) print zero " kinds of check made no comparison"; exit zero > 0 }' && \
	[ $$failed = 0 ]

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)

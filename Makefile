# Every target does its own set-up: missing Debian packages are installed,
# the build is configured and brought up to date before anything runs.

BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
CLI          = $(BUILD)/cli/tandrel-cli
SAMPLE_CARD  = samples/card
DEMO_OUTPUT  = demo-output

.PHONY: all deps configure build test deb sanitize fuzz demo bench run screenshot install clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The package's test (label "package") runs in make deb.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE package

# The Debian package, built from a copy of the tree into $(BUILD)/deb, then tested.
deb: configure
	@cmake --build $(BUILD) --target deb
	ctest --test-dir $(BUILD) --output-on-failure -L package

# The test suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTANDREL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE package

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTANDREL_FUZZ=ON -DTANDREL_TESTS=OFF -DTANDREL_GUI=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_playlist_reader make_fuzz_corpus
	@rm -rf fuzz-corpus && mkdir -p fuzz-corpus
	@$(FUZZ_BUILD)/fuzz/make_fuzz_corpus fuzz-corpus
	$(FUZZ_BUILD)/fuzz/fuzz_playlist_reader -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 fuzz-corpus

demo: build
	@echo "== The sample card: $(SAMPLE_CARD)"
	@$(CLI) check $(SAMPLE_CARD)
	@$(CLI) list $(SAMPLE_CARD)
	@echo "== Copying it into ./$(DEMO_OUTPUT) (made afresh)"
	@rm -rf $(DEMO_OUTPUT)
	@$(CLI) copy $(SAMPLE_CARD) $(DEMO_OUTPUT) </dev/null
	@echo "== ./$(DEMO_OUTPUT)"
	@find $(DEMO_OUTPUT) -mindepth 1 | sort | sed -e 's|^$(DEMO_OUTPUT)/||' -e 's|[^/]*/|    |g'

bench: build
	@bench/run.sh $(BUILD)

run: build
	$(BUILD)/app/tandrel $(SAMPLE_CARD)

screenshot: build
	@scripts/install-deps.sh --screenshots
	@scripts/screenshots.sh $(BUILD) docs/screenshots

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEMO_OUTPUT) fuzz-corpus

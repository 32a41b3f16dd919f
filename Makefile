# Quillmoor: every command installs what it needs, builds, then does its job.
#   make run        builds everything and starts the editor from its installation folder
#   make test       every test (unit, module, qmtool, a short fuzz run); it first builds the
#                   portable games' video library over a decoder-only FFmpeg (cached)
#   make test-asan  the tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench      the benchmarks
#   make fuzz       the fuzz targets, FUZZ_SECONDS each (default 60)
#   make demo       rewrites the demo game in data/Projects/Demo

BUILD       ?= build
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build portable-video run test test-asan bench fuzz fuzz-build demo clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The video library portable games bring: linked against a decoder-only FFmpeg built from
# Debian's source (scripts/build-ffmpeg-decoders.sh; cached, the first build takes minutes).
# Without that source the build goes on without it, and its test says why.
portable-video: build
	@if prefix=$$(QM_FFMPEG_JOBS=$(JOBS) bash scripts/build-ffmpeg-decoders.sh); then \
		cmake -S . -B $(BUILD) -DQM_FFMPEG_DECODERS="$$prefix" >/dev/null && \
		cmake --build $(BUILD) -j $(JOBS) --target qmvideo_decoders; \
	else \
		cmake -S . -B $(BUILD) -DQM_FFMPEG_DECODERS= >/dev/null; \
		echo "portable-video: no decoder-only FFmpeg; portable games bring the system's"; \
	fi

run: build
	$(BUILD)/Quillmoor/quillmoor

test: portable-video
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

test-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 900

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	build-bench/bench/qmbench
	build-bench/bench/qmbench_editor
	build-bench/bench/qmbench_startup

fuzz-build: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

fuzz: fuzz-build
	@bash scripts/run-fuzzers.sh build-fuzz/fuzz $(FUZZ_SECONDS)

# Rewrites data/Projects/Demo from programs/make-demo (the result is committed).
demo: build
	$(BUILD)/programs/make-demo/qm-make-demo data/Projects
	$(BUILD)/Quillmoor/qmtool check data/Projects/Demo

clean:
	rm -rf build build-asan build-bench build-fuzz

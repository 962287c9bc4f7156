# SPDX-License-Identifier: GPL-3.0-or-later
# `make` builds Pigmentry and nothing more; `make run` and `make test` install
# what is missing first. Each kind of build has a folder of its own, so that
# none takes another's options from the cache: the user's build never treats
# warnings as errors, the suite's always does.
BUILD ?= build
TEST_BUILD ?= build-tests
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.DEFAULT_GOAL := build
.PHONY: setup build build-bench run test test-desktops bench stress fuzz clean deb
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

setup:
	@bash scripts/setup.sh

# The program, without tests, benchmarks or the tour's helpers.
build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=OFF -DPIGMENTRY_WERROR=OFF
	cmake --build $(BUILD)

# Benchmarks and the stress run, with the suite's helpers they use.
build-bench: setup
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON -DPIGMENTRY_WERROR=OFF
	cmake --build $(BENCH_BUILD)

# The tour's helpers are built by name, only for the tour.
run: setup
	@$(MAKE) --no-print-directory build
	cmake --build $(BUILD) --target grab_helper tour_portal
	@bash scripts/run.sh $(BUILD)

# A Debian package of the installed files, in $(BUILD)/package.
deb: build
	cpack --config $(BUILD)/CPackConfig.cmake -G DEB -B $(BUILD)/package
	@ls $(BUILD)/package/*.deb

test: setup
	@bash scripts/test.sh $(TEST_BUILD) $(ASAN_BUILD)

# Pigmentry on GNOME Shell and KWin, headless, with their real portals; runs
# the program `make test` built (as root: the desktops run as a user of their own).
test-desktops:
	@bash scripts/setup.sh desktops
	@[ -f $(TEST_BUILD)/CMakeCache.txt ] || cmake -S . -B $(TEST_BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON
	cmake --build $(TEST_BUILD) --target pigmentry desktop_pattern
	@bash tests/desktops/run.sh $(TEST_BUILD)

bench: build-bench
	@for b in $(BENCH_BUILD)/bench/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		if [ -z "$$DISPLAY" ]; then xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$$b"; else "$$b"; fi; \
	done
	@bash bench/bench_startup.sh $(BENCH_BUILD)

# A thousand SIGKILLs while a library of 5,000 records is saved in a loop.
stress: build-bench
	$(BENCH_BUILD)/tests/kill_during_save 1000

# Each fuzz target for FUZZ_SECONDS, starting from the kept corpus; what it
# finds worth keeping goes to $(FUZZ_BUILD)/corpus-NAME (copy the interesting
# ones into tests/fuzz/corpus/NAME so that the suite replays them).
fuzz: setup
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DPIGMENTRY_FUZZ=ON -DPIGMENTRY_WERROR=OFF -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz_hex fuzz_library fuzz_palette fuzz_extract fuzz_ase fuzz_aco fuzz_hex_list
	@for t in hex library palette extract ase aco hex_list; do \
		mkdir -p $(FUZZ_BUILD)/corpus-$$t; \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		$(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			$(FUZZ_BUILD)/corpus-$$t tests/fuzz/corpus/$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)

# SPDX-License-Identifier: GPL-3.0-or-later
# Two ways in: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: setup build build-tests run test test-plain test-asan test-desktops bench stress fuzz clean deb
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

setup:
	@bash scripts/setup.sh

# The program and what the tour runs with; tests and benchmarks are built by
# `make test`, `make bench` and `make stress` only.
build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=OFF
	cmake --build $(BUILD)

build-tests: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON
	cmake --build $(BUILD)

run: build
	@bash scripts/run.sh $(BUILD)

# A Debian package of the installed files, in $(BUILD)/package.
deb: build
	cpack --config $(BUILD)/CPackConfig.cmake -G DEB -B $(BUILD)/package
	@ls $(BUILD)/package/*.deb

test: setup
	@bash scripts/test.sh $(BUILD) $(ASAN_BUILD)

# Pigmentry on GNOME Shell and KWin, headless, with their real portals; runs
# the program `make test` built (as root: the desktops run as a user of their own).
test-desktops:
	@bash scripts/setup.sh desktops
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=ON
	cmake --build $(BUILD) --target pigmentry desktop_pattern
	@bash tests/desktops/run.sh $(BUILD)

bench: build-tests
	@for b in $(BUILD)/bench/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		if [ -z "$$DISPLAY" ]; then xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$$b"; else "$$b"; fi; \
	done
	@bash bench/bench_startup.sh $(BUILD)

# A thousand SIGKILLs while a library of 5,000 records is saved in a loop.
stress: build-tests
	$(BUILD)/tests/kill_during_save 1000

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

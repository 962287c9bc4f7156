# Two ways in: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: setup build run test test-plain test-asan bench clean

setup:
	@bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	@bash scripts/run.sh $(BUILD)

test: setup
	@bash scripts/test.sh $(BUILD) $(ASAN_BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		if [ -z "$$DISPLAY" ]; then xvfb-run -a -s "-screen 0 1280x800x24" "$$b"; else "$$b"; fi; \
	done
	@bash bench/bench_startup.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

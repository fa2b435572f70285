# make play: build and start the game.  make test: build and run every test.
# make bench: print the benchmark figures.  make fuzz: fuzz the save loader
# for FUZZ_SECONDS (default 600).  make soak SEEDS=N TURNS=T: random play over
# N seeds at every difficulty, T turns a game, checking the world after every
# input and end of turn.  Each first installs what is missing.
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps build build-asan play test bench install fuzz soak clean

deps:
	@bash tools/install-deps.sh

build: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build build -j$(JOBS)

build-asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGRIM_SANITIZE=ON > /dev/null
	@cmake --build build-asan -j$(JOBS) --target all_tests

play: build
	@./build/grimhollow

test: build build-asan
	@bash tools/run-tests.sh

bench: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build build -j$(JOBS) > build/bench-build.log || { cat build/bench-build.log; false; }
	@for b in build/tools/bench_*; do [ -x "$$b" ] && "$$b"; done; true

# make install PREFIX=/usr/local (the default): the game, its pictures and font,
# a desktop entry and an icon.
PREFIX ?= /usr/local
install: build
	@cmake --install build --prefix "$(PREFIX)"

fuzz: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@bash tests/persistence/fuzz_saves.sh build $${FUZZ_SECONDS:-600}

SEEDS ?= 10
TURNS ?= 50
soak: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build build -j$(JOBS) --target soak > build/soak-build.log || { cat build/soak-build.log; false; }
	@./build/tools/soak --seeds $(SEEDS) --turns $(TURNS)

clean:
	rm -rf build build-asan

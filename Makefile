# make play: build and start the game.  make test: build and run every test.
# make deb: build the Debian package into build-deb/.  make deb-test: build
# it, install it into a scratch root and start the installed game.
# make bench: print the benchmark figures.  make fuzz: fuzz the save loader
# for FUZZ_SECONDS (default 600).  make soak SEEDS=N TURNS=T: random play over
# N seeds at every difficulty, T turns a game, checking the world after every
# input and end of turn.  Each first installs what is missing.
PLAIN := -DCMAKE_BUILD_TYPE=RelWithDebInfo
SANITIZED := -DCMAKE_BUILD_TYPE=Debug -DGRIM_SANITIZE=ON
QUIET_BUILD := bash tools/quiet-build.sh

.PHONY: deps build build-asan play test deb deb-test bench install fuzz soak clean

deps:
	@bash tools/install-deps.sh test

build: deps
	@$(QUIET_BUILD) build "the game, its tools and tests" "$(PLAIN)"

build-asan: deps
	@$(QUIET_BUILD) build-asan "the tests under the sanitizers" "$(SANITIZED)" all_tests

play:
	@bash tools/install-deps.sh play
	@$(QUIET_BUILD) build "the game" "$(PLAIN)" grimhollow
	@echo "Starting build/grimhollow"
	@./build/grimhollow

test: build build-asan
	@bash tools/run-tests.sh

deb:
	@bash tools/install-deps.sh deb
	@bash tools/build-deb.sh

# The package built without its unit tests (make test runs them), installed
# into a scratch root and started to the main menu under Xvfb.
deb-test:
	@bash tools/install-deps.sh deb-test
	@bash tests/package/installed_package.bash

bench: deps
	@$(QUIET_BUILD) build "the game and the benchmarks" "$(PLAIN)"
	@for b in build/tools/bench_*; do [ -x "$$b" ] && "$$b"; done; true

# make install PREFIX=/usr/local (the default): the game, its pictures and font,
# a desktop entry, icons, software-centre metadata and the manual page.
PREFIX ?= /usr/local
install: build
	@cmake --install build --prefix "$(PREFIX)"

fuzz: deps
	@cmake -S . -B build $(PLAIN) > /dev/null
	@bash tests/persistence/fuzz_saves.sh build $${FUZZ_SECONDS:-600}

SEEDS ?= 10
TURNS ?= 50
soak: deps
	@$(QUIET_BUILD) build "the soak player" "$(PLAIN)" soak
	@./build/tools/soak --seeds $(SEEDS) --turns $(TURNS)

clean:
	rm -rf build build-asan build-deb

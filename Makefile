# Thin driver over CMake's presets (CMakePresets.json, one per build folder). `make` builds the
# Release engine at build/release/morva with nothing but a C++ compiler and CMake; the test
# targets install what else they need. Each configuration prints CMake's warnings and errors and
# a short summary (--log-level=NOTICE): quiet, but nothing hidden.
JOBS ?= $(shell nproc)
CONFIGURE = cmake --log-level=NOTICE --preset
RELEASE := build/release
SANITIZE := build/sanitize
WINDOWS := build/windows
WASM := build/wasm
WEB := build/web
PORT ?= 8080

.PHONY: all release release-tests sanitize run test deps clean games soak windows fuzz native profile-build bench
.PHONY: aarch64 linux-x86-64 dist install install-strip wasm web web-build npm exe

# The x86-64 processors that the Release engine (and `make EXE=...`, `make profile-build`) is
# built for: x86-64-v2 (SSE4.2 and POPCNT, since 2008-2011), x86-64 (any, as distributions'
# baselines are), x86-64-v3 or native. Every choice searches the same tree. The release
# archives are always x86-64-v2.
ARCH ?= x86-64-v2

# The CPPFLAGS, CXXFLAGS and LDFLAGS of the environment or make's command line (distributions
# set them) reach every build of this machine's compiler as cache variables, so that each build
# uses the current ones and a change rebuilds: CMake itself would read CXXFLAGS and LDFLAGS only
# at a build folder's first configuration, and CPPFLAGS never, so they are kept from it. They
# are the host compiler's flags: the cross builds leave them out.
unexport CPPFLAGS CXXFLAGS LDFLAGS
quote = '$(subst ','\'',$(1))'
HOST_FLAGS = -DMORVA_CPPFLAGS=$(call quote,$(CPPFLAGS)) -DMORVA_CXXFLAGS=$(call quote,$(CXXFLAGS)) \
  -DMORVA_LDFLAGS=$(call quote,$(LDFLAGS))

# Distributed testing frameworks build with `make -j EXE=PATH CXX=COMPILER` and then run
# `PATH bench`: given EXE, `make` builds the Release engine with that compiler and copies it to
# PATH. A build folder holds one compiler's build (CMake starts it afresh when the compiler
# changes), so each compiler has a folder of its own, EXE_BUILD; make leaves a command-line CXX
# out of the commands' environment, so it reaches CMake as an option.
EXE_BUILD ?= build/exe-$(notdir $(CXX))
ifdef EXE
all: exe
else
all: release
endif

release:
	@$(CONFIGURE) release -B $(RELEASE) -DMORVA_ARCH=$(ARCH) $(HOST_FLAGS)
	@cmake --build $(RELEASE) -j $(JOBS) --target morva

# The Release engine with every test beside it, the wine run of the Windows executable and the
# qemu run of the ARM64 one included. A missing test dependency stops the configuration.
release-tests: deps
	@$(CONFIGURE) release-tests -B $(RELEASE) -DMORVA_ARCH=$(ARCH) $(HOST_FLAGS)
	@cmake --build $(RELEASE) -j $(JOBS)

# With the sanitizers, and with the assertions of the engine and of the standard library on.
sanitize:
	@$(CONFIGURE) sanitize $(HOST_FLAGS)
	@cmake --build --preset sanitize -j $(JOBS)

# The Windows executable, cross-built with mingw-w64: build/windows/morva.exe.
windows:
	@$(CONFIGURE) windows
	@cmake --build --preset windows -j $(JOBS)

# The ARM64 Linux executable, cross-built and linked statically: build/aarch64/morva.
AARCH64 := build/aarch64
aarch64:
	@$(CONFIGURE) aarch64
	@cmake --build --preset aarch64 -j $(JOBS)

# The x86-64 Linux executable of the release archive: the portable build, linked statically.
LINUX_X86_64 := build/linux-x86-64
linux-x86-64:
	@$(CONFIGURE) linux-x86-64 $(HOST_FLAGS)
	@cmake --build --preset linux-x86-64 -j $(JOBS)

# The release archives for Linux x86-64, Linux ARM64 and Windows, and SHA256SUMS: build/dist.
dist: deps linux-x86-64 aarch64 windows
	@bash tools/make-dist.sh build/dist $(LINUX_X86_64)/morva $(AARCH64)/morva $(WINDOWS)/morva.exe

# The Release engine as PREFIX/bin/morva, its manual page in PREFIX/share/man/man6, the README,
# LICENSE and THIRD-PARTY-NOTICES in PREFIX/share/doc/morva; DESTDIR, when given, is put in
# front of them all (for packaging). The engine keeps its symbols (packagers strip it their own
# way); install-strip leaves them out.
PREFIX ?= /usr/local
install: release
	@DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix "$(PREFIX)"

install-strip: release
	@DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix "$(PREFIX)" --strip

# The WebAssembly engines, built with emscripten: `node build/wasm/morva.js` is a UCI engine
# (its input in shared memory), and build/wasm/morva-async.js the same engine for hosts
# without shared memory, which the page runs in a Web Worker.
wasm:
	@bash tools/install-web-deps.sh wasm
	@emcmake $(CONFIGURE) wasm
	@cmake --build --preset wasm -j $(JOBS)

# The page to play against Morva, built into build/web (copy the folder to any web host, or
# open its index.html from disk) and served on 127.0.0.1:$(PORT), until interrupted, with the
# cross-origin isolation headers that give it the faster, shared-memory engine.
web-build: wasm
	@bash tools/install-web-deps.sh web
	@node web/build.js $(WEB)

web: web-build
	@PORT=$(PORT) node web/serve.js $(WEB)

# The npm package `morva` (the engines with a small promise-based API for Node and browsers),
# packed into build/npm/morva-VERSION.tgz.
npm: wasm
	@bash tools/install-web-deps.sh web
	@node npm/build.js build/npm

exe:
	$(if $(EXE),,$(error give the engine's path: make EXE=PATH [CXX=COMPILER]))
	@$(CONFIGURE) exe -B "$(EXE_BUILD)" -DCMAKE_CXX_COMPILER="$(CXX)" -DMORVA_ARCH=$(ARCH) $(HOST_FLAGS)
	@cmake --build "$(EXE_BUILD)" -j $(JOBS) --target morva
	@mkdir -p "$$(dirname "$(EXE)")"
	@install -m 0755 "$(EXE_BUILD)/morva" "$(EXE)"

# "quit" ends the engine with status 1 and the end of input with 0: both are a normal end.
run: release
	@$(RELEASE)/morva || { status=$$?; [ $$status -eq 1 ] || exit $$status; }

# The bench: node counts, time and rate over the fixed positions (BENCH_DEPTH, default 5).
bench: release
	@$(RELEASE)/morva bench $(BENCH_DEPTH)

# Built for this machine's processor: build/native/morva.
native:
	@$(CONFIGURE) native $(HOST_FLAGS)
	@cmake --build --preset native -j $(JOBS)

# Portable, trained on the bench and rebuilt with the profile: build/profile/morva. Both phases
# use the same build folder, because the profile files are named after the object files.
PROFILE := build/profile
profile-build:
	@rm -rf $(PROFILE)/data
	@$(CONFIGURE) profile -DMORVA_ARCH=$(ARCH) $(HOST_FLAGS) \
	  -DCMAKE_CXX_FLAGS="-fprofile-generate -fprofile-update=single -fprofile-dir=$(CURDIR)/$(PROFILE)/data"
	@cmake --build $(PROFILE) -j $(JOBS) --target morva --clean-first
	@./$(PROFILE)/morva bench 5 </dev/null >/dev/null
	@$(CONFIGURE) profile -DMORVA_ARCH=$(ARCH) $(HOST_FLAGS) \
	  -DCMAKE_CXX_FLAGS="-fprofile-use -fprofile-correction -Wno-missing-profile -fprofile-dir=$(CURDIR)/$(PROFILE)/data"
	@cmake --build $(PROFILE) -j $(JOBS) --target morva --clean-first

deps:
	@bash tools/install-deps.sh

# Every test of the Release build, then the same tests built with the sanitizers. The runs under
# wine get up to three tries: wine's server ends with each program and starts again with the
# next, and a run that meets it ending is cut off by wine itself ("wine client error:0: recvmsg:
# Connection reset by peer"), whatever the program. A fault of the engine fails every try.
test: deps release-tests web-build npm sanitize windows aarch64 fuzz
	ctest --preset release -j $(JOBS)
	ctest --preset windows
	ctest --preset sanitize -j $(JOBS)

# A longer set of games for measurement: 40 games against each opponent at
# 10 s + 0.1 s. OPPONENT=sf1500|sfskill0|glaurung|self and GAMES=N narrow it.
games: deps release
	node tests/games/run_games.js --morva $(RELEASE)/morva --set long --out $(RELEASE)/games \
	  $(if $(OPPONENT),--opponent $(OPPONENT)) $(if $(GAMES),--games $(GAMES))

# The libFuzzer targets (clang, address and undefined-behaviour sanitizers), one per input
# surface, each run for FUZZ_TIME seconds after the found inputs of tests/fuzz/regressions are
# replayed, then the check that a search allocates nothing; prints each target's executions.
FUZZ := build/fuzz
FUZZ_TIME ?= 20
fuzz: deps
	@cmake --log-level=NOTICE -S tests/fuzz -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ -DFUZZ_TIME=$(FUZZ_TIME)
	@cmake --build $(FUZZ) -j $(JOBS)
	@rm -f $(FUZZ)/work/*/summary.txt
	@cd $(FUZZ) && ctest --output-on-failure; status=$$?; \
	  cat work/*/summary.txt 2>/dev/null | awk '{ print; n += $$2 } END { print "all targets: " n " executions" }'; \
	  exit $$status

# The soak: 1,000 fast games, two at a time (against itself and Stockfish Elo 1500, at 1 s +
# 0.01 s and at 20 ms a move), about an hour. Not part of `make test`. GAMES=N per match narrows it.
soak: deps release
	node tests/games/run_games.js --morva $(RELEASE)/morva --set soak --out $(RELEASE)/soak \
	  $(if $(GAMES),--games $(GAMES))

clean:
	rm -rf build

# Quorvel: make run | make test | make screenshots | make bench
JOBS ?= 2
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
RELEASE := build/release
ASAN := build/asan

.PHONY: deps run release asan test screenshots bench bench-desktop longwalk monkey install-check deb deb-install-check clean

deps:
	@scripts/install-deps

release: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON >/dev/null
	@cmake --build $(RELEASE) -j$(JOBS)

run: release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display (set DISPLAY or WAYLAND_DISPLAY to start Quorvel)"; exit 1; fi
	$(RELEASE)/src/quorvel

asan: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)

test: asan
	cd $(ASAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# A million random student actions under the sanitizers (not part of CI), in an optimized
# sanitizer build: about 25 minutes on two cores.
longwalk: deps
	@cmake -S . -B build/asan-opt -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON >/dev/null
	@cmake --build build/asan-opt -j$(JOBS) --target test_random_walk
	cd build/asan-opt && QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=36000000 QUORVEL_WALK_STEPS=1000000 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ./tests/test_random_walk -maxwarnings 0 \
	  | grep --line-buffered -v 'This plugin does not support'

# A random student at a real desktop (Xvfb and a window manager): seeded random clicks, keys and
# window-manager closes against the sanitizer build, restarted after every End. Not part of CI,
# which runs a short one. MONKEY_SEED picks the seed; MONKEY_WM openbox or metacity.
MONKEY_ACTIONS ?= 20000
MONKEY_WM ?= openbox
monkey: asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp QUORVEL_MONKEY_SEED=$(MONKEY_SEED) \
	  ./tests/quorvel-monkey ./src/quorvel -wm $(MONKEY_WM) -actions $(MONKEY_ACTIONS)

# Installs into a temporary prefix and lists what was installed.
install-check: release
	rm -rf build/install-check && cmake --install $(RELEASE) --prefix build/install-check >/dev/null
	cd build/install-check && find . -type f | sort
	desktop-file-validate build/install-check/share/applications/org.quorvel.Quorvel.desktop

# The Debian package, built by dpkg-buildpackage from a copy of the tracked files in build/deb;
# prints the path of the .deb.
deb: deps
	@JOBS=$(JOBS) scripts/build-deb build/deb

# Installs that package on this machine with apt-get, starts the program offscreen until its
# first paint, and removes the package again (not part of CI: it changes the machine).
deb-install-check: deb
	scripts/deb-install-check build/deb/quorvel_*.deb

screenshots: release
	$(RELEASE)/tools/quorvel-screenshots build/screenshots
	$(RELEASE)/tools/quorvel-screenshots build/screenshots/dpr2 --dpr 2

bench: release
	$(RELEASE)/bench/quorvel-bench

# Click to pixels on a private Xvfb under openbox, against a floor program in the same run
# (not part of CI). BENCH_SESSIONS sessions of each.
BENCH_SESSIONS ?= 5
bench-desktop: release
	$(RELEASE)/bench/quorvel-bench-desktop $(RELEASE)/bench/quorvel-bench-target $(RELEASE)/bench/quorvel-bench-floor \
	  -sessions $(BENCH_SESSIONS)

clean:
	rm -rf build

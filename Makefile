# Quorvel: make run | make test | make screenshots | make bench
JOBS ?= 2
RELEASE := build/release
ASAN := build/asan

.PHONY: deps run release test screenshots bench longwalk clean

deps:
	@scripts/install-deps

release: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON >/dev/null
	@cmake --build $(RELEASE) -j$(JOBS)

run: release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display (set DISPLAY or WAYLAND_DISPLAY to start Quorvel)"; exit 1; fi
	$(RELEASE)/src/quorvel

test: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

screenshots: release
	$(RELEASE)/tools/quorvel-screenshots build/screenshots
	$(RELEASE)/tools/quorvel-screenshots build/screenshots/dpr2 --dpr 2

bench: release
	$(RELEASE)/bench/quorvel-bench

clean:
	rm -rf build

# The two set-up commands: `make test` installs, builds every target and runs every
# test; `make run` builds the 64-bit Windows program and starts it. `make dist` writes
# the release zips for Windows users, dist/Subvane-<version>-win64.zip and -win32.zip
# (the `dist64` and `dist` presets, build/dist64 and build/dist). `make install` builds the optimised subvane-cli and copies it to
# $(PREFIX)/bin; `make bench` prints the performance figures (bench/run.py).
.PHONY: test run build dist release install bench clean

PREFIX ?= /usr/local

test:
	bash scripts/test.sh

build:
	bash scripts/setup.sh
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target Subvane

run: build
	bash scripts/run.sh

dist:
	bash scripts/setup.sh
	cmake --preset dist64 >/dev/null
	cmake --build --preset dist64
	cmake --preset dist >/dev/null
	cmake --build --preset dist

release:
	bash scripts/setup.sh release
	cmake --preset release >/dev/null
	cmake --build --preset release

install: release
	cmake --install build/release --prefix "$(PREFIX)" --strip

bench:
	bash scripts/setup.sh
	python3 bench/run.py

clean:
	rm -rf build dist

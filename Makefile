# The two set-up commands: `make test` installs, builds both targets and runs every
# test; `make run` builds the Windows program and starts it. `make dist` writes the
# release zip for Windows users, dist/Subvane-<version>-win32.zip (the `dist` preset,
# build/dist). `make install` builds the optimised subvane-cli and copies it to
# $(PREFIX)/bin; `make bench` prints the performance figures (bench/run.py).
.PHONY: test run build dist release install bench clean

PREFIX ?= /usr/local

test:
	bash scripts/test.sh

build:
	bash scripts/setup.sh
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target Subvane

run: build
	bash scripts/run.sh

dist:
	bash scripts/setup.sh
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

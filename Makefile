# The two set-up commands: `make test` installs, builds both targets and runs every
# test; `make run` builds the Windows program and starts it.
.PHONY: test run build clean

test:
	bash scripts/test.sh

build:
	bash scripts/setup.sh
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target Subvane

run: build
	bash scripts/run.sh

clean:
	rm -rf build

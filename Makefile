# The front door: `make run` and `make test` work on a fresh Debian 12 machine.
.PHONY: all build run test test-native test-fuzz test-win test-e2e bench package bench-startup clean

all: build

build:
	@scripts/deps.sh
	@scripts/build.sh native windows

run:
	@scripts/run.sh

test:
	@scripts/test.sh

test-native:
	@scripts/test.sh native
test-fuzz:
	@scripts/test.sh fuzz
test-win:
	@scripts/test.sh win
test-e2e:
	@scripts/test.sh e2e

bench:
	@scripts/bench.sh

# The installer and the portable zip, in build/package/ (SKIFFDESK_APPS_DIR: their apps folder).
package:
	@scripts/package.sh

# Time to a visible main window against a bare Win32 window, under Wine (STARTUP_RUNS=N).
bench-startup:
	@scripts/bench_startup.sh

clean:
	rm -rf build

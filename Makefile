# The front door: `make run` and `make test` work on a fresh Debian 12 machine.
.PHONY: all build run test test-native test-fuzz test-win test-e2e bench clean

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

clean:
	rm -rf build

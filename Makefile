# Set-up, build and test on a Debian 12 machine. `make test` and `make run`
# install whatever is missing with apt-get first (as root, or through sudo).

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-translations-l10n xvfb xauth clang libclang-rt-14-dev time bc \
            fonts-dejavu-core fonts-liberation2 xdg-utils

SAMPLE_DIR := build/sample-practice
SAMPLE_PATIENTS ?= 5000

.PHONY: deps test release run bench fuzz clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
		$$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

test: deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test -j2
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run-fuzzers.sh build/fuzz 20

release: deps
	cmake --preset release
	cmake --build --preset release

run: release
	./tools/run-sample.sh build/release $(SAMPLE_DIR) $(SAMPLE_PATIENTS)

bench: release
	./bench/run-bench.sh build/release

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run-fuzzers.sh build/fuzz $${FUZZ_SECONDS:-300}

clean:
	rm -rf build

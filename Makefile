# Set-up, build and test on a Debian 12 machine. `make test` and `make run`
# install whatever is missing with apt-get first (as root, or through sudo).

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev \
            qt6-base-dev qt6-translations-l10n xvfb xauth clang libclang-rt-14-dev time bc \
            fonts-dejavu-core fonts-liberation2 xdg-utils
# The Windows programs cross-built (with the xxHash header of libxxhash-dev)
# and packed, and their tests run under Wine; the windows' tests on a virtual
# display, in Wine's own fonts.
WINDOWS_PACKAGES := cmake ninja-build make g++-mingw-w64-x86-64-posix wine wine64 googletest nsis \
                    xvfb fonts-wine libxxhash-dev
WINE_PREFIX := build/windows/wine

SAMPLE_DIR := build/sample-practice
SAMPLE_PATIENTS ?= 5000

.PHONY: deps windows-deps test release windows run bench fuzz clean

# Installs those of the packages given that are missing.
install = @missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
		$$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

deps:
	$(call install,$(PACKAGES))

windows-deps:
	$(call install,$(WINDOWS_PACKAGES))

# The native suite, the fuzzers briefly, then the Windows build's suite
# under Wine with one wineserver for all of it; its last test compares
# torvane-cli.exe with the native torvane-cli byte for byte. The windows'
# tests (on Xvfb) and the setup's test each use a Wine prefix of their own.
test: deps windows-deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test -j2
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run-fuzzers.sh build/fuzz 20
	cmake --preset windows
	cmake --build --preset windows
	tools/with-wineserver.sh $(WINE_PREFIX) ctest --preset windows -j2

# Torvane.exe, torvane-cli.exe and torvane-sample.exe in build/windows/, needing
# only Windows' own DLLs, with Torvane-Setup-<version>.exe and the portable zip.
windows: windows-deps
	cmake --preset windows
	cmake --build --preset windows --target Torvane torvane-cli torvane-sample torvane-setup

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

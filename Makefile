# Quillmark — the two commands of the README, and a few more.
#   make test   build everything and run every test (also under the sanitizers)
#   make demo   convert the bundled sample project into a site in ./out
BUILD      ?= build
BUILD_ASAN ?= build-asan
GENERATOR  := Ninja
APT_PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libgsf-1-dev zlib1g-dev

.PHONY: all deps configure build test test-fast test-asan demo bench package clean fuzz

all: build

# A recipe line that installs those of the Debian packages $(1) that are missing.
define install-missing
@missing=""; for p in $(1); do \
  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
  echo "Installing:$$missing"; \
  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
fi
endef

# Installs the Debian packages the build needs, only when one is missing.
deps:
	$(call install-missing,$(APT_PACKAGES))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD)

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

$(BUILD_ASAN)/build.ninja: | deps
	cmake -S . -B $(BUILD_ASAN) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUILLMARK_SANITIZE=ON -DQUILLMARK_BENCHMARKS=OFF

test-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(BUILD_ASAN) --output-on-failure -j2

# The sanitizer run first, so the last lines are the ordinary run's summary.
test: test-asan test-fast

# The sample project (samples/Book1, exported modules) as a frameset site:
# out/index.htm, out/menu.htm and one page per module. --yes lets a second
# run replace the site of the first.
demo: deps configure
	cmake --build $(BUILD) --target quillmark
	./$(BUILD)/bin/quillmark --yes --target project --output out/ samples/Book1
	@echo "The sample project's site: $(CURDIR)/out/index.htm"

# The folder the setup program is shipped in: $(BUILD)/package.
package: deps configure
	cmake --build $(BUILD) --target quillmark_package

# Fuzzing needs clang and its runtime (libFuzzer, sanitizers); installed here
# only, not for `make test`. Seconds per target: FUZZ_TIME.
FUZZ_TIME ?= 1800
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
fuzz: deps
	$(call install-missing,$(FUZZ_PACKAGES))
	tools/fuzz.sh -t $(FUZZ_TIME)

bench: build
	./$(BUILD)/bin/convert_bench

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)

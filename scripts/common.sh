# shellcheck shell=bash
# Shared helpers for the scripts in this directory; source it, don't run it.

# Debian packages needed to build the programs: a C++20 compiler, CMake, and GL and GLUT's
# development files. This is all that a build with ZEMBROLA_BUILD_TESTS=OFF asks for.
REQUIRED_PACKAGES="cmake g++ make freeglut3-dev libgl1-mesa-dev"
# ... and for the tests (every desktop preset but fuzz configures them): GoogleTest, Python for
# the end-to-end scenarios, Xvfb, Mesa's software GL, xdotool and xwd to run the programs without
# a display (scripts/run too), pkg-config for the package test.
TEST_PACKAGES="libgtest-dev libgmock-dev python3 xvfb xauth libgl1-mesa-dri xdotool x11-apps pkgconf"
# ... and for the benchmarks (ZEMBROLA_BUILD_BENCH: the bench and sanitize presets): Google
# Benchmark, Boost.Geometry, and Box2D as the second peer (without it geometry_bench leaves Box2D out).
BENCH_PACKAGES="libbenchmark-dev libboost-dev libbox2d-dev"
# ... and to build the web pages and test them in a browser (npm, when missing, by ensure_npm);
# the pages' unit tests build GoogleTest from the sources that libgtest-dev ships.
WEB_PACKAGES="cmake make python3 nodejs emscripten chromium libgtest-dev"
# ... and to test the pages in Firefox and WebKit too (WebKit's MiniBrowser, from libwebkit2gtk-4.1-0, under Xvfb).
ENGINE_PACKAGES="firefox-esr webkit2gtk-driver xvfb"
# ... and to make the Debian package (dpkg-shlibdeps reads the programs' dependencies).
DEB_PACKAGES="dpkg-dev file"
# ... and to build and run the fuzz targets (clang's libFuzzer and sanitizers).
FUZZ_PACKAGES="cmake make clang libclang-rt-14-dev"

# Repository root, whatever the caller's working directory.
# shellcheck disable=SC2034  # used by the scripts that source this file
REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Install whichever of the given packages are missing.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        grep -qx installed <<<"$(dpkg-query -W -f='${db:Status-Status}\n' "$pkg" 2>/dev/null)" || missing+=("$pkg")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [[ $EUID -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# npm, which Debian's own nodejs package comes without: the command decides, not a
# package name, since a node from elsewhere may bring its own npm.
ensure_npm() {
    command -v npm >/dev/null && return 0
    ensure_packages npm
}

# The browser driver's npm packages, as pinned by its lockfile: installed anew when one of
# package.json's is missing or at another version.
ensure_browser_driver() {
    local dir=$REPO_ROOT/tests/e2e/browser
    node -e 'const dir = process.argv[1], wanted = require(dir + "/package.json").dependencies;
             for (const name in wanted)
               if (require(dir + "/node_modules/" + name + "/package.json").version !== wanted[name]) process.exit(1);' \
        "$dir" 2>/dev/null && return 0
    ensure_npm || return 1
    npm ci --prefix "$dir" --no-audit --no-fund
}

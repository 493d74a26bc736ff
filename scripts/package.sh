#!/usr/bin/env bash
# Builds Kelvo for release and makes its Debian package, build/kelvo_<version>_<arch>.deb.
# The release build (optimised with Debian's hardening flags, without tests or benchmarks) has its own
# folder, build-release/ (or $KELVO_RELEASE_BUILD_DIR), so it never disturbs build/. CPack strips the
# executable and computes the package's dependencies from it with dpkg-shlibdeps; lintian must then report
# no errors. Prints the package's path on the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh package
build=${KELVO_RELEASE_BUILD_DIR:-$root/build-release}
mkdir -p build

# The flags Debian builds its own packages with (stack protector, fortified functions, full RELRO); the
# release build type adds -O3 after them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_TESTS=OFF -DKELVO_BENCH=OFF \
    -DKELVO_FUZZ=OFF -DKELVO_SANITIZE=OFF "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" > /dev/null
cmake --build "$build"

# CPack stages the package under the release build; only the finished package goes to build/.
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" > /dev/null)
debs=("$build"/package/kelvo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "CPack made no single package: ${debs[*]}" >&2; exit 1; }
deb=build/$(basename "${debs[0]}")
cp "${debs[0]}" "$deb"

echo "lintian $deb"
lintian --fail-on error --display-info "$deb"
echo "$root/$deb"

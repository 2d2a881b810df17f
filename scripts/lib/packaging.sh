# Used by scripts/package only: the Debian packages that making and checking the package needs,
# on top of what the build needs (QUARN_PACKAGES), and the package's fixed names.

# dpkg-shlibdeps (dpkg-dev) and file compute the package's dependencies; lintian,
# desktop-file-validate (desktop-file-utils) and appstreamcli (appstream) check what was made.
QUARN_PACKAGING_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream)

# Debian's hardening flags for C++ code and the linker (stack protector, fortified functions,
# read-only relocations, immediate binding); the Release build type sets the optimisation.
quarn_hardening_flags() {
  DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2" \
    dpkg-buildflags --get "$1"
}

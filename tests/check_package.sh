#!/usr/bin/env bash
# Builds the Debian package once (scripts/build-deb) and checks it: exactly the expected files,
# the run-time dependencies that shlibs cannot see, lintian without an error or a warning, and
# the hardening of the program.
# Usage: check_package.sh SOURCE_DIR WORK_DIR. Everything it writes goes into WORK_DIR.
set -euo pipefail
src=$1
work=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for tool in dpkg-buildpackage lintian hardening-check blhc readelf; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

start=$(date +%s)
deb=$(JOBS=2 "$src/scripts/build-deb" "$work")
log="$work/build.log"
echo "built $deb in $(($(date +%s) - start)) s"

# What the package installs: the program, its desktop entry, icon, AppStream metadata and man
# page, and what Debian asks for under usr/share/doc.
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)
expected="./usr/bin/quorvel
./usr/share/applications/org.quorvel.Quorvel.desktop
./usr/share/doc/quorvel/changelog.gz
./usr/share/doc/quorvel/copyright
./usr/share/icons/hicolor/scalable/apps/org.quorvel.Quorvel.svg
./usr/share/man/man1/quorvel.1.gz
./usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml"
if [ "$files" != "$expected" ]; then
  fail "the package's files differ from the expected ones:"
  diff <(echo "$expected") <(echo "$files") >&2 || true
fi

# The fonts the program substitutes for Arial and MS Sans Serif, the xcb platform plugin
# (libqt6gui6 ships it in Qt 6.4) and the SVG renderer.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in fonts-liberation2 libqt6gui6 libqt6svg6 libqt6widgets6; do
  grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done
# ... and the program uses that package's Liberation Sans: it carries no copy of the face (the
# resource names of one compiled in are stored in UTF-16).
perl -MEncode -0777 -ne 'exit(index($_, encode("UTF-16BE", "LiberationSans-Regular.ttf")) >= 0)' \
  <(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/bin/quorvel) || fail "the program carries its own copy of Liberation Sans"
[ "$(dpkg-deb -f "$deb" Version)" = "$(sed -nE 's/^project.Quorvel VERSION ([0-9.]+).*/\1/p' "$src/CMakeLists.txt")" ] ||
  fail "the package version is not the project's"

# lintian: informational tags are shown, errors and warnings fail.
lintian_out=$(lintian -I "$deb" 2>&1 | grep -v '^running with root privileges' || true)
echo "lintian:"
echo "${lintian_out:-  (no tags)}"
grep -qE '^[EW]: ' <<<"$lintian_out" && fail "lintian reports errors or warnings"

# Hardening of the program as installed.
rm -rf "$work/root" "$work/dbgsym"
dpkg-deb -x "$deb" "$work/root"
hc=$(hardening-check "$work/root/usr/bin/quorvel" || true)
echo "$hc"
line() { grep -F " $1:" <<<"$hc" | sed 's/^[^:]*: //'; }
for name in "Position Independent Executable" "Stack protected" "Read-only relocations" "Immediate binding"; do
  [ "$(line "$name")" = "yes" ] || fail "hardening-check: $name: $(line "$name")"
done

# Where hardening-check can only guess, the build log and the debug information decide.
# blhc: every compile and link line carries dpkg-buildflags' flags, -D_FORTIFY_SOURCE=2 among them.
blhc_out=$(blhc --all --debian "$log" 2>&1) || { echo "$blhc_out" | cut -c1-300 >&2; fail "blhc: flags missing in the build log"; }
fortify=$(line "Fortify Source functions")
[[ "$fortify" == yes* ]] || fail "hardening-check: Fortify Source functions: $fortify"
# Every compile unit of the program, as its debug symbols record it, was built with the stack
# protector, stack-clash probes and (on x86) control-flow protection.
dbgsym="${deb/quorvel_/quorvel-dbgsym_}"
dpkg-deb -x "$dbgsym" "$work/dbgsym"
producers=$(readelf --debug-dump=info "$work"/dbgsym/usr/lib/debug/.build-id/*/*.debug 2>/dev/null |
  grep 'DW_AT_producer' | sed 's/.*): //' || true)
units=$(grep -c . <<<"$producers")
[ "$units" -gt 10 ] || fail "only $units compile units in the debug symbols"
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
wanted="-O2 -fstack-protector-strong -fstack-clash-protection"
case "$arch" in amd64 | i386) wanted+=" -fcf-protection=full" ;; esac
for flag in $wanted; do
  missing=$(grep -cv -- " $flag\( \|$\)" <<<"$producers" || true)
  [ "$missing" -eq 0 ] || fail "$missing of $units compile units built without $flag"
done
clash=$(line "Stack clash protection")
[[ "$clash" == yes* || "$clash" == unknown* ]] || fail "hardening-check: Stack clash protection: $clash"
cfi=$(line "Control flow integrity")
if [[ "$cfi" != yes* && ("$arch" == amd64 || "$arch" == i386) ]]; then
  # Without the CET mark, the only objects the linker found unmarked must be glibc's start files.
  unmarked=$(sed -nE 's/^\/usr\/bin\/ld: ([^:]*): warning: missing IBT and SHSTK properties$/\1/p' "$log" |
    xargs -r -n1 basename | sort -u | tr '\n' ' ')
  [ "$unmarked" = "Scrt1.o crti.o crtn.o " ] || fail "hardening-check: Control flow integrity: $cfi (unmarked: $unmarked)"
  echo "Control flow integrity: every object of the program is CET-ready but Debian's start files ($unmarked)"
fi

echo "package check took $(($(date +%s) - start)) s"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package check passed"

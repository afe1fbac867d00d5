#!/usr/bin/env bash
# Makes the release archives with CPack and checks what is in them: from the
# native build folder the .tar.gz and the .deb (which lintian must pass
# without errors), from the Windows one VYXmath-<version>-win32.zip, which is
# also unpacked and checked as a Windows user receives it.
# Usage: tests/install/check-packages.sh NATIVE-BUILD-FOLDER [WIN32-BUILD-FOLDER]
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
native=$1
win32=${2:-}

# contains LISTING-FILE PATTERN...: each pattern matches some entry.
contains() {
    local listing=$1 pattern
    shift
    for pattern in "$@"; do
        grep -Eq "$pattern" "$listing" || { echo "no entry matching $pattern in $listing" >&2; exit 1; }
    done
}

(cd "$native" && rm -f ./*.deb ./*.tar.gz && cpack)
deb=$(ls "$native"/*.deb)
tarball=$(ls "$native"/VYXmath-*.tar.gz)
tar tzf "$tarball" >"$native/tarball.list"
contains "$native/tarball.list" 'bin/vyxmath$' 'lib/libvyxmath\.so\.1$' 'include/vyxmath\.h$' \
    'vyxmathConfig\.cmake$' 'vyxmath\.pc$' 'man1/vyxmath\.1\.gz$' 'doc/vyxmath/LICENSE$'
dpkg-deb -c "$deb" >"$native/deb.list"
contains "$native/deb.list" '\./usr/bin/vyxmath$' 'usr/share/doc/vyxmath/copyright$' 'usr/share/man/man1/vyxmath\.1\.gz$' \
    'usr/share/bash-completion/completions/vyxmath$' 'usr/share/zsh/vendor-completions/_vyxmath$'
echo "$tarball: $(wc -l <"$native/tarball.list") entries"
echo "$deb: $(wc -l <"$native/deb.list") entries"
lintian --fail-on error "$deb"

if [ -n "$win32" ]; then
    (cd "$win32" && rm -f ./*.zip && cpack)
    zip=$(ls "$win32"/VYXmath-*-win32.zip)
    cmake -E tar tf "$zip" >"$win32/zip.list"
    contains "$win32/zip.list" '/VYXmath\.vyk$' '/vyxmath\.exe$' '/README\.txt$' '/LICENSE$' \
        '/reference\.md$' '/number-text\.md$'
    echo "$zip:"
    cat "$win32/zip.list"
    # The archive as it is received: unpacked, its binaries stripped, its
    # README the Windows one, and the module's exports and version resource
    # those the module test checks in the build folder.
    unpacked=$win32/zip-unpacked
    rm -rf "$unpacked" && mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "../$(basename "$zip")")
    folder=$(ls -d "$unpacked"/VYXmath-*-win32)
    /usr/bin/python3 "$source/tests/install/check_windows_archive.py" "$folder" "$source"
    cmake -DMODULE="$folder/VYXmath.vyk" -DEXPORT_LIST="$source/src/frame/export_list.inc" \
        -DMODULE_DEFINITION="$win32/src/frame/win32/VYXmath.def" \
        -DOBJDUMP=i686-w64-mingw32-objdump -DWINDRES=i686-w64-mingw32-windres \
        -P "$source/tests/win32/check_module_file.cmake"
fi

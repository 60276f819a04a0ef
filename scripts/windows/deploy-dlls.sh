#!/usr/bin/env bash
# Copies beside a cross-built Windows program the DLLs it needs: the Windows platform plugin and
# style into platforms/ and styles/, then every DLL that it or they import, read from the import
# tables, from Qt's prefix or the MinGW runtime; Windows' own DLLs stay out.
#   scripts/windows/deploy-dlls.sh <qt prefix> <program.exe>
# Prints each file it copied, relative to the program's folder.
set -euo pipefail

if [ $# -ne 2 ] || [ ! -d "$1/bin" ] || [ ! -f "$2" ]; then
    echo "usage: deploy-dlls.sh <qt prefix> <program.exe>" >&2
    exit 2
fi
prefix=$1
program=$2
dest=$(dirname "$program")
mingw_triple=x86_64-w64-mingw32

# Where a non-system DLL may come from, in this order.
search_dirs=(
    "$prefix/bin"
    "$(dirname "$(${mingw_triple}-g++-posix -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$(readlink -f "$(${mingw_triple}-g++-posix -print-file-name=libwinpthread-1.dll)")")"
)

mkdir -p "$dest/platforms" "$dest/styles"
queue=("$program")
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    cp "$prefix/plugins/$plugin" "$dest/$plugin"
    echo "$plugin"
    queue+=("$dest/$plugin")
done

declare -A copied=()
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
        key=${dll,,}
        [ -n "${copied[$key]:-}" ] && continue
        for dir in "${search_dirs[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$dest/$dll"
                copied[$key]=1
                echo "$dll"
                queue+=("$dest/$dll")
                break
            fi
        done
        # Not found anywhere: a DLL of Windows itself (kernel32, user32, ...).
    done < <(${mingw_triple}-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

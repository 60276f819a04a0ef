# Sourced by the Windows build scripts: root rights and a deb-src entry, so that `apt-get source`
# can fetch Debian's own sources of what is cross-built. Needs say() from the caller.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        say "run as root or install sudo: it adds a deb-src entry and installs packages"
        exit 1
    fi
fi

has_deb_src() {
    grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
        grep -qsiE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources
}

add_deb_src() {
    # deb822 stanzas of Debian's archive become deb-src stanzas with the same URIs, suites,
    # components and key; one-line entries likewise.
    local sources=() file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && sources+=("$file")
    done
    if [ ${#sources[@]} -gt 0 ]; then
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)URIs:[^\n]*debian/ && /(^|\n)Types:[^\n]*deb([ \n]|$)/ {
                 out = ""; n = split($0, lines, "\n")
                 for (i = 1; i <= n; i++) {
                     if (lines[i] ~ /^#/) continue
                     if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
                     out = out lines[i] "\n"
                 }
                 printf "%s", out; printf "\n"
             }' "${sources[@]}" >/tmp/debian-src.sources.$$
    fi
    if [ -s /tmp/debian-src.sources.$$ ]; then
        "${as_root[@]}" install -m 644 /tmp/debian-src.sources.$$ /etc/apt/sources.list.d/debian-src.sources
        say "added /etc/apt/sources.list.d/debian-src.sources"
    else
        grep -hsE '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
            sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' >/tmp/debian-src.list.$$ || true
        if [ ! -s /tmp/debian-src.list.$$ ]; then
            say "no Debian entry in /etc/apt to mirror as deb-src"
            exit 1
        fi
        "${as_root[@]}" install -m 644 /tmp/debian-src.list.$$ /etc/apt/sources.list.d/debian-src.list
        say "added /etc/apt/sources.list.d/debian-src.list"
    fi
    rm -f /tmp/debian-src.sources.$$ /tmp/debian-src.list.$$
}


# Adds the deb-src entry when there is none, and refreshes apt's lists when they know no
# source of `package` (a new entry, or lists older than the machine's).
ensure_source_of() {
    local package=$1
    if ! has_deb_src; then
        add_deb_src
    fi
    if ! apt-cache showsrc "$package" 2>/dev/null | grep -q '^Version:'; then
        "${as_root[@]}" apt-get update -qq
    fi
}

# Shared by the scripts that compile Debian's source packages for another
# platform (web/build_libraries.sh, windows/build_libraries.sh). Sourced, not
# run. The caller sets `prefix` (where the libraries are installed) and
# `sources` (where the packages are unpacked) and has one builder a package
# (tools/library_recipes.sh); build_package then builds each package once per
# version and recipe.

# runs a command with its output in LOG, shown only when it fails
quietly() {
    local log=$1
    shift
    if ! "$@" >>"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "failed: $* (whole log: $log)" >&2
        return 1
    fi
}

# apt-get source needs a deb-src entry; it is added for the archive the
# machine already uses.
ensure_source_entries() {
    if grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then return 0; fi
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    local list=/etc/apt/sources.list.d/debian.sources
    if [ -f "$list" ]; then
        sed 's/^Types: deb$/Types: deb-src/' "$list" | $sudo tee /etc/apt/sources.list.d/gulpkin-deb-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/gulpkin-deb-src.list >/dev/null
    fi
    $sudo apt-get update -qq
}

# Two runs over one prefix would build in each other's folders: the second
# waits for the first, then finds its stamps.
lock_prefix() {
    exec {prefix_lock}>"$prefix/lock"
    flock -n "$prefix_lock" || { echo "waiting for another build of the libraries in $prefix" >&2; flock "$prefix_lock"; }
}

# the newest source version the archive offers
source_version() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -V | tail -1
}

# unpacks the package's source (with Debian's patches) and prints its folder
fetch_source() {
    local package=$1 version=$2
    local folder=$sources/$package-${version//[:~]/_}  # make cannot take ':' in a path
    if [ ! -d "$folder" ]; then
        local scratch
        scratch=$(mktemp -d "$sources/fetch.XXXXXX")
        (cd "$scratch" && quietly "$sources/$package.log" apt-get source -q --only-source "$package=$version")
        mv "$(find "$scratch" -mindepth 1 -maxdepth 1 -type d | head -1)" "$folder"
        rm -rf "$scratch"
    fi
    echo "$folder"
}

# The text of the named functions and of every function they call, then the
# platform's settings (the variables named in recipe_settings): all that a
# package's build depends on besides its source.
recipe_tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
recipe_text() {
    local -A seen=()
    local queue=("$@") name word
    while [ ${#queue[@]} -gt 0 ]; do
        name=${queue[0]}
        queue=("${queue[@]:1}")
        { [ -z "$name" ] || [ -n "${seen[$name]:-}" ]; } && continue
        seen[$name]=1
        declare -f "$name"
        for word in $(declare -f "$name" | tr -c 'A-Za-z0-9_' ' '); do
            if [ -z "${seen[$word]:-}" ] && declare -F "$word" >/dev/null; then queue+=("$word"); fi
        done
    done
    # a setting that names a file of this tree (the Windows toolchain file)
    # names it the same from every clone: where a clone stands is no part of
    # the recipe, and a second clone finds the first one's libraries
    for name in "${recipe_settings[@]}"; do declare -p "$name" 2>/dev/null || true; done |
        sed "s|$recipe_tree/|<tree>/|g"
}

# build_package PACKAGE BUILDER TARGET [AFTER]: unless this version of PACKAGE
# is already in the prefix, built by the same recipe, fetches it and runs
# BUILDER on its folder (then AFTER, given the folder and the package),
# naming TARGET in its lines of progress, and its time when done. The stamp
# names the version and a hash of the recipe, so that a changed recipe builds
# the package again.
build_package() {
    local package=$1 builder=$2 target=$3 after=${4:-}
    local version
    version=$(source_version "$package")
    [ -n "$version" ] || { echo "no source package $package in the archive" >&2; return 1; }
    local recipe
    recipe=$(recipe_text "$builder" "$after" | sha1sum | cut -c1-12)
    local stamp=$prefix/stamps/$package-${version//[:~]/_}-$recipe
    [ -f "$stamp" ] && return 0
    echo "Compiling $package $version for $target" >&2
    local folder TIMEFORMAT="Compiled $package for $target in %0R s (CPU %0U s user, %0S s system)"
    time {
        folder=$(fetch_source "$package" "$version")
        "$builder" "$folder"
        [ -z "$after" ] || "$after" "$folder" "$package"
    }
    touch "$stamp"
}

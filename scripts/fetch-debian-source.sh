#!/usr/bin/env bash
# Fetches Debian's source package PACKAGE and unpacks it (its Debian patches applied) into DIR,
# through the machine's own apt sources turned into source entries and package lists of its
# own: the system's package lists are neither read nor replaced.
#   fetch-debian-source.sh PACKAGE DIR
set -euo pipefail
package=$1
destination=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/parts" "$work/lists/partial" "$work/cache/archives/partial"
: >"$work/sources.list"

# One-line entries: "deb [options] URI suite components" becomes "deb-src ...".
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f"
done >"$work/parts/machine.list"
# deb822 entries: their types become deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$work/parts/$(basename "$f")"
done

apt=(apt-get -q -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
     -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o Debug::NoLocking=1)
# A source without source packages (a vendor's repository) is no reason to stop.
"${apt[@]}" update >"$work/update.log" 2>&1 || cat "$work/update.log" >&2
# The newest version first; should the mirror lack its files (a security update's, say), the
# versions before it, newest first.
versions=$(apt-cache -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts" \
               -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" showsrc "$package" 2>/dev/null |
           sed -n 's/^Version: //p' | sort -urV)
fetched=""
for version in "" $versions; do
    rm -rf "$work/fetch" && mkdir "$work/fetch"
    if (cd "$work/fetch" && "${apt[@]}" source "$package${version:+=$version}" >"$work/source.log" 2>&1); then
        fetched=${version:-newest}
        break
    fi
done
if [ -z "$fetched" ]; then
    cat "$work/source.log" >&2
    exit 1
fi
unpacked=$(find "$work/fetch" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
rm -rf "$destination"
mkdir -p "$(dirname "$destination")"
mv "$unpacked" "$destination"
echo "$package: $(basename "$unpacked") from Debian's source package (version: $fetched)"

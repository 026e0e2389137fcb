#!/usr/bin/env bash
# The catalogues of translations: each language complete (msgfmt's check of every placeholder,
# nothing untranslated or fuzzy), holding exactly the template's texts, and the template holding
# exactly what the sources mark with tr() and translatable().
#   catalogues_check.sh SOURCE_DIR
set -u
cd "$1" || exit 2
source tests/e2e/checks.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sources=(scene/*.cpp core/*.cpp app/*.cpp web/shell.cpp)
xgettext --from-code=UTF-8 --language=C++ --keyword=tr --keyword=translatable --no-wrap \
    -o - "${sources[@]}" | grep '^msgid' | sort >"$work/marked"
grep '^msgid' po/planewave3d.pot | sort >"$work/template"
cmp -s "$work/marked" "$work/template"
verdict $? "po/planewave3d.pot holds the texts the sources mark" "$(diff "$work/template" "$work/marked" | head -3)"
for po in po/*.po; do
    statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1 | tail -1)
    [[ "$statistics" =~ ^[0-9]+\ translated\ messages\.$ ]]
    verdict $? "$po: complete, its placeholders kept" "$statistics"
    cmp -s <(grep '^msgid' "$po" | sort) "$work/template"
    verdict $? "$po: the template's texts and no other" ""
done
report

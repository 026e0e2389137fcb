#!/usr/bin/env bash
# The catalogues of translations: each language complete (msgfmt's check of every placeholder,
# nothing untranslated or fuzzy) and holding exactly the template's texts, and the template
# holding exactly what the sources mark with tr() and translatable().
#   catalogues_check.sh SOURCE_DIR
set -u
cd "$1" || exit 2
source tests/e2e/checks.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# msgcmp DEF REF: every text of REF is in DEF; both ways, the two hold the same texts.
same_texts() { msgcmp --use-untranslated "$1" "$2" 2>&1 && msgcmp --use-untranslated "$2" "$1" 2>&1; }
xgettext --from-code=UTF-8 --language=C++ --keyword=tr --keyword=translatable --no-wrap \
    -o "$work/marked.pot" scene/*.cpp core/*.cpp core/*.h app/*.cpp web/*.cpp platform/*.cpp \
    po/texts_elsewhere.h
sed -i 's/charset=CHARSET/charset=UTF-8/' "$work/marked.pot"
difference=$(same_texts "$work/marked.pot" po/planewave3d.pot)
verdict $? "po/planewave3d.pot holds the texts the sources mark" "$(head -2 <<<"$difference")"
for po in po/*.po; do
    statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1 | tail -1)
    [[ "$statistics" =~ ^[0-9]+\ translated\ messages\.$ ]]
    verdict $? "$po: complete, its placeholders kept" "$statistics"
    difference=$(same_texts "$po" po/planewave3d.pot)
    verdict $? "$po: the template's texts and no other" "$(head -2 <<<"$difference")"
done
report

#!/usr/bin/env python3
"""Turns the catalogues po/LL.po into a C++ table for the builds that read no catalogue files
(the page, Windows): sorted by language, then by the English text.

    po_table.py OUTPUT po/de.po po/fr.po ...
"""
import ast
import sys


def entries(path):
    """The (msgid, msgstr) pairs of a po file, its header and untranslated ones left out."""
    pairs, current, key = [], {}, None
    for line in open(path, encoding="utf-8").read().splitlines() + [""]:
        line = line.strip()
        if line.startswith(("msgid ", "msgstr ")):
            key, value = line.split(" ", 1)
            if key == "msgid" and current.get("msgid") is not None and "msgstr" in current:
                pairs.append((current["msgid"], current["msgstr"]))
                current = {}
            current[key] = ast.literal_eval(value)
        elif line.startswith('"') and key:
            current[key] += ast.literal_eval(line)
        elif not line or line.startswith("#"):
            key = None if not line else key
    if current.get("msgid") is not None and "msgstr" in current:
        pairs.append((current["msgid"], current["msgstr"]))
    return [(i, s) for i, s in pairs if i and s]


def c_string(text):
    out = '"'
    for byte in text.encode("utf-8"):
        c = chr(byte)
        out += {"\\": "\\\\", '"': '\\"', "\n": "\\n", "\t": "\\t"}.get(c, c if 32 <= byte < 127 else "\\%03o" % byte)
    return out + '"'


out, rows = sys.argv[1], []
for path in sys.argv[2:]:
    language = path.rsplit("/", 1)[-1][:-3]
    rows += [(language, i.encode("utf-8"), i, s) for i, s in entries(path)]
rows.sort(key=lambda r: (r[0].encode(), r[1]))
with open(out, "w", encoding="utf-8") as f:
    f.write("// Made by scripts/po_table.py from po/*.po: do not edit.\n")
    f.write("struct Translation {\n    const char* language;\n    const char* english;\n"
            "    const char* translated;\n};\nconst Translation translations[] = {\n")
    for language, _, english, translated in rows:
        f.write("    {%s, %s, %s},\n" % (c_string(language), c_string(english), c_string(translated)))
    if not rows:
        f.write('    {"", "", ""},\n')
    f.write("};\n")

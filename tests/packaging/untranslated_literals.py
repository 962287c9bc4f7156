# SPDX-License-Identifier: GPL-3.0-or-later
"""Texts that the Studio shows are marked for translation: a literal shaped
like a sentence ("the file is empty", "Invalid palette: ") in a layer whose
texts reach the Studio's notices is reported unless it is marked, or its
line says why it stays as it is ("// not shown": a text for files written or
for the program's own log)."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
literal = re.compile(r'(?:QStringLiteral|QLatin1String|QLatin1StringView)\(\s*"((?:[^"\\]|\\.)*)"')
sentence = re.compile(r"[a-z]{2,} [a-z]{2,}")
found = []
for folder in ("src/tools", "src/model"):
    for path in sorted((root / folder).rglob("*.cpp")):
        if "data" in path.parts:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if "// not shown" in line:
                continue
            for match in literal.finditer(line):
                text = match.group(1)
                if len(re.findall(r"[A-Za-z']+", text)) >= 2 and sentence.search(text):
                    found.append(f"{path.relative_to(root)}:{number}: {text}")
if found:
    print("Texts the Studio may show that are not marked for translation:")
    print("\n".join(found))
    sys.exit(1)
print("1 passed, 0 failed")

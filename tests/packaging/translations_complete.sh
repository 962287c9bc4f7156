#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every text the sources mark for translation has a finished German
# translation: lupdate, run over the sources into a copy of the .ts file,
# finds nothing new and nothing unfinished.
set -euo pipefail
root=$1
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate is not installed (qt6-l10n-tools)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/translations/pigmentry_de.ts" "$work/check.ts"
"$lupdate" -silent -no-obsolete -locations none "$root/src" -ts "$work/check.ts"
unfinished=$(grep -B2 'type="unfinished"' "$work/check.ts" | grep '<source>' || true)
if [ -n "$unfinished" ]; then
    echo "Texts without a German translation:"
    echo "$unfinished"
    exit 1
fi
# A context lupdate could not tell from the code is not the class that looks
# the text up when the program runs: the German would never be found.
if grep -E '<name>(QCoreApplication|QObject|)</name>' "$work/check.ts"; then
    echo "Texts whose context lupdate could not tell (write the call so that it can)"
    exit 1
fi
# Texts shown in the Studio but never marked for translation.
python3 "$root/tests/packaging/untranslated_literals.py" "$root" >/dev/null || {
    python3 "$root/tests/packaging/untranslated_literals.py" "$root"
    exit 1
}
echo "1 passed, 0 failed"

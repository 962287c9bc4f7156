#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes src/app/startup.order: the functions of Pigmentry's own code that run
# from its start to the tray icon and the library read just after, as
# callgrind sees them on a virtual display with a tray host, once with an
# empty library and once with 5,000 records and 200 palettes. The link lays
# them out side by side at the head of the code (src/app/CMakeLists.txt).
# Run it again when the start changes; the test startup_order tells when
# too many of the names are gone.
#   scripts/startup_order.sh [BUILD]   (a build with the benchmarks' helpers)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
order=$PWD/src/app/startup.order
for tool in valgrind xvfb-run trayer; do
    command -v "$tool" >/dev/null || { echo "startup_order: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash bench/library.sh 5000 200 >"$work/full.json"
: >"$work/empty.json"

export build work
xvfb-run -a -s "-screen 0 1440x900x24 -noreset -nolisten tcp" bash -c '
    set -e
    trayer --edge top --height 24 --SetDockType true >/dev/null 2>&1 & tray=$!
    sleep 1
    for library in empty full; do
        home=$work/home-$library
        mkdir -p "$home/config/Pigmentry" "$home/data/Pigmentry"
        mkdir -m 700 "$home/runtime"
        printf "[General]\nhistoryLimit=5000\nwelcomed=true\n" >"$home/config/Pigmentry/Pigmentry.conf"
        [ ! -s "$work/$library.json" ] || cp "$work/$library.json" "$home/data/Pigmentry/library.json"
        # Two seconds after the icon for the library read that follows it;
        # first_window then ends the program, and callgrind writes its counts.
        HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime \
            "$build/bench/first_window" 2 valgrind --tool=callgrind --demangle=no \
            --callgrind-out-file="$work/$library.callgrind" "$build/pigmentry" >"$work/$library.log"
        grep -q "first window after [0-9]" "$work/$library.log" || { cat "$work/$library.log" >&2; exit 1; }
    done
    kill $tray
'

python3 - "$build/pigmentry" "$order" "$work"/*.callgrind <<'NAMES'
import re
import sys

binary, order, dumps = sys.argv[1], sys.argv[2], sys.argv[3:]
names = set()
for dump in dumps:
    # Names are written once with their number, "(12) name", then by number.
    objects, functions, current = {}, {}, None

    def name(table, text):
        m = re.match(r"\((\d+)\)(?: (.*))?$", text)
        if not m:
            return text
        if m.group(2) is not None:
            table[m.group(1)] = m.group(2)
        return table[m.group(1)]

    for line in open(dump):
        key, _, value = line.rstrip("\n").partition("=")
        if key == "ob":
            current = name(objects, value)
        elif key == "cob":
            name(objects, value)
        elif key == "cfn":
            name(functions, value)
        elif key == "fn":
            function = name(functions, value)
            if current == binary and not function.startswith(("(", "0x")):
                names.add(function)
with open(order, "w") as out:
    out.write("# The functions that run as Pigmentry starts to the tray, laid out together\n"
              "# at the head of its code. Written by scripts/startup_order.sh.\n")
    out.writelines(f"{n}\n" for n in sorted(names))
print(f"{len(names)} functions written to {order}")
NAMES

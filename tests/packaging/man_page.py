# SPDX-License-Identifier: GPL-3.0-or-later
"""The man page says what the program does: its synopsis names the commands
that --help lists, each with the same options, and its table of commands
has a row for each."""
import os
import re
import subprocess
import sys

binary, page = sys.argv[1], sys.argv[2]
env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
env["QT_QPA_PLATFORM"] = "offscreen"
helptext = subprocess.run([binary, "--help"], capture_output=True, text=True, env=env, check=True).stdout

# --help: the commands, each with the options of its synopsis.
from_help = {"": set(re.findall(r"--[a-z-]+", helptext.split("Commands:")[0]))}
last = None
for line in helptext.split("Commands:")[1].splitlines():
    words = line.split()
    # A command's line is indented two; a summary run on to a line of its
    # own is indented further, and so is the rest of a long synopsis, which
    # starts with an option.
    if line.startswith("  ") and not line.startswith("   ") and words:
        synopsis = line.strip().split("  ")[0]
        last = words[0]
        from_help[last] = set(re.findall(r"--[a-z-]+", synopsis))
    elif last and line.strip().startswith("["):
        from_help[last] |= set(re.findall(r"--[a-z-]+", line.strip().split("  ")[0]))

# The man page's synopsis: one ".B pigmentry [COMMAND]" a block.
roff = open(page, encoding="utf-8").read().replace("\\-", "-")
synopsis = roff.split(".SH SYNOPSIS")[1].split(".SH DESCRIPTION")[0]
from_man = {}
for block in synopsis.split(".br"):
    name = re.search(r"\.B pigmentry ?([a-z]*)", block)
    if name:
        from_man.setdefault(name.group(1), set()).update(re.findall(r"--[a-z-]+", block))
table = roff.split(".TS")[1].split(".TE")[0] if ".TS" in roff else ""
rows = set(re.findall(r"^([a-z]+)\|", table, re.M))

problems = []
for command in sorted(set(from_help) | set(from_man)):
    shown = command or "pigmentry"
    if command not in from_man:
        problems.append(f"{shown}: not in the man page's synopsis")
    elif command not in from_help:
        problems.append(f"{shown}: in the man page, not in --help")
    elif from_help[command] - {"--help", "--version"} != from_man[command] - {"--help", "--version"}:
        problems.append(f"{shown}: --help has {sorted(from_help[command])}, the man page {sorted(from_man[command])}")
    if command and command not in rows:
        problems.append(f"{shown}: no row in the man page's table of commands")
if problems:
    print("\n".join(problems))
    sys.exit(1)
print(f"{len(from_help)} commands agree")

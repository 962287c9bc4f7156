#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The functions that run as Pigmentry starts lie side by side in its code,
and the list of them (src/app/startup.order) still names what the program has.
Usage: startup_order.py BINARY ORDER APPLIED"""
import subprocess
import sys

binary, order, applied = sys.argv[1:4]
if applied not in ("ON", "TRUE", "1"):
    sys.exit("the start-up order is not applied: lld was missing when the build was configured")

names = [line.split("#")[0].strip() for line in open(order)]
names = [n for n in names if n]
symbols = {}
nm = subprocess.run(["nm", "--defined-only", "-S", binary], capture_output=True, text=True, check=True)
for line in nm.stdout.splitlines():
    fields = line.split()
    if len(fields) == 4 and fields[2] in "tTwW":
        symbols[fields[3]] = (int(fields[0], 16), int(fields[1], 16))

found = [n for n in names if n in symbols]
gone = len(names) - len(found)
if gone * 10 > len(names):
    sys.exit(f"{gone} of the {len(names)} start-up functions in {order} are no longer in the program: "
             "run scripts/startup_order.sh")

# One run of code: its span is what the functions take, with their alignment.
runs = sorted({symbols[n] for n in found})
span = runs[-1][0] + runs[-1][1] - runs[0][0]
size = sum(s for _, s in runs)
if span > size + 64 * len(runs):
    sys.exit(f"the start-up functions are spread over {span} bytes of code, though they take {size}")
print(f"{len(found)} of {len(names)} start-up functions in {span} bytes of code")

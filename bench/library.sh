#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints a library of RECORDS labelled colours and PALETTES palettes of
# COLORS colours each (20 by default), for the start-up measurement: 5,000
# records and 200 palettes make the library of a heavy user (about 1.4 MB).
# Usage: library.sh RECORDS PALETTES [COLORS]
set -euo pipefail
LC_ALL=C awk -v records="$1" -v palettes="$2" -v colors="${3:-20}" 'BEGIN {
    split("Header,Button,Link,Accent,Muted text,Border,Hover,Badge,Warm red,Sky", labels, ",")
    printf "{\"history\":["
    for (i = 0; i < records; i++) {
        printf "%s{\"id\":\"%08X-0000-4000-8000-%012d\",\"color\":{\"r\":%.16g,\"g\":%.16g,\"b\":%.16g,\"a\":1},", \
            (i ? "," : ""), i + 1, i + 1, (i * 37 % 256) / 255, (i * 91 % 256) / 255, (i * 13 % 256) / 255
        printf "\"date\":%d,\"label\":\"%s %d\",\"favorite\":%s,\"colorSpace\":\"sRGB\"}", \
            818000000 - i * 600, labels[i % 10 + 1], i, (i % 7 == 0 ? "true" : "false")
    }
    printf "],\"palettes\":["
    for (p = 0; p < palettes; p++) {
        printf "%s{\"id\":\"%08X-1111-4000-8000-000000000000\",\"name\":\"Palette %d\",\"notes\":\"Notes %d\",\"colors\":[", \
            (p ? "," : ""), p + 1, p + 1, p + 1
        for (k = 0; k < colors; k++)
            printf "%s{\"r\":%.16g,\"g\":%.16g,\"b\":%.16g,\"a\":1}", (k ? "," : ""), \
                ((p + k) * 29 % 256) / 255, ((p * k) % 256) / 255, (k * 47 % 256) / 255
        printf "]}"
    }
    printf "]}"
}'

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints a library for the tour: 40 colours around the hue circle, some
# labelled and starred, and three palettes made of them. Numbers are written
# in the C locale: JSON has no decimal comma.
set -euo pipefail
LC_ALL=C awk 'BEGIN {
    srand(7)
    split("Header,Button,Link,Accent,Muted text,Border,Hover,Badge", labels, ",")
    printf "{\"history\":["
    for (i = 0; i < 40; i++) {
        h = (i * 37) % 360; s = 0.45 + (i % 4) * 0.15; l = 0.35 + (i % 5) * 0.1
        c = (1 - (2 * l - 1 < 0 ? 1 - 2 * l : 2 * l - 1)) * s
        hp = h / 60; x = c * (1 - ((hp % 2) - 1 < 0 ? 1 - (hp % 2) : (hp % 2) - 1))
        if (hp < 1) { r = c; g = x; b = 0 } else if (hp < 2) { r = x; g = c; b = 0 }
        else if (hp < 3) { r = 0; g = c; b = x } else if (hp < 4) { r = 0; g = x; b = c }
        else if (hp < 5) { r = x; g = 0; b = c } else { r = c; g = 0; b = x }
        m = l - c / 2; R[i] = r + m; G[i] = g + m; B[i] = b + m
        label = (i % 3 == 0) ? labels[int(i / 3) % 8 + 1] : ""
        printf "%s{\"id\":\"%08X-0000-4000-8000-%012d\",\"color\":{\"r\":%.4f,\"g\":%.4f,\"b\":%.4f,\"a\":1},", \
            (i ? "," : ""), i + 1, i + 1, R[i], G[i], B[i]
        printf "\"date\":%d,\"label\":\"%s\",\"favorite\":%s,\"colorSpace\":\"sRGB\"}", \
            818000000 - i * 43200, label, (i % 4 == 1 ? "true" : "false")
    }
    printf "],\"palettes\":["
    split("Harbour at Dusk,Forest Floor,Brand Accents", names, ",")
    sizes[1] = 5; sizes[2] = 8; sizes[3] = 3
    for (p = 1; p <= 3; p++) {
        printf "%s{\"id\":\"%08X-1111-4000-8000-000000000000\",\"name\":\"%s\",\"notes\":\"%s\",\"colors\":[", \
            (p > 1 ? "," : ""), p, names[p], (p == 1 ? "Evening shades for the landing page" : "")
        for (k = 0; k < sizes[p]; k++) {
            j = (p * 11 + k * 3) % 40
            printf "%s{\"r\":%.4f,\"g\":%.4f,\"b\":%.4f,\"a\":1}", (k ? "," : ""), R[j], G[j], B[j]
        }
        # The colours of the first palette have names of their own.
        printf "]%s}", (p == 1 ? ",\"colorNames\":[\"Lamplight\",\"Sea Glass\",\"Dusk\",\"Rust\",\"Signal\"]" : "")
    }
    printf "]}"
}'

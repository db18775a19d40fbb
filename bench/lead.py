#!/usr/bin/env python3
"""The benchmark page's first sentence: start-up at a typical café catalogue
(1,000 to 5,000 records) with its spread, median and range, not only the
best run. Reads bench/startup.sh's table ("LABEL best median worst ratio").
Usage: lead.py STARTUP_TABLE LOAD CORES"""
import re, sys


def lead(table, load, cores):
    rows = {}
    for line in table.splitlines():
        m = re.match(r"Varnett, ([\d,]+) records\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)\s", line)
        if m:
            rows[m.group(1)] = [float(x) for x in m.group(2, 3, 4)]
    rounds = re.search(r"best of (\d+)", table)
    typical = [rows[k] for k in ("1,000", "5,000") if k in rows]
    if not typical:
        return "Start-up was not timed in this run (`VARNETT_BENCH_STARTUP=0`)."
    medians = sorted(r[1] for r in typical)
    median = (f"{medians[0]:.0f} ms" if len(medians) == 1 or round(medians[0]) == round(medians[-1])
              else f"{medians[0]:.0f}–{medians[-1]:.0f} ms")
    low, high = min(r[0] for r in typical), max(r[2] for r in typical)
    starts = f" over {rounds.group(1)} starts each" if rounds else ""
    return (f"**Start-up at a typical café catalogue of 1,000–5,000 records: median {median}, "
            f"range {low:.0f}–{high:.0f} ms**{starts}, from process start to the window shown, "
            f"under Wine on {cores} cores at a load of {load}.")


if __name__ == "__main__":
    try:
        table = open(sys.argv[1], encoding="utf-8").read()
    except OSError:
        table = ""
    print(lead(table, sys.argv[2], sys.argv[3]))

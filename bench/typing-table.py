#!/usr/bin/env python3
"""Makes a Markdown table of a typing-benchmark run: bench/typing-table.py <folder> (see typing-bench.sh)."""
import json
import pathlib
import re
import sys

ENGINES = [("Sqlite", "SQLite"), ("Postgres", "PostgreSQL")]
STEPS = {  # the benchmark's name after the engine: what the user does
    "PatientFew": 'patient register, name "XQ" (few matches)',
    "PatientName": 'patient register, name "MUHAMMAD ALI K"',
    "PatientLateName": 'patient register, name "ZAINAB KHAN"',
    "PatientCode": 'patient register, code "PAT-43"',
    "AdmissionName": 'admission, Patient Name "MUHAMMAD"',
    "AdmissionReg": 'admission, Reg No "R-43"',
    "ObservationName": 'observation, Patient Name "ZAINAB"',
    "ObservationReg": 'observation, Reg No "R-43"',
    "Death": 'death certificates, Serial No "DC-4"',
    "Discharge": 'discharge certificates, Serial No "DIS-4"',
    "PatientOpen": "patient register opens",
    "AdmissionOpen": "admission screen opens",
    "ObservationOpen": "observation screen opens",
    "DeathOpen": "death certificates open",
    "DischargeOpen": "discharge certificates open",
    "ObservationScroll": "observation grid scrolled to row 50,000",
    "EveryWindow": "memory, every window open / closed",
}


def load(folder):
    runs = {}
    for path in sorted(pathlib.Path(folder).glob("*.json")):
        try:
            found = json.loads(path.read_text()).get("benchmarks", [])
        except json.JSONDecodeError:  # a run still going, or cut short
            print(f"{path}: incomplete, left out", file=sys.stderr)
            continue
        for b in found:
            m = re.match(r"[^/]+/(Sqlite|Postgres)([A-Za-z]+)", b["name"])
            if m:
                runs[(m.group(1), m.group(2))] = b
    return runs


def ms(v):
    return "-" if v is None else (f"{v:,.0f}" if v >= 100 else f"{v:.1f}")


def cells(step, b):
    """The rows of one step: (what, value) for one engine."""
    if b is None:
        return None
    if b.get("error_occurred"):
        return {"": "skipped: " + b.get("error_message", "")}
    g = b.get
    if step.endswith("Open"):
        return {"": f"{ms(g('median_ms'))} (first {ms(g('first_ms'))})"}
    if step == "ObservationScroll":
        return {
            "each page p95 / max": f"{ms(g('page_p95_ms'))} / {ms(g('page_max_ms'))}",
            "first 10 / last 10 pages, median": f"{ms(g('first_pages_ms'))} / {ms(g('last_pages_ms'))}",
            "pages of rows, whole scroll": f"{g('pages', 0):.0f} of {g('rows_per_page', 0):.0f}, {ms(g('real_time'))}",
        }
    if step == "EveryWindow":
        return {
            "MiB open / closed / closed, trimmed (idle)":
            f"{g('open_MiB', 0):.0f} / {g('closed_MiB', 0):.0f} / {g('closed_trimmed_MiB', 0):.0f} "
            f"({g('idle_MiB', 0):.0f})",
        }
    out = {"1-2 chars, p95 / median": f"{ms(g('short_p95_ms'))} / {ms(g('short_median_ms'))}"}
    if g("median_ms"):
        out["3+ chars, p95 / median"] = f"{ms(g('p95_ms'))} / {ms(g('median_ms'))}"
    out["cold first run, max / median"] = f"{ms(g('cold_max_ms'))} / {ms(g('cold_median_ms'))}"
    out["typed character shown, p95"] = ms(g("echo_p95_ms"))
    out["Backspace p95 / clearing the box"] = f"{ms(g('back_p95_ms'))} / {ms(g('clear_ms'))}"
    return out


def aim(step, what):
    """The figure the step must meet (SQLite / PostgreSQL where they differ)."""
    if step.endswith("Open"):
        return "100"
    if step == "ObservationScroll":
        return "each page < 16" if what.startswith("each page") else ""
    if step == "EveryWindow":
        return "open < 100 MiB"
    if what.startswith("3+"):
        return "16 / 30"
    if what.startswith("1-2"):
        return "100"
    return ""


def main():
    runs = load(sys.argv[1])
    print("| step (ms unless named) | " + " | ".join(name for _, name in ENGINES) + " | aim |")
    print("|---|" + "---|" * len(ENGINES) + "---|")
    for step, caption in STEPS.items():
        per = [cells(step, runs.get((e, step))) for e, _ in ENGINES]
        if all(p is None for p in per):
            continue
        keys = next(p for p in per if p is not None).keys()
        for k in keys:
            what = caption + (f": {k}" if k else "")
            values = " | ".join("-" if p is None else p.get(k, "-") for p in per)
            print(f"| {what} | {values} | {aim(step, k)} |")
    print()
    print("Each keystroke's median / slowest (ms, runs after the first), by the text in the box:")
    print()
    for (e, step), b in sorted(runs.items()):
        if b.get("label"):
            print(f"- {dict(ENGINES)[e]}, {STEPS.get(step, step)}: {b['label']}")


main()

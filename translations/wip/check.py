#!/usr/bin/env python3
"""Checks a translation JSON (list of {context, source, translation, ...}) against the rules:
every entry translated; the same %-placeholders; the same number of mnemonics (&x, not &&);
the same number of \\n and \\r; the same leading/trailing blanks; a trailing '...' or ':' kept.
Usage: check.py de.json [en.json]   (en.json: every source of it must be present in de.json)"""
import json, re, sys
from collections import Counter, defaultdict

def placeholders(s):
    return Counter(re.findall(r'%L?\d+|%n', s))

def mnemonics(s):
    return re.findall(r'&([^&\s])', s.replace('&&', ''))

de = json.load(open(sys.argv[1]))
problems = []
keys = set()
for e in de:
    src, tr, ctx = e['source'], e.get('translation', ''), e['context']
    keys.add((ctx, src))
    where = f"[{ctx}] {src[:50]!r}"
    if not tr:
        problems.append(f"untranslated: {where}"); continue
    if placeholders(src) != placeholders(tr):
        problems.append(f"placeholders differ: {where} -> {tr[:50]!r}")
    if len(mnemonics(src)) != len(mnemonics(tr)):
        problems.append(f"mnemonic count differs: {where} -> {tr[:50]!r}")
    for ch, name in (('\n', 'line breaks \\n'), ('\r', 'line breaks \\r')):
        if src.count(ch) != tr.count(ch):
            problems.append(f"{name} differ ({src.count(ch)} vs {tr.count(ch)}): {where}")
    if (src[:1].isspace(), src[-1:].isspace()) != (tr[:1].isspace(), tr[-1:].isspace()):
        problems.append(f"leading/trailing blank differs: {where}")
    for end in ('...', ':'):
        if src.rstrip().endswith(end) != tr.rstrip().endswith(end):
            problems.append(f"ending {end!r} differs: {where} -> {tr[-20:]!r}")
# mnemonics unique within one context (a dialog); menus span contexts: see the brief
byctx = defaultdict(list)
for e in de:
    for m in mnemonics(e.get('translation', '')):
        byctx[e['context']].append((m.lower(), e['translation']))
for ctx, ms in byctx.items():
    seen = defaultdict(list)
    for m, t in ms:
        seen[m].append(t)
    for m, ts in seen.items():
        if len(ts) > 1:
            print(f"note: mnemonic &{m} used {len(ts)}x in context {ctx}: {ts} (fine only if not in the same menu/dialog)")
if len(sys.argv) > 2:
    for e in json.load(open(sys.argv[2])):
        if (e['context'], e['source']) not in keys:
            problems.append(f"missing: [{e['context']}] {e['source'][:50]!r}")
for p in problems:
    print(p)
print(f"{len(de)} entries, {len(problems)} problems")
sys.exit(1 if problems else 0)

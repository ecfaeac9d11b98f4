#!/usr/bin/env python3
"""Fills translations from JSON files (lists of {context, source, translation}) into a .ts file.
Usage: apply.py FILE.ts A.json [B.json ...]   Later JSON files win. Prints what stayed unfinished.
Afterwards run lupdate/lconvert on the .ts once to bring it back to Qt's own layout:
  /usr/lib/qt6/bin/lconvert -i FILE.ts -o FILE.ts"""
import json, sys
import xml.etree.ElementTree as ET

ts_path, json_paths = sys.argv[1], sys.argv[2:]
table = {}
for p in json_paths:
    for e in json.load(open(p)):
        if e.get('translation'):
            table[(e['context'], e['source'])] = e['translation']
tree = ET.parse(ts_path)
filled = unfinished = 0
for ctx in tree.getroot().findall('context'):
    name = ctx.find('name').text
    for m in ctx.findall('message'):
        src = m.find('source').text or ''
        tr = m.find('translation')
        if (name, src) in table:
            tr.text = table[(name, src)]
            tr.attrib.pop('type', None)
            filled += 1
        elif tr.get('type') == 'unfinished':
            unfinished += 1
            print(f"unfinished: [{name}] {src[:60]!r}")
tree.write(ts_path, encoding='utf-8', xml_declaration=True)
print(f"{filled} filled, {unfinished} unfinished")

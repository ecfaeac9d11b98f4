#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: Kribed PRO developers
"""Checks a translation against the program's sources and its own English texts.

Usage: check_catalogue.py LUPDATE SOURCE_DIR FILE.ts [--plural-only]

With --plural-only the file holds only the texts written with %n (the English catalogue of
plural forms), as lupdate -pluralonly keeps them.

Fails (exit 1, one line per problem) when
- lupdate finds a text in the sources that the file lacks, or the file keeps one the sources no
  longer have (run the kribed_lupdate target and translate);
- an entry is unfinished or empty;
- a translation loses or adds a %1/%L1/%n placeholder, a mnemonic (&x, not &&) or a line break
  (\\n, \\r);
- two entries of one context share a mnemonic in the translation while their English texts do
  not (the window test walks the real menus and dialogs too).
"""
import collections, os, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET


def text_of(elem):
    """The text of a <source>, <translation> or <numerusform>; lupdate writes \\r as <byte/>."""
    if elem is None:
        return ''
    parts = [elem.text or '']
    for child in elem:
        if child.tag == 'byte':
            parts.append(chr(int(child.get('value').lstrip('x'), 16)))
        parts.append(child.tail or '')
    return ''.join(parts)


def messages(path):
    """(context, source, [translations], unfinished) of every message of a .ts file."""
    found = []
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            translation = message.find('translation')
            forms = translation.findall('numerusform') if translation is not None else []
            texts = [text_of(f) for f in forms] if forms else [text_of(translation)]
            unfinished = translation is None or translation.get('type') in ('unfinished', 'vanished', 'obsolete')
            found.append((name, text_of(message.find('source')), texts, unfinished))
    return found


def placeholders(text):
    return collections.Counter(re.findall(r'%L?\d+|%n', text))


def mnemonics(text):
    return re.findall(r'&([^&\s])', text.replace('&&', ''))


def line_breaks(text):
    return text.count('\n'), text.count('\r')


def short(text):
    return repr(text if len(text) <= 60 else text[:57] + '...')


def check_entries(entries):
    problems = []
    for context, source, texts, unfinished in entries:
        where = f'[{context}] {short(source)}'
        if unfinished or not all(texts):
            problems.append(f'unfinished: {where}')
            continue
        for text in texts:
            if placeholders(text) != placeholders(source):
                problems.append(f'placeholders differ: {where} -> {short(text)}')
            if len(mnemonics(text)) != len(mnemonics(source)):
                problems.append(f'mnemonics differ: {where} -> {short(text)}')
            if line_breaks(text) != line_breaks(source):
                problems.append(f'line breaks differ: {where} -> {short(text)}')
    return problems


def check_mnemonic_clashes(entries):
    problems = []
    by_letter = collections.defaultdict(dict)  # (context, letter) -> {translation: source}
    for context, source, texts, unfinished in entries:
        for text in texts:
            for letter in mnemonics(text):
                by_letter[(context, letter.lower())][text] = source
    for (context, letter), texts in sorted(by_letter.items()):
        sources = list(texts.values())
        english = [m.lower() for s in sources for m in mnemonics(s)]
        if len(texts) > 1 and len(set(english)) == len(english):
            problems.append(f'mnemonic &{letter} shared in [{context}]: ' + ', '.join(map(short, texts)))
    return problems


def check_up_to_date(lupdate, source_dir, ts_path, plural_only=False):
    """The sources' texts against the file's, by lupdate on a copy."""
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, os.path.basename(ts_path))
        shutil.copy(ts_path, copy)
        options = ['-pluralonly'] if plural_only else []
        subprocess.run([lupdate, '-silent', '-locations', 'none', '-no-obsolete'] + options
                       + [source_dir, '-ts', copy], check=True, stdout=subprocess.DEVNULL)
        fresh = {(c, s) for c, s, _, _ in messages(copy)}
    kept = {(c, s) for c, s, _, _ in messages(ts_path)}
    problems = [f'missing from the file: [{c}] {short(s)}' for c, s in sorted(fresh - kept)]
    problems += [f'no longer in the sources: [{c}] {short(s)}' for c, s in sorted(kept - fresh)]
    return problems


def main():
    lupdate, source_dir, ts_path = sys.argv[1:4]
    plural_only = '--plural-only' in sys.argv[4:]
    entries = messages(ts_path)
    problems = check_up_to_date(lupdate, source_dir, ts_path, plural_only)
    problems += check_entries(entries)
    problems += check_mnemonic_clashes(entries)
    for problem in problems:
        print(problem)
    print(f'{os.path.basename(ts_path)}: {len(entries)} entries, {len(problems)} problems')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: Kribed PRO developers
"""The catalogue check finds each kind of fault it is there for, on a spoilt copy of a catalogue.

Usage: test_check_catalogue.py LUPDATE SOURCE_DIR FILE.ts"""
import os, shutil, subprocess, sys, tempfile, unittest

HERE = os.path.dirname(os.path.abspath(__file__))
LUPDATE, SOURCE_DIR, TS_FILE = sys.argv[1:4]


def spoil(text, old, new):
    if old not in text:
        raise AssertionError(f'the catalogue no longer holds {old!r}: choose another example')
    return text.replace(old, new, 1)


class CheckCatalogue(unittest.TestCase):
    def run_check(self, *changes):
        with tempfile.TemporaryDirectory() as folder:
            copy = os.path.join(folder, os.path.basename(TS_FILE))
            shutil.copy(TS_FILE, copy)
            with open(copy, encoding='utf-8') as f:
                text = f.read()
            for old, new in changes:
                text = spoil(text, old, new)
            with open(copy, 'w', encoding='utf-8') as f:
                f.write(text)
            result = subprocess.run([sys.executable, os.path.join(HERE, 'check_catalogue.py'),
                                     LUPDATE, SOURCE_DIR, copy], capture_output=True, text=True)
        return result.returncode, result.stdout

    def test_faults_found(self):
        cases = [
            ('placeholders differ', '>Unbekannte Sprache: %1<', '>Unbekannte Sprache<'),
            ('mnemonics differ', '<translation>&amp;Datei</translation>',
             '<translation>Datei</translation>'),
            ('line breaks differ', 'hinaus.<byte value="xd"/>', 'hinaus. '),
            ('unfinished', '<translation>Kribo-Datenbank öffnen</translation>',
             '<translation type="unfinished">Kribo-Datenbank öffnen</translation>'),
            ('missing from the file', '<source>Only one file can be opened.</source>',
             '<source>Only one file can be opened!</source>'),
            ('mnemonic &x shared', '<translation>&amp;Datei</translation>',
             '<translation>Date&amp;xi</translation>'),
        ]
        for problem, old, new in cases:
            with self.subTest(problem):
                status, output = self.run_check((old, new))
                self.assertEqual(status, 1, output)
                self.assertIn(problem, output)

    def test_sound_catalogue_passes(self):
        status, output = self.run_check()
        self.assertEqual(status, 0, output)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1])

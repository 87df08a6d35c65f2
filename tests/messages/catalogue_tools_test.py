#!/usr/bin/env python3
"""The catalogue tools (scripts/messages.py) where they can go wrong: the
check refuses each kind of broken catalogue, the pseudo-language is longer
with its placeholders kept, the page's catalogues carry every id, and the
scan finds a copied text but not a comment or a key."""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "scripts" / "messages.py"
CATALOGUE = ROOT / "src" / "messages" / "English.def"
sys.path.insert(0, str(SCRIPT.parent))
import messages  # noqa: E402


def run(*args):
    return subprocess.run([sys.executable, str(SCRIPT), "--catalogue", str(CATALOGUE), *map(str, args)],
                          capture_output=True, text=True, encoding="utf-8")


def entry_span(text, ident):
    """The lines of one entry of a .po, by its id."""
    start = text.index(f'msgctxt "{ident}"')
    start = text.rfind("\n\n", 0, start) + 2
    end = text.find("\n\n", start)
    return start, len(text) if end < 0 else end


class CheckRefusesBrokenCatalogues(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.po = Path(self.folder.name) / "de.po"
        self.original = (ROOT / "po" / "de.po").read_text(encoding="utf-8")

    def tearDown(self):
        self.folder.cleanup()

    def check(self, text):
        self.po.write_text(text, encoding="utf-8")
        return run("check", "--glossary", ROOT / "po" / "glossary.tsv", self.po)

    def edited(self, ident, old, new):
        start, end = entry_span(self.original, ident)
        block = self.original[start:end]
        self.assertIn(old, block, ident)
        return self.original[:start] + block.replace(old, new, 1) + self.original[end:]

    def test_the_shipped_catalogue_passes(self):
        result = self.check(self.original)
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_each_fault_is_named(self):
        start, end = entry_span(self.original, "AskSaveChanges")
        cases = [
            ("missing entry", self.original[:start] + self.original[end:], "AskSaveChanges: missing"),
            ("empty translation", self.edited("Complete", 'msgstr "Fertig!!"', 'msgstr ""'), "Complete: not translated"),
            ("fuzzy", self.edited("Complete", 'msgctxt', '#, fuzzy\nmsgctxt'), "Complete: marked fuzzy"),
            ("placeholder", self.edited("AskChangeDestination", "zu %1 wechseln", "zu %2 wechseln"),
             "AskChangeDestination: the placeholders differ"),
            ("menu key", self.edited("MenuFile", '"&Datei"', '"Datei"'), "MenuFile: the menu key (&) differs"),
            ("glossary", self.edited("DualWatch", "Zweikanalüberwachung", "Doppelwache"),
             'DualWatch: "Dual Watch" is not said as the glossary says'),
            ("older English", self.edited("Complete", 'msgid "Complete!!"', 'msgid "Done!!"'),
             "Complete: translates an older English text"),
            ("line break", self.edited("DataErrorInputCorrect", 'korrekte Daten eingeben."', 'korrekte Daten eingeben.\\n"'),
             "do not both end with a line break"),
            ("unknown id", self.original + '\nmsgctxt "NoSuchId"\nmsgid "x"\nmsgstr "y"\n', "NoSuchId is no id"),
        ]
        for name, text, expected in cases:
            with self.subTest(name):
                result = self.check(text)
                self.assertEqual(result.returncode, 1, name)
                self.assertIn(expected, result.stdout)

    def test_a_stale_template_is_named(self):
        pot = Path(self.folder.name) / "rp770.pot"
        pot.write_text((ROOT / "po" / "rp770.pot").read_text(encoding="utf-8").replace("Complete!!", "Done!!"),
                       encoding="utf-8")
        result = run("check", "--pot", pot)
        self.assertEqual(result.returncode, 1)
        self.assertIn("not up to date", result.stdout)


class GeneratedCatalogues(unittest.TestCase):
    def test_the_pseudo_language_is_longer_and_keeps_what_the_program_fills(self):
        for entry in messages.read_catalogue(CATALOGUE):
            pseudo = messages.pseudo(entry.english)
            with self.subTest(entry.id):
                self.assertEqual(sorted(messages.PLACEHOLDER.findall(pseudo)), sorted(messages.PLACEHOLDER.findall(entry.english)))
                self.assertEqual(messages.accelerators(pseudo), messages.accelerators(entry.english))
                self.assertEqual(pseudo.count("\n"), entry.english.count("\n"))
                self.assertGreaterEqual(len(pseudo), len(entry.english) * 1.3)
                self.assertNotEqual(pseudo, entry.english)

    def test_the_page_catalogues_carry_every_id_in_each_language(self):
        with tempfile.TemporaryDirectory() as folder:
            result = run("json", "--pseudo", "--output-dir", folder, *sorted((ROOT / "po").glob("??.po")))
            self.assertEqual(result.returncode, 0, result.stderr)
            entries = messages.read_catalogue(CATALOGUE)
            english = json.loads((Path(folder) / "en.json").read_text(encoding="utf-8"))
            self.assertEqual(english["messages"], {e.id: e.english for e in entries})
            german = json.loads((Path(folder) / "de.json").read_text(encoding="utf-8"))
            _, po = messages.read_po(ROOT / "po" / "de.po")
            self.assertEqual(german["messages"], {e.context: e.msgstr for e in po})
            pseudo = json.loads((Path(folder) / "en_XA.json").read_text(encoding="utf-8"))
            self.assertEqual(set(pseudo["messages"]), set(english["messages"]))


class ScanFindsCopies(unittest.TestCase):
    def test_a_copied_text_but_not_a_comment_a_key_or_a_fragment_of_data(self):
        with tempfile.TemporaryDirectory() as folder:
            src = Path(folder) / "src"
            src.mkdir()
            (src / "Copy.cpp").write_text(
                '// says "Communication Error!!" in a comment\n'
                'if (key == "Save") Save();\n'
                'Say("Communication Error!!");\n'
                'Say("Do you want to change to " + name + "?");\n', encoding="utf-8")
            (src / "page.js").write_text("show('Read from Radio');\n", encoding="utf-8")
            result = run("scan", "--root", folder, "src")
            self.assertEqual(result.returncode, 1)
            found = result.stdout.splitlines()
            self.assertEqual(found, [
                'src/Copy.cpp:3: CommunicationError: "Communication Error!!"',
                'src/Copy.cpp:4: AskChangeDestination: "Do you want to change to"',
                'src/page.js:1: ReadFromRadio: "Read from Radio"',
            ])

    def test_sources_without_copies_pass(self):
        with tempfile.TemporaryDirectory() as folder:
            (Path(folder) / "src").mkdir()
            (Path(folder) / "src" / "Clean.cpp").write_text('Say(MessageId::CommunicationError);\n', encoding="utf-8")
            self.assertEqual(run("scan", "--root", folder, "src").returncode, 0)


if __name__ == "__main__":
    unittest.main()

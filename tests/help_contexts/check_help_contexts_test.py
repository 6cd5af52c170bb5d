#!/usr/bin/env python3
"""The check of the help files' context numbers, on help sources made here
from what it derives from this tree's own programs: complete sources pass, and
a topic taken away, a missing English file or an index without keywords each
fail with their own line.
    check_help_contexts_test.py SOURCE_DIR HLPC"""
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_help_contexts as check  # noqa: E402

SOURCE = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else None
HLPC = sys.argv[2] if len(sys.argv) > 2 else None


def help_source(contexts, code_page=1252, keywords=True, contents=0x20080):
    """A help source whose contents topic and one popup carry contexts."""
    others = " ".join(f"0x{c:X}" for c in sorted(contexts) if c != contents)
    text = (f"@title Check\n@codepage {code_page}\n@language 0x0409\n@contents 0x{contents:X}\n"
            f"@topic 0x{contents:X} | Contents\nThe contents.\n")
    if keywords:
        text += "@keywords power\n"
    if others:
        text += f"@popup {others}\nA control.\n"
    return text


class HelpContexts(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.folder.name) / "resources"
        self.work = pathlib.Path(self.folder.name) / "work"
        self.work.mkdir()
        self.required = {program: contexts_of(SOURCE) for program, (contexts_of, _) in check.PROGRAMS.items()}
        for program, contexts in self.required.items():
            for language, code_page in ((1033, 1252), (1041, 932)):
                self.write(program, language, help_source(contexts, code_page))

    def tearDown(self):
        self.folder.cleanup()

    def write(self, program, language, text):
        folder = self.root / program / "help"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / f"help_{language}.txt").write_text(text, encoding="utf-8")

    def faults(self):
        return check.check(SOURCE, HLPC, self.work, self.root)

    def test_derives_the_numbers_from_the_programs(self):
        merovant = self.required["merovant"]
        self.assertIn(0x20080, merovant)                      # the main window
        self.assertEqual(merovant[0x50001], "IDOK on IDD_ACCESSIBILITY")
        self.assertIn("page IDD_GLIDENUB", merovant.values())
        self.assertIn("IDC_GLIDENUB_ENABLE on IDD_GLIDENUB", merovant.values())
        self.assertEqual(sum(v.startswith("device button") for v in merovant.values()), 13)
        self.assertNotIn("device button IDC_VIEW_MIDI", merovant.values())  # its slot is not created
        self.assertNotIn("IDD_RESTART_PROMPT", " ".join(merovant.values()))  # no page
        corvessa = self.required["corvessa"]
        for page, template in ((0x20081, "IDD_HIBERNATION"), (0x20082, "IDD_SUSPEND"), (0x20083, "IDD_POWER_MODE")):
            self.assertEqual(corvessa[page], f"page {template}")
        self.assertIn("IDC_DAY_ARROWS on IDD_SUSPEND", corvessa.values())
        self.assertIn("IDC_PICTURE_AC_PERFORMANCE on IDD_POWER_MODE", corvessa.values())

    def test_complete_help_files_pass(self):
        self.assertEqual(self.faults(), [])

    def test_a_topic_taken_away_fails_with_its_number(self):
        merovant = self.required["merovant"]
        button = next(c for c, what in merovant.items() if what == "IDC_GLIDENUB_ENABLE on IDD_GLIDENUB")
        self.write("merovant", 1041, help_source(set(merovant) - {button}, 932))
        self.assertEqual(self.faults(),
                         [f"merovant 1041: no topic for 0x{button:X} (IDC_GLIDENUB_ENABLE on IDD_GLIDENUB)"])

    def test_missing_english_help_and_keywords_and_bad_sources_fail(self):
        (self.root / "corvessa" / "help" / "help_1033.txt").unlink()
        self.write("fuel", 1033, help_source({0x20080}, keywords=False))
        self.write("merovant", 1033, help_source(self.required["merovant"]) + "@bold Text\n")
        faults = self.faults()
        self.assertEqual(len(faults), 3, faults)
        self.assertTrue(faults[0].startswith("merovant 1033: ") and faults[0].endswith(": unknown directive @bold"))
        self.assertTrue(faults[1].startswith("corvessa: no help_1033.txt"))
        self.assertEqual(faults[2], "fuel 1033: no keywords for the index")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])

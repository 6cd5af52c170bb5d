#!/usr/bin/env python3
"""Checks every program's string tables, the English one first and then each
translation against it: every English id is there (and no other), with the
same format specifiers in the same order, the same leading and trailing
blanks and, where the English splits a text with "\\n", as many splits; each
file is compiled under its own LANGUAGE; the main resource script includes
it; names other programs or the installer look for stay as in English; menu
accelerators are unique within each menu; "?" and "!" are spaced as the
language writes them.
    check_string_tables.py SOURCE_DIR
Each fault is one line: program, language id, string id, what is wrong."""
import pathlib
import re
import sys

ALL_LANGUAGES = [1030, 1031, 1033, 1034, 1035, 1036, 1040, 1041, 1043, 1044, 1053,
                 2055, 2058, 2060, 2064, 2067, 2068, 3079, 3082, 3084, 4108]

PRIMARY = {"LANG_DANISH": 0x06, "LANG_GERMAN": 0x07, "LANG_ENGLISH": 0x09, "LANG_SPANISH": 0x0a,
           "LANG_FINNISH": 0x0b, "LANG_FRENCH": 0x0c, "LANG_ITALIAN": 0x10, "LANG_JAPANESE": 0x11,
           "LANG_DUTCH": 0x13, "LANG_NORWEGIAN": 0x14, "LANG_SWEDISH": 0x1d}
SUB = {"SUBLANG_DEFAULT": 1, "SUBLANG_GERMAN": 1,
       "SUBLANG_GERMAN_SWISS": 2, "SUBLANG_GERMAN_AUSTRIAN": 3, "SUBLANG_ENGLISH_US": 1,
       "SUBLANG_SPANISH": 1, "SUBLANG_SPANISH_MEXICAN": 2, "SUBLANG_SPANISH_MODERN": 3,
       "SUBLANG_FRENCH": 1, "SUBLANG_FRENCH_BELGIAN": 2,
       "SUBLANG_FRENCH_CANADIAN": 3, "SUBLANG_FRENCH_SWISS": 4, "SUBLANG_ITALIAN": 1,
       "SUBLANG_ITALIAN_SWISS": 2, "SUBLANG_DUTCH": 1,
       "SUBLANG_DUTCH_BELGIAN": 2, "SUBLANG_NORWEGIAN_BOKMAL": 1, "SUBLANG_NORWEGIAN_NYNORSK": 2,
       "SUBLANG_SWEDISH": 1}

# program folder: (main script, languages, names that stay as in English,
# menus whose accelerators must differ)
PROGRAMS = {
    "merovant": ("merovant.rc", ALL_LANGUAGES,
                 ["IDS_APP_TITLE", "IDS_TRAY_LAUNCHER_SHORTCUT", "IDS_FUEL_GAUGE_SHORTCUT",
                  "IDS_TRAY_LAUNCHER_WINDOW", "IDS_FUEL_GAUGE_WINDOW"],
                 [["IDS_MENU_DEVICE_CONFIGURATION", "IDS_MENU_POWER_MANAGEMENT", "IDS_MENU_DISPLAY",
                   "IDS_MENU_VIEW", "IDS_MENU_OPTIONS", "IDS_MENU_HELP"],
                  ["IDS_ITEM_GLIDENUB", "IDS_ITEM_AUDIO", "IDS_ITEM_INFRARED", "IDS_ITEM_PARALLEL_PORT",
                   "IDS_ITEM_SERIAL_PORT", "IDS_ITEM_MODEM", "IDS_ITEM_PCI_DEVICE_SETUP",
                   "IDS_ITEM_PC_CARD_SLOTS"],
                  ["IDS_ITEM_LCD", "IDS_ITEM_EXTERNAL_DISPLAY"],
                  ["IDS_ITEM_FRONT_VIEW", "IDS_ITEM_REAR_VIEW", "IDS_ITEM_PORT_REPLICATOR_VIEW"],
                  ["IDS_ITEM_ACCESSIBILITY", "IDS_ITEM_CUSTOMIZE"],
                  ["IDS_ITEM_SYSTEM_INFORMATION", "IDS_ITEM_HELP"]]),
    "corvessa": ("corvessa.rc", ALL_LANGUAGES, ["IDS_SHEET_TITLE"], []),
    "fuel": ("fuel.rc", ALL_LANGUAGES, ["IDS_FUEL_TITLE"], [["IDS_FUEL_SYS_ABOUT", "IDS_FUEL_SYS_HELP"]]),
    "taskbar": ("taskbar.rc", ALL_LANGUAGES, ["IDS_TASKBAR_TITLE"],
                [["IDS_MENU_DEVICE_CONFIGURATION", "IDS_MENU_POWER_MANAGEMENT", "IDS_MENU_DISPLAY",
                  "IDS_MENU_OPTIONS", "IDS_MENU_HELP", "IDS_MENU_OPEN"],
                 ["IDS_MENU_GLIDENUB", "IDS_MENU_AUDIO", "IDS_MENU_INFRARED", "IDS_MENU_JOYSTICK_PORT",
                  "IDS_MENU_PARALLEL_PORT", "IDS_MENU_SERIAL_PORT", "IDS_MENU_MODEM",
                  "IDS_MENU_PCI_DEVICE_SETUP", "IDS_MENU_PC_CARD_SLOTS"],
                 ["IDS_MENU_LCD", "IDS_MENU_EXTERNAL_DISPLAY"],
                 ["IDS_MENU_SYSTEM_INFORMATION", "IDS_MENU_HELP_TOPICS"]]),
    "panelora": ("panelora.rc", ALL_LANGUAGES, [], []),
    "pressmon": ("pressmon.rc", [1033, 1041], [], []),
    "sorvault": ("sorvault.rc", [1033], [], []),
}

# Texts reach the programs as ANSI text of the system's code page, and the
# Control Panel takes the applet's name and description into fixed buffers.
CODE_PAGES = {1041: "cp932"}
LIMITS = {"panelora": {"IDS_APPLET_NAME": 31, "IDS_APPLET_DESCRIPTION": 63}}

# How each language sets "?" and "!" after a word. French of France, Belgium
# and Switzerland puts a no-break space before them (so the mark never starts
# a line of its own); Spanish opens a question with "¿" and an exclamation
# with "¡"; every other language, Canadian French among them, sets the mark
# right after the word. English is the reference and keeps its texts as they
# are.
FRENCH = {1036, 2060, 4108}
SPANISH = {1034, 2058, 3082}
NO_BREAK_SPACE = "\u00a0"


def punctuation_faults(langid, text):
    """What is wrong with the spacing (and opening marks) of "?" and "!"."""
    if langid == 1033:
        return []
    text = text.replace("&", "")
    faults = []
    for m in re.finditer(r"(.?)([?!]+)", text):
        before, mark = m.group(1), m.group(2)
        if m.start() == 0 and not before:
            continue  # a mark standing alone ("?" as the Help menu's title)
        if langid in FRENCH:
            if before != NO_BREAK_SPACE:
                faults.append(f"\"{mark}\" needs a no-break space before it")
        elif before.isspace():
            faults.append(f"\"{mark}\" follows a blank; this language sets it right after the word")
    if langid in SPANISH:
        for opening, closing in (("¿", "?"), ("¡", "!")):
            if text.count(opening) != len(re.findall(rf"\{closing}+", text)):
                faults.append(f"each \"{closing}\" needs its \"{opening}\"")
    return faults


ENTRY = re.compile(r'^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$')
DEFINE = re.compile(r"^#define\s+(\w+)\s+((?:0x[0-9A-Fa-f]+)|\d+)\b", re.M)
LANGUAGE = re.compile(r"^\s*LANGUAGE\s+(\w+)\s*,\s*(\w+)", re.M)
FORMAT = re.compile(r"%(?:%|[-+ #0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?(?:hh|h|ll|l|L|I64|I32|I)?[a-zA-Z])")


def read_table(path):
    """The string table's entries (id -> text as written) and its LANGUAGE."""
    entries, text = {}, path.read_text(encoding="utf-8")
    for line in text.splitlines():
        m = ENTRY.match(line)
        if m:
            entries[m.group(1)] = m.group(2)
    languages = LANGUAGE.findall(text)
    langid = None
    if len(languages) == 1:
        p, s = languages[0]
        if p in PRIMARY and s in SUB:
            langid = (SUB[s] << 10) | PRIMARY[p]
    return entries, langid, len(languages)


def rc_text(text):
    """The text as the program gets it: "" is a quote, \\n a line break."""
    return text.replace('""', '"').replace("\\n", "\n").replace("\\t", "\t")


def blanks(text):
    return len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" "))


def accelerator(text):
    keys = re.findall(r"&(.)", text.replace("&&", ""))
    return keys[0].lower() if len(keys) == 1 else None


def shared_numbers(header, names):
    """Pairs of the table's names that resource.h gives one number: the
    second would replace the first in the program's string table."""
    numbers, faults = {}, []
    for name, value in DEFINE.findall(header.read_text(encoding="utf-8")):
        if name in names:
            number = int(value, 0)
            if number in numbers:
                faults.append(f"{header.parent.name} {name}: number {number}, as {numbers[number]}")
            else:
                numbers[number] = name
    return faults


def check_program(root, folder, script, languages, fixed, menus):
    faults = []
    lang = root / "resources" / folder / "lang"
    english, _, _ = read_table(lang / "strings_1033.rc")
    faults += shared_numbers(root / "resources" / folder / "resource.h", english)
    main = (root / "resources" / folder / script).read_text(encoding="utf-8")
    # English first: a fault there is usually copied into every translation.
    for langid in sorted(languages, key=lambda langid: langid != 1033):
        where = f"{folder} {langid}"
        path = lang / f"strings_{langid}.rc"
        if not path.exists():
            faults.append(f"{where}: no table {path.relative_to(root)}")
            continue
        if f'#include "lang/strings_{langid}.rc"' not in main:
            faults.append(f"{where}: {script} does not include lang/strings_{langid}.rc")
        table, declared, statements = read_table(path)
        if statements != 1 or declared != langid:
            faults.append(f"{where}: LANGUAGE statement gives {declared}, not {langid}")
        for sid, source in english.items():
            if sid not in table:
                faults.append(f"{where} {sid}: missing (English: \"{source}\")")
                continue
            text = table[sid]
            if FORMAT.findall(text) != FORMAT.findall(source):
                faults.append(f"{where} {sid}: format specifiers {FORMAT.findall(text)}, English has {FORMAT.findall(source)}")
            if blanks(text) != blanks(source):
                faults.append(f"{where} {sid}: leading/trailing blanks {blanks(text)}, English has {blanks(source)}")
            # A text the English splits ("status\\ntooltip") splits as often in
            # every language; one the English writes on one line may be set
            # on two where the language's words break only there.
            if "\\n" in source and text.count("\\n") != source.count("\\n"):
                faults.append(f"{where} {sid}: {text.count(chr(92) + 'n')} \"\\n\", English has {source.count(chr(92) + 'n')}")
            try:
                ansi = rc_text(text).encode(CODE_PAGES.get(langid, "cp1252"))
            except UnicodeEncodeError as error:
                faults.append(f"{where} {sid}: '{error.object[error.start]}' is not in code page {CODE_PAGES.get(langid, 'cp1252')}")
                ansi = b""
            limit = LIMITS.get(folder, {}).get(sid)
            if limit is not None and len(ansi) > limit:
                faults.append(f"{where} {sid}: {len(ansi)} bytes, the Control Panel takes {limit}")
            if sid in fixed and text != source:
                faults.append(f"{where} {sid}: a name other programs look for, must stay \"{source}\"")
            for fault in punctuation_faults(langid, rc_text(text)):
                faults.append(f"{where} {sid}: {fault}")
        for sid in table:
            if sid not in english:
                faults.append(f"{where} {sid}: not in the English table")
        for menu in menus:
            seen = {}
            for sid in menu:
                if sid not in table or "&" not in english.get(sid, ""):
                    continue
                key = accelerator(table[sid])
                if key is None:
                    faults.append(f"{where} {sid}: needs exactly one accelerator (&)")
                elif key in seen:
                    faults.append(f"{where} {sid}: accelerator '{key}' also used by {seen[key]}")
                else:
                    seen[key] = sid
    return faults


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    faults = []
    for folder, (script, languages, fixed, menus) in PROGRAMS.items():
        faults += check_program(root, folder, script, languages, fixed, menus)
    for fault in faults:
        print(fault)
    print(f"string tables: {len(PROGRAMS)} programs checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The installer's languages and texts. Checks them and, given an output file,
writes languages.nsh for suite.nsi: one NSIS language file for each language
the suite is written in (English first, the language NSIS falls back to), the
installer's own texts (resources/installer/lang/strings_<LANGID>.nsh), and the
names of the Start-menu shortcuts that the programs' string tables already
give: merovant's shortcut is named as the Control Panel names the applet that
starts it, Corvessa's as merovant names its power-management button.
    installer_texts.py SOURCE_DIR [OUTPUT]
Each fault is one line, language id and text name first; with a fault no
output is written. The regional variants of a language (German (Switzerland),
French (Canada), ...) speak their language's texts: NSIS chooses the language
whose primary language matches the user's when none matches exactly."""
import pathlib
import re
import sys

# Language id: (NSIS language file, code page of its texts). The ANSI
# installer turns every text into its language's code page.
LANGUAGES = {
    1033: ("English", "cp1252"), 1030: ("Danish", "cp1252"), 1031: ("German", "cp1252"),
    1034: ("Spanish", "cp1252"), 1035: ("Finnish", "cp1252"), 1036: ("French", "cp1252"),
    1040: ("Italian", "cp1252"), 1041: ("Japanese", "cp932"), 1043: ("Dutch", "cp1252"),
    1044: ("Norwegian", "cp1252"), 1053: ("Swedish", "cp1252"), 2068: ("NorwegianNynorsk", "cp1252"),
}

# Text name: (resource folder, string id) of a program's table.
FROM_PROGRAMS = {
    "MEROVANT_SHORTCUT": ("panelora", "IDS_APPLET_NAME"),
    "POWER_SHORTCUT": ("merovant", "IDS_TIP_POWER"),
}
OWN_TEXTS = ["SAVE_TO_DISK_SHORTCUT", "UNINSTALL_SHORTCUT", "STILL_RUNNING", "FILE_IN_USE"]
# Texts that name a file: a shortcut in the Start-menu group.
FILE_NAMES = ["MEROVANT_SHORTCUT", "POWER_SHORTCUT", "SAVE_TO_DISK_SHORTCUT", "UNINSTALL_SHORTCUT"]
NOT_IN_FILE_NAMES = set('\\/:*?"<>|')

RC_ENTRY = re.compile(r'^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$')
LANG_STRING = re.compile(r'^LangString (\w+) (\d+) "((?:[^"$]|\$\$|\$\\[rn"]|\$\(\^?\w+\))*)"$')


def program_text(root, folder, sid, langid):
    """The text of a program's string table, as the program shows it."""
    path = root / "resources" / folder / "lang" / f"strings_{langid}.rc"
    for line in path.read_text(encoding="utf-8").splitlines():
        m = RC_ENTRY.match(line)
        if m and m.group(1) == sid:
            return m.group(2).replace('""', '"').strip()
    return None


def nsis_quoted(text):
    return text.replace("$", "$$").replace('"', '$\\"')


def plain(nsis_text):
    """What NSIS shows of a text: escapes resolved, variables left as written."""
    return nsis_text.replace("$\\r", "\r").replace("$\\n", "\n").replace('$\\"', '"').replace("$$", "$")


def own_texts(root, langid, faults):
    path = root / "resources" / "installer" / "lang" / f"strings_{langid}.nsh"
    if not path.exists():
        faults.append(f"{langid}: no file {path.relative_to(root)}")
        return {}
    texts = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line or line.startswith(";"):
            continue
        m = LANG_STRING.match(line)
        if not m:
            faults.append(f"{langid}: {path.name}:{number}: not a LangString of one quoted text")
        elif int(m.group(2)) != langid:
            faults.append(f"{langid} {m.group(1)}: {path.name}:{number} gives it to language {m.group(2)}")
        elif m.group(1) not in OWN_TEXTS:
            faults.append(f"{langid} {m.group(1)}: not one of the installer's texts")
        elif m.group(1) in texts:
            faults.append(f"{langid} {m.group(1)}: given twice")
        else:
            texts[m.group(1)] = m.group(3)
    for name in OWN_TEXTS:
        if name not in texts:
            faults.append(f"{langid} {name}: missing")
    return texts


def check_language(root, langid, code_page, faults):
    """The language's texts, checked: name -> text as NSIS reads it."""
    texts = {}
    for name, (folder, sid) in FROM_PROGRAMS.items():
        text = program_text(root, folder, sid, langid)
        if text is None:
            faults.append(f"{langid} {name}: {folder} has no {sid} in this language")
        else:
            texts[name] = nsis_quoted(text)
    texts.update(own_texts(root, langid, faults))
    for name, text in texts.items():
        shown = plain(text)
        try:
            shown.encode(code_page)
        except UnicodeEncodeError as error:
            faults.append(f"{langid} {name}: '{error.object[error.start]}' is not in code page {code_page}")
        if name in FILE_NAMES:
            bad = sorted(set(shown) & NOT_IN_FILE_NAMES)
            if bad or not shown.strip() or shown != shown.strip() or shown.endswith("."):
                faults.append(f"{langid} {name}: \"{shown}\" cannot name a shortcut file")
    return texts


def languages_nsh(root, checked):
    lines = ["; The installer's languages and texts, written by installer/installer_texts.py",
             "; from resources/installer/lang and the programs' string tables."]
    for langid, (nlf, _) in LANGUAGES.items():
        lines.append(f'LoadLanguageFile "${{NSISDIR}}\\Contrib\\Language files\\{nlf}.nlf"')
    for langid in LANGUAGES:
        own = root / "resources" / "installer" / "lang" / f"strings_{langid}.nsh"
        lines.append(f'!include /CHARSET=UTF8 "{own}"')
        for name in FROM_PROGRAMS:
            lines.append(f'LangString {name} {langid} "{checked[langid][name]}"')
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    root = pathlib.Path(sys.argv[1]).resolve()
    faults, checked = [], {}
    for langid, (_, code_page) in LANGUAGES.items():
        checked[langid] = check_language(root, langid, code_page, faults)
    for fault in faults:
        print(fault)
    if faults:
        return 1
    if len(sys.argv) == 3:
        out = pathlib.Path(sys.argv[2])
        text = languages_nsh(root, checked)
        if not out.exists() or out.read_text(encoding="utf-8") != text:
            out.write_text(text, encoding="utf-8")
    else:
        print(f"installer texts: {len(LANGUAGES)} languages checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())

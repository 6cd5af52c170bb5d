#!/usr/bin/env python3
"""Checks that every help file of merovant, Corvessa and fuel answers every
context number its program can ask for. The numbers come from the programs'
own sources, not from a list of their own:
  merovant  HELP_CONTEXT_MAIN_WINDOW (resource.h); for every page of the page
            classes (config_utility/pages/*.cpp, their DevicePageLayout) the
            page base plus its template id and the control base plus the id
            of every control of its template (resources/merovant/pages.rc);
            the control base plus the id of every device button of the
            machine view (config_utility/core/view_layout.cpp, kDeviceSlots,
            without the slot view_layout.h names kUncreatedSlot)
  Corvessa  for each page of the sheet (power_sheet/sheet/*.cpp, CPowerPage)
            the page base plus its template id and the control base plus the
            id of every control of its template (resources/corvessa/pages.rc)
  fuel      keywords for its index
Controls with id -1 count as their page. What's This and F1 ask for no
other number: F1 on a window with no topic of its own (a property sheet's
buttons and tabs, the view's switch buttons, lamps and picture) asks for the
page's or the main window's. Every help file has a contents topic
(the compiler refuses one without). Each help source is compiled with hlpc and
read back with "hlpc --list"; the English one (help_1033.txt) must exist.
    check_help_contexts.py SOURCE_DIR HLPC WORK_DIR [HELP_ROOT]
HELP_ROOT (SOURCE_DIR/resources by default) holds <program>/help/help_<id>.txt.
Each fault is one line: program, language id, what is missing."""
import pathlib
import re
import subprocess
import sys

# Windows' own dialog ids, which templates use by name.
WINDOWS_IDS = {"IDOK": 1, "IDCANCEL": 2, "IDABORT": 3, "IDRETRY": 4, "IDIGNORE": 5, "IDYES": 6, "IDNO": 7,
               "IDCLOSE": 8, "IDHELP": 9, "IDC_STATIC": -1}

# Statements of a dialog template whose first field is a text or an icon
# name, so that the control id is the second; in the others it is the first.
TEXT_FIRST = {"CONTROL", "PUSHBUTTON", "DEFPUSHBUTTON", "GROUPBOX", "LTEXT", "RTEXT", "CTEXT", "ICON",
              "CHECKBOX", "AUTOCHECKBOX", "RADIOBUTTON", "AUTORADIOBUTTON", "STATE3", "AUTO3STATE"}
ID_FIRST = {"COMBOBOX", "EDITTEXT", "LISTBOX", "SCROLLBAR"}


def defines(path):
    """The numeric #defines of a resource header."""
    names = {}
    for name, value in re.findall(r"^#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)\s*$", path.read_text(), re.M):
        names[name] = int(value, 0)
    return names


def fields(text):
    """The comma-separated fields of a template statement, quotes kept whole."""
    return [f.strip() for f in re.findall(r'(?:"[^"]*"|[^,])+', text)]


def number(name, names):
    if name in WINDOWS_IDS:
        return WINDOWS_IDS[name]
    if re.fullmatch(r"-?(0x[0-9A-Fa-f]+|\d+)", name):
        return int(name, 0)
    if name not in names:
        raise ValueError(f"{name} is not defined")
    return names[name]


def dialog_controls(rc_path, names):
    """Template name: [(control name, id)] of every DIALOGEX of a script."""
    dialogs = {}
    current = None
    for line in rc_path.read_text().splitlines():
        line = line.strip()
        start = re.match(r"(\w+)\s+DIALOG(EX)?\b", line)
        if start:
            current = dialogs.setdefault(start.group(1), [])
            continue
        if line == "END":
            current = None
            continue
        statement = re.match(r"([A-Z0-9]+)\s+(.*)", line)
        if current is None or not statement or statement.group(1) not in TEXT_FIRST | ID_FIRST:
            continue
        parts = fields(statement.group(2))
        name = parts[1] if statement.group(1) in TEXT_FIRST else parts[0]
        current.append((name, number(name, names)))
    return dialogs


def page_contexts(program, templates, dialogs, names):
    """Context number: what asks for it, for the pages of templates."""
    required = {}
    for template in templates:
        if template not in dialogs:
            raise ValueError(f"{program}: no template {template}")
        required[names["HELP_CONTEXT_PAGE_BASE"] + names[template]] = f"page {template}"
        for control, ident in dialogs[template]:
            if ident != -1:
                required.setdefault(names["HELP_CONTEXT_CONTROL_BASE"] + ident, f"{control} on {template}")
    return required


def pages(source, program, classes, pattern):
    """The resource names of a program and the contexts of its pages: the
    templates that the page classes in the folder classes name (pattern)."""
    resources = source / "resources" / program
    names = defines(resources / "resource.h")
    templates = []
    for page in sorted((source / classes).glob("*.cpp")):
        templates += re.findall(pattern, page.read_text())
    if not templates:
        raise ValueError(f"no page class in {classes} names its template")
    return names, page_contexts(program, templates, dialog_controls(resources / "pages.rc", names), names)


def merovant_contexts(source):
    names, required = pages(source, "merovant", "config_utility/pages", r"DevicePageLayout\s+kLayout\s*\{\s*(IDD_\w+)")
    core = source / "config_utility" / "core"
    slots = re.search(r"kDeviceSlots\[\w*\]\s*=\s*\{(.*?)\n\};", (core / "view_layout.cpp").read_text(), re.S)
    uncreated = re.search(r"kUncreatedSlot\s*=\s*(\d+)", (core / "view_layout.h").read_text())
    if not slots or not uncreated:
        raise ValueError("no kDeviceSlots table in view_layout.cpp or kUncreatedSlot in view_layout.h")
    buttons = re.findall(r"\{\s*(IDC_\w+)\s*,", slots.group(1))
    del buttons[int(uncreated.group(1))]
    for button in buttons:
        required[names["HELP_CONTEXT_CONTROL_BASE"] + names[button]] = f"device button {button}"
    required[names["HELP_CONTEXT_MAIN_WINDOW"]] = "the main window (HELP_CONTEXT_MAIN_WINDOW)"
    return required


def corvessa_contexts(source):
    return pages(source, "corvessa", "power_sheet/sheet", r"CPowerPage\s*\(\s*\w+\s*,\s*(IDD_\w+)")[1]


# Program folder: (its contexts, whether its index needs keywords).
PROGRAMS = {
    "merovant": (merovant_contexts, False),
    "corvessa": (corvessa_contexts, False),
    "fuel": (lambda source: {}, True),
}


def listing(hlpc, help_source, work):
    """The context numbers and keywords of a help source, compiled; or the
    compiler's error."""
    output = work / (help_source.parent.parent.name + "_" + help_source.stem + ".hlp")
    compiled = subprocess.run([hlpc, str(help_source), str(output)], capture_output=True, text=True)
    if compiled.returncode != 0:
        return None, None, compiled.stderr.strip()
    # Keywords come in the file's code page: each byte as one character.
    listed = subprocess.run([hlpc, "--list", str(output)], capture_output=True, encoding="latin-1",
                            check=True).stdout
    contexts = {int(v, 16) for v in re.findall(r"^context (0x[0-9A-F]+)$", listed, re.M)}
    keywords = re.findall(r"^keyword (.+)$", listed, re.M)
    return contexts, keywords, None


def check(source, hlpc, work, help_root):
    faults = []
    for program, (contexts_of, needs_keywords) in PROGRAMS.items():
        try:
            required = contexts_of(source)
        except (ValueError, KeyError) as fault:
            faults.append(f"{program}: its context numbers cannot be derived: {fault}")
            continue
        folder = help_root / program / "help"
        if not (folder / "help_1033.txt").exists():
            faults.append(f"{program}: no help_1033.txt in {folder}")
        for help_source in sorted(folder.glob("help_*.txt")):
            language = help_source.stem[len("help_"):]
            contexts, keywords, error = listing(hlpc, help_source, work)
            if error:
                faults.append(f"{program} {language}: {error}")
                continue
            for context in sorted(set(required) - contexts):
                faults.append(f"{program} {language}: no topic for 0x{context:X} ({required[context]})")
            if needs_keywords and not keywords:
                faults.append(f"{program} {language}: no keywords for the index")
    return faults


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    source = pathlib.Path(sys.argv[1])
    work = pathlib.Path(sys.argv[3])
    work.mkdir(parents=True, exist_ok=True)
    help_root = pathlib.Path(sys.argv[4]) if len(sys.argv) == 5 else source / "resources"
    faults = check(source, sys.argv[2], work, help_root)
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("every help file answers every context number of its program")


if __name__ == "__main__":
    main()

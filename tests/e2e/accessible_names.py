#!/usr/bin/python3
"""Reads one window of the running program through AT-SPI, as a screen reader
does, prints role, name and description of each control, and checks them.

Usage: accessible_names.py <window title>
Exits 1 when the window does not show up in time or a control is not as
expected, 0 otherwise.

Usage: accessible_names.py --texts <window title>
Prints the texts of the window's labels, as a screen reader reads a message
box, and exits 0; 1 when the window does not show up in time.

Usage: accessible_names.py --text <window title>
Prints the window's title, the name of each text area of the window in
brackets followed by the whole text it holds, as a screen reader reads a
document, then the texts of its labels, and exits 0; 1 when the window does
not show up in time. The title may be the start of the window's title."""

import sys
import time

import pyatspi

APPLICATION_NAMES = {"Varnel", "varnel"}

# What a listener must hear for each window: (role, name, description).
EXPECTED = {
    "Varnel File Compare": [
        ("push button", "Browse for the source file", ""),
        ("text", "Source", "Choose the original document to compare."),
        ("text", "Target", "Choose the document with changes."),
        ("push button", "Compare", ""),
        ("push button", "Browse for the target file", ""),
        ("label", "Source", ""),
        ("label", "Target", ""),
        ("push button", "Details >>>", ""),
        ("push button", "About...", ""),
        ("check box", "Display only first and last lines for each set of differences", ""),
        ("check box", "Binary comparison", ""),
        ("check box", "Disregard case of letters", ""),
        ("check box", "Display line numbers on an ASCII comparison", ""),
        ("check box", "Do not expand tabs to spaces", ""),
        ("check box", "Compress white space (tabs and spaces) for comparison", ""),
        ("check box", "Compare files as ASCII text", ""),
        ("text", "Maximum consecutive mismatch lines", ""),
        ("label", "Maximum consecutive mismatch lines", ""),
        ("text", "Number of consecutive lines that must match after a mismatch", ""),
        ("label", "Number of consecutive lines that must match after a mismatch", ""),
    ],
    "About Varnel": [
        ("image", "Program icon", ""),
        ("label", "File compare utility.", ""),
        ("label", "Warning: ...This program comes with no warranty of any kind. "
                  "You use it at your own risk.", ""),
        ("label", "Varnel", ""),
        ("label", "Version 1.0.4", ""),
        ("label", "News, updates and help for this program are on its web page: "
                  "https://varnel.example.org/", ""),
        ("push button", "OK", ""),
    ],
    # The main window on a German desktop.
    "Varnel Dateivergleich": [
        ("push button", "Quelldatei auswählen", ""),
        ("text", "Quelle", "Wählen Sie das ursprüngliche Dokument für den Vergleich."),
        ("text", "Ziel", "Wählen Sie das geänderte Dokument."),
        ("push button", "Vergleichen", ""),
        ("push button", "Zieldatei auswählen", ""),
        ("label", "Quelle", ""),
        ("label", "Ziel", ""),
        ("push button", "Details >>>", ""),
        ("push button", "Über...", ""),
        ("check box", "Nur erste und letzte Zeile jedes Unterschieds anzeigen", ""),
        ("check box", "Binärer Vergleich", ""),
        ("check box", "Groß-/Kleinschreibung ignorieren", ""),
        ("check box", "Zeilennummern beim ASCII-Vergleich anzeigen", ""),
        ("check box", "Tabulatoren nicht in Leerzeichen umwandeln", ""),
        ("check box", "Leerraum (Tabulatoren und Leerzeichen) zusammenfassen", ""),
        ("check box", "Dateien als ASCII-Text vergleichen", ""),
        ("text", "Höchstzahl abweichender Zeilen in Folge", ""),
        ("label", "Höchstzahl abweichender Zeilen in Folge", ""),
        ("text", "Anzahl der Zeilen in Folge, die nach einer Abweichung übereinstimmen müssen", ""),
        ("label", "Anzahl der Zeilen in Folge, die nach einer Abweichung übereinstimmen müssen",
         ""),
    ],
}


def find_window(title, limit=30, prefix=False):
    """The window called `title` (or, with `prefix`, whose title starts so) of
    the program, polled for up to `limit` seconds."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is None or app.name not in APPLICATION_NAMES:
                    continue
                for window in app:
                    if window is not None and (window.name == title or
                                               (prefix and window.name.startswith(title))):
                        return window
        except Exception:  # the tree changes under us while the program starts
            pass
        time.sleep(0.1)
    return None


def controls(node):
    """(role, name, description) of every node below `node` that is not a mere container."""
    found = []
    for child in node:
        if child is None:
            continue
        role = child.getRoleName()
        if role not in ("filler", "panel"):
            found.append((role, child.name, child.description))
        found.extend(controls(child))
    return found


def text_areas(node):
    """Every node below `node` that holds text a reader can read whole."""
    found = []
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == "text":
            found.append(child)
        found.extend(text_areas(child))
    return found


def main():
    texts_only = sys.argv[1] == "--texts"
    document = sys.argv[1] == "--text"
    title = sys.argv[-1]
    window = find_window(title, prefix=document)
    if window is None:
        print(f"FAIL: no window '{title}' on the accessibility bus", file=sys.stderr)
        return 1
    if document:
        # A window that has just opened may not have told its parts yet.
        deadline = time.monotonic() + 10
        while not [a for a in text_areas(window) if a.queryText().characterCount]:
            if time.monotonic() > deadline:
                break
            time.sleep(0.1)
        print(window.name)
        for area in text_areas(window):
            text = area.queryText()
            print(f"[{area.name}]")
            print(text.getText(0, text.characterCount))
        for role, name, _ in controls(window):
            if role == "label" and name:
                print(name)
        return 0
    if texts_only:
        for role, name, _ in controls(window):
            if role == "label" and name:
                print(name)
        return 0
    found = controls(window)
    print(f"{window.getRoleName()} '{window.name}'")
    for role, name, description in found:
        print(f"  {role:12} | {name} | {description}")
    problems = []
    names = [name for _, name, _ in found if name]
    if len(found) != len(names):
        problems.append("a control has no name")
    if sorted(found) != sorted(EXPECTED[title]):
        problems.append(f"expected {sorted(EXPECTED[title])}")
    for problem in problems:
        print(f"FAIL: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The user manual names every entry of the main window's menus, as the menu shows it.

The entries are the commands that CMainFrame.cpp puts in the menu bar (and the toolbar toggles of
View > Toolbars); their texts come from the command table, without the mnemonic "&", the "..." of
a dialog and the shortcut after a tab."""
import html
import re
import sys
from pathlib import Path

source, manual = Path(sys.argv[1]), Path(sys.argv[2])
table = (source / "platform/CommandTable.cpp").read_text(encoding="utf-8")
texts = dict(re.findall(r'CommandInfo\{Cmd::(\w+), "([^"]*)"', table))
frame = (source / "shell/CMainFrame.cpp").read_text(encoding="utf-8")
menus = frame[frame.index("menuBar()->addMenu"):frame.index("for (QMenu* menu : {file")]
toolbars = (source / "shell/ToolbarTable.cpp").read_text(encoding="utf-8")
toggles = re.search(r"toggles = \{([^}]*)\}", toolbars).group(1)
# The recent albums' entries show file names, not texts of the table.
commands = [c for c in dict.fromkeys(re.findall(r"Cmd::(\w+)", menus) + re.findall(r"\w+", toggles))
            if not c.startswith("FileMru")]


def shown(text):
    text = text.split("\\t")[0].replace("&&", "\0").replace("&", "").replace("\0", "&")
    text = re.sub(r"\\u([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)
    return normal(text.rstrip("."))


def normal(text):
    return re.sub(r"\s+º", "º", re.sub(r"\s+", " ", text)).strip().lower()


pages = " ".join(html.unescape(re.sub(r"<[^>]+>", " ", p.read_text(encoding="utf-8")))
                 for p in sorted(manual.glob("*.html")))
pages = normal(pages)
missing = [f"{c}: {shown(texts[c])}" for c in commands if c in texts and shown(texts[c]) not in pages]
unknown = [f"no text for {c}" for c in commands if c not in texts]
print("\n".join([f"not in the manual: {m}" for m in missing] + unknown) or f"{len(commands)} menu entries ok")
sys.exit(1 if missing or unknown else 0)

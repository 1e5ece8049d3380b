#!/usr/bin/env python3
"""Every command form that `albora-cli --help` lists answers `albora-cli FORM --help` with its usage
(exit 0), and the README, the man page and the manual's albora-cli page each name it.

A form is a group with its command ("album new"), or a group that is its own command ("web"). The
documents name a form as "GROUP COMMAND", or among alternatives after a "|" on the group's line
("settings list | get KEY | set KEY VALUE")."""
import html
import re
import subprocess
import sys
from pathlib import Path

NAME = re.compile(r"^[a-z][a-z-]*$")


def forms_of_help(text):
    """The forms of the help's entries: lines indented by two spaces that start with a group."""
    forms = []
    for line in text.splitlines():
        if not re.match(r"^  [a-z]", line):
            continue
        words = line[2:].split("  ")[0].split()
        commands = [w for i, w in enumerate(words[1:], 1) if (i == 1 or words[i - 1] == "|") and NAME.match(w)]
        forms += [(words[0], c) for c in commands] or [(words[0], None)]
    return list(dict.fromkeys(forms))


def plain_man(text):
    text = re.sub(r"\\f[BIRP]|\\f\(..|\\&", "", text)
    return text.replace("\\-", "-")


def plain_html(text):
    return html.unescape(re.sub(r"<[^>]+>", "", text))


def names(text, group, command):
    prefix = r"(?:^|albora-cli |\.B |\.BR |`)" if command is None else r"\b"
    if command is None:
        return re.search(prefix + re.escape(group) + r" ", text, re.M) is not None
    pattern = rf"\b{re.escape(group)} (?:{re.escape(command)}\b|[^\n]*\| ?{re.escape(command)}\b)"
    return re.search(pattern, text) is not None


cli, readme, man, manual = sys.argv[1:5]
help_text = subprocess.run([cli, "--help"], capture_output=True, text=True, check=True).stdout
forms = forms_of_help(help_text)
documents = {
    "README.md": Path(readme).read_text(encoding="utf-8"),
    "man albora-cli": plain_man(Path(man).read_text(encoding="utf-8")),
    "manual albora-cli.html": plain_html(Path(manual).read_text(encoding="utf-8")),
}
faults = []
for group, command in forms:
    form = " ".join(w for w in (group, command) if w)
    run = subprocess.run([cli, *form.split(), "--help"], capture_output=True, text=True)
    if run.returncode != 0 or not run.stdout.startswith("Usage:") or f"  {group}" not in run.stdout:
        faults.append(f"albora-cli {form} --help: exit {run.returncode}, {run.stdout[:60]!r}{run.stderr[:80]!r}")
    faults += [f"{document} does not name '{form}'" for document, text in documents.items()
               if not names(text, group, command)]
print("\n".join(faults) or f"{len(forms)} command forms ok")
sys.exit(1 if faults else 0)

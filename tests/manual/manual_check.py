#!/usr/bin/env python3
"""The user manual's pages hang together: every page that index.html links exists, every page
links back to the index, every link between pages and to the stylesheet finds its file, no
page is left out of the contents, and each page's previous and next links follow the contents'
order (the index first)."""
import sys
from html.parser import HTMLParser
from pathlib import Path


class Links(HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets = []
        self.rel = {}

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "a" and attributes.get("rel") in ("prev", "next"):
            self.rel[attributes["rel"]] = attributes.get("href")
        for name, value in attrs:
            if name in ("href", "src") and value and "://" not in value and not value.startswith("#"):
                self.targets.append(value.split("#")[0])


def parsed(page):
    parser = Links()
    parser.feed(page.read_text(encoding="utf-8"))
    return parser


def links_of(page):
    return parsed(page).targets


manual = Path(sys.argv[1])
faults = []
contents = list(dict.fromkeys(t for t in links_of(manual / "index.html") if t.endswith(".html")))
for target in contents:
    if not (manual / target).is_file():
        faults.append(f"index.html links {target}, which does not exist")
for page in sorted(manual.glob("*.html")):
    targets = links_of(page)
    if page.name != "index.html" and "index.html" not in targets:
        faults.append(f"{page.name} does not link back to index.html")
    if page.name != "index.html" and page.name not in contents:
        faults.append(f"{page.name} is not in the contents")
    faults += [f"{page.name} links {t}, which does not exist" for t in targets if not (manual / t).is_file()]
sequence = ["index.html"] + contents
for i, name in enumerate(sequence):
    if not (manual / name).is_file():
        continue
    expected = {"prev": sequence[i - 1] if i > 0 else None,
                "next": sequence[i + 1] if i + 1 < len(sequence) else None}
    rel = parsed(manual / name).rel
    faults += [f"{name}: {kind} link {rel.get(kind)}, expected {want}" for kind, want in expected.items()
               if rel.get(kind) != want]
print("\n".join(faults) or f"{len(contents)} pages ok")
sys.exit(1 if faults else 0)

#!/usr/bin/python3
"""Checks a generated album web site before anyone puts it on a server.

Usage: check_site.py SITE_DIR

Every .htm/.html page under SITE_DIR must be HTML5 that tidy finds no error in, declare UTF-8,
run no script, reach nothing outside the site (no external URL, no path of the machine that made
it), describe and size every picture, and link only to files and anchors that exist. Style
sheets are held to the same rules for the files they name.

Prints one line per problem, "file: problem", and exits 1 if there was any, 0 if the site is
clean, 2 if the check could not run.
"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import urllib.parse

PAGE_SUFFIXES = (".htm", ".html")
URL_ATTRIBUTES = {"href", "src", "poster", "data", "action", "formaction", "background", "cite"}
# A placeholder the generator should have replaced; a generated page never shows one.
PLACEHOLDER = re.compile(r"\{[A-Z][A-Z0-9]{2,}\}")
# Paths of the machine the site was made on. The look-behinds keep relative paths such as
# "photos/home/" and words that merely end in "file" out.
LOCAL_PATHS = [
    (re.compile(r"(?<![\w])file:/", re.IGNORECASE), "file: URL"),
    (re.compile(r"(?<![A-Za-z])[A-Za-z]:\\"), "Windows path"),
    (re.compile(r"(?<![\w.~-])/(?:home|tmp|root|Users|media|mnt)/"), "absolute path"),
]
DOCTYPE = re.compile(r"\A\ufeff?\s*<!doctype\s+html\s*>", re.IGNORECASE)
CSS_URL = re.compile(r"url\(\s*(['\"]?)(.*?)\1\s*\)", re.IGNORECASE | re.DOTALL)
CSS_IMPORT = re.compile(r"@import\s+(['\"])(.*?)\1", re.IGNORECASE)
SCHEME = re.compile(r"^([A-Za-z][A-Za-z0-9+.-]*):")


class Page(html.parser.HTMLParser):
    """What one page holds that the checks need: its anchors, its links, and the problems that
    can be seen in the page alone."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.problems = []
        self.ids = set()
        self.links = []  # (line, tag, attribute, value)
        self.css_urls = []  # (line, value)
        self.frame_names = set()
        self.targets = []  # (line, name)
        self.has_charset = False
        self.has_viewport = False
        self.html_lang = None
        self.title = None
        self._element_ids = set()
        self._in_title = False
        self._in_style = False

    def problem(self, text):
        self.problems.append(f"line {self.getpos()[0]}: {text}")

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        values = {name: (value or "") for name, value in attrs}
        for name in values:
            if name.startswith("on"):
                self.problem(f"script in the {name} attribute of <{tag}>")
        if "id" in values:
            if values["id"] in self._element_ids:
                self.problem(f'id "{values["id"]}" is used twice')
            self._element_ids.add(values["id"])
            self.ids.add(values["id"])
        if tag == "a" and "name" in values:
            self.ids.add(values["name"])
        for name in URL_ATTRIBUTES & values.keys():
            self.links.append((line, tag, name, values[name]))
        if "srcset" in values:
            for candidate in values["srcset"].split(","):
                if candidate.strip():
                    self.links.append((line, tag, "srcset", candidate.split()[0]))
        if "style" in values:
            self.css_urls += [(line, url) for url in css_urls(values["style"])]
        if "target" in values and not values["target"].startswith("_"):
            self.targets.append((line, values["target"]))
        if tag in ("iframe", "frame") and values.get("name"):
            self.frame_names.add(values["name"])
        if tag == "meta":
            if values.get("charset", "").strip().lower() == "utf-8":
                self.has_charset = True
            if values.get("name", "").lower() == "viewport" and values.get("content"):
                self.has_viewport = True
        elif tag == "html":
            self.html_lang = values.get("lang", "").strip()
        elif tag == "title":
            self._in_title = True
            self.title = ""
        elif tag == "style":
            self._in_style = True
        elif tag == "img":
            src = values.get("src", "")
            if not values.get("alt", "").strip():
                self.problem(f'<img src="{src}"> has no alt text')
            for size in ("width", "height"):
                if size not in values:
                    self.problem(f'<img src="{src}"> has no {size}')
                elif not values[size].strip().isdigit():
                    self.problem(f'<img src="{src}"> has {size}="{values[size]}", not a number of pixels')

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False
        elif tag == "style":
            self._in_style = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data
        if self._in_style:
            line = self.getpos()[0]
            self.css_urls += [(line, url) for url in css_urls(data)]


def css_urls(text):
    return [m.group(2).strip() for m in CSS_URL.finditer(text)] + [m.group(2) for m in CSS_IMPORT.finditer(text)]


def url_problem(site, folder, url, own_ids, page_ids, fragment_is_anchor=True):
    """The problem with URL written in a file of FOLDER, or None. OWN_IDS are the anchors of that
    file, PAGE_IDS maps each page of the site (absolute path) to its anchors."""
    if not url.strip():
        return "empty link (it leads back to the page itself)"
    lowered = url.strip().lower()
    if lowered.startswith("mailto:") or lowered.startswith("data:"):
        return None
    if lowered.startswith("javascript:"):
        return f"script in the link {url}"
    if url.startswith("//"):
        return f"external URL {url}"
    scheme = SCHEME.match(url)
    if scheme:
        if len(scheme.group(1)) == 1 or scheme.group(1).lower() == "file":
            return f"local path {url}"
        return f"external URL {url}"
    if url.startswith("/") or url.startswith("\\"):
        return f"absolute path {url}"
    if "\\" in url:
        return f"backslash in {url} (only Windows reads it as a folder)"
    parts = urllib.parse.urlsplit(url)
    path = urllib.parse.unquote(parts.path)
    fragment = urllib.parse.unquote(parts.fragment)
    if not path:
        if fragment and fragment_is_anchor and fragment not in own_ids:
            return f"no id {fragment} in this page"
        return None
    target = os.path.normpath(os.path.join(folder, path))
    if os.path.commonpath([site, target]) != site:
        return f"{url} is outside the site"
    if not os.path.isfile(target):
        return f"{url} is not in the site"
    if fragment and fragment_is_anchor and target in page_ids and fragment not in page_ids[target]:
        return f"no id {fragment} in {path}"
    return None


def tidy_errors(path):
    """tidy's errors for the page at PATH; warnings do not count."""
    run = subprocess.run(["tidy", "-errors", "-quiet", "-utf8", "--doctype", "html5", path],
                         capture_output=True, text=True, errors="replace")
    if run.returncode < 2:
        return []
    errors = [line.strip() for line in run.stderr.splitlines() if "Error:" in line]
    return [f"tidy: {e}" for e in errors] or [f"tidy failed with status {run.returncode}"]


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


def local_path_problems(text):
    problems = []
    for pattern, what in LOCAL_PATHS:
        for m in pattern.finditer(text):
            snippet = text[m.start():m.start() + 40].split()[0]
            problems.append(f"line {line_of(text, m.start())}: {what} {snippet}")
    return problems


def placeholder_problems(text):
    return [f"line {line_of(text, m.start())}: placeholder {m.group(0)} left unexpanded"
            for m in PLACEHOLDER.finditer(text)]


def check_site(site):
    """Problems as (file relative to SITE, text), in file order."""
    site = os.path.abspath(site)
    pages, sheets = [], []
    for folder, subfolders, files in os.walk(site):
        subfolders.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            if name.lower().endswith(PAGE_SUFFIXES):
                pages.append(path)
            elif name.lower().endswith(".css"):
                sheets.append(path)

    problems = []
    parsed = {}
    for path in pages:
        with open(path, "rb") as f:
            raw = f.read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            problems.append((path, f"not UTF-8 (byte {e.start})"))
            text = raw.decode("utf-8", errors="replace")
        page = Page()
        page.feed(text)
        page.close()
        parsed[path] = page
        for error in tidy_errors(path):
            problems.append((path, error))
        if not DOCTYPE.match(text):
            problems.append((path, "does not start with <!DOCTYPE html>"))
        if not page.has_charset:
            problems.append((path, 'no <meta charset="utf-8">'))
        if not page.has_viewport:
            problems.append((path, 'no <meta name="viewport">'))
        if not page.html_lang:
            problems.append((path, "no lang on <html>"))
        if not (page.title or "").strip():
            problems.append((path, "no title"))
        for m in re.finditer(r"<script", text, re.IGNORECASE):
            problems.append((path, f"line {line_of(text, m.start())}: <script>"))
        problems += [(path, p) for p in local_path_problems(text) + placeholder_problems(text)]
        problems += [(path, p) for p in page.problems]

    page_ids = {path: page.ids for path, page in parsed.items()}
    frame_names = set().union(*(page.frame_names for page in parsed.values()))
    for path, page in parsed.items():
        folder = os.path.dirname(path)
        for line, tag, attribute, url in page.links:
            problem = url_problem(site, folder, url, page.ids, page_ids, fragment_is_anchor=(attribute == "href"))
            if problem:
                problems.append((path, f"line {line}: <{tag} {attribute}>: {problem}"))
        for line, url in page.css_urls:
            if not url.startswith("#"):
                problem = url_problem(site, folder, url, page.ids, page_ids)
                if problem:
                    problems.append((path, f"line {line}: style: {problem}"))
        for line, name in page.targets:
            if name not in frame_names:
                problems.append((path, f'line {line}: target "{name}" names no frame of the site'))

    for path in sheets:
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        folder = os.path.dirname(path)
        for url in css_urls(text):
            if not url.startswith("#"):
                problem = url_problem(site, folder, url, set(), {})
                if problem:
                    problems.append((path, problem))
        if re.search(r"@font-face", text, re.IGNORECASE):
            problems.append((path, "web font (@font-face)"))
        problems += [(path, p) for p in local_path_problems(text) + placeholder_problems(text)]

    order = {path: i for i, path in enumerate(pages + sheets)}
    problems.sort(key=lambda problem: order[problem[0]])
    return [(os.path.relpath(path, site), text) for path, text in problems]


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        print("usage: check_site.py SITE_DIR", file=sys.stderr)
        return 2
    if not shutil.which("tidy"):
        print("check_site.py: tidy is not installed", file=sys.stderr)
        return 2
    problems = check_site(argv[1])
    for name, text in problems:
        print(f"{name}: {text}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Checks the installed help page: it parses with every element closed, its in-page links
all lead somewhere, and it has the sections that the toolbar opens and the licence notes.

    check-help-page.py PATH/Help/Help.EN.html
"""
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}
REQUIRED_IDS = ["own-entries", "further-languages", "capture", "tray", "options", "shortcuts", "licences"]
REQUIRED_TEXT = ["CC-CEDICT", "CC BY-SA 4.0", "MIT License", "Ctrl</kbd>+<kbd>Insert"]


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.ids = set()
        self.links = []
        self.errors = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            if attrs["id"] in self.ids:
                self.errors.append(f"id {attrs['id']!r} is used twice")
            self.ids.add(attrs["id"])
        if tag == "a" and attrs.get("href", "").startswith("#"):
            self.links.append(attrs["href"][1:])
        if tag not in VOID:
            self.open.append((tag, self.getpos()[0]))

    def handle_endtag(self, tag):
        if not self.open or self.open[-1][0] != tag:
            expected = self.open[-1] if self.open else ("nothing", 0)
            self.errors.append(f"line {self.getpos()[0]}: </{tag}> closes <{expected[0]}> of line {expected[1]}")
            return
        self.open.pop()


def main():
    path = sys.argv[1]
    with open(path, encoding="utf-8") as f:
        text = f.read()
    page = Page()
    page.feed(text)
    page.close()
    errors = list(page.errors)
    errors += [f"<{tag}> of line {line} is never closed" for tag, line in page.open]
    errors += [f"link to #{target} leads nowhere" for target in page.links if target not in page.ids]
    errors += [f"no section with id {name!r}" for name in REQUIRED_IDS if name not in page.ids]
    errors += [f"the page never mentions {needle!r}" for needle in REQUIRED_TEXT if needle not in text]
    for error in errors:
        print(f"{path}: {error}")
    if errors:
        return 1
    print(f"{path}: {len(page.ids)} sections and anchors, {len(page.links)} in-page links, all sound")
    return 0


if __name__ == "__main__":
    sys.exit(main())

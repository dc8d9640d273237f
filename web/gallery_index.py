#!/usr/bin/env python3
"""Writes the gallery's index, which the page's picker reads:

    web/gallery_index.py INDEX_JSON EXAMPLES_DIR FILE...

One entry for each folder of EXAMPLES_DIR that holds a README.md, by name:
{"name": the folder's name, "title": its README's title, "caption": the
first line of text after the title, "files": those of the FILEs (the files
the program reads, in its order) the folder has}. The site build runs it.
"""
import json
import os
import sys


def heading(readme):
    """The title of a README.md (its first line, a "# " heading) and its
    caption (the first line of text after it), without surrounding spaces."""
    with open(readme, encoding="utf-8") as file:
        lines = file.read().splitlines()
    title = lines[0].lstrip("#").strip() if lines else ""
    caption = next((line.strip() for line in lines[1:] if line.strip()), "")
    return title, caption


def entry(folder, name, files):
    title, caption = heading(os.path.join(folder, "README.md"))
    return {"name": name, "title": title, "caption": caption,
            "files": [file for file in files if os.path.isfile(os.path.join(folder, file))]}


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: " + __doc__.split("\n\n")[1].strip())
    output, examples, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    index = [entry(os.path.join(examples, name), name, files) for name in sorted(os.listdir(examples))
             if os.path.isfile(os.path.join(examples, name, "README.md"))]
    os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
    with open(output, "w", encoding="utf-8") as file:
        json.dump(index, file, ensure_ascii=False, indent=1)
        file.write("\n")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The gallery's index as the site build writes it (web/gallery_index.py),
read back by a JSON parser: whatever a README's title and caption hold comes
back exactly, with the files each example has, in the program's order."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

Script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web", "gallery_index.py")
Files = ["confetti.vert", "fire.vert", "fire.frag", "particle.bmp"]


def make_example(examples, name, readme, files):
    os.makedirs(os.path.join(examples, name))
    with open(os.path.join(examples, name, "README.md"), "w", encoding="utf-8") as file:
        file.write(readme)
    for file in files:
        open(os.path.join(examples, name, file), "w").close()


class GalleryIndex(unittest.TestCase):
    def test_titles_and_captions_come_back_exactly_with_the_files_each_has(self):
        caption = 'A\ttab, "double quotes", a back\\slash and non-ASCII letters: ñandú, Ærø, Ελληνικά, 雪'
        with tempfile.TemporaryDirectory() as scratch:
            examples = os.path.join(scratch, "examples")
            make_example(examples, "tricky", f'# "Tricky" \\ one\n\n   \n{caption}\n\nMore text.\n',
                         ["particle.bmp", "fire.frag"])
            make_example(examples, "plain", "# Plain\nFirst line.\n", ["confetti.vert"])
            os.makedirs(os.path.join(examples, "no-readme"))
            index_path = os.path.join(scratch, "site", "examples", "index.json")
            subprocess.run([sys.executable, Script, index_path, examples, *Files], check=True)
            with open(index_path, encoding="utf-8") as file:
                index = json.load(file)
        self.assertEqual(index, [
            {"name": "plain", "title": "Plain", "caption": "First line.", "files": ["confetti.vert"]},
            {"name": "tricky", "title": '"Tricky" \\ one', "caption": caption,
             "files": ["fire.frag", "particle.bmp"]},
        ])


if __name__ == "__main__":
    unittest.main()

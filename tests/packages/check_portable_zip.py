#!/usr/bin/env python3
"""Checks a portable zip of the dictionary: one top folder holding exactly the program,
both article files, the help page and the three licence texts, each byte for byte as the
build laid it out, with no entry that could land outside the folder it is unzipped into.
With --unzip-to, then unzips it into that folder, emptied first (for the Wine test that
runs the program from there)."""
import argparse
import pathlib
import shutil
import sys
import zipfile

TOP = "TandemoxDictionary/"


def expected_entries(program_dir, source_dir):
    return {
        TOP + "TandemoxDictionary.exe": program_dir / "TandemoxDictionary.exe",
        TOP + "Articles/Articles_English_Chinese.dat": program_dir / "Articles" / "Articles_English_Chinese.dat",
        TOP + "Articles/Articles_Chinese_English.dat": program_dir / "Articles" / "Articles_Chinese_English.dat",
        TOP + "Help/Help.EN.html": program_dir / "Help" / "Help.EN.html",
        TOP + "LICENSE.txt": source_dir / "LICENSE",
        TOP + "CC-CEDICT-NOTICE.txt": source_dir / "data" / "CC-CEDICT-NOTICE.txt",
        TOP + "jieba-dict-NOTICE.txt": source_dir / "data" / "jieba-dict-NOTICE.txt",
        TOP + "word-data-NOTICE.txt": source_dir / "data" / "word-data-NOTICE.txt",
    }


def problems_of(archive, expected):
    problems = []
    names = archive.namelist()
    if len(names) != len(set(names)):
        problems.append("duplicate entries")
    for name in names:
        if name.startswith("/") or "\\" in name or ".." in name.split("/"):
            problems.append(f"unsafe entry name {name!r}")
    # Folder entries are allowed only for the folders that the files need.
    folders = {name[: name.rfind("/") + 1] for name in expected}
    files = [name for name in names if not name.endswith("/")]
    stray_folders = [name for name in names if name.endswith("/") and name not in folders]
    missing = sorted(set(expected) - set(files))
    extra = sorted(set(files) - set(expected)) + stray_folders
    if missing:
        problems.append(f"missing: {missing}")
    if extra:
        problems.append(f"not expected: {extra}")
    bad = archive.testzip()
    if bad:
        problems.append(f"corrupt entry {bad}")
    for name in sorted(set(files) & set(expected)):
        if archive.read(name) != expected[name].read_bytes():
            problems.append(f"{name} differs from {expected[name]}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("zip", type=pathlib.Path)
    parser.add_argument("--program-dir", type=pathlib.Path, required=True)
    parser.add_argument("--source-dir", type=pathlib.Path, required=True)
    parser.add_argument("--unzip-to", type=pathlib.Path)
    arguments = parser.parse_args()

    with zipfile.ZipFile(arguments.zip) as archive:
        problems = problems_of(archive, expected_entries(arguments.program_dir, arguments.source_dir))
        for problem in problems:
            print(f"{arguments.zip.name}: {problem}", file=sys.stderr)
        if problems:
            return 1
        print(f"{arguments.zip.name}: {len(archive.namelist())} entries, as expected")
        if arguments.unzip_to:
            shutil.rmtree(arguments.unzip_to, ignore_errors=True)
            arguments.unzip_to.mkdir(parents=True)
            archive.extractall(arguments.unzip_to)
            print(f"unzipped into {arguments.unzip_to}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks a Qt Linguist translation against the code.

usage: check_ts.py LUPDATE SOURCE_DIR TS_FILE

The translation is first refreshed from the code into a temporary copy
(with the options of the `update_translations` target), so that a text new
in the code shows as unfinished and a text gone from it as vanished. Then
every entry must be finished, not vanished or obsolete, carry the same
placeholders (%1.. and %n) as its source, and hold no kana or kanji.
Exit status 1 lists every entry at fault.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:n|L?\d+)")
JAPANESE = re.compile(r"[\u3040-\u30ff\u31f0-\u31ff\u3400-\u4dbf\u4e00-\u9fff\uff66-\uff9f]")


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text or ""))


def problems(ts_path):
    found = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            where = f"[{name}] {source!r}"
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "unfinished"
            if kind in ("vanished", "obsolete"):
                found.append(f"{kind} (no longer in the code): {where}")
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
            if kind == "unfinished" or not all(forms):
                found.append(f"unfinished: {where}")
                continue
            for form in forms:
                if placeholders(form) != placeholders(source):
                    found.append(f"placeholders differ ({placeholders(source)} vs "
                                 f"{placeholders(form)}): {where} -> {form!r}")
                if JAPANESE.search(form):
                    found.append(f"kana or kanji in the translation: {where} -> {form!r}")
    return found


def main():
    lupdate, source_dir, ts_file = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, os.path.basename(ts_file))
        shutil.copyfile(ts_file, copy)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-source-language", "ja_JP",
                        "-target-language", "en", "-tr-function-alias",
                        "QT_TRANSLATE_NOOP+=MORNA_TRANSLATE_NOOP", "-I", source_dir,
                        "ui", "app", "core", "sound", "-ts", copy],
                       cwd=source_dir, check=True)
        found = problems(copy)
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} entries of {ts_file} need work: refresh it with the "
              "update_translations target, then translate (Qt Linguist or by hand).")
        return 1
    print(f"{ts_file}: every entry translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())

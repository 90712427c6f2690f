#!/usr/bin/env python3
"""Writes the fuzz seed corpora (fuzz/corpus/<target>/) from the repository's data, the shared
sample photos and small generated files. Run from the repository root:

    python3 fuzz/seeds/make_seeds.py [SHARED_DATA]    # default ../shared/data

The photo seeds come from make_photo_seeds.cpp (built as lumora_make_photo_seeds)."""

import glob
import os
import plistlib
import shutil
import struct
import sys

SHARED = sys.argv[1] if len(sys.argv) > 1 else "../shared/data"
OUT = "fuzz/corpus"


def folder(name):
    path = os.path.join(OUT, name)
    os.makedirs(path, exist_ok=True)
    return path


def write(target, name, data):
    with open(os.path.join(folder(target), name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def preferences():
    full = {
        "ENABLED": True, "rememberSettings": True, "rememberFPSSettings": True,
        "advPhotoModeAsDefault": 1, "advVideoModeAsDefault": 0, "showHelpHowToShow": False,
        "showDimensions": True, "showFPS": True, "showOverlays": True,
        "showHorizonAlignment": False, "showVerticalAlert": True, "blurButtonBar": True,
        "unMirrorSelfies": True, "frameRateTime": 60, "dimensionHeightPhotoBack": 2448,
        "dimensionHeightPhotoFront": 960, "dimensionHeightVideoBack": 1080,
        "dimensionHeightVideoFront": 720, "stabilizerIndex": 2, "guideIndex": 3,
        "resolutionIndex": 1, "timerTime": 10, "timeLapseTime": 30, "timeType": 1,
        "timerMode": 2, "overlayMode": 4, "resolutionSelected": True, "guideSelected": False,
        "horizonAlignmentShowing": True, "timeStampVisibleAndPlace": True,
        "timeStampVisible": True, "timestampIncludeTime": True,
    }
    odd = {
        "rememberSettings": "TRUE", "ENABLED": "yes", "frameRateTime": "120",
        "timerTime": [1, 2], "guideIndex": {"a": 1}, "timeLapseTime": 2.75,
        "showFPS": 0, "unMirrorSelfies": b"\x01", "advPhotoSelected": 3,
        "timeStampVisible": "no", "stabilizerIndex": -1, "overlayMode": 9999999999,
    }
    older = {"advPhotoSelected": 1, "rememberSettings": True, "timerTime": 7}
    for name, value in (("full", full), ("odd", odd), ("older", older), ("empty", {})):
        write("preferences", name + ".xml", plistlib.dumps(value, fmt=plistlib.FMT_XML))
        write("preferences", name + ".bplist", plistlib.dumps(value, fmt=plistlib.FMT_BINARY))
    write("preferences", "array-root.xml", plistlib.dumps([1, "two", 3.0]))


def strings():
    for path in sorted(glob.glob("data/strings/*.lproj/Localizable.strings")):
        lang = os.path.basename(os.path.dirname(path)).split(".")[0]
        with open(path, "rb") as f:
            text = f.read()
        write("strings", lang + ".strings", text)
        if lang == "Base":
            decoded = text.decode("utf-8")
            write("strings", "Base-utf16le.strings", b"\xff\xfe" + decoded.encode("utf-16-le"))
            write("strings", "Base-utf16be.strings", b"\xfe\xff" + decoded.encode("utf-16-be"))
            write("strings", "Base-bom.strings", b"\xef\xbb\xbf" + text)
    write("strings", "escapes.strings",
          '/* block */ "a\\"b" = "line\\nnext\\t\\\\ \\U00e9";\n// line\n"k" = "v";\n')


# The start of a JPEG up to its first scan: the markers and metadata the EXIF reader walks.
def jpeg_head(data, limit=20000):
    i = 2
    while i + 4 <= len(data) and data[i] == 0xFF:
        marker = data[i + 1]
        if marker == 0xDA:
            break
        (length,) = struct.unpack(">H", data[i + 2:i + 4])
        i += 2 + length
    return data[:min(i, limit)] + b"\xff\xd9"


def exif():
    photos = sorted(glob.glob(os.path.join(SHARED, "photos", "orientation", "*.jpg")))
    photos += sorted(glob.glob(os.path.join(SHARED, "photos", "invalid", "*.jpg")))
    for path in photos:
        with open(path, "rb") as f:
            data = f.read()
        kind = os.path.basename(os.path.dirname(path))
        write("exif", kind + "-" + os.path.basename(path), jpeg_head(data))
    for path in sorted(glob.glob(os.path.join(OUT, "photo", "tag*.jpg"))):
        shutil.copy(path, os.path.join(folder("exif"), "small-" + os.path.basename(path)))
    shutil.copy(os.path.join(SHARED, "photos", "README.md"), os.path.join(folder("exif"), "README.md"))


def device_profiles():
    for path in sorted(glob.glob("data/devices/*.json")):
        shutil.copy(path, folder("device_profile"))
    write("device_profile", "not-an-object.json", "[1, 2, 3]")


def scenarios():
    for path in sorted(glob.glob("scenarios/*.scn")):
        shutil.copy(path, folder("scenario"))
    write("scenario", "small.scn",
          '# slow\ndevice iphone6\nlaunch camera\nprefs set timerTime "7"\nrepeat 3\n'
          '  tap (187,600)\n  advance 1.5s\nend\nexpect photos count >= 3\n'
          'expect photo last red-pixels lower-left > 500\nturn shutter -30deg 40\n')


if __name__ == "__main__":
    preferences()
    strings()
    exif()
    device_profiles()
    scenarios()

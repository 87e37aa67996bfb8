#!/usr/bin/python3
"""Draws the reader's icon as PNG files for the hicolor icon theme.

Usage: draw_icons.py OUT_DIR NAME

Writes OUT_DIR/SIZExSIZE/apps/NAME.png at the sizes desktops look for, from
the same picture as the icon in the skin.
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools"))
from draw_pictures import icon_master  # noqa: E402

from PIL import Image  # noqa: E402

SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def main(argv):
    if len(argv) != 3:
        sys.exit(f"usage: {argv[0]} OUT_DIR NAME")
    out, name = Path(argv[1]), argv[2]
    master = icon_master()
    for size in SIZES:
        folder = out / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        master.resize((size, size), Image.LANCZOS).save(folder / f"{name}.png", optimize=True)


if __name__ == "__main__":
    main(sys.argv)

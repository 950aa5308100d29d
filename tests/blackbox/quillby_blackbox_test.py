#!/usr/bin/env python3
"""Quillby.exe under Wine, unpacked from the release zip into a demo folder and
used from outside with the mouse, as a user would: an unedited save leaves the
friend book as it was, the exit stores
where the window stood, and a program left from the compact window starts in it
again."""

import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile
import zipfile

from wine_desktop import (REPO, Failure, MapWatch, WineProgram, click_control,
                          end_programs_in, geometry, move, on_a_display, twips, wait_until)

BOOK = "おともだち帳"
SAFETY_COPY = BOOK + ".original"
MEMO = "Quillby.memo"
SETTINGS = "QUILLBY.INI"

MAIN_CAPTION = "Quillby Ver0.5"
COMPACT_NAME = "Quillby"  # shows no title, but screen readers and the taskbar read it
MAIN_CLIENT = (481, 346)  # 7215 by 5190 twips
SMALL_CLIENT = (162, 329)  # 2430 by 4935 twips
# Controls in twips from the client area's corner: left, top, width, height.
SAVE = (120, 3360, 1095, 495)
MAIN_END = (1320, 4320, 1455, 495)
SHRINK = (6360, 4920, 735, 255)
SMALL_END = (120, 3840, 1215, 375)

# Where the windows are put by hand during the test, as window corners in pixels.
MAIN_PLACE = (137, 91)
SMALL_PLACE = (311, 263)

SHOW_TIMEOUT = 60
ACTION_TIMEOUT = 30


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    check(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


def read(folder, name):
    path = folder / name
    return path.read_bytes() if path.exists() else None


def identity(path):
    try:
        s = path.stat()
    except FileNotFoundError:
        return None
    return (s.st_ino, s.st_mtime_ns, s.st_size)


def settings_record(left, top, main_window_flag):
    # Options never touched are written as they were read: nothing, nothing, empty text.
    return f'" {twips(left)}"," {twips(top)}",,,"{main_window_flag}",""\r\n'.encode()


def make_program_folder(root, release_zip, standin):
    folder = root / "PostPet"
    folder.mkdir()
    with zipfile.ZipFile(release_zip, metadata_encoding="cp932") as release:
        release.extractall(folder)
    check((folder / "Quillby.exe").is_file(), "the release zip holds no Quillby.exe")
    shutil.copy(standin, folder / "PostPet20.EXE")
    subprocess.run([sys.executable, str(REPO / "scripts" / "demo-book.py"), str(folder)],
                   check=True)
    return folder


def wait_main_window(watch, program):
    shown = watch.wait_for(program.pid, lambda name: name == MAIN_CAPTION, SHOW_TIMEOUT,
                           "the main window")
    return shown.window, geometry(shown.window)


def wait_compact_window(watch, program, since):
    shown = watch.wait_for(program.pid, lambda name: name == COMPACT_NAME, SHOW_TIMEOUT,
                           "the compact window", since)
    window = shown.window
    place = geometry(window)
    # Without a frame from a window manager, the compact window's X window is the
    # whole window, its own thin border included.
    border = (place.width - SMALL_CLIENT[0]) // 2
    check(border >= 0 and (place.width - SMALL_CLIENT[0], place.height - SMALL_CLIENT[1]) ==
          (2 * border, 2 * border), f"compact window of unexpected size {place}")
    return window, place, border


def first_start_save_and_exit(folder, watch, book, memo):
    """No settings file yet: the window stands at the screen's corner; save, move,
    leave. Gives where the client area sits inside the main window's frame."""
    with WineProgram(folder, "Quillby.exe") as quillby:
        window, place = wait_main_window(watch, quillby)
        check_equal((place.width, place.height), MAIN_CLIENT, "main window client size in pixels")
        # Wine without a window manager maps only the client area of a framed
        # window; at the window's corner 0,0 that area's place is the frame itself.
        frame = (place.x, place.y)
        check(0 <= frame[0] <= 32 and frame[0] <= frame[1] <= 64, f"implausible frame {frame}")
        check_equal(read(folder, SETTINGS), b"", "settings file created at the first start")
        check_equal(read(folder, SAFETY_COPY), book, "safety copy after the start")

        before = (identity(folder / BOOK), identity(folder / MEMO))
        click_control(place.x, place.y, SAVE)
        wait_until(lambda: all(identity(folder / name) not in (None, old)
                               for name, old in zip((BOOK, MEMO), before)),
                   ACTION_TIMEOUT, "the save to rewrite the friend book and the memo file")

        client = (MAIN_PLACE[0] + frame[0], MAIN_PLACE[1] + frame[1])
        move(window, *client)
        click_control(*client, MAIN_END)
        check_equal(quillby.wait_exit(ACTION_TIMEOUT, "the program to end after 終了"), 0,
                    "exit code")

    check_equal(read(folder, BOOK), book, "friend book after an unedited save")
    check_equal(read(folder, MEMO), memo, "memo file after an unedited save")
    check_equal(read(folder, SAFETY_COPY), book, "safety copy after the run")
    check_equal(read(folder, SETTINGS), settings_record(*MAIN_PLACE, "1"),
                "settings after leaving from the main window")
    return frame


def switch_to_compact_and_exit(folder, watch, frame):
    """The main window comes back where it was left; leave from the compact window
    after moving it."""
    with WineProgram(folder, "Quillby.exe") as quillby:
        window, place = wait_main_window(watch, quillby)
        check_equal((place.x - frame[0], place.y - frame[1]), MAIN_PLACE,
                    "main window corner at the second start")

        since = watch.mark()
        click_control(place.x, place.y, SHRINK)
        small, small_place, border = wait_compact_window(watch, quillby, since)
        check_equal((small_place.x, small_place.y), MAIN_PLACE, "compact window corner")
        check(not geometry(window).viewable, "the main window stays shown beside the compact one")

        move(small, *SMALL_PLACE)
        click_control(SMALL_PLACE[0] + border, SMALL_PLACE[1] + border, SMALL_END)
        check_equal(quillby.wait_exit(ACTION_TIMEOUT, "the program to end after 終了"), 0,
                    "exit code")

    check_equal(read(folder, SETTINGS), settings_record(*SMALL_PLACE, "0"),
                "settings after leaving from the compact window")


def compact_start(folder, watch):
    """Left from the compact window: the next start shows only the compact window,
    where it was left."""
    since = watch.mark()
    with WineProgram(folder, "Quillby.exe") as quillby:
        small, small_place, border = wait_compact_window(watch, quillby, since)
        check_equal((small_place.x, small_place.y), SMALL_PLACE, "compact window corner at start")
        click_control(SMALL_PLACE[0] + border, SMALL_PLACE[1] + border, SMALL_END)
        check_equal(quillby.wait_exit(ACTION_TIMEOUT, "the program to end after 終了"), 0,
                    "exit code")
        shown = [m.name for m in watch.maps_since(since) if m.pid == quillby.pid]
    check(MAIN_CAPTION not in shown, f"the main window was shown at a compact start: {shown}")
    check_equal(read(folder, SETTINGS), settings_record(*SMALL_PLACE, "0"),
                "settings after leaving from the compact window again")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--release-zip", required=True, type=pathlib.Path)
    parser.add_argument("--standin", required=True, type=pathlib.Path)
    args = parser.parse_args()
    on_a_display()
    for tool in ("xdotool", "xev", "xprop", "xwininfo", "wine"):
        check(shutil.which(tool), f"{tool} is not installed (scripts/setup installs it)")

    with tempfile.TemporaryDirectory(prefix="quillby-blackbox-") as root, MapWatch() as watch:
        folder = make_program_folder(pathlib.Path(root), args.release_zip, args.standin)
        book, memo = read(folder, BOOK), read(folder, MEMO)
        try:
            frame = first_start_save_and_exit(folder, watch, book, memo)
            switch_to_compact_and_exit(folder, watch, frame)
            compact_start(folder, watch)
        finally:
            end_programs_in(folder)
        check_equal(read(folder, BOOK), book, "friend book after three runs without a save")
        check_equal(read(folder, MEMO), memo, "memo file after three runs without a save")
    print("black-box runs passed")


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        sys.exit(1)

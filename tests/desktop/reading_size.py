#!/usr/bin/env python3
"""The reading size on the keys and in the 视图 menu, kept in the settings; the English rows
shown from the menu and still shown after a restart."""
import sys
import time

import harness as h


def line_of(book, chapter, verse=1):
    return int(h.bibtool("line", str(book), str(chapter), str(verse)).strip())


def stored(s, key):
    """A MAIN value of the settings file; None while the file or the key is not there."""
    try:
        return s.ini_value("MAIN", key)
    except FileNotFoundError:
        return None


def wait_size(s, points, after):
    return h.wait_for(f"READING FONT SIZE {points} after {after}",
                      lambda: stored(s, "READING FONT SIZE") == str(points), timeout=5)


def grid_picture(s):
    """The grid below its first verse: the current verse's frame marches, the rows under it
    stand still."""
    x, y, w, hgt = h.main_grid_rect(s)
    below = 20 + 2 * 24 + 2
    return s.pixels(x, y + below, min(w, 400), min(hgt - below, 160))


def size_keys(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        h.click_verse(s, 1)
        at9 = grid_picture(s)
        s.screenshot("genesis1-9pt")
        h.check(stored(s, "READING FONT SIZE") is None,
                "a size was written before the reader changed it")
        for keys, points in (("ctrl+equal", 10), ("ctrl+plus", 11), ("ctrl+KP_Add", 12),
                             ("ctrl+minus", 11), ("ctrl+KP_Subtract", 10)):
            s.key(keys)
            wait_size(s, points, keys)
        h.check(grid_picture(s) != at9, "the grid looks the same at 10 points")
        for _ in range(4):
            s.key("ctrl+equal")
        wait_size(s, 14, "four more steps")
        time.sleep(0.3)
        s.screenshot("genesis1-14pt")
        for _ in range(12):  # two beyond the largest
            s.key("ctrl+equal")
        wait_size(s, 24, "twelve more steps")
        time.sleep(0.3)
        s.screenshot("genesis1-24pt")
        # The current verse is still the one clicked.
        h.expect_copy(s, h.verse_text(line_of(0, 1)) + "\r\n", "创1:1 current at 24 points")
        h.menu_path(s, "视图", "缩小")
        wait_size(s, 23, "the 缩小 item")
        s.key("ctrl+0")
        wait_size(s, 9, "Ctrl+0")
        time.sleep(0.3)
        s.screenshot("genesis1-back-9pt")
        h.check(grid_picture(s) == at9, "back at 9 points the grid differs from its first look")
        # At the default size Ctrl+0 keeps following bookmark 0: set on 创1:3, followed from 创2.
        h.click_verse(s, 3)
        s.key("ctrl+shift+0")
        time.sleep(0.3)
        s.key("ctrl+Right")
        h.wait_place(s, "创世记", 2)
        s.key("ctrl+0")
        h.wait_place(s, "创世记", 1)
        h.expect_copy(s, h.verse_text(line_of(0, 1, 3)) + "\r\n", "bookmark 0 followed")
        h.check(s.ini_value("MAIN", "READING FONT SIZE") == "9", "Ctrl+0 at 9 points resized")


def english_remembered(session):
    john3 = line_of(42, 3, 1)
    with session(ini=f"[MAIN]\nBIB CHAPT INFO={john3}\n") as s:
        s.start_reader()
        h.wait_place(s, "约翰福音", 3)
        h.click_verse(s, 1)
        plain = grid_picture(s)
        h.menu_path(s, "视图", "中英对照")
        h.wait_for("SHOW ENGLISH=1", lambda: s.ini_value("MAIN", "SHOW ENGLISH") == "1",
                   timeout=5)
        time.sleep(0.3)
        h.check(grid_picture(s) != plain, "the grid did not change with 中英对照")
        s.screenshot("john3-english-system")
        # The copy formats stay with the Chinese text.
        h.click_verse(s, 1)
        h.expect_copy(s, h.verse_text(john3) + "\r\n", "约3:1 copied as Chinese")
        h.menu_path(s, "操作", "皮肤", "灰色调")
        time.sleep(0.5)
        s.screenshot("john3-english-gray")
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")

        s.start_reader()
        h.wait_place(s, "约翰福音", 3)
        item = s.find("menu item", name="中英对照", showing=False, what="the 中英对照 item")
        h.check("checked" in h.states(item), f"中英对照 not checked after a restart: "
                f"{h.states(item)}")
        time.sleep(0.3)
        s.screenshot("john3-english-restarted")
        h.check(s.ini_value("MAIN", "SHOW ENGLISH") == "1", "SHOW ENGLISH lost")
        h.menu_path(s, "视图", "中英对照")
        h.wait_for("SHOW ENGLISH=0", lambda: s.ini_value("MAIN", "SHOW ENGLISH") == "0",
                   timeout=5)


if __name__ == "__main__":
    sys.exit(h.main({"size_keys": size_keys, "english_remembered": english_remembered}))

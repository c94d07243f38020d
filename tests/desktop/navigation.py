#!/usr/bin/env python3
"""Moving through chapters and books by the shortcut keys and by the buttons."""
import sys

import harness as h


def line_of(book, chapter, verse=1):
    return int(h.bibtool("line", str(book), str(chapter), str(verse)).strip())


def by_keys(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        for keys, chapter in (("ctrl+Right", 2), ("ctrl+Down", 3), ("ctrl+Left", 2),
                              ("ctrl+Up", 1), ("ctrl+Up", 1), ("ctrl+KP_Right", 2)):
            s.key(keys)
            h.wait_place(s, "创世记", chapter)
        h.expect_copy(s, h.verse_text(line_of(0, 2)) + "\r\n", "创2:1 after the chapter keys")
        # The book tree itself moves between books with the arrow keys.
        h.click_tree_book(s, "出埃及记")
        h.wait_place(s, "出埃及记", 1)
        s.key("Down")
        h.wait_place(s, "利未记", 1)


def by_buttons(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        for hint, book, chapter in (("下一章", "创世记", 2), ("卷末章(50)", "创世记", 50),
                                    ("下一章", "创世记", 50), ("上一章", "创世记", 49),
                                    ("卷首章", "创世记", 1), ("下一卷", "出埃及记", 1),
                                    ("末卷", "玛拉基书", 1), ("上一卷", "撒迦利亚书", 1),
                                    ("首卷", "创世记", 1)):
            s.click_center(h.button(s, hint))
            h.wait_place(s, book, chapter)
        # The chapter box: a number and Enter.
        s.click_center(h.chapter_box(s))
        s.key("ctrl+a")
        s.type_ascii("12")
        s.key("Return")
        h.wait_place(s, "创世记", 12)
        # Ctrl+C in the chapter box is the box's own; the verse is copied from the grid.
        h.click_verse(s, 1)
        h.expect_copy(s, h.verse_text(line_of(0, 12)) + "\r\n", "创12:1 after the chapter box")


if __name__ == "__main__":
    sys.exit(h.main({"by_keys": by_keys, "by_buttons": by_buttons}))

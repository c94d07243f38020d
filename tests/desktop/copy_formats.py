#!/usr/bin/env python3
"""The six copy formats of the chapter grid's context menu, each read back from the clipboard."""
import sys
import time

import harness as h

CRLF = "\r\n"


# The context menu in its order; pop-up menus are not on the accessibility bus (Qt leaves
# pop-ups out of the application's windows), so the item is reached with the arrow keys.
MENU = ["批注", "编辑栏(F)", "复制(纯经文格式)", "复制(写作格式)", "复制(多节写作格式)",
        "复制(多节经卷名格式)", "复制(完整格式)", "复制(串珠内容)", "书签"]


def choose(s, row, caption):
    s.clear_clipboard()
    h.click_verse(s, row, button=3)
    time.sleep(0.3)
    s.key(*["Down"] * (MENU.index(caption) + 1), "Return")
    return h.wait_for(f"{caption} to fill the clipboard",
                      lambda: (lambda t: t if t and t != "\x01" else None)(s.clipboard()))


def six_formats(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        v1 = h.verse_text(0)
        r1 = "创 1:1"
        # Every marker of the verse contributes its references and one blank line; the last
        # line end of all is dropped.
        chain = "".join(CRLF.join(l for l in h.bibtool("chain", "0", m).splitlines() if l)
                        + CRLF + CRLF for m in h.bibtool("markers", "0").split())[:-len(CRLF)]
        expected = {
            "复制(纯经文格式)": v1 + CRLF,
            "复制(写作格式)": "“" + v1[:-1] + "”(" + r1 + ")" + v1[-1] + CRLF,
            "复制(多节写作格式)": "“" + v1[:-1] + "”(" + r1 + ")" + v1[-1],
            "复制(多节经卷名格式)": r1 + "\t" + v1,
            "复制(完整格式)": "《旧约》创世记:" + CRLF + r1 + "\t" + v1 + CRLF,
            "复制(串珠内容)": "[" + r1 + "]" + v1 + CRLF + "-" * 42 + CRLF
                              + chain,
        }
        wrong = []
        for caption, want in expected.items():
            got = choose(s, 1, caption)
            if got != want:
                wrong.append(f"{caption}: got {got!r}, expected {want!r}")
        h.check(not wrong, "; ".join(wrong))


def verse_range(session):
    """Formats 3 and 4 over a range of verses selected with Shift+click."""
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        v = [h.verse_text(i) for i in range(3)]
        h.click_verse(s, 1)
        gx, gy, gw, gh = h.main_grid_rect(s)
        _run_shift_click(s, gx + 52 + 120, h.grid_row_y(s, 3))
        want3 = "“" + "".join(v) + "”(创 1:1-3)" + CRLF
        want4 = "创 1:1-3\t" + "".join(v) + CRLF
        # The menu opens over the selection's last row, which keeps the range.
        got3 = choose(s, 3, "复制(多节写作格式)")
        h.check(got3 == want3, f"several verses, writing format: {got3!r}, expected {want3!r}")
        h.click_verse(s, 1)
        _run_shift_click(s, gx + 52 + 120, h.grid_row_y(s, 3))
        got4 = choose(s, 3, "复制(多节经卷名格式)")
        h.check(got4 == want4, f"several verses, book-name format: {got4!r}, expected {want4!r}")


def _run_shift_click(s, x, y):
    s.move(x, y)
    time.sleep(0.05)
    h._run(["xdotool", "keydown", "shift", "click", "1", "keyup", "shift"], env=s.env)
    time.sleep(0.2)


if __name__ == "__main__":
    sys.exit(h.main({"six_formats": six_formats, "verse_range": verse_range}))

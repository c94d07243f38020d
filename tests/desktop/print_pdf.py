#!/usr/bin/env python3
"""A chapter exported to PDF through the menu and its file dialog, read back as text."""
import os
import re
import subprocess
import sys
import time

import harness as h


def pdf_text(path):
    """The PDF's text without page numbers, blanks or line ends (wrapping is the layout's)."""
    out = subprocess.run(["pdftotext", "-enc", "UTF-8", path, "-"], capture_output=True,
                         timeout=60, check=True).stdout.decode()
    lines = [l for l in out.splitlines() if not re.fullmatch(r"\s*\d+\s*", l)]
    return re.sub(r"\s", "", "".join(lines))


def wait_pdf(path):
    """The file once it is a whole PDF (pdfinfo reads it)."""
    def done():
        return os.path.isfile(path) and subprocess.run(
            ["pdfinfo", path], capture_output=True, timeout=30).returncode == 0
    h.wait_for(f"the PDF {path}", done, timeout=20, interval=0.3)


def export_dialog(s):
    return h.wait_for("the export dialog", lambda: next(
        (w for w in s.windows() if (w.name or "") == "导出PDF"), None), timeout=10)


def export_chapter(session):
    john3 = int(h.bibtool("line", "42", "3", "1"))
    with session(ini=f"[MAIN]\nBIB CHAPT INFO={john3}\n") as s:
        s.start_reader()
        h.wait_place(s, "约翰福音", 3)
        h.menu_path(s, "操作", "导出PDF…")
        export_dialog(s)
        time.sleep(0.5)
        s.screenshot("export-dialog")
        target = os.path.join(s.folder, "out", "john3.pdf")
        os.makedirs(os.path.dirname(target))
        # The file name box has the focus, holding the suggested name: typed over.
        s.key("ctrl+a")
        s.type_ascii(target)
        s.key("Return")
        wait_pdf(target)
        text = pdf_text(target)

        expected_start = "约翰福音第3章1" + h.verse_text(john3).replace(" ", "")
        h.check(text.startswith(expected_start),
                f"the PDF begins {text[:60]!r}, expected {expected_start[:60]!r}")
        # Every verse with its number, in order.
        at = 0
        for v in range(1, 37):
            piece = str(v) + re.sub(r"\s", "", h.verse_text(john3 + v - 1))
            found = text.find(piece, at)
            h.check(found >= 0, f"verse {v} ({piece[:20]!r}...) is not in order in the PDF")
            at = found + len(piece)
        # The references of the first marker of 3:16, as the chain pane lists them.
        line16 = john3 + 15
        marker = h.bibtool("markers", str(line16)).split()[0]
        chapter = 999  # John 3 among all chapters
        refs = [m.group(1) for m in re.finditer(r"^\[([^\]]+)\]",
                                                h.bibtool("chain", str(chapter), marker), re.M)]
        h.check(refs, "no references for the marker of 3:16")
        listed = f"〔{marker}〕" + "；".join(refs)
        h.check(listed in text, f"the list {listed!r} of John 3:16 is not in the PDF")
        h.check("For God so loved" not in text, "English lines printed without being asked for")

        # Page 1 as a picture, to look at.
        subprocess.run(["pdftoppm", "-png", "-r", "70", "-f", "1", "-l", "1", "-singlefile",
                        target, os.path.join(s.shot_dir, "pdf-page1")], check=True, timeout=60)


def marked_verses_no_lists(session):
    """Two verses marked with Ctrl+click, the lists switched off, the suggested name kept."""
    john3 = int(h.bibtool("line", "42", "3", "1"))
    with session(ini=f"[MAIN]\nBIB CHAPT INFO={john3}\n") as s:
        s.start_reader()
        h.wait_place(s, "约翰福音", 3)
        # Rows 2 and 1: the row positions the harness knows hold for the first rows only.
        for row in (2, 1):
            gx, gy, gw, gh = h.main_grid_rect(s)
            s.move(gx + 52 + 120, h.grid_row_y(s, row))
            time.sleep(0.05)
            h._run(["xdotool", "keydown", "ctrl", "click", "1", "keyup", "ctrl"], env=s.env)
            time.sleep(0.2)
        h.menu_path(s, "操作", "打印串珠")
        h.menu_path(s, "操作", "导出PDF…")
        export_dialog(s)
        time.sleep(0.5)
        s.key("Return")
        target = os.path.join(s.folder, "home", "约翰福音第3章.pdf")
        wait_pdf(target)
        text = pdf_text(target)
        expected = ("约翰福音第3章" + "2" + re.sub(r"\s", "", h.verse_text(john3 + 1))
                    + "1" + re.sub(r"\s", "", h.verse_text(john3)))
        h.check(text == expected, f"the PDF reads {text!r}, expected {expected!r}")


if __name__ == "__main__":
    sys.exit(h.main({"export_chapter": export_chapter,
                     "marked_verses_no_lists": marked_verses_no_lists}))

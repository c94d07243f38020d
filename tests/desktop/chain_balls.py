#!/usr/bin/env python3
"""Resting on a chain-reference ball, following it, and leaving it for the verse column."""
import sys
import time

import harness as h


def first_ball(s):
    gx, gy, gw, gh = h.main_grid_rect(s)
    balls = h.wait_for("the balls of 创1 to be drawn",
                       lambda: h.find_balls(s, (gx + 52, gy + 20, 120, 30)), timeout=5)
    return balls[0]


def rest_on(s, ball):
    # Two small moves: the grid reacts to movement over the ball, as under a hand.
    s.move(ball[0] - 3, ball[1])
    time.sleep(0.1)
    s.move(*ball)


def rest_on_first_ball(s):
    """Starts the reader at 创1, rests on its first ball and waits for the tool-tip."""
    s.start_reader()
    h.wait_place(s, "创世记", 1)
    ball = first_ball(s)
    rest_on(s, ball)
    h.tooltip(s)
    return ball


def tooltip_stays(session):
    with session() as s:
        expected = [l for l in h.bibtool("chain", "0", "1").splitlines() if l]
        rest_on_first_ball(s)
        text = h.tooltip_text(s)
        s.screenshot("ball-tooltip")
        h.check([l for l in text.splitlines() if l] == expected,
                f"the tool-tip does not list the references of marker 1: {text!r}")
        started = time.monotonic()
        while time.monotonic() - started < 30:
            h.check(h.tooltip_text(s) is not None,
                    f"the tool-tip vanished after {time.monotonic() - started:.0f} s of rest")
            time.sleep(1)
        s.screenshot("ball-tooltip-30s")


def click_jumps_and_back(session):
    with session() as s:
        ball = rest_on_first_ball(s)
        # The first ball of 创1:1 stands before 起初 and leads first to 约1:1.
        first = h.bibtool("chain", "0", "1").splitlines()[0]
        h.check(first.startswith("[约1:1]"), f"marker 1 of 创1 no longer leads to 约1:1: {first}")
        s.click()
        h.wait_place(s, "约翰福音", 1)
        h.expect_copy(s, h.verse_text(int(h.bibtool("line", "42", "1", "1"))) + "\r\n",
                      "the jump made 约1:1 the current verse")
        s.click_center(h.button(s, "后退"))
        h.wait_place(s, "创世记", 1)
        h.expect_copy(s, h.verse_text(0) + "\r\n", "history back returned to 创1:1")


def ball_then_number_column(session):
    with session() as s:
        ball = rest_on_first_ball(s)
        gx, gy, gw, gh = h.main_grid_rect(s)
        # Straight left into the verse-number column of the same row, then a click there.
        for x in range(ball[0], gx + 20, -12):
            s.move(x, ball[1])
        s.click()
        time.sleep(1.5)
        editors = [w.name for w in s.windows() if (w.name or "").startswith("批注")]
        s.screenshot("after-number-click")
        h.check(not editors, f"a click in the verse-number column of a verse without a note "
                f"opened the note editor {editors}")
        h.check(s.reader_running(), "the reader ended")


if __name__ == "__main__":
    sys.exit(h.main({"tooltip_stays": tooltip_stays, "click_jumps_and_back": click_jumps_and_back,
                     "ball_then_number_column": ball_then_number_column}))

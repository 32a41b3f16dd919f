"""The title window from the keyboard alone: the buttons take the focus in order, show it, and
Return presses the focused one. A folder with no game in it ends the player after one plain
message and a failure status instead of leaving an empty window."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402


def press(s, keysym):
    """A key to the window that has the X focus (given once: asking again for a window that
    already has it waits for a change that never comes)."""
    s.x("xdotool", "key", "--clearmodifiers", keysym)


def focused(s, acc):
    return acc.getState().contains(s.atspi.STATE_FOCUSED)


def test():
    run, project_src = sys.argv[1], sys.argv[2]
    with e.Session(screen="1024x768") as s:
        project = s.copy_project(project_src)
        s.start_player(run, project)
        s.find(demo.TITLE, "label", timeout=30)
        buttons = [s.find(c, "push button") for c in (demo.START, demo.LOAD, demo.EXIT)]
        for b in buttons:
            if not b.getState().contains(s.atspi.STATE_FOCUSABLE):
                raise e.Failure("%r is not focusable on the bus" % b.name)
        x, y, w, h = s.extents(buttons[0])
        at = (x + w // 2, y + h // 2)
        start_box = (x, y, w, h)
        e.poll("Start to have the keyboard", lambda: focused(s, buttons[0]), 10)

        # The focus ring: Start looks different once the focus has moved on.
        def start_pixels():
            shot = s.screenshot()
            bx, by, bw, bh = start_box
            return [shot.pixel(bx + i, by + j) for i in range(bw) for j in (0, 1, bh - 2, bh - 1)]
        with_focus = start_pixels()
        s.key("Tab", at=at)  # gives the title window the X focus too
        e.poll("Tab to move the focus to Load", lambda: focused(s, buttons[1]), 10)
        if start_pixels() == with_focus:
            raise e.Failure("Start looks the same with and without the keyboard focus")
        press(s, "Tab")
        e.poll("Tab to move the focus to Exit", lambda: focused(s, buttons[2]), 10)
        press(s, "shift+Tab")
        e.poll("Shift+Tab to move the focus back to Load", lambda: focused(s, buttons[1]), 10)
        press(s, "Down")
        e.poll("Down to move the focus to Exit", lambda: focused(s, buttons[2]), 10)

        # Return presses Exit: the player ends.
        press(s, "Return")
        status = s.wait_player_exit(15)
        if status != 0:
            raise e.Failure("the player ended with status %d after Return on Exit" % status)

        # A folder with no game: the missing-file question, the report, then one message.
        empty = os.path.join(s.tmp, "no game here")
        os.makedirs(empty)
        s.start_player(run, empty)
        texts = []
        while len(texts) < 3:
            alert = s.find(role="alert", timeout=20)
            text = s.describe(alert)
            if texts and text == texts[-1]:
                time.sleep(0.1)  # the box just answered is still closing
                continue
            texts.append(text)
            s.do_action(s.find("OK", "push button", root=alert), "Press")
        if "There is no game to play in" not in texts[-1]:
            raise e.Failure("the last message was not the plain one:\n" + "\n--\n".join(texts))
        status = s.wait_player_exit(15)
        if status != 1:
            raise e.Failure("the player ended with status %d in a folder with no game" % status)


if __name__ == "__main__":
    e.main(test)

"""Scaled play on screens larger than the game: the play area fills the screen with its aspect
kept, the full-area video of the Beacon goes away when it ends (and when Escape stops it) so the
game plays on to its ending picture, and the Escape menu bar is seen, readable, over the top of
the play area, which does not move. At 1024 x 768 and 1920 x 1080 (Xvfb offers no 640 x 480
mode, so the title window offers no display switch)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

# The frame whose full-area video leads, by its timer, to the game's last frame.
VIDEO_FRAME = "Beacon"
LAST_PICTURE = os.path.join("Frames", "ending.jpg")
# A text of the last frame: its night picture alone is close to the Beacon's black background.
LAST_TEXT = "The End"


def start_at(project, frame):
    """Makes `frame` the project's initial frame (the fifth value of Config/General)."""
    path = os.path.join(project, "Config", "General")
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[4] = b'"' + frame.encode("cp1252") + b'"'
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))


def play(run, project_src, screen, expected_box):
    with e.Session(screen=screen) as s:
        project = s.copy_project(project_src)
        start_at(project, VIDEO_FRAME)
        s.start_player(run, project)
        s.find(demo.TITLE, "label", timeout=30)
        if [b for b in s.find_all(role="check box") if "640 x 480" in b.name]:
            raise e.Failure("the title window offers a display switch that this screen lacks")

        last = demo.picture(project, LAST_PICTURE, expected_box[2:])
        for stop_with_escape in (False, True):
            demo.click_label(s, demo.START)
            area = s.find(demo.PLAY_AREA)
            box = s.extents(area)
            if box != expected_box:
                raise e.Failure("the play area is %r on the %s screen, not %r"
                                % (box, screen, expected_box))
            e.log("play area %r%s" % (box, ", Escape during the video" if stop_with_escape else ""))
            if stop_with_escape:
                s.key("Escape", at=(box[0] + box[2] // 2, box[1] + box[3] // 2))
            # The video goes, the frame's timer runs, and the last picture shows in full.
            share = {}

            def ending_shown():
                s.check_player_running()
                if not s.find_all(LAST_TEXT, "label"):
                    return False
                share["last"] = demo.matching(s.screenshot(), box, last)
                return share["last"] >= 0.7
            try:
                e.poll("the last picture after the video", ending_shown, 20, interval=0.3)
            except e.Failure as err:
                raise e.Failure("%s (%.0f %% of the play area matched it)"
                                % (err, 100 * share.get("last", 0)))
            e.log("the last picture shows (%.0f %% matched)" % (100 * share["last"]))
            centre = (box[0] + box[2] // 2, box[1] + box[3] // 2)
            if s.find_all(demo.EXIT, "menu item"):
                # Escape may have left the menu bar shown as it stopped the video.
                s.click_at(*centre, button=1)
                e.poll("the menu to go", lambda: not s.find_all(demo.EXIT, "menu item"), 10)
            # A click reaches the frame again: the video is not lying over it.
            s.click_at(box[0] + box[2] // 2, box[1] + box[3] // 2, button=3)
            e.poll("the menu from a right click", lambda: s.find_all(demo.EXIT, "menu item"), 10)
            s.click_at(box[0] + box[2] // 2, box[1] + box[3] // 2, button=1)
            e.poll("the menu to go", lambda: not s.find_all(demo.EXIT, "menu item"), 10)
            demo.check_menu(s, box)
            e.log("menu bar seen")
            demo.quit_game(s)

        demo.exit_player(s)


def test():
    demo.play_on_each_screen(__file__, sys.argv, play, timeout=120)


if __name__ == "__main__":
    e.main(test, limit=170)

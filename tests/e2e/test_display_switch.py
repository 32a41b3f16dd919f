"""The display switch: with the title window's check box on, Start sets the screen to 640 x 480,
and closing the game window gives the screen its old 800 x 600 back."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402


def test():
    run, project_src = sys.argv[1], sys.argv[2]
    with e.Session(screen="800x600") as s:
        e.add_640x480(s)
        if s.screen_size() != (800, 600):
            raise e.Failure("the screen is %r before the player starts" % (s.screen_size(),))
        project = s.copy_project(project_src)
        s.start_player(run, project)
        s.find(demo.TITLE, "label", timeout=30)
        boxes = [b for b in s.find_all(role="check box") if "640 x 480" in b.name]
        if not boxes:
            raise e.Failure("the title window offers no display switch; it shows:\n" + s.describe())
        if not boxes[0].getState().contains(s.atspi.STATE_CHECKED):
            raise e.Failure("the display switch %r is not checked at first" % boxes[0].name)

        demo.click_label(s, demo.START)
        s.find(demo.PLAY_AREA)
        e.poll("the screen to become 640x480", lambda: s.screen_size() == (640, 480), 15)
        # The play area fills the smaller screen.
        demo.wait_for_picture(s, "the Shore filling the 640x480 screen", shows_shore_full,
                              lambda shot: (0, 0))

        demo.quit_game(s)
        e.poll("the screen to be 800x600 again", lambda: s.screen_size() == (800, 600), 15)
        demo.click_label(s, demo.EXIT)
        status = s.wait_player_exit(15)
        if status != 0:
            raise e.Failure("the player ended with status %d" % status)
        if s.screen_size() != (800, 600):
            raise e.Failure("the screen is %r after the player ended" % (s.screen_size(),))


def shows_shore_full(shot, origin):
    if (shot.width, shot.height) != (640, 480):
        return False, {"screen": (shot.width, shot.height)}
    sky, sand = shot.pixel(600, 8), shot.pixel(600, 440)
    ok = e.near(sky, demo.SKY_TOP, 40) and e.near(sand, demo.SAND, 35)
    return ok, {"sky": sky, "sand": sand}


if __name__ == "__main__":
    e.main(test)

"""The title window, a new game on the Shore, a click through the door, saving, leaving the game,
loading the save from the title window, and leaving the program."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

SAVE_NAME = "at the door"


def test():
    run, project_src = sys.argv[1], sys.argv[2]
    with e.Session(screen="1024x768") as s:
        project = s.copy_project(project_src)
        s.start_player(run, project)

        # Title window.
        s.find(demo.TITLE, "label", timeout=30)
        for caption in (demo.START, demo.LOAD, demo.EXIT):
            s.find(caption, demo.TEXT_BUTTON)
        demo.uncheck_resolution(s)
        # The game at its own size, in the middle of the screen.
        demo.choose_scaling(s, demo.UNSCALED)

        # Start: the Shore fills the play area centred on the 1024x768 screen.
        demo.click_label(s, demo.START)
        s.find(demo.PLAY_AREA)
        origin = (192, 144)
        demo.wait_for_picture(s, "the Shore picture in the play area", demo.shows_shore,
                              lambda shot: origin)
        box = s.extents(s.find(demo.PLAY_AREA))
        if box != (192, 144, 640, 480):
            raise e.Failure("the play area is at %r, not centred at (192,144) 640x480" % (box,))

        # Area 1 is the door, where the demo puts it; a click there opens the Door frame.
        door = s.find("Area 1")
        x, y, w, h = s.extents(door)
        cx, cy = x + w // 2 - origin[0], y + h // 2 - origin[1]
        dx, dy, dw, dh = demo.DOOR_AREA
        if not (dx <= cx < dx + dw and dy <= cy < dy + dh):
            raise e.Failure("area 1 is centred at %r in the play area, outside the door %r"
                            % ((cx, cy), demo.DOOR_AREA))
        s.click(door)
        demo.wait_for_picture(s, "the Door's brick wall", demo.shows_bricks, lambda shot: origin)

        # Escape shows the menu; Save game... writes the saved game into the project folder.
        demo.open_menu(s)
        demo.choose(s, "Save game...")
        dialog = s.find(role="dialog", timeout=15)
        name_box = s.find(role="text", root=dialog)
        s.set_text(name_box, SAVE_NAME)
        e.poll("the name in the save dialog", lambda: s.text_of(name_box) == SAVE_NAME, 10)
        s.do_action(s.find("SAVE", "push button", root=dialog), "Press")
        sav = os.path.join(project, SAVE_NAME + ".sav")
        e.poll("%s to be written" % sav, lambda: os.path.isfile(sav) and os.path.getsize(sav) > 0, 15)
        s.gone(role="dialog")

        # Exit + Yes: back on the title window, the game window gone.
        demo.quit_game(s)

        # Load Game... lists the save; LOAD brings the Door back.
        demo.click_label(s, demo.LOAD)
        dialog = s.find(role="dialog", timeout=15)
        entry = s.find(SAVE_NAME, "list item", root=dialog)
        # The newest saved game comes selected.
        if not entry.getState().contains(s.atspi.STATE_SELECTED):
            s.do_action(entry, "Toggle")
        e.poll("the saved game to be selected",
               lambda: entry.getState().contains(s.atspi.STATE_SELECTED), 10)
        s.do_action(s.find("LOAD", "push button", root=dialog), "Press")
        s.gone(role="dialog")
        s.find(demo.PLAY_AREA)
        demo.wait_for_picture(s, "the Door's brick wall after loading", demo.shows_bricks,
                              lambda shot: origin)

        # Leave the game, then the program from the title window: status 0.
        demo.quit_game(s)
        demo.click_label(s, demo.EXIT)
        status = s.wait_player_exit(15)
        if status != 0:
            raise e.Failure("the player ended with status %d after Exit" % status)


if __name__ == "__main__":
    e.main(test)

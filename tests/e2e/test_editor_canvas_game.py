"""A game built on the frame canvas: a new project with two colour frames; on the first, a
clickable area drawn with the mouse that goes to the second (set in the area properties dialog),
a text added with a right-click, a second area that gives an item made from the dialog and plays
a sound, and that item dragged from the items list onto the first area to show a message; the
first frame made the initial frame. `qmtool check` finds nothing; `qmtool play` takes the item,
hears the sound, sees the message and reaches the second frame; in the player `run` the text
shows on the first frame and a click on the area opens the second."""

import json
import os
import shutil
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

TITLE = "Cellar Door"
TEXT = "Welcome below"
ITEM = "Lamp"
GLOW = "The lamp glows."


def in_dialog(s, title):
    return s.find(title, "dialog", timeout=15)


def new_solid_frame(s, name):
    s.press("Add New Frame (Scene)...", "push button")
    s.modal_click("Solid Color...")
    colours = s.find(role="dialog", timeout=15)
    s.do_action(s.find("OK", "push button", root=colours), "Press")
    box = s.find("New Frame Creation", "dialog", timeout=15)
    s.set_text(s.find(role="text", root=box), name)
    s.do_action(s.find("OK", "push button", root=box), "Press")
    frames = s.find("Frames", "list", timeout=15)
    e.poll("frame %s in the frames list" % name,
           lambda: name in [i.name for i in s.find_all(role="list item", root=frames)], 15)


def drag(s, x0, y0, x1, y1, button=1, steps=4):
    """Press, move in steps (a drag between windows needs time to start), release."""
    s.x("xdotool", "mousemove", x0, y0, "mousedown", button)
    for i in range(1, steps + 1):
        t = i / steps
        s.x("xdotool", "mousemove", int(x0 + (x1 - x0) * t), int(y0 + (y1 - y0) * t))
        time.sleep(0.05)
    time.sleep(0.2)
    s.x("xdotool", "mouseup", button)


def build(s, folder, sound):
    s.start_editor(folder)
    s.new_project("Cellar", TITLE)

    s.press("Edit Project...", "push button")
    new_solid_frame(s, "Stairs")
    new_solid_frame(s, "Vault")

    # The first frame on the canvas.
    frames = s.find("Frames", "list", timeout=15)
    stairs = [i for i in s.find_all(role="list item", root=frames) if i.name == "Stairs"][0]
    x, y, w, h = s.extents(stairs)
    s.x("xdotool", "mousemove", x + w // 2, y + h // 2, "click", "--repeat", "2", "1")
    canvas = s.find("Frame canvas", timeout=15)
    s.find("Done", "push button", timeout=15)
    cx, cy, cw, ch = s.extents(canvas)
    # The frame fits the centre of the window at the game's proportions.
    scale = cw / 640.0
    if abs(ch - 480 * scale) > 2 or not 0.25 <= scale <= 4:
        raise e.Failure("the canvas is %dx%d, not the project's 640x480 at one zoom" % (cw, ch))

    def at(x, y):
        """Screen point of the game's pixel (x, y) on the canvas."""
        return cx + round(x * scale), cy + round(y * scale)

    # Nothing covers the canvas: all of it shows the frame's colour (black).
    shot = s.screenshot()
    for i in range(1, 12):
        for j in range(1, 12):
            px, py = cx + cw * i // 12, cy + ch * j // 12
            if not e.near(shot.pixel(px, py), (0, 0, 0), 24):
                raise e.Failure("the canvas is covered at (%d,%d): %r" % (px, py,
                                                                          shot.pixel(px, py)))

    # An area from (100, 80) to (220, 200) on the canvas, going to the Vault.
    drag(s, *at(100, 80), *at(220, 200))
    dialog = in_dialog(s, "Area Properties")
    s.press("Action", "page tab")
    # A click, as a person does: the dialog follows the box's clicks.
    s.click(s.find("Go to another frame.", "check box", root=dialog))
    combo = s.find("Frame to go to", "combo box", root=dialog)
    s.set_text(s.find(role="text", root=combo), "Vault")
    s.do_action(s.find("OK", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)
    time.sleep(0.3)

    # A text where the right button is pressed.
    s.x("xdotool", "mousemove", *at(300, 300), "click", "3")
    add = in_dialog(s, "Add Text")
    s.set_text(s.find("Text", "text", root=add), TEXT)
    s.do_action(s.find("OK", "push button", root=add), "Press")
    font = in_dialog(s, "Font")
    s.do_action(s.find("OK", "push button", root=font), "Press")
    s.find(TEXT, "label", timeout=15)
    s.gone("Font", "dialog", timeout=15)
    time.sleep(0.3)  # the dialog's window leaves the screen

    # A second area gives an item, made from the dialog, and plays a sound on channel 0.
    drag(s, *at(350, 80), *at(470, 200))
    dialog = in_dialog(s, "Area Properties")
    s.press("Item", "page tab")
    s.click(s.find("Add an item to the inventory when the user clicks on this area.",
                   "check box", root=dialog))
    s.modal_click("New...", root=dialog)
    box = s.find("New item", "dialog", timeout=15)
    s.set_text(s.find(role="text", root=box), ITEM)
    s.do_action(s.find("OK", "push button", root=box), "Press")
    alert = s.find(role="alert", timeout=15)
    s.do_action(s.find("OK", "push button", root=alert), "Press")
    s.choose_file(os.path.join(folder, "Icons", "Take.ico"))
    # A combo box is named by what it is; the text it shows is its value.
    item = s.find("Item", "combo box", root=dialog)
    e.poll("the new item chosen",
           lambda: s.find(role="text", root=item).queryText().getText(0, -1) == ITEM, 15)
    s.press("Sounds Effects", "page tab")
    s.modal_click("Add .wav sound to lists...", root=dialog)
    s.choose_file(sound)
    s.click(s.find("Channel 0 : Play sound", "radio button", root=dialog))
    # Only the channel that plays shows its sound list.
    sounds = e.poll("the sound list of channel 0",
                    lambda: s.find_all(role="combo box", root=dialog), 15)
    s.set_text(s.find(role="text", root=sounds[0]), "chime.wav")
    s.do_action(s.find("OK", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)
    time.sleep(0.3)

    # The item dragged from the items list onto the first area: its event shows a message.
    s.press("Items and Events...", "push button")
    items = s.find("Items", "list", timeout=15)
    # The items list lies beside the canvas in the main window, never over it.
    lx, ly, lw, lh = s.extents(items)
    if lx < cx + cw and cx < lx + lw and ly < cy + ch and cy < ly + lh:
        raise e.Failure("the items list (%d,%d %dx%d) covers the canvas" % (lx, ly, lw, lh))
    lamp = e.poll("the item in the items list",
                  lambda: [i for i in s.find_all(role="list item", root=items)
                           if i.name == ITEM], 15)[0]
    ix, iy, iw, ih = s.extents(lamp)
    drag(s, ix + iw // 2, iy + ih // 2, *at(160, 140), steps=20)
    dialog = in_dialog(s, "Area Properties")
    s.press("Action", "page tab")
    s.click(s.find("Display a text message.", "check box", root=dialog))
    s.set_text(s.find("Text message", root=dialog), GLOW)
    s.do_action(s.find("OK", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)
    time.sleep(0.3)
    s.press("Done", "push button")  # items and events
    s.find("Items and Events...", "push button", timeout=15)

    # A third area drawn over the whole first one: the first is reached from the outline.
    drag(s, *at(90, 70), *at(235, 215))
    dialog = in_dialog(s, "Area Properties")
    s.do_action(s.find("OK", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)
    outline = s.find("Areas and texts", timeout=15)

    def row(number):
        return e.poll("area %s in the outline" % number,
                      lambda: [c for c in s.find_all(str(number), root=outline)
                               if s.role_name(c) != "push button"], 15)[0]
    x, y, w, h = s.extents(row(1))
    s.x("xdotool", "mousemove", x + w // 2, y + h // 2, "click", "--repeat", "2", "1")
    dialog = in_dialog(s, "Area Properties")
    s.press("Action", "page tab")
    goes = s.find("Go to another frame.", "check box", root=dialog)
    if not goes.getState().contains(s.atspi.STATE_CHECKED):
        raise e.Failure("the outline opened another area than the first one")
    s.do_action(s.find("Cancel", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)
    # Delete in the outline removes the covering area again.
    x, y, w, h = s.extents(row(3))
    s.click_at(x + w // 2, y + h // 2)
    s.key("Delete", at=(x + w // 2, y + h // 2))
    e.poll("area 3 removed", lambda: not os.path.exists(
        os.path.join(folder, "Projects", "Cellar", "Areas", "Stairs", "3a.dat")), 15)
    s.press("Done", "push button")  # the frame
    s.press("Back", "push button")
    s.modal_click("Project Properties...")
    s.press("Screen and Options", "page tab")
    combo = s.find("Initial Frame", "combo box", timeout=15)
    s.click(combo)
    s.x("xdotool", "key", "Return")  # the first frame of the open list: Stairs
    e.poll("the list closed", lambda: not s.find_all(role="list", root=combo), 15)
    s.press("OK", "push button")
    s.find("Run Project (Start)", "push button", timeout=15)
    s.press("Quit project", "push button")
    s.press("Yes, Close", "push button")
    s.press("Quit", "push button")
    code = s.wait_player_exit(15)
    if code != 0:
        raise e.Failure("the editor ended with status %d" % code)


def test():
    folder_src, qmtool, run = sys.argv[1], sys.argv[2], sys.argv[3]
    with e.Session(screen="1600x900") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        sound = os.path.join(s.tmp, "chime.wav")
        subprocess.run(["sox", "-n", "-r", "22050", "-c", "1", sound, "synth", "0.2", "sine",
                        "880"], check=True, timeout=30)
        try:
            build(s, folder, sound)
        except e.Failure:
            raise e.Failure(traceback.format_exc() + "\n" + "\n".join(
                l for l in s.describe(limit=2000).splitlines() if "hidden" not in l))
        project = os.path.join(folder, "Projects", "Cellar")

        check = subprocess.run([qmtool, "check", project], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, timeout=30)
        if check.returncode != 0:
            raise e.Failure("qmtool check finds problems in the game:\n" +
                            check.stdout.decode(errors="replace"))
        played = subprocess.run([qmtool, "play", project, "start", "click", "2", "drop", ITEM,
                                 "1", "click", "1"], stdout=subprocess.PIPE, timeout=30)
        steps = [json.loads(line) for line in played.stdout.decode().splitlines() if line]
        if len(steps) != 4:
            raise e.Failure("qmtool play gave %d steps:\n%s" % (len(steps), played.stdout))
        start, take, drop, go = steps
        if start["frame"] != "Stairs" or go["frame"] != "Vault":
            raise e.Failure("qmtool play went from %r to %r, not Stairs to Vault"
                            % (start["frame"], go["frame"]))
        if ITEM not in json.dumps(take["inventory"]):
            raise e.Failure("the second area gave no %s: %r" % (ITEM, take["inventory"]))
        if not any("chime.wav" in m for m in take["media"]):
            raise e.Failure("the second area played no chime: %r" % take["media"])
        if not drop["message"] or drop["message"]["text"] != GLOW:
            raise e.Failure("the lamp on the first area shows %r" % drop["message"])

        # The player: the text on the first frame, the area leads to the second.
        s.start_player(run, project)
        s.find(TITLE, "label", timeout=30)
        demo.uncheck_resolution(s)
        demo.choose_scaling(s, demo.UNSCALED)
        demo.click_label(s, demo.START)
        s.find(TEXT, "label", timeout=15)
        s.click(s.find("Area 1", timeout=15))
        s.gone(TEXT, "label", timeout=15)


if __name__ == "__main__":
    e.main(test, limit=150)

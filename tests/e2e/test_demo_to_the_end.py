"""The demo game played through in the player, scaled to fill the screen: from the title window's
Start over the Shore, the Door, the Lamp Room, the Beacon's video and the Ending (with a visit to
the Memory) until the last click closes the game and the title window is back. Areas are clicked
where the accessibility bus places them, which must be where the project puts them; inventory
items are dragged with the mouse. Each frame is recognised by a text of its own on the bus and by
its background in screenshots; the Escape menu bar is seen, readable, on the way. At 1024 x 768
and 1920 x 1080."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

# A text that only this frame shows.
FRAME_TEXT = {
    "Shore": "Light the beacon before nightfall.",
    "Door": "The lighthouse door",
    "Lamp Room": "The lamp room",
    "Beacon": "The beacon shines over the sea.",
    "Memory": "One hundred and twelve steps, every night.",
    "Ending": "The End",
}
ITEMS = ("Match", "Key", "Matchbox", "Lit match")
# Plain backgrounds: the Lamp Room's dark blue, the Memory's grey.
LAMP_ROOM_BLUE = (0x10, 0x18, 0x3a)
MEMORY_GREY = (0x28, 0x28, 0x28)
TWIPS_PER_PIXEL = 15


def samples(shot, box, step=24):
    x0, y0, w, h = box
    return [shot.pixel(x0 + x, y0 + y) for y in range(4, h - 4, step) for x in range(4, w - 4, step)]


def share(pixels, colour, tolerance):
    return sum(1 for p in pixels if e.near(p, colour, tolerance)) / max(1, len(pixels))


class Game:
    def __init__(self, s, project, box):
        self.s, self.project, self.box = s, project, box
        self.scale = box[2] / demo.PLAY_W
        self.frame = None
        self.pictures = {
            "Shore": demo.picture(project, os.path.join("Frames", "shore.jpg"), box[2:]),
            "Ending": demo.picture(project, os.path.join("Frames", "ending.jpg"), box[2:]),
        }

    # --- what the screen shows

    def background(self, frame, shot):
        """Whether the play area shows the frame's background, and the numbers that tell."""
        if frame in self.pictures:
            hit = demo.matching(shot, self.box, self.pictures[frame])
            return hit >= 0.7, {"picture matched": hit}
        if frame == "Door":
            # Dense samples: a sparse grid can fall in step with the scaled tiles.
            pixels = samples(shot, self.box, step=5)
            dark, light = share(pixels, demo.BRICK_DARK, 16), share(pixels, demo.BRICK_LIGHT, 16)
            return (dark + light >= 0.75 and dark >= 0.1 and light >= 0.4,
                    {"dark bricks": dark, "light bricks": light})
        pixels = samples(shot, self.box)
        if frame == "Lamp Room":
            hit = share(pixels, LAMP_ROOM_BLUE, 12)
            return hit >= 0.6, {"blue": hit}
        if frame == "Memory":
            hit = share(pixels, MEMORY_GREY, 12)
            return hit >= 0.8, {"grey": hit}
        if frame == "Beacon":
            # Its video lies over the whole play area.
            videos = [self.s.extents(v) for v in self.s.find_all("Video", "filler")]
            return self.box in videos, {"videos": videos}
        raise e.Failure("no background known for %r" % frame)

    def wait_frame(self, frame, timeout=15):
        """Polls until the frame's own text is on the bus, no other frame's text is, and its
        background shows."""
        s, detail = self.s, {}
        others = [t for f, t in FRAME_TEXT.items() if f != frame]

        def shown():
            s.check_player_running()
            detail.clear()
            if not s.find_all(FRAME_TEXT[frame], "label"):
                detail["text"] = "missing"
                return False
            stale = [t for t in others if s.find_all(t, "label")]
            if stale:
                detail["other frames' texts"] = stale
                return False
            ok, numbers = self.background(frame, s.screenshot())
            detail.update(numbers)
            return ok
        try:
            e.poll("the %s frame" % frame, shown, timeout, interval=0.2)
        except e.Failure as err:
            raise e.Failure("%s after the %s frame: %r" % (err, self.frame, detail))
        e.log("%s shows: %s" % (frame, ", ".join(
            "%s %s" % (k, "%.2f" % v if isinstance(v, float) else v) for k, v in detail.items())))
        self.frame = frame

    def inventory(self):
        return [a.name for a in self.s.find_all(role="image") if a.name in ITEMS]

    def wait_inventory(self, expected):
        self.s.check_player_running()
        e.poll("the inventory to hold %r (it holds %r)" % (expected, self.inventory()),
               lambda: self.inventory() == expected, 10)

    # --- areas

    def area_rect(self, n):
        """The area's rectangle on the screen as the project gives it."""
        path = os.path.join(self.project, "Areas", self.frame, "%da.dat" % n)
        with open(path, "rb") as f:
            left, top, width, height = (int(v) / TWIPS_PER_PIXEL
                                        for v in f.read().split(b"\r\n")[:4])
        x0, y0, k = self.box[0], self.box[1], self.scale
        return x0 + left * k, y0 + top * k, width * k, height * k

    def area(self, n, name):
        """The area's accessible object: the one of that name (a frame text lying over the
        area may share it) that lies where the project puts area n of the current frame, a few
        game pixels of border aside."""
        ex, ey, ew, eh = self.area_rect(n)
        want = (ex, ey, ex + ew, ey + eh)
        slack = 3 * self.scale + 1
        seen = []

        def placed():
            self.s.check_player_running()
            seen.clear()
            for acc in self.s.find_all(name):
                x, y, w, h = self.s.extents(acc)
                seen.append((x, y, w, h))
                if all(abs(got - at) <= slack for got, at in zip((x, y, x + w, y + h), want)):
                    return acc
            return None
        try:
            return e.poll("%r where area %d of %s lies" % (name, n, self.frame), placed, 10)
        except e.Failure as err:
            raise e.Failure("%s: the project puts it at %r, the bus shows %r at %r"
                            % (err, tuple(round(v) for v in (ex, ey, ew, eh)), name, seen))

    def click(self, n, name):
        self.s.click(self.area(n, name))

    def drop(self, item, n, name):
        """Presses on the item's inventory cell, moves onto the area (or another item) and
        releases there."""
        cell = self.s.find(item, "image")
        target = self.area(n, name) if n else self.s.find(name, "image")
        x, y, w, h = self.s.extents(cell)
        tx, ty, tw, th = self.s.extents(target)
        fx, fy, tx, ty = x + w // 2, y + h // 2, tx + tw // 2, ty + th // 2
        self.s.move_to(fx, fy)
        self.s.x("xdotool", "mousedown", 1)
        for k in range(1, 6):
            self.s.move_to(fx + (tx - fx) * k // 5, fy + (ty - fy) * k // 5)
        self.s.x("xdotool", "mouseup", 1)

    def message(self, text):
        """A message box with the text; OK closes it."""
        s = self.s
        alert = s.find(role="alert", timeout=10)
        texts = [n.name for n in s.find_all(role="label", root=alert)]
        if text not in texts:
            raise e.Failure("the message box says %r, not %r" % (texts, text))
        s.click(s.find("OK", "push button", root=alert))
        s.gone(role="alert", timeout=10)

    def background_text(self, text):
        self.s.find(text, "label", timeout=10)


def play(run, project_src, screen, expected_box):
    with e.Session(screen=screen) as s:
        project = s.copy_project(project_src)
        s.start_player(run, project)
        s.find(demo.TITLE, "label", timeout=30)
        demo.click_label(s, demo.START)
        box = s.extents(s.find(demo.PLAY_AREA))
        if box != expected_box:
            raise e.Failure("the play area is %r on the %s screen, not %r"
                            % (box, screen, expected_box))
        g = Game(s, project, box)

        g.wait_frame("Shore")
        g.click(2, "match")
        g.message("You pick up a match.")
        g.wait_inventory(["Match"])
        s.gone("match")
        g.click(1, "Area 1")

        g.wait_frame("Door")
        demo.check_menu(s, box)
        e.log("menu bar seen")
        g.click(3, "mat")
        g.background_text("There is a key under the mat.")
        g.wait_inventory(["Match", "Key"])
        s.gone("mat")
        g.drop("Key", 2, "door")
        g.background_text("The key turns. The door creaks open.")
        g.wait_inventory(["Match"])
        g.click(1, "dooropen")

        g.wait_frame("Lamp Room")
        # The frame waits for its video to end before areas answer clicks.
        s.gone("Video", timeout=10)
        g.click(2, "matchbox")
        g.message("You take a box of matches.")
        g.wait_inventory(["Match", "Matchbox"])
        s.gone("matchbox")
        g.drop("Match", 0, "Matchbox")
        g.wait_inventory(["Lit match"])
        g.drop("Lit match", 1, "lamp")

        # The Beacon's video, then its timer leads to the Ending.
        g.wait_frame("Beacon")
        g.wait_inventory([])
        g.wait_frame("Ending", timeout=20)
        g.click(2, "Remember the climb...")
        g.wait_frame("Memory")
        # The Memory's timer goes back to the frame it came from.
        g.wait_frame("Ending", timeout=10)
        g.click(1, "leave")

        # The game closes; the title window is back, and its Exit ends the program.
        s.gone(demo.PLAY_AREA, timeout=10)
        s.find(demo.START, demo.TEXT_BUTTON, timeout=10)
        demo.exit_player(s)


def test():
    demo.play_on_each_screen(__file__, sys.argv, play, timeout=90)


if __name__ == "__main__":
    # One screen's run ends itself (cleaning up) well before the whole test's limit.
    e.main(test, limit=75 if len(sys.argv) > 3 else 170)

"""What the tests know about the demo game and the player's windows: names, places, colours."""

import os
import subprocess
import sys

import e2e_support as e

TITLE = "The Lighthouse Keeper"
START, LOAD, EXIT = "Start New Game", "Load Game...", "Exit"
PLAY_AREA = "Play area"
PLAY_W, PLAY_H = 640, 480

# Shore: a stretched 320x240 picture, sky gradient from #9fd3f0 at the top, sand #e9e2c8 at the
# bottom (JPEG, so compared loosely).
SKY_TOP = e.hex_colour("9fd3f0")
SAND = e.hex_colour("e9e2c8")
# Door: tile.bmp, 32x32 tiles of dark brick with lighter bricks.
BRICK_DARK = e.hex_colour("7a3b12")
BRICK_LIGHT = e.hex_colour("a0522d")
# Area 1 of the Shore leads to the Door; its clickable box, in play-area pixels.
DOOR_AREA = (420, 120, 140, 280)


def play_origin(screen_w, screen_h, menu_height=0):
    return (screen_w - PLAY_W) // 2, menu_height + (screen_h - PLAY_H) // 2


def shows_shore(shot, origin):
    """The Shore frame's picture fills the play area at `origin`; black surrounds it."""
    ox, oy = origin
    sky = shot.pixel(ox + 600, oy + 8)
    sky_left = shot.pixel(ox + 4, oy + 4)
    sand = shot.pixel(ox + 600, oy + 440)
    outside = [shot.pixel(ox - 3, oy + 240), shot.pixel(ox + PLAY_W + 2, oy + 240)]
    if oy >= 3:
        outside.append(shot.pixel(ox + 320, oy - 3))
    ok = (e.near(sky, SKY_TOP, 40) and e.near(sky_left, SKY_TOP, 40) and e.near(sand, SAND, 35)
          and all(e.near(p, (0, 0, 0), 8) for p in outside))
    return ok, {"sky": sky, "sky left": sky_left, "sand": sand, "outside": outside}


def shows_bricks(shot, origin):
    """The Door frame's tiled bricks: every sample of one 32x32 block of the play area is one of
    the two brick colours, and both appear."""
    ox, oy = origin
    samples = [shot.pixel(ox + 64 + dx, oy + 40 + dy) for dx in range(0, 32, 3)
               for dy in range(0, 32, 3)]
    dark = sum(1 for p in samples if e.near(p, BRICK_DARK, 12))
    light = sum(1 for p in samples if e.near(p, BRICK_LIGHT, 12))
    ok = dark + light == len(samples) and dark > 0 and light > 0
    return ok, {"dark": dark, "light": light, "of": len(samples), "first": samples[:4]}


def wait_for_picture(session, what, check, origin_of, timeout=15):
    """Polls screenshots until check(shot, origin) holds; the failure names the last pixels."""
    last = {}

    def probe():
        session.check_player_running()
        shot = session.screenshot()
        ok, detail = check(shot, origin_of(shot))
        last.update(detail)
        return ok
    try:
        e.poll(what, probe, timeout, interval=0.2)
    except e.Failure as err:
        raise e.Failure("%s; last pixels: %r" % (err, last))


TEXT_BUTTON = ("push button", "label")


def click_label(session, name, timeout=15):
    """The title window's text buttons, clicked with the mouse where the bus says they are."""
    acc = session.find(name, TEXT_BUTTON, timeout=timeout)
    session.click(acc)
    return acc


def uncheck_resolution(session):
    """Leaves the display mode alone (the check box only appears when the project offers it)."""
    boxes = [b for b in session.find_all(role="check box") if "640 x 480" in b.name]
    if not boxes:
        return False
    box = boxes[0]
    if box.getState().contains(session.atspi.STATE_CHECKED):
        session.do_action(box, "Toggle")
        e.poll("the display check box to clear",
               lambda: not box.getState().contains(session.atspi.STATE_CHECKED), 10)
    return True


def menu_item(session, name, timeout=15):
    return session.find(name, "menu item", timeout=timeout)


def choose(session, name):
    """Clicks a menu bar entry. (Its accessible action would only answer once the dialog or
    question it opens is closed, so the mouse does it, as a player would.)"""
    session.click(menu_item(session, name))


def open_menu(session):
    """Escape on the game window shows the menu bar with Exit and Save game..."""
    def shown():
        return (session.find_all(EXIT, "menu item") and session.find_all("Save game...", "menu item"))
    if shown():
        return
    w, h = session.screen_size()
    session.key("Escape", at=(w // 2, h // 2))
    e.poll("the menu bar after Escape", shown, 15)


def quit_game(session):
    """Menu Exit, answer Yes: the game window closes and the title window comes back."""
    open_menu(session)
    choose(session, EXIT)
    alert = session.find(role="alert", timeout=15)
    if "quit" not in (alert.name + " " + session.describe(alert)).lower():
        raise e.Failure("the Exit question does not ask about quitting:\n" + session.describe(alert))
    yes = session.find("Yes", "push button", root=alert, timeout=10)
    session.do_action(yes, "Press")
    try:
        session.gone(PLAY_AREA, timeout=15)
        session.find(START, TEXT_BUTTON, timeout=15)
        session.gone(role="alert", timeout=15)
    except e.Failure as err:
        raise e.Failure("%s\nafter Exit and Yes the player shows: %s" % (err, alerts(session)))


def alerts(session):
    """The texts of the message boxes on screen, for failure messages."""
    texts = []
    for alert in session.find_all(role="alert"):
        texts.append(" / ".join(n.name for n in session.find_all(role="label", root=alert) if n.name))
    return "; ".join(texts) or "no message box"


SETTINGS = "Settings"
UNSCALED = "Unscaled (original size)"


def choose_scaling(session, caption):
    """The title window's player settings: picks how the play area fills the screen, then OK."""
    session.click(session.find(SETTINGS, TEXT_BUTTON))
    dialog = session.find(role="dialog", timeout=15)
    option = session.find(caption, "radio button", root=dialog)
    session.do_action(option, "Toggle")
    e.poll("%r to be chosen" % caption,
           lambda: option.getState().contains(session.atspi.STATE_CHECKED), 10)
    session.do_action(session.find("OK", "push button", root=dialog), "Press")
    session.gone(role="dialog")


def picture(project, name, size):
    """A picture of the project stretched to `size`, as ImageMagick draws it."""
    blob = subprocess.run(["convert", os.path.join(project, name), "-resize",
                           "%dx%d!" % size, "-depth", "8", "ppm:-"],
                          check=True, stdout=subprocess.PIPE, timeout=20).stdout
    return e.parse_ppm(blob)


def matching(shot, box, picture, step=16):
    """The share of samples of the play area in the screenshot that match the picture (texts
    and areas of the frame lie over parts of it)."""
    x0, y0, w, h = box
    hits = count = 0
    for y in range(4, h - 4, step):
        for x in range(4, w - 4, step):
            count += 1
            if e.near(shot.pixel(x0 + x, y0 + y), picture.pixel(x, y), 40):
                hits += 1
    return hits / max(1, count)


def luminance(c):
    def channel(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in c)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def check_menu(s, box):
    """Escape shows the menu bar over the play area's top, which does not move; its captions
    read on it, light on a dark bar. Escape hides it again."""
    open_menu(s)
    if s.extents(s.find(PLAY_AREA)) != box:
        raise e.Failure("the play area moved when the menu bar appeared")
    shot = s.screenshot()
    for name in (EXIT, "Save game..."):
        x, y, w, h = s.extents(menu_item(s, name))
        if not (box[1] <= y < box[1] + 40 and box[0] <= x < box[0] + box[2]):
            raise e.Failure("%r is at (%d,%d), not over the top of the play area %r"
                            % (name, x, y, box))
        ground = shot.pixel(x + 1, y + 1)
        best, ink = max((contrast(ground, shot.pixel(px, py)), shot.pixel(px, py))
                        for py in range(y + 2, y + h - 2) for px in range(x + 2, x + w - 2))
        if best < 4.5:
            raise e.Failure("%r is not readable on the menu bar: best contrast %.1f, ground %r"
                            % (name, best, ground))
        if not luminance(ink) > luminance(ground) or luminance(ground) > 0.2:
            raise e.Failure("%r is not light text on a dark bar: text %r on %r"
                            % (name, ink, ground))
    w, h = s.screen_size()
    s.key("Escape", at=(w // 2, h // 2))
    e.poll("the menu bar to go", lambda: not s.find_all(EXIT, "menu item"), 10)


# Screens larger than the game and where its 640 x 480 play area lands on each, scaled:
# 1024 / 640 = 1.6 fills the screen; 1080 / 480 = 2.25 fills the height, centred.
SCALED_SCREENS = {
    "1024x768": (0, 0, 1024, 768),
    "1920x1080": (240, 0, 1440, 1080),
}


def exit_player(session):
    """Presses Exit on the title window and expects the player to end with status 0."""
    click_label(session, EXIT)
    status = session.wait_player_exit(15)
    if status != 0:
        raise e.Failure("the player ended with status %d" % status)


def play_on_each_screen(script, argv, play, timeout):
    """With a screen named as the third argument, plays on it; otherwise runs `script` again
    once for each of SCALED_SCREENS, each in a process of its own (the accessibility bus is
    joined once per process), `timeout` seconds at most each."""
    run, project_src = argv[1], argv[2]
    if len(argv) > 3:
        play(run, project_src, argv[3], SCALED_SCREENS[argv[3]])
        return
    for screen in SCALED_SCREENS:
        status = subprocess.run([sys.executable, os.path.abspath(script), run, project_src,
                                 screen], timeout=timeout).returncode
        if status == e.SKIP:
            raise e.Skip("the %s run was skipped" % screen)
        if status != 0:
            raise e.Failure("the %s run failed" % screen)

"""The demo's portable folder with the video library over the decoder-only FFmpeg that SCRIPT
builds (cached) and this build links (CONFIGURED_PREFIX; make test sets it): no FFmpeg library,
FFmpeg's licence, under 30 MB packed and 90 MB unpacked; its player shows the Lamp Room's video as
the system's ffmpeg decodes it. Skipped only when the Debian source cannot be fetched.
usage: test_portable_video.py SCRIPT CONFIGURED_PREFIX QMTOOL EDITOR_FOLDER DEMO_PROJECT"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402
import test_linux_packages as packages  # noqa: E402
from test_demo_to_the_end import Game  # noqa: E402

FFMPEG = re.compile(r"lib(?:av|sw)[a-z]+\.so[.\d]*")  # libavcodec.so.59, libswscale.so.6
W, H = 160, 120  # lamp.avi


def build_ffmpeg(script, configured):
    started = time.monotonic()
    r = subprocess.run(["bash", script], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       timeout=1200)
    said = r.stderr.decode(errors="replace").strip()
    e.log("build-ffmpeg-decoders.sh: %.1f s %s" % (time.monotonic() - started, said))
    if r.returncode == 3:
        raise e.Skip(said)
    prefix = r.stdout.decode().strip().split("\n")[-1]
    if r.returncode != 0 or os.path.realpath(configured or "/-") != os.path.realpath(prefix):
        raise e.Failure("the script ended with %d; the build has QM_FFMPEG_DECODERS=%r, not %r "
                        "(make test sets it)" % (r.returncode, configured, prefix))


def check_folder(folder):
    lib = os.path.join(folder, "lib")
    elf = packages.run("readelf", "-d", lib + "/libqmvideo.so")
    brought = FFMPEG.findall(" ".join(os.listdir(lib)) + elf)
    if brought or not os.path.isfile(os.path.join(folder, "licences", "ffmpeg.txt")):
        raise e.Failure("the folder brings %r, or lacks licences/ffmpeg.txt" % brought)
    packed = os.path.getsize(folder + ".tar.xz")
    unpacked = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(folder)
                   for f in fs if not os.path.islink(os.path.join(d, f)))
    e.log("%d libraries; %d bytes packed, %d unpacked" % (len(os.listdir(lib)), packed, unpacked))
    if packed >= 30e6 or unpacked >= 90e6:
        raise e.Failure("the game is too large")


def difference(shot, x0, y0, frame):
    """Mean difference per channel between the screen at (x0, y0) and a frame of the video."""
    total = 0
    for y in range(0, H, 4):
        for x in range(0, W, 4):
            i = (y * W + x) * 3
            total += sum(abs(a - b) for a, b in zip(shot.pixel(x0 + x, y0 + y), frame[i:i + 3]))
    return total / (3 * (H // 4) * (W // 4))


def play_lamp_room_video(s, project, box):
    raw = subprocess.check_output(["ffmpeg", "-v", "error", "-i", project + "/Frames/lamp.avi",
                                   "-f", "rawvideo", "-pix_fmt", "rgb24", "-"], timeout=60)
    frames = [raw[i:i + W * H * 3] for i in range(0, len(raw), W * H * 3)]
    g = Game(s, project, box)
    g.wait_frame("Shore")
    g.click(2, "match")
    g.message("You pick up a match.")
    g.click(1, "Area 1")
    g.wait_frame("Door")
    g.click(3, "mat")
    g.wait_inventory(["Match", "Key"])
    g.drop("Key", 2, "door")
    g.background_text("The key turns. The door creaks open.")
    g.click(1, "dooropen")
    seen = []

    def shown():
        s.check_player_running()
        if s.find_all(role="alert"):
            raise e.Failure("the player says: %s" % demo.alerts(s))
        x, y, w, h = s.extents(s.find_all("Video", "filler")[0])
        shot = s.screenshot()
        seen.append(((w, h), min(difference(shot, x, y, f) for f in frames)))
        return seen[-1][0] == (W, H) and seen[-1][1] < 12
    try:
        e.poll("the Lamp Room's video", shown, 15, interval=0.05)
    finally:
        e.log("the video's size and difference to its closest frame: %r" % seen[-3:])


def test():
    script, configured, qmtool, editor, demo_src = sys.argv[1:6]
    build_ffmpeg(script, configured)
    with e.Session(screen="1024x768") as s:
        packages.package(qmtool, editor, demo_src, "portable", s.tmp)
        folder = os.path.join(s.tmp, demo.TITLE)
        check_folder(folder)
        packages.start_and_see_first_frame(s, [os.path.join(folder, packages.NAME + ".sh")],
                                           s.tmp, {"LD_LIBRARY_PATH": None})
        play_lamp_room_video(s, demo_src, s.extents(s.find(demo.PLAY_AREA)))


if __name__ == "__main__":
    e.main(test, limit=1400)

"""The demo game's portable folder with the video library over a decoder-only FFmpeg.

scripts/build-ffmpeg-decoders.sh builds that FFmpeg from Debian's source (cached; its time is
logged), this build made the library with it (-DQM_FFMPEG_DECODERS, which make test sets), and
qmtool package --portable makes the folder: it brings no FFmpeg library, weighs under 30 MB as
.tar.xz and under 90 MB unpacked, holds FFmpeg's licence, and its player, started by its start
script from another folder, plays the Lamp Room's video (the picture on screen is one of the
video's frames as the system's ffmpeg decodes them). Skipped only when the Debian source cannot
be fetched.

usage: test_portable_video.py SCRIPT CONFIGURED_PREFIX QMTOOL EDITOR_FOLDER DEMO_PROJECT
"""

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

MAX_ARCHIVE = 30 * 1000 * 1000
MAX_UNPACKED = 90 * 1000 * 1000
FFMPEG_LIBRARY = re.compile(r"^lib(avcodec|avformat|avutil|swscale|swresample|avfilter|avdevice)")
LAMP_VIDEO, LAMP_W, LAMP_H = "lamp.avi", 160, 120


def decoder_only_ffmpeg(script, configured, editor):
    started = time.monotonic()
    built = subprocess.run(["bash", script], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           timeout=1200)
    said = built.stderr.decode(errors="replace").strip()
    e.log("build-ffmpeg-decoders.sh took %.1f s%s" % (time.monotonic() - started,
                                                       (": " + said) if said else ""))
    if built.returncode == 3:
        raise e.Skip(said)
    if built.returncode != 0:
        raise e.Failure("build-ffmpeg-decoders.sh failed (%d): %s" % (built.returncode, said))
    prefix = built.stdout.decode().strip().splitlines()[-1]
    if os.path.realpath(configured or "/-") != os.path.realpath(prefix):
        raise e.Failure("this build's QM_FFMPEG_DECODERS is %r, not %r: configure it with "
                        "-DQM_FFMPEG_DECODERS=%s (make test does)" % (configured, prefix, prefix))
    if not os.path.isfile(os.path.join(editor, "lib", "portable", "libqmvideo.so")):
        raise e.Failure("the build made no lib/portable/libqmvideo.so in %s" % editor)


def check_contents(folder, tarball):
    lib = os.path.join(folder, "lib")
    ffmpeg = sorted(n for n in os.listdir(lib) if FFMPEG_LIBRARY.match(n))
    if ffmpeg:
        raise e.Failure("the folder brings FFmpeg's shared libraries: %s" % " ".join(ffmpeg))
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]",
                        packages.run("readelf", "-d", os.path.join(lib, "libqmvideo.so")))
    if any(FFMPEG_LIBRARY.match(n) for n in needed) or "libqmsound.so" not in needed:
        raise e.Failure("lib/libqmvideo.so asks for %r" % needed)
    if not os.path.isfile(os.path.join(folder, "licences", "ffmpeg.txt")):
        raise e.Failure("the folder lacks FFmpeg's licence, licences/ffmpeg.txt")
    archive = os.path.getsize(tarball)
    unpacked = sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(folder)
                   for f in files if not os.path.islink(os.path.join(d, f)))
    sizes = sorted(((os.path.getsize(os.path.join(lib, n)), n) for n in os.listdir(lib)),
                   reverse=True)
    e.log("%d libraries in lib/, the largest: %s" % (len(sizes), ", ".join(
        "%s %.1f MB" % (n, b / 1e6) for b, n in sizes[:8])))
    e.log("archive %.1f MB (at most %.0f), unpacked %.1f MB (at most %.0f)"
          % (archive / 1e6, MAX_ARCHIVE / 1e6, unpacked / 1e6, MAX_UNPACKED / 1e6))
    if archive > MAX_ARCHIVE or unpacked > MAX_UNPACKED:
        raise e.Failure("the portable game is %d bytes packed, %d unpacked" % (archive, unpacked))


def video_frames(project):
    """lamp.avi's frames as the system's ffmpeg decodes them, RGB rows of LAMP_W pixels."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i",
                          os.path.join(project, "Frames", LAMP_VIDEO), "-f", "rawvideo",
                          "-pix_fmt", "rgb24", "-"],
                         check=True, stdout=subprocess.PIPE, timeout=60).stdout
    size = LAMP_W * LAMP_H * 3
    return [raw[i:i + size] for i in range(0, len(raw) - size + 1, size)]


def difference(shot, at, frame, step=4):
    """The mean difference per channel between the screen at `at` and a video frame."""
    x0, y0 = at
    total = count = 0
    for y in range(0, LAMP_H, step):
        for x in range(0, LAMP_W, step):
            i = (y * LAMP_W + x) * 3
            total += sum(abs(a - b) for a, b in zip(shot.pixel(x0 + x, y0 + y), frame[i:i + 3]))
            count += 3
    return total / count


def play_lamp_room_video(s, project, box):
    """From the Shore to the Lamp Room as a player would; its video must show on screen."""
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
    frames = video_frames(project)
    best = []

    def shown():
        s.check_player_running()
        if s.find_all(role="alert"):
            raise e.Failure("the player says: %s" % demo.alerts(s))
        videos = s.find_all("Video", "filler")
        if not videos:
            return False
        x, y, w, h = s.extents(videos[0])
        if (w, h) != (LAMP_W, LAMP_H):
            raise e.Failure("the video is %dx%d on screen, not %dx%d" % (w, h, LAMP_W, LAMP_H))
        shot = s.screenshot()
        best.append(min(difference(shot, (x, y), f) for f in frames))
        return best[-1] < 12

    g.click(1, "dooropen")
    try:
        e.poll("the Lamp Room's video on screen", shown, 15, interval=0.05)
    except e.Failure as err:
        raise e.Failure("%s; the closest frame differed by %r" % (err, best[-5:]))
    e.log("the video shows, %.1f from one of its frames" % best[-1])
    g.wait_frame("Lamp Room")


def test():
    script, configured, qmtool, editor, demo_src = sys.argv[1:6]
    decoder_only_ffmpeg(script, configured, editor)
    with e.Session(screen="1024x768") as s:
        out = os.path.join(s.tmp, "out")
        os.mkdir(out)
        said = packages.package(qmtool, editor, demo_src, "portable", out)
        e.log("qmtool package says: " + " / ".join(
            line for line in said.splitlines() if line.startswith(("size:", "unpacked:"))))
        folder = os.path.join(out, demo.TITLE)
        check_contents(folder, folder + ".tar.xz")
        elsewhere = os.path.join(s.tmp, "elsewhere")
        os.mkdir(elsewhere)
        packages.start_and_see_first_frame(s, [os.path.join(folder, packages.NAME + ".sh")],
                                           elsewhere,
                                           {"LD_LIBRARY_PATH": None, "QT_PLUGIN_PATH": None})
        play_lamp_room_video(s, demo_src, s.extents(s.find(demo.PLAY_AREA)))


if __name__ == "__main__":
    e.main(test, limit=1400)

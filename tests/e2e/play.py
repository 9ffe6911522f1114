#!/usr/bin/env python3
# End-to-end test: plays the real game only through the X server, as a person would. It reads the screen from
# screenshots and drives the mouse and keys with xdotool: three dots traced (each reached only where the mouse
# went) must take three hit points off the opponent, F10 must start a new game and a held Escape quit it. Run
# it on its own X server:
#
#     tests/xvfb.sh python3 tests/e2e/play.py RUN_DIR
#
# With a last argument N, it plays the game with --windowed --scale N on an N times larger screen instead (e.g.
# QF_XVFB_SCREEN=1280x960x24 for 2): the screen is read sampled down by N, the mouse moved N screen pixels per game
# pixel.
#
# scripts/shots.py plays with the same pieces to photograph each screen.
#
# Mouse, as measured under Xvfb: the full-screen game hides the cursor, so SDL2 grabs the pointer in relative
# mode and the game's cursor is a running total of motions, clamped to the 640x480 window. An absolute
# `xdotool mousemove` gives no motion at all there; with SDL_MOUSE_RELATIVE_MODE_WARP=1 it does, but as a delta
# from the centre the pointer was warped back to, so still not an absolute position. `mousemove_relative` is
# applied exactly, without acceleration (many small steps sum up to the pixel). So the pointer is homed once by
# a large move up and left (clamped to 0,0) and then moved by relative steps from the position we keep.
import os, subprocess, sys, tempfile, time

W, H = 640, 480
AREA = (170, 30, 470, 330)                # drawing area, x0 y0 x1 y1
WHITE, GREY, EMPTY = b'\xff\xff\xff', b'\x80\x80\x80', b'\x20\x20\x20'


class Img(bytes):
    def px(self, x, y):
        return tuple(self[(y * W + x) * 3:(y * W + x) * 3 + 3])

    def find(self, rgb, x0, y0, x1, y1):
        # Pixels of exactly this colour in the box, found with bytes.find: a Python pixel loop is too slow for
        # tracing at the game's pace.
        out = []
        for y in range(y0, y1):
            row, start = self[(y * W + x0) * 3:(y * W + x1) * 3], 0
            while (i := row.find(rgb, start)) >= 0:
                if i % 3 == 0:
                    out.append((x0 + i // 3, y))
                start = i + 1
        return out

    def disc(self, rgb, lo=40, hi=260):
        # Centre of a drawn dot of radius 8 in the drawing area, or None.
        pts = self.find(rgb, *AREA)
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        if not lo <= len(pts) <= hi or max(xs) - min(xs) > 18 or max(ys) - min(ys) > 18:
            return None
        return (round(sum(xs) / len(xs)), round(sum(ys) / len(ys)))

    def bars(self):
        # Fill widths (player, opponent) of the health bars, or None when no bars are drawn. The cursor disc may
        # lie half-transparent over the opponent's bar (fill 112,80,80, empty 80,80,80); the outline hides the
        # opponent's leftmost fill column, so a full bar reads 149.
        kind = lambda p: 'f' if p[1] == p[2] and p[0] - p[1] >= 20 else 'e' if p[0] == p[1] == p[2] in (32, 80) else '?'
        left, right = (''.join(kind(self.px(x, 87)) for x in range(x0, x0 + 149)) for x0 in (11, 481))
        if '?' in left + right:
            return None
        return (left.rfind('f') + 2 if 'f' in left else 0), (149 - right.find('f') if 'f' in right else 0)

    def save(self, path):
        subprocess.run(['convert', '-size', f'{W}x{H}', '-depth', '8', 'rgb:-', path], input=self, check=True)


class Game:
    # The game on $DISPLAY, its output kept for a failure report. Left running, it dies with the X server.
    def __init__(self, run_dir, scale=1):
        self.start, self.last, self.pos, self.scale = time.monotonic(), None, None, scale
        self.out = tempfile.TemporaryFile('w+')
        args = ['--windowed', '--scale', str(scale)] if scale > 1 else []
        # Nearest-pixel scaling: each game pixel shows as an N by N square of its own colour.
        env = dict(os.environ, SDL12COMPAT_SCALE_METHOD='nearest')
        self.game = subprocess.Popen(['./quillfray', *args], cwd=run_dir, env=env, stdout=self.out,
                                     stderr=subprocess.STDOUT)

    def grab(self):
        sample = ['-filter', 'point', '-resize', f'{W}x{H}'] if self.scale > 1 else []
        raw = subprocess.run(['import', '-window', 'root', *sample, '-depth', '8', 'rgb:-'], capture_output=True).stdout
        assert self.game.poll() is None, f'the game ended by itself with status {self.game.returncode}'
        if len(raw) == W * H * 3:
            self.last = Img(raw)
            return self.last

    def wait(self, what, pred, timeout=15.0):
        # Polls the screen until pred(img) is true; returns that image.
        end, img = time.monotonic() + timeout, None
        while time.monotonic() < end:
            if (img := self.grab()) and pred(img):
                return img
            time.sleep(0.005)
        raise AssertionError(f'timed out waiting for {what}' + (f' (bars {img.bars()})' if img else ''))

    def xdo(self, *args):
        subprocess.run(['xdotool', *map(str, args)], check=True)

    def to(self, p):
        self.xdo('mousemove_relative', '--', (p[0] - self.pos[0]) * self.scale, (p[1] - self.pos[1]) * self.scale)
        self.pos = p

    def home(self):                       # once the first frame is up: the pointer clamped to 0,0
        self.wait('the first frame', lambda i: len(i.find(WHITE, 0, 0, 200, 15)) > 30, 30)
        self.xdo('mousemove_relative', '--', -4 * W, -4 * H)
        self.pos = (0, 0)


def trace(g, img, stop, over=lambda img: False):
    # One stroke: onto the lone grey dot, button down, then from target to target (the white disc) until
    # stop(hits, img) or over(img) (the stroke has ended). Returns the dots reached: each new target position is one
    # more.
    g.to(last := img.disc(GREY))
    g.xdo('mousedown', 1)
    hits, end = 0, time.monotonic() + 30
    while time.monotonic() < end:
        if (img := g.grab()) is None:
            continue
        if over(img):
            break
        t = img.disc(WHITE, 5)
        if t and abs(t[0] - last[0]) + abs(t[1] - last[1]) > 4:
            hits, last = hits + 1, t
            if stop(hits, img):
                break
            g.to(t)
    g.xdo('mouseup', 1)
    return hits


def play(g):
    g.home()
    img = g.wait('my turn', lambda i: i.disc(GREY) and i.bars() == (100, 149), 20)
    assert (hits := trace(g, img, lambda h, i: h >= 3)) == 3, f'{hits} dots reached, not 3'
    # The first opponent has 8 hit points: 5 left show as 5 * 150 // 8 columns.
    g.wait('the hits on the bar', lambda i: i.bars() and i.bars()[1] == 5 * 150 // 8)
    g.xdo('key', 'F10')
    g.wait('a new game', lambda i: i.bars() == (100, 149))
    g.xdo('keydown', 'Escape')
    assert (status := g.game.wait(5)) == 0, f'Escape held gave status {status}'


if __name__ == '__main__':
    g = Game(os.path.abspath(sys.argv[1]), int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    try:
        play(g)
    except (AssertionError, subprocess.TimeoutExpired) as e:
        g.out.seek(0)
        sys.stdout.write(g.out.read())
        if g.last:
            g.last.save(shot := os.path.join(tempfile.gettempdir(), 'quillfray-e2e-last.png'))
            print('last screen saved in', shot)
        sys.exit(f'FAIL: {e}')
    finally:
        g.game.kill()                     # a no-op once it has ended
    print(f'PASS at scale {g.scale}: 3 dots 3 hits, F10 a new game, Escape quits with 0;'
          f' {time.monotonic() - g.start:.1f} s')

#!/usr/bin/env python3
# Plays the real game under its own Xvfb, only through the X server, as a person would: it reads the screen from
# screenshots and drives the mouse and keys with xdotool.
#
#     play.py RUN_DIR                 end-to-end test: wins three battles in a row, F10, Escape
#     play.py RUN_DIR --shots DIR     saves a screenshot of each screen a player meets
#
# Mouse, as measured under Xvfb: the full-screen game hides the cursor, so SDL2 grabs the pointer in relative
# mode and the game's cursor is a running total of motions, clamped to the 640x480 window. An absolute
# `xdotool mousemove` gives no motion at all there; with SDL_MOUSE_RELATIVE_MODE_WARP=1 it does, but as a delta
# from the centre the pointer was warped back to, so still not an absolute position. `mousemove_relative` is
# applied exactly, without acceleration (many small steps sum up to the pixel). So the pointer is homed once by
# a large move up and left (clamped to 0,0) and then moved by relative steps from the position we keep; the
# first player turn checks that the drawn cursor disc lands where we meant.
import ctypes, os, signal, subprocess, sys, tempfile, time

W, H = 640, 480
AREA = (170, 30, 470, 330)                # drawing area, x0 y0 x1 y1
WHITE, GREY, EMPTY = b'\xff\xff\xff', b'\x80\x80\x80', b'\x20\x20\x20'
LIMIT = 240.0                             # whole run, seconds


class Fail(Exception):
    pass


def check(cond, msg):
    if not cond:
        raise Fail(msg)


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
        def kind(p):
            return 'f' if p[1] == p[2] and p[0] - p[1] >= 20 else 'e' if p[0] == p[1] == p[2] in (32, 80) else '?'
        left, right = (''.join(kind(self.px(x, 87)) for x in range(x0, x0 + 149)) for x0 in (11, 481))
        if '?' in left + right:
            return None
        return (left.rfind('f') + 2 if 'f' in left else 0), (149 - right.find('f') if 'f' in right else 0)

    def line(self, n):                    # white text of state line n (0 or 1)
        return frozenset(self.find(WHITE, 170, 350 + 15 * n, 640, 365 + 15 * n))

    def victories(self):                  # the grey "N victories so far..." line
        return frozenset(self.find(b'\xc0\xc0\xc0', 30, 90, 160, 105))

    def state(self):
        if self.bars() is None:
            return 'void'                 # no battle, or defeat: background and key hint only
        # Parchment (bright) or the wood behind it.
        if sum(self[(y * W + x) * 3] for y in range(40, 330, 20) for x in range(180, 470, 20)) > 120 * 15 * 15:
            if len(self.find(EMPTY, 170, 366, 470, 380) + self.find(b'\xa0\xa0\xa0', 170, 366, 470, 380)) > 5:
                return 'drawing'          # the endurance bar
            if self.line(0):
                # The waiting line is long; a result line ("N Damage Total") is short.
                return 'waiting' if max(x for x, _ in self.line(0)) > 380 else 'result'
            return 'done'
        if self.line(1):
            return 'win'
        return 'line' if self.line(0) else 'blank'   # intro, opponent's result or defeat; or turn set-up

    def save(self, path):
        subprocess.run(['convert', '-size', f'{W}x{H}', '-depth', '8', 'rgb:-', path], input=self, check=True)


def orphan_dies():
    # Xvfb and the game are killed with this process even when it is killed itself (a test timeout).
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)              # PR_SET_PDEATHSIG


class Game:
    # Xvfb and the game, each killed on exit.
    def __init__(self, run_dir):
        self.start, self.last, self.pos = time.monotonic(), None, None
        r, w = os.pipe()
        self.procs = [subprocess.Popen(['Xvfb', '-displayfd', str(w), '-screen', '0', f'{W}x{H}x24', '-nolisten',
                                        'tcp'], pass_fds=[w], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       preexec_fn=orphan_dies)]
        os.close(w)
        with os.fdopen(r) as f:
            self.env = dict(os.environ, DISPLAY=':' + f.readline().strip())
        # Under X, SDL unloads Mesa at exit with a few bytes still held; a sanitizer build would report
        # them as leaks and turn Escape's status 0 into a failure. The headless suite checks leaks.
        self.env['ASAN_OPTIONS'] = (os.environ.get('ASAN_OPTIONS', '') + ':detect_leaks=0').lstrip(':')
        self.out = tempfile.TemporaryFile('w+')
        self.game = subprocess.Popen(['./quillfray'], cwd=run_dir, env=self.env, stdout=self.out,
                                     stderr=subprocess.STDOUT, preexec_fn=orphan_dies)
        self.procs.append(self.game)

    def close(self):
        for p in reversed(self.procs):
            p.kill()                      # a no-op once it has ended
            p.wait()
        self.out.close()

    def left(self):
        return LIMIT - (time.monotonic() - self.start)

    def grab(self):
        raw = subprocess.run(['import', '-window', 'root', '-depth', '8', 'rgb:-'], env=self.env,
                             capture_output=True).stdout
        check(self.game.poll() is None, f'the game ended by itself with status {self.game.returncode}')
        if len(raw) == W * H * 3:
            self.last = Img(raw)
            return self.last

    def wait(self, what, pred, timeout=15.0):
        # Polls the screen until pred(img) is true; returns that image.
        end, img = time.monotonic() + min(timeout, self.left()), None
        while time.monotonic() < end:
            if (img := self.grab()) and pred(img):
                return img
            time.sleep(0.005)
        raise Fail(f'timed out waiting for {what}' + (f' (screen state {img.state()})' if img else ''))

    def xdo(self, *args):
        subprocess.run(['xdotool', *map(str, args)], env=self.env, check=True)

    def to(self, p):
        self.xdo('mousemove_relative', '--', p[0] - self.pos[0], p[1] - self.pos[1])
        self.pos = p


def calibrate(g, img, dot):
    # The drawn cursor disc (radius 25) must centre where we moved it, away from the lone dot.
    p = max([(240, 100), (400, 100), (240, 260), (400, 260)], key=lambda q: abs(q[0] - dot[0]) + abs(q[1] - dot[1]))
    g.to(p)
    new = g.wait('the cursor disc', lambda i: i.px(*p) != img.px(*p))
    pts = [(x, y) for y in range(p[1] - 40, p[1] + 41) for x in range(p[0] - 40, p[0] + 41)
           if new.px(x, y) != img.px(x, y)]
    xs, ys = [q[0] for q in pts], [q[1] for q in pts]
    got = ((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2, max(xs) - min(xs))
    check(abs(got[0] - p[0]) <= 1 and abs(got[1] - p[1]) <= 1 and 48 <= got[2] <= 52,
          f'cursor disc drawn at {got[:2]} width {got[2]}, meant {p}')


def trace(g, img, stop, shot=None):
    # One stroke: onto the lone grey dot, button down, then from target to target (the white disc) until
    # stop(hits, img) or the stroke ends. Returns the dots reached: each new target position is one more.
    last = img.disc(GREY)
    g.to(last)
    g.xdo('mousedown', 1)
    hits, end = 0, time.monotonic() + min(30, g.left())
    while time.monotonic() < end:
        if (img := g.grab()) is None:
            continue
        if (st := img.state()) not in ('drawing', 'waiting'):
            break                         # endurance spent: the stroke is over
        t = img.disc(WHITE, 5)
        if t and abs(t[0] - last[0]) + abs(t[1] - last[1]) > 4:
            hits, last = hits + 1, t
            if shot and hits >= 5 and st == 'drawing':
                img.save(shot)
                shot = None
            if stop(hits, img):
                break
            g.to(t)
    g.xdo('mouseup', 1)
    return hits


def play(g, shots):
    save = lambda img, name: shots and img.save(os.path.join(shots, name + '.png'))
    won, intro, first_vict, prev_vict = 0, None, None, None
    g.wait('the first frame', lambda i: len(i.find(WHITE, 0, 0, 200, 15)) > 30, 30)
    g.xdo('mousemove_relative', '--', -4 * W, -4 * H)     # home: clamped to 0,0
    g.pos = (0, 0)
    while won < (1 if shots else 3):
        img = g.wait('an intro', lambda i: i.state() == 'line' and i.bars()[1] >= 149)
        save(img, 'intro')
        vict = img.victories()
        check(vict != prev_vict, 'the victories line did not change after a victory')
        first_vict, prev_vict = first_vict or vict, vict
        # " approaches!" ends every intro line; its pixels, right-aligned, must match the first intro's.
        right = max(x for x, _ in img.line(0))
        tail = frozenset((x - right, y) for x, y in img.line(0) if x > right - 60)
        check(intro is None or tail == intro, 'the intro line differs from the first one')
        intro, total, maxes, turn, log = tail, 0, set(range(1, 256)), 0, []
        while True:
            img = g.wait('my turn or the battle end', lambda i: i.state() in ('waiting', 'win', 'line'), 20)
            if img.state() == 'win':
                break
            if img.state() == 'line':
                check(img.bars()[0] > 0, 'the player lost')
                continue
            if turn == 0 and won == 0:
                calibrate(g, img, img.disc(GREY))
                save(img := g.wait('the waiting screen', lambda i: i.state() == 'waiting'), 'waiting')
            turn += 1
            # A first turn of 3 dots pins the opponent's maximum down; the next turn empties the bar.
            plan = (lambda h, i: h >= 3) if turn == 1 and not shots else (lambda h, i: i.bars()[1] == 0)
            total += (hits := trace(g, img, plan, shots and os.path.join(shots, 'drawing.png')))
            log.append(hits)
            save(img := g.wait('the result', lambda i: i.state() == 'result'), 'results')
            # The bar shows hp * 150 / max: keep the maxima that agree with every hit counted so far.
            maxes = {m for m in maxes if min(149, max(0, m - total) * 150 // m) == img.bars()[1]}
            check(maxes, f'opponent bar {img.bars()[1]} after {total} hits fits no hit point maximum')
            check(won or 8 in maxes, f'first opponent: bar {img.bars()[1]} after {total} hits is not 8 HP')
            before = img.bars()[0]
            img = g.wait('the opponent or the battle end', lambda i: i.state() in ('blank', 'win'))
            if img.state() == 'win':
                break
            # The blow lands one frame after its result line first shows.
            g.wait("the opponent's blow on the player's bar", lambda i: i.state() == 'line' and i.bars()[0] < before, 3)
        check(img.bars()[1] == 0, 'a win with the opponent\'s bar not empty')
        if shots:                         # the first frame still shows the count from before the victory
            img = settled(g)
        save(img, 'victory')
        won += 1
        print(f'battle {won} won: dots per turn {log}, opponent hit points {min(maxes)}..{max(maxes)}')
    if shots:
        lose(g, save)
    else:
        # The next opponent comes with a full bar; F10 then starts a new game: 20 of 30 hit points.
        g.wait('the next opponent', lambda i: i.state() == 'line' and i.bars()[1] >= 149)
        g.xdo('key', 'F10')
        img = g.wait('a new game', lambda i: i.state() == 'line' and i.victories() == first_vict)
        check(img.bars() == (100, 149), f'new game bars {img.bars()}, not (100, full)')
    g.xdo('keydown', 'Escape')
    try:
        status = g.game.wait(min(5, g.left()))
    finally:
        g.xdo('keyup', 'Escape')
    check(status == 0, f'Escape gave status {status}')
    return won


def settled(g):
    # The screen once two grabs at least 50 ms apart agree: state texts can change once after a screen first
    # shows, and a grab right after the one that saw it may still fall in the same frame.
    prev = [None]

    def same(new):
        old, prev[0] = prev[0], (new.state(), new.line(0), new.line(1))
        time.sleep(0.05)
        return old == prev[0]
    return g.wait('a settled screen', same, 3)


def lose(g, save):
    # Turns without hits until the player falls: a click away from the dots.
    while True:
        img = g.wait('a turn or the end', lambda i: i.state() in ('waiting', 'line'), 20)
        if img.state() == 'waiting':
            g.to((20, 20))
            g.xdo('mousedown', 1)
            g.wait('the stroke', lambda i: i.state() != 'waiting')
            g.xdo('mouseup', 1)
        elif img.bars()[0] == 0:
            break
    # The opponent's result may still show for up to a second before the defeat line replaces it.
    seen, end = img.line(0), time.monotonic() + 1.5
    img = g.wait('the defeat', lambda i: i.state() == 'line' and (i.line(0) != seen or time.monotonic() > end))
    save(img, 'defeat')
    save(g.wait('the end of the game', lambda i: i.state() == 'void'), 'state7')


if __name__ == '__main__':
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))    # still close Xvfb and the game
    shots = os.path.abspath(sys.argv[3]) if sys.argv[2:3] == ['--shots'] else None
    g = Game(os.path.abspath(sys.argv[1]))
    try:
        won = play(g, shots)
    except Fail as e:
        g.out.seek(0)
        sys.stdout.write(g.out.read())
        if g.last:
            g.last.save(os.path.join(tempfile.gettempdir(), 'quillfray-e2e-last.png'))
            print('last screen saved in', os.path.join(tempfile.gettempdir(), 'quillfray-e2e-last.png'))
        print(f'FAIL: {e}')
        sys.exit(1)
    finally:
        g.close()
    print(f'PASS: {won} battles won in a row, ' + ('screenshots saved' if shots else 'new game on F10') +
          f', Escape quits with 0; {time.monotonic() - g.start:.1f} s')

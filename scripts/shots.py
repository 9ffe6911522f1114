#!/usr/bin/env python3
# Plays the real game through the X server with the end-to-end test's pieces and saves a screenshot of each screen
# a player meets in DIR: intro, waiting, drawing, results, victory, then, losing on purpose, defeat and state7
# (after a defeat). scripts/screenshots.sh runs it on its own X server:
#
#     tests/xvfb.sh python3 scripts/shots.py RUN_DIR DIR
import os, sys, time

sys.dont_write_bytecode = True           # no __pycache__ left in tests/e2e
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'e2e'))
from play import EMPTY, GREY, WHITE, W, Game, trace  # noqa: E402


def line(img, n):                         # white text of state line n (0 or 1)
    return frozenset(img.find(WHITE, 170, 350 + 15 * n, 640, 365 + 15 * n))


def state(img):
    # Which screen shows, from its bars, the drawing area, the endurance bar and the state lines.
    if img.bars() is None:
        return 'void'                     # no battle, or defeat: background and key hint only
    # Parchment (bright) or the wood behind it.
    if sum(img[(y * W + x) * 3] for y in range(40, 330, 20) for x in range(180, 470, 20)) > 120 * 15 * 15:
        if len(img.find(EMPTY, 170, 366, 470, 380) + img.find(b'\xa0\xa0\xa0', 170, 366, 470, 380)) > 5:
            return 'drawing'              # the endurance bar
        if line(img, 0):
            # The waiting line is long; a result line ("N Damage Total") is short.
            return 'waiting' if max(x for x, _ in line(img, 0)) > 380 else 'result'
        return 'done'
    if line(img, 1):
        return 'win'
    return 'line' if line(img, 0) else 'blank'  # intro, opponent's result or defeat; or turn set-up


def settled(g):
    # The screen once two grabs at least 50 ms apart agree: state texts can change once after a screen first
    # shows, and a grab right after the one that saw it may still fall in the same frame.
    prev = [None]

    def same(new):
        old, prev[0] = prev[0], (state(new), line(new, 0), line(new, 1))
        time.sleep(0.05)
        return old == prev[0]
    return g.wait('a settled screen', same, 3)


def win(g, save):
    # One battle, each turn tracing until the opponent's bar is empty; a stroke is saved at its fifth dot.
    save(g.wait('an intro', lambda i: state(i) == 'line' and i.bars()[1] >= 149), 'intro')
    turns, drawn = 0, []
    while True:
        img = g.wait('my turn or the battle end', lambda i: state(i) in ('waiting', 'win', 'line'), 20)
        if state(img) == 'win':
            break
        if state(img) == 'line':
            continue
        if turns == 0:                    # the cursor away from the first dot
            dot = img.disc(GREY)
            g.to(max([(240, 100), (400, 100), (240, 260), (400, 260)],
                     key=lambda q: abs(q[0] - dot[0]) + abs(q[1] - dot[1])))
            save(img := g.wait('the waiting screen', lambda i: state(i) == 'waiting'), 'waiting')

        def stop(hits, img):
            if not drawn and hits >= 5 and state(img) == 'drawing':
                save(img, 'drawing')
                drawn.append(hits)
            return img.bars()[1] == 0
        trace(g, img, stop, lambda i: state(i) not in ('drawing', 'waiting'))
        turns += 1
        save(g.wait('the result', lambda i: state(i) == 'result'), 'results')
    save(settled(g), 'victory')           # the first frame still shows the count from before the victory


def lose(g, save):
    # Turns without hits until the player falls: a click away from the dots.
    while True:
        img = g.wait('a turn or the end', lambda i: state(i) in ('waiting', 'line'), 20)
        if state(img) == 'waiting':
            g.to((20, 20))
            g.xdo('mousedown', 1)
            g.wait('the stroke', lambda i: state(i) != 'waiting')
            g.xdo('mouseup', 1)
        elif img.bars()[0] == 0:
            break
    # The opponent's result may still show for up to a second before the defeat line replaces it.
    seen, end = line(img, 0), time.monotonic() + 1.5
    img = g.wait('the defeat', lambda i: state(i) == 'line' and (line(i, 0) != seen or time.monotonic() > end))
    save(img, 'defeat')
    save(g.wait('the end of the game', lambda i: state(i) == 'void'), 'state7')


if __name__ == '__main__':
    out = os.path.abspath(sys.argv[2])
    g = Game(os.path.abspath(sys.argv[1]))
    try:
        g.home()
        save = lambda img, name: img.save(os.path.join(out, name + '.png'))  # noqa: E731
        win(g, save)
        lose(g, save)
    finally:
        g.game.kill()
    print('screenshots saved in', out)

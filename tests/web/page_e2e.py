#!/usr/bin/env python3
"""The web page in headless Chromium, used as a person would: it loads, a click
on "Gioca Ora" runs a whole draw, the seven numbers are read back from the
page's accessibility tree, and a key starts the next draw.

page_e2e.py PAGE_DIR SHOTS_DIR [SCALE]   (SCALE: the device pixel ratio)
"""
import json, os, re, sys, time
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import Page, in_own_process_group
in_own_process_group()

page_dir, shots = sys.argv[1], sys.argv[2]
scale = float(sys.argv[3]) if len(sys.argv) > 3 else 1.0
os.makedirs(shots, exist_ok=True)
layout = open(os.path.join(os.path.dirname(__file__), '../../app/layout.h')).read()
bx, by, bw, bh = map(int, re.search(r'kCommand1\{(\d+), (\d+), (\d+), (\d+)\}', layout).groups())
NAMES = [f'{rank} numero' for rank in 'Primo Secondo Terzo Quarto Quinto Sesto'.split()] + ['Jolly']
failures = []
def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what)
    failures.extend([] if ok else [what])

page = Page(page_dir, 1280, 800, scale)
try:
    started = time.monotonic()
    page.open()
    root = "document.getElementById('qt-shadow-container')?.shadowRoot"
    page.wait_for(f"document.title === 'Dalmiro' && !document.getElementById('status') && "
                  f"!!{root}?.querySelector('canvas')", 60)
    print(f'shown in {time.monotonic() - started:.2f} s')
    canvas = json.loads(page.evaluate(f"""(() => {{ const c = {root}.querySelector('canvas');
        const r = c.getBoundingClientRect();
        return JSON.stringify({{x: r.x, y: r.y, w: r.width, h: r.height, pw: c.width,
            view: innerWidth, icon: document.querySelector('link[rel=icon]').href}}) }})()"""))
    check((canvas['w'], canvas['h']) == (797, 601), f"the window is 797 x 601: {canvas['w']} x {canvas['h']}")
    check(canvas['x'] == (canvas['view'] - canvas['w']) // 2, f"the window is centred: left {canvas['x']}")
    check(canvas['pw'] == round(797 * scale), f"drawn at {scale}x: {canvas['pw']} pixels wide")
    check(page.evaluate(f"fetch('{canvas['icon']}').then(r => r.ok)"), 'the icon is served')
    page.screenshot(os.path.join(shots, 'start.png'))

    # What a screen reader reads: the page's copy of the accessible tree.
    page.evaluate(f"{root}.querySelector('.qt-window-a11y-container button').click()")
    numbers = f"""[...{root}.querySelectorAll('.qt-window-a11y-container textarea')]
        .map(t => t.textContent).filter(t => t.includes(':'))"""
    # The button's caption is black when it can be pressed, grey while a draw runs.
    k = canvas['pw'] / canvas['w']
    enabled = f"""(() => {{ const d = {root}.querySelector('canvas').getContext('2d').getImageData(
        {round((bx + 12) * k)}, {round((by + 6) * k)}, {round((bw - 24) * k)}, {round((bh - 12) * k)}).data;
        for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] < 120) return true;
        return false }})()"""
    check(page.evaluate(enabled), 'the button can be pressed at start')

    clicked = page.click(canvas['x'] + bx + bw / 2, canvas['y'] + by + bh / 2)
    page.wait_for(f'!{enabled}', 2)
    time.sleep(5)
    page.screenshot(os.path.join(shots, 'during.png'))
    # The seven chute runs hold 98 pauses of 0.1 s; each ball also waits for
    # the drum (some 30 ms). Then the drum is cleared: up to 85 pauses of 0.04 s.
    page.wait_for(f"{numbers}.some(t => t.startsWith('Jolly'))", 30, poll=0.005)
    revealed = time.monotonic() - clicked
    page.wait_for(enabled, 10, poll=0.005)
    took = time.monotonic() - clicked
    page.screenshot(os.path.join(shots, 'after.png'))
    check(9.8 <= revealed <= 10.6, f'the jolly was revealed {revealed:.3f} s after the click (9.8 to 10.6)')
    check(revealed < took <= revealed + 3.5, f'the button came back {took:.3f} s after the click')

    read = dict(text.split(': ') for text in page.evaluate(numbers))
    print('read back:', ', '.join(f'{name}: {read.get(name)}' for name in NAMES))
    drawn = [int(read.get(name, 0)) for name in NAMES]
    check(len(set(drawn[:6])) == 6 and all(1 <= n <= 90 for n in drawn),
          'six distinct numbers of 1-90 and a jolly of 1-90')

    # The keyboard: focus is back on the button, and Space presses it.
    page.key(' ', 'Space', 32)
    page.wait_for(f'!{enabled}', 2)  # raises when it does not
    print('ok   Space starts the next draw')
finally:
    page.close()
if failures:
    sys.exit(f'{len(failures)} failed')

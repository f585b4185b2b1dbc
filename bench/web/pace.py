#!/usr/bin/env python3
"""The draw's pace in the browser and on the desktop, side by side.

pace.py WASM_BENCH_DIR [NATIVE_BENCH_DRAW] [RUNS]

WASM_BENCH_DIR: bench/ of the page's build, with bench_draw.js, .wasm and
qtloader.js (tools/build-web.sh with DALMIRO_CMAKE_ARGS=-DDALMIRO_BENCHMARKS=ON);
NATIVE_BENCH_DRAW: the desktop build's bench_draw, run on the offscreen
platform. Each run is one whole draw on the real clock; both print the
chute's 98 pauses of 0.1 s and the settle's pauses of 0.04 s against what
they took.
"""
import os, re, subprocess, sys, tempfile, shutil, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../tests/web'))
from devtools import Page, in_own_process_group
in_own_process_group()

bench_dir = sys.argv[1]
native = sys.argv[2] if len(sys.argv) > 2 else ''
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
served = tempfile.mkdtemp()
for name in ('bench_draw.js', 'bench_draw.wasm', 'qtloader.js'):
    shutil.copy(os.path.join(bench_dir, name), served)
with open(os.path.join(served, 'index.html'), 'w') as page:
    page.write('''<!doctype html><title>bench</title><body style="margin:0">
<div id="screen" style="width:797px;height:601px"></div>
<script src="bench_draw.js"></script><script src="qtloader.js"></script>
<script>qtLoad({arguments: ['draw'], qt: {containerElements: [document.getElementById('screen')],
    entryFunction: window.bench_draw_entry}})</script>''')

def browser_draw():
    page = Page(served, 1000, 700)
    try:
        page.open()
        end = time.monotonic() + 60
        while time.monotonic() < end and not any('settle' in line for line in page.console):
            page.evaluate('1')
            time.sleep(0.2)
        return [line for line in page.console if re.match(r'(sleeping draw|chute|settle)', line)]
    finally:
        page.close()

def desktop_draw():
    out = subprocess.run([native, 'draw'], capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM='offscreen')).stdout
    return [line for line in out.splitlines() if re.match(r'(sleeping draw|chute|settle)', line)]

for run in range(runs):
    for name, measure in (('browser', browser_draw), ('desktop', desktop_draw)):
        if name == 'desktop' and not native:
            continue
        for line in measure():
            print(f'{run + 1} {name:8} {line}', flush=True)
shutil.rmtree(served)

"""A page in headless Chromium, served from a folder on 127.0.0.1 and driven
through the DevTools protocol."""
import base64, functools, http.server, json, os, re, shutil, subprocess, tempfile, threading, time
import sys, urllib.request, websocket


def in_own_process_group():
    """Runs this script again under tools/processes.sh, which ends
    whatever it leaves (the browser's helper processes) on every way out."""
    if 'DALMIRO_TEST_GROUP' not in os.environ:
        helper = os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../tools/processes.sh')
        os.execv(helper, [helper, 'group', sys.executable, *sys.argv])


class Page:
    def __init__(self, folder, width, height, scale=1.0):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            log_message = lambda *args: None
        handler = functools.partial(Quiet, directory=folder)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.profile = tempfile.mkdtemp()
        # Without the background services: this machine's network is closed.
        self.browser = subprocess.Popen(
            ['chromium', '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
             '--no-first-run', '--disable-background-networking', '--disable-component-update',
             '--disable-sync', '--remote-debugging-port=0', f'--user-data-dir={self.profile}',
             f'--window-size={width},{height}', f'--force-device-scale-factor={scale}', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        port = next(m.group(1) for m in map(re.compile(r'ws://127\.0\.0\.1:(\d+)/').search,
                                            self.browser.stderr) if m)
        threading.Thread(target=self.browser.stderr.read, daemon=True).start()
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json/list'))
        url = next(t['webSocketDebuggerUrl'] for t in targets if t['type'] == 'page')
        self.ws = websocket.create_connection(url, suppress_origin=True)
        self.sent, self.console = 0, []
        self.call('Runtime.enable')

    def call(self, method, **params):
        self.sent += 1
        self.ws.send(json.dumps({'id': self.sent, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('method') == 'Runtime.consoleAPICalled':
                self.console.append(' '.join(str(a.get('value')) for a in message['params']['args']))
            if message.get('id') == self.sent:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message['result']

    def evaluate(self, expression):
        reply = self.call('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        return reply['result'].get('value')

    def open(self):
        self.call('Page.navigate', url=f'http://127.0.0.1:{self.server.server_address[1]}/index.html')

    def wait_for(self, expression, timeout, poll=0.02):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if value := self.evaluate(expression):
                return value
            time.sleep(poll)
        raise TimeoutError(expression)

    def click(self, x, y):
        """Moves there, presses and releases; returns when the release was sent."""
        self.call('Input.dispatchMouseEvent', type='mouseMoved', x=x, y=y)
        for kind in ('mousePressed', 'mouseReleased'):
            time.sleep(0.05)
            sent = time.monotonic()
            self.call('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left', clickCount=1)
        return sent

    def key(self, key, code, keycode):
        for kind in ('rawKeyDown', 'keyUp'):
            self.call('Input.dispatchKeyEvent', type=kind, key=key, code=code, windowsVirtualKeyCode=keycode)

    def screenshot(self, path):
        with open(path, 'wb') as out:
            out.write(base64.b64decode(self.call('Page.captureScreenshot', format='png')['data']))

    def close(self):
        self.browser.kill()
        self.browser.wait()
        self.server.shutdown()
        shutil.rmtree(self.profile, ignore_errors=True)

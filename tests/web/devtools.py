"""A page in headless Chromium, driven through the DevTools protocol."""
import base64, functools, http.server, json, os, re, shutil, subprocess, tempfile, threading, time, urllib.request
import websocket


class Page:
    def __init__(self, folder, width=1000, height=700, scale=1):
        handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
        handler.log_message = lambda *a: None
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.profile = tempfile.mkdtemp()
        self.browser = subprocess.Popen(
            [os.environ.get('CHROMIUM', 'chromium'), '--headless=new', '--no-sandbox', '--disable-gpu',
             '--disable-quic', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--remote-debugging-port=0',
             f'--user-data-dir={self.profile}', f'--window-size={width},{height}',
             f'--force-device-scale-factor={scale}', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        for line in self.browser.stderr:
            found = re.search(r'ws://127\.0\.0\.1:(\d+)/', line)
            if found:
                break
        else:
            raise RuntimeError('Chromium did not start')
        threading.Thread(target=self.browser.stderr.read, daemon=True).start()
        port = found.group(1)
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json/list'))
        page = next(t for t in targets if t['type'] == 'page')
        self.ws = websocket.create_connection(page['webSocketDebuggerUrl'], suppress_origin=True)
        self.next_id = 0
        self.console = []
        self.call('Runtime.enable')
        self.call('Page.enable')

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('method') == 'Runtime.consoleAPICalled':
                self.console.append(' '.join(str(a.get('value', '')) for a in message['params']['args']))
            if message.get('id') == self.next_id:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message['result']

    def evaluate(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        return result['result'].get('value')

    def open(self, path='index.html'):
        self.call('Page.navigate', url=f'http://127.0.0.1:{self.server.server_address[1]}/{path}')

    def wait_for(self, expression, timeout, poll=0.02):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.evaluate(expression)
            if value:
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
            self.call('Input.dispatchKeyEvent', type=kind, key=key, code=code,
                      windowsVirtualKeyCode=keycode, nativeVirtualKeyCode=keycode)

    def screenshot(self, path):
        with open(path, 'wb') as out:
            out.write(base64.b64decode(self.call('Page.captureScreenshot', format='png')['data']))

    def close(self):
        self.browser.kill()
        self.browser.wait()
        self.server.shutdown()
        shutil.rmtree(self.profile, ignore_errors=True)

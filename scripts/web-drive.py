#!/usr/bin/env python3
"""Uses the built web page as a site manager on a phone would, in headless
Chromium driven over its DevTools pipe: fields typed, a forecast file opened
from the device, a further lift added, the language switched and
remembered, the plan asked for. Each answer's result-json is compared with
kelvara-calc --json on the options the steps amount to.

Usage: web-drive.py SITE_DIR KELVARA_CALC [SCREENSHOT_DIR]
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FORECAST = ROOT / 'tests' / 'data' / 'weather' / 'forecast-brussels.json'


class Browser:
    def __init__(self, url):
        self.profile = tempfile.mkdtemp(prefix='kelvara-drive-')
        to_chromium_r, self.to_chromium = os.pipe()
        self.from_chromium, from_chromium_w = os.pipe()
        # Chromium reads commands on fd 3 and answers on fd 4.
        self.process = subprocess.Popen(
            ['chromium', '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--hide-scrollbars',
             f'--user-data-dir={self.profile}', '--remote-debugging-pipe', '--window-size=390,844', 'about:blank'],
            pass_fds=(3, 4), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=lambda: self.pipe_ends(to_chromium_r, from_chromium_w))
        os.close(to_chromium_r)
        os.close(from_chromium_w)
        self.buffer = b''
        self.next_id = 0
        self.session = None
        target = next(t for t in self.send('Target.getTargets')['targetInfos'] if t['type'] == 'page')
        self.session = self.send('Target.attachToTarget', targetId=target['targetId'], flatten=True)['sessionId']
        self.send('Page.enable')
        self.send('Emulation.setDeviceMetricsOverride', width=390, height=844, deviceScaleFactor=1, mobile=True)
        self.open(url)

    @staticmethod
    def pipe_ends(reading, writing):
        # Copies first, so that neither end is overwritten by the other.
        reading, writing = os.dup(reading), os.dup(writing)
        os.dup2(reading, 3)
        os.dup2(writing, 4)

    def send(self, method, **params):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method, 'params': params}
        if self.session:
            message['sessionId'] = self.session
        os.write(self.to_chromium, json.dumps(message).encode() + b'\0')
        while True:
            while b'\0' not in self.buffer:
                chunk = os.read(self.from_chromium, 1 << 16)
                if not chunk:
                    raise RuntimeError('chromium went away')
                self.buffer += chunk
            raw, self.buffer = self.buffer.split(b'\0', 1)
            reply = json.loads(raw)
            if reply.get('id') == self.next_id:
                if 'error' in reply:
                    raise RuntimeError(f'{method}: {reply["error"]}')
                return reply['result']
            if reply.get('method') == 'Page.loadEventFired':
                self.loaded = True

    def open(self, url):
        self.loaded = False
        self.send('Page.navigate', url=url)
        while not self.loaded:
            self.send('Runtime.evaluate', expression='1')

    def js(self, expression):
        result = self.send('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        if 'exceptionDetails' in result:
            raise RuntimeError(f'{expression}: {result["exceptionDetails"]}')
        return result['result'].get('value')

    def type(self, selector, text):
        self.js(f'(() => {{ const f = document.querySelector({json.dumps(selector)}); f.value = {json.dumps(text)};'
                f' f.dispatchEvent(new Event("input", {{bubbles: true}})); f.dispatchEvent(new Event("change", {{bubbles: true}})); }})()')

    def click(self, selector):
        self.js(f'document.querySelector({json.dumps(selector)}).click()')

    def open_file(self, selector, path):
        node = self.send('Runtime.evaluate', expression=f'document.querySelector({json.dumps(selector)})')['result']
        self.send('DOM.setFileInputFiles', files=[str(path)], objectId=node['objectId'])
        self.js('new Promise((done) => setTimeout(done, 200))')  # the page reads the file

    def screenshot(self, path):
        Path(path).write_bytes(base64.b64decode(self.send('Page.captureScreenshot', format='png')['data']))

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def native(calc, args):
    work = tempfile.mkdtemp(prefix='kelvara-drive-native-')
    try:
        shutil.copy(FORECAST, Path(work) / FORECAST.name)
        return json.loads(subprocess.run([calc, '--json'] + args, capture_output=True, text=True, cwd=work,
                                         env=dict(os.environ, TZ='Europe/Brussels')).stdout)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    site, calc = Path(sys.argv[1]).resolve(), sys.argv[2]
    shots = Path(sys.argv[3]) if len(sys.argv) > 3 else None
    page = Browser((site / 'index.html').as_uri())
    failures = []

    def check(step, args):
        shown = page.js('document.getElementById("result-json").textContent')
        expected = native(calc, args)
        got = json.loads(shown) if shown else None
        status = 'agrees' if got == expected else 'DIFFERS'
        if got != expected:
            failures.append(step)
        print(f'{status:8} {step}: kelvara-calc --json {" ".join(args)}')

    try:
        page.click('[data-language="fr"]')
        page.type('#thickness', '6,5')
        page.click('input[name=wind][value=moderate]')
        page.type('#date', '2026-12-09')
        page.type('#time', '16:00')
        page.click('#compute')
        check('typed fields, a decimal comma', ['--thickness', '6,5', '--wind', 'moderate', '--date', '2026-12-09',
                                               '--time', '16:00'])
        page.click('input[name=weather-kind][value=forecast]')
        page.open_file('#weather-file', FORECAST)
        page.click('#compute')
        check('a forecast opened from the device', ['--thickness', '6,5', '--wind', 'moderate', '--date', '2026-12-09',
                                                    '--time', '16:00', '--weather', FORECAST.name])
        side = page.js('document.querySelector("#answer .side") ? document.querySelector("#answer .side").innerText : ""')
        if 'Selon les classes' not in side:
            failures.append('the two answers side by side')
            print('DIFFERS  the classes\' answer beside the forecast\'s is missing')
        if shots:
            page.screenshot(shots / 'drive-forecast.png')
        page.click('#site summary')
        page.click('#add-lift')
        page.click('#road-warmth')
        page.click('#compute')
        check('a further lift and the road\'s warmth', ['--thickness', '6,5', '--wind', 'moderate', '--date',
                                                       '2026-12-09', '--time', '16:00', '--lift', '4:165:+60',
                                                       '--road-warmth', '--weather', FORECAST.name])
        page.type('#thickness', '12')
        page.click('#compute')
        message = page.js('document.getElementById("error").textContent')
        expected = 'Le champ "Epaisseur (cm) :" doit être inférieure ou égale à 8,0'
        print(f'{"agrees" if message == expected else "DIFFERS":8} bad input gets the desktop\'s message: {message}')
        if message != expected:
            failures.append('the desktop\'s message')
        page.type('#thickness', '5')
        page.click('#plan-button')
        rows = page.js('document.querySelectorAll("#plan tbody tr").length')
        print(f'{"agrees" if rows == 48 else "DIFFERS":8} the laying plan has {rows} slots of 30 min')
        if rows != 48:
            failures.append('the plan')
        page.click('[data-language="nl"]')
        page.open((site / 'index.html').as_uri())
        remembered = page.js('document.documentElement.lang + " " + document.querySelector("[data-t=ComputeButton]").textContent')
        print(f'{"agrees" if remembered == "nl Berekening" else "DIFFERS":8} the language remembered: {remembered}')
        if remembered != 'nl Berekening':
            failures.append('the language remembered')
        wide = page.js('document.documentElement.scrollWidth <= window.innerWidth')
        print(f'{"agrees" if wide else "DIFFERS":8} no horizontal scrolling at 390 px')
        if not wide:
            failures.append('horizontal scrolling')
        page.click('[data-language="fr"]')
    finally:
        page.close()
    print(f'drive: {"every step agrees" if not failures else "failed: " + ", ".join(failures)}')
    return 1 if failures else 0


sys.exit(main())

#!/usr/bin/env python3
"""Opens the built web page on links in headless Chromium and compares each
link's <pre id="result-json"> field by field with kelvara-calc --json on the
same options.

Usage: web-compare.py SITE_DIR KELVARA_CALC
Exit status 0 when every case agrees, 1 otherwise.
"""
import base64
import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path
from urllib.parse import quote

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / 'tests' / 'data' / 'weather'

# Each case: the options as (name, value) pairs, value None for a flag; a
# --weather or --ensemble value names a file of tests/data/weather.
CASES = [
    ('the example link', [('thickness', '5'), ('laying-temp', '160'), ('reopen-temp', '35'), ('wind', 'feeble'),
                          ('cloud', 'clear'), ('date', '2027-07-14'), ('time', '22:00')]),
    ('midsummer noon', [('date', '2026-06-21'), ('time', '12:00')]),
    ('winter morning, thin', [('thickness', '3'), ('wind', 'moderate'), ('cloud', 'partial'), ('date', '2026-12-21'),
                              ('time', '08:00')]),
    ('strong wind, covered', [('wind', 'strong'), ('cloud', 'covered'), ('date', '2027-01-15'), ('time', '14:00')]),
    ('summer clock in January', [('clock', 'summer'), ('date', '2027-01-15'), ('time', '10:00')]),
    ('winter clock in July', [('clock', 'winter'), ('date', '2027-07-01'), ('time', '10:00')]),
    ('March change night', [('date', '2027-03-27'), ('time', '23:00'), ('thickness', '8')]),
    ('March change, before 02:00', [('date', '2027-03-28'), ('time', '01:30')]),
    ('March change, skipped hour', [('date', '2027-03-28'), ('time', '02:30')]),
    ('October change night', [('date', '2027-10-30'), ('time', '22:30'), ('thickness', '7')]),
    ('October change, repeated hour', [('date', '2027-10-31'), ('time', '02:30')]),
    ('measured air', [('air-temp', '2'), ('date', '2026-12-09'), ('time', '16:00')]),
    ('measured wind and cloud', [('wind-speed', '4.5'), ('cloud-cover', '80'), ('date', '2027-04-10'),
                                 ('time', '09:15')]),
    ('measured, decimal commas', [('air-temp', '18,5'), ('wind-speed', '2,5'), ('cloud-cover', '35'),
                                  ('thickness', '4,5'), ('date', '2027-05-03'), ('time', '20:40')]),
    ('forecast JSON', [('weather', 'forecast-brussels.json'), ('date', '2026-12-09'), ('time', '16:00')]),
    ('forecast JSON in UTC', [('weather', 'forecast-utc.json'), ('date', '2026-12-10'), ('time', '07:00')]),
    ('site CSV', [('weather', 'site-weather.csv'), ('date', '2026-12-09'), ('time', '15:00')]),
    ('forecast not covering the laying', [('weather', 'forecast-brussels.json'), ('date', '2027-07-14'),
                                          ('time', '22:00')]),
    ('a further lift', [('lift', '4:165:+75'), ('date', '2027-07-14'), ('time', '22:00')]),
    ('two lifts and the road\'s warmth', [('lift', '4:165:+75'), ('lift', '3:160:23:45'), ('road-warmth', None),
                                          ('date', '2027-06-02'), ('time', '21:00')]),
    ('road warmth in winter', [('road-warmth', None), ('date', '2026-12-09'), ('time', '16:00'),
                               ('weather', 'forecast-brussels.json')]),
    ('a deadline', [('reopen-by', '2027-07-15T02:00'), ('date', '2027-07-14'), ('time', '22:00')]),
    ('compaction end 100', [('compaction-temp', '100'), ('laying-temp', '150'), ('date', '2027-02-02'),
                            ('time', '06:00')]),
    ('ensemble with a deadline', [('ensemble', 'ensemble-brussels.json'), ('reopen-by', '2027-07-15T03:00'),
                                  ('date', '2027-07-14'), ('time', '22:00')]),
    ('ensemble CSV', [('ensemble', 'ensemble-site.csv'), ('date', '2027-07-13'), ('time', '21:00')]),
    ('longest in range', [('thickness', '8'), ('laying-temp', '170'), ('reopen-temp', '30'), ('wind', 'feeble'),
                          ('cloud', 'covered'), ('date', '2026-07-21'), ('time', '12:00')]),
    ('thickness too large', [('thickness', '50'), ('date', '2027-07-14'), ('time', '22:00')]),
    ('thickness not a number', [('thickness', 'abc'), ('date', '2027-07-14'), ('time', '22:00')]),
    ('an unknown wind class', [('wind', 'gale'), ('date', '2027-07-14'), ('time', '22:00')]),
]


def encode(value):
    return quote(value, safe=':+,-.')


def fragment(options):
    parts = []
    for name, value in options:
        if name in ('weather', 'ensemble'):
            data = base64.urlsafe_b64encode((DATA / value).read_bytes()).decode().rstrip('=')
            parts += [f'{name}={encode(value)}', f'{name}-data={data}']
        else:
            parts.append(name if value is None else f'{name}={encode(value)}')
    return '#' + '&'.join(parts)


def page_json(site, options):
    url = (Path(site).resolve() / 'index.html').as_uri() + fragment(options)
    profile = tempfile.mkdtemp(prefix='kelvara-chromium-')
    try:
        start = time.monotonic()
        dom = subprocess.run(['chromium', '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
                              f'--user-data-dir={profile}', '--dump-dom', url],
                             capture_output=True, text=True, timeout=120).stdout
        seconds = time.monotonic() - start
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    found = re.search(r'<pre id="result-json"[^>]*>(.*?)</pre>', dom, re.S)
    timing = re.search(r'<pre id="timing"[^>]*>(.*?)</pre>', dom, re.S)
    text = html.unescape(found.group(1)) if found else ''
    return text, (json.loads(html.unescape(timing.group(1))) if timing and timing.group(1) else {}), seconds


def native_json(calc, options):
    work = tempfile.mkdtemp(prefix='kelvara-native-')
    try:
        args = [calc, '--json']
        for name, value in options:
            if name in ('weather', 'ensemble'):
                shutil.copy(DATA / value, Path(work) / value)
            args += [f'--{name}'] + ([] if value is None else [value])
        start = time.monotonic()
        result = subprocess.run(args, capture_output=True, text=True, cwd=work,
                                env=dict(os.environ, TZ='Europe/Brussels'))
        return result.stdout, time.monotonic() - start
    finally:
        shutil.rmtree(work, ignore_errors=True)


def differences(page, native, path='$'):
    if type(page) is not type(native):
        return [f'{path}: page {page!r}, kelvara-calc {native!r}']
    if isinstance(native, dict):
        found = []
        for key in sorted(set(page) | set(native)):
            if key not in page or key not in native:
                found.append(f'{path}.{key}: only in {"the page" if key in page else "kelvara-calc"}')
            else:
                found += differences(page[key], native[key], f'{path}.{key}')
        return found
    if isinstance(native, list):
        if len(page) != len(native):
            return [f'{path}: {len(page)} items in the page, {len(native)} from kelvara-calc']
        return [d for n, (a, b) in enumerate(zip(page, native)) for d in differences(a, b, f'{path}[{n}]')]
    return [] if page == native else [f'{path}: page {page!r}, kelvara-calc {native!r}']


def check(site, calc, case):
    name, options = case
    page_text, timing, page_seconds = page_json(site, options)
    native_text, native_seconds = native_json(calc, options)
    try:
        page, native = json.loads(page_text), json.loads(native_text)
    except json.JSONDecodeError:
        return name, [f'no JSON (page {page_text[:80]!r}, kelvara-calc {native_text[:80]!r})'], timing, native_seconds
    found, notes = split_last_place(differences(page, native), page, native)
    if not found and not notes and page_text != native_text:
        found = ['the same fields, not the same bytes']
    return name, found, notes, dict(timing, page_seconds=round(page_seconds, 2)), native_seconds


# Reals the solar model writes with all their digits, in hours: the C
# libraries' sin and cos (glibc natively, musl in the page) may differ in
# the last place of a term, and the equation of time is a small sum of
# larger terms. Held to 1e-12 h (4 ns); every other field exactly.
LAST_PLACE_FIELDS = {'equation_of_time', 'start_solar_time'}


def close_in_last_place(a, b):
    return isinstance(a, float) and isinstance(b, float) and abs(a - b) <= 1e-12


def split_last_place(found, page, native):
    """The differences that are real, and the notes on last-place ones."""
    real, notes = [], []
    for line in found:
        key = line.split(':')[0].removeprefix('$.')
        if key in LAST_PLACE_FIELDS and close_in_last_place(page.get(key), native.get(key)):
            notes.append(line)
        else:
            real.append(line)
    return real, notes


def sweep(calc, count):
    """The same WebAssembly under Node.js on seeded random cases."""
    engine = ROOT / 'build-web' / 'src' / 'web' / 'kelvara-engine.js'
    if not shutil.which('node') or not engine.exists():
        print('sweep: skipped (no node or no build-web engine)')
        return 0
    lines = subprocess.run(['node', str(ROOT / 'scripts' / 'web-sweep.js'), str(engine), str(count)],
                           capture_output=True, text=True, check=True).stdout.splitlines()
    failed = last_place = 0
    for line in lines:
        case = json.loads(line)
        native_text = subprocess.run([calc] + case['args'], capture_output=True, text=True).stdout
        page, native = json.loads(case['out']), json.loads(native_text)
        real, notes = split_last_place(differences(page, native), page, native)
        last_place += bool(notes)
        if real:
            failed += 1
            print('DIFFERS  sweep: kelvara-calc ' + ' '.join(case['args']))
            for item in real[:5]:
                print('         ' + item)
    print(f'sweep: {len(lines) - failed} of {len(lines)} random cases agree'
          f' ({last_place} with a solar real apart in its last digits)')
    return failed


def main():
    site, calc = sys.argv[1], sys.argv[2]
    jobs = int(os.environ.get('KELVARA_WEB_TEST_JOBS', '2'))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        results = list(pool.map(lambda case: check(site, calc, case), CASES))
    failed = 0
    for name, found, notes, timing, native_seconds in results:
        status = 'agrees' if not found else 'DIFFERS'
        failed += bool(found)
        print(f'{status:8} {name}  (page run {timing.get("run_ms", "?")} ms, link to answer '
              f'{timing.get("link_to_answer_ms", "?")} ms; kelvara-calc {native_seconds * 1000:.0f} ms)')
        for line in found[:10]:
            print('         ' + line)
        for line in notes:
            print('         last place only: ' + line)
    print(f'{len(results) - failed} of {len(results)} cases agree')
    swept = sweep(calc, int(os.environ.get('KELVARA_WEB_SWEEP', '1000')))
    return 1 if failed or swept else 0


sys.exit(main())

#!/usr/bin/env python3
"""Writes ensemble-brussels.json: a forecast service's ensemble answer for
Brussels, 12 to 16 July 2027 at +02:00, a control and 39 members, wind in
km/h. Deterministic (a fixed seed), so the file is rebuilt byte for byte:
    python3 tests/data/weather/make-ensemble.py > tests/data/weather/ensemble-brussels.json
"""
import json
import math
import random
import sys

HOURS = 5 * 24
MEMBERS = 39
rng = random.Random(2027)
times = ["2027-07-%02dT%02d:00" % (12 + h // 24, h % 24) for h in range(HOURS)]


def series(member, quantity):
    # Each member drifts from the control as the lead time grows.
    drift = rng.gauss(0.0, 1.0) if member else 0.0
    phase = rng.uniform(-0.5, 0.5) if member else 0.0
    values = []
    for h in range(HOURS):
        spread = h / HOURS
        day = math.sin((h % 24 - 9 + phase) / 24 * 2 * math.pi)
        if quantity == "temperature_2m":
            v = 22.0 + 6.5 * day + 1.2 * math.sin(h / 37) + drift * 3.0 * spread + rng.gauss(0, 0.3)
            values.append(round(v, 1))
        elif quantity == "wind_speed_10m":
            v = 11.0 + 5.0 * day + 4.0 * math.sin(h / 29 + drift) + abs(drift) * 4 * spread + rng.gauss(0, 1.0)
            values.append(round(max(v, 0.4), 1))
        else:
            v = 45 + 35 * math.sin(h / 17 + drift * spread * 2) + rng.gauss(0, 8)
            values.append(int(min(max(round(v), 0), 100)))
    # The last member's run ends six hours early, as longer-range members do.
    if member == MEMBERS:
        values[-6:] = [None] * 6
    return values


quantities = [("temperature_2m", "°C"), ("wind_speed_10m", "km/h"), ("cloud_cover", "%")]
units = {"time": "iso8601"}
hourly = {"time": times}
for quantity, unit in quantities:
    for member in range(MEMBERS + 1):
        key = quantity if member == 0 else "%s_member%02d" % (quantity, member)
        units[key] = unit
        hourly[key] = series(member, quantity)
answer = {
    "latitude": 50.84,
    "longitude": 4.3599997,
    "generationtime_ms": 3.2380819320678711,
    "utc_offset_seconds": 7200,
    "timezone": "Europe/Brussels",
    "timezone_abbreviation": "CEST",
    "elevation": 58.0,
    "hourly_units": units,
    "hourly": hourly,
}
json.dump(answer, sys.stdout, ensure_ascii=False, separators=(",", ":"))
sys.stdout.write("\n")

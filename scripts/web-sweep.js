// Runs the web build's engine (build-web/src/web/kelvara-engine.js) under
// Node.js on many seeded random cases and prints one JSON line per case for
// web-compare.py to hold against kelvara-calc: the same WebAssembly as the
// page, many more cases than a browser per link allows.
'use strict';
const factory = require(process.argv[2]);
const count = Number(process.argv[3] || 300);
let seed = 20261209;
function random() { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648; }
const pick = (list) => list[Math.floor(random() * list.length)];
const number = (min, max, decimals) => (min + random() * (max - min)).toFixed(decimals);
const instance = factory();
(instance.ready || Promise.resolve(instance)).then((engine) => {
  for (let n = 0; n < count; n++) {
    const day = new Date(Date.UTC(2026, 0, 1) + Math.floor(random() * 3 * 365) * 86400000).toISOString().slice(0, 10);
    const args = ['--thickness', number(1.5, 8, 1), '--laying-temp', number(120, 180, 0), '--reopen-temp',
      number(30, 60, 0), '--wind', pick(['feeble', 'moderate', 'strong']), '--cloud', pick(['clear', 'partial', 'covered']),
      '--date', day, '--time', `${String(Math.floor(random() * 24)).padStart(2, '0')}:${pick(['00', '15', '30', '45'])}`];
    if (random() < 0.3) args.push('--clock', pick(['summer', 'winter']));
    if (random() < 0.3) args.push('--air-temp', number(-10, 35, 1));
    if (random() < 0.2) args.push('--wind-speed', number(0, 12, 1));
    if (random() < 0.2) args.push('--lift', `${number(2, 5, 0)}:${number(150, 170, 0)}:+${pick(['45', '90', '180'])}`);
    if (random() < 0.2) args.push('--road-warmth');
    args.push('--json');
    const list = new engine.StringList();
    for (const arg of args) list.push_back(arg);
    const result = engine.run(list, '');
    list.delete();
    console.log(JSON.stringify({ args, out: result.out }));
  }
});

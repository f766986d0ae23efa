// Kelvara LE in the browser: the page around the command line's core. A
// computation is the command line's options in the address's fragment; the
// core answers with the command line's own JSON, which the page shows.
'use strict';

const PageTexts = {
  fr: {
    ClockLabel: 'Heure légale :', ClockAuto: 'automatique', No: 'non',
    EnsembleImport: 'Importer un ensemble de prévisions...', SiteGroup: 'Chantier : couches suivantes, route',
    AddLift: 'Ajouter une couche suivante', RemoveLift: 'Retirer', Lift: 'Couche suivante %1',
    LiftThickness: 'Epaisseur (cm)', LiftTemp: 'Température de pose (°C)',
    LiftWhen: 'Pose : +minutes après la précédente, HH:MM ou AAAA-MM-JJTHH:MM',
    RoadWarmth: 'Route réchauffée par les deux jours avant la pose (météo du calcul)',
    ShareLink: 'Lien de ce calcul', PlanCompute: 'Calculer le plan (toutes les 30 min)',
    Attribution: 'Données météo : Open-Meteo.com (CC BY 4.0)', Loading: 'Calcul...',
    EnsembleLine: 'Ensemble de %1 prévisions : 10 % %2 · médiane %3 · 90 % %4',
    EnsembleReady: 'À temps pour le %1 : %2 prévisions sur %3', EnsembleFile: 'Ensemble : fichier « %1 »',
    Lifts: 'Couche %1 posée %2, compactage jusqu\'à %3', RemoveFile: 'Retirer le fichier',
    Downloaded: 'Open-Meteo (%1 °N, %2 °E), téléchargée le %3',
  },
  nl: {
    ClockLabel: 'Wettelijke tijd:', ClockAuto: 'automatisch', No: 'nee',
    EnsembleImport: 'Ensembleverwachting importeren...', SiteGroup: 'Werf: volgende lagen, weg',
    AddLift: 'Volgende laag toevoegen', RemoveLift: 'Verwijderen', Lift: 'Volgende laag %1',
    LiftThickness: 'Dikte (cm)', LiftTemp: 'Aanbrengingstemperatuur (°C)',
    LiftWhen: 'Aanbrenging: +minuten na de vorige, UU:MM of JJJJ-MM-DDTUU:MM',
    RoadWarmth: 'Weg opgewarmd door de twee dagen voor de aanbrenging (weer van de berekening)',
    ShareLink: 'Link naar deze berekening', PlanCompute: 'Planning berekenen (elke 30 min)',
    Attribution: 'Weergegevens: Open-Meteo.com (CC BY 4.0)', Loading: 'Berekening...',
    EnsembleLine: 'Ensemble van %1 verwachtingen: 10 % %2 · mediaan %3 · 90 % %4',
    EnsembleReady: 'Op tijd voor %1: %2 van %3 verwachtingen', EnsembleFile: 'Ensemble: bestand "%1"',
    Lifts: 'Laag %1 aangebracht %2, verdichten tot %3', RemoveFile: 'Bestand verwijderen',
    Downloaded: 'Open-Meteo (%1 °NB, %2 °OL), gedownload op %3',
  },
};

const started = performance.now();
const $ = (id) => document.getElementById(id);
let language = 'fr';
let engine = null;
// Files opened in the page (or downloaded): {name, bytes}.
const files = { weather: null, ensemble: null };
let downloaded = false;
let lastRun = null;

// ---- texts ----
function T(name) {
  const text = (KelvaraTexts[language] && KelvaraTexts[language][name]) ?? PageTexts[language][name] ?? name;
  return text.replace(/&(?!&)/g, '').replace(/\.\.\.$/, '...');
}
function fmt(text, ...args) {
  return text.replace(/%(\d)/g, (m, n) => (args[n - 1] !== undefined ? args[n - 1] : m));
}
function decimal(text) { return String(text).replace('.', ','); }

function applyLanguage() {
  document.documentElement.lang = language;
  document.querySelectorAll('[data-t]').forEach((node) => { node.textContent = T(node.dataset.t); });
  document.querySelectorAll('[data-language]').forEach((button) => {
    button.setAttribute('aria-pressed', String(button.dataset.language === language));
    button.setAttribute('aria-label', T(button.dataset.language === 'fr' ? 'ChooserFrench' : 'ChooserDutch'));
  });
  renderLifts();
  if (lastRun) show(lastRun);
  showWeatherSource();
}

// ---- the fragment: the command line's options ----
const FragmentKeys = ['thickness', 'laying-temp', 'reopen-temp', 'wind', 'cloud', 'date', 'time', 'clock',
  'air-temp', 'wind-speed', 'cloud-cover', 'compaction-temp', 'reopen-by'];

function readFragment() {
  const entries = [];
  for (const part of location.hash.replace(/^#/, '').split('&')) {
    if (!part) continue;
    const at = part.indexOf('=');
    // A link mangled on its way (a lone "%") is read as it stands.
    const decode = (text) => { try { return decodeURIComponent(text); } catch (error) { return text; } };
    const key = decode(at < 0 ? part : part.slice(0, at));
    const value = at < 0 ? null : decode(part.slice(at + 1));
    entries.push([key, value]);
  }
  return entries;
}

function encodeValue(value) {
  return encodeURIComponent(value).replace(/%3A/g, ':').replace(/%2B/g, '+').replace(/%2C/g, ',');
}

function base64Of(bytes) {
  let binary = '';
  for (let n = 0; n < bytes.length; n += 0x8000) binary += String.fromCharCode(...bytes.subarray(n, n + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}
// A link's file; damaged data becomes an empty file, which the reader refuses.
function bytesOf(base64) {
  try {
    const binary = atob(base64.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
  } catch (error) {
    return new Uint8Array(0);
  }
}

// The form as the command line's options, in the order of the form.
// A field left at the command line's default is not passed, so that a link
// gets the JSON of the command line given the link's options alone.
const Defaults = { thickness: '5', 'laying-temp': '170', 'reopen-temp': '30', wind: 'feeble', cloud: 'clear',
  clock: 'auto', 'compaction-temp': '80' };
const given = new Set();
function formOptions() {
  const options = [];
  const value = (id) => $(id).value.trim();
  const push = (key, text) => {
    if (extraOptions.some(([k]) => k === key)) return;  // the link's own value goes instead
    if (text === Defaults[key] && !given.has(key)) return;
    options.push([key, text]);
  };
  for (const id of ['thickness', 'laying-temp', 'reopen-temp']) push(id, value(id));
  push('wind', document.querySelector('input[name=wind]:checked').value);
  push('cloud', document.querySelector('input[name=cloud]:checked').value);
  options.push(['date', value('date')], ['time', value('time')]);
  push('clock', value('clock'));
  const kind = document.querySelector('input[name=weather-kind]:checked').value;
  if (kind === 'values') {
    for (const id of ['air-temp', 'wind-speed', 'cloud-cover']) if (value(id)) options.push([id, value(id)]);
  }
  push('compaction-temp', value('compaction-temp'));
  for (const lift of liftValues()) options.push(['lift', lift]);
  if ($('road-warmth').checked) options.push(['road-warmth', null]);
  if (value('reopen-by')) options.push(['reopen-by', value('reopen-by').slice(0, 16)]);
  if (kind === 'forecast' && files.weather) options.push(['weather', files.weather.name]);
  if (kind === 'forecast' && files.ensemble) options.push(['ensemble', files.ensemble.name]);
  return options;
}

function fragmentOf(options) {
  const parts = [];
  for (const [key, value] of options) {
    if (key === 'weather' || key === 'ensemble') {
      parts.push(key + '=' + encodeValue(value), key + '-data=' + base64Of(files[key].bytes));
    } else {
      parts.push(value === null ? key : key + '=' + encodeValue(value));
    }
  }
  return '#' + parts.join('&');
}

// The fragment into the form; what the form cannot hold is passed on as is.
function fillForm(entries) {
  const lifts = [];
  let kind = 'classes';
  given.clear();
  for (const [key] of entries) given.add(key);
  $('road-warmth').checked = false;
  for (const [key, value] of entries) {
    if (key === 'lang') { if (PageTexts[value]) language = value; }
    else if (key === 'plan') { /* the plan is computed too */ }
    else if (key === 'every') planEvery = value || '';
    else if (key === 'wind' || key === 'cloud') {
      const radio = document.querySelector(`input[name=${key}][value="${CSS.escape(value || '')}"]`);
      if (radio) radio.checked = true; else extraOptions.push([key, value]);
    } else if (key === 'lift') lifts.push(value || '');
    else if (key === 'road-warmth') $('road-warmth').checked = true;
    else if (key === 'weather-data' || key === 'ensemble-data') {
      const which = key.replace('-data', '');
      files[which] = { name: safeName(entries.find(([k]) => k === which)?.[1] || which + '.json'), bytes: bytesOf(value || '') };
      kind = 'forecast';
    } else if (key === 'weather' || key === 'ensemble') { /* its name goes with its data */ }
    else if (FragmentKeys.includes(key) && $(key)) {
      $(key).value = key === 'reopen-by' ? (value || '') : (value ?? '');
      if (['air-temp', 'wind-speed', 'cloud-cover'].includes(key)) kind = 'values';
    } else extraOptions.push([key, value]);
  }
  document.querySelector(`input[name=weather-kind][value=${kind}]`).checked = true;
  liftRows = lifts.map(parseLift);
  showWeatherKind();
}
// Options of a link the form has no field for (an unknown class, say): the
// command line refuses them with its own message.
let extraOptions = [];
// The plan's --every of a link, if any.
let planEvery = '';

function safeName(name) {
  const base = String(name).split(/[\\/]/).pop().replace(/[^\w.\- ]/g, '_');
  return base && base !== '.' && base !== '..' ? base : 'weather.json';
}

// ---- lifts ----
let liftRows = [];
function parseLift(text) {
  const [thickness = '', temp = '', ...when] = text.split(':');
  return { thickness, temp, when: when.join(':') };
}
function liftValues() {
  return liftRows.map((row) => [row.thickness, row.temp, row.when].join(':'));
}
function renderLifts() {
  const box = $('lifts');
  box.textContent = '';
  liftRows.forEach((row, n) => {
    const group = document.createElement('fieldset');
    group.className = 'lift';
    const legend = document.createElement('legend');
    legend.textContent = fmt(T('Lift'), n + 2);
    group.append(legend);
    for (const [field, label, mode] of [['thickness', 'LiftThickness', 'decimal'], ['temp', 'LiftTemp', 'decimal'], ['when', 'LiftWhen', 'text']]) {
      const id = `lift-${n}-${field}`;
      const caption = document.createElement('label');
      caption.htmlFor = id;
      caption.textContent = T(label);
      const input = document.createElement('input');
      input.id = id;
      input.inputMode = mode;
      input.autocomplete = 'off';
      input.value = row[field];
      input.addEventListener('input', () => { row[field] = input.value.trim(); });
      group.append(caption, input);
    }
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = T('RemoveLift');
    remove.setAttribute('aria-label', T('RemoveLift') + ' — ' + legend.textContent);
    remove.addEventListener('click', () => { liftRows.splice(n, 1); renderLifts(); });
    group.append(remove);
    box.append(group);
  });
  $('add-lift').hidden = liftRows.length >= 3;
  if (liftRows.length) $('site').open = true;
}

// ---- running the core ----
function run(options, more) {
  const args = new engine.StringList();
  for (const [key, value] of options.concat(extraOptions)) {
    if (key === 'weather' || key === 'ensemble') {
      engine.writeFile(files[key].name, files[key].bytes);
    }
    args.push_back('--' + key);
    if (value !== null) args.push_back(value);
  }
  for (const arg of more) args.push_back(arg);
  const t0 = performance.now();
  const result = engine.run(args, '');
  args.delete();
  result.ms = performance.now() - t0;
  return result;
}

function compute() {
  const options = formOptions();
  history.replaceState(null, '', fragmentOf(options.concat(extraOptions)));
  const ensemble = options.some(([key]) => key === 'ensemble');
  const main = run(options, ensemble ? ['--json'] : ['--json', '--curve', '/tmp/curve.csv']);
  $('result-json').textContent = main.out;
  let json = null;
  try { json = JSON.parse(main.out); } catch (e) { json = { error: 'usage', message: main.err.trim() }; }
  const curve = !ensemble && json.result_seconds !== null && json.result_seconds !== undefined
    ? engine.readFile('/tmp/curve.csv') : '';
  let classes = null;
  const weatherGiven = options.some(([key]) => ['weather', 'ensemble', 'air-temp', 'wind-speed', 'cloud-cover'].includes(key));
  // Also where the chosen weather gives no answer: the classes' answer stands, as on the desktop.
  if (weatherGiven && json.error !== 'usage') {
    const plain = run(options.filter(([key]) => !['weather', 'ensemble', 'air-temp', 'wind-speed', 'cloud-cover'].includes(key)), ['--json']);
    try { classes = JSON.parse(plain.out); } catch (e) { classes = null; }
  }
  lastRun = { json, curve, classes, options };
  show(lastRun);
  // From the navigation's start, and from this script's start (the module compiled in between).
  $('timing').textContent = JSON.stringify({ link_to_answer_ms: Math.round(performance.now()),
    script_to_answer_ms: Math.round(performance.now() - started), run_ms: Math.round(main.ms) });
}

// ---- showing the answer ----
function moment(text) {
  if (!text) return '';
  const [date, time] = text.split('T');
  const [y, m, d] = date.split('-');
  return `${d}/${m}/${y} ${time.slice(0, 5)}`;
}
function clockNote(json, summer) {
  if (summer === null || summer === undefined || summer === json.inputs.summer_time) return '';
  return ` (${T(summer ? 'AnalysisSummerTime' : 'AnalysisWinterTime')})`;
}
function wait(seconds) {
  const minutes = Math.floor(Math.max(0, seconds) / 60);
  return fmt(T('WaitFormat'), Math.floor(minutes / 60), String(minutes % 60).padStart(2, '0'));
}
function reopeningOf(json) {
  return moment(json.reopening) + clockNote(json, json.reopening_summer_time);
}

const FieldLabels = { thickness: 'ThicknessLabel', 'laying temperature': 'LayingTempLabel', 'reopening temperature': 'ReopenTempLabel' };

// The desktop's message where it has one; else the command line's own.
function refusalText(json) {
  const message = json.message || '';
  let match = message.match(/^(thickness|laying temperature|reopening temperature): .* is (below the minimum|above the maximum) of ([0-9.]+)/);
  if (match) {
    return T('FieldOpening') + T(FieldLabels[match[1]]) + T(match[2].startsWith('below') ? 'BelowMinimum' : 'AboveMaximum') + decimal(match[3]);
  }
  match = message.match(/^(thickness|laying temperature|reopening temperature): cannot read/);
  if (match) return T('FieldOpening') + T(FieldLabels[match[1]]) + T('NotAReal');
  match = (json.error || '').match(/^TPICHourCls\/(\d)/);
  if (match) {
    if (match[1] === '1') return T('TooThinStart') + T('TooThinLimit') + decimal((message.match(/([0-9.]+) cm/) || ['', ''])[1]) + T('TooThinUnit');
    if (match[1] === '2') return T('Unstable');
    if (match[1] === '3') return T('TooLong');
  }
  match = message.match(/^time: (\d\d:\d\d) does not exist on (\d{4})-(\d\d)-(\d\d)/);
  if (match) return fmt(T('LayingTimeSkipped'), match[1], `${match[4]}/${match[3]}/${match[2]}`);
  if (/after 9999-12-31/.test(message)) return T('ReopeningBeyondCalendar');
  match = message.match(/weather: the timeline \((\S+) to (\S+)\) does not cover the laying at (\S+);/);
  if (match) return fmt(T('WeatherNotCoveringNote'), moment(match[1]), moment(match[2]), moment(match[3]));
  // A file's refusal begins with its name.
  for (const file of [files.weather, files.ensemble]) {
    if (!file || !message.startsWith(file.name + ':')) continue;
    if (/unknown format/.test(message)) return fmt(T('WeatherReadFailed'), file.name);
    if (/ outside /.test(message)) return fmt(T('WeatherReadOutOfRange'), file.name);
  }
  return message;
}

function line(parent, text, className) {
  const p = document.createElement('p');
  p.textContent = text;
  if (className) p.className = className;
  parent.append(p);
  return p;
}

function show({ json, curve, classes }) {
  $('results').hidden = false;
  const answer = $('answer');
  answer.textContent = '';
  const failed = json.error !== undefined;
  $('error').hidden = !failed;
  if (failed) {
    $('error').textContent = refusalText(json);
    $('chart').hidden = true;
    if (classes && classes.error === undefined) {
      line(answer, fmt(T('AnswerClasses'), fmt(T('AnswerReopening'), reopeningOf(classes), wait(classes.duration_seconds))), 'big');
      if (classes.night) line(answer, T('NightWarningPastCalendar'), 'warning');
    }
  } else {
    line(answer, fmt(T('SummaryReopening'), reopeningOf(json)), 'big');
    line(answer, fmt(T('SummaryWait'), wait(json.duration_seconds)));
    if (json.night) line(answer, T('NightWarningPastCalendar'), 'warning');
    const compactionTemp = decimal(json.inputs.compaction_temp);
    if (json.compaction_seconds === null) line(answer, fmt(T('CompactionPastReopening'), compactionTemp));
    else if (json.compaction_seconds <= 0) line(answer, fmt(T('CompactionNone'), decimal(json.inputs.laying_temp), compactionTemp));
    else {
      const sameDay = json.compaction_until.slice(0, 10) === json.laying.slice(0, 10);
      const end = sameDay ? json.compaction_until.slice(11, 16) : moment(json.compaction_until);
      line(answer, fmt(T('Compaction'), end, compactionTemp));
    }
    const source = weatherSourceText(json);
    if (source) line(answer, fmt(T('WeatherUsed'), source));
    if (json.weather_held) line(answer, fmt(T('WeatherHeld'), moment(json.weather_until)), 'note');
    (json.lifts || []).slice(1).forEach((lift, n) => {
      line(answer, fmt(T('Lifts'), n + 2, moment(lift.laid), lift.compaction_until ? moment(lift.compaction_until) : '—'));
    });
    if (json.meets_deadline !== undefined) {
      line(answer, `${T('PlanDeadline')} ${moment(json.ready_by)} — ${T('PlanInTime')}${language === 'fr' ? ' : ' : ': '}${T(json.meets_deadline ? 'Yes' : 'No')}`,
        json.meets_deadline ? '' : 'warning');
    }
    if (classes && classes.error === undefined) {
      const side = document.createElement('div');
      side.className = 'side';
      line(side, fmt(T('AnswerClasses'), fmt(T('AnswerReopening'), reopeningOf(classes), wait(classes.duration_seconds))));
      line(side, fmt(T('AnswerWeather'), fmt(T('AnswerReopening'), reopeningOf(json), wait(json.duration_seconds))));
      const difference = Math.round((json.result_seconds - classes.result_seconds) / 60);
      line(side, difference > 0 ? fmt(T('DifferenceLater'), difference) : difference < 0 ? fmt(T('DifferenceEarlier'), -difference) : T('DifferenceNone'));
      answer.append(side);
    }
    if (json.ensemble) {
      const e = json.ensemble;
      const at = (key) => (e[key] ? moment(e[key]) + clockNote(json, e[key + '_summer_time']) : '—');
      line(answer, fmt(T('EnsembleLine'), e.members, at('reopening_p10'), at('reopening_p50'), at('reopening_p90')));
      if (e.ready_members !== undefined && e.ready_members !== null) line(answer, fmt(T('EnsembleReady'), moment(e.ready_by), e.ready_members, e.members));
    }
    drawChart(json, curve);
  }
  $('link').href = location.href;
  $('attribution').hidden = !downloaded;
  $('attribution').textContent = T('Attribution');
}

// What the run's weather was, as the desktop names it.
function weatherSourceText(json) {
  if (json.weather === 'values') {
    const i = json.inputs;
    const values = [[i.air_temp, 'ValueAir'], [i.wind_speed, 'ValueWind'], [i.cloud_cover, 'ValueCloud']]
      .filter(([v]) => v !== null && v !== undefined).map(([v, name]) => fmt(T(name), decimal(v)));
    return fmt(T('WeatherValuesGiven'), values.join(', '));
  }
  if (json.weather !== 'timeline') return '';
  if (downloaded && files.weather) return fmt(T('WeatherFromService'), ...downloadedFrom);
  const file = files.ensemble || files.weather;
  return file ? fmt(files.ensemble ? T('EnsembleFile') : T('WeatherFromFile'), file.name) : '';
}

// ---- the cooling curve ----
const Series = [
  { column: 'layer_max_temp', text: () => T('SeriesLayerMax'), color: '#c0392b', width: 2.5 },
  { column: 'surface_temp', text: () => T('SeriesSurface'), color: '#e67e22', width: 1.8 },
  { column: 'layer_mean_temp', text: () => T('SeriesLayerMean'), color: '#8e44ad', width: 1.8 },
  { column: 'air_temp', text: () => T('SeriesAir'), color: '#2980b9', width: 1.5 },
];

function drawChart(json, csv) {
  const box = $('chart-box');
  box.textContent = '';
  if (!csv) { $('chart').hidden = true; return; }
  $('chart').hidden = false;
  const rows = csv.trim().split('\n');
  const header = rows.shift().split(',');
  const column = (name) => header.indexOf(name);
  const step = Math.max(1, Math.ceil(rows.length / 700));
  const points = [];
  for (let n = 0; n < rows.length; n += step) points.push(rows[n].split(','));
  if ((rows.length - 1) % step) points.push(rows[rows.length - 1].split(','));
  const width = Math.max(300, box.clientWidth || 600);
  const height = Math.round(Math.min(360, Math.max(240, width * 0.5)));
  const left = 44, right = 10, top = 12, bottom = 34;
  const tEnd = Number(points[points.length - 1][0]) || 1;
  let tMax = -Infinity, tMin = Infinity;
  for (const p of points) for (const s of Series) { const v = Number(p[column(s.column)]); if (v > tMax) tMax = v; if (v < tMin) tMin = v; }
  tMin = Math.min(0, Math.floor(tMin / 10) * 10);
  tMax = Math.ceil(tMax / 20) * 20;
  const x = (t) => left + (t / tEnd) * (width - left - right);
  const y = (v) => top + (1 - (v - tMin) / (tMax - tMin)) * (height - top - bottom);
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  svg.setAttribute('width', width);
  svg.setAttribute('height', height);
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', T('TabCooling') + ' — ' + fmt(T('SummaryReopening'), reopeningOf(json)));
  const add = (name, attributes, text) => {
    const node = document.createElementNS(ns, name);
    for (const [k, v] of Object.entries(attributes)) node.setAttribute(k, v);
    if (text !== undefined) node.textContent = text;
    svg.append(node);
    return node;
  };
  // Temperature grid every 20 °C.
  for (let v = tMin; v <= tMax; v += tMax - tMin > 100 ? 20 : 10) {
    add('line', { x1: left, x2: width - right, y1: y(v), y2: y(v), class: 'grid' });
    add('text', { x: left - 4, y: y(v) + 4, 'text-anchor': 'end', class: 'tick' }, String(v));
  }
  // Clock ticks at whole hours, as many as fit.
  const hours = tEnd / 3600;
  const every = [1, 2, 3, 4, 6, 12, 24].find((h) => hours / h <= Math.max(2, Math.floor((width - left) / 60))) || 24;
  const clockColumn = column('clock');
  for (const p of rows.filter((r, n) => n % 12 === 0).map((r) => r.split(','))) {
    const clock = p[clockColumn];
    const hour = Number(clock.slice(11, 13));
    if (clock.slice(14) === '00:00' && hour % every === 0) {
      const at = x(Number(p[0]));
      add('line', { x1: at, x2: at, y1: top, y2: height - bottom, class: 'grid' });
      add('text', { x: at, y: height - bottom + 16, 'text-anchor': 'middle', class: 'tick' }, clock.slice(11, 16));
    }
  }
  add('text', { x: left, y: height - 4, class: 'axis' }, T('AxisClock'));
  // The threshold and the reopening.
  const threshold = Number(json.inputs.reopen_temp);
  add('line', { x1: left, x2: width - right, y1: y(threshold), y2: y(threshold), class: 'threshold' });
  if (json.result_seconds !== null) {
    const at = x(json.result_seconds);
    add('line', { x1: at, x2: at, y1: top, y2: height - bottom, class: 'reopening' });
  }
  for (const s of Series) {
    const c = column(s.column);
    const d = points.map((p, n) => (n ? 'L' : 'M') + x(Number(p[0])).toFixed(1) + ' ' + y(Number(p[c])).toFixed(1)).join('');
    add('path', { d, fill: 'none', stroke: s.color, 'stroke-width': s.width });
  }
  box.append(svg);
  const legend = $('legend');
  legend.textContent = '';
  const items = Series.map((s) => [s.text(), s.color, '']).concat([[fmt(T('SeriesThreshold'), decimal(threshold)), '#555', 'dashed'], [T('SeriesReopening'), '#27ae60', '']]);
  for (const [text, color, style] of items) {
    const li = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'swatch ' + style;
    swatch.style.borderColor = color;
    li.append(swatch, text);
    legend.append(li);
  }
}

// ---- the laying plan ----
function computePlan() {
  const all = formOptions();
  history.replaceState(null, '', fragmentOf(all.concat(extraOptions)) + '&plan' + (planEvery ? '&every=' + encodeValue(planEvery) : ''));
  const options = all.filter(([key]) => key !== 'reopen-by');
  const deadline = $('reopen-by').value.slice(0, 16);
  const more = ['--plan', '--json'].concat(deadline ? ['--reopen-by', deadline] : [], planEvery ? ['--every', planEvery] : []);
  const result = run(options, more);
  const table = $('plan');
  table.textContent = '';
  let json;
  try { json = JSON.parse(result.out); } catch (e) { json = { error: 'usage', message: result.err.trim() }; }
  if (!json.plan) {
    $('plan-summary').textContent = refusalText(json);
    table.hidden = true;
    return;
  }
  const head = table.createTHead().insertRow();
  for (const name of ['PlanLaying', 'PlanReopening', 'PlanWait'].concat(deadline ? ['PlanInTime'] : [])) {
    const th = document.createElement('th');
    th.scope = 'col';
    th.textContent = T(name);
    head.append(th);
  }
  const body = table.createTBody();
  let latest = null;
  for (const slot of json.plan) {
    const row = body.insertRow();
    const ok = slot.error === null;
    row.insertCell().textContent = slot.laying.slice(11, 16);
    row.insertCell().textContent = ok ? reopeningOf({ ...slot, inputs: json.inputs }) + (slot.night ? ' ' + T('NightMark') : '') : T('NoResult');
    row.insertCell().textContent = ok ? wait(slot.duration_seconds) : '';
    if (deadline) {
      row.insertCell().textContent = slot.meets_deadline ? T('Yes') : '';
      if (slot.meets_deadline) { row.className = 'in-time'; latest = slot.laying; }
    }
  }
  table.hidden = false;
  $('plan-summary').textContent = !deadline ? '' : latest ? fmt(T('PlanLatest'), latest.slice(11, 16)) : T('PlanNone');
}

// ---- the site's weather ----
function showWeatherKind() {
  const kind = document.querySelector('input[name=weather-kind]:checked').value;
  $('weather-values').hidden = kind !== 'values';
  $('weather-forecast').hidden = kind !== 'forecast';
  showWeatherSource();
}
function showWeatherSource() {
  const parts = [];
  if (files.weather) parts.push(downloaded ? fmt(T('WeatherFromService'), ...downloadedFrom) : fmt(T('WeatherFromFile'), files.weather.name));
  if (files.ensemble) parts.push(fmt(T('EnsembleFile'), files.ensemble.name));
  $('weather-source').textContent = parts.length ? parts.join(' · ') : T('WeatherNoForecast');
}
let downloadedFrom = [];
async function openFile(which, input) {
  const file = input.files[0];
  if (!file) return;
  files[which] = { name: safeName(file.name), bytes: new Uint8Array(await file.arrayBuffer()) };
  if (which === 'weather') downloaded = false;
  input.value = '';
  showWeatherSource();
}
function coordinate(text) { return Number(Number(String(text).replace(',', '.')).toPrecision(10)).toString(); }
async function download() {
  const latitude = coordinate($('latitude').value), longitude = coordinate($('longitude').value);
  const service = 'https://api.open-meteo.com/v1/forecast';
  const url = `${service}?latitude=${latitude}&longitude=${longitude}&hourly=temperature_2m,wind_speed_10m,cloud_cover&wind_speed_unit=ms&timezone=UTC&past_days=1&forecast_days=4`;
  $('weather-source').textContent = fmt(T('WeatherDownloading'), 'api.open-meteo.com');
  try {
    const response = await fetch(url);
    if (!response.ok) throw new Error(fmt(T('WeatherFetchHttpStatus'), 'api.open-meteo.com', response.status));
    files.weather = { name: 'open-meteo.json', bytes: new Uint8Array(await response.arrayBuffer()) };
    downloaded = true;
    const now = new Date();
    downloadedFrom = ['Open-Meteo', decimal(latitude), decimal(longitude), now.toLocaleString(language === 'nl' ? 'nl-BE' : 'fr-BE')];
    showWeatherSource();
  } catch (error) {
    $('weather-source').textContent = error.message.includes('api.open-meteo.com') ? error.message : fmt(T('WeatherFetchUnreachable'), 'api.open-meteo.com');
  }
}

// ---- start ----
function brusselsNow() {
  const parts = Object.fromEntries(new Intl.DateTimeFormat('en-CA', { timeZone: 'Europe/Brussels', year: 'numeric', month: '2-digit', day: '2-digit', hour: '2-digit', minute: '2-digit', hourCycle: 'h23' })
    .formatToParts(new Date()).map((p) => [p.type, p.value]));
  return { date: `${parts.year}-${parts.month}-${parts.day}`, time: `${parts.hour}:${parts.minute}` };
}

function start() {
  const stored = localStorage.getItem('kelvara-language');
  language = stored && PageTexts[stored] ? stored : (navigator.language || '').toLowerCase().startsWith('nl') ? 'nl' : 'fr';
  const now = brusselsNow();
  $('date').value = now.date;
  $('time').value = now.time;
  const entries = readFragment();
  extraOptions = [];
  fillForm(entries);
  applyLanguage();
  document.querySelectorAll('[data-language]').forEach((button) => button.addEventListener('click', () => {
    language = button.dataset.language;
    localStorage.setItem('kelvara-language', language);
    applyLanguage();
  }));
  for (const id of Object.keys(Defaults)) {
    document.querySelectorAll(`#${id}, input[name=${id}]`).forEach((field) => ['input', 'change'].forEach((type) => field.addEventListener(type, () => given.add(id))));
  }
  document.querySelectorAll('input[name=weather-kind]').forEach((radio) => radio.addEventListener('change', showWeatherKind));
  $('weather-file').addEventListener('change', (e) => openFile('weather', e.target));
  $('ensemble-file').addEventListener('change', (e) => openFile('ensemble', e.target));
  $('download').addEventListener('click', download);
  $('add-lift').addEventListener('click', () => { liftRows.push({ thickness: '4', temp: '165', when: '+60' }); renderLifts(); });
  $('plan-button').addEventListener('click', computePlan);
  $('inputs').addEventListener('submit', (event) => {
    event.preventDefault();
    extraOptions = [];
    compute();
    // On a phone the answer stands above the form.
    if (matchMedia('(max-width: 899px)').matches) $('results').scrollIntoView({ block: 'start' });
  });
  window.addEventListener('hashchange', () => { extraOptions = []; fillForm(readFragment()); renderLifts(); compute(); });
  let resizing = null;
  window.addEventListener('resize', () => { clearTimeout(resizing); resizing = setTimeout(() => lastRun && !lastRun.json.error && drawChart(lastRun.json, lastRun.curve), 150); });
  if (entries.some(([key]) => key !== 'lang' && key !== 'plan' && key !== 'every')) compute();
  if (entries.some(([key]) => key === 'plan')) computePlan();
}

// The module is compiled as the script runs, so that a link's answer is in
// the page by the time it has loaded.
const instance = KelvaraEngine();
(instance.ready || Promise.resolve(instance)).then((module) => { engine = module; start(); });

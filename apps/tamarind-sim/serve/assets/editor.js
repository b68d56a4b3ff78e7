'use strict';
// The option editor's page. It holds the look (the options the user set, by key) and asks the
// server for pictures of Settings whenever the look or the view changes. Only the newest answer
// is shown: an older render that finishes late is dropped.

const look = {};
const view = { device: '', page: 'root', taps: [], style: 'light', whole: false, stock: true };
let catalog = { groups: [] };
let optionsByKey = {};
let restyledMap = null;
let renderSequence = 0;
let renderTimer = null;

const $ = (id) => document.getElementById(id);

async function getJson(path) {
  const response = await fetch(path);
  if (!response.ok) throw new Error(path + ': ' + response.status);
  return response.json();
}

async function postJson(path, body) {
  const response = await fetch(path, {
    method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
  });
  let answer = {};
  try { answer = await response.json(); } catch (e) { answer = { error: 'the server answered ' + response.status }; }
  return { ok: response.ok, status: response.status, answer };
}

// ---- what counts as changed -------------------------------------------------------------

function isSet(key) { return Object.prototype.hasOwnProperty.call(look, key); }

function isChanged(option) {
  if (!isSet(option.key)) return false;
  const value = look[option.key];
  if (option.control === 'picture') return true;
  if (option.control === 'colour') {
    // A colour equal to the fallback its uses pass changes nothing.
    const hex = String(value).replace(/^#/, '').toLowerCase();
    if (!/^[0-9a-f]{6}([0-9a-f]{2})?$/.test(hex)) return true;
    const fallbacks = String(option.default || '').toLowerCase();
    return !new RegExp('(^|[^0-9a-f])' + hex + '($|[^0-9a-f])').test(fallbacks);
  }
  if (option.default === null) return value !== '';
  return value !== option.default;
}

function currentValue(option) {
  return isSet(option.key) ? look[option.key] : option.default;
}

// ---- controls ---------------------------------------------------------------------------

// The control that made the change keeps its state (a colour picker stays open, a slider under
// the finger); only a reset rebuilds it, to show the default again.
function setOption(key, value) {
  if (value === undefined) delete look[key]; else look[key] = value;
  if (value === undefined) refreshOption(optionsByKey[key]); else markOption(optionsByKey[key]);
  setWarning(key, '');
  scheduleRender();
}

function markOption(option) {
  const row = document.querySelector('.option[data-key="' + option.key + '"]');
  row.classList.toggle('changed', isChanged(option));
  row.querySelector('.reset').hidden = !isSet(option.key);
}

function numberFrom(text, kind) {
  const trimmed = text.trim();
  if (kind !== 'Float' && /^-?\d+$/.test(trimmed)) return parseInt(trimmed, 10);
  if (kind === 'Float' && trimmed !== '' && isFinite(Number(trimmed))) return Number(trimmed);
  return text; // the server says what is wrong with it, beside the control
}

function pictureDescription(value) {
  if (!value) return 'none';
  if (typeof value === 'string') return value;
  return 'picture of ' + Math.round(value.data.length * 3 / 4 / 1024) + ' KB';
}

function makeControl(option) {
  const box = document.createElement('span');
  box.className = 'control';
  const value = currentValue(option);
  const input = document.createElement('input');
  input.dataset.key = option.key;
  switch (option.control) {
  case 'switch':
    input.type = 'checkbox';
    input.checked = !!value;
    input.addEventListener('change', () => setOption(option.key, input.checked));
    box.append(input);
    break;
  case 'slider': {
    input.type = 'range';
    input.min = option.range.min; input.max = option.range.max; input.step = option.range.step;
    input.value = value;
    const shown = document.createElement('output');
    shown.textContent = value;
    input.addEventListener('input', () => { shown.textContent = input.value; setOption(option.key, Number(input.value)); });
    box.append(input, shown);
    break;
  }
  case 'number':
    input.type = 'text';
    input.inputMode = 'decimal';
    input.size = 8;
    input.value = value === null || value === undefined ? '' : value;
    input.addEventListener('change', () => setOption(option.key, input.value === '' ? undefined : numberFrom(input.value, option.kind)));
    box.append(input);
    break;
  case 'colour': {
    input.type = 'color';
    input.value = '#' + String(isSet(option.key) ? value : option.pickerStart).replace(/^#/, '').slice(0, 6);
    const hex = document.createElement('input');
    hex.type = 'text';
    hex.className = 'hex';
    hex.placeholder = option.pickerStart;
    hex.value = isSet(option.key) ? value : '';
    hex.dataset.key = option.key;
    input.addEventListener('input', () => { hex.value = input.value.slice(1); setOption(option.key, input.value.slice(1)); });
    hex.addEventListener('change', () => {
      const digits = hex.value.trim().replace(/^#/, '');
      if (/^[0-9a-f]{6}([0-9a-f]{2})?$/i.test(digits)) input.value = '#' + digits.slice(0, 6).toLowerCase();
      setOption(option.key, digits === '' ? undefined : digits);
    });
    box.append(input, hex);
    break;
  }
  case 'picture': {
    input.type = 'file';
    input.accept = 'image/png,image/jpeg,image/gif';
    const about = document.createElement('span');
    about.className = 'picture-name';
    about.textContent = pictureDescription(isSet(option.key) ? value : null);
    input.addEventListener('change', () => {
      const file = input.files[0];
      if (!file) return;
      const reader = new FileReader();
      reader.onload = () => {
        const picture = { data: String(reader.result).replace(/^data:[^,]*,/, '') };
        about.textContent = pictureDescription(picture);
        setOption(option.key, picture);
      };
      reader.readAsDataURL(file);
    });
    box.append(about, input);
    break;
  }
  default:
    input.type = 'text';
    input.value = value === null || value === undefined ? '' : value;
    input.addEventListener('change', () => setOption(option.key, input.value));
    box.append(input);
  }
  const reset = document.createElement('button');
  reset.type = 'button';
  reset.className = 'reset';
  reset.title = 'Back to the default';
  reset.textContent = '↺';
  reset.addEventListener('click', () => setOption(option.key, undefined));
  box.append(reset);
  return box;
}

function defaultText(option) {
  if (option.control === 'picture') return 'none';
  if (option.default === null || option.default === '') return 'none';
  return String(option.default);
}

function refreshOption(option) {
  const row = document.querySelector('.option[data-key="' + option.key + '"]');
  row.querySelector('.control').replaceWith(makeControl(option));
  markOption(option);
}

function setWarning(key, message) {
  const row = document.querySelector('.option[data-key="' + key + '"]');
  if (!row) return false;
  row.querySelector('.warning').textContent = message;
  row.classList.toggle('has-warning', message !== '');
  return true;
}

function buildOptions() {
  const groups = $('groups');
  groups.textContent = '';
  optionsByKey = {};
  for (const group of catalog.groups) {
    const details = document.createElement('details');
    details.className = 'group';
    details.open = true;
    const summary = document.createElement('summary');
    summary.textContent = group.title;
    details.append(summary);
    for (const option of group.options) {
      optionsByKey[option.key] = option;
      const row = document.createElement('div');
      row.className = 'option';
      row.dataset.key = option.key;
      row.dataset.search = (option.key + ' ' + option.description).toLowerCase();
      const name = document.createElement('label');
      name.className = 'name';
      name.textContent = option.key;
      const about = document.createElement('div');
      about.className = 'about';
      about.append(option.description + ' ');
      const fallback = document.createElement('span');
      fallback.className = 'default';
      fallback.textContent = '(' + option.kindName + '; default ' + defaultText(option) + ')';
      about.append(fallback);
      const warning = document.createElement('div');
      warning.className = 'warning';
      row.append(name, document.createElement('span'), about, warning);
      row.children[1].className = 'control';
      details.append(row);
    }
    groups.append(details);
  }
  for (const option of Object.values(optionsByKey)) refreshOption(option);
}

function applySearch() {
  const words = $('search').value.toLowerCase().split(/\s+/).filter(Boolean);
  for (const group of document.querySelectorAll('details.group')) {
    let shown = 0;
    for (const row of group.querySelectorAll('.option')) {
      const match = words.every((w) => row.dataset.search.includes(w));
      row.classList.toggle('hidden-by-search', !match);
      if (match) ++shown;
    }
    group.classList.toggle('hidden-by-search', shown === 0);
    if (words.length && shown) group.open = true;
  }
}

// ---- pictures ---------------------------------------------------------------------------

function scheduleRender() {
  clearTimeout(renderTimer);
  renderTimer = setTimeout(render, 120);
}

function setStatus(text, isError) {
  $('status').textContent = text;
  $('status').classList.toggle('error', !!isError);
}

function renderBody(restyled) {
  return { device: view.device, page: view.page, taps: view.taps, style: view.style, whole: view.whole, restyled,
    options: restyled ? look : {} };
}

async function render() {
  const sequence = ++renderSequence;
  document.body.dataset.state = 'rendering';
  setStatus('Rendering…');
  const wanted = [postJson('/api/render', renderBody(true))];
  if (view.stock) wanted.push(postJson('/api/render', renderBody(false)));
  const bannerWanted = look.isBannerEnabled === true && view.page === 'root' && view.taps.length === 0;
  if (bannerWanted) wanted.push(postJson('/api/banner', renderBody(true)));
  let answers;
  try {
    answers = await Promise.all(wanted);
  } catch (e) {
    answers = [{ ok: false, answer: { error: 'the server cannot be reached (' + e.message + ')' } }];
  }
  if (sequence !== renderSequence) return;
  const [restyled, stock, banner] = [answers[0], view.stock ? answers[1] : null, bannerWanted ? answers[answers.length - 1] : null];
  let failed = '';
  if (restyled.ok) {
    restyledMap = restyled.answer;
    $('restyled-img').src = 'data:image/png;base64,' + restyled.answer.picture;
    $('trail').textContent = [view.page, ...view.taps].join(' ▸ ') + (restyled.answer.title ? ' — ' + restyled.answer.title : '');
  } else {
    failed = restyled.answer.error || 'the render failed';
    if (restyled.answer.key) setWarning(restyled.answer.key, restyled.answer.error);
  }
  if (stock && stock.ok) $('stock-img').src = 'data:image/png;base64,' + stock.answer.picture;
  else if (stock && !failed) failed = 'stock: ' + (stock.answer.error || 'the render failed');
  showBanner(banner && banner.ok ? banner.answer : null);
  if (banner && !banner.ok && !failed) failed = 'banner: ' + (banner.answer.error || 'the recording failed');
  $('stock-figure').hidden = !view.stock;
  $('back').disabled = view.taps.length === 0;
  setStatus(failed ? 'Error: ' + failed : 'Ready', !!failed);
  document.body.dataset.state = failed ? 'error' : 'idle';
  document.body.dataset.renders = String(sequence);
}

function showBanner(answer) {
  const image = $('banner-img');
  const row = answer && restyledMap && restyledMap.rows.find((r) => r.banner);
  if (!row) { image.hidden = true; image.removeAttribute('src'); return; }
  const picture = $('restyled-img');
  const place = () => {
    const width = picture.naturalWidth / restyledMap.scale, height = picture.naturalHeight / restyledMap.scale;
    image.style.left = (row.x / width * 100) + '%';
    image.style.top = (row.y / height * 100) + '%';
    image.style.width = (row.width / width * 100) + '%';
    image.style.height = (row.height / height * 100) + '%';
  };
  if (picture.complete) place(); else picture.addEventListener('load', place, { once: true });
  image.src = 'data:image/gif;base64,' + answer.gif;
  image.hidden = false;
}

// A press on the picture is the tap of the row under it.
function rowAt(event) {
  if (!restyledMap) return null;
  const picture = $('restyled-img');
  const box = picture.getBoundingClientRect();
  const x = (event.clientX - box.left) / box.width * picture.naturalWidth / restyledMap.scale;
  const y = (event.clientY - box.top) / box.height * picture.naturalHeight / restyledMap.scale;
  return restyledMap.rows.find((r) => x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) || null;
}

// ---- import and export ------------------------------------------------------------------

async function importFile(file) {
  const report = $('import-report');
  report.hidden = false;
  report.textContent = 'Reading ' + file.name + '…';
  const response = await fetch('/api/import', { method: 'POST', headers: { 'Content-Type': 'application/octet-stream' }, body: await file.arrayBuffer() });
  const answer = await response.json().catch(() => ({ error: 'the server answered ' + response.status }));
  if (!response.ok) { report.textContent = file.name + ': ' + answer.error; report.className = 'warning'; return; }
  for (const key of Object.keys(look)) delete look[key];
  Object.assign(look, answer.options);
  for (const option of Object.values(optionsByKey)) { refreshOption(option); setWarning(option.key, ''); }
  const loose = [];
  for (const warning of answer.warnings) {
    if (!warning.known || !setWarning(warning.key, warning.message + ' (not imported)')) loose.push(warning.message);
  }
  report.className = '';
  report.textContent = 'Imported ' + Object.keys(answer.options).length + ' options from ' + file.name
    + (answer.warnings.length ? ', with ' + answer.warnings.length + ' warnings' : '') + '.';
  for (const message of loose) {
    const line = document.createElement('div');
    line.className = 'warning';
    line.textContent = message + ' (not imported)';
    report.append(line);
  }
  scheduleRender();
}

async function exportLook(format) {
  const response = await fetch('/api/export', {
    method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify({ format, options: look }),
  });
  if (!response.ok) {
    const answer = await response.json().catch(() => ({}));
    setStatus('Error: ' + (answer.error || 'the export failed'), true);
    if (answer.key) setWarning(answer.key, answer.error);
    return;
  }
  const link = document.createElement('a');
  link.href = URL.createObjectURL(await response.blob());
  link.download = 'com.corvane.sorrelpreferences.plist';
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// ---- start ------------------------------------------------------------------------------

function fillSelect(select, entries) {
  select.textContent = '';
  for (const [value, label] of entries) {
    const option = document.createElement('option');
    option.value = value;
    option.textContent = label;
    select.append(option);
  }
}

function wire() {
  $('search').addEventListener('input', applySearch);
  $('page').addEventListener('change', () => { view.page = $('page').value; view.taps = []; scheduleRender(); });
  $('device').addEventListener('change', () => { view.device = $('device').value; view.taps = []; scheduleRender(); });
  $('style').addEventListener('change', () => { view.style = $('style').value; scheduleRender(); });
  $('extent').addEventListener('change', () => { view.whole = $('extent').value === 'whole'; scheduleRender(); });
  $('stock').addEventListener('change', () => { view.stock = $('stock').checked; scheduleRender(); });
  $('back').addEventListener('click', () => { view.taps.pop(); scheduleRender(); });
  $('restyled-img').addEventListener('click', (event) => {
    const row = rowAt(event);
    if (!row || !row.id) return;
    view.taps.push(row.id);
    scheduleRender();
  });
  $('import-file').addEventListener('change', () => { const f = $('import-file').files[0]; if (f) importFile(f); $('import-file').value = ''; });
  $('export-binary').addEventListener('click', () => exportLook('binary'));
  $('export-xml').addEventListener('click', () => exportLook('xml'));
  $('reset-all').addEventListener('click', () => {
    for (const key of Object.keys(look)) delete look[key];
    for (const option of Object.values(optionsByKey)) { refreshOption(option); setWarning(option.key, ''); }
    scheduleRender();
  });
}

async function start() {
  try {
    const [options, devices, pages] = await Promise.all([getJson('/api/options'), getJson('/api/devices'), getJson('/api/pages')]);
    catalog = options;
    fillSelect($('page'), pages.pages.map((p) => [p, p]));
    fillSelect($('device'), devices.devices.map((d) => [d.name, d.label]));
    view.device = devices.initial;
    $('device').value = view.device;
    buildOptions();
    wire();
    render();
  } catch (e) {
    setStatus('Error: the editor could not start (' + e.message + ')', true);
    document.body.dataset.state = 'error';
  }
}

start();

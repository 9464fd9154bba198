#include "host/serve/ServePage.h"

#include "host/output/HtmlPage.h"
#include "host/serve/AccessToken.h"

#include <sstream>

namespace orlo::host {

namespace {

constexpr char kStyle[] = R"CSS(
header h1 { display: inline-block; margin-right: 16px; }
.folder { color: #606060; }
table.files td { white-space: normal; overflow-wrap: anywhere; }
table.files td.error { color: #A00000; white-space: pre-wrap; }
table.files tr.picked td { background: #EEF4FF; }
.selector { cursor: pointer; color: #1F5FBF; }
table.results tr:not(:first-child) { cursor: pointer; }
.tools { display: flex; gap: 16px; align-items: center; flex-wrap: wrap; }
.tools input { width: 90px; }
figure.graph svg { cursor: crosshair; }
.panel-buttons { display: flex; gap: 8px; }
dialog { border: 1px solid #808080; padding: 12px 16px; min-width: 420px; }
dialog h2 { font-size: 16px; }
dialog .row { margin: 8px 0; display: flex; gap: 8px; align-items: center; }
dialog .buttons { display: flex; gap: 8px; justify-content: flex-end; margin-top: 12px; }
dialog .side { display: flex; flex-direction: column; gap: 6px; }
dialog label { min-width: 110px; }
table.bands tr.chosen td { background: #CFE2FF; }
table.bands tr:not(:first-child) { cursor: pointer; }
#message-text { white-space: pre-wrap; }
)CSS";

constexpr char kBody[] = R"HTML(
<header>
<h1>orlo serve</h1><span class="folder" id="folder"></span>
<div class="tools">
<button id="rescan" type="button">Rescan the folder</button>
<button id="open-settings" type="button">Settings...</button>
<button id="test-analyzer" type="button">Start the test analyzer</button>
<span>Zoom: <input id="zoom-low" placeholder="low Hz"> to <input id="zoom-high" placeholder="high Hz">
<button id="zoom-apply" type="button">Zoom</button> <button id="zoom-reset" type="button">All</button></span>
</div>
</header>
<section id="sweeps"><h2>Sweep files</h2>
<p>Tick a file to put it into the graph (in the order ticked); click a picked sweep's dot to
select it in the graph (Ctrl adds to the selection).</p>
<table class="files" id="files"></table><div id="run-notes"></div></section>
<div id="panels"></div>
<section id="messages" hidden><h2>Message boxes</h2><div id="message-list"></div></section>

<dialog id="settings-dialog"><h2 id="settings-title"></h2>
<div class="row"><div id="band-grid"></div>
<div class="side"><button type="button" id="band-add">Add...</button>
<button type="button" id="band-delete">Delete</button>
<button type="button" id="band-edit">Edit...</button></div></div>
<div class="row"><label for="technique">Statistical technique:</label><select id="technique"></select></div>
<div class="row"><label><input type="checkbox" id="magnitude-difference"> Magnitude Difference Parameter</label>
<label for="limit">Magnitude Difference limit:</label><input id="limit"></div>
<div class="buttons"><button type="button" id="settings-ok">OK</button>
<button type="button" id="settings-cancel">Cancel</button></div></dialog>

<dialog id="editor-dialog"><h2 id="editor-title">Band</h2>
<div class="row"><label for="band-label">Text</label><input id="band-label"></div>
<div class="row"><label for="band-min">Min freq</label><input id="band-min"></div>
<div class="row"><label for="band-max">Max freq</label><input id="band-max"></div>
<div class="row"><label for="band-normal">Normal</label><input id="band-normal"></div>
<div class="row"><label for="band-suspect">Suspect</label><input id="band-suspect"></div>
<div class="buttons"><button type="button" id="editor-ok">OK</button>
<button type="button" id="editor-cancel">Cancel</button></div></dialog>

<dialog id="message-dialog"><h2 id="message-caption"></h2><p id="message-text"></p>
<div class="buttons"><button type="button" id="message-ok">OK</button>
<button type="button" id="message-yes">Yes</button><button type="button" id="message-no">No</button></div></dialog>
)HTML";

constexpr char kScript[] = R"JS(
'use strict';
const token = document.querySelector('meta[name="orlo-token"]').content;
const MB_YESNO = 4, IDYES = 6;
let state = null, version = -1, boxesShown = 0;
let chosenBand = 0, editing = null;
const $ = id => document.getElementById(id);

function text(tag, content, cls) {
  const element = document.createElement(tag);
  if (content !== undefined && content !== null) element.textContent = String(content);
  if (cls) element.className = cls;
  return element;
}

async function act(request) {
  const response = await fetch('/api/action', {
    method: 'POST', headers: {'Content-Type': 'application/json', 'X-Orlo-Token': token},
    body: JSON.stringify(request), credentials: 'same-origin'});
  const outcome = await response.json().catch(() => ({ok: false, error: response.statusText}));
  await refresh();
  return outcome;
}

async function refresh() {
  const response = await fetch('/api/state', {headers: {'X-Orlo-Token': token}, cache: 'no-store'});
  if (!response.ok) return;
  const next = await response.json();
  if (next.version === version) return;
  version = next.version;
  state = next;
  draw();
}

// Message boxes, one after the other; `answer` is called with the answer to a question.
const queue = [];
function showBoxes(boxes, answer) {
  for (const box of boxes) queue.push({box, answer});
  nextBox();
}
function nextBox() {
  const dialog = $('message-dialog');
  if (dialog.open || queue.length === 0) return;
  const {box, answer} = queue.shift();
  const question = (box.style & 0xF) === MB_YESNO;
  $('message-caption').textContent = box.caption || 'orlo';
  $('message-text').textContent = box.text;
  $('message-ok').hidden = question;
  $('message-yes').hidden = $('message-no').hidden = !question;
  dialog.onclose = () => {
    if (question && answer) answer(dialog.returnValue === 'yes');
    nextBox();
  };
  dialog.showModal();
}
for (const [id, value] of [['message-ok', 'ok'], ['message-yes', 'yes'], ['message-no', 'no']]) {
  $(id).onclick = () => $('message-dialog').close(value);
}

// The boxes an action showed; questions the module answered No by itself are put to the
// user, and `again` repeats the action when the user answers Yes.
function report(outcome, again) {
  const boxes = (outcome.messageBoxes || []).filter(
      box => !((box.style & 0xF) === MB_YESNO && box.answer === IDYES));
  if (!outcome.ok && outcome.error) boxes.push({caption: 'orlo', text: outcome.error, style: 0});
  showBoxes(boxes, yes => { if (yes && again) again(); });
  return boxes.length === 0;
}

function drawFiles() {
  const table = $('files');
  const drawn = JSON.stringify([state.files, state.selected]);
  if (table.dataset.drawn === drawn) return;
  table.dataset.drawn = drawn;
  table.replaceChildren();
  const head = table.insertRow();
  for (const title of ['Pick', 'Selected', 'File', 'Sweep', 'Format', 'Points']) head.append(text('th', title));
  for (const file of state.files) {
    const row = table.insertRow();
    row.dataset.path = file.path;
    const pick = row.insertCell();
    if (file.error === null) {
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.className = 'pick';
      box.checked = file.picked !== null;
      box.onchange = async () => report(await act({action: box.checked ? 'pick' : 'unpick', path: file.path}));
      pick.append(box);
      if (file.picked !== null) pick.append(' ' + file.picked);
    }
    const selectCell = row.insertCell();
    if (file.picked !== null) {
      row.className = 'picked';
      const dot = text('span', state.selected.includes(file.sweep) ? '\u25CF' : '\u25CB', 'selector');
      dot.onclick = async event => report(await act({action: 'select', name: file.sweep, ctrl: event.ctrlKey}));
      selectCell.append(dot);
    }
    row.append(text('td', file.path));
    if (file.error !== null) {
      const cell = text('td', file.error, 'error');
      cell.colSpan = 3;
      row.append(cell);
    } else {
      row.append(text('td', file.sweep || file.name), text('td', file.format), text('td', file.points, 'number'));
    }
  }
}

// A panel as the server rendered it, with its push buttons above its first graph.
function drawPanels() {
  const holder = $('panels');
  const sections = [...holder.children];
  state.panels.forEach((panel, i) => {
    const drawn = JSON.stringify([panel.html, panel.buttons]);
    if (sections[i] && sections[i].dataset.drawn === drawn) return;
    const section = document.createElement('div');
    section.innerHTML = panel.html;
    const fresh = section.firstElementChild;
    fresh.dataset.drawn = drawn;
    const row = text('div', null, 'panel-buttons');
    for (const caption of panel.buttons) {
      const button = text('button', caption);
      button.type = 'button';
      button.onclick = async () => report(await act({action: 'click', text: caption}));
      row.append(button);
    }
    fresh.insertBefore(row, fresh.querySelector('figure'));
    if (sections[i]) sections[i].replaceWith(fresh); else holder.append(fresh);
  });
  for (const extra of sections.slice(state.panels.length)) extra.remove();
}

function drawMessages() {
  const list = $('message-list');
  list.replaceChildren();
  for (const box of state.messageBoxes) {
    const item = text('div', null, 'message-box');
    item.append(text('div', box.caption, 'caption'), text('p', box.text));
    list.append(item);
  }
  $('messages').hidden = state.messageBoxes.length === 0;
}

function draw() {
  $('folder').textContent = state.folder;
  $('test-analyzer').disabled = state.testAnalyzer;
  $('open-settings').disabled = state.settings === null;
  if (document.activeElement !== $('zoom-low') && document.activeElement !== $('zoom-high')) {
    $('zoom-low').value = state.zoom ? state.zoom[0] : '';
    $('zoom-high').value = state.zoom ? state.zoom[1] : '';
  }
  drawFiles();
  if ($('run-notes').dataset.html !== state.notesHtml) {
    $('run-notes').innerHTML = $('run-notes').dataset.html = state.notesHtml;
  }
  drawPanels();
  drawMessages();
  if ($('settings-dialog').open) drawBandGrid();
}

// ---- The graphs: a row click and a zoom by dragging across the frequency axis.
$('panels').addEventListener('click', async event => {
  const row = event.target.closest('table.results tr');
  if (!row || row.rowIndex === 0) return;
  const analyzer = Number(row.closest('section.panel').dataset.analyzer);
  report(await act({action: 'row', analyzer, row: row.rowIndex}));
});
let dragFrom = null;
function frequencyAt(svg, clientX) {
  const plot = svg.querySelector('.plot-area').getBoundingClientRect();
  const low = Math.log10(Number(svg.dataset.frequencyLow));
  const high = Math.log10(Number(svg.dataset.frequencyHigh));
  const share = Math.min(1, Math.max(0, (clientX - plot.left) / plot.width));
  return Math.pow(10, low + share * (high - low));
}
$('panels').addEventListener('mousedown', event => {
  const svg = event.target.closest('figure.graph svg');
  if (svg) { dragFrom = {svg, x: event.clientX}; event.preventDefault(); }
});
document.addEventListener('mouseup', async event => {
  if (!dragFrom) return;
  const {svg, x} = dragFrom;
  dragFrom = null;
  if (Math.abs(event.clientX - x) < 5) return;
  const a = frequencyAt(svg, x), b = frequencyAt(svg, event.clientX);
  report(await act({action: 'zoom', low: Math.min(a, b), high: Math.max(a, b)}));
});
$('zoom-apply').onclick = async () => report(await act(
    {action: 'zoom', low: Number($('zoom-low').value), high: Number($('zoom-high').value)}));
$('zoom-reset').onclick = async () => report(await act({action: 'zoom'}));
$('rescan').onclick = async () => report(await act({action: 'rescan'}));
$('test-analyzer').onclick = async () => report(await act({action: 'test-analyzer'}));

// ---- The settings dialog and the band editor.
function settingsSet() {
  const settings = state.settings;
  return settings.sets[settings.technique.index] || {bands: []};
}
function drawBandGrid() {
  const holder = $('band-grid');
  holder.innerHTML = state.settings.gridHtml;
  const rows = holder.querySelectorAll('tr');
  if (chosenBand >= rows.length) chosenBand = rows.length - 1;
  rows.forEach((row, i) => {
    row.classList.toggle('chosen', i === chosenBand && i > 0);
    row.onclick = () => { if (i > 0) { chosenBand = i; drawBandGrid(); } };
  });
  $('band-edit').disabled = $('band-delete').disabled = chosenBand < 1;
}
function fillSettingsForm() {
  const settings = state.settings;
  $('settings-title').textContent = settings.title || 'Settings';
  const select = $('technique');
  select.replaceChildren(...settings.techniques.map((name, i) => {
    const option = text('option', name);
    option.value = i;
    return option;
  }));
  select.value = settings.selectedTechnique;
  $('magnitude-difference').checked = settings.magnitudeDifference;
  $('limit').value = settings.limitText;
  chosenBand = settings.selectedRow === null ? 0 : settings.selectedRow;
  drawBandGrid();
}
async function settingsAction(request, again) {
  const outcome = await act(Object.assign({action: 'settings'}, request));
  if ($('settings-dialog').open) fillSettingsForm();
  return report(outcome, again);
}
$('open-settings').onclick = () => { fillSettingsForm(); $('settings-dialog').showModal(); };
$('technique').onchange = () => settingsAction({kind: 'technique', technique: Number($('technique').value)});
$('settings-ok').onclick = async () => {
  if (await settingsAction({kind: 'magnitude-difference', on: $('magnitude-difference').checked,
                            limit: $('limit').value})) {
    $('settings-dialog').close();
  }
};
$('settings-cancel').onclick = () => $('settings-dialog').close();
const editorBoxes = ['label', 'min', 'max', 'normal', 'suspect'];
function openEditor(band) {
  editing = {row: band ? chosenBand : null, shown: {}};
  const values = band ? {label: band.label, min: band.minFreq, max: band.maxFreq,
                         normal: band.normal.set ? band.normal.start : '',
                         suspect: band.suspect.set ? band.suspect.start : ''}
                      : {label: 'Text', min: '', max: '', normal: '', suspect: ''};
  for (const box of editorBoxes) {
    $('band-' + box).value = editing.shown[box] = String(values[box]);
  }
  $('editor-title').textContent = band ? 'Edit band' : 'Add band';
  $('editor-dialog').showModal();
}
$('band-add').onclick = () => openEditor(null);
$('band-edit').onclick = () => { const band = settingsSet().bands[chosenBand - 1]; if (band) openEditor(band); };
$('band-delete').onclick = () => {
  const row = chosenBand;
  settingsAction({kind: 'delete', row, yes: false},
                 () => settingsAction({kind: 'delete', row, yes: true}));
};
$('editor-ok').onclick = async () => {
  const request = editing.row === null ? {kind: 'add'} : {kind: 'edit', row: editing.row};
  for (const box of editorBoxes) {
    const typed = $('band-' + box).value;
    if (typed !== editing.shown[box]) request[box] = typed;
  }
  if (await settingsAction(request)) $('editor-dialog').close();
};
$('editor-cancel').onclick = () => $('editor-dialog').close();

refresh();
setInterval(refresh, 500);
)JS";

std::string ContentSecurityPolicy(const std::string& nonce) {
  return "default-src 'none'; script-src 'nonce-" + nonce +
         "'; style-src 'unsafe-inline'; connect-src 'self'; img-src 'none'; "
         "form-action 'none'; frame-ancestors 'none'; base-uri 'none'";
}

std::string ServePageHtml(const std::string& token, const std::string& nonce) {
  std::ostringstream page;
  page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
          "<meta name=\"orlo-token\" content=\""
       << token << "\">\n<title>orlo serve</title>\n<style>\n";
  WritePageStyle(page);
  page << kStyle << "</style>\n</head>\n<body>" << kBody << "<script nonce=\"" << nonce << "\">"
       << kScript << "</script>\n</body>\n</html>\n";
  return page.str();
}

}  // namespace

ServedPage MakeServePage(const std::string& token) {
  const std::string nonce = MakeAccessToken();
  return {ServePageHtml(token, nonce), ContentSecurityPolicy(nonce)};
}

}  // namespace orlo::host

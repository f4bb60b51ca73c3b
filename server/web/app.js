// The page's form as the server's query parameters: the preview follows every change, the
// button downloads the PDF, and the server's refusals are shown in the page.
'use strict';

const $ = (id) => document.getElementById(id);
let allowed = {};

function option(value, text) {
  const o = document.createElement('option');
  o.value = value;
  o.textContent = text;
  return o;
}

// Only the quotient classes that go with the chosen divisor can be chosen.
function fillQuotients() {
  const select = $('quotient');
  const kept = select.value;
  const divisor = $('divisor').value.startsWith('fixed:') ? 'fixed' : $('divisor').value;
  select.replaceChildren(...(allowed[divisor] || []).map((q) => option(q, q)));
  if ([...select.options].some((o) => o.value === kept)) select.value = kept;
}

function parameters() {
  const p = new URLSearchParams();
  const code = $('code').value.trim();
  if (code) {
    p.set('code', code.replace(/^#/, ''));
  } else {
    p.set('divisor', $('divisor').value);
    p.set('quotient', $('quotient').value);
    // Mixing takes problems with and without a remainder whatever 余り says.
    const mixed = $('mixed-remainder').checked;
    if (!mixed && document.querySelector('input[name=remainder]:checked').value === '1') p.set('remainder', '1');
    if (!$('frames').checked) p.set('frames', '0');
    if (!$('answers').checked) p.set('answers', '0');
    for (const id of ['numbered', 'score', 'more', 'mixed-remainder']) if ($(id).checked) p.set(id, '1');
    for (const id of ['zero-in-quotient', 'late-start', 'corrections', 'dividend-digits']) if ($(id).value) p.set(id, $(id).value);
    if ($('corrections').value) p.set('estimate', $('estimate').value);
    p.set('sheets', $('sheets').value);
  }
  if ($('title').value) p.set('title', $('title').value);
  return p;
}

function say(text, ok) {
  $('message').textContent = text;
  $('message').classList.toggle('ok', !!ok);
}

let timer = 0;
function updatePreview() {
  clearTimeout(timer);
  $('estimate').disabled = !$('corrections').value;
  timer = setTimeout(() => {
    const url = '/api/preview.png?' + parameters();
    $('preview').classList.add('loading');
    $('preview').src = url;
  }, 250);
}

async function showRefusal(response) {
  say(response.status === 503 ? '混み合っています。少し待ってからもう一度お試しください。' : await response.text());
}

async function download(event) {
  event.preventDefault();
  $('download').disabled = true;
  say('作成中…', true);
  try {
    const response = await fetch('/api/sheets.pdf?' + parameters());
    if (!response.ok) return await showRefusal(response);
    const name = /filename\*=UTF-8''([^;]+)/.exec(response.headers.get('Content-Disposition') || '');
    const link = document.createElement('a');
    link.href = URL.createObjectURL(await response.blob());
    link.download = name ? decodeURIComponent(name[1]) : 'わり算.pdf';
    document.body.append(link);
    link.click();
    link.remove();
    say('ダウンロードしました: ' + link.download, true);
  } catch (e) {
    say('サーバーにつながりません。');
  } finally {
    $('download').disabled = false;
  }
}

async function start() {
  const classes = await (await fetch('/api/classes.json')).json();
  allowed = classes.allowed;
  const divisor = $('divisor');
  for (let f = 1; f <= 9; ++f) divisor.append(option('fixed:' + f, f + 'で固定'));
  for (const d of classes.divisors) divisor.append(option(d, d));
  divisor.value = 'fixed:2';
  fillQuotients();
  divisor.addEventListener('change', fillQuotients);
  $('settings').addEventListener('input', updatePreview);
  $('settings').addEventListener('change', updatePreview);
  $('settings').addEventListener('submit', download);
  $('preview').addEventListener('load', () => { $('preview').classList.remove('loading'); say(''); });
  $('preview').addEventListener('error', async () => {
    $('preview').classList.remove('loading');
    await showRefusal(await fetch($('preview').src));
  });
  updatePreview();
}

start();

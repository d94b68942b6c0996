// Generates the example project once per JavaScript option with brindlewick-cli, serves each
// output folder over HTTP on 127.0.0.1 and checks in headless Chromium what a visitor sees:
// every image loads at its stated size, and the mouse swaps the images as the page's script
// says. Usage: node sample_page_test.mjs CLI EXAMPLE.blp WORK_DIR
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const CHROMIUM = '/usr/bin/chromium';
// Locally a missing browser skips the test; in CI it is a broken set-up and fails.
const MISSING = process.env.CI === 'true' ? 1 : 77;
function missing(what) {
  console.log(`${MISSING === 1 ? 'FAIL' : 'SKIP'}: ${what}`);
  process.exit(MISSING);
}
if (!existsSync(path.join(here, 'node_modules', 'playwright-core'))) {
  missing('node_modules missing; run npm ci in tests/browser');
}
if (!existsSync(CHROMIUM)) {
  missing(`${CHROMIUM} not found; tools/install-deps.sh --browser installs it`);
}
const { chromium } = await import('playwright-core');

const [cli, example, workRoot] = process.argv.slice(2);
if (!cli || !example || !workRoot) {
  console.error('usage: node sample_page_test.mjs CLI EXAMPLE.blp WORK_DIR');
  process.exit(2);
}

let failures = 0;
function check(condition, message) {
  if (!condition) {
    failures++;
    console.error('FAIL: ' + message);
  }
}

// The example with some lines replaced; captions replace every LabelText line.
function variantOf(text, values, captions) {
  let lines = text.split('\r\n').filter((l) => l !== '');
  if (captions) {
    const first = lines.findIndex((l) => l.startsWith('LabelText='));
    lines = lines.filter((l) => !l.startsWith('LabelText='));
    lines.splice(first, 0, ...captions.map((c) => 'LabelText=' + c));
  }
  lines = lines.map((l) => {
    const key = l.slice(0, l.indexOf('='));
    return key in values ? key + '=' + values[key] : l;
  });
  return lines.join('\r\n') + '\r\n';
}

const variants = [
  { name: 'MouseOver', values: { rgJavascriptOptions: 0 } },
  { name: 'Pressed', values: { rgJavascriptOptions: 1, rgHTMLDirection: 1, rgImageFileFormat: 1 } },
  {
    name: 'Both',
    values: { rgJavascriptOptions: 2, rgHTMLMakeTable: 1, rgImageFileFormat: 2, cbOutputDirectoryUseLabelsAsNames: 'T' },
    // Names that must be escaped in URLs and attributes to reach their files.
    captions: ['Home', 'Q&A "50%" #1', 'Über uns', "It's|<new>"],
  },
  { name: 'Static', values: { rgJavascriptOptions: 3, rgHTMLDirection: 1, rgHTMLMakeTable: 1 } },
];

mkdirSync(workRoot, { recursive: true });
const work = mkdtempSync(path.join(workRoot, 'browser-'));
const exampleText = readFileSync(example, 'latin1');

// Serves work/ ; a link target page that does not exist answers 204, so that a click on a
// button leaves the visitor on the sample page.
const server = http.createServer((req, res) => {
  let file;
  try {
    file = path.join(work, decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname));
  } catch {
    res.writeHead(400);
    res.end();
    return;
  }
  if (file.startsWith(work) && existsSync(file) && statSync(file).isFile()) {
    const types = { '.html': 'text/html', '.png': 'image/png', '.jpg': 'image/jpeg', '.gif': 'image/gif' };
    res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    res.end(readFileSync(file));
  } else if (file.endsWith('.html')) {
    res.writeHead(204);
    res.end();
  } else {
    res.writeHead(404);
    res.end();
  }
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;

const profile = mkdtempSync(path.join(workRoot, 'profile-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: CHROMIUM,
  headless: true,
  args: [
    '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run',
  ],
});

try {
  for (const variant of variants) {
    const dir = path.join(work, variant.name);
    mkdirSync(dir);
    const project = path.join(dir, 'input.blp');
    writeFileSync(project, Buffer.from(variantOf(exampleText, variant.values, variant.captions), 'utf8'));
    const run = spawnSync(cli, ['generate', project, '--output-dir', dir], { encoding: 'utf8' });
    check(run.status === 0, `${variant.name}: brindlewick-cli exit ${run.status}: ${run.stderr}`);
    if (run.status !== 0) continue;
    await checkPage(variant, `${base}/${variant.name}/BTNPAGE.html`);
  }
} finally {
  await context.close();
  server.close();
  rmSync(profile, { recursive: true, force: true });
  if (failures === 0) rmSync(work, { recursive: true, force: true });
}

async function checkPage(variant, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  // The browser asks for a site icon on its own; every other failed request counts.
  page.on('response', (r) => {
    if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) errors.push(`${r.status()} ${r.url()}`);
  });
  await page.goto(url, { waitUntil: 'load' });

  const images = await page.$$eval('img', (list) =>
    list.map((img) => ({
      src: img.getAttribute('src'),
      complete: img.complete,
      natural: [img.naturalWidth, img.naturalHeight],
      stated: [Number(img.getAttribute('width')), Number(img.getAttribute('height'))],
    })));
  check(images.length > 0, `${variant.name}: no images`);
  for (const img of images) {
    check(img.complete && img.natural[0] > 0, `${variant.name}: ${img.src} did not load`);
    check(img.natural[0] === img.stated[0] && img.natural[1] === img.stated[1],
      `${variant.name}: ${img.src} is ${img.natural} but stated ${img.stated}`);
  }

  const scripts = await page.$$eval('script', (list) => list.length);
  const handlers = await page.$$eval('a', (list) =>
    list.filter((a) => ['onmouseover', 'onmousedown', 'onmouseup', 'onmouseout'].some((h) => a.hasAttribute(h))).length);
  if (variant.captions) {
    const alts = await page.$$eval('a img', (list) => list.map((img) => img.alt));
    check(JSON.stringify(alts) === JSON.stringify(variant.captions),
      `${variant.name}: alt texts ${JSON.stringify(alts)}, expected ${JSON.stringify(variant.captions)}`);
  }
  const anchors = await page.$$('a');
  const buttons = await page.$$('a img');
  check(anchors.length === buttons.length && buttons.length > 0, `${variant.name}: one image per link`);

  if (variant.name === 'Static') {
    check(scripts === 0 && handlers === 0, 'Static: the page has a script or handlers');
    const before = await buttons[0].getAttribute('src');
    await buttons[0].hover();
    check((await buttons[0].getAttribute('src')) === before, 'Static: hovering changed the image');
  } else {
    check(scripts === 1 && handlers === anchors.length, `${variant.name}: script or handlers missing`);
    const over = variant.name !== 'Pressed';
    const press = variant.name !== 'MouseOver';
    for (let n = 1; n <= buttons.length; n++) {
      await checkButton(page, variant.name, n, over, press);
    }
  }
  check(errors.length === 0, `${variant.name}: errors: ${errors.join('; ')}`);
  await page.close();
}

// The URL of a preloaded image object, e.g. image2on, resolved against the page.
async function objectSrc(page, name) {
  return page.evaluate((n) => (window[n] ? window[n].src : null), name);
}

async function shown(page, n) {
  const img = await page.$(`img[name="image${n}"]`);
  if (!img) return { src: null, ok: false };
  return img.evaluate((img) => ({
    src: img.src,
    ok: img.complete && img.naturalWidth > 0,
  }));
}

async function settle(page, n) {
  await page.waitForFunction((k) => {
    const img = document.images[`image${k}`];
    return !img || img.complete;
  }, n);
}

async function checkButton(page, name, n, over, press) {
  const off = await objectSrc(page, `image${n}off`);
  const on = over ? await objectSrc(page, `image${n}on`) : null;
  const down = press ? await objectSrc(page, `image${n}press`) : null;
  check(off && (!over || on) && (!press || down), `${name}: preloads of button ${n} missing`);
  const initial = await shown(page, n);
  check(initial.src === off, `${name}: button ${n} starts as ${initial.src}, not ${off}`);

  const expectAfter = async (event, expected) => {
    await settle(page, n);
    const now = await shown(page, n);
    check(now.src === expected, `${name}: after ${event} button ${n} shows ${now.src}, expected ${expected}`);
    check(now.ok, `${name}: after ${event} button ${n}'s image ${now.src} did not load`);
  };

  const img = await page.$(`img[name="image${n}"]`);
  const box = await img.boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await expectAfter('mouse-over', over ? on : off);
  await page.mouse.down();
  await expectAfter('mouse-down', press ? down : over ? on : off);
  await page.mouse.up();
  await expectAfter('mouse-up', over ? on : off);
  await page.mouse.move(1, 1);
  await expectAfter('mouse-out', off);
  // Every swapped-in image is one of this button's files.
  for (const [kind, src] of [['on', on], ['press', down]]) {
    if (!src) continue;
    const response = await page.request.get(src);
    check(response.status() === 200, `${name}: image${n}${kind} ${src} answers ${response.status()}`);
  }
}

if (failures > 0) {
  console.error(`${failures} check(s) failed; output kept in ${work}`);
  process.exit(1);
}
console.log(`sample pages checked in Chromium: ${variants.map((v) => v.name).join(', ')}`);

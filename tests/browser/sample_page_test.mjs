// Generates the example project once per JavaScript option with brindlewick-cli, serves each
// output folder over HTTP on 127.0.0.1 and checks in headless Chromium what a visitor sees:
// every image loads at its stated size, and the mouse swaps the images as the page's script
// says. With HiDPI images and keyboard rollovers on, a page at device scale factor 2 loads the
// @2x files and swaps them on hover, focus and Enter. The pages with CSS rollovers are served
// with a strict Content-Security-Policy and checked for what the stylesheet shows on hover,
// focus and press, for their accessible names, and with axe-core. Buttons with rounded corners
// or shaped pictures on a dark and a light page colour must show as their PNG laid over it.
// Usage: node sample_page_test.mjs CLI EXAMPLE.blp WORK_DIR
import { spawnSync } from 'node:child_process';
import {
  existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync,
} from 'node:fs';
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
if (!['playwright-core', 'axe-core'].every((m) => existsSync(path.join(here, 'node_modules', m)))) {
  missing('node_modules missing; run npm ci in tests/browser');
}
if (!existsSync(CHROMIUM)) {
  missing(`${CHROMIUM} not found; tools/install-deps.sh --browser installs it`);
}
const { chromium } = await import('playwright-core');
const axeSource = readFileSync(path.join(here, 'node_modules', 'axe-core', 'axe.min.js'), 'utf8');

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
  const present = new Set(lines.map((l) => l.slice(0, l.indexOf('='))));
  lines = lines.map((l) => {
    const key = l.slice(0, l.indexOf('='));
    return key in values ? key + '=' + values[key] : l;
  });
  for (const key of Object.keys(values)) {
    if (!present.has(key)) lines.push(key + '=' + values[key]);
  }
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
  { name: 'WebP', values: { rgJavascriptOptions: 2, rgImageFileFormat: 1 }, args: ['--webp'] },
  {
    name: 'HiDpiKeyboard',
    values: { rgJavascriptOptions: 2, rgImageFileFormat: 0, HiDpiImages: 'T' },
    args: ['--keyboard-rollovers'],
    scale: 2,
  },
  {
    name: 'CssMouseOver',
    values: { rgJavascriptOptions: 0, cbOutputDirectoryUseLabelsAsNames: 'T' },
    captions: ['Home', 'Q&A "50%" #1', 'Über uns', "It's|<new>"],
    css: ['Selected'],
  },
  { name: 'CssPressed', values: { rgJavascriptOptions: 1, rgHTMLDirection: 1, rgImageFileFormat: 1 }, css: ['Pressed'] },
  {
    name: 'CssBoth',
    values: { rgJavascriptOptions: 2, rgHTMLMakeTable: 1, rgImageFileFormat: 2 },
    css: ['Selected', 'Pressed'],
  },
  { name: 'CssStatic', values: { rgJavascriptOptions: 3, rgHTMLDirection: 1 }, css: [] },
  {
    name: 'CssHiDpi',
    values: { rgJavascriptOptions: 2, rgImageFileFormat: 0, HiDpiImages: 'T', rgHTMLDirection: 1 },
    css: ['Selected', 'Pressed'],
    scale: 2,
    args: ['--webp'],
  },
  // Rounded corners and gradients on a dark and a light page: the edges blend into the page.
  {
    name: 'LooksDark',
    values: {
      rgJavascriptOptions: 2, rgNormalButtonBackground: 0, rgNormalButtonBorders: 2, CornerRadius: 6,
      NormalGradient: '#FFFFFF', PageColor: '#202020', SmoothCaptions: 'T',
    },
    page: [32, 32, 32],
  },
  {
    name: 'LooksLightJpeg',
    values: { rgJavascriptOptions: 2, rgImageFileFormat: 1, CornerRadius: 9, PageColor: '#F0E8D0' },
    page: [240, 232, 208],
  },
  // Shaped built-in pictures without their white surround, on a dark page.
  {
    name: 'PicturesDark',
    values: {
      rgJavascriptOptions: 2, cbSelectedButtonPredefinedBitmaps: 85, TransparentPictures: 'T',
      PageColor: '#181818', SmoothCaptions: 'T',
    },
    page: [24, 24, 24],
  },
  {
    name: 'CssLooksDarkGif',
    values: {
      rgJavascriptOptions: 2, rgImageFileFormat: 2, rgNormalButtonBackground: 0, CornerRadius: 6,
      NormalGradient: '#000080', GradientDirection: 'Horizontal', PageColor: '#102040',
    },
    css: ['Selected', 'Pressed'],
    page: [16, 32, 64],
  },
];
for (const variant of variants) {
  if (variant.css) variant.args = ['--css-rollovers', ...(variant.args || [])];
}

mkdirSync(workRoot, { recursive: true });
const work = mkdtempSync(path.join(workRoot, 'browser-'));
const exampleText = readFileSync(example, 'latin1');
const cspReports = [];

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
  if (req.method === 'POST' && req.url === '/csp-report') {
    let body = '';
    req.on('data', (chunk) => { body += chunk; });
    req.on('end', () => { cspReports.push(body); res.writeHead(204); res.end(); });
    return;
  }
  if (file.startsWith(work) && existsSync(file) && statSync(file).isFile()) {
    const types = {
      '.html': 'text/html', '.css': 'text/css', '.png': 'image/png', '.jpg': 'image/jpeg', '.gif': 'image/gif',
      '.webp': 'image/webp',
    };
    const headers = { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' };
    // Only the pages without script must work under it.
    if (file.includes(`${path.sep}Css`)) headers['Content-Security-Policy'] = "default-src 'self'; report-uri /csp-report";
    res.writeHead(200, headers);
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

const profiles = [];
async function launch(deviceScaleFactor) {
  const profile = mkdtempSync(path.join(workRoot, 'profile-'));
  profiles.push(profile);
  return chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    deviceScaleFactor,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run',
    ],
  });
}
const context = await launch(1);
const hiDpiContext = await launch(2);
let hiDpiSource = 'none';

try {
  for (const variant of variants) {
    const dir = path.join(work, variant.name);
    mkdirSync(dir);
    const project = path.join(dir, 'input.blp');
    writeFileSync(project, Buffer.from(variantOf(exampleText, variant.values, variant.captions), 'utf8'));
    const args = ['generate', project, '--output-dir', dir, ...(variant.args || [])];
    const run = spawnSync(cli, args, { encoding: 'utf8' });
    check(run.status === 0, `${variant.name}: brindlewick-cli exit ${run.status}: ${run.stderr}`);
    if (run.status !== 0) continue;
    const url = `${base}/${variant.name}/BTNPAGE.html`;
    if (variant.page) await checkEdges(variant, dir, url);
    if (variant.css) {
      await checkCssPage(variant, url, variant.scale === 2 ? hiDpiContext : context);
    } else if (variant.scale === 2) {
      hiDpiSource = await provideHiDpiFiles(dir, `${base}/${variant.name}/`);
      await checkPage(variant, url, hiDpiContext);
      await checkHiDpiAndKeyboard(variant.name, url);
    } else {
      await checkPage(variant, url, context);
    }
  }
} finally {
  await context.close();
  await hiDpiContext.close();
  server.close();
  for (const profile of profiles) rmSync(profile, { recursive: true, force: true });
  if (failures === 0) rmSync(work, { recursive: true, force: true });
}

// The @2x twins of the 1x images: the command line's when it writes them, otherwise drawn at
// twice the size from the 1x files in the browser, so that the page's logic is tested either
// way. Returns which.
async function provideHiDpiFiles(dir, dirUrl) {
  const ones = readdirSync(dir).filter((f) => f.endsWith('.png') && !f.includes('@2x'));
  const twins = ones.map((f) => f.replace(/\.png$/, '@2x.png'));
  if (twins.every((f) => existsSync(path.join(dir, f)))) return 'brindlewick-cli';
  const page = await context.newPage();
  await page.goto(`${dirUrl}BTNPAGE.html`, { waitUntil: 'load' });
  for (const [i, one] of ones.entries()) {
    const data = await page.evaluate(async (src) => {
      const img = new Image();
      img.src = src;
      await img.decode();
      const canvas = document.createElement('canvas');
      canvas.width = img.naturalWidth * 2;
      canvas.height = img.naturalHeight * 2;
      canvas.getContext('2d').drawImage(img, 0, 0, canvas.width, canvas.height);
      return canvas.toDataURL('image/png').split(',')[1];
    }, one);
    writeFileSync(path.join(dir, twins[i]), Buffer.from(data, 'base64'));
  }
  await page.close();
  return 'scaled in the test';
}

// At device scale factor 2: the @2x files are shown; hover, Tab focus, Enter and blur swap
// between the @2x files of each state.
async function checkHiDpiAndKeyboard(name, url) {
  const page = await hiDpiContext.newPage();
  await page.goto(url, { waitUntil: 'load' });
  const current = (n) =>
    page.evaluate((k) => {
      const img = document.images[`image${k}`];
      return img.complete ? decodeURIComponent(img.currentSrc.replace(/^.*\//, '')) : 'loading';
    }, n);
  const expectShown = async (what, n, file) => {
    await settle(page, n);
    const shownFile = await current(n);
    check(shownFile === file, `${name}: ${what}: button ${n} shows ${shownFile}, expected ${file}`);
  };
  const count = await page.$$eval('a img', (list) => list.length);
  check(count > 1, `${name}: fewer than two buttons`);
  const stems = [];
  for (let n = 1; n <= count; n++) {
    const src = await page.$eval(`img[name="image${n}"]`, (img) => img.getAttribute('src'));
    stems.push(decodeURIComponent(src).replace(/\.png$/, ''));
    await expectShown('loaded', n, `${stems[n - 1]}@2x.png`);
  }
  const first = await page.$('img[name="image1"]');
  await first.hover();
  await expectShown('hover', 1, `${stems[0]}s@2x.png`);
  await page.mouse.move(1, 1);
  await expectShown('mouse-out', 1, `${stems[0]}@2x.png`);

  await page.keyboard.press('Tab');
  await expectShown('focus by Tab', 1, `${stems[0]}s@2x.png`);
  await page.keyboard.down('Enter');
  await expectShown('Enter down', 1, `${stems[0]}p@2x.png`);
  await page.keyboard.up('Enter');
  await expectShown('Enter up', 1, `${stems[0]}s@2x.png`);
  await page.keyboard.press('Tab');
  await expectShown('blur by Tab', 1, `${stems[0]}@2x.png`);
  await expectShown('focus by Tab', 2, `${stems[1]}s@2x.png`);
  await page.close();
}

// On a page of the project's colour each button, as the browser shows it, is its PNG (with
// alpha) laid over that colour: no lighter or darker ring at the corners. A JPEG, laid over the
// colour when written, is as near along its outline as its compression allows; a GIF shows the
// page where less than half covered, elsewhere the blend in the web palette (a level either
// way where it falls on a step).
async function checkEdges(variant, dir, url) {
  const name = variant.name;
  const format = variant.values.rgImageFileFormat ?? 0;
  const tolerance = format === 1 ? 24 : 3;
  const page = await context.newPage();
  await page.goto(url, { waitUntil: 'load' });
  await page.mouse.move(1, 1);
  const background = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
  check(background === `rgb(${variant.page.join(', ')})`, `${name}: the page is ${background}`);
  const buttons = await page.$$(variant.css ? 'nav a' : 'a img');
  const shots = [];
  for (const button of buttons) {
    const box = await button.boundingBox();
    shots.push((await page.screenshot({ clip: box })).toString('base64'));
  }
  await page.close();
  const pngs = readdirSync(dir).filter((f) => /^btn\d+\.png$/.test(f)).sort()
    .map((f) => readFileSync(path.join(dir, f)).toString('base64'));
  check(shots.length === pngs.length && shots.length > 0, `${name}: ${shots.length} buttons`);
  // Compared on a blank page: the page's own policy refuses pictures from data URLs.
  const blank = await context.newPage();
  for (const [i, shot] of shots.entries()) {
    const worst = await blank.evaluate(async ({ shot, png, under, gif, edgesOnly }) => {
      const pixels = async (src) => {
        const img = new Image();
        img.src = `data:image/png;base64,${src}`;
        await img.decode();
        const canvas = new OffscreenCanvas(img.naturalWidth, img.naturalHeight);
        const c = canvas.getContext('2d');
        c.drawImage(img, 0, 0);
        return c.getImageData(0, 0, canvas.width, canvas.height);
      };
      const [seen, own] = [await pixels(shot), await pixels(png)];
      if (seen.width !== own.width || seen.height !== own.height) return { size: [seen.width, own.width] };
      let most = { off: 0 };
      for (let p = 0; p < own.data.length; p += 4) {
        const a = own.data[p + 3] / 255;
        if (edgesOnly && a === 1) continue;
        for (let k = 0; k < 3; k++) {
          const blend = own.data[p + k] * a + under[k] * (1 - a);
          const level = (v) => 51 * Math.floor((Math.min(255, Math.max(0, Math.round(v))) + 3) / 51);
          const off = gif && a >= 0.5
            ? Math.min(...[-1, 0, 1].map((d) => Math.abs(seen.data[p + k] - level(blend + d))))
            : Math.abs(seen.data[p + k] - blend);
          if (off > most.off) most = { off, x: (p / 4) % own.width, y: Math.floor(p / 4 / own.width), alpha: a };
        }
      }
      return most;
    }, { shot, png: pngs[i], under: variant.page, gif: format === 2, edgesOnly: format === 1 });
    check(worst.off <= tolerance, `${name}: button ${i + 1} differs from its PNG over the page: ${JSON.stringify(worst)}`);
  }
  await blank.close();
}

async function checkPage(variant, url, context) {
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
  const webp = (variant.args || []).includes('--webp');
  check(!webp || images.every((img) => img.src.endsWith('.webp')), `${variant.name}: an image is not WebP`);
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

// The page with CSS rollovers under its Content-Security-Policy: nothing refused, no script,
// links named by their captions, the stylesheet's slices on hover, Tab focus and press (pixel
// for pixel against the single images where both are lossless), the @2x sprites at scale 2, and
// no axe-core violation.
async function checkCssPage(variant, url, context) {
  const name = variant.name;
  const page = await context.newPage();
  const errors = [];
  const requested = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('request', (r) => requested.push(decodeURIComponent(r.url().replace(/^.*\//, ''))));
  page.on('response', (r) => {
    if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) errors.push(`${r.status()} ${r.url()}`);
  });
  const reportsBefore = cspReports.length;
  // Put there by the browser, so the page's policy does not refuse it.
  await page.addInitScript({ content: axeSource });
  await page.goto(url, { waitUntil: 'load' });

  const markup = await page.evaluate(() => ({
    scripts: document.scripts.length,
    handlers: [...document.querySelectorAll('*')].filter((e) =>
      [...e.attributes].some((a) => a.name.startsWith('on') || a.name === 'style')).length,
    links: [...document.querySelectorAll('nav a')].map((a) => a.getAttribute('href')),
  }));
  check(markup.scripts === 0 && markup.handlers === 0, `${name}: script, handler or style attribute`);
  const captions = variant.captions || variantOf(exampleText, {}).split('\r\n')
    .filter((l) => l.startsWith('LabelText=')).map((l) => l.slice('LabelText='.length));
  check(markup.links.length === captions.length, `${name}: ${markup.links.length} links`);
  for (const caption of captions) {
    const count = await page.getByRole('link', { name: caption, exact: true }).count();
    check(count === 1, `${name}: ${count} links named ${JSON.stringify(caption)}`);
  }

  const links = await page.$$('nav a');
  const slices = variant.css;
  const lossless = (variant.values.rgImageFileFormat ?? 0) !== 1;
  // Exactly the element's device pixels: a box at a fractional position would take in a row of
  // its neighbours.
  const dpr = variant.scale || 1;
  const shotOf = async (element) => {
    const box = await element.boundingBox();
    const snap = (v) => Math.round(v * dpr) / dpr;
    return page.screenshot({ clip: { x: snap(box.x), y: snap(box.y), width: box.width, height: box.height } });
  };
  const position = (a) => a.evaluate((e) => getComputedStyle(e).backgroundPositionY);
  const expectSlice = async (what, n, state) => {
    const slice = state ? 1 + slices.indexOf(state) : 0;
    const height = await links[n - 1].evaluate((e) => e.clientHeight);
    const y = await position(links[n - 1]);
    check(slice === 0 ? ['0%', '0px'].includes(y) : y === `${-slice * height}px`,
      `${name}: ${what}: button ${n} at ${y}, expected slice ${slice}`);
    if (!lossless) return;
    // The list of single images shows each state at its own size.
    const list = state === 'Selected' ? 1 : state === 'Pressed' ? 1 + slices.indexOf('Pressed') : 0;
    const single = (await page.$$('main p > img')).slice(list * links.length)[n - 1];
    const [shot, expected] = [await shotOf(links[n - 1]), await shotOf(single)];
    check(shot.equals(expected), `${name}: ${what}: button ${n} does not show the ${state || 'Normal'} image`);
  };
  if (slices.includes('Selected')) {
    await page.keyboard.press('Tab');
    const y = await position(links[0]);
    const height = await links[0].evaluate((e) => e.clientHeight);
    check(y === `${-height}px`, `${name}: Tab focus shows ${y}, not the Selected slice`);
    await links[0].evaluate((e) => e.blur());
  }
  for (let n = 1; n <= links.length && slices.length > 0; n++) {
    await expectSlice('loaded', n, null);
    const box = await links[n - 1].boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await expectSlice('hover', n, slices.includes('Selected') ? 'Selected' : null);
    await page.mouse.down();
    await expectSlice('mouse down', n, slices.includes('Pressed') ? 'Pressed' : slices[0]);
    await page.mouse.up();
    await page.mouse.move(1, 1);
    await expectSlice('mouse-out', n, null);
  }
  const sprites = requested.filter((f) => f.includes('-sprite'));
  const want = (variant.scale === 2 ? '-sprite@2x.' : '-sprite.') + (variant.args.includes('--webp') ? 'webp' : '');
  check(slices.length === 0 ? sprites.length === 0 : sprites.length > 0 && sprites.every((f) => f.includes(want)),
    `${name}: sprites loaded: ${sprites.join(' ')}`);

  const axe = await page.evaluate(() => window.axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21aa', 'best-practice'] },
  }));
  for (const v of axe.violations) {
    check(false, `${name}: axe ${v.id} (${v.impact}): ${v.nodes.map((x) => x.target.join(' ')).join(', ')}`);
  }
  check(cspReports.length === reportsBefore, `${name}: CSP reports: ${cspReports.slice(reportsBefore).join(' ')}`);
  check(errors.length === 0, `${name}: errors: ${errors.join('; ')}`);
  await page.close();
}

if (failures > 0) {
  console.error(`${failures} check(s) failed; output kept in ${work}`);
  process.exit(1);
}
console.log(`sample pages checked in Chromium: ${variants.map((v) => v.name).join(', ')}` +
  ` (@2x files: ${hiDpiSource})`);

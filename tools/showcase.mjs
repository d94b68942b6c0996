// Draws the README's sample-page pictures in headless Chromium: the example's page with the
// options beyond the classic output off and on, side by side, and the "on" page at device scale
// factor 2, and the page with CSS rollovers. Usage: node tools/showcase.mjs CLI EXAMPLE.blp OUT_DIR
// (needs tests/browser/node_modules: npm ci in tests/browser)
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const { chromium } = await import(
  path.join(here, '..', 'tests', 'browser', 'node_modules', 'playwright-core', 'index.mjs'));

const [cli, example, out] = process.argv.slice(2);
if (!cli || !example || !out) {
  console.error('usage: node tools/showcase.mjs CLI EXAMPLE.blp OUT_DIR');
  process.exit(2);
}
const work = mkdtempSync(path.join(os.tmpdir(), 'showcase-'));
const generate = (name, flags) => {
  const dir = path.join(work, name);
  spawnSync('mkdir', ['-p', dir]);
  const run = spawnSync(cli, ['generate', example, '--output-dir', dir, ...flags], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`${name}: ${run.stderr}`);
  return `file://${dir}/BTNPAGE.html`;
};
const off = generate('off', []);
const on = generate('on', ['--smooth', '--hidpi', '--keyboard-rollovers']);
const css = generate('css', ['--smooth', '--css-rollovers']);

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--allow-file-access-from-files'],
});
try {
  const shoot = async (url, scale, file, hover) => {
    const context = await browser.newContext({ viewport: { width: 640, height: 400 }, deviceScaleFactor: scale });
    const page = await context.newPage();
    await page.goto(url, { waitUntil: 'load' });
    // The second button shows its selected state, as under the mouse.
    if (hover) await page.hover(hover);
    await page.waitForTimeout(200);
    await page.screenshot({ path: path.join(out, file) });
    await context.close();
  };
  const image2 = 'img[name="image2"]';
  await shoot(off, 1, 'sample-page.png', image2);
  await shoot(css, 1, 'sample-page-css.png', 'a.b2');
  // A command line that writes no @2x files would show broken pictures at scale 2.
  if (existsSync(path.join(work, 'on', 'btn1@2x.png'))) {
    await shoot(on, 1, 'sample-page-options.png', image2);
    await shoot(on, 2, 'sample-page-2x.png', image2);
  } else {
    console.log('no @2x files written: only sample-page.png drawn');
  }
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}

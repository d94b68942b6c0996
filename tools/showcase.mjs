// Draws the README's sample-page pictures in headless Chromium: the example's page with the
// options beyond the classic output off and on, side by side, and the "on" page at device scale
// factor 2, the page with CSS rollovers, and both pages with the looks (rounded corners, a
// gradient, transparent pictures) on a dark and a light page colour.
// Usage: node tools/showcase.mjs CLI EXAMPLE.blp OUT_DIR
// (needs tests/browser/node_modules: npm ci in tests/browser)
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
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
const generate = (name, flags, project = example) => {
  const dir = path.join(work, name);
  spawnSync('mkdir', ['-p', dir]);
  const run = spawnSync(cli, ['generate', project, '--output-dir', dir, ...flags], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`${name}: ${run.stderr}`);
  return `file://${dir}/BTNPAGE.html`;
};
const off = generate('off', []);
const on = generate('on', ['--smooth', '--hidpi', '--keyboard-rollovers']);
const css = generate('css', ['--smooth', '--css-rollovers']);
// The looks: the normal buttons a solid orange running to a darker one, with a 3D border,
// rounded; the selected ones the example's built-in picture without its white surround.
const looksProject = path.join(work, 'looks.blp');
writeFileSync(looksProject, readFileSync(example, 'latin1') +
  'rgNormalButtonBackground=0\r\nimage1.canvas.brush.color=2130160\r\nrgNormalButtonBorders=2\r\n' +
  // The size of the selected picture, so that both states fit it.
  'fWidth=146\r\nfHeight=34\r\n');
const looks = ['--smooth', '--corner-radius', '6', '--gradient', 'Normal=#B04A08', '--transparent-pictures'];
const pages = { dark: '#1E2430', light: '#F2EEE4' };
const looked = {};
for (const [name, colour] of Object.entries(pages)) {
  looked[name] = generate(`looks-${name}`, [...looks, '--page-color', colour], looksProject);
  looked[`css-${name}`] =
    generate(`looks-css-${name}`, [...looks, '--page-color', colour, '--css-rollovers'], looksProject);
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--allow-file-access-from-files'],
});
try {
  const shoot = async (url, scale, file, hover, height = 400) => {
    const context = await browser.newContext({ viewport: { width: 640, height }, deviceScaleFactor: scale });
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
  for (const name of Object.keys(pages)) {
    await shoot(looked[name], 1, `sample-page-looks-${name}.png`, image2, 420);
    await shoot(looked[`css-${name}`], 1, `sample-page-looks-css-${name}.png`, 'a.b2', 470);
  }
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

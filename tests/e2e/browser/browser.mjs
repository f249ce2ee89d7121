// Opens the noVNC page of a headless run in Chromium, waits for the screen,
// taps the Estimate button on it and saves a screenshot of the page.
// Usage: node browser.mjs URL SCREENSHOT.png
import { chromium } from 'playwright-core';

const [url, screenshot] = process.argv.slice(2);
const estimate = { x: 170 + 65 / 2, y: 26 + 107 + 10 }; // the button's centre on the screen

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage({ viewport: { width: 480, height: 480 } });
  await page.goto(url);
  const canvas = page.locator('#noVNC_container canvas');
  await canvas.waitFor({ state: 'visible', timeout: 20000 });
  await page.waitForTimeout(1500);
  const box = await canvas.boundingBox();
  await page.mouse.click(box.x + estimate.x, box.y + estimate.y);
  await page.waitForTimeout(1500);
  await page.screenshot({ path: screenshot });
  console.log('tapped Estimate');
} finally {
  await browser.close();
}

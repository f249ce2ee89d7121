// Opens the noVNC page of a headless run in Chromium, prints the width that
// the screen is shown at, presses a button and saves a screenshot of the
// page: on a 390x844 touch screen a tap on Estimate (年齢推定) (phone), in a
// 480x480 window a click on 形式 (desktop).
// Usage: node browser.mjs desktop|phone URL SCREENSHOT.png
import { chromium } from 'playwright-core';

const [scene, url, screenshot] = process.argv.slice(2);
const screenWidth = 240; // the handheld's screen, portrait
// The buttons' centres on the screen.
const estimate = { x: 170 + 65 / 2, y: 26 + 107 + 10 };
const viewToggle = { x: 130 + 35 / 2, y: 26 + 107 + 10 };

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const phone = scene === 'phone';
  const page = await browser.newPage(phone
    ? { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true }
    : { viewport: { width: 480, height: 480 } });
  await page.goto(url);
  const canvas = page.locator('#noVNC_container canvas');
  await canvas.waitFor({ state: 'visible', timeout: 20000 });
  await page.waitForTimeout(1500);
  // The page scales the screen to fit: screen points map through the canvas.
  const box = await canvas.boundingBox();
  const at = (p) => [box.x + p.x * box.width / screenWidth, box.y + p.y * box.width / screenWidth];
  if (phone)
    await page.touchscreen.tap(...at(estimate));
  else
    await page.mouse.click(...at(viewToggle));
  await page.waitForTimeout(1500);
  console.log(Math.round(box.width));
  await page.screenshot({ path: screenshot });
} finally {
  await browser.close();
}

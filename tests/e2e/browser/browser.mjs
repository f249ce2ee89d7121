// Opens the noVNC page of a headless run in Chromium, prints the width that
// the screen is shown at, uses the program and saves a screenshot of the
// page. On a 390x844 touch screen (phone): a tap on Estimate (年齢推定). In a
// 480x480 window (desktop): a click on 形式, then one into the text, which
// the keyboard selects and copies; prints noVNC's clipboard panel as JSON.
// Usage: node browser.mjs desktop|phone URL SCREENSHOT.png
import { chromium } from 'playwright-core';

const [scene, url, screenshot] = process.argv.slice(2);
const screenWidth = 240; // the handheld's screen, portrait
// Centres on the screen: the two buttons and the text view.
const estimate = { x: 170 + 65 / 2, y: 26 + 107 + 10 };
const viewToggle = { x: 130 + 35 / 2, y: 26 + 107 + 10 };
const textView = { x: 120, y: 26 + 130 + 64 };

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
  console.log(Math.round(box.width));
  if (phone) {
    await page.touchscreen.tap(...at(estimate));
    await page.waitForTimeout(1500);
  } else {
    await page.mouse.click(...at(viewToggle));
    await page.mouse.click(...at(textView));
    for (const key of ['Control+Home', 'Control+Shift+End', 'Control+c']) {
      await page.keyboard.press(key);
      await page.waitForTimeout(300);
    }
    await page.waitForTimeout(1500);
    console.log(JSON.stringify(await page.locator('#noVNC_clipboard_text').inputValue()));
  }
  await page.screenshot({ path: screenshot });
} finally {
  await browser.close();
}

// Opens the noVNC page of a headless run in Chromium, prints the width that
// the screen is shown at, uses the program and saves a screenshot of the
// page. On a 390x844 touch screen (phone): prints whether the control bar's
// handle lies clear of the screen, then taps Estimate (年齢推定). In a
// 480x480 window (desktop): a click on 形式, then one into the text, which
// the keyboard selects and copies; prints noVNC's clipboard panel as JSON.
// Refused: prints the page's status once the server has turned it away.
// Usage: TOLMIRAK_URL=URL node browser.mjs desktop|phone|refused SCREENSHOT.png
import { chromium } from 'playwright-core';

// The address comes in the environment: it holds the run's password.
const [scene, screenshot] = process.argv.slice(2);
const url = process.env.TOLMIRAK_URL;
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
const phone = scene === 'phone';
try {
  const page = await browser.newPage({
    ignoreHTTPSErrors: true, // the test's own certificate
    ...(phone ? { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true }
              : { viewport: { width: 480, height: 480 } }),
  });
  await page.goto(url);
  if (scene === 'refused') {
    const status = page.locator('#noVNC_status.noVNC_open');
    await status.waitFor({ state: 'visible', timeout: 20000 });
    console.log(await status.innerText());
  } else {
    await run(page);
  }
} finally {
  await browser.close();
}

async function run(page) {
  const canvas = page.locator('#noVNC_container canvas');
  await canvas.waitFor({ state: 'visible', timeout: 20000 });
  await page.waitForTimeout(1500);
  // The page scales the screen to fit: screen points map through the canvas.
  const box = await canvas.boundingBox();
  const at = (p) => [box.x + p.x * box.width / screenWidth, box.y + p.y * box.width / screenWidth];
  console.log(Math.round(box.width));
  if (phone) {
    // The bar stands open for two seconds after connecting, then slides away
    // and leaves its handle at the edge.
    await page.locator('#noVNC_control_bar:not(.noVNC_open)').waitFor({ state: 'attached' });
    await page.waitForTimeout(700);
    const handle = await page.locator('#noVNC_control_bar_handle').boundingBox();
    console.log(handle.x + handle.width <= box.x ? 'clear' : 'covered');
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
}

// The guide's picture of the pupils' page on a phone held upright, during a turn: drawn by
// headless Chromium against the program hosting a lesson with a fixed class seed, and compared
// with the one in the docs folder so that it never goes stale. With QUIZ_PICTURES set to a docs
// folder it is written there instead (scripts/screenshot.sh).
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");
const { startHost, joinAs, pick } = require("./hosted_lesson");

const [program, chromium, docs] = process.argv.slice(2);
const kPicture = "images/pupil-phone.png";
const kPhone = { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };
// The same turns on every run: the class's seed, as the teacher's „еднакви ходове за всички“.
const kSettings = ["# Real or generated data: the lesson's settings", "level=2", "data=ecb",
  "seed=2026", "end", ""].join("\r\n");
// A shade of difference in a few pixels (another build of the fonts' smoothing) is no change;
// a changed word is. As the window pictures allow.
const kDifferingShare = 0.0001;
const kChannelSlack = 24;
const kRefresh = "bash scripts/screenshot.sh";

// How many pixels of two PNGs (base64) differ by more than a shade, read by the browser itself;
// null when their sizes differ, with the sizes.
async function compare(browser, drawn, committed) {
  const page = await browser.newPage();
  try {
    return await page.evaluate(async (a, b, slack) => {
      const pixels = async (base64) => {
        const bitmap = await createImageBitmap(await (await fetch("data:image/png;base64," + base64)).blob());
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext("2d");
        context.drawImage(bitmap, 0, 0);
        return { width: bitmap.width, height: bitmap.height,
          data: context.getImageData(0, 0, bitmap.width, bitmap.height).data };
      };
      const [x, y] = [await pixels(a), await pixels(b)];
      if (x.width !== y.width || x.height !== y.height) {
        return { differing: null, drawn: [x.width, x.height], committed: [y.width, y.height] };
      }
      let differing = 0;
      for (let i = 0; i < x.data.length; i += 4) {
        if ([0, 1, 2].some((c) => Math.abs(x.data[i + c] - y.data[i + c]) > slack)) {
          differing += 1;
        }
      }
      return { differing, all: x.width * x.height };
    }, drawn.toString("base64"), committed.toString("base64"), kChannelSlack);
  } finally {
    await page.close();
  }
}

// Writes the picture when asked to; otherwise an empty text when the committed one still shows
// it, or what is wrong.
async function checkPicture(browser, drawn) {
  const target = process.env.QUIZ_PICTURES;
  if (target) {
    fs.mkdirSync(path.dirname(path.join(target, kPicture)), { recursive: true });
    fs.writeFileSync(path.join(target, kPicture), drawn);
    return "";
  }
  const file = path.join(docs, kPicture);
  const stale = (why) => `docs/${kPicture} ${why}; run \`${kRefresh}\` to draw it again`;
  if (!fs.existsSync(file)) {
    return stale("is missing");
  }
  const result = await compare(browser, drawn, fs.readFileSync(file));
  if (result.differing === null) {
    return stale(`is ${result.committed.join(" × ")} pixels, the page now ${result.drawn.join(" × ")}`);
  }
  const allowed = Math.floor(result.all * kDifferingShare);
  return result.differing > allowed
    ? stale(`is stale: ${result.differing} of ${result.all} pixels differ (at most ${allowed} may)`)
    : "";
}

// A pupil on a phone with Bulgarian settings, the first turn picked and judged.
async function drawPicture(browser, lesson) {
  const page = await browser.newPage();
  await page.setViewport(kPhone);
  const session = await page.createCDPSession();
  await session.send("Emulation.setLocaleOverride", { locale: "bg-BG" });
  await joinAs(page, lesson, "Мария");
  await pick(page, 1);
  return page.screenshot();
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "guide-picture-"));
  fs.writeFileSync(path.join(folder, "lesson.ini"), kSettings);
  const lesson = await startHost(program, folder);
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--lang=bg-BG", "--font-render-hinting=none"],
  });
  try {
    const problem = await checkPicture(browser, await drawPicture(browser, lesson));
    if (problem) {
      throw new Error(problem);
    }
    console.log(`docs/${kPicture}: ${process.env.QUIZ_PICTURES ? "written" : "as the page draws it"}`);
  } finally {
    await browser.close();
    lesson.host.kill();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error.message || error);
  process.exit(1);
});

// The pupils' page in a real headless Chromium against the program hosting a lesson on
// loopback: joining, ten turns at a desk's and at a phone's size, a reload that continues, and
// the rows each verdict stands for in the class folder.
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const assert = require("node:assert/strict");
const puppeteer = require("puppeteer-core");
const { kListLength, startHost, listTexts, waitForTurn, joinAs, pick } = require("./hosted_lesson");

const [program, chromium, shots] = process.argv.slice(2);
const kTurns = 10;
const kSizes = [
  { name: "desk", viewport: { width: 1024, height: 768 } },
  { name: "phone", viewport: { width: 390, height: 844, isMobile: true, hasTouch: true } },
];

// The folder's rows of one pupil, as header name -> value.
function rowsOf(folder, pupil) {
  const rows = [];
  for (const name of fs.readdirSync(folder).filter((n) => n.endsWith(".csv"))) {
    const lines = fs.readFileSync(path.join(folder, name), "utf8").split("\r\n").filter(Boolean);
    const header = lines[0].split(",");
    for (const line of lines.slice(1)) {
      const fields = line.split(",");
      const row = Object.fromEntries(header.map((h, i) => [h, fields[i]]));
      if (row.pupil === pupil) {
        rows.push(row);
      }
    }
  }
  return rows.sort((a, b) => Number(a.turn) - Number(b.turn));
}

async function playTurn(page, side) {
  const shown = (await listTexts(page, 0))[0] + (await listTexts(page, 1))[0];
  const verdict = await pick(page, side);
  await page.click("#next");
  await waitForTurn(page, shown);
  return verdict;
}

async function playAt(browser, size, lesson, folder) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(size.viewport);
  const pupil = "Браузър " + size.name;
  await joinAs(page, lesson, pupil);
  assert.equal(await page.$eval("#join", (form) => form.checkVisibility()), false, "joined: no form");
  for (const side of [0, 1]) {
    const texts = await listTexts(page, side);
    assert.equal(texts.length, kListLength);
    assert.ok(texts.every((t) => /^-?\d+\.\d+$/.test(t)), "numbers with this browser's point");
  }
  await page.screenshot({ path: path.join(shots, `pupil-page-${size.name}.png`) });
  const verdicts = [];
  for (let turn = 1; turn <= kTurns; turn += 1) {
    if (turn === kTurns / 2 + 1) {
      // The tab reloaded on the same device goes on where it was.
      await page.reload({ waitUntil: "load" });
      await waitForTurn(page, "");
    }
    verdicts.push(await playTurn(page, turn % 2));
  }
  await page.screenshot({ path: path.join(shots, `pupil-page-${size.name}-judged.png`) });
  const rows = rowsOf(folder, pupil);
  assert.equal(rows.length, kTurns, `${size.name}: one row per turn`);
  rows.forEach((row, i) => {
    assert.equal(Number(row.turn), i + 1);
    assert.equal(Number(row.chosen_side), (i + 1) % 2, `${size.name}: turn ${i + 1}'s pick`);
    const right = row.right === "1" || row.right === "true";
    assert.equal(verdicts[i].includes("Правилно"), right, `${size.name}: verdict ${i + 1}`);
    assert.equal(verdicts[i].includes("Грешка!"), !right, `${size.name}: verdict ${i + 1}`);
  });
  await context.close();
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "pupil-page-"));
  const lesson = await startHost(program, folder);
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--lang=en-US"],
  });
  try {
    for (const size of kSizes) {
      await playAt(browser, size, lesson, folder);
      console.log(`${size.name}: ${kTurns} turns judged and written`);
    }
  } finally {
    await browser.close();
    lesson.host.kill();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

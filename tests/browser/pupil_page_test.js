// The pupils' page in a real headless Chromium against the program hosting a lesson on
// loopback: joining, ten turns at a desk's and at a phone's size, a reload that continues, and
// the rows each verdict stands for in the class folder.
"use strict";

const { spawn } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const assert = require("node:assert/strict");
const puppeteer = require("puppeteer-core");

const [program, chromium, shots] = process.argv.slice(2);
const kWaitMs = 20000; // a bound for a loaded machine, never a measure
const kTurns = 10;
const kListLength = 43;
const kSizes = [
  { name: "desk", viewport: { width: 1024, height: 768 } },
  { name: "phone", viewport: { width: 390, height: 844, isMobile: true, hasTouch: true } },
];

function startHost(folder) {
  const host = spawn(program, ["--teacher", folder, "--serve", "127.0.0.1:0"], {
    env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolve, reject) => {
    let out = "";
    host.stdout.on("data", (chunk) => {
      out += chunk;
      const line = out.match(/^(http:\/\/\S+) (\d+)\n/);
      if (line) {
        resolve({ host, url: line[1], code: line[2] });
      }
    });
    host.on("exit", (code) => reject(new Error("the host ended with " + code)));
    setTimeout(() => reject(new Error("the host printed no address")), kWaitMs);
  });
}

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

async function listTexts(page, side) {
  return page.$$eval(`#list${side} > li`, (items) => items.map((item) => item.textContent));
}

async function waitForTurn(page, before) {
  await page.waitForFunction(
    (previous, length) => {
      const items = document.querySelectorAll("#list0 > li");
      const shown = items.length === length &&
        items[0].textContent + document.querySelector("#list1 > li").textContent;
      return shown && shown !== previous && !document.getElementById("side0").disabled;
    },
    { timeout: kWaitMs }, before, kListLength);
}

async function playTurn(page, side) {
  const shown = (await listTexts(page, 0))[0] + (await listTexts(page, 1))[0];
  await page.click(`label:has(#side${side})`);
  await page.waitForFunction(() => !document.getElementById("next").disabled, { timeout: kWaitMs });
  const verdict = await page.$eval("#transcript", (t) => t.textContent);
  await page.click("#next");
  await waitForTurn(page, shown);
  return verdict;
}

async function playAt(browser, size, lesson, folder) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(size.viewport);
  await page.goto(lesson.url, { waitUntil: "load" });
  const pupil = "Браузър " + size.name;
  await page.type("#name", pupil);
  await page.type("#code", lesson.code);
  await page.click("#enter");
  await waitForTurn(page, "");
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
  const lesson = await startHost(folder);
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

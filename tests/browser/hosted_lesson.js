// The program hosting a lesson on loopback for the browser tests, and waiting for the page's
// turns: what both the page's test and the guide's picture drive Chromium against.
"use strict";

const { spawn } = require("node:child_process");

const kWaitMs = 20000; // a bound for a loaded machine, never a measure
const kListLength = 43;

// `program --teacher folder --serve 127.0.0.1:0`, once it printed its address and code.
function startHost(program, folder) {
  const host = spawn(program, ["--teacher", folder, "--serve", "127.0.0.1:0"], {
    env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolve, reject) => {
    // Cleared once the line is out, or it would keep Node running for its whole bound.
    const bound = setTimeout(() => reject(new Error("the host printed no address")), kWaitMs);
    let out = "";
    host.stdout.on("data", (chunk) => {
      out += chunk;
      const line = out.match(/^(http:\/\/\S+) (\d+)\n/);
      if (line) {
        clearTimeout(bound);
        resolve({ host, url: line[1], code: line[2] });
      }
    });
    host.on("exit", (code) => reject(new Error("the host ended with " + code)));
  });
}

async function listTexts(page, side) {
  return page.$$eval(`#list${side} > li`, (items) => items.map((item) => item.textContent));
}

// Until the page shows a turn other than `before` (the first numbers of both lists), ready to pick.
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

// Joins as `pupil` with the lesson's code, and waits for the first turn.
async function joinAs(page, lesson, pupil) {
  await page.goto(lesson.url, { waitUntil: "load" });
  await page.type("#name", pupil);
  await page.type("#code", lesson.code);
  await page.click("#enter");
  await waitForTurn(page, "");
}

// Picks `side` and waits for the verdict; the verdict's text.
async function pick(page, side) {
  await page.click(`label:has(#side${side})`);
  await page.waitForFunction(() => !document.getElementById("next").disabled, { timeout: kWaitMs });
  return page.$eval("#transcript", (t) => t.textContent);
}

module.exports = { kWaitMs, kListLength, startHost, listTexts, waitForTurn, joinAs, pick };

// The pupils' page: joins the lesson, shows each turn the host deals and the verdict it judges.
// The page knows nothing of the answer before the pick; it keeps only its device key and token.
"use strict";

const kRetryMs = [500, 1000, 2000, 4000];
const kReconnecting = "Връзката се възстановява…";
const store = window.localStorage;
const $ = (id) => document.getElementById(id);

let socket = null;
let token = store.getItem("token") || "";
let shownTurn = 0;
let judged = false;
let retries = 0;
let stopped = false;

function deviceKey() {
  let key = store.getItem("device");
  if (!key) {
    const bytes = new Uint8Array(16);
    crypto.getRandomValues(bytes);
    key = Array.from(bytes, (b) => b.toString(16).padStart(2, "0")).join("");
    store.setItem("device", key);
  }
  return key;
}

// The decimal separator this browser writes numbers with.
function decimalSeparator() {
  return (1.5).toLocaleString().indexOf(",") >= 0 ? "," : ".";
}

function say(text) {
  $("status").textContent = text;
}

function addLines(lines) {
  const transcript = $("transcript");
  transcript.textContent = lines.join("\n");
}

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN) {
    socket.send(JSON.stringify(message));
  }
}

function fillList(list, texts) {
  list.replaceChildren(...texts.map((text) => {
    const item = document.createElement("li");
    item.textContent = text;
    return item;
  }));
}

function showTurn(message) {
  $("join").hidden = true;
  $("quiz").hidden = false;
  shownTurn = message.turn;
  judged = false;
  fillList($("list0"), message.first);
  fillList($("list1"), message.second);
  for (const id of ["side0", "side1"]) {
    $(id).checked = false;
    $(id).disabled = false;
  }
  $("next").disabled = true;
  addLines([message.currency]);
}

function showJudged(message) {
  judged = true;
  $("side" + message.side).checked = true;
  for (const id of ["side0", "side1"]) {
    $(id).disabled = true;
  }
  $("next").disabled = false;
  addLines(message.report);
}

function showJoined(message) {
  token = message.token;
  store.setItem("token", token);
  store.setItem("name", message.pupil);
  $("join").hidden = true;
  $("quiz").hidden = false;
}

function showRefused(message) {
  if (message.reason === "unknown-token") {
    // The host no longer knows the session: join again with the name and code kept.
    token = "";
    store.removeItem("token");
    if (store.getItem("name") && store.getItem("code")) {
      join(store.getItem("name"), store.getItem("code"));
      return;
    }
    $("join").hidden = false;
    $("quiz").hidden = true;
  }
  say(message.text);
  if (message.close) {
    stopped = true;
  }
}

function receive(event) {
  let message;
  try {
    message = JSON.parse(event.data);
  } catch (error) {
    return;
  }
  say("");
  const handlers = { joined: showJoined, turn: showTurn, judged: showJudged, refused: showRefused };
  const handler = handlers[message.kind];
  if (handler) {
    handler(message);
  }
}

function join(name, code) {
  store.setItem("code", code);
  send({ kind: "join", name: name, code: code, device: deviceKey(), decimal: decimalSeparator() });
}

function connect() {
  const address = (location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/lesson";
  socket = new WebSocket(address);
  socket.onopen = () => {
    retries = 0;
    say("");
    if (token) {
      send({ kind: "resume", token: token });
    }
  };
  socket.onmessage = receive;
  socket.onclose = () => {
    socket = null;
    if (stopped) {
      return;
    }
    say(kReconnecting);
    const wait = kRetryMs[Math.min(retries, kRetryMs.length - 1)];
    retries += 1;
    setTimeout(connect, wait);
  };
}

function pick(side) {
  if (!judged && shownTurn > 0) {
    send({ kind: "pick", token: token, turn: shownTurn, side: side });
  }
}

$("join").addEventListener("submit", (event) => {
  event.preventDefault();
  stopped = false;
  if (!socket) {
    connect();
  }
  const name = $("name").value.trim();
  const code = $("code").value.trim();
  if (socket.readyState === WebSocket.OPEN) {
    join(name, code);
  } else {
    socket.addEventListener("open", () => join(name, code), { once: true });
  }
});
$("side0").addEventListener("change", () => pick(0));
$("side1").addEventListener("change", () => pick(1));
$("next").addEventListener("click", () => send({ kind: "next", token: token }));
$("name").value = store.getItem("name") || "";
if (token) {
  connect();
}

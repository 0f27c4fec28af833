// The page around Gulpkin: loads the game with its progress shown, starts it
// at once so that its start-up work and pauses pass while the page waits,
// and shows its first frame on the first key, click or touch (a browser
// lets sound start only then). It keeps the game's keys from the browser,
// offers buttons for the keys a browser keeps for itself and touch controls
// for the screen the game shows, fits the canvas to the window, freezes the
// game while the page is hidden, keeps the best score in the browser's
// storage, hands a capture over as a download, keeps the screen awake while
// the game runs, keeps the site for offline visits and starts the game
// again on the touch after its end.
//
// window.gulpkin holds what the page knows of the running game:
//   frames       frames presented so far
//   readyAt      page time (ms) when the game could start
//   startedAt    page time of the key or touch that asked for the game
//   firstFrameAt page time of the first frame presented after it
//   frameCosts   the last 256 frames' work in ms (from the frame limiter's
//                release to the frame on the canvas), costCount how many
//                were recorded in all
//   screen       the screen the game shows: intro, menu, play, lost-life, end
//   loaded       bytes of the game's code and data received so far, of total
//   downloads    captures offered as downloads so far
//   stored       times the written files reached the browser's storage
//   awake        a screen wake lock is held
//   held         the game waits at its first frame for the player
//   ended        true from the game's end to the touch that plays again
//   frozen       times the game froze in a hidden page
"use strict";

(function () {
  const kStorageFolder = "/libsdl";  // where SDL keeps the game's written files
  const kClaimedKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Space", "Escape", "Enter",
                                "F1", "F2", "F3", "F10", "F11", "F12"]);
  const kScreens = ["intro", "menu", "play", "lost-life", "end"];  // platform::ShownScreen's order
  const kCostSlots = 256;
  const kButtonHoldMs = 150;     // long enough for several frames to see the key
  const kCaptureQuietMs = 400;   // writes stopped this long: the capture is offered
  const kQuitArmedMs = 3000;     // a second tap on Esc within this ends the game
  const kBlurSettleMs = 250;     // a lost focus counts once the page is still shown after this
  const kFrameAspect = 4 / 3;
  const kFrameWidth = 1024;
  // the key a tap on the picture sends to end the wait after a lost life:
  // any key ends the wait, and this one does nothing in play
  const kContinueKey = "Enter";
  const debug = new URLSearchParams(location.search).has("debug");

  const canvas = document.getElementById("canvas");
  const stage = document.getElementById("stage");
  const message = document.getElementById("message");
  const rate = document.getElementById("rate");
  const quit = document.getElementById("quit");
  const sharp = document.getElementById("sharp");

  const gulpkin = {
    frames: 0, readyAt: 0, startedAt: 0, firstFrameAt: 0, ended: false, downloads: 0, stored: 0, awake: false,
    frameCosts: new Float64Array(kCostSlots), costCount: 0, screen: "", frozen: 0, held: false,
    loaded: { wasm: [0, 0], data: [0, 0] },
  };
  window.gulpkin = gulpkin;

  let ready = false;     // the game's code, data and storage are loaded
  let wanted = false;    // the player asked for the game (its first frame may show)
  let running = false;   // main runs
  let playerCame = null; // settles awaitPlayer()'s promise

  function say(text) {
    message.textContent = text;
    message.hidden = text === "";
  }

  // ---- loading, with the bytes received shown ----

  function showProgress() {
    if (ready) return;
    const got = gulpkin.loaded.wasm[0] + gulpkin.loaded.data[0];
    const total = gulpkin.loaded.wasm[1] + gulpkin.loaded.data[1];
    const mb = (bytes) => (bytes / 1e6).toFixed(1);
    say(total > 0 ? "Loading Gulpkin\u2026 " + mb(got) + " of " + mb(total) + " MB" : "Loading Gulpkin\u2026");
  }

  // the data package reports "Downloading data... (got/total)"
  function loadingStatus(text) {
    const counts = /^Downloading data\.\.\. \((\d+)\/(\d+)\)/.exec(text || "");
    if (counts) gulpkin.loaded.data = [Number(counts[1]), Number(counts[2])];
    showProgress();
  }

  // The game's code is fetched here, its bytes counted on their way to the
  // compiler, which still compiles while they arrive.
  function instantiateWasm(imports, receive) {
    fetch("gulpkin.wasm", { credentials: "same-origin" }).then((response) => {
      if (!response.ok) throw new Error("gulpkin.wasm: HTTP " + response.status);
      gulpkin.loaded.wasm[1] = Number(response.headers.get("Content-Length")) || 0;
      const reader = response.body.getReader();
      const counted = new ReadableStream({
        pull(controller) {
          return reader.read().then(({ done, value }) => {
            if (done) {
              controller.close();
              return;
            }
            gulpkin.loaded.wasm[0] += value.length;
            showProgress();
            controller.enqueue(value);
          });
        },
      });
      const wasm = new Response(counted, { headers: { "Content-Type": "application/wasm" } });
      return WebAssembly.instantiateStreaming(wasm, imports);
    }).then((result) => receive(result.instance, result.module))
      .catch((error) => say("Gulpkin could not be loaded: " + error.message));
    return {};
  }

  // ---- the game's hooks (platform/sdl/sdl_page_browser.cpp) ----

  // rest(): a message to ourselves comes back as soon as the browser has
  // run its pending events, without the lower bound browsers put on short
  // timers. While the page is hidden no rest ends: the game stands still,
  // whatever its screen, until the page is shown again.
  const channel = new MessageChannel();
  const waiting = [];
  const frozen = [];
  channel.port1.onmessage = () => waiting.shift()();

  function rest(ms) {
    return new Promise((resolve) => {
      const wake = () => {
        if (document.hidden) {
          if (frozen.length === 0) gulpkin.frozen++;
          frozen.push(resolve);
        } else {
          resolve();
        }
      };
      if (ms >= 1) {
        setTimeout(wake, Math.floor(ms));
      } else {
        waiting.push(wake);
        channel.port2.postMessage(0);
      }
    });
  }

  function thaw() {
    while (frozen.length > 0) frozen.shift()();
  }

  // the game's first frame waits for the player
  function playerAwaited() {
    return wanted ? 0 : 1;
  }

  function awaitPlayer() {
    return new Promise((resolve) => {
      if (wanted) {
        resolve();
      } else {
        gulpkin.held = true;
        playerCame = resolve;
      }
    });
  }

  function framePresented(workMs) {
    gulpkin.frames++;
    if (gulpkin.firstFrameAt === 0) gulpkin.firstFrameAt = performance.now();
    gulpkin.frameCosts[gulpkin.costCount % kCostSlots] = workMs;
    gulpkin.costCount++;
    // the wait after a lost life shows no frame: the next one is play's
    if (gulpkin.screen === "lost-life") showingScreen(kScreens.indexOf("play"));
  }

  // fileWritten(): the game captures the screen on every frame F12 is down
  // (and once more on the frame after it is let go, which still sees it);
  // the newest capture is offered once F12 is up and the writes have
  // stopped for a moment, so that one press gives one download.
  let capturePath = null;
  let captureTimer = 0;
  let f12Down = false;

  function fileWritten(path) {
    if (!path.toLowerCase().endsWith(".bmp")) {
      saveStorage();
      return;
    }
    capturePath = path;
    offerCaptureSoon();
  }

  function offerCaptureSoon() {
    clearTimeout(captureTimer);
    captureTimer = setTimeout(() => { if (!f12Down) offerCapture(); }, kCaptureQuietMs);
  }

  function offerCapture() {
    clearTimeout(captureTimer);
    if (capturePath === null) return;
    const path = capturePath;
    capturePath = null;
    if (!FS.analyzePath(path).exists) return;
    const bytes = FS.readFile(path);
    FS.unlink(path);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "image/bmp" }));
    link.download = path.substring(path.lastIndexOf("/") + 1);
    document.body.appendChild(link);
    link.click();
    link.remove();
    gulpkin.downloads++;
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // showingScreen(): the controls of that screen only (index.html marks
  // each key button with the screen it serves)
  function showingScreen(index) {
    const screen = kScreens[index] || "";
    gulpkin.screen = screen;
    document.body.dataset.screen = screen;
    for (const button of document.querySelectorAll("#keys button[data-screen]")) {
      button.hidden = button.dataset.screen !== screen;
    }
  }

  // The game has ended: it starts again at once, its first frame waiting
  // for the touch that plays again, so that the title follows that touch
  // without a reload.
  function gameEnded() {
    gulpkin.ended = true;
    running = false;
    wanted = false;
    releaseWakeLock();
    disarmQuit();
    showingScreen(-1);
    say("Gulpkin has ended. Press a key or touch to play again.");
    setTimeout(runGame, 0);
  }

  // ---- storage ----

  function saveStorage() {
    FS.syncfs(false, (error) => {
      if (error) {
        console.warn("Gulpkin: the best score could not be kept", error);
      } else {
        gulpkin.stored++;
      }
    });
  }

  function loadStorage() {
    FS.mkdir(kStorageFolder);
    FS.mount(IDBFS, {}, kStorageFolder);
    Module.addRunDependency("storage");
    FS.syncfs(true, (error) => {
      if (error) console.warn("Gulpkin: the stored best score could not be read", error);
      Module.removeRunDependency("storage");
    });
  }

  // ---- the screen stays awake while the game runs ----

  let wakeLock = null;

  function holdWakeLock() {
    if (!navigator.wakeLock || wakeLock || !wanted || document.hidden) return;
    navigator.wakeLock.request("screen").then((lock) => {
      wakeLock = lock;
      gulpkin.awake = true;
      lock.addEventListener("release", () => {
        wakeLock = null;
        gulpkin.awake = false;
      });
    }).catch(() => {});  // refused (battery saver, no permission): the screen may dim
  }

  function releaseWakeLock() {
    if (wakeLock) wakeLock.release().catch(() => {});
  }

  // ---- sound ----

  // The page makes the game's audio context itself, before the game opens
  // its sound (SDL takes one it finds), so that the gesture that asks for
  // the game can start it: browsers count the end of a touch, not its
  // start, as such a gesture.
  function audioContext() {
    const sdl = Module.SDL2 || (Module.SDL2 = {});
    if (!sdl.audioContext) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (Context) sdl.audioContext = new Context();
    }
    return sdl.audioContext;
  }

  function resumeSound() {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (context && context.state === "suspended" && wanted && !document.hidden) context.resume().catch(() => {});
  }

  // ---- starting and ending ----

  function runGame() {
    if (running || !ready) return;
    running = true;
    audioContext();
    Module.callMain([]);
  }

  function askForGame() {
    if (wanted) return;
    wanted = true;
    gulpkin.ended = false;
    gulpkin.startedAt = performance.now();
    gulpkin.firstFrameAt = 0;
    say(ready ? "" : message.textContent);
    canvas.focus();
    holdWakeLock();
    if (playerCame) {
      gulpkin.held = false;
      playerCame();
      playerCame = null;
    }
  }

  // the first key, click or touch asks for the game, and after its end the
  // next one asks again; the game, already running, never sees that key
  function gesture(event) {
    if (!wanted) {
      askForGame();
      if (event && event.type === "keydown") {
        event.preventDefault();
        event.stopImmediatePropagation();
      }
    }
    resumeSound();
  }

  // the end of a touch, a click or a key may start sound where its start may not
  for (const type of ["touchend", "pointerup", "click", "keyup", "keydown"]) {
    window.addEventListener(type, resumeSound, true);
  }

  // ---- keys ----

  // The game reads the keys through SDL's own listeners; the page only keeps
  // the browser from scrolling, searching or leaving on them. A real key
  // hides the touch controls.
  window.addEventListener("keydown", (event) => {
    if (kClaimedKeys.has(event.code)) event.preventDefault();
    if (event.code === "F12") f12Down = true;
    if (event.isTrusted) useTouchControls(false);
    gesture(event);
  }, true);
  window.addEventListener("keyup", (event) => {
    if (kClaimedKeys.has(event.code)) event.preventDefault();
    if (event.code === "F12") {
      f12Down = false;
      if (capturePath !== null) offerCaptureSoon();
    }
  }, true);
  // without the focus no key-up may come: a capture waiting for one goes now
  window.addEventListener("blur", () => {
    f12Down = false;
    offerCapture();
  });
  message.addEventListener("click", gesture);
  canvas.addEventListener("pointerdown", (event) => { if (event.pointerType === "mouse") gesture(event); });

  // Keys held by buttons and the steering pad go through the same listeners
  // as real keys. A key held by two controls at once stays down until both
  // let go.
  const holders = new Map();

  function holdKey(code) {
    const count = holders.get(code) || 0;
    holders.set(code, count + 1);
    if (count === 0) window.dispatchEvent(new KeyboardEvent("keydown", { code: code, key: code, bubbles: true }));
  }

  function letGoKey(code) {
    const count = holders.get(code) || 0;
    if (count === 0) return;
    holders.set(code, count - 1);
    if (count === 1) window.dispatchEvent(new KeyboardEvent("keyup", { code: code, key: code, bubbles: true }));
  }

  function pressKey(code) {
    if (!wanted) {
      gesture(null);
      return;
    }
    holdKey(code);
    setTimeout(() => letGoKey(code), kButtonHoldMs);
  }

  for (const button of document.querySelectorAll("#controls button")) {
    button.tabIndex = -1;
    button.addEventListener("mousedown", (event) => event.preventDefault());  // keeps the focus off it
  }
  for (const button of document.querySelectorAll("#controls button[data-code]")) {
    button.addEventListener("click", () => {
      pressKey(button.dataset.code);
      resumeSound();
    });
  }
  document.getElementById("fullscreen").addEventListener("click", () => {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
  });

  // ---- touch controls ----

  // Shown on a touch screen from the first touch, hidden once a real key or
  // a pad is used, shown again on the next touch.
  function useTouchControls(on) {
    if (document.body.classList.contains("touch") === on) return;
    document.body.classList.toggle("touch", on);
    fitCanvas();
  }

  // Each touch holds the key of the control it started on, until it ends:
  // steering and the charge can be held at the same time.
  const touchKeys = new Map();  // touch identifier -> {code, element, since}
  const padTouches = new Set();  // identifiers of the touches that steer

  function startTouchKey(touch, code, element) {
    touchKeys.set(touch.identifier, { code: code, element: element, since: performance.now() });
    element.classList.add("held");
    holdKey(code);
  }

  function endTouchKey(id) {
    const held = touchKeys.get(id);
    if (!held) return;
    touchKeys.delete(id);
    held.element.classList.remove("held");
    // a quick tap still spans a few of the game's frames
    const left = kButtonHoldMs - (performance.now() - held.since);
    if (left > 0) setTimeout(() => letGoKey(held.code), left); else letGoKey(held.code);
  }

  // The steering pad is one surface cut into four quarters along its
  // diagonals around a small dead centre: the thumb steers by where it
  // rests, slides from one direction to the next without lifting, and
  // needs no look at the pad to find an arrow.
  const pad = document.getElementById("pad");
  const kDeadCentre = 0.15;  // of the pad's radius
  const arrows = { ArrowUp: "up", ArrowDown: "down", ArrowLeft: "left", ArrowRight: "right" };

  function padDirection(touch) {
    const box = pad.getBoundingClientRect();
    const dx = touch.clientX - (box.left + box.width / 2);
    const dy = touch.clientY - (box.top + box.height / 2);
    if (Math.hypot(dx, dy) < kDeadCentre * box.width / 2) return null;
    if (Math.abs(dx) > Math.abs(dy)) return dx < 0 ? "ArrowLeft" : "ArrowRight";
    return dy < 0 ? "ArrowUp" : "ArrowDown";
  }

  function steer(touch) {
    const code = padDirection(touch);
    const held = touchKeys.get(touch.identifier);
    if (held && held.code === code) return;
    if (held) endTouchKey(touch.identifier);
    if (code) startTouchKey(touch, code, pad.querySelector("." + arrows[code]));
  }

  // Esc on a touch screen asks first: the first tap arms it, a second one
  // within a few seconds ends the game.
  let quitTimer = 0;

  function disarmQuit() {
    clearTimeout(quitTimer);
    quit.classList.remove("armed");
    quit.textContent = "Esc";
  }

  function tapQuit(touch) {
    if (quit.classList.contains("armed")) {
      disarmQuit();
      startTouchKey(touch, "Escape", quit);
      return;
    }
    quit.classList.add("armed");
    quit.textContent = "Quit? Tap again";
    quitTimer = setTimeout(disarmQuit, kQuitArmedMs);
  }

  // What a touch starting at a point does: steer, hold a key, ask before
  // quitting, or, during the wait after a lost life, end the wait with a key
  // that does nothing in play (the charge too: the wait spends no charge).
  function touchDown(touch) {
    const element = document.elementFromPoint(touch.clientX, touch.clientY);
    if (!element) return;
    if (pad.contains(element)) {
      padTouches.add(touch.identifier);
      steer(touch);
    } else if (element === quit) {
      tapQuit(touch);
    } else if (gulpkin.screen === "lost-life" && (stage.contains(element) || element.id === "charge")) {
      startTouchKey(touch, kContinueKey, element);
    } else if (element.closest("button[data-code]")) {
      startTouchKey(touch, element.closest("button[data-code]").dataset.code, element.closest("button"));
    }
  }

  document.addEventListener("touchstart", (event) => {
    useTouchControls(true);
    if (!wanted) {
      event.preventDefault();
      gesture(event);
      return;
    }
    for (const touch of event.changedTouches) touchDown(touch);
    if (event.cancelable) event.preventDefault();  // no mouse events, no double-tap zoom
  }, { passive: false });
  document.addEventListener("touchmove", (event) => {
    for (const touch of event.changedTouches) {
      if (padTouches.has(touch.identifier)) steer(touch);
    }
    if (event.cancelable) event.preventDefault();
  }, { passive: false });
  for (const type of ["touchend", "touchcancel"]) {
    document.addEventListener(type, (event) => {
      for (const touch of event.changedTouches) {
        padTouches.delete(touch.identifier);
        endTouchKey(touch.identifier);
      }
      if (event.cancelable) event.preventDefault();
    }, { passive: false });
  }

  // a pad (joystick) in use hides the touch controls too
  window.addEventListener("gamepadconnected", () => useTouchControls(false));
  function padPressed() {
    for (const gamepad of navigator.getGamepads ? navigator.getGamepads() : []) {
      if (gamepad && gamepad.buttons.some((b) => b.pressed)) return true;
    }
    return false;
  }

  // ---- the canvas as large as its stage allows ----

  // A landscape touch screen puts the pad and the charge beside the canvas
  // or, where that gives the larger picture (a tablet's 4:3 screen), under
  // it; decided from the window alone, so that the choice never feeds back.
  function chooseTouchLayout() {
    const w = window.innerWidth, h = window.innerHeight;
    const sidePad = Math.min(0.4 * h, 0.19 * w, 180) + 24;  // page.css --pad and its margins
    const beside = Math.min(w - 2 * sidePad, h * kFrameAspect);
    const under = Math.min(w, (h - 184) * kFrameAspect);   // a 160 px pad and its margins
    document.body.classList.toggle("beneath", w > h && under > beside);
  }

  // Below the frame's own size the canvas is smoothed; above it the player
  // may ask for whole multiples only, for even pixels.
  function fitCanvas() {
    chooseTouchLayout();
    const width = stage.clientWidth, height = stage.clientHeight;
    let w = Math.floor(Math.min(width, height * kFrameAspect));
    const ratio = window.devicePixelRatio || 1;
    const multiple = Math.floor(w * ratio / kFrameWidth);
    if (sharp.checked && multiple >= 1 && !document.body.classList.contains("touch")) {
      w = Math.floor(multiple * kFrameWidth / ratio);
    }
    const h = Math.floor(w / kFrameAspect);
    canvas.style.width = w + "px";
    canvas.style.height = h + "px";
    canvas.classList.toggle("smooth", w * ratio < kFrameWidth);
    canvas.style.left = Math.floor((width - w) / 2) + "px";
    // under the canvas in portrait touch play: the canvas sits at the top
    const portraitTouch = document.body.classList.contains("touch") && height > width * 0.75 &&
                          window.innerHeight > window.innerWidth;
    canvas.style.top = (portraitTouch ? 0 : Math.floor((height - h) / 2)) + "px";
    showTurnHint(w);
  }

  // In portrait, a hint to turn the phone when the landscape page would
  // give a clearly larger picture (the side controls take about 370 px).
  function showTurnHint(portraitWidth) {
    const hint = document.getElementById("turn-hint");
    const portrait = window.innerHeight > window.innerWidth;
    const landscapeWidth = Math.min(window.innerHeight - 370, window.innerWidth * kFrameAspect);
    hint.hidden = !(portrait && landscapeWidth > portraitWidth * 1.1);
  }

  try {
    sharp.checked = localStorage.getItem("gulpkin-sharp") === "1";
  } catch (error) {
    // no storage (a private window): the choice lasts for the visit
  }
  sharp.addEventListener("change", () => {
    try {
      localStorage.setItem("gulpkin-sharp", sharp.checked ? "1" : "0");
    } catch (error) {
      // as above
    }
    fitCanvas();
  });

  new ResizeObserver(fitCanvas).observe(stage);
  window.addEventListener("resize", fitCanvas);
  if (window.matchMedia("(pointer: coarse)").matches) useTouchControls(true);
  fitCanvas();

  // ---- the page hidden or without the focus ----

  // A hidden page freezes the game on any screen (its rests wait, its sound
  // stops) and lets go of the wake lock; shown again, all goes on. A page
  // that is still shown but has lost the focus (another window in front)
  // tells the game, which then follows its own rules for a lost screen. The
  // browser's own blur is held back a moment, since hiding a page blurs it
  // too, before the page is marked hidden.
  document.addEventListener("visibilitychange", () => {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (document.hidden) {
      if (context && context.state === "running") context.suspend().catch(() => {});
      for (const id of Array.from(touchKeys.keys())) endTouchKey(id);
      padTouches.clear();
      releaseWakeLock();
    } else {
      thaw();
      resumeSound();
      holdWakeLock();
    }
  });
  window.addEventListener("blur", (event) => {
    if (!event.isTrusted) return;
    event.stopImmediatePropagation();
    setTimeout(() => {
      if (!document.hidden && !document.hasFocus()) window.dispatchEvent(new FocusEvent("blur"));
    }, kBlurSettleMs);
  }, true);

  rate.hidden = !debug;
  setInterval(() => {
    const frames = gulpkin.frames;
    if (debug && wanted) rate.textContent = (frames - (rate.lastFrames || 0)) + " frames/s";
    rate.lastFrames = frames;
    if (padPressed()) useTouchControls(false);
  }, 1000);

  // ---- offline: the site is kept by a service worker (sw.js) ----

  // The worker is registered once the game's files are loaded, so that it
  // takes them from the browser's cache instead of the network. A new
  // build's worker takes over at once; a page whose player has not asked for
  // the game yet reloads, so that every file it runs is of the new build.
  let hadWorker = false;

  function keepSiteOffline() {
    if (!("serviceWorker" in navigator)) return;
    navigator.serviceWorker.register("sw.js").catch((error) => console.warn("Gulpkin: no offline copy", error));
  }

  if ("serviceWorker" in navigator) {
    hadWorker = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener("controllerchange", () => {
      if (hadWorker && !wanted) location.reload();
    });
  }

  // ---- the Emscripten module ----

  window.Module = {
    canvas: canvas,
    noInitialRun: true,
    preRun: [loadStorage],
    instantiateWasm: instantiateWasm,
    setStatus: loadingStatus,
    rest: rest,
    playerAwaited: playerAwaited,
    awaitPlayer: awaitPlayer,
    framePresented: framePresented,
    showingScreen: showingScreen,
    onFileWritten: fileWritten,
    onRuntimeInitialized: () => {
      ready = true;
      gulpkin.readyAt = performance.now();
      if (!wanted) say("Press a key or touch to play (with sound)");
      else say("");
      runGame();
      keepSiteOffline();
    },
    gameEnded: gameEnded,
    onAbort: (what) => say("Gulpkin stopped: " + what),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
  showProgress();
})();

// The page around Gulpkin: starts the game on the first key, click or touch
// (a browser lets sound start only then), keeps the game's keys from the
// browser, offers buttons for the keys a browser keeps for itself and touch
// controls on a touch screen, fits the canvas to the window, keeps the best
// score in the browser's storage, hands a capture over as a download, keeps
// the screen awake while the game runs, keeps the site for offline visits
// and says when the game has ended.
//
// window.gulpkin holds what the page knows of the running game:
//   frames       frames presented so far
//   readyAt      page time (ms) when the game could start
//   startedAt    page time of the key or click that started it
//   firstFrameAt page time of the first frame presented
//   frameCosts   the last 256 frames' work in ms (from the frame limiter's
//                release to the frame on the canvas), costCount how many
//                were recorded in all
//   downloads    captures offered as downloads so far
//   stored       times the written files reached the browser's storage
//   awake        a screen wake lock is held
//   ended        true once the game has ended
"use strict";

(function () {
  const kStorageFolder = "/libsdl";  // where SDL keeps the game's written files
  const kClaimedKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Space", "Escape",
                                "F1", "F2", "F3", "F10", "F11", "F12"]);
  const kCostSlots = 256;
  const kButtonHoldMs = 150;     // long enough for several frames to see the key
  const kCaptureQuietMs = 400;   // writes stopped this long: the capture is offered
  const kFrameAspect = 4 / 3;

  const canvas = document.getElementById("canvas");
  const stage = document.getElementById("stage");
  const message = document.getElementById("message");
  const rate = document.getElementById("rate");

  const gulpkin = {
    frames: 0, readyAt: 0, startedAt: 0, firstFrameAt: 0, ended: false, downloads: 0, stored: 0, awake: false,
    frameCosts: new Float64Array(kCostSlots), costCount: 0,
  };
  window.gulpkin = gulpkin;

  let ready = false;        // the game's code, data and storage are loaded
  let wanted = false;       // the player asked to start
  let started = false;

  function say(text) {
    message.textContent = text;
    message.hidden = text === "";
  }

  // ---- the game's hooks (media/platform/sdl/sdl_page_browser.cpp) ----

  // rest(): a message to ourselves comes back as soon as the browser has
  // run its pending events, without the lower bound browsers put on short
  // timers.
  const channel = new MessageChannel();
  const waiting = [];
  channel.port1.onmessage = () => waiting.shift()();

  function rest(ms) {
    return new Promise((resolve) => {
      if (ms >= 1) {
        setTimeout(resolve, Math.floor(ms));
      } else {
        waiting.push(resolve);
        channel.port2.postMessage(0);
      }
    });
  }

  function framePresented(workMs) {
    gulpkin.frames++;
    if (gulpkin.frames === 1) gulpkin.firstFrameAt = performance.now();
    gulpkin.frameCosts[gulpkin.costCount % kCostSlots] = workMs;
    gulpkin.costCount++;
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

  function gameEnded() {
    gulpkin.ended = true;
    releaseWakeLock();
    say("Gulpkin has ended. Press a key or touch to play again.");
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
    if (!navigator.wakeLock || wakeLock || !started || gulpkin.ended || document.hidden) return;
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

  // ---- starting and ending ----

  function startGame() {
    wanted = true;
    if (!ready || started) return;
    started = true;
    say("");
    gulpkin.startedAt = performance.now();
    canvas.focus();
    holdWakeLock();
    Module.callMain([]);
  }

  function resumeSound() {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (context && context.state === "suspended") context.resume();
  }

  // the first key, click or touch starts the game; after its end, the next
  // one plays again
  function gesture(event) {
    resumeSound();
    if (gulpkin.ended) {
      location.reload();
    } else if (!started) {
      startGame();
      if (event && event.type === "keydown") event.preventDefault();
    }
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
  canvas.addEventListener("pointerdown", gesture);

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
    if (!started) {
      startGame();
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
      resumeSound();
      pressKey(button.dataset.code);
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

  function touchTarget(touch) {
    const element = document.elementFromPoint(touch.clientX, touch.clientY);
    if (!element) return null;
    if (pad.contains(element)) return pad;
    return element.closest("button[data-code]");
  }

  document.addEventListener("touchstart", (event) => {
    useTouchControls(true);
    resumeSound();
    if (!started || gulpkin.ended) {
      event.preventDefault();
      gesture(event);
      return;
    }
    for (const touch of event.changedTouches) {
      const target = touchTarget(touch);
      if (target === pad) {
        padTouches.add(touch.identifier);
        steer(touch);
      } else if (target) {
        startTouchKey(touch, target.dataset.code, target);
      }
    }
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

  function fitCanvas() {
    const width = stage.clientWidth, height = stage.clientHeight;
    const w = Math.floor(Math.min(width, height * kFrameAspect));
    const h = Math.floor(w / kFrameAspect);
    canvas.style.width = w + "px";
    canvas.style.height = h + "px";
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

  new ResizeObserver(fitCanvas).observe(stage);
  window.addEventListener("resize", fitCanvas);
  if (window.matchMedia("(pointer: coarse)").matches) useTouchControls(true);
  fitCanvas();

  // ---- the tab hidden, the rate shown ----

  // A hidden tab is a window without the focus, like any other; it lets go
  // of the wake lock, which is taken again when the tab is seen.
  document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
      window.dispatchEvent(new FocusEvent("blur"));
      releaseWakeLock();
    } else {
      holdWakeLock();
    }
  });

  setInterval(() => {
    const frames = gulpkin.frames;
    if (started && !gulpkin.ended) rate.textContent = (frames - (rate.lastFrames || 0)) + " frames/s";
    rate.lastFrames = frames;
    if (padPressed()) useTouchControls(false);
  }, 1000);

  // ---- offline: the site is kept by a service worker (sw.js) ----

  // A new build's worker takes over at once; a page that has not started
  // its game yet reloads, so that every file it runs is of the new build.
  if ("serviceWorker" in navigator) {
    const hadWorker = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener("controllerchange", () => {
      if (hadWorker && !started) location.reload();
    });
    window.addEventListener("load", () => {
      navigator.serviceWorker.register("sw.js").catch((error) => console.warn("Gulpkin: no offline copy", error));
    });
  }

  // ---- the Emscripten module ----

  window.Module = {
    canvas: canvas,
    noInitialRun: true,
    preRun: [loadStorage],
    rest: rest,
    framePresented: framePresented,
    onFileWritten: fileWritten,
    onRuntimeInitialized: () => {
      ready = true;
      gulpkin.readyAt = performance.now();
      if (wanted) {
        startGame();
      } else {
        say("Press a key or touch to play (with sound)");
      }
    },
    gameEnded: gameEnded,
    onAbort: (what) => say("Gulpkin stopped: " + what),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
})();

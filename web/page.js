// The page around Gulpkin: starts the game on the first key or click (a
// browser lets sound start only then), keeps the game's keys from the
// browser, offers buttons for the keys a browser keeps for itself, keeps the
// best score in the browser's storage, hands a capture over as a download,
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
//   ended        true once the game has ended
"use strict";

(function () {
  const kStorageFolder = "/libsdl";  // where SDL keeps the game's written files
  const kClaimedKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Space", "Escape",
                                "F1", "F2", "F3", "F10", "F11", "F12"]);
  const kCostSlots = 256;
  const kButtonHoldMs = 150;  // long enough for several frames to see the key

  const canvas = document.getElementById("canvas");
  const message = document.getElementById("message");
  const rate = document.getElementById("rate");

  const gulpkin = {
    frames: 0, readyAt: 0, startedAt: 0, firstFrameAt: 0, ended: false,
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

  // ---- the game's waits and frames (media/platform/sdl/sdl_page.cpp) ----

  // A message to ourselves comes back as soon as the browser has run its
  // pending events, without the lower bound browsers put on short timers.
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

  // ---- files ----

  function saveStorage() {
    FS.syncfs(false, (error) => {
      if (error) console.warn("Gulpkin: the best score could not be kept", error);
    });
  }

  function offerDownload(path) {
    const bytes = FS.readFile(path);
    FS.unlink(path);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "image/bmp" }));
    link.download = path.substring(path.lastIndexOf("/") + 1);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  function fileWritten(path) {
    if (path.toLowerCase().endsWith(".bmp")) {
      offerDownload(path);
    } else {
      saveStorage();
    }
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

  // ---- starting and ending ----

  function startGame() {
    wanted = true;
    if (!ready || started) return;
    started = true;
    say("");
    gulpkin.startedAt = performance.now();
    canvas.focus();
    Module.callMain([]);
  }

  function gameEnded() {
    gulpkin.ended = true;
    say("Gulpkin has ended. Press a key or click to play again.");
  }

  // ---- keys and buttons ----

  function resumeSound() {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (context && context.state === "suspended") context.resume();
  }

  function gesture(event) {
    resumeSound();
    if (gulpkin.ended) {
      location.reload();
    } else if (!started) {
      startGame();
      if (event.type === "keydown") event.preventDefault();
    }
  }

  // The game reads the keys through SDL's own listeners; the page only keeps
  // the browser from scrolling, searching or leaving on them.
  window.addEventListener("keydown", (event) => {
    if (kClaimedKeys.has(event.code)) event.preventDefault();
    gesture(event);
  }, true);
  window.addEventListener("keyup", (event) => {
    if (kClaimedKeys.has(event.code)) event.preventDefault();
  }, true);
  message.addEventListener("click", gesture);
  canvas.addEventListener("pointerdown", gesture);

  // A button holds its key for a moment, through the same listeners as a
  // real key.
  function pressKey(code) {
    if (!started) {
      startGame();
      return;
    }
    window.dispatchEvent(new KeyboardEvent("keydown", { code: code, key: code, bubbles: true }));
    setTimeout(() => window.dispatchEvent(new KeyboardEvent("keyup", { code: code, key: code, bubbles: true })),
               kButtonHoldMs);
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
    const stage = document.getElementById("stage");
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
  });

  // A hidden tab is a window without the focus, like any other.
  document.addEventListener("visibilitychange", () => {
    if (document.hidden) window.dispatchEvent(new FocusEvent("blur"));
  });

  setInterval(() => {
    const frames = gulpkin.frames;
    if (started && !gulpkin.ended) rate.textContent = (frames - (rate.lastFrames || 0)) + " frames/s";
    rate.lastFrames = frames;
  }, 1000);

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
        say("Press a key or click to play (with sound)");
      }
    },
    gameEnded: gameEnded,
    onAbort: (what) => say("Gulpkin stopped: " + what),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
})();

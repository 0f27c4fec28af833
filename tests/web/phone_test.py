#!/usr/bin/python3
"""Plays the web build of Gulpkin on an emulated phone in headless Chromium.

    tests/web/phone_test.py SITE_DIR HEADLESS_DRIVER [--shots DIR]

The site is served on 127.0.0.1 only; the browser emulates a phone's
screen and touch, and every touch is sent through the DevTools protocol.
Checked: the first visit, on a slow network, shows the bytes loaded; one
tap starts the sound, and the first frame follows it within the budget; the
page fits 360 x 640, 412 x 915, 915 x 412, 768 x 1024 and 1024 x 768 (every
control inside the window and at least 44 x 44, nothing to scroll, the
canvas as large as its stage allows, no empty band in portrait, the
controls under the canvas in portrait and beside it in landscape, under it
on the tablet where its picture is no smaller than in portrait); the
title's intro survives a hidden page; each screen offers its own keys; a
game started, chosen and steered by touch alone plays like the keyboard's
(the frame of play equals the native one, the player walks left); steering
and the charge held at once; a real key hides the touch controls and the
next touch shows them; after a lost life a tap on the picture or the
charge plays on without a charge; one tap on Esc only asks, a second ends
the game, and one touch after its end shows the title at once; each large
file crosses the network once; the second visit plays with the network
off. Exit code 0 when every check passes.
"""
import json
import argparse
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser_test as web  # noqa: E402
from browser_test import check  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402

SIZES = [(360, 640), (412, 915), (915, 412), (768, 1024), (1024, 768)]
SMALLEST_TARGET = 44
LARGEST_BAND = 0.1            # of the screen's height, empty between the rows in portrait
SLOW_NETWORK = 2500000        # bytes a second on the first visit
TOUCH_TO_FRAME_BUDGET_MS = 1500
BIG_FILES = ("gulpkin.wasm", "gulpkin.data")

LAYOUT = """
    const box = (e) => { const r = e.getBoundingClientRect();
                         return {left: r.left, top: r.top, right: r.right, bottom: r.bottom, w: r.width, h: r.height}; };
    const shown = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden';
    const stage = document.getElementById('stage'), hint = document.getElementById('turn-hint');
    const root = document.documentElement;
    return {
      vw: innerWidth, vh: innerHeight, scrollW: root.scrollWidth, scrollH: root.scrollHeight,
      touchAction: getComputedStyle(document.body).touchAction, touch: document.body.classList.contains('touch'),
      canvas: box(document.getElementById('canvas')), stage: {w: stage.clientWidth, h: stage.clientHeight},
      pad: box(document.getElementById('pad')), charge: box(document.getElementById('charge')),
      keys: box(document.getElementById('keys')), hint: shown(hint), quit: box(document.getElementById('quit')),
      smooth: document.getElementById('canvas').classList.contains('smooth'),
      controls: Array.from(document.querySelectorAll('#pad, #actions button')).filter(shown)
                     .map((e) => Object.assign(box(e), {name: e.id || e.textContent})),
      rows: Array.from(document.querySelectorAll('#canvas, #turn-hint, #pad, #actions button')).filter(shown)
                 .map((e) => [box(e).top, box(e).bottom]),
    };"""


def largest_band(rows, height):
    """The highest stretch of the screen's height that nothing covers."""
    band, reached = 0, 0
    for top, bottom in sorted(rows):
        band = max(band, top - reached)
        reached = max(reached, bottom)
    return max(band, height - reached)


# ---- the emulated phone ----

def emulate(driver, width, height):
    portrait = height > width
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 2, "mobile": True,
        "screenOrientation": {"type": "portraitPrimary" if portrait else "landscapePrimary",
                              "angle": 0 if portrait else 90}})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def touches(driver, kind, points=()):
    """Sends the touch points now down (x, y, id); touchEnd lifts them all."""
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
        "type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for x, y, i in points]})


def centre(driver, selector, dx=0.0):
    """The centre of an element in CSS px, moved by dx of its width."""
    return driver.execute_script("""
        const r = document.querySelector(arguments[0]).getBoundingClientRect();
        return [r.left + r.width * (0.5 + arguments[1]), r.top + r.height / 2];""", selector, dx)


def tap(driver, selector):
    x, y = centre(driver, selector)
    touches(driver, "touchStart", [(x, y, 1)])
    touches(driver, "touchEnd")


def wait_layout(driver, width, height):
    """The layout once the page has fitted the canvas to the new size."""
    web.wait_for(driver, """
        const stage = document.getElementById('stage'), canvas = document.getElementById('canvas');
        const fits = Math.floor(Math.min(stage.clientWidth, stage.clientHeight * 4 / 3));
        return innerWidth === %d && innerHeight === %d && parseFloat(canvas.style.width) === fits;"""
                 % (width, height), 10, "the canvas fitted to the stage at %d x %d" % (width, height))
    return driver.execute_script(LAYOUT)


# ---- the checks ----

def check_layout(driver, width, height):
    emulate(driver, width, height)
    web.wait_for(driver, "return document.body.classList.contains('touch');", 10, "touch controls on a touch screen")
    lay = wait_layout(driver, width, height)
    size = "%d x %d" % (width, height)
    outside = [c["name"] for c in lay["controls"]
               if c["left"] < 0 or c["top"] < 0 or c["right"] > width + 0.5 or c["bottom"] > height + 0.5]
    small = [c["name"] for c in lay["controls"] if c["w"] < SMALLEST_TARGET or c["h"] < SMALLEST_TARGET]
    check(len(lay["controls"]) >= 3 and not outside and not small,
          "%s: %d touch controls, all inside the window and at least 44 x 44 (outside %s, small %s)"
          % (size, len(lay["controls"]), outside, small))
    check(lay["scrollW"] <= width and lay["scrollH"] <= height and lay["touchAction"] == "none",
          "%s: nothing to scroll or zoom (document %d x %d)" % (size, lay["scrollW"], lay["scrollH"]))
    c, stage = lay["canvas"], lay["stage"]
    fits = int(min(stage["w"], stage["h"] * 4 / 3))
    check(abs(c["w"] - fits) <= 1 and abs(c["w"] * 3 - c["h"] * 4) <= 4 and c["bottom"] <= height + 0.5,
          "%s: the canvas %d x %d fills its stage %d x %d at 4:3" % (size, c["w"], c["h"], stage["w"], stage["h"]))
    check(lay["smooth"] == (c["w"] * 2 < web.WIDTH), "%s: the canvas %s below the frame's own size"
          % (size, "smoothed" if lay["smooth"] else "sharp"))
    if height > width:
        band = largest_band(lay["rows"], height)
        check(c["w"] >= width - 1 and lay["pad"]["top"] >= c["bottom"] and lay["keys"]["top"] >= c["bottom"]
              and band <= LARGEST_BAND * height,
              "%s: the canvas as wide as the screen, the controls under it, no empty band (largest %d px)"
              % (size, band))
    elif lay["pad"]["top"] >= c["bottom"]:
        check(lay["charge"]["top"] >= c["bottom"] and lay["quit"]["left"] > lay["pad"]["right"]
              and lay["quit"]["right"] < lay["charge"]["left"],
              "%s: the canvas %d x %d, the controls under it, Esc between the thumbs" % (size, c["w"], c["h"]))
    else:
        check(c["h"] >= 0.9 * height and lay["pad"]["right"] <= c["left"] and lay["charge"]["left"] >= c["right"]
              and lay["quit"]["bottom"] < lay["charge"]["top"] - 100,
              "%s: the canvas %d px high, the pad left of it, the charge right of it, Esc far above it"
              % (size, c["h"]))
    # turned, only the tall phone's picture grows (545 px wide against 412)
    wants_hint = (width, height) == (412, 915)
    check(lay["hint"] == wants_hint, "%s: the hint to turn the phone %s" % (size, "shown" if wants_hint else "hidden"))
    return c


def throttle(driver, bytes_per_second):
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": False, "latency": 0, "downloadThroughput": bytes_per_second, "uploadThroughput": -1})


def watch_loading(driver):
    """The loading message's texts until the page is ready."""
    texts, deadline = [], time.time() + 60
    while time.time() < deadline:
        text, ready = driver.execute_script(
            "return [document.getElementById('message').textContent, window.gulpkin && window.gulpkin.readyAt > 0];")
        if ready:
            break
        if not texts or texts[-1] != text:
            texts.append(text)
        time.sleep(0.1)
    return texts


def tap_and_time_first_frame(driver, what):
    """Once the game waits at its first frame, one tap: the sound runs and
    the first frame follows within the budget."""
    web.wait_for(driver, "return window.gulpkin.held;", 30, "the game waits for the player at its first frame")
    tap(driver, "#message")
    web.wait_for(driver, "return window.gulpkin.firstFrameAt > 0;", 10, "the first frame after the tap")
    touch_to_frame = driver.execute_script("return window.gulpkin.firstFrameAt - window.gulpkin.startedAt;")
    web.check_budget(touch_to_frame - TOUCH_TO_FRAME_BUDGET_MS, 0.5 * TOUCH_TO_FRAME_BUDGET_MS,
                     "%s: the first frame %.0f ms after the tap (budget %d ms)"
                     % (what, touch_to_frame, TOUCH_TO_FRAME_BUDGET_MS))
    sound = web.wait_for(driver, "const c = Module.SDL2.audioContext; return c.state === 'running' && c.state;", 3,
                         "the sound runs")
    check(sound == "running", "%s: one tap starts the sound (%s)" % (what, sound))
    check(web.page_state(driver, "screen") == "intro", "%s: the title's intro shows (%s)"
          % (what, web.page_state(driver, "screen")))


def start_by_touch(driver, url, site):
    emulate(driver, 412, 915)
    throttle(driver, SLOW_NETWORK)
    driver.get(url)
    texts = watch_loading(driver)
    throttle(driver, -1)
    total = sum(os.path.getsize(os.path.join(site, name)) for name in BIG_FILES)
    counted = [t for t in texts if "MB" in t]
    check(len(counted) >= 3 and ("of %.1f MB" % (total / 1e6)) in counted[-1],
          "the first visit shows the bytes loaded: %s" % (counted[:2] + counted[-1:]))
    ready = web.page_state(driver, "readyAt")
    web.wait_for(driver, "return window.gulpkin.held;", 30, "the game waits for the player at its first frame")
    print("      page ready %.0f ms; start-up done (work and the game's %d ms of pauses) %.0f ms later"
          % (ready, web.STARTUP_PAUSES_MS, driver.execute_script("return performance.now();") - ready))
    tap_and_time_first_frame(driver, "the first visit")
    print("      screen wake lock held: %s" % driver.execute_script(
        "return navigator.wakeLock ? window.gulpkin.awake : 'no wake lock in this browser';"))


def choose_normal_by_touch(driver, native):
    intro_keys = web.shown_keys(driver)
    web.wait_for_frame(driver, web.INTRO_END_FRAME, 60)
    check(intro_keys == [] and web.shown_keys(driver) == ["F1", "F2", "F3"],
          "the intro offers no keys, the title menu Normal, Dur and Hard: %s, %s"
          % (intro_keys, web.shown_keys(driver)))
    f1_frame = web.page_state(driver, "frames")
    tap(driver, "#keys button[data-code=F1]")
    web.wait_for_frame(driver, f1_frame + web.F1_TO_PLAY_FRAMES, 60)
    pixels = web.canvas_565(driver)[2]
    check(web.shown_keys(driver) == [], "play offers no keys: %s" % web.shown_keys(driver))
    same = sum(1 for a, b in zip(pixels, native[2]) if a == b) / float(web.WIDTH * web.HEIGHT)
    check(same >= 0.98, "touching Normal starts the game the keyboard's F1 starts: %.2f%% of the native frame"
          % (100 * same))
    return pixels


def steer_and_charge_by_touch(driver, before):
    driver.execute_script("""
        window.keyLog = [];
        addEventListener('keydown', (e) => keyLog.push('+' + e.code), true);
        addEventListener('keyup', (e) => keyLog.push('-' + e.code), true);""")
    left = centre(driver, "#pad", -0.35)
    touches(driver, "touchStart", [(left[0], left[1], 1)])
    x0, x1 = web.player_x(before), web.wait_for_player_left(driver, before)
    check(x0 is not None and x1 is not None and x1 < x0 - 20,
          "a thumb on the pad's left steers the player left as the arrow key does: %s -> %s" % (x0, x1))
    charge = centre(driver, "#charge")
    touches(driver, "touchStart", [(left[0], left[1], 1), (charge[0], charge[1], 2)])
    # the charge spent: the frightened time's green bar along the bottom edge
    frightened = web.wait_for(driver, """
        const [r, g, b] = document.getElementById('canvas').getContext('2d').getImageData(2, 753, 1, 1).data;
        return g > 150 && r < 150 && b < 100;""", 5, "the charge frightens the ghosts")
    both = driver.execute_script("return keyLog.slice();")
    touches(driver, "touchEnd")
    web.wait_for(driver, "return keyLog.includes('-Space') && keyLog.includes('-ArrowLeft');", 5,
                 "both keys let go with the thumbs")
    check(both == ["+ArrowLeft", "+Space"] and bool(frightened),
          "steering and the charge held at once, the charge spent: %s" % both)


def check_touch_controls_follow_the_input(driver):
    ActionChains(driver).key_down("a").key_up("a").perform()
    hidden = web.wait_for(driver, "return !document.body.classList.contains('touch');", 5,
                          "a real key hides the touch controls")
    tap(driver, "#canvas")
    shown = web.wait_for(driver, "return document.body.classList.contains('touch');", 5,
                         "a touch shows the touch controls again")
    check(bool(hidden and shown), "the touch controls hide on a key and come back on a touch")


def check_lost_life_waits_for_a_touch(driver):
    """With no thumb down the ghosts take a life; the game then waits for a
    key without showing frames, the page answering meanwhile and showing a
    hint, and a tap on the picture plays on with a key that is not the
    charge's."""
    # still for 2 s: longer than the pauses of the death sequence
    waiting = web.wait_for(driver, """
        const g = window.gulpkin;
        if (g.lastSeen !== g.frames) { g.lastSeen = g.frames; g.stillSince = performance.now(); }
        return performance.now() - g.stillSince > 2000;""", 60, "the game waits after a lost life")
    frames = web.page_state(driver, "frames")
    hint = driver.execute_script("""
        return window.gulpkin.screen === 'lost-life' &&
               document.getElementById('continue-hint').getClientRects().length > 0;""")
    driver.execute_script("keyLog.length = 0;")
    tap(driver, "#canvas")
    played_on = web.wait_for_frame(driver, frames + 30, 10)
    keys = driver.execute_script("return keyLog.slice();")
    check(bool(waiting and played_on and hint) and "+Enter" in keys and "+Space" not in keys,
          "after a lost life a hint shows and a tap on the picture plays on, the charge kept: %s" % keys)


def check_quit_asks_first(driver):
    """One tap on Esc only asks; a second one ends the game, and one touch
    after its end shows the title again, as fast as a first visit's."""
    driver.execute_script("keyLog.length = 0;")
    tap(driver, "#quit")
    asked = driver.execute_script("return document.getElementById('quit').textContent;")
    time.sleep(1.0)
    check("?" in asked and "+Escape" not in driver.execute_script("return keyLog.slice();")
          and not web.page_state(driver, "ended"), "one tap on Esc asks (%r), the game plays on" % asked)
    tap(driver, "#quit")
    ended = web.wait_for(driver, "return window.gulpkin.ended;", 20, "a second tap on Esc ends the game")
    check(bool(ended), "a second tap on Esc ends the game")
    tap_and_time_first_frame(driver, "after the end")


def check_offline(driver, url, server):
    kept = web.wait_for(driver, """
        if (!navigator.serviceWorker.controller) return false;
        if (window.cacheNames === undefined) {
          window.cacheNames = null;
          caches.keys().then((names) => { window.cacheNames = names; });
        }
        const names = window.cacheNames;
        if (names === null) return false;
        window.cacheNames = undefined;
        return names.length === 1 && /^gulpkin-[0-9a-f]{16}$/.test(names[0]) ? names[0] : false;""",
                        30, "the site kept in a cache named after the build")
    log = list(server.log)
    print("      the server's log of the first visit:\n        " + "\n        ".join(log))
    fetched = {name: sum(1 for line in log if line.startswith("GET /%s " % name)) for name in BIG_FILES}
    check(all(count == 1 for count in fetched.values()), "each large file crossed the network once: %s" % fetched)
    server.shutdown()
    server.server_close()
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    driver.get(url)
    web.wait_for(driver, "return window.gulpkin && window.gulpkin.readyAt > 0;", 30, "the page got ready offline")
    web.wait_for(driver, "return window.gulpkin.held;", 30, "the game waits for the player offline")
    tap(driver, "#message")
    played = web.wait_for_frame(driver, 150, 30)
    check(bool(kept and played), "with the network off a second visit plays the title (cache %s)" % kept)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("headless_driver")
    parser.add_argument("--shots", help="folder for screenshots of the phone")
    args = parser.parse_args()
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)

    with tempfile.TemporaryDirectory() as scratch:
        native, _ = web.native_frames(args.headless_driver, scratch)
        server = web.serve(args.site)
        url = "http://127.0.0.1:%d/index.html" % server.server_address[1]
        downloads = os.path.join(scratch, "downloads")
        os.makedirs(downloads)
        driver = web.start_browser(os.path.join(scratch, "profile"), downloads)
        try:
            start_by_touch(driver, url, args.site)
            web.check_hide_and_show(driver, "title's intro")
            canvases = {}
            for width, height in SIZES:
                canvases[(width, height)] = check_layout(driver, width, height)
                web.save_screenshot(driver, args.shots, "layout-%dx%d" % (width, height))
            tablet, upright = canvases[(1024, 768)], canvases[(768, 1024)]
            check(tablet["w"] >= upright["w"], "the tablet's picture in landscape %d x %d, in portrait %d x %d"
                  % (tablet["w"], tablet["h"], upright["w"], upright["h"]))
            with open(os.path.join(args.site, "manifest.webmanifest")) as f:
                orientation = json.load(f).get("orientation", "any")
            check(orientation == "any", "the installed app turns either way (%s)" % orientation)
            emulate(driver, 412, 915)
            before = choose_normal_by_touch(driver, native)
            web.save_screenshot(driver, args.shots, "phone-portrait")
            steer_and_charge_by_touch(driver, before)
            check_touch_controls_follow_the_input(driver)
            check_lost_life_waits_for_a_touch(driver)
            check_quit_asks_first(driver)
            check_layout(driver, 915, 412)
            web.save_screenshot(driver, args.shots, "phone-landscape")
            web.check_console(driver)
            check_offline(driver, url, server)
        finally:
            driver.quit()
            server.shutdown()
    print("%d check(s) failed" % len(web.failures) if web.failures else "all checks passed")
    return 1 if web.failures else 0


if __name__ == "__main__":
    sys.exit(main())

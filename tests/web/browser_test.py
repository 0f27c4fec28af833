#!/usr/bin/python3
"""Plays the web build of Gulpkin in headless Chromium and checks it.

    tests/web/browser_test.py SITE_DIR HEADLESS_DRIVER [--shots DIR]

The site is served on 127.0.0.1 only. One game is played from the title
to its end: the canvas is compared with the native headless driver's frame
of the same moment, LEFT steers, the frame rate is the game's 75 a second,
losing the focus stops the frames, the music reaches the audio output,
F12 hands over a capture, Escape ends the game and the page says so, and
the best score is still there after a reload. Every wait polls for its
condition. The timing budgets (page load to the title's first frame, a
played frame's work, the frame rate) are measured and printed on every run
and fail only at twice the budget, so that a busy machine does not fail the
run. Exit code 0 when every check passes.
"""
import argparse
import base64
import functools
import http.server
import json
import os
import struct
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WIDTH, HEIGHT = 1024, 768
STARTUP_PAUSES_MS = 3000          # the game's own pauses before its title
INTRO_END_FRAME = 900             # the title menu is up by then
F1_TO_PLAY_FRAMES = 700           # from F1 on the menu to a frame of play
MENU_FRAMES = 100                 # the menu frames compared (the menu circles in about 63)
MENU_TEXT_BOX = (40, 40, 560, 125)  # the difficulty line, printed in the text face
SITE_BUDGET_BYTES = 8 * 1000 * 1000
FIRST_FRAME_BUDGET_MS = 2000
PLAYED_FRAME_BUDGET_MS = 2.0
FRAME_RATE, FRAME_RATE_SLACK = 75, 3
CAPTURE_BYTES = 54 + WIDTH * HEIGHT * 3

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)


def check_budget(excess, budget, what):
    """A timing budget: `excess` is how far the measure went over what is
    expected, `budget` how far it may go. Printed on every run; over the
    budget is noted, over twice the budget fails."""
    if excess <= budget:
        print("ok    " + what, flush=True)
    elif excess <= 2 * budget:
        print("slow  " + what + " (over the budget, under twice it)", flush=True)
    else:
        check(False, what + " (over twice the budget)")


# ---- the site and the browser ----

class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """Serves the site; each request goes to the server's log (a list)
    instead of the terminal."""
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def log_request(self, code="-", size="-"):
        self.server.log.append("%s %s %s" % (self.command, self.path, code))

    def log_message(self, *args):
        pass


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.log = []
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(profile, downloads):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--disable-background-timer-throttling", "--disable-renderer-backgrounding", "--disable-backgrounding-occluded-windows", "--window-size=1280,900", "--user-data-dir=" + profile):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    return driver


def page_state(driver, name):
    return driver.execute_script("return window.gulpkin && window.gulpkin[arguments[0]];", name)


def wait_for(driver, script, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.1)
    check(False, what + " (timed out after %d s)" % timeout)
    return None


def wait_for_frame(driver, frame, timeout):
    return wait_for(driver, "return window.gulpkin.frames >= %d;" % frame, timeout, "frame %d reached" % frame)


def wait_frames(driver, count, timeout=30):
    """Lets the game present `count` more frames."""
    return wait_for_frame(driver, page_state(driver, "frames") + count, timeout)


def press(driver, key, hold=0.15):
    ActionChains(driver).key_down(key).pause(hold).key_up(key).perform()


# ---- pictures ----

def canvas_565(driver):
    """The canvas's pixels, reduced to the game's 5:6:5, as a list of ints."""
    data = driver.execute_script("""
        const c = document.getElementById('canvas');
        const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        const out = new Uint16Array(c.width * c.height);
        for (let i = 0; i < out.length; i++) {
            out[i] = ((rgba[4*i] >> 3) << 11) | ((rgba[4*i+1] >> 2) << 5) | (rgba[4*i+2] >> 3);
        }
        let text = '';
        const bytes = new Uint8Array(out.buffer);
        for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
        return [c.width, c.height, btoa(text)];
    """)
    width, height, packed = data
    raw = base64.b64decode(packed)
    return width, height, list(struct.unpack("<%dH" % (width * height), raw))


def bmp_565(path):
    """A 24-bit BMP (bottom-up) reduced to 5:6:5, top row first."""
    with open(path, "rb") as f:
        blob = f.read()
    offset, = struct.unpack_from("<I", blob, 10)
    width, height = struct.unpack_from("<ii", blob, 18)
    stride = (width * 3 + 3) & ~3
    pixels = []
    for y in range(abs(height)):
        row = offset + (height - 1 - y if height > 0 else y) * stride
        for x in range(width):
            b, g, r = blob[row + 3 * x], blob[row + 3 * x + 1], blob[row + 3 * x + 2]
            pixels.append(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
    return width, abs(height), pixels


def bmp_box_565(path, box):
    """Only the box (x0, y0, x1, y1) of a 24-bit BMP, reduced to 5:6:5."""
    x0, y0, x1, y1 = box
    with open(path, "rb") as f:
        blob = f.read()
    offset, = struct.unpack_from("<I", blob, 10)
    width, height = struct.unpack_from("<ii", blob, 18)
    stride = (width * 3 + 3) & ~3
    pixels = []
    for y in range(y0, y1):
        row = offset + (height - 1 - y) * stride
        for x in range(x0, x1):
            b, g, r = blob[row + 3 * x], blob[row + 3 * x + 1], blob[row + 3 * x + 2]
            pixels.append(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
    return pixels


def box_of(pixels, box):
    x0, y0, x1, y1 = box
    return [pixels[y * WIDTH + x] for y in range(y0, y1) for x in range(x0, x1)]


def save_screenshot(driver, shots, name):
    if shots:
        driver.save_screenshot(os.path.join(shots, name + ".png"))


def player_x(pixels):
    """Mean column of the player's yellow in the band of its starting row."""
    columns = []
    for y in range(520, 562):
        for x in range(WIDTH):
            p = pixels[y * WIDTH + x]
            if (p >> 11) >= 28 and ((p >> 5) & 63) >= 48 and (p & 31) <= 8:
                columns.append(x)
    return sum(columns) / len(columns) if len(columns) > 50 else None


# ---- the native frames to compare with ----

def native_frames(driver_path, scratch):
    """The headless driver's frame of play F1_TO_PLAY_FRAMES after F1 on the
    menu, and the menu's text box in each of its first MENU_FRAMES frames."""
    play_shot = os.path.join(scratch, "native.bmp")
    script = os.path.join(scratch, "native.txt")
    with open(script, "w") as f:
        for k in range(MENU_FRAMES):
            f.write("%d shot %s\n" % (INTRO_END_FRAME + k, os.path.join(scratch, "menu%d.bmp" % k)))
        f.write("%d keys F1\n%d keys\n%d shot %s\n%d quit\n" % (
            INTRO_END_FRAME + MENU_FRAMES, INTRO_END_FRAME + MENU_FRAMES + 10,
            INTRO_END_FRAME + MENU_FRAMES + F1_TO_PLAY_FRAMES, play_shot,
            INTRO_END_FRAME + MENU_FRAMES + F1_TO_PLAY_FRAMES + 1))
    game_dir = os.path.dirname(os.path.abspath(driver_path))
    subprocess.run([os.path.abspath(driver_path), "--script", script], cwd=game_dir, check=True,
                   stdout=subprocess.DEVNULL, env=dict(os.environ, HOME=scratch, XDG_DATA_HOME=scratch))
    menus = [bmp_box_565(os.path.join(scratch, "menu%d.bmp" % k), MENU_TEXT_BOX) for k in range(MENU_FRAMES)]
    return bmp_565(play_shot), menus


# ---- the scenario ----

def site_size(site):
    return sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(site) for f in files)


def start_and_reach_title(driver, url):
    driver.get(url)
    wait_for(driver, "return window.gulpkin && window.gulpkin.readyAt > 0;", 30, "the page got ready")
    message = driver.find_element("id", "message").text
    check("key" in message.lower(), "the page invites a key or click: %r" % message)
    page = driver.execute_script("""
        return {heading: document.querySelector('#heading h1').textContent,
                how: document.querySelector('#heading p').textContent,
                rate: document.getElementById('rate').getClientRects().length};""")
    check(page["heading"] == "Gulpkin" and "Space" in page["how"] and page["rate"] == 0,
          "the page is headed by the game's name, says how to play and shows no frame rate: %s" % page)
    press(driver, Keys.SPACE)
    wait_for_frame(driver, 1, 30)
    ready = page_state(driver, "readyAt")
    started = page_state(driver, "startedAt")
    first = page_state(driver, "firstFrameAt")
    load_ms = ready + (first - started - STARTUP_PAUSES_MS)
    print("      page ready %.0f ms, first frame %.0f ms after the key (game pauses %d ms)"
          % (ready, first - started, STARTUP_PAUSES_MS))
    check_budget(load_ms, FIRST_FRAME_BUDGET_MS, "page load to the title's first frame %.0f ms (budget %d ms)"
                 % (load_ms, FIRST_FRAME_BUDGET_MS))


def check_sound(driver):
    """The mixer's samples reach the page's audio output (the title music)."""
    peak, deadline = 0.0, time.time() + 5
    while peak == 0 and time.time() < deadline:
        peak = max(peak, driver.execute_script("""
            const sdl = Module.SDL2, out = sdl && sdl.audio && sdl.audio.currentOutputBuffer;
            if (!out || sdl.audioContext.state !== 'running') return 0;
            const left = out.getChannelData(0);
            let peak = 0;
            for (let i = 0; i < left.length; i++) peak = Math.max(peak, Math.abs(left[i]));
            return peak;"""))
        time.sleep(0.1)
    check(peak > 0, "the title music plays through the page's audio (peak %.4f)" % peak)


def check_frame_rate(driver):
    before, t0 = page_state(driver, "frames"), time.time()
    wait_for_frame(driver, before + 5 * FRAME_RATE, 30)
    after, t1 = page_state(driver, "frames"), time.time()
    rate = (after - before) / (t1 - t0)
    check_budget(abs(rate - FRAME_RATE), FRAME_RATE_SLACK, "the game presents %.1f frames a second (%d +- %d)"
                 % (rate, FRAME_RATE, FRAME_RATE_SLACK))


def play_to_layout_one(driver, native, menus, shots):
    wait_for_frame(driver, INTRO_END_FRAME, 60)
    save_screenshot(driver, shots, "2-title-menu")
    text = box_of(canvas_565(driver)[2], MENU_TEXT_BOX)
    check(any(text == menu for menu in menus), "the menu's printed line equals a native menu frame's, pixel for pixel")
    f1_frame = page_state(driver, "frames")
    press(driver, Keys.F1, hold=0.1)
    wait_for_frame(driver, f1_frame + F1_TO_PLAY_FRAMES, 60)
    width, height, pixels = canvas_565(driver)
    check((width, height) == (WIDTH, HEIGHT), "the canvas holds %d x %d pixels" % (width, height))
    same = sum(1 for a, b in zip(pixels, native[2]) if a == b)
    share = same / float(WIDTH * HEIGHT)
    check(share >= 0.98, "the frame of play equals the native one but for the actors: %.2f%% of pixels"
          % (100 * share))
    save_screenshot(driver, shots, "3-play-layout-1")
    return pixels


def check_frame_cost(driver):
    driver.execute_script("window.gulpkin.costCount = 0;")
    wait_for(driver, "return window.gulpkin.costCount >= 190;", 30, "190 frames of play measured")
    costs = driver.execute_script(
        "const g = window.gulpkin; return Array.from(g.frameCosts.slice(0, Math.min(g.costCount, 256)));")
    costs.sort()
    mean = sum(costs) / len(costs)
    print("      a played frame: mean %.2f ms, median %.2f ms, 95%% %.2f ms, most %.2f ms (%d frames)"
          % (mean, costs[len(costs) // 2], costs[int(len(costs) * 0.95)], costs[-1], len(costs)))
    check_budget(mean, PLAYED_FRAME_BUDGET_MS, "a played frame's work %.2f ms (budget %.1f ms)"
                 % (mean, PLAYED_FRAME_BUDGET_MS))


def check_focus(driver):
    """Without the focus the game shows no new frame; with it back, it goes on."""
    driver.execute_script("window.dispatchEvent(new FocusEvent('blur'));")
    stopped = wait_for(driver, """
        const g = window.gulpkin;
        if (g.lastSeen === g.frames) return (g.stillReads = (g.stillReads || 0) + 1) >= 3;
        g.lastSeen = g.frames; g.stillReads = 0; return false;""", 10, "the frames stop without the focus")
    f0 = page_state(driver, "frames")
    time.sleep(1.0)  # one second watched: no frame may come
    f1 = page_state(driver, "frames")
    driver.execute_script("window.dispatchEvent(new FocusEvent('focus'));")
    wait_for_frame(driver, f1 + 31, 10)
    f2 = page_state(driver, "frames")
    check(stopped and f1 == f0 and f2 > f1 + 30, "losing the focus stops the frames, regaining it goes on (%d, %d new)"
          % (f1 - f0, f2 - f1))


SET_HIDDEN = """
    const hidden = arguments[0];
    Object.defineProperty(document, 'hidden', {configurable: true, get: () => hidden});
    Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => hidden ? 'hidden' : 'visible'});
    document.dispatchEvent(new Event('visibilitychange'));"""


def check_hide_and_show(driver, where):
    """A hidden page freezes the game, its sound too; shown again, it goes
    on where it stood and has not ended."""
    frozen = page_state(driver, "frozen")
    driver.execute_script(SET_HIDDEN, True)
    stood = wait_for(driver, "return window.gulpkin.frozen > %d;" % frozen, 5, "the game froze in the hidden page")
    f0 = page_state(driver, "frames")
    time.sleep(1.0)
    f1 = page_state(driver, "frames")
    sound = driver.execute_script("const c = Module.SDL2 && Module.SDL2.audioContext; return c && c.state;")
    driver.execute_script(SET_HIDDEN, False)
    went_on = wait_for_frame(driver, f1 + 30, 10)
    check(bool(stood and went_on) and f1 == f0 and sound != "running" and not page_state(driver, "ended"),
          "on the %s a hidden page stops the frames and the sound (%s), shown again it goes on" % (where, sound))


def shown_keys(driver):
    return driver.execute_script(
        "return Array.from(document.querySelectorAll('#keys button:not([hidden])')).map((b) => b.dataset.code);")


def hold_left_to_the_end(driver, before, shots):
    ActionChains(driver).key_down(Keys.LEFT).perform()
    x0, x1 = player_x(before), wait_for_player_left(driver, before)
    check(x0 is not None and x1 is not None and x1 < x0 - 20, "holding LEFT moves the player left: %s -> %s"
          % (x0, x1))
    save_screenshot(driver, shots, "4-player-moved-left")
    # with LEFT held the ghosts take the three lives; the options screen
    # saves the new best score
    saved = wait_for(driver, "return FS.analyzePath('/libsdl/gulpkin/Hit Score.ini').exists;", 150,
                     "the best score was saved after the game")
    ActionChains(driver).key_up(Keys.LEFT).perform()
    wait_frames(driver, 75)
    save_screenshot(driver, shots, "5-options")
    return saved


def wait_for_player_left(driver, before, timeout=10):
    """Polls the canvas until the player stands 20 pixels left of where it
    stood in `before`; its column then (or the last one seen)."""
    x0 = player_x(before)
    deadline, x = time.time() + timeout, None
    while time.time() < deadline and x0 is not None:
        x = player_x(canvas_565(driver)[2])
        if x is not None and x < x0 - 20:
            break
        time.sleep(0.2)
    return x


def finished_downloads(downloads):
    return sorted(name for name in os.listdir(downloads) if not name.endswith(".crdownload"))


def check_capture_download(driver, downloads):
    """F12 held 300 ms (some 22 frames, each one a capture) gives exactly one
    download, of the whole capture."""
    press(driver, Keys.F12, hold=0.3)
    deadline = time.time() + 10
    while time.time() < deadline and not finished_downloads(downloads):
        time.sleep(0.1)
    # a second download would follow within the page's quiet time (0.4 s)
    wait_frames(driver, 150)
    names = finished_downloads(downloads)
    size = os.path.getsize(os.path.join(downloads, names[0])) if names else 0
    check(names == ["Capture_Gulpkin.bmp"] and page_state(driver, "downloads") == 1,
          "F12 held 300 ms gives one download: %s, %d offered" % (names, page_state(driver, "downloads")))
    check(size == CAPTURE_BYTES, "the download is the capture as a BMP (%d bytes)" % size)


def check_end_and_reload(driver, url, shots):
    stored = driver.execute_script(
        "return FS.readFile('/libsdl/gulpkin/Hit Score.ini', {encoding: 'utf8'});")
    press(driver, Keys.ESCAPE, hold=0.1)
    wait_for(driver, "return window.gulpkin.ended;", 20, "Escape ends the game")
    message = driver.find_element("id", "message").text
    check("ended" in message and "again" in message, "the page says the game ended: %r" % message)
    save_screenshot(driver, shots, "6-ended")
    wait_for(driver, "return window.gulpkin.stored > 0;", 10, "the best score reached the browser's storage")
    driver.get(url)
    wait_for(driver, "return window.gulpkin && window.gulpkin.readyAt > 0;", 30, "the page got ready again")
    again = driver.execute_script(
        "const p = '/libsdl/gulpkin/Hit Score.ini';"
        "return FS.analyzePath(p).exists ? FS.readFile(p, {encoding: 'utf8'}) : null;")
    check(again is not None and again == stored and "HitScore" in again,
          "the best score survives a reload: %r" % again)


def check_console(driver):
    entries = driver.get_log("browser")
    errors = [e["message"] for e in entries if e["level"] == "SEVERE"]
    check(not errors, "the console shows no error" + ("" if not errors else ": " + "; ".join(errors[:3])))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("headless_driver")
    parser.add_argument("--shots", help="folder for screenshots of the page")
    args = parser.parse_args()
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)

    size = site_size(args.site)
    check(size < SITE_BUDGET_BYTES, "the whole site is %.2f MB < 8 MB" % (size / 1e6))

    with tempfile.TemporaryDirectory() as scratch:
        native, menus = native_frames(args.headless_driver, scratch)
        server = serve(args.site)
        url = "http://127.0.0.1:%d/index.html" % server.server_address[1]
        downloads = os.path.join(scratch, "downloads")
        os.makedirs(downloads)
        driver = start_browser(os.path.join(scratch, "profile"), downloads)
        try:
            start_and_reach_title(driver, url)
            check_sound(driver)
            save_screenshot(driver, args.shots, "1-title-intro")
            before = play_to_layout_one(driver, native, menus, args.shots)
            check_frame_rate(driver)
            check_frame_cost(driver)
            check_focus(driver)
            if hold_left_to_the_end(driver, before, args.shots):
                check(shown_keys(driver) == ["F10", "F11"], "the end screen offers Continuer and Titre: %s"
                      % shown_keys(driver))
                check_hide_and_show(driver, "end screen")
                check_capture_download(driver, downloads)
                check_end_and_reload(driver, url, args.shots)
            check_console(driver)
        finally:
            driver.quit()
            server.shutdown()
    print("%d check(s) failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
# Measures the sound of a game directory (needs python3-numpy; the modules
# are rendered by Debian's openmpt123, used only as a measuring tool):
#   measure_sound.py effects GAME_DIR      DC, first/last sample, peak of each WAV
#   measure_sound.py modules GAME_DIR      DC and peak of each module as openmpt123 plays it
#   measure_sound.py instruments GAME_DIR  DC, edges, peak, loop seam of each module sample
#   measure_sound.py mix FILE.raw|FILE.wav clipping and the worst 1 s DC of a capture
# Values are percent of full scale; "wrap" is the step from a loop's end back
# to its start, "steps" the largest step inside the loop.
import sys, os, struct, subprocess, tempfile, wave
import numpy as np

def read_wav(path):
    with wave.open(path, 'rb') as w:
        n, ch, width, rate = w.getnframes(), w.getnchannels(), w.getsampwidth(), w.getframerate()
        data = np.frombuffer(w.readframes(n), dtype='<i2').astype(np.float64)
    return data.reshape(-1, ch), rate

def effects(game):
    print("%-12s %8s %8s %8s %9s" % ("effect", "DC %", "first %", "last %", "peak dB"))
    for name in sorted(os.listdir(os.path.join(game, "wav"))):
        d, _ = read_wav(os.path.join(game, "wav", name))
        x = d[:, 0] / 32768
        print("%-12s %8.3f %8.3f %8.3f %9.2f" % (name, 100 * x.mean(), 100 * x[0], 100 * x[-1], 20 * np.log10(np.abs(x).max())))

def modules(game):
    print("%-8s %8s %8s %9s %6s" % ("module", "DC L %", "DC R %", "peak dB", "clips"))
    for name in ("14.mod", "5.xm", "4.xm"):
        with tempfile.TemporaryDirectory() as t:
            out = os.path.join(t, "m.wav")
            subprocess.run(["openmpt123", "--quiet", "--force", "--samplerate", "44100", "--channels", "2",
                            "--no-float", "--batch", "-o", out, os.path.join(game, "music", name)],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            d, _ = read_wav(out)
        x = d / 32768
        print("%-8s %8.3f %8.3f %9.2f %6d" % (name, 100 * x[:, 0].mean(), 100 * x[:, 1].mean(),
                                              20 * np.log10(np.abs(x).max()), int((np.abs(d) >= 32767).sum())))

def mod_samples(path):
    b = open(path, 'rb').read()
    heads, offset = [], 20
    for i in range(31):
        h = b[offset + 30 * i: offset + 30 * (i + 1)]
        name = h[:22].split(b'\0')[0].decode()
        length, _, _, ls, ll = struct.unpack('>HbBHH', h[22:30])
        heads.append((name, length * 2, ls * 2, ll * 2 if ll > 1 else 0))
    npat = max(b[952:952 + 128]) + 1
    at = 1084 + npat * 1024
    out = []
    for name, length, ls, ll in heads:
        if length:
            s = np.frombuffer(b[at:at + length], dtype='i1').astype(np.float64) / 128
            out.append((name, s, ls, ll))
        at += length
    return out

def xm_samples(path):
    b = open(path, 'rb').read()
    hsize = struct.unpack('<I', b[60:64])[0]
    npat, ninst = struct.unpack('<HH', b[70:74])
    at = 60 + hsize
    for _ in range(npat):
        plen, _, rows, psize = struct.unpack('<IBHH', b[at:at + 9])
        at += plen + psize
    out = []
    for _ in range(ninst):
        isize = struct.unpack('<I', b[at:at + 4])[0]
        name = b[at + 4:at + 26].split(b'\0')[0].decode()
        nsamp = struct.unpack('<H', b[at + 27:at + 29])[0]
        shsize = struct.unpack('<I', b[at + 29:at + 33])[0] if nsamp else 0
        at += isize
        heads = []
        for _ in range(nsamp):
            length, ls, ll = struct.unpack('<III', b[at:at + 12])
            kind = b[at + 14]
            heads.append((length, ls, ll if kind & 3 else 0, kind & 16))
            at += shsize
        for length, ls, ll, bits16 in heads:
            if bits16:
                s = np.cumsum(np.frombuffer(b[at:at + length], dtype='<i2').astype(np.int64)).astype(np.int16)
                out.append((name, s.astype(np.float64) / 32768, ls // 2, ll // 2))
            at += length
    return out

def instruments(game):
    print("%-10s %-10s %8s %8s %8s %9s %8s %8s" % ("module", "sample", "DC %", "first %", "last %", "peak dB", "wrap %", "steps %"))
    for name in ("14.mod", "5.xm", "4.xm"):
        path = os.path.join(game, "music", name)
        for sname, s, ls, ll in (mod_samples(path) if name.endswith("mod") else xm_samples(path)):
            body = s[ls:ls + ll] if ll else s
            # a loop is seamless when the step from its last sample back to its
            # first is no larger than the largest step inside it
            wrap = 100 * abs(s[ls + ll - 1] - s[ls]) if ll else float('nan')
            inner = 100 * np.abs(np.diff(body)).max() if ll else float('nan')
            print("%-10s %-10s %8.3f %8.3f %8s %9.2f %8.2f %8.2f" % (name, sname, 100 * body.mean(), 100 * s[0],
                  "loop" if ll else "%.3f" % (100 * s[-1]), 20 * np.log10(np.abs(s).max() + 1e-12), wrap, inner))

def mix(path):
    if path.endswith(".raw"):
        d = np.fromfile(path, dtype='<i2').astype(np.float64).reshape(-1, 2)
        rate = 44100
    else:
        d, rate = read_wav(path)
    x = d / 32768
    clips = int((np.abs(d) >= 32767).sum())
    w = rate
    n = len(x) // w
    dcs = np.abs(x[:n * w].reshape(n, w, -1).mean(axis=1)) if n else np.zeros((1, 1))
    # sliding by 0.1 s as well: the worst window anywhere
    c = np.cumsum(np.vstack([np.zeros((1, x.shape[1])), x]), axis=0)
    step = rate // 10
    starts = np.arange(0, len(x) - w + 1, step)
    worst = float(np.abs((c[starts + w] - c[starts]) / w).max()) if len(starts) else 0.0
    print("%s: %.1f s, peak %.2f dBFS, samples at full scale %d, worst 1 s DC %.3f %%" % (
        os.path.basename(path), len(x) / rate, 20 * np.log10(np.abs(x).max() + 1e-12), clips, 100 * worst))

if __name__ == "__main__":
    what, arg = sys.argv[1], sys.argv[2]
    {"effects": effects, "modules": modules, "instruments": instruments, "mix": mix}[what](arg)

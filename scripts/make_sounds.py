#!/usr/bin/env python3
"""Synthesizes the program's eight sound effects.

Writes resources/sounds/<NAME>.wav (16-bit PCM, mono, 44.1 kHz) next to
sounds.qrc. The build does not run this script: the generated files are kept
in the repository, so run it again only after changing a sound here.

Every sound is made from sine tones and filtered noise under smooth
envelopes, then scaled to a peak of -6 dBFS. The noise comes from a fixed
seed, so each run writes byte-identical files.
"""

import math
import os
import struct
import wave

RATE = 44100
PEAK = 10 ** (-6 / 20)  # -6 dBFS
TWO_PI = 2 * math.pi


class Noise:
    """White noise in [-1, 1] from a small xorshift generator (fixed seed)."""

    def __init__(self, seed):
        self.state = seed or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x / 2147483648.0 - 1.0


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(buf, sound, start_seconds, gain=1.0):
    """Adds sound into buf at the given offset, growing buf when needed."""
    start = int(round(start_seconds * RATE))
    end = start + len(sound)
    if end > len(buf):
        buf.extend([0.0] * (end - len(buf)))
    for i, v in enumerate(sound):
        buf[start + i] += v * gain
    return buf


def env_ad(n, attack, decay_tau):
    """Attack-decay envelope: raised-cosine attack, exponential decay."""
    a = max(1, int(attack * RATE))
    out = []
    for i in range(n):
        if i < a:
            out.append(0.5 - 0.5 * math.cos(math.pi * i / a))
        else:
            out.append(math.exp(-(i - a) / (decay_tau * RATE)))
    return out


def env_hann(n):
    return [0.5 - 0.5 * math.cos(TWO_PI * i / (n - 1)) for i in range(n)]


def tone(seconds, f0, f1=None, partials=((1, 1.0),), attack=0.004, decay=0.1):
    """A sine tone gliding from f0 to f1 (exponentially), with partials."""
    n = int(seconds * RATE)
    f1 = f0 if f1 is None else f1
    env = env_ad(n, attack, decay)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / max(1, n - 1)
        f = f0 * (f1 / f0) ** t
        phase += TWO_PI * f / RATE
        v = sum(a * math.sin(k * phase) for k, a in partials)
        out.append(v * env[i])
    return out


def filtered_noise(seconds, f_start, f_end, q, env, seed):
    """Noise through a state-variable band-pass whose centre glides."""
    n = int(seconds * RATE)
    src = Noise(seed)
    low = band = 0.0
    damp = 1.0 / q
    out = []
    for i in range(n):
        t = i / max(1, n - 1)
        fc = f_start * (f_end / f_start) ** t
        f = 2 * math.sin(math.pi * min(fc, RATE / 6) / RATE)
        x = src.next()
        low += f * band
        high = x - low - damp * band
        band += f * high
        out.append(band * env[i])
    # Take the hiss off the top so the noise sounds soft rather than sharp.
    return lowpass(lowpass(out, 7000), 7000)


def lowpass(sound, cutoff):
    a = 1 - math.exp(-TWO_PI * cutoff / RATE)
    y = 0.0
    out = []
    for x in sound:
        y += a * (x - y)
        out.append(y)
    return out


def finish(sound, fade_in=0.001, fade_out=0.01):
    """Short fades at both ends (no click), then scale to the common peak."""
    n = len(sound)
    fi = max(1, int(fade_in * RATE))
    fo = max(1, int(fade_out * RATE))
    out = list(sound)
    for i in range(min(fi, n)):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        out[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    # Start and end on exact zero.
    out[0] = 0.0
    out[-1] = 0.0
    peak = max(abs(v) for v in out) or 1.0
    return [v * PEAK / peak for v in out]


# --- the eight sounds ------------------------------------------------------

def autoplay():
    """A soft, quick swish ending in a light click: a card flies home."""
    length = 0.16
    n = int(length * RATE)
    env = [math.sin(math.pi * i / (n - 1)) ** 2 for i in range(n)]
    swish = filtered_noise(length, 900, 3500, 2.5, env, seed=11)
    buf = mix_into(silence(0.2), swish, 0.0, 1.0)
    click = tone(0.05, 2200, 1800, ((1, 1.0), (2, 0.2)), attack=0.001, decay=0.008)
    mix_into(buf, click, 0.13, 0.45)
    return finish(buf)


def carddown():
    """A soft tick: the card is picked up."""
    n = int(0.06 * RATE)
    env = env_ad(n, 0.0008, 0.006)
    snap = filtered_noise(0.06, 3200, 2600, 1.5, env, seed=23)
    ping = tone(0.06, 2600, 2400, ((1, 1.0),), attack=0.0008, decay=0.012)
    buf = mix_into(silence(0.08), snap, 0.0, 1.0)
    mix_into(buf, ping, 0.0, 0.25)
    return finish(buf)


def cardup():
    """A soft tap: the card is put down on the table."""
    n = int(0.1 * RATE)
    env = env_ad(n, 0.001, 0.015)
    thud_noise = lowpass(filtered_noise(0.1, 1400, 700, 1.2, env, seed=37), 2500)
    body = tone(0.1, 210, 150, ((1, 1.0), (2, 0.3)), attack=0.001, decay=0.025)
    buf = mix_into(silence(0.12), thud_noise, 0.0, 1.0)
    mix_into(buf, body, 0.0, 0.6)
    return finish(buf)


def sel():
    """A small rising blip."""
    blip = tone(0.09, 880, 1320, ((1, 1.0), (2, 0.15)), attack=0.006, decay=0.03)
    return finish(mix_into(silence(0.11), blip, 0.0))


def start():
    """A shuffle: a riffle of quick clicks that speeds up and dies away."""
    buf = silence(0.8)
    rng = Noise(101)
    t = 0.02
    k = 0
    while t < 0.68:
        n = int(0.012 * RATE)
        env = env_ad(n, 0.0005, 0.0025)
        centre = 2200 + 900 * rng.next()
        click = filtered_noise(0.012, centre, centre * 0.8, 2.0, env, seed=200 + k)
        # The riffle swells, then the last cards drop more softly.
        pos = t / 0.68
        loud = (0.55 + 0.45 * math.sin(math.pi * min(1.0, pos * 1.2))) * (0.8 + 0.2 * rng.next())
        mix_into(buf, click, t, loud)
        # Clicks come faster towards the middle of the riffle.
        gap = 0.028 - 0.014 * math.sin(math.pi * pos)
        t += gap * (1 + 0.15 * rng.next())
        k += 1
    # A soft bed of paper noise under the clicks.
    n = int(0.7 * RATE)
    bed_env = [0.12 * math.sin(math.pi * i / (n - 1)) for i in range(n)]
    mix_into(buf, filtered_noise(0.7, 1500, 2500, 0.8, bed_env, seed=7), 0.02)
    return finish(buf, fade_out=0.03)


def stock():
    """A card flip: a short flick followed by a light slap."""
    n = int(0.07 * RATE)
    env = [math.sin(math.pi * i / (n - 1)) ** 3 for i in range(n)]
    flick = filtered_noise(0.07, 1500, 4200, 3.0, env, seed=53)
    m = int(0.05 * RATE)
    slap_env = env_ad(m, 0.001, 0.009)
    slap = filtered_noise(0.05, 2000, 1500, 1.4, slap_env, seed=59)
    buf = mix_into(silence(0.16), flick, 0.0, 0.7)
    mix_into(buf, slap, 0.065, 1.0)
    return finish(buf)


def undo():
    """A gentle reverse whoosh that settles on a low blip."""
    length = 0.26
    n = int(length * RATE)
    # Swells up (like a sound played backwards) and falls in pitch.
    env = [(i / (n - 1)) ** 2 * (1 - (i / (n - 1)) ** 8) for i in range(n)]
    whoosh = filtered_noise(length, 2600, 500, 2.0, env, seed=71)
    blip = tone(0.14, 520, 330, ((1, 1.0), (2, 0.1)), attack=0.01, decay=0.05)
    buf = mix_into(silence(0.38), whoosh, 0.0, 1.0)
    mix_into(buf, blip, 0.22, 0.8)
    return finish(buf, fade_out=0.03)


def win():
    """A short cheerful fanfare: a rising C major arpeggio and a chord."""
    bell = ((1, 1.0), (2, 0.35), (3, 0.12), (4, 0.05))
    c5, e5, g5, c6, e6 = 523.25, 659.26, 783.99, 1046.5, 1318.5
    buf = silence(1.5)
    for i, f in enumerate((c5, e5, g5, c6)):
        mix_into(buf, tone(0.35, f, None, bell, attack=0.006, decay=0.12), 0.1 * i, 0.7)
    # Final chord rings out.
    for f, g in ((c5, 0.45), (g5, 0.4), (c6, 0.45), (e6, 0.35)):
        mix_into(buf, tone(1.0, f, None, bell, attack=0.01, decay=0.35), 0.45, g)
    return finish(buf, fade_out=0.1)


SOUNDS = {
    "AUTOPLAY": autoplay,
    "CARDDOWN": carddown,
    "CARDUP": cardup,
    "SEL": sel,
    "START": start,
    "STOCK": stock,
    "UNDO": undo,
    "WIN": win,
}


def write_wav(path, samples):
    frames = b"".join(
        struct.pack("<h", max(-32768, min(32767, int(round(v * 32767))))) for v in samples
    )
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.join(here, os.pardir, "resources", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    for name, make in SOUNDS.items():
        samples = make()
        path = os.path.normpath(os.path.join(out_dir, name + ".wav"))
        write_wav(path, samples)
        print("%-9s %.3f s  peak %.1f dBFS" % (
            name, len(samples) / RATE, 20 * math.log10(max(abs(v) for v in samples))))


if __name__ == "__main__":
    main()

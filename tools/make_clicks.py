#!/usr/bin/env python3
"""Writes the key-click sounds shipped in data/Sounds: short mono 16-bit WAV files, each a different
click (a damped tone burst with a little noise at the attack). Deterministic: the same files every run."""
import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 44100

CLICKS = {
    # name: (tone Hz, duration s, decay per s, noise share, volume)
    "Sound 01.wav": (2200.0, 0.030, 180.0, 0.35, 0.55),
    "Sound 02.wav": (1400.0, 0.040, 120.0, 0.20, 0.55),
    "Sound 03.wav": (3200.0, 0.020, 260.0, 0.50, 0.45),
    "Sound 04.wav": (800.0, 0.050, 90.0, 0.10, 0.60),
}


def write_click(path, tone, duration, decay, noise, volume):
    rng = random.Random(tone)
    frames = bytearray()
    n = int(RATE * duration)
    for i in range(n):
        t = i / RATE
        envelope = math.exp(-decay * t) * min(1.0, i / 20.0)
        sample = (1 - noise) * math.sin(2 * math.pi * tone * t) + noise * (rng.random() * 2 - 1)
        frames += struct.pack("<h", int(max(-1.0, min(1.0, volume * envelope * sample)) * 32767))
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data" / "Sounds"
    out.mkdir(parents=True, exist_ok=True)
    for name, params in CLICKS.items():
        write_click(out / name, *params)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws resources/data/wait.gif, the please-wait animation: twelve dots in a
ring, one bright dot running round with a fading tail. Needs python3-pil; the
GIF is committed, so the build does not."""
import math
import sys

from PIL import Image, ImageDraw

SIZE = 32
DOTS = 12
SCALE = 4  # drawn large, then shrunk for smooth edges


def frame(step):
    big = SIZE * SCALE
    image = Image.new("RGB", (big, big), (255, 255, 255))
    draw = ImageDraw.Draw(image)
    centre = big / 2
    ring = big * 0.36
    radius = big * 0.075
    for dot in range(DOTS):
        age = (step - dot) % DOTS
        shade = min(225, 40 + age * 26)
        angle = 2 * math.pi * dot / DOTS - math.pi / 2
        x = centre + ring * math.cos(angle)
        y = centre + ring * math.sin(angle)
        draw.ellipse((x - radius, y - radius, x + radius, y + radius), fill=(shade, min(255, shade + 10), 255))
    return image.resize((SIZE, SIZE), Image.LANCZOS).convert("P", palette=Image.ADAPTIVE, colors=64)


def main(path):
    frames = [frame(step) for step in range(DOTS)]
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=80, loop=0, optimize=True)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/data/wait.gif")

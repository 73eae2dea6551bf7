#!/usr/bin/env python3
"""Writes every picture of the application as an SVG file next to this script.

The SVG files are committed, so the build never runs this script; run it again
after changing a picture here:  python3 resources/images/make_images.py

One palette and one glyph grid keep the set consistent: dark greys, a warm
amber accent, light glyphs. Button pictures come in three states: _n normal,
_f roll-over (brighter, amber ring), _p pressed (darker, inset, amber glyph).
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Palette
INK = "#e4e6ea"          # glyphs
INK_HOT = "#ffffff"
AMBER = "#f2a33a"
AMBER_HOT = "#ffbd5c"
AMBER_DEEP = "#c77d1a"
PANEL_TOP = "#2b2f36"
PANEL_BOTTOM = "#1d2025"
EDGE = "#3b4049"
DEEP = "#101114"
GREEN = "#3fae6a"
RED = "#e0473e"
BLUE = "#3b9cf0"


def write(name, width, height, body, defs=""):
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}">\n')
    if defs:
        svg += f"<defs>{defs}</defs>\n"
    svg += body + "\n</svg>\n"
    with open(os.path.join(HERE, name + ".svg"), "w", encoding="ascii") as out:
        out.write(svg)


def linear(gid, top, bottom, x2="0", y2="1"):
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            f"</linearGradient>")


# ---------------------------------------------------------------- stroke letters
# A small geometric stroke alphabet on a 6 x 10 grid, so that the few words in
# the pictures look the same on every machine, whatever fonts it has.
LETTERS = {
    "A": "M0 10 L3 0 L6 10 M1.2 6.5 H4.8",
    "E": "M6 0 H0 V10 H6 M0 5 H4.6",
    "F": "M6 0 H0 V10 M0 5 H4.6",
    "N": "M0 10 V0 L6 10 V0",
    "O": "M3 0 C-1 0 -1 10 3 10 C7 10 7 0 3 0 Z",
    "R": "M0 10 V0 H3.6 C6.4 0 6.4 5 3.6 5 H0 M3.4 5 L6 10",
    "T": "M0 0 H6 M3 0 V10",
}


def word(text, x, y, scale, colour, stroke):
    """Returns the word drawn with the stroke alphabet; (x, y) is the top left."""
    parts = []
    for index, letter in enumerate(text):
        dx = x + index * 9 * scale
        parts.append(f'<path d="{LETTERS[letter]}" transform="translate({dx:g} {y:g}) scale({scale:g})" '
                     f'fill="none" stroke="{colour}" stroke-width="{stroke / scale:g}" '
                     f'stroke-linecap="round" stroke-linejoin="round"/>')
    return "".join(parts)


def word_width(text, scale):
    return (len(text) * 9 - 3) * scale


# ---------------------------------------------------------------- glyphs (24 x 24 grid)
def gear_path(cx, cy, outer, inner, teeth):
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * i / (teeth * 4) - math.pi / 2
        radius = outer if (i % 4) in (1, 2) else inner
        points.append(f"{cx + radius * math.cos(angle):.2f} {cy + radius * math.sin(angle):.2f}")
    return "M" + " L".join(points) + " Z"


def stroke(d, width=2.0):
    return ("stroke", d, width)


def fill(d):
    return ("fill", d, 0)


GLYPHS = {
    "play": [fill("M8.5 5.2 Q8.5 4 9.6 4.6 L19.2 11.1 Q20.2 12 19.2 12.9 L9.6 19.4 Q8.5 20 8.5 18.8 Z")],
    "pause": [fill("M6.5 5.5 Q6.5 4.5 7.5 4.5 H9.5 Q10.5 4.5 10.5 5.5 V18.5 Q10.5 19.5 9.5 19.5 H7.5 "
                   "Q6.5 19.5 6.5 18.5 Z M13.5 5.5 Q13.5 4.5 14.5 4.5 H16.5 Q17.5 4.5 17.5 5.5 V18.5 "
                   "Q17.5 19.5 16.5 19.5 H14.5 Q13.5 19.5 13.5 18.5 Z")],
    "stop": [fill("M6 7 Q6 6 7 6 H17 Q18 6 18 7 V17 Q18 18 17 18 H7 Q6 18 6 17 Z")],
    "forward": [fill("M3.5 6.6 Q3.5 5.6 4.4 6.2 L11.5 11.2 Q12.4 12 11.5 12.8 L4.4 17.8 Q3.5 18.4 3.5 17.4 Z"),
                fill("M12 6.6 Q12 5.6 12.9 6.2 L20 11.2 Q20.9 12 20 12.8 L12.9 17.8 Q12 18.4 12 17.4 Z")],
    "backward": [fill("M20.5 6.6 Q20.5 5.6 19.6 6.2 L12.5 11.2 Q11.6 12 12.5 12.8 L19.6 17.8 Q20.5 18.4 20.5 17.4 Z"),
                 fill("M12 6.6 Q12 5.6 11.1 6.2 L4 11.2 Q3.1 12 4 12.8 L11.1 17.8 Q12 18.4 12 17.4 Z")],
    "swap": [stroke("M5 8.5 H18 M14.5 5 L18 8.5 L14.5 12"), stroke("M19 15.5 H6 M9.5 12 L6 15.5 L9.5 19")],
    "speed_up": [stroke("M4.5 17 A8 8 0 1 1 19.5 17"), stroke("M12 14 L16.5 8.5"), fill("M10.5 14 A1.5 1.5 0 1 0 13.5 14 A1.5 1.5 0 1 0 10.5 14 Z")],
    "speed_down": [stroke("M4.5 17 A8 8 0 1 1 19.5 17"), stroke("M12 14 L7.5 8.5"), fill("M10.5 14 A1.5 1.5 0 1 0 13.5 14 A1.5 1.5 0 1 0 10.5 14 Z")],
    "volume_up": [fill("M3 9.5 H6.5 L11 5.5 V18.5 L6.5 14.5 H3 Z"), stroke("M14 12 H21 M17.5 8.5 V15.5")],
    "volume_down": [fill("M3 9.5 H6.5 L11 5.5 V18.5 L6.5 14.5 H3 Z"), stroke("M14 12 H21")],
    "audio_front": [fill("M2.5 9.5 H6 L10.5 5.5 V18.5 L6 14.5 H2.5 Z"), ("word", "F", 0)],
    "audio_rear": [fill("M2.5 9.5 H6 L10.5 5.5 V18.5 L6 14.5 H2.5 Z"), ("word", "R", 0)],
    "size_up": [stroke("M4.5 9.5 V4.5 H9.5 M4.5 4.5 L10 10 M19.5 14.5 V19.5 H14.5 M19.5 19.5 L14 14")],
    "size_down": [stroke("M10 5 V10 H5 M10 10 L4.5 4.5 M14 19 V14 H19 M14 14 L19.5 19.5")],
    "fullscreen": [stroke("M4 9 V4 H9 M15 4 H20 V9 M20 15 V20 H15 M9 20 H4 V15")],
    "fullscreen_exit": [stroke("M9 4 V9 H4 M20 9 H15 V4 M15 20 V15 H20 M4 15 H9 V20")],
    "capture": [stroke("M3.5 8.5 Q3.5 7 5 7 H8 L9.5 4.8 H14.5 L16 7 H19 Q20.5 7 20.5 8.5 V17.5 Q20.5 19 19 19 H5 Q3.5 19 3.5 17.5 Z", 1.8),
                stroke("M8.6 13 A3.4 3.4 0 1 0 15.4 13 A3.4 3.4 0 1 0 8.6 13 Z", 1.8)],
    "print": [stroke("M7 9 V4 H17 V9", 1.8),
              stroke("M7 16 H4.5 Q3.5 16 3.5 15 V10 Q3.5 9 4.5 9 H19.5 Q20.5 9 20.5 10 V15 Q20.5 16 19.5 16 H17", 1.8),
              stroke("M7 13.5 H17 V20 H7 Z", 1.8)],
    "folder": [stroke("M3.5 7 Q3.5 5.5 5 5.5 H9.5 L11.5 7.5 H19 Q20.5 7.5 20.5 9 V17 Q20.5 18.5 19 18.5 H5 Q3.5 18.5 3.5 17 Z", 1.8),
               stroke("M3.5 10.5 H20.5", 1.8)],
    "settings": [fill(gear_path(12, 12, 9.2, 6.8, 8) + " M12 8.6 A3.4 3.4 0 1 0 12 15.4 A3.4 3.4 0 1 0 12 8.6 Z")],
    "clock": [stroke("M3.5 12 A8.5 8.5 0 1 0 20.5 12 A8.5 8.5 0 1 0 3.5 12 Z", 1.8), stroke("M12 7 V12 L15.5 14", 1.8)],
    "close": [stroke("M6.5 6.5 L17.5 17.5 M17.5 6.5 L6.5 17.5", 2.2)],
    "minimize": [stroke("M6 12 H18", 2.2)],
    "map": [stroke("M12 21 C12 21 5.5 14.5 5.5 9.8 A6.5 6.5 0 0 1 18.5 9.8 C18.5 14.5 12 21 12 21 Z", 1.8),
            fill("M9.6 9.8 A2.4 2.4 0 1 0 14.4 9.8 A2.4 2.4 0 1 0 9.6 9.8 Z")],
    "trips": [stroke("M3.5 8 H9.5 M13 8 H20.5 M3.5 16 H6.5 M10 16 H20.5", 2.6),
              fill("M10.2 3.5 L13.8 3.5 L12 6.2 Z")],
    "list": [stroke("M9 7 H20 M9 12 H20 M9 17 H20"),
             fill("M3.5 7 A1.5 1.5 0 1 0 6.5 7 A1.5 1.5 0 1 0 3.5 7 Z M3.5 12 A1.5 1.5 0 1 0 6.5 12 A1.5 1.5 0 1 0 3.5 12 Z "
                  "M3.5 17 A1.5 1.5 0 1 0 6.5 17 A1.5 1.5 0 1 0 3.5 17 Z")],
}


def glyph(name, colour, x, y, size):
    """The glyph scaled from its 24-unit grid into a size x size square at (x, y)."""
    scale = size / 24.0
    out = [f'<g transform="translate({x:g} {y:g}) scale({scale:g})">']
    for kind, data, width in GLYPHS[name]:
        if kind == "fill":
            out.append(f'<path d="{data}" fill="{colour}"/>')
        elif kind == "stroke":
            out.append(f'<path d="{data}" fill="none" stroke="{colour}" stroke-width="{width:g}" '
                       f'stroke-linecap="round" stroke-linejoin="round"/>')
        else:
            out.append(word(data, 14.5, 7, 1.0, colour, 2.0))
    out.append("</g>")
    return "".join(out)


# ---------------------------------------------------------------- player buttons
def round_button(name, size):
    """A glyph on a round dark plate, in the three states."""
    r = size / 2.0
    g = size * 0.62
    o = (size - g) / 2.0
    states = {
        "n": (linear("plate", "#30343b", "#22252a"), "url(#plate)", EDGE, INK, ""),
        "f": (linear("plate", "#3a3f47", "#2a2e34"), "url(#plate)", AMBER, INK_HOT, ""),
        "p": (linear("plate", "#15171a", "#22252a"), "url(#plate)", "#14161a", AMBER_HOT,
              f'<circle cx="{r}" cy="{r + 0.8}" r="{r - 2.2}" fill="none" stroke="#000" stroke-opacity="0.45" stroke-width="1.5"/>'),
    }
    for state, (defs, plate, ring, ink, inset) in states.items():
        body = (f'<circle cx="{r}" cy="{r}" r="{r - 1}" fill="{plate}" stroke="{ring}" stroke-width="1"/>'
                f'{inset}{glyph(name, ink, o, o + (0.5 if state == "p" else 0), g)}')
        write(f"icon_{name}_{state}", size, size, body, defs)


def accent_button(name, size):
    """The play and pause buttons: an amber disc with a dark glyph."""
    r = size / 2.0
    g = size * 0.56
    o = (size - g) / 2.0
    states = {
        "n": ("#f5b04e", "#e08f22", "#b8741c", DEEP),
        "f": ("#ffc86e", "#f5a33a", "#ffd28a", DEEP),
        "p": ("#c47c1c", "#dc9530", "#8f5a12", "#2a1c08"),
    }
    for state, (top, bottom, ring, ink) in states.items():
        defs = linear("disc", top, bottom)
        shadow = f'<circle cx="{r}" cy="{r + 1}" r="{r - 1.5}" fill="#000" fill-opacity="0.35"/>' if state != "p" else ""
        body = (f'{shadow}<circle cx="{r}" cy="{r}" r="{r - 1.5}" fill="url(#disc)" stroke="{ring}" stroke-width="1"/>'
                f'{glyph(name, ink, o + (0.6 if name == "play" else 0), o + (0.5 if state == "p" else 0), g)}')
        write(f"icon_{name}_{state}", size, size, body, defs)


# ---------------------------------------------------------------- recording table icons
def car_icons():
    """Badge of a recording: a car seen from its front or its back, tinted by kind, and F or R."""
    kinds = {"alwa": GREEN, "motion": AMBER, "event": RED}
    car = ("M3.2 7.2 L4.6 3.6 Q5 2.6 6.1 2.6 H11.9 Q13 2.6 13.4 3.6 L14.8 7.2 Q16 7.6 16 8.8 V11.6 "
           "Q16 12.4 15.2 12.4 H2.8 Q2 12.4 2 11.6 V8.8 Q2 7.6 3.2 7.2 Z")
    for camera, letter in (("front", "F"), ("rear", "R")):
        lamp = "#fff6d8" if camera == "front" else "#ff5a4f"
        for kind, colour in kinds.items():
            body = (f'<rect x="0.5" y="0.5" width="23" height="15" rx="3.5" fill="{colour}" fill-opacity="0.2" '
                    f'stroke="{colour}" stroke-width="1"/>'
                    f'<g transform="translate(1.1 1.4) scale(0.82)"><path d="{car}" fill="{colour}"/>'
                    f'<path d="M5 4.2 H13 L14 7 H4 Z" fill="#000" fill-opacity="0.35"/>'
                    f'<rect x="3.4" y="8.6" width="2.6" height="1.6" rx="0.8" fill="{lamp}"/>'
                    f'<rect x="12" y="8.6" width="2.6" height="1.6" rx="0.8" fill="{lamp}"/>'
                    f'<rect x="3" y="12.4" width="2.4" height="1.6" rx="0.5" fill="{colour}"/>'
                    f'<rect x="12.6" y="12.4" width="2.4" height="1.6" rx="0.5" fill="{colour}"/></g>'
                    f'{word(letter, 15.6, 3.5, 0.9, INK_HOT, 1.6)}')
            write(f"car_{camera}_{kind}", 24, 16, body)


# ---------------------------------------------------------------- video backgrounds
def nine_part(base, fill_colour, edge_colour):
    c = 10
    rr = 7
    # Each corner draws one quarter of a rounded rectangle; the edges continue its border.
    corners = {
        "top_left": f'M{c} 0.5 H{rr + 0.5} A{rr} {rr} 0 0 0 0.5 {rr + 0.5} V{c}',
        "top_right": f'M0 0.5 H{c - rr - 0.5} A{rr} {rr} 0 0 1 {c - 0.5} {rr + 0.5} V{c}',
        "bottom_left": f'M0.5 0 V{c - rr - 0.5} A{rr} {rr} 0 0 0 {rr + 0.5} {c - 0.5} H{c}',
        "bottom_right": f'M{c - 0.5} 0 V{c - rr - 0.5} A{rr} {rr} 0 0 1 {c - rr - 0.5} {c - 0.5} H0',
    }
    fills = {
        "top_left": f'M{c} 0.5 H{rr + 0.5} A{rr} {rr} 0 0 0 0.5 {rr + 0.5} V{c} H{c} Z',
        "top_right": f'M0 0.5 H{c - rr - 0.5} A{rr} {rr} 0 0 1 {c - 0.5} {rr + 0.5} V{c} H0 Z',
        "bottom_left": f'M0.5 0 V{c - rr - 0.5} A{rr} {rr} 0 0 0 {rr + 0.5} {c - 0.5} H{c} V0 Z',
        "bottom_right": f'M{c - 0.5} 0 V{c - rr - 0.5} A{rr} {rr} 0 0 1 {c - rr - 0.5} {c - 0.5} H0 V0 Z',
    }
    for corner, path in corners.items():
        body = (f'<path d="{fills[corner]}" fill="{fill_colour}"/>'
                f'<path d="{path}" fill="none" stroke="{edge_colour}" stroke-width="1"/>')
        write(f"{base}_{corner}_corner", c, c, body)
    edges = {
        "top": f'<rect width="{c}" height="{c}" fill="{fill_colour}"/><rect width="{c}" height="1" fill="{edge_colour}"/>',
        "bottom": f'<rect width="{c}" height="{c}" fill="{fill_colour}"/><rect y="{c - 1}" width="{c}" height="1" fill="{edge_colour}"/>',
        "left": f'<rect width="{c}" height="{c}" fill="{fill_colour}"/><rect width="1" height="{c}" fill="{edge_colour}"/>',
        "right": f'<rect width="{c}" height="{c}" fill="{fill_colour}"/><rect x="{c - 1}" width="1" height="{c}" fill="{edge_colour}"/>',
    }
    for edge, body in edges.items():
        write(f"{base}_{edge}_edge_fill", c, c, body)
    write(f"{base}_center_fill", c, c, f'<rect width="{c}" height="{c}" fill="{fill_colour}"/>')


def camera_mark(cx, cy, scale, colour, accent):
    """A dashcam seen from the front: body, lens rings and a recording dot."""
    w, h = 44 * scale, 28 * scale
    x, y = cx - w / 2, cy - h / 2
    return (f'<rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" rx="{6 * scale:g}" fill="none" '
            f'stroke="{colour}" stroke-width="{2.2 * scale:g}"/>'
            f'<circle cx="{cx:g}" cy="{cy:g}" r="{9 * scale:g}" fill="none" stroke="{colour}" stroke-width="{2.2 * scale:g}"/>'
            f'<circle cx="{cx:g}" cy="{cy:g}" r="{4 * scale:g}" fill="{colour}"/>'
            f'<circle cx="{x + w - 6 * scale:g}" cy="{y + 6 * scale:g}" r="{2.2 * scale:g}" fill="{accent}"/>')


def logo(name, label, width, height, scale):
    colour = "#4a505b"
    mark_cy = height * 0.36
    text_w = word_width(label, scale * 1.6)
    body = (camera_mark(width / 2, mark_cy, scale, colour, AMBER) +
            word(label, (width - text_w) / 2, height * 0.68, scale * 1.6, colour, 2.2 * scale))
    write(name, width, height, body)


# ---------------------------------------------------------------- strips, bezels, tabs
def strips():
    defs = linear("strip", "#2a2e35", "#15171a")
    write("bottom-background", 8, 36,
          '<rect width="8" height="36" fill="url(#strip)"/><rect width="8" height="1" fill="#454a54"/>'
          '<rect y="35" width="8" height="1" fill="#0b0c0e"/>', defs)

    for pressed in (False, True):
        suffix = "_pressed" if pressed else ""
        top, bottom, edge = ("#17191d", "#23262b", "#0e0f12") if pressed else ("#3a3f47", "#272a30", "#4b515b")
        # A pressed bezel has a shadow under its top edge, a raised one a highlight.
        line = "#000" if pressed else "#fff"
        opacity = "0.45" if pressed else "0.10"
        defs = linear("bezel", top, bottom)
        write(f"bg_bt_info_left{suffix}", 8, 24,
              f'<path d="M8 0 H5 Q0 0 0 5 V19 Q0 24 5 24 H8 Z" fill="url(#bezel)"/>'
              f'<path d="M8 0.5 H5 Q0.5 0.5 0.5 5 V19 Q0.5 23.5 5 23.5 H8" fill="none" stroke="{edge}"/>'
              f'<path d="M8 1.5 H5 Q1.5 1.5 1.5 5" fill="none" stroke="{line}" stroke-opacity="{opacity}"/>', defs)
        write(f"bg_bt_info_center{suffix}", 4, 24,
              f'<rect width="4" height="24" fill="url(#bezel)"/><rect width="4" height="1" fill="{edge}"/>'
              f'<rect y="23" width="4" height="1" fill="{edge}"/>'
              f'<rect y="1" width="4" height="1" fill="{line}" fill-opacity="{opacity}"/>', defs)
        write(f"bg_bt_info_right{suffix}", 8, 24,
              f'<path d="M0 0 H3 Q8 0 8 5 V19 Q8 24 3 24 H0 Z" fill="url(#bezel)"/>'
              f'<path d="M0 0.5 H3 Q7.5 0.5 7.5 5 V19 Q7.5 23.5 3 23.5 H0" fill="none" stroke="{edge}"/>'
              f'<path d="M0 1.5 H3 Q6.5 1.5 6.5 5" fill="none" stroke="{line}" stroke-opacity="{opacity}"/>', defs)


def side_tabs():
    width, height = 111, 32
    for base, glyph_name in (("record", "list"), ("information", "map"), ("trips", "trips")):
        for state in ("n", "p"):
            if state == "p":
                defs = linear("tab", "#30343b", "#262a30")
                body = (f'<rect width="{width}" height="{height}" fill="url(#tab)"/>'
                        f'<rect y="{height - 3}" width="{width}" height="3" fill="{AMBER}"/>'
                        f'{glyph(glyph_name, AMBER_HOT, (width - 20) / 2, 5, 20)}')
            else:
                defs = linear("tab", "#1f2227", "#1a1c20")
                body = (f'<rect width="{width}" height="{height}" fill="url(#tab)"/>'
                        f'<rect y="{height - 1}" width="{width}" height="1" fill="{EDGE}"/>'
                        f'{glyph(glyph_name, "#8b919c", (width - 20) / 2, 5, 20)}')
            write(f"{base}_{state}", width, height, body, defs)


def slider_knob():
    defs = linear("knob", "#4a4f58", "#0d0e10")
    write("hud_slider-knobBlack-N", 13, 17,
          '<path d="M1.5 2.5 Q1.5 0.5 3.5 0.5 H9.5 Q11.5 0.5 11.5 2.5 V11 L6.5 16.2 L1.5 11 Z" '
          'fill="url(#knob)" stroke="#05060a" stroke-width="1"/>'
          '<path d="M2.5 2.8 Q2.5 1.5 3.8 1.5 H9.2 Q10.5 1.5 10.5 2.8" fill="none" stroke="#ffffff" stroke-opacity="0.35"/>'
          f'<path d="M4.5 5 V9.5 M6.5 5 V9.5 M8.5 5 V9.5" stroke="{AMBER}" stroke-width="1" stroke-linecap="round"/>',
          defs)


def progress_bars():
    write("blueProgress", 128, 16,
          '<rect x="0.5" y="3.5" width="127" height="9" rx="4.5" fill="url(#blue)" stroke="#1b5f9e"/>'
          '<rect x="3" y="5" width="122" height="2" rx="1" fill="#fff" fill-opacity="0.35"/>',
          linear("blue", "#7cc3ff", BLUE))
    write("greyProgress", 128, 16,
          '<rect x="0.5" y="3.5" width="127" height="9" rx="4.5" fill="url(#grey)" stroke="#5c626c"/>',
          linear("grey", "#c9ccd1", "#8c9199"))
    stripes = "".join(f'<path d="M{x} 12.5 L{x + 8} 3.5 H{x + 24} L{x + 16} 12.5 Z" fill="{BLUE}"/>'
                      for x in range(-32, 192, 32))
    write("barberProgress", 160, 16,
          '<clipPath id="bar"><rect x="0.5" y="3.5" width="159" height="9" rx="4.5"/></clipPath>'
          '<g clip-path="url(#bar)"><rect width="160" height="16" fill="#dfe8f3"/>' + stripes + '</g>'
          '<rect x="0.5" y="3.5" width="159" height="9" rx="4.5" fill="none" stroke="#1b5f9e"/>')


def app_icon():
    defs = (linear("body", "#3a3f48", "#15171b") + linear("glass", "#2a3a4a", "#06080b") +
            '<radialGradient id="shine" cx="0.35" cy="0.3" r="0.6"><stop offset="0" stop-color="#fff" stop-opacity="0.45"/>'
            '<stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>')
    body = ('<rect x="6" y="6" width="116" height="116" rx="26" fill="url(#body)" stroke="#0a0b0d" stroke-width="2"/>'
            '<rect x="9" y="9" width="110" height="110" rx="23" fill="none" stroke="#fff" stroke-opacity="0.08" stroke-width="2"/>'
            f'<circle cx="64" cy="66" r="38" fill="#101216" stroke="{AMBER}" stroke-width="6"/>'
            '<circle cx="64" cy="66" r="26" fill="url(#glass)" stroke="#2c313a" stroke-width="3"/>'
            '<circle cx="64" cy="66" r="11" fill="#0b0d10" stroke="#3f4753" stroke-width="2"/>'
            '<ellipse cx="54" cy="55" rx="12" ry="8" fill="url(#shine)"/>'
            f'<circle cx="101" cy="27" r="7" fill="{RED}" stroke="#5a1512" stroke-width="1.5"/>')
    write("app_icon", 128, 128, body, defs)


def main():
    accent_button("play", 40)
    accent_button("pause", 40)
    for name in ("stop", "forward", "backward", "swap", "speed_up", "speed_down", "volume_up", "volume_down",
                 "audio_front", "audio_rear", "size_up", "size_down", "fullscreen", "fullscreen_exit", "capture",
                 "print", "folder", "settings", "clock", "close", "minimize", "map", "list"):
        round_button(name, 32)
    car_icons()
    nine_part("v1", "#0c0d10", "#2a2e35")
    nine_part("v2", "#0c0d10", "#2a2e35")
    logo("v1_front_logo", "FRONT", 200, 110, 1.6)
    logo("v1_rear_logo", "REAR", 200, 110, 1.6)
    logo("v2_front_logo", "FRONT", 120, 66, 0.95)
    logo("v2_rear_logo", "REAR", 120, 66, 0.95)
    strips()
    side_tabs()
    slider_knob()
    progress_bars()
    app_icon()


if __name__ == "__main__":
    main()

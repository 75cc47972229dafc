#!/usr/bin/env python3
"""Writes Resources/ui/layout.json: the editor's canvas, style values and 145 items in drawing order.

Run from the repository root: python3 tools/layout/make_layout.py
"""

import json
import pathlib

KNOB_BODY_RADIUS = 23.93

KNOBS = [
    # id, x, y, title caption, panel
    ("knob.mix", 1030, 90, "MIX", "outlet"),
    ("knob.output", 1030, 193, "OUTPUT", "outlet"),
    ("knob.size", 57.85, 338, "SIZE", "space"),
    ("knob.decay", 166.2, 338, "DECAY", "space"),
    ("knob.preDelay", 274.55, 338, "PRE-DELAY", "space"),
    ("knob.attack", 382.9, 338, "ATTACK", "space"),
    ("knob.brightness", 516.17, 338, "BRIGHTNESS", "space"),
    ("knob.lowCut", 605.02, 338, "LOW CUT", "space"),
    ("knob.lowDecay", 693.87, 338, "LOW DECAY", "space"),
    ("knob.width", 816.31, 338, "WIDTH", "space"),
    ("knob.motion", 902.99, 338, "MOTION", "space"),
    ("knob.unmask", 42.68, 516, "AMOUNT", "clean"),
    ("knob.shaping", 508.59, 516, "AMOUNT", "clean"),
    ("knob.sibilance", 588.77, 516, "SIBILANCE", "clean"),
    ("knob.breath", 662.45, 516, "BREATH", "clean"),
    ("knob.transient", 736.13, 516, "TRANSIENT", "clean"),
    ("knob.erLevel", 833.64, 516, "ER LEVEL", "clean"),
    ("knob.diffusion", 911.66, 516, "DIFFUSION", "clean"),
]

UNIT_TOGGLE_KNOBS = {"knob.decay", "knob.preDelay"}

# Display windows the table leaves without a shape share these with their neighbours.
KNOB_WINDOW_SHAPE = {"rad": 4, "depth": 0.04}
LEARN_WINDOW_SHAPE = {"rad": 7, "depth": 0.04}
RAISED_PANEL = {"lift": 0.05}

CAP = {"px": 9, "spacing": 1.6, "textLayer": "live"}
HISTORY_CAP = {"px": 10, "spacing": 1.15, "textLayer": "baked", "tone": "printDim"}
KEY_TEXT = {"px": 7.5, "align": "L", "tone": "dispDim", "spacing": 0.6}
VALUE_TEXT = {"px": 12, "align": "L", "tone": "disp", "spacing": 1.15}
CHEVRON = {"halfW": 3.2, "stroke": 1.3, "tone": "dispDim"}
BUTTON_TEXT = {"px": 13, "bold": True, "align": "C", "tone": "disp", "spacing": 2.0}
METER_NAME = {"px": 10, "spacing": 1.15, "align": "C", "tone": "dispDim", "in": "outlet.meter"}
GROUP = {"px": 10, "spacing": 1.15, "tone": "printDim"}
DELTA = {"pad": 6, "icon": 11, "gap": 4, "px": 8, "layer": "live", "in": "clean"}
SPEED_TEXT = {"px": 7, "align": "L", "tone": "disp", "layer": "live", "in": "clean.speed"}
AXIS_TEXT = {"px": 10, "spacing": 1.0, "align": "C", "tone": "dispDim", "in": "clean.bands"}


def item(item_id, kind, rect, **keys):
    return {"id": item_id, "kind": kind, "rect": [tidy(v) for v in rect], **keys}


def tidy(value):
    """Rounds away float noise from the offset arithmetic and writes whole numbers as integers."""
    value = round(value, 4)
    return int(value) if value == int(value) else value


def knob_family(knob_id, x, y, caption, panel):
    outlet = panel == "outlet"
    title_y = y - 20 if outlet else y - 27
    window_y = y + 63 if outlet else y + 65
    window_id = knob_id + ".window"
    items = [
        item(knob_id, "knob", [x, y, 56, 56], bodyRadius=KNOB_BODY_RADIUS, **{"in": panel}),
        item(knob_id + ".title", "text", [x - 12, title_y, 80, 16], text=caption, px=10, spacing=1.15, align="C",
             tone="print", **{"in": panel}),
    ]
    if knob_id in UNIT_TOGGLE_KNOBS:
        items += [
            item(window_id, "window", [x - 21, y + 65, 98, 20], **KNOB_WINDOW_SHAPE, **{"in": panel}),
            item(knob_id + ".value", "text", [x - 19, y + 66, 36, 18], px=9, align="C", tone="disp",
                 **{"in": window_id}),
            item(knob_id + ".unit", "window", [x + 17, y + 67, 58, 16], rad=3.0, pad=2.0, gap=2.0, capRad=2.5,
                 depth=0.03, **{"in": window_id}),
        ]
    else:
        items += [
            item(window_id, "window", [x - 2, window_y, 60, 20], **KNOB_WINDOW_SHAPE, **{"in": panel}),
            item(knob_id + ".value", "text", [x, window_y + 1, 56, 18], px=9, align="C", tone="disp",
                 **{"in": window_id}),
        ]
    return items


def learn_window(name, rect, key_rect, value_rect, chevron_rect):
    window_id = "learn." + name
    return [
        item(window_id, "window", rect, **LEARN_WINDOW_SHAPE, **{"in": "learn"}),
        item(window_id + ".key", "text", key_rect, **KEY_TEXT, **{"in": window_id}),
        item(window_id + ".value", "text", value_rect, **VALUE_TEXT, **{"in": window_id}),
        item(window_id + ".chevron", "chevron", chevron_rect, **CHEVRON, **{"in": window_id}),
    ]


def header():
    return [
        item("chassis", "chassis", [0, 0, 1120, 630]),
        item("header.title", "text", [24, 18, 40, 24], text="ZQ-6", px=15, align="L", tone="print", spacing=1.1,
             bold=True),
        item("header.model", "text", [84, 21, 145.94, 18], text="TARVEL REVERB", px=13, align="L", tone="print",
             spacing=1.28),
        item("header.brand", "text", [246.94, 22, 80.45, 16], text="QUIL AUDIO", px=10, align="L", tone="printDim",
             spacing=1.34),
        item("header.help", "cap", [339, 22, 16, 16], onlyIn="direct", round=True, text="?", px=10, spacing=1.6,
             textLayer="baked", tone="print"),
        item("header.trough", "panel", [844, 16, 252, 28], depth=0.03, rad=6),
        item("header.ab.a", "cap", [850, 20, 34, 20], text="A", **CAP, **{"in": "header.trough"}),
        item("header.ab.b", "cap", [890, 20, 34, 20], text="B", **CAP, **{"in": "header.trough"}),
        item("header.ab.copy", "cap", [930, 20, 46, 20], text="A>B", **CAP, **{"in": "header.trough"}),
        item("header.undo", "cap", [984, 20, 48, 20], text="UNDO", **HISTORY_CAP, **{"in": "header.trough"}),
        item("header.redo", "cap", [1038, 20, 48, 20], text="REDO", **HISTORY_CAP, **{"in": "header.trough"}),
    ]


def learn():
    return [
        item("learn", "panel", [10, 60, 250, 204], **RAISED_PANEL),
        *learn_window("mode", [24, 198, 90, 52], [36, 208, 56, 14], [36, 222, 56, 18], [94, 216, 12, 16]),
        *learn_window("source", [24, 74, 222, 54], [36, 85, 186, 14], [36, 99, 186, 18], [226, 93, 12, 16]),
        *learn_window("character", [24, 136, 222, 54], [36, 147, 186, 14], [36, 161, 186, 18],
                      [226, 155, 12, 16]),
        item("learn.button", "learnbtn", [122, 198, 124, 52], rad=10.5, groove=2.5, depth=0.16, **{"in": "learn"}),
        item("learn.button.title", "text", [130, 211, 108, 14], **BUTTON_TEXT, **{"in": "learn.button"}),
        item("learn.button.status", "text", [130, 225, 108, 12], px=8, align="C", tone="dispDim", spacing=1.0,
             **{"in": "learn.button"}),
        item("learn.button.single", "text", [130, 217, 108, 14], **BUTTON_TEXT, **{"in": "learn.button"}),
    ]


def stage():
    view_text = {"px": 7.5, "align": "C", "tone": "disp", "layer": "live", "in": "stage.window"}
    return [
        item("stage", "area", [270, 60, 726, 204]),
        item("stage.window", "window", [270, 60, 726, 204], depth=0.04, rad=6, lift=0.02, **{"in": "stage"}),
        item("stage.ridge", "ridge", [270, 60, 726, 204], decay=1.05, top=42, layer="live",
             **{"in": "stage.window"}),
        item("stage.eq", "eqview", [270, 60, 726, 204], layer="live", **{"in": "stage.window"}),
        item("stage.view", "area", [888, 66, 100, 26], layer="live", **{"in": "stage.window"}),
        item("stage.view.tail", "text", [891, 71, 46, 16], text="TAIL", **view_text),
        item("stage.view.eq", "text", [939, 71, 46, 16], text="EQ", **view_text),
        item("stage.view.mark", "bar", [900, 86, 28, 1.4], layer="live", **{"in": "stage.window"}),
    ]


def meter_side(side, x):
    meter_id = "outlet.meter." + side
    return [
        item(meter_id + ".peak", "text", [x, 292, 36, 16], px=8, align="C", tone="disp", layer="live",
             **{"in": "outlet.meter"}),
        item(meter_id + ".lamp", "lamp", [x + 9, 309, 18, 4.5], layer="live", **{"in": "outlet.meter"}),
        item(meter_id + ".name", "text", [x, 586, 36, 16], text=side.upper(), **METER_NAME),
    ]


def outlet():
    return [
        item("outlet", "panel", [1006, 60, 104, 560], **RAISED_PANEL),
        *knob_family("knob.mix", 1030, 90, "MIX", "outlet"),
        *knob_family("knob.output", 1030, 193, "OUTPUT", "outlet"),
        item("outlet.meter", "meter", [1016, 282, 84, 322], rad=6, depth=0.04, floor=36, ticks=[0, 6, 12, 24, 36],
             tickPx=10, columns=[10, 54], barW=9, barGap=2, segTop=36, segBottomPad=22, segH=4.2, segGap=2.2,
             tickX=42, **{"in": "outlet"}),
        *meter_side("in", 1018),
        *meter_side("out", 1062),
        # The unit of the peak numbers, between them: under the bars it ran into "OUT".
        item("outlet.meter.unit", "text", [1049, 292, 18, 16], text="dB", **{**METER_NAME, "px": 8}),
    ]


def group(group_id, rect, caption, line_from, panel):
    return item(group_id, "group", rect, text=caption, **GROUP, lineFrom=line_from, **{"in": panel})


def rule(rule_id, x, y, panel):
    return item(rule_id, "rule", [x, y, 0.8, 140], **{"in": panel})


def knobs_of(panel):
    return [part for k in KNOBS if k[4] == panel for part in knob_family(*k)]


def space():
    return [
        item("space", "panel", [10, 274, 986, 168], **RAISED_PANEL),
        group("space.group.time", [31.67, 286, 433.41, 14], "TIME", 70.13, "space"),
        group("space.group.color", [498.67, 286, 269.8, 14], "COLOR", 548.63, "space"),
        group("space.group.image", [800.97, 286, 173.36, 14], "IMAGE", 848.81, "space"),
        rule("space.rule.1", 482.01, 288, "space"),
        rule("space.rule.2", 784.31, 288, "space"),
        *knobs_of("space"),
    ]


def clean():
    knobs = {k[0]: knob_family(*k) for k in KNOBS if k[4] == "clean"}
    return [
        item("clean", "panel", [10, 452, 986, 168], **RAISED_PANEL),
        group("clean.group.unmask", [27.34, 464, 444.68, 14], "UNMASK", 139.34, "clean"),
        group("clean.group.shaping", [493.25, 464, 307.72, 14], "SHAPING", 612.25, "clean"),
        group("clean.group.early", [822.64, 464, 156.03, 14], "EARLY", 870.48, "clean"),
        item("clean.delta.unmask", "delta", [83.77, 462, 54, 18], **DELTA),
        item("clean.delta.shaping", "delta", [557.26, 462, 54, 18], **DELTA),
        rule("clean.rule.1", 482.01, 466, "clean"),
        rule("clean.rule.2", 811.4, 466, "clean"),
        *knobs["knob.unmask"],
        item("clean.speed.label", "text", [100, 490, 82, 14], text="SPEED", px=10, spacing=1.15, align="C",
             tone="print", **{"in": "clean"}),
        item("clean.speed", "window", [110, 508, 62, 92], rad=6, depth=0.04, **{"in": "clean"}),
        item("clean.speed.fast", "text", [127, 519, 40, 14], text="FAST", **SPEED_TEXT),
        item("clean.speed.med", "text", [127, 547, 40, 14], text="MED", **SPEED_TEXT),
        item("clean.speed.slow", "text", [127, 575, 40, 14], text="SLOW", **SPEED_TEXT),
        item("clean.speed.mark", "bar", [119, 547, 1.6, 14], layer="live", **{"in": "clean.speed"}),
        item("clean.bands", "window", [184, 486, 288.01, 116], depth=0.04, rad=6, **{"in": "clean"}),
        item("clean.bands.title", "text", [193, 493, 80, 12], text="REDUCTION", px=10, spacing=1.15, align="L",
             tone="dispDim", **{"in": "clean.bands"}),
        item("clean.bands.fill", "bands", [193, 511, 270.01, 72], bands=24, gap=3, barRatio=0.6, layer="live",
             **{"in": "clean.bands"}),
        item("clean.bands.axis.100", "text", [213.5, 586, 40, 12], text="100 Hz", **AXIS_TEXT),
        item("clean.bands.axis.1k", "text", [320.27, 586, 30, 12], text="1k", **AXIS_TEXT),
        item("clean.bands.axis.10k", "text", [422.03, 586, 30, 12], text="10k", **AXIS_TEXT),
        *knobs["knob.shaping"], *knobs["knob.sibilance"], *knobs["knob.breath"], *knobs["knob.transient"],
        *knobs["knob.erLevel"], *knobs["knob.diffusion"],
    ]


def document():
    return {
        "version": 1,
        "product": "ZQ-6",
        "size": {"baseWidth": 1120, "baseHeight": 630, "minWidth": 896, "maxWidth": 1280, "bakeWidth": 2560},
        "style": {
            "panel": {"rad": 14},
            "knob": {"ringOuter": 1.17, "ticks": 31, "tickRadius": 1.095, "tickLength": 0.13, "tickWidth": 0.055,
                     "startDeg": 225, "sweepDeg": 270, "pointerInner": 0.5, "pointerOuter": 0.78,
                     "pointerWidth": 0.075},
        },
        "items": header() + learn() + stage() + outlet() + space() + clean(),
    }


def write(doc, path):
    """One item per line keeps diffs of the layout readable."""
    head = {k: v for k, v in doc.items() if k != "items"}
    lines = ["{"]
    for key, value in head.items():
        lines.append("  " + json.dumps(key) + ": " + json.dumps(value) + ",")
    lines.append('  "items": [')
    rows = [json.dumps(i, ensure_ascii=True) for i in doc["items"]]
    lines += ["    " + row + ("," if n + 1 < len(rows) else "") for n, row in enumerate(rows)]
    lines += ["  ]", "}"]
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    root = pathlib.Path(__file__).resolve().parents[2]
    write(document(), root / "Resources" / "ui" / "layout.json")

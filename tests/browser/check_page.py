#!/usr/bin/env python3
"""Opens orlo's HTML pages in headless Chromium and checks what they render.

usage: check_page.py FOLDER HOSTILE_NAME FLAT_NAME SCREENSHOT_PNG

FOLDER holds analysis.html with analysis.json (`orlo analyze --json` of the same run),
test.html (the test analyzer's page of phase-A and phase-C), sweeps.html (which shows
HOSTILE_NAME and FLAT_NAME, a flat sweep whose last point has a magnitude of 0) and
screen.html with screen.json (`orlo screen --json` of the same sets). The expected values
come from the JSON documents and the names given, never from the page's text: every check
reads the rendered page (positions, computed styles, console, requests, the printed page
count). No page may fetch anything. Writes the analysis page's screenshot to
SCREENSHOT_PNG. Exits 1 with one line per failed check.
"""

import base64
import json
import math
import os
import pathlib
import re
import sys

from selenium.webdriver.common.by import By

from browsing import GREYED_CELL, Checks, chromium, console_errors, requested

VIEWPORT = {"width": 1000, "height": 900, "deviceScaleFactor": 1, "mobile": False}
PIXEL_TOLERANCE = 1.0
PREFIXES = {"": 1.0, "k": 1e3, "M": 1e6, "G": 1e9}

# Reads every panel of the rendered page: graph geometry in client pixels, grids with
# their computed cell backgrounds, legends.
MEASURE_JS = r"""
(() => {
  const box = el => { const r = el.getBoundingClientRect();
                      return {left: r.left, right: r.right, top: r.top, bottom: r.bottom}; };
  const graphOf = svg => ({
    plot: box(svg.querySelector('.plot-area')),
    xTicks: [...svg.querySelectorAll('.x-tick')].map(g => {
      const r = g.querySelector('line').getBoundingClientRect();
      return {label: g.querySelector('text').textContent, x: (r.left + r.right) / 2};
    }),
    ranges: [...svg.querySelectorAll('.range')].map(g => {
      const band = g.querySelector('.band');
      const label = g.querySelector('.range-label');
      return Object.assign(box(band), {label: label.textContent, labelBox: box(label),
                                       fill: getComputedStyle(band).fill});
    }),
    infinite: [...svg.querySelectorAll('.infinite')].map(box),
    curves: [...svg.querySelectorAll('.curve')].map(g => {
      const points = [];
      for (const line of g.querySelectorAll('polyline')) {
        const m = line.getScreenCTM();
        for (const p of line.points) {
          const q = new DOMPoint(p.x, p.y).matrixTransform(m);
          points.push([q.x, q.y]);
        }
      }
      const strokes = [...g.querySelectorAll('polyline')].map(l => getComputedStyle(l).stroke);
      return {points, strokes};
    }),
    legend: [...svg.closest('figure').querySelectorAll('.legend li')].map(li => li.textContent),
  });
  const gridOf = table => table && [...table.rows].map(tr => {
    const marker = tr.querySelector('.marker');
    return {
      marker: marker ? marker.innerText.trim() : null,
      cells: [...tr.cells].filter(c => !c.classList.contains('marker')).map(c => ({
        background: getComputedStyle(c).backgroundColor,
        weight: Number(getComputedStyle(c).fontWeight)})),
    };
  });
  return {
    panels: [...document.querySelectorAll('section.panel')].map(section => ({
      graphs: [...section.querySelectorAll('figure.graph svg')].map(graphOf),
      results: gridOf(section.querySelector('table.results')),
      criteria: gridOf(section.querySelector('table.criteria')),
      notes: [...section.querySelectorAll('.notes li')].map(li => li.dataset.kind),
    })),
    header: box(document.querySelector('header')),
    sweepTable: box(document.querySelector('table.sweeps')),
    runNotes: [...document.querySelectorAll('header .notes li')].map(li => li.dataset.kind),
    scripts: document.querySelectorAll('script, img, iframe, object, embed').length,
    size: {width: document.documentElement.scrollWidth,
           height: document.documentElement.scrollHeight},
  };
})()
"""

# Colours of a PNG (every 4th pixel of every 4th row), decoded by the browser itself.
SCREENSHOT_JS = r"""
(async () => {
  const image = new Image();
  image.src = 'data:image/png;base64,%s';
  await image.decode();
  const canvas = document.createElement('canvas');
  canvas.width = image.width;
  canvas.height = image.height;
  const context = canvas.getContext('2d');
  context.drawImage(image, 0, 0);
  const data = context.getImageData(0, 0, image.width, image.height).data;
  const counts = new Map();
  let sampled = 0;
  for (let y = 0; y < image.height; y += 4) {
    for (let x = 0; x < image.width; x += 4) {
      const i = 4 * (y * image.width + x);
      const key = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
      counts.set(key, (counts.get(key) || 0) + 1);
      ++sampled;
    }
  }
  return {width: image.width, height: image.height, colours: counts.size,
          commonest: Math.max(...counts.values()), sampled};
})()
"""


# The screening page's table, row by row: each cell's text and background.
SCREEN_ROWS_JS = r"""
return [...document.querySelectorAll('tbody tr')].map(tr => [...tr.cells].map(td =>
    [td.textContent, getComputedStyle(td).backgroundColor]));
"""
# The verdicts of the screened sets by how bad they are; a Worst column puts a set that
# showed an error box above them and a set not read above that.
SEVERITY = {"": 0, "Normal": 1, "R-HF above limit, R-LF and R-MF normal": 2, "Light Distortion": 3,
            "Obvious Distortion": 4, "Severe Distortion": 5, "Error": 6}
NOT_ANALYSED_RANK = {"error box": 7, "unreadable": 8, "worker died": 8}


def rgb(colourref):
    return f"rgb({colourref & 0xFF}, {(colourref >> 8) & 0xFF}, {(colourref >> 16) & 0xFF})"


def frequency_of(label):
    match = re.fullmatch(r"([0-9.]+) ([kMG]?)Hz", label)
    if not match:
        raise ValueError(f"frequency tick label {label!r}")
    return float(match.group(1)) * PREFIXES[match.group(2)]


def log_axis(checks, where, ticks):
    """x(f) of the logarithmic axis the decade ticks show; checks they are evenly spaced."""
    if not checks.expect(len(ticks) >= 2, f"{where}: fewer than two frequency ticks"):
        return None
    first, last = ticks[0], ticks[-1]
    f0, f1 = math.log10(frequency_of(first["label"])), math.log10(frequency_of(last["label"]))
    per_decade = (last["x"] - first["x"]) / (f1 - f0)

    def x_of(frequency):
        return first["x"] + (math.log10(frequency) - f0) * per_decade

    for tick in ticks:
        expected = x_of(frequency_of(tick["label"]))
        checks.expect(abs(tick["x"] - expected) <= PIXEL_TOLERANCE,
                      f"{where}: tick {tick['label']} at x={tick['x']:.1f}, a log axis puts it at "
                      f"{expected:.1f}")
    return x_of


def check_points(checks, where, plot, points):
    """A line inside the plot area, off its frame (an automatic value axis leaves room above
    and below the curves)."""
    checks.expect(len(points) >= 2, f"{where}: no line")
    outside = [p for p in points if not (plot["left"] - 0.5 <= p[0] <= plot["right"] + 0.5
                                         and plot["top"] - 0.5 <= p[1] <= plot["bottom"] + 0.5)]
    on_frame = [p for p in points if min(abs(p[1] - plot["top"]), abs(p[1] - plot["bottom"])) < 2]
    checks.expect(not outside and not on_frame, f"{where}: points outside the plot area "
                  f"{outside[:1]} ({len(outside)}) or on its frame {on_frame[:1]} ({len(on_frame)})")


def check_range_labels(checks, where, graph):
    """Range labels sit above the plot, where they cover no curve, and not on each other."""
    boxes = [band["labelBox"] for band in graph["ranges"]]
    for band in graph["ranges"]:
        checks.expect(band["labelBox"]["bottom"] <= graph["plot"]["top"] + 0.5,
                      f"{where}: label {band['label']!r} reaches into the plot")
    overlapping = [(a, b) for i, a in enumerate(boxes) for b in boxes[i + 1:]
                   if a["left"] < b["right"] and b["left"] < a["right"]
                   and a["top"] < b["bottom"] and b["top"] < a["bottom"]]
    checks.expect(not overlapping, f"{where}: range labels overlap: {overlapping[:1]}")


def check_curves(checks, where, graph, expected_curves):
    plot = graph["plot"]
    checks.expect(len(graph["curves"]) == len(expected_curves),
                  f"{where}: {len(graph['curves'])} curves drawn, {len(expected_curves)} expected")
    for drawn, expected in zip(graph["curves"], expected_curves):
        name = expected["name"]
        check_points(checks, f"{where}: curve {name!r}", plot, drawn["points"])
        checks.expect(set(drawn["strokes"]) == {rgb(expected["colour"])},
                      f"{where}: curve {name!r} drawn in {set(drawn['strokes'])}, expected "
                      f"{rgb(expected['colour'])}")
    checks.expect(graph["legend"] == [c["name"] for c in expected_curves],
                  f"{where}: legend {graph['legend']} differs from the curves' names")


def check_analysis(checks, page, analysis):
    checks.expect(len(page["panels"]) == len(analysis["analyzers"]),
                  f"{len(page['panels'])} panels shown for {len(analysis['analyzers'])} analyzers")
    for panel, analyzer in zip(page["panels"], analysis["analyzers"]):
        where = analyzer["name"]
        expected = analyzer["graph"]
        if not checks.expect(panel["graphs"], f"{where}: no graph"):
            continue
        graph = panel["graphs"][0]
        x_of = log_axis(checks, where, graph["xTicks"])
        if x_of:
            checks.expect(len(graph["ranges"]) == len(expected["ranges"]),
                          f"{where}: {len(graph['ranges'])} range bands drawn, "
                          f"{len(expected['ranges'])} expected")
            for band, wanted in zip(graph["ranges"], expected["ranges"]):
                label = wanted["label"]
                checks.expect(band["label"] == label, f"{where}: band {band['label']!r} where "
                                                      f"{label!r} was expected")
                for edge, frequency in (("left", wanted["low"]), ("right", wanted["high"])):
                    checks.expect(abs(band[edge] - x_of(frequency)) <= PIXEL_TOLERANCE,
                                  f"{where}: band {label} {edge} edge at {band[edge]:.1f}, "
                                  f"{frequency} Hz is at {x_of(frequency):.1f}")
                checks.expect(band["fill"] == rgb(wanted["colour"]),
                              f"{where}: band {label} filled {band['fill']}, expected "
                              f"{rgb(wanted['colour'])}")
            check_range_labels(checks, where, graph)
        check_curves(checks, where, graph, expected["curves"])
        checks.expect(panel["notes"] == [note["kind"] for note in analyzer["notes"]],
                      f"{where}: notes {panel['notes']} shown, {analyzer['notes']} expected")

        criteria = panel["criteria"] or []
        greyed = {tuple(cell) for cell in analyzer["greyed"] or []}
        for r, row in enumerate(criteria):
            for c, cell in enumerate(row["cells"]):
                is_grey = cell["background"] == GREYED_CELL
                checks.expect(is_grey == ((r, c) in greyed),
                              f"{where}: criteria cell ({r}, {c}) background {cell['background']}"
                              f", greyed: {(r, c) in greyed}")
        checks.expect(not greyed or criteria, f"{where}: greyed cells but no criteria grid")

        selected = analyzer["selectedRow"]
        results = panel["results"] or []
        if selected is not None and checks.expect(selected < len(results),
                                                  f"{where}: no results row {selected}"):
            mark = results[selected]
            backgrounds = {cell["background"] for cell in mark["cells"]}
            checks.expect(bool(mark["marker"]), f"{where}: selected row {selected} has no marker")
            checks.expect(all(cell["weight"] >= 600 for cell in mark["cells"]),
                          f"{where}: selected row {selected} is not bold")
            checks.expect(len(backgrounds) == 1 and "rgba(0, 0, 0, 0)" not in backgrounds,
                          f"{where}: selected row {selected} has no background of its own")
            for r, row in enumerate(results):
                if r != selected:
                    checks.expect(not row["marker"] and not backgrounds & {
                        cell["background"] for cell in row["cells"]},
                        f"{where}: row {r} looks selected as well")


def check_sweeps(checks, page, hostile, flat):
    checks.expect(page["scripts"] == 0, "sweeps page: a script or image element was made")
    checks.expect(page["sweepTable"]["right"] <= page["header"]["right"] and
                  page["size"]["width"] <= VIEWPORT["width"],
                  f"sweeps page: the file table ({page['sweepTable']}) does not fit its card "
                  f"({page['header']}) at {VIEWPORT['width']} px")
    checks.expect(page["runNotes"] == ["undrawn-points"],
                  f"sweeps page: notes {page['runNotes']}, expected the flat sweep's zero")
    graphs = page["panels"][0]["graphs"] if page["panels"] else []
    if checks.expect(len(graphs) == 1, "sweeps page: not one graph"):
        graph = graphs[0]
        log_axis(checks, "sweeps page", graph["xTicks"])
        checks.expect(hostile in graph["legend"] and flat in graph["legend"],
                      f"sweeps page: {hostile!r} or {flat!r} not shown as text in the legend "
                      f"{graph['legend']}")
        plot = graph["plot"]
        for name, curve in zip(graph["legend"], graph["curves"]):
            check_points(checks, f"sweeps page: curve {name!r}", plot, curve["points"])
        # The zero at 3 MHz: one mark hanging from the bottom edge, right of every point drawn.
        marks = graph["infinite"]
        rightmost = max(x for curve in graph["curves"] for x, _ in curve["points"])
        checks.expect(len(marks) == 1 and abs(marks[0]["top"] - plot["bottom"]) <= 1 and
                      marks[0]["left"] > rightmost and marks[0]["right"] <= plot["right"] + 1,
                      f"sweeps page: the -inf point is marked at {marks}, plot {plot}")


def check_test_analyzer(checks, page):
    graphs = page["panels"][0]["graphs"] if page["panels"] else []
    if checks.expect(len(graphs) == 3, f"test analyzer page: {len(graphs)} graphs, not 3"):
        checks.expect(graphs[0]["legend"] == ["phase-A", "phase-C"],
                      f"test analyzer page: legend {graphs[0]['legend']} does not name the sweeps")


def worst_of(entry):
    """The last analyzer's worst verdict of a screened set."""
    return (entry["worst"] or [{}])[-1].get("conclusion") or ""


def screen_key(entry, column):
    """Where a set belongs when the screening page is sorted by `column` ("Set", "Sweeps" or
    the last analyzer's "Worst"): names with their numbers by value (T9 before T10)."""
    if column == "Set":
        return [int(part) if part.isdigit() else part.lower()
                for part in re.split(r"([0-9]+)", entry["set"])]
    if column == "Sweeps":
        return len(entry["sweeps"])
    return NOT_ANALYSED_RANK.get(entry["status"], SEVERITY.get(worst_of(entry), -1))


def check_screen(checks, driver, screen):
    sets = {entry["set"]: entry for entry in screen["sets"]}
    headers = lambda: driver.find_elements(By.CSS_SELECTOR, "tr.columns th")
    names = [th.text for th in headers()]
    rows = driver.execute_script(SCREEN_ROWS_JS)
    shown = [(row[0][0], row[-2][0]) for row in rows]
    expected = [(entry["set"], worst_of(entry) or "-") for entry in screen["sets"]]
    checks.expect(shown == expected, f"screening page: sets and worst verdicts {shown}, --json "
                                     f"has {expected}")
    # Verdicts: one colour each, none shared; a set not read is marked.
    colours = {}
    for row in rows:
        if sets.get(row[0][0], {}).get("status") == "analysed":
            for name, (text, background) in zip(names, row):
                if name in ("1-2", "2-3", "3-1", "Worst"):
                    colours.setdefault(text, set()).add(background)
    checks.expect(len(colours) >= 4 and all(len(shades) == 1 for shades in colours.values()) and
                  len(set.union(*colours.values())) == len(colours),
                  f"screening page: verdicts and their backgrounds {colours}")
    unread = [row for row in rows if sets.get(row[0][0], {}).get("status") == "unreadable"]
    checks.expect(len(unread) == 1 and unread[0][0][1] != rows[0][0][1],
                  "screening page: the row of the set not read is not marked")
    text = driver.find_element(By.TAG_NAME, "body").text
    checks.expect(text.count("No settings file") == 1,
                  f"screening page: the note common to every set is said {text.count('No settings file')} times")
    # Clicking a header sorts by its column, clicking it again the other way.
    for column in (0, 1, len(names) - 2):
        for descending in (False, True):
            headers()[column].click()
            shown = [row[0][0] for row in driver.execute_script(SCREEN_ROWS_JS)]
            order = [screen_key(sets[name], names[column]) for name in shown]
            checks.expect(order == sorted(order, reverse=descending),
                          f"screening page: clicked {names[column]!r} {descending + 1} time(s), the "
                          f"rows are in the order {shown}")


def evaluate(driver, expression, wait=False):
    result = driver.execute_cdp_cmd("Runtime.evaluate", {
        "expression": expression, "returnByValue": True, "awaitPromise": wait})
    if "exceptionDetails" in result:
        raise RuntimeError("measuring script failed: " + json.dumps(result["exceptionDetails"]))
    return result["result"]["value"]


def check_screenshot(checks, driver, png):
    """Decodes the screenshot in the browser (a blank page) and counts its colours."""
    driver.get("about:blank")
    image = evaluate(driver, SCREENSHOT_JS % base64.b64encode(png).decode(), wait=True)
    checks.expect(image["width"] >= 600 and image["height"] >= 400,
                  f"screenshot is only {image['width']}x{image['height']}")
    checks.expect(image["colours"] >= 16 and image["commonest"] <= 0.9 * image["sampled"],
                  f"screenshot looks blank: {image['colours']} colours, the commonest on "
                  f"{100 * image['commonest'] / image['sampled']:.0f}% of the pixels")


def printed_pages(driver):
    """The page count of the page printed to A4."""
    pdf = base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {
        "paperWidth": 8.27, "paperHeight": 11.69, "preferCSSPageSize": True})["data"])
    return len(re.findall(rb"/Type\s*/Page\b", pdf))


def load(checks, driver, name, html):
    """Loads the page; checks that it reported no error and fetched nothing."""
    requested(driver)  # what earlier pages asked for
    address = pathlib.Path(html).resolve().as_uri()
    driver.get(address)
    for error in console_errors(driver):
        checks.expect(False, f"{name} page: {error}")
    fetched = [url for url in requested(driver) if url != address]
    checks.expect(not fetched, f"{name} page fetched {fetched[:3]}")


def measure(checks, driver, name, html):
    load(checks, driver, name, html)
    return evaluate(driver, MEASURE_JS)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    folder, hostile, flat, screenshot_png = sys.argv[1:]
    documents = {}
    for name in ("analysis", "screen"):
        with open(os.path.join(folder, name + ".json"), encoding="utf-8") as file:
            documents[name] = json.load(file)
    checks = Checks("browser test")
    driver = chromium(VIEWPORT["width"], VIEWPORT["height"])
    try:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", VIEWPORT)
        page = measure(checks, driver, "analysis", os.path.join(folder, "analysis.html"))
        check_analysis(checks, page, documents["analysis"])
        # Printed: the sweeps on the first A4 page, then each panel on a page of its own.
        pages = printed_pages(driver)
        checks.expect(pages == 1 + len(page["panels"]),
                      f"analysis page prints on {pages} A4 pages, {1 + len(page['panels'])} expected")
        clip = {"x": 0, "y": 0, "width": page["size"]["width"], "height": page["size"]["height"], "scale": 1}
        png = base64.b64decode(driver.execute_cdp_cmd("Page.captureScreenshot", {
            "format": "png", "clip": clip, "captureBeyondViewport": True})["data"])
        with open(screenshot_png, "wb") as file:
            file.write(png)
        check_screenshot(checks, driver, png)
        check_test_analyzer(checks, measure(checks, driver, "test analyzer",
                                            os.path.join(folder, "test.html")))
        check_sweeps(checks, measure(checks, driver, "sweeps", os.path.join(folder, "sweeps.html")),
                     hostile, flat)
        load(checks, driver, "screening", os.path.join(folder, "screen.html"))
        check_screen(checks, driver, documents["screen"])
    finally:
        driver.quit()
    checks.finish()


if __name__ == "__main__":
    main()

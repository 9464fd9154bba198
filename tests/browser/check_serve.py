#!/usr/bin/env python3
"""Drives `orlo serve` in headless Chromium (Selenium, Debian's chromium-driver) the way a
user would, and checks what the page shows against `orlo analyze --json` of the same
sweeps and settings.

usage: check_serve.py ORLO FOLDER SETTINGS_DIR SCREENSHOT_PNG

FOLDER holds phase-A.csv, phase-B.csv, phase-C.csv (and may hold more). The story: open
the address, pick the three phases, click results row 2 and see the criteria change (to
what `orlo analyze --row 2 --json` shows), add a band in the settings dialog's editor and
see it in the dialog's grid and in the correlation panel, try a band whose Max is below
its Min and see the editor's message, reload and find the same state; then SIGINT ends
the server with exit status 0 within a second. Exits 1 with one line per failed check.
"""

import json
import subprocess
import sys
import time

from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.by import By

from browsing import GREYED_CELL, Checks, Server, chromium, console_errors, requested, wait

PHASES = ["phase-A.csv", "phase-B.csv", "phase-C.csv"]
BAND = {"label": "Browser band", "min": "2000", "max": "20000", "normal": "1", "suspect": "0.6"}

READ_PANELS_JS = r"""
return [...document.querySelectorAll('#panels section.panel')].map(section => {
  const grid = table => table && [...table.rows].map(tr => [...tr.cells]
      .filter(c => !c.classList.contains('marker'))
      .map(c => ({text: c.textContent, grey: getComputedStyle(c).backgroundColor})));
  return {index: Number(section.dataset.analyzer),
          results: grid(section.querySelector('table.results')),
          criteria: grid(section.querySelector('table.criteria')),
          selected: section.querySelector('table.results tr.selected')?.rowIndex ?? null,
          ranges: [...section.querySelectorAll('.range-label')].map(t => t.textContent),
          conclusion: section.querySelector('.conclusion strong')?.textContent ?? null,
          notes: [...section.querySelectorAll('.notes li')].map(li => li.textContent)};
});
"""


def analyze(orlo, folder, settings, row):
    run = subprocess.run([orlo, "analyze", "--json", "--row", str(row), "--settings-dir", settings,
                          *PHASES], cwd=folder, capture_output=True, text=True)
    return {a["index"]: a for a in json.loads(run.stdout)["analyzers"]}


def panels(driver):
    return {p["index"]: p for p in driver.execute_script(READ_PANELS_JS)}


def texts(grid):
    return [[cell["text"] for cell in row] for row in grid or []]


def greyed(grid):
    return sorted([r, c] for r, row in enumerate(grid or []) for c, cell in enumerate(row)
                  if cell["grey"] == GREYED_CELL)


def same_as_analysis(checks, shown, expected, when):
    for index, analyzer in expected.items():
        panel = shown.get(index)
        if not checks.expect(panel is not None, f"{when}: no panel for analyzer {index}"):
            continue
        where = f"{when}, {analyzer['name']}"
        checks.expect(texts(panel["results"]) == analyzer["results"],
                      f"{where}: results {texts(panel['results'])} != {analyzer['results']}")
        checks.expect(texts(panel["criteria"]) == analyzer["criteria"],
                      f"{where}: criteria {texts(panel['criteria'])} != {analyzer['criteria']}")
        checks.expect(greyed(panel["criteria"]) == sorted(analyzer["greyed"] or []),
                      f"{where}: greyed {greyed(panel['criteria'])} != {analyzer['greyed']}")
        checks.expect(panel["selected"] == analyzer["selectedRow"],
                      f"{where}: row {panel['selected']} selected, {analyzer['selectedRow']} expected")
        checks.expect(panel["conclusion"] == analyzer["conclusion"],
                      f"{where}: conclusion {panel['conclusion']!r} != {analyzer['conclusion']!r}")
        checks.expect(panel["notes"] == [n["text"] for n in analyzer.get("notes", [])],
                      f"{where}: notes {panel['notes']} != {analyzer.get('notes')}")


def click(driver, css):
    """A user's click on the element `css` finds; the page may redraw it meanwhile."""
    for _ in range(20):
        try:
            driver.find_element(By.CSS_SELECTOR, css).click()
            return
        except StaleElementReferenceException:
            time.sleep(0.05)
    raise AssertionError("could not click " + css)


def picked(driver):
    return driver.execute_script(
        "return [...document.querySelectorAll('#files tr')].filter(tr => tr.querySelector('input.pick')?.checked)"
        ".map(tr => tr.dataset.path)")


def dialog_open(driver, element_id):
    return driver.execute_script(f"return document.getElementById('{element_id}').open")


def fill_editor(driver, band):
    for box, value in band.items():
        field = driver.find_element(By.ID, "band-" + box)
        field.clear()
        field.send_keys(value)
    click(driver, "#editor-ok")


def band_grid_labels(driver):
    return driver.execute_script(
        "return [...document.querySelectorAll('#band-grid tr')].slice(1)"
        ".map(tr => tr.cells[tr.cells.length - 6].textContent)")


def story(checks, driver, orlo, folder, settings, address, screenshot):
    driver.get(address)
    wait(driver, lambda: driver.find_elements(By.CSS_SELECTOR, "#files input.pick"), "the sweep files")
    for count, phase in enumerate(PHASES, 1):
        click(driver, f"#files tr[data-path='{phase}'] input.pick")
        wait(driver, lambda: picked(driver) == PHASES[:count], phase + " picked")
    expected = analyze(orlo, folder, settings, 1)
    # The analyzers compare the pairs on their timer, as in the application.
    wait(driver, lambda: all(texts(panels(driver).get(i, {}).get("results")) == a["results"]
                             for i, a in expected.items()), "the three pairs in every results grid")
    same_as_analysis(checks, panels(driver), expected, "three sweeps picked")
    before = panels(driver)

    expected = analyze(orlo, folder, settings, 2)
    for index in expected:
        click(driver, f"section.panel[data-analyzer='{index}'] table.results tr:nth-child(3) td:last-child")
    wait(driver, lambda: all(p["selected"] == 2 for p in panels(driver).values()), "row 2 selected")
    wait(driver, lambda: texts(panels(driver)[1]["criteria"]) == expected[1]["criteria"], "row 2's criteria")
    after = panels(driver)
    checks.expect(any(texts(after[i]["criteria"]) != texts(before[i]["criteria"]) for i in after),
                  "clicking results row 2 changed no criteria grid")
    same_as_analysis(checks, after, expected, "row 2 clicked")

    click(driver, "#open-settings")
    wait(driver, lambda: dialog_open(driver, "settings-dialog"), "the settings dialog")
    click(driver, "#band-add")
    fill_editor(driver, BAND)
    wait(driver, lambda: not dialog_open(driver, "editor-dialog"), "the editor to close")
    wait(driver, lambda: BAND["label"] in band_grid_labels(driver), "the new band in the dialog's grid")
    click(driver, "#band-add")
    fill_editor(driver, dict(BAND, label="Upside down", min="5000", max="1000"))
    wait(driver, lambda: dialog_open(driver, "message-dialog"), "the editor's message")
    message = driver.find_element(By.ID, "message-text").text
    checks.expect(message == "Max < Min", f"the editor said {message!r}, not 'Max < Min'")
    click(driver, "#message-ok")
    checks.expect(dialog_open(driver, "editor-dialog"), "the editor closed after its message")
    click(driver, "#editor-cancel")
    checks.expect("Upside down" not in band_grid_labels(driver), "the refused band was added")
    click(driver, "#settings-cancel")
    wait(driver, lambda: BAND["label"] in panels(driver)[0]["ranges"], "the new band in the panel's graph")
    checks.expect(BAND["label"] in [row[0]["text"] for row in panels(driver)[0]["criteria"] or []],
                  "the new band is not a row of the correlation panel's criteria")
    shown = panels(driver)

    driver.refresh()
    wait(driver, lambda: len(panels(driver)) == len(shown) and all(
        p["results"] for p in panels(driver).values()), "the panels after the reload")
    checks.expect(picked(driver) == PHASES, f"after the reload {picked(driver)} are picked")
    checks.expect(panels(driver) == shown, "the panels differ after the reload")
    driver.save_screenshot(screenshot)
    errors = console_errors(driver)
    checks.expect(not errors, f"console errors: {errors}")
    origin = address.split("/?")[0] + "/"
    elsewhere = [url for url in requested(driver) if not url.startswith(origin)]
    checks.expect(not elsewhere, f"the page fetched {elsewhere[:3]}")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    orlo, folder, settings, screenshot = sys.argv[1:]
    server = Server(orlo, folder, settings)
    checks = Checks("serve browser test")
    try:
        checks.expect(server.address.startswith("http://127.0.0.1:") and "/?token=" in server.address,
                      f"first line {server.address!r} is not the address")
        driver = chromium(1100, 1400)
        try:
            story(checks, driver, orlo, folder, settings, server.address, screenshot)
        except AssertionError as failure:
            checks.expect(False, str(failure))
        finally:
            driver.quit()
    finally:
        status, took = server.stop()
        checks.expect(status == 0 and took < 1.0, f"SIGINT: exit status {status} after {took:.2f} s")
    checks.finish()


if __name__ == "__main__":
    main()

"""What the browser tests and bench/serve_load.py share: the tally of checks, headless
Chromium driven through Selenium (Debian's chromium and chromium-driver, imported only
when a browser is asked for) and `orlo serve` started and ended.
"""

import json
import signal
import subprocess
import sys
import time

TIMEOUT_S = 15
GREYED_CELL = "rgb(128, 128, 128)"  # a criteria cell that does not count


class Checks:
    """Counts the checks; finish() prints one line per failed one and exits 1 if any failed."""

    def __init__(self, name):
        self.name = name
        self.failures = []
        self.count = 0

    def expect(self, condition, message):
        self.count += 1
        if not condition:
            self.failures.append(message)
        return condition

    def finish(self):
        for failure in self.failures:
            print("FAIL " + failure)
        print(f"{self.name}: {self.count - len(self.failures)} of {self.count} checks passed")
        sys.exit(1 if self.failures else 0)


def chromium(width, height):
    """A headless Chromium that logs the pages' console and every request they make."""
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-sync",
                 "--disable-background-networking", "--disable-component-update",
                 f"--window-size={width},{height}"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait(driver, condition, what):
    from selenium.webdriver.support.ui import WebDriverWait
    try:
        return WebDriverWait(driver, TIMEOUT_S, poll_frequency=0.1).until(lambda d: condition())
    except Exception:
        raise AssertionError("timed out waiting for " + what)


def console_errors(driver):
    """The errors the pages reported (console, exceptions, refused loads) since the last call."""
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]


def requested(driver):
    """The addresses the pages asked for since the last call."""
    messages = (json.loads(entry["message"])["message"] for entry in driver.get_log("performance"))
    return [m["params"]["request"]["url"] for m in messages if m["method"] == "Network.requestWillBeSent"]


class Server:
    """`orlo serve` on FOLDER: `address` is the first line it printed; stop() ends it with
    SIGINT and answers its exit status (or "killed") and the seconds it took to end."""

    def __init__(self, orlo, folder, settings):
        self.process = subprocess.Popen([orlo, "serve", "--settings-dir", settings, folder],
                                        stdout=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()

    def stop(self):
        started = time.monotonic()
        self.process.send_signal(signal.SIGINT)
        try:
            status = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            status = "killed"
        return status, time.monotonic() - started

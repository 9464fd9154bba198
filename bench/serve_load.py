#!/usr/bin/env python3
"""Load on `orlo serve`, on the loopback only: CLIENTS clients poll the page's state as the
page does (every INTERVAL seconds, one connection per request) for SECONDS seconds while
three sweeps are picked into the graph, then the server is ended with SIGINT.

usage: bench/serve_load.py ORLO [CLIENTS [SECONDS [INTERVAL]]]   (defaults 50, 10, 0.5)

The three example phases are simulated (`orlo simulate`) into a scratch folder. Prints the requests answered, the failures, the latency percentiles, the server's
peak memory (VmHWM) and how long it took to end; exits 1 when a request failed, the peak
memory reached 100 MB or the server did not exit 0 within a second of SIGINT.
"""

import http.client
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "browser"))
from browsing import Server  # noqa: E402 - found through the path above

MEMORY_LIMIT_KB = 100 * 1024


def request(port, token, method, path, body=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    headers = {"X-Orlo-Token": token}
    if body is not None:
        headers.update({"Content-Type": "application/json", "Origin": f"http://127.0.0.1:{port}"})
    connection.request(method, path, body=body, headers=headers)
    response = connection.getresponse()
    data = response.read()
    connection.close()
    return response.status, data


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    orlo = sys.argv[1]
    clients = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 10.0
    interval = float(sys.argv[4]) if len(sys.argv) > 4 else 0.5
    scratch = tempfile.mkdtemp(prefix="orlo-load-")
    folder, settings = os.path.join(scratch, "sweeps"), os.path.join(scratch, "settings")
    os.makedirs(settings)
    os.makedirs(folder)
    for number, name, extra in ((1, "A", []), (2, "B", []),
                                (3, "C", ["--deformation", "radial", "--severity", "30"])):
        subprocess.run([orlo, "simulate", "--phase", str(number), *extra, "-o",
                        os.path.join(folder, f"phase-{name}.csv")], check=True,
                       stdout=subprocess.DEVNULL)
    server = Server(orlo, folder, settings)
    address = urllib.parse.urlparse(server.address)
    port, token = address.port, urllib.parse.parse_qs(address.query)["token"][0]
    for phase in ("phase-A.csv", "phase-B.csv", "phase-C.csv"):
        status, _ = request(port, token, "POST", "/api/action",
                            json.dumps({"action": "pick", "path": phase}))
        assert status == 200, f"picking {phase}: {status}"

    latencies, failures, lock = [], [], threading.Lock()
    end = time.monotonic() + seconds

    def poll():
        while time.monotonic() < end:
            started = time.monotonic()
            try:
                status, body = request(port, token, "GET", "/api/state")
                ok = status == 200 and json.loads(body)["panels"]
            except Exception as error:  # noqa: BLE001 - every failure counts
                status, ok = repr(error), False
            took = time.monotonic() - started
            with lock:
                (latencies if ok else failures).append(took if ok else status)
            time.sleep(max(0.0, interval - took))

    threads = [threading.Thread(target=poll) for _ in range(clients)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    memory = peak_memory_kb(server.process.pid)
    status, ending = server.stop()
    shutil.rmtree(scratch, ignore_errors=True)

    latencies.sort()
    def percentile(p):
        return 1000 * latencies[min(len(latencies) - 1, int(p / 100 * len(latencies)))] if latencies else 0
    print(f"{clients} clients, {seconds:g} s, one poll per {interval:g} s each: "
          f"{len(latencies)} answered, {len(failures)} failed {failures[:3]}")
    print(f"latency p50 {percentile(50):.1f} ms, p99 {percentile(99):.1f} ms, max "
          f"{1000 * (latencies[-1] if latencies else 0):.1f} ms")
    print(f"server peak memory {memory / 1024:.1f} MB; exit status {status} {1000 * ending:.0f} ms "
          f"after SIGINT")
    sys.exit(1 if failures or memory >= MEMORY_LIMIT_KB or status != 0 or ending >= 1.0 else 0)


if __name__ == "__main__":
    main()

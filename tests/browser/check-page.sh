#!/usr/bin/env bash
# Browser test of orlo's HTML pages. Makes the three example phases, writes the analysis
# page (`orlo analyze --row 2 --html`) and a sweeps page (`orlo sweeps --html`) with one
# sweep named like markup, and lets tests/browser/check_page.py check in headless Chromium
# what they render. Then tests/browser/check_serve.py drives `orlo serve` on the same
# folder through Selenium as a user would. Writes the screenshots of the analysis page and
# of the served page to docs/example-page.png and docs/serve-page.png (the README's
# pictures). Installs Debian's chromium, chromium-driver and python3-selenium when missing.
#
# usage: tests/browser/check-page.sh [BUILD_DIR]    (default: build, with orlo built)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
. scripts/deps.sh
orlo_install_missing chromium chromium-driver python3 python3-selenium

orlo="$root/${1:-build}/bin/orlo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/settings"
hostile="<img src=x onerror=alert(1)> & \"quoted\" 'name'"

# Relative file names, so that the picture does not change with the temporary folder.
cd "$work"
"$orlo" simulate --phase 1 -o phase-A.csv
"$orlo" simulate --phase 2 -o phase-B.csv
"$orlo" simulate --phase 3 --deformation radial --severity 30 -o phase-C.csv
cp phase-A.csv "$hostile.csv"
"$orlo" analyze --row 2 --settings-dir settings --json --html analysis.html \
  phase-A.csv phase-B.csv phase-C.csv >analysis.json
"$orlo" sweeps --html sweeps.html phase-A.csv phase-B.csv "$hostile.csv" >/dev/null
python3 "$root/tests/browser/check_page.py" analysis.html analysis.json sweeps.html "$hostile" \
  "$root/docs/example-page.png"
mkdir serve-settings
# Debian's Python, which has python3-selenium, even where another python3 comes first.
python=$(command -v /usr/bin/python3 || command -v python3)
"$python" "$root/tests/browser/check_serve.py" "$orlo" . serve-settings \
  "$root/docs/serve-page.png"

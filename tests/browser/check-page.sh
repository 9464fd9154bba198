#!/usr/bin/env bash
# Browser test of orlo's HTML pages. Makes the three example phases, writes the analysis
# page (`orlo analyze --row 2 --html`), the test analyzer's page, a sweeps page (`orlo
# sweeps --html`) with one sweep named like markup and a flat one under a long name holding
# a magnitude of 0, and a screening page (`orlo screen --html`) of five sets, and lets
# tests/browser/check_page.py check in headless Chromium what they render. Then tests/browser/check_serve.py drives `orlo serve` on the same folder
# through Selenium as a user would. With --update-screenshot the screenshots of the analysis
# page and of the served page replace docs/example-page.png and docs/serve-page.png (the
# README's pictures); otherwise they stay in the scratch folder. Installs Debian's chromium,
# chromium-driver and python3-selenium when missing.
#
# usage: tests/browser/check-page.sh [--update-screenshot] [BUILD_DIR]
#        (BUILD_DIR defaults to build, with orlo built)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
. scripts/deps.sh
orlo_install_missing chromium chromium-driver python3 python3-selenium

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
screenshot="$work/example-page.png"
serve_screenshot="$work/serve-page.png"
if [[ ${1:-} == --update-screenshot ]]; then
  screenshot="$root/docs/example-page.png"
  serve_screenshot="$root/docs/serve-page.png"
  shift
fi
orlo="$root/${1:-build}/bin/orlo"
mkdir "$work/settings"
hostile="<img src=x onerror=alert(1)> & \"quoted\" 'name'"

# Relative file names, so that the picture does not change with the temporary folder.
cd "$work"
"$orlo" simulate --phase 1 -o phase-A.csv
"$orlo" simulate --phase 2 -o phase-B.csv
"$orlo" simulate --phase 3 --deformation radial --severity 30 -o phase-C.csv
cp phase-A.csv "$hostile.csv"
flat=flat-sweep-with-a-long-name-as-measurement-files-often-have-2026-12-06-T1-phase-A-final
{
  echo "frequency,ratio"
  for f in 20 200 2000 20000 200000 2000000; do echo "$f,0.1"; done
  echo "3000000,0"
} >"$flat.csv"
"$orlo" analyze --row 2 --settings-dir settings --json --html analysis.html \
  phase-A.csv phase-B.csv phase-C.csv >analysis.json
"$orlo" analyze --analyzer "Test Analyzer" --select 1,2 --html test.html phase-A.csv phase-C.csv \
  >/dev/null
"$orlo" sweeps --html sweeps.html phase-A.csv phase-B.csv "$hostile.csv" "$flat.csv" >/dev/null
# Sets whose names sort by number (T2 < T9 < T10), three strengths of deformation, a set of
# one sweep and one with a bad file (exit status 3).
for set in T2 T9 T10 one bad; do mkdir -p "fleet/$set"; cp phase-A.csv "fleet/$set"; done
for set in T2 T9 T10; do cp phase-B.csv "fleet/$set"; done
"$orlo" simulate --phase 3 -o fleet/T9/phase-C.csv
cp phase-C.csv fleet/T10
"$orlo" simulate --phase 3 --deformation radial --severity 80 -o fleet/T2/phase-C.csv
printf 'frequency,ratio\n20,x\n' >fleet/bad/phase-B.csv
"$orlo" screen --settings-dir settings --json --html screen.html fleet >screen.json || [[ $? == 3 ]]
# Debian's Python, which has python3-selenium, even where another python3 comes first.
python=$(command -v /usr/bin/python3 || command -v python3)
"$python" "$root/tests/browser/check_page.py" . "$hostile" "$flat" "$screenshot"
mkdir serve-settings
"$python" "$root/tests/browser/check_serve.py" "$orlo" . serve-settings "$serve_screenshot"

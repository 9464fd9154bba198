#include "host/screen/ScreenOutputs.h"
#include "host/output/HtmlText.h"
#include "platform/common/Utf8.h"

#include <ostream>

namespace orlo::host {

namespace {

constexpr char kHead[] =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "style-src 'unsafe-inline'; script-src 'unsafe-inline'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title>Screening</title>\n<style>\n"
    "body { font: 14px/1.4 sans-serif; color: #202020; background: #F2F2F2; margin: 16px; }\n"
    "h1 { font-size: 20px; margin: 0 0 8px; }\n"
    "table { border-collapse: collapse; background: #FFFFFF; }\n"
    "th, td { border: 1px solid #C0C0C0; padding: 3px 8px; text-align: left; }\n"
    "th { background: #E8E8E8; font-weight: 600; white-space: nowrap; }\n"
    "tr.columns th { cursor: pointer; }\n"
    "th[aria-sort=ascending]::after { content: \" \\25B2\"; }\n"
    "th[aria-sort=descending]::after { content: \" \\25BC\"; }\n"
    "td.number { text-align: right; }\n"
    "td.verdict { white-space: nowrap; }\n"
    ".severity-1 { background: #C8E6C9; }\n"
    ".severity-2 { background: #FFF59D; }\n"
    ".severity-3 { background: #FFCC80; }\n"
    ".severity-4 { background: #FF9E80; }\n"
    ".severity-5 { background: #EF5350; color: #FFFFFF; }\n"
    ".severity-6 { background: #B39DDB; }\n"
    "tr.not-analysed td { background: #E0E0E0; }\n"
    "tr.not-analysed td.notes { color: #B00020; font-weight: 600; }\n"
    "</style>\n</head>\n<body>\n";

// Sorts the rows by the clicked column: verdicts and numbers by their data-rank, the rest
// as text (T9 before T10); a second click reverses. Equal keys keep their order (a stable
// sort).
constexpr char kScript[] =
    "<script>\n"
    "document.querySelectorAll('tr.columns th').forEach(function (th, column) {\n"
    "  th.addEventListener('click', function () {\n"
    "    var body = document.querySelector('tbody');\n"
    "    var up = th.getAttribute('aria-sort') !== 'ascending';\n"
    "    document.querySelectorAll('tr.columns th').forEach(function (other) {\n"
    "      other.removeAttribute('aria-sort');\n"
    "    });\n"
    "    th.setAttribute('aria-sort', up ? 'ascending' : 'descending');\n"
    "    var key = function (row) {\n"
    "      var cell = row.cells[column];\n"
    "      var rank = cell.getAttribute('data-rank');\n"
    "      return rank === null ? cell.textContent : Number(rank);\n"
    "    };\n"
    "    var rows = Array.prototype.slice.call(body.rows);\n"
    "    rows.sort(function (a, b) {\n"
    "      var x = key(a), y = key(b);\n"
    "      var order = typeof x === 'number' ? x - y : x.localeCompare(y, undefined, {numeric: true});\n"
    "      return up ? order : -order;\n"
    "    });\n"
    "    rows.forEach(function (row) { body.appendChild(row); });\n"
    "  });\n"
    "});\n"
    "</script>\n";

void WriteVerdict(int severity, int rank, const std::string& text, std::ostream& out) {
  out << "<td class=\"verdict severity-" << severity << "\" data-rank=\"" << rank << "\">"
      << Escape(text) << "</td>";
}

void WriteRow(const ScreenResults& results, const ScreenRow& row, std::ostream& out) {
  const std::vector<std::string> cells = ScreenCells(results, row);
  const bool analysed = row.status == SetStatus::kAnalysed || row.status == SetStatus::kTooFewSweeps;
  out << (analysed ? "<tr>" : "<tr class=\"not-analysed\">");
  size_t column = 0;
  for (; column < 1 + results.columns.size(); ++column) out << "<td>" << Escape(cells[column]) << "</td>";
  out << "<td class=\"number\" data-rank=\"" << row.sweeps << "\">" << row.sweeps << "</td>";
  ++column;
  for (const ScreenAnalyzer& analyzer : results.analyzers) {
    const AnalyzerCells* analyzerCells = row.Analyzer(analyzer.index);
    for (const std::string& pair : ScreenPairs()) {
      const std::string conclusion = row.Conclusion(analyzer.index, pair);
      const int severity = analyzerCells == nullptr ? 0
          : static_cast<int>(SeverityOf(orlo::Utf8ToWide(analyzer.guid), orlo::Utf8ToWide(conclusion)));
      WriteVerdict(severity, severity, cells[column++], out);
    }
    // A set not analysed, or that showed an error box, ranks above every verdict here, as
    // in the order worst first.
    const int worst = analyzerCells == nullptr ? 0 : static_cast<int>(analyzerCells->severity);
    const int rank = row.Rank() > static_cast<int>(Severity::kError) ? row.Rank() : worst;
    WriteVerdict(worst, rank, cells[column++], out);
  }
  out << "<td class=\"notes\">" << Escape(cells[column]) << "</td></tr>\n";
}

}  // namespace

void WriteScreenPage(const ScreenResults& results, std::ostream& out) {
  out << kHead << "<h1>Screening: " << results.count << (results.count == 1 ? " set" : " sets")
      << "</h1>\n";
  for (const std::string& note : results.commonNotes) {
    out << "<p class=\"common-note\">For every set analysed: " << Escape(note) << "</p>\n";
  }
  out << "<table>\n<thead>\n<tr class=\"groups\"><th colspan=\""
      << 2 + results.columns.size() << "\"></th>";
  for (const ScreenAnalyzer& analyzer : results.analyzers) {
    out << "<th colspan=\"" << ScreenPairs().size() + 1 << "\">" << Escape(analyzer.name) << "</th>";
  }
  out << "<th></th></tr>\n<tr class=\"columns\">";
  for (const std::string& header : ScreenHeader(results)) out << "<th>" << Escape(header) << "</th>";
  out << "</tr>\n</thead>\n<tbody>\n";
  for (size_t position = 0; position < results.count; ++position) {
    WriteRow(results, results.Row(position), out);
  }
  out << "</tbody>\n</table>\n" << kScript << "</body>\n</html>\n";
}

}  // namespace orlo::host

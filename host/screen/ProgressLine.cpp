#include "host/screen/ProgressLine.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kEraseToEnd[] = "\x1B[K";

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, size_t total, bool enabled)
    : out_(out), total_(total), enabled_(enabled), start_(Clock::now()), lastDrawn_(start_) {}

void ProgressLine::Update(size_t done) {
  const Clock::time_point now = Clock::now();
  if (!enabled_ || (done < total_ && now - lastDrawn_ < std::chrono::seconds(1) / kRedrawsPerSecond)) {
    return;
  }
  lastDrawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  char line[160];
  if (done == 0 || seconds <= 0.0) {
    std::snprintf(line, sizeof line, "screening: %zu/%zu sets", done, total_);
  } else {
    const double rate = static_cast<double>(done) / seconds;
    std::snprintf(line, sizeof line, "screening: %zu/%zu sets, %.1f sets/s, %.0f s left", done,
                  total_, rate, std::ceil(static_cast<double>(total_ - done) / rate));
  }
  out_ << '\r' << line << kEraseToEnd << std::flush;
  shown_ = true;
}

void ProgressLine::Finish() {
  if (shown_) out_ << '\r' << kEraseToEnd << std::flush;
  shown_ = false;
}

}  // namespace orlo::host

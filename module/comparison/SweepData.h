// SweepData: one sweep's raw data as the graph plug-in delivers it for
// "GRAPH_AcquireRawData", and the helpers that every holder of one uses.
//
// The requester sets `name` (and `flag`); the graph plug-in fills `count` and `points`,
// allocating the point array and each point's value block with new[]. Points are in
// ascending frequency. Value block: [0] real part, [1] imaginary part, [2] magnitude as a
// linear ratio, [3] phase in degrees. The requester frees the data with FreeSweepData.
// A record whose `points` is null holds no points, whatever `count` says; otherwise every
// point must have its value block.
#pragma once

#include "platform/common/DecimalLog.h"

#include <cstdint>
#include <string>

struct SweepPoint {
  float frequency = 0.0f;
  std::int32_t reserved = 0;
  float* values = nullptr;
};

struct SweepData {
  std::wstring name;
  std::int32_t count = 0;
  SweepPoint* points = nullptr;
  bool flag = false;
};

constexpr int kMagnitudeIndex = 2;
constexpr int kValueBlockSize = 4;

// Number of points that can be read: `count`, or 0 when there is no point array or the
// count is negative.
int PointCount(const SweepData& sweep);

// Replaces the points of `sweep` by `count` zeroed points, each with a zeroed value block of
// kValueBlockSize floats, allocated the way the graph plug-in does (pair with FreeSweepData).
void AllocateSweepPoints(SweepData& sweep, int count);

// Converts the magnitude of every point in place with MagnitudeToDecibel
// (platform/common/DecimalLog.h).
void ConvertMagnitudesToDecibel(SweepData& sweep);

// Frees every value block, then the point array; leaves count 0 and points null.
void FreeSweepData(SweepData& sweep);

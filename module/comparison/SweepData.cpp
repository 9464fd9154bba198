#include "module/comparison/SweepData.h"

#include "platform/common/DecimalLog.h"

#include <cmath>

int PointCount(const SweepData& sweep) {
  if (sweep.points == nullptr || sweep.count < 0) {
    return 0;
  }
  return sweep.count;
}

void AllocateSweepPoints(SweepData& sweep, int count) {
  FreeSweepData(sweep);
  if (count <= 0) {
    return;
  }
  sweep.points = new SweepPoint[count];
  sweep.count = count;
  for (int i = 0; i < count; ++i) {
    sweep.points[i].values = new float[kValueBlockSize]();
  }
}

void ConvertMagnitudesToDecibel(SweepData& sweep) {
  const int count = PointCount(sweep);
  for (int i = 0; i < count; ++i) {
    float& magnitude = sweep.points[i].values[kMagnitudeIndex];
    magnitude = MagnitudeToDecibel(magnitude);
  }
}

void FreeSweepData(SweepData& sweep) {
  const int count = PointCount(sweep);
  for (int i = 0; i < count; ++i) {
    delete[] sweep.points[i].values;
  }
  delete[] sweep.points;
  sweep.points = nullptr;
  sweep.count = 0;
}

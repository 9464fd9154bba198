// What a grid shows, for comparing whole grids: every cell text row by row, and per row
// from row 1 on the columns greyed (background 0x808080) to mark the criterion met.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/GridCtrl.h"

namespace orlo::test {

inline std::vector<std::vector<std::wstring>> Cells(const CGridCtrl& grid) {
  std::vector<std::vector<std::wstring>> cells(grid.GetRowCount());
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    for (int column = 0; column < grid.GetColumnCount(); ++column) {
      cells[row].push_back(grid.GetItemText(row, column));
    }
  }
  return cells;
}

inline std::vector<std::vector<int>> GreyedColumns(const CGridCtrl& grid) {
  std::vector<std::vector<int>> greyed;
  for (int row = 1; row < grid.GetRowCount(); ++row) {
    auto& columns = greyed.emplace_back();
    for (int column = 0; column < grid.GetColumnCount(); ++column) {
      if (grid.GetItemBkColour(row, column) == 0x808080u) columns.push_back(column);
    }
  }
  return greyed;
}

}  // namespace orlo::test

// CGridCtrl: the host's grid of text cells with fixed (header) rows and columns.
//
// The grid owns its cells: text, state bits and background colour per cell, and one
// width per column. Row and column counts include the fixed ones; fixed rows come first,
// fixed columns leftmost. Growing a count adds empty cells, shrinking drops cells; a
// fixed count above the row (column) count grows that count, a count below the fixed
// count shrinks the fixed count. Out-of-range cell arguments are ignored (setters answer
// FALSE, getters an empty text, state 0 or CLR_DEFAULT); negative counts answer FALSE.
//
// States: GetItemState answers the bits set with SetItemState, plus GVIS_FIXED for a
// cell of a fixed row or column (that bit follows the fixed counts and is not stored).
//
// Colours: SetItemBkColour with CLR_DEFAULT (0xFF000000) gives the cell back the
// control's default background; GetItemBkColour then answers CLR_DEFAULT.
//
// Selection: SelectRow makes a non-fixed row the selection: every non-fixed cell of the
// row is marked GVIS_SELECTED and every other cell loses the mark (list mode selects
// whole rows); a fixed or missing row leaves the selection as it is.
// ResetSelectedRange clears every selection mark.
//
// Column widths: a new column is kDefaultColumnWidth wide. AutoSizeColumn sets the width
// to the widest text of the column (header rows included) measured with the system text
// width, plus 2 × kCellMargin. ExpandColumn widens a column by the room left between the
// sum of all column widths and the client width (nothing when there is none).
//
// User action: UserClick(row, col) is a mouse click on a cell. In list mode a click on a
// non-fixed row selects that row; then the grid sends WM_NOTIFY to its parent window with
// an NM_GRIDVIEW {hdr {grid handle, control id, NM_CLICK}, row, column}. A click outside
// the cells reports row -1 and column -1.
#pragma once

#include "platform/win/Wnd.h"

#include <string>
#include <vector>

constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// Cell state bits.
constexpr UINT GVIS_FOCUSED = 0x0001;
constexpr UINT GVIS_SELECTED = 0x0002;
constexpr UINT GVIS_READONLY = 0x0008;
constexpr UINT GVIS_FIXED = 0x0010;

struct NM_GRIDVIEW {
  NMHDR hdr;
  int iRow = -1;
  int iColumn = -1;
};

inline const std::wstring kGridClass = L"ORLOGrid";

class CGridCtrl : public CWnd {
 public:
  static constexpr int kDefaultColumnWidth = 64;
  static constexpr int kCellMargin = 4;

  CGridCtrl();

  // Creates the grid window (class kGridClass) as a child of `parent`.
  BOOL Create(const RECT& rect, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE);
  using CWnd::Create;

  BOOL SetRowCount(int rows);
  BOOL SetColumnCount(int columns);
  BOOL SetFixedRowCount(int rows);
  BOOL SetFixedColumnCount(int columns);
  int GetRowCount() const;
  int GetColumnCount() const;
  int GetFixedRowCount() const;
  int GetFixedColumnCount() const;

  void SetListMode(BOOL enable = TRUE);
  BOOL GetListMode() const;

  // Inserts a row before `row` (-1 or the row count: at the end) with `heading` in
  // column 0 (a grid without columns gets one); the cells below move down with their
  // texts, states and colours. Answers the new row's index, or -1 when `row` is out of
  // range. DeleteRow moves the cells below up; deleting a fixed row lowers the fixed count.
  int InsertRow(const std::wstring& heading, int row = -1);
  BOOL DeleteRow(int row);
  // Removes every row and column (fixed ones included).
  BOOL DeleteAllItems();

  BOOL SetItemText(int row, int column, const std::wstring& text);
  std::wstring GetItemText(int row, int column) const;
  BOOL SetItemState(int row, int column, UINT state);
  UINT GetItemState(int row, int column) const;
  BOOL SetItemBkColour(int row, int column, COLORREF colour = CLR_DEFAULT);
  COLORREF GetItemBkColour(int row, int column) const;

  void SelectRow(int row);
  void ResetSelectedRange();
  // The first row with a selected cell, or -1.
  int GetSelectedRow() const;

  BOOL AutoSizeColumn(int column);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);
  void ExpandColumn(int column);

  // Switches that decide what the user may do with the grid.
  void SetEditable(BOOL editable = TRUE);
  BOOL IsEditable() const;
  void SetRowResize(BOOL resize = TRUE);
  BOOL GetRowResize() const;
  void SetColumnResize(BOOL resize = TRUE);
  BOOL GetColumnResize() const;

  void UserClick(int row, int column);

 private:
  struct Cell {
    std::wstring text;
    UINT state = 0;
    COLORREF background = CLR_DEFAULT;
  };
  bool IsCell(int row, int column) const;
  Cell* CellAt(int row, int column);
  const Cell* CellAt(int row, int column) const;

  std::vector<std::vector<Cell>> rows_;
  std::vector<int> columnWidths_;
  int fixedRows_ = 0;
  int fixedColumns_ = 0;
  bool listMode_ = false;
  bool editable_ = true;
  bool rowResize_ = true;
  bool columnResize_ = true;
};

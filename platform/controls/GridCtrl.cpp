#include "platform/controls/GridCtrl.h"

#include "platform/win/MessageBox.h"

#include <algorithm>
#include <numeric>

CGridCtrl::CGridCtrl() = default;

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style) {
  return CWnd::Create(kGridClass, L"", style, rect, parent, id);
}

BOOL CGridCtrl::SetRowCount(int rows) {
  if (rows < 0) return FALSE;
  rows_.resize(rows, std::vector<Cell>(columnWidths_.size()));
  fixedRows_ = std::min(fixedRows_, rows);
  return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int columns) {
  if (columns < 0) return FALSE;
  for (auto& row : rows_) row.resize(columns);
  columnWidths_.resize(columns, kDefaultColumnWidth);
  fixedColumns_ = std::min(fixedColumns_, columns);
  return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int rows) {
  if (rows < 0) return FALSE;
  if (rows > GetRowCount()) SetRowCount(rows);
  fixedRows_ = rows;
  return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int columns) {
  if (columns < 0) return FALSE;
  if (columns > GetColumnCount()) SetColumnCount(columns);
  fixedColumns_ = columns;
  return TRUE;
}

int CGridCtrl::GetRowCount() const { return static_cast<int>(rows_.size()); }
int CGridCtrl::GetColumnCount() const { return static_cast<int>(columnWidths_.size()); }
int CGridCtrl::GetFixedRowCount() const { return fixedRows_; }
int CGridCtrl::GetFixedColumnCount() const { return fixedColumns_; }

void CGridCtrl::SetListMode(BOOL enable) { listMode_ = enable != FALSE; }
BOOL CGridCtrl::GetListMode() const { return listMode_ ? TRUE : FALSE; }

int CGridCtrl::InsertRow(const std::wstring& heading, int row) {
  if (row == -1) row = GetRowCount();
  if (row < 0 || row > GetRowCount()) return -1;
  if (GetColumnCount() == 0) SetColumnCount(1);
  auto inserted = rows_.insert(rows_.begin() + row, std::vector<Cell>(columnWidths_.size()));
  inserted->front().text = heading;
  return row;
}

BOOL CGridCtrl::DeleteRow(int row) {
  if (row < 0 || row >= GetRowCount()) return FALSE;
  rows_.erase(rows_.begin() + row);
  if (row < fixedRows_) --fixedRows_;
  return TRUE;
}

BOOL CGridCtrl::DeleteAllItems() {
  rows_.clear();
  columnWidths_.clear();
  fixedRows_ = 0;
  fixedColumns_ = 0;
  return TRUE;
}

BOOL CGridCtrl::SetItemText(int row, int column, const std::wstring& text) {
  Cell* cell = CellAt(row, column);
  if (cell == nullptr) return FALSE;
  cell->text = text;
  return TRUE;
}

std::wstring CGridCtrl::GetItemText(int row, int column) const {
  const Cell* cell = CellAt(row, column);
  return cell != nullptr ? cell->text : std::wstring();
}

BOOL CGridCtrl::SetItemState(int row, int column, UINT state) {
  Cell* cell = CellAt(row, column);
  if (cell == nullptr) return FALSE;
  cell->state = state & ~GVIS_FIXED;
  return TRUE;
}

UINT CGridCtrl::GetItemState(int row, int column) const {
  const Cell* cell = CellAt(row, column);
  if (cell == nullptr) return 0;
  const bool fixed = row < fixedRows_ || column < fixedColumns_;
  return cell->state | (fixed ? GVIS_FIXED : 0);
}

BOOL CGridCtrl::SetItemBkColour(int row, int column, COLORREF colour) {
  Cell* cell = CellAt(row, column);
  if (cell == nullptr) return FALSE;
  cell->background = colour;
  return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int row, int column) const {
  const Cell* cell = CellAt(row, column);
  return cell != nullptr ? cell->background : CLR_DEFAULT;
}

void CGridCtrl::SelectRow(int row) {
  if (row < fixedRows_ || row >= GetRowCount()) return;
  ResetSelectedRange();
  for (int column = fixedColumns_; column < GetColumnCount(); ++column) {
    rows_[row][column].state |= GVIS_SELECTED;
  }
}

void CGridCtrl::ResetSelectedRange() {
  for (auto& row : rows_) {
    for (Cell& cell : row) cell.state &= ~GVIS_SELECTED;
  }
}

int CGridCtrl::GetSelectedRow() const {
  for (int row = 0; row < GetRowCount(); ++row) {
    for (const Cell& cell : rows_[row]) {
      if ((cell.state & GVIS_SELECTED) != 0) return row;
    }
  }
  return -1;
}

BOOL CGridCtrl::AutoSizeColumn(int column) {
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  int widest = 0;
  for (const auto& row : rows_) {
    widest = std::max(widest, orlo::win::TextWidth(m_hWnd, row[column].text));
  }
  columnWidths_[column] = widest + 2 * kCellMargin;
  return TRUE;
}

int CGridCtrl::GetColumnWidth(int column) const {
  if (column < 0 || column >= GetColumnCount()) return 0;
  return columnWidths_[column];
}

BOOL CGridCtrl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= GetColumnCount() || width < 0) return FALSE;
  columnWidths_[column] = width;
  return TRUE;
}

void CGridCtrl::ExpandColumn(int column) {
  if (column < 0 || column >= GetColumnCount()) return;
  RECT client;
  GetClientRect(&client);
  const long used = std::accumulate(columnWidths_.begin(), columnWidths_.end(), 0L);
  const long room = (client.right - client.left) - used;
  if (room > 0) columnWidths_[column] += static_cast<int>(room);
}

void CGridCtrl::SetEditable(BOOL editable) { editable_ = editable != FALSE; }
BOOL CGridCtrl::IsEditable() const { return editable_ ? TRUE : FALSE; }
void CGridCtrl::SetRowResize(BOOL resize) { rowResize_ = resize != FALSE; }
BOOL CGridCtrl::GetRowResize() const { return rowResize_ ? TRUE : FALSE; }
void CGridCtrl::SetColumnResize(BOOL resize) { columnResize_ = resize != FALSE; }
BOOL CGridCtrl::GetColumnResize() const { return columnResize_ ? TRUE : FALSE; }

void CGridCtrl::UserClick(int row, int column) {
  if (!IsCell(row, column)) {
    row = -1;
    column = -1;
  }
  if (listMode_ && row >= fixedRows_) SelectRow(row);

  CWnd* parent = GetParent();
  if (m_hWnd == nullptr || parent == nullptr) return;
  NM_GRIDVIEW notification;
  notification.hdr.hwndFrom = m_hWnd;
  notification.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notification.hdr.code = NM_CLICK;
  notification.iRow = row;
  notification.iColumn = column;
  // The parent may destroy this grid while it handles the notification: nothing of the
  // grid is touched after the send.
  ::SendMessage(parent->GetSafeHwnd(), WM_NOTIFY, notification.hdr.idFrom,
                reinterpret_cast<LPARAM>(&notification));
}

bool CGridCtrl::IsCell(int row, int column) const {
  return row >= 0 && row < GetRowCount() && column >= 0 && column < GetColumnCount();
}

CGridCtrl::Cell* CGridCtrl::CellAt(int row, int column) {
  return IsCell(row, column) ? &rows_[row][column] : nullptr;
}

const CGridCtrl::Cell* CGridCtrl::CellAt(int row, int column) const {
  return IsCell(row, column) ? &rows_[row][column] : nullptr;
}

#include "platform/controls/GridCtrl.h"

#include "tests/platform/win/JournalWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kGridId = 1234;

// A grid 400 pixels wide holding an analyzer's table: header row, three rows, six columns,
// list mode; cell (r, c) reads "r,c".
class GridCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Make(nullptr, 0, RECT{0, 0, 800, 600}));
    parent_.On(WM_NOTIFY, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
      EXPECT_EQ(wParam, kGridId);
      received_.push_back(*reinterpret_cast<const NM_GRIDVIEW*>(lParam));
      return 0;
    });
    ASSERT_TRUE(grid_.Create(RECT{10, 10, 410, 101}, &parent_, kGridId));
    grid_.SetFixedRowCount(1);
    grid_.SetRowCount(4);
    grid_.SetColumnCount(6);
    grid_.SetListMode(TRUE);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 6; ++column) {
        grid_.SetItemText(row, column, std::to_wstring(row) + L"," + std::to_wstring(column));
      }
    }
  }
  std::vector<std::wstring> FirstColumn() const {
    std::vector<std::wstring> texts;
    for (int row = 0; row < grid_.GetRowCount(); ++row) texts.push_back(grid_.GetItemText(row, 0));
    return texts;
  }

  orlo::win::test::Journal journal_;
  orlo::win::test::CJournalWnd parent_{"P", journal_};
  std::vector<NM_GRIDVIEW> received_;  // the notifications the parent received
  CGridCtrl grid_;
};

TEST_F(GridCtrlTest, CountsDropAndAddCellsAndKeepFixedCountsConsistent) {
  grid_.SetColumnCount(2);
  grid_.SetColumnCount(3);
  EXPECT_EQ(grid_.GetItemText(1, 1), L"1,1");
  EXPECT_EQ(grid_.GetItemText(1, 2), L"");  // dropped, then added empty
  EXPECT_EQ(grid_.GetColumnWidth(2), CGridCtrl::kDefaultColumnWidth);
  grid_.SetRowCount(0);
  EXPECT_EQ(grid_.GetFixedRowCount(), 0);
  EXPECT_TRUE(grid_.SetFixedColumnCount(5));  // grows the column count
  EXPECT_EQ(grid_.GetColumnCount(), 5);
  EXPECT_FALSE(grid_.SetRowCount(-1));
  EXPECT_TRUE(grid_.DeleteAllItems());
  EXPECT_EQ(grid_.GetColumnCount() + grid_.GetFixedColumnCount(), 0);
}

TEST_F(GridCtrlTest, CellsOutsideTheGridAreIgnoredAndColoursReturnToTheDefault) {
  for (auto [row, column] : {std::pair{-1, 0}, {4, 0}, {0, 6}}) {
    EXPECT_FALSE(grid_.SetItemText(row, column, L"x"));
    EXPECT_FALSE(grid_.SetItemBkColour(row, column, 0x808080));
    EXPECT_EQ(grid_.GetItemText(row, column), L"");
    EXPECT_EQ(grid_.GetItemBkColour(row, column), CLR_DEFAULT);
  }
  EXPECT_FALSE(grid_.SetColumnWidth(0, -1));
  EXPECT_FALSE(grid_.AutoSizeColumn(6));
  grid_.SetItemBkColour(2, 3, 0x000000);  // black is a colour, not the default
  EXPECT_EQ(grid_.GetItemBkColour(2, 3), 0u);
  grid_.SetItemBkColour(2, 3, 0xFF000000);
  EXPECT_EQ(grid_.GetItemBkColour(2, 3), CLR_DEFAULT);
}

TEST_F(GridCtrlTest, SelectRowReplacesTheSelectionOutsideFixedCellsAndClicksNotifyTheParent) {
  grid_.SetFixedColumnCount(1);
  EXPECT_EQ(grid_.GetItemState(2, 0), GVIS_FIXED);
  grid_.SelectRow(1);
  grid_.SelectRow(2);
  grid_.SelectRow(0);  // header: ignored
  EXPECT_EQ(grid_.GetSelectedRow(), 2);
  EXPECT_EQ(grid_.GetItemState(1, 3), 0u);
  EXPECT_EQ(grid_.GetItemState(2, 0), GVIS_FIXED);
  EXPECT_EQ(grid_.GetItemState(2, 5), GVIS_SELECTED);
  grid_.ResetSelectedRange();
  EXPECT_EQ(grid_.GetSelectedRow(), -1);

  grid_.UserClick(0, 1);  // header: reported, no selection
  grid_.UserClick(4, 1);  // below the last row
  ASSERT_EQ(received_.size(), 2u);
  EXPECT_EQ(received_[0].hdr.hwndFrom, grid_.GetSafeHwnd());
  EXPECT_EQ(received_[0].hdr.code, NM_CLICK);
  EXPECT_EQ(received_[0].iColumn, 1);
  EXPECT_EQ(received_[1].iRow, -1);
  EXPECT_EQ(received_[1].iColumn, -1);
  EXPECT_EQ(grid_.GetSelectedRow(), -1);
}

TEST_F(GridCtrlTest, InsertAndDeleteRowsMoveWholeCells) {
  grid_.SetItemBkColour(2, 3, 0x808080);
  grid_.SelectRow(3);
  EXPECT_EQ(grid_.InsertRow(L"new", 2), 2);
  EXPECT_EQ(grid_.InsertRow(L"end"), 5);
  EXPECT_EQ(grid_.InsertRow(L"far", 7), -1);
  EXPECT_EQ(FirstColumn(), (std::vector<std::wstring>{L"0,0", L"1,0", L"new", L"2,0", L"3,0", L"end"}));
  EXPECT_EQ(grid_.GetItemText(2, 3), L"");
  EXPECT_EQ(grid_.GetItemBkColour(3, 3), 0x808080u);
  EXPECT_EQ(grid_.GetSelectedRow(), 4);

  EXPECT_TRUE(grid_.DeleteRow(0));  // the header row
  EXPECT_FALSE(grid_.DeleteRow(5));
  EXPECT_EQ(grid_.GetFixedRowCount(), 0);
  EXPECT_EQ(grid_.GetItemText(2, 5), L"2,5");
  EXPECT_EQ(grid_.GetItemBkColour(2, 3), 0x808080u);
}

TEST_F(GridCtrlTest, ColumnsSizeToTheirTextsAndTheClientWidth) {
  grid_.SetItemText(0, 1, L"Conclusion");           // header: 10 characters
  grid_.SetItemText(2, 2, L"a much longer value");  // 19 characters
  grid_.AutoSizeColumn(1);
  grid_.AutoSizeColumn(2);
  EXPECT_EQ(grid_.GetColumnWidth(1), 10 * 7 + 2 * CGridCtrl::kCellMargin);
  EXPECT_EQ(grid_.GetColumnWidth(2), 19 * 7 + 2 * CGridCtrl::kCellMargin);

  grid_.SetColumnCount(3);
  grid_.SetColumnWidth(1, 10);
  grid_.ExpandColumn(1);
  EXPECT_EQ(grid_.GetColumnWidth(1), 400 - 64 - 141);
  grid_.ExpandColumn(0);  // no room left
  EXPECT_EQ(grid_.GetColumnWidth(0), 64);
}

}  // namespace

#pragma once
// A two-dimensional Boolean array addressed (column, row) with lower bounds 0,
// as the well and the figure grids are held.
#include <cassert>
#include <cstdint>
#include <vector>

class BoolGrid {
public:
    BoolGrid() = default;
    BoolGrid(int maxCol, int maxRow) { ReDim(maxCol, maxRow); }

    // Allocates (0 To maxCol, 0 To maxRow), every cell False.
    void ReDim(int maxCol, int maxRow) {
        maxCol_ = maxCol;
        maxRow_ = maxRow;
        cells_.assign(static_cast<size_t>((maxCol + 1) * (maxRow + 1)), 0);
    }
    int UBoundCol() const { return maxCol_; }
    int UBoundRow() const { return maxRow_; }
    bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col <= maxCol_ && row <= maxRow_; }

    bool operator()(int col, int row) const {
        assert(Inside(col, row));
        return cells_[Index(col, row)] != 0;
    }
    void Set(int col, int row, bool v) {
        assert(Inside(col, row));
        cells_[Index(col, row)] = v ? 1 : 0;
    }
    bool operator==(const BoolGrid& o) const = default;

private:
    size_t Index(int col, int row) const { return static_cast<size_t>(row * (maxCol_ + 1) + col); }
    int maxCol_ = -1;
    int maxRow_ = -1;
    std::vector<uint8_t> cells_;
};

// A 4 by 4 figure grid (0 To 3, 0 To 3), (column, row).
struct FigureGrid {
    bool c[4][4] = {};  // c[col][row]
    bool operator()(int col, int row) const { return c[col][row]; }
    void Set(int col, int row, bool v) { c[col][row] = v; }
    bool operator==(const FigureGrid& o) const = default;
};

// The hall of fame as data: the file text, the list rows, where a result
// enters, and the climb of the running score.
#include <gtest/gtest.h>

#include <cmath>

#include "records/formats/HallOfFame.h"

using hof::Table;

namespace {
Table Of(std::initializer_list<std::pair<const char*, double>> rows) {
    Table t;
    for (auto [n, s] : rows) {
        t.colNames.emplace_back(n);
        t.colScores.push_back(s);
    }
    return t;
}

Table Full(size_t rows) {  // scores 99000, 98000, ...
    Table t;
    for (size_t i = 0; i < rows; ++i) {
        t.colNames.push_back("P" + std::to_string(i + 1));
        t.colScores.push_back(99000.0 - 1000.0 * double(i));
    }
    return t;
}
}  // namespace

TEST(TableText, ScoreLinesHaveTheirSpacesAndLinesEndInCrLf) {
    EXPECT_EQ(hof::Format(hof::Parse(hof::kRecoveryText)), "Plumo\r\n 0 \r\n");
    EXPECT_EQ(hof::Format(Of({{"Иван", 1234567}, {"x", -5}, {"y", 1.5}, {"z", 0.5}})),
              "Иван\r\n 1234567 \r\nx\r\n-5 \r\ny\r\n 1.5 \r\nz\r\n .5 \r\n");
    // What is written reads back the same.
    const Table t = Of({{"Пётр", 812}, {"UnNamed", 300}, {"06.12.2026", 0}});
    EXPECT_EQ(hof::Parse(hof::Format(t)), t);
}

TEST(TableText, ReadersTakeTheLeadingNumberAndAnyLineEnd) {
    EXPECT_EQ(hof::Parse("A\r\n 300 \r\nB\n250\nC\r77"), Of({{"A", 300}, {"B", 250}, {"C", 77}}));
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("  1 2 3 "), 123);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("-42abc"), -42);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("2.5e2"), 250);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("7e"), 7);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(hof::LeadingNumber("--5"), 0);
    EXPECT_TRUE(std::isfinite(hof::LeadingNumber(std::string(500, '9'))));
    // A last name without its score is dropped; the rows before it stay.
    EXPECT_EQ(hof::Parse("A\r\n10\r\nB\r\n"), Of({{"A", 10}}));
    EXPECT_EQ(hof::Parse(""), Table{});
    EXPECT_EQ(hof::Parse("\r\n"), Table{});
}

TEST(TableText, ANameIsOneRowWithoutControlCharacters) {
    EXPECT_EQ(hof::OneRowName("Pat\r\n99999"), "Pat");
    EXPECT_EQ(hof::OneRowName("Pat\n99999"), "Pat");
    EXPECT_EQ(hof::OneRowName("Pat\r"), "Pat");
    EXPECT_EQ(hof::OneRowName(std::string("A\tB\0C\x7f\x1b", 7)), "ABC");
    EXPECT_EQ(hof::OneRowName("A\u0085B\u2028C"), "ABC");  // C1 and the line separator
    EXPECT_EQ(hof::OneRowName("Иван Ёж"), "Иван Ёж");      // letters and spaces stay
    EXPECT_EQ(hof::OneRowName("09.12.2026"), "09.12.2026");
}

TEST(TableRows, NameColumnOfFifteenAndTheRowNumber) {
    EXPECT_EQ(hof::RowText(1, "Plumo", 0), "1. Plumo          0");
    EXPECT_EQ(hof::RowText(10, "UnNamed", 5204), "10.UnNamed        5204");
    EXPECT_EQ(hof::RowText(2, "Иван", 300), "2. Иван           300");              // characters, not bytes
    EXPECT_EQ(hof::RowText(3, "ABCDEFGHIJKLMNOP", 12), "3. ABCDEFGHIJKLMNOP 12");  // 16: one space still
    EXPECT_EQ(hof::RowText(4, "ABCDEFGHIJKLMNO", 12), "4. ABCDEFGHIJKLMNO 12");
}

TEST(Insertion, StrictPlaceAndTheNinetyNineRowLimit) {
    const Table t = Of({{"a", 500}, {"b", 300}, {"c", 300}});
    EXPECT_EQ(hof::InsertIndex(t, 300), 3);  // equal: below the equal rows
    EXPECT_EQ(hof::InsertIndex(t, 301), 1);
    EXPECT_EQ(hof::InsertIndex(t, 501), 0);
    EXPECT_EQ(hof::InsertIndex(Table{}, 0), 0);

    Table full = Full(99);
    EXPECT_EQ(hof::InsertIndex(full, 1000), -1);  // equal to the lowest of a full table: out
    EXPECT_EQ(hof::InsertIndex(full, 1001), 98);
    hof::InsertAt(full, 5, "new", 94500);
    ASSERT_EQ(full.Rows(), 99u);
    ASSERT_EQ(full.colNames.size(), 99u);
    EXPECT_EQ(full.colNames[5], "new");
    EXPECT_EQ(full.colNames.back(), "P98");  // P99 has gone, with its score
    for (size_t i = 0; i < 99; ++i) {
        if (i == 5) continue;
        const size_t p = std::stoul(full.colNames[i].substr(1));
        EXPECT_DOUBLE_EQ(full.colScores[i], 99000.0 - 1000.0 * double(p - 1)) << i;
    }
    // A longer table from an edited file keeps out what beats no row.
    EXPECT_EQ(hof::InsertIndex(Full(120), -1e9), -1);
}

TEST(Ranking, ClimbsToTheFirstRowThatIsNotBeaten) {
    const std::vector<double> s = {500, 300, 300};
    int16_t place = 3, passed = 0;
    hof::Climb c = hof::UpdateRanking(s, place, passed, 300);
    EXPECT_EQ(place, 3);  // place 4
    EXPECT_TRUE(c.nextPlace);
    EXPECT_EQ(c.nextPlaceText, "Next Place : +0");
    EXPECT_FALSE(c.moved);

    c = hof::UpdateRanking(s, place, passed, 301);
    EXPECT_EQ(place, 1);
    EXPECT_EQ(passed, 0);
    EXPECT_TRUE(c.moved);
    EXPECT_EQ(c.selectRow, 1);
    EXPECT_EQ(c.positionText, "Place # 2");
    EXPECT_EQ(c.statisticLine, "...Place : 2");  // one line for two places
    EXPECT_EQ(c.nextPlaceText, "Next Place : +199");
    EXPECT_FALSE(c.victory);

    c = hof::UpdateRanking(s, place, passed, 501);
    EXPECT_EQ(place, 0);
    EXPECT_TRUE(c.victory);
    EXPECT_FALSE(c.nextPlace);
    EXPECT_EQ(c.statisticLine, "...VICTORY !!!");
    EXPECT_EQ(c.positionText, "Place # 1");
    c = hof::UpdateRanking(s, place, passed, 9999);  // first already: nothing more
    EXPECT_FALSE(c.moved);
    EXPECT_FALSE(c.nextPlace);
}

TEST(Ranking, SevenDigitScoresAndEmptyTables) {
    // Ranked by the value: 1234567 stays above 400000.
    const std::vector<double> s = {1234567, 300000};
    int16_t place = 2, passed = 0;
    hof::Climb c = hof::UpdateRanking(s, place, passed, 400000);
    EXPECT_EQ(place, 1);
    EXPECT_EQ(c.nextPlaceText, "Next Place : +834567");
    int16_t none = 0;
    c = hof::UpdateRanking({}, none, passed, 5);
    EXPECT_FALSE(c.moved);
    EXPECT_EQ(none, 0);
}

#pragma once
// The hall of fame as data: rows of name and score, best first; the text of
// its file, the rows of its list, where a new result enters, and how the
// running score climbs through it. No windows and no files here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hof {

constexpr size_t kMaxRows = 99;
// A name the player gives: what keeps the rows of the list aligned.
constexpr size_t kMaxNameChars = 10;
// The highest final score a game reaches: its 32-bit score in tenths,
// shown rounded.
constexpr int32_t kMaxScore = 214748365;

struct Table {
    std::vector<std::string> colNames;  // UTF-8
    std::vector<double> colScores;
    size_t Rows() const { return colScores.size(); }
    bool operator==(const Table&) const = default;
};

// The file written when there is none: one row, "Plumo" with 0.
inline constexpr std::string_view kRecoveryText = "Plumo\r\n0\r\n";

// The leading number of a line: blanks skipped, "." as decimal point,
// no number = 0.
double LeadingNumber(std::string_view line);
// A number as the game prints it: "300", "-5", "1.5", ".5", "1E+20".
std::string NumberText(double v);

// The table from the text of its file (UTF-8), lines ended by CR LF, LF or
// CR. A last name without its score line is dropped.
Table Parse(std::string_view text);
// The text of the file (UTF-8): name line, then the score with a leading
// space when not negative and a trailing space, each line ended by CR LF.
std::string Format(const Table& t);

// A name as one row of the file: cut at its first line end, every other
// control character left out (C0, DEL, C1, the line and paragraph
// separators). The name a player gives goes through it before it is listed
// or saved.
std::string OneRowName(std::string_view utf8);
// Whether a name is one the name question can give: one row of 1 to 10
// characters that the file's code page stores.
bool ValidName(std::string_view utf8);
// A final score as the game writes it: digits only, 0 to kMaxScore.
std::optional<int32_t> ValidScore(std::string_view text);

// Row i (1-based) of the list: "1. Plumo          0".
std::string RowText(size_t i, const std::string& name, double score);

// Where a final score enters (0-based, after equal scores), or -1 when a
// full table keeps it out.
long InsertIndex(const Table& t, double score);
// Inserts the row before `index`; a table grown past 99 rows loses row 100.
void InsertAt(Table& t, size_t index, std::string name, double score);

// One update of the player's place while the running score climbs.
struct Climb {
    bool nextPlace = false;  // show nextPlaceText in the next-place label
    std::string nextPlaceText;
    bool moved = false;         // the player passed at least one row
    int selectRow = -1;         // 0-based row of the list just overtaken
    std::string positionText;   // "Place # 3"
    std::string statisticLine;  // "...Place : 3" or "...VICTORY !!!"
    bool victory = false;       // first place reached
};
// Ranks `score` against the scores themselves; iPlace rows are above the
// player. iPlacesPassed counts the places gained and is 0 again after.
Climb UpdateRanking(const std::vector<double>& scores, int16_t& iPlace, int16_t& iPlacesPassed, int32_t score);

}  // namespace hof

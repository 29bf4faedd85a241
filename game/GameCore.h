#pragma once
// The game rules of the main window: figures, moves and collisions, the fall
// tick with landing, line removal and scoring, levels and the bonus displays,
// and the drawing of the well and the previews. Plain C++: the window around
// it is reached only through GameHost, chance only through RandomSource and
// the clock only through TimeOfDay.
#include <string>

#include "GameHost.h"
#include "GameState.h"
#include "platform/drawing/Canvas.h"
#include "platform/runtime/Random.h"
#include "platform/runtime/TimeOfDay.h"

enum class Picture { Gravlok, Next, Future };

// Where the game draws: the three picture areas. A picture that does not
// exist (yet) is nullptr and is not drawn.
class PictureHost {
public:
    virtual ~PictureHost() = default;
    virtual Canvas* PictureCanvas(Picture p) = 0;
    // The drawing routine that touched the picture has finished.
    virtual void PictureChanged(Picture p) = 0;
};

class GameCore : public GameState {
public:
    GameCore(GameHost& host, PictureHost& pictures, RandomSource& rnd, TimeOfDay& clock);
    virtual ~GameCore() = default;

    RandomSource& Random() { return rnd_; }
    TimeOfDay& Clock() { return clock_; }

    // Draws n values and throws them away.
    void WarmUp(int n);

    // Figure generation.
    std::string NextFigure();
    void Initialize_Array_For_Gravlok(std::string& strGravlok);
    void Initialize_Array_For_Zunbel(FigureGrid& a, const std::string& strFIG);
    void ShiftQueue();

    // Movement, rotation and collision.
    bool Enable_Move_Left_Right(int16_t Index) const;
    bool CanMoveDown() const;
    bool CanMoveDownAt(int y) const;  // the same test with the figure at row y
    bool FitsInWell(const FigureGrid& T) const;
    void RotateFigure();
    bool CanInvert() const;
    void InvertFigure();

    // Fall tick, landing, line removal and scoring.
    void tmrDown_Timer();
    // How many of the coming fall ticks change nothing a player sees or
    // hears (the figure waits, no time bonus counts down, the music's pan
    // stands still): they only count towards the figure's next step, and
    // SkipQuietTicks does that for n of them at once, as n ticks would.
    int QuietTicksAhead() const;
    void SkipQuietTicks(int n);
    void Update_Array_C();
    void RemoveFullLines(int16_t& speed, int16_t& lines);
    bool GameOver() const;

    // Levels, speed and bonus displays.
    void LevelStep();
    void ShowTimeBonus(int16_t value);
    void AnnounceNext();
    void tmrLevel_Timer();
    void tmrMigCountLines_Timer();

    // Drawing of the well and the previews.
    void DrawWell();
    void DrawGrid();
    void DrawFigureArea();
    void DrawNext();
    void DrawFuture();
    void UpdateShadow();
    void EraseShadow(int16_t& col, int16_t& row);
    void DrawShadow(int16_t& col, int16_t& row);

    // The grid colour for the current place.
    Rgb GridColor() const;

    // True while a landing is inside the end-of-game questions.
    bool EndingGame() const { return bEndingGame_; }

    // Shown score: tenths divided by 10, rounded, halves to even.
    static int32_t Shown(int32_t tenths);

protected:
    GameHost& host_;
    PictureHost& pictures_;
    RandomSource& rnd_;
    TimeOfDay& clock_;

private:
    void Land();
    bool bEndingGame_ = false;
    void DrawCell(Canvas& cv, int col, int row, bool filled);
};

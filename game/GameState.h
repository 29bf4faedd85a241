#pragma once
// The game state of the main window: the public fields other windows and the
// sound code read and write, and the private state of the game itself.
#include <array>
#include <cstdint>
#include <string>

#include "BoolGrid.h"
#include "platform/drawing/Palette.h"

struct FigureSlot {
    std::string strShape;   // the figure string, 16 characters "0"/"1"
    int32_t lngBonus = 0;   // Gravlok bonus in tenths of a point
    bool bSpecial = false;  // a Gravlok figure
};

// The super Gravlok figure: rows 0 and 3 full, columns 1 and 3 full.
inline constexpr const char* kSuperGravlok = "1001111110011111";
inline constexpr int32_t kSuperGravlokBonus = 250000;

struct GameState {
    // Public fields, in declaration order.
    bool bCancelRecord = false;
    int16_t ForLoop = 0;
    int16_t SpeedChange = 0;
    bool EnableLoop = false;
    bool EnableSoundControl = false;
    std::string PathToBkgMusic;
    int16_t VolumeBkgMusic = 0;
    int32_t freq = 0;
    uint8_t iMirvax = 0;
    Rgb ColorFigura = 0;

    // Private game state.
    bool bRunning = false;
    uint8_t iFigX = 0;
    uint8_t iFigY = 0;
    BoolGrid arrWell;
    FigureGrid arrC;
    FigureGrid arrNext;
    uint8_t iWellMaxX = 0;
    uint8_t iWellMaxY = 0;
    bool bDropping = false;
    int16_t iSpeed = 0;
    int16_t iFigureNo = 0;
    int16_t iLevelLines = 0;
    bool bSoundReady = false;
    int16_t iTick = 0;
    bool bEscPause = false;
    int16_t iPanStep = 0;
    Rgb ColorButtons = 0;
    int16_t iCellCount = 0;
    bool bNewSpecial = false;
    int32_t lngNewBonus = 0;
    int32_t lngScore = 0;
    int32_t lngGravlokBonus = 0;
    std::array<int32_t, 5> lngLineCounts{};  // indexed 1 to 4
    int16_t iLastLines = 0;
    int32_t lngScoreBefore = 0;
    int32_t lngTimeBonusTotal = 0;
    int16_t iBlinkTicks = 0;
    int16_t iPlace = 0;
    int16_t iHallCount = 0;
    int16_t iLevel = 0;
    Rgb lngPauseBackColor = 0;
    std::array<FigureSlot, 6> arrQueue{};  // slots 1 to 5

    // Counters of single routines; never reset by the start-up routine.
    int16_t iTimeTicks = 0;
    int16_t iLevelBlinks = 0;
    int16_t iBlinkIndex = 0;
    int16_t iShadowX = 0;
    int16_t iShadowY = 0;
};

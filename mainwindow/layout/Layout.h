#pragma once
// The controls of the main window in its control order: kind, container,
// caption, position and size in twips, colours and font.
#include <vector>

#include "platform/drawing/Palette.h"

enum class Kind { Frame, Picture, Button, Check, Label, Bar, Timer };

struct ControlSpec {
    const char* name;
    int index;  // member of an indexed group, or -1
    Kind kind;
    const char* parent;  // "" = the window
    const char* caption;
    int left, top, width, height;  // twips
    Rgb back;
    bool buttonColor;  // back colour is ColorButtons
    Rgb fore;
    const char* font;  // "" = the window's font
    double points;
    bool bold;
    bool centred;
    bool underline = false;
};

const std::vector<ControlSpec>& MainLayout();

// The window's own font and client size.
inline constexpr const char* kMainFont = "Tahoma";
inline constexpr double kMainFontPoints = 8.25;
inline constexpr int kClientWidthTw = 6810;
inline constexpr int kClientHeightTw = 8805;
// The window's outer size in the normal state, and where its client area lies
// in it: below the caption strip, between two thin side margins.
inline constexpr int kOuterWidthTw = 6930;
inline constexpr int kOuterHeightTw = 9210;
inline constexpr int kClientLeftPx = 4;
inline constexpr int kClientTopPx = 27;

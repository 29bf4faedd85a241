#pragma once
// The help text (tag) of each control of the main window; "" for the panels,
// the bars and the timers.
extern const char* const kHallOfFameHelp;
const char* HelpText(const char* name, int index);

#include "Layout.h"

namespace {
constexpr Rgb kBlack = RGB(0, 0, 0);
constexpr Rgb kMenuBack = RGB(192, 0, 0);
constexpr Rgb kMenuText = RGB(192, 255, 255);
constexpr Rgb kTimeText = RGB(255, 128, 0);
constexpr Rgb kPlaceText = RGB(255, 192, 128);
}  // namespace

const std::vector<ControlSpec>& MainLayout() {
    // clang-format off
    static const std::vector<ControlSpec> layout = {
        {"fraGravlok", -1, Kind::Frame, "", "", 120, 120, 3735, 6855, RGB(128, 64, 64), false, kBlack, "", 0, false, false},
        {"picGravlok", -1, Kind::Picture, "fraGravlok", "", 120, 240, 3495, 6495, kBlack, false, kBlack, "MS Sans Serif", 8.25, false, false},
        {"fraBottom", -1, Kind::Frame, "", "", 840, 7200, 2175, 1215, kBlack, false, kBlack, "", 0, false, false},
        {"fraControl", -1, Kind::Frame, "fraBottom", "Control", 120, 120, 1935, 975, kBlack, false, RGB(255, 0, 0), "Tahoma", 9, true, false},
        {"cmdDown", -1, Kind::Button, "fraControl", "V", 720, 480, 492, 225, 0, true, kBlack, "Times New Roman", 9.75, true, true},
        {"cmdLeftRight", 2, Kind::Button, "fraControl", ">", 1200, 480, 615, 195, 0, true, kBlack, "Times New Roman", 9.75, true, true},
        {"cmdLeftRight", 0, Kind::Button, "fraControl", "<", 120, 480, 615, 195, 0, true, kBlack, "Times New Roman", 9.75, true, true},
        {"cmdRotate", 0, Kind::Button, "fraControl", "^", 720, 240, 495, 225, 0, true, kBlack, "Times New Roman", 9.75, true, true},
        {"cmdSpace", -1, Kind::Button, "fraControl", "", 480, 720, 975, 195, 0, true, kBlack, "", 0, false, true},
        {"lblPause", -1, Kind::Label, "fraBottom", "Pause", 120, 240, 1935, 975, kBlack, false, RGB(255, 0, 0), "Tahoma", 20.25, true, true},
        {"fraBottomRight", -1, Kind::Frame, "", "", 3480, 7320, 3135, 1215, kBlack, false, kBlack, "", 0, false, false},
        {"frmMenu", -1, Kind::Frame, "fraBottomRight", "Menu", 120, 120, 2892, 615, kBlack, false, RGB(255, 255, 0), "Tahoma", 9, true, false},
        {"chkSet", -1, Kind::Check, "frmMenu", "Set", 2160, 240, 732, 255, kMenuBack, false, kMenuText, "Tahoma", 9, true, true},
        {"chkDemo", -1, Kind::Check, "frmMenu", "Demo", 1440, 240, 735, 255, kMenuBack, false, kMenuText, "Tahoma", 9, true, true},
        {"chkHelp", -1, Kind::Check, "frmMenu", "Help", 720, 240, 735, 255, kMenuBack, false, kMenuText, "Tahoma", 9, true, true},
        {"chkPause", -1, Kind::Check, "frmMenu", "Pause", 0, 240, 735, 255, kMenuBack, false, kMenuText, "Tahoma", 9, true, true},
        {"chkRec", -1, Kind::Check, "fraBottomRight", "Best", 1560, 840, 735, 255, kBlack, false, kMenuText, "Tahoma", 8.25, true, true},
        {"chkStat", -1, Kind::Check, "fraBottomRight", "Stat", 2280, 840, 735, 255, kBlack, false, kMenuText, "Tahoma", 8.25, true, true},
        {"chkAuto", -1, Kind::Check, "fraBottomRight", "Auto", 120, 840, 735, 255, kBlack, false, kMenuText, "Tahoma", 8.25, true, true},
        {"chkFuture", -1, Kind::Check, "fraBottomRight", "Future", 840, 840, 735, 255, kBlack, false, kMenuText, "Tahoma", 8.25, true, true},
        {"fraLeft", -1, Kind::Frame, "", "", 4320, 120, 2415, 6855, kBlack, false, kBlack, "", 0, false, false},
        {"fraScore", -1, Kind::Frame, "fraLeft", "Score", 240, 1320, 1932, 735, kBlack, false, RGB(255, 255, 0), "Tahoma", 9, true, false},
        {"lblScore", -1, Kind::Label, "fraScore", "---", 120, 240, 1695, 375, kBlack, false, RGB(255, 255, 0), "Tahoma", 14.25, true, true},
        {"fraLines", -1, Kind::Frame, "fraLeft", "Lines Bonus", 120, 4200, 2175, 1335, kBlack, false, RGB(128, 128, 255), "Tahoma", 9, true, false},
        {"lblCountLines", 1, Kind::Label, "fraLines", "0", 120, 240, 1935, 255, kBlack, false, RGB(255, 255, 0), "Tahoma", 8.25, true, false},
        {"lblCountLines", 2, Kind::Label, "fraLines", "0", 120, 480, 1935, 255, kBlack, false, RGB(255, 255, 0), "Tahoma", 8.25, true, false},
        {"lblCountLines", 3, Kind::Label, "fraLines", "0", 120, 720, 1935, 255, kBlack, false, RGB(255, 255, 0), "Tahoma", 8.25, true, false},
        {"lblCountLines", 4, Kind::Label, "fraLines", "0", 120, 960, 1935, 255, kBlack, false, RGB(255, 255, 0), "Tahoma", 8.25, true, false},
        {"picNext", -1, Kind::Picture, "fraLeft", "", 600, 2520, 1155, 1155, kBlack, false, kBlack, "MS Sans Serif", 8.25, false, false},
        {"lblFirma", -1, Kind::Label, "fraLeft", " Gravlok - фигурка    Бонус ", 360, 3720, 1695, 375, kBlack, false, RGB(0, 255, 255), "Tahoma", 8.25, true, true},
        {"lblSumBonus", -1, Kind::Label, "fraLeft", "Label1", 120, 2160, 2175, 255, kBlack, false, RGB(255, 0, 0), "Tahoma", 8.25, true, true},
        {"lblHeightBonus", -1, Kind::Label, "fraLeft", "Time Bonus :", 360, 6240, 1095, 255, kBlack, false, kTimeText, "Tahoma", 8.25, true, true},
        {"lblLevel", -1, Kind::Label, "fraLeft", "Level # 0", 240, 240, 1935, 495, kBlack, false, RGB(255, 255, 255), "Tahoma", 18, true, true},
        {"lblPosition", -1, Kind::Label, "fraLeft", "Position", 120, 5640, 2175, 255, kBlack, false, kPlaceText, "Tahoma", 11.25, true, true},
        {"lblRemain", -1, Kind::Label, "fraLeft", "Label1", 120, 840, 2175, 375, kBlack, false, RGB(255, 128, 128), "Tahoma", 14.25, true, true},
        {"lblNextPlace", -1, Kind::Label, "fraLeft", "Label1", 120, 5880, 2175, 255, kBlack, false, kPlaceText, "Tahoma", 9.75, true, true},
        {"lblAutors", -1, Kind::Label, "fraLeft", "", 120, 2760, 255, 495, kBlack, false, RGB(192, 0, 0), "MS Sans Serif", 8.25, true, false},
        {"lblTimeBonus", -1, Kind::Label, "fraLeft", "", 1560, 6240, 735, 255, kBlack, false, kTimeText, "Tahoma", 8.25, true, true},
        {"lblTotal", -1, Kind::Label, "fraLeft", "Total :", 360, 6480, 975, 255, kBlack, false, kTimeText, "Tahoma", 8.25, true, true},
        {"lblTotalScore", -1, Kind::Label, "fraLeft", "40000", 1560, 6480, 735, 255, kBlack, false, kTimeText, "Tahoma", 8.25, true, true},
        {"tmrMigMenuControls", -1, Kind::Timer, "", "", 0, 0, 0, 0, 0, false, 0, "", 0, false, false},
        {"tmrDemo", -1, Kind::Timer, "", "", 0, 0, 0, 0, 0, false, 0, "", 0, false, false},
        {"tmrLevel", -1, Kind::Timer, "", "", 0, 0, 0, 0, 0, false, 0, "", 0, false, false},
        {"tmrMigCountLines", -1, Kind::Timer, "", "", 0, 0, 0, 0, 0, false, 0, "", 0, false, false},
        {"tmrDown", -1, Kind::Timer, "", "", 0, 0, 0, 0, 0, false, 0, "", 0, false, false},
        {"Label5", -1, Kind::Bar, "", "", 4080, 0, 75, 2535, kBlack, false, kBlack, "", 0, false, false},
        {"Label4", -1, Kind::Bar, "", "", 480, 7920, 375, 75, kBlack, false, kBlack, "", 0, false, false},
        {"Label3", -1, Kind::Bar, "", "", 480, 6960, 75, 975, kBlack, false, kBlack, "", 0, false, false},
        {"Label2", -1, Kind::Bar, "", "", 3000, 8160, 735, 75, kBlack, false, kBlack, "", 0, false, false},
        {"Label1", -1, Kind::Bar, "", "", 3840, 2520, 615, 75, kBlack, false, kBlack, "", 0, false, false},
    };
    // clang-format on
    return layout;
}

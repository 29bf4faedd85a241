// The demo player: at random moments it presses one of the five move
// buttons, chosen at random with fixed weights. It plays the real game.
#include "Colors.h"
#include "frmMain.h"
#include "platform/runtime/Arithmetic.h"

void frmMain::chkDemo_Click() {
    tmrDemo->SetEnabled(chkDemo->isChecked());
    picGravlok->setFocus();
}

void frmMain::tmrDemo_Timer() {
    // The pressed look of the previous step ends; the drop button turns back
    // at the landing.
    for (QPushButton* b : {cmdLeftRight[0], cmdLeftRight[2], cmdRotate[0], cmdSpace}) SetBackColor(b, ColorButtons);
    const float r1 = Random().Rnd();
    tmrDemo->SetInterval(arith::RoundToInt32(r1 * 750.0f + 5.0f));  // 5 to 755 ms until the next step
    const float r2 = Random().Rnd();
    const int n = arith::RoundToInt16(r2 * 23.0f);
    if (n >= 1 && n <= 7) cmdLeftRight_MouseDown(0, 0, 0, 0, 0);
    else if (n >= 8 && n <= 15) cmdLeftRight_MouseDown(2, 0, 0, 0, 0);
    else if (n >= 16 && n <= 19) cmdRotate_MouseDown(0, 0, 0, 0, 0);
    else if (n == 20 || n == 21) cmdDown_MouseDown(0, 0, 0, 0);
    else cmdSpace_MouseDown(0, 0, 0, 0);  // 0, 22 and 23
}

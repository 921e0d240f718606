#include "forms/frm_dravik.h"

namespace dravik {

namespace {

MenuItem Menu(const char* caption, const char* shortcut = "") {
    MenuItem item;
    item.Caption = caption;
    item.Shortcut = shortcut;
    return item;
}

Font CounterFont() {
    return Font{"Arial", 12.0f, true};
}

}  // namespace

// The window as created; Form_Load then sizes it for the chosen layout.
void frmDravik::CreateControls() {
    // Outer size: the client area of 7935 x 8565 plus frame, title and menu bar.
    Window = WindowFrame{"Dravik 2000", 0, 0, 7935 + 150, 8565 + 720};
    WindowFont = Font{"MS Serif", 8.25f, true};

    SetBounds(SSPanel1, 0, 540, 7905, 7935, 8);

    Label cell;
    SetBounds(cell, 60, 120, 255, 255, 9);
    cell.BackColor = kButtonFace;
    cell.ForeColor = kButtonText;
    cell.BorderStyle = kBorderFixedSingle;
    cell.Alignment = kAlignCentre;
    cell.FontInfo = WindowFont;
    cmdMine.assign(1, cell);

    SetBounds(txtPlots, 2340, 60, 615, 435, 7);
    txtPlots.Enabled = false;
    txtPlots.FontInfo = CounterFont();

    chkExtra = Captioned<CheckBox>("Extra", 7020, 120, 855, 255, 6);
    chkExtra.Visible = false;

    chkKeepUp = Captioned<CheckBox>("Keep Up Mode", 5340, 120, 1635, 255, 4);
    cmdReplay = Captioned<CommandButton>("Replay", 660, 120, 765, 375, 3);
    cmdMultiple = Captioned<CommandButton>("Multi", 4260, 120, 765, 375, 2);
    mnuRule1_Once = Captioned<CommandButton>("Rule1", 3180, 120, 765, 375, 1);

    SetBounds(txtMines, 1680, 60, 615, 435, 0);
    txtMines.Enabled = false;
    txtMines.FontInfo = CounterFont();

    SetBounds(lblKeepUp, 5340, 360, 1635, 255, 5);
    lblKeepUp.Visible = false;
    lblKeepUp.BackColor = kWindowBackground;
    lblKeepUp.ForeColor = kWindowText;
    lblKeepUp.FontInfo = WindowFont;

    mnuFile = Menu("&Game");
    mnuReplay = Menu("&Replay", "F2");
    mnuSep4 = Menu("-");
    mnuBeginner = Menu("&Beginner - 9 x 9, 10 Mines");
    mnuIntermediate = Menu("&Intermediate - 16 x 16, 40 Mines");
    mnuExpert = Menu("&Expert - 30 x 16, 99 Mines");
    mnuCustom = Menu("&Custom...");
    mnuSep6 = Menu("-");
    mnuNoGuess = Menu("&No-Guess Boards");
    mnuSep5 = Menu("-");
    mnuExit = Menu("E&xit");
    mnuRules = Menu("&Rules");
    mnuRule1Once = Menu("&Obvious Riles - Once", "Ctrl+R");
    mnuRule2 = Menu("&2-Adjacent Rule");
    mnuSep1 = Menu("-");
    mnuRule1 = Menu("Obvious Riles - &Multiple", "Ctrl+M");
    mnuSep2 = Menu("-");
    mnuHint = Menu("&Hint", "Ctrl+H");
    mnuPairsRule = Menu("&Pairs Rule");
    mnuCompleteLogic = Menu("&Complete Logic");
    mnuSep3 = Menu("-");
    mnuKeepUpOpponent = Menu("&Keep Up Opponent");
    mnuOpponent = {Menu("&Obvious Rule"), Menu("&Pairs Rule"), Menu("&Complete Logic")};
    mnuOpponent[0].Checked = true;
    mnuHelp = Menu("&Help");
    mnuLargeScreen = Menu("Large Screen");
    mnuLargeScreen.Enabled = false;
    mnuOption = Menu("&Options");
    mnuAbout = Menu("&About");
}

}  // namespace dravik

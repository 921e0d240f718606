#include "forms/frm_options.h"

#include <algorithm>

namespace dravik {

namespace {

template <typename Control>
void Place(Control& control, int left, int top, int width, int height, std::int16_t tabIndex) {
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
    control.TabIndex = tabIndex;
}

}  // namespace

frmOptions::frmOptions(Toolkit& toolkit, ModDravik& options) : Form(toolkit), options_(options) {
    CreateControls();
}

void frmOptions::CreateControls() {
    Window = WindowFrame{"Dravik II: Options", 0, 0, 4725, 3240};

    fraHitMine = Frame{};
    fraHitMine.Caption = "Hitting a Mine?";
    Place(fraHitMine, 180, 180, 2175, 1455, 0);
    const char* hitCaptions[] = {"Alarm Bell", "Warning Box", "End of Game"};
    for (std::size_t k = 0; k < opthitMine.size(); ++k) {
        opthitMine[k] = OptionButton{};
        opthitMine[k].Caption = hitCaptions[k];
        Place(opthitMine[k], 300, 360 + 300 * static_cast<int>(k), 1545, 285,
              static_cast<std::int16_t>(1 + k));
    }
    opthitMine[1].Value = true;

    cmdOK = CommandButton{};
    cmdOK.Caption = "&OK";
    Place(cmdOK, 3000, 240, 1095, 375, 4);
    cmdCancel = CommandButton{};
    cmdCancel.Caption = "Ca&ncel";
    Place(cmdCancel, 3000, 720, 1095, 375, 5);
    cmdApply = CommandButton{};
    cmdApply.Caption = "&Apply";
    Place(cmdApply, 3000, 1200, 1095, 375, 6);

    fraMultiple = Frame{};
    fraMultiple.Caption = "Multiple Options";
    Place(fraMultiple, 180, 1800, 2175, 1215, 7);
    chkMultiCnt = CheckBox{};
    chkMultiCnt.Caption = "Display Count";
    Place(chkMultiCnt, 300, 360, 1455, 255, 8);

    fraSweep = Frame{};
    fraSweep.Caption = "Sweep";
    Place(fraSweep, 2580, 1800, 2055, 1215, 9);
    const char* sweepCaptions[] = {"Left, Down", "Left, Up", "Spiral"};
    for (std::size_t k = 0; k < optSweep.size(); ++k) {
        optSweep[k] = OptionButton{};
        optSweep[k].Caption = sweepCaptions[k];
        Place(optSweep[k], 300, 240 + 300 * static_cast<int>(k), 1455, 255,
              static_cast<std::int16_t>(10 + k));
        optSweep[k].Enabled = (k == 0);
    }
    optSweep[0].Value = true;
}

void frmOptions::Load() {
    CreateControls();
    MarkLoaded();
    Form_Load();
}

void frmOptions::Form_Load() {
    const std::int16_t stored = options_.HitMineOption;
    if (stored >= 0 && static_cast<std::size_t>(stored) < opthitMine.size()) {
        SelectOption(opthitMine, static_cast<std::size_t>(stored));
    }
    chkMultiCnt.Value = options_.ShowRuleCount;
}

void frmOptions::StoreAndClose() {
    if (!Loaded()) {
        return;
    }
    options_.HitMineOption = choice(opthitMine, 3);
    options_.ShowRuleCount = chkMultiCnt.Value;
    Unload();
}

void frmOptions::cmdOK_Click() { StoreAndClose(); }

void frmOptions::cmdApply_Click() { StoreAndClose(); }

void frmOptions::cmdCancel_Click() { Unload(); }

void frmOptions::closeBoxClicked() { Unload(); }

std::int16_t frmOptions::choice(std::span<const OptionButton> obj, std::int16_t limit) {
    // Elements the array does not have cannot be selected.
    const auto last = std::min<std::size_t>(limit < 0 ? 0 : static_cast<std::size_t>(limit), obj.size());
    for (std::size_t k = 0; k < last; ++k) {
        if (obj[k].Value) {
            return static_cast<std::int16_t>(k);
        }
    }
    return -1;
}

}  // namespace dravik

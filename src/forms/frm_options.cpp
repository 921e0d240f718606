#include "forms/frm_options.h"

#include <algorithm>

namespace dravik {

frmOptions::frmOptions(Toolkit& toolkit, ModDravik& options) : Form(toolkit), options_(options) {
    CreateControls();
}

void frmOptions::CreateControls() {
    Window = WindowFrame{"Dravik II: Options", 0, 0, 4725, 3240};

    fraHitMine = Captioned<Frame>("Hitting a Mine?", 180, 180, 2175, 1455, 0);
    opthitMine = {Captioned<OptionButton>("Alarm Bell", 300, 360, 1545, 285, 1),
                  Captioned<OptionButton>("Warning Box", 300, 660, 1545, 285, 2),
                  Captioned<OptionButton>("End of Game", 300, 960, 1545, 285, 3)};
    opthitMine[1].Value = true;
    cmdOK = Captioned<CommandButton>("&OK", 3000, 240, 1095, 375, 4);
    cmdCancel = Captioned<CommandButton>("Ca&ncel", 3000, 720, 1095, 375, 5);
    cmdApply = Captioned<CommandButton>("&Apply", 3000, 1200, 1095, 375, 6);
    fraMultiple = Captioned<Frame>("Multiple Options", 180, 1800, 2175, 1215, 7);
    chkMultiCnt = Captioned<CheckBox>("Display Count", 300, 360, 1455, 255, 8);
    fraSweep = Captioned<Frame>("Sweep", 2580, 1800, 2055, 1215, 9);
    // Only one way of sweeping exists; the other two are shown as not available.
    optSweep = {Captioned<OptionButton>("Left, Down", 300, 240, 1455, 255, 10),
                Captioned<OptionButton>("Left, Up", 300, 540, 1455, 255, 11),
                Captioned<OptionButton>("Spiral", 300, 840, 1455, 255, 12)};
    optSweep[0].Value = true;
    optSweep[1].Enabled = false;
    optSweep[2].Enabled = false;
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

void frmOptions::cmdOK_Click() {
    StoreAndClose();
}

void frmOptions::cmdApply_Click() {
    StoreAndClose();
}

void frmOptions::cmdCancel_Click() {
    Unload();
}

void frmOptions::closeBoxClicked() {
    Unload();
}

std::int16_t frmOptions::choice(std::span<const OptionButton> obj, std::int16_t limit) {
    // Elements the array does not have cannot be selected.
    const auto last =
        std::min<std::size_t>(limit < 0 ? 0 : static_cast<std::size_t>(limit), obj.size());
    for (std::size_t k = 0; k < last; ++k) {
        if (obj[k].Value) {
            return static_cast<std::int16_t>(k);
        }
    }
    return -1;
}

}  // namespace dravik

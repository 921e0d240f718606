#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "board/mod_dravik.h"
#include "toolkit/controls.h"
#include "toolkit/toolkit.h"

namespace dravik {

// The options dialog: how a hit mine is announced and whether a repeated rule run reports its
// count. Loaded afresh at every showing, so it always opens on the stored values.
class frmOptions : public Form {
  public:
    frmOptions(Toolkit& toolkit, ModDravik& options);

    WindowFrame Window;  // client area in twips as Width/Height
    Frame fraHitMine;
    std::array<OptionButton, 3> opthitMine;
    CommandButton cmdOK;
    CommandButton cmdCancel;
    CommandButton cmdApply;
    Frame fraMultiple;
    CheckBox chkMultiCnt;
    Frame fraSweep;
    std::array<OptionButton, 3> optSweep;

    // Puts every control back as created, counts the form as loaded and runs Form_Load.
    void Load();

    void Form_Load();
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    // The close box stores nothing, like Cancel.
    void closeBoxClicked();

    // The index of the first selected element below limit, or -1.
    static std::int16_t choice(std::span<const OptionButton> obj, std::int16_t limit);

  private:
    void CreateControls();
    void StoreAndClose();

    ModDravik& options_;
};

}  // namespace dravik

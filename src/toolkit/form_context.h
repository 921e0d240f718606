#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/runtime_error.h"
#include "toolkit/toolkit.h"

namespace dravik {

// How a form's code reaches the toolkit. Every call that can run other handlers in the meantime
// (a yield, a message box) checks on return that the form is still loaded, and unwinds with
// FormUnloaded if it is not, so no code goes on working on a closed window.
class FormContext {
  public:
    explicit FormContext(const Form& form) : form_(form), toolkit_(form.GetToolkit()) {}

    // Runs with the modifier bits held once a box or modal form has closed: key-ups made
    // meanwhile went to that window, not to this form.
    std::function<void(std::int16_t shift)> onKeyboardBack;

    std::int16_t MsgBox(const std::string& text, std::int16_t style = vbOKOnly,
                        const std::string& title = {}) {
        const std::int16_t answer = toolkit_.MsgBox(text, style, title);
        KeyboardBack();
        return answer;
    }
    void ShowModal(Form& form) {
        toolkit_.ShowModal(form);
        KeyboardBack();
    }
    void Beep() { toolkit_.Beep(); }
    void Yield() {
        toolkit_.Yield();
        EnsureLoaded();
    }
    float Rnd() { return toolkit_.Rnd(); }
    void Randomize() { toolkit_.Randomize(); }
    Toolkit& GetToolkit() const { return toolkit_; }

    void EnsureLoaded() const {
        if (!form_.Loaded()) {
            throw FormUnloaded{};
        }
    }

  private:
    void KeyboardBack() {
        EnsureLoaded();
        if (onKeyboardBack) {
            onKeyboardBack(toolkit_.ShiftState());
        }
    }

    const Form& form_;
    Toolkit& toolkit_;
};

}  // namespace dravik

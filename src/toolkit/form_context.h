#pragma once

#include <cstdint>
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

    std::int16_t MsgBox(const std::string& text, std::int16_t style = vbOKOnly,
                        const std::string& title = {}) {
        const std::int16_t answer = toolkit_.MsgBox(text, style, title);
        EnsureLoaded();
        return answer;
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
    const Form& form_;
    Toolkit& toolkit_;
};

}  // namespace dravik

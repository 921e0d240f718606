#include "support/fake_toolkit.h"

namespace dravik::testing {

std::int16_t FakeToolkit::MsgBox(const std::string& text, std::int16_t style,
                                 const std::string& title) {
    if (logBoxes || onMsgBox) {
        const Box shown{text, style, title.empty() ? kApplicationTitle : title};
        if (logBoxes) {
            boxes.push_back(shown);
        }
        if (onMsgBox) {
            onMsgBox(shown);
        }
    }
    if (!answers.empty()) {
        const std::int16_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return style == vbYesNoCancel ? vbNo : vbOK;
}

void FakeToolkit::DispatchPending(bool withInput) {
    ++yields;
    if (onYield) {
        onYield();
    }
    while (withInput && RunPending()) {
    }
}

bool FakeToolkit::RunPending() {
    if (pending_.empty()) {
        return false;
    }
    const std::function<void()> event = std::move(pending_.front());
    pending_.pop_front();
    event();
    return true;
}

float FakeToolkit::Rnd() {
    if (!randoms.empty()) {
        const float value = randoms.front();
        randoms.pop_front();
        return value;
    }
    return RndFromBits(fallback_());
}

void FakeToolkit::ShowModal(Form& form) {
    if (onShowModal) {
        onShowModal(form);
    }
    if (form.Loaded()) {
        form.Unload();
    }
}

std::vector<std::string> FakeToolkit::BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

}  // namespace dravik::testing

#include "support/fake_toolkit.h"

namespace dravik::testing {

std::int16_t FakeToolkit::MsgBox(const std::string& text, std::int16_t style,
                                 const std::string& title) {
    boxes.push_back(Box{text, style, title.empty() ? kApplicationTitle : title});
    if (onMsgBox) {
        const Box shown = boxes.back();
        onMsgBox(shown);
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
    return static_cast<float>(fallback_() >> 8) * (1.0f / 16777216.0f);
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

#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace dravik::testing {

// A toolkit without a window system: scripted message-box answers, a log of every box and beep,
// queued random numbers, and events posted to run inside the next Yield (or inside a box or a
// modal form), so nesting and re-entrancy can be tested directly.
class FakeToolkit : public Toolkit {
  public:
    struct Box {
        std::string text;
        std::int16_t style;
        std::string title;  // as shown: the application title when none was given
    };

    // Log.
    std::vector<Box> boxes;
    // Off, boxes are answered but not logged: a benchmark may show one in every iteration.
    bool logBoxes = true;
    int beeps = 0;
    int yields = 0;
    int randomizes = 0;
    std::vector<const Form*> unloaded;

    // Script. Answers are taken in order; without one, OK-only boxes answer vbOK and
    // Yes/No/Cancel boxes vbNo.
    std::deque<std::int16_t> answers;
    // Numbers Rnd returns first; after them a fixed-seed generator takes over.
    std::deque<float> randoms;
    // Runs while a box is open (before it is answered).
    std::function<void(const Box&)> onMsgBox;
    // Runs while a form is shown modally; a form still loaded afterwards is closed by its
    // close box.
    std::function<void(Form&)> onShowModal;

    // Runs when a form is unloaded, at that moment.
    std::function<void(Form&)> onUnload;
    // Restarts the generator behind the queued random numbers.
    void SeedRandom(std::uint32_t seed) { fallback_.seed(seed); }

    // Queues an event to run inside the next Yield.
    void Post(std::function<void()> event) { pending_.push_back(std::move(event)); }
    std::size_t PendingEvents() const { return pending_.size(); }

    std::int16_t MsgBox(const std::string& text, std::int16_t style,
                        const std::string& title) override;
    void Beep() override { ++beeps; }
    void Yield() override;
    float Rnd() override;
    void Randomize() override { ++randomizes; }
    void ShowModal(Form& form) override;
    void FormUnloaded(Form& form) override {
        unloaded.push_back(&form);
        if (onUnload) {
            onUnload(form);
        }
    }

    // Texts of the boxes shown so far.
    std::vector<std::string> BoxTexts() const;

  private:
    std::vector<std::function<void()>> pending_;
    std::mt19937 fallback_{12345u};
};

}  // namespace dravik::testing

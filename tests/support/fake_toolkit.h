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
// queued random numbers, and posted input that runs nested as Qt runs it: a yield takes the
// pending events one by one, and one that yields in turn takes the next inside itself. Boxes and
// modal forms take none, as they block the main window.
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
    // Runs at every yield before it takes input: input that arrived meanwhile is posted here.
    std::function<void()> onYield;
    // The modifier keys held down now.
    std::int16_t heldShift = 0;

    // Restarts the generator behind the queued random numbers.
    void SeedRandom(std::uint32_t seed) { fallback_.seed(seed); }

    // Queues input: it runs inside the next yield that takes input, or from RunPending.
    void Post(std::function<void()> event) { pending_.push_back(std::move(event)); }
    std::size_t PendingEvents() const { return pending_.size(); }
    // The event loop at the top: runs the next pending event; false when there was none.
    bool RunPending();

    std::int16_t MsgBox(const std::string& text, std::int16_t style,
                        const std::string& title) override;
    void Beep() override { ++beeps; }
    float Rnd() override;
    void Randomize() override { ++randomizes; }
    void ShowModal(Form& form) override;
    void FormUnloaded(Form& form) override {
        unloaded.push_back(&form);
        if (onUnload) {
            onUnload(form);
        }
    }

    std::int16_t ShiftState() override { return heldShift; }

    // Texts of the boxes shown so far.
    std::vector<std::string> BoxTexts() const;

  protected:
    void DispatchPending(bool withInput) override;

  private:
    std::deque<std::function<void()>> pending_;
    std::mt19937 fallback_{12345u};
};

}  // namespace dravik::testing

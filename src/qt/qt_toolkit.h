#pragma once

#include <functional>
#include <random>

#include "toolkit/toolkit.h"

class QDialog;
class QWidget;

namespace dravik::qt {

// The toolkit on Qt: real message boxes, the system beep, processEvents, and a generator seeded
// from the system at Randomize. Before anything can block or repaint, the views are brought in
// line with the models, so what the player sees is what the code has written.
class QtToolkit : public Toolkit {
  public:
    // The main form: unloading it ends the event loop.
    void SetMainForm(const Form* form) { mainForm_ = form; }
    // Parent of message boxes and dialogs once it is shown.
    void SetMainWidget(QWidget* widget) { mainWidget_ = widget; }
    // Mirrors every model on screen.
    void SetSync(std::function<void()> sync) { sync_ = std::move(sync); }

    std::int16_t MsgBox(const std::string& text, std::int16_t style,
                        const std::string& title) override;
    void Beep() override;
    float Rnd() override;
    void Randomize() override;
    void ShowModal(Form& form) override;
    void FormUnloaded(Form& form) override;
    std::int16_t ShiftState() override;

  protected:
    void DispatchPending(bool withInput) override;

  private:
    void Sync() const;
    QWidget* DialogParent() const;
    void ReturnKeyboard() const;
    // Runs a modal dialog; its form's unloading closes it.
    void Exec(QDialog& dialog);

    const Form* mainForm_ = nullptr;
    QWidget* mainWidget_ = nullptr;
    QDialog* openDialog_ = nullptr;
    std::function<void()> sync_;
    std::mt19937 generator_{std::random_device{}()};
};

}  // namespace dravik::qt

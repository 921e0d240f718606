#include "qt/qt_toolkit.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <chrono>

#include "forms/frm_custom.h"
#include "forms/frm_options.h"
#include "qt/custom_dialog.h"
#include "qt/key_codes.h"
#include "qt/look.h"
#include "qt/options_dialog.h"

namespace dravik::qt {

void QtToolkit::Sync() const {
    if (sync_) {
        sync_();
    }
}

QWidget* QtToolkit::DialogParent() const {
    return mainWidget_ != nullptr && mainWidget_->isVisible() ? mainWidget_ : nullptr;
}

// With a window manager the main window gets the keyboard back when a box or dialog closes;
// without one (a kiosk, a bare X server) nobody gives it back, and no shortcut or access key
// would work until the player clicked into the window.
void QtToolkit::ReturnKeyboard() const {
    // A box a dialog raised gives the keyboard back to the dialog.
    if (openDialog_ != nullptr) {
        openDialog_->activateWindow();
    } else if (QWidget* main = DialogParent()) {
        main->activateWindow();
    }
}

std::int16_t QtToolkit::MsgBox(const std::string& text, std::int16_t style,
                               const std::string& title) {
    Sync();
    QMessageBox box(DialogParent());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromUtf8(title.empty() ? kApplicationTitle : title.c_str()));
    // Plain, unselectable text, as the game's boxes have always had; set before the text so
    // that the label never builds a rich-text document for it (a noticeable part of start-up).
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::NoTextInteraction);
    box.setText(ToQText(text));
    if (style == vbYesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    ReturnKeyboard();
    const QAbstractButton* clicked = box.clickedButton();
    if (style != vbYesNoCancel) {
        return vbOK;
    }
    if (clicked == box.button(QMessageBox::Yes)) {
        return vbYes;
    }
    if (clicked == box.button(QMessageBox::No)) {
        return vbNo;
    }
    return vbCancel;
}

void QtToolkit::Beep() {
    QApplication::beep();
}

void QtToolkit::DispatchPending(bool withInput) {
    Sync();
    // Input left out stays queued in its order for the yields further out.
    QCoreApplication::processEvents(withInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
}

// Asks the window system, not the last key event: key-ups may have gone to another window.
std::int16_t QtToolkit::ShiftState() {
    return static_cast<std::int16_t>(ShiftBits(QGuiApplication::queryKeyboardModifiers()));
}

float QtToolkit::Rnd() {
    return RndFromBits(generator_());
}

void QtToolkit::Randomize() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<std::uint32_t>(std::random_device{}()),
                       static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    generator_.seed(seed);
}

void QtToolkit::ShowModal(Form& form) {
    if (!form.Loaded()) {
        return;
    }
    Sync();
    if (auto* options = dynamic_cast<frmOptions*>(&form)) {
        OptionsDialog dialog(*options, DialogParent());
        Exec(dialog);
    } else if (auto* custom = dynamic_cast<frmCustom*>(&form)) {
        CustomDialog dialog(*custom, DialogParent());
        Exec(dialog);
    } else {
        return;
    }
    ReturnKeyboard();
    if (form.Loaded()) {
        form.Unload();
    }
    Sync();
}

void QtToolkit::Exec(QDialog& dialog) {
    openDialog_ = &dialog;
    dialog.exec();
    openDialog_ = nullptr;
}

void QtToolkit::FormUnloaded(Form& form) {
    if (&form == mainForm_) {
        if (mainWidget_ != nullptr) {
            mainWidget_->hide();
        }
        QCoreApplication::exit(0);
    } else if (openDialog_ != nullptr) {
        openDialog_->accept();
    }
}

}  // namespace dravik::qt

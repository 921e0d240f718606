#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "forms/frm_options.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace dravik::qt {

// The view of the options form: every control where the form puts it, clicks passed to the
// form's handlers. It closes when the form unloads.
class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    OptionsDialog(frmOptions& form, QWidget* parent = nullptr);

    // Mirrors the form's controls.
    void Sync();

    QGroupBox* HitMineFrame() const { return fraHitMine_; }
    QPushButton* OkButton() const { return cmdOK_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // One frame's option buttons, each selecting itself in the form's group when clicked.
    void AddOptionGroup(std::array<OptionButton, 3>& models, std::array<QRadioButton*, 3>& views,
                        QGroupBox* frame, std::vector<QWidget*>& tabOrder);
    QPushButton* AddButton(const CommandButton& model, void (frmOptions::*handler)());
    void AfterHandler();

    frmOptions& form_;
    QGroupBox* fraHitMine_;
    std::array<QRadioButton*, 3> opthitMine_{};
    QPushButton* cmdOK_;
    QGroupBox* fraMultiple_;
    QCheckBox* chkMultiCnt_;
    QGroupBox* fraSweep_;
    std::array<QRadioButton*, 3> optSweep_{};
};

}  // namespace dravik::qt

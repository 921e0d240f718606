#pragma once

#include <QDialog>
#include <array>

#include "forms/frm_custom.h"

class QLineEdit;
class QPushButton;

namespace dravik::qt {

// The view of the custom board form: three fields and OK and Cancel. What is typed goes to the
// form's fields; the form decides. It closes when the form unloads.
class CustomDialog : public QDialog {
    Q_OBJECT
  public:
    CustomDialog(frmCustom& form, QWidget* parent = nullptr);

    QLineEdit* FieldEdit(CustomField field) const {
        return fields_.at(static_cast<std::size_t>(field));
    }
    QPushButton* OkButton() const { return cmdOK_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void Ok();

    frmCustom& form_;
    std::array<QLineEdit*, 3> fields_{};
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace dravik::qt

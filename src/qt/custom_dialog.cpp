#include "qt/custom_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt/look.h"

namespace dravik::qt {

CustomDialog::CustomDialog(frmCustom& form, QWidget* parent)
    : QDialog(parent, kDialogFlags), form_(form) {
    ShapeDialog(*this, form.Window);

    const std::array<std::pair<const Label*, CustomField>, 3> rows = {
        {{&form.lblColumns, CustomField::Columns},
         {&form.lblRows, CustomField::Rows},
         {&form.lblMines, CustomField::Mines}}};
    for (const auto& [model, field] : rows) {
        auto* label = new QLabel(ToQText(model->Caption), this);
        Place(*label, *model);
        TextBox& text = form.Field(field);
        auto* edit = new QLineEdit(QString::fromStdString(text.Text), this);
        Place(*edit, text);
        label->setBuddy(edit);
        connect(edit, &QLineEdit::textEdited, this,
                [&text](const QString& typed) { text.Text = typed.toStdString(); });
        fields_.at(static_cast<std::size_t>(field)) = edit;
    }
    cmdOK_ = new QPushButton(ToQText(form.cmdOK.Caption), this);
    Place(*cmdOK_, form.cmdOK);
    // Enter is OK from every field.
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &CustomDialog::Ok);
    auto* cancel = new QPushButton(ToQText(form.cmdCancel.Caption), this);
    Place(*cancel, form.cmdCancel);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &CustomDialog::reject);
    fields_.front()->setFocus();
    fields_.front()->selectAll();
}

void CustomDialog::Ok() {
    form_.cmdOK_Click();
    if (!form_.Loaded()) {
        accept();
        return;
    }
    if (const std::optional<CustomField> refused = form_.Refused()) {
        QLineEdit* edit = FieldEdit(*refused);
        activateWindow();
        edit->setFocus();
        edit->selectAll();
    }
}

// Escape and Cancel.
void CustomDialog::reject() {
    if (form_.Loaded()) {
        form_.cmdCancel_Click();
    }
    QDialog::reject();
}

void CustomDialog::closeEvent(QCloseEvent* event) {
    if (form_.Loaded()) {
        form_.closeBoxClicked();
    }
    event->accept();
    QDialog::closeEvent(event);
}

}  // namespace dravik::qt

#include "qt/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <vector>

#include "qt/look.h"

namespace dravik::qt {

namespace {

template <typename Widget, typename Model>
Widget* Make(const Model& model, QWidget* parent) {
    auto* widget = new Widget(ToQText(model.Caption), parent);
    Place(*widget, model);
    return widget;
}

}  // namespace

OptionsDialog::OptionsDialog(frmOptions& form, QWidget* parent)
    : QDialog(parent, kDialogFlags), form_(form) {
    ShapeDialog(*this, form.Window);

    // Created in tab order, which Qt follows.
    std::vector<QWidget*> tabOrder;
    fraHitMine_ = Make<QGroupBox>(form.fraHitMine, this);
    AddOptionGroup(form.opthitMine, opthitMine_, fraHitMine_, tabOrder);
    cmdOK_ = AddButton(form.cmdOK, &frmOptions::cmdOK_Click);
    tabOrder.push_back(cmdOK_);
    tabOrder.push_back(AddButton(form.cmdCancel, &frmOptions::cmdCancel_Click));
    tabOrder.push_back(AddButton(form.cmdApply, &frmOptions::cmdApply_Click));
    fraMultiple_ = Make<QGroupBox>(form.fraMultiple, this);
    chkMultiCnt_ = Make<QCheckBox>(form.chkMultiCnt, fraMultiple_);
    connect(chkMultiCnt_, &QCheckBox::clicked, this, [this](bool checked) {
        form_.chkMultiCnt.Value = checked ? kChecked : kUnchecked;
        AfterHandler();
    });
    tabOrder.push_back(chkMultiCnt_);
    fraSweep_ = Make<QGroupBox>(form.fraSweep, this);
    AddOptionGroup(form.optSweep, optSweep_, fraSweep_, tabOrder);
    for (std::size_t k = 1; k < tabOrder.size(); ++k) {
        setTabOrder(tabOrder[k - 1], tabOrder[k]);
    }
    Sync();
}

void OptionsDialog::AddOptionGroup(std::array<OptionButton, 3>& models,
                                   std::array<QRadioButton*, 3>& views, QGroupBox* frame,
                                   std::vector<QWidget*>& tabOrder) {
    for (std::size_t k = 0; k < views.size(); ++k) {
        views[k] = Make<QRadioButton>(models[k], frame);
        connect(views[k], &QRadioButton::clicked, this, [this, &models, k] {
            SelectOption(models, k);
            AfterHandler();
        });
        tabOrder.push_back(views[k]);
    }
}

QPushButton* OptionsDialog::AddButton(const CommandButton& model, void (frmOptions::*handler)()) {
    auto* button = Make<QPushButton>(model, this);
    // No button answers Enter on its own.
    button->setAutoDefault(false);
    button->setDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] {
        // Not (form_.*handler)(): GCC 12 with -fsanitize=undefined then calls the handler on a
        // garbage object whenever it is not virtual.
        std::invoke(handler, form_);
        AfterHandler();
    });
    return button;
}

void OptionsDialog::Sync() {
    for (std::size_t k = 0; k < opthitMine_.size(); ++k) {
        opthitMine_[k]->setChecked(form_.opthitMine[k].Value);
    }
    chkMultiCnt_->setChecked(form_.chkMultiCnt.Value != 0);
    for (std::size_t k = 0; k < optSweep_.size(); ++k) {
        optSweep_[k]->setChecked(form_.optSweep[k].Value);
        optSweep_[k]->setEnabled(form_.optSweep[k].Enabled);
    }
}

void OptionsDialog::AfterHandler() {
    if (!form_.Loaded()) {
        accept();
        return;
    }
    Sync();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    if (form_.Loaded()) {
        form_.closeBoxClicked();
    }
    event->accept();
    QDialog::closeEvent(event);
}

// The dialog has no cancel button: Escape does not close it.
void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace dravik::qt

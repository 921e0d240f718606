#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "game_screen.h"
#include "qt/game_style.h"
#include "qt/qt_toolkit.h"
#include "version.h"

using dravik::qt::QtToolkit;
using dravik::testing::WhenBoxOpens;

namespace {

// What the player saw in a box.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    qsizetype buttons = 0;
    bool buttonIcons = true;
    bool selectableText = true;
};

Seen Look(const QMessageBox& box) {
    Seen seen{box.windowTitle(), box.text(), box.icon(), box.buttons().size()};
    seen.buttonIcons = false;
    for (const QAbstractButton* button : box.buttons()) {
        seen.buttonIcons = seen.buttonIcons || !button->icon().isNull();
    }
    const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    seen.selectableText =
        label == nullptr || label->textInteractionFlags() != Qt::NoTextInteraction;
    return seen;
}

// Notes what the box shows, then dismisses it the way the player would: a button, a key or the
// close box.
std::function<void(QMessageBox&)> LookAndDismiss(Seen& seen, const QString& how) {
    return [&seen, how](QMessageBox& box) {
        seen = Look(box);
        if (how == "Escape" || how == "Enter") {
            QTest::keyClick(&box, how == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
            return;
        }
        const QMessageBox::StandardButton which = how == "Yes"  ? QMessageBox::Yes
                                                  : how == "No" ? QMessageBox::No
                                                  : how == "OK" ? QMessageBox::Ok
                                                                : QMessageBox::Cancel;
        if (how != "close box" && box.button(which) != nullptr) {
            QTest::mouseClick(box.button(which), Qt::LeftButton);
        } else {
            box.close();
        }
    };
}

class DesktopWithButtonIcons : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT
  private slots:
    // The game's style over a desktop style that puts icons on dialog buttons, as some do
    // (the offscreen platform does not).
    void initTestCase() {
        QApplication::setStyle(new dravik::qt::GameStyle(new DesktopWithButtonIcons));
    }

    void yesNoCancelAnswers_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << "Yes" << int{dravik::vbYes};
        QTest::newRow("No") << "No" << int{dravik::vbNo};
        QTest::newRow("Cancel") << "Cancel" << int{dravik::vbCancel};
        QTest::newRow("Escape") << "Escape" << int{dravik::vbCancel};
        QTest::newRow("close box") << "close box" << int{dravik::vbCancel};
    }

    void yesNoCancelAnswers() {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QtToolkit toolkit;
        Seen seen;
        WhenBoxOpens(LookAndDismiss(seen, how));
        QCOMPARE(int{toolkit.MsgBox("Large Screen?", dravik::vbYesNoCancel, "")}, answer);
        QCOMPARE(seen.title, QStringLiteral("DRAVIK"));
        QCOMPARE(seen.text, QStringLiteral("Large Screen?"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, qsizetype{3});
        QVERIFY(!seen.buttonIcons);
        QVERIFY(!seen.selectableText);
    }

    void aboutBoxShowsNameAndVersion_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Escape") << "Escape";
    }

    // Through the real handler, so the text is built exactly as the player gets it.
    void aboutBoxShowsNameAndVersion() {
        QFETCH(QString, how);
        QtToolkit toolkit;
        dravik::ModDravik options;
        dravik::frmDravik form(toolkit, options);
        Seen question;
        WhenBoxOpens(LookAndDismiss(question, "No"));
        form.Load();
        QCOMPARE(question.text, QStringLiteral("Large Screen?"));
        QVERIFY(form.Loaded());

        Seen seen;
        WhenBoxOpens(LookAndDismiss(seen, how));
        form.mnuAbout_Click();
        QCOMPARE(seen.title, QStringLiteral("DRAVIK"));
        // The build's version with a sign's space before each number: "Version  2. 1. 7".
        QCOMPARE(seen.text.split('\n'),
                 QStringList({"Dravik II.", QStringLiteral("Version  %1. %2. %3")
                                                .arg(dravik::kVersionMajor)
                                                .arg(dravik::kVersionMinor)
                                                .arg(dravik::kVersionRevision)}));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, qsizetype{1});
        QVERIFY(form.Loaded());
    }
};

QTEST_MAIN(MessageBoxTest)
#include "qt_message_box_test.moc"

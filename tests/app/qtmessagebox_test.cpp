#include "app/qtmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct KindRow
{
    BoxKind kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

TEST(QtMessageBox, MapsEachKindToItsIconAndButtons)
{
    const KindRow rows[] = {
        {BoxKind::Information, QMessageBox::Information, QMessageBox::Ok},
        {BoxKind::Error, QMessageBox::Critical, QMessageBox::Ok},
        {BoxKind::WarningYesNo, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No},
        {BoxKind::QuestionYesNo, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
        {BoxKind::AppWarning, QMessageBox::Warning, QMessageBox::Ok},
    };
    for (const KindRow& row : rows) {
        QMessageBox box;
        QtMessageBox::Configure(box, {QStringLiteral("Caption"), QStringLiteral("a\nb <b>"),
                                      row.kind, BoxOwner::MainWindow});
        EXPECT_EQ(box.icon(), row.icon);
        EXPECT_EQ(box.standardButtons(), row.buttons);
        EXPECT_EQ(box.windowTitle(), "Caption");
        EXPECT_EQ(box.text(), "a\nb <b>");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
    }
}

// Clicks a button of the next modal message box as soon as it is up.
void ClickWhenShown(QMessageBox::StandardButton button, QWidget** parentSeen = nullptr)
{
    QTimer::singleShot(0, [button, parentSeen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ClickWhenShown(button, parentSeen);
            return;
        }
        if (parentSeen != nullptr)
            *parentSeen = box->parentWidget();
        box->button(button)->click();
    });
}

TEST(QtMessageBox, ReturnsTheWindowsAnswerCodes)
{
    QDialog window;
    window.show();
    QtMessageBox boxes(&window);
    QWidget* parent = nullptr;

    ClickWhenShown(QMessageBox::No, &parent);
    EXPECT_EQ(boxes.Show({"Warning", "t", BoxKind::WarningYesNo, BoxOwner::MainWindow}),
              BoxAnswer::No);
    EXPECT_EQ(parent, &window);

    ClickWhenShown(QMessageBox::Yes);
    EXPECT_EQ(boxes.Show({"Warning", "t", BoxKind::QuestionYesNo, BoxOwner::MainWindow}),
              BoxAnswer::Yes);

    ClickWhenShown(QMessageBox::Ok, &parent);
    EXPECT_EQ(boxes.Show({"isomint", "t", BoxKind::AppWarning, BoxOwner::Application}),
              BoxAnswer::Ok);
    EXPECT_EQ(parent, nullptr);
}

// Acts on the next modal message box as soon as it is up.
void ActWhenShown(const std::function<void(QMessageBox&)>& action)
{
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ActWhenShown(action);
            return;
        }
        action(*box);
        // A box the action left open would hold the test for ever.
        QTimer::singleShot(2000, box, [box] {
            ADD_FAILURE() << "the box stayed open";
            box->done(0);
        });
    });
}

QAbstractButton* ButtonCalled(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* button : box.buttons())
        if (button->text() == text)
            return button;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

// The extra button answers Extra; Enter, Escape and the kind's own button
// give the kind's answer, as in a box without it.
TEST(QtMessageBox, AnExtraButtonAnswersOnlyWhenItIsClicked)
{
    const QString extra = QStringLiteral("Show in &Folder");
    const struct
    {
        const char* name;
        std::function<void(QMessageBox&)> action;
        BoxAnswer answer;
    } rows[] = {
        {"extra", [&](QMessageBox& box) { ButtonCalled(box, extra)->click(); }, BoxAnswer::Extra},
        {"ok", [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }, BoxAnswer::Ok},
        {"enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, BoxAnswer::Ok},
        {"escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, BoxAnswer::Ok},
    };
    QtMessageBox boxes;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ActWhenShown(row.action);
        EXPECT_EQ(
            boxes.Show({"Information", "t", BoxKind::Information, BoxOwner::MainWindow, extra}),
            row.answer);
    }
    QMessageBox plain;
    QtMessageBox::Configure(plain, {"Error", "t", BoxKind::Error, BoxOwner::MainWindow});
    EXPECT_EQ(plain.buttons().size(), 1) << "no extra button unless one is asked for";
}

TEST(QtMessageBox, ABoxBeforeTheMainWindowIsShownIsCentredOnTheScreen)
{
    QDialog window; // constructed, not yet shown: it sits at the corner
    QtMessageBox boxes(&window);
    QWidget* parent = &window;
    QPoint centre;
    QTimer::singleShot(0, [&centre] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        centre = box->frameGeometry().center();
    });
    ClickWhenShown(QMessageBox::Ok, &parent);
    EXPECT_EQ(boxes.Show({"Missing File", "t", BoxKind::Error, BoxOwner::MainWindow}),
              BoxAnswer::Ok);
    EXPECT_EQ(parent, nullptr);
    const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 40)
        << centre.x() << "," << centre.y() << " vs " << screen.x() << "," << screen.y();
}

} // namespace

#include "platform/SystemDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

namespace {

struct ButtonSpec {
    const char* caption;
    int answer;
};

// In the order the classic box shows them, left to right.
QList<ButtonSpec> buttonsFor(int style) {
    switch (style & 0x0F) {
    case 1:
        return {{"OK", Dialogs::Ok}, {"Abbrechen", Dialogs::Cancel}};
    case 2:
        return {
            {"Abbrechen", Dialogs::Abort}, {"Wiederholen", Dialogs::Retry}, {"Ignorieren", Dialogs::Ignore}};
    case 3:
        return {{"Ja", Dialogs::Yes}, {"Nein", Dialogs::No}, {"Abbrechen", Dialogs::Cancel}};
    case 4:
        return {{"Ja", Dialogs::Yes}, {"Nein", Dialogs::No}};
    case 5:
        return {{"Wiederholen", Dialogs::Retry}, {"Abbrechen", Dialogs::Cancel}};
    case 6:
        return {{"Abbrechen", Dialogs::Cancel},
                {"Wiederholen", Dialogs::TryAgain},
                {"Weiter", Dialogs::Continue}};
    default:
        return {{"OK", Dialogs::Ok}};
    }
}

// What Esc and the frame's close answer: the cancelling button where the box has one.
int escapeAnswer(const QList<ButtonSpec>& specs) {
    for (const ButtonSpec& s : specs)
        if (s.answer == Dialogs::Cancel || s.answer == Dialogs::Abort || s.answer == Dialogs::No)
            return s.answer;
    return specs.size() == 1 ? specs.front().answer : Dialogs::Cancel;
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int SystemDialogs::msgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(iconFor(style), title, text);
    const QList<ButtonSpec> specs = buttonsFor(style);
    QList<QAbstractButton*> buttons;
    // One role for all: the platform's layout would sort them by role (Wiederholen before Abbrechen), and the
    // operator knows them in their classic order.
    for (const ButtonSpec& s : specs)
        buttons << box.addButton(QString::fromUtf8(s.caption), QMessageBox::ActionRole);
    const int defaultIndex = (style & 0x300) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[defaultIndex]));
    for (int i = 0; i < specs.size(); ++i)
        if (specs[i].answer == escapeAnswer(specs))
            box.setEscapeButton(buttons[i]);
    box.exec();
    const int clicked = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return clicked < 0 ? escapeAnswer(specs) : specs[clicked].answer;
}

void SystemDialogs::endProgram(int status) {
    // Every setting is already on disk (each write replaces its file before it returns), so the program
    // can end at once, as the operator asked, without running any further handler.
    std::fflush(nullptr);
    std::_Exit(status);
}

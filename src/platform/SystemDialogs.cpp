#include "platform/SystemDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

namespace {

struct ButtonSpec {
    QMessageBox::ButtonRole role;
    const char* caption;
    int answer;
};

QList<ButtonSpec> buttonsFor(int style) {
    switch (style & 0x0F) {
    case 1:
        return {{QMessageBox::AcceptRole, "OK", Dialogs::Ok},
                {QMessageBox::RejectRole, "Abbrechen", Dialogs::Cancel}};
    case 2:
        return {{QMessageBox::RejectRole, "Abbrechen", Dialogs::Abort},
                {QMessageBox::AcceptRole, "Wiederholen", Dialogs::Retry},
                {QMessageBox::ActionRole, "Ignorieren", Dialogs::Ignore}};
    case 3:
        return {{QMessageBox::YesRole, "Ja", Dialogs::Yes},
                {QMessageBox::NoRole, "Nein", Dialogs::No},
                {QMessageBox::RejectRole, "Abbrechen", Dialogs::Cancel}};
    case 4:
        return {{QMessageBox::YesRole, "Ja", Dialogs::Yes}, {QMessageBox::NoRole, "Nein", Dialogs::No}};
    case 5:
        return {{QMessageBox::AcceptRole, "Wiederholen", Dialogs::Retry},
                {QMessageBox::RejectRole, "Abbrechen", Dialogs::Cancel}};
    case 6:
        return {{QMessageBox::RejectRole, "Abbrechen", Dialogs::Cancel},
                {QMessageBox::AcceptRole, "Wiederholen", Dialogs::TryAgain},
                {QMessageBox::ActionRole, "Weiter", Dialogs::Continue}};
    default:
        return {{QMessageBox::AcceptRole, "OK", Dialogs::Ok}};
    }
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
    for (const ButtonSpec& s : specs)
        buttons << box.addButton(QString::fromUtf8(s.caption), s.role);
    const int defaultIndex = (style & 0x300) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[defaultIndex]));
    box.exec();
    const int clicked = static_cast<int>(buttons.indexOf(box.clickedButton()));
    if (clicked < 0) // closed by Esc or the frame: the cancel answer where there is one
        return specs.size() == 1 ? Dialogs::Ok : Dialogs::Cancel;
    return specs[clicked].answer;
}

void SystemDialogs::endProgram() {
    // Every setting is already on disk (each write replaces its file before it returns), so the program
    // can end at once, as the operator asked, without running any further handler.
    std::fflush(nullptr);
    std::_Exit(0);
}

// The real message box: its buttons in the classic order whatever the platform's layout prefers, the default
// button, and the answer Esc gives.
#include "platform/SystemDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

TEST(SystemDialogs, FolderBoxListsAbbrechenWiederholenWeiterWithWiederholenAsDefault) {
    QStringList order;
    // Looked at and answered while the box waits for the operator.
    QTimer::singleShot(0, [&order] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(),
                  [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
        for (QPushButton* b : buttons)
            order << b->text() + (b == box->defaultButton() ? "*" : "");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(SystemDialogs().msgBox(QStringLiteral("Sie müssen den Musikordner ..."), 294,
                                     QStringLiteral("Musikordner prüfen")),
              Dialogs::Cancel);
    EXPECT_EQ(order, (QStringList{"Abbrechen", "Wiederholen*", "Weiter"})) << "* marks the default button";
}

#pragma once
// The main console started on a fixture's program directory, the start-time editor opened from its menu, and
// what an operator sees of them. The base of every test that works the windows; header only.
#include "app/Form1.h"
#include "editor/Form2.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"
#include "widgets/VbButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

class Desk : public ::testing::Test {
  protected:
    using Files = std::map<QString, QStringList>;

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main.reset(); // takes a loaded editor with it
    }
    // Team "Damen" with these titles, the main console loaded and shown, the commands of the load forgotten.
    void start(const Files& damen = {}) {
        fx.makeTeam(QStringLiteral("Damen"), damen);
        main = fx.startMain();
        main->show();
        main->activateWindow(); // so the keyboard focus a handler gives can be seen
        static_cast<void>(QTest::qWaitForWindowActive(main.get()));
        fx.media.takeCommands();
    }
    Form2* openEditor() {
        Operator::menu(main.get(), QStringLiteral("mnu_Set_Start"));
        return editor = main->editor();
    }
    void press(int index, QWidget* window = nullptr) { Operator::press(window ? window : main.get(), index); }
    void click(const char* name, QWidget* window = nullptr) {
        Operator::click(window ? window : main.get(), QString::fromLatin1(name));
    }
    // The text of a label, text box or button of the window.
    static QString text(const QWidget* window, const char* name) {
        const QWidget* w = Operator::find(window, QString::fromLatin1(name));
        if (auto* l = qobject_cast<const QLabel*>(w))
            return l->text();
        if (auto* e = qobject_cast<const QLineEdit*>(w))
            return e->text();
        if (auto* b = qobject_cast<const QAbstractButton*>(w))
            return b->text();
        return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }
    QString status() const { return text(main.get(), "Label17"); }
    // One character per widget: '1' shown, '0' hidden.
    static std::string shown(const QWidget* window, std::initializer_list<const char*> names) {
        std::string out;
        for (const char* n : names)
            out += Operator::shown(window, QString::fromLatin1(n)) ? '1' : '0';
        return out;
    }
    QStringList sent() { return fx.media.takeCommands(); }
    QString path(const char* category, const QString& name) const {
        return fx.titlePath(QStringLiteral("Damen"), QString::fromUtf8(category), name);
    }
    QString stored(const QString& title) const { return fx.offset(QStringLiteral("Damen"), title); }
    void store(const QString& title, const QString& value) {
        fx.setOffset(QStringLiteral("Damen"), title, value);
    }
    // The commands of a sound button for a title (a path with blanks travels in double quotes).
    static QStringList playFrom(const QString& p, const QString& offset) {
        const QString shownPath = p.contains(QLatin1Char(' ')) ? QLatin1Char('"') + p + QLatin1Char('"') : p;
        return {QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias"),
                QStringLiteral("open ") + shownPath + QStringLiteral(" type MPEGVideo alias MyAlias"),
                QStringLiteral("play MyAlias from ") + offset};
    }
    static inline const QStringList StopCommands{QStringLiteral("stop MyAlias"),
                                                 QStringLiteral("close MyAlias")};

    DeskFixture fx;
    std::unique_ptr<Form1> main;
    Form2* editor = nullptr;
};

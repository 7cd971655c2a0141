#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

#include "app/LogFormWindow.h"
#include "support/FakePlatform.h"

namespace keslog::test {

// The one QApplication the widget tests of this program share.
inline void ensureQApplication() {
    static int argc = 1;
    static char arg0[] = "app_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// Log files that never open.
class NoLogFiles : public ILogFiles {
  public:
    Status newLog(MainMod&) override { return Status::error("no"); }
    Status openLog(MainMod&, const std::string&) override { return Status::error("no"); }
    Result<SaveOutcome> saveLog(MainMod&) override { return SaveOutcome::Saved; }
    Status backupLog(MainMod&) override { return Status::ok(); }
    Status writeQso(MainMod&, int) override { return Status::ok(); }
    Status cutAfterLastQso(MainMod&) override { return Status::ok(); }
};

// The base of every widget test: the application is there.
class QtTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureQApplication(); }
};

// The main window on fakes, with no log files behind it.
class MainWindowTest : public QtTest {
  protected:
    template <typename T>
    T* find(const char* name) {
        return window.findChild<T*>(name);
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }

    TempDir dir;
    FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    NoLogFiles files;
    LogFormWindow window{state, platform, files};
};

// The operator at the keyboard: a key pressed and released on target.
inline void press(QObject* target, int key, const QString& text = {},
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(target, &up);
}

// The left mouse button pressed (or released) on the widget.
inline void mouse(QWidget* widget, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent event(type, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Runs `answer` on the modal window once it shows.
inline void onModal(const std::function<void(QWidget&)>& answer) {
    QTimer::singleShot(0, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) answer(*modal);
    });
}

// Lays the main window out for the state and shows it.
inline void showWindow(LogFormWindow& window) {
    window.form().load();
    window.render();
    window.show();
}

// Opens a popup menu with `open`, and there notes the ticked items and
// chooses the one captioned `choice`. The ticked items' captions.
inline QStringList tickedThenChoose(const std::function<void()>& open, const QString& choice) {
    QStringList ticked;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions()) {
            if (a->isChecked()) ticked << a->text();
            if (a->text() == choice) a->trigger();
        }
        menu->close();
    });
    open();
    return ticked;
}

}  // namespace keslog::test

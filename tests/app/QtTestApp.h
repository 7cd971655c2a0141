#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace keslog::test {

// The one QApplication the widget tests of this program share.
inline void ensureQApplication() {
    static int argc = 1;
    static char arg0[] = "app_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// A picture of the window into $KESLOG_SCREENSHOT_DIR, when it is set.
inline void screenshot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(dir + "/" + name);
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

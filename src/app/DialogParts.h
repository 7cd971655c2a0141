#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "app/QtText.h"

class QBoxLayout;
class QLabel;
class QWidget;

namespace keslog {

// A label in one of the program's colours (a radio's, say).
QLabel* colouredLabel(const std::string& text, std::uint32_t colour, QWidget* parent);

// The OK and "&Cancel" buttons at the foot of a dialog, OK the default.
void addOkCancel(QWidget* dialog, QBoxLayout* layout, const char* okName, const char* cancelName,
                 std::function<void()> onOk, std::function<void()> onCancel);

// A modal dialog that draws a behaviour class's view and forwards events to
// it; the form has view().closed and onCancel().
template <typename Form>
class FormDialog : public QDialog {
  public:
    FormDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) { setModal(true); }

    virtual void render() = 0;

    // Esc and the close box: Cancel.
    void reject() override {
        if (!form_.view().closed) form_.onCancel();
        QDialog::reject();
    }

  protected:
    // OK and Cancel go to the form's onOK() and onCancel().
    void addOkCancel(QBoxLayout* layout, const char* okName, const char* cancelName) {
        keslog::addOkCancel(
            this, layout, okName, cancelName,
            [this] {
                form_.onOK();
                afterEvent();
            },
            [this] {
                form_.onCancel();
                afterEvent();
            });
    }

    // After every forwarded event: close when the form says so, else redraw.
    void afterEvent() {
        if (form_.view().closed)
            QDialog::accept();
        else
            render();
    }

    Form& form_;
};

}  // namespace keslog

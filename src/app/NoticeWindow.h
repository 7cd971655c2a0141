#pragma once

#include <QLabel>
#include <QWidget>

namespace keslog {

// BkgdForm: the notice shown during slow work ("Please Wait...").
class NoticeWindow : public QWidget {
  public:
    explicit NoticeWindow(QWidget* parent = nullptr);
    void showNotice(const QString& text);
    // Whether a line of text fits the notice's 3300 twips.
    bool fits(const QString& text) const;

  private:
    QLabel* label_;
};

}  // namespace keslog

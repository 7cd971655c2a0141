#pragma once

#include <QLabel>
#include <QWidget>

namespace keslog {

// BkgdForm: the notice shown during slow work ("Please Wait...").
class NoticeWindow : public QWidget {
  public:
    explicit NoticeWindow(QWidget* parent = nullptr);
    void showNotice(const QString& text);

  private:
    QLabel* label_;
};

}  // namespace keslog
